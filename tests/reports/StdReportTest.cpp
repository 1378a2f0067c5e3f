#include "reports/StdReport.h"

#include "foundation/SettingsStore.h"
#include "network/DocumentProperties.h"
#include "reports/GifWriter.h"
#include "reports/PreviewForm.h"
#include "reports/ReportDrawing.h"
#include "reports/ReportPage.h"
#include "reports/ReportPrinter.h"
#include "tests/reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QPrinter>
#include <QTreeWidget>

#include <cmath>
#include <limits>

namespace {

class StdReportTest : public testing::Test {
protected:
    void SetUp() override
    {
        NoPrinter();
        SetReportColumnStops({4, 6, 7.5, 10, 11, 13});
        KeptReportLayout() = {DefaultReportLayout(), QFont("Arial", 8), QColor(Qt::black), 0};
        Form = std::make_unique<TPreviewForm>(Store);
        QFile::remove(CommonDataFolder() + "Letterhead.txt");
        QFile::remove(CommonDataFolder() + "ReportLogo.gif");
        StdReportLoadLetterhead(R, QString(), QString(), false, 4, 1);
    }

    // Shows Body as a standard report in the preview.
    void Preview(std::function<void()> Body, const QStringList& Header = {"Title"},
                 const QStringList& SubHeader = {}, const TDocumentProperties* Properties = nullptr)
    {
        ASSERT_TRUE(ShowStdReport(R, std::move(Body), Header, SubHeader, Properties));
        LoadPreviewLayout();
        Form->DoReport();
    }

    // A body of Count plain headings "Row n".
    std::function<void()> Rows(int Count)
    {
        return [this, Count] {
            for (int i = 1; i <= Count; ++i)
                StdReportTableRow(R, {QString("Row %1").arg(i)}, {rlLeftMargin});
        };
    }

    TMemorySettingsStore Store;
    std::unique_ptr<TPreviewForm> Form;
    TStdReport& R = StdReport();
};

QString Today()
{
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

} // namespace

TEST_F(StdReportTest, WithoutALetterheadThePageStartsWithABlankBoldLineThenTheDate)
{
    Preview(Rows(1));
    const TDrawnPage Page = DrawnPage(Form->Page(0));
    ASSERT_GE(Page.Texts.size(), 3u);
    EXPECT_EQ(Page.Texts[0].Text, " ");
    EXPECT_TRUE(Page.Texts[0].Font.bold());
    EXPECT_EQ(Page.Texts[1].Text, Today());
    EXPECT_TRUE(Page.Texts[1].Font.bold());
    EXPECT_GT(Page.Texts[1].Baseline.y(), Page.Texts[0].Baseline.y());
    EXPECT_TRUE(Page.Pictures.empty());
    // The date ends at the right edge.
    const double Width = QFontMetricsF(Page.Texts[1].Font, &Form->Page(0)).horizontalAdvance(Today());
    EXPECT_NEAR(Page.Texts[1].Baseline.x() + Width, Form->Position[rlRightMargin], 1.5);
}

TEST_F(StdReportTest, LetterheadFromTheCommonDataFolder)
{
    QFile File(CommonDataFolder() + "Letterhead.txt");
    ASSERT_TRUE(File.open(QIODevice::WriteOnly));
    File.write("Ducts & Co\r\nHigh Street 1\r\n");
    File.close();
    StdReportLoadLetterhead(R, TestFolder() + "missing.txt", QString(), false, 4, 1);
    Preview(Rows(1));
    const TDrawnPage Page = DrawnPage(Form->Page(0));
    ASSERT_GE(Page.Texts.size(), 3u);
    EXPECT_EQ(Page.TextList().mid(0, 3), QStringList({"Ducts & Co", "High Street 1", Today()}));
    EXPECT_EQ(Page.Texts[0].Font.pointSize(), 10);
    EXPECT_EQ(Page.Texts[1].Font.pointSize(), 8);
}

TEST_F(StdReportTest, LogosAreReadByTheirExtensionOnTheFirstPageOnly)
{
    QImage Logo(40, 20, QImage::Format_RGB32);
    Logo.fill(Qt::red);
    struct TCase {
        const char* File;
        const char* Format; // how the file is written
        bool Drawn;
    };
    const TCase Cases[] = {
        {"logo.jpg", "JPEG", true},
        {"logo.gif", "GIF", true},
        {"logo.bmp", "BMP", true},
        {"logo.dat", "BMP", true},    // other extensions are bitmaps
        {"png-as.jpg", "PNG", false}, // not JPEG: skipped without a message
        {"broken.gif", nullptr, false},
    };
    TRecordedMessages Messages;
    auto Installed = Messages.Install();
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.File);
        const QString Path = TestFolder() + Case.File;
        if (Case.Format == nullptr) {
            QFile Broken(Path);
            ASSERT_TRUE(Broken.open(QIODevice::WriteOnly));
            Broken.write("GIF89a broken");
        } else if (Case.Format == std::string("GIF")) {
            ASSERT_TRUE(WriteGifFile(Logo, Path));
        } else {
            ASSERT_TRUE(Logo.save(Path, Case.Format));
        }
        StdReportSetLetterhead({"Firm"}, Path, false, 4, 1);
        Preview(Rows(120));
        ASSERT_GE(Form->PageCount(), 2);
        const TDrawnPage First = DrawnPage(Form->Page(0));
        ASSERT_EQ(First.Pictures.size(), Case.Drawn ? 1u : 0u);
        if (Case.Drawn) {
            // Four centimetres wide at the right edge, height by aspect.
            EXPECT_EQ(First.Pictures[0].width(), 4 * Form->PpcmX);
            EXPECT_EQ(First.Pictures[0].height(), 2 * Form->PpcmX);
            EXPECT_EQ(First.Pictures[0].right(), Form->Position[rlRightMargin]);
        }
        EXPECT_TRUE(DrawnPage(Form->Page(1)).Pictures.empty());
    }
    EXPECT_TRUE(Messages.Texts.isEmpty());
}

