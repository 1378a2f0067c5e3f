#include "controls/StringGrid.h"

#include "controls/GuardedCall.h"
#include "controls/InplaceEdit.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

// The view's model: a window onto the grid's cells without the fixed ones,
// which it offers as header data.
class TxGridModel : public QAbstractTableModel {
public:
    explicit TxGridModel(TxStringGrid& Owner) : QAbstractTableModel(&Owner), Grid(Owner) {}

    int rowCount(const QModelIndex& Parent = {}) const override
    {
        return Parent.isValid() ? 0 : std::max(0, Grid.FRowCount - Grid.FFixedRows);
    }
    int columnCount(const QModelIndex& Parent = {}) const override
    {
        return Parent.isValid() ? 0 : std::max(0, Grid.FColCount - Grid.FFixedCols);
    }
    QVariant data(const QModelIndex& Index, int Role) const override
    {
        if (!Index.isValid() || (Role != Qt::DisplayRole && Role != Qt::EditRole))
            return {};
        return Grid.Cell(Index.column() + Grid.FFixedCols, Index.row() + Grid.FFixedRows);
    }
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override
    {
        if (Role != Qt::DisplayRole)
            return {};
        if (Orientation == Qt::Horizontal)
            return Grid.FFixedRows > 0 ? Grid.Cell(Section + Grid.FFixedCols, 0) : QVariant();
        return Grid.FFixedCols > 0 ? Grid.Cell(0, Section + Grid.FFixedRows) : QVariant();
    }
    Qt::ItemFlags flags(const QModelIndex& Index) const override
    {
        if (!Index.isValid())
            return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }

    // The grid changes its cells itself and tells the view through these.
    using QAbstractTableModel::beginInsertColumns;
    using QAbstractTableModel::beginInsertRows;
    using QAbstractTableModel::beginRemoveColumns;
    using QAbstractTableModel::beginRemoveRows;
    using QAbstractTableModel::beginResetModel;
    using QAbstractTableModel::endInsertColumns;
    using QAbstractTableModel::endInsertRows;
    using QAbstractTableModel::endRemoveColumns;
    using QAbstractTableModel::endRemoveRows;
    using QAbstractTableModel::endResetModel;

private:
    TxStringGrid& Grid;
};

// One delegate for every cell: the grid draws, and the one in-place editor
// is lent out for the cell being edited instead of a new one per edit.
class TxGridDelegate : public QStyledItemDelegate {
public:
    explicit TxGridDelegate(TxStringGrid& Owner) : QStyledItemDelegate(&Owner), Grid(Owner) {}

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override
    {
        Grid.PaintCell(*Painter, Option, Index);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {Grid.FDefaultColWidth, Grid.FDefaultRowHeight};
    }
    QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override
    {
        return Grid.EnsureEditor(Parent);
    }
    void destroyEditor(QWidget* Editor, const QModelIndex&) const override { Editor->hide(); }
    void setEditorData(QWidget*, const QModelIndex& Index) const override { Grid.LoadEditor(Index); }
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override
    {
        Grid.CommitPendingCell();
    }
    void updateEditorGeometry(QWidget* Editor, const QStyleOptionViewItem&,
                              const QModelIndex& Index) const override
    {
        int Col = 0, Row = 0;
        Grid.CellOf(Index, Col, Row);
        Editor->setGeometry(Grid.EditorRect(Col, Row));
    }

private:
    TxStringGrid& Grid;
};

TxStringGrid::TxStringGrid(QWidget* Parent)
    : QTableView(Parent), FModel(new TxGridModel(*this)), FDelegate(new TxGridDelegate(*this))
{
    setModel(FModel);
    setItemDelegate(FDelegate);
    setSortingEnabled(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setEditTriggers(AnyKeyPressed | EditKeyPressed);
    setSelectionBehavior(SelectItems);
    setHorizontalScrollMode(ScrollPerPixel);
    for (QHeaderView* Header : {horizontalHeader(), verticalHeader()}) {
        Header->setMinimumSectionSize(1);
        Header->setHighlightSections(false);
        Header->setSectionsClickable(true);
        Header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        Header->setSortIndicatorShown(false);
    }
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int Section, int, int Size) {
                const int Col = Section + FFixedCols;
                if (!FApplyingWidths && Col < FColCount)
                    FColWidths[Col] = Size;
                CurrentCellChanged();
            });
    // Rows never lower than the font needs.
    FDefaultRowHeight = std::max(FDefaultRowHeight, fontMetrics().height() + 4);
    // Five by five with a heading row and a numbers column, as a new grid
    // on a form.
    FFixedCols = 1;
    FFixedRows = 1;
    SetColCount(5);
    SetRowCount(5);
    SetOptions(DefaultOptions);
    ApplyHeaders();
    ApplyRowHeights();
}

