// The graph view's drawing: repainting what edits touched, the whole-drawing
// redraw, selection and highlight, the grid, the scale, the drawing's size
// and extent, the automatic layout and the background picture.

#include "editor/GraphViewFrame.h"

#include "controls/UiServices.h"
#include "editor/GraphAutoLayout.h"
#include "editor/GraphCanvas.h"
#include "editor/GraphGeometry.h"
#include "editor/ScaleToolBox.h"
#include "editor/SizeToolBox.h"
#include "foundation/ProgramFolders.h"
#include "graph/DrawingRange.h"
#include "graph/Graph.h"
#include "graph/ShortString.h"
#include "platform/QtText.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {

// A background picture is cut to this many pixels on each side.
constexpr int MaxPictureSide = 3000;
// The covering part of the picture is scaled whole while that takes at most
// this many times the shown part's pixels.
constexpr double LargestScaledShare = 4.0;
// The zoom buttons move the background's ratio within these.
constexpr double MinZoomRatio = 0.1;
constexpr double MaxZoomRatio = 10.0;
// Past this many separate rectangles a repaint takes their bounding box.
constexpr std::size_t MaxDirtyRects = 48;

// A drawing side: Wanted, grown to hold Extent, within the drawing's range.
int DrawingSide(int Wanted, int Extent = 0)
{
    return std::clamp(std::max(Wanted, Extent), 1, MaxDrawingSide);
}

} // namespace

// ---------------------------------------------------------------- repainting

QSize TGraphViewFrame::DrawingSize() const
{
    if (!FGraph)
        return {900, 900};
    return {DrawingSide(FGraph->Width), DrawingSide(FGraph->Height)};
}

TGraphRenderState TGraphViewFrame::RenderState()
{
    TGraphRenderState S;
    S.Size = DrawingSize();
    S.Glyphs = &FGlyphs;
    S.Labels = &Labels;
    S.Background = FBackPicture.isNull() ? nullptr : &FBackPicture;
    S.SelectedNode = FSelectedNode;
    S.SelectedBranch = FSelectedBranch;
    S.NodeLabel = [this](const TNode& N) { return NodeLabelText(const_cast<TNode*>(&N)); };
    S.BranchLabel = [this](const TBranch& B) { return BranchLabelText(const_cast<TBranch*>(&B)); };
    S.GridVisible = GridVisible();
    S.GridGap = GridGap();
    S.BandShown = BandOn;
    S.BandFrom = Band1;
    S.BandTo = Band2;
    S.CrossShown = CrossShown;
    S.Cross = CrossPoint;
    S.FirstPointTaken = FirstTaken;
    S.FirstPoint = FirstPoint;
    return S;
}

void TGraphViewFrame::Invalidate(const QRect& Area)
{
    const QRect R = Area.adjusted(-1, -1, 1, 1) & QRect(QPoint(0, 0), DrawingSize());
    if (R.isEmpty())
        return;
    Dirty.push_back(R);
    if (Dirty.size() > MaxDirtyRects) {
        QRect All;
        for (const QRect& D : Dirty)
            All |= D;
        Dirty.assign(1, All);
    }
    Image1->update(R);
}

void TGraphViewFrame::InvalidateAll()
{
    Dirty.assign(1, QRect(QPoint(0, 0), DrawingSize()));
    Image1->update();
}

void TGraphViewFrame::InvalidateNode(const TNode* Node)
{
    if (Node)
        Invalidate(NodeAreaWithBranches(*Node, RenderState()));
}

void TGraphViewFrame::InvalidateBranch(const TBranch* Branch)
{
    if (Branch)
        Invalidate(BranchArea(*Branch, RenderState()));
}

void TGraphViewFrame::InvalidateCalibration()
{
    const TGraphRenderState S = RenderState();
    if (CrossShown)
        Invalidate(CrossArea(CrossPoint));
    if (FirstTaken) {
        Invalidate(CrossArea(FirstPoint));
        if (CrossShown)
            Invalidate(MeasureArea(S));
    }
}

