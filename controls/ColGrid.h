#pragma once
// The table grid: column i shows field i of every record, record r sits in
// row r (row 0 is the heading, column 0 the row numbers).

#include "controls/EditGrid.h"

class TxColGrid : public TxEditGrid {
    Q_OBJECT

public:
    explicit TxColGrid(QWidget* Parent = nullptr);

    // New rows get their numbers when ShowItemNumbers is set.
    void SetRowCount(int Count) override;

    // Replaces the column's field; raises EFieldError "Error replacing field
    // def (col)" with the column for a column that has no definition.
    void SetFieldDef(int Col, const QString& Line) override;
    int CurrentField() const override { return Col(); }
    int CurrentRecord() const override { return Row(); }
    int FieldIndex(int Col) const override { return Col; }
    int RecordIndex(int, int Row) const override { return Row; }
    // Reads every data cell of the column and writes it back in the
    // column's present format.
    void RepostColumn(int Col) override;
    void Rebuild() override;
    // After the user picked new units for the column: every value converted
    // into them, the heading's unit replaced.
    void ChangeColumnUnits(int Col, TField* Field) override;
    bool IsEnumColumn(int Col, int Row) const override;
    bool CanEditCell(int Col, int Row) const override;
    bool IsFieldEditable(int Col, int Row) const override;

private:
    void WriteColumn(int Col, const TFieldLine& Parsed);
};
