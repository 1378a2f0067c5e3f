#include "controls/FmtEditLabel.h"

#include "controls/FmtEdit.h"
#include "controls/GuardedCall.h"
#include "controls/UiServices.h"

#include <QMouseEvent>
#include <QPointer>

#include <algorithm>

TFmtEditLabel::TFmtEditLabel(QWidget* Parent) : QLabel(Parent) {}

TFmtEditLabel::~TFmtEditLabel()
{
    // Copied: each edit unlinks itself from this list.
    const std::vector<TxCustomEdit*> Linked = Edits;
    for (TxCustomEdit* Edit : Linked)
        Edit->SetUnitsLabel(nullptr);
}

void TFmtEditLabel::Link(TxCustomEdit* Edit)
{
    if (std::find(Edits.begin(), Edits.end(), Edit) == Edits.end())
        Edits.push_back(Edit);
}

void TFmtEditLabel::Unlink(TxCustomEdit* Edit)
{
    Edits.erase(std::remove(Edits.begin(), Edits.end(), Edit), Edits.end());
}

void TFmtEditLabel::EditUnits()
{
    if (Edits.empty())
        return;
    const TxCustomEdit* First = Edits.front();
    const int Unit = PickUnits(this, First->UnitsType(), First->UnitsValue(),
                               UiServices().PointerPos() + QPoint(5, 5));
    if (Unit < 0)
        return;
    // A handler may close the window and its edits with it.
    std::vector<QPointer<TxCustomEdit>> Targets(Edits.begin(), Edits.end());
    for (const QPointer<TxCustomEdit>& Edit : Targets) {
        if (!Edit)
            continue;
        Edit->SetUnitsValue(Unit);
        if (Edit && Edit->OnUnitsEdited)
            Edit->OnUnitsEdited(Edit);
    }
}

void TFmtEditLabel::mouseReleaseEvent(QMouseEvent* Event)
{
    QLabel::mouseReleaseEvent(Event);
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
        GuardedCall(this, [this] { EditUnits(); });
}
