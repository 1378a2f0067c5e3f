#include "tests/network/FlowNetworkBuilder.h"

#include "foundation/EquivDiamTool.h"
#include "sizing/SolveCommands.h"
#include "sizing/TerminalSizes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Inlets 1 (0.4 m³/s) and 11 (0.2) -> 2 -> 3 =fan=> 4 -> 5; outlet 6 (0.2)
// off 5; 5 -> 7 with outlets 8 (0.3) and 9 (0.1).
void BuildBranched(TFlowNetwork& N)
{
    N.Node(1, ntInlet);
    N.Node(11, ntInlet);
    N.Node(6, ntOutlet);
    N.Node(8, ntOutlet);
    N.Node(9, ntOutlet);
    N.Duct(1, 1, 2, 0.4, 4.0);
    N.Duct(10, 11, 2, 0.2, 2.0);
    N.Duct(2, 2, 3, 0.0, 8.0);
    N.Fan(3, 3, 4, 0.6);
    N.Duct(4, 4, 5, 0.0, 10.0);
    N.Duct(5, 5, 6, 0.2, 2.0);
    N.Duct(6, 5, 7, 0.0, 6.0);
    N.Duct(7, 7, 8, 0.3, 3.0);
    N.Duct(8, 7, 9, 0.1, 12.0);
}

// The branched network with a second way from 5 to 7 through 12, whose
// cross duct 12 -> 7 (edited last, so the loop's chord) carries 0.05 m³/s.
void BuildLooped(TFlowNetwork& N)
{
    BuildBranched(N);
    N.Duct(11, 5, 12, 0.0, 4.0);
    N.Duct(12, 12, 7, 0.05, 4.0)->EditStamp = -45000.0;
}

// Inlet 1 -> 2 -> 3 =fan=> 4 -> 5; the index run to outlet 6 (20 m); the
// side run 5 -> 7 -> outlet 8 starts with a size-fixed duct, which takes the
// side's damper. Reversed draws 2 -> 3 and 5 -> 7 backwards.
void BuildSideRun(TFlowNetwork& N, bool Reversed)
{
    N.Node(1, ntInlet);
    N.Node(6, ntOutlet);
    N.Node(8, ntOutlet);
    N.Duct(1, 1, 2, 0.5, 5.0);
    N.Duct(2, Reversed ? 3 : 2, Reversed ? 2 : 3, 0.0, 5.0);
    N.Fan(3, 3, 4, 0.5);
    N.Duct(4, 4, 5, 0.0, 5.0);
    N.Duct(5, 5, 6, 0.3, 20.0);
    TDuctBranch* Side = N.Duct(6, Reversed ? 7 : 5, Reversed ? 5 : 7, 0.0, 5.0);
    Side->Diameter = 0.4;
    Side->SizeFixed = true;
    N.Duct(7, 7, 8, 0.2, 3.0);
}

bool IsSizedStatus(TSolveStatus S)
{
    return S == ssSolved || S == ssWithinTolerance;
}

const TSolveCommand SizingCommands[] = {scEqualFriction, scVelocity, scStaticRegain, scStandardSizes};

} // namespace

