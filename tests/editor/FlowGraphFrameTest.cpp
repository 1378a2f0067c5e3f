// The duct network editor: its tools, spawns and merges with duct meaning,
// the main fan button, scaled lengths, labels, pop-ups and the fittings the
// clipboard carries.

#include "EditorTestSupport.h"

#include "dialogs/DuctBranchForm.h"
#include "dialogs/FlowNodeDlg.h"
#include "dialogs/PressureDropForm.h"
#include "fittings/DuctFittingDB.h"
#include "editor/DuctGlyphs.h"
#include "editor/FlowGraphFrame.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"

#include <QMenu>
#include "controls/FlatPageControl.h"

using namespace edtest;

namespace {

// A duct editor on a network of its own, no snapping, no grid.
struct TDuctView {
    TScriptedServices Services;
    TMemorySettingsStore Settings;
    TSettings Defaults;
    TDuctGraph Graph{false, &Defaults};
    std::unique_ptr<TFlowGraphFrame> Frame;

    TDuctView()
    {
        Frame = std::make_unique<TFlowGraphFrame>(Settings);
        Frame->resize(900, 600);
        Frame->InitView();
        Frame->GridToolBox()->SnapToGrid = false;
        Frame->SetGraph(&Graph);
    }

    TFlowNode* Node(int Id, int X, int Y, TNodeType Type = ntCommon)
    {
        auto* N = static_cast<TFlowNode*>(Graph.GetOrAddNode(Id));
        N->X = X;
        N->Y = Y;
        N->NodeType = Type;
        Frame->UpdateNodeGlyph(N);
        return N;
    }

    TDuctBranch* Duct(int Id, int From, int To, TDuctType Type = dtSpiral, double Gain = 0.0)
    {
        auto* B = static_cast<TDuctBranch*>(Graph.AddBranch(Id, From, To));
        B->SetDuctType(Type, Gain, 5.0, 0.2);
        B->Name = std::to_string(Id) + (Type == dtSpiral ? " Spiral" : " Duct");
        Frame->UpdateBranchGlyph(B);
        return B;
    }

    void Drag(QPoint From, QPoint To, TShiftState Modifiers = 0)
    {
        Frame->Image1MouseDown(TMouseButton::Left, Modifiers | ssLeft, From.x(), From.y());
        Frame->Image1MouseMove(Modifiers | ssLeft, To.x(), To.y());
        Frame->Image1MouseUp(TMouseButton::Left, Modifiers, To.x(), To.y());
    }

    void Click(QPoint At) { Drag(At, At); }

    // A right press and release on an item, the pop-up answering Pick.
    void RightClick(QPoint At, const QString& Pick)
    {
        Services.MenuChoice = Pick;
        Frame->Image1MouseDown(TMouseButton::Right, ssRight, At.x(), At.y());
        Frame->Image1MouseUp(TMouseButton::Right, 0, At.x(), At.y());
    }
};

QPoint At(const TNode* N) { return {N->X, N->Y}; }

} // namespace

TEST(FlowGraphFrame, OnlyOneMainFanCanBeDrawn)
{
    enum class TUndo { Delete, Block };
    for (TUndo How : {TUndo::Delete, TUndo::Block}) {
        TDuctView V;
        EXPECT_TRUE(V.Frame->MainFanBtn->isEnabled());
        V.Frame->MainFanBtn->setChecked(true);
        V.Click({300, 300});
        auto* Fan = V.Graph.DuctBranch(1);
        ASSERT_NE(Fan, nullptr);
        EXPECT_EQ(Fan->Name, "Main Fan");
        EXPECT_EQ(Fan->DuctType, dtFan);
        EXPECT_EQ(Fan->Kind, bkGain);
        EXPECT_EQ(Fan->FixedDps.size(), 2u);
        EXPECT_EQ(V.Graph.MainFan, Fan);
        EXPECT_EQ(Fan->Glyph, giFan);
        EXPECT_FALSE(V.Frame->MainFanBtn->isEnabled());
        EXPECT_TRUE(V.Frame->ArrowBtn->isChecked()) << "the disabled tool gives way";

        if (How == TUndo::Delete) {
            V.Frame->DeleteBranch(Fan);
        } else {
            V.Drag({200, 200}, {400, 400}); // a band round the fan
            V.Frame->gvfActionDeleteExecute();
            EXPECT_EQ(V.Graph.NodeCount(), 0);
        }
        EXPECT_EQ(V.Graph.MainFan, nullptr);
        EXPECT_TRUE(V.Frame->MainFanBtn->isEnabled()) << int(How);
    }
}

