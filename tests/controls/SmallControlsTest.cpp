#include "ControlsTestSupport.h"

#include "controls/ListViewClipboard.h"
#include "controls/StretchedImage.h"
#include "controls/URLLabel.h"
#include "controls/UnitsText.h"

#include <QClipboard>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A real GIF: Width x Height, the left half red, the right half blue.
bool WriteTwoColourGif(const std::string& Path, int Width, int Height)
{
    int Error = 0;
    GifFileType* Gif = EGifOpenFileName(Path.c_str(), false, &Error);
    if (!Gif)
        return false;
    const GifColorType Colours[2] = {{255, 0, 0}, {0, 0, 255}};
    ColorMapObject* Map = GifMakeMapObject(2, Colours);
    bool Ok = Map && EGifPutScreenDesc(Gif, Width, Height, 1, 0, Map) == GIF_OK &&
              EGifPutImageDesc(Gif, 0, 0, Width, Height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> Line(Width);
    for (int X = 0; X < Width; ++X)
        Line[X] = X < Width / 2 ? 0 : 1;
    for (int Y = 0; Ok && Y < Height; ++Y)
        Ok = EGifPutLine(Gif, Line.data(), Width) == GIF_OK;
    Ok = EGifCloseFile(Gif, &Error) == GIF_OK && Ok;
    GifFreeMapObject(Map);
    return Ok;
}

struct TStubEntryGrid {
    QString GetFormatStr(int Row) const { return Row == 1 ? "%0.3f" : "%d"; }
};

} // namespace

