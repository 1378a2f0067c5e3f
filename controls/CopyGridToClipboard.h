#pragma once
// Copies every cell of a grid (heading row and numbers column included) to
// the clipboard as text, rows joined by CR LF. With the separator "," each
// row is comma text: a cell holding a blank or other control character, a
// comma or a quote is quoted, its quotes doubled, so "dP, Pa" stays one
// column. Any other separator (a tab) just joins the cells.

#include <QString>

class TxStringGrid;

QString GridText(const TxStringGrid& Grid, const QString& Sep);
void CopyGridToClipboard(const TxStringGrid& Grid, const QString& Sep);
