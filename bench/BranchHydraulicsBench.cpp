// Cost of the per-branch hydraulic chain (terminal losses, equivalent
// lengths, friction factor, resistance, fixed drops, total drop), which every
// sizing and balancing pass runs over the whole network, and of the fitting
// coefficients that each pass recomputes.

#include "fittings/DuctFittingDB.h"
#include "fittings/DuctFittingDBWriter.h"
#include "network/DuctGraph.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <unistd.h>

namespace {

// A supply tree of BranchCount spiral ducts: node N hangs off node N/2, the
// leaves are outlets with their terminal, every fourth duct has a fixed C and
// every tenth a fixed drop. Diameters and flows vary, so the friction factor
// iterates in every regime a real network has.
void BuildTree(TDuctGraph& G, int BranchCount)
{
    std::mt19937 Rng(4711);
    std::uniform_real_distribution<double> Diameter(0.1, 0.8);
    std::uniform_real_distribution<double> Flow(0.01, 2.0);
    for (int N = 1; N <= BranchCount + 1; ++N) {
        auto* Node = static_cast<TFlowNode*>(G.GetOrAddNode(N));
        Node->Elevation = 0.1 * (N % 7);
        if (2 * N > BranchCount + 1)
            Node->NodeType = ntOutlet;
    }
    for (int Id = 1; Id <= BranchCount; ++Id) {
        const int To = Id + 1;
        auto* B = static_cast<TDuctBranch*>(G.AddBranch(Id, To / 2, To));
        B->SetDuctType(dtSpiral, 0.0, 2.0 + Id % 13, Flow(Rng));
        B->Diameter = Diameter(Rng);
        B->CalcArea();
        B->SetVolumeFlow(B->VolumeFlow);
        if (Id % 4 == 0)
            B->FixedCs.push_back(std::make_unique<TFixedC>("Bend", 0.3));
        if (Id % 10 == 0)
            B->FixedDps.push_back(std::make_unique<TFixeddP>("Damper", 15.0));
        if (B->ToFlowNode()->NodeType == ntOutlet)
            B->UpdateOutletTerminal(G.Settings(), okDiffuser);
    }
    G.RecalcBranches();
}

void PerBranchChain(benchmark::State& State)
{
    TDuctGraph G;
    BuildTree(G, static_cast<int>(State.range(0)));
    for (auto _ : State) {
        G.RecalcChain();
        benchmark::DoNotOptimize(G.Branches().front().get());
    }
    State.SetItemsProcessed(State.iterations() * G.BranchCount());
    State.counters["branches"] = G.BranchCount();
}

void FullRecalculation(benchmark::State& State)
{
    TDuctGraph G;
    BuildTree(G, static_cast<int>(State.range(0)));
    for (auto _ : State) {
        G.RecalcBranches();
        benchmark::DoNotOptimize(G.Branches().front().get());
    }
    State.SetItemsProcessed(State.iterations() * G.BranchCount());
}

// A small database of its own (an elbow over r/D and a diverging tee over
// flow and area ratio) in a temporary folder.
std::string WriteBenchDatabase()
{
    const auto Dir = std::filesystem::temp_directory_path() / ("ventrix-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(Dir);
    TFittingSource Elbow;
    Elbow.ClassName = "TDuctFitrD";
    Elbow.Code = "CD3-1";
    Elbow.Name = "Elbow";
    Elbow.CMin = 0.1;
    Elbow.CMax = 1.5;
    Elbow.InputNames = {"r"};
    Elbow.InputDefaults = {300};
    Elbow.AxisNames = {"r/D"};
    Elbow.AxisScales = {0};
    Elbow.AxisDefaults = {-1};
    Elbow.XAxis = {0.5, 0.75, 1.0, 1.5, 2.0, 3.0};
    Elbow.Values = {1.2, 0.45, 0.24, 0.22, 0.21, 0.22};
    std::vector<TDuctFittingDBEntry> Entries{{"CD3-1", Elbow}};
    for (const char* Path : {"s", "b"}) {
        TFittingSource Tee;
        Tee.ClassName = Path[0] == 's' ? "TDuctFitDsDcQsQc" : "TDuctFitDbDcQbQc";
        Tee.Code = std::string("SD5-9-") + Path;
        Tee.Name = "Tee";
        Tee.CMin = 0.0;
        Tee.CMax = 50.0;
        Tee.PathNames = {"s", "b", "c"};
        Tee.AxisNames = {"A/Ac"};
        Tee.AxisScales = {0};
        Tee.AxisDefaults = {-1};
        Tee.XAxis = {0.1, 0.3, 0.5, 0.7, 0.9};
        Tee.YAxis = {0.2, 0.5, 1.0};
        Tee.Table = {{2.0, 1.4, 1.2, 1.1, 1.0}, {9.0, 2.0, 1.3, 1.1, 1.0}, {30.0, 5.0, 2.5, 1.6, 1.3}};
        Entries.push_back({Tee.Code, Tee});
    }
    WriteDuctFittingDB(Dir.string() + "/", Entries);
    return Dir.string() + "/";
}

// Every node of the tree with two children gets a tee (its feeding duct the
// common, the children straight and branch), every other duct an elbow.
void FittingCoefficients(benchmark::State& State)
{
    const std::string Dir = WriteBenchDatabase();
    CreateDuctFittingDB(Dir);
    {
        TDuctGraph G;
        BuildTree(G, static_cast<int>(State.range(0)));
        const int Count = G.BranchCount();
        for (int Id = 1; Id <= Count; ++Id) {
            const int Node = Id + 1;
            if (2 * Node + 1 <= Count + 1) {
                auto Tee = std::make_unique<TFitting>("Tee", "SD5-9");
                Tee->Junction = true;
                Tee->Roles = {"c", "s", "b"};
                Tee->Links = {{Id, nullptr}, {2 * Node - 1, nullptr}, {2 * Node, nullptr}};
                G.Fittings.push_back(std::move(Tee));
            }
            if (Id % 2 == 1) {
                auto Elbow = std::make_unique<TFitting>("Elbow", "CD3-1");
                Elbow->Roles = {"0"};
                Elbow->Links = {{Id, nullptr}};
                G.Fittings.push_back(std::move(Elbow));
            }
        }
        G.ResolveFittingLinks(false);
        G.CalcFlowRatios();
        std::size_t Links = 0;
        for (const auto& F : G.Fittings)
            Links += F->Links.size();
        for (auto _ : State) {
            G.CalcFittingsC();
            G.CalcFittingSums();
            benchmark::DoNotOptimize(G.Fittings.front()->CValues.data());
        }
        State.SetItemsProcessed(State.iterations() * static_cast<std::int64_t>(Links));
        State.counters["fittings"] = static_cast<double>(G.Fittings.size());
        State.counters["links"] = static_cast<double>(Links);
    }
    DuctFittingDB()->FreeFittings();
    std::error_code Error;
    std::filesystem::remove_all(Dir, Error);
}

} // namespace

BENCHMARK(PerBranchChain)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(FullRecalculation)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(FittingCoefficients)->Arg(10000)->Unit(benchmark::kMicrosecond);