TEST(FlowGraphFrame, AltPressesSpawnSpiralsWithTerminals)
{
    const struct {
        TShiftState Keys;
        bool Outwards; // the new branch leaves the pressed node
        TNodeType Type;
        int Glyph;
    } Cases[] = {{ssAlt, true, ntOutlet, giDiffuser}, {ssShift | ssAlt, false, ntInlet, giReturnGrille}};
    for (const auto& C : Cases) {
        TDuctView V;
        V.Node(1, 200, 200);
        V.Drag({200, 200}, {300, 320}, C.Keys);
        ASSERT_EQ(V.Graph.NodeCount(), 2) << C.Keys;
        const TFlowNode* New = V.Graph.FlowNode(2);
        EXPECT_EQ(New->NodeType, C.Type);
        EXPECT_EQ(New->Glyph, C.Glyph);
        const TDuctBranch* B = V.Graph.DuctBranch(1);
        ASSERT_NE(B, nullptr);
        EXPECT_EQ(B->FromNode->Id(), C.Outwards ? 1 : 2);
        EXPECT_EQ(B->DuctType, dtSpiral);
        EXPECT_EQ(B->Name, "1 Spiral");
        EXPECT_DOUBLE_EQ(B->Length, 1.5);
        EXPECT_DOUBLE_EQ(B->DesignFlow, C.Type == ntOutlet ? V.Defaults.defoutletq[0] : V.Defaults.definletq[0]);
        EXPECT_DOUBLE_EQ(B->DesignFlow, 0.3);
        EXPECT_TRUE(C.Type == ntOutlet ? B->OutletTerminal != nullptr : B->InletTerminal != nullptr);
    }
    // A terminal is never linked from: Ctrl on an outlet drags it.
    TDuctView V;
    V.Node(1, 200, 200, ntOutlet);
    V.Drag({200, 200}, {260, 230}, ssCtrl);
    EXPECT_EQ(V.Graph.NodeCount(), 1);
    EXPECT_EQ(At(V.Graph.FlowNode(1)), QPoint(260, 230));
}

TEST(FlowGraphFrame, AnOutletMergesOnlyWhereItEndsOneDuct)
{
    const struct {
        const char* Name;
        bool OutletDuct;  // the dropped outlet ends a duct of its own
        int TargetDucts;  // plain ducts at the target
        bool Booster;     // the target also has a booster
        bool Merged;
    } Cases[] = {{"a lone outlet onto a duct end", false, 1, false, true},
                 {"an outlet duct onto a node of two ducts", true, 2, false, false},
                 {"a lone outlet onto a booster", false, 0, true, false}};
    for (const auto& C : Cases) {
        TDuctView V;
        V.Node(1, 100, 100, ntOutlet);
        if (C.OutletDuct) {
            V.Node(2, 100, 40);
            V.Duct(1, 2, 1);
        }
        V.Node(10, 400, 300);
        int Id = 10;
        for (int I = 0; I < C.TargetDucts; ++I) {
            V.Node(++Id, 300 + 40 * I, 200);
            V.Duct(10 + I, Id, 10);
        }
        if (C.Booster) {
            V.Node(20, 500, 300);
            V.Duct(20, 20, 10, dtRect, 20.0);
        }
        V.Drag({100, 100}, {400, 300});
        EXPECT_EQ(V.Graph.FindNode(10) == nullptr, C.Merged) << C.Name;
    }
}

TEST(FlowGraphFrame, LengthsToScaleRunToTheHandleWithoutATargetNode)
{
    const struct {
        const char* Name;
        bool ToActive;
        double Length;
    } Cases[] = {{"both ends drawn", true, 10.0}, {"the to-node is the sink", false, 5.0}};
    for (const auto& C : Cases) {
        TDuctView V;
        V.Node(1, 100, 100);
        V.Node(2, 160, 180, C.ToActive ? ntCommon : ntSink);
        TDuctBranch* B = V.Duct(1, 1, 2);
        B->LabelX = 130;
        B->LabelY = 140;
        int Changed = 0;
        V.Frame->OnBranchChanged = [&](TBranch*) { ++Changed; };
        V.Frame->SetBranchLengthToScale(B, 0.1);
        EXPECT_NEAR(B->Length, C.Length, 1e-9) << C.Name;
        EXPECT_NEAR(B->TotalLength, C.Length + B->EquivLength, 1e-9) << C.Name;
        EXPECT_EQ(Changed, 1);
    }
}

