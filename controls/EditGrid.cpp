#include "controls/EditGrid.h"

#include "controls/GuardedCall.h"
#include "controls/UiServices.h"

#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>

TxEditGrid::TxEditGrid(QWidget* Parent) : TxFieldGrid(Parent)
{
    SetColCount(5);
    SetRowCount(5);
    SetDefaultColWidth(60);
    SetOptions(Options() | xgoColSizing | xgoEditing);
    resize(206, 72);
    // Left clicks come as section clicks (a drag that resized a column is
    // none); right clicks are watched on the heading itself.
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int Section) {
        HeadingClicked(Section + FixedCols(), UiServices().PointerPos());
    });
    horizontalHeader()->viewport()->installEventFilter(this);
}

void TxEditGrid::SetFieldDefs(const QStringList& Lines)
{
    FFieldDefs = Lines;
    Rebuild();
}

void TxEditGrid::SetFieldDef(int Index, const QString& Line)
{
    if (Index >= 0 && Index < FFieldDefs.size())
        FFieldDefs[Index] = Line;
}

TField* TxEditGrid::LineField(int Col, int) const
{
    return Field(FieldIndex(Col));
}

bool TxEditGrid::IsValueCell(int Col, int Row) const
{
    return Row >= std::max(1, FixedRows()) && Col >= FixedCols() && LineField(Col, Row);
}

bool TxEditGrid::CanEditShow()
{
    return CanEditCell(Col(), Row()) && IsFieldEditable(Col(), Row()) && TxFieldGrid::CanEditShow();
}

QString TxEditGrid::ItemNumber(int Row) const
{
    return QString::number(Row - FixedRows() + 1);
}

TField* TxEditGrid::IndexField(int Col) const
{
    return Col >= 0 && Col < ColCount() ? Field(FieldIndex(Col)) : nullptr;
}

// ---- values ----

std::vector<QVariant> TxEditGrid::ReadColumn(int Col) const
{
    std::vector<QVariant> Held;
    Held.reserve(std::max(0, RowCount() - 1));
    for (int Row = std::max(1, FixedRows()); Row < RowCount(); ++Row) {
        // A cell that shows no number ("-" for a size a duct lacks) stays
        // as it is.
        const QString Text = Cell(Col, Row);
        if (std::isnan(CellHeld(Col, Row)) && !Text.isEmpty() &&
            std::none_of(Text.begin(), Text.end(), [](QChar C) { return C.isDigit(); })) {
            Held.emplace_back();
            continue;
        }
        try {
            Held.push_back(GetCellValue(Col, Row));
        } catch (const EConvertError&) {
            Held.emplace_back();
        }
    }
    return Held;
}

void TxEditGrid::WriteColumnUnits(int Col, TNumField& N, const std::vector<QVariant>& Held)
{
    const QString Label = N.ApplyUnits();
    // The heading keeps its text up to its first ","; a column without a
    // quantity keeps its heading.
    if (N.UnitsType != utNone && FixedRows() > 0) {
        const QString Heading = Cell(Col, 0);
        const qsizetype Comma = Heading.indexOf(',');
        SetCell(Col, 0, Comma >= 0 ? Heading.left(Comma + 1) + Label : Label);
    }
    WriteHeldColumn(Col, Held);
    RefreshEditors();
}

void TxEditGrid::WriteHeldColumn(int Col, const std::vector<QVariant>& Held)
{
    BeginUpdate();
    int Row = std::max(1, FixedRows());
    for (const QVariant& Value : Held) {
        if (Row >= RowCount())
            break;
        if (Value.isValid())
            SetCellValue(Col, Row, Value);
        ++Row;
    }
    EndUpdate();
}

void TxEditGrid::ReapplyUnits(int Index)
{
    ChangeColumnUnits(Index, Field(FieldIndex(Index)));
}

// ---- column operations ----

void TxEditGrid::SetUnits(int Col, TUnitsType UnitsType, double Factor, double Zero,
                          TFormatType FormatType, int UnitsValue, int UnitsBase)
{
    auto& N = IndexFieldAs<TNumField>(Col, "Error setting units, ");
    // The values are read with the conversion they are shown in.
    const std::vector<QVariant> Held = ReadColumn(Col);
    N.SetUnits(UnitsType, Factor, Zero, FormatType, UnitsValue, UnitsBase);
    WriteColumnUnits(Col, N, Held);
}

void TxEditGrid::SetUnitsValue(int Col, int Index)
{
    auto& N = IndexFieldAs<TNumField>(Col, "Error setting units value, ");
    N.UnitsValue = ClampUnitIndex(N.UnitsType, Index);
    ChangeColumnUnits(Col, &N);
}

// ---- heading clicks ----

void TxEditGrid::HeadingClicked(int Col, const QPoint& GlobalPos)
{
    auto* N = dynamic_cast<TNumField*>(Field(FieldIndex(Col)));
    if (!N || N->UnitsType == utNone || IsEnumColumn(Col, FixedRows()))
        return;
    // An entry in progress is stored in the units it was typed in.
    HideEditor();
    GuardedCall(this, [&] {
        if (UnitsEditProc)
            UnitsEditProc(this, Col, GlobalPos.x(), GlobalPos.y(), N);
        if (OnAfterRightClick)
            OnAfterRightClick(this, Col);
        RepostColumn(Col);
    });
}

bool TxEditGrid::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == horizontalHeader()->viewport() && Event->type() == QEvent::MouseButtonRelease) {
        const auto* Mouse = static_cast<QMouseEvent*>(Event);
        if (Mouse->button() == Qt::RightButton) {
            const int Section = horizontalHeader()->logicalIndexAt(Mouse->position().toPoint());
            if (Section >= 0)
                HeadingClicked(Section + FixedCols(), Mouse->globalPosition().toPoint());
        }
    }
    return TxFieldGrid::eventFilter(Watched, Event);
}