void TGraphViewFrame::FlushDrawing()
{
    const QSize Size = DrawingSize();
    if (DrawBitmap.size() != Size) {
        DrawBitmap = QImage(Size, QImage::Format_RGB32);
        Dirty.assign(1, QRect(QPoint(0, 0), Size));
    }
    if (Dirty.empty())
        return;
    const TGraphRenderState S = RenderState();
    const std::vector<QRect> Areas = std::move(Dirty);
    Dirty.clear();
    for (const QRect& R : Areas)
        RenderGraphInto(DrawBitmap, R, FGraph, S);
}

const QImage& TGraphViewFrame::CanvasImage()
{
    FlushDrawing();
    return DrawBitmap;
}

// ---------------------------------------------------------------- model helpers

void TGraphViewFrame::PlaceNode(TNode* Node, int X, int Y) { SetNodePosition(*Node, X, Y, DrawingSize()); }

void TGraphViewFrame::FitDrawingToGraph()
{
    // A document's size is not trusted, and a node the user placed is never
    // moved to fit the drawing: the drawing grows to hold it instead, with
    // the margin that shows its symbol whole (as the size box keeps it).
    const QSize Extent = PlacedNodesExtent(*FGraph);
    FGraph->Width = DrawingSide(FGraph->Width, Extent.width());
    FGraph->Height = DrawingSide(FGraph->Height, Extent.height());
    Image1->resize(DrawingSize());
    ShowDrawingSize();
    FitBackgroundToDrawing();
}

void TGraphViewFrame::RecentreHandles(TNode* Node)
{
    for (const TLink& L : Node->Links)
        CentreHandle(*L.Branch);
}

void TGraphViewFrame::FireChanged()
{
    if (OnChanged)
        OnChanged();
}

void TGraphViewFrame::FireBranchSelected(TBranch* Branch)
{
    if (OnBranchSelected)
        OnBranchSelected(Branch);
}

// ---------------------------------------------------------------- whole drawing

void TGraphViewFrame::RedrawGraph()
{
    if (!FGraph)
        return;
    HideHint(); // it may show values the refresh has changed
    FAutoDraw = false;
    DrawModeBtn->setChecked(false);
    BlockFlag = false;
    for (const auto& N : FGraph->Nodes())
        N->BlockState = 0;
    for (const auto& B : FGraph->Branches())
        B->BlockState = 0;
    CrossPoint = QPoint(0, 0);
    CrossShown = false;
    DraggingNode = DraggingHandle = BlockDrawing = false;
    const int KeptBranch = FSelectedBranch ? FSelectedBranch->Id() : 0;
    const int KeptNode = FSelectedNode ? FSelectedNode->Id() : 0;
    const bool HadBranch = FSelectedBranch != nullptr;
    const bool HadNode = FSelectedNode != nullptr;
    FSelectedBranch = nullptr;
    FSelectedNode = nullptr;
    FHitBranch = nullptr;
    FHitNode = nullptr;

    FitDrawingToGraph();
    if (FScaleToolBox) {
        FScaleToolBox->SetScale(FGraph->Scale);
        FScaleToolBox->SetDrawToScale(FGraph->DrawToScale);
        AutoScaleButton->setChecked(FGraph->DrawToScale);
    }

    if (TNode* Root = FGraph->RootNode()) {
        if (Root->X != -1 || Root->Y != -1)
            AutoPlaceNodes();
        else
            LayoutGraph();
    }
    // Handles left automatic take their midpoints before they are drawn.
    for (const auto& B : FGraph->Branches())
        if ((B->LabelX == -1 || B->LabelY == -1) && B->FromNode && B->ToNode)
            CentreHandle(*B);
    if (HadBranch)
        if (TBranch* B = FGraph->FindBranch(KeptBranch))
            SelectBranch(B);
    if (HadNode)
        if (TNode* N = FGraph->FindNode(KeptNode))
            SelectNode(N);
    InvalidateAll();
}

void TGraphViewFrame::AutoPlaceNodes()
{
    if (FGraph)
        PlaceUnplacedNodes(*FGraph, DrawingSize());
}

void TGraphViewFrame::LayoutGraph()
{
    if (!FGraph)
        return;
    SetLayoutLengths();
    LayoutFromRoot(*FGraph, FGraph->RootNode(), DrawingSize());
    for (const auto& N : FGraph->Nodes())
        RecentreHandles(N.get());
    InvalidateAll();
    FireChanged();
}

