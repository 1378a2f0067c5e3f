// The graph view's block selection (rubber band and Shift-clicks), block
// drags and deletion, the private clipboard graph with its paste cascade,
// and Undo Delete (the owner keeps the undo file).

#include "editor/GraphViewFrame.h"

#include "controls/UiServices.h"
#include "editor/GraphCanvas.h"
#include "editor/GraphGeometry.h"
#include "graph/Graph.h"

#include <QAction>

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <unordered_set>

namespace {

// Pasting with the pointer off the drawing (or at its top-left edge) puts
// the block this far from the corner, then cascades by as much again.
constexpr int PasteStep = 20;
// A pasted block lies at least this far inside the drawing, as new nodes do.
constexpr int PasteMargin = 5;

} // namespace

namespace {

// Past this many changed items a repaint of the whole drawing is cheaper
// than working out each item's area.
constexpr std::size_t ManyItems = 256;

} // namespace

void TGraphViewFrame::InvalidateItems(const std::vector<const TNode*>& Nodes,
                                      const std::vector<const TBranch*>& Branches)
{
    if (Nodes.size() + Branches.size() > ManyItems) {
        InvalidateAll();
        return;
    }
    const TGraphRenderState S = RenderState();
    for (const TNode* N : Nodes)
        Invalidate(NodeArea(*N, S));
    for (const TBranch* B : Branches)
        Invalidate(BranchArea(*B, S));
}

void TGraphViewFrame::ClearBlock()
{
    if (!BlockFlag)
        return;
    BlockFlag = false;
    if (FGraph) {
        std::vector<const TNode*> Nodes;
        std::vector<const TBranch*> Branches;
        for (const auto& N : FGraph->Nodes())
            if (N->BlockState != 0)
                Nodes.push_back(N.get());
        for (const auto& B : FGraph->Branches())
            if (B->BlockState != 0)
                Branches.push_back(B.get());
        // Repainted in the block's colours' place before and after.
        InvalidateItems(Nodes, Branches);
        for (const TNode* N : Nodes)
            const_cast<TNode*>(N)->BlockState = 0;
        for (const TBranch* B : Branches)
            const_cast<TBranch*>(B)->BlockState = 0;
    }
    EnableAction(gvfActionDelete, false);
    EnableAction(gvfActionCopy, false);
    EnableAction(gvfActionCut, false);
}

void TGraphViewFrame::ClearBlockSelection()
{
    ClearBlock();
    if (BandOn)
        Invalidate(QRect(Band1, Band2).normalized());
    BandOn = false;
    Band1 = Band2 = QPoint(0, 0);
    if (OnBlockEmpty)
        OnBlockEmpty();
}

void TGraphViewFrame::SelectInBand()
{
    if (!FGraph)
        return;
    const QRect Band = QRect(Band1, Band2).normalized();
    std::vector<const TNode*> Nodes;
    std::vector<const TBranch*> Branches;
    // Only active nodes: the generated Sink is never part of a block.
    for (const auto& N : FGraph->Nodes()) {
        const int Want = Band.contains(N->X, N->Y) && N->IsActive() ? 1 : 0;
        if (N->BlockState != Want) {
            N->BlockState = Want;
            Nodes.push_back(N.get());
        }
    }
    for (const auto& B : FGraph->Branches()) {
        const int Want = B->FromNode && B->ToNode && Band.contains(HandlePoint(*B)) && IsDrawnBranch(*B) ? 1 : 0;
        if (B->BlockState != Want) {
            B->BlockState = Want;
            Branches.push_back(B.get());
        }
    }
    InvalidateItems(Nodes, Branches);
}

void TGraphViewFrame::FinishBand(QPoint P)
{
    BandOn = false;
    Invalidate(QRect(Band1, Band2).normalized());
    SelectInBand();
    bool Any = false;
    if (FGraph) {
        for (const auto& N : FGraph->Nodes())
            Any = Any || N->BlockState == 1;
        for (const auto& B : FGraph->Branches())
            Any = Any || B->BlockState == 1;
    }
    if (!Any) {
        BlockFlag = false;
        if (OnBlockEmpty)
            OnBlockEmpty();
        return;
    }
    BlockFlag = true;
    BlockAnchor = P;
    EnableAction(gvfActionDelete, true);
    EnableAction(gvfActionCopy, true);
    EnableAction(gvfActionCut, true);
}

