// The branch table over a network of about 10,000 branches: a refill, a
// heading sort with its refill and reselection, the refresh after a solve
// (every row rewritten, one paint of the rows in view), and one screen of
// rows painted after a scroll.

#include "DuctNetworkGenerator.h"
#include "QtBenchApp.h"

#include "app/TableForm.h"
#include "controls/ColGrid.h"
#include "foundation/SettingsStore.h"

#include <benchmark/benchmark.h>

#include <QPixmap>
#include <QScrollBar>

#include <memory>

namespace {

struct TBench {
    TMemorySettingsStore Store;
    TDuctGraph Network;
    TTableForm Form{Store};

    TBench()
    {
        TGeneratedNetworkOptions Options;
        Options.Terminals = 4000;
        Options.CrossConnections = true;
        TDuctNetworkGenerator::Generate(Network, Options);
        // Flows off their design flows, so that every colour rule is busy.
        int I = 0;
        for (const auto& B : Network.Branches())
            static_cast<TDuctBranch&>(*B).VolumeFlow *= 0.75 + 0.1 * (I++ % 6);
        Form.SetNetwork(&Network);
        Form.resize(760, 800);
        Form.show();
        QApplication::processEvents();
        Form.SetCurrentRow(Form.BranchGrid->RowCount() / 2);
        QApplication::processEvents();
    }
};

TBench& Bench()
{
    QtBenchApp();
    static std::unique_ptr<TBench> B = std::make_unique<TBench>();
    return *B;
}

void Counters(benchmark::State& State, const TBench& B)
{
    State.counters["branches"] = B.Network.BranchCount();
    State.counters["rows"] = B.Form.BranchGrid->RowCount() - 1;
}

void BranchTableFill(benchmark::State& State)
{
    TBench& B = Bench();
    for (auto _ : State)
        B.Form.FillFromNetwork();
    Counters(State, B);
}

void BranchTableSortRefillReselect(benchmark::State& State)
{
    TBench& B = Bench();
    int Step = 0;
    for (auto _ : State) {
        // Flow, name and diameter in turn, each direction by turns.
        const int Col = (Step++ % 3 == 0) ? TTableForm::ColFlow
                        : (Step % 3 == 2)  ? TTableForm::ColName
                                           : TTableForm::ColDiameter;
        B.Form.SortByColumn(Col);
    }
    Counters(State, B);
}

void BranchTableRecolourAfterSolve(benchmark::State& State)
{
    TBench& B = Bench();
    QPixmap Target(B.Form.BranchGrid->viewport()->size());
    for (auto _ : State) {
        B.Form.FillFromNetwork();
        B.Form.BranchGrid->viewport()->render(&Target);
    }
    Counters(State, B);
}

void BranchTablePaintScreen(benchmark::State& State)
{
    TBench& B = Bench();
    QScrollBar* Bar = B.Form.BranchGrid->verticalScrollBar();
    QPixmap Target(B.Form.BranchGrid->viewport()->size());
    int Step = 0;
    for (auto _ : State) {
        Bar->setValue((++Step * 997) % std::max(1, Bar->maximum()));
        B.Form.BranchGrid->viewport()->render(&Target);
    }
    Counters(State, B);
    State.counters["visible rows"] =
        B.Form.BranchGrid->viewport()->height() / B.Form.BranchGrid->DefaultRowHeight();
}

} // namespace

BENCHMARK(BranchTableFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BranchTableSortRefillReselect)->Unit(benchmark::kMillisecond);
BENCHMARK(BranchTableRecolourAfterSolve)->Unit(benchmark::kMillisecond);
BENCHMARK(BranchTablePaintScreen)->Unit(benchmark::kMillisecond);
