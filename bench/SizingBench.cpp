// Duct sizing of generated supply and return networks (the networks of the
// balancing benchmark): a tree of 10, 100 and 1,000 terminals, and the same
// with cross-connections that form loops, sized by each method as its
// command runs it (distribution of the design flows included). Each
// iteration sizes a freshly generated network, with the balancing dampers
// of the default settings or, for the three sizing methods, without them
// (the terminal ducts then take up the pressure left, which makes the
// sizing loop go round until the sizes settle). The counters report the
// status reached (0 "Solved", 1 "Not-balanced", 2 "Within tolerance",
// 4 "Data error", 5 "MaxIts reached") and the passes of the sizing loop.

#include "QuietSink.h"
#include "DuctNetworkGenerator.h"

#include "foundation/WarningSink.h"
#include "network/Settings.h"
#include "sizing/SolveCommands.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Sizes a freshly generated network each iteration (generating and freeing
// it untimed) and reports the method shown, the status and the sizing
// passes of the last run, and the network's branches.
// With Cold, the processor's caches are filled with other data before each
// run, as another program would leave them; without, the run finds the
// network where its generation left it.
void TimeSizing(benchmark::State& State, TSettings& Settings, const TGeneratedNetworkOptions& Options,
                TSolveCommand Command, bool Cold = false)
{
    std::vector<char> Evictor(Cold ? std::size_t{256} << 20 : 0);
    TQuietSink Quiet;
    TScopedWarningSink Scope(Quiet);
    TSolveCommandResult Result;
    int Passes = 0;
    int Branches = 0;
    for (auto _ : State) {
        State.PauseTiming();
        auto G = std::make_unique<TDuctGraph>(false, &Settings);
        TDuctNetworkGenerator::Generate(*G, Options);
        for (std::size_t I = 0; I < Evictor.size(); I += 64)
            Evictor[I] = static_cast<char>(Evictor[I] + 1);
        benchmark::DoNotOptimize(Evictor.data());
        State.ResumeTiming();

        Result = RunSolveCommand(*G, Command);

        State.PauseTiming();
        Passes = G->SizingPasses;
        Branches = G->BranchCount();
        G.reset();
        State.ResumeTiming();
    }
    State.SetLabel(SolveMethodText(*Result.MethodShown));
    State.counters["status"] = Result.Status;
    State.counters["passes"] = Passes;
    State.counters["branches"] = Branches;
}

void SizeGeneratedNetwork(benchmark::State& State)
{
    TSettings Settings;
    TGeneratedNetworkOptions Options;
    Options.Terminals = static_cast<int>(State.range(0));
    Options.CrossConnections = State.range(1) != 0;
    Settings.usedampers = State.range(3) != 0;
    TimeSizing(State, Settings, Options, static_cast<TSolveCommand>(State.range(2)));
}

void SizingArguments(benchmark::internal::Benchmark* B)
{
    B->ArgNames({"terminals", "loops", "method", "dampers"});
    for (int Terminals : {10, 100, 1000})
        for (int Loops : {0, 1})
            for (TSolveCommand Command : {scEqualFriction, scVelocity, scStaticRegain, scStandardSizes})
                for (int Dampers : {1, 0})
                    if (Dampers || Command != scStandardSizes)
                        B->Args({Terminals, Loops, Command, Dampers});
}

} // namespace

// Arguments: terminals, cross-connections (0 none, 1 loops), command (0
// equal friction, 1 velocity, 2 static regain, 3 standard sizes), dampers
// (1 allowed, 0 not).
BENCHMARK(SizeGeneratedNetwork)->Apply(SizingArguments)->Unit(benchmark::kMillisecond);

namespace {

// The growth of sizing with the network: a generated tree with
// cross-connections of about 10,000, 100,000 and 200,000 branches (the
// Sink's included), sized by each method. Each size runs three times and
// reports its fastest run, which the other work on the machine disturbs
// least. A network of 10,000 branches (some 13 MB of nodes and branches)
// stays in this machine's 32 MB processor cache between commands, one of
// 100,000 does not: the cold runs start every size from memory.
void SizeLargeNetwork(benchmark::State& State)
{
    TSettings Settings;
    TGeneratedNetworkOptions Options;
    Options.Terminals = static_cast<int>(State.range(0));
    Options.CrossConnections = true;
    // Small terminals, so that the fan's flow stays within what a duct may
    // carry (100 m³/s) and the check before sizing lets the network through.
    Options.TerminalFlow = 0.001;
    TimeSizing(State, Settings, Options, static_cast<TSolveCommand>(State.range(1)), State.range(2) != 0);
}

double Fastest(const std::vector<double>& Times)
{
    return *std::min_element(Times.begin(), Times.end());
}

} // namespace

// Arguments: terminals (about a quarter of the branches), command (0 equal
// friction, 1 velocity, 2 static regain, 3 standard sizes), cold (1: the
// caches emptied before each run).
BENCHMARK(SizeLargeNetwork)
    ->ArgNames({"terminals", "method", "cold"})
    ->ArgsProduct({{2700, 27000, 54000}, {scEqualFriction, scVelocity, scStaticRegain, scStandardSizes}, {0, 1}})
    ->Iterations(1)
    ->Repetitions(3)
    ->ComputeStatistics("fastest", Fastest)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
