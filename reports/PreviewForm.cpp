// The preview window: tool bar, page display, margin dragging, keys, and
// the GIF and e-mail exports of the pages.
#include "reports/PreviewForm.h"

#include "controls/UiServices.h"
#include "foundation/ProgramFolders.h"
#include "platform/FormPlacement.h"
#include "platform/MapiControl.h"
#include "platform/QtText.h"
#include "reports/GifWriter.h"
#include "reports/PageView.h"
#include "reports/PrintTarget.h"
#include "reports/ReportPage.h"
#include "reports/ReportPrinter.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>
#include <stdexcept>

namespace {

TPreviewForm* TheForm = nullptr;

// Within this many display pixels of a line the mouse picks it.
constexpr int PickDistance = 5;

} // namespace

TPreviewForm* PreviewForm()
{
    return TheForm;
}

TPreviewForm& ReportEngine()
{
    if (TheForm == nullptr)
        throw std::logic_error("no report page engine");
    return *TheForm;
}

TPreviewForm::TPreviewForm(TSettingsStore& Settings, QWidget* Parent)
    : QDialog(Parent), FSettings(Settings)
{
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("Report Preview"));
    setMinimumSize(347, 385);
    resize(720, 860);
    ReportFont = QFont(QStringLiteral("Arial"), 8);
    Layout = DefaultReportLayout();

    auto* Column = new QVBoxLayout(this);
    Column->setContentsMargins(0, 0, 0, 0);
    Column->setSpacing(0);
    CreateToolBar();
    Column->addWidget(FToolBar);

    FScrollBox = new QScrollArea(this);
    FScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    FScrollBox->setBackgroundRole(QPalette::Dark);
    FScrollBox->setWidgetResizable(false);
    FScrollBox->setFocusPolicy(Qt::StrongFocus);
    FView = new TPageView;
    FView->setObjectName(QStringLiteral("PageImage"));
    FScrollBox->setWidget(FView);
    Column->addWidget(FScrollBox, 1);
    FView->OnPress = [this](QPoint Pos, Qt::MouseButton Button) { PageMousePress(Pos, Button); };
    FView->OnMove = [this](QPoint Pos, Qt::MouseButtons Buttons) { PageMouseMove(Pos, Buttons); };
    FView->OnRelease = [this](QPoint Pos, Qt::MouseButton Button) {
        PageMouseRelease(Pos, Button);
    };
    for (QObject* Watched : {static_cast<QObject*>(FScrollBox),
                             static_cast<QObject*>(FScrollBox->verticalScrollBar()),
                             static_cast<QObject*>(FView)})
        Watched->installEventFilter(this);

    auto* Status = new QStatusBar(this);
    for (int i = 0; i < 2; ++i) {
        FStatus[i] = new QLabel(Status);
        FStatus[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        FStatus[i]->setMinimumWidth(i == 0 ? 70 : 50);
        Status->addWidget(FStatus[i], i);
    }
    Column->addWidget(Status);

    FMail = new TMapiControl(this);
    FMail->ShowDialog = true;
    FMail->UseAppHandle = true;
    FMail->ShowMessageText = [this](const QString& Text) { Message(Text); };

    RestoreFormPlacement(FSettings, this, false, true);
    TheForm = this;
}

TPreviewForm::~TPreviewForm()
{
    EndPreviewPages();
    FPrinterPainter.reset();
    if (TheForm == this)
        TheForm = nullptr;
}

QAction* TPreviewForm::AddTool(const char* Name, const QString& Text, const QString& Hint,
                               void (TPreviewForm::*Click)())
{
    QAction* Action = FToolBar->addAction(Text);
    Action->setObjectName(QString::fromLatin1(Name));
    Action->setToolTip(Hint);
    Action->setStatusTip(Hint);
    connect(Action, &QAction::triggered, this, [this, Click] {
        try {
            (this->*Click)();
        } catch (const std::exception& E) {
            Message(QString::fromUtf8(E.what()));
        } catch (...) {
            Message(QStringLiteral("Report write error..."));
        }
    });
    return Action;
}

