#include "editor/FlowGraphFrame.h"

#include "dialogs/BranchSummary.h"
#include "controls/EntryGrid.h"
#include "controls/FmtEdit.h"
#include "dialogs/DuctBranchForm.h"
#include "dialogs/DuctDiamForm.h"
#include "dialogs/DuctLabelsDlg.h"
#include "dialogs/FlowNodeDlg.h"
#include "dialogs/PressureDropForm.h"
#include "fittings/DuctFittingDB.h"
#include "editor/DuctGlyphs.h"
#include "controls/UiServices.h"
#include "editor/GraphGeometry.h"
#include "foundation/NumberFormat.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"
#include "platform/QtText.h"

#include <QAction>
#include <QButtonGroup>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>
#include <unordered_set>

namespace {

TFlowNode* AsFlowNode(TNode* Node) { return dynamic_cast<TFlowNode*>(Node); }
TDuctBranch* AsDuct(TBranch* Branch) { return dynamic_cast<TDuctBranch*>(Branch); }

double Distance(QPoint A, QPoint B) { return std::hypot(double(A.x() - B.x()), double(A.y() - B.y())); }

// The stub of a new branch while a spiral tool is down: two thirds of the
// usual 50 pixels.
constexpr int UsualStub = 50;
const int SpiralStub = static_cast<int>(std::lround(2.0 * UsualStub / 3.0));

} // namespace

TFlowGraphFrame::TFlowGraphFrame(TSettingsStore& Settings, QWidget* Parent) : TGraphViewFrame(Settings, Parent)
{
    setObjectName("FlowGraphFrame");
    // Eighteen item tools leave no room beside them for the view's own
    // tool bar: it goes on a row of its own below them.
    if (auto* Rows = qobject_cast<QVBoxLayout*>(layout())) {
        if (auto* Bars = qobject_cast<QBoxLayout*>(Rows->itemAt(0)->layout())) {
            Bars->removeWidget(ToolBar1);
            Rows->insertWidget(1, ToolBar1);
        }
    }
    BuildToolButtons();
    BuildPopupItems();
}

TFlowGraphFrame::~TFlowGraphFrame() = default;

void TFlowGraphFrame::BuildToolButtons()
{
    BranchBtn->setEnabled(false);
    BranchBtn->setVisible(false);
    QButtonGroup* Group = ArrowBtn->group();
    const auto Add = [&](const QIcon& Icon, const char* Hint) {
        auto* Button = new QToolButton(ItemToolBar);
        Button->setCheckable(true);
        Button->setAutoRaise(true);
        Button->setIcon(Icon);
        Button->setToolTip(Hint);
        ItemToolBar->addWidget(Button);
        if (Group)
            Group->addButton(Button);
        return Button;
    };
    InletBtn = Add(DuctGlyphIcon(giPlainInlet), "Plain inlet");
    InGrilleBtn = Add(DuctGlyphIcon(giReturnGrille), "Return grille");
    CanopyBtn = Add(DuctGlyphIcon(giCanopy), "Canopy");
    OutletBtn = Add(DuctGlyphIcon(giPlainOutlet), "Plain outlet");
    OutGrilleBtn = Add(DuctGlyphIcon(giSupplyGrille), "Supply grille");
    DiffuserBtn = Add(DuctGlyphIcon(giDiffuser), "Diffuser");
    ItemToolBar->addSeparator();
    MainFanBtn = Add(DuctGlyphIcon(giFan), "Fan");
    BoosterBtn = Add(DuctGlyphIcon(giBooster), "Booster fan");
    DuctBtn = Add(DuctGlyphIcon(giRectDuct), "Rectangular duct");
    SpiralBtn = Add(DuctGlyphIcon(giSpiralDuct), "Spiral duct");
    ItemToolBar->addSeparator();
    Sp2InletBtn = Add(DuctGlyphIcon(giPlainInlet, true), "Inlet with spiral");
    Sp2InGrilleBtn = Add(DuctGlyphIcon(giReturnGrille, true), "Return grille with spiral");
    Sp2CanopyBtn = Add(DuctGlyphIcon(giCanopy, true), "Canopy with spiral");
    Sp2OutletBtn = Add(DuctGlyphIcon(giPlainOutlet, true), "Outlet with spiral");
    Sp2OutGrilleBtn = Add(DuctGlyphIcon(giSupplyGrille, true), "Supply grille with spiral");
    Sp2DiffuserBtn = Add(DuctGlyphIcon(giDiffuser, true), "Diffuser with spiral");
    UpdateMainFanButton();
}

