#include "tests/network/FlowNetworkBuilder.h"

#include "sizing/SolveCommands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
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

// A change to branch Id alone.
TChange OnBranch(int Id, std::function<void(TDuctBranch&)> Damage)
{
    return [Id, Damage](TFlowNetwork& N) { Damage(*N.G.DuctBranch(Id)); };
}

// A rectangular duct to be sized that keeps its aspect, Aspect.
std::function<void(TDuctBranch&)> FlatRectangle(double Aspect)
{
    return [Aspect](TDuctBranch& B) {
        B.DuctType = dtRect;
        B.SizeFixed = false;
        B.Keep1 = B.Keep2 = 3;
        B.Aspect = Aspect;
    };
}

// The first result that is no number ("" when every one is), named so
// that a failing check says which.
std::string FirstNonNumber(const TDuctGraph& G)
{
    const struct {
        const char* Name;
        double TFlowBranch::*Value;
    } BranchValues[] = {{"mass flow", &TFlowBranch::MassFlow},
                        {"total drop", &TFlowBranch::TotalDrop},
                        {"friction drop", &TFlowBranch::FrictionDrop},
                        {"equivalent length", &TFlowBranch::EquivLength}};
    for (const auto& Item : G.Branches())
        for (const auto& V : BranchValues)
            if (!std::isfinite(static_cast<const TFlowBranch&>(*Item).*V.Value))
                return std::string(V.Name) + " of branch " + std::to_string(Item->Id());
    for (const auto& Item : G.Nodes()) {
        const auto& N = static_cast<const TFlowNode&>(*Item);
        if (!std::isfinite(N.Pressure))
            return "pressure of node " + N.IdText();
        if (!std::isfinite(N.RelPressure))
            return "relative pressure of node " + N.IdText();
    }
    return "";
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

// Before a solve command, every item's data is checked once: a value no
// window would take stops the command as a data error that names the item
// and the value, before any loop can run away on it. (Values the check did
// not cover once ended without a word, or with "nan" for the fan's pressure.)
TEST(NetworkDataCheck, EveryDataErrorNamesItsValue)
{
    const double Nan = std::numeric_limits<double>::quiet_NaN();
    const double Inf = std::numeric_limits<double>::infinity();
    const auto Thin = [](TDuctBranch& B) { B.SizeFixed = true, B.Diameter = 1e-4; };
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
        // "Reset All Design Flows" gives it to every diffuser.
        {"a default diffuser flow below the smallest terminal flow", scEqualFriction,
         [](TFlowNetwork& N) { N.Defaults.defoutletq[0] = 5e-7; },
         "Data error in the design settings: default diffuser flow 5e-07 m³/s is neither 0 nor within 1E-6 to 100 m³/s", 0},
        {"a pressure rate of 1E308 Pa/m", scEqualFriction,
         [](TFlowNetwork& N) { N.Defaults.designpressrate = 1e308; },
         "Data error in the design settings: pressure rate 1e+308 Pa/m is not within 0.001 to 1000 Pa/m", 0},
        {"a terminal of 1E-300 m³/s", scEqualFriction, [](TFlowNetwork& N) { N.G.DuctBranch(5)->DesignFlow = 1e-300; },
         "Data error in branch Branch 5: design flow 1e-300 m³/s is neither 0 nor within 1E-6 to 100 m³/s", 5},
        {"a duct of 1E308 m to be sized", scVelocity, [](TFlowNetwork& N) { N.G.DuctBranch(4)->Diameter = 1e308; },
         "Data error in branch Branch 4: diameter 1e+308 m is neither 0 nor within 0.001 to 1000 m", 4},
        {"hair-thin duct", scBalanceFlows, OnBranch(4, Thin),
         "Data error in branch Branch 4: diameter 0.0001 m is not within 0.05 to 10 m", 4},
        {"hair-thin duct stepped", scStandardSizes, OnBranch(4, Thin),
         "Data error in branch Branch 4: diameter 0.0001 m is not within 0.05 to 10 m", 4},
        {"endless duct", scBalanceFlows, OnBranch(2, [](TDuctBranch& B) { B.Length = 1e76; }),
         "Data error in branch Branch 2: length 1e+76 m is not within 0.1 to 500 m", 2},
        {"negative length", scEqualFriction, OnBranch(2, [](TDuctBranch& B) { B.Length = -5.0; }),
         "Data error in branch Branch 2: length -5.00 m is not within 0.1 to 500 m", 2},
        {"zero-width duct", scStandardSizes,
         OnBranch(4, [](TDuctBranch& B) { B.DuctType = dtRect, B.DuctHeight = 0.3, B.DuctWidth = 0.0; }),
         "Data error in branch Branch 4: width 0 m is not within 0.001 to 1000 m", 4},
        {"negative terminal flow", scEqualFriction, OnBranch(5, [](TDuctBranch& B) { B.DesignFlow = -0.3; }),
         "Data error in branch Branch 5: design flow -0.300 m³/s is neither 0 nor within 1E-6 to 100 m³/s", 5},
        {"size-fixed duct without a size", scStaticRegain,
         OnBranch(4, [](TDuctBranch& B) { B.SizeFixed = true, B.Diameter = 0.0; }),
         "Data error in branch Branch 4: diameter 0 m is not within 0.05 to 10 m", 4},
        {"design flow no number", scSumFlows, OnBranch(6, [Nan](TDuctBranch& B) { B.DesignFlow = Nan; }),
         "Data error in branch Branch 6: design flow is not a number", 6},
        {"overflowing flow", scBalanceFlows, OnBranch(4, [Inf](TDuctBranch& B) { B.VolumeFlow = Inf; }),
         "Data error in branch Branch 4: volume flow is not a number", 4},
        {"huge fixed drop", scBalanceFlows,
         OnBranch(2, [](TDuctBranch& B) { B.FixedDps.push_back(std::make_unique<TFixeddP>("Filter", 1e9)); }),
         "Data error in branch Branch 2: fixed pressure drop \"Filter\" 1e+09 Pa is not within 0 to 500 Pa", 2},
        // A value just beyond a bound is shown with the digits that put it
        // there, and a small bound's slack is a share of that bound.
        {"a duct a hair too long", scBalanceFlows, OnBranch(2, [](TDuctBranch& B) { B.Length = 500.4; }),
         "Data error in branch Branch 2: length 500.4 m is not within 0.1 to 500 m", 2},
        {"a size-fixed duct a hair too wide", scBalanceFlows,
         OnBranch(4, [](TDuctBranch& B) { B.SizeFixed = true, B.Diameter = 10.004; }),
         "Data error in branch Branch 4: diameter 10.004 m is not within 0.05 to 10 m", 4},
        {"a duct half a metre too long", scBalanceFlows, OnBranch(2, [](TDuctBranch& B) { B.Length = 500.5; }),
         "Data error in branch Branch 2: length 500.5 m is not within 0.1 to 500 m", 2},
        {"a duct shown a metre too long", scBalanceFlows, OnBranch(2, [](TDuctBranch& B) { B.Length = 500.6; }),
         "Data error in branch Branch 2: length 501 m is not within 0.1 to 500 m", 2},
        {"a duct a hair too short", scBalanceFlows, OnBranch(2, [](TDuctBranch& B) { B.Length = 0.09996; }),
         "Data error in branch Branch 2: length 0.09996 m is not within 0.1 to 500 m", 2},
        {"a duct too short", scBalanceFlows, OnBranch(2, [](TDuctBranch& B) { B.Length = 0.0999; }),
         "Data error in branch Branch 2: length 0.0999 m is not within 0.1 to 500 m", 2},
        {"a terminal flow just below the smallest", scEqualFriction,
         OnBranch(5, [](TDuctBranch& B) { B.DesignFlow = 9.5e-7; }),
         "Data error in branch Branch 5: design flow 9.5e-07 m³/s is neither 0 nor within 1E-6 to 100 m³/s", 5},
        {"runaway velocity", scVelocity, OnBranch(4, [](TDuctBranch& B) { B.DuctVelocity = 1e10; }),
         "Data error in branch Branch 4: duct velocity 1e+10 m/s is not within -1000 to 1000 m/s", 4},
        // A duct sized by its aspect cannot be shaped by one no sizes make
        // (velocity sizing once ended without a word on it).
        {"a kept aspect of 1E308 sized by velocity", scVelocity, OnBranch(4, FlatRectangle(1e308)),
         "Data error in branch Branch 4: aspect 1e+308 is not within 1E-6 to 1000000", 4},
        {"a kept aspect of 1E-308 sized by equal friction", scEqualFriction, OnBranch(4, FlatRectangle(1e-308)),
         "Data error in branch Branch 4: aspect 1e-308 is not within 1E-6 to 1000000", 4},
        {"a kept aspect of 1E7 sized by static regain", scStaticRegain, OnBranch(4, FlatRectangle(1e7)),
         "Data error in branch Branch 4: aspect 10000000 is not within 1E-6 to 1000000", 4},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Scenario);
        TFlowNetwork N;
        Prepare(N, C.Change);
        const TSolveCommandResult R = RunSolveCommand(N.G, C.Command);
        EXPECT_TRUE(Refused(R));
        EXPECT_FALSE(R.Ran);
        EXPECT_EQ(R.Messages, std::vector<std::string>{C.Message});
        EXPECT_EQ(R.ErrorBranch, C.ErrorBranch ? N.G.FlowBranch(C.ErrorBranch) : nullptr);
        EXPECT_EQ(N.G.ErrorBranch, R.ErrorBranch);
        EXPECT_EQ(FirstNonNumber(N.G), "");
    }
}

