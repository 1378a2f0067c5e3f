#include "controls/EditFieldUnits.h"

#include "controls/FieldGrid.h"
#include "controls/UiServices.h"

void EditFieldUnits(TxFieldGrid* Grid, int Index, int X, int Y, TField* Field)
{
    const auto* N = dynamic_cast<const TNumField*>(Field);
    if (!Grid || !N || N->UnitsType == utNone)
        return;
    const int Unit = PickUnits(Grid, N->UnitsType, N->UnitsValue, QPoint(X, Y));
    if (Unit >= 0 && Unit < UnitCount(N->UnitsType))
        Grid->SetPickedUnits(Index, Unit);
}