TEST(UnitsText, AutoFormatBySizeOfTheValue)
{
    const struct {
        TUnitsType Type;
        double Value;
        int Extra;
        const char* Fmt;
    } Cases[] = {
        {utNone, 150, 0, "%0.0f"},      {utNone, 12.5, 0, "%0.1f"},    {utNone, 3.2, 0, "%0.2f"},
        {utNone, 0.5, 0, "%0.3f"},      {utNone, 0.05, 0, "%0.4f"},    {utNone, 0.005, 0, "%0.5f"},
        {utNone, 0.0005, 0, "%0.3g"},   {utNone, 2e9, 0, "%0.0g"},     {utNone, 0, 0, "%0.0f"},
        {utNone, -12.5, 0, "%0.1f"},    {utNone, 1e-10, 0, "%0.0f"},   {utNone, 0.001, 0, "%0.3g"},
        {utNone, 3.2, 2, "%0.4f"},      {utNone, 3.2, -5, "%0.0f"},    {utNone, 1e300, 0, "%0.0g"},
        {utPressureBar, 101.3, 0, "%0.3f"}, {utPressureBar, 101.3, 1, "%0.1f"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(AutoFormatStr(C.Type, C.Value, C.Extra), C.Fmt) << C.Value << " " << C.Extra;
}

TEST(UnitsText, ValuesWithTheirUnits)
{
    EXPECT_EQ(FormatUnitsValue(utAirPressDrop, 5, 1, 250, true, true), "1.0037 InchWg");
    EXPECT_EQ(FormatUnitsValue(utAirPressDrop, 5, 1, 250, false, true), "1.00 InchWg");
    EXPECT_EQ(FormatUnitsValue(utTemperature, 1, 0, 20, true, false), "68.0");
    EXPECT_EQ(FormatUnitsValue(utLengthBig, 1, 0, 100, false, true), "328 ft");
    TFmtEdit Flow;
    Flow.SetUnitsType(utAirFlowPrim);
    Flow.SetUnitsValue(3);
    EXPECT_EQ(FormatEditValueWithUnits(Flow, "l/s", 0.0525), "52.5 l/s");
    const TStubEntryGrid Grid;
    EXPECT_EQ(FormatRowValueWithUnits(Grid, 1, "m", 1.25), "1.250 m");
    EXPECT_EQ(FormatRowValueWithUnits(Grid, 2, "items", 6.6), "7 items");
}

TEST(StretchedImage, PicturesKeepTheirProportionsCentredOrFillTheControl)
{
    TRecordingServices Services;
    QTemporaryDir Dir;
    const QString Gif = Dir.filePath("picture.GIF");
    ASSERT_TRUE(WriteTwoColourGif(Gif.toStdString(), 40, 20));
    TStretchedImage Image;
    Image.resize(100, 100);
    Image.setPalette(QPalette(Qt::white));
    ASSERT_TRUE(Image.LoadFromFile(Gif));
    EXPECT_EQ(Image.Picture().size(), QSize(40, 20));
    const struct {
        bool Proportional;
        QPoint At;
        QColor Expected;
    } Cases[] = {
        {true, {50, 20}, Qt::white}, {true, {10, 30}, Qt::red},  {true, {90, 70}, Qt::blue},
        {true, {50, 80}, Qt::white}, {false, {10, 5}, Qt::red}, {false, {90, 95}, Qt::blue},
    };
    for (const auto& C : Cases) {
        Image.SetProportional(C.Proportional);
        const QImage Shown = Image.grab().toImage();
        EXPECT_EQ(Shown.pixelColor(C.At), C.Expected) << C.Proportional << " " << C.At.x() << ","
                                                      << C.At.y();
    }
    EXPECT_TRUE(Services.Messages.isEmpty());
}

TEST(StretchedImage, OtherFormatsAndDamagedFilesAreReportedAndKeepThePicture)
{
    TRecordingServices Services;
    QTemporaryDir Dir;
    const QString Gif = Dir.filePath("ok.gif");
    ASSERT_TRUE(WriteTwoColourGif(Gif.toStdString(), 8, 8));
    QFile Damaged(Dir.filePath("damaged.gif"));
    ASSERT_TRUE(Damaged.open(QIODevice::WriteOnly));
    Damaged.write("GIF89a\x05\x00garbage");
    Damaged.close();
    TStretchedImage Image;
    ASSERT_TRUE(Image.LoadFromFile(Gif));
    EXPECT_FALSE(Image.LoadFromFile(Dir.filePath("logo.png")));
    EXPECT_FALSE(Image.LoadFromFile(Damaged.fileName()));
    ASSERT_EQ(Services.Messages.size(), 2);
    EXPECT_EQ(Services.Messages[0], ".png files not supported...");
    EXPECT_TRUE(Services.Messages[1].startsWith("Error loading " + Damaged.fileName()));
    EXPECT_EQ(Image.Picture().size(), QSize(8, 8));
}

TEST(URLLabel, CaptionFollowsTheURLUntilSetByHandAndAClickOpensIt)
{
    TRecordingServices Services;
    TURLLabel Label;
    Label.SetURL("http://a.example");
    EXPECT_EQ(Label.Caption(), "http://a.example");
    Label.SetURL("http://b.example");
    EXPECT_EQ(Label.Caption(), "http://b.example");
    Label.SetCaption("Our web site");
    Label.SetURL("http://c.example");
    EXPECT_EQ(Label.Caption(), "Our web site");
    Label.SetCaption("");
    EXPECT_EQ(Label.Caption(), "http://c.example");
    EXPECT_TRUE(Label.font().underline());
    QStringList Order;
    Label.OnClick = [&](TURLLabel*) { Order << "click after " + Services.Opened.join(","); };
    Label.resize(100, 20);
    QTest::mouseClick(&Label, Qt::LeftButton);
    EXPECT_EQ(Services.Opened, QStringList{"http://c.example"});
    EXPECT_EQ(Order, QStringList{"click after http://c.example"});
}

TEST(ListViewClipboard, CaptionsAndItemsEachFollowedByTheSeparator)
{
    QTreeWidget List;
    List.setHeaderLabels({"Code", "dP, Pa"});
    new QTreeWidgetItem(&List, QStringList{"A1", "250"});
    new QTreeWidgetItem(&List, QStringList{"B \"x\"", "1000"});
    const std::pair<const char*, const char*> Cases[] = {
        {"\t", "Code\tdP, Pa\t\r\nA1\t250\t\r\nB \"x\"\t1000\t\r\n"},
        {",", "Code,\"dP, Pa\",\r\nA1,250,\r\n\"B \"\"x\"\"\",1000,\r\n"}};
    for (const auto& [Sep, Expected] : Cases) {
        CopyListViewToClipboard(List, Sep);
        EXPECT_EQ(QApplication::clipboard()->text(), Expected) << Sep;
    }
    // A plain list is not a report: the clipboard keeps what it had.
    QListWidget Plain;
    Plain.addItem("x");
    CopyListViewToClipboard(Plain, ",");
    EXPECT_EQ(QApplication::clipboard()->text(), Cases[1].second);
}
