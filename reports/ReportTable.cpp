#include "reports/ReportTable.h"

#include "controls/UiServices.h"
#include "reports/PreviewForm.h"
#include "reports/ReportText.h"
#include "reports/StdReport.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

namespace {

// The one table being printed.
struct TTableState {
    std::vector<QStringList> Rows;
    int FontSize = 8;
    std::vector<int> Columns;  // boundaries: the left edge, then each column's right end
    int TopY = 0;              // where this page's part of the table begins
};
TTableState Table;

int HalfLine(const TPreviewForm& E)
{
    return static_cast<int>(std::lround(E.LineHeight / 2));
}

QFont TableFont(const TPreviewForm& E, bool Bold)
{
    QFont Font = E.ReportFont;
    Font.setPointSize(Table.FontSize);
    Font.setBold(Bold);
    return Font;
}

// Each column as wide as its widest text (the header measured bold) plus two blanks.
std::vector<int> MeasureColumns(const TPreviewForm& E, QPainter& Canvas)
{
    size_t Count = 0;
    for (const QStringList& Row : Table.Rows)
        Count = std::max(Count, static_cast<size_t>(Row.size()));
    std::vector<int> Widths(Count, 0);
    for (size_t r = 0; r < Table.Rows.size(); ++r) {
        Canvas.setFont(TableFont(E, r == 0));
        const QStringList& Row = Table.Rows[r];
        for (int c = 0; c < Row.size(); ++c)
            Widths[static_cast<size_t>(c)] =
                std::max(Widths[static_cast<size_t>(c)], TextWidth(Canvas, Row[c]));
    }
    Canvas.setFont(TableFont(E, false));
    const int Blanks = TextWidth(Canvas, QStringLiteral("  "));
    for (int& W : Widths)
        W += Blanks;
    return Widths;
}

void RuleLine(TPreviewForm& E, QPainter& Canvas)
{
    const int Y = E.PenPos.y() + HalfLine(E);
    Canvas.drawLine(Table.Columns.front(), Y, Table.Columns.back(), Y);
    E.SkipLines(1);
}

void WriteRow(TPreviewForm& E, QPainter& Canvas, const QStringList& Row)
{
    const int Height = TextHeight(Canvas);
    for (int c = 0; c < Row.size() && c + 1 < static_cast<int>(Table.Columns.size()); ++c) {
        const QRect Cell(QPoint(Table.Columns[static_cast<size_t>(c)], E.PenPos.y()),
                         QPoint(Table.Columns[static_cast<size_t>(c) + 1] - 1,
                                E.PenPos.y() + Height - 1));
        TextRect(Canvas, Cell, QLatin1Char(' ') + Row[c]);
    }
    E.SkipLines(1);
}

// The vertical rules of this page's part of the table.
void DrawTableRules()
{
    TPreviewForm& E = ReportEngine();
    QPainter& Canvas = ReportCanvas();
    const int Bottom = E.PenPos.y() + HalfLine(E);
    for (int X : Table.Columns)
        Canvas.drawLine(X, Table.TopY, X, Bottom);
}

} // namespace

std::vector<int> NarrowColumns(std::vector<int> Widths, int Available)
{
    while (!Widths.empty() && std::accumulate(Widths.begin(), Widths.end(), 0LL) > Available) {
        const auto [Smallest, Largest] = std::minmax_element(Widths.begin(), Widths.end());
        const int Large = *Largest;
        if (Large == *Smallest)
            break;
        int Second = *Smallest;
        for (int W : Widths)
            if (W < Large)
                Second = std::max(Second, W);
        const int Step = std::max(1, static_cast<int>(std::lround((Large - Second) / 5.0)));
        for (int& W : Widths)
            if (W == Large)
                W -= Step;
    }
    return Widths;
}

void PrintTableHeaderRow()
{
    if (Table.Columns.size() < 2 || Table.Rows.empty())
        return;
    TPreviewForm& E = ReportEngine();
    QPainter& Canvas = ReportCanvas();
    const QFont Kept = Canvas.font();
    Table.TopY = E.PenPos.y() + HalfLine(E);
    RuleLine(E, Canvas);
    Canvas.setFont(TableFont(E, true));
    WriteRow(E, Canvas, Table.Rows.front());
    RuleLine(E, Canvas);
    Canvas.setFont(Kept);
}

void PrintTable(TStdReport& Report, const std::vector<QStringList>& Rows)
{
    if (Rows.empty())
        return;
    TPreviewForm& E = ReportEngine();
    QPainter& Canvas = ReportCanvas();
    const QFont Kept = Canvas.font();
    const auto KeptFooter = E.PageFooter;
    E.PageFooter = DrawTableRules;
    E.SkipLines(1);

    Table = {};
    Table.Rows = Rows;
    Table.FontSize = E.ReportFont.pointSize();
    const int Left = E.Position[rlLeftMargin];
    const int Right = E.Position[rlRightMargin];
    std::vector<int> Widths = MeasureColumns(E, Canvas);
    const auto Total = [&Widths] { return std::accumulate(Widths.begin(), Widths.end(), 0LL); };
    while (Left + Total() > Right && Table.FontSize >= 11) {
        --Table.FontSize;
        Widths = MeasureColumns(E, Canvas);
    }
    Widths = NarrowColumns(Widths, Right - Left);
    Table.Columns = {Left};
    for (int W : Widths)
        Table.Columns.push_back(Table.Columns.back() + W);

    if (E.FontChanged && Table.FontSize != E.ReportFont.pointSize())
        ShowMessage(&E, QStringLiteral("Font size in table reduced to %1 to fit all columns")
                            .arg(Table.FontSize));
    E.FontChanged = false;

    // Whatever happens to the rows, the report leaves table mode.
    struct TRestore {
        TPreviewForm& E;
        TStdReport& Report;
        QFont Font;
        std::function<void()> Footer;
        ~TRestore()
        {
            E.PageFooter = Footer;
            Report.TableInProgress = false;
            if (HaveReportCanvas())
                ReportCanvas().setFont(Font);
        }
    } Restore{E, Report, Kept, KeptFooter};

    Report.TableInProgress = true;
    PrintTableHeaderRow();
    for (size_t r = 1; r < Table.Rows.size(); ++r) {
        E.CheckPageBreak(1);
        QPainter& Page = ReportCanvas();
        Page.setFont(TableFont(E, false));
        WriteRow(E, Page, Table.Rows[r]);
    }
    DrawTableRules();
    E.SkipLines(1);
}
