#include "tests/network/FlowNetworkBuilder.h"

#include "network/FlowMesh.h"
#include "network/LoopCode.h"
#include "foundation/WorkerTeam.h"
#include "solver/MeshQueue.h"

#include "tests/support/ExactDoubles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

namespace {

// Inlet 1 -> 2 -> 3 =fan (1 m³/s)=> 4 -> 5, two ducts of no length from 5
// to 6 with fixed C's of 1 and 4, and the outlet duct 6 -> 7.
void BuildParallel(TFlowNetwork& N, double ParallelFlow)
{
    N.Node(1, ntInlet);
    N.Node(7, ntOutlet);
    N.Duct(1, 1, 2, 1.0);
    N.Duct(2, 2, 3, 1.0);
    N.Fan(3, 3, 4, 1.0);
    N.Duct(4, 4, 5, 1.0);
    N.Duct(5, 5, 6, ParallelFlow, 0.0)->FixedCs.push_back(std::make_unique<TFixedC>("C1", 1.0));
    N.Duct(6, 5, 6, ParallelFlow, 0.0)->FixedCs.push_back(std::make_unique<TFixedC>("C4", 4.0));
    N.Duct(7, 6, 7, 1.0);
}

std::vector<double> Flows(const TDuctGraph& G)
{
    std::vector<double> Q;
    for (int Id = 1; Id <= 7; ++Id)
        Q.push_back(G.FlowBranch(Id)->VolumeFlow);
    return Q;
}

} // namespace

TEST(FlowSolver, DefaultNetworkIsOneLoopThroughTheFan)
{
    TFlowNetwork N;
    TDuctGraph G(true, &N.Defaults);
    // A fan has no friction: a fixed C item keeps the drop it had on a duct.
    G.MainFan->FixedCs.push_back(std::make_unique<TFixedC>("Damper", 1.0));
    G.MainFan->FixedCs.back()->Drop = 20.0;
    G.Method = smFlowBalance;
    G.Solve();
    ASSERT_EQ(G.Status, ssSolved);
    ASSERT_EQ(G.MeshCount(), 1);
    const auto& Mesh = static_cast<const TFlowMesh&>(*G.Meshes().front());
    EXPECT_EQ(Mesh.Links.front().Branch, G.MainFan);
    EXPECT_TRUE(Mesh.HasFan);
    double DuctDrops = 0.0;
    for (int Id = 1; Id <= 5; ++Id) {
        EXPECT_NEAR(G.FlowBranch(Id)->VolumeFlow, 1.0, 1e-12) << "branch " << Id;
        if (Id != 3)
            DuctDrops += G.FlowBranch(Id)->TotalDrop;
    }
    // The fan makes up the four ducts' drops (terminals included), its
    // coil and filter, 150 Pa each, and its damper's 20 Pa.
    EXPECT_GT(DuctDrops, 0.0);
    EXPECT_NEAR(G.MainFan->PressureGain, DuctDrops + 320.0, 1e-6);
    EXPECT_NEAR(G.FlowNode(6)->RelPressure, 0.0, 1e-9); // the outlet discharges at the sink

    // Nothing changed: the second run sees it at once.
    G.Solve();
    EXPECT_EQ(G.Status, ssSolved);
    EXPECT_EQ(G.SolvePasses, 0);
}

TEST(FlowSolver, ParallelDuctsShareTheFlowByTheirLosses)
{
    // Equal drops C·ρv²/2 on equal ducts: C1·Q1² = C4·Q4², so Q1 = 2·Q4 and
    // the fan's 1 m³/s splits 2/3 and 1/3.
    TFlowNetwork N;
    BuildParallel(N, 0.5);
    N.G.Method = smFlowBalance;
    N.G.Solve();
    ASSERT_EQ(N.G.Status, ssSolved);
    EXPECT_NEAR(N.G.FlowBranch(5)->VolumeFlow, 2.0 / 3.0, 1e-3);
    EXPECT_NEAR(N.G.FlowBranch(6)->VolumeFlow, 1.0 / 3.0, 1e-3);
    EXPECT_NEAR(N.G.FlowBranch(5)->TotalDrop, N.G.FlowBranch(6)->TotalDrop, 0.01);
    EXPECT_NEAR(N.G.FlowBranch(7)->VolumeFlow, 1.0, 1e-9);
}

