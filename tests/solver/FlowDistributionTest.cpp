#include "tests/network/FlowNetworkBuilder.h"

#include "graph/GraphFlags.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

int SinkCount(const TDuctGraph& G)
{
    int Count = 0;
    for (const auto& Node : G.Nodes())
        Count += static_cast<const TFlowNode&>(*Node).IsSink() ? 1 : 0;
    return Count;
}

} // namespace

TEST(FlowDistribution, DefaultNetworkCarriesItsTerminalFlowsEverywhere)
{
    TFlowNetwork N;
    TDuctGraph G(true, &N.Defaults);
    ASSERT_TRUE(G.DistributeFlows());
    for (int Id = 1; Id <= 5; ++Id)
        EXPECT_NEAR(G.FlowBranch(Id)->DesignFlow, 0.3, 1e-12) << "branch " << Id;
    EXPECT_EQ(G.LeakBranch, nullptr);
    EXPECT_EQ(G.Status, ssNotSolved);
}

class TreeDistribution : public testing::TestWithParam<bool> {};

TEST_P(TreeDistribution, SumsTerminalsBackToTheFanWithLeakage)
{
    const bool Reversed = GetParam();
    TFlowNetwork N;
    N.TreeWithLeakage(Reversed);
    TDuctGraph& G = N.G;
    ASSERT_TRUE(G.DistributeFlows());
    ASSERT_TRUE(G.DistributeFlows()); // the generated items are made anew
    EXPECT_EQ(SinkCount(G), 1);

    // Supply 0.3 + 0.2, return 0.4: the fan takes the larger and the 0.1
    // m³/s the return lacks enters from the sink at the fan's return node.
    EXPECT_NEAR(G.MainFan->DesignFlow, 0.5, 1e-12);
    ASSERT_NE(G.LeakBranch, nullptr);
    EXPECT_EQ(G.LeakBranch->Name, "Flow Leakage");
    EXPECT_NEAR(G.LeakBranch->DesignFlow, 0.1, 1e-12);
    EXPECT_TRUE(G.LeakBranch->FromFlowNode()->IsSink());
    EXPECT_EQ(G.LeakBranch->ToNode, G.FindNode(3));
    EXPECT_NEAR(G.FlowBranch(2)->DesignFlow, 0.4, 1e-12);
    // Against the air the supply duct carries its 0.5 m³/s negative.
    EXPECT_NEAR(G.FlowBranch(4)->DesignFlow, Reversed ? -0.5 : 0.5, 1e-12);
    double Flow = 0.0;
    EXPECT_TRUE(G.CanBalanceLeak(G.FlowBranch(1), Flow));
    EXPECT_NEAR(Flow, 0.1, 1e-12);
    EXPECT_FALSE(G.CanBalanceLeak(G.FlowBranch(5), Flow));

    G.InitFlowsFromDesign();
    EXPECT_NEAR(G.FlowBranch(4)->VolumeFlow, Reversed ? -0.5 : 0.5, 1e-12);
    EXPECT_NEAR(G.FlowNode(6)->ExtMassFlow, -0.3 * G.FlowNode(6)->Density, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(DrawnWithOrAgainstTheAir, TreeDistribution, testing::Bool());

// A fan drawn from an inlet (or to an outlet) is itself a terminal branch:
// supply and return may differ, but no leakage branch can close at its
// terminal node.
TEST(FlowDistribution, AFanThatIsATerminalGetsNoLeakageBranch)
{
    for (bool FromInlet : {true, false}) {
        SCOPED_TRACE(FromInlet ? "fan from an inlet" : "fan to an outlet");
        TFlowNetwork N;
        if (FromInlet) {
            // Inlet 1 =fan (0.4)=> 2 -> outlets 3 (0.3) and 4 (0.2).
            N.Node(1, ntInlet);
            N.Node(3, ntOutlet);
            N.Node(4, ntOutlet);
            N.Fan(1, 1, 2, 0.4);
            N.G.MainFan->DesignFlow = 0.4;
            N.Duct(2, 2, 3, 0.3);
            N.Duct(3, 2, 4, 0.2);
        } else {
            // Inlets 1 (0.3) and 2 (0.2) -> 3 =fan (0.4)=> outlet 4.
            N.Node(1, ntInlet);
            N.Node(2, ntInlet);
            N.Node(4, ntOutlet);
            N.Duct(1, 1, 3, 0.3);
            N.Duct(2, 2, 3, 0.2);
            N.Fan(3, 3, 4, 0.4);
            N.G.MainFan->DesignFlow = 0.4;
        }
        ASSERT_TRUE(N.G.DistributeFlows());
        EXPECT_NEAR(std::fabs(N.G.Leakage), 0.1, 1e-12);
        EXPECT_EQ(N.G.LeakBranch, nullptr);
        for (const auto& B : N.G.Branches())
            EXPECT_NE(B->Name, "Flow Leakage");
    }
}

TEST(FlowDistribution, InnerLoopChordKeepsItsFlowAndCirculatesIt)
{
    TFlowNetwork N;
    N.InnerLoop();
    TDuctGraph& G = N.G;
    ASSERT_TRUE(G.DistributeFlows());
    ASSERT_EQ(G.MeshCount(), 1);
    EXPECT_EQ(G.Meshes().front()->Links.front().Branch, G.FindBranch(7));
    // Tree: 5 -> 7 carries outlet 9's 0.3, 5 -> 8 outlet 10's 0.2; the
    // chord's 0.05 from 7 to 8 then adds to the first and comes off the other.
    EXPECT_NEAR(G.FlowBranch(5)->DesignFlow, 0.35, 1e-12);
    EXPECT_NEAR(G.FlowBranch(6)->DesignFlow, 0.15, 1e-12);
    EXPECT_NEAR(G.FlowBranch(7)->DesignFlow, 0.05, 1e-12);
    EXPECT_NEAR(G.FlowBranch(4)->DesignFlow, 0.5, 1e-12);
    EXPECT_NEAR(G.MainFan->DesignFlow, 0.5, 1e-12);
    EXPECT_EQ(G.LeakBranch, nullptr);
    for (const auto& Node : G.Nodes())
        EXPECT_FALSE(BitIsSet(Node->Flags, gfExcluded)) << Node->Name;
}

TEST(FlowDistribution, BalancingAfterADistributionFindsItsCircuits)
{
    // The distribution marks terminals excluded; left marked they would
    // break every circuit of the balancing that follows a sizing command.
    TFlowNetwork N;
    N.InnerLoop();
    TDuctGraph& G = N.G;
    ASSERT_TRUE(G.DistributeFlows());
    G.InitFlowsFromDesign();
    G.Method = smFlowBalance;
    G.Solve();
    EXPECT_FALSE(N.Said("Error building mesh circuits"));
    EXPECT_EQ(G.Status, ssSolved);
}

// The tree above, damaged by Damage.
struct TCheckCase {
    const char* Name;
    std::function<void(TFlowNetwork&)> Damage;
    bool Balance; // Solve, else DistributeFlows
    const char* Message;
    int ErrorBranch; // 0: none expected
};

class NetworkChecks : public testing::TestWithParam<TCheckCase> {};

TEST_P(NetworkChecks, RefuseWithTheirMessageAndDataError)
{
    const TCheckCase& C = GetParam();
    TFlowNetwork N;
    N.TreeWithLeakage();
    C.Damage(N);
    N.G.Method = C.Balance ? smFlowBalance : smEqualFriction;
    const bool Ok = C.Balance ? (N.G.Solve(), N.G.Status != ssDataError) : N.G.DistributeFlows();
    EXPECT_FALSE(Ok);
    EXPECT_EQ(N.G.Status, ssDataError);
    EXPECT_TRUE(N.Said(C.Message)) << N.Messages.LastText();
    if (C.ErrorBranch != 0) {
        EXPECT_EQ(N.G.ErrorBranch, N.G.FindBranch(C.ErrorBranch));
    }
}

namespace {

void NoFan(TFlowNetwork& N)
{
    N.G.DeleteBranch(N.G.MainFan);
}

} // namespace

INSTANTIATE_TEST_SUITE_P(
    Refusals, NetworkChecks,
    testing::Values(
        TCheckCase{"NoFanBalance", NoFan, true, "Main fan not found - add to network", 0},
        TCheckCase{"OutletOnReturnSide",
                   [](TFlowNetwork& N) {
                       N.Node(8, ntOutlet);
                       N.Duct(7, 2, 8, 0.1);
                   },
                   false, "Invalid network. Outlet found on the return side of the fan", 7},
        TCheckCase{"InletOnSupplySide",
                   [](TFlowNetwork& N) {
                       N.Node(8, ntInlet);
                       N.Duct(7, 8, 5, 0.1);
                   },
                   false, "Invalid network. Inlets found on the supply side of the fan", 7},
        TCheckCase{"FanWithoutFlow", [](TFlowNetwork& N) { N.G.MainFan->SetVolumeFlow(0.0); }, true,
                   "Main branch (Main Fan) must have starting volume flow", 3},
        TCheckCase{"Disconnected", [](TFlowNetwork& N) { N.Duct(7, 20, 21, 0.1); }, true,
                   "Disconnected network.  Make sure all nodes and branches are connected and re-solve", 0}),
    [](const testing::TestParamInfo<TCheckCase>& Info) { return std::string(Info.param.Name); });
