#include "reports/StdReport.h"

#include "controls/StringGrid.h"
#include "controls/UiServices.h"
#include "document/DocumentProperties.h"
#include "foundation/ProgramFolders.h"
#include "platform/QtText.h"
#include "reports/PreviewForm.h"
#include "reports/ReportDrawing.h"
#include "reports/ReportPictures.h"
#include "reports/ReportPrinter.h"
#include "reports/ReportTable.h"
#include "reports/ReportText.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLocale>
#include <QPainter>
#include <QPrinter>
#include <QTreeWidget>

#include <cmath>

namespace {

// What the report draws besides its body, shared by every report.
struct TStdReportState {
    QStringList HeaderLines;
    QStringList SubHeaderLines;
    bool UseProperties = false;
    TDocumentProperties Properties;
    QStringList Letterhead;
    QString Logo;
    bool LogoOnLeft = false;
    int LogoWidthCm = 0;
    int GapCm = 0;
    QString FirstFontName;
    QString OtherFontName;
};
TStdReportState State;

QString CommonDataFile(const char* Name)
{
    return ToQ(ProgramFolders().CommonDataDir) + QString::fromLatin1(Name);
}

QStringList ReadLines(const QString& FileName)
{
    QFile File(FileName);
    if (!File.open(QIODevice::ReadOnly))
        return {};
    QStringList Lines = QString::fromUtf8(File.readAll()).split(QLatin1Char('\n'));
    for (QString& Line : Lines)
        if (Line.endsWith(QLatin1Char('\r')))
            Line.chop(1);
    if (!Lines.isEmpty() && Lines.last().isEmpty())
        Lines.removeLast(); // after the last line break
    return Lines;
}

// A logo is read by its file's extension.
QImage LoadLogo(const QString& FileName)
{
    const QString Extension = QFileInfo(FileName).suffix().toLower();
    const char* Format = "BMP";
    if (Extension == QLatin1String("jpg") || Extension == QLatin1String("jpeg"))
        Format = "JPEG";
    else if (Extension == QLatin1String("gif"))
        Format = "GIF";
    else if (Extension == QLatin1String("png"))
        Format = "PNG";
    QImageReader Reader(FileName, Format);
    Reader.setAutoDetectImageFormat(false);
    return Reader.read();
}

// A failure's cause on a line of its own, when there is one.
QString WithCause(const QString& Cause)
{
    return Cause.isEmpty() ? QString() : QStringLiteral("\n") + Cause;
}

QDate ReportDate()
{
    const double Date = State.Properties.Date;
    if (State.UseProperties && std::isfinite(Date) && Date >= 1)
        if (const QDate Day = DateOfDayCount(Date); Day.isValid())
            return Day;
    return QDate::currentDate();
}

// Style and size of the canvas font for a scope, then back.
class TStyledFont {
public:
    TStyledFont(QPainter& Canvas, int Style, int SizeIncrease) : FKept(Canvas)
    {
        QFont Font = Canvas.font();
        AddFontStyle(Font, Style);
        Font.setPointSize(std::max(1, Font.pointSize() + SizeIncrease));
        Canvas.setFont(Font);
    }

private:
    TKeptFont FKept;
};

void PageStart(TStdReport& R, TPreviewForm& E)
{
    R.Canvas = &ReportCanvas();
    R.Left = E.Position[rlLeftMargin];
    R.Right = E.Position[rlRightMargin];
    R.Top = E.Position[rlTopMargin];
    R.HeadingX = R.Left;
    R.Column2X = E.Position[rlX1];
    R.Column3X = E.Position[rlX1 + 1];
    R.Canvas->setFont(E.ReportFont);
    E.MoveTo(R.Left, R.Top);
    E.LineCounter = 0;
    E.Line0Y = R.Top;
}

void DrawLetterheadAndLogo(TStdReport& R, TPreviewForm& E)
{
    const int Top = E.PenPos.y();
    const int LogoWidth = State.LogoWidthCm * E.PpcmX;
    const int X = State.LogoOnLeft ? R.Left + (State.LogoWidthCm + State.GapCm) * E.PpcmX : R.Left;
    const int LetterheadHeight = DrawLetterhead(State.Letterhead, X, State.FirstFontName,
                                                State.OtherFontName, 10, 8);
    int LogoHeight = 0;
    if (!State.Logo.isEmpty() && QFileInfo::exists(State.Logo) && LogoWidth > 0) {
        const QImage Logo = LoadLogo(State.Logo);
        if (!Logo.isNull() && Logo.width() > 0) {
            LogoHeight = static_cast<int>(std::lround(double(LogoWidth) * Logo.height() / Logo.width()));
            const int LogoX = State.LogoOnLeft ? R.Left : R.Right - LogoWidth;
            PrintBitmapRect(QRect(LogoX, Top, LogoWidth, LogoHeight), Logo, ReportCanvas());
        }
    }
    const int Lines = std::max(static_cast<int>(std::lround(LetterheadHeight / E.LineHeight)),
                               static_cast<int>(std::ceil(LogoHeight / E.LineHeight)));
    E.LineCounter = Lines;
    E.SkipLines(1);
}

} // namespace

