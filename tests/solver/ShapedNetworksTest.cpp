#include "tests/solver/BalanceNetworks.h"

#include "bench/ShapedNetworkGenerator.h"

#include "foundation/WarningSink.h"
#include "network/FlowMesh.h"
#include "sizing/SolveCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace {

class TQuietSink : public TWarningSink {
public:
    void Warning(const std::string&, const std::string&) override {}
};

// The largest |sum| over the network's meshes, summed afresh from the
// branches' drops, outside the gaps of the branches resting on a jump.
double LargestMeshSum(TDuctGraph& G)
{
    double Largest = 0.0;
    for (const auto& Item : G.Meshes()) {
        auto& M = static_cast<TFlowMesh&>(*Item);
        if (M.HasFan)
            continue;
        M.CalcResidual(false);
        Largest = std::max(Largest, std::fabs(M.Imbalance()));
    }
    return Largest;
}

// The figure each status promises of the meshes' sums (Pa).
double Promised(TSolveStatus Status)
{
    return Status == ssSolved ? 0.01 : TFlowGraph::WithinToleranceResidual;
}

// Generates the network, runs First and then "Balance Flows".
TSolveCommandResult BalanceAfter(TDuctGraph& G, const TShapedNetworkOptions& Options, TSolveCommand First)
{
    TShapedNetworkGenerator::Generate(G, Options);
    const TSolveCommandResult Sized = RunSolveCommand(G, First);
    EXPECT_TRUE(Sized.Ran) << Options.Name();
    return RunSolveCommand(G, scBalanceFlows);
}

} // namespace

TEST(ShapedNetworks, EveryShapeEndsBalancedWithAnHonestStatus)
{
    // Each shape, plain and with dampers, fixed C items and boosters, after
    // "Sum Flows" and after an engineer's sizing: the balance ends
    // "Solved" or "Within tolerance", and what the status promises holds
    // of the meshes' sums and the nodes' flows as they are left.
    TQuietSink Quiet;
    TScopedWarningSink Scope(Quiet);
    TSettings Settings;
    TShapedNetworkGenerator::Configure(Settings);
    for (const TShapedNetworkOptions& Options : SmallShapedNetworks()) {
        for (TSolveCommand First : {scSumFlows, scEqualFriction}) {
            const std::string Run = Options.Name() + (First == scSumFlows ? ", summed" : ", sized");
            TDuctGraph G(false, &Settings);
            const TSolveCommandResult Result = BalanceAfter(G, Options, First);
            EXPECT_TRUE(Result.Status == ssSolved || Result.Status == ssWithinTolerance)
                << Run << ": status " << static_cast<int>(Result.Status) << ", " << G.MaxResidual << " Pa left, "
                << G.SolvePasses << " passes " << G.MeshCorrections << " corrections, "
                << (Result.Messages.empty() ? std::string() : Result.Messages.back());
            if (Result.Status != ssSolved && Result.Status != ssWithinTolerance)
                continue;
            EXPECT_LE(G.MaxResidual, Promised(Result.Status)) << Run;
            EXPECT_LE(LargestMeshSum(G), Promised(Result.Status) + 1e-6) << Run;
            EXPECT_LE(balance::LargestImbalance(G), 1e-9 * G.MainFan->MassFlow) << Run;
        }
    }
}

