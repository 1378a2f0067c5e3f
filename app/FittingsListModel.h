#pragma once
// The items of the fittings list: row i shows fitting i of the network's
// fitting list, in five columns (code, description, ducting, C values,
// warnings). Each row remembers which fitting it was made for (its address
// and serial); a row whose fitting is no longer at its place in the
// network's list (a change made elsewhere: a purge, a branch deletion, a
// paste, an undo) shows nothing and reports itself, and every look-up from
// a row to a fitting checks both, so a freed fitting is never reached.
//
// Texts are made when a row is first shown and kept until the row is
// refilled, so that filling a list of ten thousand fittings costs little.

#include <QAbstractTableModel>

#include <array>
#include <functional>
#include <string>
#include <vector>

class TFitting;
class TFlowGraph;

class TFittingsListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int ColumnCount = 5;

    explicit TFittingsListModel(QObject* Parent = nullptr);

    TFlowGraph* Network() const { return FNetwork; }
    void SetNetwork(TFlowGraph* Network);

    // Every row made anew from the network's list.
    void Refill();
    // Every row still shows the fitting at its index of the network's list.
    bool InSync() const;
    // The fitting the row shows; null when the row is out of range or no
    // longer shows the network's fitting at its index.
    TFitting* FittingAt(int Row) const;
    // The row of the fitting in the network's list; -1 when it is not there.
    int IndexOf(const TFitting* Fitting) const;
    // The row's texts made again from its fitting.
    void RowChanged(int Row);
    // A fitting was put into the network's list at Row.
    void InsertRow(int Row);
    // The row goes (the network's list is not touched).
    void RemoveRow(int Row);

    // The text of a column: "[serial] code", the caption, the links text,
    // the C-values text, the warning text.
    static std::string ColumnText(const TFitting& Fitting, int Column);
    // What a column sorts by: the code in column 0, else the column's text.
    static std::string SortKey(const TFitting& Fitting, int Column);

    // A row was found out of step with the network's list (raised once,
    // after the painting that found it).
    std::function<void()> OnOutOfStep;

    int rowCount(const QModelIndex& Parent = {}) const override;
    int columnCount(const QModelIndex& Parent = {}) const override;
    QVariant data(const QModelIndex& Index, int Role = Qt::DisplayRole) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role = Qt::DisplayRole) const override;

private:
    struct TRow {
        const TFitting* Fitting = nullptr; // compared, never followed
        int Serial = 0;
        mutable bool Filled = false;
        mutable std::array<QString, ColumnCount> Texts;
        mutable int Image = 0;
    };
    static TRow RowFor(const TFitting& Fitting);
    bool RowMatches(int Row) const;
    void ReportOutOfStep() const;

    TFlowGraph* FNetwork = nullptr;
    std::vector<TRow> Rows;
    mutable bool OutOfStepQueued = false;
};
