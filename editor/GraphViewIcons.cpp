#include "editor/GraphViewIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int Size = 20;

const QColor Ink(50, 50, 60);
const QColor Blue(40, 90, 170);
const QColor Red(200, 40, 30);
const QColor Paper(250, 250, 245);
const QColor Sky(170, 210, 240);
const QColor Grass(110, 170, 80);

void Picture(QPainter& P, int X, int Y, int W, int H)
{
    P.setPen(Ink);
    P.setBrush(Sky);
    P.drawRect(X, Y, W, H);
    P.setPen(Qt::NoPen);
    P.setBrush(Grass);
    P.drawPolygon(QPolygon({QPoint(X + 1, Y + H), QPoint(X + W / 3, Y + H / 2), QPoint(X + W / 2, Y + 2 * H / 3),
                            QPoint(X + 3 * W / 4, Y + H / 3), QPoint(X + W, Y + H)}));
}

void Magnifier(QPainter& P)
{
    P.setPen(QPen(Ink, 1.5));
    P.setBrush(Paper);
    P.drawEllipse(QPointF(8, 8), 5.5, 5.5);
    P.setPen(QPen(Ink, 3, Qt::SolidLine, Qt::RoundCap));
    P.drawLine(QPointF(12.5, 12.5), QPointF(17, 17));
}

void NodeDot(QPainter& P, QPointF C, double R = 3)
{
    P.setPen(QPen(Blue, 1.2));
    P.setBrush(QColor(150, 190, 240));
    P.drawEllipse(C, R, R);
}

void Page(QPainter& P, int X, int Y)
{
    P.setPen(Ink);
    P.setBrush(Paper);
    P.drawRect(X, Y, 9, 11);
    for (int L = Y + 3; L < Y + 10; L += 2)
        P.drawLine(X + 2, L, X + 7, L);
}

