#include "tests/network/FlowNetworkBuilder.h"
#include "tests/solver/BalanceNetworks.h"

#include "network/FlowMesh.h"
#include "network/LoopCode.h"
#include "solver/MeshQueue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>

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

// The mesh through With and back through Against, two ducts side by side,
// both computed at their present flows, from the slope estimate Gain.
std::unique_ptr<TFlowMesh> SideBySide(TDuctBranch* With, TDuctBranch* Against, double Gain)
{
    for (TDuctBranch* Duct : {With, Against}) {
        Duct->CalcMassFlow();
        Duct->CalcFriction();
        Duct->RecalcLosses();
    }
    auto Mesh = std::make_unique<TFlowMesh>(1);
    Mesh->Links = {{1, With}, {-1, Against}};
    Mesh->CalcResidual(true);
    Mesh->Gain = Gain;
    return Mesh;
}

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

TEST(MeshCorrection, BalanceOnAJumpRestsOnItsCloserSide)
{
    // Duct 3's law jumps by 0.47 Pa where the fixed drop beside it would
    // balance it. The correction closes in on the jump and stops there,
    // its drop off by less than half the jump, instead of stepping to its
    // limit; duct 3 rests on its jump, and the mesh balances within it.
    TFlowNetwork N;
    balance::JumpPair(N);
    ASSERT_TRUE(balance::Distribute(N));
    ASSERT_TRUE(N.G.CheckMainFan());
    ASSERT_TRUE(N.G.Validate());
    ASSERT_TRUE(N.G.Prepare());
    N.G.InitMeshes();
    N.G.InitSolveState();
    TFlowMesh* Pair = nullptr;
    for (const auto& Mesh : N.G.Meshes())
        if (!static_cast<TFlowMesh&>(*Mesh).HasFan)
            Pair = static_cast<TFlowMesh*>(Mesh.get());
    ASSERT_NE(Pair, nullptr);
    Pair->CalcResidual(true);
    const double Total = N.G.FlowBranch(3)->MassFlow + N.G.FlowBranch(4)->MassFlow;
    EXPECT_EQ(Pair->CorrectFlow(), lcConverged);
    EXPECT_EQ(Pair->Imbalance(), 0.0);
    EXPECT_EQ(N.G.FlowBranch(3)->RestFlow, N.G.FlowBranch(3)->MassFlow);
    EXPECT_GT(std::fabs(Pair->MeshResidual), 0.01);
    EXPECT_LT(std::fabs(Pair->MeshResidual), 0.25);
    EXPECT_NEAR(N.G.FlowBranch(3)->MassFlow / balance::TurbulentFlow(0.15), 1.0, 1e-3);
    EXPECT_NEAR(N.G.FlowBranch(3)->MassFlow + N.G.FlowBranch(4)->MassFlow, Total, 1e-12);
}

TEST(MeshCorrection, RestsOnAJumpOnlyNextToIt)
{
    // A plain duct beside one with a damper whose drop the plain duct
    // cannot reach: the damper balances only at zero flow, on its jump.
    // The first bounds hold the jump with a residual far steeper between
    // them than over any step before; the correction must go on to the
    // jump and rest there, not at whichever bound is nearer balance (it
    // left the damper 0.1 to 1.7 g/s of flow of its own).
    const struct {
        double DamperFlow; // m³/s at the start, against the damper
        double Drop;       // Pa
        double Gain;       // the starting slope estimate, kg/s per Pa
    } Cases[] = {
        {-0.005, 1.0, 0.01}, {-0.005, 5.0, 0.01}, {-0.005, 10.0, 1e-6},
        {-0.02, 1.0, 1e-6},  {-0.02, 5.0, 1e-4},  {-0.02, 10.0, 0.01},
    };
    for (const auto& C : Cases) {
        TFlowNetwork N;
        TDuctBranch* Plain = N.Duct(1, 1, 2, 0.05, 5.0);
        TDuctBranch* Damper = N.Duct(2, 1, 2, C.DamperFlow, 5.0);
        Damper->FixedDps.push_back(std::make_unique<TFixeddP>("Damper", C.Drop));
        const auto Made = SideBySide(Damper, Plain, C.Gain);
        TFlowMesh& Mesh = *Made;
        const double Total = Plain->MassFlow + Damper->MassFlow;
        EXPECT_EQ(Mesh.CorrectFlow(), lcConverged) << C.Drop << " Pa, gain " << C.Gain;
        EXPECT_LE(std::fabs(Damper->MassFlow), 1e-9) << C.Drop << " Pa, gain " << C.Gain;
        EXPECT_NEAR(Plain->MassFlow + Damper->MassFlow, Total, 1e-12);
        // Balanced within the damper's gap: its drop takes what the plain
        // duct's needs.
        EXPECT_NEAR(Mesh.MeshResidual, -Plain->TotalDrop, 1e-9) << C.Drop << " Pa, gain " << C.Gain;
        EXPECT_LT(Plain->TotalDrop, C.Drop) << C.Drop << " Pa, gain " << C.Gain;
        EXPECT_EQ(Mesh.Imbalance(), 0.0) << C.Drop << " Pa, gain " << C.Gain;
    }
}