void TGraphViewFrame::gvfActionRepositionNodesExecute() { LayoutGraph(); }

// ---------------------------------------------------------------- single items

void TGraphViewFrame::RedrawNode(TNode* Node)
{
    if (!Node)
        return;
    InvalidateNode(Node);
    UpdateNodeGlyph(Node);
    InvalidateNode(Node);
}

void TGraphViewFrame::RedrawBranch(TBranch* Branch)
{
    if (!Branch)
        return;
    InvalidateBranch(Branch);
    UpdateBranchGlyph(Branch);
    InvalidateBranch(Branch);
}

void TGraphViewFrame::SetNodeName(TNode* Node, const std::string& Name)
{
    if (!Node)
        return;
    InvalidateNode(Node);
    Node->Name = ToShortString(Name);
    InvalidateNode(Node);
}

void TGraphViewFrame::SetBranchName(TBranch* Branch, const std::string& Name)
{
    if (!Branch)
        return;
    InvalidateBranch(Branch);
    Branch->Name = ToShortString(Name);
    InvalidateBranch(Branch);
}

void TGraphViewFrame::SelectBranch(TBranch* Branch)
{
    InvalidateBranch(FSelectedBranch);
    FSelectedBranch = Branch;
    InvalidateBranch(FSelectedBranch);
    BranchSelectedHook();
}

void TGraphViewFrame::SelectNode(TNode* Node)
{
    InvalidateNode(FSelectedNode);
    FSelectedNode = Node;
    InvalidateNode(FSelectedNode);
    NodeSelectedHook();
}

void TGraphViewFrame::HighlightBranches(const std::vector<TBranch*>& Branches, bool On)
{
    for (TBranch* B : Branches) {
        if (!B)
            continue;
        InvalidateBranch(B);
        B->BlockState = On ? 2 : 0;
        InvalidateBranch(B);
    }
}

// ---------------------------------------------------------------- grid and scale

void TGraphViewFrame::GridChanged() { InvalidateAll(); }

void TGraphViewFrame::SnapNodeToGrid(TNode* Node)
{
    if (!Node || !Node->IsActive())
        return;
    const QPoint P = SnapToGap(QPoint(Node->X, Node->Y), GridGap());
    PlaceNode(Node, P.x(), P.y());
}

void TGraphViewFrame::SnapAllNodesToGrid()
{
    if (!FGraph)
        return;
    // Snapping places within the drawing: it must hold the nodes first, or
    // those beyond its present size would be pulled to its edge.
    FitDrawingToGraph();
    for (const auto& N : FGraph->Nodes())
        SnapNodeToGrid(N.get());
    for (const auto& N : FGraph->Nodes())
        RecentreHandles(N.get());
    if (FGraph->DrawToScale)
        SetAllLengthsToScale();
    InvalidateAll();
    FireChanged();
}

void TGraphViewFrame::SetAllLengthsToScale()
{
    if (!FGraph)
        return;
    for (const auto& B : FGraph->Branches()) {
        SetBranchLengthToScale(B.get(), FGraph->Scale);
        if (OnBranchChanged)
            OnBranchChanged(B.get());
    }
    FireChanged();
}

// ---------------------------------------------------------------- size and extent

void TGraphViewFrame::ResetScroll()
{
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
}

void TGraphViewFrame::ShowDrawingSize()
{
    if (FSizeToolBox && FGraph)
        FSizeToolBox->ShowSize(FGraph->Width, FGraph->Height);
}

QRect TGraphViewFrame::GetGraphExtent() const
{
    if (!FGraph)
        return {QPoint(0, 0), DrawingSize()};
    return GraphExtent(*FGraph, DrawingSize());
}

void TGraphViewFrame::CropToGraph()
{
    if (!FGraph)
        return;
    const QRect Extent = GetGraphExtent();
    const QPoint Shift = Extent.topLeft();
    if (Shift != QPoint(0, 0)) {
        for (const auto& N : FGraph->Nodes())
            if (N->IsActive()) {
                N->X -= Shift.x();
                N->Y -= Shift.y();
            }
        for (const auto& B : FGraph->Branches())
            if (IsDrawnBranch(*B) && B->LabelX != -1 && B->LabelY != -1) {
                B->LabelX -= Shift.x();
                B->LabelY -= Shift.y();
            }
    }
    SetDrawingSize(Extent.width(), Extent.height());
}

