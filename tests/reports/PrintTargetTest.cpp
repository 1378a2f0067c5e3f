#include "reports/PrintTarget.h"

#include "reports/ReportPrinter.h"
#include "tests/FileSizeLimit.h"
#include "tests/reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QRandomGenerator>

namespace {

QByteArray FileBytes(const QString& Name)
{
    QFile File(Name);
    return File.open(QIODevice::ReadOnly) ? File.readAll() : QByteArray();
}

// Three pages of text with a picture that does not compress on the first,
// so that the PDF holds one write much larger than the others, as a drawing
// in a report does.
bool PrintPages(const QString& LastLine, QString& Error)
{
    QImage Noise(180, 180, QImage::Format_RGB32);
    QRandomGenerator Random(7);
    for (int Y = 0; Y < Noise.height(); ++Y)
        for (int X = 0; X < Noise.width(); ++X)
            Noise.setPixel(X, Y, Random.generate() & 0xFFFFFF);
    TPrintTarget Target(ReportPrinter());
    if (!Target.Open()) {
        Error = Target.ErrorText();
        return false;
    }
    QPainter Painter;
    if (!Painter.begin(&Target.Device())) {
        Error = "no painter";
        return false;
    }
    for (int Page = 1; Page <= 3; ++Page) {
        if (Page > 1)
            Target.Device().newPage();
        for (int Line = 0; Line < 40; ++Line)
            Painter.drawText(100, 100 + 20 * Line, QString("Line %1 of page %2").arg(Line).arg(Page));
        if (Page == 1)
            Painter.drawImage(QRect(100, 1000, Noise.width(), Noise.height()), Noise);
    }
    Painter.drawText(100, 1000, LastLine);
    const bool Whole = Target.Finish(Painter.end());
    Error = Target.ErrorText();
    return Whole;
}

} // namespace

// A disk that fills up part way through a write of the PDF cuts that write
// short and says so only at the next one. The older file stays as it was,
// byte for byte, and the failure is told.
TEST(PrintTarget, APdfCutShortByAFullDiskLeavesTheOlderFileAsItWas)
{
    const QString Folder = TestFolder() + "short/";
    const QString Pdf = Folder + "report.pdf";
    ASSERT_TRUE(QDir().mkpath(Folder));
    TPdfPrinter Printer(Pdf);
    QString Error;
    ASSERT_TRUE(PrintPages("older", Error)) << Error.toStdString();
    const QByteArray Older = FileBytes(Pdf);
    ASSERT_GT(Older.size(), 40000);

    // The room a nearly full disk leaves for the same report again: a few
    // pages' worth, half of it, all but its last bytes.
    for (const qint64 Room : {qint64(12288), Older.size() / 2, Older.size() - 100}) {
        SCOPED_TRACE(Room);
        {
            TFileSizeLimit Limit(static_cast<rlim_t>(Room));
            EXPECT_FALSE(PrintPages("newer", Error));
        }
        EXPECT_FALSE(Error.isEmpty());
        const QByteArray Now = FileBytes(Pdf);
        EXPECT_TRUE(Now == Older) << "a file of " << Now.size() << " bytes in place of the older " << Older.size();
        EXPECT_EQ(QDir(Folder).entryList(QDir::Files | QDir::Hidden), QStringList{"report.pdf"});
    }
    // With room again the next print replaces it whole.
    ASSERT_TRUE(PrintPages("newer", Error)) << Error.toStdString();
    EXPECT_EQ(PdfPages(Pdf), 3);
    EXPECT_TRUE(PdfPageText(Pdf, 3).contains("newer"));
}