void TFlowGraphFrame::BuildPopupItems()
{
    // Branch pop-up: after "&Edit", the fittings, dimensions and duct type;
    // the leakage balance at the end, shown only where it applies.
    FittingsBranchItem = new QAction("&Fittings", gvfBranchPopup);
    DimensionsBranchItem = new QAction("Di&mensions", gvfBranchPopup);
    gvfBranchPopup->insertAction(gvfReverseBranchItem, FittingsBranchItem);
    gvfBranchPopup->insertAction(gvfReverseBranchItem, DimensionsBranchItem);
    DuctTypeMenu = new QMenu("Du&ct : ", gvfBranchPopup);
    Rectangular1 = DuctTypeMenu->addAction("&Rectangular");
    Spiral1 = DuctTypeMenu->addAction("&Spiral");
    gvfBranchPopup->insertMenu(gvfReverseBranchItem, DuctTypeMenu);
    BalanceLeakSeparator = gvfBranchPopup->addSeparator();
    BalanceLeakItem = gvfBranchPopup->addAction("&Balance leakage");
    BalanceLeakSeparator->setVisible(false);
    BalanceLeakItem->setVisible(false);

    NodeTypeMenu = new QMenu("Type: ", gvfNodePopup);
    Common1 = NodeTypeMenu->addAction("&Common");
    Inlet1 = NodeTypeMenu->addAction("&Inlet");
    Outlet1 = NodeTypeMenu->addAction("&Outlet");
    gvfNodePopup->insertMenu(gvfDeleteNodeItem, NodeTypeMenu);
    EditInOutletNodeItem = new QAction("Edit &outlet", gvfNodePopup);
    EditVolFlowNodeItem = new QAction("Edit &volume flow", gvfNodePopup);
    gvfNodePopup->insertAction(gvfDeleteNodeItem, EditInOutletNodeItem);
    gvfNodePopup->insertAction(gvfDeleteNodeItem, EditVolFlowNodeItem);
    BalanceLeakNodeSeparator = gvfNodePopup->addSeparator();
    BalanceLeakNodeItem = gvfNodePopup->addAction("&Balance leakage");

    AddPopupCommand(Rectangular1, [this] { Rectangular1Click(); });
    AddPopupCommand(Spiral1, [this] { Spiral1Click(); });
    AddPopupCommand(BalanceLeakItem, [this] { BalanceLeakClick(); });
    AddPopupCommand(Common1, [this] { Common1Click(); });
    AddPopupCommand(Inlet1, [this] { Inlet1Click(); });
    AddPopupCommand(Outlet1, [this] { Outlet1Click(); });
    AddPopupCommand(DimensionsBranchItem, [this] { DimensionsBranchClick(); });
    AddPopupCommand(FittingsBranchItem, [this] { FittingsBranchClick(); });
    AddPopupCommand(EditInOutletNodeItem, [this] { EditInOutletNodeClick(); });
    AddPopupCommand(EditVolFlowNodeItem, [this] { EditVolFlowFromNodeClick(); });
    AddPopupCommand(BalanceLeakNodeItem, [this] { BalanceLeakFromNodeClick(); });
}

// ---------------------------------------------------------------- helpers

void TFlowGraphFrame::UpdateMainFanButton()
{
    const bool Enable = FDuctGraph && !FDuctGraph->MainFan;
    if (!Enable && MainFanBtn->isChecked())
        ArrowBtn->setChecked(true); // a second fan cannot be drawn with a disabled tool
    MainFanBtn->setEnabled(Enable);
}

bool TFlowGraphFrame::AnySpiralWithTerminal() const
{
    for (const QToolButton* B :
         {Sp2InletBtn, Sp2InGrilleBtn, Sp2CanopyBtn, Sp2OutletBtn, Sp2OutGrilleBtn, Sp2DiffuserBtn})
        if (B->isChecked())
            return true;
    return false;
}

