// Background pictures: every format the image readers know, read by
// content; the zoom; the 3000-pixel cut; files that moved or cannot be read.

#include "EditorTestSupport.h"

#include "foundation/ProgramFolders.h"

#include <QFile>
#include <QTemporaryDir>

#include <gif_lib.h>

#include <limits>
#include <tuple>

using namespace edtest;

namespace {

// A real GIF of one colour, written with giflib (Qt writes no GIF).
bool WriteGif(const QString& Path, int Width, int Height, QColor Colour)
{
    int Error = 0;
    GifFileType* Gif = EGifOpenFileName(Path.toLocal8Bit().constData(), false, &Error);
    if (!Gif)
        return false;
    const GifColorType Colours[2] = {{static_cast<GifByteType>(Colour.red()), static_cast<GifByteType>(Colour.green()),
                                      static_cast<GifByteType>(Colour.blue())},
                                     {0, 0, 0}};
    ColorMapObject* Map = GifMakeMapObject(2, Colours);
    bool Ok = Map && EGifPutScreenDesc(Gif, Width, Height, 1, 0, Map) == GIF_OK &&
              EGifPutImageDesc(Gif, 0, 0, Width, Height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> Line(static_cast<std::size_t>(Width), 0);
    for (int Y = 0; Ok && Y < Height; ++Y)
        Ok = EGifPutLine(Gif, Line.data(), Width) == GIF_OK;
    Ok = EGifCloseFile(Gif, &Error) == GIF_OK && Ok;
    GifFreeMapObject(Map);
    return Ok;
}

bool WritePicture(const QString& Path, const char* Format, int Width, int Height, QColor Colour)
{
    if (QString(Format) == "gif")
        return WriteGif(Path, Width, Height, Colour);
    QImage Picture(Width, Height, QImage::Format_RGB32);
    Picture.fill(Colour);
    return Picture.save(Path, Format, 100);
}

// A white 600 x 400 plan with one black pixel at Dark.
bool WritePlan(const QString& Path, QPoint Dark)
{
    QImage Plan(600, 400, QImage::Format_RGB32);
    Plan.fill(Qt::white);
    Plan.setPixelColor(Dark, Qt::black);
    return Plan.save(Path);
}

} // namespace

TEST(Background, EveryReadableFormatShowsUnderTheNetwork)
{
    QTemporaryDir Dir;
    const QColor Colour(40, 160, 90);
    // The reader goes by content: a JPEG named ".gif" still loads.
    const struct {
        const char* Format;
        const char* Name;
    } Cases[] = {{"png", "plan.png"}, {"jpg", "plan.jpeg"}, {"bmp", "plan.bmp"}, {"gif", "plan.gif"}, {"jpg", "scan.gif"}};
    for (const auto& C : Cases) {
        TViewFixture F;
        const QString Path = Dir.filePath(C.Name);
        ASSERT_TRUE(WritePicture(Path, C.Format, 120, 80, Colour)) << C.Name;
        int Changes = 0;
        F.Frame->OnChanged = [&] { ++Changes; };
        F.Frame->LoadBackground(Path.toStdString());
        F.Frame->RedrawGraph();
        EXPECT_EQ(F.Frame->BackPicture().size(), QSize(120, 80)) << C.Name;
        const QColor Shown = F.Frame->CanvasImage().pixelColor(60, 40);
        EXPECT_NEAR(Shown.red(), Colour.red(), 3) << C.Name;
        EXPECT_NEAR(Shown.green(), Colour.green(), 3) << C.Name;
        EXPECT_NEAR(Shown.blue(), Colour.blue(), 3) << C.Name;
        EXPECT_EQ(F.Frame->CanvasImage().pixelColor(130, 40), QColor(Qt::white)) << C.Name;
        EXPECT_EQ(F.Graph.BackFileName, Path.toStdString());
        EXPECT_EQ(Changes, 1);
        EXPECT_TRUE(F.Frame->gvfActionZoomIn->isEnabled());
        EXPECT_TRUE(F.Services.Messages.isEmpty());
    }
}

TEST(Background, ZoomScalesThePictureAndLargeOnesAreCut)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("wide.png");
    ASSERT_TRUE(WritePicture(Path, "png", 4000, 100, Qt::blue));
    TViewFixture F;
    F.Services.ChosenFile = Path; // picked in the picture dialog
    F.Frame->gvfActionBackSetPic->trigger();
    EXPECT_EQ(F.Graph.BackFileName, Path.toStdString());
    // Only the part within the 900-pixel drawing is kept.
    EXPECT_EQ(F.Frame->BackPicture().size(), QSize(900, 100));
    F.Frame->gvfActionZoomInExecute();
    EXPECT_EQ(F.Frame->BackPicture().size(), QSize(900, 110));
    F.Frame->gvfActionZoomOutExecute();
    EXPECT_DOUBLE_EQ(F.Graph.BackZoomRatio, 0.99);
    EXPECT_EQ(F.Frame->BackPicture().size(), QSize(900, 99));
    F.Frame->gvfActionZoomFullExecute();
    EXPECT_EQ(F.Graph.BackZoomRatio, 1.0);
    F.Frame->SizeToBackground();
    EXPECT_EQ(F.Frame->BackPicture().size(), QSize(3000, 100)) << "cut at 3000 pixels";

