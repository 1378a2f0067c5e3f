// The main window's view, edit, tool and help commands, and the handlers
// of the events the editor and the other windows raise.

#include "app/MainForm.h"

#include "app/FanForm.h"
#include "controls/ColGrid.h"
#include "controls/FmtEdit.h"
#include "controls/GuardedCall.h"
#include "controls/UiServices.h"
#include "app/TableForm.h"
#include "app/FittingsForm.h"
#include "dialogs/DuctBranchForm.h"
#include "dialogs/DuctDiamForm.h"
#include "dialogs/DuctLabelsDlg.h"
#include "dialogs/FlowNodeDlg.h"
#include "dialogs/NodeSummaryForm.h"
#include "dialogs/PressureDropForm.h"
#include "dialogs/VentrixFittingDlg.h"
#include "fittings/DuctFittingDB.h"
#include "editor/FlowGraphFrame.h"
#include "graph/GraphFlags.h"
#include "network/DuctGraph.h"
#include "platform/FormPlacement.h"
#include "platform/QtText.h"
#include "tools/AboutBoxDlg.h"
#include "tools/AltBaromForm.h"
#include "tools/AirConBox.h" // completes the box type HumitrakDlg.h uses
#include "tools/HumitrakDlg.h"
#include "tools/SelectLocationForm.h"

#include <QAction>
#include <QEvent>
#include <QScrollArea>

#include <algorithm>
#include <unordered_set>

// ---------------------------------------------------------------- wiring

void TMainForm::WireFrameEvents()
{
    TFlowGraphFrame& F = *FlowGraphFrame1;
    auto Guarded = [this](auto Action) {
        return [this, Action](auto... Args) { GuardedCall(this, [&] { Action(Args...); }); };
    };
    F.OnChanged = Guarded([this] { MarkChanged(); });
    F.OnBeforeDelete = [this] {
        bool Written = false;
        GuardedCall(this, [&] { Written = SaveUndoFile(); });
        return Written;
    };
    F.OnUndoDelete = Guarded([this] { UndoDeleteRestore(); });
    F.OnNodeTypeChanged = Guarded([this](TNode*) { MarkChanged(); });
    F.OnBeforeDeleteNode = Guarded([this](TNode*) { MarkChanged(); });
    F.OnNodeAdded = Guarded([this](TNode*) { MarkChanged(); });
    F.OnBranchSelected = Guarded([this](TBranch* B) { BranchSelected(B); });
    F.OnBranchChanged = Guarded([this](TBranch* B) { BranchChanged(B); });
    F.OnBranchAdded = Guarded([this](TBranch* B) { BranchAdded(B); });
    F.OnBeforeDeleteBranch = Guarded([this](TBranch* B) { BeforeDeleteBranch(B); });
    F.OnBeforeDeleteBlock = Guarded([this](const std::vector<TNode*>&, const std::vector<TBranch*>& Going) {
        ReleaseBranches(Going);
    });
    F.OnBranchDeleted = Guarded([this](TNode*, TNode*) { SelectTableBranch(); });
    F.OnBlockDeleted = Guarded([this] {
        FillTable();
        MarkChanged();
        SelectTableBranch();
    });
    F.OnActionEnable = Guarded([this](QAction* A, bool Enabled) { FrameActionEnable(A, Enabled); });
    F.OnFittingsPasted = Guarded([this] { FittingsPasted(); });
    F.OnLeakageBalanced = Guarded([this] { LeakageBalanced(); });
    F.OnBlockStarted = Guarded([this] {
        if (FittingsForm && FittingsForm->isVisible())
            FittingsForm->UnhighlightDucts();
    });
    F.OnBlockEmpty = Guarded([this] {
        if (FittingsForm && FittingsForm->isVisible())
            FittingsForm->HighlightDucts();
    });
}