TEST(FlowGraphFrame, TheReferenceNodeOfTheLeakageTellsItsFlow)
{
    TDuctView V;
    TFlowNode* Supply = V.Node(4, 300, 100);
    V.Node(5, 400, 100);
    V.Node(9, -1, -1, ntSink);
    V.Duct(1, 4, 5);
    auto* Leak = static_cast<TDuctBranch*>(V.Graph.AddBranch(-1, 4, 9));
    Leak->SetVolumeFlow(0.1);
    V.Graph.LeakBranch = Leak;
    V.Graph.SupplyRef = Supply;
    const std::string Text = V.Frame->NodeLabelText(Supply);
    const std::string End = "0.100 m³/s leakage";
    ASSERT_GE(Text.size(), End.size());
    EXPECT_EQ(Text.substr(Text.size() - End.size()), End);
    EXPECT_EQ(Text.rfind("4 ", 0), 0u) << Text;
    EXPECT_EQ(V.Frame->NodeLabelText(V.Graph.FlowNode(5)), "5 ");

    V.Frame->RefreshAfterSolve(V.Graph.FindBranch(1));
    EXPECT_EQ(Supply->Glyph, giPlainOutlet);
    EXPECT_EQ(V.Frame->SelectedBranch(), V.Graph.FindBranch(1));
}

TEST(FlowGraphFrame, PastedBranchesBringTheirFittings)
{
    TDuctView V;
    V.Node(1, 100, 100);
    V.Node(2, 200, 100);
    V.Node(3, 300, 100);
    V.Duct(1, 1, 2);
    V.Duct(2, 2, 3);
    auto Elbow = std::make_unique<TFitting>("Elbow", "CD3-1");
    Elbow->Roles = {"0"};
    Elbow->Links = {{1, nullptr}};
    V.Graph.Fittings.push_back(std::move(Elbow));
    auto Transition = std::make_unique<TFitting>("Transition", "SD4-1");
    Transition->Roles = {"0", "1"};
    Transition->Links = {{1, nullptr}, {2, nullptr}};
    V.Graph.Fittings.push_back(std::move(Transition));
    V.Graph.ResolveFittingLinks(false);
    int Pasted = 0;
    V.Frame->OnFittingsPasted = [&] { ++Pasted; };

    V.Drag({150, 100}, {150, 100}, ssShift); // branch 1 alone into the block
    V.Frame->gvfActionCopyExecute();
    V.Frame->gvfActionPasteExecute();

    ASSERT_EQ(V.Graph.BranchCount(), 3);
    const int NewId = V.Graph.Branches().back()->Id();
    EXPECT_EQ(NewId, 3);
    ASSERT_EQ(V.Graph.Fittings.size(), 4u);
    EXPECT_EQ(Pasted, 1);
    const TFitting& NewElbow = *V.Graph.Fittings[2];
    EXPECT_EQ(NewElbow.Code, "CD3-1");
    EXPECT_EQ(NewElbow.Links[0].BranchId, NewId);
    EXPECT_EQ(NewElbow.Links[0].Branch, V.Graph.FindBranch(NewId));
    const TFitting& NewTransition = *V.Graph.Fittings[3];
    EXPECT_EQ(NewTransition.Links[0].BranchId, NewId);
    EXPECT_EQ(NewTransition.Links[1].BranchId, -1) << "branch 2 was not copied";
    EXPECT_EQ(V.Graph.Fittings[0]->Links[0].BranchId, 1) << "the originals stay";
    EXPECT_EQ(V.Graph.Fittings[0]->Selected, 0);
}

TEST(FlowGraphFrame, PopupsChangeDuctAndNodeTypes)
{
    TDuctView V;
    V.Node(3, 100, 100);
    TFlowNode* End = V.Node(4, 300, 100, ntOutlet);
    TDuctBranch* B = V.Duct(3, 3, 4);
    B->Name = "3 Spiral";
    int Changed = 0;
    V.Frame->OnBranchChanged = [&](TBranch*) { ++Changed; };

    V.RightClick({200, 100}, "&Rectangular");
    EXPECT_TRUE(V.Services.PopupItems.contains("Di&mensions"));
    EXPECT_EQ(B->DuctType, dtRect);
    EXPECT_EQ(B->Name, "3 Duct");
    EXPECT_EQ(B->Glyph, giRectDuct);
    EXPECT_EQ(Changed, 1);

    // The outlet end of the duct offers its outlet, its flow and a change
    // back to a common node.
    V.RightClick(At(End), "&Common");
    EXPECT_TRUE(V.Frame->EditVolFlowNodeItem->isVisible());
    EXPECT_EQ(V.Frame->EditInOutletNodeItem->text(), "Edit &outlet");
    EXPECT_TRUE(V.Frame->Outlet1->isVisible());
    EXPECT_FALSE(V.Frame->Inlet1->isVisible());
    EXPECT_EQ(End->NodeType, ntCommon);
    EXPECT_EQ(End->Glyph, giNode);

    // A common node in the middle offers no terminal commands.
    V.Node(5, 500, 100);
    V.Duct(4, 4, 5);
    V.RightClick(At(End), "");
    EXPECT_FALSE(V.Frame->EditVolFlowNodeItem->isVisible());
    EXPECT_FALSE(V.Frame->NodeTypeMenu->menuAction()->isEnabled());
}

