// Cost of the spanning tree and the meshes, which the balancing solver
// rebuilds in every outer pass, on generated duct networks with loops.

#include "network/DuctGraph.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

// A duct network of about BranchCount branches: a tree of ducts spreading
// from the fan (each new node hangs off one of the sixteen nodes made just
// before it, so runs are long as in real buildings), with one in eleven
// branches a cross-connection to a nearby node that closes a loop. Every
// branch gets a resistance, which orders the tree.
void BuildNetwork(TDuctGraph& G, int BranchCount)
{
    std::mt19937 Rng(12345);
    const int Loops = BranchCount / 11;
    const int Nodes = BranchCount - Loops + 1;
    int Id = 0;
    auto Add = [&](int From, int To) {
        auto* B = static_cast<TDuctBranch*>(G.AddBranch(++Id, From, To));
        B->FlowResistance = 1.0 + static_cast<double>(Rng() % 1000);
        return B;
    };
    G.MainFan = Add(1, 2);
    for (int Node = 3; Node <= Nodes; ++Node) {
        const int Back = 1 + static_cast<int>(Rng() % 16);
        Add(std::max(2, Node - Back), Node);
    }
    for (int L = 0; L < Loops; ++L) {
        const int From = 3 + static_cast<int>(Rng() % static_cast<unsigned>(Nodes - 2));
        int To = From - 1 - static_cast<int>(Rng() % 50);
        if (To < 2 || To == From)
            To = From + 1 <= Nodes ? From + 1 : 2;
        Add(From, To);
    }
}

void BuildMeshesOfDuctNetwork(benchmark::State& State)
{
    TDuctGraph G;
    BuildNetwork(G, static_cast<int>(State.range(0)));
    std::size_t Links = 0;
    for (auto _ : State) {
        if (!G.BuildMeshes())
            State.SkipWithError("meshes not built");
        benchmark::DoNotOptimize(G.MeshCount());
    }
    for (const auto& M : G.Meshes())
        Links += M->Links.size();
    State.counters["branches"] = G.BranchCount();
    State.counters["meshes"] = G.MeshCount();
    State.counters["mesh links"] = static_cast<double>(Links);
}

} // namespace

BENCHMARK(BuildMeshesOfDuctNetwork)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
