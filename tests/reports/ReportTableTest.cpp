#include "reports/ReportTable.h"

#include "controls/ColGrid.h"
#include "foundation/SettingsStore.h"
#include "reports/PreviewForm.h"
#include "reports/ReportPage.h"
#include "reports/StdReport.h"
#include "tests/reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QRegularExpression>

#include <set>

namespace {

class TableReport : public testing::Test {
protected:
    void SetUp() override
    {
        NoPrinter();
        Form = std::make_unique<TPreviewForm>(Store);
        TPreviewForm* E = Form.get();
        // A plain page header: the table's own header row repeats on new pages.
        Form->PageHeader = [E](bool) {
            E->SkipLines(1);
            if (StdReport().TableInProgress)
                PrintTableHeaderRow();
        };
    }

    void Print(const std::vector<QStringList>& Rows)
    {
        Form->Body = [Rows] { PrintTable(StdReport(), Rows); };
        Form->DoReport();
    }

    // x of the vertical rules drawn on a page.
    static std::set<int> VerticalRules(const TDrawnPage& Page)
    {
        std::set<int> X;
        for (const QLineF& Line : Page.Lines)
            if (Line.x1() == Line.x2() && Line.length() > 0)
                X.insert(qRound(Line.x1()));
        return X;
    }

    TMemorySettingsStore Store;
    std::unique_ptr<TPreviewForm> Form;
};

} // namespace

TEST(NarrowColumns, TakesAFifthOfTheLeadOffTheWidestUntilTheTableFits)
{
    struct TCase {
        std::vector<int> Widths;
        int Available;
        std::vector<int> Expected;
    };
    const TCase Cases[] = {
        {{400, 300, 100}, 750, {341, 300, 100}},
        {{400, 300, 100}, 800, {400, 300, 100}},  // fits already
        {{200, 200, 100}, 400, {141, 141, 100}},  // equal widest shrink together
        {{301, 300}, 600, {300, 300}},            // at least one pixel
        {{250, 250}, 300, {250, 250}},            // all equal: no further
        {{900}, 300, {900}},                      // no second width
    };
    for (const TCase& Case : Cases)
        EXPECT_EQ(NarrowColumns(Case.Widths, Case.Available), Case.Expected);
}

TEST_F(TableReport, TheFontShrinksToTenPointsBeforeColumnsNarrow)
{
    struct TCase {
        const char* Name;
        int ReportSize;
        double Width; // of the widest text at the report size, in text widths of the page
        bool FontChanged;
        int FittedSize;
        bool Message;
    };
    const TCase Cases[] = {
        {"fits at the report size", 14, 0.8, true, 14, false},
        {"fits a little smaller", 14, 1.04, true, 13, true},
        {"same without a font change", 14, 1.04, false, 13, false},
        {"too wide for any size", 14, 2.5, false, 10, false},
        {"small report fonts stay", 9, 1.5, true, 9, false},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Form->ReportFont.setPointSize(Case.ReportSize);
        Form->FontChanged = Case.FontChanged;
        Form->Body = nullptr;
        Form->DoReport(); // the page geometry
        const TReportPage Probe(QSize(10, 10));
        const QFontMetrics Metrics(Form->ReportFont, &Probe);
        QString Cell;
        while (Metrics.horizontalAdvance(Cell + "  ") <
               Case.Width * (Form->Position[rlRightMargin] - Form->Position[rlLeftMargin]))
            Cell += 'n';
        TRecordedMessages Messages;
        auto Installed = Messages.Install();
        Print({{"H", "K"}, {Cell, "x"}});
        const TDrawnPage Page = DrawnPage(Form->Page(0));
        ASSERT_NE(Page.Find(' ' + Cell), nullptr);
        EXPECT_EQ(Page.Find(' ' + Cell)->Font.pointSize(), Case.FittedSize);
        const QString Text = QString("Font size in table reduced to %1 to fit all columns").arg(Case.FittedSize);
        EXPECT_EQ(Messages.Texts, Case.Message ? QStringList{Text} : QStringList());
        EXPECT_FALSE(Form->FontChanged);
        const std::set<int> Rules = VerticalRules(Page);
        ASSERT_EQ(Rules.size(), 3u);
        EXPECT_EQ(*Rules.begin(), Form->Position[rlLeftMargin]);
        EXPECT_LE(*Rules.rbegin(), Form->Position[rlRightMargin]);
    }
}

TEST_F(TableReport, ATableOverTwoPagesRepeatsItsHeaderAndRules)
{
    std::vector<QStringList> Rows{{"Id", "Branch", "Flow"}};
    for (int i = 1; i <= 100; ++i)
        Rows.push_back({QString::number(i), QString("Duct %1").arg(i), "0.25"});
    Print(Rows);
    ASSERT_EQ(Form->PageCount(), 2);
    std::set<int> Rules;
    for (int p = 0; p < 2; ++p) {
        SCOPED_TRACE(p);
        const TDrawnPage Page = DrawnPage(Form->Page(p));
        for (const char* Header : {" Id", " Branch", " Flow"}) {
            ASSERT_NE(Page.Find(Header), nullptr) << Header;
            EXPECT_TRUE(Page.Find(Header)->Font.bold());
        }
        const std::set<int> Vertical = VerticalRules(Page);
        EXPECT_EQ(Vertical.size(), 4u);
        if (p == 0)
            Rules = Vertical;
        EXPECT_EQ(Vertical, Rules);
        int Horizontal = 0;
        for (const QLineF& Line : Page.Lines)
            Horizontal += Line.y1() == Line.y2();
        EXPECT_EQ(Horizontal, 2); // above and below the header row
    }
    EXPECT_NE(DrawnPage(Form->Page(1)).Find(" Duct 100"), nullptr);
    EXPECT_FALSE(StdReport().TableInProgress);
}

TEST_F(TableReport, AGridPrintsItsRangeUnderItsHeadingRow)
{
    TxColGrid Grid;
    Grid.ShowItemNumbers = true;
    Grid.SetRowCount(6);
    Grid.SetFieldDefs({";;;;;", "Description; %s; ; ;", "Flow; %0.3f; ; ;", "Note; %s; ; ;"});
    for (int r = 1; r < 6; ++r) {
        Grid.SetCell(1, r, QString("Duct %1").arg(r));
        Grid.SetCellValue(2, r, r / 8.0);
        Grid.SetCell(3, r, "not printed");
    }
    struct TCase {
        const char* Name;
        TGridCellRange Range;
        QStringList Texts;
    };
    const TCase Cases[] = {
        {"rows 2 to 3 of two columns", {1, 2, 2, 3},
         {" Description", " Flow", " Duct 2", " 0.250", " Duct 3", " 0.375"}},
        {"from the heading row, past the grid's end", {1, 0, 2, 99},
         {" Description", " Flow", " Duct 1", " 0.125", " Duct 2", " 0.250", " Duct 3", " 0.375",
          " Duct 4", " 0.500", " Duct 5", " 0.625"}},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Form->Body = [&] { StdReportPrintGrid(StdReport(), Grid, Case.Range); };
        Form->DoReport();
        const QStringList Drawn = DrawnPage(Form->Page(0)).TextList();
        EXPECT_EQ(Drawn.filter(QRegularExpression("^ ")), Case.Texts);
        EXPECT_EQ(VerticalRules(DrawnPage(Form->Page(0))).size(), 3u);
    }
}
