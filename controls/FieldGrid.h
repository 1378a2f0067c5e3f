#pragma once
// What the entry grid (a field per row) and the table grids (a field per
// column) share: the fields parsed from definition lines, reading and
// writing cells as values in held units, the cell editors of the current
// cell (in-place numeric edit, pull-down list, spin buttons, property-editor
// button, check box), the edit colours and the units callback.
//
// Only the current cell has editor widgets; every other cell is painted.

#include "controls/FieldLine.h"
#include "controls/StringGrid.h"
#include "foundation/NumberFormat.h"

#include <QColor>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QListWidget;
class QToolButton;

class TxFieldGrid : public TxStringGrid {
    Q_OBJECT

public:
    // Changes the units of the row or column Index; forms install
    // EditFieldUnits. X and Y: the mouse position on the screen.
    using TUnitsEditProc =
        std::function<void(TxFieldGrid* Grid, int Index, int X, int Y, TField* Field)>;

    explicit TxFieldGrid(QWidget* Parent = nullptr);
    ~TxFieldGrid() override;

    // Delimiter of the definition lines.
    QString Delim = ";";
    // Colour of the value cells; background and text of the in-place editor.
    // All three start as the grid's own colours.
    QColor ColorEditCol() const { return FColorEditCol; }
    void SetColorEditCol(const QColor& Color);
    QColor ColorEditMode;
    QColor ColorEditModeText;
    TUnitsEditProc UnitsEditProc;
    // After the units of a row (entry grid) or column (table grids) were
    // changed by a click; Index is that row or column.
    std::function<void(TxFieldGrid* Sender, int Index)> OnAfterRightClick;

    // The field of a row (entry grid) or column (table grids), or null.
    TField* Field(int Index) const;
    int FieldCount() const { return static_cast<int>(FFields.size()); }

    // Writes the picked unit into the field of Index and shows its values
    // again (the units pop-up ends here).
    void SetPickedUnits(int Index, int UnitIndex);
    // The row's or column's values shown again after its units changed.
    virtual void ReapplyUnits(int Index) = 0;

    // Operations on the field of a row (entry grid) or column (table
    // grids). Each raises EFieldError, its message followed by the row or
    // column, when there is no field of the class it needs.
    void SetPropEditor(int Index, const TPropEditHandler& Handler);
    void SetEnumStrings(int Index, const QStringList& Items);
    // In display units.
    double GetRangeHi(int Index) const;
    double GetRangeLo(int Index) const;

    // The current cell's editors, as a user works them.
    void Spin(bool Up);
    void RunPropEditor();
    void ShowPullDown();
    // Next (Delta 1) or previous (-1) enum item, wrapping; stored at once.
    void StepEnum(int Delta);

    QToolButton* PullDownButton() const { return FPullDownButton; }
    QToolButton* SpinUpButton() const { return FSpinUp; }
    QToolButton* SpinDownButton() const { return FSpinDown; }
    QToolButton* PropEditButton() const { return FPropButton; }
    QCheckBox* CheckBox() const { return FCheckBox; }
    QListWidget* PullDownList() const { return FList; }

protected:
    // The field whose line the cell belongs to (for colours and greying).
    virtual TField* LineField(int Col, int Row) const = 0;
    // Cells holding a field's value (the others hold captions and units).
    virtual bool IsValueCell(int Col, int Row) const = 0;
    // Whether Left and Right step an enum cell's item (else they move).
    virtual bool ArrowsStepEnums() const { return true; }
    TField* ValueField(int Col, int Row) const;
    // The value cell's field when the user may change it.
    TField* ChangeableField(int Col, int Row) const;

    // A cell's text as a value in held units by its field: a number (an
    // integer for an integer format), a pair's text "a/b" (an empty pair
    // cell reads 0/0), an enum's item index, a check's state, else the
    // text. Raises EConvertError when a number cell holds no number.
    QVariant FieldValue(const TField& Field, const QString& Text) const;
    // The text a cell of the field shows for V; false leaves the cell as it
    // is (an enum index outside the items).
    bool FieldText(const TField& Field, const QVariant& V, QString& Text) const;
    // The text as painted: a number cell's number in the field's format,
    // unreadable text as it stands.
    QString ShownText(const TField& Field, const QString& Text) const;

    // A cell as a value in held units by its value field (see FieldValue);
    // other cells as text.
    QVariant ReadCellValue(int Col, int Row) const;
    // Writes V into the cell by its value field; other cells take its text.
    void WriteCellValue(int Col, int Row, const QVariant& V);

    // The field of row or column Index as the grid counts them, or null.
    virtual TField* IndexField(int Index) const = 0;
    // Whether an entry typed into row or column Index waits to be stored.
    virtual bool IsPendingIndex(int Index) const = 0;
    // How the messages of the row or column operations name an index.
    virtual const char* IndexName() const = 0;
    // The field of Index when it is a T; else raises EFieldError, Action
    // followed by the index's name and number.
    template <class T>
    T& IndexFieldAs(int Index, const char* Action) const
    {
        auto* F = dynamic_cast<T*>(IndexField(Index));
        if (!F)
            throw EFieldError(Action + (IndexName() + IntToStr(Index)));
        return *F;
    }
    void SetIndexEnabled(int Index, bool Enabled);
    void SetIndexEditable(int Index, bool Editable);

    // Parses a definition line; a failing line is reported in a message box.
    TFieldLine ParseLine(const QString& Line);
    // Closes every editor without storing (before the fields change).
    void DropEditors();
    // Shows again the current cell's editors (after a field changed).
    void RefreshEditors() { CurrentCellChanged(); }

    bool CanEditShow() override;
    void ApplyEditorFormat(TxInplaceEdit& Editor, int Col, int Row) override;
    void PrepareEditor(TxInplaceEdit& Editor, int Col, int Row) override;
    QRect EditorRect(int Col, int Row) const override;
    void CurrentCellChanged() override;
    void DrawCell(QPainter& Painter, int Col, int Row, const QRect& Rect,
                  const TxGridDrawState& State) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

    std::vector<std::unique_ptr<TField>> FFields;

private:
    QToolButton* MakeButton(const QString& Picture);
    void HideCellEditors();
    void StoreValue(int Col, int Row, const QVariant& V);
    // Writes Text, keeping the number V with it when the field holds one.
    void PutCell(const TField* F, int Col, int Row, const QString& Text, const QVariant& V);
    void PickFromList(int Item);
    int ButtonAreaWidth(const TField* Field) const;

    QColor FColorEditCol;
    QToolButton* FPullDownButton;
    QToolButton* FSpinUp;
    QToolButton* FSpinDown;
    QToolButton* FPropButton;
    QCheckBox* FCheckBox;
    QListWidget* FList;
    int FListCol = -1;
    int FListRow = -1;
    bool FShowingEditors = false;
};
