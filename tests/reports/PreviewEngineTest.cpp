#include "reports/PreviewForm.h"

#include "foundation/SettingsStore.h"
#include "reports/ReportPage.h"
#include "reports/ReportText.h"
#include "tests/reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

// The footers ("- n -") a preview page carries.
QStringList Footers(const TPreviewForm& Form, int Page)
{
    return DrawnPage(Form.Page(Page)).TextList().filter(QRegularExpression("^- \\d+ -$"));
}

} // namespace

TEST(PreviewEngine, OnlyReportsOfSeveralPagesAreNumbered)
{
    struct TCase {
        int Lines;
        int Pages;
    };
    NoPrinter();
    TMemorySettingsStore Store;
    for (const TCase Case : {TCase{10, 1}, TCase{100, 2}}) {
        SCOPED_TRACE(Case.Lines);
        auto Form = LinesReport(Store, Case.Lines);
        Form->DoReport();
        ASSERT_EQ(Form->PageCount(), Case.Pages);
        for (int p = 0; p < Case.Pages; ++p)
            EXPECT_EQ(Footers(*Form, p),
                      Case.Pages == 1 ? QStringList() : QStringList{QString("- %1 -").arg(p + 1)});
        // The footer sits centred on the bottom edge.
        if (Case.Pages > 1) {
            const TDrawnText* Footer = DrawnPage(Form->Page(0)).Find("- 1 -");
            ASSERT_NE(Footer, nullptr);
            const double Middle = (Form->PositionF[rlLeftMargin] + Form->PositionF[rlRightMargin]) / 2;
            EXPECT_NEAR(Footer->Baseline.x(), Middle - QFontMetrics(Form->ReportFont, &Form->Page(0)).horizontalAdvance("- 1 -") / 2.0, 2);
            EXPECT_GT(Footer->Baseline.y(), Form->Position[rlBottomMargin]);
        }

        // The same report on paper.
        const QString Pdf = TestFolder() + QString("lines%1.pdf").arg(Case.Lines);
        TPdfPrinter Printer(Pdf);
        Form->Printing = true;
        ASSERT_TRUE(Form->BeginDoc());
        Form->DoReport();
        Form->EndDoc();
        ASSERT_EQ(PdfPages(Pdf), Case.Pages);
        for (int p = 1; p <= Case.Pages; ++p) {
            // pdftotext drops the narrow blanks of "- n -".
            const QString Text = PdfPageText(Pdf, p).remove(' ');
            EXPECT_EQ(Text.contains(QString("-%1-").arg(p)), Case.Pages > 1) << Text.toStdString();
        }
        EXPECT_TRUE(PdfPageText(Pdf, Case.Pages).contains(QString("Line %1").arg(Case.Lines)));
    }
}

TEST(PreviewEngine, PageSizeFollowsThePrinterInWholeCentimetres)
{
    TMemorySettingsStore Store;
    auto Form = LinesReport(Store, 1);
    {
        NoPrinter();
        Form->DoReport();
        EXPECT_EQ(Form->Page(0).PageSize(), QSize(794, 1123));
        EXPECT_EQ(Form->StatusPanel(1), "Printer not found");
        EXPECT_FALSE(Form->PrinterFound());
        Form->Landscape = true;
        Form->DoReport();
        EXPECT_EQ(Form->Page(0).PageSize(), QSize(1123, 794));
        Form->Landscape = false;
    }
    {
        TPdfPrinter Printer(TestFolder() + "size.pdf");
        Form->DoReport();
        EXPECT_EQ(Form->Page(0).PageSize(), QSize(798, 1140));
        EXPECT_EQ(Form->StatusPanel(1), Printer.FileName());
        EXPECT_EQ(Form->PpcmX, 38);
        EXPECT_NEAR(Form->PpcmXf, 37.795, 1e-3);
        // Margins use the unrounded scale, column stops the rounded one.
        EXPECT_EQ(Form->Position[rlLeftMargin], 94);
        EXPECT_EQ(Form->Position[rlX1], qRound(38 * Form->Layout.Values[rlX1]));
        EXPECT_EQ(Form->Position[rlBottomMargin], 1140 - 94);
    }
}

TEST(PreviewEngine, LayoutsThatLeaveNoTextTakeTheDefaults)
{
    NoPrinter();
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    const double Inf = std::numeric_limits<double>::infinity();
    struct TCase {
        const char* Name;
        int Index;
        double Value;
    };
    const TCase Cases[] = {
        {"top margin not a number", rlTopMargin, NaN},
        {"left margin infinite", rlLeftMargin, Inf},
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
        EXPECT_TRUE(DrawnPage(Form->Page(0)).Find("Line 3") != nullptr);
    }
}

TEST(PreviewEngine, APageHeaderNeverBreaksItsOwnPage)
{
    NoPrinter();
    TMemorySettingsStore Store;
    auto Form = LinesReport(Store, 100);
    TPreviewForm* Engine = Form.get();
    int Headers = 0;
    Form->PageHeader = [Engine, &Headers](bool) {
        ++Headers;
        // A header taller than the page: it runs over instead of recursing.
        for (int i = 0; i < 200; ++i) {
            Engine->CheckPageBreak(1);
            Engine->SkipLines(1);
        }
    };
    Form->DoReport();
    // Every body line starts a page of its own after such a header.
    EXPECT_EQ(Form->PageCount(), 101);
    EXPECT_EQ(Headers, 101);
}

TEST(PreviewEngine, FailuresAreReportedAndTheReportGoesOn)
{
    NoPrinter();
    TMemorySettingsStore Store;
    TRecordedMessages Messages;
    auto Installed = Messages.Install();
    auto Form = LinesReport(Store, 3);
    // Printing without an open print job.
    Form->Printing = true;
    Form->DoReport();
    EXPECT_EQ(Messages.Texts, QStringList({"Setup error...", "Report write error..."}));

    // A body that fails leaves the pages drawn so far.
    Messages.Texts.clear();
    Form->Printing = false;
    TPreviewForm* Engine = Form.get();
    Form->Body = [Engine] {
        TextOut(ReportCanvas(), Engine->PenPos.x(), Engine->PenPos.y(), "Before");
        throw std::runtime_error("broken body");
    };
    Form->DoReport();
    EXPECT_EQ(Messages.Texts, QStringList{"Report write error..."});
    ASSERT_EQ(Form->PageCount(), 1);
    EXPECT_NE(DrawnPage(Form->Page(0)).Find("Before"), nullptr);
    EXPECT_FALSE(HaveReportCanvas());
}
