#include "tests/solver/BalanceNetworks.h"

#include "network/FlowMesh.h"
#include "network/LoopCode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

// A pass of the loop method ends once it has made its share of corrections:
// 200, or one for every ten meshes. Corrections that find their mesh on a
// jump of a branch law (and set it aside) count as well: each costs as much
// as any other, and left out they let a pass over thousands of meshes on
// jumps run on for 4,000 to 30,000 corrections. The grids here, a booster
// and a damper on every other duct, each hold a few such corrections in
// their first pass, which went over the limit by 2 to 11.
TEST(PassLimit, CorrectionsThatFindAMeshOnAJumpCountTowardsIt)
{
    const struct {
        int Side;
        double Drop;  // Pa, of the dampers
        double Boost; // Pa, of the boosters
    } Cases[] = {{12, 10.0, 5.0}, {12, 20.0, 60.0}, {20, 40.0, 5.0}, {40, 20.0, 5.0}};
    for (const auto& C : Cases) {
        std::ostringstream Name;
        Name << C.Side << " x " << C.Side << ", dampers " << C.Drop << " Pa, boosters " << C.Boost << " Pa";
        TFlowNetwork N;
        N.Defaults.roughness = 0.00015;
        balance::TGridOptions O;
        O.ItemsEvery = 2;
        O.FixedDrop = C.Drop;
        O.BoosterGain = C.Boost;
        balance::Grid(N, C.Side, O);
        ASSERT_TRUE(balance::Distribute(N)) << Name.str();
        ASSERT_TRUE(N.G.CheckMainFan()) << Name.str();
        ASSERT_TRUE(N.G.Validate()) << Name.str();
        ASSERT_TRUE(N.G.Prepare()) << Name.str();
        N.G.InitMeshes();
        N.G.InitSolveState();
        for (const auto& Mesh : N.G.Meshes())
            static_cast<TFlowMesh&>(*Mesh).CalcResidual(false);
        N.G.SolveMeshes();
        ASSERT_EQ(N.G.LoopCode, lcIterationLimit) << Name.str() << ": the pass should end at its limit";
        // The correction that goes over the limit ends the pass.
        const int Limit = std::max(200, N.G.MeshCount() / 10) + 1;
        EXPECT_LE(N.G.MeshCorrections, Limit)
            << Name.str() << ": corrections that found their mesh on a jump were not counted";
    }
}
