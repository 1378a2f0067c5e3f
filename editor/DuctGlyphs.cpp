#include "editor/DuctGlyphs.h"

#include "editor/GraphGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace {

const QColor SupplyLine(20, 80, 170);
const QColor SupplyFill(170, 205, 250);
const QColor ReturnLine(20, 120, 60);
const QColor ReturnFill(175, 230, 185);
const QColor DuctLine(60, 90, 140);
const QColor DuctFill(215, 230, 250);
const QColor FanLine(90, 40, 120);
const QColor FanFill(225, 205, 240);
// A selected branch, as the base selected-branch glyph shows it.
const QColor SelectedLine(170, 70, 0);
const QColor SelectedFill(255, 180, 70);

QPen Outline(const QColor& Colour, double Width = 1.4)
{
    return QPen(Colour, Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// An arrow from A to B with its head at B.
void Arrow(QPainter& P, QPointF A, QPointF B, const QColor& Colour)
{
    P.setPen(Outline(Colour, 1.6));
    P.drawLine(A, B);
    const QPointF D = B - A;
    const double Length = std::hypot(D.x(), D.y());
    if (Length <= 0)
        return;
    const QPointF U = D / Length;
    const QPointF N(-U.y(), U.x());
    const QPointF Head[] = {B, B - 4.0 * U + 2.6 * N, B - 4.0 * U - 2.6 * N};
    P.setBrush(Colour);
    P.setPen(Qt::NoPen);
    P.drawPolygon(Head, 3);
}

// ---- terminals, centred on C

void PlainTerminal(QPainter& P, QPointF C, bool Outlet)
{
    const QColor& Line = Outlet ? SupplyLine : ReturnLine;
    P.setPen(Outline(Line));
    P.setBrush(Outlet ? SupplyFill : ReturnFill);
    P.drawEllipse(C, 5.5, 5.5);
    // The air leaves an outlet and enters an inlet.
    if (Outlet)
        Arrow(P, C, C + QPointF(8.5, -8.5), Line);
    else
        Arrow(P, C + QPointF(-9, -9), C + QPointF(-2.5, -2.5), Line);
}

void Diffuser(QPainter& P, QPointF C)
{
    const QRectF Square(C - QPointF(7, 7), QSizeF(14, 14));
    P.setPen(Outline(SupplyLine));
    P.setBrush(SupplyFill);
    P.drawRect(Square);
    P.drawLine(Square.topLeft(), Square.bottomRight());
    P.drawLine(Square.topRight(), Square.bottomLeft());
}

void Grille(QPainter& P, QPointF C, bool Outlet)
{
    const QRectF Frame(C - QPointF(8, 5), QSizeF(16, 10));
    P.setPen(Outline(Outlet ? SupplyLine : ReturnLine));
    P.setBrush(Outlet ? SupplyFill : ReturnFill);
    P.drawRect(Frame);
    P.setPen(Outline(Outlet ? SupplyLine : ReturnLine, 1.0));
    for (double X = Frame.left() + 3; X < Frame.right() - 1; X += 3) {
        if (Outlet)
            P.drawLine(QPointF(X, Frame.top() + 1.5), QPointF(X, Frame.bottom() - 1.5));
        else // return grilles: slanted blades
            P.drawLine(QPointF(X - 1.5, Frame.bottom() - 1.5), QPointF(X + 1.5, Frame.top() + 1.5));
    }
}

void Canopy(QPainter& P, QPointF C)
{
    const QPointF Shape[] = {C + QPointF(-2.5, -8), C + QPointF(2.5, -8), C + QPointF(2.5, -3),
                             C + QPointF(8.5, 5),   C + QPointF(8.5, 7),  C + QPointF(-8.5, 7),
                             C + QPointF(-8.5, 5),  C + QPointF(-2.5, -3)};
    P.setPen(Outline(ReturnLine));
    P.setBrush(ReturnFill);
    P.drawPolygon(Shape, 8);
}

// ---- branches, centred on C

void RectDuct(QPainter& P, QPointF C, bool Selected)
{
    const QRectF Box(C - QPointF(7, 4.5), QSizeF(14, 9));
    P.setPen(Outline(Selected ? SelectedLine : DuctLine, Selected ? 2.0 : 1.4));
    P.setBrush(Selected ? SelectedFill : DuctFill);
    P.drawRect(Box);
    P.drawLine(Box.topLeft(), Box.bottomRight());
}

void SpiralDuct(QPainter& P, QPointF C, bool Selected)
{
    P.setPen(Outline(Selected ? SelectedLine : DuctLine, Selected ? 2.0 : 1.4));
    P.setBrush(Selected ? SelectedFill : DuctFill);
    P.drawEllipse(C, 6, 6);
    // The seam of a spiral-wound duct.
    QPainterPath Seam;
    Seam.moveTo(C + QPointF(-3.5, 2.5));
    Seam.cubicTo(C + QPointF(-1, -4.5), C + QPointF(1, 4.5), C + QPointF(3.5, -2.5));
    P.setBrush(Qt::NoBrush);
    P.setPen(Outline(Selected ? SelectedLine : DuctLine, 1.1));
    P.drawPath(Seam);
}

// A fan wheel: a ring with the triangle of the fan symbol.
void FanWheel(QPainter& P, QPointF C, double R, bool Selected)
{
    P.setPen(Outline(Selected ? SelectedLine : FanLine, Selected ? 2.0 : 1.5));
    P.setBrush(Selected ? SelectedFill : FanFill);
    P.drawEllipse(C, R, R);
    const QPointF Triangle[] = {C + QPointF(-0.45 * R, -0.6 * R), C + QPointF(0.7 * R, 0),
                                C + QPointF(-0.45 * R, 0.6 * R)};
    P.setBrush(Selected ? SelectedLine : FanLine);
    P.setPen(Qt::NoPen);
    P.drawPolygon(Triangle, 3);
}

void Booster(QPainter& P, QPointF C, bool Selected)
{
    const QRectF Box(C - QPointF(8.5, 5.5), QSizeF(17, 11));
    P.setPen(Outline(Selected ? SelectedLine : DuctLine, Selected ? 2.0 : 1.4));
    P.setBrush(Selected ? SelectedFill : DuctFill);
    P.drawRect(Box);
    FanWheel(P, C, 4.5, Selected);
}

void PaintGlyph(QPainter& P, int Glyph, QPointF NodeCentre, QPointF BranchCentre)
{
    switch (Glyph) {
    case giPlainInlet: PlainTerminal(P, NodeCentre, false); break;
    case giReturnGrille: Grille(P, NodeCentre, false); break;
    case giCanopy: Canopy(P, NodeCentre); break;
    case giPlainOutlet: PlainTerminal(P, NodeCentre, true); break;
    case giDiffuser: Diffuser(P, NodeCentre); break;
    case giSupplyGrille: Grille(P, NodeCentre, true); break;
    case giFan: FanWheel(P, BranchCentre, 8, false); break;
    case giBooster: Booster(P, BranchCentre, false); break;
    case giRectDuct: RectDuct(P, BranchCentre, false); break;
    case giSpiralDuct: SpiralDuct(P, BranchCentre, false); break;
    case giSelectedRectDuct: RectDuct(P, BranchCentre, true); break;
    case giSelectedSpiralDuct: SpiralDuct(P, BranchCentre, true); break;
    case giSelectedFan: FanWheel(P, BranchCentre, 8, true); break;
    case giSelectedBooster: Booster(P, BranchCentre, true); break;
    default: break;
    }
}

QImage GlyphPicture(int Glyph)
{
    QImage Picture(GlyphSize, GlyphSize, QImage::Format_RGB32);
    Picture.fill(Qt::white);
    QPainter P(&Picture);
    P.setRenderHint(QPainter::Antialiasing, true);
    PaintGlyph(P, Glyph, QPointF(10.5, 10.5), QPointF(11, 11));
    return Picture;
}

bool IsTerminalGlyph(int Glyph)
{
    return Glyph == giPlainInlet || Glyph == giReturnGrille || Glyph == giCanopy || Glyph == giPlainOutlet ||
           Glyph == giDiffuser || Glyph == giSupplyGrille;
}

} // namespace

void AddDuctGlyphs(TGlyphSet& Glyphs)
{
    for (int Glyph : {giPlainInlet, giReturnGrille, giCanopy, giPlainOutlet, giDiffuser, giSupplyGrille, giFan,
                      giBooster, giRectDuct, giSpiralDuct, giSelectedRectDuct, giSelectedSpiralDuct, giSelectedFan,
                      giSelectedBooster})
        Glyphs.Set(Glyph, GlyphPicture(Glyph));
}

QIcon DuctGlyphIcon(int Glyph, bool WithSpiral)
{
    QPixmap Picture(GlyphSize, GlyphSize);
    Picture.fill(Qt::transparent);
    QPainter P(&Picture);
    P.setRenderHint(QPainter::Antialiasing, true);
    if (!WithSpiral || !IsTerminalGlyph(Glyph)) {
        PaintGlyph(P, Glyph, QPointF(10.5, 10.5), QPointF(10.5, 10.5));
    } else {
        // A short spiral duct running into the terminal, both drawn smaller.
        P.setPen(QPen(QColor(0x56, 0x56, 0x56), 1.2));
        P.drawLine(QPointF(4, 17), QPointF(14, 7));
        P.save();
        P.translate(4.5, 16.5);
        P.scale(0.55, 0.55);
        SpiralDuct(P, QPointF(0, 0), false);
        P.restore();
        P.save();
        P.translate(14, 7);
        P.scale(0.62, 0.62);
        PaintGlyph(P, Glyph, QPointF(0, 0), QPointF(0, 0));
        P.restore();
    }
    P.end();
    return QIcon(Picture);
}