TEST(DuctSizing, EqualFrictionGivesThePressureRate)
{
    TFlowNetwork N;
    TFlowBranch* B = N.DuctAtStandardAir(dtSpiral, 0.2, 10.0, 0.3);
    B->CalcFlowTerms(true);
    B->SizeForPressureRate(true, 1, 1.0);
    // 8·ρ·f·Q²/(π²·D⁵) = 1 Pa/m with f ≈ 0.0209 at Re ≈ 9e4.
    EXPECT_NEAR(B->Diameter, 0.283, 0.002);
    EXPECT_NEAR(B->FrictionDrop / B->TotalLength, 1.0, 1e-12);
    const double F = B->FrictionFactor;
    B->CalcFriction();
    EXPECT_NEAR(B->FrictionFactor, F, 1e-4); // the factor settled with the size
    B->UpdateFriction();
    EXPECT_NEAR(B->FrictionDrop / B->TotalLength, 1.0, 0.005);

    // Drawn against the air: the same size, the drop follows the flow.
    const double D = B->Diameter;
    B->SetVolumeFlow(-0.3);
    B->SizeForPressureRate(true, 1, -1.0);
    EXPECT_DOUBLE_EQ(B->Diameter, D);
    EXPECT_DOUBLE_EQ(B->FrictionDrop, -10.0);

    // No rate keeps the size; without KeepRate the design rate stands in.
    B->Diameter = 0.4;
    B->SizeForPressureRate(true, 1, 0.0);
    EXPECT_EQ(B->Diameter, 0.4);
    B->SizeForPressureRate(false, 1, 0.0);
    EXPECT_NEAR(B->Diameter, D, 1e-9);
    // No flow: the smallest start size, never 0 or NaN.
    B->SetVolumeFlow(0.0);
    B->SizeForPressureRate(true, 1, 1.0);
    EXPECT_EQ(B->Diameter, 0.1);
    EXPECT_EQ(B->FrictionDrop, 0.0); // and no friction without air
}

TEST(DuctSizing, TerminalNecks)
{
    struct {
        bool Outlet;
        int Kind;
        double Flow;
        double Neck;
    } const Cases[] = {
        {true, okDiffuser, 0.2, 0.25},     // D0 0.24
        {true, okDiffuser, 0.5, 0.45},     // D0 0.44, stepped
        {true, okDiffuser, -0.2, 0.25},    // drawn against the air
        {true, okDiffuser, 0.0, 0.15},     // smallest catalogue neck
        {true, okGrille, 0.3, 0.45},       // √(4·0.15/π) = 0.437
        {true, okPlainOutlet, 0.3, 0.25},  // √(4·0.0429/π) = 0.234
        {false, ikGrille, 0.3, 0.45},
        {false, ikCanopy, 1.0, 0.5},       // √(4·0.2/π) = 0.505
        {false, ikPlainInlet, 0.0, 0.05},  // never stepped away to nothing
    };
    for (const auto& C : Cases) {
        const double Neck = C.Outlet ? OutletNeckDiameter(C.Kind, C.Flow) : InletNeckDiameter(C.Kind, C.Flow);
        EXPECT_NEAR(Neck, C.Neck, 1e-12) << (C.Outlet ? "outlet " : "inlet ") << C.Kind << " " << C.Flow;
    }

    TFlowNetwork N;
    TDuctGraph G(true, &N.Defaults);
    G.ApplyOutletSizes();
    G.ApplyInletSizes();
    EXPECT_NEAR(G.FlowBranch(5)->Diameter, 0.35, 1e-12); // diffuser of 0.3 m³/s: D0 0.307
    EXPECT_NEAR(G.FlowBranch(1)->Diameter, 0.45, 1e-12); // return grille of 0.3 m³/s
    EXPECT_TRUE(G.FlowBranch(5)->SizeFixed);
    EXPECT_FALSE(G.FlowBranch(4)->SizeFixed);
    EXPECT_EQ(G.Status, ssNotSolved);
}

TEST(DuctSizing, VelocityReset)
{
    TFlowNetwork N;
    N.Defaults.useuservel = false;
    N.Node(3, ntOutlet);
    auto* Main = N.Duct(1, 1, 2, 1.0);
    struct {
        double Q;
        double V;
    } const Cases[] = {{0.05, 1.0}, {1.0, 5.0}, {-1.0, 5.0}, {2.0, 1.35 * std::log(2.0) + 5.0}, {0.0, 1.0}};
    for (const auto& C : Cases) {
        Main->SetVolumeFlow(C.Q);
        Main->ResetVelocity();
        EXPECT_NEAR(Main->DesignVelocity, C.V, 1e-12) << C.Q;
    }
    // The size that runs the flow at its design velocity.
    Main->SetVolumeFlow(-1.0);
    Main->CalcFlowTerms(true);
    Main->ResetVelocity();
    Main->SizeByVelocity();
    EXPECT_NEAR(1.0 / Main->FlowArea, 5.0, 1e-9);

    N.Defaults.useuservel = true;
    auto* Outlet = N.Duct(2, 2, 3, 0.3);
    Main->ResetVelocity();
    Outlet->ResetVelocity();
    EXPECT_EQ(Main->DesignVelocity, N.Defaults.uservelmain);
    EXPECT_EQ(Outlet->DesignVelocity, N.Defaults.userveloutlet);
}

