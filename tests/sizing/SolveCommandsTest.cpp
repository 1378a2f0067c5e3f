#include "tests/network/FlowNetworkBuilder.h"

#include "sizing/SolveCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>

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
        EXPECT_EQ(std::pair(N.G.DuctBranch(5)->DesignFlow, N.G.DuctBranch(5)->VolumeFlow), std::pair(Design, Flow));
        EXPECT_EQ(N.G.BranchCount(), Branches);
    }
}

namespace {

// A value a document may hold but no window lets the user type, and the
// command it stops.
struct TImpossibleCase {
    const char* Scenario;
    TSolveCommand Command;
    int Branch; // the branch damaged
    std::function<void(TDuctBranch&)> Damage;
    std::string Problem; // the message after "Data error in branch <name>: "
};

bool ResultsAreNumbers(const TDuctGraph& G)
{
    bool Finite = true;
    for (const auto& Item : G.Branches())
        for (auto V : {&TFlowBranch::MassFlow, &TFlowBranch::TotalDrop, &TFlowBranch::FrictionDrop, &TFlowBranch::EquivLength})
            Finite = Finite && std::isfinite(static_cast<const TFlowBranch&>(*Item).*V);
    for (const auto& Item : G.Nodes())
        Finite = Finite && std::isfinite(static_cast<const TFlowNode&>(*Item).Pressure);
    return Finite;
}

} // namespace

// Before a solve command, every branch's data is checked once: a value no
// window would take stops the command as a data error that names the branch
// and the value, before any loop can run away on it.
TEST(SolveCommands, ImpossibleBranchDataStopsTheCommand)
{
    const double Nan = std::numeric_limits<double>::quiet_NaN();
    const double Inf = std::numeric_limits<double>::infinity();
    const TImpossibleCase Cases[] = {
        {"hair-thin duct", scBalanceFlows, 4, [](TDuctBranch& B) { B.SizeFixed = true; B.Diameter = 1e-4; },
         "diameter 0.0001 m is not within 0.05 to 10 m"},
        {"hair-thin duct stepped", scStandardSizes, 4, [](TDuctBranch& B) { B.SizeFixed = true; B.Diameter = 1e-4; },
         "diameter 0.0001 m is not within 0.05 to 10 m"},
        {"endless duct", scBalanceFlows, 2, [](TDuctBranch& B) { B.Length = 1e76; },
         "length 1e+76 m is not within 0.1 to 500 m"},
        {"negative length", scEqualFriction, 2, [](TDuctBranch& B) { B.Length = -5.0; },
         "length -5.00 m is not within 0.1 to 500 m"},
        {"zero-width duct", scStandardSizes, 4,
         [](TDuctBranch& B) {
             B.DuctType = dtRect;
             B.DuctHeight = 0.3;
             B.DuctWidth = 0.0;
         },
         "width 0 m is not above 0 m"},
        {"negative terminal flow", scEqualFriction, 5, [](TDuctBranch& B) { B.DesignFlow = -0.3; },
         "design flow -0.300 m³/s is neither 0 nor within 1E-6 to 100 m³/s"},
        {"size-fixed duct without a size", scStaticRegain, 4,
         [](TDuctBranch& B) {
             B.SizeFixed = true;
             B.Diameter = 0.0;
         },
         "diameter 0 m is not within 0.05 to 10 m"},
        {"design flow no number", scSumFlows, 6, [Nan](TDuctBranch& B) { B.DesignFlow = Nan; },
         "design flow is not a number"},
        {"overflowing flow", scBalanceFlows, 4, [Inf](TDuctBranch& B) { B.VolumeFlow = Inf; },
         "volume flow is not a number"},
        {"huge fixed drop", scBalanceFlows, 2,
         [](TDuctBranch& B) { B.FixedDps.push_back(std::make_unique<TFixeddP>("Filter", 1e9)); },
         "fixed pressure drop \"Filter\" 1e+09 Pa is not within 0 to 500 Pa"},
        {"runaway velocity", scVelocity, 4, [](TDuctBranch& B) { B.DuctVelocity = 1e10; },
         "duct velocity 1e+10 m/s is not within -1000 to 1000 m/s"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Scenario);
        TFlowNetwork N;
        N.TreeWithLeakage();
        N.Defaults.resetvels = false; // the velocity command keeps the ducts' velocities
        ASSERT_EQ(RunSolveCommand(N.G, scBalanceFlows).Status, ssSolved);
        TDuctBranch& Damaged = *N.G.DuctBranch(C.Branch);
        C.Damage(Damaged);
        const TSolveCommandResult R = RunSolveCommand(N.G, C.Command);
        EXPECT_FALSE(R.Ran);
        EXPECT_EQ(R.Status, ssDataError);
        EXPECT_EQ(R.Messages, std::vector<std::string>{"Data error in branch " + Damaged.Name + ": " + C.Problem});
        EXPECT_EQ(R.ErrorBranch, &Damaged);
        EXPECT_EQ(N.G.ErrorBranch, &Damaged);
        EXPECT_TRUE(ResultsAreNumbers(N.G));
    }
}