TxStringGrid::~TxStringGrid() = default;

// ---- size ----

void TxStringGrid::CheckCount(long long Count, long long Other) const
{
    if (Count < 0)
        throw EInvalidGridOperation("Too many rows or columns deleted");
    if (Count >= MaxGridSize || Count * std::max(1LL, Other) >= MaxGridSize)
        throw EInvalidGridOperation("Grid too large for operation");
}

void TxStringGrid::SetColCount(int Count)
{
    CheckCount(Count, FRowCount);
    if (Count == FColCount)
        return;
    if (FPendingCol >= Count)
        CloseEditorSilently();
    const int OldModel = std::max(0, FColCount - FFixedCols);
    const int NewModel = std::max(0, Count - FFixedCols);
    if (NewModel > OldModel)
        FModel->beginInsertColumns({}, OldModel, NewModel - 1);
    else if (NewModel < OldModel)
        FModel->beginRemoveColumns({}, NewModel, OldModel - 1);
    for (auto& Cells : FCells)
        Cells.resize(Count);
    FColWidths.resize(Count, FDefaultColWidth);
    if (!FColFormats.empty())
        FColFormats.resize(Count, FDefaultColFormatStr);
    FColCount = Count;
    if (NewModel > OldModel)
        FModel->endInsertColumns();
    else if (NewModel < OldModel)
        FModel->endRemoveColumns();
    ApplyAllColWidths();
    EnsureCurrentCell();
    CurrentCellChanged();
}

void TxStringGrid::SetRowCount(int Count)
{
    CheckCount(Count, FColCount);
    if (Count == FRowCount)
        return;
    if (FPendingRow >= Count)
        CloseEditorSilently();
    const int OldModel = std::max(0, FRowCount - FFixedRows);
    const int NewModel = std::max(0, Count - FFixedRows);
    if (NewModel > OldModel)
        FModel->beginInsertRows({}, OldModel, NewModel - 1);
    else if (NewModel < OldModel)
        FModel->beginRemoveRows({}, NewModel, OldModel - 1);
    FCells.resize(Count, std::vector<TxCell>(FColCount));
    FRowCount = Count;
    if (NewModel > OldModel)
        FModel->endInsertRows();
    else if (NewModel < OldModel)
        FModel->endRemoveRows();
    EnsureCurrentCell();
    CurrentCellChanged();
}

void TxStringGrid::EnsureCurrentCell()
{
    // A grid with cells always has a current one, the first by default.
    if (!currentIndex().isValid() && FModel->rowCount() > 0 && FModel->columnCount() > 0)
        selectionModel()->setCurrentIndex(FModel->index(0, 0), QItemSelectionModel::ClearAndSelect);
}

void TxStringGrid::ResetModel(const std::function<void()>& Change)
{
    const int OldCol = Col(), OldRow = Row();
    CloseEditorSilently();
    FModel->beginResetModel();
    Change();
    FModel->endResetModel();
    ApplyHeaders();
    ApplyAllColWidths();
    ApplyRowHeights();
    SetCurrentCell(std::clamp(OldCol, FFixedCols, std::max(FFixedCols, FColCount - 1)),
                   std::clamp(OldRow, FFixedRows, std::max(FFixedRows, FRowCount - 1)));
}

void TxStringGrid::SetFixedCols(int Count)
{
    Count = std::clamp(Count, 0, 1);
    if (Count != FFixedCols)
        ResetModel([&] { FFixedCols = Count; });
}

void TxStringGrid::SetFixedRows(int Count)
{
    Count = std::clamp(Count, 0, 1);
    if (Count != FFixedRows)
        ResetModel([&] { FFixedRows = Count; });
}

// ---- cells ----

QString TxStringGrid::Cell(int Col, int Row) const
{
    if (Col < 0 || Row < 0)
        throw EInvalidGridOperation("Grid index out of range");
    if (Row >= FRowCount || Col >= FColCount)
        return {};
    return FCells[Row][Col].Text;
}

