#include "reports/GifWriter.h"

#include "platform/QtFileSave.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <gif_lib.h>

#include <memory>
#include <unordered_map>
#include <vector>

namespace {

constexpr int MaxColours = 256;

struct TIndexedPicture {
    std::vector<GifColorType> Palette;
    std::vector<GifByteType> Pixels; // one palette index per pixel, row by row
};

bool Fail(QString* Error, const QString& Text)
{
    if (Error != nullptr)
        *Error = Text;
    return false;
}

// The picture's own colours when it has no more than a palette holds.
bool ExactPalette(const QImage& Rgb, TIndexedPicture& Out)
{
    std::unordered_map<QRgb, GifByteType> Index;
    Out.Pixels.resize(static_cast<size_t>(Rgb.width()) * Rgb.height());
    size_t At = 0;
    QRgb Last = 0;
    GifByteType LastIndex = 0;
    bool HaveLast = false;
    for (int y = 0; y < Rgb.height(); ++y) {
        const auto* Line = reinterpret_cast<const QRgb*>(Rgb.constScanLine(y));
        for (int x = 0; x < Rgb.width(); ++x) {
            const QRgb Colour = Line[x] & 0xFFFFFFu;
            if (!HaveLast || Colour != Last) {
                auto Found = Index.find(Colour);
                if (Found == Index.end()) {
                    if (Index.size() == MaxColours)
                        return false;
                    Found = Index.emplace(Colour, static_cast<GifByteType>(Index.size())).first;
                    Out.Palette.push_back({static_cast<GifByteType>(qRed(Colour)),
                                           static_cast<GifByteType>(qGreen(Colour)),
                                           static_cast<GifByteType>(qBlue(Colour))});
                }
                Last = Colour;
                LastIndex = Found->second;
                HaveLast = true;
            }
            Out.Pixels[At++] = LastIndex;
        }
    }
    return true;
}

bool QuantisedPalette(const QImage& Rgb, TIndexedPicture& Out)
{
    const size_t Count = static_cast<size_t>(Rgb.width()) * Rgb.height();
    std::vector<GifByteType> Red(Count), Green(Count), Blue(Count);
    size_t At = 0;
    for (int y = 0; y < Rgb.height(); ++y) {
        const auto* Line = reinterpret_cast<const QRgb*>(Rgb.constScanLine(y));
        for (int x = 0; x < Rgb.width(); ++x, ++At) {
            Red[At] = static_cast<GifByteType>(qRed(Line[x]));
            Green[At] = static_cast<GifByteType>(qGreen(Line[x]));
            Blue[At] = static_cast<GifByteType>(qBlue(Line[x]));
        }
    }
    int Size = MaxColours;
    Out.Palette.assign(MaxColours, GifColorType{0, 0, 0});
    Out.Pixels.resize(Count);
    if (GifQuantizeBuffer(static_cast<unsigned>(Rgb.width()), static_cast<unsigned>(Rgb.height()),
                          &Size, Red.data(), Green.data(), Blue.data(), Out.Pixels.data(),
                          Out.Palette.data()) != GIF_OK)
        return false;
    Out.Palette.resize(static_cast<size_t>(Size));
    return true;
}

int WriteToFile(GifFileType* Gif, const GifByteType* Bytes, int Length)
{
    auto* File = static_cast<QBuffer*>(Gif->UserData);
    return static_cast<int>(File->write(reinterpret_cast<const char*>(Bytes), Length));
}

struct TGifCloser {
    void operator()(GifFileType* Gif) const
    {
        int Ignored = 0;
        EGifCloseFile(Gif, &Ignored);
    }
};

} // namespace

bool WriteGifFile(const QImage& Image, const QString& FileName, QString* Error)
{
    if (Image.isNull() || Image.width() < 1 || Image.height() < 1)
        return Fail(Error, QStringLiteral("There is no picture to write."));
    if (Image.width() > MaxGifSide || Image.height() > MaxGifSide)
        return Fail(Error, QStringLiteral("The picture of %1 x %2 pixels is larger than a GIF "
                                          "file can hold (%3 pixels each way).")
                               .arg(Image.width())
                               .arg(Image.height())
                               .arg(MaxGifSide));

    QImage Rgb(Image.size(), QImage::Format_RGB32);
    Rgb.fill(Qt::white);
    {
        QPainter Painter(&Rgb);
        Painter.drawImage(0, 0, Image);
    }
    TIndexedPicture Indexed;
    if (!ExactPalette(Rgb, Indexed)) {
        Indexed = {};
        if (!QuantisedPalette(Rgb, Indexed))
            return Fail(Error, QStringLiteral("The picture's colours could not be reduced."));
    }
    // A colour map holds a power of two of entries, at least two.
    int Bits = 1;
    while ((1 << Bits) < static_cast<int>(Indexed.Palette.size()))
        ++Bits;
    Indexed.Palette.resize(size_t{1} << Bits, GifColorType{0, 0, 0});

    // Made whole in memory first: the save then checks every byte, so a disk
    // that fills part way leaves any older picture as it was.
    QByteArray Bytes;
    QBuffer File(&Bytes);
    if (!File.open(QIODevice::WriteOnly))
        return Fail(Error, File.errorString());
    int Code = 0;
    std::unique_ptr<GifFileType, TGifCloser> Gif(EGifOpen(&File, WriteToFile, &Code));
    if (!Gif)
        return Fail(Error, QString::fromUtf8(GifErrorString(Code)));
    std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)> Map(
        GifMakeMapObject(1 << Bits, Indexed.Palette.data()), GifFreeMapObject);
    bool Ok = Map && EGifPutScreenDesc(Gif.get(), Rgb.width(), Rgb.height(), Bits, 0,
                                       Map.get()) == GIF_OK &&
              EGifPutImageDesc(Gif.get(), 0, 0, Rgb.width(), Rgb.height(), false, nullptr) ==
                  GIF_OK;
    for (int y = 0; Ok && y < Rgb.height(); ++y)
        Ok = EGifPutLine(Gif.get(), Indexed.Pixels.data() + static_cast<size_t>(y) * Rgb.width(),
                         Rgb.width()) == GIF_OK;
    const int GifError = Gif->Error;
    Code = 0;
    Ok = EGifCloseFile(Gif.release(), &Code) == GIF_OK && Ok;
    if (!Ok) {
        const char* Reason = GifErrorString(Code != 0 ? Code : GifError);
        return Fail(Error, Reason ? QString::fromUtf8(Reason) : File.errorString());
    }
    File.close();
    return SaveBytesAtomically(FileName, Bytes, Error);
}