TDuctBranch* TFlowGraphFrame::SelectedDuct() const { return AsDuct(SelectedBranch()); }

TDuctBranch* TFlowGraphFrame::EndBranchOf(TNode* Node, bool* Outgoing) const
{
    TBranch* B = nullptr;
    bool Out = false;
    if (!Node || !Node->IsOutgoingEnd(B, Out))
        return nullptr;
    if (Outgoing)
        *Outgoing = Out;
    return AsDuct(B);
}

int TFlowGraphFrame::TerminalSide(TNode* Node) const
{
    bool Outgoing = false;
    const TDuctBranch* B = EndBranchOf(Node, &Outgoing);
    if (!B)
        return 2;
    if (B->PressureGain != 0.0 && !(FDuctGraph && B == FDuctGraph->MainFan))
        return 2; // a booster's end
    return Outgoing ? 1 : 0;
}

// ---------------------------------------------------------------- tools

bool TFlowGraphFrame::IsNodeTool()
{
    for (const QToolButton* B : {NodeBtn, DiffuserBtn, OutletBtn, InletBtn, InGrilleBtn, OutGrilleBtn, CanopyBtn})
        if (B->isChecked())
            return true;
    return false;
}

bool TFlowGraphFrame::IsBranchTool()
{
    return DuctBtn->isChecked() || SpiralBtn->isChecked() || MainFanBtn->isChecked() || BoosterBtn->isChecked() ||
           AnySpiralWithTerminal();
}

bool TFlowGraphFrame::NewBranchUpwards() { return Sp2CanopyBtn->isChecked(); }
bool TFlowGraphFrame::NewBranchDownwards() { return SpiralBtn->isChecked() || Sp2DiffuserBtn->isChecked(); }
bool TFlowGraphFrame::NewBranchLeftwards() { return Sp2InletBtn->isChecked() || Sp2InGrilleBtn->isChecked(); }

int TFlowGraphFrame::StubLength()
{
    return SpiralBtn->isChecked() || AnySpiralWithTerminal() ? SpiralStub : UsualStub;
}

void TFlowGraphFrame::InitNewNode(TNode* Node, TBranch* Branch)
{
    TGraphViewFrame::InitNewNode(Node, Branch);
    TFlowNode* N = AsFlowNode(Node);
    if (!N)
        return;
    const bool IsTo = Branch && Branch->ToNode == Node;
    const bool IsFrom = Branch && Branch->FromNode == Node;
    const int Mode = SpawnMode();
    const auto Outlet = [&](TOutletKind Kind) {
        N->NodeType = ntOutlet;
        N->OutletKind = Kind;
    };
    const auto Inlet = [&](TInletKind Kind) {
        N->NodeType = ntInlet;
        N->InletKind = Kind;
    };
    if (NodeBtn->isChecked())
        N->NodeType = ntCommon;
    else if (DiffuserBtn->isChecked() || Mode == 5 || (Sp2DiffuserBtn->isChecked() && IsTo))
        Outlet(okDiffuser);
    else if (OutGrilleBtn->isChecked() || (Sp2OutGrilleBtn->isChecked() && IsTo))
        Outlet(okGrille);
    else if (OutletBtn->isChecked() || (Sp2OutletBtn->isChecked() && IsTo))
        Outlet(okPlainOutlet);
    else if (InGrilleBtn->isChecked() || Mode == 3 || (Sp2InGrilleBtn->isChecked() && IsFrom))
        Inlet(ikGrille);
    else if (CanopyBtn->isChecked() || (Sp2CanopyBtn->isChecked() && IsFrom))
        Inlet(ikCanopy);
    else if (InletBtn->isChecked() || (Sp2InletBtn->isChecked() && IsFrom))
        Inlet(ikPlainInlet);
    UpdateNodeGlyph(N);
}

