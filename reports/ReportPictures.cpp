#include "reports/ReportPictures.h"

#include "reports/PreviewForm.h"
#include "reports/ReportDrawing.h"
#include "reports/ReportText.h"

#include <QImage>
#include <QLabel>

#include <cmath>

namespace {

// A picture's own pixels per centimetre (from its whole dots per inch, as a
// device tells them); 96 dots per inch when it says none.
double PictureCm(int DotsPerInch)
{
    return (DotsPerInch > 0 ? DotsPerInch : 96) / 2.54;
}

// Moves the pen to the line after the y Bottom, then one line more.
void PenBelow(TPreviewForm& E, double Bottom)
{
    E.LineCounter = static_cast<int>(std::ceil((Bottom - E.Line0Y) / E.LineHeight));
    E.SkipLines(1);
}

struct TTileArrows {
    bool Right, Left, Above, Below;
    int RightPage, LeftPage, AbovePage, BelowPage;
};

// The arrows of a tile page, two points smaller than the report font.
void DrawTileArrows(TPreviewForm& E, const QRect& Tile, const TTileArrows& A)
{
    QPainter& Canvas = ReportCanvas();
    const QFont Kept = Canvas.font();
    QFont Small = E.ReportFont;
    Small.setPointSize(std::max(1, Small.pointSize() - 2));
    Canvas.setFont(Small);
    const int Line = TextHeight(Canvas);
    const int Left = E.Position[rlLeftMargin];
    const int Right = E.Position[rlRightMargin];
    const int Middle = Tile.top() + Tile.height() / 2 - Line;
    const QString Up = QStringLiteral("------>");
    const int UpLength = TextWidth(Canvas, Up);
    if (A.Right) {
        TextOutRight(Canvas, Right, Middle, QStringLiteral("------->"));
        TextOutRight(Canvas, Right, Middle + Line, QString::asprintf("%d", A.RightPage));
    }
    if (A.Left) {
        TextOutRight(Canvas, Left, Middle, QStringLiteral("<-------"));
        TextOutRight(Canvas, Left, Middle + Line, QString::asprintf("%d", A.LeftPage));
    }
    if (A.Above) {
        TextOutRotated(Canvas, Up, Right + 2, 90, Tile.top() + UpLength);
        TextOut(Canvas, Right + 2, Tile.top() + UpLength + 2, QString::asprintf("%d", A.AbovePage));
    }
    if (A.Below) {
        const int Bottom = std::max(Tile.top(), Tile.bottom() - UpLength - Line);
        TextOutRotated(Canvas, Up, Right + 2 + Line, 270, Bottom);
        TextOut(Canvas, Right + 2, Bottom + UpLength + 2, QString::asprintf("%d", A.BelowPage));
    }
    Canvas.setFont(Kept);
}

} // namespace

void DrawPictureAt(const QImage& Picture, int Height, int Width, const QRect& Source,
                   int LinesUsed, int X, int Y)
{
    TPreviewForm& E = ReportEngine();
    const int Lines = static_cast<int>(std::lround(Height / E.LineHeight));
    if (LinesUsed <= 0)
        E.CheckPageBreak(Lines);
    const QRect Target(X != 0 ? X : E.Position[rlLeftMargin], Y != 0 ? Y : E.PenPos.y(), Width,
                       Height);
    PrintBitmapRect(Target, Picture, ReportCanvas(), Source);
    E.SkipLines(std::max(0, Lines - LinesUsed) + 1);
}

void DrawPictureSized(const QImage& Picture, bool FixedWidth, double SizeCm,
                      const TLabelList& Labels, int X)
{
    if (Picture.isNull() || !(SizeCm > 0) || !std::isfinite(SizeCm))
        return;
    TPreviewForm& E = ReportEngine();
    const double Aspect = double(Picture.height()) / Picture.width();
    const double WidthCm = FixedWidth ? SizeCm : SizeCm / Aspect;
    const double HeightCm = FixedWidth ? Aspect * SizeCm : SizeCm;
    const int Width = static_cast<int>(std::lround(WidthCm * E.PpcmX));
    const int Height = static_cast<int>(std::lround(HeightCm * E.PpcmY));
    // The page break comes first, so the labels land where the picture does.
    E.CheckPageBreak(static_cast<int>(std::lround(Height / E.LineHeight)));
    const QPoint Corner(X != 0 ? X : E.Position[rlLeftMargin], E.PenPos.y());
    DrawPictureAt(Picture, Height, Width, QRect(), 0, Corner.x(), Corner.y());

    QPainter& Canvas = ReportCanvas();
    const QFont Kept = Canvas.font();
    QFont Small = Kept;
    Small.setPointSize(std::max(1, Kept.pointSize() - 2));
    Canvas.setFont(Small);
    const double ScaleX = double(Width) / Picture.width();
    const double ScaleY = double(Height) / Picture.height();
    for (const QLabel* Label : Labels)
        if (Label != nullptr)
            TextOut(Canvas, Corner.x() + qRound(Label->x() * ScaleX),
                    Corner.y() + qRound(Label->y() * ScaleY), Label->text());
    Canvas.setFont(Kept);
}