void TGraphViewFrame::SetDrawingSize(int Width, int Height)
{
    if (!FGraph)
        return;
    // A new size never cuts into the nodes' extent: the smallest it takes
    // shows every node whole.
    const QSize Extent = PlacedNodesExtent(*FGraph);
    FGraph->Width = DrawingSide(Width, Extent.width());
    FGraph->Height = DrawingSide(Height, Extent.height());
    RedrawGraph();
    FireChanged();
}

void TGraphViewFrame::SizeToBackground()
{
    if (!FBackSize.isEmpty())
        SetDrawingSize(FBackSize.width(), FBackSize.height());
}

// ---------------------------------------------------------------- background

void TGraphViewFrame::SetZoomEnabled(bool Enabled)
{
    gvfActionZoomIn->setEnabled(Enabled);
    gvfActionZoomOut->setEnabled(Enabled);
    gvfActionZoomFull->setEnabled(Enabled);
}

namespace {

// The file's name without its folder, whichever separator the document was
// written with.
QString BareFileName(const QString& Path)
{
    const qsizetype Cut = std::max(Path.lastIndexOf('\\'), Path.lastIndexOf('/'));
    return Path.mid(Cut + 1);
}

} // namespace

void TGraphViewFrame::LoadBackground(const std::string& FileName)
{
    FBackPicture = QImage();
    FBackTrue = QImage();
    FBackSize = QSize();
    FBackSource = QImage();
    InvalidateAll();
    SetZoomEnabled(false);
    if (!FGraph)
        return;
    if (FileName.empty()) {
        FGraph->BackFileName.clear();
        return;
    }
    QString Name = ToQ(FileName);
    if (!QFileInfo(Name).isFile()) {
        // A document moved from elsewhere: the picture may sit in the
        // program's folder.
        const QString Local = QDir(ToQ(ProgramFolders().ExeDir)).filePath(BareFileName(Name));
        if (ProgramFolders().ExeDir.empty() || !QFileInfo(Local).isFile())
            return;
        Name = Local;
    }
    FGraph->BackFileName = Name.toStdString();
    // A document's ratio is kept as read (only the shown part is scaled, so
    // a large one costs little memory); one that is no ratio at all becomes 1.
    if (!(FGraph->BackZoomRatio > 0.0) || !std::isfinite(FGraph->BackZoomRatio))
        FGraph->BackZoomRatio = 1.0;

    QImageReader Reader(Name);
    Reader.setDecideFormatFromContent(true);
    const QImage Picture = Reader.read();
    if (Picture.isNull()) {
        ShowMessage(this, QString("Cannot read the background picture %1:\n%2").arg(Name, Reader.errorString()),
                    QString(), TMsgKind::Warning);
        return;
    }
    FBackSource = Picture;
    FBackSize = ZoomedBackSize();
    ShowBackground();
    InvalidateAll();
    FireChanged();
    SetZoomEnabled(true);
}

QSize TGraphViewFrame::ZoomedBackSize() const
{
    // Cut before rounding: a document's huge ratio gives no int.
    const auto Side = [Ratio = FGraph->BackZoomRatio](int Pixels) {
        return RoundHalfEven(std::min(Pixels * Ratio, static_cast<double>(MaxPictureSide)));
    };
    return {Side(FBackSource.width()), Side(FBackSource.height())};
}