void TFlowGraphFrame::InitNewBranch(TBranch* Branch)
{
    TGraphViewFrame::InitNewBranch(Branch);
    TDuctBranch* B = AsDuct(Branch);
    if (!B || !FDuctGraph)
        return;
    const TSettings& Settings = FDuctGraph->Settings();
    const int Mode = SpawnMode();
    const bool OutletSpiral = Mode == 5 || Sp2DiffuserBtn->isChecked() || Sp2OutletBtn->isChecked() ||
                              Sp2OutGrilleBtn->isChecked();
    if (AutoDraw() || DuctBtn->isChecked() || BoosterBtn->isChecked() || Mode == 2 || Mode == 4) {
        B->DuctType = dtRect;
        B->Name = BranchCaption(B);
        B->Kind = bkCommon;
        if (BoosterBtn->isChecked()) {
            B->SetDuctType(dtRect, 20.0, 2.0, 1.0);
            B->Booster = false;
        } else {
            B->SetDuctType(dtRect, 0.0, 10.0, 1.0);
        }
    } else if (!(SpiralBtn->isChecked() || Mode == 3 || Mode == 5 || AnySpiralWithTerminal())) {
        if (MainFanBtn->isChecked() && !FDuctGraph->MainFan) {
            B->Name = "Main Fan";
            B->SetDuctType(dtFan, 0.0, 0.0, 1.0);
            B->DuctHeight = 0.0;
            B->DuctWidth = 0.0;
            B->Kind = bkGain;
            B->AddFanDefaults();
            FDuctGraph->MainFan = B;
            UpdateMainFanButton();
        }
    } else {
        B->DuctType = dtSpiral;
        B->Name = BranchCaption(B);
        double Flow = 1.0;
        if (!SpiralBtn->isChecked()) {
            if (OutletSpiral)
                Flow = Settings.defoutletq[std::min<std::size_t>(B->ToFlowNode()->OutletKind, TSettings::KindCount - 1)];
            else
                Flow = Settings.definletq[std::min<std::size_t>(B->FromFlowNode()->InletKind, TSettings::KindCount - 1)];
        }
        B->SetDuctType(dtSpiral, 0.0, 1.5, Flow);
        B->Kind = bkCommon;
    }
    if (B->FromFlowNode()->NodeType == ntInlet) {
        B->UpdateInletTerminal(Settings, B->FromFlowNode()->InletKind);
        B->CalcTerminalLosses();
    }
    if (B->ToFlowNode()->NodeType == ntOutlet) {
        B->UpdateOutletTerminal(Settings, B->ToFlowNode()->OutletKind);
        B->CalcTerminalLosses();
    }
    UpdateBranchGlyph(B);
}

bool TFlowGraphFrame::CanLinkFrom(TNode* Node)
{
    const TFlowNode* N = AsFlowNode(Node);
    return !N || !N->IsTerminal();
}

bool TFlowGraphFrame::MergeDropsMainFan(const TNode* Kept, const TNode* Dropped) const
{
    const TBranch* Fan = FDuctGraph ? FDuctGraph->MainFan : nullptr;
    if (!Fan || !Kept || !Dropped)
        return false;
    // The merge goes through the dropped node's links, last first: a branch
    // to the kept node, a loop, or one to a node the kept one reaches by
    // then is deleted; every other one moves to the kept node.
    std::unordered_set<const TNode*> Reached;
    for (const TLink& L : Kept->Links)
        Reached.insert(L.Branch->OtherNode(Kept));
    for (auto L = Dropped->Links.rbegin(); L != Dropped->Links.rend(); ++L) {
        const TNode* Far = L->Branch->OtherNode(Dropped);
        const bool Deleted = Far == Kept || Far == Dropped || !Reached.insert(Far).second;
        if (Deleted && L->Branch == Fan)
            return true;
    }
    return false;
}

bool TFlowGraphFrame::CanMerge(TNode* Moved, TNode* Target)
{
    if (MergeDropsMainFan(Moved, Target)) {
        ShowMessage(this, "This would delete the main fan.\nDrop the node elsewhere.", QString(),
                    TMsgKind::Warning);
        return false;
    }
    const TFlowNode* S = AsFlowNode(Moved);
    const TFlowNode* T = AsFlowNode(Target);
    if (!S || !T || !S->IsTerminal())
        return true;
    // A terminal ends one duct: the merge may leave it on at most two
    // branches, and only where the two were neighbours already.
    const int N = T->CountActiveBranches() + S->CountActiveBranches();
    bool Allowed = N < 2;
    if (N == 2 && Graph())
        Allowed = S->IsAdjacentTo(T) || Graph()->HasCommonNeighbour(S, T);
    return Allowed && !T->HasGainBranch();
}

