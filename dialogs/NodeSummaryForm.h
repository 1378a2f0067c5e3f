#pragma once
// The node table ("Nodes"): every active node of the document with its id,
// name, relative pressure and type. A click on a heading sorts the
// document's own node list by that column; a double click on a node picks
// its first branch and closes the table with OK, so that the main window can
// select that branch. The table copies itself to the clipboard as text or
// comma text.

#include <QColor>
#include <QDialog>

class TDuctBranch;
class TDuctGraph;
class TSettingsStore;
class TxColGrid;

class TNodeSummaryForm : public QDialog {
    Q_OBJECT

public:
    static constexpr int ColumnCount = 4; // id, caption, relative pressure, type
    // The current row's highlight when none is stored (0x00BBGGRR).
    static constexpr int DefaultCurrentRowColor = 0x00FCF3E9;

    // Shows Graph's nodes. Reads its settings from Store; both must outlive
    // the form (the main window points it at each new document).
    TNodeSummaryForm(TDuctGraph& Graph, TSettingsStore& Store, QWidget* Parent = nullptr);

    void SetGraph(TDuctGraph& Graph) { FGraph = &Graph; }
    TDuctGraph& Graph() const { return *FGraph; }

    // Rebuilds the rows from the document's node list, in its order.
    // PickedBranch becomes none.
    void Refill();
    // A heading click: the document's nodes sorted by that column, each
    // click of a column reversing its last direction; then Refill.
    void SortByColumn(int Col);
    // A double click on a row: the node with the row's id picks its first
    // branch (none when it has none) and the table closes with OK. A row
    // without a known id changes nothing, as the heading does.
    void PickRow(int Row);
    void Copytext1Click();
    void CopyCSV1Click();
    // Column widths, window width and highlight colour.
    void LoadSettings();
    void SaveSettings();

    // The next sort of each column is descending.
    bool SortDescending[ColumnCount] = {};
    int CurrentRow = 1;
    // The branch chosen by a double click; none otherwise.
    TDuctBranch* PickedBranch = nullptr;
    QColor CurrentRowColor;

    TxColGrid* NodeGrid;

    void done(int Result) override;

protected:
    // Showing is the table's activation: it is filled anew.
    void showEvent(QShowEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void ShowPopupMenu(const QPoint& GlobalPos);
    void NodeGridDrawCell(QPainter& Painter, int Col, int Row, const QRect& Rect);

    TDuctGraph* FGraph;
    TSettingsStore& Store;
    // The heading click being handled is a right click (the units list);
    // a left one sorts.
    bool FRightHeadingClick = false;
};
