#include "controls/PicPanel.h"

#include "controls/GuardedCall.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>

TPicPanel::TPicPanel(QWidget* Parent) : QFrame(Parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
}

void TPicPanel::SetPicture(const QPixmap& Picture)
{
    FPicture = Picture;
    SetTransparent(FTransparent);
}

void TPicPanel::SetCenter(bool Value)
{
    FCenter = Value;
    update();
}

void TPicPanel::SetStretch(bool Value)
{
    FStretch = Value;
    update();
}

void TPicPanel::SetTransparent(bool Value)
{
    FTransparent = Value;
    Shown = FPicture;
    if (Value && !Shown.isNull() && !Shown.hasAlphaChannel()) {
        const QImage Image = FPicture.toImage();
        const QColor Key = Image.pixelColor(0, Image.height() - 1);
        Shown.setMask(FPicture.createMaskFromColor(Key, Qt::MaskInColor));
    }
    update();
}

void TPicPanel::SetPressed(bool Value)
{
    if (FPressed == Value)
        return;
    FPressed = Value;
    setFrameShadow(Value ? QFrame::Sunken : QFrame::Raised);
    update();
}

void TPicPanel::paintEvent(QPaintEvent* Event)
{
    QFrame::paintEvent(Event);
    if (Shown.isNull())
        return;
    QPainter Painter(this);
    QRect Area = contentsRect();
    if (FPressed)
        Area.translate(1, 1); // the picture sinks with the bevel
    if (FStretch) {
        Painter.drawPixmap(Area, Shown);
        return;
    }
    QRect Target(Area.topLeft(), Shown.size() / Shown.devicePixelRatio());
    if (FCenter)
        Target.moveCenter(Area.center());
    Painter.setClipRect(Area);
    Painter.drawPixmap(Target, Shown);
}

void TPicPanel::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton && isEnabled())
        SetPressed(true);
    QFrame::mousePressEvent(Event);
}

void TPicPanel::mouseReleaseEvent(QMouseEvent* Event)
{
    QFrame::mouseReleaseEvent(Event);
    if (Event->button() != Qt::LeftButton || !FPressed)
        return;
    SetPressed(false);
    if (isEnabled() && rect().contains(Event->position().toPoint()) && OnClick)
        GuardedCall(this, [this] { OnClick(this); });
}
