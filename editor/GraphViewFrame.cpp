#include "editor/GraphViewFrame.h"

#include "controls/GuardedCall.h"
#include "editor/CalibrateScaleForm.h"
#include "editor/GraphCanvas.h"
#include "editor/GraphViewIcons.h"
#include "editor/GridToolBox.h"
#include "editor/ScaleToolBox.h"
#include "editor/SizeToolBox.h"
#include "foundation/NumberFormat.h"
#include "graph/Graph.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* CheckButton(QToolBar* Bar, TViewIcon Icon, const QString& Hint)
{
    auto* Button = new QToolButton(Bar);
    Button->setCheckable(true);
    Button->setIcon(ViewIcon(Icon));
    Button->setToolTip(Hint);
    Button->setAutoRaise(true);
    Bar->addWidget(Button);
    return Button;
}

} // namespace

TGraphViewFrame::TGraphViewFrame(TSettingsStore& Settings, QWidget* Parent)
    : QWidget(Parent), Settings(Settings)
{
    setObjectName("GraphViewFrame");
    setFocusPolicy(Qt::StrongFocus);
    BuildActions();
    BuildWidgets();
    BuildPopups();
}

TGraphViewFrame::~TGraphViewFrame() = default;

void TGraphViewFrame::BuildActions()
{
    struct TDef {
        QAction** Action;
        const char* Caption;
        TViewIcon Icon;
        QKeySequence Key;
        bool Enabled;
        void (TGraphViewFrame::*Handler)();
    };
    const TDef Defs[] = {
        {&gvfActionBackSetPic, "Load background picture", TViewIcon::BackSetPic, {}, true,
         &TGraphViewFrame::gvfActionBackSetPicExecute},
        {&gvfActionBackClearPic, "Clear background picture", TViewIcon::BackClearPic, {}, true,
         &TGraphViewFrame::gvfActionBackClearPicExecute},
        {&gvfActionBackResize, "Resize background", TViewIcon::BackResize, {}, true,
         &TGraphViewFrame::gvfActionBackResizeExecute},
        {&gvfActionRepositionNodes, "Reposition nodes", TViewIcon::RepositionNodes, {}, false,
         &TGraphViewFrame::gvfActionRepositionNodesExecute},
        {&gvfActionToolsGrid, "View &Grid Toolbox", TViewIcon::ToolsGrid, {}, true,
         &TGraphViewFrame::gvfActionToolsGridExecute},
        {&gvfActionToolsScale, "View S&caleToolBox", TViewIcon::ToolsScale, {}, true,
         &TGraphViewFrame::gvfActionToolsScaleExecute},
        {&gvfActionZoomIn, "Zoom background in", TViewIcon::ZoomIn, {}, true,
         &TGraphViewFrame::gvfActionZoomInExecute},
        {&gvfActionZoomOut, "Zoom background out", TViewIcon::ZoomOut, {}, true,
         &TGraphViewFrame::gvfActionZoomOutExecute},
        {&gvfActionZoomFull, "Zoom background to full size", TViewIcon::ZoomFull, {}, true,
         &TGraphViewFrame::gvfActionZoomFullExecute},
        {&gvfActionSetLabels, "Set Labels", TViewIcon::SetLabels, {}, true,
         &TGraphViewFrame::gvfActionSetLabelsExecute},
        {&gvfActionDelete, "&Delete", TViewIcon::Delete, QKeySequence(Qt::CTRL | Qt::Key_Delete), false,
         &TGraphViewFrame::gvfActionDeleteExecute},
        {&gvfActionCopy, "&Copy", TViewIcon::Copy, QKeySequence(Qt::CTRL | Qt::Key_C), false,
         &TGraphViewFrame::gvfActionCopyExecute},
        {&gvfActionPaste, "&Paste", TViewIcon::Paste, QKeySequence(Qt::CTRL | Qt::Key_V), false,
         &TGraphViewFrame::gvfActionPasteExecute},
        {&gvfActionUndoDelete, "&Undo Delete", TViewIcon::UndoDelete, QKeySequence(Qt::CTRL | Qt::Key_Z), false,
         &TGraphViewFrame::gvfActionUndoDeleteExecute},
        {&gvfActionCut, "&Cut", TViewIcon::Cut, QKeySequence(Qt::CTRL | Qt::Key_X), false,
         &TGraphViewFrame::gvfActionCutExecute},
    };
    for (const TDef& D : Defs) {
        auto* A = new QAction(ViewIcon(D.Icon), D.Caption, this);
        A->setToolTip(QString(D.Caption).remove('&'));
        if (!D.Key.isEmpty()) {
            A->setShortcut(D.Key);
            A->setShortcutContext(Qt::WidgetWithChildrenShortcut); // only while the view has the focus
        }
        A->setEnabled(D.Enabled);
        addAction(A);
        const auto Handler = D.Handler;
        connect(A, &QAction::triggered, this, [this, Handler] { GuardedCall(this, [this, Handler] { (this->*Handler)(); }); });
        *D.Action = A;
    }
}

