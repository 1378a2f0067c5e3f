#pragma once
// The drawing surface of the graph view (the view's Image1): a widget of the
// drawing's size inside the view's scroll box. It shows the view's page and
// hands every mouse event to the view's controller as button, shift state
// (modifiers, buttons held, double click) and drawing coordinates.

#include "editor/GraphViewFrame.h"

#include <QWidget>

class TGraphCanvas : public QWidget {
    Q_OBJECT

public:
    explicit TGraphCanvas(TGraphViewFrame* Frame, QWidget* Parent = nullptr);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void leaveEvent(QEvent* Event) override;

private:
    TGraphViewFrame* Frame;
};

// The shift state of a Qt mouse event.
TShiftState ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons, bool Double);
