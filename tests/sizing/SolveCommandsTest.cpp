#include "tests/network/FlowNetworkBuilder.h"

#include "sizing/SolveCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The largest mass flow (kg/s) by which a node's inflows and outflows
// differ, the Sink included.
double LargestImbalance(const TDuctGraph& G)
{
    double Largest = 0.0;
    for (const auto& Node : G.Nodes()) {
        double Net = 0.0;
        for (const TLink& L : Node->Links)
            Net += L.Direction * static_cast<const TFlowBranch*>(L.Branch)->MassFlow;
        Largest = std::max(Largest, std::fabs(Net));
    }
    return Largest;
}

} // namespace

// Balancing right after a sizing command starts from the sized flows; the
// generated items made anew by its check must not leave air lost at the fan
// or at the Sink.
TEST(SolveCommands, BalancingAfterSizingConservesFlowAtEveryNode)
{
    for (TSolveCommand Sizing : {scEqualFriction, scVelocity, scStaticRegain}) {
        for (bool Leakage : {true, false}) {
            SCOPED_TRACE(testing::Message() << "sizing " << Sizing << (Leakage ? ", leakage" : ""));
            TFlowNetwork N;
            N.TreeWithLeakage();
            if (!Leakage)
                N.G.DuctBranch(1)->DesignFlow = 0.5;
            ASSERT_TRUE(RunSolveCommand(N.G, Sizing).Ran);
            ASSERT_EQ(N.G.LeakBranch != nullptr, Leakage);
            const TSolveCommandResult R = RunSolveCommand(N.G, scBalanceFlows);
            EXPECT_EQ(R.Status, ssSolved);
            EXPECT_EQ(N.G.LeakBranch, nullptr);
            EXPECT_LT(LargestImbalance(N.G), 1e-9);
            // The fan carries what the return duct brings and the supply takes.
            EXPECT_NEAR(N.G.MainFan->MassFlow, N.G.DuctBranch(2)->MassFlow, 1e-9);
            EXPECT_NEAR(N.G.MainFan->MassFlow, N.G.DuctBranch(4)->MassFlow, 1e-9);
            EXPECT_GT(N.G.MainFan->VolumeFlow, 0.1);
        }
    }
}

// Without a main fan the sizing commands and "Sum Flows" show the check's
// message and leave the network as it was, its status too; balancing the
// flows ends as a data error.
TEST(SolveCommands, WithoutAMainFanOnlyBalancingIsADataError)
{
    for (TSolveCommand Command : {scEqualFriction, scVelocity, scStaticRegain, scStandardSizes, scSumFlows, scBalanceFlows}) {
        SCOPED_TRACE(testing::Message() << "command " << Command);
        TFlowNetwork N;
        N.TreeWithLeakage();
        N.G.DeleteBranch(N.G.MainFan);
        N.G.Status = ssWithinTolerance;
        N.G.Method = smVelocity;
        const double Design = N.G.DuctBranch(5)->DesignFlow;
        const double Flow = N.G.DuctBranch(5)->VolumeFlow;
        const int Branches = N.G.BranchCount();
        const TSolveCommandResult R = RunSolveCommand(N.G, Command);
        EXPECT_EQ(R.Messages, std::vector<std::string>{"Main fan not found - add to network"});
        EXPECT_EQ(N.G.Status, Command == scBalanceFlows ? ssDataError : ssWithinTolerance);
        const TDuctBranch* Five = N.G.DuctBranch(5);
        ASSERT_NE(Five, nullptr);
        EXPECT_EQ(Five->DesignFlow, Design) << "branch 5's design flow";
        EXPECT_EQ(Five->VolumeFlow, Flow) << "branch 5's flow";
        EXPECT_EQ(N.G.BranchCount(), Branches);
    }
}
