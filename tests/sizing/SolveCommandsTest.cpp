#include "tests/network/FlowNetworkBuilder.h"

#include "sizing/SolveCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// Inlet 1 (0.4 m³/s) -> 2 -> 3 =fan=> 4 -> 5 with outlets 6 (0.3) and 7
// (0.2): supply and return differ, so distribution adds a leakage branch.
void BuildUnequalSides(TFlowNetwork& N)
{
    N.Node(1, ntInlet);
    N.Node(6, ntOutlet);
    N.Node(7, ntOutlet);
    N.Duct(1, 1, 2, 0.4);
    N.Duct(2, 2, 3, 0.0);
    N.Fan(3, 3, 4, 1.0);
    N.Duct(4, 4, 5, 0.0);
    N.Duct(5, 5, 6, 0.3);
    N.Duct(6, 5, 7, 0.2);
}

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
            BuildUnequalSides(N);
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
    const struct {
        TSolveCommand Command;
        bool DataError;
    } Cases[] = {{scEqualFriction, false}, {scVelocity, false},    {scStaticRegain, false},
                 {scStandardSizes, false}, {scSumFlows, false},    {scBalanceFlows, true}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "command " << C.Command);
        TFlowNetwork N;
        BuildUnequalSides(N);
        N.G.DeleteBranch(N.G.MainFan);
        N.G.Status = ssWithinTolerance;
        N.G.Method = smVelocity;
        const double Design = N.G.DuctBranch(5)->DesignFlow;
        const double Flow = N.G.DuctBranch(5)->VolumeFlow;
        const int Branches = N.G.BranchCount();
        const TSolveCommandResult R = RunSolveCommand(N.G, C.Command);
        EXPECT_EQ(R.Messages, std::vector<std::string>{"Main fan not found - add to network"});
        EXPECT_EQ(N.G.Status, C.DataError ? ssDataError : ssWithinTolerance);
        EXPECT_EQ(N.G.DuctBranch(5)->DesignFlow, Design);
        EXPECT_EQ(N.G.DuctBranch(5)->VolumeFlow, Flow);
        EXPECT_EQ(N.G.BranchCount(), Branches);
    }
}
