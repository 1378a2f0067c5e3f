#include "controls/ListViewClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QTableView>
#include <QTreeView>

namespace {

QString Field(const QString& Text, const QString& Sep)
{
    if (Sep == "\t")
        return Text;
    const bool NeedsQuotes = (!Sep.isEmpty() && Text.contains(Sep)) || Text.contains('"') ||
                             Text.contains('\r') || Text.contains('\n');
    if (!NeedsQuotes)
        return Text;
    return '"' + QString(Text).replace("\"", "\"\"") + '"';
}

} // namespace

QString ListViewText(const QAbstractItemView& View, const QString& Sep)
{
    const QAbstractItemModel* Model = View.model();
    const bool Report =
        qobject_cast<const QTreeView*>(&View) || qobject_cast<const QTableView*>(&View);
    if (!Report || !Model)
        return {};
    const int Columns = Model->columnCount();
    QString Text;
    for (int C = 0; C < Columns; ++C)
        Text += Field(Model->headerData(C, Qt::Horizontal).toString(), Sep) + Sep;
    Text += "\r\n";
    for (int R = 0; R < Model->rowCount(); ++R) {
        for (int C = 0; C < Columns; ++C)
            Text += Field(Model->index(R, C).data().toString(), Sep) + Sep;
        Text += "\r\n";
    }
    return Text;
}

void CopyListViewToClipboard(const QAbstractItemView& View, const QString& Sep)
{
    const QString Text = ListViewText(View, Sep);
    if (!Text.isEmpty())
        QApplication::clipboard()->setText(Text);
}
