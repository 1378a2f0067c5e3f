#include "reports/ReportPictures.h"

#include "foundation/SettingsStore.h"
#include "reports/PreviewForm.h"
#include "reports/ReportPage.h"
#include "tests/reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRegularExpression>

namespace {

class PictureReport : public testing::Test {
protected:
    void SetUp() override
    {
        NoPrinter();
        Form = std::make_unique<TPreviewForm>(Store);
        Form->DoReport(); // the page geometry
        TextWidth = Form->Position[rlRightMargin] - Form->Position[rlLeftMargin];
        PageText = Form->TextLimitF - Form->Position[rlTopMargin];
    }

    // A picture at the preview's 96 dots per inch, so its natural size is its pixels.
    static QImage Picture(int Width, int Height)
    {
        QImage Image(Width, Height, QImage::Format_RGB32);
        Image.fill(Qt::darkGreen);
        Image.setDotsPerMeterX(3780);
        Image.setDotsPerMeterY(3780);
        return Image;
    }

    TMemorySettingsStore Store;
    std::unique_ptr<TPreviewForm> Form;
    int TextWidth = 0;
    double PageText = 0;
};

} // namespace

TEST_F(PictureReport, WholeScaledOrInTilesWithArrows)
{
    struct TCase {
        const char* Name;
        double Width;  // in text widths
        int Height;    // < 0: that many pixels more than the space left
        double SmallestScale;
        std::vector<QStringList> Arrows;  // per page: the arrow texts and page numbers
        std::vector<double> DrawnWidths;  // per page, in text widths: 0 none
    };
    const TCase Cases[] = {
        {"exactly the text width", 1, 100, 1.2, {{}}, {1}},
        {"wider, scaled while above the smallest scale", 1.5, 100, 0.5, {{}}, {1}},
        {"twice the text width: three tile columns", 2, 100, 1.2,
         {{"------->", "2"}, {"------->", "3", "<-------", "1"}, {"<-------", "2"}}, {1, 1, 0}},
        {"taller than the space: two tile rows", 0.5, -100, 1.2,
         {{"------>", "2"}, {"------>", "1"}}, {0.5, 0.5}},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        const int Width = qRound(Case.Width * TextWidth);
        TPreviewForm* E = Form.get();
        const QImage Image = Picture(Width, Case.Height > 0 ? Case.Height : 1);
        Form->Body = [&] {
            QImage Shown = Image;
            if (Case.Height < 0) {
                const int Space = int(E->TextLimitF - E->PenPos.y() - E->LineHeight);
                Shown = Picture(Width, Space - Case.Height);
            }
            DrawPictureAcrossPages(Shown, QRect(), Case.SmallestScale);
        };
        Form->DoReport();
        ASSERT_EQ(Form->PageCount(), int(Case.DrawnWidths.size()));
        for (int p = 0; p < Form->PageCount(); ++p) {
            SCOPED_TRACE(p);
            const TDrawnPage Page = DrawnPage(Form->Page(p));
            QStringList Texts = Page.TextList().filter(QRegularExpression("^(-+>|<-+|\\d+)$"));
            QStringList Expected = Case.Arrows[size_t(p)];
            Texts.sort();
            Expected.sort();
            EXPECT_EQ(Texts, Expected);
            const int Drawn = qRound(Case.DrawnWidths[size_t(p)] * TextWidth);
            if (Drawn == 0) {
                EXPECT_TRUE(Page.Pictures.empty());
            } else {
                ASSERT_EQ(Page.Pictures.size(), 1u);
                EXPECT_EQ(qRound(Page.Pictures[0].width()), Drawn);
                EXPECT_EQ(qRound(Page.Pictures[0].left()), Form->Position[rlLeftMargin]);
            }
        }
    }
}
