#include "reports/GifWriter.h"

#include "tests/reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>

namespace {

// Largest difference of one colour channel between two pictures.
int LargestDifference(const QImage& A, const QImage& B)
{
    int Largest = 0;
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x) {
            const QRgb P = A.pixel(x, y);
            const QRgb Q = B.pixel(x, y);
            Largest = std::max({Largest, std::abs(qRed(P) - qRed(Q)),
                                std::abs(qGreen(P) - qGreen(Q)), std::abs(qBlue(P) - qBlue(Q))});
        }
    return Largest;
}

QImage Picture(int Colours)
{
    QImage Image(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x) {
            const int C = (y * Image.width() + x) % Colours;
            Image.setPixel(x, y, qRgb(C * 7 % 256, C * 13 % 256, C * 29 % 256));
        }
    return Image;
}

} // namespace

TEST(GifWriter, WritesPicturesQtReadsBack)
{
    struct TCase {
        const char* Name;
        QImage Image;
        int Tolerance; // per channel
    };
    QImage Transparent(20, 10, QImage::Format_ARGB32);
    Transparent.fill(Qt::transparent);
    QImage WhiteRed(20, 10, QImage::Format_RGB32);
    WhiteRed.fill(Qt::white);
    for (int x = 5; x < 15; ++x)
        Transparent.setPixel(x, 4, qRgb(255, 0, 0)), WhiteRed.setPixel(x, 4, qRgb(255, 0, 0));
    const TCase Cases[] = {
        {"two colours", Picture(2), 0},
        {"exactly a palette", Picture(256), 0},
        {"more colours than a palette", Picture(3000), 48},
        {"one pixel", Picture(1).copy(0, 0, 1, 1), 0},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        const QString File = TestFolder() + Case.Name + ".gif";
        QString Error;
        ASSERT_TRUE(WriteGifFile(Case.Image, File, &Error)) << Error.toStdString();
        const QImage Back(File, "GIF");
        ASSERT_EQ(Back.size(), Case.Image.size());
        EXPECT_LE(LargestDifference(Back, Case.Image), Case.Tolerance);
    }
    // Transparent parts lie on white.
    const QString File = TestFolder() + "transparent.gif";
    ASSERT_TRUE(WriteGifFile(Transparent, File));
    EXPECT_EQ(LargestDifference(QImage(File, "GIF"), WhiteRed), 0);
}

TEST(GifWriter, RefusesWhatAGifCannotHold)
{
    struct TCase {
        const char* Name;
        QImage Image;
        QString File;
    };
    const QString Kept = TestFolder() + "kept.gif";
    ASSERT_TRUE(WriteGifFile(Picture(4), Kept));
    const TCase Cases[] = {
        {"empty picture", QImage(), Kept},
        {"taller than 65535 pixels", QImage(1, MaxGifSide + 1, QImage::Format_RGB32), Kept},
        {"wider than 65535 pixels", QImage(MaxGifSide + 1, 1, QImage::Format_RGB32), Kept},
        {"folder that does not exist", Picture(4), TestFolder() + "no/such/folder/x.gif"},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        QString Error;
        EXPECT_FALSE(WriteGifFile(Case.Image, Case.File, &Error));
        EXPECT_FALSE(Error.isEmpty());
    }
    // A refused picture leaves the file that was there.
    EXPECT_EQ(QImage(Kept, "GIF").size(), QSize(64, 48));
}