// ---------------------------------------------------------------- lengths

void TFlowGraphFrame::SetLayoutLengths()
{
    if (!Graph())
        return;
    for (const auto& B : Graph()->Branches())
        if (const auto* F = dynamic_cast<const TFlowBranch*>(B.get()))
            B->Weight = F->TotalLength;
}

void TFlowGraphFrame::SetBranchLengthToScale(TBranch* Branch, double Scale)
{
    auto* B = dynamic_cast<TFlowBranch*>(Branch);
    if (!B || !B->FromNode || !B->ToNode)
        return;
    const QPoint From(B->FromNode->X, B->FromNode->Y);
    double Pixels = 0.0;
    if (B->FromNode->IsActive() && B->ToNode->IsActive())
        Pixels = Distance(From, QPoint(B->ToNode->X, B->ToNode->Y));
    else if (B->FromNode->IsActive())
        Pixels = Distance(From, HandlePoint(*B)); // a branch to the Sink ends at its handle
    else
        return;
    B->Length = Pixels * Scale;
    B->CalcTotalLength();
    if (FBranchForm && FBranchForm->isVisible() && FBranchForm->Branch() == B)
        FBranchForm->UpdateLengthRow();
    if (OnBranchChanged)
        OnBranchChanged(B);
}

void TFlowGraphFrame::SetNodeBranchesToScale(TNode* Node, double Scale)
{
    if (!Node)
        return;
    const std::vector<TLink> Links = Node->Links;
    for (const TLink& L : Links)
        SetBranchLengthToScale(L.Branch, Scale);
}

// ---------------------------------------------------------------- glyphs

void TFlowGraphFrame::LoadItemGlyphs()
{
    TGraphViewFrame::LoadItemGlyphs();
    AddDuctGlyphs(FGlyphs);
}

void TFlowGraphFrame::UpdateBranchGlyph(TBranch* Branch)
{
    TDuctBranch* B = AsDuct(Branch);
    if (!B)
        return;
    int Glyph = giBranch, Selected = giSelectedBranch;
    if (B->Kind == bkGain) {
        Glyph = giFan;
        Selected = giSelectedFan;
    } else if (B->PressureGain != 0.0) {
        Glyph = giBooster;
        Selected = giSelectedBooster;
    } else if (B->DuctType == dtRect) {
        Glyph = giRectDuct;
        Selected = giSelectedRectDuct;
    } else if (B->DuctType == dtSpiral) {
        Glyph = giSpiralDuct;
        Selected = giSelectedSpiralDuct;
    }
    B->Glyph = Glyph;
    B->SelectedGlyph = Selected;
}

void TFlowGraphFrame::UpdateNodeGlyph(TNode* Node)
{
    const TFlowNode* N = AsFlowNode(Node);
    if (!N)
        return;
    int Glyph = giNode;
    if (N->NodeType == ntOutlet) {
        constexpr int ByKind[] = {giDiffuser, giSupplyGrille, giPlainOutlet};
        Glyph = N->OutletKind < 3 ? ByKind[N->OutletKind] : giPlainOutlet;
    } else if (N->NodeType == ntInlet) {
        constexpr int ByKind[] = {giReturnGrille, giCanopy, giPlainInlet};
        Glyph = N->InletKind < 3 ? ByKind[N->InletKind] : giPlainInlet;
    }
    Node->Glyph = Glyph;
    Node->SelectedGlyph = -1;
}

void TFlowGraphFrame::AssignGlyphs()
{
    TGraphViewFrame::AssignGlyphs();
    if (Graph()) {
        for (const auto& N : Graph()->Nodes())
            UpdateNodeGlyph(N.get());
        for (const auto& B : Graph()->Branches())
            UpdateBranchGlyph(B.get());
    }
    // Glyphs are assigned after every document load, an undo restore too.
    UpdateMainFanButton();
}

void TFlowGraphFrame::ReleaseView() { TGraphViewFrame::ReleaseView(); }

// ---------------------------------------------------------------- texts

