#include "reports/ReportDrawing.h"

#include "foundation/SettingsStore.h"
#include "reports/PreviewForm.h"
#include "reports/ReportPage.h"
#include "tests/reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <QImage>

TEST(ReportDrawing, TitleLinesShrinkAfterTheFirstAndEndWithABlankLine)
{
    NoPrinter();
    TMemorySettingsStore Store;
    TPreviewForm Form(Store);
    struct TCase {
        QStringList Lines;
        int Increase;
        int Skip;
        std::vector<int> Sizes;
        int LinesUsed;
    };
    const TCase Cases[] = {
        {{"Report"}, 3, 2, {11}, 2},
        {{"Report", "Project", "Site"}, 3, 2, {11, 9, 9}, 5},
        {{"Branches", "Second"}, 2, 1, {10, 8}, 3},
        {{}, 3, 2, {}, 0},
    };
    for (const TCase& Case : Cases) {
        int Used = -1;
        TPreviewForm* E = &Form;
        Form.Body = [&] {
            const int Before = E->LineCounter;
            DrawTitleLines(Case.Lines, Case.Increase, Case.Skip);
            Used = E->LineCounter - Before;
        };
        Form.DoReport();
        const TDrawnPage Page = DrawnPage(Form.Page(0));
        ASSERT_EQ(Page.Texts.size(), Case.Sizes.size());
        for (size_t i = 0; i < Case.Sizes.size(); ++i) {
            EXPECT_EQ(Page.Texts[i].Font.pointSize(), Case.Sizes[i]);
            EXPECT_TRUE(Page.Texts[i].Font.bold());
        }
        EXPECT_EQ(Used, Case.LinesUsed);
    }
}

TEST(ReportDrawing, MirrorBitmapTurnsRowsAround)
{
    QImage Source(4, 2, QImage::Format_RGB32);
    const QRgb Colours[4] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(9, 9, 9)};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            Source.setPixel(x, y, Colours[x]);
    QImage Mirror(4, 2, QImage::Format_RGB32);
    Mirror.fill(Qt::white);
    MirrorBitmap(Source, Mirror, 3, 2);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(Mirror.pixel(0, y), Colours[2]);
        EXPECT_EQ(Mirror.pixel(1, y), Colours[1]);
        EXPECT_EQ(Mirror.pixel(2, y), Colours[0]);
        EXPECT_EQ(Mirror.pixel(3, y), qRgb(255, 255, 255)); // outside the width
    }
}
