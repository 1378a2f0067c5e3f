#include "tests/graph/GraphTestSupport.h"

#include "foundation/EquivDiamTool.h"
#include "foundation/WarningSink.h"
#include "graph/NumberedName.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"

#include <gtest/gtest.h>

#include <limits>

using namespace graphtest;

namespace {

TDuctBranch* AddDuct(TDuctGraph& G, int Id, TDuctType Type, double Width, double Flow)
{
    auto* B = static_cast<TDuctBranch*>(G.AddBranch(Id, Id, Id + 100));
    B->SetDuctType(Type, 0.0, 5.0, Flow);
    B->DuctWidth = Width;
    return B;
}

} // namespace

TEST(DuctBranchRenumber, NumberedNamesFollowTheNewId)
{
    TDuctGraph G;
    const std::pair<const char*, const char*> Cases[] = {
        {"Spiral 7", "Spiral 12"},
        {"Duct 7", "Duct 12"},
        {"Fan 7", "Fan 12"},
        {"Branch 7", "Branch 12"},
        {"SPIRAL 7", "SPIRAL 12"},      // the word keeps its spelling
        {"branch 7", "Branch 12"},      // the graph rule writes its own word
        {"Spiral 71", "Spiral 71"},     // another number
        {"Spiral 7 off Branch 7", "Spiral 12 off Branch 12"},
        {"RA Duct", "RA Duct"},
        {"Main", "Main"},
    };
    int Next = 1;
    for (const auto& [Before, After] : Cases) {
        G.AddBranch(7, Next, Next + 1);
        Next += 2;
        TDuctBranch* B = G.DuctBranch(7);
        B->Name = Before;
        B->Renumber(12);
        EXPECT_EQ(B->Name, After) << Before;
        EXPECT_EQ(B->PrevId, 7);
        EXPECT_EQ(G.FindBranch(12), B);
        G.DeleteBranch(B);
    }
}

TEST(NumberedName, NegativeIdsAndTrailingText)
{
    std::string Name = "Branch -3 (sink)";
    EXPECT_TRUE(ReplaceNumberedWord(Name, "Branch ", -3, 5, false));
    EXPECT_EQ(Name, "Branch 5 (sink)");
    Name = "Branch 30";
    EXPECT_FALSE(ReplaceNumberedWord(Name, "Branch ", 3, 5, false));
    EXPECT_EQ(Name, "Branch 30");
    Name = "Branch 30, Branch 3";
    EXPECT_TRUE(ReplaceNumberedWord(Name, "Branch ", 3, 5, false));
    EXPECT_EQ(Name, "Branch 30, Branch 5");
}

