#include "app/MainFormIcons.h"

#include <QPainter>
#include <QPixmap>

namespace {

constexpr int Size = 20;

const QColor Ink(50, 50, 60);
const QColor Paper(250, 250, 245);
const QColor Folder(230, 190, 90);
const QColor Blue(40, 90, 170);
const QColor Disk(70, 100, 160);
const QColor Green(60, 140, 70);
const QColor Red(190, 50, 40);

void Sheet(QPainter& P)
{
    P.setPen(Ink);
    P.setBrush(Paper);
    P.drawPolygon(QPolygon({QPoint(4, 1), QPoint(12, 1), QPoint(16, 5), QPoint(16, 18), QPoint(4, 18)}));
    P.drawLine(12, 1, 12, 5);
    P.drawLine(12, 5, 16, 5);
}

// A duct run with a mark: the sizing and balancing commands share it.
void DuctWithLetter(QPainter& P, const QString& Letter, const QColor& Colour)
{
    P.setPen(QPen(Ink, 1));
    P.setBrush(QColor(205, 215, 225));
    P.drawRect(1, 12, 18, 6);
    QFont F = P.font();
    F.setPixelSize(11);
    F.setBold(true);
    P.setFont(F);
    P.setPen(Colour);
    P.drawText(QRect(0, 0, Size, 12), Qt::AlignCenter, Letter);
}

void Draw(QPainter& P, TMainIcon Which)
{
    switch (Which) {
    case TMainIcon::New:
        Sheet(P);
        break;
    case TMainIcon::Open:
        P.setPen(Ink);
        P.setBrush(Folder.darker(115));
        P.drawRect(1, 5, 15, 12);
        P.setBrush(Folder);
        P.drawPolygon(QPolygon({QPoint(4, 9), QPoint(19, 9), QPoint(16, 17), QPoint(1, 17)}));
        break;
    case TMainIcon::Save:
        P.setPen(Ink);
        P.setBrush(Disk);
        P.drawRect(2, 2, 16, 16);
        P.setBrush(Paper);
        P.drawRect(5, 2, 10, 6);
        P.setBrush(QColor(200, 200, 200));
        P.drawRect(5, 11, 10, 7);
        break;
    case TMainIcon::Table:
        P.setPen(Ink);
        P.setBrush(Paper);
        P.drawRect(1, 3, 18, 14);
        P.fillRect(2, 4, 17, 3, QColor(170, 190, 220));
        for (int Y : {7, 10, 13})
            P.drawLine(1, Y, 19, Y);
        for (int X : {6, 12})
            P.drawLine(X, 3, X, 17);
        break;
    case TMainIcon::EqualFriction:
        DuctWithLetter(P, "EF", Blue);
        break;
    case TMainIcon::StaticRegain:
        DuctWithLetter(P, "SR", Blue);
        break;
    case TMainIcon::Velocity:
        DuctWithLetter(P, "V", Blue);
        break;
    case TMainIcon::StandardSizes:
        DuctWithLetter(P, "SS", Green);
        break;
    case TMainIcon::SumFlows:
        DuctWithLetter(P, QString(QChar(0x03A3)), Red);
        break;
    case TMainIcon::BalanceFlows:
        DuctWithLetter(P, "BF", Red);
        break;
    case TMainIcon::PrintReport:
        P.setPen(Ink);
        P.setBrush(Paper);
        P.drawRect(5, 1, 10, 7);
        P.setBrush(QColor(160, 160, 170));
        P.drawRect(1, 8, 18, 7);
        P.setBrush(Paper);
        P.drawRect(5, 12, 10, 7);
        P.drawLine(7, 15, 13, 15);
        break;
    }
}

} // namespace

QIcon MainIcon(TMainIcon Which)
{
    QPixmap Pixmap(Size, Size);
    Pixmap.fill(Qt::transparent);
    {
        QPainter P(&Pixmap);
        P.setRenderHint(QPainter::Antialiasing);
        Draw(P, Which);
    }
    return QIcon(Pixmap);
}