TStdReport& StdReport()
{
    static TStdReport Report;
    return Report;
}

TKeptReportLayout& KeptReportLayout()
{
    static TKeptReportLayout Kept{DefaultReportLayout(), QFont(QStringLiteral("Arial"), 8),
                                  QColor(Qt::black), 0};
    return Kept;
}

bool ShowStdReport(TStdReport& Report, std::function<void()> Body, const QStringList& HeaderLines,
                   const QStringList& SubHeaderLines, const TDocumentProperties* Properties)
{
    Report.TableInProgress = false;
    TPreviewForm* E = PreviewForm();
    if (E == nullptr) {
        Report.Attached = false;
        ShowMessage(nullptr, QStringLiteral("Error initialising report"));
        return false;
    }
    E->BeforeOutput = LoadPreviewLayout;
    E->AfterOutput = KeepPreviewLayout;
    E->PrintProc = StdReportPrint;
    E->PageHeader = StdReportDrawPageHeader;
    E->PageFooter = nullptr;
    E->Body = std::move(Body);
    E->OnCloseProc = nullptr;
    for (int i = 0; i < ReportLineCount; ++i)
        ReportLines()[i].Shown = i <= 5;
    State.HeaderLines = HeaderLines;
    State.SubHeaderLines = SubHeaderLines;
    State.UseProperties = Properties != nullptr;
    State.Properties = Properties != nullptr ? *Properties : TDocumentProperties();
    Report.Attached = true;
    return true;
}

void StdReportLoadLetterhead(TStdReport&, const QString& LetterheadFile, const QString& LogoFile,
                             bool LogoOnLeft, int LogoWidthCm, int GapCm,
                             const QString& FirstFontName, const QString& OtherFontName)
{
    QString File = LetterheadFile;
    if (File.isEmpty() || !QFileInfo::exists(File))
        File = CommonDataFile("Letterhead.txt");
    QStringList Lines = QFileInfo::exists(File) ? ReadLines(File) : QStringList();
    if (Lines.isEmpty())
        Lines = QStringList{QStringLiteral(" ")};
    StdReportSetLetterhead(Lines, LogoFile, LogoOnLeft, LogoWidthCm, GapCm, FirstFontName,
                           OtherFontName);
}

void StdReportSetLetterhead(const QStringList& Lines, const QString& LogoFile, bool LogoOnLeft,
                            int LogoWidthCm, int GapCm, const QString& FirstFontName,
                            const QString& OtherFontName)
{
    State.Letterhead = Lines;
    State.Logo = LogoFile.isEmpty() || !QFileInfo::exists(LogoFile)
                     ? CommonDataFile("ReportLogo.gif")
                     : LogoFile;
    State.LogoOnLeft = LogoOnLeft;
    State.LogoWidthCm = std::clamp(LogoWidthCm, 0, 100);
    State.GapCm = std::clamp(GapCm, 0, 100);
    State.FirstFontName = FirstFontName;
    State.OtherFontName = OtherFontName;
}

void StdReportShowPreview(TStdReport&)
{
    if (TPreviewForm* E = PreviewForm())
        RunModal(*E);
    StdReportRestoreOrientation();
}

void StdReportRestoreOrientation()
{
    ReportPrinter().setPageOrientation(QPageLayout::Portrait);
    if (TPreviewForm* E = PreviewForm())
        E->Landscape = false;
}