void TGraphViewFrame::BuildWidgets()
{
    ItemToolBar = new QToolBar(this);
    ItemToolBar->setIconSize(QSize(20, 20));
    ArrowBtn = CheckButton(ItemToolBar, TViewIcon::Arrow, "No item selected");
    NodeBtn = CheckButton(ItemToolBar, TViewIcon::Node, "Common node");
    BranchBtn = CheckButton(ItemToolBar, TViewIcon::Branch, "Common branch");
    auto* Group = new QButtonGroup(this);
    Group->setExclusive(true);
    Group->addButton(ArrowBtn);
    Group->addButton(NodeBtn);
    Group->addButton(BranchBtn);
    ArrowBtn->setChecked(true);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setIconSize(QSize(20, 20));
    for (QAction* A : {gvfActionBackSetPic, gvfActionBackClearPic, gvfActionBackResize, gvfActionZoomIn,
                       gvfActionZoomOut, gvfActionZoomFull})
        ToolBar1->addAction(A);
    ToolBar1->addSeparator();
    for (QAction* A : {gvfActionToolsGrid, gvfActionToolsScale, gvfActionRepositionNodes, gvfActionSetLabels})
        ToolBar1->addAction(A);
    ToolBar1->addSeparator();
    GridButton = CheckButton(ToolBar1, TViewIcon::Grid, "Grid visible toggle");
    SnapButton = CheckButton(ToolBar1, TViewIcon::Snap, "Snap to grid");
    AutoScaleButton = CheckButton(ToolBar1, TViewIcon::AutoScale, "Auto set length to scale");
    DrawModeBtn = CheckButton(ToolBar1, TViewIcon::DrawMode, "Set graphic 'auto-draw' mode");
    ToolBar1->addSeparator();
    for (QAction* A : {gvfActionCut, gvfActionCopy, gvfActionPaste, gvfActionDelete, gvfActionUndoDelete})
        ToolBar1->addAction(A);
    connect(GridButton, &QToolButton::clicked, this, [this] { GridVisBtn2Click(); });
    connect(SnapButton, &QToolButton::clicked, this, [this] { GridSnapBtn2Click(); });
    connect(AutoScaleButton, &QToolButton::clicked, this, [this] { ScaleVisBtn2Click(); });
    connect(DrawModeBtn, &QToolButton::clicked, this, [this] { DrawModeBtnClick(); });

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setBackgroundRole(QPalette::Dark);
    ScrollBox1->setWidgetResizable(false);
    Image1 = new TGraphCanvas(this);
    Image1->resize(DrawingSize());
    ScrollBox1->setWidget(Image1);
    HintText = new QLabel(ScrollBox1->viewport());
    HintText->setAutoFillBackground(true);
    HintText->setBackgroundRole(QPalette::ToolTipBase);
    HintText->setForegroundRole(QPalette::ToolTipText);
    HintText->setFrameShape(QFrame::Box);
    HintText->setMargin(2);
    HintText->setAttribute(Qt::WA_TransparentForMouseEvents);
    HintText->hide();

    auto* Bars = new QHBoxLayout;
    Bars->setContentsMargins(0, 0, 0, 0);
    Bars->addWidget(ItemToolBar);
    Bars->addWidget(ToolBar1, 1);
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addLayout(Bars);
    Layout->addWidget(ScrollBox1, 1);
}

