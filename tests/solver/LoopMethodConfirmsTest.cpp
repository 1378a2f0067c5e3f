#include "tests/solver/BalanceNetworks.h"

#include <gtest/gtest.h>

// After the warm start the loop method only confirms its flows. On grids
// whose 50 mm diffuser ducts balance on the laminar/turbulent jump, few
// meshes need a correction, and each shows its balance (or the jump it
// rests on) within a few steps: a mesh on a jump once took 70 to 100.
TEST(LoopMethodConfirms, GridsWithSmallDiffuserDucts)
{
    for (std::uint32_t Seed : {7u, 8u, 9u}) {
        TFlowNetwork N;
        N.Defaults.roughness = 0.00015;
        balance::TGridOptions O;
        O.OutletDiameter = 0.05;
        O.Seed = Seed;
        balance::Grid(N, 10, O);
        ASSERT_TRUE(balance::Distribute(N));
        N.G.Solve();
        ASSERT_TRUE(N.G.Status == ssSolved || N.G.Status == ssWithinTolerance) << N.G.Status;
        EXPECT_EQ(N.G.SolvePasses, 1) << "seed " << Seed;
        EXPECT_LE(N.G.MeshCorrections, N.G.MeshCount() / 10) << "seed " << Seed;
        EXPECT_LE(N.G.MeshSteps, 6 * N.G.MeshCorrections) << "seed " << Seed;
    }
}