void TPreviewForm::CreateToolBar()
{
    FToolBar = new QToolBar(this);
    FToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    AddTool("PrintBtn", QStringLiteral("Print"), QStringLiteral("Print"),
            &TPreviewForm::PrintBtnClick);
    AddTool("PrintSetupBtn", QStringLiteral("Setup"), QStringLiteral("Printer Setup"),
            &TPreviewForm::PrintSetupBtnClick);
    AddTool("GifBtn", QStringLiteral("GIF"), QStringLiteral("Write report to a GIF file."),
            &TPreviewForm::GifBtnClick);
    AddTool("MailBtn", QStringLiteral("Mail"),
            QStringLiteral("Send report as email attachment"), &TPreviewForm::MailBtnClick);
    FToolBar->addSeparator();
    AddTool("PrevPageBtn", QStringLiteral("<"), QStringLiteral("Previous page"),
            &TPreviewForm::PrevPageBtnClick);
    AddTool("NextPageBtn", QStringLiteral(">"), QStringLiteral("Next page"),
            &TPreviewForm::NextPageBtnClick);
    FZoomFullPage = AddTool("ZoomFullPageBtn", QStringLiteral("Page"),
                            QStringLiteral("View Full Page"), &TPreviewForm::ZoomFullPageBtnClick);
    FZoom100 = AddTool("Zoom100Btn", QStringLiteral("100%"), QStringLiteral("100%"),
                       &TPreviewForm::Zoom100BtnClick);
    FToolBar->addSeparator();
    AddTool("FontBtn", QStringLiteral("Font"), QStringLiteral("Change font"),
            &TPreviewForm::FontBtnClick);
    AddTool("MarginsBtn", QStringLiteral("Margins"), QStringLiteral("Margins on/off"),
            &TPreviewForm::MarginsBtnClick);
    AddTool("DefaultMarginsBtn", QStringLiteral("Reset"), QStringLiteral("Reset margins"),
            &TPreviewForm::DefaultMarginsBtnClick);
    FToolBar->addSeparator();
    AddTool("CloseBtn", QStringLiteral("Close"), QStringLiteral("Close"), &TPreviewForm::reject);
}

void TPreviewForm::Message(const QString& Text)
{
    ShowMessage(this, Text);
}

void TPreviewForm::SetStatus(int Panel, const QString& Text)
{
    FStatus[Panel]->setText(Text);
}

QString TPreviewForm::StatusPanel(int Index) const
{
    return FStatus[Index]->text();
}

void TPreviewForm::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    if (Event->spontaneous())
        return;
    if (BeforeOutput)
        BeforeOutput();
    Printing = false;
    FDragged = -1;
    FCurrentPage = 0;
    FMarginsVisible = false;
    DoReport();
    FScrollBox->setFocus();
}

void TPreviewForm::resizeEvent(QResizeEvent* Event)
{
    QDialog::resizeEvent(Event);
    if (PageCount() > 0)
        ShowPage();
}

void TPreviewForm::done(int Result)
{
    try {
        if (AfterOutput)
            AfterOutput();
        SaveFormPlacement(FSettings, this);
        EndPreviewPages();
        FPages.clear();
        if (OnCloseProc)
            OnCloseProc();
    } catch (const std::exception& E) {
        Message(QString::fromUtf8(E.what()));
    }
    QDialog::done(Result);
}

void TPreviewForm::SetCurrentPage(int Index)
{
    FCurrentPage = Index;
    ShowPage();
}

