#pragma once
// Drawing by exclusive-or on the page of the network drawing. Every item is
// XOR'ed onto a white page: pictures (glyphs, labels, the background) with
// their colours stored inverted against white, so that they show in their
// true colours on white; lines and shapes in not-XOR (the complement of
// source XOR page), so that a colour drawn on white shows as itself. Both are
// an XOR with a constant per pixel, so any set of items gives the same page
// whatever the order, and drawing an item twice removes it. That is what
// lets a rectangle of the drawing be painted again from the model alone.
//
// Lines are rasterised here (not by QPainter) so that a pixel's value never
// depends on the clip rectangle it is painted through.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <cstdint>
#include <vector>

// A colour written as 0x00BBGGRR, as the drawing's colours are given, to a
// pixel value.
constexpr QRgb BgrColour(std::uint32_t Bgr)
{
    return 0xFF000000u | ((Bgr & 0xFFu) << 16) | (Bgr & 0xFF00u) | ((Bgr >> 16) & 0xFFu);
}

// A picture kept as runs of its non-empty pixels: either with a colour per
// pixel (a glyph or picture stored inverted against white) or as a mask
// XOR'ed in one colour (a text label).
class TXorSprite {
public:
    struct TRun {
        int X = 0;
        int Y = 0;
        int Length = 0;
        int First = 0; // index of the run's first colour (pictures only)
    };

    // The picture's pixels inverted against white; white pixels are empty.
    static TXorSprite FromPicture(const QImage& Picture);
    // The non-black pixels of Mask.
    static TXorSprite FromMask(const QImage& Mask);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    bool IsMask() const { return Colours.empty(); }
    const std::vector<TRun>& Runs() const { return FRuns; }
    const std::vector<QRgb>& RunColours() const { return Colours; }

private:
    // The runs of the pixels whose Value is not 0; KeepColours: each
    // pixel's Value is its colour.
    template <class TValue>
    static TXorSprite FromRuns(const QImage& Image, TValue Value, bool KeepColours);

    int FWidth = 0;
    int FHeight = 0;
    std::vector<TRun> FRuns;
    std::vector<QRgb> Colours;
};

enum class TLineStyle { Solid, Dot, DashDotDot };

class TXorCanvas {
public:
    // Page must be Format_RGB32 and holds the drawing's pixels from Origin
    // on; nothing is drawn outside Clip (drawing coordinates).
    TXorCanvas(QImage& Page, const QRect& Clip, QPoint Origin = QPoint(0, 0));
    TXorCanvas(const TXorCanvas&) = delete;
    TXorCanvas& operator=(const TXorCanvas&) = delete;

    const QRect& Clip() const { return FClip; }

    void FillWhite();
    // Pictures: XOR at the given top-left corner. A mask takes Colour.
    void XorSprite(const TXorSprite& Sprite, int Left, int Top, QRgb Colour = 0);
    // A picture already inverted against white, XOR'ed at (Left, Top).
    void XorImage(const QImage& Inverted, int Left, int Top);
    // Not-XOR shapes.
    void NotXorPixel(int X, int Y, QRgb Colour);
    // From one point towards the other, the last point left out (so that
    // joined segments never share a pixel). Width 1 or 3.
    void NotXorLine(QPoint From, QPoint To, QRgb Colour, int Width = 1);
    // The outline of R (its border pixels, each once).
    void NotXorFrame(const QRect& R, QRgb Colour, TLineStyle Style = TLineStyle::Solid);
    // Every pixel of R.
    void NotXorFill(const QRect& R, QRgb Colour);
    // The disc inscribed in R.
    void NotXorEllipse(const QRect& R, QRgb Colour);
    // Plain pixel (not XOR): the grid dots.
    void SetPixel(int X, int Y, QRgb Colour);

private:
    void XorPixel(int X, int Y, QRgb Mask)
    {
        if (FClip.contains(X, Y))
            Row(Y)[X - Ox] ^= Mask;
    }
    // The page row of drawing row Y; index it with X - Ox.
    QRgb* Row(int Y) { return reinterpret_cast<QRgb*>(Bits + (Y - Oy) * Stride); }
    void XorSpan(int X, int Y, int Length, QRgb Mask);

    QRect FClip;
    int Ox;
    int Oy;
    uchar* Bits;
    qsizetype Stride;
};