void DrawPictureAcrossPages(const QImage& Picture, const QRect& Source, double SmallestScale)
{
    const QRect Part = Source.isNull() ? Picture.rect() : Source.intersected(Picture.rect());
    if (Picture.isNull() || Part.isEmpty())
        return;
    TPreviewForm& E = ReportEngine();
    const double NaturalWidth = Part.width() * E.PpcmXf / PictureCm(Picture.logicalDpiX());
    const double NaturalHeight = Part.height() * E.PpcmYf / PictureCm(Picture.logicalDpiY());
    const double TextWidth = E.Position[rlRightMargin] - E.Position[rlLeftMargin];
    double SpaceHeight = E.TextLimitF - E.PenPos.y() - E.LineHeight;
    if (TextWidth <= 0)
        return;

    if (NaturalWidth <= TextWidth && NaturalHeight <= SpaceHeight) {
        DrawPictureAt(Picture, static_cast<int>(std::lround(NaturalHeight)),
                      static_cast<int>(std::lround(NaturalWidth)), Part, 0);
        return;
    }
    const double ByHeight = SpaceHeight / NaturalHeight;
    const double ByWidth = TextWidth / NaturalWidth;
    if (std::min(ByHeight, ByWidth) > SmallestScale) {
        int Width = 0;
        int Height = 0;
        if (ByHeight < ByWidth) {
            Height = static_cast<int>(std::lround(SpaceHeight));
            Width = static_cast<int>(Height * NaturalWidth / NaturalHeight);
        } else {
            Width = static_cast<int>(TextWidth);
            Height = static_cast<int>(Width * NaturalHeight / NaturalWidth);
        }
        DrawPictureAt(Picture, Height, Width, Part, 0);
        return;
    }

    // Tiles at the natural size, one per page.
    const double PageText = E.TextLimitF - E.Position[rlTopMargin];
    if (SpaceHeight < PageText / 2) {
        E.NewPage();
        SpaceHeight = E.TextLimitF - E.PenPos.y() - E.LineHeight;
    }
    SpaceHeight = std::max(0.0, SpaceHeight);
    const int Columns = static_cast<int>(NaturalWidth / TextWidth) + 1;
    const int Rows = NaturalHeight > SpaceHeight
                         ? static_cast<int>((NaturalHeight - SpaceHeight) / PageText) + 2
                         : 1;
    const int StartPage = E.PageNumber();
    const auto PageOf = [&](int Column, int Row) { return StartPage + Column * Rows + Row; };
    // Paper offset of a tile row or column, and its share of the picture.
    const auto RowTop = [&](int Row) {
        return Row == 0 ? 0.0 : std::min(NaturalHeight, SpaceHeight + (Row - 1) * PageText);
    };
    const auto ColumnLeft = [&](int Column) { return std::min(NaturalWidth, Column * TextWidth); };
    const auto SourceX = [&](double Paper) {
        return Part.x() + static_cast<int>(std::lround(Paper * Part.width() / NaturalWidth));
    };
    const auto SourceY = [&](double Paper) {
        return Part.y() + static_cast<int>(std::lround(Paper * Part.height() / NaturalHeight));
    };

    int LastBottom = E.PenPos.y();
    for (int c = 0; c < Columns; ++c) {
        const double PaperLeft = ColumnLeft(c);
        const double PaperRight = c + 1 < Columns ? ColumnLeft(c + 1) : NaturalWidth;
        for (int r = 0; r < Rows; ++r) {
            if (c > 0 || r > 0)
                E.NewPage();
            const double PaperTop = RowTop(r);
            const double PaperBottom = r + 1 < Rows ? RowTop(r + 1) : NaturalHeight;
            const int Y = r == 0 ? E.PenPos.y() : E.Position[rlTopMargin];
            const QRect Tile(E.Position[rlLeftMargin], Y,
                             static_cast<int>(std::lround(PaperRight - PaperLeft)),
                             static_cast<int>(std::lround(PaperBottom - PaperTop)));
            const QRect From(QPoint(SourceX(PaperLeft), SourceY(PaperTop)),
                             QPoint(SourceX(PaperRight) - 1, SourceY(PaperBottom) - 1));
            // A tile of no size still gets its page, with the arrows only.
            if (!Tile.isEmpty() && !From.isEmpty())
                PrintBitmapRect(Tile, Picture, ReportCanvas(), From);
            DrawTileArrows(E, Tile,
                           {c + 1 < Columns, c > 0, r > 0, r + 1 < Rows, PageOf(c + 1, r),
                            PageOf(c - 1, r), PageOf(c, r - 1), PageOf(c, r + 1)});
            LastBottom = Tile.top() + Tile.height();
        }
    }
    PenBelow(E, LastBottom);
}
