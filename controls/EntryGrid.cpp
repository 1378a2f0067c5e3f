#include "controls/EntryGrid.h"

#include "controls/GuardedCall.h"
#include "foundation/DelimitedText.h"
#include "foundation/NumberFormat.h"

#include <QMouseEvent>

TEntryGrid::TEntryGrid(QWidget* Parent) : TxFieldGrid(Parent)
{
    SetFixedCols(0);
    SetColCount(3);
    SetRowCount(4);
    SetDefaultColWidth(60);
    SetColWidth(0, 90);
    SetColWidth(1, 60);
    SetColWidth(2, 50);
    // 16 pixels as drawn with the usual small dialog font; never lower than
    // what this font needs.
    SetDefaultRowHeight(std::max(16, fontMetrics().height() + 3));
    SetOptions(xgoFixedVertLine | xgoFixedHorzLine | xgoVertLine | xgoHorzLine | xgoRangeSelect |
               xgoColSizing | xgoEditing);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    resize(206, 72);
    SetCurrentCell(1, 1);
}

void TEntryGrid::SetLines(const QStringList& Lines)
{
    FLines = Lines;
    Rebuild();
}

void TEntryGrid::Rebuild()
{
    DropEditors();
    FFields.clear();
    const int Count = static_cast<int>(FLines.size());
    BeginUpdate();
    SetRowCount(Count > 0 ? Count : 2);
    for (int Row = 0; Row < RowCount(); ++Row)
        for (int Col = 0; Col < ColCount(); ++Col)
            SetCell(Col, Row, QString());
    if (Count > 0) {
        std::vector<std::string> Heading = SplitToArray(FLines[0].toStdString(), Delim.toStdString());
        for (int Col = 0; Col < ColCount() && Col < static_cast<int>(Heading.size()); ++Col)
            SetCell(Col, 0, QString::fromStdString(std::string(TrimText(Heading[Col]))));
        FFields.push_back(std::make_unique<TField>(ekNone, "%S"));
    }
    for (int Row = 1; Row < Count; ++Row) {
        TFieldLine Parsed = ParseLine(FLines[Row]);
        for (int Col = 0; Col < ColCount(); ++Col)
            SetCell(Col, Row, Parsed.Parts.value(Col));
        FFields.push_back(std::move(Parsed.Field));
    }
    EndUpdate();
    SetCurrentCell(1, std::min(std::max(Row(), 1), RowCount() - 1));
    RefreshEditors();
}

TField* TEntryGrid::LineField(int, int Row) const
{
    return Row >= 1 ? Field(Row) : nullptr;
}

template <class T>
T& TEntryGrid::RowField(int Row, const char* Message) const
{
    auto* F = dynamic_cast<T*>(Row >= 1 ? Field(Row) : nullptr);
    if (!F)
        throw EFieldError(Message + IntToStr(Row));
    return *F;
}

// ---- values ----

QVariant TEntryGrid::GetValue(int Col, int Row) const
{
    const TField* F = ValueField(Col, Row);
    return F ? FieldValue(*F, Cell(Col, Row)) : QVariant(Cell(Col, Row));
}

void TEntryGrid::SetValue(int Col, int Row, const QVariant& V)
{
    const TField* F = ValueField(Col, Row);
    QString Text = V.toString();
    if (F && !FieldText(*F, V, Text))
        return;
    SetCell(Col, Row, Text);
}

QVariant TEntryGrid::HeldOrInvalid(int Row) const
{
    try {
        return GetValue(1, Row);
    } catch (const EConvertError&) {
        return {}; // nothing readable to carry over: the cell stays as it is
    }
}

void TEntryGrid::ReapplyUnits(int Index)
{
    ReapplyRowUnits(Index, HeldOrInvalid(Index));
}

void TEntryGrid::ReapplyRowUnits(int Row, const QVariant& Held)
{
    auto* N = dynamic_cast<TNumField*>(LineField(1, Row));
    if (!N)
        return;
    const QString Label = N->ApplyUnits();
    // A row without a quantity keeps the unit text of its line.
    if (N->UnitsType != utNone) {
        if (ColCount() > 2) {
            SetCell(2, Row, Label);
        } else if (ColCount() == 2) {
            const QString Caption = Cell(0, Row);
            const qsizetype Comma = Caption.indexOf(',');
            if (Comma >= 0)
                SetCell(0, Row, Caption.left(Comma + 1) + Label);
        }
    }
    if (dynamic_cast<TDelimNumField*>(N) && !N->FormatStr().contains('/'))
        N->SetFormatStr(N->FormatStr() + "/" + N->FormatStr());
    if (Held.isValid())
        SetValue(1, Row, Held);
    RefreshEditors();
}

// ---- row operations ----