void TGraphViewFrame::ShowBackground()
{
    const QImage& Picture = FBackSource;
    FBackPicture = QImage();
    FBackTrue = QImage();
    // Only the part that lands in the drawing is scaled: memory follows the
    // drawing, not the square of the zoom.
    const QSize Shown = FBackSize.boundedTo(DrawingSize());
    if (Shown.isEmpty())
        return;
    const double Ratio = FGraph->BackZoomRatio;
    QImage Part;
    if (Ratio == 1.0) {
        Part = Picture.copy(0, 0, Shown.width(), Shown.height());
    } else {
        // The source part that covers the shown part, a pixel to spare.
        const int Sw = std::min(Picture.width(), static_cast<int>(std::ceil(Shown.width() / Ratio)) + 1);
        const int Sh = std::min(Picture.height(), static_cast<int>(std::ceil(Shown.height() / Ratio)) + 1);
        const double Width = Sw * Ratio;
        const double Height = Sh * Ratio;
        if (Width * Height <= LargestScaledShare * Shown.width() * Shown.height()) {
            const QSize Scaled(std::max(Shown.width(), RoundHalfEven(Width)),
                               std::max(Shown.height(), RoundHalfEven(Height)));
            Part = Picture.copy(0, 0, Sw, Sh)
                       .scaled(Scaled, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .copy(0, 0, Shown.width(), Shown.height());
        } else {
            // A document's large ratio: scaling the covering part whole would
            // take memory as the square of the ratio, so only the shown part
            // is drawn. Past twice the largest picture the shown part lies
            // within the first pixel's first half, as it does at that ratio.
            const double Drawn = std::min(Ratio, 2.0 * MaxPictureSide);
            Part = QImage(Shown, QImage::Format_RGB32);
            Part.fill(Qt::white);
            QPainter Painter(&Part);
            Painter.setRenderHint(QPainter::SmoothPixmapTransform);
            Painter.drawImage(QRectF(0.0, 0.0, Sw * Drawn, Sh * Drawn), Picture, QRectF(0.0, 0.0, Sw, Sh));
        }
    }
    FBackTrue = Part.convertToFormat(QImage::Format_RGB32);
    FBackPicture = FBackTrue;
    FBackPicture.invertPixels(QImage::InvertRgb);
}

void TGraphViewFrame::FitBackgroundToDrawing()
{
    const QSize Shown = FBackSize.boundedTo(DrawingSize());
    // Nothing to do when the shown part keeps its size, or stays empty.
    if (FBackSource.isNull() || (Shown.isEmpty() ? FBackTrue.isNull() : FBackTrue.size() == Shown))
        return;
    ShowBackground();
}

void TGraphViewFrame::ZoomBackground(double Ratio)
{
    // The picture as loaded is scaled again, as a size change does: the file
    // may have changed or gone since. A ratio that stays changes nothing,
    // not even the document's saved state.
    if (!FGraph || FBackSource.isNull() || Ratio == FGraph->BackZoomRatio)
        return;
    FGraph->BackZoomRatio = Ratio;
    FBackSize = ZoomedBackSize();
    ShowBackground();
    RedrawGraph();
    FireChanged();
}

void TGraphViewFrame::gvfActionBackSetPicExecute()
{
    if (!FGraph)
        return;
    TFileDialogRequest Request;
    Request.Parent = this;
    Request.Title = "Select background picture";
    Request.Folder = PictureFolder.isEmpty() ? ToQ(ProgramFolders().ExeDir) : PictureFolder;
    QStringList Patterns;
    for (const QByteArray& Format : QImageReader::supportedImageFormats())
        Patterns << "*." + QString::fromLatin1(Format);
    Request.Filter = "Pictures (" + Patterns.join(' ') + ");;All files (*)";
    Request.DefaultSuffix = "gif";
    const QString Chosen = UiServices().OpenFileName(Request);
    if (Chosen.isEmpty())
        return;
    PictureFolder = QFileInfo(Chosen).absolutePath();
    LoadBackground(Chosen.toStdString());
    RedrawGraph();
}

void TGraphViewFrame::gvfActionBackClearPicExecute()
{
    LoadBackground("");
    RedrawGraph();
}

void TGraphViewFrame::gvfActionZoomInExecute()
{
    if (!FGraph)
        return;
    // Up to the buttons' largest ratio; a document's larger one stays.
    ZoomBackground(std::max(FGraph->BackZoomRatio, std::min(FGraph->BackZoomRatio * 1.1, MaxZoomRatio)));
}

void TGraphViewFrame::gvfActionZoomOutExecute()
{
    if (!FGraph)
        return;
    ZoomBackground(std::min(FGraph->BackZoomRatio, std::max(FGraph->BackZoomRatio * 0.9, MinZoomRatio)));
}

void TGraphViewFrame::gvfActionZoomFullExecute() { ZoomBackground(1.0); }