void TGraphViewFrame::BuildPopups()
{
    gvfBranchPopup = new QMenu(this);
    gvfBranchCaptionItem = gvfBranchPopup->addAction("Branch:");
    gvfBranchCaptionItem->setEnabled(false);
    gvfBranchPopup->addSeparator();
    gvfEditBranchItem = gvfBranchPopup->addAction("&Edit");
    gvfReverseBranchItem = gvfBranchPopup->addAction("&Reverse");
    gvfDeleteBranchItem = gvfBranchPopup->addAction("&Delete");
    gvfDetachMenu = gvfBranchPopup->addMenu("De&tach from");
    gvfDetachInletItem = gvfDetachMenu->addAction("..Inlet");
    gvfDetachOutletItem = gvfDetachMenu->addAction("..Outlet");

    gvfNodePopup = new QMenu(this);
    gvfNodeCaptionItem = gvfNodePopup->addAction("Node:");
    gvfNodeCaptionItem->setEnabled(false);
    gvfNodePopup->addSeparator();
    gvfEditNodeItem = gvfNodePopup->addAction("&Edit");
    gvfDeleteNodeItem = gvfNodePopup->addAction("&Delete");

    gvfEditPopup = new QMenu(this);
    for (QAction* A : {gvfActionCut, gvfActionCopy, gvfActionPaste, gvfActionDelete, gvfActionUndoDelete})
        EditItems.emplace_back(gvfEditPopup->addAction(A->icon(), A->text()), A);

    const std::pair<QAction*, void (TGraphViewFrame::*)()> Commands[] = {
        {gvfEditBranchItem, &TGraphViewFrame::gvfEditBranchClick},
        {gvfReverseBranchItem, &TGraphViewFrame::gvfReverseBranchClick},
        {gvfDeleteBranchItem, &TGraphViewFrame::gvfDeleteBranchClick},
        {gvfDetachInletItem, &TGraphViewFrame::gvfDetachInletBranchClick},
        {gvfDetachOutletItem, &TGraphViewFrame::gvfDetachOutletBranchClick},
        {gvfEditNodeItem, &TGraphViewFrame::gvfEditNodeClick},
        {gvfDeleteNodeItem, &TGraphViewFrame::gvfDeleteNodeClick},
    };
    for (const auto& [Item, Command] : Commands)
        AddPopupCommand(Item, [this, Command = Command] { (this->*Command)(); });
}

void TGraphViewFrame::AddPopupCommand(QAction* Item, std::function<void()> Command)
{
    PopupCommands.emplace_back(Item, std::move(Command));
}

void TGraphViewFrame::RunPopup(QMenu* Menu)
{
    // The hint would stay on the drawing under the menu.
    HideHint();
    // The menus' items are connected to nothing: the chosen one runs here,
    // whether a user or a test script chose it.
    QAction* Chosen = UiServices().PopupMenu(*Menu, UiServices().PointerPos());
    if (!Chosen || !Chosen->isEnabled() || !Chosen->isVisible())
        return;
    for (const auto& [Item, Command] : PopupCommands)
        if (Item == Chosen) {
            Command();
            return;
        }
    for (const auto& [Item, Action] : EditItems)
        if (Item == Chosen) {
            if (Action->isEnabled())
                Action->trigger();
            return;
        }
}

// ---------------------------------------------------------------- base virtuals

void TGraphViewFrame::gvfEditBranchClick() { EditBranch(); }

void TGraphViewFrame::gvfEditNodeClick() {}

void TGraphViewFrame::LoadItemGlyphs()
{
    FGlyphs.Clear();
    AddBaseGlyphs(FGlyphs);
}

void TGraphViewFrame::SetGraph(TGraph* Graph)
{
    FGraph = Graph;
    FSelectedBranch = nullptr;
    FSelectedNode = nullptr;
    HideHint(); // it named an item of the graph shown before
    EndDrag();
    BlockFlag = false;
    BandOn = false;
    InvalidateAll();
}

void TGraphViewFrame::CreateClipGraph() { FClipGraph = std::make_unique<TGraph>(); }

bool TGraphViewFrame::IsNodeTool() { return NodeBtn->isChecked(); }
bool TGraphViewFrame::NodePressTest() { return false; }
bool TGraphViewFrame::BranchPressTestA() { return false; }
bool TGraphViewFrame::IsBranchTool() { return BranchBtn->isChecked(); }
bool TGraphViewFrame::BranchPressTestB() { return false; }
bool TGraphViewFrame::NewBranchUpwards() { return true; }
bool TGraphViewFrame::NewBranchDownwards() { return false; }
bool TGraphViewFrame::NewBranchLeftwards() { return false; }
int TGraphViewFrame::StubLength() { return 50; }
void TGraphViewFrame::NodePressHook(TNode*) {}
void TGraphViewFrame::BranchPressHookA(TBranch*) {}
void TGraphViewFrame::BranchPressHookB(TBranch*) {}

