#include "dialogs/GridIdHeader.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPainter>
#include <QTableView>
#include <QToolButton>

TGridIdHeader::TGridIdHeader(const int& CurrentRow, QWidget* Parent)
    : QHeaderView(Qt::Vertical, Parent), CurrentRow(CurrentRow)
{
}

void TGridIdHeader::paintSection(QPainter* Painter, const QRect& Rect, int Section) const
{
    if (Section + 1 != CurrentRow) {
        QHeaderView::paintSection(Painter, Rect, Section);
        return;
    }
    QFont Bold = font();
    Bold.setBold(true);
    Painter->save();
    Painter->setFont(Bold);
    QHeaderView::paintSection(Painter, Rect, Section);
    Painter->restore();
}

TGridIdHeader* InstallGridIdHeader(QTableView* Grid, const int& CurrentRow)
{
    auto* Ids = new TGridIdHeader(CurrentRow, Grid);
    Grid->setVerticalHeader(Ids);
    Ids->setMinimumSectionSize(1);
    Ids->setHighlightSections(false);
    Ids->setSectionsClickable(true);
    Ids->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Ids->setSectionResizeMode(QHeaderView::Fixed);
    return Ids;
}

QAbstractButton* GridCornerButton(QWidget* Grid)
{
    // The corner button is the grid's one direct child button that is
    // neither a tool button nor a check box.
    for (QAbstractButton* B : Grid->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
        if (!qobject_cast<QToolButton*>(B) && !qobject_cast<QCheckBox*>(B))
            return B;
    return nullptr;
}
