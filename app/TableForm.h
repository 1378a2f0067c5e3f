#pragma once
// The branch table ("TableForm"): a tool window over the main window listing
// every branch of the network whose two ends are active, one a row, with
// its flows, velocity, pressure drop, length and sizes, most of them edited
// in place. Flows that stray from their design flow, fixed-size ducts and
// the index run are coloured; a click on a heading sorts the network's
// branch list by that column; a row dragged by its id moves its branch in
// the list; the Delete key deletes branches.
//
// The table calls no other window: selecting, editing, renaming, deleting
// and redrawing a branch, the duct size dialog and the pressure-drop form
// are asked for through its events, which the main window wires.
//
// Built for large networks: a cell's colours are decided when it is
// painted, from the branch its row shows (found by id in the network's
// hash); rows have one height; the row of an id is kept in a hash of its
// own, rebuilt on every fill, delete and move.

#include "platform/QtText.h"

#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

class QPainter;
class TBranch;
class TDuctBranch;
class TDuctGraph;
class TEquivDiamTool;
class TSettingsStore;
class TxColGrid;
class TxStringGrid;
struct TxGridDrawState;

// Where a flow stands against its design flow.
enum class TFlowBand { Normal, Warning, Error };

// Error outside Lo·Qd .. Hi·Qd, warning outside (1 ∓ Warn)·Qd, the limits
// themselves inside. Each band runs from the smaller to the larger of its
// two products, so a duct drawn against the air (negative flows) is judged
// as one drawn with it.
TFlowBand FlowBand(double Q, double Qd, double Lo, double Hi, double Warn);

class TTableForm : public QWidget {
    Q_OBJECT

public:
    enum TColumn : int {
        ColId,
        ColName,
        ColFlow,
        ColDesignFlow,
        ColVelocity,
        ColDrop,
        ColLength,
        ColDiameter,
        ColWidth,
        ColHeight,
        ColumnCount
    };

    // The colours and limits the table starts with, as stored.
    static constexpr int DefaultCurrentRow = 0xFCF3E9;
    static constexpr int DefaultCurrentCellText = 0x800000;
    static constexpr int DefaultFixedSize = 0x0000CE;
    static constexpr int DefaultIndexRun = 0x386B3A;
    static constexpr int DefaultFlowError = 0x0000CE;
    static constexpr int DefaultFlowWarning = 0x00005E;
    static constexpr double DefaultLoFlowFraction = 0.8;
    static constexpr double DefaultHiFlowFraction = 1.2;
    static constexpr double DefaultWarnFraction = 0.05;

    // Reads its settings from Store, which must outlive the table.
    explicit TTableForm(TSettingsStore& Store, QWidget* Parent = nullptr);
    ~TTableForm() override;

    // The network shown; none gives an empty table. The main window points
    // the table at each new document and then fills it.
    void SetNetwork(TDuctGraph* Network);
    TDuctGraph* Network() const { return FNetwork; }

    // Rebuilds every row: the branches whose ends are both active, in list
    // order; one empty row when there is none. An edit in progress is
    // stored first; the current row stays where it was (or the last row).
    void FillFromNetwork();
    // Writes one branch into a data row.
    void ShowBranchInRow(int Row, const TDuctBranch& Branch);
    // Writes Branch into a new last row, or into the first while it shows
    // no branch (a branch added in the view).
    void AppendBranch(const TDuctBranch& Branch);
    // Makes Row the current row and asks the view to select its branch
    // (none for a row without one).
    void SelectBranchAtRow(int Row);
    // Removes a data row: the later rows move up; the last one left is
    // emptied instead.
    void DeleteRow(int Row);

    // The first row showing Branch; -1 when none does.
    int FindBranchRow(const TBranch* Branch) const;
    // The branch a data row shows; none for an empty row or an unknown id.
    TDuctBranch* BranchAtRow(int Row) const;
    // The branch of the current row, or none.
    TDuctBranch* TableBranch() const;
    int CurrentRow() const { return FSelRow; }
    // Makes Row current without asking the view to select its branch (the
    // main window answering a selection made elsewhere).
    void SetCurrentRow(int Row);
    // Stores an edit in progress (before a solve reads the network).
    void EndEdit();

    // Whether a data cell may be edited: not for a row without a branch,
    // not the velocity and sizes of a fan, not the width and height of a
    // circular duct, nothing of the leakage branch. Cells that may not be
    // edited are drawn grey. The pressure drop and the id are never typed
    // into; the pressure drop's button opens the pressure-drop form.
    bool CanEditCell(int Col, int Row) const;

    // How a data cell is painted.
    struct TCellLook {
        QColor Back;
        QColor Ink;
    };
    TCellLook CellLook(int Col, int Row) const;