TEST_F(StdReportTest, HeaderLinesOnTheFirstPageSubHeaderOnEvery)
{
    TDocumentProperties Properties;
    Properties.ProjectNumber = "P-17";
    Properties.Description = "North wing\nLevel 2";
    Properties.Date = 45000; // 15 March 2023
    Preview(Rows(120), {"Duct report", "Second title"}, {"Branches"}, &Properties);
    ASSERT_EQ(Form->PageCount(), 2);
    const QString Date = QLocale::system().toString(QDate(2023, 3, 15), QLocale::ShortFormat);
    const QStringList First = DrawnPage(Form->Page(0)).TextList();
    const QStringList Second = DrawnPage(Form->Page(1)).TextList();
    const QStringList Header = {Date, "Duct report", "Second title", "Branches", "P-17",
                                "North wing", "Level 2", "Row 1"};
    EXPECT_EQ(First.mid(1, Header.size()), Header);
    EXPECT_EQ(Second.mid(0, 2), QStringList({"Branches", Second[1]}));
    EXPECT_TRUE(Second[1].startsWith("Row "));
    for (const QString& OnlyFirst : {Date, QString("Duct report"), QString("P-17")})
        EXPECT_FALSE(Second.contains(OnlyFirst)) << OnlyFirst.toStdString();
}

TEST_F(StdReportTest, AHeadingNeverStartsWithFewerThanFourLinesLeft)
{
    struct TCase {
        int LinesLeft;
        int HeadingPage;
    };
    for (const TCase Case : {TCase{3, 1}, TCase{4, 0}}) {
        SCOPED_TRACE(Case.LinesLeft);
        TPreviewForm& E = *Form;
        Preview([&] {
            while (E.PenPos.y() + (Case.LinesLeft + 1) * E.LineHeight <= E.TextLimitF)
                E.SkipLines(1);
            ASSERT_LE(E.PenPos.y() + Case.LinesLeft * E.LineHeight, E.TextLimitF);
            StdReportHeading(R, "Heading", fsBold, 1);
        });
        ASSERT_EQ(Form->PageCount(), Case.HeadingPage + 1);
        const TDrawnText* Heading = DrawnPage(Form->Page(Case.HeadingPage)).Find("Heading");
        ASSERT_NE(Heading, nullptr);
        EXPECT_TRUE(Heading->Font.bold());
        EXPECT_EQ(Heading->Font.pointSize(), 9);
    }
}

