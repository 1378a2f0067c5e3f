#include "app/FittingsListModel.h"

#include "dialogs/FittingImages.h"
#include "network/FlowGraph.h"
#include "platform/QtText.h"

#include <QMetaObject>

namespace {

const char* const Captions[TFittingsListModel::ColumnCount] = {"Code", "Description", "Ducting", "C Values",
                                                               "Warnings"};

} // namespace

TFittingsListModel::TFittingsListModel(QObject* Parent) : QAbstractTableModel(Parent) {}

void TFittingsListModel::SetNetwork(TFlowGraph* Network)
{
    FNetwork = Network;
    Refill();
}

TFittingsListModel::TRow TFittingsListModel::RowFor(const TFitting& Fitting)
{
    TRow R;
    R.Fitting = &Fitting;
    R.Serial = Fitting.Serial;
    return R;
}

void TFittingsListModel::Refill()
{
    beginResetModel();
    Rows.clear();
    if (FNetwork) {
        Rows.reserve(FNetwork->Fittings.size());
        for (const auto& F : FNetwork->Fittings)
            Rows.push_back(RowFor(*F));
    }
    endResetModel();
}

bool TFittingsListModel::RowMatches(int Row) const
{
    if (!FNetwork || Row < 0 || static_cast<std::size_t>(Row) >= Rows.size() ||
        static_cast<std::size_t>(Row) >= FNetwork->Fittings.size())
        return false;
    const TFitting* Live = FNetwork->Fittings[static_cast<std::size_t>(Row)].get();
    const TRow& R = Rows[static_cast<std::size_t>(Row)];
    return Live == R.Fitting && Live->Serial == R.Serial;
}

bool TFittingsListModel::InSync() const
{
    const std::size_t Count = FNetwork ? FNetwork->Fittings.size() : 0;
    if (Rows.size() != Count)
        return false;
    for (std::size_t I = 0; I < Count; ++I)
        if (!RowMatches(static_cast<int>(I)))
            return false;
    return true;
}

TFitting* TFittingsListModel::FittingAt(int Row) const
{
    return RowMatches(Row) ? FNetwork->Fittings[static_cast<std::size_t>(Row)].get() : nullptr;
}

int TFittingsListModel::IndexOf(const TFitting* Fitting) const
{
    if (!FNetwork || !Fitting)
        return -1;
    for (std::size_t I = 0; I < FNetwork->Fittings.size(); ++I)
        if (FNetwork->Fittings[I].get() == Fitting)
            return static_cast<int>(I);
    return -1;
}

void TFittingsListModel::RowChanged(int Row)
{
    if (Row < 0 || static_cast<std::size_t>(Row) >= Rows.size())
        return;
    Rows[static_cast<std::size_t>(Row)].Filled = false;
    emit dataChanged(index(Row, 0), index(Row, ColumnCount - 1));
}

void TFittingsListModel::InsertRow(int Row)
{
    if (!FNetwork || Row < 0 || static_cast<std::size_t>(Row) > Rows.size() ||
        static_cast<std::size_t>(Row) >= FNetwork->Fittings.size())
        return;
    beginInsertRows({}, Row, Row);
    Rows.insert(Rows.begin() + Row, RowFor(*FNetwork->Fittings[static_cast<std::size_t>(Row)]));
    endInsertRows();
}

void TFittingsListModel::RemoveRow(int Row)
{
    if (Row < 0 || static_cast<std::size_t>(Row) >= Rows.size())
        return;
    beginRemoveRows({}, Row, Row);
    Rows.erase(Rows.begin() + Row);
    endRemoveRows();
}

std::string TFittingsListModel::ColumnText(const TFitting& Fitting, int Column)
{
    switch (Column) {
    case 0:
        // Built up from the left: GCC 12 sees a false overlap (-Wrestrict)
        // when a literal is put before a temporary string.
        return std::string("[").append(std::to_string(Fitting.Serial)).append("] ").append(Fitting.Code);
    case 1:
        return Fitting.Caption;
    case 2:
        return Fitting.GetLinksText();
    case 3:
        return Fitting.GetCValuesText();
    case 4:
        return Fitting.GetWarningText();
    default:
        return {};
    }
}

std::string TFittingsListModel::SortKey(const TFitting& Fitting, int Column)
{
    return Column == 0 ? Fitting.Code : ColumnText(Fitting, Column);
}

void TFittingsListModel::ReportOutOfStep() const
{
    if (OutOfStepQueued || !OnOutOfStep)
        return;
    OutOfStepQueued = true;
    // Not while the view paints: the list is refilled once it is done.
    auto* Self = const_cast<TFittingsListModel*>(this);
    QMetaObject::invokeMethod(
        Self,
        [Self] {
            Self->OutOfStepQueued = false;
            if (Self->OnOutOfStep && !Self->InSync())
                Self->OnOutOfStep();
        },
        Qt::QueuedConnection);
}

int TFittingsListModel::rowCount(const QModelIndex& Parent) const
{
    return Parent.isValid() ? 0 : static_cast<int>(Rows.size());
}

int TFittingsListModel::columnCount(const QModelIndex& Parent) const { return Parent.isValid() ? 0 : ColumnCount; }

QVariant TFittingsListModel::data(const QModelIndex& Index, int Role) const
{
    if (!Index.isValid() || (Role != Qt::DisplayRole && Role != Qt::DecorationRole))
        return {};
    const int Row = Index.row();
    const TFitting* F = FittingAt(Row);
    if (!F) {
        ReportOutOfStep();
        return {};
    }
    const TRow& R = Rows[static_cast<std::size_t>(Row)];
    if (!R.Filled) {
        for (int C = 0; C < ColumnCount; ++C)
            R.Texts[static_cast<std::size_t>(C)] = ToQ(ColumnText(*F, C));
        R.Image = FittingImageIndex(F->Code);
        R.Filled = true;
    }
    if (Role == Qt::DecorationRole)
        return Index.column() == 0 ? QVariant(FittingCategoryIcon(R.Image)) : QVariant();
    return R.Texts[static_cast<std::size_t>(Index.column())];
}

QVariant TFittingsListModel::headerData(int Section, Qt::Orientation Orientation, int Role) const
{
    if (Orientation != Qt::Horizontal || Role != Qt::DisplayRole || Section < 0 || Section >= ColumnCount)
        return {};
    return QString(Captions[Section]);
}
