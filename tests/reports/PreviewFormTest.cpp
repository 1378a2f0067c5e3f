#include "reports/PreviewForm.h"

#include "foundation/SettingsStore.h"
#include "platform/MapiControl.h"
#include "reports/GifWriter.h"
#include "reports/PageView.h"
#include "reports/ReportPage.h"
#include "reports/StdReport.h"
#include "tests/reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>


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

    void Click(const char* Tool) { Form->findChild<QAction*>(Tool)->trigger(); }

    // A mouse event at a point of the page picture.
    void Mouse(QEvent::Type Type, QPoint At, Qt::MouseButtons Buttons, Qt::MouseButton Button)
    {
        TPageView* View = Form->PageView();
        const QPointF Pos = At + View->Origin();
        QMouseEvent Event(Type, Pos, View->mapToGlobal(Pos), Button, Buttons, Qt::NoModifier);
        QApplication::sendEvent(View, &Event);
    }

    // Presses at From, moves to To; Release lets go there.
    void Drag(QPoint From, QPoint To)
    {
        Mouse(QEvent::MouseButtonPress, From, Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseMove, To, Qt::LeftButton, Qt::NoButton);
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
    Drag(QPoint(300, Form->Position[rlTopMargin] + 3), QPoint(300, 700));
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
    for (const bool Stop1Shown : {true, false}) {
        SCOPED_TRACE(Stop1Shown);
        ReportLines()[rlX1].Shown = Stop1Shown;
        Click("DefaultMarginsBtn");
        const int Stop2 = Form->Position[rlX1 + 1];
        Drag(QPoint(Stop2 + 2, 600), QPoint(Stop2 + 40, 600));
        EXPECT_EQ(Form->Position[rlX1 + 1] != Stop2, Stop1Shown);
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
    EXPECT_EQ(Form->PageView()->Picture().size(), QSize(798, 1140));

    QScrollBar* Bar = Form->ScrollBox()->verticalScrollBar();
    const int Client = Form->ScrollBox()->viewport()->height();
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

TEST_F(PreviewWindow, GifExportStacksThePagesKeepsTheLogoNameAndRefusesOversizedReports)
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
        return Answers.isEmpty() ? DataFolder() + "Long.gif" : Answers.takeFirst();
    };
    TRecordedMessages Messages(Services);
    auto Installed = Messages.Install();
    Click("GifBtn");
    EXPECT_EQ(Messages.Texts, QStringList{"Sorry, ReportLogo.gif is a reserved filename"});
    ASSERT_EQ(Folders.size(), 2);
    EXPECT_EQ(QDir(Folders[0]), QDir(DataFolder()));
    EXPECT_FALSE(QFile::exists(DataFolder() + "ReportLogo.gif"));
    EXPECT_EQ(QImage(DataFolder() + "Out.gif", "GIF").size(), QSize(794, 2 * 1123));

    // Sixty pages stacked pass the 65535 pixels a GIF holds.
    Messages.Texts.clear();
    Form->close();
    Open(60 * 75);
    ASSERT_GT(Form->PageCount() * 1123, MaxGifSide);
    Click("GifBtn");
    ASSERT_EQ(Messages.Texts.size(), 1);
    EXPECT_TRUE(Messages.Texts[0].contains("too long for one GIF picture"));
    EXPECT_FALSE(QFile::exists(DataFolder() + "Long.gif"));
}

TEST_F(PreviewWindow, MailsThePagesAsGifFilesFromTheDataFolder)
{
    NoPrinter();
    qputenv(MailCommandVariable, "/bin/true");
    Open(100);
    Click("MailBtn");
    qunsetenv(MailCommandVariable);
    const TMapiControl& Mail = Form->Mail();
    EXPECT_EQ(Mail.Subject, "Report...");
    EXPECT_EQ(Mail.Body, "Please find our report attached.");
    const QString Page1 = QDir(DataFolder()).filePath("page1.gif");
    EXPECT_EQ(Mail.AttachedFiles, QStringList({QDir(DataFolder()).filePath("page0.gif"), Page1}));
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
    EXPECT_EQ(Form->PageWidth, 798); // not the printer's pixels
    EXPECT_EQ(Form->PageCount(), 2);
}