TEST(DuctSizing, VelocitySizingKeepsTheUsersVelocitiesUnlessReset)
{
    for (bool Reset : {true, false}) {
        TFlowNetwork N;
        N.Defaults.resetvels = Reset;
        TDuctGraph G(true, &N.Defaults);
        G.DuctBranch(4)->DuctVelocity = 8.0; // the user's velocity of "SA Duct"
        const TSolveCommandResult R = RunSolveCommand(G, scVelocity);
        EXPECT_TRUE(IsSizedStatus(R.Status));
        EXPECT_NEAR(G.DuctBranch(4)->DuctVelocity, Reset ? N.Defaults.uservelmain : 8.0, 1e-3) << Reset;
    }
    // A duct drawn against the air shows its velocity negative; it is the
    // user's velocity all the same.
    for (bool Reversed : {false, true}) {
        TFlowNetwork N;
        N.Defaults.resetvels = false;
        BuildSideRun(N, Reversed);
        TDuctBranch* Return = N.G.DuctBranch(2); // on the index run
        Return->DuctVelocity = Reversed ? -8.0 : 8.0;
        EXPECT_TRUE(IsSizedStatus(RunSolveCommand(N.G, scVelocity).Status));
        EXPECT_NEAR(std::fabs(Return->DuctVelocity), 8.0, 1e-3) << Reversed;
    }
}

TEST(DuctSizing, StandardSteps)
{
    TFlowNetwork N;
    auto* Round = N.Duct(1, 1, 2, 0.3);
    Round->Diameter = 0.237;
    Round->RoundToStandard();
    EXPECT_NEAR(Round->Diameter, 0.25, 1e-12);
    EXPECT_NEAR(Round->FlowArea, std::numbers::pi * 0.25 * 0.25 / 4.0, 1e-12);
    Round->Diameter = 0.01;
    Round->RoundToStandard();
    EXPECT_NEAR(Round->Diameter, 0.05, 1e-12);

    auto* Rect = N.Duct(2, 2, 3, 0.3);
    Rect->DuctType = dtRect;
    Rect->DuctHeight = 0.512;
    Rect->DuctWidth = 0.33;
    Rect->Diameter = TEquivDiamTool::EquivDiameter(0.512, 0.33);
    Rect->RoundToStandard();
    EXPECT_NEAR(Rect->DuctHeight, 0.5, 1e-12);
    EXPECT_NEAR(Rect->DuctWidth, 0.325, 1e-12);
    EXPECT_NEAR(Rect->Diameter, TEquivDiamTool::EquivDiameter(0.5, 0.325), 1e-12);
    EXPECT_NEAR(Rect->DuctArea, 0.5 * 0.325, 1e-12);

    N.Defaults.ductroundstep = 0.0; // no step: nothing to round to
    Round->Diameter = 0.237;
    Round->RoundToStandard();
    EXPECT_EQ(Round->Diameter, 0.237);
}

