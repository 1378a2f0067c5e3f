// Cost of a full moist-air state from each input mode, and of the shortcuts
// the network and the air-state windows call on every edit.

#include "psychro/InputModes.h"
#include "psychro/Psychrometrics.h"

#include <benchmark/benchmark.h>

namespace {
void FullStateFromMode(benchmark::State& State)
{
    const int mode = static_cast<int>(State.range(0));
    const char* letters = InputModeLetters(mode);
    PsyState known;
    SetState(known, 101.325, 24.0, 0.55, pmTF);
    const double a = InputModeField(known, letters[0]);
    const double b = InputModeField(known, letters[1]);
    PsyState result;
    for (auto _ : State) {
        SetState(result, known.pa, a, b, mode);
        benchmark::DoNotOptimize(result);
    }
    State.SetLabel(letters);
}

void ModeArguments(benchmark::internal::Benchmark* B)
{
    for (int mode = 0; mode <= pmVS; ++mode)
        if (InputModeLetters(mode))
            B->Arg(mode);
}

void NetworkDensity(benchmark::State& State)
{
    for (auto _ : State)
        benchmark::DoNotOptimize(Density(101.325, 20.0, 12.8, pmTB));
}

void WetBulbAtOnePercent(benchmark::State& State)
{
    for (auto _ : State)
        benchmark::DoNotOptimize(WetBulb(101.325, 35.0, 0.01, pmTF));
}

void SubZeroStateFromDryAndWetBulb(benchmark::State& State)
{
    PsyState result;
    for (auto _ : State) {
        SetState(result, 80.0, -15.0, -16.0, pmTB);
        benchmark::DoNotOptimize(result);
    }
}
}

BENCHMARK(FullStateFromMode)->Apply(ModeArguments);
BENCHMARK(NetworkDensity);
BENCHMARK(WetBulbAtOnePercent);
BENCHMARK(SubZeroStateFromDryAndWetBulb);