// A duct thinner than any the sizing makes (a damaged file, an import) is a
// data error for every command, whether the command would size it or start
// from it. (A 0.1 mm duct once balanced "Solved" with a fan drop of
// -1.46E20 Pa; static regain sized the ducts below a 3.55E-16 m one from it.)
TEST(NetworkDataCheck, HairThinDuctsAreRefusedByEveryCommand)
{
    const struct {
        double Diameter;
        TSolveCommand Command;
        const char* Problem;
    } Cases[] = {
        {1e-4, scBalanceFlows, "diameter 0.0001 m is not within 0.001 to 1000 m"},
        {1e-6, scBalanceFlows, "diameter 1e-06 m is not within 0.001 to 1000 m"},
        {1e-4, scStandardSizes, "diameter 0.0001 m is not within 0.001 to 1000 m"},
        {1e-4, scEqualFriction, "diameter 0.0001 m is neither 0 nor within 0.001 to 1000 m"},
        {1e-4, scVelocity, "diameter 0.0001 m is neither 0 nor within 0.001 to 1000 m"},
        {3.55e-16, scStaticRegain, "diameter 3.55e-16 m is neither 0 nor within 0.001 to 1000 m"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "command " << C.Command << ", diameter " << C.Diameter);
        TFlowNetwork N;
        Prepare(N, OnBranch(4, [&C](TDuctBranch& B) {
                    B.SizeFixed = false;
                    B.Diameter = C.Diameter;
                }));
        const TSolveCommandResult R = RunSolveCommand(N.G, C.Command);
        EXPECT_EQ(R.Status, ssDataError);
        EXPECT_EQ(R.Messages, std::vector<std::string>{std::string("Data error in branch Branch 4: ") + C.Problem});
        EXPECT_EQ(R.ErrorBranch, N.G.FlowBranch(4));
    }
}

