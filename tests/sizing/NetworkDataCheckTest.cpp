#include "tests/network/FlowNetworkBuilder.h"

#include "sizing/SolveCommands.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace {

using TChange = std::function<void(TFlowNetwork&)>;

// TreeWithLeakage, balanced, then changed; velocity sizing keeps the ducts'
// velocities.
void Prepare(TFlowNetwork& N, const TChange& Change)
{
    N.TreeWithLeakage();
    N.Defaults.resetvels = false;
    ASSERT_EQ(RunSolveCommand(N.G, scBalanceFlows).Status, ssSolved);
    Change(N);
}

bool Refused(const TSolveCommandResult& R)
{
    return R.Status == ssDataError;
}

} // namespace

// What one command makes, the next takes: sizes below the window's
// smallest, flows summed above its largest, a fan's velocity through a fan
// size no window shows.
TEST(NetworkDataCheck, ValuesTheCommandsMakePassIt)
{
    const struct {
        const char* Scenario;
        TChange Change;
        std::optional<TSolveCommand> First;
        TSolveCommand Then;
    } Cases[] = {
        {"static regain on 4 l/s diffusers, then standard sizes",
         [](TFlowNetwork& N) {
             N.G.DuctBranch(5)->DesignFlow = 0.004;
             N.G.DuctBranch(6)->DesignFlow = 0.004;
             N.G.DuctBranch(1)->DesignFlow = 0.008;
             N.Defaults.statregainminveloutlet = 4.0; // 36 mm for 4 l/s
         },
         scStaticRegain, scStandardSizes},
        {"trunk flows summed above 100 m³/s, sized by velocity",
         [](TFlowNetwork& N) {
             N.G.DuctBranch(5)->DesignFlow = 80.0;
             N.G.DuctBranch(6)->DesignFlow = 60.0;
             N.G.DuctBranch(1)->DesignFlow = 90.0;
         },
         scSumFlows, scVelocity},
        {"an imported fan whose size gives a duct velocity of 354 m/s",
         [](TFlowNetwork& N) {
             N.G.MainFan->Diameter = 0.06;
             N.G.MainFan->CalcArea();
             N.G.MainFan->CalcDuctArea();
             N.G.MainFan->SetVolumeFlow(1.0);
         },
         std::nullopt, scVelocity},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Scenario);
        TFlowNetwork N;
        Prepare(N, C.Change);
        if (C.First) {
            const TSolveCommandResult First = RunSolveCommand(N.G, *C.First);
            ASSERT_FALSE(Refused(First)) << testing::PrintToString(First.Messages);
        }
        const TSolveCommandResult Then = RunSolveCommand(N.G, C.Then);
        EXPECT_TRUE(Then.Ran);
        EXPECT_FALSE(Refused(Then)) << testing::PrintToString(Then.Messages);
    }
}

// A value that only rounding put beyond a bound is within it: terminal
// flows that make 100 m³/s sum to a hair above it (as 1,000 of 0.1 m³/s do).
TEST(NetworkDataCheck, RoundingDoesNotFailABound)
{
    TFlowNetwork N;
    N.Node(1, ntInlet);
    N.Duct(1, 1, 2, 100.0);
    N.Fan(2, 2, 3, 0.0);
    N.Duct(3, 3, 4, 0.0);
    const double Flows[] = {0.2, 83.9, 15.9};
    for (int I = 0; I < 3; ++I) {
        N.Node(10 + I, ntOutlet);
        N.Duct(10 + I, 4, 10 + I, Flows[I]);
    }
    ASSERT_TRUE(RunSolveCommand(N.G, scSumFlows).Ran);
    ASSERT_GT(N.G.DuctBranch(3)->DesignFlow, 100.0);
    const TSolveCommandResult R = RunSolveCommand(N.G, scEqualFriction);
    EXPECT_TRUE(R.Ran);
    EXPECT_FALSE(Refused(R)) << testing::PrintToString(R.Messages);
}

// A value the check did not cover once ended as a data error without a
// word, or with "nan" for the fan's pressure: each names its item and value.
TEST(NetworkDataCheck, EveryDataErrorNamesItsValue)
{
    const struct {
        const char* Scenario;
        TSolveCommand Command;
        TChange Change;
        std::string Message;
        int ErrorBranch; // 0: none
    } Cases[] = {
        {"a node far above the others", scBalanceFlows,
         [](TFlowNetwork& N) { N.G.FlowNode(5)->Elevation = 1e308; },
         "Data error in node Node 5: elevation 1e+308 m is not within -10000 to 10000 m", 4},
        {"a node far below the others", scEqualFriction,
         [](TFlowNetwork& N) { N.G.FlowNode(2)->Elevation = -1e308; },
         "Data error in node Node 2: elevation -1e+308 m is not within -10000 to 10000 m", 1},
        {"a damper that takes everything", scBalanceFlows,
         [](TFlowNetwork& N) { N.G.DuctBranch(5)->DamperDrop = 1e308; },
         "Data error in branch Branch 5: damper pressure drop 1e+308 Pa is not within -1000000 to 1000000 Pa", 5},
        {"a circular step of 1E308 m", scStandardSizes, [](TFlowNetwork& N) { N.Defaults.ductroundstep = 1e308; },
         "Data error in the design settings: circular duct step 1e+308 m is not within 0 to 10 m", 0},
        {"a pressure rate of 1E308 Pa/m", scEqualFriction,
         [](TFlowNetwork& N) { N.Defaults.designpressrate = 1e308; },
         "Data error in the design settings: pressure rate 1e+308 Pa/m is not within 0.001 to 1000 Pa/m", 0},
        {"a terminal of 1E-300 m³/s", scEqualFriction, [](TFlowNetwork& N) { N.G.DuctBranch(5)->DesignFlow = 1e-300; },
         "Data error in branch Branch 5: design flow 1e-300 m³/s is neither 0 nor within 1E-6 to 100 m³/s", 5},
        {"a duct of 1E308 m to be sized", scVelocity, [](TFlowNetwork& N) { N.G.DuctBranch(4)->Diameter = 1e308; },
         "Data error in branch Branch 4: diameter 1e+308 m is not within 0 to 1000 m", 4},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Scenario);
        TFlowNetwork N;
        Prepare(N, C.Change);
        const TSolveCommandResult R = RunSolveCommand(N.G, C.Command);
        EXPECT_TRUE(Refused(R));
        EXPECT_EQ(R.Messages, std::vector<std::string>{C.Message});
        EXPECT_EQ(R.ErrorBranch, C.ErrorBranch ? N.G.FlowBranch(C.ErrorBranch) : nullptr);
    }
}