void TMainForm::WireEditorDialogs()
{
    RegisterToolWindow(FlowGraphFrame1->BranchForm(), Qt::TopLeftCorner);
    RegisterToolWindow(FlowGraphFrame1->NodeDlg(), Qt::TopLeftCorner);
    if (TDuctBranchForm* B = FlowGraphFrame1->BranchForm()) {
        B->OnChange = [this](TDuctBranch* Branch) { GuardedCall(this, [&] { BranchChanged(Branch); }); };
        B->OnUnitsChanged = [this] { GuardedCall(this, [this] { UnitsChanged(); }); };
    }
    if (TFlowNodeDlg* N = FlowGraphFrame1->NodeDlg()) {
        N->OnTerminalChanged = [this](TFlowNode* Node) { GuardedCall(this, [&] { NodeTypeChanged(Node); }); };
        N->OnOutletKindChanged = [this](TFlowNode* Node) { GuardedCall(this, [&] { OutletKindChanged(Node); }); };
        N->OnInletKindChanged = [this](TFlowNode* Node) { GuardedCall(this, [&] { InletKindChanged(Node); }); };
        N->OnChanged = [this](TFlowNode*) { GuardedCall(this, [this] { MarkChanged(); }); };
        N->OnUnitsChanged = [this] { GuardedCall(this, [this] { NodeDataChanged(); }); };
    }
}

void TMainForm::WireFittingsList()
{
    if (!FittingsForm)
        return;
    TFittingsForm& L = *FittingsForm;
    L.BranchForm = FlowGraphFrame1->BranchForm();
    L.FittingDialog = FittingDlg;
    L.OnHighlightDucts = [this](const std::vector<TBranch*>& Ducts, int Flag) {
        GuardedCall(this, [&] { FlowGraphFrame1->HighlightBranches(Ducts, Flag == 1); });
    };
    L.OnFittingsChanged = [this] { GuardedCall(this, [this] { FittingsRecalculated(); }); };
    L.OnClearSelection = [this] { GuardedCall(this, [this] { FlowGraphFrame1->ClearBlockSelection(); }); };
    L.OnChanged = [this] { GuardedCall(this, [this] { MarkChanged(); }); };
    L.SetNetwork(FNetwork.get());
}

// ---------------------------------------------------------------- handlers

bool TMainForm::HasBranch(const TBranch* Branch) const
{
    if (!Branch)
        return false;
    const auto& List = FNetwork->Branches();
    return std::any_of(List.begin(), List.end(), [&](const auto& B) { return B.get() == Branch; });
}

void TMainForm::SelectCurrentBranch()
{
    if (!HasBranch(FCurrentBranch))
        FCurrentBranch = nullptr;
    FlowGraphFrame1->SelectBranch(FCurrentBranch);
}

void TMainForm::SelectTableBranch()
{
    const int Id = TableBranchId(CurrentTableRow());
    FCurrentBranch = Id == NoTableBranch ? nullptr : FNetwork->FlowBranch(Id);
    FlowGraphFrame1->SelectBranch(FCurrentBranch);
}

void TMainForm::BranchSelected(TBranch* Branch)
{
    const int Row = FindBranchRow(Branch);
    if (Row > 0) {
        SetCurrentTableRow(Row);
        FCurrentBranch = static_cast<TFlowBranch*>(Branch);
        return;
    }
    const int Id = TableBranchId(CurrentTableRow());
    FCurrentBranch = Id == NoTableBranch ? nullptr : FNetwork->FlowBranch(Id);
}

void TMainForm::BranchChanged(TBranch* Branch)
{
    const int Row = FindBranchRow(Branch);
    if (Row > 0)
        ShowBranchInRow(Row, Branch);
    MarkChanged();
}

void TMainForm::BranchAdded(TBranch* Branch)
{
    AddTableRow(Branch);
    MarkChanged();
}

void TMainForm::BeforeDeleteBranch(TBranch* Branch)
{
    ReleaseBranches({Branch});
    const int Row = FindBranchRow(Branch);
    if (Row > 0) {
        DeleteTableRow(Row);
        MarkChanged();
    }
}