void TxStringGrid::SetCell(int Col, int Row, const QString& Text)
{
    if (Col < 0 || Row < 0 || Col >= FColCount || Row >= FRowCount)
        throw EInvalidGridOperation("Grid index out of range");
    TxCell& C = FCells[Row][Col];
    if (C.Text != Text) {
        C.Text = Text;
        C.Held = std::numeric_limits<double>::quiet_NaN();
    }
    CellsChanged(Row < FFixedRows || Col < FFixedCols);
}

void TxStringGrid::SetCellHeld(int Col, int Row, const QString& Text, double Held)
{
    SetCell(Col, Row, Text);
    FCells[Row][Col].Held = Held;
}

double TxStringGrid::CellHeld(int Col, int Row) const
{
    if (Col < 0 || Row < 0 || Row >= FRowCount || Col >= FColCount)
        return std::numeric_limits<double>::quiet_NaN();
    return FCells[Row][Col].Held;
}

void TxStringGrid::CellsChanged(bool Header)
{
    FHeaderDirty = FHeaderDirty || Header;
    if (FUpdateCount > 0 || FRefreshQueued)
        return;
    // One repaint for any number of changed cells, once control returns to
    // the event loop.
    FRefreshQueued = true;
    QMetaObject::invokeMethod(this, [this] { FlushRefresh(); }, Qt::QueuedConnection);
}

void TxStringGrid::FlushRefresh()
{
    FRefreshQueued = false;
    if (FHeaderDirty) {
        FHeaderDirty = false;
        if (FModel->columnCount() > 0)
            emit FModel->headerDataChanged(Qt::Horizontal, 0, FModel->columnCount() - 1);
        if (FModel->rowCount() > 0)
            emit FModel->headerDataChanged(Qt::Vertical, 0, FModel->rowCount() - 1);
    }
    viewport()->update();
    CurrentCellChanged();
}

void TxStringGrid::BeginUpdate()
{
    ++FUpdateCount;
}

void TxStringGrid::EndUpdate()
{
    if (FUpdateCount == 0 || --FUpdateCount > 0)
        return;
    FHeaderDirty = true;
    FlushRefresh();
}

// ---- geometry ----

void TxStringGrid::ApplyColWidth(int Col)
{
    if (Col < 0 || Col >= FColCount)
        return;
    FApplyingWidths = true;
    if (Col < FFixedCols)
        verticalHeader()->setFixedWidth(FColWidths[Col]);
    else
        horizontalHeader()->resizeSection(Col - FFixedCols, FColWidths[Col]);
    FApplyingWidths = false;
}

void TxStringGrid::ApplyAllColWidths()
{
    for (int Col = 0; Col < FColCount; ++Col)
        ApplyColWidth(Col);
}

void TxStringGrid::ApplyRowHeights()
{
    verticalHeader()->setDefaultSectionSize(FDefaultRowHeight);
    horizontalHeader()->setFixedHeight(FDefaultRowHeight);
}

void TxStringGrid::ApplyHeaders()
{
    horizontalHeader()->setVisible(FFixedRows > 0);
    verticalHeader()->setVisible(FFixedCols > 0);
}

int TxStringGrid::ColWidth(int Col) const
{
    return Col >= 0 && Col < FColCount ? FColWidths[Col] : FDefaultColWidth;
}

void TxStringGrid::SetColWidth(int Col, int Width)
{
    if (Col < 0 || Col >= FColCount)
        throw EInvalidGridOperation("Grid index out of range");
    FColWidths[Col] = std::max(0, Width);
    ApplyColWidth(Col);
}

void TxStringGrid::SetDefaultColWidth(int Width)
{
    FDefaultColWidth = std::max(0, Width);
    std::fill(FColWidths.begin(), FColWidths.end(), FDefaultColWidth);
    horizontalHeader()->setDefaultSectionSize(FDefaultColWidth);
    ApplyAllColWidths();
}

void TxStringGrid::SetDefaultRowHeight(int Height)
{
    FDefaultRowHeight = std::max(1, Height);
    ApplyRowHeights();
}

QModelIndex TxStringGrid::IndexOf(int Col, int Row) const
{
    return FModel->index(Row - FFixedRows, Col - FFixedCols);
}

void TxStringGrid::CellOf(const QModelIndex& Index, int& Col, int& Row) const
{
    Col = Index.column() + FFixedCols;
    Row = Index.row() + FFixedRows;
}

QRect TxStringGrid::CellRect(int Col, int Row) const
{
    const QModelIndex Index = IndexOf(Col, Row);
    return Index.isValid() ? visualRect(Index) : QRect();
}