void TGraphViewFrame::InitNewNode(TNode* Node, TBranch*)
{
    Node->Glyph = giNode;
    Node->SelectedGlyph = -1;
}

void TGraphViewFrame::InitNewBranch(TBranch* Branch)
{
    Branch->Glyph = giBranch;
    Branch->SelectedGlyph = giSelectedBranch;
}

bool TGraphViewFrame::CanLinkFrom(TNode*) { return true; }
bool TGraphViewFrame::CanMerge(TNode*, TNode*) { return true; }

void TGraphViewFrame::SetLayoutLengths()
{
    if (!FGraph)
        return;
    for (const auto& B : FGraph->Branches())
        B->Weight = 10.0;
}

void TGraphViewFrame::SetBranchLengthToScale(TBranch*, double) {}
void TGraphViewFrame::SetNodeBranchesToScale(TNode*, double) {}
void TGraphViewFrame::HideDialogs() {}
void TGraphViewFrame::BranchSelectedHook() {}
void TGraphViewFrame::BranchPressedHook() {}
void TGraphViewFrame::NodeSelectedHook() {}
void TGraphViewFrame::BeforeDeleteNodeHook(TNode*) {}
void TGraphViewFrame::BeforeDeleteBranchHook(TBranch*) {}
void TGraphViewFrame::UpdateBranchGlyph(TBranch*) {}
void TGraphViewFrame::UpdateNodeGlyph(TNode*) {}
void TGraphViewFrame::SetLabels() {}

std::string TGraphViewFrame::BranchCaption(TBranch* Branch) { return "Branch: " + IntToStr(Branch->Id()); }
std::string TGraphViewFrame::BranchLabelText(TBranch* Branch) { return Branch->Name; }
std::string TGraphViewFrame::BranchHintText(TBranch* Branch) { return Branch->Name; }
std::string TGraphViewFrame::NodeLabelText(TNode* Node) { return Node->Name; }
std::string TGraphViewFrame::NodeHintText(TNode* Node) { return Node->Name; }

void TGraphViewFrame::BeforePasteBranch(int, int) {}
void TGraphViewFrame::CopyBranchHook(TBranch*) {}
void TGraphViewFrame::BeforePaste() {}
void TGraphViewFrame::AfterPaste() {}
void TGraphViewFrame::AfterCopy() {}

void TGraphViewFrame::InitView()
{
    LoadItemGlyphs();
    DrawBitmap = QImage(DrawingSize(), QImage::Format_RGB32);
    DrawBitmap.fill(Qt::white);
    Image1->resize(DrawingSize());
    ArrowBtn->setChecked(true);
    CreateClipGraph();
    CreateToolBoxes();
    InvalidateAll();
}

void TGraphViewFrame::CreateToolBoxes()
{
    if (FGridToolBox)
        return;
    FGridToolBox = new TGridToolBox(Settings, this);
    FScaleToolBox = new TScaleToolBox(Settings, this);
    FCalibrateForm = new TCalibrateScaleForm(Settings, this);
    FSizeToolBox = new TSizeToolBox(Settings, this);
    FScaleToolBox->CalibrateForm = FCalibrateForm;

    FGridToolBox->OnSnapAll = [this] { SnapAllNodesToGrid(); };
    FGridToolBox->OnGridVisibleChanged = [this] {
        GridChanged();
        GridButton->setChecked(FGridToolBox->GridVisible);
    };
    FGridToolBox->OnSnapChanged = [this] { SnapButton->setChecked(FGridToolBox->SnapToGrid); };
    FGridToolBox->OnGridGapChanged = [this] { GridChanged(); };
    // The scale and the draw-to-scale switch are stored in the document:
    // changing them is a change of it.
    FScaleToolBox->OnScaleChanged = [this] { SetGraphScale(FScaleToolBox->Scale()); };
    FScaleToolBox->OnDrawToScaleChanged = [this] {
        AutoScaleButton->setChecked(FScaleToolBox->DrawToScale());
        if (FGraph && FGraph->DrawToScale != FScaleToolBox->DrawToScale()) {
            FGraph->DrawToScale = FScaleToolBox->DrawToScale();
            FireChanged();
        }
    };
    FScaleToolBox->OnScaleAll = [this] { SetAllLengthsToScale(); };
    FCalibrateForm->OnStartPicking = [this] { StartPicking(); };
    FCalibrateForm->OnStopPicking = [this] { StopPicking(); };
    FCalibrateForm->OnApplyScale = [this] {
        if (!(FCalibrateForm->Scale > 0.0))
            return;
        SetGraphScale(FCalibrateForm->Scale);
        FScaleToolBox->SetScale(FCalibrateForm->Scale);
    };
    FSizeToolBox->OnSizeChanged = [this] {
        SetDrawingSize(FSizeToolBox->DrawingWidth(), FSizeToolBox->DrawingHeight());
    };
    FSizeToolBox->OnSizeToBackground = [this] { SizeToBackground(); };
    FSizeToolBox->OnCrop = [this] { CropToGraph(); };

    if (FGraph)
        FGraph->DrawToScale = FScaleToolBox->DrawToScale();
    AutoScaleButton->setChecked(FScaleToolBox->DrawToScale());
    GridButton->setChecked(FGridToolBox->GridVisible);
    SnapButton->setChecked(FGridToolBox->SnapToGrid);
}