TEST_F(StdReportTest, ACellIsCutAtTheNextColumn)
{
    Preview([this] {
        StdReportTableRow(R, {QString(60, 'W'), ""}, {rlLeftMargin, rlX1});
        StdReportTableRow(R, {"A", "Next"}, {rlLeftMargin, rlX1});
    });
    const QImage Page = Form->PageImage(0);
    const TDrawnPage Drawn = DrawnPage(Form->Page(0));
    const TDrawnText* Wide = Drawn.Find(QString(60, 'W'));
    ASSERT_NE(Wide, nullptr);
    const int Top = qRound(Wide->Baseline.y()) - 8;
    const auto InkIn = [&Page](int X0, int X1, int Y0, int Y1) {
        int Ink = 0;
        for (int y = Y0; y < Y1; ++y)
            for (int x = X0; x < X1; ++x)
                Ink += qGray(Page.pixel(x, y)) < 160;
        return Ink;
    };
    const int Stop = Form->Position[rlX1];
    EXPECT_GT(InkIn(Form->Position[rlLeftMargin], Stop, Top, Top + 10), 50);
    EXPECT_EQ(InkIn(Stop, Form->Position[rlRightMargin], Top, Top + 10), 0);
    // The next row's cell starts at the stop.
    const TDrawnText* Next = Drawn.Find("Next");
    ASSERT_NE(Next, nullptr);
    EXPECT_EQ(qRound(Next->Baseline.x()), Stop);
}

TEST_F(StdReportTest, EachCopyIsAPrintJobOfItsOwn)
{
    const QString Pdf = TestFolder() + "copies.pdf";
    TPdfPrinter Printer(Pdf);
    ReportPrinter().setCopyCount(3);
    struct TJob {
        int Pages;
        QString Title;
        QString Text;
    };
    std::vector<TJob> Jobs;
    Form->AfterPrintJob = [&] {
        Jobs.push_back({PdfPages(Pdf), PdfTitle(Pdf), PdfPageText(Pdf, 1)});
    };
    ASSERT_TRUE(ShowStdReport(R, Rows(2), {"Network report", "Part two"}, {}));
    StdReportPrint();
    ASSERT_EQ(Jobs.size(), 3u);
    for (const TJob& Job : Jobs) {
        EXPECT_EQ(Job.Pages, 1);
        EXPECT_EQ(Job.Title, "Network report");
        EXPECT_TRUE(Job.Text.contains("Row 2"));
    }
    EXPECT_EQ(ReportPrinter().copyCount(), 3);
    EXPECT_FALSE(Form->Printing);
}

TEST_F(StdReportTest, PrintingWithoutAPrinterAsksForOneFirst)
{
    ASSERT_TRUE(ShowStdReport(R, Rows(1), {"Report"}, {}));
    int Jobs = 0;
    Form->AfterPrintJob = [&] { ++Jobs; };
    struct TCase {
        const char* Name;
        bool Accept;
        QString File;
        int Jobs;
        QStringList Messages;
    };
    const TCase Cases[] = {
        {"set-up cancelled", false, QString(), 0, {}},
        {"set-up names no printer", true, QString(), 0, {"Printer not found"}},
        {"set-up names a PDF file", true, TestFolder() + "chosen.pdf", 1, {}},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        NoPrinter();
        Jobs = 0;
        int SetUps = 0;
        TUiServices Services = StrictUiServices();
        Services.PrintSetup = [&](QWidget*, QPrinter& Printer) {
            ++SetUps;
            Printer.setOutputFileName(Case.File);
            return Case.Accept;
        };
        TRecordedMessages Messages(Services);
        auto Installed = Messages.Install();
        StdReportPrint();
        EXPECT_EQ(SetUps, 1);
        EXPECT_EQ(Jobs, Case.Jobs);
        EXPECT_EQ(Messages.Texts, Case.Messages);
    }
    NoPrinter();
}

