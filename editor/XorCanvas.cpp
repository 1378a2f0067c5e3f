#include "editor/XorCanvas.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr QRgb RgbBits = 0x00FFFFFFu;

// The XOR mask of a not-XOR colour: ~(c ^ d) = d ^ ~c.
QRgb NotXorMask(QRgb Colour) { return ~Colour & RgbBits; }

// Whether the Index-th pixel along a styled line is drawn.
bool StyleOn(TLineStyle Style, int Index)
{
    switch (Style) {
    case TLineStyle::Solid: return true;
    case TLineStyle::Dot: return Index % 2 == 0;
    case TLineStyle::DashDotDot: {
        // dash of 6, gap 3, dot, gap 3, dot, gap 3
        static constexpr bool Pattern[18] = {true, true, true, true, true, true, false, false, false,
                                             true, false, false, false, true, false, false, false, false};
        return Pattern[Index % 18];
    }
    }
    return true;
}

} // namespace

template <class TValue>
TXorSprite TXorSprite::FromRuns(const QImage& Image, TValue Value, bool KeepColours)
{
    const QImage Rgb = Image.convertToFormat(QImage::Format_RGB32);
    TXorSprite S;
    S.FWidth = Rgb.width();
    S.FHeight = Rgb.height();
    for (int Y = 0; Y < S.FHeight; ++Y) {
        const QRgb* Line = reinterpret_cast<const QRgb*>(Rgb.constScanLine(Y));
        int X = 0;
        while (X < S.FWidth) {
            if (Value(Line[X]) == 0) {
                ++X;
                continue;
            }
            TRun Run{X, Y, 0, static_cast<int>(S.Colours.size())};
            while (X < S.FWidth && Value(Line[X]) != 0) {
                if (KeepColours)
                    S.Colours.push_back(Value(Line[X]));
                ++Run.Length;
                ++X;
            }
            S.FRuns.push_back(Run);
        }
    }
    return S;
}

TXorSprite TXorSprite::FromPicture(const QImage& Picture)
{
    return FromRuns(Picture, [](QRgb Pixel) { return ~Pixel & RgbBits; }, true);
}

TXorSprite TXorSprite::FromMask(const QImage& Mask)
{
    return FromRuns(Mask, [](QRgb Pixel) { return Pixel & RgbBits; }, false);
}

TXorCanvas::TXorCanvas(QImage& Page, const QRect& Clip, QPoint Origin)
    : FClip(Clip & Page.rect().translated(Origin)), Ox(Origin.x()), Oy(Origin.y()), Bits(Page.bits()),
      Stride(Page.bytesPerLine())
{
}

void TXorCanvas::FillWhite()
{
    for (int Y = FClip.top(); Y <= FClip.bottom(); ++Y)
        std::fill_n(Row(Y) + (FClip.left() - Ox), FClip.width(), QRgb(0xFFFFFFFFu));
}

void TXorCanvas::XorSpan(int X, int Y, int Length, QRgb Mask)
{
    if (Y < FClip.top() || Y > FClip.bottom())
        return;
    const int From = std::max(X, FClip.left());
    const int To = std::min(X + Length - 1, FClip.right());
    QRgb* Line = Row(Y) + (From - Ox);
    for (int I = From; I <= To; ++I)
        *Line++ ^= Mask;
}

void TXorCanvas::XorSprite(const TXorSprite& Sprite, int Left, int Top, QRgb Colour)
{
    const QRect Area(Left, Top, Sprite.Width(), Sprite.Height());
    if (!Area.intersects(FClip))
        return;
    const bool Mask = Sprite.IsMask();
    const QRgb MaskColour = Colour & RgbBits;
    const QRgb* Colours = Sprite.RunColours().data();
    if (FClip.contains(Area)) {
        // The usual case: the whole sprite is inside, no run needs clipping.
        for (const TXorSprite::TRun& Run : Sprite.Runs()) {
            QRgb* Line = Row(Top + Run.Y) + (Left + Run.X - Ox);
            if (Mask) {
                for (int I = 0; I < Run.Length; ++I)
                    Line[I] ^= MaskColour;
            } else {
                const QRgb* Source = Colours + Run.First;
                for (int I = 0; I < Run.Length; ++I)
                    Line[I] ^= Source[I];
            }
        }
        return;
    }
    for (const TXorSprite::TRun& Run : Sprite.Runs()) {
        const int Y = Top + Run.Y;
        if (Y < FClip.top() || Y > FClip.bottom())
            continue;
        const int X0 = Left + Run.X;
        const int From = std::max(X0, FClip.left());
        const int To = std::min(X0 + Run.Length - 1, FClip.right());
        QRgb* Line = Row(Y);
        if (Mask) {
            for (int X = From; X <= To; ++X)
                Line[X - Ox] ^= MaskColour;
        } else {
            const QRgb* Source = Colours + Run.First;
            for (int X = From; X <= To; ++X)
                Line[X - Ox] ^= Source[X - X0];
        }
    }
}