void StdReportPrint()
{
    TPreviewForm* E = PreviewForm();
    if (E == nullptr)
        return;
    QPrinter& Printer = ReportPrinter();
    // The printer lives as long as the program: printing again to the file
    // an earlier print wrote would replace it unasked (another network's
    // report over this one's), so the print dialog comes first, as it does
    // without a printer. A paper printer just prints again.
    const bool ToFile = Printer.outputFormat() == QPrinter::PdfFormat;
    const bool Replaces = ToFile && !E->PrintedFile.isEmpty() && Printer.outputFileName() == E->PrintedFile;
    if (!PrinterUsable(Printer) || Replaces) {
        if (!UiServices().PrintSetup(E, Printer))
            return;
        if (!PrinterUsable(Printer)) {
            ShowMessage(E, QStringLiteral("Printer not found"));
            return;
        }
    }
    // The system's queue would multiply copies: each copy is a job of its own.
    const int Copies = std::max(1, Printer.copyCount());
    Printer.setCopyCount(1);
    bool Written = true;
    for (int Copy = Copies; Copy > 0; --Copy) {
        if (!State.HeaderLines.isEmpty())
            Printer.setDocName(State.HeaderLines.first());
        if (!E->BeginDoc()) {
            ShowMessage(E, QStringLiteral("Could not start printing on ") + PrinterName(Printer) +
                               WithCause(E->PrintError()));
            Written = false;
            break;
        }
        LoadPreviewLayout();
        E->Printing = true;
        E->DoReport();
        if (!E->EndDoc()) {
            ShowMessage(E, QStringLiteral("Error printing to ") + PrinterName(Printer) +
                               WithCause(E->PrintError()));
            Written = false;
            break;
        }
    }
    // A print that failed left the older file as it was.
    if (Written && Printer.outputFormat() == QPrinter::PdfFormat)
        E->PrintedFile = Printer.outputFileName();
    E->Printing = false;
    Printer.setCopyCount(Copies);
}

void StdReportDrawPageHeader(bool FirstPage)
{
    TPreviewForm& E = ReportEngine();
    TStdReport& R = StdReport();
    PageStart(R, E);
    if (FirstPage) {
        DrawLetterheadAndLogo(R, E);
        DrawDateRight(QLocale::system().toString(ReportDate(), QLocale::ShortFormat));
        DrawTitleLines(State.HeaderLines, 3, 2);
    }
    if (!State.SubHeaderLines.isEmpty())
        DrawTitleLines(State.SubHeaderLines, 2, 2); // as the header: its big first line needs room
    else
        E.SkipLines(1);
    if (FirstPage && State.UseProperties) {
        bool Any = false;
        if (!State.Properties.ProjectNumber.empty()) {
            StdReportHeading(R, ToQ(State.Properties.ProjectNumber), fsBold);
            Any = true;
        }
        for (const QString& Line :
             ToQ(State.Properties.Description).split(QLatin1Char('\n'))) {
            QString Text = Line;
            if (Text.endsWith(QLatin1Char('\r')))
                Text.chop(1);
            if (Text.isEmpty() && State.Properties.Description.empty())
                continue;
            StdReportHeading(R, Text);
            Any = true;
        }
        if (Any)
            StdReportNewLine(R);
    }
    if (R.TableInProgress)
        PrintTableHeaderRow();
}

void StdReportHeading(TStdReport& Report, const QString& Text, int Style, int SizeIncrease)
{
    TPreviewForm& E = ReportEngine();
    E.CheckPageBreak(4);
    QPainter& Canvas = ReportCanvas();
    TStyledFont Font(Canvas, Style, SizeIncrease);
    TextOut(Canvas, Report.HeadingX, E.PenPos.y(), Text);
    E.SkipLines(1);
}

