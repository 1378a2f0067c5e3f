#pragma once
// The counters of a balancing benchmark: the status reached (0 "Solved",
// 2 "Within tolerance", 5 "MaxIts reached"), the warm start's iterations,
// the outer passes, the mesh corrections of the loop method and their
// steps, the residual updates per correction, the meshes, the branches and the largest mesh residual left (Pa).

#include "network/DuctGraph.h"

#include <benchmark/benchmark.h>

inline void ReportBalance(benchmark::State& State, const TDuctGraph& G, int Status)
{
    State.counters["status"] = Status;
    State.counters["passes"] = G.SolvePasses;
    State.counters["warm its"] = G.WarmIterations;
    State.counters["corrections"] = G.MeshCorrections;
    State.counters["steps"] = G.MeshSteps;
    State.counters["updates/corr"] =
        G.MeshCorrections > 0 ? static_cast<double>(G.MeshUpdates) / G.MeshCorrections : 0.0;
    State.counters["meshes"] = G.MeshCount();
    State.counters["branches"] = G.BranchCount();
    State.counters["max residual Pa"] = G.MaxResidual;
}
