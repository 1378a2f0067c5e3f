#include "editor/GraphCanvas.h"

#include "controls/GuardedCall.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

namespace {

bool ButtonOf(Qt::MouseButton Qt, TMouseButton& Button)
{
    switch (Qt) {
    case Qt::LeftButton: Button = TMouseButton::Left; return true;
    case Qt::RightButton: Button = TMouseButton::Right; return true;
    case Qt::MiddleButton: Button = TMouseButton::Middle; return true;
    default: return false;
    }
}

} // namespace

TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons, bool Double)
{
    TShiftState S = 0;
    if (Modifiers & Qt::ShiftModifier)
        S |= ssShift;
    if (Modifiers & Qt::AltModifier)
        S |= ssAlt;
    if (Modifiers & Qt::ControlModifier)
        S |= ssCtrl;
    if (Buttons & Qt::LeftButton)
        S |= ssLeft;
    if (Buttons & Qt::RightButton)
        S |= ssRight;
    if (Buttons & Qt::MiddleButton)
        S |= ssMiddle;
    if (Double)
        S |= ssDouble;
    return S;
}

TGraphCanvas::TGraphCanvas(TGraphViewFrame* Frame, QWidget* Parent) : QWidget(Parent), Frame(Frame)
{
    setMouseTracking(true); // hover hints
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
}

void TGraphCanvas::paintEvent(QPaintEvent* Event)
{
    Frame->FlushDrawing();
    QPainter P(this);
    const QRect Area = Event->rect();
    P.fillRect(Area, palette().color(QPalette::Dark)); // beyond a smaller page
    P.drawImage(Area.topLeft(), Frame->DrawBitmap, Area);
}

void TGraphCanvas::mousePressEvent(QMouseEvent* Event)
{
    TMouseButton Button;
    if (!ButtonOf(Event->button(), Button))
        return;
    const QPoint P = Event->position().toPoint();
    const TShiftState S = ShiftStateOf(Event->modifiers(), Event->buttons() | Event->button(), false);
    GuardedCall(this, [&] { Frame->Image1MouseDown(Button, S, P.x(), P.y()); });
}

void TGraphCanvas::mouseDoubleClickEvent(QMouseEvent* Event)
{
    TMouseButton Button;
    if (!ButtonOf(Event->button(), Button))
        return;
    const QPoint P = Event->position().toPoint();
    const TShiftState S = ShiftStateOf(Event->modifiers(), Event->buttons() | Event->button(), true);
    GuardedCall(this, [&] { Frame->Image1MouseDown(Button, S, P.x(), P.y()); });
}

void TGraphCanvas::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint P = Event->position().toPoint();
    const TShiftState S = ShiftStateOf(Event->modifiers(), Event->buttons(), false);
    GuardedCall(this, [&] { Frame->Image1MouseMove(S, P.x(), P.y()); });
}

void TGraphCanvas::mouseReleaseEvent(QMouseEvent* Event)
{
    TMouseButton Button;
    if (!ButtonOf(Event->button(), Button))
        return;
    const QPoint P = Event->position().toPoint();
    const TShiftState S = ShiftStateOf(Event->modifiers(), Event->buttons(), false);
    GuardedCall(this, [&] { Frame->Image1MouseUp(Button, S, P.x(), P.y()); });
}

void TGraphCanvas::leaveEvent(QEvent* Event)
{
    QWidget::leaveEvent(Event);
    Frame->Image1MouseLeave();
}