void Draw(QPainter& P, TViewIcon Which)
{
    switch (Which) {
    case TViewIcon::Arrow:
        P.setPen(Ink);
        P.setBrush(Qt::white);
        P.drawPolygon(QPolygon({QPoint(5, 2), QPoint(5, 16), QPoint(8, 13), QPoint(11, 18), QPoint(13, 17),
                                QPoint(10, 12), QPoint(14, 12)}));
        break;
    case TViewIcon::Node: NodeDot(P, QPointF(10, 10), 6); break;
    case TViewIcon::Branch:
        P.setPen(QPen(QColor(86, 86, 86), 1.5));
        P.drawLine(QPointF(4, 16), QPointF(15, 5));
        P.setPen(QPen(Qt::black, 2.5));
        P.drawLine(QPointF(13, 7), QPointF(15.5, 4.5));
        NodeDot(P, QPointF(4, 16));
        NodeDot(P, QPointF(16, 4));
        break;
    case TViewIcon::BackSetPic:
        Picture(P, 1, 4, 14, 11);
        P.setPen(QPen(Blue, 2));
        P.drawLine(16, 2, 16, 9);
        P.drawLine(13, 5, 19, 5);
        break;
    case TViewIcon::BackClearPic:
        Picture(P, 1, 4, 14, 11);
        P.setPen(QPen(Red, 2));
        P.drawLine(12, 10, 18, 17);
        P.drawLine(18, 10, 12, 17);
        break;
    case TViewIcon::BackResize:
        Picture(P, 1, 1, 12, 9);
        P.setPen(QPen(Blue, 1.5));
        P.drawLine(8, 8, 18, 18);
        P.drawLine(18, 18, 18, 13);
        P.drawLine(18, 18, 13, 18);
        break;
    case TViewIcon::RepositionNodes:
        P.setPen(QPen(QColor(86, 86, 86), 1.2));
        P.drawLine(4, 10, 15, 4);
        P.drawLine(4, 10, 15, 10);
        P.drawLine(4, 10, 15, 16);
        NodeDot(P, QPointF(4, 10));
        NodeDot(P, QPointF(15, 4), 2.5);
        NodeDot(P, QPointF(15, 10), 2.5);
        NodeDot(P, QPointF(15, 16), 2.5);
        break;
    case TViewIcon::ToolsGrid:
    case TViewIcon::Grid:
        P.setPen(Qt::NoPen);
        P.setBrush(QColor(255, 140, 0));
        for (int Y = 3; Y < Size; Y += 5)
            for (int X = 3; X < Size; X += 5)
                P.drawRect(X - 1, Y - 1, 2, 2);
        if (Which == TViewIcon::ToolsGrid) {
            P.setPen(Ink);
            P.setBrush(Qt::NoBrush);
            P.drawRect(0, 0, Size - 1, Size - 1);
        }
        break;
    case TViewIcon::ToolsScale:
    case TViewIcon::AutoScale:
        P.setPen(QColor(90, 60, 0));
        P.setBrush(QColor(250, 220, 120));
        P.drawRect(1, 7, 18, 7);
        for (int X = 3; X < 19; X += 3)
            P.drawLine(X, 7, X, X % 2 ? 11 : 9);
        if (Which == TViewIcon::AutoScale) {
            P.setPen(QPen(Blue, 1.5));
            P.drawLine(2, 3, 18, 3);
            P.drawLine(2, 3, 5, 1);
            P.drawLine(18, 3, 15, 1);
            P.drawLine(2, 3, 5, 5);
            P.drawLine(18, 3, 15, 5);
        }
        break;
    case TViewIcon::ZoomIn:
        Magnifier(P);
        P.setPen(QPen(Blue, 1.5));
        P.drawLine(5, 8, 11, 8);
        P.drawLine(8, 5, 8, 11);
        break;
    case TViewIcon::ZoomOut:
        Magnifier(P);
        P.setPen(QPen(Blue, 1.5));
        P.drawLine(5, 8, 11, 8);
        break;
    case TViewIcon::ZoomFull:
        Magnifier(P);
        P.setPen(QPen(Blue, 1));
        P.setFont(QFont("Arial", 5));
        P.drawText(QRect(3, 4, 11, 8), Qt::AlignCenter, "1:1");
        break;
    case TViewIcon::SetLabels:
        P.setPen(Ink);
        P.setBrush(QColor(255, 250, 200));
        P.drawPolygon(QPolygon({QPoint(1, 5), QPoint(14, 5), QPoint(19, 10), QPoint(14, 15), QPoint(1, 15)}));
        P.setPen(Blue);
        P.setFont(QFont("Arial", 7, QFont::Bold));
        P.drawText(QRect(2, 5, 12, 10), Qt::AlignCenter, "Ab");
        break;
    case TViewIcon::Delete:
        P.setPen(QPen(Red, 3, Qt::SolidLine, Qt::RoundCap));
        P.drawLine(5, 5, 15, 15);
        P.drawLine(15, 5, 5, 15);
        break;
    case TViewIcon::Copy:
        Page(P, 2, 2);
        Page(P, 8, 7);
        break;
    case TViewIcon::Paste:
        P.setPen(Ink);
        P.setBrush(QColor(190, 140, 80));
        P.drawRect(2, 3, 12, 15);
        P.setBrush(QColor(160, 160, 160));
        P.drawRect(5, 1, 6, 4);
        Page(P, 9, 7);
        break;
    case TViewIcon::UndoDelete: {
        QPainterPath Path;
        Path.moveTo(5, 8);
        Path.cubicTo(8, 2, 17, 4, 16, 11);
        Path.cubicTo(15, 16, 10, 17, 7, 15);
        P.setPen(QPen(Blue, 2));
        P.setBrush(Qt::NoBrush);
        P.drawPath(Path);
        P.setBrush(Blue);
        P.setPen(Qt::NoPen);
        P.drawPolygon(QPolygon({QPoint(2, 4), QPoint(9, 5), QPoint(4, 11)}));
        break;
    }
    case TViewIcon::Cut:
        P.setPen(QPen(Ink, 1.5));
        P.setBrush(Qt::NoBrush);
        P.drawEllipse(QPointF(5, 15), 3, 3);
        P.drawEllipse(QPointF(15, 15), 3, 3);
        P.drawLine(QPointF(7, 13), QPointF(14, 2));
        P.drawLine(QPointF(13, 13), QPointF(6, 2));
        break;
    case TViewIcon::Snap:
        P.setPen(Qt::NoPen);
        P.setBrush(QColor(255, 140, 0));
        for (int Y = 4; Y < Size; Y += 6)
            for (int X = 4; X < Size; X += 6)
                P.drawRect(X - 1, Y - 1, 2, 2);
        NodeDot(P, QPointF(10, 10), 4);
        P.setPen(QPen(Blue, 1));
        P.drawLine(3, 17, 8, 12);
        P.drawLine(8, 12, 8, 15);
        P.drawLine(8, 12, 5, 12);
        break;
    case TViewIcon::DrawMode:
        P.setPen(QPen(QColor(86, 86, 86), 1.2));
        P.drawPolyline(QPolygon({QPoint(3, 16), QPoint(8, 8), QPoint(14, 12)}));
        NodeDot(P, QPointF(3, 16), 2);
        NodeDot(P, QPointF(8, 8), 2);
        NodeDot(P, QPointF(14, 12), 2);
        P.setPen(QPen(QColor(150, 90, 20), 2.5));
        P.drawLine(14, 12, 19, 3);
        break;
    }
}

} // namespace

QIcon ViewIcon(TViewIcon Which)
{
    QPixmap Pixmap(Size, Size);
    Pixmap.fill(Qt::transparent);
    QPainter P(&Pixmap);
    P.setRenderHint(QPainter::Antialiasing, true);
    Draw(P, Which);
    P.end();
    return QIcon(Pixmap);
}
