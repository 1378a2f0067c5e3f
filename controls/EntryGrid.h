#pragma once
// The property sheet of the node dialog, the branch window and the air-state
// tools: one row per property, declared by a definition line, with a caption
// column (0), a value column (1) and a units column (2). Row 0 is the
// heading. Forms read and write the rows as values in held units and pick
// the display units per row; a click in the units column opens the units
// pop-up through UnitsEditProc.

#include "controls/FieldGrid.h"

#include <QStringList>

class TEntryGrid : public TxFieldGrid {
    Q_OBJECT

public:
    explicit TEntryGrid(QWidget* Parent = nullptr);

    // The definition lines; setting them rebuilds every row.
    const QStringList& Lines() const { return FLines; }
    void SetLines(const QStringList& Lines);
    void SetLinesArray(const QStringList& Lines) { SetLines(Lines); }

    // The column whose click changes a row's units: 2, or 0 for a grid of
    // two columns whose captions carry the unit ("Rel Press,Pa").
    int UnitsCol = 2;

    // Row operations (more in TxFieldGrid). Each raises EFieldError, its
    // message followed by "row " and the row number, when the row has no
    // field of the class it needs.
    void SetUnits(int Row, TUnitsType UnitsType, double Factor, double Zero,
                  TFormatType FormatType, int UnitsValue, int UnitsBase);
    void SetSigDigs(int Row, int SigDigs);
    void SetRowEnabled(int Row, bool Enabled) { SetIndexEnabled(Row, Enabled); }
    bool GetRowEnabled(int Row) const;
    void SetRowEditable(int Row, bool Editable) { SetIndexEditable(Row, Editable); }
    // Conversion of a row, in display units.
    double GetUnitsFactor(int Row) const;
    double GetUnitsZero(int Row) const;
    int GetUnitsValue(int Row) const;
    void SetUnitsValue(int Row, int Index);
    QString GetFormatStr(int Row) const;
    // Whether the user may change the row's units.
    bool GetUnitsEditable(int Row) const;

    // Column 1 by the row's field, in held units (see FieldValue); other
    // cells as text.
    QVariant GetValue(int Col, int Row) const { return ReadCellValue(Col, Row); }
    void SetValue(int Col, int Row, const QVariant& V) { WriteCellValue(Col, Row, V); }

    void ReapplyUnits(int Index) override;

protected:
    TField* LineField(int Col, int Row) const override;
    bool IsValueCell(int Col, int Row) const override { return Col == 1 && Row >= 1; }
    void mouseReleaseEvent(QMouseEvent* Event) override;
    TField* IndexField(int Row) const override;
    bool IsPendingIndex(int Row) const override { return PendingRow() == Row; }
    const char* IndexName() const override { return "row "; }

private:
    void Rebuild();
    void ReapplyRowUnits(int Row, const QVariant& Held);
    QVariant HeldOrInvalid(int Row) const;

    QStringList FLines;
};
