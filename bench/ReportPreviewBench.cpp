// The report preview of a 10,000-row table through the standard report (a
// 10-point font gives about 180 pages): building every page, and turning
// one page in the preview window (rasterising it for the screen). The
// counters give the pages and the recorded bytes per page.

#include "QtBenchApp.h"

#include "foundation/SettingsStore.h"
#include "reports/PreviewForm.h"
#include "reports/ReportPage.h"
#include "reports/ReportPrinter.h"
#include "reports/ReportTable.h"
#include "reports/StdReport.h"

#include <QPrinter>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::vector<QStringList> TableRows(int Count)
{
    std::vector<QStringList> Rows{{"Id", "From", "To", "Type", "Flow m3/s", "Size mm", "dP Pa"}};
    for (int i = 1; i <= Count; ++i)
        Rows.push_back({QString::number(i), QString("N%1").arg(i), QString("N%1").arg(i + 1),
                        i % 3 ? "Spiral" : "Rect", QString::number(0.05 + i % 97 * 0.01, 'f', 3),
                        QString::number(100 + i % 11 * 25), QString::number(i % 53 * 0.7, 'f', 1)});
    return Rows;
}

// A preview window holding the report of the 10,000-row table.
std::unique_ptr<TPreviewForm> TableReportPreview(TMemorySettingsStore& Store)
{
    QtBenchApp();
    ReportPrinter().setOutputFormat(QPrinter::PdfFormat);
    ReportPrinter().setOutputFileName(QString()); // the A4 preview page
    SetReportColumnStops({4, 6, 7.5, 10, 11, 13});
    KeptReportLayout() = {DefaultReportLayout(), QFont("Arial", 10), QColor(Qt::black), 0};
    auto Form = std::make_unique<TPreviewForm>(Store);
    StdReportSetLetterhead({"Firm"}, QString(), false, 0, 0);
    const std::vector<QStringList> Rows = TableRows(10000);
    ShowStdReport(StdReport(), [Rows] { PrintTable(StdReport(), Rows); }, {"Branch table"},
                  {"Network"});
    LoadPreviewLayout();
    return Form;
}

void SetPageCounters(benchmark::State& State, const TPreviewForm& Form)
{
    double Bytes = 0;
    for (int i = 0; i < Form.PageCount(); ++i)
        Bytes += Form.Page(i).size();
    State.counters["pages"] = Form.PageCount();
    State.counters["bytes_per_page"] = Form.PageCount() > 0 ? Bytes / Form.PageCount() : 0;
}

void BuildTablePreview(benchmark::State& State)
{
    TMemorySettingsStore Store;
    auto Form = TableReportPreview(Store);
    for (auto _ : State)
        Form->DoReport();
    SetPageCounters(State, *Form);
}
BENCHMARK(BuildTablePreview)->Unit(benchmark::kMillisecond)->Iterations(3);

void TurnPreviewPage(benchmark::State& State)
{
    TMemorySettingsStore Store;
    auto Form = TableReportPreview(Store);
    Form->resize(800, 1000);
    Form->show();
    for (auto _ : State) {
        if (Form->CurrentPage() + 1 >= Form->PageCount())
            Form->SetCurrentPage(0);
        else
            Form->NextPageBtnClick();
    }
    SetPageCounters(State, *Form);
    Form->close();
}
BENCHMARK(TurnPreviewPage)->Unit(benchmark::kMillisecond);

} // namespace