TEST(FlowSolver, SameNetworkGivesTheSameFiguresEveryRun)
{
    // Parallel ducts without flow: the chord starts at the "random"
    // correction, which must be the same in every run.
    TFlowNetwork N;
    BuildParallel(N, 0.0);
    N.G.Method = smFlowBalance;
    N.G.Solve();
    ASSERT_EQ(N.G.Status, ssSolved);
    const std::vector<double> First = Flows(N.G);
    for (int Id : {5, 6})
        N.G.FlowBranch(Id)->SetVolumeFlow(0.0);
    N.G.Status = ssNotSolved;
    N.G.Solve();
    ASSERT_EQ(N.G.Status, ssSolved);
    EXPECT_EQ(Exact(Flows(N.G)), Exact(First));
}

TEST(FlowSolver, ValuesThatAreNoNumbersEndAsDataErrorWithFlowsKept)
{
    TFlowNetwork N;
    BuildParallel(N, 0.5);
    N.G.FlowBranch(6)->FixedDps.push_back(
        std::make_unique<TFixeddP>("Broken", std::numeric_limits<double>::quiet_NaN()));
    std::vector<double> Drops;
    for (int Id = 1; Id <= 7; ++Id)
        Drops.push_back(N.G.FlowBranch(Id)->TotalDrop);
    const std::vector<double> Before = Flows(N.G);
    N.G.Method = smFlowBalance;
    N.G.Solve();
    EXPECT_EQ(N.G.Status, ssDataError);
    EXPECT_EQ(Exact(Flows(N.G)), Exact(Before));
    for (int Id = 1; Id <= 7; ++Id)
        EXPECT_EQ(Exact(N.G.FlowBranch(Id)->TotalDrop), Exact(Drops[static_cast<std::size_t>(Id - 1)])) << "branch " << Id;
}