void TMainForm::ReleaseBranches(const std::vector<TBranch*>& Going)
{
    const std::unordered_set<const TBranch*> Set(Going.begin(), Going.end());
    FNetwork->ResolveFittingLinks(false);
    // A fitting goes with its branch; one may name a branch twice, or two of
    // the branches: it goes once.
    std::vector<TFitting*> Linked;
    std::unordered_set<const TFitting*> Seen;
    for (TBranch* B : Going) {
        const auto& Fittings = static_cast<TFlowBranch*>(B)->LinkedFittings;
        for (auto It = Fittings.rbegin(); It != Fittings.rend(); ++It)
            if (Seen.insert(*It).second)
                Linked.push_back(*It);
    }
    if (!Linked.empty()) {
        if (FittingsForm && FittingsForm->isVisible())
            FittingsForm->UnhighlightDucts();
        if (FittingDlg && Seen.count(FittingDlg->Fitting()) != 0)
            FittingDlg->SetFitting(nullptr);
        FNetwork->DeleteFittings(Linked);
        // No branch may keep a fitting that is gone.
        FNetwork->ResolveFittingLinks(false);
        FillFittingsList();
    }
    if (Set.count(FCurrentBranch) != 0)
        FCurrentBranch = nullptr;
    if (PressureDropForm && Set.count(PressureDropForm->Branch()) != 0) {
        PressureDropForm->ShowBranch(nullptr, false);
        PressureDropForm->hide();
    }
    if (FittingDlg && Set.count(FittingDlg->Duct()) != 0)
        FittingDlg->SetDuct(nullptr);
}

void TMainForm::FrameActionEnable(QAction* FrameAction, bool Enabled)
{
    const TFlowGraphFrame& F = *FlowGraphFrame1;
    const std::pair<QAction*, QAction*> Map[] = {
        {F.gvfActionCut, ActionCut},       {F.gvfActionCopy, ActionCopy},
        {F.gvfActionPaste, ActionPaste},   {F.gvfActionDelete, ActionDelete},
        {F.gvfActionUndoDelete, ActionUndoDelete},
    };
    for (const auto& [Frames, Mine] : Map)
        if (Frames == FrameAction)
            Mine->setEnabled(Enabled);
}

void TMainForm::CreateFittingWindows()
{
    TDuctFittingDB* Database = DuctFittingDB();
    if (!Database)
        return;
    if (!PressureDropForm) {
        TDuctBranchForm* Branches = FlowGraphFrame1->BranchForm();
        PressureDropForm = FlowGraphFrame1->PressureDropForm();
        if (!PressureDropForm) {
            PressureDropForm = new TPressureDropForm(*FStore, *Database, this);
            if (Branches)
                Branches->PressureDropForm = PressureDropForm;
        }
        RegisterToolWindow(PressureDropForm, Qt::TopRightCorner);
        TPressureDropForm& F = *PressureDropForm;
        auto Redraw = [this](bool ToNode) {
            if (!HasBranch(FCurrentBranch))
                return;
            FlowGraphFrame1->RedrawNode(ToNode ? FCurrentBranch->ToNode : FCurrentBranch->FromNode);
            if (TFlowNodeDlg* N = FlowGraphFrame1->NodeDlg())
                N->Refresh();
        };
        // Every event follows a change of the document.
        F.OnFittingSelected = [this](TFitting* Fit) { GuardedCall(this, [&] { FittingSelected(Fit); }); };
        F.OnFittingChanged = [this](TFitting* Fit) {
            GuardedCall(this, [&] {
                FittingUpdated(Fit);
                MarkChanged();
            });
        };
        F.OnFittingDeleted = [this](TFitting* Fit) { GuardedCall(this, [&] { FittingDeleted(Fit); }); };
        F.OnFixedItemsChanged = [this] {
            GuardedCall(this, [this] {
                if (HasBranch(FCurrentBranch))
                    FlowGraphFrame1->RedrawBranch(FCurrentBranch);
                if (TDuctBranchForm* B = FlowGraphFrame1->BranchForm())
                    B->UpdatePressureDropRow();
                MarkChanged();
            });
        };
        F.OnPressureDropChanged = [this] {
            GuardedCall(this, [this] {
                if (TDuctBranchForm* B = FlowGraphFrame1->BranchForm())
                    B->UpdatePressureDropRow();
                MarkChanged();
            });
        };
        F.OnFlowChanged = [this] { GuardedCall(this, [this] { BranchFlowRowChanged(); }); };
        F.OnFittingsListChanged = [this] {
            GuardedCall(this, [this] {
                if (TDuctBranchForm* B = FlowGraphFrame1->BranchForm())
                    B->ListFittings();
            });
        };
        F.OnOutletChanged = [this, Redraw] {
            GuardedCall(this, [&] {
                Redraw(true);
                MarkChanged();
            });
        };
        F.OnInletChanged = [this, Redraw] {
            GuardedCall(this, [&] {
                Redraw(false);
                MarkChanged();
            });
        };
        F.OnClearSelection = [this] { GuardedCall(this, [this] { FlowGraphFrame1->ClearBlockSelection(); }); };
    }
    if (!FittingDlg) {
        FittingDlg = new TVentrixFittingDlg(*Database, *FStore, this);
        FittingDlg->SetNetwork(FNetwork.get());
        FittingDlg->OnDuctsChanged = [this](const std::vector<TFlowBranch*>& Ducts, int Flag) {
            GuardedCall(this, [&] {
                FlowGraphFrame1->HighlightBranches(std::vector<TBranch*>(Ducts.begin(), Ducts.end()), Flag == 1);
            });
        };
        FittingDlg->OnFittingSelected = [this](TFitting* Fit) { GuardedCall(this, [&] { FittingUpdated(Fit); }); };
        FittingDlg->OnChanged = [this](TVentrixFittingDlg*) { GuardedCall(this, [this] { FittingsRecalculated(); }); };
        PressureDropForm->SetFittingDialog(FittingDlg);
    }
    if (FittingsForm)
        FittingsForm->FittingDialog = FittingDlg;
}

