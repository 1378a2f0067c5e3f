#include "controls/MessageBoxFit.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <climits>

void KeepMessageBoxWithinScreen(QMessageBox& Box, const QRect& Available)
{
    // QMessageBox's own text label and layout; a box made otherwise is left alone.
    auto* Label = Box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    auto* Grid = qobject_cast<QGridLayout*>(Box.layout());
    const int Index = Grid && Label ? Grid->indexOf(Label) : -1;
    if (Index < 0)
        return;
    // The text's height at the width a message box takes at most (about
    // half the screen); the rest of the screen is left to the box's frame,
    // icon and buttons.
    const int Width = std::max(200, Available.width() / 2);
    const int Limit = std::max(100, Available.height() * 2 / 3);
    const QRect Text = QFontMetrics(Label->font())
                           .boundingRect(QRect(0, 0, Width, INT_MAX), Qt::TextWordWrap, Label->text());
    if (Text.height() <= Limit)
        return;
    int Row = 0, Column = 0, RowSpan = 0, ColumnSpan = 0;
    Grid->getItemPosition(Index, &Row, &Column, &RowSpan, &ColumnSpan);
    Grid->removeWidget(Label);
    auto* Scroll = new QScrollArea(&Box);
    Scroll->setFrameShape(QFrame::NoFrame);
    Scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Scroll->setWidgetResizable(true);
    Label->setWordWrap(true);
    Scroll->setWidget(Label);
    Scroll->setFixedSize(Width + Scroll->verticalScrollBar()->sizeHint().width(), Limit);
    Grid->addWidget(Scroll, Row, Column, RowSpan, ColumnSpan);
}