std::string TFlowGraphFrame::BranchCaption(TBranch* Branch)
{
    const TDuctBranch* B = AsDuct(Branch);
    if (!B)
        return TGraphViewFrame::BranchCaption(Branch);
    if (B->DuctType == dtNone)
        return "Fan";
    return IntToStr(B->Id()) + " " + DuctTypeWord(B->DuctType);
}

std::string TFlowGraphFrame::BranchLabelText(TBranch* Branch)
{
    const TDuctBranch* B = AsDuct(Branch);
    return B && FLabelsDlg ? FLabelsDlg->BranchLabelText(*B) : TGraphViewFrame::BranchLabelText(Branch);
}

std::string TFlowGraphFrame::BranchHintText(TBranch* Branch)
{
    const TDuctBranch* B = AsDuct(Branch);
    return B && FLabelsDlg ? FLabelsDlg->BranchHintText(*B) : TGraphViewFrame::BranchHintText(Branch);
}

std::string TFlowGraphFrame::NodeLabelText(TNode* Node)
{
    const TFlowNode* N = AsFlowNode(Node);
    if (!N || !FLabelsDlg)
        return TGraphViewFrame::NodeLabelText(Node);
    std::string Text = FLabelsDlg->NodeLabelText(*N);
    // The reference node the leakage branch leaves or enters tells its flow.
    const TFlowBranch* Leak = FDuctGraph ? FDuctGraph->LeakBranch : nullptr;
    if (Leak && (N == FDuctGraph->SupplyRef || N == FDuctGraph->ReturnRef) &&
        (Leak->FromNode == Node || Leak->ToNode == Node)) {
        if (!Text.empty() && Text.back() != ' ')
            Text += ' ';
        Text += FLabelsDlg->ValueText(lqFlow, Leak->VolumeFlow) + " leakage";
    }
    return Text;
}

std::string TFlowGraphFrame::NodeHintText(TNode* Node)
{
    const TFlowNode* N = AsFlowNode(Node);
    return N && FLabelsDlg ? FLabelsDlg->NodeHintText(*N) : TGraphViewFrame::NodeHintText(Node);
}

void TFlowGraphFrame::SetLabels()
{
    if (!FLabelsDlg)
        return;
    RunModal(*FLabelsDlg);
    RedrawGraph();
}

// ---------------------------------------------------------------- clipboard

namespace {

TFlowGraph* AsFlowGraph(TGraph* Graph) { return dynamic_cast<TFlowGraph*>(Graph); }

} // namespace

void TFlowGraphFrame::BeforePasteBranch(int OldId, int NewId)
{
    if (TFlowGraph* Clip = AsFlowGraph(ClipGraph()))
        Clip->RenumberFittingLinks(OldId, NewId);
}

void TFlowGraphFrame::CopyBranchHook(TBranch* Branch)
{
    auto* B = dynamic_cast<TFlowBranch*>(Branch);
    if (!B || !FDuctGraph)
        return;
    FDuctGraph->CollectFittings(B);
    for (TFitting* F : B->LinkedFittings)
        F->Selected = 1;
}

void TFlowGraphFrame::AfterCopy()
{
    if (TFlowGraph* Clip = AsFlowGraph(ClipGraph()); Clip && FDuctGraph)
        Clip->CopyFittingsFrom(*FDuctGraph);
}

void TFlowGraphFrame::BeforePaste()
{
    // A link to a branch that was not copied goes: the pasted fitting must
    // not tie a pasted branch to one of the originals.
    if (TFlowGraph* Clip = AsFlowGraph(ClipGraph()))
        Clip->ResolveFittingLinks(true);
}

void TFlowGraphFrame::AfterPaste()
{
    TFlowGraph* Clip = AsFlowGraph(ClipGraph());
    if (Clip && FDuctGraph && !Clip->Fittings.empty()) {
        FDuctGraph->AddFittings(Clip->Fittings);
        if (OnFittingsPasted)
            OnFittingsPasted();
    }
    UpdateMainFanButton();
}

void TFlowGraphFrame::CreateClipGraph() { FClipGraph = std::make_unique<TDuctGraph>(false); }

// ---------------------------------------------------------------- graph and dialogs