TEST(FlowSolver, OuterPassEndsOnlyCloseToBalance)
{
    struct TCase {
        int Loop, Pass;
        double Change, Largest;
        int Expected;
    };
    const TCase Cases[] = {
        {lcConverged, 3, 0.0005, 0.005, lcConverged},         // settled
        {lcConverged, 3, 0.005, 0.005, lcNone},               // still moving
        {lcIterationLimit, 150, 0.005, 50.0, lcNone},         // stuck far from balance: go on
        {lcIterationLimit, 150, 0.005, 0.5, lcWithinTolerance},
        {lcConverged, 150, 0.005, 50.0, lcWithinTolerance},   // its last mesh loop converged
        {lcIterationLimit, 250, 0.05, 0.9, lcWithinTolerance},
        {lcIterationLimit, 250, 0.5, 0.9, lcNone},
        {lcIterationLimit, 600, 0.005, 50.0, lcIterationLimit},
        // Stuck on a jump: when nothing moves no pass can change it.
        {lcOnJump, 1, 0.0005, 1.5, lcIterationLimit},
        {lcOnJump, 1, 0.005, 1.5, lcNone},
        {lcOnJump, 600, 0.5, 1.5, lcIterationLimit},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(TFlowGraph::OuterPassResult(C.Loop, C.Pass, C.Change, C.Largest), C.Expected)
            << "loop " << C.Loop << " pass " << C.Pass << " change " << C.Change << " residual " << C.Largest;
}

TEST(FlowSolver, SizedNetworkWithOutletsOffTheSinkPressureIsNotBalanced)
{
    TFlowNetwork N;
    TDuctGraph G(true, &N.Defaults);
    const struct {
        TSolveMethod Method;
        double OutletPressure;
        int Code;
        TSolveStatus Expected;
    } Cases[] = {
        {smEqualFriction, 5.0, lcConverged, ssNotBalanced},
        {smEqualFriction, 5.0, lcWithinTolerance, ssWithinTolerance},
        {smFlowBalance, 5.0, lcConverged, ssSolved},
        {smEqualFriction, 0.00005, lcConverged, ssSolved},
        {smEqualFriction, 0.00005, lcNoMeshes, ssDataError},
    };
    for (const auto& C : Cases) {
        G.Method = C.Method;
        G.FlowNode(6)->RelPressure = C.OutletPressure;
        G.SetStatusFromCode(C.Code);
        EXPECT_EQ(G.Status, C.Expected) << int(C.Method) << " " << C.OutletPressure << " " << C.Code;
    }
}

TEST(MeshQueue, WorstMeshIsTheLastOfEqualsAndNeverTheFans)
{
    // Three meshes over branches 1..4: {1, 2}, {-2, 3}, {4} (the second
    // runs through branch 2 against it); the third has the fan.
    TFlowNetwork N;
    TDuctGraph& G = N.G;
    for (int Id = 1; Id <= 4; ++Id)
        N.Duct(Id, Id, Id + 1, 0.1);
    TGraph::TMeshList Meshes;
    const std::vector<std::vector<int>> Circuits = {{1, 2}, {-2, 3}, {4}};
    for (std::size_t I = 0; I < Circuits.size(); ++I) {
        auto Mesh = std::make_unique<TFlowMesh>(static_cast<int>(I) + 1);
        for (int Id : Circuits[I])
            Mesh->Links.push_back({Id < 0 ? -1 : 1, G.FindBranch(std::abs(Id))});
        Meshes.push_back(std::move(Mesh));
    }
    auto At = [&](int I) -> TFlowMesh& { return static_cast<TFlowMesh&>(*Meshes[static_cast<std::size_t>(I)]); };
    At(0).MeshResidual = -5.0;
    At(1).MeshResidual = 5.0;
    At(2).MeshResidual = 100.0;
    At(2).HasFan = true;

    TMeshQueue Q;
    Q.Build(Meshes);
    // A correction of the first mesh that changed the drops of branches 1
    // and 2 changes the second mesh's residual by branch 2's change,
    // against its direction there; the fan's mesh shares nothing.
    EXPECT_EQ(Q.AddDropChanges(0, {0.25, 2.0}), (std::vector<int>{1}));
    EXPECT_DOUBLE_EQ(At(0).MeshResidual, -5.0);
    EXPECT_DOUBLE_EQ(At(1).MeshResidual, 3.0);
    EXPECT_EQ(Q.AddDropChanges(2, {1.0}), (std::vector<int>{}));
    EXPECT_DOUBLE_EQ(At(1).MeshResidual, 3.0);
    At(1).MeshResidual = 5.0;
    Q.Fill(Meshes);
    EXPECT_EQ(Q.Worst(), 1); // |-5| = |5|: the later one
    Q.Update(1, 0.5);
    EXPECT_EQ(Q.Worst(), 0);
    Q.Update(1, -5.0);
    EXPECT_EQ(Q.Worst(), 1);
    for (int Step = 0; Step < 1000; ++Step) // stale entries are dropped on the way
        Q.Update(0, Step % 2 ? 1.0 : 7.0);
    EXPECT_EQ(Q.Worst(), 1);
    Q.Update(0, 5.0);
    EXPECT_EQ(Q.Worst(), 1);
    Q.Update(0, 5.5);
    EXPECT_EQ(Q.Worst(), 0);
}

TEST(MeshQueue, MeshesSetAsideStaySoWhileTheyAreFoundWhereTheyWere)
{
    TFlowNetwork N;
    N.Node(1);
    N.Node(2);
    for (int Id = 1; Id <= 3; ++Id)
        N.Duct(Id, 1, 2, 0.1, 10.0);
    TDuctGraph& G = N.G;
    // Two meshes, each led by its chord as the mesh builder leaves them.
    auto MakeMeshes = [&G](double First, double Second) {
        TGraph::TMeshList Meshes;
        const int Chords[] = {2, 3};
        const double Residuals[] = {First, Second};
        for (int I = 0; I < 2; ++I) {
            auto Mesh = std::make_unique<TFlowMesh>(I + 1);
            Mesh->Links = {{1, G.FindBranch(Chords[I])}, {-1, G.FindBranch(1)}};
            Mesh->MeshResidual = Residuals[I];
            Meshes.push_back(std::move(Mesh));
        }
        return Meshes;
    };

    // Picked twice in a row no nearer balance: set aside; coming back
    // smaller starts the count again.
    TGraph::TMeshList Meshes = MakeMeshes(0.3, 0.2);
    TMeshQueue Q;
    Q.Build(Meshes);
    Q.Fill(Meshes);
    EXPECT_FALSE(Q.ComesBackUnchanged(0, 0.3));
    EXPECT_FALSE(Q.ComesBackUnchanged(0, -0.3));
    EXPECT_FALSE(Q.ComesBackUnchanged(0, 0.1));
    EXPECT_FALSE(Q.ComesBackUnchanged(0, 0.1));
    EXPECT_TRUE(Q.ComesBackUnchanged(0, 0.1));
    // The same residual summed again over hundreds of drops of tens of Pa,
    // or carried by drop changes, differs in its ninth digit: no nearer.
    EXPECT_FALSE(Q.ComesBackUnchanged(0, 0.02));
    EXPECT_FALSE(Q.ComesBackUnchanged(0, 0.02 - 1e-10));
    EXPECT_TRUE(Q.ComesBackUnchanged(0, -(0.02 - 2e-10)));
    Q.Park(0, 0.3, 0.01);
    EXPECT_EQ(Q.Worst(), 1);

    // New meshes on the same chords: kept aside only when their residual
    // is found where it was, and only when the build is told to keep them.
    for (const auto& [Keep, Residual, Expected] :
         {std::tuple{true, 0.305, 1}, std::tuple{true, 0.5, 0}, std::tuple{false, 0.3, 0}}) {
        Q.Build(Meshes);
        Q.Fill(Meshes);
        Q.Park(0, 0.3, 0.01);
        TGraph::TMeshList Rebuilt = MakeMeshes(Residual, 0.2);
        Q.Build(Rebuilt, Keep);
        Q.Fill(Rebuilt, false); // stale residuals take nothing
        Q.Fill(Rebuilt);
        EXPECT_EQ(Q.Worst(), Expected) << Keep << " " << Residual;
        double Parked = 0.0;
        EXPECT_EQ(Q.AnyParked(Parked), Expected == 1);
    }
}

TEST(MeshQueue, IncidenceBuiltByATeamIsTheOneThreadsIncidence)
{
    // Thousands of random meshes over a few hundred branches: the residual
    // changes a correction hands its neighbours, and the neighbours named,
    // must not depend on how the build was shared out.
    TFlowNetwork N;
    for (int Id = 1; Id <= 400; ++Id)
        N.Duct(Id, Id, Id + 1, 0.1);
    std::mt19937 Rng(99);
    std::vector<std::vector<int>> Circuits(6000);
    for (auto& Circuit : Circuits) {
        const int Length = 1 + static_cast<int>(Rng() % 60);
        for (int K = 0; K < Length; ++K)
            Circuit.push_back((Rng() % 2 ? 1 : -1) * static_cast<int>(1 + Rng() % 400));
    }
    auto MakeMeshes = [&] {
        TGraph::TMeshList Meshes;
        for (const auto& Circuit : Circuits) {
            auto Mesh = std::make_unique<TFlowMesh>(static_cast<int>(Meshes.size()) + 1);
            for (int Id : Circuit)
                Mesh->Links.push_back({Id < 0 ? -1 : 1, N.G.FindBranch(std::abs(Id))});
            Meshes.push_back(std::move(Mesh));
        }
        return Meshes;
    };
    TGraph::TMeshList Alone = MakeMeshes(), Shared = MakeMeshes();
    TWorkerTeam Team;
    TMeshQueue One, Many;
    One.Build(Alone);
    Many.Build(Shared, false, &Team);
    for (int Mesh = 0; Mesh < 6000; Mesh += 37) {
        std::vector<double> Change(Circuits[static_cast<std::size_t>(Mesh)].size());
        for (double& C : Change)
            C = static_cast<double>(Rng() % 1000) / 7.0;
        ASSERT_EQ(One.AddDropChanges(Mesh, Change), Many.AddDropChanges(Mesh, Change)) << Mesh;
    }
    for (std::size_t I = 0; I < Alone.size(); ++I)
        ASSERT_EQ(static_cast<TFlowMesh&>(*Alone[I]).MeshResidual, static_cast<TFlowMesh&>(*Shared[I]).MeshResidual) << I;
}