void TGraphViewFrame::SetGraphScale(double Scale)
{
    if (!FGraph || FGraph->Scale == Scale)
        return;
    FGraph->Scale = Scale;
    FireChanged();
}

void TGraphViewFrame::ReleaseView()
{
    FBackPicture = QImage();
    FBackTrue = QImage();
    FBackSize = QSize();
    FBackSource = QImage();
    FClipGraph.reset();
    FGlyphs.Clear();
}

void TGraphViewFrame::AssignGlyphs()
{
    if (!FGraph)
        return;
    for (const auto& N : FGraph->Nodes())
        N->Glyph = giNode;
    for (const auto& B : FGraph->Branches()) {
        B->Glyph = giBranch;
        B->SelectedGlyph = giSelectedBranch;
    }
    InvalidateAll();
}

void TGraphViewFrame::NodeTypeChanged(TNode*) {}
void TGraphViewFrame::EditBranch() {}
void TGraphViewFrame::NodePopupPopup() {}
void TGraphViewFrame::BranchPopupPopup() {}

// ---------------------------------------------------------------- state

bool TGraphViewFrame::SnapToGrid() const { return FGridToolBox ? FGridToolBox->SnapToGrid : true; }
bool TGraphViewFrame::GridVisible() const { return FGridToolBox ? FGridToolBox->GridVisible : false; }
int TGraphViewFrame::GridGap() const { return FGridToolBox ? FGridToolBox->GridGap : 10; }

QImage TGraphViewFrame::BackPicture() const { return FBackTrue; }

void TGraphViewFrame::EnableAction(QAction* Action, bool Enabled)
{
    Action->setEnabled(Enabled);
    if (OnActionEnable)
        OnActionEnable(Action, Enabled);
}

void TGraphViewFrame::keyPressEvent(QKeyEvent* Event)
{
    if (Event->key() == Qt::Key_Delete && Event->modifiers() == Qt::NoModifier && BlockFlag) {
        GuardedCall(this, [&] { FrameKeyDown(Event->key()); });
        Event->accept();
        return;
    }
    QWidget::keyPressEvent(Event);
}

// ---------------------------------------------------------------- simple actions

void TGraphViewFrame::gvfActionToolsGridExecute()
{
    if (!FGridToolBox)
        return;
    FGridToolBox->show();
    FGridToolBox->raise();
}

void TGraphViewFrame::gvfActionToolsScaleExecute()
{
    if (!FScaleToolBox)
        return;
    FScaleToolBox->show();
    FScaleToolBox->raise();
}

void TGraphViewFrame::gvfActionBackResizeExecute()
{
    if (!FSizeToolBox)
        return;
    ShowDrawingSize();
    FSizeToolBox->show();
    FSizeToolBox->raise();
}

void TGraphViewFrame::gvfActionSetLabelsExecute() { SetLabels(); }

// The tool bar's buttons toggle the tool boxes' check boxes, whose handlers
// then act (and set the buttons).
void TGraphViewFrame::GridVisBtn2Click()
{
    if (FGridToolBox)
        FGridToolBox->CBGridVisible->click();
}

void TGraphViewFrame::GridSnapBtn2Click()
{
    if (FGridToolBox)
        FGridToolBox->CBSnapToGrid->click();
}

void TGraphViewFrame::ScaleVisBtn2Click()
{
    if (FScaleToolBox)
        FScaleToolBox->CBDrawToScale->click();
}
void TGraphViewFrame::DrawModeBtnClick() { FAutoDraw = DrawModeBtn->isChecked(); }