void TXorCanvas::XorImage(const QImage& Inverted, int Left, int Top)
{
    const QRect Area = QRect(Left, Top, Inverted.width(), Inverted.height()) & FClip;
    if (Area.isEmpty())
        return;
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y) {
        const QRgb* Source = reinterpret_cast<const QRgb*>(Inverted.constScanLine(Y - Top));
        QRgb* Line = Row(Y);
        for (int X = Area.left(); X <= Area.right(); ++X)
            Line[X - Ox] ^= Source[X - Left] & RgbBits;
    }
}

void TXorCanvas::NotXorPixel(int X, int Y, QRgb Colour) { XorPixel(X, Y, NotXorMask(Colour)); }

void TXorCanvas::NotXorLine(QPoint From, QPoint To, QRgb Colour, int Width)
{
    const QRgb Mask = NotXorMask(Colour);
    int X = From.x();
    int Y = From.y();
    const int Dx = std::abs(To.x() - X);
    const int Dy = std::abs(To.y() - Y);
    const int Sx = X < To.x() ? 1 : -1;
    const int Sy = Y < To.y() ? 1 : -1;
    const bool XMajor = Dx >= Dy;
    const int Half = Width >= 3 ? 1 : 0;
    // Integer Bresenham over the major axis; a wide line repeats it shifted
    // across the minor axis, so no pixel is hit twice.
    const int Steps = XMajor ? Dx : Dy;
    int Error = (XMajor ? Dx : Dy) / 2;
    for (int Step = 0; Step < Steps; ++Step) {
        for (int O = -Half; O <= Half; ++O) {
            if (XMajor)
                XorPixel(X, Y + O, Mask);
            else
                XorPixel(X + O, Y, Mask);
        }
        if (XMajor) {
            X += Sx;
            Error -= Dy;
            if (Error < 0) {
                Y += Sy;
                Error += Dx;
            }
        } else {
            Y += Sy;
            Error -= Dx;
            if (Error < 0) {
                X += Sx;
                Error += Dy;
            }
        }
    }
}

void TXorCanvas::NotXorFrame(const QRect& R, QRgb Colour, TLineStyle Style)
{
    const QRect N = R.normalized();
    const QRgb Mask = NotXorMask(Colour);
    int Index = 0;
    auto Put = [&](int X, int Y) {
        if (StyleOn(Style, Index++))
            XorPixel(X, Y, Mask);
    };
    if (N.width() == 1 || N.height() == 1) { // a degenerate frame is a line of pixels
        for (int Y = N.top(); Y <= N.bottom(); ++Y)
            for (int X = N.left(); X <= N.right(); ++X)
                Put(X, Y);
        return;
    }
    // Clockwise from the top-left corner; each border pixel once.
    for (int X = N.left(); X < N.right(); ++X)
        Put(X, N.top());
    for (int Y = N.top(); Y < N.bottom(); ++Y)
        Put(N.right(), Y);
    for (int X = N.right(); X > N.left(); --X)
        Put(X, N.bottom());
    for (int Y = N.bottom(); Y > N.top(); --Y)
        Put(N.left(), Y);
}

void TXorCanvas::NotXorFill(const QRect& R, QRgb Colour)
{
    const QRect N = R.normalized();
    const QRgb Mask = NotXorMask(Colour);
    for (int Y = N.top(); Y <= N.bottom(); ++Y)
        XorSpan(N.left(), Y, N.width(), Mask);
}

void TXorCanvas::NotXorEllipse(const QRect& R, QRgb Colour)
{
    const QRect N = R.normalized();
    const QRgb Mask = NotXorMask(Colour);
    const double A = N.width() / 2.0;
    const double B = N.height() / 2.0;
    const double Cx = N.left() + A;
    const double Cy = N.top() + B;
    for (int Y = N.top(); Y <= N.bottom(); ++Y) {
        const double Ty = (Y + 0.5 - Cy) / B;
        const double Room = 1.0 - Ty * Ty;
        if (Room < 0.0)
            continue;
        int From = N.right() + 1;
        int To = N.left() - 1;
        for (int X = N.left(); X <= N.right(); ++X) {
            const double Tx = (X + 0.5 - Cx) / A;
            if (Tx * Tx <= Room) {
                From = std::min(From, X);
                To = std::max(To, X);
            }
        }
        if (From <= To)
            XorSpan(From, Y, To - From + 1, Mask);
    }
}

void TXorCanvas::SetPixel(int X, int Y, QRgb Colour)
{
    if (FClip.contains(X, Y))
        Row(Y)[X - Ox] = Colour | 0xFF000000u;
}
