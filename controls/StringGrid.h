#pragma once
// The grid core every table and property sheet is built on: a table of text
// cells addressed as (column, row) with row 0 and column 0 able to serve as
// the fixed heading row and numbers column (shown as the view's header
// sections, so they stay in view while scrolling), a number format per
// column, one in-place editor whose edited cell stays pending until the grid
// moves on or hides the editor, and then is committed through SetData and
// OnDoSetData.
//
// Built for large tables: cells are plain texts read at paint time, rows have
// one fixed height, nothing is sized to its contents, and changing cells
// costs no signal per cell (BeginUpdate/EndUpdate bracket a refill).

#include <QColor>
#include <QTableView>

#include <functional>
#include <limits>
#include <stdexcept>
#include <vector>

class TxInplaceEdit;
class TxGridModel;
class TxGridDelegate;

// Raised for bad sizes and indexes, with the texts the windows show.
class EInvalidGridOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TxGridOption : unsigned {
    xgoFixedVertLine = 1u << 0,
    xgoFixedHorzLine = 1u << 1,
    xgoVertLine = 1u << 2,
    xgoHorzLine = 1u << 3,
    xgoRangeSelect = 1u << 4,
    xgoDrawFocusSelected = 1u << 5,
    xgoRowSizing = 1u << 6,
    xgoColSizing = 1u << 7,
    xgoRowMoving = 1u << 8,
    xgoColMoving = 1u << 9,
    xgoEditing = 1u << 10,
    xgoTabs = 1u << 11,
    xgoRowSelect = 1u << 12,
    xgoAlwaysShowEditor = 1u << 13,
    xgoThumbTracking = 1u << 14,
};
using TxGridOptions = unsigned;

struct TxGridDrawState {
    bool Selected = false;
    bool Current = false;
    // The current cell drawn highlighted: the grid has the focus, or
    // AlwaysShowCell is set.
    bool Highlighted = false;
};

class TxStringGrid : public QTableView {
    Q_OBJECT

public:
    static constexpr int MaxColFormatLength = 12;
    // Counts from this size on are refused.
    static constexpr long long MaxGridSize = 134217726;
    static constexpr TxGridOptions DefaultOptions =
        xgoFixedVertLine | xgoFixedHorzLine | xgoVertLine | xgoHorzLine | xgoRangeSelect;

    explicit TxStringGrid(QWidget* Parent = nullptr);
    ~TxStringGrid() override;

    // Size. Fixed rows and columns are 0 or 1: the heading row and the
    // numbers column.
    int ColCount() const { return FColCount; }
    virtual void SetColCount(int Count);
    int RowCount() const { return FRowCount; }
    virtual void SetRowCount(int Count);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int Count);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int Count);

    // Cells. Reading past the end gives an empty text; a negative index and
    // writing outside the grid raise "Grid index out of range".
    QString Cell(int Col, int Row) const;
    // A text other than the cell's drops the number it was written with.
    void SetCell(int Col, int Row, const QString& Text);
    // The cell shows Text for the number Held (in held units): reading the
    // cell back gives Held itself, not the rounded text, for as long as the
    // cell shows that text.
    void SetCellHeld(int Col, int Row, const QString& Text, double Held);
    // The number the cell was written with; NaN when it shows typed or
    // plain text.
    double CellHeld(int Col, int Row) const;
    // Between these, cell changes are not shown; EndUpdate shows them all at
    // once. They nest.
    void BeginUpdate();
    void EndUpdate();

    // Geometry. The width of column 0 of a grid with a fixed column is the
    // width of the numbers column.
    int ColWidth(int Col) const;
    void SetColWidth(int Col, int Width);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int Width);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Height);
    // A non-fixed cell's rectangle in the viewport; empty when out of range.
    QRect CellRect(int Col, int Row) const;
    // The non-fixed cell at a viewport point; false when there is none.
    bool MouseToCell(const QPoint& ViewportPos, int& Col, int& Row) const;

    // The current cell (FixedCols, FixedRows when the grid has no cells).
    int Col() const;
    int Row() const;
    void SetCol(int Col) { SetCurrentCell(Col, Row()); }
    void SetRow(int Row) { SetCurrentCell(Col(), Row); }
    void SetCurrentCell(int Col, int Row);

    // A number format per column, at most 12 characters. Reading a column
    // without its own format (or past the end) gives DefaultColFormatStr;
    // writing past the end raises "Grid index out of range".
    QString ColFormatStr(int Col) const;
    void SetColFormatStr(int Col, const QString& Fmt);
    QString DefaultColFormatStr() const { return FDefaultColFormatStr; }
    // Discards every column's own format.
    void SetDefaultColFormatStr(const QString& Fmt);

    TxGridOptions Options() const { return FOptions; }
    void SetOptions(TxGridOptions Options);
    bool AlwaysShowCell() const { return FAlwaysShowCell; }
    void SetAlwaysShowCell(bool Show);
    // When false, cells are drawn by OnDrawCell alone.
    bool DefaultDrawing = true;

    // Editing. HideEditor commits the pending cell.
    bool EditorMode() const;
    void ShowEditor();
    void HideEditor();
    int PendingCol() const { return FPendingCol; }
    int PendingRow() const { return FPendingRow; }
    TxInplaceEdit* InplaceEditor() const { return FEditor; }

    // Moving a column takes its width and format along.
    void MoveColumn(int From, int To);
    void MoveRow(int From, int To);

    // Commits the editor's text to the pending cell (validated, range-tested
    // and formatted by the editor first).
    virtual void UpdateText();
    // Forgets the pending cell without storing it; the editor closes.
    virtual void DropPendingCell();
    // Draws one non-fixed cell: the text 2 pixels in from the left and top,
    // clipped to the cell; only the highlighted current cell stands out.
    virtual void DrawCell(QPainter& Painter, int Col, int Row, const QRect& Rect,
                          const TxGridDrawState& State);
    // Whether the cell may become current (asks OnSelectCell).
    virtual bool SelectCell(int Col, int Row);
    // Moves the row (column) to the end and drops it.
    virtual void DeleteRow(int Row);
    virtual void DeleteColumn(int Col);
    // Stores the committed cell; the base fires OnDoSetData.
    virtual void SetData(int Col, int Row);

    std::function<void(TxStringGrid* Sender, int ACol, int ARow)> OnDoSetData;
    std::function<void(TxStringGrid* Sender, int ACol, int ARow, bool& CanEditShow)> OnCanEditShow;
    std::function<void(TxStringGrid* Sender, int ACol, int ARow, bool& CanSelect)> OnSelectCell;
    std::function<void(TxStringGrid* Sender, QPainter& Painter, int ACol, int ARow,
                       const QRect& Rect, const TxGridDrawState& State)>
        OnDrawCell;

    using QTableView::edit;