bool TxStringGrid::MouseToCell(const QPoint& ViewportPos, int& Col, int& Row) const
{
    const QModelIndex Index = indexAt(ViewportPos);
    if (!Index.isValid())
        return false;
    CellOf(Index, Col, Row);
    return true;
}

// ---- current cell ----

int TxStringGrid::Col() const
{
    const QModelIndex Index = currentIndex();
    return Index.isValid() ? Index.column() + FFixedCols : FFixedCols;
}

int TxStringGrid::Row() const
{
    const QModelIndex Index = currentIndex();
    return Index.isValid() ? Index.row() + FFixedRows : FFixedRows;
}

void TxStringGrid::SetCurrentCell(int Col, int Row)
{
    const QModelIndex Index = IndexOf(Col, Row);
    if (Index.isValid())
        selectionModel()->setCurrentIndex(Index, QItemSelectionModel::ClearAndSelect);
}

bool TxStringGrid::SelectCell(int Col, int Row)
{
    bool CanSelect = true;
    if (OnSelectCell)
        GuardedCall(this, [&] { OnSelectCell(this, Col, Row, CanSelect); });
    return CanSelect;
}

void TxStringGrid::currentChanged(const QModelIndex& Current, const QModelIndex& Previous)
{
    QTableView::currentChanged(Current, Previous);
    if (FRevertingCurrent)
        return;
    int C = 0, R = 0;
    CellOf(Current, C, R);
    if (Current.isValid() && Previous.isValid() && !SelectCell(C, R)) {
        FRevertingCurrent = true;
        selectionModel()->setCurrentIndex(Previous, QItemSelectionModel::ClearAndSelect);
        FRevertingCurrent = false;
    }
    CurrentCellChanged();
    if ((FOptions & xgoAlwaysShowEditor) && hasFocus())
        OpenEditor();
}

void TxStringGrid::updateGeometries()
{
    QTableView::updateGeometries();
    CurrentCellChanged();
}

// ---- column formats ----

QString TxStringGrid::ColFormatStr(int Col) const
{
    if (!FColFormats.empty() && Col >= 0 && Col < FColCount)
        return FColFormats[Col];
    return FDefaultColFormatStr;
}

void TxStringGrid::SetColFormatStr(int Col, const QString& Fmt)
{
    if (FColFormats.empty())
        FColFormats.assign(FColCount, FDefaultColFormatStr);
    if (Col < 0 || Col >= FColCount)
        throw EInvalidGridOperation("Grid index out of range");
    const QString Cut = Fmt.left(MaxColFormatLength);
    if (FColFormats[Col] != Cut) {
        FColFormats[Col] = Cut;
        viewport()->update();
    }
}

void TxStringGrid::SetDefaultColFormatStr(const QString& Fmt)
{
    FDefaultColFormatStr = Fmt.left(MaxColFormatLength);
    FColFormats.clear();
    viewport()->update();
}

// ---- options ----

void TxStringGrid::SetOptions(TxGridOptions Options)
{
    FOptions = Options;
    setShowGrid(Options & (xgoVertLine | xgoHorzLine));
    setSelectionMode((Options & xgoRangeSelect) ? ContiguousSelection : SingleSelection);
    setSelectionBehavior((Options & xgoRowSelect) ? SelectRows : SelectItems);
    setTabKeyNavigation(Options & xgoTabs);
    horizontalHeader()->setSectionResizeMode((Options & xgoColSizing) ? QHeaderView::Interactive
                                                                       : QHeaderView::Fixed);
    if (!(Options & xgoEditing))
        HideEditor();
}

void TxStringGrid::SetAlwaysShowCell(bool Show)
{
    FAlwaysShowCell = Show;
    viewport()->update();
}

// ---- moving and deleting ----

void TxStringGrid::MoveColumn(int From, int To)
{
    if (From < 0 || To < 0 || From >= FColCount || To >= FColCount)
        throw EInvalidGridOperation("Grid index out of range");
    if (From == To)
        return;
    HideEditor();
    const auto Move = [From, To](auto& List) {
        if (From < To)
            std::rotate(List.begin() + From, List.begin() + From + 1, List.begin() + To + 1);
        else
            std::rotate(List.begin() + To, List.begin() + From, List.begin() + From + 1);
    };
    ResetModel([&] {
        for (auto& Cells : FCells)
            Move(Cells);
        Move(FColWidths);
        if (!FColFormats.empty())
            Move(FColFormats);
    });
}

