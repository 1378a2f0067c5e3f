#pragma once
// The frame of every printed or previewed report: it installs its own
// procedures into the page engine, draws the page header (letterhead, logo,
// date, title lines, document properties) and offers headings, rows of
// cells in columns, blank lines, pictures and tables to report bodies. The
// layout, font and zoom of the preview persist between reports and, through
// the settings section "Report", between runs.

#include "reports/ReportLayout.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QImage;
class QPainter;
class QTreeWidget;
class TDocumentProperties;
class TSettingsStore;
class TxStringGrid;

class TStdReport {
public:
    QPainter* Canvas = nullptr;  // the report canvas at the start of the page
    int Left = 0;                // x of the left edge
    int Top = 0;                 // y of the top edge
    int HeadingX = 0;            // x of headings (the left edge)
    int Column2X = 0;            // x of stop mX1
    int Column3X = 0;            // x of stop mX2
    int Right = 0;               // x of the right edge
    bool TableInProgress = false;  // a table's header row repeats on new pages
    bool Attached = false;         // set up by ShowStdReport
};

// The program's one standard report.
TStdReport& StdReport();

// The layout, font and zoom kept between reports.
struct TKeptReportLayout {
    TReportLayout Layout;
    QFont Font;
    QColor Color;
    int Zoom = 0;
};
TKeptReportLayout& KeptReportLayout();

// Installs the report into the page engine (PreviewForm()): Body draws the
// report; the header lines head the first page, the sub-header lines every
// page; Properties, when given, add the document's date, project number and
// description. Shows lines 0 .. 5 of the preview, hides 6 .. 11. Shows
// "Error initialising report" and answers false when there is no engine.
bool ShowStdReport(TStdReport& Report, std::function<void()> Body, const QStringList& HeaderLines,
                   const QStringList& SubHeaderLines,
                   const TDocumentProperties* Properties = nullptr);

// The letterhead from LetterheadFile, else from "Letterhead.txt" of the
// common data folder, else a single blank line; then StdReportSetLetterhead.
void StdReportLoadLetterhead(TStdReport& Report, const QString& LetterheadFile,
                             const QString& LogoFile, bool LogoOnLeft, int LogoWidthCm, int GapCm,
                             const QString& FirstFontName = QString(),
                             const QString& OtherFontName = QString());
// A logo file that does not exist is replaced by "ReportLogo.gif" of the
// common data folder. Empty font names keep the report font's.
void StdReportSetLetterhead(const QStringList& Lines, const QString& LogoFile, bool LogoOnLeft,
                            int LogoWidthCm, int GapCm, const QString& FirstFontName = QString(),
                            const QString& OtherFontName = QString());

// Shows the preview window modally, then back to portrait.
void StdReportShowPreview(TStdReport& Report);
void StdReportRestoreOrientation();
// Prints the printer's number of copies, each as a print job of its own
// named after the first header line. Without a usable printer it opens the
// printer set-up first.
void StdReportPrint();
// The page header the report installs.
void StdReportDrawPageHeader(bool FirstPage);

// A heading at the heading x with Style (TReportFontStyle) added and the
// size raised by SizeIncrease; never the last line before a page break
// with fewer than three lines after it.
void StdReportHeading(TStdReport& Report, const QString& Text, int Style = 0,
                      int SizeIncrease = 0);
// One row of cells: cell i from the position of layout line LineIndexes[i]
// to that of the next cell's line (the last to the right edge), clipped
// there.
void StdReportTableRow(TStdReport& Report, const QStringList& Cells,
                       const std::vector<int>& LineIndexes, int Style = 0, int SizeIncrease = 0);
void StdReportNewLine(TStdReport& Report);
// A picture at its natural size, scaled to the page, or across several pages.
void StdReportDrawGraphic(TStdReport& Report, const QImage& Picture, double SmallestScale = 1);
// Cells of a grid, columns Left .. Right and rows Top .. Bottom (inclusive).
struct TGridCellRange {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};
// The range as a table with fitted columns, headed by the grid's row 0
// (which the range's rows do not repeat); the part outside the grid is left
// out.
void StdReportPrintGrid(TStdReport& Report, const TxStringGrid& Grid, const TGridCellRange& Range);
// The column captions underlined, then one row per item, then a blank line.
void StdReportListViewTable(TStdReport& Report, const QTreeWidget& ListView, int ColumnCount,
                            const std::vector<int>& LineIndexes);

// Copies up to eight values (centimetres) into the stops of the default layout.
void SetReportColumnStops(const std::vector<double>& Stops);
// The kept layout, zoom and font from and to the settings section "Report".
// Values that are no number, not finite or off any paper take the defaults.
void LoadReportMargins(const TSettingsStore& Settings);
void SaveReportMargins(TSettingsStore& Settings);
// Copies the kept layout, font and zoom into the preview, or back.
void LoadPreviewLayout();
void KeepPreviewLayout();