TEST(DuctSizing, EveryMethodSizesTheDefaultABranchedAndALoopedNetwork)
{
    for (int Shape : {0, 1, 2}) { // default, branched, looped
        for (TSolveCommand Command : SizingCommands) {
            TFlowNetwork N;
            TDuctGraph Default(true, &N.Defaults);
            if (Shape == 1)
                BuildBranched(N);
            if (Shape == 2)
                BuildLooped(N);
            TDuctGraph& G = Shape == 0 ? Default : N.G;
            const TSolveCommandResult R = RunSolveCommand(G, Command);
            SCOPED_TRACE(std::to_string(Shape) + ", " + SolveMethodText(*R.MethodShown));
            ASSERT_TRUE(R.Ran);
            EXPECT_TRUE(IsSizedStatus(R.Status)) << SolveStatusText(R.Status);
            EXPECT_TRUE(R.Messages.empty());
            for (const auto& Item : G.Branches()) {
                const auto& B = static_cast<const TDuctBranch&>(*Item);
                if (B.Kind != bkCommon || B.Id() < 0)
                    continue;
                EXPECT_GT(B.Diameter, 0.05) << B.Name;
                EXPECT_LT(B.Diameter, 1.0) << B.Name;
                EXPECT_GT(std::fabs(B.Velocity), 0.5) << B.Name;
                EXPECT_LT(std::fabs(B.Velocity), 20.0) << B.Name;
                if (Command == scStandardSizes && B.DuctType == dtSpiral) {
                    EXPECT_NEAR(std::remainder(B.Diameter, 0.05), 0.0, 1e-9) << B.Name;
                }
            }
            for (const auto& Item : G.Nodes()) {
                const auto& Node = static_cast<const TFlowNode&>(*Item);
                if (Node.NodeType == ntOutlet) {
                    EXPECT_NEAR(Node.RelPressure, 0.0, 1e-3) << Node.Name;
                }
            }
            // The fan makes up the index run from its inlet (at 0 Pa) to its
            // outlet (at 0 Pa) and its coil and filter.
            const double Run = G.SupplyRef->RelPressure - G.ReturnRef->RelPressure;
            EXPECT_GT(Run, 10.0);
            EXPECT_NEAR(G.MainFan->PressureGain, Run + 300.0, 1e-6);
        }
    }
}

TEST(DuctSizing, SizeFixedBranchKeepsItsSizeAndTakesADamper)
{
    for (TSolveCommand Command : SizingCommands) {
        TFlowNetwork N;
        BuildBranched(N);
        // Outlet 6 is on a short branch off the index run: oversized and
        // fixed, it has pressure to spare.
        TDuctBranch* Fixed = N.G.DuctBranch(5);
        Fixed->Diameter = 0.4;
        Fixed->SizeFixed = true;
        const TSolveCommandResult R = RunSolveCommand(N.G, Command);
        SCOPED_TRACE(SolveMethodText(*R.MethodShown));
        EXPECT_TRUE(IsSizedStatus(R.Status)) << SolveStatusText(R.Status);
        EXPECT_EQ(Fixed->Diameter, 0.4);
        if (Command == scStandardSizes)
            continue; // the balance that follows puts the flows right instead
        EXPECT_GT(Fixed->DamperDrop, 1.0);
        // The damper leaves the outlet at the sink's pressure.
        EXPECT_NEAR(Fixed->FromFlowNode()->RelPressure - Fixed->TotalDrop, 0.0, 1e-6);
        EXPECT_NEAR(N.G.FlowNode(6)->RelPressure, 0.0, 1e-6);
    }
}

TEST(DuctSizing, WithoutDampersTheLastBranchesTakeThePressureLeft)
{
    for (TSolveCommand Command : {scEqualFriction, scVelocity, scStaticRegain}) {
        TFlowNetwork N;
        N.Defaults.usedampers = false;
        N.Defaults.startequalfric = false;
        N.Defaults.startspecvel = true; // static regain starts at 10 m/s
        BuildBranched(N);
        const TSolveCommandResult R = RunSolveCommand(N.G, Command);
        SCOPED_TRACE(SolveMethodText(*R.MethodShown));
        EXPECT_EQ(R.Status, ssSolved);
        for (const auto& Item : N.G.Branches()) {
            const auto& B = static_cast<const TFlowBranch&>(*Item);
            EXPECT_EQ(B.DamperDrop, 0.0) << B.Name;
        }
        // Outlet 6 hangs off the index run: its duct was sized for the
        // pressure at node 5, so the outlet still ends at the sink's.
        const TFlowBranch& Off = *N.G.FlowBranch(5);
        EXPECT_NEAR(Off.TotalDrop, N.G.FlowNode(5)->RelPressure, 1e-3);
        EXPECT_NEAR(N.G.FlowNode(6)->RelPressure, 0.0, 1e-3);
        if (Command == scStaticRegain) {
            EXPECT_NEAR(N.G.FlowBranch(4)->Velocity, N.Defaults.statregainstartvel, 1e-9);
        }
    }
}

