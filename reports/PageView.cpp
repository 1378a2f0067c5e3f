#include "reports/PageView.h"

#include <QMouseEvent>
#include <QPainter>

TPageView::TPageView(QWidget* Parent) : QWidget(Parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPageView::SetPage(const QImage& Picture, QPoint Origin)
{
    FPicture = Picture;
    FOrigin = Origin;
    update();
}

void TPageView::SetMarks(std::vector<TMark> Marks)
{
    FMarks = std::move(Marks);
    update();
}

void TPageView::paintEvent(QPaintEvent* Event)
{
    QPainter Painter(this);
    Painter.fillRect(Event->rect(), palette().color(QPalette::Dark));
    Painter.drawImage(FOrigin, FPicture);
    if (FMarks.empty())
        return;
    // Inverted dashes stay visible on white paper and on dark drawings alike.
    Painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    Painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    Painter.setClipRect(QRect(FOrigin, FPicture.size()));
    for (const TMark& Mark : FMarks) {
        if (Mark.Horizontal)
            Painter.drawLine(FOrigin.x(), FOrigin.y() + Mark.At,
                             FOrigin.x() + FPicture.width() - 1, FOrigin.y() + Mark.At);
        else
            Painter.drawLine(FOrigin.x() + Mark.At, FOrigin.y(), FOrigin.x() + Mark.At,
                             FOrigin.y() + FPicture.height() - 1);
    }
}

QPoint TPageView::InPicture(const QMouseEvent* Event) const
{
    return Event->position().toPoint() - FOrigin;
}

void TPageView::mousePressEvent(QMouseEvent* Event)
{
    if (OnPress)
        OnPress(InPicture(Event), Event->button());
}

void TPageView::mouseMoveEvent(QMouseEvent* Event)
{
    if (OnMove)
        OnMove(InPicture(Event), Event->buttons());
}

void TPageView::mouseReleaseEvent(QMouseEvent* Event)
{
    if (OnRelease)
        OnRelease(InPicture(Event), Event->button());
}
