#include "reports/StdReport.h"

#include "foundation/SettingsStore.h"
#include "document/DocumentProperties.h"
#include "reports/GifWriter.h"
#include "reports/PreviewForm.h"
#include "reports/ReportDrawing.h"
#include "reports/ReportPage.h"
#include "reports/ReportPrinter.h"
#include "tests/FileSizeLimit.h"
#include "tests/reports/ReportTestSupport.h"
#include "tests/support/PdfReadBack.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QPrinter>

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

    // A body of Count one-cell rows "Row n".
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

QString DateText(const QDate& Date)
{
    return QLocale::system().toString(Date, QLocale::ShortFormat);
}

} // namespace

TEST_F(StdReportTest, TheLetterheadFallsBackToTheCommonDataFolderThenToABlankLine)
{
    struct TCase {
        const char* Common; // the common data folder's Letterhead.txt, or none
        QStringList Top;    // the first texts of the page
    };
    const TCase Cases[] = {
        {nullptr, {" ", DateText(QDate::currentDate())}},
        {"Ducts & Co\r\nHigh Street 1\r\n", {"Ducts & Co", "High Street 1", DateText(QDate::currentDate())}},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Top.first().toStdString());
        QFile File(CommonDataFolder() + "Letterhead.txt");
        if (Case.Common && File.open(QIODevice::WriteOnly))
            File.write(Case.Common);
        File.close();
        StdReportLoadLetterhead(R, TestFolder() + "missing.txt", QString(), false, 4, 1);
        Preview(Rows(1));
        const TDrawnPage Page = DrawnPage(Form->Page(0));
        ASSERT_GE(Page.Texts.size(), size_t(Case.Top.size()));
        EXPECT_EQ(Page.TextList().mid(0, Case.Top.size()), Case.Top);
        EXPECT_EQ(Page.Texts[0].Font.pointSize(), 10);
        for (const TDrawnText& Text : std::vector(Page.Texts.begin(), Page.Texts.begin() + Case.Top.size()))
            EXPECT_TRUE(Text.Font.bold());
        EXPECT_GT(Page.Texts[1].Baseline.y(), Page.Texts[0].Baseline.y());
        QFile::remove(File.fileName());
    }
}

TEST_F(StdReportTest, LogosAreReadByTheirExtensionOnTheFirstPageOnly)
{
    QImage Logo(40, 20, QImage::Format_RGB32);
    Logo.fill(Qt::red);
    struct TCase {
        const char* File;
        const char* Format; // as written; null for a damaged file
        bool Drawn;
    };
    const TCase Cases[] = {
        {"logo.jpg", "JPEG", true}, {"logo.gif", "GIF", true},      {"logo.bmp", "BMP", true},
        {"logo.dat", "BMP", true},  {"png-as.jpg", "PNG", false},   {"broken.gif", nullptr, false},
    };
    TRecordedMessages Messages; // an unreadable logo is skipped without a message
    auto Installed = Messages.Install();
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.File);
        const QString Path = TestFolder() + Case.File;
        QFile Broken(Path);
        const bool Written = Case.Format == nullptr ? Broken.open(QIODevice::WriteOnly) && Broken.write("GIF89a x") > 0
                             : Case.Format == std::string("GIF") ? WriteGifFile(Logo, Path)
                                                                 : Logo.save(Path, Case.Format);
        ASSERT_TRUE(Written);
        Broken.close();
        StdReportSetLetterhead({"Firm"}, Path, false, 4, 1);
        Preview(Rows(120));
        ASSERT_GE(Form->PageCount(), 2);
        const TDrawnPage First = DrawnPage(Form->Page(0));
        ASSERT_EQ(First.Pictures.size(), Case.Drawn ? 1u : 0u);
        if (Case.Drawn) { // four centimetres wide at the right edge
            EXPECT_EQ(First.Pictures[0], QRectF(Form->Position[rlRightMargin] - 4 * 38,
                                                Form->Position[rlTopMargin], 4 * 38, 2 * 38));
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
    const QString Date = DateText(QDate(2023, 3, 15));
    const QStringList First = DrawnPage(Form->Page(0)).TextList();
    const QStringList Second = DrawnPage(Form->Page(1)).TextList();
    EXPECT_EQ(First.mid(1, 8), QStringList({Date, "Duct report", "Second title", "Branches", "P-17",
                                            "North wing", "Level 2", "Row 1"}));
    EXPECT_EQ(Second[0], "Branches");
    EXPECT_TRUE(Second[1].startsWith("Row "));
    for (const QString& OnlyFirst : {Date, QString("Duct report"), QString("P-17")})
        EXPECT_FALSE(Second.contains(OnlyFirst)) << OnlyFirst.toStdString();
}

