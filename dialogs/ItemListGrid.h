#pragma once
// A column grid listing a branch's loss items, one per row: the user drags
// a row by its number to move it, deletes the current row with the Delete
// key and opens the form's row menu with a right click. The grid only
// reports these; the form changes the items and fills the grid again.

#include "controls/ColGrid.h"

#include <QPoint>

#include <functional>

class TItemListGrid : public TxColGrid {
    Q_OBJECT

public:
    explicit TItemListGrid(QWidget* Parent = nullptr);

    // The column that takes the width the others leave (-1: none), never
    // narrower than its width when set.
    void SetStretchColumn(int Col);

    // A row (grid row numbers) dragged from From to To; the grid's cells
    // have moved with it.
    std::function<void(TItemListGrid* Sender, int From, int To)> OnRowMoved;
    // Delete pressed while no cell is being edited.
    std::function<void(TItemListGrid* Sender)> OnDeleteKey;
    // A right click on the cells, at a position on the screen.
    std::function<void(TItemListGrid* Sender, const QPoint& GlobalPos)> OnContextMenu;

protected:
    void keyPressEvent(QKeyEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    void Stretch();
    int FStretchCol = -1;
    int FStretchMin = 0;

    void SectionMoved(int OldVisual, int NewVisual);
};