void TMainForm::ShowPressureDrop(TBranch* Branch)
{
    if (!PressureDropForm)
        return;
    auto* Duct = static_cast<TDuctBranch*>(Branch ? Branch : FCurrentBranch);
    PressureDropForm->ShowBranch(Duct, Duct && Duct == FNetwork->MainFan);
    PressureDropForm->show();
    PressureDropForm->raise();
}

void TMainForm::FittingsRecalculated()
{
    MarkChanged();
    FNetwork->CalcFittingsC();
    FNetwork->RecalculateAll();
    if (TDuctBranchForm* B = FlowGraphFrame1->BranchForm()) {
        B->UpdatePressureDropRow();
        B->ListFittings();
    }
    if (PressureDropForm && PressureDropForm->isVisible())
        PressureDropForm->Recalculate();
}

void TMainForm::BranchFlowRowChanged()
{
    if (TDuctBranchForm* B = FlowGraphFrame1->BranchForm())
        B->UpdateFlowRow();
}

void TMainForm::FittingUpdated(TFitting* Fitting)
{
    if (FittingsForm && Fitting)
        FittingsForm->UpdateItem(Fitting);
}

void TMainForm::FittingSelected(TFitting* Fitting)
{
    if (FittingsForm)
        FittingsForm->SelectFitting(Fitting);
}

void TMainForm::FittingDeleted(TFitting* Fitting)
{
    MarkChanged();
    if (FittingsForm && Fitting)
        FittingsForm->DeleteItem(Fitting);
}

void TMainForm::FittingsPasted()
{
    FillFittingsList();
}

void TMainForm::LeakageBalanced()
{
    ActionDistributeFlowsExecute();
}

void TMainForm::UnitsChanged()
{
    TDuctBranchForm* B = FlowGraphFrame1->BranchForm();
    if (!B)
        return;
    UpdateFanLabels();
    if (TableForm) {
        // The table's columns show the units chosen in the branch window.
        TxColGrid& Grid = *TableForm->BranchGrid;
        const std::pair<int, int> RowToColumn[] = {
            {TDuctBranchForm::RowVolumeFlow, TTableForm::ColFlow},
            {TDuctBranchForm::RowDesignFlow, TTableForm::ColDesignFlow},
            {TDuctBranchForm::RowVelocity, TTableForm::ColVelocity},
            {TDuctBranchForm::RowPressureDrop, TTableForm::ColDrop},
            {TDuctBranchForm::RowDiameter, TTableForm::ColDiameter},
            {TDuctBranchForm::RowLength, TTableForm::ColLength},
        };
        for (const auto& [Row, Column] : RowToColumn)
            Grid.SetPickedUnits(Column, B->RowUnits(Row));
        if (const TDuctDiamForm* Sizes = FlowGraphFrame1->DuctDiamForm()) {
            Grid.SetPickedUnits(TTableForm::ColHeight, Sizes->edH->UnitsValue());
            Grid.SetPickedUnits(TTableForm::ColWidth, Sizes->edW->UnitsValue());
        }
    }
    if (PressureDropForm)
        PressureDropForm->UnitsChanged(PressureUnits(), LengthUnits());
    if (const TDuctLabelsDlg* Labels = FlowGraphFrame1->LabelsDlg(); Labels && Labels->BranchLabelShowsData())
        FlowGraphFrame1->RedrawGraph();
    ShowSolvedStatus();
}