TEST_F(StdReportTest, ThePrintedSubHeaderStandsClearOfTheLineAfterIt)
{
    const QString Pdf = TestFolder() + "subheader.pdf";
    TPdfPrinter Printer(Pdf);
    TDocumentProperties Properties;
    Properties.ProjectNumber = "P-42";
    ASSERT_TRUE(ShowStdReport(R, Rows(1), {"Network report"}, {"Plant room"}, &Properties));
    StdReportPrint();
    const std::vector<TPdfWord> Words = PdfWords(Pdf, 1);
    const TPdfWord* SubHeader = FindPdfWord(Words, "Plant");
    const TPdfWord* Number = FindPdfWord(Words, "P-42");
    ASSERT_NE(SubHeader, nullptr);
    ASSERT_NE(Number, nullptr);
    // A blank line between them, as after the header's first line.
    EXPECT_GT(Number->Box.top() - SubHeader->Box.bottom(), 0.5 * Number->Box.height())
        << "sub-header bottom " << SubHeader->Box.bottom() << ", project number top " << Number->Box.top();
}

TEST_F(StdReportTest, AHeadingNeverStartsWithFewerThanFourLinesLeft)
{
    for (const int LinesLeft : {3, 4}) {
        SCOPED_TRACE(LinesLeft);
        TPreviewForm& E = *Form;
        Preview([&] {
            while (E.PenPos.y() + (LinesLeft + 1) * E.LineHeight <= E.TextLimitF)
                E.SkipLines(1);
            ASSERT_LE(E.PenPos.y() + LinesLeft * E.LineHeight, E.TextLimitF);
            StdReportHeading(R, "Heading", fsBold, 1);
        });
        const int Page = LinesLeft == 3 ? 1 : 0;
        ASSERT_EQ(Form->PageCount(), Page + 1);
        const TDrawnText* Heading = DrawnPage(Form->Page(Page)).Find("Heading");
        ASSERT_NE(Heading, nullptr);
        EXPECT_TRUE(Heading->Font.bold());
        EXPECT_EQ(Heading->Font.pointSize(), 9);
    }
}

// A cell wider than its column wraps within it (a word too long for it is
// broken at the column's edge) and its row grows: nothing is drawn past the
// next column, nothing is lost, and the next row starts below it.
TEST_F(StdReportTest, AWideCellWrapsWithinItsColumnAndItsRowGrows)
{
    const QString Wide(60, 'W');
    Preview([&] {
        StdReportTableRow(R, {Wide, ""}, {rlLeftMargin, rlX1});
        StdReportTableRow(R, {"A", "Next"}, {rlLeftMargin, rlX1});
    });
    const QImage Page = Form->PageImage(0);
    const TDrawnPage Drawn = DrawnPage(Form->Page(0));
    QString Joined;
    std::vector<double> Baselines;
    for (const TDrawnText& T : Drawn.Texts)
        if (!T.Text.isEmpty() && T.Text.count('W') == T.Text.size()) {
            Joined += T.Text;
            Baselines.push_back(T.Baseline.y());
        }
    EXPECT_EQ(Joined, Wide);
    ASSERT_GE(Baselines.size(), 2u);
    const int Top = qRound(Baselines.front()) - 8;
    const int Bottom = qRound(Baselines.back()) + 2;
    const auto Ink = [&Page, Top, Bottom](int X0, int X1) {
        int Count = 0;
        for (int y = Top; y < Bottom; ++y)
            for (int x = X0; x < X1; ++x)
                Count += qGray(Page.pixel(x, y)) < 160;
        return Count;
    };
    const int Stop = Form->Position[rlX1];
    EXPECT_GT(Ink(Form->Position[rlLeftMargin], Stop), 50);
    EXPECT_EQ(Ink(Stop, Form->Position[rlRightMargin]), 0);
    const TDrawnText* Next = Drawn.Find("Next");
    ASSERT_NE(Next, nullptr);
    EXPECT_EQ(qRound(Next->Baseline.x()), Stop);
    EXPECT_GT(Next->Baseline.y(), Baselines.back());
}