void TFlowGraphFrame::SetGraph(TGraph* Graph)
{
    FDuctGraph = dynamic_cast<TDuctGraph*>(Graph);
    // The windows' items belonged to the network shown before: left open,
    // they would go on showing another document's values.
    HideDialogs();
    if (TPressureDropForm* Form = PressureDropForm())
        Form->ShowBranch(nullptr, false);
    TGraphViewFrame::SetGraph(Graph);
    UpdateMainFanButton();
}

void TFlowGraphFrame::CreateToolBoxes()
{
    TGraphViewFrame::CreateToolBoxes();
    if (!FBranchForm) {
        FBranchForm = new TDuctBranchForm(Settings, this);
        FBranchForm->OnRedrawBranch = [this](TDuctBranch* B) { RedrawBranch(B); };
        FBranchForm->OnSetBranchName = [this](TDuctBranch* B, const std::string& Name) { SetBranchName(B, Name); };
    }
    if (!FDiamForm) {
        FDiamForm = new TDuctDiamForm(Settings, this);
        FBranchForm->DuctDiamForm = FDiamForm;
    }
    if (!FNodeDlg) {
        FNodeDlg = new TFlowNodeDlg(Settings, this);
        FNodeDlg->OnRedrawNode = [this](TFlowNode* N) { RedrawNode(N); };
        FNodeDlg->OnSetNodeName = [this](TFlowNode* N, const std::string& Name) { SetNodeName(N, Name); };
        FNodeDlg->OnNodeTypeChanged = [this](TFlowNode* N) { NodeTypeChanged(N); };
    }
    // The pressure-drop form describes its branch as the labels do.
    if (!FBranchForm->PressureDropForm)
        if (TDuctFittingDB* Database = DuctFittingDB())
            FBranchForm->PressureDropForm = new TPressureDropForm(Settings, *Database, this);
    if (!FLabelsDlg) {
        FLabelsDlg = new TDuctLabelsDlg(Settings, this);
        FLabelsDlg->SetUnitsSource([this](TLabelQuantity Quantity) {
            switch (Quantity) {
            case lqFlow: return FBranchForm->RowUnits(TDuctBranchForm::RowVolumeFlow);
            case lqVelocity: return FBranchForm->RowUnits(TDuctBranchForm::RowVelocity);
            case lqPressureDrop: return FBranchForm->RowUnits(TDuctBranchForm::RowPressureDrop);
            case lqDiameter: return FBranchForm->RowUnits(TDuctBranchForm::RowDiameter);
            case lqLength: return FBranchForm->RowUnits(TDuctBranchForm::RowLength);
            case lqWidth: return FDiamForm->edW->UnitsValue();
            case lqHeight: return FDiamForm->edH->UnitsValue();
            case lqRelPressure: return FNodeDlg->Grid->GetUnitsValue(TFlowNodeDlg::RowRelPressure);
            default: return TDuctLabelTexts::DefaultUnit(Quantity);
            }
        });
    }
    if (TPressureDropForm* Form = FBranchForm->PressureDropForm; Form && !Form->BranchDescription)
        Form->BranchDescription = [this](const TDuctBranch& B) {
            return ToQ(FLabelsDlg->BranchDescription(B));
        };
}

TPressureDropForm* TFlowGraphFrame::PressureDropForm() const
{
    return FBranchForm ? FBranchForm->PressureDropForm : nullptr;
}

void TFlowGraphFrame::HideDialogs()
{
    if (FBranchForm) {
        FBranchForm->SetBranch(nullptr);
        FBranchForm->hide();
    }
    if (FNodeDlg) {
        FNodeDlg->SetNode(nullptr);
        FNodeDlg->hide();
    }
    if (TPressureDropForm* Form = PressureDropForm())
        Form->hide();
}

void TFlowGraphFrame::SaveGraphDialogSettings()
{
    if (FBranchForm)
        FBranchForm->SaveSettings();
    if (FNodeDlg)
        FNodeDlg->SaveSettings();
}

void TFlowGraphFrame::BranchSelectedHook()
{
    // A cleared selection leaves the window on its branch: it shows that
    // branch's values, so what is typed there goes to it, and deleting the
    // branch later still finds the window that shows it.
    TDuctBranch* Selected = SelectedDuct();
    if (!FBranchForm || !Selected)
        return;
    FBranchForm->SetBranch(Selected);
    FBranchForm->ShowBranch();
}