void TEntryGrid::SetUnits(int Row, TUnitsType UnitsType, double Factor, double Zero,
                          TFormatType FormatType, int UnitsValue, int UnitsBase)
{
    auto& N = RowField<TNumField>(Row, "Error setting units, row ");
    // The value is read with the conversion it was shown in.
    const QVariant Held = HeldOrInvalid(Row);
    N.UnitsType = UnitsTypeOf(UnitsType);
    if (N.UnitsType == utNone) {
        N.Factor = Factor;
        N.Zero = Zero;
    }
    N.FormatType = FormatType;
    N.UnitsValue = ClampUnitIndex(N.UnitsType, UnitsValue);
    N.UnitsBase = ClampUnitIndex(N.UnitsType, UnitsBase);
    ReapplyRowUnits(Row, Held);
}

void TEntryGrid::SetSigDigs(int Row, int SigDigs)
{
    RowField<TNumField>(Row, "Error setting significant digits, row ").SigDigs = SigDigs;
}

void TEntryGrid::SetPropEditor(int Row, const TPropEditHandler& Handler)
{
    auto& F = RowField<TField>(Row, "Error setting property editor, row ");
    if (dynamic_cast<TEnumField*>(&F) || dynamic_cast<TBoolField*>(&F))
        throw EFieldError("Error setting property editor, row " + IntToStr(Row));
    F.EditorKind = ekPropEditor;
    F.PropEditor = Handler;
    RefreshEditors();
}

void TEntryGrid::SetEnumStrings(int Row, const QStringList& Items)
{
    RowField<TEnumField>(Row, "Error setting enum strings, row ").Items = Items;
    viewport()->update();
}

void TEntryGrid::SetRowEnabled(int Row, bool Enabled)
{
    RowField<TField>(Row, "Error setting enabled row ").Enabled = Enabled;
    if (!Enabled && PendingRow() == Row)
        DropPendingCell();
    RefreshEditors();
    viewport()->update();
}

bool TEntryGrid::GetRowEnabled(int Row) const
{
    return RowField<TField>(Row, "Error setting enabled row ").Enabled;
}

void TEntryGrid::SetRowEditable(int Row, bool Editable)
{
    RowField<TField>(Row, "Error setting editable row ").Editable = Editable;
    if (!Editable && PendingRow() == Row)
        DropPendingCell();
    RefreshEditors();
}

double TEntryGrid::GetRangeHi(int Row) const
{
    const auto& N = RowField<TNumField>(Row, "Error getting range hi, row ");
    return N.ToDisplay(N.RangeHi);
}

double TEntryGrid::GetRangeLo(int Row) const
{
    const auto& N = RowField<TNumField>(Row, "Error getting range lo, row ");
    return N.ToDisplay(N.RangeLo);
}

double TEntryGrid::GetUnitsFactor(int Row) const
{
    return RowField<TNumField>(Row, "Error getting units factor, row ").Factor;
}

double TEntryGrid::GetUnitsZero(int Row) const
{
    return RowField<TNumField>(Row, "Error getting units zero value, row ").Zero;
}

int TEntryGrid::GetUnitsValue(int Row) const
{
    return RowField<TNumField>(Row, "Error getting units value, row ").UnitsValue;
}

void TEntryGrid::SetUnitsValue(int Row, int Index)
{
    auto& N = RowField<TNumField>(Row, "Error setting units value, row ");
    const QVariant Held = HeldOrInvalid(Row);
    N.UnitsValue = ClampUnitIndex(N.UnitsType, Index);
    ReapplyRowUnits(Row, Held);
}

QString TEntryGrid::GetFormatStr(int Row) const
{
    return RowField<TField>(Row, "Error getting format string, row ").FormatStr();
}

bool TEntryGrid::GetUnitsEditable(int Row) const
{
    const auto* N = dynamic_cast<const TNumField*>(LineField(1, Row));
    return N && N->UnitsType != utNone;
}

// ---- units click ----

void TEntryGrid::mouseReleaseEvent(QMouseEvent* Event)
{
    TxFieldGrid::mouseReleaseEvent(Event);
    int C = 0, R = 0;
    const bool Button = Event->button() == Qt::LeftButton || Event->button() == Qt::RightButton;
    if (!Button || !MouseToCell(Event->position().toPoint(), C, R) || C != UnitsCol || R < 1)
        return;
    TField* F = LineField(C, R);
    if (!F)
        return;
    const QPoint At = Event->globalPosition().toPoint();
    GuardedCall(this, [&] {
        if (UnitsEditProc)
            UnitsEditProc(this, R, At.x(), At.y(), F);
        if (OnAfterRightClick)
            OnAfterRightClick(this, R);
        if (const QVariant Held = HeldOrInvalid(R); Held.isValid())
            SetValue(1, R, Held);
    });
}
