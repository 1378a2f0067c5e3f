// Copying a 10,000-item report list (12 columns, values with units) to the
// clipboard text, as the fittings list's "Copy CSV" does, and formatting the
// values with their units as the list and the report fill their cells.

#include "QtBenchApp.h"

#include "controls/ListViewClipboard.h"
#include "controls/UnitsText.h"

#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr int Items = 10000;
constexpr int Columns = 12;

void FormatValuesWithUnits(benchmark::State& State)
{
    for (auto _ : State)
        for (int I = 0; I < Items; ++I)
            benchmark::DoNotOptimize(FormatUnitsValue(utAirPressDrop, 5, 1, 12.5 * I, false, true));
    State.SetItemsProcessed(State.iterations() * Items);
}

void CopyReportListAsCsv(benchmark::State& State)
{
    QtBenchApp();
    QTreeWidget List;
    QStringList Heading;
    for (int C = 0; C < Columns; ++C)
        Heading << QString("dP %1, Pa").arg(C);
    List.setHeaderLabels(Heading);
    QList<QTreeWidgetItem*> Rows;
    for (int I = 0; I < Items; ++I) {
        QStringList Cells;
        for (int C = 0; C < Columns; ++C)
            Cells << FormatUnitsValue(utAirPressDrop, 1, 1, 12.5 * I + C, true, true);
        Rows << new QTreeWidgetItem(Cells);
    }
    List.addTopLevelItems(Rows);
    for (auto _ : State)
        benchmark::DoNotOptimize(ListViewText(List, ","));
    State.SetItemsProcessed(State.iterations() * Items);
}

} // namespace

BENCHMARK(FormatValuesWithUnits)->Unit(benchmark::kMillisecond);
BENCHMARK(CopyReportListAsCsv)->Unit(benchmark::kMillisecond);