    // A document's nonsense ratio is taken as full size; any other is kept
    // as read, even one that zooms the picture to nothing.
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    for (const auto& [Ratio, Kept, Size] : {std::tuple{-2.0, 1.0, QSize(3000, 100)}, {0.0, 1.0, QSize(3000, 100)},
                                            {NaN, 1.0, QSize(3000, 100)}, {1e-9, 1e-9, QSize(0, 0)}}) {
        F.Graph.BackZoomRatio = Ratio;
        F.Frame->LoadBackground(Path.toStdString());
        EXPECT_EQ(F.Graph.BackZoomRatio, Kept) << Ratio;
        EXPECT_EQ(F.Frame->BackPicture().size(), Size) << Ratio;
    }
}

TEST(Background, ASizeChangeShowsThePictureAsLoaded)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("plan.png");
    ASSERT_TRUE(WritePicture(Path, "png", 1200, 100, Qt::red));
    TViewFixture F;
    F.Frame->LoadBackground(Path.toStdString());
    ASSERT_EQ(F.Frame->BackPicture().size(), QSize(900, 100)) << "the part within the drawing";
    // The file changes, then goes, after loading: the drawing grows each time
    // and shows more of the picture that was loaded.
    ASSERT_TRUE(WritePicture(Path, "png", 1200, 100, Qt::blue));
    F.Frame->SetDrawingSize(1000, 900);
    ASSERT_TRUE(QFile::remove(Path));
    F.Frame->SetDrawingSize(1100, 900);
    const QImage Shown = F.Frame->BackPicture();
    ASSERT_EQ(Shown.size(), QSize(1100, 100));
    for (const int X : {10, 950, 1050})
        EXPECT_EQ(Shown.pixelColor(X, 50), QColor(Qt::red)) << "at x " << X;
}

// The zoom buttons scale the picture as loaded, as a size change does; a
// zoom that leaves the ratio as it was changes nothing, so the document
// stays as solved and saved.
TEST(Background, ZoomScalesThePictureAsLoadedAndAZoomThatChangesNothingChangesNothing)
{
    enum class TFile { Kept, Removed, Changed };
    enum class TZoom { In, Out, Full };
    const struct {
        const char* Name;
        double Stored;
        TFile File;
        TZoom Zoom;
        double Ratio;  // afterwards
        int Height;    // of the shown picture
        int Changes;
    } Cases[] = {
        {"beyond the buttons' range", 12.0, TFile::Kept, TZoom::In, 12.0, 1200, 0},
        {"full size already", 1.0, TFile::Kept, TZoom::Full, 1.0, 100, 0},
        {"the file gone", 1.0, TFile::Removed, TZoom::In, 1.1, 110, 1},
        {"the file changed", 1.0, TFile::Changed, TZoom::Out, 0.9, 90, 1},
    };
    for (const auto& C : Cases) {
        QTemporaryDir Dir;
        const QString Path = Dir.filePath("plan.png");
        ASSERT_TRUE(WritePicture(Path, "png", 300, 100, Qt::red));
        TViewFixture F;
        F.Graph.BackZoomRatio = C.Stored;
        F.Frame->LoadBackground(Path.toStdString());
        F.Frame->RedrawGraph();
        const QImage Before = F.Frame->CanvasImage().copy();
        if (C.File == TFile::Removed) {
            ASSERT_TRUE(QFile::remove(Path));
        }
        if (C.File == TFile::Changed) {
            ASSERT_TRUE(WritePicture(Path, "png", 30, 10, Qt::blue));
        }
        int Changes = 0;
        F.Frame->OnChanged = [&] { ++Changes; };
        QAction* Button = C.Zoom == TZoom::In    ? F.Frame->gvfActionZoomIn
                          : C.Zoom == TZoom::Out ? F.Frame->gvfActionZoomOut
                                                 : F.Frame->gvfActionZoomFull;
        Button->trigger();
        EXPECT_DOUBLE_EQ(F.Graph.BackZoomRatio, C.Ratio) << C.Name;
        EXPECT_EQ(Changes, C.Changes) << C.Name;
        ASSERT_FALSE(F.Frame->BackPicture().isNull()) << C.Name;
        EXPECT_EQ(F.Frame->BackPicture().height(), std::min(C.Height, 900)) << C.Name;
        EXPECT_EQ(F.Frame->CanvasImage().pixelColor(20, 5), QColor(Qt::red)) << C.Name << ": the picture loaded";
        if (C.Changes == 0) {
            EXPECT_EQ(F.Frame->CanvasImage(), Before) << C.Name;
        }
    }
}

