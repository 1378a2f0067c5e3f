#include "dialogs/ItemListGrid.h"

#include "controls/GuardedCall.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

TItemListGrid::TItemListGrid(QWidget* Parent) : TxColGrid(Parent)
{
    verticalHeader()->setSectionsMovable(true);
    connect(verticalHeader(), &QHeaderView::sectionMoved, this,
            [this](int, int OldVisual, int NewVisual) { SectionMoved(OldVisual, NewVisual); });
}

void TItemListGrid::SetStretchColumn(int Col)
{
    FStretchCol = Col;
    FStretchMin = Col >= 0 ? ColWidth(Col) : 0;
    Stretch();
}

void TItemListGrid::Stretch()
{
    if (FStretchCol < FixedCols() || FStretchCol >= ColCount())
        return;
    int Others = 0;
    for (int Col = FixedCols(); Col < ColCount(); ++Col)
        if (Col != FStretchCol)
            Others += ColWidth(Col);
    SetColWidth(FStretchCol, std::max(FStretchMin, viewport()->width() - Others - 1));
}

void TItemListGrid::resizeEvent(QResizeEvent* Event)
{
    TxColGrid::resizeEvent(Event);
    Stretch();
}

void TItemListGrid::SectionMoved(int OldVisual, int NewVisual)
{
    // The header only shows the move; the cells themselves move, so that
    // rows keep one order for the grid and its owner.
    QHeaderView* Header = verticalHeader();
    const bool Blocked = Header->blockSignals(true);
    Header->moveSection(NewVisual, OldVisual);
    Header->blockSignals(Blocked);
    const int From = OldVisual + FixedRows();
    const int To = NewVisual + FixedRows();
    GuardedCall(this, [&] {
        MoveRow(From, To);
        if (OnRowMoved)
            OnRowMoved(this, From, To);
    });
}

void TItemListGrid::keyPressEvent(QKeyEvent* Event)
{
    if (Event->key() == Qt::Key_Delete && Event->modifiers() == Qt::NoModifier && !EditorMode() && OnDeleteKey) {
        Event->accept();
        GuardedCall(this, [this] { OnDeleteKey(this); });
        return;
    }
    TxColGrid::keyPressEvent(Event);
}

void TItemListGrid::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::RightButton) {
        // The clicked cell becomes current first, so that the menu acts on it.
        int Col = 0, Row = 0;
        if (MouseToCell(Event->position().toPoint(), Col, Row))
            SetCurrentCell(Col, Row);
        Event->accept();
        return;
    }
    TxColGrid::mousePressEvent(Event);
}

void TItemListGrid::contextMenuEvent(QContextMenuEvent* Event)
{
    Event->accept();
    if (OnContextMenu)
        GuardedCall(this, [&] { OnContextMenu(this, Event->globalPos()); });
}
