#include "tests/solver/BalanceNetworks.h"

#include "network/FlowMesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

using namespace balance;

namespace {

// Ducts 3 and 4 side by side from node 3 to node 4, the same size; duct 4
// holds a damper of Drop Pa; then the outlet duct 5. The whole flow through
// duct 3 loses less than the damper, so duct 4 passes no air and takes,
// at rest, whatever part of its damper's drop the pair needs.
void DamperBeside(TFlowNetwork& N, double Drop, double Diameter)
{
    const double Flow = 0.01; // m³/s
    Feed(N, Flow);
    Duct(N, 3, 3, 4, Diameter, 5.0, 0.5 * Flow);
    TDuctBranch* Damped = Duct(N, 4, 3, 4, Diameter, 5.0, 0.5 * Flow);
    Damped->FixedDps.push_back(std::make_unique<TFixeddP>("Damper", Drop));
    N.Node(5, ntOutlet);
    Duct(N, 5, 4, 5, 0.3, 1.0, Flow);
}

} // namespace

TEST(RestingOnAFixedDrop, MeshWithinTheDampersGapIsSolved)
{
    // The balance exists: duct 4 at zero flow, its drop anywhere between
    // -Drop and +Drop. The run ends "Solved" with duct 4 at exactly zero and
    // the mesh's sum inside the gap, warm or by the loop method alone.
    struct TCase {
        double Drop, Diameter;
    };
    const TCase Cases[] = {{0.5, 0.15}, {3.0, 0.1}, {10.0, 0.08}};
    for (const TCase& C : Cases) {
        for (bool UseWarm : {true, false}) {
            TFlowNetwork N;
            DamperBeside(N, C.Drop, C.Diameter);
            N.G.UseWarmStart = UseWarm;
            ASSERT_TRUE(Distribute(N));
            N.G.Solve();
            const std::string Run = std::to_string(C.Drop) + " Pa" + (UseWarm ? " warm" : " alone");
            EXPECT_EQ(static_cast<int>(N.G.Status), static_cast<int>(ssSolved))
                << Run << ": " << N.G.MaxResidual << " Pa left";
            EXPECT_LE(N.G.MaxResidual, 0.01) << Run;
            EXPECT_EQ(N.G.FlowBranch(4)->MassFlow, 0.0) << Run;
            const double Open = N.G.FlowBranch(3)->TotalDrop;
            EXPECT_GT(Open, 0.02) << Run; // off by more than the tolerance without the gap
            EXPECT_LT(Open, C.Drop) << Run;
            EXPECT_LE(LargestImbalance(N.G), 1e-9 * N.G.MainFan->MassFlow) << Run;
        }
    }
}

TEST(RestingOnAFixedDrop, GapCountsOnlyAtZeroFlow)
{
    // A mesh is judged by what lies outside the half-gaps of its branches
    // resting at zero flow on fixed drops: a damper carrying any air has
    // its drop, and no gap.
    struct TCase {
        std::string Name;
        double Flow;     // m³/s through the damper's duct
        double Residual; // Pa
        double Judged;   // Pa
    };
    const TCase Cases[] = {
        {"at rest, inside", 0.0, 2.5, 0.0},
        {"at rest, above", 0.0, 4.0, 1.0},
        {"at rest, below", 0.0, -3.5, -0.5},
        {"carrying air", 1e-9, 2.5, 2.5},
    };
    for (const TCase& C : Cases) {
        TFlowNetwork N;
        TDuctBranch* B = Duct(N, 1, 1, 2, 0.2, 10.0, C.Flow);
        B->FixedDps.push_back(std::make_unique<TFixeddP>("Damper", 1.0));
        B->FixedDps.push_back(std::make_unique<TFixeddP>("Coil", -2.0));
        B->MassFlow = C.Flow;
        double Below = 0.0, Above = 0.0;
        EXPECT_EQ(TFlowMesh::RestingGap(*B, Below, Above), C.Flow == 0.0) << C.Name;
        EXPECT_EQ(Above, C.Flow == 0.0 ? 3.0 : 0.0) << C.Name;
        EXPECT_EQ(Below, -Above) << C.Name;
        EXPECT_DOUBLE_EQ(TFlowMesh::OutsideGap(C.Residual, Below, Above), C.Judged) << C.Name;
    }
}