TEST(MeshCorrection, DuctBalancedOnItsTurbulentJumpRestsThereNotAtABoundShortOfIt)
{
    // A duct started in laminar flow beside a damper whose drop lies in
    // the middle of the duct's jump at Re 2300: the balance sits on the
    // jump. Bounds that close in on it from a few tenths of a percent
    // away are already steep across it; resting at the nearer of them
    // left the duct up to 0.3 % of its flow off the jump, at a
    // flow of its own.
    const struct {
        double Diameter; // m
        double Start;    // the duct's flow at the start, as a share of the jump's
        double Gain;     // the starting slope estimate, kg/s per Pa
    } Cases[] = {{0.089, 0.668, 1e-7}, {0.089, 0.668, 1e-6}, {0.089, 0.668, 1e-5}, {0.15, 0.668, 1e-5}};
    for (const auto& C : Cases) {
        std::ostringstream Name;
        Name << C.Diameter << " m from " << C.Start << " of the jump's flow, gain " << C.Gain;
        TFlowNetwork N;
        const double Rho = N.G.AirDensity;
        const double Jump = balance::TurbulentFlow(C.Diameter);
        TDuctBranch* Duct = balance::Duct(N, 1, 1, 2, C.Diameter, 78.0, Jump / Rho);
        auto DropAt = [&](double Share) {
            Duct->SetVolumeFlow(Share * Jump / Rho);
            for (int Settle = 0; Settle < 3; ++Settle) {
                Duct->CalcFriction();
                Duct->RecalcLosses();
            }
            return Duct->TotalDrop;
        };
        const double Middle = 0.5 * (DropAt(1.0 - 1e-6) + DropAt(1.0 + 1e-6));
        TDuctBranch* Damper = balance::Duct(N, 2, 1, 2, 1.0, 0.0, 4.0 * Jump / Rho);
        Damper->FixedDps.push_back(std::make_unique<TFixeddP>("Damper", Middle));
        Duct->SetVolumeFlow(C.Start * Jump / Rho);
        const auto Made = SideBySide(Duct, Damper, C.Gain);
        TFlowMesh& Mesh = *Made;
        const double Total = Duct->MassFlow + Damper->MassFlow;
        EXPECT_EQ(Mesh.CorrectFlow(), lcConverged) << Name.str();
        EXPECT_NEAR(Duct->MassFlow / Jump, 1.0, 1e-6)
            << Name.str() << ": the duct rested at a bound off its jump, not on it";
        EXPECT_EQ(Duct->RestFlow, Duct->MassFlow) << Name.str() << ": the duct does not rest on its jump";
        EXPECT_NEAR(Duct->MassFlow + Damper->MassFlow, Total, 1e-12) << Name.str();
    }
}

TEST(MeshQueue, ParkedMeshLeavesTheQueueUntilItsResidualMoves)
{
    TFlowNetwork N;
    for (int Id = 1; Id <= 3; ++Id)
        N.Duct(Id, Id, Id + 1, 0.1);
    TGraph::TMeshList Meshes;
    for (int I = 0; I < 3; ++I) {
        auto Mesh = std::make_unique<TFlowMesh>(I + 1);
        Mesh->Links.push_back({1, N.G.FindBranch(I + 1)});
        Mesh->MeshResidual = 0.1 * (I + 1);
        Meshes.push_back(std::move(Mesh));
    }
    TMeshQueue Q;
    Q.Build(Meshes);
    Q.Fill(Meshes);
    double Largest = -1.0;
    EXPECT_FALSE(Q.AnyParked(Largest));
    ASSERT_EQ(Q.Worst(), 2);
    Q.Park(2, 0.3, 0.01);
    EXPECT_EQ(Q.Worst(), 1);
    EXPECT_TRUE(Q.AnyParked(Largest));
    EXPECT_DOUBLE_EQ(Largest, 0.3);

    struct TStep {
        double Residual;
        int Worst; // after the update
    };
    const TStep Steps[] = {
        {0.305, 1},  // moved by less than the margin: stays parked
        {0.295, 1},
        {0.32, 2},   // moved beyond it: queued again, and the worst
    };
    for (const TStep& S : Steps) {
        Q.Update(2, S.Residual);
        EXPECT_EQ(Q.Worst(), S.Worst) << S.Residual;
    }
    EXPECT_FALSE(Q.AnyParked(Largest));
}
