#include "controls/CopyGridToClipboard.h"

#include "controls/StringGrid.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

QString CommaField(const QString& Cell)
{
    bool Quote = false;
    for (const QChar C : Cell)
        if (C <= QChar(' ') || C == ',' || C == '"') {
            Quote = true;
            break;
        }
    if (!Quote)
        return Cell;
    return '"' + QString(Cell).replace('"', "\"\"") + '"';
}

} // namespace

QString GridText(const TxStringGrid& Grid, const QString& Sep)
{
    QStringList Rows;
    Rows.reserve(Grid.RowCount());
    for (int Row = 0; Row < Grid.RowCount(); ++Row) {
        QStringList Cells;
        Cells.reserve(Grid.ColCount());
        for (int Col = 0; Col < Grid.ColCount(); ++Col)
            Cells << (Sep == "," ? CommaField(Grid.Cell(Col, Row)) : Grid.Cell(Col, Row));
        Rows << Cells.join(Sep);
    }
    return Rows.join("\r\n");
}

void CopyGridToClipboard(const TxStringGrid& Grid, const QString& Sep)
{
    QGuiApplication::clipboard()->setText(GridText(Grid, Sep));
}
