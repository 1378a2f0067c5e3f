// Balancing large looped networks: the n × n grid of GridNetworkGenerator.h
// (n = 10, 30, 50, 100; 2n(n-1) grid ducts, n² outlets), the smaller grids
// also by the loop method alone (no warm start), and a star of 1,000 and
// 16,000 outlets round one node. Then the family the balancing speed must
// hold for: the grids of n = 30 and 100 with terminal ducts of 50, 100 and
// 150 mm, diffusers or plain outlets of 0.5 l/s each, the grids with booster
// fans and fixed pressure drops in their loops, and a 70 × 70 grid; and
// the stress cases, the same grids with outlets of 5 l/s. Each
// iteration runs "Sum Flows" untimed and then times "Balance Flows" as the
// command runs it. The counters are those of BalanceCounters.h.

#include "GridNetworkGenerator.h"
#include "TimedBalance.h"

#include <benchmark/benchmark.h>

namespace {

template <typename TBuild>
void BalanceBuiltNetwork(benchmark::State& State, TBuild Build, bool UseWarmStart = true)
{
    TSettings Settings;
    TGridNetworkGenerator::Configure(Settings);
    TimeBalanceAfter(State, Settings, scSumFlows, [&](TDuctGraph& G) {
        Build(G);
        G.UseWarmStart = UseWarmStart;
    });
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

// Arguments: n, terminal duct (mm), outlet kind (0 diffuser, 2 plain),
// outlet flow (ml/s), 0 or every how many grid ducts a booster fan and a
// fixed drop follow, and the fixed drop (mPa).
void BalanceGridFamily(benchmark::State& State)
{
    const int N = static_cast<int>(State.range(0));
    TGridOptions Options;
    Options.OutletDiameter = 0.001 * static_cast<double>(State.range(1));
    Options.OutletKind = static_cast<TOutletKind>(State.range(2));
    Options.OutletFlow = 1e-6 * static_cast<double>(State.range(3));
    Options.ItemsEvery = static_cast<int>(State.range(4));
    Options.FixedDrop = 0.001 * static_cast<double>(State.range(5));
    BalanceBuiltNetwork(State, [N, Options](TDuctGraph& G) { TGridNetworkGenerator::Grid(G, N, Options); });
}

void NameFamilyArguments(benchmark::internal::Benchmark* B)
{
    B->ArgNames({"n", "mm", "kind", "ml/s", "items", "mPa"});
}

// The members an engineer meets: outlets of 0.5 l/s, loops with booster
// fans and fixed drops of 0.5 and 1.5 Pa, and the 70 × 70 grid with 50 mm
// ducts to its diffusers.
void FamilyArguments(benchmark::internal::Benchmark* B)
{
    NameFamilyArguments(B);
    for (int N : {30, 100}) {
        for (int Diameter : {50, 100, 150})
            for (int Kind : {okDiffuser, okPlainOutlet})
                B->Args({N, Diameter, Kind, 500, 0, 500});
        for (int Drop : {500, 1500})
            B->Args({N, 150, okDiffuser, 500, 7, Drop});
    }
    B->Args({70, 50, okDiffuser, 500, 0, 500});
}

// The stress cases: outlets of 5 l/s on a grid sized for 0.5 l/s, whose
// trunk ducts then run at hundreds of m/s. They show that balancing ends,
// promptly and with an honest status, far outside any design.
void StressArguments(benchmark::internal::Benchmark* B)
{
    NameFamilyArguments(B);
    for (int N : {30, 100})
        for (int Diameter : {50, 100, 150})
            for (int Kind : {okDiffuser, okPlainOutlet})
                B->Args({N, Diameter, Kind, 5000, 0, 500});
}

void BalanceGridStress(benchmark::State& State)
{
    BalanceGridFamily(State);
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
BENCHMARK(BalanceGridFamily)->Apply(FamilyArguments)->Unit(benchmark::kMillisecond);
BENCHMARK(BalanceGridStress)->Apply(StressArguments)->Unit(benchmark::kMillisecond);
// Argument: the outlets round the one node.
BENCHMARK(BalanceStar)->ArgName("outlets")->Arg(1000)->Arg(16000)->Iterations(1)->Unit(benchmark::kMillisecond);
