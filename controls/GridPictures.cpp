#include "controls/GridPictures.h"

#include <QPainter>
#include <QPolygon>

namespace {

// A solid triangle 7 wide and 4 high, centred on row Y, pointing up or down.
void Arrow(QPainter& Painter, int Y, bool Up)
{
    const int Tip = Up ? Y - 2 : Y + 2, Base = Up ? Y + 1 : Y - 1;
    Painter.drawPolygon(QPolygon({QPoint(4, Base), QPoint(10, Base), QPoint(7, Tip)}));
}

} // namespace

QPixmap GridPicture(const QString& Name, const QColor& Ink)
{
    QPixmap Picture(GridPictureSize, GridPictureSize);
    Picture.fill(Qt::transparent);
    QPainter Painter(&Picture);
    Painter.setPen(Ink);
    Painter.setBrush(Ink);
    if (Name == "SPINUPPIC") {
        Arrow(Painter, 7, true);
    } else if (Name == "SPINDNPIC") {
        Arrow(Painter, 7, false);
    } else if (Name == "PULLDNPIC") {
        Arrow(Painter, 6, false);
        Painter.drawLine(4, 11, 10, 11);
    } else if (Name == "PROPEDPIC") {
        for (int X : {3, 7, 11})
            Painter.fillRect(X - 1, 10, 2, 2, Ink);
    } else {
        Painter.end();
        return {};
    }
    return Picture;
}
