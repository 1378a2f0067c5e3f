// The warm start's factorisation alone: the pressure system of an n × n
// grid (n = 30, 100; as in the balancing family), factorised on the
// calling thread and by a team of threads.

#include "foundation/WorkerTeam.h"
#include "solver/SparseCholesky.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

TSparseCholesky::TMatrix GridSystem(int Side)
{
    std::mt19937 Random(1);
    std::uniform_real_distribution<double> Weight(0.01, 1.0);
    std::vector<Eigen::Triplet<double, int>> T;
    auto Branch = [&](int A, int B) {
        const double W = Weight(Random);
        T.emplace_back(A, A, W);
        T.emplace_back(B, B, W);
        T.emplace_back(B, A, -W);
    };
    for (int R = 0; R < Side; ++R)
        for (int C = 0; C < Side; ++C) {
            const int I = R * Side + C;
            T.emplace_back(I, I, 0.001); // the outlet to the sink
            if (C + 1 < Side)
                Branch(I, I + 1);
            if (R + 1 < Side)
                Branch(I, I + Side);
        }
    TSparseCholesky::TMatrix M(Side * Side, Side * Side);
    M.setFromTriplets(T.begin(), T.end());
    M.makeCompressed();
    return M;
}

void FactoriseGrid(benchmark::State& State)
{
    const TSparseCholesky::TMatrix M = GridSystem(static_cast<int>(State.range(0)));
    TWorkerTeam Team;
    TSparseCholesky F;
    F.Analyse(M);
    const bool Shared = State.range(1) != 0;
    for (auto _ : State)
        if (!F.Factorise(M, Shared ? &Team : nullptr))
            State.SkipWithError("not definite");
    State.counters["factor entries"] = static_cast<double>(F.FactorEntries());
}

} // namespace

BENCHMARK(FactoriseGrid)->ArgNames({"n", "threads"})->ArgsProduct({{30, 100}, {0, 1}})->Unit(benchmark::kMillisecond);
