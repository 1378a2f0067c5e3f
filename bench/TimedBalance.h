#pragma once
// One balancing benchmark's loop: each iteration builds the network afresh
// and runs a first command (Sum Flows or a sizing method) untimed, then
// times "Balance Flows" as the command runs it; the counters of
// BalanceCounters.h are reported from the last run.

#include "QuietSink.h"
#include "BalanceCounters.h"

#include "foundation/WarningSink.h"
#include "network/DuctGraph.h"
#include "sizing/SolveCommands.h"

#include <benchmark/benchmark.h>

#include <memory>

template <typename TBuild>
void TimeBalanceAfter(benchmark::State& State, const TSettings& Settings, TSolveCommand First, TBuild Build)
{
    TQuietSink Quiet;
    TScopedWarningSink Scope(Quiet);
    std::unique_ptr<TDuctGraph> G;
    TSolveCommandResult Result;
    for (auto _ : State) {
        State.PauseTiming();
        G = std::make_unique<TDuctGraph>(false, &Settings);
        Build(*G);
        if (!RunSolveCommand(*G, First).Ran) {
            State.SkipWithError("the command before the balance failed");
            return;
        }
        State.ResumeTiming();

        Result = RunSolveCommand(*G, scBalanceFlows);
    }
    ReportBalance(State, *G, Result.Status);
}
