// The page engine of the preview window: page set-up for the preview and
// the printer, page breaks, footers and print jobs.
#include "reports/PreviewForm.h"

#include "reports/PrintTarget.h"
#include "reports/ReportPage.h"
#include "reports/ReportPrinter.h"
#include "reports/ReportText.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <cmath>
#include <stdexcept>

namespace {

QPainter* CurrentCanvas = nullptr;

// The hourglass while a report is drawn.
class TWaitCursor {
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

class TFlagGuard {
public:
    explicit TFlagGuard(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
};

// Pixels per centimetre of a device from its dots per inch.
double PixelsPerCm(int DotsPerInch)
{
    if (DotsPerInch <= 0)
        throw std::runtime_error("the device tells no resolution");
    return DotsPerInch / 2.54;
}

} // namespace

QPainter& ReportCanvas()
{
    if (CurrentCanvas == nullptr)
        throw std::logic_error("no report is being drawn");
    return *CurrentCanvas;
}

bool HaveReportCanvas()
{
    return CurrentCanvas != nullptr;
}

int TPreviewForm::PageNumber() const
{
    return Printing ? FPrinterPage : PageCount();
}

const TReportPage& TPreviewForm::Page(int Index) const
{
    return *FPages.at(static_cast<size_t>(Index));
}

QImage TPreviewForm::PageImage(int Index) const
{
    const TReportPage& P = Page(Index);
    return P.Render(P.PageSize());
}

bool TPreviewForm::BeginDoc()
{
    FPrintError.clear();
    auto Target = std::make_unique<TPrintTarget>(ReportPrinter());
    if (!Target->Open()) {
        FPrintError = Target->ErrorText();
        return false;
    }
    auto Painter = std::make_unique<QPainter>();
    if (!Painter->begin(&Target->Device()))
        return false;
    FPrintTarget = std::move(Target);
    FPrinterPainter = std::move(Painter);
    FPrinterPage = 1;
    return true;
}

bool TPreviewForm::EndDoc()
{
    if (!FPrinterPainter)
        return false;
    if (CurrentCanvas == FPrinterPainter.get())
        CurrentCanvas = nullptr;
    const bool Ended = FPrinterPainter->end();
    FPrinterPainter.reset();
    const bool Whole = FPrintTarget->Finish(Ended);
    if (!Whole)
        FPrintError = FPrintTarget->ErrorText();
    FPrintTarget.reset();
    if (AfterPrintJob)
        AfterPrintJob();
    return Whole;
}

void TPreviewForm::SetUpPreviewPage()
{
    FPagePainter.reset();
    FPages.clear();
    CurrentCanvas = nullptr;

    const TReportPage Probe(QSize(1, 1));
    try {
        PpcmXf = PixelsPerCm(Probe.logicalDpiX());
        PpcmYf = PixelsPerCm(Probe.logicalDpiY());
        PpcmX = qRound(PpcmXf);
        PpcmY = qRound(PpcmYf);
        const double WidthCm = Landscape ? 29.7 : 21.0;
        const double HeightCm = Landscape ? 21.0 : 29.7;
        PageWidth = qRound(PpcmXf * WidthCm);
        PageHeight = qRound(PpcmYf * HeightCm);
    } catch (const std::exception& E) {
        Message(QStringLiteral("Bitmap Device Error... \r\n") + QString::fromUtf8(E.what()));
        PpcmX = PpcmY = 32;
        PpcmXf = PpcmYf = 32;
        PageWidth = qRound(32 * 29.7);
        PageHeight = 32 * 21;
    }

    QPrinter& Printer = ReportPrinter();
    FPrinterUsable = PrinterUsable(Printer);
    if (FPrinterUsable) {
        try {
            // The paper in whole centimetres, at the preview's resolution.
            const double Dpi[2] = {double(Printer.logicalDpiX()), double(Printer.logicalDpiY())};
            if (Dpi[0] <= 0 || Dpi[1] <= 0 || Printer.width() <= 0 || Printer.height() <= 0)
                throw std::runtime_error("no printer page");
            const int Width = qRound(Printer.width() / Dpi[0] * 2.54) * PpcmX;
            const int Height = qRound(Printer.height() / Dpi[1] * 2.54) * PpcmY;
            if (Width < 0.2 * PageWidth || Height < 0.2 * PageHeight) {
                FPrinterUsable = false;
            } else {
                PageWidth = Width;
                PageHeight = Height;
            }
        } catch (const std::exception&) {
            Message(QStringLiteral("Printer Device Error..."));
            FPrinterUsable = false;
        }
    }

    AddPreviewPage();
    LineHeight = TextHeight(*FPagePainter);
    if (FPrinterUsable) {
        try {
            // Lines fall on the preview page where they fall on paper.
            const int PrinterLine = QFontMetrics(ReportFont, &Printer).height();
            if (PrinterLine <= 0)
                throw std::runtime_error("no printer font");
            LineHeight = double(PageHeight) * PrinterLine / Printer.height();
        } catch (const std::exception&) {
            Message(QStringLiteral("Failure reading printer font..."));
        }
    }
    SetStatus(1, FPrinterUsable ? PrinterName(Printer) : QStringLiteral("Printer not found"));
}

void TPreviewForm::SetUpPrinterPage()
{
    if (!FPrinterPainter)
        throw std::runtime_error("no print job");
    const QPagedPaintDevice& Printer = FPrintTarget->Device();
    PpcmXf = PixelsPerCm(Printer.logicalDpiX());
    PpcmYf = PixelsPerCm(Printer.logicalDpiY());
    PpcmX = qRound(PpcmXf);
    PpcmY = qRound(PpcmYf);
    PageWidth = Printer.width();
    PageHeight = Printer.height();
    FPrinterPainter->setFont(ReportFont);
    LineHeight = TextHeight(*FPrinterPainter);
    CurrentCanvas = FPrinterPainter.get();
    SetStatus(1, QStringLiteral("Print to ") + PrinterName(ReportPrinter()));
}

bool TPreviewForm::LayoutFitsPage() const
{
    for (int i = rlLeftMargin; i <= rlBottomMargin; ++i)
        if (!std::isfinite(Layout.Values[i]) || Layout.Values[i] < 0)
            return false;
    return PositionF[rlLeftMargin] < PositionF[rlRightMargin] &&
           TextLimitF - PositionF[rlTopMargin] >= LineHeight;
}

void TPreviewForm::ComputePositions()
{
    if (LineHeight <= 0 || !std::isfinite(LineHeight))
        LineHeight = 1;
    // A stop off the paper, or no number at all, takes its default.
    const double PageWidthCm = PageWidth / PpcmXf;
    for (int i = rlX1; i <= rlX8; ++i)
        if (!std::isfinite(Layout.Values[i]) || Layout.Values[i] < 0 ||
            Layout.Values[i] > PageWidthCm)
            Layout.Values[i] = DefaultReportLayout().Values[i];

    const auto Compute = [this] {
        PositionF[rlLeftMargin] = Layout.Values[rlLeftMargin] * PpcmXf;
        PositionF[rlRightMargin] = PageWidth - Layout.Values[rlRightMargin] * PpcmXf;
        PositionF[rlTopMargin] = Layout.Values[rlTopMargin] * PpcmYf;
        PositionF[rlBottomMargin] = PageHeight - Layout.Values[rlBottomMargin] * PpcmYf;
        for (int i = rlX1; i <= rlX8; ++i)
            PositionF[i] = std::round(PpcmX * Layout.Values[i]);
        TextLimitF = PositionF[rlBottomMargin] - 2 * LineHeight;
    };
    Compute();
    if (!LayoutFitsPage()) {
        // Margins that leave no room for a line of text: the defaults.
        for (int i = rlLeftMargin; i <= rlBottomMargin; ++i)
            Layout.Values[i] = DefaultReportLayout().Values[i];
        Compute();
    }
    for (int i = 0; i < ReportLineCount; ++i)
        Position[i] = static_cast<int>(std::lround(PositionF[i]));
    TextLimit = static_cast<int>(std::lround(TextLimitF));
}

void TPreviewForm::AddPreviewPage()
{
    try {
        if (FPagePainter)
            FPagePainter->end();
        CurrentCanvas = nullptr;
        FPages.push_back(std::make_unique<TReportPage>(QSize(PageWidth, PageHeight)));
        auto Painter = std::make_unique<QPainter>();
        if (!Painter->begin(FPages.back().get()))
            throw std::runtime_error("cannot draw on the page");
        Painter->setFont(ReportFont);
        FPagePainter = std::move(Painter);
        CurrentCanvas = FPagePainter.get();
    } catch (const std::exception&) {
        Message(QStringLiteral("Failed to create Bitmap...\r\n Pages = ") +
                QString::number(PageCount()));
        throw;
    }
}

void TPreviewForm::EndPreviewPages()
{
    if (CurrentCanvas == FPagePainter.get())
        CurrentCanvas = nullptr;
    if (FPagePainter)
        FPagePainter->end();
    FPagePainter.reset();
}

void TPreviewForm::CallPageHeader(bool FirstPage)
{
    if (!PageHeader)
        return;
    TFlagGuard InHeader(FInPageHeader);
    PageHeader(FirstPage);
}

void TPreviewForm::DrawPageFooter()
{
    if (PageFooter)
        PageFooter();
    QPainter& Canvas = ReportCanvas();
    const QFont Kept = Canvas.font();
    Canvas.setFont(ReportFont);
    const QString Text = QStringLiteral("- %1 -").arg(PageNumber());
    const int Left = Position[rlLeftMargin];
    const int X = Left + static_cast<int>((Position[rlRightMargin] - Left - TextWidth(Canvas, Text)) / 2);
    TextOut(Canvas, X, Position[rlBottomMargin], Text);
    Canvas.setFont(Kept);
}

void TPreviewForm::SkipLines(int Lines)
{
    LineCounter += Lines;
    PenPos.setY(static_cast<int>(std::lround(LineCounter * LineHeight)) + Line0Y);
}

void TPreviewForm::CheckPageBreak(int Lines)
{
    if (PenPos.y() + Lines * LineHeight > TextLimitF)
        NewPage();
}

void TPreviewForm::NewPage()
{
    // A page header that fills its page does not start another one.
    if (FInPageHeader)
        return;
    DrawPageFooter();
    if (Printing) {
        if (!FPrinterPainter || !FPrintTarget->Device().newPage())
            throw std::runtime_error("the printer refused a new page");
        ++FPrinterPage;
        FPrinterPainter->setFont(ReportFont);
    } else {
        AddPreviewPage();
    }
    LineCounter = 0;
    Line0Y = Position[rlTopMargin];
    PenPos = QPoint(Position[rlLeftMargin], Position[rlTopMargin]);
    CallPageHeader(false);
}

void TPreviewForm::DoReport()
{
    if (FInReport)
        return;
    TFlagGuard Running(FInReport);
    TWaitCursor Hourglass;
    try {
        if (Printing)
            SetUpPrinterPage();
        else
            SetUpPreviewPage();
    } catch (const std::exception&) {
        Message(QStringLiteral("Setup error..."));
    }
    try {
        ComputePositions();
        LineCounter = 0;
        Line0Y = Position[rlTopMargin];
        PenPos = QPoint(Position[rlLeftMargin], Position[rlTopMargin]);
        CallPageHeader(true);
        if (Body)
            Body();
        if (PageNumber() > 1)
            DrawPageFooter();
    } catch (...) {
        Message(QStringLiteral("Report write error..."));
    }
    if (Printing) {
        if (CurrentCanvas == FPrinterPainter.get())
            CurrentCanvas = nullptr;
        return;
    }
    EndPreviewPages();
    try {
        ShowPage();
    } catch (...) {
        Message(QStringLiteral("Report write error..."));
    }
}
