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

#include "ShapedNetworkGenerator.h"
#include "TimedBalance.h"

#include <benchmark/benchmark.h>

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
    TSettings Settings;
    TShapedNetworkGenerator::Configure(Settings);
    State.SetLabel(Options.Name() + ", after " + CommandName(First));
    TimeBalanceAfter(State, Settings, First, [&Options](TDuctGraph& G) { TShapedNetworkGenerator::Generate(G, Options); });
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