void TPreviewForm::ShowPage()
{
    if (FPages.empty())
        return;
    FCurrentPage = std::clamp(FCurrentPage, 0, PageCount() - 1);
    const TReportPage& Shown = *FPages[static_cast<size_t>(FCurrentPage)];
    const QSize Page = Shown.PageSize();
    const QSize Client = FScrollBox->viewport()->size();
    QSize Size = Page;
    int Left = 0;
    if (ZoomMode == 1 && !Page.isEmpty()) {
        const int Height = std::max(1, Client.height());
        const int Width = std::max(1, qRound(double(Page.width()) / Page.height() * Height));
        Size = QSize(Width, Height);
        Left = std::max(0, qRound((Client.width() - Width) / 2.0));
    }
    FScrollBox->verticalScrollBar()->setValue(0);
    FView->resize(ZoomMode == 1 ? std::max(Client.width(), Left + Size.width()) : Size.width(),
                  Size.height());
    FView->SetPage(Shown.Render(Size), QPoint(Left, 0));
    FZoom100->setEnabled(ZoomMode == 1);
    FZoomFullPage->setEnabled(ZoomMode == 0);
    FScaleX = Page.width() > 0 ? double(Size.width()) / Page.width() : 1;
    FScaleY = Page.height() > 0 ? double(Size.height()) / Page.height() : 1;
    UpdateMarks();
}

// ---- Margin and column lines ----

int TPreviewForm::DisplayPos(int Line) const
{
    return qRound(Position[Line] * (IsHorizontalLine(Line) ? FScaleY : FScaleX));
}

void TPreviewForm::UpdateMarks()
{
    std::vector<TPageView::TMark> Marks;
    if (FMarginsVisible)
        for (int i = 0; i < ReportLineCount; ++i)
            if (ReportLines()[i].Shown)
                Marks.push_back({IsHorizontalLine(i), DisplayPos(i)});
    FView->SetMarks(std::move(Marks));
}

void TPreviewForm::SetMarginsVisible(bool Visible)
{
    FMarginsVisible = Visible;
    FDragged = -1;
    UpdateMarks();
}

int TPreviewForm::LineAt(QPoint Pos) const
{
    // Lines are picked in order up to the first hidden one.
    for (int i = 0; i < ReportLineCount && ReportLines()[i].Shown; ++i) {
        const int Mouse = IsHorizontalLine(i) ? Pos.y() : Pos.x();
        if (std::abs(DisplayPos(i) - Mouse) <= PickDistance)
            return i;
    }
    return -1;
}

void TPreviewForm::DragLimits(int Line, int& Low, int& High) const
{
    const auto Shown = [](int i) { return i < ReportLineCount && ReportLines()[i].Shown; };
    const QSize Picture = FView->Picture().size();
    switch (Line) {
    case rlLeftMargin:
    case rlX1:
        Low = 0;
        High = DisplayPos(Shown(rlX1 + 1) ? rlX1 + 1 : rlRightMargin);
        break;
    case rlRightMargin:
        Low = FRightmostStop;
        High = Picture.width();
        break;
    case rlTopMargin:
        Low = 0;
        High = Picture.height() / 2;
        break;
    case rlBottomMargin:
        Low = Picture.height() / 2;
        High = Picture.height();
        break;
    default:
        Low = DisplayPos(Line - 1);
        High = DisplayPos(Shown(Line + 1) ? Line + 1 : rlRightMargin);
        break;
    }
}

void TPreviewForm::PageMousePress(QPoint Pos, Qt::MouseButton Button)
{
    if (!FMarginsVisible || Button != Qt::LeftButton)
        return;
    FRightmostStop = DisplayPos(rlLeftMargin);
    for (int i = rlX1; i <= rlX8; ++i)
        if (ReportLines()[i].Shown)
            FRightmostStop = std::max(FRightmostStop, DisplayPos(i));
    FDragged = LineAt(Pos);
}