TEST_F(StdReportTest, EachCopyIsAPrintJobOfItsOwn)
{
    const QString Pdf = TestFolder() + "copies.pdf";
    TPdfPrinter Printer(Pdf);
    ReportPrinter().setCopyCount(3);
    QStringList Jobs; // title, pages and whether the last row is there, per job
    Form->AfterPrintJob = [&] {
        Jobs << QString("%1 %2 %3").arg(PdfTitle(Pdf)).arg(PdfPages(Pdf)).arg(PdfPageText(Pdf, 1).contains("Row 2"));
    };
    ASSERT_TRUE(ShowStdReport(R, Rows(2), {"Network report", "Part two"}, {}));
    StdReportPrint();
    EXPECT_EQ(Jobs, QStringList(3, "Network report 1 1"));
    EXPECT_EQ(ReportPrinter().copyCount(), 3);
    EXPECT_FALSE(Form->Printing);
}

TEST_F(StdReportTest, PrintingWithoutAPrinterAsksForOneFirst)
{
    ASSERT_TRUE(ShowStdReport(R, Rows(1), {"Report"}, {}));
    int Jobs = 0;
    Form->AfterPrintJob = [&] { ++Jobs; };
    for (const QString& Chosen : {QString(), TestFolder() + "chosen.pdf"}) {
        NoPrinter();
        TUiServices Services = StrictUiServices();
        Services.PrintSetup = [&](QWidget*, QPrinter& Printer) {
            Printer.setOutputFileName(Chosen);
            return true;
        };
        TRecordedMessages Messages(Services);
        auto Installed = Messages.Install();
        StdReportPrint();
        EXPECT_EQ(Messages.Texts, Chosen.isEmpty() ? QStringList{"Printer not found"} : QStringList());
    }
    EXPECT_EQ(Jobs, 1);
    NoPrinter();
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

TEST(ReportMargins, RoundTripAndDamagedValues)
{
    SetReportColumnStops({4, 6, 7.5, 10, 11, 13});
    TKeptReportLayout& Kept = KeptReportLayout();
    Kept = {DefaultReportLayout(), QFont("Liberation Serif", 11), QColor(Qt::black), 1};
    Kept.Layout.TopMargin() = 14.868421052631579;
    Kept.Layout.Stop(8) = 0.1;
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

    for (const char* Damaged : {"abc", "nan", "inf", "-1", "1e400", "200", "", "2,5"}) {
        SCOPED_TRACE(Damaged);
        for (int i = 0; i < ReportLineCount; ++i)
            Store.WriteString("Report", ReportLayoutValueName(i), Damaged);
        Store.WriteString("Report", "Zoom", "7");
        LoadReportMargins(Store);
        EXPECT_EQ(Kept.Layout.Values,
                  (std::array<double, ReportLineCount>{2.5, 2.5, 2.5, 2.5, 4, 6, 7.5, 10, 11, 13, 16, 17}));
        EXPECT_EQ(Kept.Zoom, 0);
    }
}

TEST_F(StdReportTest, APdfIsWrittenWholeOrNotAtAll)
{
    const QString Pdf = TestFolder() + "whole/report.pdf";
    ASSERT_TRUE(QDir().mkpath(TestFolder() + "whole"));
    QFile Older(Pdf);
    ASSERT_TRUE(Older.open(QIODevice::WriteOnly) && Older.write("older") == 5);
    Older.close();
    TPdfPrinter Printer(Pdf);
    ASSERT_TRUE(ShowStdReport(R, Rows(200), {"Report"}, {}));
    for (const bool DiskFull : {true, false}) { // and the next print of the session
        SCOPED_TRACE(DiskFull ? "disk full" : "room again");
        TRecordedMessages Messages;
        auto Installed = Messages.Install();
        {
            TFileSizeLimit Room(DiskFull ? 8192 : RLIM_INFINITY);
            StdReportPrint();
        }
        EXPECT_EQ(QDir(TestFolder() + "whole").entryList(QDir::Files | QDir::Hidden), QStringList{"report.pdf"});
        if (DiskFull) {
            ASSERT_EQ(Messages.Texts.size(), 1);
            EXPECT_TRUE(Messages.Texts[0].startsWith("Error printing to " + Pdf + "\n")) << Messages.Texts[0].toStdString();
            EXPECT_GT(Messages.Texts[0].size(), ("Error printing to " + Pdf + "\n").size());
            ASSERT_TRUE(Older.open(QIODevice::ReadOnly));
            EXPECT_EQ(Older.readAll(), "older");
            Older.close();
        } else {
            EXPECT_EQ(Messages.Texts, QStringList());
            EXPECT_TRUE(PdfPageText(Pdf, PdfPages(Pdf)).contains("Row 200"));
        }
    }
}
