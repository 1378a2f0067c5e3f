#pragma once
// The id column of the branch and node tables: the grid's fixed column (its
// row headings), with the current row's id drawn bold, and the button in
// the grid's top-left corner over it.

#include <QHeaderView>

class QAbstractButton;
class QTableView;

class TGridIdHeader : public QHeaderView {
public:
    // CurrentRow is the grid row (headings counted) drawn bold; the table
    // owning it keeps it up to date.
    TGridIdHeader(const int& CurrentRow, QWidget* Parent);

protected:
    void paintSection(QPainter* Painter, const QRect& Rect, int Section) const override;

private:
    const int& CurrentRow;
};

// Makes Grid's row headings a TGridIdHeader: clickable, left-aligned ids of
// a fixed height that stays put when clicked.
TGridIdHeader* InstallGridIdHeader(QTableView* Grid, const int& CurrentRow);

// The button in Grid's top-left corner, over the id column's heading; null
// when the grid has none.
QAbstractButton* GridCornerButton(QWidget* Grid);