void TPreviewForm::PageMouseMove(QPoint Pos, Qt::MouseButtons Buttons)
{
    if (FDragged >= 0 && (Buttons & Qt::LeftButton)) {
        const bool Horizontal = IsHorizontalLine(FDragged);
        int Low = 0;
        int High = 0;
        DragLimits(FDragged, Low, High);
        int Mouse = Horizontal ? Pos.y() : Pos.x();
        if (Mouse >= High) {
            Mouse = High - PickDistance;
            FView->unsetCursor();
        } else if (Mouse < Low) {
            Mouse = Low + PickDistance;
            FView->unsetCursor();
        }
        const double Scale = Horizontal ? FScaleY : FScaleX;
        Position[FDragged] = qRound(Mouse / Scale);
        PositionF[FDragged] = Position[FDragged];
        UpdateMarks();
        return;
    }
    const int Line = FMarginsVisible ? LineAt(Pos) : -1;
    if (Line < 0)
        FView->unsetCursor();
    else
        FView->setCursor(IsHorizontalLine(Line) ? Qt::SplitVCursor : Qt::SplitHCursor);
}

void TPreviewForm::PageMouseRelease(QPoint, Qt::MouseButton Button)
{
    if (FDragged < 0 || Button != Qt::LeftButton)
        return;
    const int Line = FDragged;
    FDragged = -1;
    double Value = 0;
    switch (Line) {
    case rlRightMargin:
        Value = double(PageWidth - Position[Line]) / PpcmX;
        break;
    case rlBottomMargin:
        Value = double(PageHeight - Position[Line]) / PpcmY;
        break;
    case rlTopMargin:
        Value = double(Position[Line]) / PpcmY;
        break;
    default:
        Value = double(Position[Line]) / PpcmX;
        break;
    }
    Layout.Values[Line] = Value;
    Printing = false;
    FView->unsetCursor();
    DoReport();
    SetStatus(0, QString::asprintf("%0.1f", Value));
}

// ---- Keys ----

bool TPreviewForm::ScrollKey(int Key)
{
    QScrollBar* Bar = FScrollBox->verticalScrollBar();
    const int Page = FScrollBox->viewport()->height();
    switch (Key) {
    case Qt::Key_PageUp: Bar->setValue(Bar->value() - Page); return true;
    case Qt::Key_PageDown: Bar->setValue(Bar->value() + Page); return true;
    case Qt::Key_Home: Bar->setValue(0); return true;
    case Qt::Key_End: Bar->setValue(Bar->maximum()); return true;
    case Qt::Key_Up: Bar->setValue(Bar->value() - Bar->singleStep()); return true;
    case Qt::Key_Down: Bar->setValue(Bar->value() + Bar->singleStep()); return true;
    default: return false;
    }
}

bool TPreviewForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::KeyPress &&
        ScrollKey(static_cast<QKeyEvent*>(Event)->key()))
        return true;
    return QDialog::eventFilter(Watched, Event);
}

// ---- Commands ----

void TPreviewForm::PrevPageBtnClick()
{
    if (FCurrentPage > 0)
        --FCurrentPage;
    ShowPage();
}

void TPreviewForm::NextPageBtnClick()
{
    if (FCurrentPage < PageCount() - 1)
        ++FCurrentPage;
    ShowPage();
}

void TPreviewForm::ZoomFullPageBtnClick()
{
    ZoomMode = 1;
    ShowPage();
}

void TPreviewForm::Zoom100BtnClick()
{
    ZoomMode = 0;
    ShowPage();
}

void TPreviewForm::MarginsBtnClick()
{
    SetMarginsVisible(!FMarginsVisible);
}

void TPreviewForm::DefaultMarginsBtnClick()
{
    Layout = DefaultReportLayout();
    Printing = false;
    DoReport();
}

void TPreviewForm::FontBtnClick()
{
    QFont Font = ReportFont;
    if (!UiServices().ChooseFont(this, Font))
        return;
    ReportFont = Font;
    Printing = false;
    FontChanged = true;
    DoReport();
    if (AfterOutput)
        AfterOutput();
}

void TPreviewForm::PrintSetupBtnClick()
{
    if (!UiServices().PrintSetup(this, ReportPrinter()))
        return;
    Printing = false;
    DoReport();
}