void TGraphViewFrame::MoveBlock(int X, int Y)
{
    if (!FGraph)
        return;
    QPoint P(X, Y);
    if (SnapToGrid())
        P = SnapToGap(P, GridGap());
    const QPoint D = P - BlockAnchor;
    std::unordered_set<const TNode*> Moved;
    auto Move = [&](TNode* N) {
        if (!N || !Moved.insert(N).second)
            return;
        MoveNodeTo(N, N->X + D.x(), N->Y + D.y());
    };
    // End nodes of block branches move with them even when they are not in
    // the block themselves.
    for (const auto& B : FGraph->Branches())
        if (B->BlockState == 1) {
            Move(B->FromNode);
            Move(B->ToNode);
        }
    for (const auto& N : FGraph->Nodes())
        if (N->BlockState == 1)
            Move(N.get());
    Band1 += D;
    Band2 += D;
    BlockAnchor = P;
}

void TGraphViewFrame::DeleteBlock()
{
    if (!BlockFlag || !FGraph)
        return;
    std::vector<TNode*> Nodes;
    for (auto N = FGraph->Nodes().rbegin(); N != FGraph->Nodes().rend(); ++N)
        if ((*N)->BlockState == 1)
            Nodes.push_back(N->get());
    std::vector<TBranch*> Branches;
    for (auto B = FGraph->Branches().rbegin(); B != FGraph->Branches().rend(); ++B)
        if ((*B)->BlockState == 1)
            Branches.push_back(B->get());
    DeleteItems(Nodes, Branches, TDeleteReport::Once);
    ClearBlockSelection();
}

void TGraphViewFrame::FrameKeyDown(int Key)
{
    if (Key != Qt::Key_Delete || !BlockFlag)
        return;
    if (ShowMessage(this, "Delete selected block?", QString(), TMsgKind::Confirmation, mbYesNo) == mrYes)
        gvfActionDeleteExecute();
}

void TGraphViewFrame::gvfActionDeleteExecute()
{
    DeleteUndoably([this] { DeleteBlock(); });
}

// ---------------------------------------------------------------- clipboard

void TGraphViewFrame::CopyBlock()
{
    if (!BlockFlag || !FGraph)
        return;
    PasteA = PasteB = 0;
    PasteAOffset = PasteBOffset = QPoint(0, 0);
    CreateClipGraph();
    TGraph& Clip = *FClipGraph;
    for (const auto& N : FGraph->Nodes())
        if (N->BlockState == 1)
            Clip.GetOrAddNode(N->Id())->AssignData(*N);
    for (const auto& B : FGraph->Branches()) {
        if (B->BlockState != 1 || !B->FromNode || !B->ToNode)
            continue;
        TBranch* Copy = Clip.AddBranch(B->Id(), B->FromNode->Id(), B->ToNode->Id());
        if (!Copy)
            continue;
        Copy->AssignData(*B);
        CopyBranchHook(B.get());
        // A copied branch always brings both its end nodes.
        for (const TNode* End : {B->FromNode, B->ToNode})
            if (End->BlockState != 1) {
                TNode* C = Clip.GetOrAddNode(End->Id());
                C->AssignData(*End);
                C->BlockState = 1;
            }
    }
    AfterCopy();
}

void TGraphViewFrame::gvfActionCopyExecute()
{
    EnableAction(gvfActionPaste, true);
    CopyBlock();
}

void TGraphViewFrame::gvfActionCutExecute()
{
    gvfActionCopyExecute();
    DeleteBlock();
    // A cut writes no undo file: an older one must not bring the cut back
    // together with whatever it predates.
    EnableAction(gvfActionUndoDelete, false);
}

