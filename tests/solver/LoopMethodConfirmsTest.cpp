#include "tests/solver/BalanceNetworks.h"

#include <gtest/gtest.h>

#include <string>

// After the warm start the loop method only confirms its flows. On grids
// whose 50 mm diffuser ducts balance on the laminar/turbulent jump, few
// meshes need a correction, and each shows its balance (or the jump it
// rests on) within a few steps: a mesh on a jump once took 70 to 100. The
// branches resting on a jump are chords, each on its own mesh: were they
// on the meshes of every chord whose path runs through them, the 20 × 20
// grids would need 40 and 90 corrections.
TEST(LoopMethodConfirms, GridsWithSmallDiffuserDucts)
{
    const struct {
        int Side;
        std::uint32_t Seed;
        int MaxCorrections;
    } Cases[] = {{10, 7, 18}, {10, 8, 18}, {10, 9, 18}, {20, 7, 25}, {20, 8, 25}};
    for (const auto& C : Cases) {
        TFlowNetwork N;
        N.Defaults.roughness = 0.00015;
        balance::TGridOptions O;
        O.OutletDiameter = 0.05;
        O.Seed = C.Seed;
        balance::Grid(N, C.Side, O);
        ASSERT_TRUE(balance::Distribute(N));
        N.G.Solve();
        const std::string Name = std::to_string(C.Side) + " seed " + std::to_string(C.Seed);
        ASSERT_TRUE(N.G.Status == ssSolved || N.G.Status == ssWithinTolerance) << Name << ": " << N.G.Status;
        EXPECT_EQ(N.G.SolvePasses, 1) << Name;
        EXPECT_LE(N.G.MeshCorrections, C.MaxCorrections)
            << Name << ": meshes corrected for a branch on a jump that should have been a chord of its own";
        EXPECT_LE(N.G.MeshSteps, 6 * N.G.MeshCorrections) << Name;
    }
}
