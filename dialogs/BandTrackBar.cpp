#include "dialogs/BandTrackBar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>

TBandTrackBar::TBandTrackBar(QWidget* Parent) : QSlider(Qt::Horizontal, Parent)
{
    setRange(0, 1000);
    setPageStep(10);
    setSingleStep(1);
    setTickInterval(100);
    setTickPosition(QSlider::TicksBelow);
}

void TBandTrackBar::SetSelection(int SelStart, int SelEnd)
{
    if (SelStart == FSelStart && SelEnd == FSelEnd)
        return;
    FSelStart = SelStart;
    FSelEnd = SelEnd;
    update();
}

void TBandTrackBar::paintEvent(QPaintEvent* Event)
{
    if (HasSelection() && FSelEnd >= minimum() && FSelStart <= maximum()) {
        QStyleOptionSlider Option;
        initStyleOption(&Option);
        const QRect Groove = style()->subControlRect(QStyle::CC_Slider, &Option, QStyle::SC_SliderGroove, this);
        const QRect Handle = style()->subControlRect(QStyle::CC_Slider, &Option, QStyle::SC_SliderHandle, this);
        // Positions run between the handle's centres at the two ends.
        const int Span = std::max(1, Groove.width() - Handle.width());
        const auto X = [&](int Position) {
            const int P = std::clamp(Position, minimum(), maximum());
            return Groove.left() + Handle.width() / 2 +
                   QStyle::sliderPositionFromValue(minimum(), maximum(), P, Span);
        };
        // A band of its own colour just under the groove, apart from the
        // style's fill of the groove up to the handle.
        const int Top = Groove.center().y() + 3;
        QPainter Painter(this);
        Painter.fillRect(QRect(QPoint(X(FSelStart), Top), QPoint(X(FSelEnd), Top + 4)), QColor(230, 140, 20));
    }
    QSlider::paintEvent(Event);
}
