// The fittings list on a network of 10,000 fittings (each on one to three
// ducts of a generated network): filling the list (and painting its first
// page), a column sort with the refill, refreshing and selecting one item,
// and deleting one with the re-collect of every branch's fittings.

#include "QtBenchApp.h"
#include "DuctNetworkGenerator.h"

#include "app/FittingsForm.h"
#include "controls/UiServices.h"
#include "foundation/SettingsStore.h"
#include "network/Settings.h"

#include <QTreeView>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int FittingCount = 10000;
const char* const Codes[] = {"SD3-1", "CD9-1", "SR5-13", "ED4-1", "CR6-1", "SD2-6"};

struct TBigList {
    TMemorySettingsStore Store;
    TSettings Defaults;
    TDuctGraph G{false, &Defaults};
    std::unique_ptr<TFittingsForm> Form;
    std::unique_ptr<TScopedUiServices> Services;

    TBigList()
    {
        QtBenchApp();
        TDuctNetworkGenerator::Generate(G, {5000, false, 10, 2024});
        const int Branches = G.BranchCount();
        for (int I = 0; I < FittingCount; ++I)
            G.Fittings.push_back(NewFitting(I, Branches));
        G.ResolveFittingLinks(false);
        TUiServices S = DefaultUiServices();
        S.MessageBox = [](QWidget*, const QString&, const QString&, TMsgKind, int) { return int(mrYes); };
        Services = std::make_unique<TScopedUiServices>(S);
        Form = std::make_unique<TFittingsForm>(Store);
        Form->resize(700, 400);
        Form->SetNetwork(&G);
        Form->show();
        QApplication::processEvents();
    }

    static std::unique_ptr<TFitting> NewFitting(int I, int Branches)
    {
        auto F = std::make_unique<TFitting>("Fitting " + std::to_string(I), Codes[I % 6]);
        const int Links = 1 + I % 3;
        for (int L = 0; L < Links; ++L) {
            F->Roles.push_back(std::to_string(L));
            F->Links.push_back({1 + (I * 7 + L * 13) % Branches, nullptr});
        }
        F->CValues.assign(static_cast<std::size_t>(Links), 0.25 + 0.01 * (I % 50));
        return F;
    }
};

TBigList& BigList()
{
    static TBigList List;
    return List;
}

void BM_FittingsFillList(benchmark::State& State)
{
    TBigList& L = BigList();
    for (auto _ : State) {
        L.Form->FillList();
        L.Form->LV->viewport()->repaint(); // the first page's texts are made here
    }
}
BENCHMARK(BM_FittingsFillList)->Unit(benchmark::kMillisecond);

void BM_FittingsSortAndRefill(benchmark::State& State)
{
    TBigList& L = BigList();
    for (auto _ : State) {
        L.Form->ColumnClick(2); // the ducting texts, each way in turn
        L.Form->LV->viewport()->repaint();
    }
}
BENCHMARK(BM_FittingsSortAndRefill)->Unit(benchmark::kMillisecond);

void BM_FittingsUpdateItem(benchmark::State& State)
{
    TBigList& L = BigList();
    TFitting* Middle = L.G.Fittings[FittingCount / 2].get();
    for (auto _ : State)
        L.Form->UpdateItem(Middle);
}
BENCHMARK(BM_FittingsUpdateItem)->Unit(benchmark::kMicrosecond);

void BM_FittingsSelectFitting(benchmark::State& State)
{
    TBigList& L = BigList();
    int I = 0;
    for (auto _ : State) {
        L.Form->SelectFitting(L.G.Fittings[static_cast<std::size_t>((I += 997) % FittingCount)].get());
    }
}
BENCHMARK(BM_FittingsSelectFitting)->Unit(benchmark::kMicrosecond);

void BM_FittingsDelete(benchmark::State& State)
{
    TBigList& L = BigList();
    const int Branches = L.G.BranchCount();
    int I = 0;
    for (auto _ : State) {
        State.PauseTiming();
        L.G.Fittings.push_back(TBigList::NewFitting(I++, Branches));
        L.Form->SelectFitting(L.G.Fittings.back().get());
        State.ResumeTiming();
        L.Form->DeleteClick();
    }
}
BENCHMARK(BM_FittingsDelete)->Unit(benchmark::kMillisecond);

} // namespace
