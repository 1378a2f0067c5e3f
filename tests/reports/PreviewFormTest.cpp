#include "reports/PreviewForm.h"

#include "foundation/SettingsStore.h"
#include "platform/MapiControl.h"
#include "reports/GifWriter.h"
#include "reports/PageView.h"
#include "reports/ReportPage.h"
#include "reports/ReportPrinter.h"
#include "reports/StdReport.h"
#include "tests/reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace {

class PreviewWindow : public testing::Test {
protected:
    void SetUp() override
    {
        SetReportColumnStops({4, 6, 7.5, 10, 11, 13});
        KeptReportLayout() = {DefaultReportLayout(), QFont("Arial", 8), QColor(Qt::black), 0};
        Form = std::make_unique<TPreviewForm>(Store);
        StdReportSetLetterhead({"Firm"}, QString(), false, 0, 0);
    }
    void TearDown() override
    {
        if (Form->isVisible())
            Form->close();
    }

    // Opens the preview on a standard report of Rows rows.
    void Open(int Rows)
    {
        ASSERT_TRUE(ShowStdReport(
            StdReport(),
            [Rows] {
                for (int i = 1; i <= Rows; ++i)
                    StdReportTableRow(StdReport(), {QString("Row %1").arg(i)}, {rlLeftMargin});
            },
            {"Preview test"}, {}));
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }

    void Click(const char* Tool)
    {
        QAction* Action = Form->findChild<QAction*>(Tool);
        ASSERT_NE(Action, nullptr) << Tool;
        Action->trigger();
    }

    // A mouse event on the page at a point of the page picture.
    void Mouse(QEvent::Type Type, QPoint InPicture, Qt::MouseButtons Buttons,
               Qt::MouseButton Button = Qt::NoButton)
    {
        TPageView* View = Form->PageView();
        const QPointF At = InPicture + View->Origin();
        QMouseEvent Event(Type, At, View->mapToGlobal(At), Button, Buttons, Qt::NoModifier);
        QApplication::sendEvent(View, &Event);
    }

    void Drag(QPoint From, QPoint To)
    {
        Mouse(QEvent::MouseButtonPress, From, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseMove, To, Qt::LeftButton);
    }

    void Release(QPoint At) { Mouse(QEvent::MouseButtonRelease, At, Qt::NoButton, Qt::LeftButton); }

    TMemorySettingsStore Store;
    std::unique_ptr<TPreviewForm> Form;
};

} // namespace

TEST_F(PreviewWindow, DraggingTheTopMarginStopsAboveTheMiddleAndResetBringsTheDefaultsBack)
{
    TPdfPrinter Printer(TestFolder() + "drag.pdf");
    Open(5);
    ASSERT_EQ(Form->Page(0).PageSize(), QSize(798, 1140));
    ASSERT_DOUBLE_EQ(Form->ScaleY(), 1.0);
    Click("MarginsBtn");
    ASSERT_TRUE(Form->MarginsVisible());

    const int Top = Form->Position[rlTopMargin];
    Drag(QPoint(300, Top + 3), QPoint(300, 700));
    EXPECT_EQ(Form->Position[rlTopMargin], 565);
    Release(QPoint(300, 700));
    EXPECT_EQ(Form->StatusPanel(0), "14.9");
    EXPECT_DOUBLE_EQ(Form->Layout.TopMargin(), 565.0 / 38);

    Click("DefaultMarginsBtn");
    EXPECT_EQ(Form->Layout, DefaultReportLayout());
    EXPECT_EQ(std::vector<double>(Form->Layout.Values.begin() + rlX1, Form->Layout.Values.end()),
              (std::vector<double>{4, 6, 7.5, 10, 11, 13, 16, 17}));

    // Closing keeps the layout for the next report.
    Drag(QPoint(Form->Position[rlLeftMargin], 500), QPoint(150, 500));
    Release(QPoint(150, 500));
    Form->close();
    EXPECT_DOUBLE_EQ(KeptReportLayout().Layout.LeftMargin(), 150.0 / 38);
}

TEST_F(PreviewWindow, LinesArePickedOnlyUpToTheFirstHiddenOne)
{
    NoPrinter();
    Open(5);
    Click("MarginsBtn");
    struct TCase {
        const char* Name;
        bool Stop1Shown;
        bool Moves;
    };
    for (const TCase Case : {TCase{"all shown", true, true}, TCase{"mX1 hidden", false, false}}) {
        SCOPED_TRACE(Case.Name);
        ReportLines()[rlX1].Shown = Case.Stop1Shown;
        Click("DefaultMarginsBtn");
        const int Stop2 = Form->Position[rlX1 + 1];
        Drag(QPoint(Stop2 + 2, 600), QPoint(Stop2 + 40, 600));
        EXPECT_EQ(Form->Position[rlX1 + 1] != Stop2, Case.Moves);
        Release(QPoint(Stop2 + 40, 600));
    }
    ReportLines()[rlX1].Shown = true;
}

