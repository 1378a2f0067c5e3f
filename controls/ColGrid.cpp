#include "controls/ColGrid.h"

#include "foundation/NumberFormat.h"

TxColGrid::TxColGrid(QWidget* Parent) : TxEditGrid(Parent)
{
    SetColWidth(0, 20);
}

void TxColGrid::SetRowCount(int Count)
{
    const int Old = RowCount();
    TxEditGrid::SetRowCount(Count);
    if (!ShowItemNumbers || ColCount() == 0)
        return;
    for (int Row = std::max(Old, FixedRows()); Row < RowCount(); ++Row)
        SetCell(0, Row, ItemNumber(Row));
}

void TxColGrid::Rebuild()
{
    DropEditors();
    FFields.clear();
    const int Count = std::max<int>(1, static_cast<int>(FFieldDefs.size()));
    BeginUpdate();
    SetColCount(Count);
    SetFixedCols(1);
    SetCell(0, 0, QString());
    for (int Row = 1; Row < RowCount(); ++Row)
        SetCell(0, Row, ShowItemNumbers ? ItemNumber(Row) : QString());
    FFields.push_back(std::make_unique<TField>(ekNone, "%S"));
    for (int Col = 1; Col < Count; ++Col) {
        TFieldLine Parsed = ParseLine(FFieldDefs[Col]);
        WriteColumn(Col, Parsed);
        FFields.push_back(std::move(Parsed.Field));
    }
    EndUpdate();
    RefreshEditors();
}

void TxColGrid::WriteColumn(int Col, const TFieldLine& Parsed)
{
    SetCell(Col, 0, Parsed.Parts.value(0));
    const QString Initial = Parsed.Parts.value(1);
    for (int Row = 1; Row < RowCount(); ++Row)
        SetCell(Col, Row, Initial);
}

void TxColGrid::SetFieldDef(int Col, const QString& Line)
{
    if (Col < 1 || Col >= ColCount() || Col >= FieldCount())
        throw EFieldError("Error replacing field def (col)" + IntToStr(Col));
    if (PendingCol() == Col)
        DropPendingCell();
    TxEditGrid::SetFieldDef(Col, Line);
    TFieldLine Parsed = ParseLine(Line);
    BeginUpdate();
    WriteColumn(Col, Parsed);
    EndUpdate();
    FFields[Col] = std::move(Parsed.Field);
    RefreshEditors();
}

void TxColGrid::RepostColumn(int Col)
{
    WriteHeldColumn(Col, ReadColumn(Col));
}

void TxColGrid::ChangeColumnUnits(int Col, TField* Field)
{
    auto* N = dynamic_cast<TNumField*>(Field);
    if (!N)
        return;
    WriteColumnUnits(Col, *N, ReadColumn(Col));
}

bool TxColGrid::IsEnumColumn(int Col, int Row) const
{
    return Row >= 1 && dynamic_cast<const TEnumField*>(Field(Col));
}

bool TxColGrid::CanEditCell(int Col, int Row) const
{
    return Row >= 1 && Row >= FixedRows() && Col >= FixedCols();
}

bool TxColGrid::IsFieldEditable(int Col, int Row) const
{
    const TField* F = Field(Col);
    return Row >= 1 && F && F->Editable;
}
