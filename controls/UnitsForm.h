#pragma once
// The units pick list: a borderless list of one quantity's unit labels that
// pops up beside a units label (edit mode) or at a grid's units cell or
// heading (grid mode). Enter, Esc or a click in the list closes it with the
// selected unit; closing it any other way (a click outside) picks nothing.
// Windows reach it through the PickUnits service (UiServices.h), so tests
// pick units without a pop-up.

#include "foundation/Units.h"

#include <QWidget>

class QListWidget;

class TUnitsForm : public QWidget {
    Q_OBJECT

public:
    explicit TUnitsForm(QWidget* Parent = nullptr);

    // Quantity's unit labels with CurrentUnit selected; the list is as wide
    // as its widest label plus 10 pixels and as high as all its labels.
    void Fill(TUnitsType Quantity, int CurrentUnit);
    // Shows the list with its top left corner at GlobalPos, kept on the
    // screen; returns at once (Closed tells the pick).
    void Popup(const QPoint& GlobalPos);
    // The unit picked when the list closed; -1 while it is open or when it
    // was dismissed.
    int PickedUnit() const { return Picked; }
    QListWidget* ListBox() const { return List; }

    // The default pick-list service: Quantity's list at GlobalPos, waiting
    // until it closes. -1 when the quantity has no units or nothing was picked.
    static int Execute(QWidget* Parent, TUnitsType Quantity, int CurrentUnit,
                       const QPoint& GlobalPos);

signals:
    void Closed(int PickedUnit);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;

private:
    void Finish();

    QListWidget* List;
    int Picked = -1;
    bool Finished = false;
};

// Grid mode: the pick list for a grid row's or column's units with its
// corner at GridPos, a point of Grid (usually where the mouse was released).
// Answers the picked unit index, or -1 when nothing was picked; the grid
// then writes it into its field and shows the values again.
int PickGridUnits(QWidget* Grid, TUnitsType Quantity, int CurrentUnit, const QPoint& GridPos);