void TxStringGrid::MoveRow(int From, int To)
{
    if (From < 0 || To < 0 || From >= FRowCount || To >= FRowCount)
        throw EInvalidGridOperation("Grid index out of range");
    if (From == To)
        return;
    HideEditor();
    ResetModel([&] {
        if (From < To)
            std::rotate(FCells.begin() + From, FCells.begin() + From + 1, FCells.begin() + To + 1);
        else
            std::rotate(FCells.begin() + To, FCells.begin() + From, FCells.begin() + From + 1);
    });
}

void TxStringGrid::DeleteRow(int Row)
{
    MoveRow(Row, FRowCount - 1);
    SetRowCount(FRowCount - 1);
}

void TxStringGrid::DeleteColumn(int Col)
{
    MoveColumn(Col, FColCount - 1);
    SetColCount(FColCount - 1);
}

// ---- editing ----

bool TxStringGrid::EditorMode() const
{
    return FEditor && state() == EditingState && FEditor->isVisible();
}

void TxStringGrid::ShowEditor()
{
    OpenEditor();
}

void TxStringGrid::OpenEditor()
{
    const QModelIndex Index = currentIndex();
    if (Index.isValid() && state() != EditingState)
        edit(Index, EditKeyPressed, nullptr);
}

void TxStringGrid::HideEditor()
{
    if (!EditorMode())
        return;
    commitData(FEditor);
    closeEditor(FEditor, QAbstractItemDelegate::NoHint);
}

void TxStringGrid::CloseEditorSilently()
{
    FPendingCol = FPendingRow = -1;
    if (FEditor)
        FEditor->SetModified(false);
    if (FEditor && state() == EditingState)
        closeEditor(FEditor, QAbstractItemDelegate::RevertModelCache);
}

void TxStringGrid::DropPendingCell()
{
    CloseEditorSilently();
    viewport()->update();
}

bool TxStringGrid::CanEditShow()
{
    if (!(FOptions & xgoEditing) || (FOptions & xgoRowSelect) || !currentIndex().isValid())
        return false;
    bool Can = true;
    if (OnCanEditShow)
        GuardedCall(this, [&] { OnCanEditShow(this, Col(), Row(), Can); });
    return Can;
}

bool TxStringGrid::edit(const QModelIndex& Index, EditTrigger Trigger, QEvent* Event)
{
    if (!Index.isValid())
        return false;
    if (FEditor && state() == EditingState && IndexOf(FPendingCol, FPendingRow) == Index)
        return QTableView::edit(Index, Trigger, Event);
    // Only the current cell is edited, and only where the grid allows it.
    if (Index != currentIndex() || !CanEditShow())
        return false;
    return QTableView::edit(Index, Trigger, Event);
}

TxInplaceEdit* TxStringGrid::EnsureEditor(QWidget* Parent)
{
    if (!FEditor) {
        FEditor = new TxInplaceEdit(Parent);
        FEditor->setFrame(false);
        FEditor->hide();
    } else if (FEditor->parentWidget() != Parent) {
        FEditor->setParent(Parent);
    }
    FEditorLoaded = false;
    return FEditor;
}

void TxStringGrid::ApplyEditorFormat(TxInplaceEdit& Editor, int Col, int)
{
    Editor.SetFormatStr(ColFormatStr(Col));
}

void TxStringGrid::PrepareEditor(TxInplaceEdit& Editor, int Col, int Row)
{
    ApplyEditorFormat(Editor, Col, Row);
}

void TxStringGrid::LoadEditor(const QModelIndex& Index)
{
    // The view also calls this when the edited cell's data changes; the
    // entry in progress stays.
    if (FEditorLoaded || !FEditor)
        return;
    FEditorLoaded = true;
    CellOf(Index, FPendingCol, FPendingRow);
    PrepareEditor(*FEditor, FPendingCol, FPendingRow);
    FEditor->setText(Cell(FPendingCol, FPendingRow));
    FEditor->SetModified(false);
    FEditor->selectAll();
}

void TxStringGrid::UpdateText()
{
    if (!FEditor || FPendingCol < 0 || FPendingRow < 0)
        return;
    ApplyEditorFormat(*FEditor, FPendingCol, FPendingRow);
    FEditor->CommitIfModified();
    SetCell(FPendingCol, FPendingRow, FEditor->text());
}

