// The branch table's worst case: a column grid of 10,000 rows and 12 numeric
// columns with units. A sort refills every cell through SetCellValue; a
// scroll repaints one screen of cells; a units switch rewrites a column.

#include "QtBenchApp.h"

#include "controls/ColGrid.h"

#include <benchmark/benchmark.h>

#include <QPixmap>
#include <QScrollBar>

#include <memory>
#include <random>

namespace {

constexpr int Rows = 10000;
constexpr int Columns = 12;

// Quantity, held unit and shown unit of each column, twice over.
struct TColumnUnits {
    const char* Line;
    TUnitsType Type;
    int Base, Shown;
};
constexpr TColumnUnits Units[Columns / 2] = {
    {"Flow, l/s; %0.1f; ; ; 0; 0", utAirFlowPrim, 0, 3},
    {"Velocity, m/s; %0.2f; ; ; 0; 0", utVelocity, 0, 0},
    {"Diameter, mm; %0.0f; ; ; 0; 0", utDiameter, 0, 1},
    {"dP, Pa; %0.1f; ; ; 0; 0", utAirPressDrop, 1, 1},
    {"Length, m; %0.2f; ; ; 0; 0", utLengthPrim, 0, 0},
    {"Temp, °C; %0.1f; ; ; 0; 0", utTemperature, 0, 0},
};

struct TTable {
    TxColGrid Grid;
    std::vector<std::vector<double>> Values; // held values, one row per record

    TTable()
    {
        QStringList Defs{";;;;;"};
        for (int Col = 0; Col < Columns; ++Col)
            Defs << Units[Col % (Columns / 2)].Line;
        Grid.ShowItemNumbers = true;
        Grid.SetFieldDefs(Defs);
        for (int Col = 1; Col <= Columns; ++Col) {
            const TColumnUnits& U = Units[(Col - 1) % (Columns / 2)];
            Grid.SetUnits(Col, U.Type, 1, 0, ft_Fixed, U.Shown, U.Base);
        }
        Grid.SetColWidth(0, 48);
        Grid.SetRowCount(Rows + 1);
        std::mt19937 Rng(7);
        std::uniform_real_distribution<double> Value(0.001, 2500.0);
        Values.assign(Rows, std::vector<double>(Columns));
        for (auto& Row : Values)
            for (double& V : Row)
                V = Value(Rng);
        Refill(false);
        // A 1280 by 800 viewport: the window grows by the headers and bars.
        Grid.resize(1280, 800);
        Grid.show();
        QApplication::processEvents();
        Grid.resize(Grid.size() + (QSize(1280, 800) - Grid.viewport()->size()));
        QApplication::processEvents();
    }

    // Every cell written again, as after a sort (Reverse: the other order).
    void Refill(bool Reverse)
    {
        Grid.BeginUpdate();
        for (int R = 0; R < Rows; ++R) {
            const auto& Row = Values[Reverse ? Rows - 1 - R : R];
            for (int Col = 1; Col <= Columns; ++Col)
                Grid.SetCellValue(Col, R + 1, Row[Col - 1]);
        }
        Grid.EndUpdate();
    }
};

TTable& Table()
{
    QtBenchApp();
    static std::unique_ptr<TTable> T = std::make_unique<TTable>();
    return *T;
}

void ColumnGridRefill(benchmark::State& State)
{
    TTable& T = Table();
    bool Reverse = false;
    for (auto _ : State) {
        T.Refill(Reverse = !Reverse);
        benchmark::DoNotOptimize(T.Grid.Cell(1, 1));
    }
    State.counters["cells"] = Rows * Columns;
}

void ColumnGridPaintAfterScroll(benchmark::State& State)
{
    TTable& T = Table();
    QScrollBar* Bar = T.Grid.verticalScrollBar();
    // The whole grid: the cells of the viewport, the headings and numbers.
    QPixmap Target(T.Grid.size());
    int Step = 0;
    for (auto _ : State) {
        Bar->setValue((++Step * 997) % std::max(1, Bar->maximum()));
        T.Grid.render(&Target);
    }
    State.counters["width"] = T.Grid.viewport()->width();
    State.counters["height"] = T.Grid.viewport()->height();
}

void ColumnGridChangeUnits(benchmark::State& State)
{
    TTable& T = Table();
    int Unit = 0;
    for (auto _ : State)
        T.Grid.SetUnitsValue(4, Unit = 1 - Unit); // dP column: kPa <-> Pa
}

void ColumnGridRepostColumn(benchmark::State& State)
{
    TTable& T = Table();
    for (auto _ : State)
        T.Grid.RepostColumn(4);
}

} // namespace

BENCHMARK(ColumnGridRefill)->Unit(benchmark::kMillisecond);
BENCHMARK(ColumnGridPaintAfterScroll)->Unit(benchmark::kMillisecond);
BENCHMARK(ColumnGridChangeUnits)->Unit(benchmark::kMillisecond);
BENCHMARK(ColumnGridRepostColumn)->Unit(benchmark::kMillisecond);