// A command whose own results are no air in a duct ends with the data
// error that names the branch, never "Solved": the next command would
// refuse those values. (Equal friction once ended "Solved (68733719 Pa)" and
// the balance after it refused its damper.)
TEST(NetworkDataCheck, ImpossibleResultsEndTheCommandAsADataError)
{
    // 100 m³/s through a size-fixed trunk of 50 mm.
    const TChange ThinTrunk = [](TFlowNetwork& N) {
        N.G.DuctBranch(5)->DesignFlow = 60.0;
        N.G.DuctBranch(6)->DesignFlow = 40.0;
        TDuctBranch& Trunk = *N.G.DuctBranch(4);
        Trunk.SizeFixed = true;
        Trunk.Diameter = 0.05;
    };
    // 1.5 m³/s through 500 m of it: under 1,000 m/s, yet no fan makes the
    // pressure that takes.
    const TChange LongThinTrunk = [](TFlowNetwork& N) {
        N.G.DuctBranch(5)->DesignFlow = 0.8;
        N.G.DuctBranch(6)->DesignFlow = 0.7;
        TDuctBranch& Trunk = *N.G.DuctBranch(4);
        Trunk.SizeFixed = true;
        Trunk.Diameter = 0.05;
        Trunk.Length = 500.0;
    };
    const struct {
        const char* Scenario;
        TChange Change;
        TSolveCommand Command;
        const char* Problem; // the message's start after "Data error in branch "
        int ErrorBranch;
    } Cases[] = {
        {"equal friction through the thin trunk", ThinTrunk, scEqualFriction, "Branch 4: duct velocity", 4},
        {"velocity sizing through the thin trunk", ThinTrunk, scVelocity, "Branch 4: duct velocity", 4},
        {"standard sizes through the thin trunk, the balance sending the supply back through the return", ThinTrunk,
         scStandardSizes, "Branch 1: duct velocity", 1},
        {"equal friction through the long thin trunk", LongThinTrunk, scEqualFriction, "Main Fan: fan pressure", 3},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Scenario);
        TFlowNetwork N;
        Prepare(N, C.Change);
        const TSolveCommandResult R = RunSolveCommand(N.G, C.Command);
        EXPECT_TRUE(R.Ran);
        EXPECT_EQ(R.Status, ssDataError);
        ASSERT_EQ(R.Messages.size(), 1u) << testing::PrintToString(R.Messages);
        EXPECT_EQ(R.Messages[0].rfind(std::string("Data error in branch ") + C.Problem, 0), 0u) << R.Messages[0];
        EXPECT_EQ(R.ErrorBranch, N.G.FlowBranch(C.ErrorBranch));
    }
}

// What the windows take as a design flow, the check takes: a terminal's
// none or from 1E-6 m³/s (the windows once took -100 to 100 for every
// branch, and a solve then refused 9.5E-7 m³/s).
TEST(NetworkDataCheck, DesignFlowsTheWindowsTakePassIt)
{
    const struct {
        int Branch; // 5: a terminal, 4: the trunk
        double Typed;
        double Taken;
    } Cases[] = {
        {5, 0.3, 0.3},   {5, -0.3, 0.0},   {5, 4e-7, 0.0},  {5, 6e-7, 1e-6},
        {5, 9.5e-7, 1e-6}, {5, 250.0, 100.0}, {4, -0.3, -0.3}, {4, -250.0, -100.0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "branch " << C.Branch << " typed " << C.Typed);
        TFlowNetwork N;
        Prepare(N, OnBranch(C.Branch, [&C](TDuctBranch& B) { B.SetDesignFlowFromWindow(C.Typed); }));
        EXPECT_EQ(N.G.DuctBranch(C.Branch)->DesignFlow, C.Taken);
        const TSolveCommandResult R = RunSolveCommand(N.G, scSumFlows);
        EXPECT_FALSE(Refused(R)) << testing::PrintToString(R.Messages);
    }
}
