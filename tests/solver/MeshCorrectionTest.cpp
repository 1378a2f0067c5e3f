#include "tests/network/FlowNetworkBuilder.h"

#include "network/FlowMesh.h"
#include "network/LoopCode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// Two ducts from node 1 to node 2, each carrying Q m³/s, and the mesh the
// loop method builds on them: duct 2 as its chord, back through duct 1.
struct TTwoDuctMesh {
    TFlowNetwork N;
    TDuctBranch* First;
    TDuctBranch* Second;
    TFlowMesh Mesh{1};

    TTwoDuctMesh(double Diameter1, double Diameter2, double Length, double Q)
    {
        First = N.Duct(1, 1, 2, Q, Length);
        Second = N.Duct(2, 1, 2, Q, Length);
        for (auto [Duct, D] : {std::pair{First, Diameter1}, std::pair{Second, Diameter2}}) {
            Duct->Diameter = D;
            Duct->CalcArea();
            Duct->CalcMassFlow();
            Duct->CalcFriction();
            Duct->RecalcLosses();
        }
        Mesh.Links = {{1, Second}, {-1, First}};
        Mesh.CalcResidual(true);
    }
};

} // namespace

TEST(MeshCorrection, StepFarBeyondTheBalanceStillMoves)
{
    // A slope estimate far too large makes the first step (held to 2 kg/s)
    // overshoot by a million pascals on a residual of 1e-10 Pa: t is about
    // 1e16·s². The slope must then follow the secant, and the mesh come
    // back to balance, not stand still until its step limit.
    TTwoDuctMesh M(0.05, 0.05, 5.0, 0.01);
    M.Mesh.MeshResidual = 1e-10;
    M.Mesh.Gain = 1e12;
    const double Total = M.First->MassFlow + M.Second->MassFlow;
    EXPECT_EQ(M.Mesh.CorrectFlow(), lcConverged);
    EXPECT_LE(std::fabs(M.Mesh.MeshResidual), 0.01);
    EXPECT_GT(M.Mesh.Gain, 0.0);
    EXPECT_NEAR(M.First->MassFlow + M.Second->MassFlow, Total, 1e-12);
    EXPECT_NEAR(M.First->MassFlow, M.Second->MassFlow, 1e-6); // equal ducts share equally
}