TEST(DuctGraphSort, WidthsPutUntypedBeforeCircularBeforeRectangular)
{
    TDuctGraph G;
    AddDuct(G, 1, dtRect, 0.4, 1.0);
    AddDuct(G, 2, dtSpiral, 0.9, 1.0); // a circular duct counts as 0 whatever its width
    AddDuct(G, 3, dtNone, 0.0, 1.0);
    AddDuct(G, 4, dtRect, 0.3, 1.0);
    AddDuct(G, 5, dtSpiral, 0.1, 1.0);
    G.SortBranches(8, true);
    EXPECT_EQ(BranchIds(G), (std::vector<int>{3, 2, 5, 4, 1}));
    // Descending keeps equal keys in their present order too.
    G.SortBranches(8, false);
    EXPECT_EQ(BranchIds(G), (std::vector<int>{1, 4, 2, 5, 3}));
    G.SortBranches(0, true);
    EXPECT_EQ(BranchIds(G), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(DuctGraphSort, EqualKeysKeepTheirOrderAndNaNCannotBreakTheSort)
{
    TDuctGraph G;
    for (int Id : {4, 2, 9, 7})
        AddDuct(G, Id, dtRect, 0.5, Id == 9 ? 2.0 : 1.0);
    G.SortBranches(2, true); // by volume flow: 4, 2, 7 tie
    EXPECT_EQ(BranchIds(G), (std::vector<int>{4, 2, 7, 9}));
    G.SortBranches(2, true);
    EXPECT_EQ(BranchIds(G), (std::vector<int>{4, 2, 7, 9}));
    G.DuctBranch(7)->VolumeFlow = std::numeric_limits<double>::quiet_NaN();
    G.SortBranches(2, true);
    EXPECT_EQ(BranchIds(G), (std::vector<int>{7, 4, 2, 9}));
    G.FindBranch(2)->Name = "b-main";
    G.FindBranch(4)->Name = "A-riser";
    G.FindBranch(7)->Name = "c";
    G.FindBranch(9)->Name = "B-return";
    G.SortBranches(1, true);
    EXPECT_EQ(BranchIds(G), (std::vector<int>{4, 2, 9, 7})); // without regard to case
}

TEST(DuctGraphSort, NodesByTypeAndPressure)
{
    TDuctGraph G(true);
    G.FlowNode(2)->RelPressure = 30.0;
    G.FlowNode(5)->RelPressure = -12.5;
    G.SortNodes(2, true);
    EXPECT_EQ(NodeIds(G).front(), 5);
    EXPECT_EQ(NodeIds(G).back(), 2);
    G.SortNodes(0, true);
    G.SortNodes(3, false); // Outlet (1) and Inlet (2) before the Common nodes, ties by id
    EXPECT_EQ(NodeIds(G), (std::vector<int>{1, 6, 2, 3, 4, 5}));
    G.SortNodes(0, false);
    EXPECT_EQ(NodeIds(G), (std::vector<int>{6, 5, 4, 3, 2, 1}));
}

TEST(FlowTerminals, NodeTypesAndKindsDriveTheTerminals)
{
    TSettings Settings;
    Settings.defoutletc = {5.0, 2.0, 1.0};
    Settings.defoutletq = {0.3, 0.15, 0.3};
    TDuctGraph G(true, &Settings);
    TFlowNode* Outlet = G.FlowNode(6);
    Outlet->OutletKind = okGrille;
    G.UpdateNodeTerminals(Outlet);
    const TFixedEndFitting& T = *G.DuctBranch(5)->OutletTerminal;
    EXPECT_EQ(T.Caption, "Grille");
    EXPECT_EQ(T.C, 2.0);
    EXPECT_EQ(T.RefDrop, 40.0);

    // A common node made an outlet gets its terminal on the branch ending there.
    G.FlowNode(5)->NodeType = ntOutlet;
    G.FlowNode(5)->OutletKind = okPlainOutlet;
    G.UpdateNodeTerminals(G.FlowNode(5));
    ASSERT_NE(G.DuctBranch(4)->OutletTerminal, nullptr);
    EXPECT_EQ(G.DuctBranch(4)->OutletTerminal->RefDrop, 20.0);
    EXPECT_EQ(G.DuctBranch(5)->InletTerminal, nullptr); // branch 5 starts there: no outlet terminal
    EXPECT_TRUE(TFlowGraph::IsTerminalBranch(*G.DuctBranch(4)));
    EXPECT_FALSE(TFlowGraph::IsTerminalBranch(*G.DuctBranch(3)));
    // Inlet reference drops by kind: grille 40, canopy 50, plain inlet 20 Pa.
    const std::pair<TInletKind, double> Inlets[] = {{ikCanopy, 50.0}, {ikPlainInlet, 20.0}, {ikGrille, 40.0}};
    for (const auto& [Kind, RefDrop] : Inlets) {
        G.FlowNode(1)->InletKind = Kind;
        G.UpdateNodeTerminals(G.FlowNode(1));
        EXPECT_EQ(G.DuctBranch(1)->InletTerminal->RefDrop, RefDrop);
    }

    G.Status = ssSolved;
    G.ResetOutletFlows(okGrille);
    EXPECT_EQ(G.DuctBranch(5)->DesignFlow, 0.15);
    EXPECT_EQ(G.DuctBranch(4)->DesignFlow, 1.0); // a plain outlet, not a grille
    EXPECT_EQ(G.Status, ssNotSolved);

    Settings.defoutletc[okGrille] = 3.0;
    G.DuctBranch(5)->OutletTerminal->RefDrop = 28.8;
    G.DuctBranch(5)->CalcTerminalLosses();
    const double DropAtC2 = T.Drop;
    ASSERT_GT(DropAtC2, 0.0);
    G.ResetOutletCValues(okGrille);
    EXPECT_EQ(T.C, 3.0);
    EXPECT_EQ(T.RefDrop, 28.8);             // the user's reference drop stays
    EXPECT_NEAR(T.RefVelocity, 4.0, 1e-12); // √(28.8/(0.6·3))
    // The drop follows the new C at once (it is proportional to C).
    EXPECT_NEAR(T.Drop, 1.5 * DropAtC2, 1e-9 * DropAtC2);
    EXPECT_EQ(G.DuctBranch(5)->OutletTermDrop, T.Drop);
}

TEST(FlowNode, SinkLinksDoNotCount)
{
    TDuctGraph G(true);
    TFlowNode* Sink = static_cast<TFlowNode*>(G.GetOrAddNode(-1));
    Sink->NodeType = ntSink;
    static_cast<TFlowBranch*>(G.AddBranch(-1, 6, -1))->Kind = bkSink;
    TFlowNode* Outlet = G.FlowNode(6);
    EXPECT_EQ(Outlet->CountActiveBranches(), 1);
    EXPECT_EQ(Sink->CountActiveBranches(), 0);
    EXPECT_FALSE(Sink->IsActive());
    EXPECT_EQ(Outlet->TerminalDuctBranch(), G.FindBranch(5));
    TBranch* End = nullptr;
    bool Outgoing = true;
    EXPECT_TRUE(Outlet->IsOutgoingEnd(End, Outgoing));
    EXPECT_EQ(End, G.FindBranch(5));
    EXPECT_FALSE(Outgoing);
    EXPECT_FALSE(G.FlowNode(2)->IsOutgoingEnd(End, Outgoing)); // two duct links
    EXPECT_TRUE(G.FlowNode(1)->IsOutgoingEnd(End, Outgoing));
    EXPECT_TRUE(Outgoing);
    EXPECT_FALSE(G.FlowNode(3)->HasGainBranch());
    G.MainFan->PressureGain = 250.0;
    EXPECT_TRUE(G.FlowNode(3)->HasGainBranch());
    EXPECT_EQ(Outlet->HintText(), "0.0 Pa");
}

TEST(DuctBranch, AssignDataCopiesValuesAndItemsNotTheirIdentity)
{
    TDuctGraph Source(true);
    TDuctGraph Target;
    Target.AddBranch(1, 1, 2);
    TDuctBranch* Copy = Target.DuctBranch(1);
    Copy->AssignData(*Source.MainFan);
    EXPECT_EQ(Copy->DuctType, dtFan);
    EXPECT_EQ(Copy->Kind, bkGain);
    EXPECT_EQ(Copy->DesignFlow, 1.0);
    ASSERT_EQ(Copy->FixedDps.size(), 2u);
    EXPECT_NE(Copy->FixedDps[0].get(), Source.MainFan->FixedDps[0].get());
    EXPECT_EQ(Copy->FixedDps[1]->Caption, "Filter");
    EXPECT_EQ(Copy->Id(), 1);
    EXPECT_EQ(Copy->Name, "Branch 1");
    EXPECT_EQ(Copy->FromNode, Target.FindNode(1));
    Copy->AssignData(*Source.DuctBranch(5));
    EXPECT_TRUE(Copy->FixedDps.empty());
    ASSERT_NE(Copy->OutletTerminal, nullptr);
    EXPECT_NE(Copy->OutletTerminal.get(), Source.DuctBranch(5)->OutletTerminal.get());
}

TEST(FlowTerminals, ValidateTerminalsWarnsOnceOfTheFirstOpenEnd)
{
    TRecordingWarningSink Sink;
    TScopedWarningSink Scope(Sink);
    TDuctGraph G(true);
    EXPECT_TRUE(G.ValidateTerminals());
    EXPECT_EQ(Sink.Count(), 0u);

    // A spur 5 -> 7 ends at a common node, 8 -> 2 starts at one.
    G.AddBranch(6, 5, 7);
    G.AddBranch(7, 8, 2);
    EXPECT_FALSE(G.ValidateTerminals());
    ASSERT_EQ(Sink.Count(), 1u);
    EXPECT_EQ(Sink.LastText(), "Warning: Node 7 should be an outlet");
    EXPECT_EQ(G.ErrorBranch, G.FindBranch(6));

    G.FlowNode(7)->NodeType = ntOutlet;
    EXPECT_FALSE(G.ValidateTerminals());
    EXPECT_EQ(Sink.LastText(), "Warning: Node 8 should be an inlet");
    EXPECT_EQ(G.ErrorBranch, G.FindBranch(7));
}

TEST(DuctGraphEdits, SizeFixedVelocitiesAndEditStamps)
{
    TDuctGraph G(true);
    G.SetAllSizeFixed(true);
    for (const auto& B : G.Branches())
        EXPECT_TRUE(static_cast<const TDuctBranch&>(*B).SizeFixed);
    // The duct's own velocity (1 m³/s in 0.5 x 0.5 m), not the one on its
    // equivalent circle.
    G.CopyVelocitiesToDesign();
    EXPECT_NEAR(G.DuctBranch(2)->DesignVelocity, 4.0, 1e-12);

    // Stamps are minus the date-time: a later edit gives a smaller stamp,
    // and today lies well after day 45000 (2023).
    G.DuctBranch(1)->MarkEdited();
    EXPECT_LT(G.DuctBranch(1)->EditStamp, -45000.0);
    EXPECT_GT(G.DuctBranch(1)->EditStamp, -80000.0);
    EXPECT_EQ(G.DuctBranch(2)->EditStamp, 0.0);
}

TEST(DuctGraphEdits, SetDuctTypeAllResizesEveryDuct)
{
    TDuctGraph G(true);
    TDuctBranch& Supply = *G.DuctBranch(4);
    Supply.Keep1 = 1; // its height was the latest known size
    G.DuctBranch(2)->SizeFixed = true;
    G.Status = ssSolved;
    EXPECT_FALSE(G.SetDuctTypeAll(true, 0.0, 0.25, 1.0)); // no main size
    EXPECT_EQ(G.DuctBranch(1)->Diameter, 0.2);
    EXPECT_EQ(G.Status, ssSolved);

    ASSERT_TRUE(G.SetDuctTypeAll(true, 0.4, 0.25, 0.0));
    EXPECT_EQ(G.Status, ssNotSolved);
    EXPECT_EQ(G.DuctBranch(1)->Diameter, 0.4);  // ends at a common node
    EXPECT_EQ(G.DuctBranch(5)->Diameter, 0.25); // ends at the outlet
    // A square of equivalent diameter 0.4 m: side 0.4/(1.3·2^-0.25) = 0.36591 m,
    // size-fixed or not; 1 m³/s through it runs at 7.469 m/s.
    const TDuctBranch& Return = *G.DuctBranch(2);
    EXPECT_EQ(Return.Diameter, 0.4);
    EXPECT_NEAR(Return.DuctWidth, 0.36591, 1e-5);
    EXPECT_NEAR(Return.DuctHeight, 0.36591, 1e-5);
    EXPECT_NEAR(Return.DuctVelocity, 7.469, 1e-3);
    EXPECT_TRUE(Return.SizeFixed);
    // The diameter takes the first place; the height, kept, makes the width.
    EXPECT_EQ(Supply.Keep1, 0);
    EXPECT_EQ(Supply.Keep2, 1);
    EXPECT_EQ(Supply.DuctHeight, 0.5);
    EXPECT_NEAR(TEquivDiamTool::EquivDiameter(Supply.DuctHeight, Supply.DuctWidth), 0.4, 1e-6);
    EXPECT_EQ(G.MainFan->Diameter, 0.0);
    EXPECT_EQ(G.MainFan->Aspect, 1.0);

    // By aspect: the diameter stays, the sides take height = 2·width:
    // width 0.4/(1.3·2^0.625/3^0.25) = 0.26258 m.
    ASSERT_TRUE(G.SetDuctTypeAll(false, 0.0, 0.0, 2.0));
    EXPECT_EQ(Return.Diameter, 0.4);
    EXPECT_EQ(Return.Keep1, 3);
    EXPECT_EQ(Return.Keep2, 0);
    EXPECT_NEAR(Return.DuctWidth, 0.26258, 1e-5);
    EXPECT_NEAR(Return.DuctHeight, 2.0 * Return.DuctWidth, 1e-12);
    EXPECT_EQ(G.MainFan->DuctWidth, 0.0);
}