TEST_F(PreviewWindow, ZoomModesAndScrollKeys)
{
    TPdfPrinter Printer(TestFolder() + "zoom.pdf");
    Open(5);
    Form->resize(500, 600);
    QApplication::processEvents();
    QAction* Zoom100 = Form->findChild<QAction*>("Zoom100Btn");
    QAction* FullPage = Form->findChild<QAction*>("ZoomFullPageBtn");
    EXPECT_FALSE(Zoom100->isEnabled());
    EXPECT_TRUE(FullPage->isEnabled());
    EXPECT_EQ(Form->PageView()->Picture().size(), QSize(798, 1140));

    QScrollBar* Bar = Form->ScrollBox()->verticalScrollBar();
    const int Client = Form->ScrollBox()->viewport()->height();
    ASSERT_GT(Bar->maximum(), Client);
    QTest::keyClick(Form->ScrollBox(), Qt::Key_PageDown);
    EXPECT_EQ(Bar->value(), Client);
    QTest::keyClick(Form->ScrollBox(), Qt::Key_End);
    EXPECT_EQ(Bar->value(), Bar->maximum());
    QTest::keyClick(Form->ScrollBox(), Qt::Key_Home);
    EXPECT_EQ(Bar->value(), 0);

    FullPage->trigger();
    EXPECT_TRUE(Zoom100->isEnabled());
    EXPECT_FALSE(FullPage->isEnabled());
    EXPECT_EQ(Form->PageView()->Picture().height(), Client);
    EXPECT_NEAR(Form->ScaleX(), double(Client) / 1140, 0.002);
}

TEST_F(PreviewWindow, GifExportStacksThePagesAndKeepsTheLogoName)
{
    NoPrinter();
    Open(100);
    ASSERT_EQ(Form->PageCount(), 2);
    QStringList Answers = {DataFolder() + "ReportLogo.gif", DataFolder() + "Out.gif"};
    QStringList Folders;
    TUiServices Services = StrictUiServices();
    Services.SaveFileName = [&](const TFileDialogRequest& Request) {
        Folders << Request.Folder;
        EXPECT_EQ(Request.FileName, "Report.gif");
        return Answers.isEmpty() ? QString() : Answers.takeFirst();
    };
    TRecordedMessages Messages(Services);
    auto Installed = Messages.Install();
    Click("GifBtn");
    EXPECT_EQ(Messages.Texts, QStringList{"Sorry, ReportLogo.gif is a reserved filename"});
    EXPECT_EQ(QDir(Folders.value(0)), QDir(DataFolder()));
    EXPECT_EQ(Folders.size(), 2);
    EXPECT_FALSE(QFile::exists(DataFolder() + "ReportLogo.gif"));
    const QImage Stacked(DataFolder() + "Out.gif", "GIF");
    EXPECT_EQ(Stacked.size(), QSize(794, 2 * 1123));
}

TEST_F(PreviewWindow, GifExportRefusesAReportTooLongForOnePicture)
{
    NoPrinter();
    Open(60 * 75);
    ASSERT_GT(Form->PageCount() * 1123, MaxGifSide);
    TUiServices Services = StrictUiServices();
    Services.SaveFileName = [](const TFileDialogRequest&) { return DataFolder() + "Long.gif"; };
    TRecordedMessages Messages(Services);
    auto Installed = Messages.Install();
    Click("GifBtn");
    ASSERT_EQ(Messages.Texts.size(), 1);
    EXPECT_TRUE(Messages.Texts[0].contains("too long for one GIF picture"));
    EXPECT_FALSE(QFile::exists(DataFolder() + "Long.gif"));
}

TEST_F(PreviewWindow, MailsThePagesAsGifFilesFromTheDataFolder)
{
    NoPrinter();
    const std::string Record = (TestFolder() + "mail.args").toStdString();
    const std::string Command = (TestFolder() + "mailer.sh").toStdString();
    std::ofstream(Command) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" << Record
                           << "'\n";
    std::filesystem::permissions(Command, std::filesystem::perms::owner_all);
    qputenv(MailCommandVariable, QByteArray::fromStdString(Command));
    Open(100);
    int Done = 0;
    QObject::connect(&Form->Mail(), &TMapiControl::OnSuccess, [&Done] { ++Done; });
    Click("MailBtn");
    QElapsedTimer Timer;
    Timer.start();
    while (Done == 0 && Timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    qunsetenv(MailCommandVariable);
    ASSERT_EQ(Done, 1);
    QFile File(QString::fromStdString(Record));
    ASSERT_TRUE(File.open(QIODevice::ReadOnly));
    const QString Page0 = QDir(DataFolder()).filePath("page0.gif");
    const QString Page1 = QDir(DataFolder()).filePath("page1.gif");
    EXPECT_EQ(QString::fromUtf8(File.readAll()).split('\n', Qt::SkipEmptyParts),
              QStringList({"--subject", "Report...", "--body", "Please find our report attached.",
                           "--attach", Page0, "--attach", Page1}));
    EXPECT_EQ(QImage(Page1, "GIF").size(), QSize(794, 1123));
}

TEST_F(PreviewWindow, PrintingFromThePreviewComesBackToItsOwnPages)
{
    const QString Pdf = TestFolder() + "from-preview.pdf";
    TPdfPrinter Printer(Pdf);
    Open(100);
    Click("MarginsBtn");
    Click("PrintBtn");
    EXPECT_EQ(PdfPages(Pdf), 2);
    EXPECT_EQ(PdfTitle(Pdf), "Preview test");
    EXPECT_FALSE(Form->MarginsVisible());
    EXPECT_FALSE(Form->Printing);
    EXPECT_EQ(Form->PageWidth, 798);
    EXPECT_EQ(Form->PageCount(), 2);
}

TEST_F(PreviewWindow, AChosenFontRedrawsAndIsKept)
{
    NoPrinter();
    Open(5);
    TUiServices Services = StrictUiServices();
    Services.ChooseFont = [](QWidget*, QFont& Font) {
        Font = QFont("Liberation Serif", 12);
        return true;
    };
    TScopedUiServices Installed(Services);
    Click("FontBtn");
    EXPECT_TRUE(Form->FontChanged);
    EXPECT_EQ(KeptReportLayout().Font.pointSize(), 12);
    EXPECT_EQ(DrawnPage(Form->Page(0)).Find("Row 1")->Font.family(), "Liberation Serif");
}