void TFlowGraphFrame::BranchPressedHook()
{
    if (FBranchForm && FBranchForm->isVisible()) {
        FBranchForm->show();
        FBranchForm->raise();
    }
}

void TFlowGraphFrame::NodeSelectedHook()
{
    // A merge ends here: it may have dropped the fan joining the two nodes.
    UpdateMainFanButton();
    if (FNodeDlg && FNodeDlg->isVisible() && SelectedNode())
        gvfEditNodeClick();
}

void TFlowGraphFrame::BeforeDeleteNodeHook(TNode* Node)
{
    if (FNodeDlg && Node && FNodeDlg->Node() == Node) {
        FNodeDlg->SetNode(nullptr);
        FNodeDlg->hide();
    }
}

void TFlowGraphFrame::BeforeDeleteBranchHook(TBranch* Branch)
{
    if (FBranchForm && Branch && FBranchForm->Branch() == Branch) {
        FBranchForm->SetBranch(nullptr);
        FBranchForm->hide();
    }
    if (TPressureDropForm* Form = PressureDropForm(); Form && Branch && Form->Branch() == Branch) {
        Form->ShowBranch(nullptr, false);
        Form->hide();
    }
}

void TFlowGraphFrame::DeleteItems(const std::vector<TNode*>& Nodes, const std::vector<TBranch*>& Branches,
                                  TDeleteReport Report)
{
    TGraphViewFrame::DeleteItems(Nodes, Branches, Report);
    UpdateMainFanButton();
}

void TFlowGraphFrame::NodeTypeChanged(TNode* Node)
{
    if (FDuctGraph)
        FDuctGraph->UpdateNodeTerminals(AsFlowNode(Node));
}

void TFlowGraphFrame::gvfEditBranchClick() { EditBranch(); }

void TFlowGraphFrame::EditBranch()
{
    TDuctBranch* B = SelectedDuct();
    if (!B || !FBranchForm)
        return;
    FBranchForm->SetBranch(B);
    FBranchForm->ShowBranch();
    FBranchForm->show();
    FBranchForm->raise();
}

void TFlowGraphFrame::gvfEditNodeClick()
{
    auto* N = AsFlowNode(SelectedNode());
    if (!N || !FNodeDlg)
        return;
    FNodeDlg->SetNode(N);
    FNodeDlg->TerminalSide = TerminalSide(N);
    FNodeDlg->Refresh();
    FNodeDlg->show();
    FNodeDlg->raise();
}

void TFlowGraphFrame::gvfReverseBranchClick()
{
    TGraphViewFrame::gvfReverseBranchClick();
    TDuctBranch* B = SelectedDuct();
    if (!B || !FDuctGraph)
        return;
    // Reversing swaps the terminal roles: the node that became an inlet or
    // outlet takes its terminal and glyph.
    TFlowNode* Changed = nullptr;
    if (B->FromFlowNode()->NodeType == ntInlet)
        Changed = B->FromFlowNode();
    else if (B->ToFlowNode()->NodeType == ntOutlet)
        Changed = B->ToFlowNode();
    if (Changed) {
        RedrawNode(Changed);
        FDuctGraph->UpdateNodeTerminals(Changed);
        NodeSelectedHook();
    }
    if (PressureDropForm())
        FBranchForm->ShowBranchPressureDrop(B);
}

void TFlowGraphFrame::RefreshAfterSolve(TBranch* Branch)
{
    if (FDuctGraph) {
        const TFlowBranch* Leak = FDuctGraph->LeakBranch;
        const auto Holds = [Leak](const TNode* N) { return Leak && (Leak->FromNode == N || Leak->ToNode == N); };
        if (TFlowNode* Supply = FDuctGraph->SupplyRef) {
            if (Holds(Supply))
                Supply->Glyph = giPlainOutlet;
            else
                UpdateNodeGlyph(Supply);
        }
        if (TFlowNode* Return = FDuctGraph->ReturnRef) {
            if (Holds(Return))
                Return->Glyph = giPlainInlet;
            else
                UpdateNodeGlyph(Return);
        }
    }
    RedrawGraph();
    SelectBranch(Branch);
    if (FNodeDlg)
        FNodeDlg->Refresh();
}