    // Commands.
    // A heading click: toggles the column's direction (the first click
    // sorts ascending), sorts the network's branch list, refills and keeps
    // the current branch current.
    void SortByColumn(int Col);
    // The branch of FromRow dragged to ToRow: moved in the network's branch
    // list so that it follows the branch shown above its new row (first
    // when ToRow is 1); then refilled.
    void MoveBranchRow(int FromRow, int ToRow);
    // The Delete key: "Delete Row?" for one cell, "Delete Rows?" for a
    // range, deleting from the last row up while more than one row is
    // left. Nothing with a single row.
    void DeleteKeyPress();
    void EditBranchClick();
    // Deletes the current row's branch without asking.
    void DeleteBranchClick();
    void CompactClick();
    void CopyTextClick();
    void CopyCsvClick();
    // The pop-up menu: the branch's name, "Edit Branch", "Delete Branch",
    // "Compact", "Copy Text", "Copy CSV".
    void ShowPopupMenu(const QPoint& GlobalPos);
    // The width that shows the id and name columns (compact) or all ten.
    void ApplyCompactWidth();

    // Column widths, window width and placement, the compact mark, the
    // colours and the flow limits, in the store's "TableForm" section.
    void LoadSettings();
    void SaveSettings();

    // The stored look (colours as 0x00BBGGRR).
    int clCurrentRow = DefaultCurrentRow;
    int clCurrentCellText = DefaultCurrentCellText;
    int clFixedSize = DefaultFixedSize;
    int clIndexRun = DefaultIndexRun;
    int clFlowError = DefaultFlowError;
    int clFlowWarning = DefaultFlowWarning;
    double loFlowFraction = DefaultLoFlowFraction;
    double hiFlowFraction = DefaultHiFlowFraction;
    double WarnFraction = DefaultWarnFraction;
    bool Compact = false;
    // The next sort of each column is ascending when its flag is false.
    bool SortAscending[ColumnCount] = {};
    // Set by the main window while it removes rows: a current row that
    // moves then selects nothing in the view.
    bool Deleting = false;

    TxColGrid* BranchGrid = nullptr;

    // ---- events
    // After every stored edit (the main window marks the document changed).
    std::function<void()> OnChanged;
    // The view is to select the branch (none: select nothing).
    std::function<void(TDuctBranch* Branch)> OnSelectBranch;
    // The view is to open the branch window for the branch.
    std::function<void(TDuctBranch* Branch)> OnEditBranch;
    // The view is to delete the branch; its deletion event removes the row.
    std::function<void(TDuctBranch* Branch)> OnDeleteBranch;
    // The view is to rename the branch.
    std::function<void(TDuctBranch* Branch, const std::string& Name)> OnRenameBranch;
    // The view is to draw the branch again.
    std::function<void(TDuctBranch* Branch)> OnRedrawBranch;
    // A value of the branch changed here; the branch window shows it again.
    std::function<void(TDuctBranch* Branch)> OnBranchEdited;
    // The duct size dialog for the branch, run modally; on mrOk the branch
    // holds the new type and sizes and Cell the new diameter. Answers the
    // modal result.
    std::function<int(TDuctBranch* Branch, double& Cell)> OnEditDuctSize;
    // The pressure-drop form is to show the branch.
    std::function<void(TDuctBranch* Branch)> OnOpenPressureDrop;
    // The window lost the activation (the main window clears its mark).
    std::function<void()> OnDeactivate;

protected:
    void changeEvent(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    friend class TBranchTableGrid;

    void BuildGrid();
    void WireHeaders();
    // The grid's current cell moved (or was set again).
    void GridCurrentCellChanged();
    void GridDoSetData(int Col, int Row);
    void ApplySize(TDuctBranch& Branch, int Col, double Value);
    // The button of a size cell; answers the button protocol of the grid
    // (1: Value stored, 2: nothing to store).
    int SizeCellButton(int Col, QVariant& Value);
    int DropCellButton();
    void DrawCell(QPainter& Painter, int Col, int Row, const QRect& Rect,
                  const TxGridDrawState& State);
    // The branch's value in a column: a number in held units, else text.
    QVariant CellValue(int Col, const TDuctBranch& Branch) const;
    // What a cell of the branch's row shows.
    QString CellText(int Col, const TDuctBranch& Branch) const;
    void WriteCell(int Col, int Row, const TDuctBranch& Branch);
    void WriteRow(int Row, const TDuctBranch& Branch);
    void WriteSizes(int Row, const TDuctBranch& Branch);
    void WriteVelocity(int Row, const TDuctBranch& Branch);
    void RebuildRowIndex();
    void IndexRow(int Row, const QString& OldIdText);
    void Repaint();
    bool IsSilent() const { return FFilling || FDeletingRows || FSilentSelect || Deleting; }

    TSettingsStore& Store;
    TDuctGraph* FNetwork = nullptr;
    std::unique_ptr<TEquivDiamTool> Tool;
    std::unordered_map<int, int> FRowOfId;
    int FSelRow = 1;
    int FSelCol = 1;
    bool FFilling = false;
    bool FDeletingRows = false;
    bool FSilentSelect = false;
    // A size came from a cell button: its cell's commit applies nothing.
    bool FSizeEdited = false;
    int FSizeEditedCol = -1;
    int FSizeEditedRow = -1;
};
