#include "reports/GifWriter.h"

#include "tests/FileSizeLimit.h"
#include "tests/reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include <cstdint>

namespace {

QImage Picture(int Colours, int Width = 64, int Height = 48)
{
    QImage Image(Width, Height, QImage::Format_ARGB32);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) {
            const int C = (y * Width + x) % Colours;
            Image.setPixel(x, y, qRgb(C * 7 % 256, C * 13 % 256, C * 29 % 256));
        }
    return Image;
}

// Largest difference of a colour channel; transparent pixels count as white.
int LargestDifference(const QImage& Written, const QImage& Original)
{
    int Largest = 0;
    for (int y = 0; y < Original.height(); ++y)
        for (int x = 0; x < Original.width(); ++x) {
            const QRgb P = Written.pixel(x, y);
            const QRgb Q = qAlpha(Original.pixel(x, y)) == 0 ? qRgb(255, 255, 255) : Original.pixel(x, y);
            Largest = std::max({Largest, std::abs(qRed(P) - qRed(Q)), std::abs(qGreen(P) - qGreen(Q)),
                                std::abs(qBlue(P) - qBlue(Q))});
        }
    return Largest;
}

QByteArray ReadAll(const QString& Name)
{
    QFile File(Name);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

} // namespace

TEST(GifWriter, WritesWhatQtReadsBackAndRefusesWhatAGifCannotHold)
{
    QImage Transparent = Picture(2, 20, 10);
    Transparent.setPixel(3, 3, qRgba(0, 0, 0, 0));
    struct TCase {
        const char* Name;
        QImage Image;
        bool Written;
        int Tolerance; // per channel
    };
    const TCase Cases[] = {
        {"two colours", Picture(2), true, 0},
        {"exactly a palette", Picture(256), true, 0},
        {"more colours than a palette", Picture(3000), true, 48},
        {"transparent parts on white", Transparent, true, 0},
        {"empty picture", QImage(), false, 0},
        {"taller than 65535 pixels", QImage(1, MaxGifSide + 1, QImage::Format_RGB32), false, 0},
        {"wider than 65535 pixels", QImage(MaxGifSide + 1, 1, QImage::Format_RGB32), false, 0},
    };
    const QString Kept = TestFolder() + "kept.gif";
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        const QString File = Case.Written ? TestFolder() + Case.Name + ".gif" : Kept;
        ASSERT_TRUE(WriteGifFile(Picture(4), Kept));
        QString Error;
        ASSERT_EQ(WriteGifFile(Case.Image, File, &Error), Case.Written);
        EXPECT_EQ(Error.isEmpty(), Case.Written);
        const QImage Back(File, "GIF");
        if (Case.Written) {
            ASSERT_EQ(Back.size(), Case.Image.size());
            EXPECT_LE(LargestDifference(Back, Case.Image), Case.Tolerance);
        } else {
            EXPECT_EQ(Back.size(), QSize(64, 48)); // the file that was there stays
        }
    }
    EXPECT_FALSE(WriteGifFile(Picture(4), TestFolder() + "no/such/folder/x.gif"));
}

// A disk that fills part way through the picture: the older file stays byte
// for byte, the failure is told and nothing is left beside it.
TEST(GifWriter, AWriteCutShortByAFullDiskKeepsTheOlderFile)
{
    const QString Folder = TestFolder() + "fulldisk/";
    QDir().mkpath(Folder);
    const QString File = Folder + "drawnet.gif";
    ASSERT_TRUE(WriteGifFile(Picture(4), File));
    const QByteArray Older = ReadAll(File);
    // Noise compresses badly, so the new picture is far larger than the limit.
    QImage Noise(400, 300, QImage::Format_RGB32);
    std::uint32_t Seed = 12345;
    for (int y = 0; y < Noise.height(); ++y)
        for (int x = 0; x < Noise.width(); ++x) {
            Seed = Seed * 1664525u + 1013904223u;
            Noise.setPixel(x, y, qRgb(Seed >> 24, (Seed >> 16) & 0xff, (Seed >> 8) & 0xff));
        }
    // The limit falls early, half way and within the last buffered bytes.
    ASSERT_TRUE(WriteGifFile(Noise, Folder + "size.gif"));
    const auto Size = static_cast<rlim_t>(QFile(Folder + "size.gif").size());
    ASSERT_TRUE(QFile::remove(Folder + "size.gif"));
    for (const rlim_t Room : {rlim_t{4096}, Size / 2, Size - 100}) {
        SCOPED_TRACE(Room);
        QString Error;
        {
            TFileSizeLimit Limit(Room);
            EXPECT_FALSE(WriteGifFile(Noise, File, &Error));
        }
        EXPECT_FALSE(Error.isEmpty());
        EXPECT_EQ(ReadAll(File), Older);
        EXPECT_EQ(QDir(Folder).entryList(QDir::Files), QStringList{"drawnet.gif"});
    }
    EXPECT_TRUE(WriteGifFile(Noise, File));
    EXPECT_EQ(QImage(File, "GIF").size(), Noise.size());
}