TEST(DuctSizing, StaticRegainRegainsVelocityPressureAlongTheSupplyRun)
{
    // Fan 3 -> 4, then a supply run 4 -> 5 -> 7 -> 11 -> 9 with outlets of
    // 0.3 m³/s: 6 off 5, 8 off 7 and 9 at the end; 11 only passes through.
    TFlowNetwork N;
    N.Node(1, ntInlet);
    for (int Id : {6, 8, 9})
        N.Node(Id, ntOutlet);
    N.Duct(1, 1, 3, 0.9, 5.0);
    N.Fan(2, 3, 4, 0.9);
    N.Duct(3, 4, 5, 0.0, 8.0);
    N.Duct(4, 5, 6, 0.3, 3.0);
    N.Duct(5, 5, 7, 0.0, 8.0);
    N.Duct(6, 7, 8, 0.3, 3.0);
    N.Duct(7, 7, 11, 0.0, 4.0);
    N.Duct(8, 11, 9, 0.3, 4.0);
    const TSolveCommandResult R = RunSolveCommand(N.G, scStaticRegain);
    EXPECT_TRUE(IsSizedStatus(R.Status)) << SolveStatusText(R.Status);
    // The run through 11 is one duct of 8 m.
    EXPECT_EQ(N.G.FlowBranch(7)->Diameter, N.G.FlowBranch(8)->Diameter);
    struct {
        int Up, Id;
        double Length;
    } const Steps[] = {{3, 5, 8.0}, {5, 8, 8.0}};
    for (const auto& S : Steps) {
        const TFlowBranch& Up = *N.G.FlowBranch(S.Up);
        const TFlowBranch& B = *N.G.FlowBranch(S.Id);
        // Slower than the branch feeding it, and the velocity pressure it
        // regains pays for its friction: f·L/D = (v_up/v)² - 1.
        EXPECT_LT(std::fabs(B.Velocity), std::fabs(Up.Velocity)) << B.Name;
        const double Regain = std::pow(Up.Velocity / B.Velocity, 2.0) - 1.0;
        EXPECT_NEAR(B.FrictionFactor * S.Length / B.Diameter, Regain, 0.02 * Regain) << B.Name;
        EXPECT_EQ(B.UpstreamDiameter, Up.Diameter) << B.Name;
    }
}

TEST(DuctSizing, ADuctDrawnAgainstTheAirGetsTheSameSize)
{
    for (TSolveCommand Command : SizingCommands) {
        TFlowNetwork A;
        TFlowNetwork B;
        BuildSideRun(A, false);
        BuildSideRun(B, true);
        const TSolveCommandResult RA = RunSolveCommand(A.G, Command);
        const TSolveCommandResult RB = RunSolveCommand(B.G, Command);
        SCOPED_TRACE(SolveMethodText(*RA.MethodShown));
        EXPECT_EQ(RA.Status, ssSolved);
        EXPECT_EQ(RB.Status, ssSolved); // the backward damper is no negative one
        EXPECT_LT(B.G.FlowBranch(6)->VolumeFlow, 0.0);
        for (int Id : {1, 2, 4, 5, 6, 7}) {
            const TFlowBranch& Forward = *A.G.FlowBranch(Id);
            const TFlowBranch& Drawn = *B.G.FlowBranch(Id);
            EXPECT_NEAR(Forward.Diameter, Drawn.Diameter, 1e-6) << Id;
            // A damper is signed like the flow it throttles.
            const double Sign = (Id == 2 || Id == 6) ? -1.0 : 1.0;
            EXPECT_NEAR(Drawn.DamperDrop, Sign * Forward.DamperDrop, 1e-6) << Id;
        }
        // One of the two runs from node 5 is throttled.
        const double Throttled = std::max(A.G.FlowBranch(5)->DamperDrop, A.G.FlowBranch(6)->DamperDrop);
        if (Command != scStandardSizes) {
            EXPECT_GT(Throttled, 1.0);
        }
    }
}

