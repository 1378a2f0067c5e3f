#include "app/FittingsForm.h"

#include "app/FittingsListModel.h"
#include "controls/GuardedCall.h"
#include "controls/ListViewClipboard.h"
#include "controls/UiServices.h"
#include "dialogs/DuctBranchForm.h"
#include "dialogs/PressureDropForm.h"
#include "dialogs/VentrixFittingDlg.h"
#include "fittings/DuctFittingDB.h"
#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "platform/FormPlacement.h"

#include <QAction>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

namespace {

// The code column also holds the category picture.
constexpr int ColumnWidths[TFittingsListModel::ColumnCount] = {100, 150, 200, 150, 80};

// The tool bar's pictures.
QIcon ToolIcon(int Kind)
{
    QPixmap Picture(16, 16);
    Picture.fill(Qt::transparent);
    QPainter P(&Picture);
    P.setRenderHint(QPainter::Antialiasing, true);
    switch (Kind) {
    case 0: // add: a plus
        P.setPen(QPen(QColor(20, 130, 40), 3, Qt::SolidLine, Qt::RoundCap));
        P.drawLine(QPointF(8, 3), QPointF(8, 13));
        P.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case 1: // delete: a cross
        P.setPen(QPen(QColor(190, 30, 30), 2.6, Qt::SolidLine, Qt::RoundCap));
        P.drawLine(QPointF(4, 4), QPointF(12, 12));
        P.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    default: { // edit: a pencil
        const QPointF Body[] = {{3, 11}, {11, 3}, {13, 5}, {5, 13}};
        P.setPen(QPen(QColor(90, 60, 20), 1));
        P.setBrush(QColor(240, 190, 60));
        P.drawPolygon(Body, 4);
        const QPointF Tip[] = {{3, 11}, {5, 13}, {2, 14}};
        P.setBrush(QColor(60, 60, 60));
        P.drawPolygon(Tip, 3);
        break;
    }
    }
    P.end();
    return QIcon(Picture);
}

} // namespace

TFittingsForm::TFittingsForm(TSettingsStore& SettingsStore, QWidget* MainWindow)
    : QWidget(MainWindow, Qt::Tool | Qt::WindowStaysOnTopHint), Store(SettingsStore)
{
    setObjectName("FittingsForm");
    setWindowTitle("Fittings");

    ToolBar = new QToolBar(this);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ToolBar->setIconSize(QSize(16, 16));
    AddButton = ToolBar->addAction(ToolIcon(0), "&Add");
    DeleteButton = ToolBar->addAction(ToolIcon(1), "&Delete");
    EditButton = ToolBar->addAction(ToolIcon(2), "&Edit");
    connect(AddButton, &QAction::triggered, this, [this] { GuardedCall(this, [this] { AddClick(); }); });
    connect(DeleteButton, &QAction::triggered, this, [this] { GuardedCall(this, [this] { DeleteClick(); }); });
    connect(EditButton, &QAction::triggered, this, [this] { GuardedCall(this, [this] { EditClick(); }); });

    Model = new TFittingsListModel(this);
    Model->OnOutOfStep = [this] { FillList(); };
    LV = new QTreeView(this);
    LV->setModel(Model);
    LV->setRootIsDecorated(false);
    LV->setUniformRowHeights(true);
    LV->setSortingEnabled(false);
    LV->setAllColumnsShowFocus(true);
    LV->setSelectionBehavior(QAbstractItemView::SelectRows);
    LV->setSelectionMode(QAbstractItemView::SingleSelection);
    LV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LV->setAlternatingRowColors(true);
    LV->setIconSize(QSize(16, 16));
    LV->header()->setSectionsClickable(true);
    LV->header()->setStretchLastSection(true);
    LV->setContextMenuPolicy(Qt::CustomContextMenu);
    LV->installEventFilter(this);
    for (int C = 0; C < TFittingsListModel::ColumnCount; ++C)
        LV->setColumnWidth(C, ColumnWidths[C]);
    connect(LV->header(), &QHeaderView::sectionClicked, this,
            [this](int Column) { GuardedCall(this, [&] { ColumnClick(Column); }); });
    connect(LV, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex&) { GuardedCall(this, [this] { EditClick(); }); });
    connect(LV, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& Pos) { GuardedCall(this, [&] { ShowPopup(Pos); }); });
    connect(LV->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& Selected, const QItemSelection& Deselected) {
                GuardedCall(this, [&] { SelectionChanged(!Deselected.isEmpty(), !Selected.isEmpty()); });
            });

    Popup = new QMenu(this);
    EditItem = Popup->addAction("&Edit");
    AddItem = Popup->addAction("&Add");
    DeleteItemAction = Popup->addAction("&Delete");
    Popup->addSeparator();
    CopyTextItem = Popup->addAction("Copy text");
    CopyCsvItem = Popup->addAction("Copy CSV");

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(ToolBar);
    Layout->addWidget(LV, 1);
    resize(720, 300);

    LoadSettings();
}