protected:
    // Whether the editor may open on the current cell.
    virtual bool CanEditShow();
    // The editor's format for the cell: the column's format here.
    virtual void ApplyEditorFormat(TxInplaceEdit& Editor, int Col, int Row);
    // Sets the editor up for the cell before it shows (format and colours).
    virtual void PrepareEditor(TxInplaceEdit& Editor, int Col, int Row);
    virtual QRect EditorRect(int Col, int Row) const { return CellRect(Col, Row); }
    // The current cell moved, the grid scrolled or was laid out anew.
    virtual void CurrentCellChanged() {}
    void OpenEditor();
    // Closes the editor without storing.
    void CloseEditorSilently();
    // Converts an index of the view to grid cells and back.
    QModelIndex IndexOf(int Col, int Row) const;
    void CellOf(const QModelIndex& Index, int& Col, int& Row) const;
    // A click that changed units or closed a list opens no editor.
    bool FNoEditorClick = false;

    bool edit(const QModelIndex& Index, EditTrigger Trigger, QEvent* Event) override;
    void closeEditor(QWidget* Editor, QAbstractItemDelegate::EndEditHint Hint) override;
    void currentChanged(const QModelIndex& Current, const QModelIndex& Previous) override;
    void updateGeometries() override;
    void keyPressEvent(QKeyEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void keyboardSearch(const QString&) override {}

private:
    friend class TxGridModel;
    friend class TxGridDelegate;

    void PaintCell(QPainter& Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index);
    TxInplaceEdit* EnsureEditor(QWidget* Parent);
    void LoadEditor(const QModelIndex& Index);
    void CommitPendingCell();
    bool EditorTextIsReadable() const;
    void CheckCount(long long Count, long long Other) const;
    void EnsureCurrentCell();
    void ApplyColWidth(int Col);
    void ApplyAllColWidths();
    void ApplyRowHeights();
    void ApplyHeaders();
    void CellsChanged(bool Header);
    void FlushRefresh();
    void ResetModel(const std::function<void()>& Change);

    TxGridModel* FModel;
    TxGridDelegate* FDelegate;
    TxInplaceEdit* FEditor = nullptr;
    struct TxCell {
        QString Text;
        double Held = std::numeric_limits<double>::quiet_NaN();
    };
    std::vector<std::vector<TxCell>> FCells; // [row][col]
    int FColCount = 0;
    int FRowCount = 0;
    int FFixedCols = 0;
    int FFixedRows = 0;
    std::vector<int> FColWidths;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    std::vector<QString> FColFormats; // empty until a column's format is set
    QString FDefaultColFormatStr = "%0.1f";
    TxGridOptions FOptions = DefaultOptions;
    bool FAlwaysShowCell = false;
    int FPendingCol = -1;
    int FPendingRow = -1;
    bool FEditorLoaded = false;
    int FUpdateCount = 0;
    bool FRefreshQueued = false;
    bool FHeaderDirty = false;
    bool FApplyingWidths = false;
    bool FRevertingCurrent = false;
};