void TPreviewForm::PrintBtnClick()
{
    const bool Shown = isVisible();
    if (Shown) {
        if (AfterOutput)
            AfterOutput();
        SetMarginsVisible(false);
    }
    if (PrintProc)
        PrintProc();
    if (Shown) {
        // Back to the preview's own pages and geometry after the print run.
        Printing = false;
        DoReport();
    }
}

QString TPreviewForm::WritablePagesFolder() const
{
    QString Folder = ToQ(ProgramFolders().DataDir);
    if (Folder.isEmpty() || !QDir().mkpath(Folder))
        Folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (Folder.isEmpty())
        Folder = QDir::homePath();
    return QDir(Folder).absolutePath();
}

QImage TPreviewForm::StackedPages() const
{
    const QSize Page = FPages.front()->PageSize();
    QImage Stacked(Page.width(), Page.height() * PageCount(), QImage::Format_RGB32);
    if (Stacked.isNull())
        return Stacked;
    const int DotsPerMetre = qRound(PreviewDpi / 0.0254);
    Stacked.setDotsPerMeterX(DotsPerMetre);
    Stacked.setDotsPerMeterY(DotsPerMetre);
    Stacked.fill(Qt::white);
    QPainter Painter(&Stacked);
    Painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    for (int i = 0; i < PageCount(); ++i)
        Painter.drawPicture(0, i * Page.height(), *FPages[static_cast<size_t>(i)]);
    return Stacked;
}

void TPreviewForm::GifBtnClick()
{
    if (FPages.empty())
        return;
    TFileDialogRequest Request;
    Request.Parent = this;
    Request.Title = QStringLiteral("Write report to a GIF file.");
    Request.Folder = FGifFolder.isEmpty() ? WritablePagesFolder() : FGifFolder;
    Request.FileName = QStringLiteral("Report.gif");
    Request.Filter = QStringLiteral("GIF Image File (*.gif)");
    Request.DefaultSuffix = QStringLiteral("gif");
    QString Name;
    for (;;) {
        Name = UiServices().SaveFileName(Request);
        if (Name.isEmpty())
            return;
        // The report logo keeps its name.
        if (QFileInfo(Name).completeBaseName().compare(QLatin1String("ReportLogo"),
                                                       Qt::CaseInsensitive) != 0)
            break;
        Message(QStringLiteral("Sorry, ") + QFileInfo(Name).fileName() +
                QStringLiteral(" is a reserved filename"));
    }
    FGifFolder = QFileInfo(Name).absolutePath();

    const qint64 Height = qint64(FPages.front()->PageSize().height()) * PageCount();
    if (Height > MaxGifSide) {
        Message(QStringLiteral("The report's %1 pages are too long for one GIF picture "
                               "(%2 pixels; a GIF picture holds %3).")
                    .arg(PageCount())
                    .arg(Height)
                    .arg(MaxGifSide));
        return;
    }
    QString Error;
    if (!WriteGifFile(StackedPages(), Name, &Error))
        Message(QStringLiteral("Could not write ") + Name + QStringLiteral("\r\n") + Error);
}

void TPreviewForm::MailBtnClick()
{
    if (FPages.empty())
        return;
    const QString Folder = WritablePagesFolder();
    QStringList Files;
    for (int i = 0; i < PageCount(); ++i) {
        const QString File = QDir(Folder).filePath(QStringLiteral("page%1.gif").arg(i));
        QString Error;
        if (!WriteGifFile(PageImage(i), File, &Error)) {
            Message(QStringLiteral("Could not write ") + File + QStringLiteral("\r\n") + Error +
                    DataFolderNote(File));
            return;
        }
        Files << File;
    }
    FMail->Recipients.clear();
    FMail->Subject = QStringLiteral("Report...");
    FMail->Body = QStringLiteral("Please find our report attached.");
    FMail->AttachedFiles = Files;
    if (FMail->SendMail() == MailFailure)
        Message(QStringLiteral("The mail program could not be started."));
}