void TMainForm::NodeTypeChanged(TFlowNode* Node)
{
    if (!PressureDropForm || !PressureDropForm->isVisible() || !HasBranch(FCurrentBranch))
        return;
    if (Node == FCurrentBranch->FromNode || Node == FCurrentBranch->ToNode)
        ShowPressureDrop(FCurrentBranch);
}

void TMainForm::OutletKindChanged(TFlowNode* Node)
{
    if (PressureDropForm && PressureDropForm->isVisible() && HasBranch(FCurrentBranch) &&
        Node == FCurrentBranch->ToNode)
        PressureDropForm->RefreshFixedGrids();
}

void TMainForm::InletKindChanged(TFlowNode* Node)
{
    if (PressureDropForm && PressureDropForm->isVisible() && HasBranch(FCurrentBranch) &&
        Node == FCurrentBranch->FromNode)
        PressureDropForm->RefreshFixedGrids();
}

void TMainForm::NodeDataChanged()
{
    if (const TDuctLabelsDlg* Labels = FlowGraphFrame1->LabelsDlg(); Labels && Labels->NodeLabelShowsRelP())
        FlowGraphFrame1->RedrawGraph();
}

// ---------------------------------------------------------------- view

void TMainForm::RegisterToolWindow(QWidget* Window, Qt::Corner Corner)
{
    if (!Window || FToolCorners.contains(Window))
        return;
    FToolCorners.insert(Window, Corner);
    Window->installEventFilter(this);
}

bool TMainForm::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::Show)
        if (auto* Window = qobject_cast<QWidget*>(Watched); Window && FToolCorners.contains(Window))
            PlaceToolWindow(Window, FToolCorners.value(Window));
    return QMainWindow::eventFilter(Watched, Event);
}

void TMainForm::PlaceToolWindow(QWidget* Window, Qt::Corner Corner)
{
    // A window the user never placed opens over a corner of the drawing,
    // clear of the menus and tool bars, rather than wherever the desktop
    // puts it.
    if (FPlacedWindows.contains(Window) || FStore->ValueExists(FormSection(Window), "Left"))
        return;
    FPlacedWindows.insert(Window);
    const QWidget* Drawing = FlowGraphFrame1->ScrollBox1;
    const QRect Area(Drawing->mapToGlobal(QPoint(0, 0)), Drawing->size());
    const int Margin = 24;
    const int X = Corner == Qt::TopLeftCorner || Corner == Qt::BottomLeftCorner
                      ? Area.left() + Margin
                      : Area.right() - Window->width() - Margin;
    const int Y = Corner == Qt::TopLeftCorner || Corner == Qt::TopRightCorner
                      ? Area.top() + Margin
                      : Area.bottom() - Window->height() - Margin;
    Window->move(std::max(Area.left(), X), std::max(Area.top(), Y));
}

void TMainForm::ActionFanPressureExecute()
{
    if (!FanForm)
        return;
    UpdateFanLabels();
    FanForm->show();
    FanForm->raise();
}

void TMainForm::ActionTableExecute()
{
    FTableView = ActionTable->isChecked();
    if (!TableForm)
        return;
    TableForm->setVisible(FTableView);
    if (FTableView) {
        TableForm->raise();
        TableForm->activateWindow();
    }
}

void TMainForm::ActionFittingsExecute()
{
    if (!FittingsForm)
        return;
    FittingsForm->show();
    FittingsForm->raise();
    FittingsForm->activateWindow();
}

