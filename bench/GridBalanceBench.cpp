// Balancing large looped networks: the n × n grid of GridNetworkGenerator.h
// (n = 10, 30, 50, 100; 2n(n-1) grid ducts, n² outlets), the smaller grids
// also by the loop method alone (no warm start), and a star of 1,000 and
// 16,000 outlets round one node. Each iteration runs "Sum Flows"
// untimed and then times "Balance Flows" as the command runs it. The
// counters report the status (0 "Solved", 2 "Within tolerance", 5 "MaxIts
// reached"), the outer passes, the meshes and the largest mesh residual
// left (Pa).

#include "GridNetworkGenerator.h"

#include "foundation/WarningSink.h"
#include "sizing/SolveCommands.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class TQuietSink : public TWarningSink {
public:
    void Warning(const std::string&, const std::string&) override {}
};

template <typename TBuild>
void BalanceBuiltNetwork(benchmark::State& State, TBuild Build, bool UseWarmStart = true)
{
    TQuietSink Quiet;
    TScopedWarningSink Scope(Quiet);
    TSettings Settings;
    TGridNetworkGenerator::Configure(Settings);
    std::unique_ptr<TDuctGraph> G;
    TSolveCommandResult Result;
    for (auto _ : State) {
        State.PauseTiming();
        G = std::make_unique<TDuctGraph>(false, &Settings);
        Build(*G);
        G->UseWarmStart = UseWarmStart;
        if (!RunSolveCommand(*G, scSumFlows).Ran) {
            State.SkipWithError("Sum Flows failed");
            return;
        }
        State.ResumeTiming();

        Result = RunSolveCommand(*G, scBalanceFlows);
    }
    State.counters["status"] = Result.Status;
    State.counters["passes"] = G->SolvePasses;
    State.counters["meshes"] = G->MeshCount();
    State.counters["branches"] = G->BranchCount();
    State.counters["max residual Pa"] = G->MaxResidual;
}

void BalanceGrid(benchmark::State& State)
{
    const int N = static_cast<int>(State.range(0));
    BalanceBuiltNetwork(State, [N](TDuctGraph& G) { TGridNetworkGenerator::Grid(G, N); });
}

// The same grids balanced by the loop method alone, for comparison.
void BalanceGridLoopAlone(benchmark::State& State)
{
    const int N = static_cast<int>(State.range(0));
    BalanceBuiltNetwork(State, [N](TDuctGraph& G) { TGridNetworkGenerator::Grid(G, N); }, false);
}

void BalanceStar(benchmark::State& State)
{
    const int Count = static_cast<int>(State.range(0));
    BalanceBuiltNetwork(State, [Count](TDuctGraph& G) { TGridNetworkGenerator::Star(G, Count); });
}

} // namespace

// Argument: n, the grid's side.
BENCHMARK(BalanceGrid)->ArgName("n")->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BalanceGrid)->ArgName("n")->Arg(50)->Arg(100)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BalanceGridLoopAlone)->ArgName("n")->Arg(10)->Arg(30)->Arg(50)->Iterations(1)->Unit(benchmark::kMillisecond);
// Argument: the outlets round the one node.
BENCHMARK(BalanceStar)->ArgName("outlets")->Arg(1000)->Arg(16000)->Iterations(1)->Unit(benchmark::kMillisecond);
