// Balancing the networks of ShapedNetworkGenerator.h's catalogue, as an
// engineer would: "Sum Flows" then "Balance Flows", or a sizing method
// first (equal friction, velocity, static regain, closest standard sizes)
// and "Balance Flows" after it. The first command runs untimed; the
// balance is timed. The label names the network; the counters are those
// of BalanceCounters.h.
//
// Arguments: the network's place in the catalogue, and the command run
// before the balance (a TSolveCommand: 5 "Sum Flows", 0 to 3 the sizing
// methods).

#include "QuietSink.h"
#include "BalanceCounters.h"
#include "ShapedNetworkGenerator.h"

#include "foundation/WarningSink.h"
#include "sizing/SolveCommands.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const std::vector<TShapedNetworkOptions>& Catalogue()
{
    static const std::vector<TShapedNetworkOptions> List = ShapedNetworkCatalogue();
    return List;
}

const char* CommandName(TSolveCommand Command)
{
    switch (Command) {
    case scEqualFriction:
        return "equal friction";
    case scVelocity:
        return "velocity";
    case scStaticRegain:
        return "static regain";
    case scStandardSizes:
        return "standard sizes";
    default:
        return "sum flows";
    }
}

void BalanceShapedNetwork(benchmark::State& State)
{
    const TShapedNetworkOptions& Options = Catalogue()[static_cast<std::size_t>(State.range(0))];
    const auto First = static_cast<TSolveCommand>(State.range(1));
    TQuietSink Quiet;
    TScopedWarningSink Scope(Quiet);
    TSettings Settings;
    TShapedNetworkGenerator::Configure(Settings);
    std::unique_ptr<TDuctGraph> G;
    TSolveCommandResult Result;
    for (auto _ : State) {
        State.PauseTiming();
        G = std::make_unique<TDuctGraph>(false, &Settings);
        TShapedNetworkGenerator::Generate(*G, Options);
        if (!RunSolveCommand(*G, First).Ran) {
            State.SkipWithError("the first command failed");
            return;
        }
        State.ResumeTiming();

        Result = RunSolveCommand(*G, scBalanceFlows);
    }
    State.SetLabel(Options.Name() + ", after " + CommandName(First));
    ReportBalance(State, *G, Result.Status);
}

void CatalogueArguments(benchmark::internal::Benchmark* B)
{
    B->ArgNames({"network", "first"});
    for (int First : {scSumFlows, scEqualFriction, scVelocity, scStaticRegain, scStandardSizes})
        for (int K = 0; K < static_cast<int>(Catalogue().size()); ++K)
            B->Args({K, First});
}

} // namespace

BENCHMARK(BalanceShapedNetwork)->Apply(CatalogueArguments)->Iterations(1)->Unit(benchmark::kMillisecond);
