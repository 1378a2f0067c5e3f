#pragma once
// The grids' units callback, which forms install as UnitsEditProc: for a
// number field with a quantity, the units pick list opens at X, Y (screen
// coordinates) with the field's unit selected; a picked unit becomes the
// field's and the grid shows the row's or column's values again in it.
// Other fields, and a list closed without a pick, change nothing.

class TxFieldGrid;
class TField;

void EditFieldUnits(TxFieldGrid* Grid, int Index, int X, int Y, TField* Field);