void TGraphViewFrame::PasteBlock()
{
    if (!FGraph || !FClipGraph || FClipGraph->NodeCount() == 0)
        return;
    ClearBlockSelection();
    TGraph& Clip = *FClipGraph;
    // New ids count on from the larger of the two graphs' highest ids, so a
    // kept id can never equal one handed out here.
    int NextNode = std::max(FGraph->MaxNodeId(), Clip.MaxNodeId());
    int NextBranch = std::max(FGraph->MaxBranchId(), Clip.MaxBranchId());
    const QSize Size = DrawingSize();
    int MinX = Size.width(), MinY = Size.height();

    std::unordered_map<int, int> NodeIds;
    for (const auto& N : Clip.Nodes()) {
        NodeIds[N->Id()] = FGraph->FindNode(N->Id()) ? ++NextNode : N->Id();
        MinX = std::min(MinX, N->X);
        MinY = std::min(MinY, N->Y);
    }
    for (const auto& B : Clip.Branches()) {
        const int Old = B->Id();
        const int New = FGraph->FindBranch(Old) ? ++NextBranch : Old;
        BeforePasteBranch(Old, New);
        if (New != Old)
            B->Renumber(New);
    }
    BeforePaste();

    // Where the block goes: at the pointer (its top-left node there), or
    // cascading from the drawing's corner when the pointer is off it.
    const QPoint Pointer = Image1->mapFromGlobal(UiServices().PointerPos());
    QPoint Offset;
    if (Pointer.x() < PasteStep || Pointer.y() < PasteStep || Pointer.x() >= Size.width() ||
        Pointer.y() >= Size.height()) {
        PasteB = 0;
        if (PasteAOffset.x() == PasteStep || PasteAOffset.y() == PasteStep) {
            ++PasteA;
            Offset = QPoint(PasteStep + PasteStep * PasteA, PasteStep + PasteStep * PasteA);
        } else {
            PasteA = 0;
            PasteAOffset = QPoint(PasteStep, PasteStep);
            Offset = PasteAOffset;
        }
    } else {
        Offset = QPoint(Pointer.x() - MinX, Pointer.y() - MinY);
        PasteA = 0;
        if (Offset.x() == PasteBOffset.x() || Offset.y() == PasteBOffset.y()) {
            ++PasteB;
            Offset += QPoint(PasteStep * PasteB, PasteStep * PasteB);
        } else {
            PasteB = 0;
            PasteBOffset = Offset;
        }
    }
    Offset = SnapToGap(Offset, GridGap());
    Offset = OffsetInside(Clip, Offset);

    BlockDrawing = true;
    for (const auto& N : Clip.Nodes()) {
        TNode* New = FGraph->GetOrAddNode(NodeIds[N->Id()]);
        New->AssignData(*N);
        New->BlockState = 1;
        // Moved as a whole: the block keeps its shape.
        New->X = N->X + Offset.x();
        New->Y = N->Y + Offset.y();
        if (OnNodeAdded)
            OnNodeAdded(New);
    }
    std::vector<TBranch*> Pasted;
    for (const auto& B : Clip.Branches()) {
        TBranch* New = FGraph->AddBranch(B->Id(), NodeIds[B->FromNode->Id()], NodeIds[B->ToNode->Id()]);
        if (!New)
            continue;
        New->AssignData(*B);
        New->BlockState = 1;
        New->Name = BranchCaption(New);
        // Handles stay where the user had them on the block.
        if (New->LabelX == -1 || New->LabelY == -1) {
            CentreHandle(*New);
        } else {
            New->LabelX += Offset.x();
            New->LabelY += Offset.y();
        }
        if (OnBranchAdded)
            OnBranchAdded(New);
        Pasted.push_back(New);
    }
    BlockDrawing = false;
    AfterPaste();

    QRect Area;
    const TGraphRenderState S = RenderState();
    for (const auto& N : Clip.Nodes())
        if (TNode* New = FGraph->FindNode(NodeIds[N->Id()]))
            Area |= NodeArea(*New, S);
    for (TBranch* B : Pasted)
        Area |= BranchArea(*B, S);
    Invalidate(Area);
    Band1 = Area.topLeft();
    Band2 = Area.bottomRight();
    BlockFlag = true;
    EnableAction(gvfActionDelete, true);
    EnableAction(gvfActionCopy, true);
    EnableAction(gvfActionCut, true);
    if (OnBlockStarted)
        OnBlockStarted();
}

QPoint TGraphViewFrame::OffsetInside(const TGraph& Clip, QPoint Offset)
{
    QRect Block;
    for (const auto& N : Clip.Nodes())
        Block |= QRect(N->X, N->Y, 1, 1);
    if (Block.isEmpty())
        return Offset;
    // Moved back inside by whole grid steps, at least as far in from each
    // edge as a new node; the top and left edges win over the others.
    const int G = std::max(1, GridGap());
    const QSize Size = DrawingSize();
    auto Inside = [G](int O, int Low, int High, int Side) {
        if (High + O > Side - PasteMargin)
            O = static_cast<int>(std::floor(static_cast<double>(Side - PasteMargin - High) / G)) * G;
        if (Low + O < PasteMargin)
            O = static_cast<int>(std::ceil(static_cast<double>(PasteMargin - Low) / G)) * G;
        return O;
    };
    Offset = QPoint(Inside(Offset.x(), Block.left(), Block.right(), Size.width()),
                    Inside(Offset.y(), Block.top(), Block.bottom(), Size.height()));
    // A block larger than the drawing: the drawing grows to hold it.
    if (Block.right() + Offset.x() >= Size.width() || Block.bottom() + Offset.y() >= Size.height()) {
        FGraph->Width = std::max(FGraph->Width, Block.right() + Offset.x() + PasteMargin);
        FGraph->Height = std::max(FGraph->Height, Block.bottom() + Offset.y() + PasteMargin);
        FitDrawingToGraph();
    }
    return Offset;
}

void TGraphViewFrame::gvfActionPasteExecute() { PasteBlock(); }

void TGraphViewFrame::gvfActionUndoDeleteExecute()
{
    if (!OnUndoDelete || !gvfActionUndoDelete->isEnabled())
        return;
    OnUndoDelete();
    EnableAction(gvfActionDelete, false);
    EnableAction(gvfActionCopy, false);
    EnableAction(gvfActionCut, false);
    EnableAction(gvfActionUndoDelete, false);
}
