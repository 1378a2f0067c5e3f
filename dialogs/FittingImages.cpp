#include "dialogs/FittingImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <array>

int FittingImageIndex(std::string_view Code)
{
    const std::size_t Dash = Code.find('-');
    if (Dash == std::string_view::npos)
        return 0;
    std::size_t Start = Dash;
    while (Start > 0 && Code[Start - 1] >= '0' && Code[Start - 1] <= '9')
        --Start;
    if (Start == Dash)
        return 0;
    // Read saturating: a run too long for an integer names no category.
    int N = 0;
    for (std::size_t I = Start; I < Dash; ++I)
        N = std::min(N * 10 + (Code[I] - '0'), 1000);
    if (N == 1)
        return 1;
    if (N >= 2 && N <= 10)
        return N - 1;
    return 0;
}

namespace {

constexpr int IconSide = 16;

const QColor Metal(70, 100, 140);
const QColor MetalFill(200, 215, 235);
const QColor Air(30, 130, 200);

QPen OutlinePen() { return QPen(Metal, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

// A straight duct piece from (X0, Y) to (X1, Y), 6 pixels high.
void DuctPiece(QPainter& P, double X0, double X1, double Y)
{
    P.setPen(OutlinePen());
    P.setBrush(MetalFill);
    P.drawRect(QRectF(X0, Y - 3, X1 - X0, 6));
}

void DrawUnknown(QPainter& P)
{
    DuctPiece(P, 2, 14, 8);
    P.setPen(QPen(Metal, 1.4));
    P.drawLine(QPointF(6, 8), QPointF(10, 8));
}

// Entries and exits: an open duct end with the air leaving it.
void DrawEntryExit(QPainter& P)
{
    DuctPiece(P, 1, 9, 8);
    P.setPen(QPen(Air, 1.4, Qt::SolidLine, Qt::RoundCap));
    P.drawLine(QPointF(10, 8), QPointF(15, 8));
    P.drawLine(QPointF(12.5, 5.5), QPointF(15, 8));
    P.drawLine(QPointF(12.5, 10.5), QPointF(15, 8));
    P.drawLine(QPointF(10, 4), QPointF(13, 2.5));
    P.drawLine(QPointF(10, 12), QPointF(13, 13.5));
}

// Elbows: a quarter bend.
void DrawElbow(QPainter& P)
{
    QPainterPath Path;
    Path.moveTo(1, 5);
    Path.lineTo(6, 5);
    Path.arcTo(QRectF(1, 5, 10, 10), 90, -90);
    Path.lineTo(11, 15);
    Path.lineTo(5, 15);
    Path.lineTo(5, 11);
    Path.lineTo(1, 11);
    Path.closeSubpath();
    P.setPen(OutlinePen());
    P.setBrush(MetalFill);
    P.drawPath(Path);
}

// Transitions: a duct narrowing from one size to another.
void DrawTransition(QPainter& P)
{
    const QPointF Shape[] = {{1, 3}, {5, 3}, {11, 6}, {15, 6}, {15, 10}, {11, 10}, {5, 13}, {1, 13}};
    P.setPen(OutlinePen());
    P.setBrush(MetalFill);
    P.drawPolygon(Shape, 8);
}

// Junctions: a tee, the branch leaving the main run.
void DrawJunction(QPainter& P)
{
    const QPointF Shape[] = {{1, 9}, {5.5, 9}, {5.5, 1}, {10.5, 1}, {10.5, 9}, {15, 9}, {15, 15}, {1, 15}};
    P.setPen(OutlinePen());
    P.setBrush(MetalFill);
    P.drawPolygon(Shape, 8);
}

// Obstructions: a bar across the duct.
void DrawObstruction(QPainter& P)
{
    DuctPiece(P, 1, 15, 8);
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(120, 80, 40));
    P.drawEllipse(QPointF(8, 8), 2.6, 2.6);
}

// Fan system effects: a fan wheel.
void DrawFan(QPainter& P)
{
    P.setPen(OutlinePen());
    P.setBrush(MetalFill);
    P.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    P.setPen(Qt::NoPen);
    P.setBrush(Air);
    for (int I = 0; I < 3; ++I) {
        P.save();
        P.translate(8, 8);
        P.rotate(120.0 * I);
        P.drawEllipse(QRectF(-1.5, -6, 3, 5.5));
        P.restore();
    }
}

// Duct equipment: a coil, tubes across the duct.
void DrawEquipment(QPainter& P)
{
    P.setPen(OutlinePen());
    P.setBrush(MetalFill);
    P.drawRect(QRectF(1.5, 2.5, 13, 11));
    P.setPen(QPen(QColor(190, 60, 40), 1.2));
    for (double X = 4; X < 14; X += 3)
        P.drawLine(QPointF(X, 3.5), QPointF(X, 12.5));
}

// Dampers: a blade pivoted in the duct.
void DrawDamper(QPainter& P)
{
    DuctPiece(P, 1, 15, 8);
    P.setPen(QPen(QColor(40, 40, 40), 1.6, Qt::SolidLine, Qt::RoundCap));
    P.drawLine(QPointF(5, 12.5), QPointF(11, 3.5));
    P.setBrush(QColor(40, 40, 40));
    P.drawEllipse(QPointF(8, 8), 1.2, 1.2);
}

// Hoods: a canopy over a duct.
void DrawHood(QPainter& P)
{
    const QPointF Shape[] = {{6, 1}, {10, 1}, {10, 6}, {15, 12}, {15, 14}, {1, 14}, {1, 12}, {6, 6}};
    P.setPen(OutlinePen());
    P.setBrush(MetalFill);
    P.drawPolygon(Shape, 8);
}

QIcon MakeIcon(void (*Draw)(QPainter&))
{
    QPixmap Picture(IconSide, IconSide);
    Picture.fill(Qt::transparent);
    QPainter P(&Picture);
    P.setRenderHint(QPainter::Antialiasing, true);
    Draw(P);
    P.end();
    return QIcon(Picture);
}

} // namespace

const QIcon& FittingCategoryIcon(int Index)
{
    static const std::array<QIcon, FittingImageCount> Icons = {
        MakeIcon(DrawUnknown),   MakeIcon(DrawEntryExit), MakeIcon(DrawElbow),       MakeIcon(DrawTransition),
        MakeIcon(DrawJunction),  MakeIcon(DrawObstruction), MakeIcon(DrawFan),       MakeIcon(DrawEquipment),
        MakeIcon(DrawDamper),    MakeIcon(DrawHood),
    };
    if (Index < 0 || Index >= FittingImageCount)
        Index = 0;
    return Icons[static_cast<std::size_t>(Index)];
}