TEST(FlowGraphFrame, TheNodeDialogOffersTheSideAnEndNodeIsOn)
{
    TDuctView V;
    V.Node(1, 100, 100);
    V.Node(2, 200, 100);
    V.Node(3, 300, 100);
    V.Node(4, 200, 200);
    V.Duct(1, 1, 2);
    V.Duct(2, 2, 3);
    V.Duct(3, 2, 4, dtRect, 20.0); // a booster to node 4
    const struct {
        int Node;
        int Side;
    } Cases[] = {{1, 1}, {3, 0}, {2, 2}, {4, 2}};
    for (const auto& C : Cases) {
        V.Drag(At(V.Graph.FindNode(C.Node)), At(V.Graph.FindNode(C.Node)), ssDouble);
        ASSERT_TRUE(V.Frame->NodeDlg()->isVisible()) << C.Node;
        EXPECT_EQ(V.Frame->NodeDlg()->Node(), V.Graph.FindNode(C.Node));
        EXPECT_EQ(V.Frame->NodeDlg()->TerminalSide, C.Side) << C.Node;
    }
    V.Frame->DeleteNode(V.Graph.FindNode(4));
    EXPECT_FALSE(V.Frame->NodeDlg()->isVisible()) << "its node went";
    EXPECT_EQ(V.Frame->NodeDlg()->Node(), nullptr);

    // Another document shown: the windows of this one's items close.
    V.Drag(At(V.Graph.FindNode(2)), At(V.Graph.FindNode(2)), ssDouble);
    V.Drag({150, 100}, {150, 100}, ssDouble);
    ASSERT_TRUE(V.Frame->NodeDlg()->isVisible());
    ASSERT_TRUE(V.Frame->BranchForm()->isVisible());
    TSettings OtherDefaults;
    TDuctGraph Other{false, &OtherDefaults};
    V.Frame->SetGraph(&Other);
    EXPECT_FALSE(V.Frame->NodeDlg()->isVisible());
    EXPECT_FALSE(V.Frame->BranchForm()->isVisible());
    V.Frame->SetGraph(&V.Graph);
}

TEST(FlowGraphFrame, PopupsOpenThePressureDropFormOnTheirDuct)
{
    static TDuctFittingDB& Database = CreateDuctFittingDB(VENTRIX_COMMON_DATA_DIR);
    (void)Database;
    TDuctView V;
    V.Node(1, 100, 100, ntInlet);
    V.Node(2, 300, 100);
    V.Node(3, 500, 100, ntOutlet);
    TDuctBranch* In = V.Duct(1, 1, 2);
    TDuctBranch* Out = V.Duct(2, 2, 3);
    const struct {
        int Node;
        const char* Item;
        TDuctBranch* Branch;
        bool Outlet;
    } Cases[] = {{3, "Edit &outlet", Out, true}, {1, "Edit &inlet", In, false}};
    for (const auto& C : Cases) {
        V.RightClick(At(V.Graph.FindNode(C.Node)), C.Item);
        TPressureDropForm* Form = V.Frame->PressureDropForm();
        ASSERT_NE(Form, nullptr);
        EXPECT_TRUE(Form->isVisible()) << C.Item;
        EXPECT_EQ(Form->Branch(), C.Branch);
        EXPECT_EQ(V.Frame->SelectedBranch(), C.Branch);
        EXPECT_EQ(Form->PageControl->currentWidget(), C.Outlet ? Form->OutletSheet : Form->InletSheet);
    }
    V.RightClick({200, 100}, "&Fittings");
    EXPECT_EQ(V.Frame->PressureDropForm()->Branch(), In);
    EXPECT_EQ(V.Frame->BranchForm()->Branch(), In);
    // Deleting the duct the form shows hides it.
    V.Frame->DeleteBranch(In);
    EXPECT_FALSE(V.Frame->PressureDropForm()->isVisible());
    EXPECT_EQ(V.Frame->PressureDropForm()->Branch(), nullptr);
}

TEST(FlowGraphFrame, AMergeThatWouldDeleteTheMainFanIsRefused)
{
    // One end of the fan dropped on the other, alone or by a Ctrl spawn.
    for (TShiftState Keys : {TShiftState(0), TShiftState(ssCtrl)}) {
        TDuctView V;
        V.Frame->MainFanBtn->setChecked(true);
        V.Click({300, 300});
        const auto* Fan = V.Graph.DuctBranch(1);
        ASSERT_NE(Fan, nullptr);
        V.Frame->ArrowBtn->setChecked(true);
        V.Drag(At(Fan->ToNode), At(Fan->FromNode), Keys);
        EXPECT_EQ(V.Services.Messages.size(), 1) << Keys;
        EXPECT_EQ(V.Graph.MainFan, Fan) << Keys;
        EXPECT_EQ(V.Graph.FindBranch(1), Fan) << Keys;
    }
}
