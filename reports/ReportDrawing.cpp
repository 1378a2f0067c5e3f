#include "reports/ReportDrawing.h"

#include "reports/PreviewForm.h"
#include "reports/ReportText.h"

#include <QGuiApplication>
#include <QImage>

#include <cmath>

namespace {

QFont SizedFont(QFont Font, int PointSize)
{
    Font.setPointSize(std::max(1, PointSize));
    return Font;
}

} // namespace

void AddFontStyle(QFont& Font, int Style)
{
    if (Style & fsBold)
        Font.setBold(true);
    if (Style & fsItalic)
        Font.setItalic(true);
    if (Style & fsUnderline)
        Font.setUnderline(true);
    if (Style & fsStrikeOut)
        Font.setStrikeOut(true);
}

int DrawLetterhead(const QStringList& Lines, int X, const QString& FirstFontName,
                   const QString& OtherFontName, int FirstSize, int OtherSize)
{
    TPreviewForm& E = ReportEngine();
    QPainter& Canvas = ReportCanvas();
    const int Top = E.PenPos.y();
    int Y = Top;
    for (int i = 0; i < Lines.size(); ++i) {
        QFont Font = SizedFont(E.ReportFont, i == 0 ? FirstSize : OtherSize);
        Font.setBold(true);
        const QString& Name = i == 0 ? FirstFontName : OtherFontName;
        if (!Name.isEmpty())
            Font.setFamily(Name);
        Canvas.setFont(Font);
        TextOut(Canvas, X, Y, Lines[i]);
        const int Height = TextHeight(Canvas);
        Y += i == 0 ? static_cast<int>(1.25 * Height) : Height;
    }
    Canvas.setFont(E.ReportFont);
    const int Used = Y - Top;
    E.SkipLines(static_cast<int>(std::lround(Used / E.LineHeight)));
    return Used;
}

void DrawTitleLines(const QStringList& Lines, int SizeIncrease, int SkipAfterFirst)
{
    TPreviewForm& E = ReportEngine();
    QPainter& Canvas = ReportCanvas();
    TKeptFont Kept(Canvas);
    const int Size = E.ReportFont.pointSize();
    for (int i = 0; i < Lines.size(); ++i) {
        QFont Font = SizedFont(E.ReportFont, Size + (i == 0 ? SizeIncrease : SizeIncrease - 2));
        Font.setBold(true);
        Canvas.setFont(Font);
        TextOut(Canvas, E.Position[rlLeftMargin], E.PenPos.y(), Lines[i]);
        E.SkipLines(i == 0 ? SkipAfterFirst : 1);
    }
    if (Lines.size() >= 2)
        E.SkipLines(1);
}

void DrawDateRight(const QString& Date)
{
    TPreviewForm& E = ReportEngine();
    QPainter& Canvas = ReportCanvas();
    TKeptFont Kept(Canvas);
    QFont Font = Canvas.font();
    Font.setBold(true);
    Canvas.setFont(Font);
    TextOutRight(Canvas, E.Position[rlRightMargin], E.PenPos.y(), Date);
    E.SkipLines(2);
}

void DrawSignatureLine(bool Rule, const QString& Text)
{
    TPreviewForm& E = ReportEngine();
    QPainter& Canvas = ReportCanvas();
    if (Rule) {
        const int Y = E.PenPos.y() + static_cast<int>(std::lround(E.LineHeight / 2));
        Canvas.drawLine(E.Position[rlLeftMargin], Y, E.Position[rlRightMargin], Y);
        E.SkipLines(1);
    }
    TKeptFont Kept(Canvas);
    Canvas.setFont(SizedFont(Canvas.font(), E.ReportFont.pointSize()));
    TextOut(Canvas, E.Position[rlLeftMargin], E.PenPos.y(),
            QGuiApplication::applicationDisplayName() + QLatin1Char(' ') + Text);
}

void TextOutRight(QPainter& Canvas, int RightX, int Y, const QString& Text)
{
    TextOut(Canvas, RightX - TextWidth(Canvas, Text), Y, Text);
}

void TextOutRotated(QPainter& Canvas, const QString& Text, int X, double Angle, int Y)
{
    Canvas.save();
    QFont Font = Canvas.font();
    Font.setWeight(QFont::Normal);
    Font.setItalic(false);
    Canvas.setFont(Font);
    Canvas.translate(X, Y);
    Canvas.rotate(-Angle);
    TextOut(Canvas, 0, 0, Text);
    Canvas.restore();
}

void StretchBitmapToCanvas(const QRect& Destination, const QImage& Bitmap, QPainter& Canvas,
                           const QRect& Source, QPainter::CompositionMode Mode)
{
    if (Bitmap.isNull() || Destination.isEmpty())
        return;
    Canvas.save();
    Canvas.setRenderHint(QPainter::SmoothPixmapTransform);
    Canvas.setCompositionMode(Mode);
    Canvas.drawImage(QRectF(Destination), Bitmap, QRectF(Source.isNull() ? Bitmap.rect() : Source));
    Canvas.restore();
}

void PrintBitmapRect(const QRect& Destination, const QImage& Bitmap, QPainter& Canvas,
                     const QRect& Source, QPainter::CompositionMode Mode)
{
    if (Bitmap.isNull())
        return;
    const QRect Part = Source.isNull() ? Bitmap.rect() : Source.intersected(Bitmap.rect());
    if (Part.isEmpty())
        return;
    StretchBitmapToCanvas(Destination, Bitmap.copy(Part).convertToFormat(QImage::Format_RGB888),
                          Canvas, QRect(), Mode);
}

void MirrorBitmap(const QImage& Source, QImage& Destination, int Width, int Height)
{
    Width = std::min({Width, Source.width(), Destination.width()});
    Height = std::min({Height, Source.height(), Destination.height()});
    if (Width <= 0 || Height <= 0)
        return;
    QPainter Painter(&Destination);
    Painter.setCompositionMode(QPainter::CompositionMode_Source);
    Painter.drawImage(0, 0, Source.copy(0, 0, Width, Height).mirrored(true, false));
}