TEST(Background, ALargeZoomScalesOnlyThePartInTheDrawing)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("plan.png");
    ASSERT_TRUE(WritePlan(Path, QPoint(10, 10)));
    TViewFixture F;
    F.Graph.BackZoomRatio = 40; // as a document may carry it
    F.Frame->LoadBackground(Path.toStdString());
    F.Frame->RedrawGraph();
    EXPECT_EQ(F.Graph.BackZoomRatio, 40.0) << "kept as read";
    EXPECT_EQ(F.Frame->BackPicture().size(), QSize(900, 900));
    EXPECT_LT(F.Frame->CanvasImage().pixelColor(420, 420).lightness(), 128) << "pixel (10, 10) zoomed forty times";
    EXPECT_GT(F.Frame->CanvasImage().pixelColor(105, 105).lightness(), 128) << "not ten times";
    // Beyond the zoom buttons' range: zooming in leaves it, zooming out
    // comes down from it.
    F.Frame->gvfActionZoomInExecute();
    EXPECT_EQ(F.Graph.BackZoomRatio, 40.0);
    F.Frame->gvfActionZoomOutExecute();
    EXPECT_DOUBLE_EQ(F.Graph.BackZoomRatio, 36.0);
}

TEST(Background, AHugeRatioShowsTheFirstPixelWithinBoundedMemory)
{
    QTemporaryDir Dir;
    const QString Path = Dir.filePath("plan.png");
    ASSERT_TRUE(WritePlan(Path, QPoint(0, 0)));
    // Scaling the covering part whole took gigabytes from 10,000 and ended
    // the program beyond; a ratio beyond int once rounded to nonsense.
    for (const double Ratio : {1e4, 1e6, 1e300}) {
        TViewFixture F;
        F.Graph.BackZoomRatio = Ratio;
        F.Frame->LoadBackground(Path.toStdString());
        F.Frame->RedrawGraph();
        EXPECT_EQ(F.Graph.BackZoomRatio, Ratio) << "kept as read";
        EXPECT_EQ(F.Frame->BackPicture().size(), QSize(900, 900)) << Ratio;
        for (const int At : {0, 450, 899})
            EXPECT_LT(F.Frame->CanvasImage().pixelColor(At, At).lightness(), 128) << Ratio << " at " << At;
    }
}

TEST(Background, MovedMissingAndUnreadablePictures)
{
    QTemporaryDir Dir;
    TProgramFolders Folders = ProgramFolders();
    const TProgramFolders Saved = Folders;
    Folders.ExeDir = Dir.path().toStdString() + "/";
    SetProgramFolders(Folders);
    ASSERT_TRUE(WritePicture(Dir.filePath("level2.png"), "png", 50, 40, Qt::red));
    QFile Broken(Dir.filePath("broken.png"));
    ASSERT_TRUE(Broken.open(QIODevice::WriteOnly));
    Broken.write("not a picture at all");
    Broken.close();

    const struct {
        std::string Name;
        bool Shown;
        int Messages;
    } Cases[] = {{"C:\\Plans\\Old\\level2.png", true, 0}, // found in the program's folder
                 {"/elsewhere/level2.png", true, 0},
                 {"/elsewhere/nowhere.png", false, 0},    // silently none
                 {Dir.filePath("broken.png").toStdString(), false, 1}};
    for (const auto& C : Cases) {
        TViewFixture F;
        F.Frame->LoadBackground(C.Name);
        EXPECT_EQ(!F.Frame->BackPicture().isNull(), C.Shown) << C.Name;
        EXPECT_EQ(F.Services.Messages.size(), C.Messages) << C.Name;
    }
    SetProgramFolders(Saved);
}