TFittingsForm::~TFittingsForm() = default;

TFlowGraph* TFittingsForm::Network() const { return Model->Network(); }

void TFittingsForm::SetNetwork(TFlowGraph* Network)
{
    HighlightedIds.clear(); // they named branches of the network shown before
    Model->SetNetwork(Network);
    FillList();
}

// ---------------------------------------------------------------- items

void TFittingsForm::EnsureInSync()
{
    if (!Model->InSync())
        FillList();
}

void TFittingsForm::FillList()
{
    const bool Was = Updating;
    Updating = true;
    Model->Refill();
    Updating = Was;
}

int TFittingsForm::CurrentIndex() const
{
    const QModelIndexList Rows = LV->selectionModel()->selectedRows();
    return Rows.isEmpty() ? -1 : Rows.first().row();
}

TFitting* TFittingsForm::SelectedFitting() const { return Model->FittingAt(CurrentIndex()); }

void TFittingsForm::SelectRow(int Row)
{
    LV->selectionModel()->clearSelection();
    if (Row < 0 || Row >= Model->rowCount())
        return;
    const QModelIndex Index = Model->index(Row, 0);
    LV->selectionModel()->setCurrentIndex(Index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    LV->scrollTo(Index);
}

void TFittingsForm::SelectFitting(TFitting* Fitting)
{
    EnsureInSync();
    SelectRow(Model->IndexOf(Fitting));
}

// The fitting dialog reports every fitting it stored here. A fitting the
// network lists has its item refreshed; one it does not list is a new
// fitting that this window created (see AddClick), which the network takes
// at the end of its list. Any other unlisted fitting belongs to someone
// else and is left alone.
void TFittingsForm::UpdateItem(TFitting* Fitting)
{
    if (!Fitting || !Network())
        return;
    SelectFitting(Fitting);
    const int Row = CurrentIndex();
    if (Row >= 0) {
        Model->RowChanged(Row);
        return;
    }
    if (Fitting != PendingNew.get())
        return;
    // With the selection cleared, "after the current item" is the end.
    auto& List = Network()->Fittings;
    List.push_back(std::move(PendingNew));
    const int At = static_cast<int>(List.size()) - 1;
    Model->InsertRow(At);
    SelectRow(At);
}

void TFittingsForm::DeleteItem(TFitting* Fitting)
{
    EnsureInSync();
    const bool Was = Updating;
    Updating = true;
    const int Row = Model->IndexOf(Fitting);
    SelectRow(Row);
    if (Row >= 0 && CurrentIndex() == Row)
        Model->RemoveRow(Row);
    Updating = Was;
}

// ---------------------------------------------------------------- highlight

void TFittingsForm::HighlightDucts()
{
    if (!OnHighlightDucts)
        return;
    const TFitting* F = SelectedFitting();
    if (!F)
        return;
    std::vector<TBranch*> Ducts;
    HighlightedIds.clear();
    const int Count = std::min(F->LinkCount(), 4);
    for (int I = 0; I < Count; ++I) {
        const TFittingLink& L = F->Links[static_cast<std::size_t>(I)];
        TBranch* B = L.Branch ? L.Branch : (L.BranchId >= 0 ? Network()->FindBranch(L.BranchId) : nullptr);
        if (!B)
            continue;
        Ducts.push_back(B);
        HighlightedIds.push_back(B->Id());
    }
    OnHighlightDucts(Ducts, 1);
}

void TFittingsForm::UnhighlightDucts()
{
    if (!OnHighlightDucts)
        return;
    // By id: a branch highlighted then may have gone since.
    std::vector<TBranch*> Ducts;
    if (Network())
        for (int Id : HighlightedIds)
            if (TBranch* B = Network()->FindBranch(Id))
                Ducts.push_back(B);
    HighlightedIds.clear();
    OnHighlightDucts(Ducts, 0);
}

void TFittingsForm::SelectionChanged(bool Deselected, bool Selected)
{
    if (Updating || !isVisible())
        return;
    if (Deselected)
        UnhighlightDucts();
    if (Selected)
        HighlightDucts();
}

// ---------------------------------------------------------------- commands

void TFittingsForm::ColumnClick(int Column)
{
    TFlowGraph* Net = Network();
    if (!Net || Column < 0 || Column >= TFittingsListModel::ColumnCount)
        return;
    EnsureInSync();
    SortColumn = Column;
    bool& Ascending = SortAscending[static_cast<std::size_t>(Column)];
    Ascending = !Ascending;
    auto& List = Net->Fittings;
    std::vector<std::string> Keys;
    Keys.reserve(List.size());
    for (const auto& F : List)
        Keys.push_back(TFittingsListModel::SortKey(*F, Column));
    std::vector<std::size_t> Order(List.size());
    std::iota(Order.begin(), Order.end(), std::size_t{0});
    // Byte order of the texts, equal texts keeping their order.
    std::stable_sort(Order.begin(), Order.end(), [&](std::size_t A, std::size_t B) {
        return Ascending ? Keys[A] < Keys[B] : Keys[B] < Keys[A];
    });
    std::vector<std::unique_ptr<TFitting>> Sorted;
    Sorted.reserve(List.size());
    for (std::size_t I : Order)
        Sorted.push_back(std::move(List[I]));
    List = std::move(Sorted);
    LV->header()->setSortIndicatorShown(true);
    LV->header()->setSortIndicator(Column, Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    FillList();
    // The order of the fittings is part of the document.
    if (OnChanged)
        OnChanged();
}

void TFittingsForm::DeleteClick()
{
    TFlowGraph* Net = Network();
    EnsureInSync();
    TFitting* F = SelectedFitting();
    if (!Net || !F)
        return;
    if (ShowMessage(this, "Delete Fitting?", QString(), TMsgKind::Confirmation, mbYesNo) != mrYes)
        return;
    const int Row = Model->IndexOf(F);
    if (Row < 0)
        return;
    // Its ducts are shown normally again: nothing will highlight them later.
    UnhighlightDucts();
    Updating = true;
    Net->DeleteFitting(F);
    F = nullptr;
    Model->RemoveRow(Row);
    Net->ResolveFittingLinks(false);
    // The windows that list a branch's fittings let go of the freed one
    // before anything else can reach it.
    if (BranchForm) {
        BranchForm->ListFittings();
        if (TPressureDropForm* Drop = BranchForm->PressureDropForm; Drop && Drop->Branch())
            Drop->ShowBranch(Drop->Branch(), Drop->IsFan());
    }
    Updating = false;
    if (OnChanged)
        OnChanged();
    if (OnFittingsChanged)
        OnFittingsChanged();
    SelectRow(std::min(Row, Model->rowCount() - 1));
}

TVentrixFittingDlg* TFittingsForm::Dialog()
{
    if (FittingDialog)
        return FittingDialog;
    TDuctFittingDB* Database = DuctFittingDB();
    if (!Database) {
        ShowMessage(this, "The duct fitting database is not loaded.", QString(), TMsgKind::Warning);
        return nullptr;
    }
    FittingDialog = new TVentrixFittingDlg(*Database, Store, this);
    FittingDialog->OnFittingSelected = [this](TFitting* F) { UpdateItem(F); };
    FittingDialog->OnDuctsChanged = [this](const std::vector<TFlowBranch*>& Ducts, int Flag) {
        if (OnHighlightDucts)
            OnHighlightDucts(std::vector<TBranch*>(Ducts.begin(), Ducts.end()), Flag);
    };
    return FittingDialog;
}

void TFittingsForm::RunDialog(TFitting* Fitting)
{
    auto* Network = dynamic_cast<TDuctGraph*>(this->Network());
    TVentrixFittingDlg* Dlg = Network ? Dialog() : nullptr;
    if (!Dlg)
        return;
    Dlg->SetNetwork(Network);
    Dlg->SetFitting(Fitting);
    Dlg->SetDuct(nullptr);
    RunModal(*Dlg);
    if (Dlg->Fitting() == PendingNew.get())
        Dlg->SetFitting(nullptr);
}

void TFittingsForm::AddClick()
{
    if (!Network())
        return;
    UnhighlightDucts();
    PendingNew = std::make_unique<TFitting>("Duct Fitting", "");
    RunDialog(PendingNew.get());
    PendingNew.reset(); // never stored: nobody else holds it
}

void TFittingsForm::EditClick()
{
    TFlowGraph* Net = Network();
    EnsureInSync();
    if (!Net || Model->rowCount() == 0)
        return;
    if (CurrentIndex() < 0) {
        const QModelIndex Under = LV->indexAt(LV->viewport()->mapFromGlobal(UiServices().PointerPos()));
        SelectRow(Under.isValid() ? Under.row() : Model->rowCount() - 1);
    }
    TFitting* F = SelectedFitting();
    RunDialog(F ? F : Net->Fittings.front().get());
}

void TFittingsForm::CopyText()
{
    EnsureInSync();
    CopyListViewToClipboard(*LV, "\t");
}

void TFittingsForm::CopyCsv()
{
    EnsureInSync();
    CopyListViewToClipboard(*LV, ",");
}

void TFittingsForm::ShowPopup(const QPoint& Pos)
{
    QAction* Chosen = UiServices().PopupMenu(*Popup, LV->viewport()->mapToGlobal(Pos));
    if (!Chosen)
        return;
    if (Chosen == EditItem)
        EditClick();
    else if (Chosen == AddItem)
        AddClick();
    else if (Chosen == DeleteItemAction)
        DeleteClick();
    else if (Chosen == CopyTextItem)
        CopyText();
    else if (Chosen == CopyCsvItem)
        CopyCsv();
}

// ---------------------------------------------------------------- window

void TFittingsForm::showEvent(QShowEvent* Event)
{
    QWidget::showEvent(Event);
    GuardedCall(this, [this] {
        EnsureInSync();
        HighlightDucts();
    });
}

void TFittingsForm::hideEvent(QHideEvent* Event)
{
    QWidget::hideEvent(Event);
    GuardedCall(this, [this] { UnhighlightDucts(); });
}

void TFittingsForm::changeEvent(QEvent* Event)
{
    QWidget::changeEvent(Event);
    if (Event->type() != QEvent::ActivationChange)
        return;
    GuardedCall(this, [this] {
        if (isActiveWindow()) {
            if (OnClearSelection)
                OnClearSelection();
        } else {
            SaveSettings();
        }
    });
}

bool TFittingsForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == LV && Event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Delete) {
        GuardedCall(this, [this] { DeleteClick(); });
        return true;
    }
    return QWidget::eventFilter(Watched, Event);
}

void TFittingsForm::SaveColumnWidths()
{
    const std::string Section = FormSection(this);
    for (int C = 0; C < TFittingsListModel::ColumnCount; ++C)
        Store.WriteInteger(Section, "ListView Col " + std::to_string(C), LV->columnWidth(C));
}

void TFittingsForm::LoadSettings()
{
    const std::string Section = FormSection(this);
    for (int C = 0; C < TFittingsListModel::ColumnCount; ++C) {
        const int Width = Store.ReadInteger(Section, "ListView Col " + std::to_string(C), LV->columnWidth(C));
        if (Width > 0)
            LV->setColumnWidth(C, Width);
    }
    RestoreFormPlacement(Store, this, false, true);
}

void TFittingsForm::SaveSettings()
{
    SaveColumnWidths();
    SaveFormPlacement(Store, this);
}
