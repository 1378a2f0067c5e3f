// Flow balancing of generated supply and return networks: a tree of 10, 100
// and 1,000 terminals, and the same with cross-connections that form loops.
// Each run starts from the distributed design flows ("Standard Sizes" does
// the same before it balances). The counters report the status reached
// (0 "Solved", 2 "Within tolerance", 5 "MaxIts reached"), the outer passes,
// the meshes and the largest mesh residual left.

#include "DuctNetworkGenerator.h"

#include "foundation/WarningSink.h"
#include "network/Settings.h"

#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

namespace {

class TQuietSink : public TWarningSink {
public:
    void Warning(const std::string&, const std::string&) override {}
};

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
    State.counters["status"] = G.Status;
    State.counters["passes"] = G.SolvePasses;
    State.counters["meshes"] = G.MeshCount();
    State.counters["branches"] = G.BranchCount();
    State.counters["max residual Pa"] = G.MaxResidual;
}

} // namespace

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