TEST_F(StdReportTest, AListViewPrintsItsCaptionsUnderlinedThenItsItems)
{
    QTreeWidget List;
    List.setHeaderLabels({"Code", "Fitting", "C"});
    new QTreeWidgetItem(&List, QStringList{"CR3-1", "Elbow", "0.25"});
    new QTreeWidgetItem(&List, QStringList{"SR5-13", "Tee", "0.9"});
    Preview([&] { StdReportListViewTable(R, List, 2, {rlLeftMargin, rlX1}); });
    const TDrawnPage Page = DrawnPage(Form->Page(0));
    const QStringList Texts = Page.TextList();
    const int First = Texts.indexOf("Code");
    ASSERT_GE(First, 0);
    EXPECT_EQ(Texts.mid(First), QStringList({"Code", "Fitting", "CR3-1", "Elbow", "SR5-13", "Tee"}));
    // An underline is ink right below the baseline across the text.
    const QImage Image = Form->PageImage(0);
    const auto Underlined = [&Image](const TDrawnText& Text) {
        const int X = qRound(Text.Baseline.x());
        for (int y = qRound(Text.Baseline.y()); y <= qRound(Text.Baseline.y()) + 3; ++y) {
            int Ink = 0;
            for (int x = X; x < X + 20; ++x)
                Ink += qGray(Image.pixel(x, y)) < 128;
            if (Ink == 20)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(Underlined(*Page.Find("Code")));
    EXPECT_FALSE(Underlined(*Page.Find("CR3-1")));
    EXPECT_EQ(qRound(Page.Find("Elbow")->Baseline.x()), Form->Position[rlX1]);
}

TEST_F(StdReportTest, ThePreviewRunsModallyAndLeavesThePrinterUpright)
{
    ASSERT_TRUE(ShowStdReport(R, Rows(3), {"Report"}, {}));
    ReportPrinter().setPageOrientation(QPageLayout::Landscape);
    Form->Landscape = true;
    int Pages = -1;
    TUiServices Services = StrictUiServices();
    Services.RunModal = [&](QDialog& Dialog) {
        Dialog.show(); // the window draws the report as it opens
        Pages = Form->PageCount();
        Dialog.reject();
        return int(mrCancel);
    };
    TScopedUiServices Installed(Services);
    StdReportShowPreview(R);
    EXPECT_EQ(Pages, 1);
    EXPECT_EQ(Form->PageCount(), 0); // closing frees the pages
    EXPECT_EQ(ReportPrinter().pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_FALSE(Form->Landscape);
}

TEST(StdReportWithoutEngine, IsRefusedWithAMessage)
{
    TRecordedMessages Messages;
    auto Installed = Messages.Install();
    StdReport().TableInProgress = true;
    EXPECT_FALSE(ShowStdReport(StdReport(), [] {}, {}, {}));
    EXPECT_EQ(Messages.Texts, QStringList{"Error initialising report"});
    EXPECT_FALSE(StdReport().TableInProgress);
}

TEST(ReportMargins, RoundTripThroughTheSettings)
{
    SetReportColumnStops({4, 6, 7.5, 10, 11, 13});
    TKeptReportLayout& Kept = KeptReportLayout();
    Kept.Layout = DefaultReportLayout();
    Kept.Layout.TopMargin() = 14.868421052631579;
    Kept.Layout.Stop(8) = 0.1;
    Kept.Zoom = 1;
    Kept.Font = QFont("Liberation Serif", 11);
    Kept.Font.setBold(true);
    const TKeptReportLayout Saved = Kept;
    TMemorySettingsStore Store;
    Store.WriteString("Report", "Stale", "x");
    SaveReportMargins(Store);
    EXPECT_FALSE(Store.ValueExists("Report", "Stale"));

    Kept = {};
    LoadReportMargins(Store);
    EXPECT_EQ(Kept.Layout, Saved.Layout);
    EXPECT_EQ(Kept.Zoom, 1);
    EXPECT_EQ(Kept.Font.family(), "Liberation Serif");
    EXPECT_EQ(Kept.Font.pointSize(), 11);
    EXPECT_TRUE(Kept.Font.bold());
}

TEST(ReportMargins, DamagedValuesTakeTheDefaults)
{
    SetReportColumnStops({4, 6, 7.5, 10, 11, 13});
    TMemorySettingsStore Store;
    const char* Damaged[] = {"abc", "nan", "inf", "-1", "1e400", "200", "", "2,5"};
    for (const char* Text : Damaged) {
        SCOPED_TRACE(Text);
        for (int i = 0; i < ReportLineCount; ++i)
            Store.WriteString("Report", ReportLayoutValueName(i), Text);
        Store.WriteString("Report", "Zoom", "7");
        KeptReportLayout().Layout.Values.fill(-5);
        LoadReportMargins(Store);
        EXPECT_EQ(KeptReportLayout().Layout, DefaultReportLayout());
        EXPECT_EQ(KeptReportLayout().Zoom, 0);
    }
    // Missing values are the defaults too.
    TMemorySettingsStore Empty;
    LoadReportMargins(Empty);
    EXPECT_EQ(KeptReportLayout().Layout.Values,
              (std::array<double, ReportLineCount>{2.5, 2.5, 2.5, 2.5, 4, 6, 7.5, 10, 11, 13, 16, 17}));
}