TEST(DuctSizing, OfTwoEqualRunsTheLastIsTheIndexRun)
{
    // Inlet 1 -> 3 =fan=> 4, then two identical outlet ducts 4 -> 6 and 4 -> 8.
    TFlowNetwork N;
    N.Node(1, ntInlet);
    N.Node(6, ntOutlet);
    N.Node(8, ntOutlet);
    N.Duct(1, 1, 3, 0.6);
    N.Fan(2, 3, 4, 0.6);
    N.Duct(3, 4, 6, 0.3);
    N.Duct(4, 4, 8, 0.3);
    EXPECT_EQ(RunSolveCommand(N.G, scEqualFriction).Status, ssSolved);
    ASSERT_EQ(N.G.FlowBranch(3)->TotalDrop, N.G.FlowBranch(4)->TotalDrop);
    EXPECT_EQ(N.G.FlowBranch(3)->PathMark, 0);
    EXPECT_EQ(N.G.FlowBranch(4)->PathMark, 1);
}

TEST(DuctSizing, NoEquivalentLengthIsConvergedNotADataError)
{
    TFlowNetwork N;
    N.Defaults.defoutletc = {0.0, 0.0, 0.0};
    N.Defaults.definletc = {0.0, 0.0, 0.0};
    BuildBranched(N);
    N.G.MainFan->FixedDps.clear();
    const TSolveCommandResult R = RunSolveCommand(N.G, scEqualFriction);
    EXPECT_EQ(N.G.TotalEquivLength(), 0.0);
    EXPECT_EQ(R.Status, ssSolved);
}

TEST(DuctSizing, CommandsReportTheirChecks)
{
    TFlowNetwork N;
    BuildBranched(N);
    N.G.DeleteBranch(N.G.MainFan);
    const TSolveCommandResult R = RunSolveCommand(N.G, scEqualFriction);
    EXPECT_FALSE(R.Ran);
    ASSERT_EQ(R.Messages.size(), 1u);
    EXPECT_EQ(R.Messages.front(), "Main fan not found - add to network");
    EXPECT_TRUE(N.Said("Main fan not found - add to network")); // passed on as well
    // Sizing called on a network never checked has no reference nodes: a
    // data error, not the status it had.
    TDuctGraph Unchecked(true, &N.Defaults);
    Unchecked.Status = ssSolved;
    Unchecked.SizeDucts();
    EXPECT_EQ(Unchecked.Status, ssDataError);

    TFlowNetwork M;
    TDuctGraph G(true, &M.Defaults);
    const TSolveCommandResult Sum = RunSolveCommand(G, scSumFlows);
    EXPECT_EQ(Sum.MethodShown, MethodShownDesignFlows);
    EXPECT_EQ(MethodShownText(*Sum.MethodShown), "Design Flows");
    EXPECT_EQ(G.Method, smEqualFriction); // not stored
    const TSolveCommandResult Std = RunSolveCommand(G, scStandardSizes);
    EXPECT_EQ(G.Method, smStandardSizes); // shown although the balance ran last
    EXPECT_EQ(Std.Status, ssSolved);
}

