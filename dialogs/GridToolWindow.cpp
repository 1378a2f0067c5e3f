#include "dialogs/GridToolWindow.h"

#include "controls/EditFieldUnits.h"
#include "controls/EntryGrid.h"
#include "controls/GuardedCall.h"
#include "foundation/SettingsStore.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>

#include <algorithm>

namespace {

// A window of Window's own (a units list, a message box) has taken the
// activation: the user has not left the window.
bool OwnWindowActive(const QWidget* Window)
{
    for (const QWidget* W : {QApplication::activeModalWidget(), QApplication::activePopupWidget(),
                             QApplication::activeWindow()})
        for (const QWidget* P = W ? W->parentWidget() : nullptr; P; P = P->parentWidget())
            if (P == Window)
                return true;
    return false;
}

} // namespace

TGridToolWindow::TGridToolWindow(TSettingsStore& SettingsStore, QWidget* MainWindow)
    : QWidget(MainWindow, Qt::Tool), Store(SettingsStore)
{
    Grid = new TEntryGrid(this);
    Grid->SetColCount(2);
    Grid->SetDefaultColFormatStr("%S");
    // Two columns: a row's unit is part of its caption, which the user
    // clicks to change it.
    Grid->UnitsCol = 0;
    Grid->UnitsEditProc = [this](TxFieldGrid* Sender, int Index, int X, int Y, TField* Field) {
        const int Before = RowHasUnits(Index) ? Grid->GetUnitsValue(Index) : -1;
        EditFieldUnits(Sender, Index, X, Y, Field);
        FUnitsEdited = Before >= 0 && Grid->GetUnitsValue(Index) != Before;
    };
    Grid->OnAfterRightClick = [this](TxFieldGrid*, int) {
        if (!FUnitsEdited)
            return;
        FUnitsEdited = false;
        UnitsEdited();
        if (OnUnitsChanged)
            OnUnitsChanged();
    };
    connect(Grid->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { FitValueColumn(); });
    Grid->viewport()->installEventFilter(this);
}

void TGridToolWindow::FitValueColumn()
{
    if (FFitting)
        return;
    FFitting = true;
    Grid->SetColWidth(1, std::max(1, Grid->viewport()->width() - Grid->ColWidth(0) - 2));
    FFitting = false;
}

void TGridToolWindow::LoadColumnWidths(const std::string& Section)
{
    for (int Col = 0; Col < Grid->ColCount(); ++Col) {
        const int Width = Store.ReadInteger(Section, "GridCol" + std::to_string(Col), Grid->ColWidth(Col));
        if (Width > 0)
            Grid->SetColWidth(Col, Width);
    }
    FitValueColumn();
}

void TGridToolWindow::SaveColumnWidths(const std::string& Section)
{
    for (int Col = 0; Col < Grid->ColCount(); ++Col)
        Store.WriteInteger(Section, "GridCol" + std::to_string(Col), Grid->ColWidth(Col));
}

bool TGridToolWindow::eventFilter(QObject* Watched, QEvent* Event)
{
    // The grid's client area follows the window only once the layout has
    // run, so its own resize is the one to follow.
    if (Watched == Grid->viewport() && Event->type() == QEvent::Resize)
        FitValueColumn();
    return QWidget::eventFilter(Watched, Event);
}

void TGridToolWindow::changeEvent(QEvent* Event)
{
    QWidget::changeEvent(Event);
    if (Event->type() == QEvent::ActivationChange && !isActiveWindow() && !OwnWindowActive(this))
        Grid->HideEditor();
}

void TGridToolWindow::closeEvent(QCloseEvent* Event)
{
    Grid->HideEditor();
    GuardedCall(this, [this] { SaveSettings(); });
    Event->accept(); // hidden, kept for the next item
}
