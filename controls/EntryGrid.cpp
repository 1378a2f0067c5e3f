#include "controls/EntryGrid.h"

#include "controls/GuardedCall.h"
#include "foundation/DelimitedText.h"
#include "platform/QtText.h"

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
            SetCell(Col, 0, ToQ(std::string(TrimText(Heading[Col]))));
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
    return IndexField(Row);
}

TField* TEntryGrid::IndexField(int Row) const
{
    return Row >= 1 ? Field(Row) : nullptr;
}

// ---- values ----

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
    if (Held.isValid())
        SetValue(1, Row, Held);
    RefreshEditors();
}

// ---- row operations ----

void TEntryGrid::SetUnits(int Row, TUnitsType UnitsType, double Factor, double Zero,
                          TFormatType FormatType, int UnitsValue, int UnitsBase)
{
    auto& N = IndexFieldAs<TNumField>(Row, "Error setting units, ");
    // The value is read with the conversion it was shown in.
    const QVariant Held = HeldOrInvalid(Row);
    N.SetUnits(UnitsType, Factor, Zero, FormatType, UnitsValue, UnitsBase);
    ReapplyRowUnits(Row, Held);
}

void TEntryGrid::SetSigDigs(int Row, int SigDigs)
{
    IndexFieldAs<TNumField>(Row, "Error setting significant digits, ").SigDigs = SigDigs;
}

bool TEntryGrid::GetRowEnabled(int Row) const
{
    return IndexFieldAs<TField>(Row, "Error setting enabled ").Enabled;
}

double TEntryGrid::GetUnitsFactor(int Row) const
{
    return IndexFieldAs<TNumField>(Row, "Error getting units factor, ").Factor;
}

double TEntryGrid::GetUnitsZero(int Row) const
{
    return IndexFieldAs<TNumField>(Row, "Error getting units zero value, ").Zero;
}

int TEntryGrid::GetUnitsValue(int Row) const
{
    return IndexFieldAs<TNumField>(Row, "Error getting units value, ").UnitsValue;
}

void TEntryGrid::SetUnitsValue(int Row, int Index)
{
    auto& N = IndexFieldAs<TNumField>(Row, "Error setting units value, ");
    const QVariant Held = HeldOrInvalid(Row);
    N.UnitsValue = ClampUnitIndex(N.UnitsType, Index);
    ReapplyRowUnits(Row, Held);
}

QString TEntryGrid::GetFormatStr(int Row) const
{
    return IndexFieldAs<TField>(Row, "Error getting format string, ").FormatStr();
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
    const bool Button = Event->button() == Qt::LeftButton || Event->button() == Qt::RightButton ||
                        Event->button() == Qt::MiddleButton;
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