bool TxStringGrid::EditorTextIsReadable() const
{
    const QString Text = FEditor->text();
    double A = 0, B = 0;
    switch (FEditor->FormatKind()) {
    case TFormatKind::Text:
        return true;
    case TFormatKind::Pair:
        // Each side of the first "/" on its own.
        return ReadTypedNumber(Text.section('/', 0, 0), A) &&
               (!Text.contains('/') || ReadTypedNumber(Text.section('/', 1), B));
    default:
        return ReadTypedNumber(Text, A);
    }
}

void TxStringGrid::CommitPendingCell()
{
    const int C = FPendingCol, R = FPendingRow;
    if (!FEditor || C < 0 || R < 0 || C >= FColCount || R >= FRowCount)
        return;
    if (FEditor->Modified()) {
        ApplyEditorFormat(*FEditor, C, R);
        // Text that is no number never reaches the cell: it keeps its value.
        if (!EditorTextIsReadable()) {
            FPendingCol = FPendingRow = -1;
            FEditor->SetModified(false);
            FEditor->InputRejected();
            return;
        }
    }
    UpdateText();
    FPendingCol = FPendingRow = -1;
    // An editor left as it was opened (nothing typed, or every key refused)
    // and an entry that came back to what the cell held (an unreadable entry
    // refused by the editor on Enter) change nothing: storing the shown,
    // rounded text would alter the value and mark the document changed.
    const bool Unchanged = !FEditor->Modified() || FEditor->text() == FEditor->LastText();
    // Done with: the editor must not check the entry again as it loses the
    // focus.
    FEditor->SetModified(false);
    // The form stores the value here; its errors become messages.
    if (!Unchanged)
        GuardedCall(this, [&] { SetData(C, R); });
}

void TxStringGrid::closeEditor(QWidget* Editor, QAbstractItemDelegate::EndEditHint Hint)
{
    FPendingCol = FPendingRow = -1;
    FEditorLoaded = false;
    QTableView::closeEditor(Editor, Hint);
    CurrentCellChanged();
}

void TxStringGrid::SetData(int Col, int Row)
{
    if (OnDoSetData)
        OnDoSetData(this, Col, Row);
}

// ---- input ----

void TxStringGrid::keyPressEvent(QKeyEvent* Event)
{
    if (Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter) {
        // Enter from the editor has been handled by it; it must not reach a
        // dialog's default button.
        if (state() == EditingState) {
            Event->accept();
            return;
        }
        if (CanEditShow()) {
            OpenEditor();
            Event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(Event);
}

void TxStringGrid::mousePressEvent(QMouseEvent* Event)
{
    const QModelIndex Hit = indexAt(Event->position().toPoint());
    const bool OnCurrent = Hit.isValid() && Hit == currentIndex() && state() != EditingState;
    QTableView::mousePressEvent(Event);
    if (OnCurrent && !FNoEditorClick && Event->button() == Qt::LeftButton && currentIndex() == Hit)
        OpenEditor();
    FNoEditorClick = false;
}

void TxStringGrid::focusInEvent(QFocusEvent* Event)
{
    QTableView::focusInEvent(Event);
    viewport()->update();
}

void TxStringGrid::focusOutEvent(QFocusEvent* Event)
{
    QTableView::focusOutEvent(Event);
    viewport()->update();
}

// ---- drawing ----

void TxStringGrid::PaintCell(QPainter& Painter, const QStyleOptionViewItem& Option,
                             const QModelIndex& Index)
{
    int C = 0, R = 0;
    CellOf(Index, C, R);
    TxGridDrawState State;
    State.Selected = Option.state & QStyle::State_Selected;
    State.Current = Index == currentIndex();
    State.Highlighted = State.Current && (hasFocus() || FAlwaysShowCell);
    if (DefaultDrawing)
        DrawCell(Painter, C, R, Option.rect, State);
    if (OnDrawCell) {
        try {
            OnDrawCell(this, Painter, C, R, Option.rect, State);
        } catch (const std::exception&) {
            // A message box from inside painting would paint again; the
            // cell keeps what the grid drew.
        }
    }
}

void TxStringGrid::DrawCell(QPainter& Painter, int Col, int Row, const QRect& Rect,
                            const TxGridDrawState& State)
{
    const QPalette& P = palette();
    Painter.fillRect(Rect, State.Highlighted ? P.highlight() : P.base());
    Painter.setPen(State.Highlighted ? P.highlightedText().color() : P.text().color());
    Painter.drawText(Rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     FCells[Row][Col].Text);
}
