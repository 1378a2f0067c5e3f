#include "reports/PreviewForm.h"

#include "foundation/SettingsStore.h"
#include "reports/ReportDrawing.h"
#include "reports/ReportPage.h"
#include "tests/reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

#include <limits>
#include <stdexcept>

TEST(PreviewEngine, OnlyReportsOfSeveralPagesAreNumbered)
{
    TMemorySettingsStore Store;
    for (const int Pages : {1, 2}) {
        SCOPED_TRACE(Pages);
        NoPrinter();
        const int Lines = Pages == 1 ? 10 : 100;
        auto Form = LinesReport(Store, Lines);
        Form->DoReport();
        ASSERT_EQ(Form->PageCount(), Pages);
        for (int p = 0; p < Pages; ++p)
            EXPECT_EQ(DrawnPage(Form->Page(p)).TextList().filter(QRegularExpression("^- \\d+ -$")),
                      Pages == 1 ? QStringList() : QStringList{QString("- %1 -").arg(p + 1)});

        // The same on paper.
        const QString Pdf = TestFolder() + QString("lines%1.pdf").arg(Lines);
        TPdfPrinter Printer(Pdf);
        Form->Printing = true;
        ASSERT_TRUE(Form->BeginDoc());
        Form->DoReport();
        Form->EndDoc();
        ASSERT_EQ(PdfPages(Pdf), Pages);
        for (int p = 1; p <= Pages; ++p) // pdftotext drops the narrow blanks of "- n -"
            EXPECT_EQ(PdfPageText(Pdf, p).remove(' ').contains(QString("-%1-").arg(p)), Pages > 1);
        EXPECT_TRUE(PdfPageText(Pdf, Pages).contains(QString("Line %1").arg(Lines)));
    }
}

TEST(PreviewEngine, PageSizeFollowsThePrinterInWholeCentimetres)
{
    TMemorySettingsStore Store;
    auto Form = LinesReport(Store, 1);
    NoPrinter();
    Form->DoReport();
    EXPECT_EQ(Form->Page(0).PageSize(), QSize(794, 1123));
    EXPECT_EQ(Form->StatusPanel(1), "Printer not found");
    Form->Landscape = true;
    Form->DoReport();
    EXPECT_EQ(Form->Page(0).PageSize(), QSize(1123, 794));
    Form->Landscape = false;

    TPdfPrinter Printer(TestFolder() + "size.pdf");
    Form->DoReport();
    EXPECT_EQ(Form->Page(0).PageSize(), QSize(798, 1140));
    EXPECT_EQ(Form->StatusPanel(1), Printer.FileName());
    // Margins use the unrounded scale (37.795), column stops the rounded one.
    EXPECT_EQ(Form->Position[rlLeftMargin], 94);
    EXPECT_EQ(Form->Position[rlBottomMargin], 1140 - 94);
    EXPECT_EQ(Form->Position[rlX1], qRound(38 * Form->Layout.Values[rlX1]));
}

TEST(PreviewEngine, LayoutsThatLeaveNoTextTakeTheDefaults)
{
    NoPrinter();
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    struct TCase {
        const char* Name;
        int Index;
        double Value;
    };
    const TCase Cases[] = {
        {"top margin not a number", rlTopMargin, NaN},
        {"left margin infinite", rlLeftMargin, std::numeric_limits<double>::infinity()},
        {"negative bottom margin", rlBottomMargin, -3},
        {"top margin below the bottom one", rlTopMargin, 28},
        {"right margin across the page", rlRightMargin, 1e300},
        {"stop off the paper", rlX1 + 2, 400},
        {"stop not a number", rlX1, NaN},
    };
    TMemorySettingsStore Store;
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        auto Form = LinesReport(Store, 3);
        const TReportLayout Default = Form->Layout;
        Form->Layout.Values[Case.Index] = Case.Value;
        Form->DoReport();
        EXPECT_EQ(Form->Layout.Values[Case.Index], Default.Values[Case.Index]);
        EXPECT_EQ(Form->Position[rlTopMargin], qRound(2.5 * Form->PpcmYf));
        EXPECT_NE(DrawnPage(Form->Page(0)).Find("Line 3"), nullptr);
    }
}

TEST(PreviewEngine, APageHeaderNeverBreaksItsOwnPage)
{
    NoPrinter();
    TMemorySettingsStore Store;
    auto Form = LinesReport(Store, 100);
    int Headers = 0;
    Form->PageHeader = [&](bool) {
        ++Headers;
        for (int i = 0; i < 200; ++i) { // taller than the page: runs over, no recursion
            Form->CheckPageBreak(1);
            Form->SkipLines(1);
        }
    };
    Form->DoReport();
    EXPECT_EQ(Form->PageCount(), 101); // each body line then starts a page
    EXPECT_EQ(Headers, 101);
}

TEST(PreviewEngine, PrintingWithoutAJobReportsBothFailures)
{
    NoPrinter();
    TMemorySettingsStore Store;
    TRecordedMessages Messages;
    auto Installed = Messages.Install();
    auto Form = LinesReport(Store, 3);
    Form->Printing = true; // without an open print job
    Form->DoReport();
    EXPECT_EQ(Messages.Texts, QStringList({"Setup error...", "Report write error..."}));
    EXPECT_FALSE(HaveReportCanvas());
}

TEST(PreviewEngine, ReportsDrawThroughThePreviewMadeLastAndNeedOne)
{
    TMemorySettingsStore Store;
    {
        auto First = LinesReport(Store, 1);
        auto Last = LinesReport(Store, 1);
        EXPECT_EQ(&ReportEngine(), Last.get());
    }
    EXPECT_EQ(PreviewForm(), nullptr);
    EXPECT_THROW(ReportEngine(), std::logic_error);
    EXPECT_THROW(DrawDateRight("1 May"), std::logic_error);
}