namespace {

// Inlet 1 -> 2 (duct 1, 4 m, 0.5 m³/s) =fan 2=> 3 -> 4 (duct 3, 10 m) with
// outlets 5 (duct 4, 6 m, 0.3 m³/s) and 6 (duct 5, 2 m, 0.2 m³/s): smooth
// ducts, terminals and fan without losses, so that the sizes and drops can be
// worked by hand.
void BuildHandWorked(TFlowNetwork& N)
{
    N.Defaults.defoutletc = {0.0, 0.0, 0.0};
    N.Defaults.definletc = {0.0, 0.0, 0.0};
    N.Defaults.roughness = 0.0;
    N.Node(1, ntInlet);
    N.Node(5, ntOutlet);
    N.Node(6, ntOutlet);
    N.Duct(1, 1, 2, 0.5, 4.0);
    N.Fan(2, 2, 3, 0.5);
    N.G.MainFan->FixedDps.clear();
    N.Duct(3, 3, 4, 0.0, 10.0);
    N.Duct(4, 4, 5, 0.3, 6.0);
    N.Duct(5, 4, 6, 0.2, 2.0);
}

} // namespace

// Worked by hand with air of 1.199626 kg/m³ (101.325 kPa, 20/12.8 °C) and
// 1.817782e-5 Pa·s, the smooth-duct friction law f(Re), and the drop
// 8·f·L·ρ·Q²/(π²·D⁵) of each duct:
// - equal friction: D = (8·ρ·f·Q²/(π²·1 Pa/m))^0.2 at its own f, so each
//   duct loses 1 Pa per metre;
// - velocity: D = √(4·Q/(π·v)), 5 m/s in the main duct, 3 m/s in the
//   terminal ducts;
// - static regain: the ducts at the fan by equal friction at 2 Pa/m, ducts 4
//   and 5 from f·L/D = (m3/m)²·(D/D3)⁴ − 1 with f at their first 0.2 m;
// - standard sizes: 0.462, 0.337, 0.31 and 0.262 m stepped by 0.05 m.
// Duct 5 is off the index run: its damper takes what duct 4 loses more. The
// fan makes up both paths.
TEST(DuctSizing, HandWorkedSizesAndDropsOfEveryMethod)
{
    const struct {
        TSolveCommand Command;
        double D[4];    // ducts 1, 3, 4, 5 (m)
        double Drop[4]; // their friction drops (Pa)
    } Cases[] = {
        {scEqualFriction, {0.3342507, 0.3342507, 0.2761167, 0.2373332}, {4.0, 10.0, 6.0, 2.0}},
        {scVelocity, {0.4606589, 0.3568248, 0.3568248, 0.2913462}, {0.859837, 7.309765, 1.758199, 0.750189}},
        {scStaticRegain, {0.2892802, 0.2892802, 0.2446358, 0.1912945}, {8.0, 20.0, 10.715470, 5.614615}},
        {scStandardSizes, {0.45, 0.35, 0.3, 0.25}, {0.961862, 8.018922, 4.032942, 1.559568}},
    };
    const int Ducts[] = {1, 3, 4, 5};
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "command " << C.Command);
        TFlowNetwork N;
        BuildHandWorked(N);
        if (C.Command == scStandardSizes) {
            const double Start[] = {0.462, 0.337, 0.31, 0.262};
            for (int I = 0; I < 4; ++I) {
                N.G.DuctBranch(Ducts[I])->Diameter = Start[I];
                N.G.DuctBranch(Ducts[I])->CalcArea();
            }
        }
        ASSERT_EQ(RunSolveCommand(N.G, C.Command).Status, ssSolved);
        for (int I = 0; I < 4; ++I) {
            const TDuctBranch& B = *N.G.DuctBranch(Ducts[I]);
            EXPECT_NEAR(B.Diameter, C.D[I], 1e-6) << "duct " << Ducts[I];
            EXPECT_NEAR(B.FrictionDrop, C.Drop[I], 2e-4) << "duct " << Ducts[I];
            if (Ducts[I] != 5) {
                EXPECT_EQ(B.DamperDrop, 0.0) << "duct " << Ducts[I]; // on the index run
            }
        }
        EXPECT_NEAR(N.G.DuctBranch(5)->DamperDrop, C.Drop[2] - C.Drop[3], 3e-4);
        EXPECT_NEAR(N.G.MainFan->PressureGain, C.Drop[0] + C.Drop[1] + C.Drop[2], 5e-4);
    }
}