void TMainForm::ActionNodeSummaryExecute()
{
    if (!NodeSummaryForm)
        return;
    NodeSummaryForm->SetGraph(*FNetwork);
    if (RunModal(*NodeSummaryForm) != mrOk)
        return;
    BranchSelected(NodeSummaryForm->PickedBranch);
    FlowGraphFrame1->SelectBranch(FCurrentBranch);
}

// ---------------------------------------------------------------- edit

void TMainForm::ActionBarometerExecute()
{
    TAltBaromForm Barometer(*FStore, FLocationPicker, CommonDataFolder(), this);
    Barometer.SetPressure(FNetwork->GetBarometerKPa());
    if (RunModal(Barometer) != mrOk)
        return;
    ApplyAirState(FNetwork->SetBarometer(Barometer.Pressure()));
}

void TMainForm::ActionHumitrakExecute()
{
    HumitrakDlg1->SetPressure(FNetwork->GetBarometerKPa());
    HumitrakDlg1->SetTemperature(ToQ(FNetwork->GetHumitrakText()));
    if (HumitrakDlg1->Execute() != mrOk)
        return;
    ApplyAirState(FNetwork->SetHumitrak(HumitrakDlg1->GetTemperature().toStdString()));
}

void TMainForm::ApplyAirState(bool Applied)
{
    // A state the air cannot have changes nothing; the user hears why.
    if (!Applied) {
        ShowMessage(this, ToQ(FNetwork->AirStateStatus), QString(), TMsgKind::Warning);
        return;
    }
    MarkChanged();
}

void TMainForm::ActionRenumberExecute()
{
    if (TableRowCount() == 0 || TableBranchId(1) == NoTableBranch)
        return;
    if (ShowMessage(this,
                    "All branch numbers will be changed\n(using the current order of branches in the "
                    "table).\nContinue?",
                    QString(), TMsgKind::Confirmation, mbYes | mbCancel) != mrYes)
        return;
    TDuctGraph& G = *FNetwork;
    if (TFlowNode* Sink = G.FindSinkNode()) {
        FCurrentBranch = nullptr;
        FlowGraphFrame1->SelectBranch(nullptr);
        G.DeleteNode(Sink);
        G.StartNode = nullptr;
    }
    G.ClearPreviousBranchIds();
    G.ClearBranchFlag(gfVisited);
    for (int Row = 1; Row <= TableRowCount(); ++Row)
        if (TBranch* B = G.TakeBranchById(TableBranchId(Row)))
            B->Renumber(Row);
    G.ClearBranchFlag(gfVisited);
    G.UnlinkFittings();
    G.ResolveFittingLinks(false);

    const int Kept = CurrentTableRow();
    FillTable();
    const int Row = std::clamp(Kept, 1, std::max(1, TableRowCount()));
    SetCurrentTableRow(Row);
    const int Id = TableBranchId(Row);
    FCurrentBranch = Id == NoTableBranch ? nullptr : G.FlowBranch(Id);
    FillFittingsList();
    FlowGraphFrame1->RedrawGraph();
    FlowGraphFrame1->SelectBranch(FCurrentBranch);
    SetSaved(false);
    DisableUndoDelete();
}

// ---------------------------------------------------------------- help

void TMainForm::ActionHelpExecute()
{
    UiServices().ShellOpen(CommonDataFolder() + "help/help.htm");
}

void TMainForm::ActionTutorialExecute()
{
    UiServices().ShellOpen(CommonDataFolder() + "help/tutorial.htm");
}

void TMainForm::ActionAboutExecute()
{
    AboutBoxDlg1->Execute();
}

// ---------------------------------------------------------------- the branch table

