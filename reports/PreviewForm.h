#pragma once
// The report page engine and its preview window. The engine lays a report
// out on pages in device pixels from a layout kept in centimetres, breaks and
// numbers pages, and sends the same drawing either to recorded preview pages
// or to the printer. What is printed comes from procedures its client
// installs (body, page header, hooks). The window shows the pages at 100 % or
// as a full page, lets the margin and column lines be dragged, and offers
// font, printer set-up, GIF export and e-mail.

#include "reports/ReportLayout.h"

#include <QDialog>
#include <QFont>
#include <QImage>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QPainter;
class QScrollArea;
class QToolBar;
class TMapiControl;
class TPageView;
class TPrintTarget;
class TReportPage;
class TSettingsStore;

class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    // Becomes the engine every report draws through (PreviewForm()).
    explicit TPreviewForm(TSettingsStore& Settings, QWidget* Parent = nullptr);
    ~TPreviewForm() override;

    // --- Installed procedures (any may be empty) ---
    std::function<void()> Body;
    std::function<void()> BeforeOutput;  // when the window opens and before printing
    std::function<void()> AfterOutput;   // when it closes, before printing, after a font change
    std::function<void()> PrintProc;
    std::function<void(bool FirstPage)> PageHeader;
    std::function<void()> PageFooter;
    std::function<void()> OnCloseProc;
    // Called after each finished print job (a PDF file is complete then).
    std::function<void()> AfterPrintJob;

    // --- Report state ---
    bool Printing = false;     // output goes to the printer
    QString PrintedFile;       // the file the last print to a file wrote
    bool Landscape = false;    // orientation of the A4 fallback page
    bool FontChanged = false;  // set by the font button, read by the table printer
    QFont ReportFont;
    TReportLayout Layout;      // centimetres
    int ZoomMode = 0;          // 0 = 100 %, 1 = full page

    // --- Page geometry of the report being drawn (device pixels) ---
    int PpcmX = 0, PpcmY = 0;        // pixels per centimetre, rounded
    double PpcmXf = 0, PpcmYf = 0;   // and unrounded
    int PageWidth = 0, PageHeight = 0;
    // Left, right, top and bottom edge of the text, then the column stops.
    std::array<double, ReportLineCount> PositionF{};
    std::array<int, ReportLineCount> Position{};
    double TextLimitF = 0;  // no text line starts below this y
    int TextLimit = 0;
    double LineHeight = 1;
    int LineCounter = 0;
    int Line0Y = 0;   // y of line 0 of the current page
    QPoint PenPos;    // where the next text goes

    // --- Engine ---
    // Draws every page: to the preview pages, or, when Printing, into the
    // print job opened by BeginDoc.
    void DoReport();
    // Starts a new page when Lines more lines would pass the text limit.
    void CheckPageBreak(int Lines);
    // Finishes the page (footer) and opens the next (page header).
    void NewPage();
    // Moves the pen Lines lines down from line 0 of the page.
    void SkipLines(int Lines);
    void MoveTo(int X, int Y) { PenPos = QPoint(X, Y); }
    // The number of the page being drawn.
    int PageNumber() const;

    // A print job on ReportPrinter(); false when it cannot start.
    bool BeginDoc();
    // Ends the job; false when its output is not whole (a PDF file then is
    // not written at all).
    bool EndDoc();
    // Why the last job could not start or end, when that is known.
    QString PrintError() const { return FPrintError; }

    // --- Preview pages ---
    int PageCount() const { return static_cast<int>(FPages.size()); }
    const TReportPage& Page(int Index) const;
    // A page on white paper at its own size.
    QImage PageImage(int Index) const;
    int CurrentPage() const { return FCurrentPage; }
    void SetCurrentPage(int Index);
    // Whether the last preview fell back to A4 for want of a usable printer.
    bool PrinterFound() const { return FPrinterUsable; }

    // --- Window ---
    void ShowPage();
    bool MarginsVisible() const { return FMarginsVisible; }
    void SetMarginsVisible(bool Visible);
    // The picture's display scale (shown size / page size).
    double ScaleX() const { return FScaleX; }
    double ScaleY() const { return FScaleY; }
    QString StatusPanel(int Index) const;
    TPageView* PageView() const { return FView; }
    QScrollArea* ScrollBox() const { return FScrollBox; }
    TMapiControl& Mail() const { return *FMail; }

    // Tool bar commands.
    void PrintBtnClick();
    void PrintSetupBtnClick();
    void GifBtnClick();
    void MailBtnClick();
    void FontBtnClick();
    void DefaultMarginsBtnClick();
    void MarginsBtnClick();
    void PrevPageBtnClick();
    void NextPageBtnClick();
    void ZoomFullPageBtnClick();
    void Zoom100BtnClick();

    void done(int Result) override;

protected:
    void showEvent(QShowEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void CreateToolBar();
    QAction* AddTool(const char* Name, const QString& Text, const QString& Hint,
                     void (TPreviewForm::*Click)());
    void Message(const QString& Text);
    void SetStatus(int Panel, const QString& Text);

    void SetUpPreviewPage();
    void SetUpPrinterPage();
    void ComputePositions();
    bool LayoutFitsPage() const;
    void AddPreviewPage();
    void EndPreviewPages();
    void DrawPageFooter();
    void CallPageHeader(bool FirstPage);

    void UpdateMarks();
    int DisplayPos(int Line) const;
    int LineAt(QPoint Pos) const;
    void DragLimits(int Line, int& Low, int& High) const;
    void PageMousePress(QPoint Pos, Qt::MouseButton Button);
    void PageMouseMove(QPoint Pos, Qt::MouseButtons Buttons);
    void PageMouseRelease(QPoint Pos, Qt::MouseButton Button);
    bool ScrollKey(int Key);

    QString WritablePagesFolder() const;
    QImage StackedPages() const;

    TSettingsStore& FSettings;
    std::vector<std::unique_ptr<TReportPage>> FPages;
    std::unique_ptr<QPainter> FPagePainter;
    std::unique_ptr<TPrintTarget> FPrintTarget;
    std::unique_ptr<QPainter> FPrinterPainter;
    QString FPrintError;
    int FPrinterPage = 0;
    bool FPrinterUsable = false;
    bool FInReport = false;
    bool FInPageHeader = false;

    int FCurrentPage = 0;
    bool FMarginsVisible = false;
    int FDragged = -1;  // the line being dragged, or -1
    int FRightmostStop = 0;
    double FScaleX = 1, FScaleY = 1;
    QString FGifFolder;

    QToolBar* FToolBar = nullptr;
    QScrollArea* FScrollBox = nullptr;
    TPageView* FView = nullptr;
    QLabel* FStatus[2] = {nullptr, nullptr};
    QAction* FZoom100 = nullptr;
    QAction* FZoomFullPage = nullptr;
    TMapiControl* FMail = nullptr;
};

// The engine every report draws through: the preview window made last.
TPreviewForm* PreviewForm();
// The same for drawing a report; raises std::logic_error when there is none.
TPreviewForm& ReportEngine();

// The painter all report drawing goes to: the current preview page or the
// printer. Raises std::logic_error outside a report.
QPainter& ReportCanvas();
bool HaveReportCanvas();
