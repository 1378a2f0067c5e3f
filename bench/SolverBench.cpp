// Flow balancing of generated supply and return networks: a tree of 10, 100
// and 1,000 terminals, and the same with cross-connections that form loops.
// Each run starts from the distributed design flows ("Standard Sizes" does
// the same before it balances). Also the sizing benchmark's network (a tree
// with cross-connections, here of 10 l/s a terminal) sized by "Equal
// Friction" without dampers and then balanced by "Balance Flows". The
// counters are those of BalanceCounters.h.

#include "QuietSink.h"
#include "BalanceCounters.h"
#include "DuctNetworkGenerator.h"

#include "foundation/WarningSink.h"
#include "network/Settings.h"
#include "sizing/SolveCommands.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

void BalanceGeneratedNetwork(benchmark::State& State)
{
    TQuietSink Quiet;
    TScopedWarningSink Scope(Quiet);
    TSettings Settings;
    TDuctGraph G(false, &Settings);
    TGeneratedNetworkOptions Options;
    Options.Terminals = static_cast<int>(State.range(0));
    Options.CrossConnections = State.range(1) != 0;
    TDuctNetworkGenerator::Generate(G, Options);
    G.SaveBranchOrder();
    if (!G.DistributeFlows()) {
        State.SkipWithError("flow distribution failed");
        return;
    }
    G.InitFlowsFromDesign();
    G.RestoreBranchOrder();
    std::vector<std::pair<TFlowBranch*, double>> Start;
    for (const auto& B : G.Branches())
        if (B->Id() > 0) // the generated items are made anew by every run
            Start.emplace_back(static_cast<TFlowBranch*>(B.get()), static_cast<TFlowBranch&>(*B).VolumeFlow);

    for (auto _ : State) {
        State.PauseTiming();
        G.SaveBranchOrder();
        for (const auto& [Branch, Flow] : Start)
            Branch->SetVolumeFlow(Flow);
        G.Method = smFlowBalance;
        G.Status = ssNotSolved;
        State.ResumeTiming();

        G.Solve();

        State.PauseTiming();
        G.RestoreBranchOrder();
        State.ResumeTiming();
    }
    ReportBalance(State, G, G.Status);
}

// Times Command on a generated network that Equal Friction has just sized
// (the sizing itself is not timed).
void RunAfterEqualFriction(benchmark::State& State, TSettings& Settings,
                           const TGeneratedNetworkOptions& Options, TSolveCommand Command)
{
    std::unique_ptr<TDuctGraph> G;
    TSolveCommandResult Result;
    for (auto _ : State) {
        State.PauseTiming();
        G = std::make_unique<TDuctGraph>(false, &Settings);
        TDuctNetworkGenerator::Generate(*G, Options);
        if (!RunSolveCommand(*G, scEqualFriction).Ran) {
            State.SkipWithError("Equal Friction failed");
            return;
        }
        State.ResumeTiming();

        Result = RunSolveCommand(*G, Command);
    }
    ReportBalance(State, *G, Result.Status);
}

// Argument: terminals.
void BalanceSizedNetwork(benchmark::State& State)
{
    TQuietSink Quiet;
    TScopedWarningSink Scope(Quiet);
    TSettings Settings;
    Settings.usedampers = false;
    TGeneratedNetworkOptions Options;
    Options.Terminals = static_cast<int>(State.range(0));
    Options.CrossConnections = true;
    // Terminal ducts that Equal Friction sizes no smaller than the check
    // before balancing accepts (50 mm).
    Options.TerminalFlow = 0.01;
    RunAfterEqualFriction(State, Settings, Options, scBalanceFlows);
}

// "Closest Standard Sizes" run on a supply and return tree that "Equal
// Friction" has just sized: the sizes it leaves are exact, the standard
// sizes step them, and the balance that follows starts from flows far from
// the new sizes' balance. 4,200 terminals make about 15,000 branches with
// the Sink's (4,100 with the cross-connections that close loops); 10 l/s
// a terminal, and 1 l/s, whose 34 mm terminal ducts run near the
// laminar/turbulent jump.
void StandardSizesAfterEqualFriction(benchmark::State& State)
{
    TQuietSink Quiet;
    TScopedWarningSink Scope(Quiet);
    TSettings Settings;
    TGeneratedNetworkOptions Options;
    Options.Terminals = static_cast<int>(State.range(0));
    Options.CrossConnections = State.range(1) != 0;
    Options.TerminalFlow = 1e-6 * static_cast<double>(State.range(2));
    RunAfterEqualFriction(State, Settings, Options, scStandardSizes);
}

} // namespace

// Arguments: terminals, cross-connections (0 none, 1 loops), terminal flow
// (ml/s).
BENCHMARK(StandardSizesAfterEqualFriction)
    ->ArgNames({"terminals", "loops", "ml/s"})
    ->Args({4200, 0, 10000})
    ->Args({4200, 0, 1000})
    ->Args({4100, 1, 10000})
    ->Args({4100, 1, 1000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BalanceSizedNetwork)->ArgName("terminals")->Arg(270)->Arg(2700)->Unit(benchmark::kMillisecond);

// Arguments: terminals, cross-connections (0 none, 1 loops).
BENCHMARK(BalanceGeneratedNetwork)
    ->ArgNames({"terminals", "loops"})
    ->Args({10, 0})
    ->Args({10, 1})
    ->Args({100, 0})
    ->Args({100, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BalanceGeneratedNetwork)
    ->ArgNames({"terminals", "loops"})
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