void TMainForm::WireTableEvents()
{
    TTableForm& T = *TableForm;
    T.setWindowTitle("Ventrix Table");
    T.OnChanged = [this] { GuardedCall(this, [this] { MarkChanged(); }); };
    T.OnSelectBranch = [this](TDuctBranch* B) {
        GuardedCall(this, [&] {
            FlowGraphFrame1->SelectBranch(B);
            FCurrentBranch = B;
        });
    };
    T.OnEditBranch = [this](TDuctBranch* B) {
        GuardedCall(this, [&] {
            FlowGraphFrame1->SelectBranch(B);
            FlowGraphFrame1->EditBranch();
        });
    };
    T.OnDeleteBranch = [this](TDuctBranch* B) {
        GuardedCall(this, [&] {
            FlowGraphFrame1->SelectBranch(B);
            FlowGraphFrame1->gvfDeleteBranchClick();
        });
    };
    T.OnRenameBranch = [this](TDuctBranch* B, const std::string& Name) {
        GuardedCall(this, [&] { FlowGraphFrame1->SetBranchName(B, Name); });
    };
    T.OnRedrawBranch = [this](TDuctBranch* B) { GuardedCall(this, [&] { FlowGraphFrame1->RedrawBranch(B); }); };
    T.OnOpenPressureDrop = [this](TDuctBranch* B) { GuardedCall(this, [&] { ShowPressureDrop(B); }); };
    T.OnEditDuctSize = [this](TDuctBranch* B, double& Cell) {
        int Result = mrCancel;
        GuardedCall(this, [&] {
            TDuctBranchForm* Form = FlowGraphFrame1->BranchForm();
            if (!Form)
                return;
            QVariant Value = Cell;
            Result = Form->EditDuctSize(Value, B);
            if (Result == mrOk)
                Cell = Value.toDouble();
        });
        return Result;
    };
    T.OnBranchEdited = [this](TDuctBranch* B) {
        GuardedCall(this, [&] {
            FlowGraphFrame1->RedrawBranch(B);
            if (TDuctBranchForm* Form = FlowGraphFrame1->BranchForm(); Form && Form->Branch() == B)
                Form->ShowBranch();
        });
    };
    // The table lost the activation: the mark goes, the window may stay.
    T.OnDeactivate = [this] { ActionTable->setChecked(false); };
}

void TMainForm::FillTable()
{
    if (!TableForm)
        return;
    if (TableForm->Network() != FNetwork.get())
        TableForm->SetNetwork(FNetwork.get());
    else
        TableForm->FillFromNetwork();
}

int TMainForm::TableRowCount() const
{
    return TableForm ? TableForm->BranchGrid->RowCount() - 1 : 0;
}

int TMainForm::TableBranchId(int Row) const
{
    if (Row < 1 || Row > TableRowCount())
        return NoTableBranch;
    bool Ok = false;
    const int Id = TableForm->BranchGrid->Cell(TTableForm::ColId, Row).trimmed().toInt(&Ok);
    return Ok ? Id : NoTableBranch;
}

int TMainForm::CurrentTableRow() const
{
    return TableForm ? TableForm->CurrentRow() : 1;
}

void TMainForm::SetCurrentTableRow(int Row)
{
    if (TableForm)
        TableForm->SetCurrentRow(Row);
}

int TMainForm::FindBranchRow(const TBranch* Branch) const
{
    return TableForm && Branch ? TableForm->FindBranchRow(Branch) : -1;
}

void TMainForm::ShowBranchInRow(int Row, const TBranch* Branch)
{
    if (TableForm)
        TableForm->ShowBranchInRow(Row, static_cast<const TDuctBranch&>(*Branch));
}

void TMainForm::AddTableRow(const TBranch* Branch)
{
    if (TableForm)
        TableForm->AppendBranch(static_cast<const TDuctBranch&>(*Branch));
}

void TMainForm::DeleteTableRow(int Row)
{
    if (!TableForm)
        return;
    TableForm->Deleting = true;
    TableForm->DeleteRow(Row);
    TableForm->Deleting = false;
}

void TMainForm::EndTableEdit()
{
    if (TableForm)
        TableForm->EndEdit();
}

void TMainForm::FillFittingsList()
{
    if (!FittingsForm)
        return;
    if (FittingsForm->Network() != FNetwork.get())
        FittingsForm->SetNetwork(FNetwork.get());
    else
        FittingsForm->FillList();
}

void TMainForm::FillResultWindows()
{
    FillFittingsList();
    FillTable();
    FCurrentBranch = TableForm ? TableForm->TableBranch() : nullptr;
}
