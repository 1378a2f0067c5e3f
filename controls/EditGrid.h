#pragma once
// Tables of records (node table, fittings and fixed items of the
// pressure-drop form, branch table): one typed field per column, declared by
// definition lines, a heading row with the column names and units, optional
// row numbers in the first column, and column units the user switches with
// a click on the heading. This class carries the editing machinery; how
// cells map to records is its descendant's (TxColGrid).

#include "controls/FieldGrid.h"

#include <QStringList>

class TxEditGrid : public TxFieldGrid {
    Q_OBJECT

public:
    explicit TxEditGrid(QWidget* Parent = nullptr);

    // The definition lines, one per column (line 0, usually ";;;;;",
    // describes the first column); setting them rebuilds the columns.
    const QStringList& FieldDefs() const { return FFieldDefs; }
    void SetFieldDefs(const QStringList& Lines);
    void SetFieldDefsArray(const QStringList& Lines) { SetFieldDefs(Lines); }
    // The first column shows the row numbers 1, 2, ...
    bool ShowItemNumbers = false;

    // Column operations (more in TxFieldGrid). Each raises EFieldError, its
    // message followed by "field def " and the column number, when the
    // column has no field of the class it needs.
    void SetUnits(int Col, TUnitsType UnitsType, double Factor, double Zero,
                  TFormatType FormatType, int UnitsValue, int UnitsBase);
    void SetFieldEnabled(int Col, bool Enabled) { SetIndexEnabled(Col, Enabled); }
    void SetFieldEditable(int Col, bool Editable) { SetIndexEditable(Col, Editable); }
    void SetUnitsValue(int Col, int Index);

    // A data cell by its column's field, in held units (see FieldValue);
    // headings and the numbers column as text.
    virtual QVariant GetCellValue(int Col, int Row) const { return ReadCellValue(Col, Row); }
    virtual void SetCellValue(int Col, int Row, const QVariant& V) { WriteCellValue(Col, Row, V); }
    virtual void SetFieldDef(int Index, const QString& Line);
    // Supplied by the descendant that maps cells to records.
    virtual int CurrentField() const { return Col(); }
    virtual int CurrentRecord() const { return Row(); }
    virtual int FieldIndex(int Col) const { return Col; }
    virtual int RecordIndex(int, int Row) const { return Row; }
    virtual void RepostColumn(int) {}
    virtual void Rebuild() {}
    virtual void ChangeColumnUnits(int, TField*) {}
    virtual bool IsEnumColumn(int, int) const { return false; }
    virtual bool CanEditCell(int, int) const { return false; }
    virtual bool IsFieldEditable(int, int) const { return false; }

    void ReapplyUnits(int Index) override;

protected:
    TField* LineField(int Col, int Row) const override;
    bool IsValueCell(int Col, int Row) const override;
    // Left and Right move between the columns of a table.
    bool ArrowsStepEnums() const override { return false; }
    bool CanEditShow() override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    // The number shown in the numbers column of Row.
    QString ItemNumber(int Row) const;
    // Every data cell of the column in held units, read with the column's
    // present conversion (pairs as text); an unreadable cell reads invalid.
    std::vector<QVariant> ReadColumn(int Col) const;
    // Takes the field's new units (format, factor, heading label) and writes
    // the held values again; invalid ones leave their cells as they are.
    void WriteColumnUnits(int Col, TNumField& Field, const std::vector<QVariant>& Held);
    // Writes values read by ReadColumn back; invalid ones leave their cells
    // as they are.
    void WriteHeldColumn(int Col, const std::vector<QVariant>& Held);

    QStringList FFieldDefs;

    TField* IndexField(int Col) const override;
    bool IsPendingIndex(int Col) const override { return PendingCol() == Col; }
    const char* IndexName() const override { return "field def "; }

private:
    void HeadingClicked(int Col, const QPoint& GlobalPos);
};
