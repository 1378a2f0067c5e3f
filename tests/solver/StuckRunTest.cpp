#include "tests/solver/BalanceNetworks.h"

#include <gtest/gtest.h>

// Grids whose loops hold booster fans and fixed drops: meshes balance on
// the fixed drops' jumps at zero flow, and after a few passes every pass
// ends as the ones before (the same meshes set aside, the same one of them
// holding the largest residual). The run ends there, promptly, with the
// status its residual earns; it used to go on for about twice the passes.
TEST(StuckRun, EndsOncePassesNoLongerChangeTheEnd)
{
    const struct {
        int Side, Every;
        double Drop; // Pa
        TSolveStatus Status;
        int MaxPasses;
    } Cases[] = {
        // Balanced within the drops' gaps both now end "Solved"; judged by
        // the drops' sides they ended "MaxIts reached" and "Within tolerance".
        {20, 5, 3.0, ssSolved, 10},   // 15 passes before
        {24, 5, 0.9, ssSolved, 7}, // 9 passes before
    };
    for (const auto& C : Cases) {
        TFlowNetwork N;
        N.Defaults.roughness = 0.00015;
        balance::TGridOptions O;
        O.ItemsEvery = C.Every;
        O.FixedDrop = C.Drop;
        balance::Grid(N, C.Side, O);
        ASSERT_TRUE(balance::Distribute(N));
        N.G.Solve();
        EXPECT_EQ(N.G.Status, C.Status) << C.Side;
        EXPECT_LE(N.G.SolvePasses, C.MaxPasses) << C.Side;
        // The status is the one the largest residual earns.
        if (C.Status == ssMaxItsReached) {
            EXPECT_GT(N.G.MaxResidual, TFlowGraph::WithinToleranceResidual) << C.Side;
        } else {
            EXPECT_LE(N.G.MaxResidual, TFlowGraph::WithinToleranceResidual) << C.Side;
        }
    }
}