TEST(ShapedNetworks, GeneratorRepeatsItselfAndMakesWhatItIsAsked)
{
    // The same options give the same network; the size asked for is met
    // within a fifth; every item kind asked for is there; ducts and
    // terminals stay within the sizes and flows an engineer draws.
    for (const TShapedNetworkOptions& Options : SmallShapedNetworks()) {
        TSettings Settings;
        TDuctGraph A(false, &Settings), B(false, &Settings);
        TShapedNetworkGenerator::Generate(A, Options);
        TShapedNetworkGenerator::Generate(B, Options);
        const std::string Name = Options.Name();
        ASSERT_EQ(A.BranchCount(), B.BranchCount()) << Name;
        EXPECT_NEAR(A.BranchCount(), Options.Branches, 0.2 * Options.Branches) << Name;
        int Dampers = 0, FixedCs = 0, Boosters = 0;
        for (std::size_t K = 0; K < A.Branches().size(); ++K) {
            const auto& X = static_cast<const TFlowBranch&>(*A.Branches()[K]);
            const auto& Y = static_cast<const TFlowBranch&>(*B.Branches()[K]);
            EXPECT_EQ(X.Diameter, Y.Diameter) << Name;
            EXPECT_EQ(X.Length, Y.Length) << Name;
            EXPECT_EQ(X.DesignFlow, Y.DesignFlow) << Name;
            if (X.Kind != bkCommon)
                continue;
            EXPECT_GE(X.Diameter, TShapedNetworkGenerator::SmallestDuct) << Name;
            EXPECT_LE(X.Diameter, TShapedNetworkGenerator::LargestDuct) << Name;
            Dampers += static_cast<int>(X.FixedDps.size());
            FixedCs += static_cast<int>(X.FixedCs.size());
            Boosters += X.Booster ? 1 : 0;
            for (const auto& D : X.FixedDps) {
                EXPECT_GE(D->Drop, TShapedNetworkGenerator::MinDrop) << Name;
                EXPECT_LE(D->Drop, TShapedNetworkGenerator::MaxDrop) << Name;
            }
        }
        EXPECT_EQ(Dampers > 0, Options.DamperShare > 0.0) << Name;
        EXPECT_EQ(FixedCs > 0, Options.FixedCShare > 0.0) << Name;
        EXPECT_EQ(Boosters > 0, Options.BoosterShare > 0.0) << Name;
    }
}

TEST(ShapedNetworks, MeshUpdatesPerCorrectionStayBoundedOnALongLadder)
{
    // A ladder's fundamental meshes run along its rails, so that every
    // mesh shares branches with nearly every other: a correction that
    // updated each mesh through its branches cost the square of the rungs
    // (800,000 updates a correction on the longer ladder here). The work a
    // correction spends keeping the residuals current stays far below
    // that, and the balance still ends honestly.
    TQuietSink Quiet;
    TScopedWarningSink Scope(Quiet);
    TSettings Settings;
    TShapedNetworkGenerator::Configure(Settings);
    struct TCase {
        int Branches;
        double Boosters;
        std::uint32_t Seed;
    };
    // Bound of the residual updates a correction may cost on average.
    constexpr double MostPerCorrection = 50000.0;
    for (const TCase& Case : {TCase{3000, 0.01, 18}, TCase{6000, 0.01, 18}}) {
        TShapedNetworkOptions Options;
        Options.Shape = nsLadder;
        Options.Branches = Case.Branches;
        Options.Seed = Case.Seed;
        Options.DamperShare = 0.03;
        Options.BoosterShare = Case.Boosters;
        TDuctGraph G(false, &Settings);
        const TSolveCommandResult Result = BalanceAfter(G, Options, scSumFlows);
        const std::string Run = Options.Name();
        EXPECT_TRUE(Result.Status == ssSolved || Result.Status == ssWithinTolerance) << Run;
        ASSERT_GT(G.MeshCorrections, 0) << Run << ": no correction to measure";
        // Summing every mesh (before the loop, once the stale sums have
        // cost as much, and before it ends) is the loop's own cost,
        // whatever its corrections: after the warm start there are only a
        // few of them.
        std::size_t Links = 0;
        G.ForEachMesh([&Links](TFlowMesh& M) { Links += M.Links.size(); });
        const double Beyond = static_cast<double>(G.MeshUpdates) - 3.0 * static_cast<double>(Links);
        const double PerCorrection = Beyond / G.MeshCorrections;
        EXPECT_LE(PerCorrection, MostPerCorrection)
            << Run << ": " << G.MeshUpdates << " updates over " << G.MeshCorrections << " corrections";
        EXPECT_LE(LargestMeshSum(G), Promised(Result.Status) + 1e-6) << Run;
    }
}

