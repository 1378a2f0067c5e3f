#include "controls/UnitsForm.h"

#include "controls/UiServices.h"
#include "platform/QtText.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QVBoxLayout>

TUnitsForm::TUnitsForm(QWidget* Parent)
    : QWidget(Parent, Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("TUnitsForm");
    setAttribute(Qt::WA_DeleteOnClose, false);
    List = new QListWidget(this);
    List->setObjectName("ListBox1");
    List->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    List->installEventFilter(this);
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->addWidget(List);
    connect(List, &QListWidget::itemClicked, this, [this] { Finish(); });
}

void TUnitsForm::Fill(TUnitsType Quantity, int CurrentUnit)
{
    List->clear();
    const int Count = UnitCount(Quantity);
    int Widest = 0;
    for (int I = 0; I < Count; ++I) {
        const QString Label = ToQ(std::string(UnitLabel(Quantity, I)));
        List->addItem(Label);
        Widest = std::max(Widest, List->fontMetrics().horizontalAdvance(Label));
    }
    if (Count > 0)
        List->setCurrentRow(ClampUnitIndex(Quantity, CurrentUnit));
    const int Frame = 2 * List->frameWidth();
    const int RowHeight = Count > 0 ? std::max(List->sizeHintForRow(0), 1) : 16;
    // A long list stays on the screen and scrolls.
    int Height = Count * RowHeight + Frame;
    if (const QScreen* Screen = QGuiApplication::primaryScreen())
        Height = std::min(Height, Screen->availableGeometry().height() / 2);
    setFixedSize(Widest + 10 + Frame, std::max(Height, RowHeight + Frame));
}

void TUnitsForm::Popup(const QPoint& GlobalPos)
{
    Picked = -1;
    Finished = false;
    QPoint Pos = GlobalPos;
    if (const QScreen* Screen = QGuiApplication::screenAt(GlobalPos)) {
        const QRect Area = Screen->availableGeometry();
        Pos.setX(std::clamp(Pos.x(), Area.left(), std::max(Area.left(), Area.right() - width())));
        Pos.setY(std::clamp(Pos.y(), Area.top(), std::max(Area.top(), Area.bottom() - height())));
    }
    move(Pos);
    show();
    List->setFocus(Qt::PopupFocusReason);
}

bool TUnitsForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == List && Event->type() == QEvent::KeyPress) {
        const int Key = static_cast<QKeyEvent*>(Event)->key();
        // Esc applies the selection too: the list has no cancel.
        if (Key == Qt::Key_Return || Key == Qt::Key_Enter || Key == Qt::Key_Escape) {
            Finish();
            return true;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

void TUnitsForm::Finish()
{
    if (Finished)
        return;
    Finished = true;
    Picked = List->currentRow();
    hide();
}

void TUnitsForm::hideEvent(QHideEvent* Event)
{
    QWidget::hideEvent(Event);
    // Hidden without a pick: dismissed by a click outside.
    Finished = true;
    emit Closed(Picked);
}

int TUnitsForm::Execute(QWidget* Parent, TUnitsType Quantity, int CurrentUnit,
                        const QPoint& GlobalPos)
{
    if (UnitCount(Quantity) == 0)
        return -1;
    // No parent: the list must not die with a window closed while it waits.
    TUnitsForm Form;
    if (Parent)
        Form.setFont(Parent->font());
    Form.Fill(Quantity, CurrentUnit);
    QEventLoop Loop;
    connect(&Form, &TUnitsForm::Closed, &Loop, &QEventLoop::quit);
    Form.Popup(GlobalPos);
    if (Form.isVisible())
        Loop.exec();
    return Form.PickedUnit();
}

int PickGridUnits(QWidget* Grid, TUnitsType Quantity, int CurrentUnit, const QPoint& GridPos)
{
    if (UnitCount(Quantity) == 0)
        return -1;
    const QPoint Global = Grid ? Grid->mapToGlobal(GridPos) : GridPos;
    const int Unit = PickUnits(Grid, Quantity, CurrentUnit, Global);
    return Unit >= 0 && Unit < UnitCount(Quantity) ? Unit : -1;
}
