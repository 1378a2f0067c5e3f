#include "tools/ToolGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor Ink(60, 60, 60);

void Page(QPainter& P, const QRectF& R)
{
    P.setPen(QPen(Ink, 1));
    P.setBrush(Qt::white);
    P.drawRect(R);
    P.setPen(QPen(QColor(150, 150, 150), 1));
    for (double Y = R.top() + 3; Y < R.bottom() - 1; Y += 2)
        P.drawLine(QPointF(R.left() + 2, Y), QPointF(R.right() - 2, Y));
}

void Disc(QPainter& P, const QColor& Fill, const QString& Letter)
{
    P.setPen(QPen(Fill.darker(140), 1));
    P.setBrush(Fill);
    P.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QFont F = P.font();
    F.setPixelSize(11);
    F.setBold(true);
    P.setFont(F);
    P.setPen(Qt::white);
    P.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, Letter);
}

void Draw(QPainter& P, TToolGlyph Glyph)
{
    switch (Glyph) {
    case TToolGlyph::Open: {
        P.setPen(QPen(QColor(150, 110, 20), 1));
        P.setBrush(QColor(240, 200, 90));
        P.drawRect(QRectF(1.5, 4.5, 12, 9));
        P.drawRect(QRectF(1.5, 3.5, 5, 1.5));
        QPainterPath Flap;
        Flap.moveTo(3.5, 7.5);
        Flap.lineTo(15.5, 7.5);
        Flap.lineTo(13.5, 13.5);
        Flap.lineTo(1.5, 13.5);
        Flap.closeSubpath();
        P.setBrush(QColor(252, 225, 130));
        P.drawPath(Flap);
        break;
    }
    case TToolGlyph::Save:
        P.setPen(QPen(QColor(30, 60, 120), 1));
        P.setBrush(QColor(70, 110, 190));
        P.drawRect(QRectF(1.5, 1.5, 13, 13));
        P.setBrush(Qt::white);
        P.drawRect(QRectF(3.5, 1.5, 9, 6));
        P.setBrush(QColor(190, 190, 200));
        P.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
    case TToolGlyph::Copy:
        Page(P, QRectF(1.5, 1.5, 8, 10));
        Page(P, QRectF(6.5, 4.5, 8, 10));
        break;
    case TToolGlyph::Paste:
        P.setPen(QPen(QColor(110, 70, 30), 1));
        P.setBrush(QColor(190, 140, 80));
        P.drawRect(QRectF(1.5, 2.5, 10, 12));
        P.setBrush(QColor(200, 200, 200));
        P.drawRect(QRectF(4.5, 1.5, 4, 2.5));
        Page(P, QRectF(6.5, 6.5, 8, 8.5));
        break;
    case TToolGlyph::Solve:
        P.setPen(QPen(Ink, 1));
        P.setBrush(QColor(220, 220, 225));
        P.drawRect(QRectF(2.5, 0.5, 11, 15));
        P.setBrush(QColor(170, 210, 170));
        P.drawRect(QRectF(4.5, 2.5, 7, 3));
        P.setBrush(Ink);
        for (int Row = 0; Row < 3; ++Row)
            for (int Col = 0; Col < 3; ++Col)
                P.drawRect(QRectF(4.5 + Col * 2.5, 7.5 + Row * 2.5, 1, 1));
        break;
    case TToolGlyph::View:
        P.setPen(QPen(Ink, 1));
        P.setBrush(Qt::white);
        P.drawRect(QRectF(1.5, 2.5, 13, 11));
        P.fillRect(QRectF(2, 3, 12, 3), QColor(170, 190, 230));
        P.drawLine(QPointF(1.5, 6.5), QPointF(14.5, 6.5));
        P.drawLine(QPointF(1.5, 10), QPointF(14.5, 10));
        P.drawLine(QPointF(6, 2.5), QPointF(6, 13.5));
        P.drawLine(QPointF(10.5, 2.5), QPointF(10.5, 13.5));
        break;
    case TToolGlyph::Print:
        Page(P, QRectF(4.5, 1.5, 7, 6));
        P.setPen(QPen(Ink, 1));
        P.setBrush(QColor(190, 190, 195));
        P.drawRect(QRectF(1.5, 6.5, 13, 6));
        P.setBrush(Qt::white);
        P.drawRect(QRectF(4.5, 10.5, 7, 4));
        P.fillRect(QRectF(12, 8, 1.5, 1.5), QColor(60, 170, 60));
        break;
    case TToolGlyph::Align: {
        P.setPen(QPen(Ink, 1.2));
        P.drawLine(QPointF(1.5, 3), QPointF(1.5, 13));
        P.drawLine(QPointF(14.5, 3), QPointF(14.5, 13));
        P.drawLine(QPointF(3.5, 8), QPointF(12.5, 8));
        P.setBrush(Ink);
        P.drawPolygon(QPolygonF({QPointF(3, 8), QPointF(6, 5.5), QPointF(6, 10.5)}));
        P.drawPolygon(QPolygonF({QPointF(13, 8), QPointF(10, 5.5), QPointF(10, 10.5)}));
        break;
    }
    case TToolGlyph::Reset: {
        P.setPen(QPen(QColor(40, 120, 40), 2));
        P.setBrush(Qt::NoBrush);
        P.drawArc(QRectF(2.5, 2.5, 11, 11), 100 * 16, 280 * 16);
        P.setPen(Qt::NoPen);
        P.setBrush(QColor(40, 120, 40));
        P.drawPolygon(QPolygonF({QPointF(6, 0.5), QPointF(10.5, 3), QPointF(6, 6)}));
        break;
    }
    case TToolGlyph::About:
        Disc(P, QColor(40, 110, 200), "i");
        break;
    case TToolGlyph::Help:
        Disc(P, QColor(40, 110, 200), "?");
        break;
    case TToolGlyph::Cancel:
        P.setPen(QPen(QColor(200, 40, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
        P.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        P.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case TToolGlyph::Accept:
        P.setPen(QPen(QColor(30, 150, 50), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        P.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
        break;
    case TToolGlyph::Location: {
        QPainterPath Pin;
        Pin.moveTo(8, 15);
        Pin.cubicTo(3, 9, 2.5, 7, 2.5, 6);
        Pin.arcTo(QRectF(2.5, 0.5, 11, 11), 180, -180);
        Pin.cubicTo(13.5, 7, 13, 9, 8, 15);
        P.setPen(QPen(QColor(150, 30, 30), 1));
        P.setBrush(QColor(220, 60, 50));
        P.drawPath(Pin);
        P.setBrush(Qt::white);
        P.drawEllipse(QRectF(5.5, 3.5, 5, 5));
        break;
    }
    }
}

} // namespace

QIcon ToolGlyph(TToolGlyph Glyph)
{
    QPixmap Picture(32, 32);
    Picture.setDevicePixelRatio(2.0);
    Picture.fill(Qt::transparent);
    QPainter P(&Picture);
    P.setRenderHint(QPainter::Antialiasing);
    Draw(P, Glyph);
    P.end();
    return QIcon(Picture);
}