void StdReportTableRow(TStdReport&, const QStringList& Cells, const std::vector<int>& LineIndexes,
                       int Style, int SizeIncrease)
{
    TPreviewForm& E = ReportEngine();
    E.CheckPageBreak(1);
    const auto LinePos = [&E](int Index) {
        return Index >= 0 && Index < ReportLineCount ? E.Position[Index] : E.Position[rlRightMargin];
    };
    // Each cell wraps within its column, a blank short of the next one (the
    // printer's metrics may differ from the preview's by a pixel), and the
    // row grows to its tallest cell: a long description never runs into the
    // ducting beside it.
    std::vector<std::pair<QRect, QStringList>> Wrapped;
    int Lines = 1;
    {
        QPainter& Canvas = ReportCanvas();
        TStyledFont Font(Canvas, Style, SizeIncrease);
        const int Height = TextHeight(Canvas);
        const int Gap = TextWidth(Canvas, QStringLiteral(" "));
        const int Count = std::min(static_cast<int>(Cells.size()), static_cast<int>(LineIndexes.size()));
        for (int i = 0; i < Count; ++i) {
            const int From = LinePos(LineIndexes[static_cast<size_t>(i)]);
            const int To = i + 1 < Count ? LinePos(LineIndexes[static_cast<size_t>(i) + 1]) - Gap
                                         : E.Position[rlRightMargin];
            if (To <= From)
                continue;
            QStringList Parts = WrapToWidth(Canvas, Cells[i], To - From);
            Lines = std::max(Lines, static_cast<int>(Parts.size()));
            Wrapped.emplace_back(QRect(From, 0, To - From, Height), std::move(Parts));
        }
    }
    // A new page draws on a canvas of its own.
    E.CheckPageBreak(Lines);
    QPainter& Canvas = ReportCanvas();
    TStyledFont Font(Canvas, Style, SizeIncrease);
    for (const auto& [Cell, Parts] : Wrapped)
        for (int Line = 0; Line < Parts.size(); ++Line)
            TextRect(Canvas, Cell.translated(0, E.PenPos.y() + static_cast<int>(std::lround(Line * E.LineHeight))),
                     Parts[Line]);
    E.SkipLines(Lines);
}

void StdReportNewLine(TStdReport&)
{
    ReportEngine().SkipLines(1);
}

void StdReportDrawGraphic(TStdReport&, const QImage& Picture, double SmallestScale)
{
    DrawPictureAcrossPages(Picture, QRect(), SmallestScale);
}

void StdReportPrintGrid(TStdReport& Report, const TxStringGrid& Grid, const TGridCellRange& Range)
{
    const int Left = std::max(Range.Left, 0);
    const int Right = std::min(Range.Right, Grid.ColCount() - 1);
    const int Top = std::max(Range.Top, 1);
    const int Bottom = std::min(Range.Bottom, Grid.RowCount() - 1);
    if (Left > Right)
        return;
    std::vector<QStringList> Rows;
    const auto RowTexts = [&](int Row) {
        QStringList Texts;
        for (int c = Left; c <= Right; ++c)
            Texts << Grid.Cell(c, Row);
        return Texts;
    };
    Rows.push_back(RowTexts(0));
    for (int r = Top; r <= Bottom; ++r)
        Rows.push_back(RowTexts(r));
    PrintTable(Report, Rows);
}

void StdReportListViewTable(TStdReport& Report, const QTreeWidget& ListView, int ColumnCount,
                            const std::vector<int>& LineIndexes)
{
    ColumnCount = std::min(ColumnCount, ListView.columnCount());
    QStringList Captions;
    for (int c = 0; c < ColumnCount; ++c)
        Captions << (ListView.headerItem() ? ListView.headerItem()->text(c) : QString());
    StdReportTableRow(Report, Captions, LineIndexes, fsUnderline);
    for (int i = 0; i < ListView.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* Item = ListView.topLevelItem(i);
        QStringList Cells;
        for (int c = 0; c < ColumnCount; ++c)
            Cells << Item->text(c);
        StdReportTableRow(Report, Cells, LineIndexes);
    }
    StdReportNewLine(Report);
}

void SetReportColumnStops(const std::vector<double>& Stops)
{
    for (size_t i = 0; i < Stops.size() && i < 8; ++i)
        DefaultReportLayout().Values[rlX1 + i] = Stops[i];
}

void LoadPreviewLayout()
{
    if (TPreviewForm* E = PreviewForm()) {
        const TKeptReportLayout& Kept = KeptReportLayout();
        E->Layout = Kept.Layout;
        E->ReportFont = Kept.Font;
        E->ZoomMode = Kept.Zoom;
    }
}

void KeepPreviewLayout()
{
    if (TPreviewForm* E = PreviewForm()) {
        TKeptReportLayout& Kept = KeptReportLayout();
        Kept.Layout = E->Layout;
        Kept.Font = E->ReportFont;
        Kept.Zoom = E->ZoomMode;
    }
}
