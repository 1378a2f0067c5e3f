#pragma once
// Copying a report-style list (a tree or table view with columns) to the
// clipboard as text: the column captions, then one line per item (its
// caption and sub-items), every field followed by Sep, every line ended by
// CR LF. With a separator other than a tab, a field holding the separator,
// a quote or a line break is quoted (CSV), so a caption such as "dP, Pa"
// stays one column.

#include <QString>

class QAbstractItemView;

// The text that CopyListViewToClipboard puts on the clipboard; empty for a
// view without columns (a plain list).
QString ListViewText(const QAbstractItemView& View, const QString& Sep);
void CopyListViewToClipboard(const QAbstractItemView& View, const QString& Sep);