namespace {

// Runs First and "Balance Flows" on the network Options describes and
// expects the warm start to end at a balance the loop method confirms in a
// few corrections ("Solved"); Check reads the network after.
template <typename TCheck>
void ExpectTheWarmStartBalances(const TShapedNetworkOptions& Options, TSolveCommand First, int MostWarmIterations,
                                TCheck Check)
{
    TQuietSink Quiet;
    TScopedWarningSink Scope(Quiet);
    TSettings Settings;
    TShapedNetworkGenerator::Configure(Settings);
    const std::string Run = Options.Name() + " after " + std::to_string(First);
    TDuctGraph G(false, &Settings);
    const TSolveCommandResult Result = BalanceAfter(G, Options, First);
    Check(G, Run);
    EXPECT_EQ(Result.Status, ssSolved) << Run;
    EXPECT_LT(G.WarmIterations, MostWarmIterations) << Run << ": the warm start ran to its cap";
    EXPECT_LE(G.MeshCorrections, 20) << Run;
}

void NoCheck(TDuctGraph&, const std::string&) {}

} // namespace

TEST(ShapedNetworks, SizedNetworksBalanceInTheWarmStart)
{
    // Equal friction sizes a rung that carries next to nothing at a few
    // millimetres beside mains of hundreds: slopes fourteen orders apart.
    // Each law keeps its own slope down to a millionth of its slope at
    // duct velocity: held instead to a share of the steepest, the laminar
    // ducts moved a few per cent a step, the warm start ran to its cap and
    // the loop method made 9,800 corrections.
    const std::vector<TShapedNetworkOptions> Catalogue = ShapedNetworkCatalogue();
    for (const std::size_t Network : {13u, 1u}) {
        ExpectTheWarmStartBalances(Catalogue[Network], scEqualFriction, 30, [](TDuctGraph& G, const std::string& Run) {
            double Smallest = HUGE_VAL, Largest = 0.0;
            G.ForEachBranch([&](TFlowBranch& B) {
                if (B.Kind == bkCommon && B.Diameter > 0.0) {
                    Smallest = std::min(Smallest, B.Diameter);
                    Largest = std::max(Largest, B.Diameter);
                }
            });
            EXPECT_GT(Largest / Smallest, 50.0) << Run << ": the sizes do not span what the case is about";
        });
    }
}

TEST(ShapedNetworks, LaddersWithBoostersBalanceInTheWarmStart)
{
    // From every duct at duct velocity, the first step leaves rungs near
    // zero flow, where their laws are nearly flat: linearised there they
    // asked for steps of kilograms a second, every step of the network
    // was shortened to a few per cent, and the warm start ran to its cap
    // 175 Pa off (25,000 corrections after it on the 20,000-branch
    // ladder). Such steps go by the secant slope over what they may take.
    for (const int Branches : {3000, 6000}) {
        TShapedNetworkOptions Options;
        Options.Shape = nsLadder;
        Options.Branches = Branches;
        Options.Seed = 16;
        Options.DamperShare = 0.02;
        Options.FixedCShare = 0.02;
        Options.BoosterShare = 0.005;
        ExpectTheWarmStartBalances(Options, scSumFlows, 40, NoCheck);
    }
}

TEST(ShapedNetworks, TheWarmStartLeavesTheLoopMethodLittleToCorrect)
{
    // Ducts resting on their laminar/turbulent jumps and dampers at zero
    // flow rest in the warm start itself (a duct whose flow sits at its
    // jump, or crosses it with the pressure difference inside the jump,
    // rests there at once): it ran to its 50-iteration cap on these and
    // left the loop method 200 to 470 corrections.
    const std::vector<TShapedNetworkOptions> Catalogue = ShapedNetworkCatalogue();
    for (const std::size_t Network : {1u, 7u, 37u})
        ExpectTheWarmStartBalances(Catalogue[Network], scSumFlows, 40, NoCheck);
}
