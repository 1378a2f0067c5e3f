// The duct editor's additions to the node and branch pop-up menus: node and
// duct types, the volume flow of a terminal, and the balance of the flow
// leakage at a reference node.

#include "editor/FlowGraphFrame.h"

#include "controls/EntryGrid.h"
#include "controls/FlatPageControl.h"
#include "dialogs/BranchSummary.h"
#include "dialogs/DuctBranchForm.h"
#include "dialogs/PressureDropForm.h"
#include "network/DuctGraph.h"

#include <QAction>
#include <QMenu>

void TFlowGraphFrame::NodePopupPopup()
{
    const auto* N = dynamic_cast<const TFlowNode*>(SelectedNode());
    if (!N)
        return;
    NodeTypeMenu->setTitle(QString("&Type: ") + NodeTypeText(N->NodeType));
    EditVolFlowNodeItem->setVisible(false);
    EditInOutletNodeItem->setVisible(false);
    BalanceLeakNodeSeparator->setVisible(false);
    BalanceLeakNodeItem->setVisible(false);
    NodeTypeMenu->menuAction()->setEnabled(false);
    Inlet1->setVisible(false);
    Outlet1->setVisible(false);
    bool Outgoing = false;
    TDuctBranch* B = EndBranchOf(SelectedNode(), &Outgoing);
    // Only the end of a duct (or of the main fan) may become a terminal.
    if (!B || (B->PressureGain != 0.0 && !(FDuctGraph && B == FDuctGraph->MainFan)))
        return;
    EditInOutletNodeItem->setText(Outgoing ? "Edit &inlet" : "Edit &outlet");
    Inlet1->setVisible(Outgoing);
    Outlet1->setVisible(!Outgoing);
    NodeTypeMenu->menuAction()->setEnabled(true);
    if (!N->IsTerminal())
        return;
    EditVolFlowNodeItem->setVisible(true);
    EditInOutletNodeItem->setVisible(true);
    double Leak = 0.0;
    const bool CanBalance = FDuctGraph && FDuctGraph->CanBalanceLeak(B, Leak);
    BalanceLeakNodeSeparator->setVisible(CanBalance);
    BalanceLeakNodeItem->setVisible(CanBalance);
}

void TFlowGraphFrame::BranchPopupPopup()
{
    const TDuctBranch* B = SelectedDuct();
    if (!B)
        return;
    DuctTypeMenu->setTitle(QString("Du&ct: ") + DuctTypeText(B->DuctType));
    const bool Duct = !(FDuctGraph && B == FDuctGraph->MainFan);
    DimensionsBranchItem->setVisible(Duct);
    DuctTypeMenu->menuAction()->setVisible(Duct);
    FittingsBranchItem->setVisible(Duct);
    double Leak = 0.0;
    const bool CanBalance = FDuctGraph && FDuctGraph->CanBalanceLeak(B, Leak);
    BalanceLeakSeparator->setVisible(CanBalance);
    BalanceLeakItem->setVisible(CanBalance);
}

void TFlowGraphFrame::SetSelectedNodeType(int Type)
{
    auto* N = dynamic_cast<TFlowNode*>(SelectedNode());
    if (!N || !FDuctGraph)
        return;
    N->NodeType = static_cast<TNodeType>(Type);
    FDuctGraph->UpdateNodeTerminals(N);
    NodeTypeMenu->setTitle(QString("&Type: ") + NodeTypeText(N->NodeType));
    RedrawNode(N);
    if (Type == ntOutlet)
        NodeTypeChanged(N);
    if (OnNodeTypeChanged)
        OnNodeTypeChanged(N);
    if (PressureDropForm() && SelectedDuct())
        BranchForm()->ShowBranchPressureDrop(SelectedDuct());
}

void TFlowGraphFrame::Common1Click() { SetSelectedNodeType(ntCommon); }
void TFlowGraphFrame::Inlet1Click() { SetSelectedNodeType(ntInlet); }
void TFlowGraphFrame::Outlet1Click() { SetSelectedNodeType(ntOutlet); }

void TFlowGraphFrame::EditVolFlowFromNodeClick()
{
    TDuctBranch* B = EndBranchOf(SelectedNode());
    if (!B || !BranchForm())
        return;
    SelectBranch(B);
    if (OnBranchSelected)
        OnBranchSelected(B);
    TDuctBranchForm* Form = BranchForm();
    Form->SetBranch(B);
    Form->ShowBranch();
    Form->show();
    Form->raise();
    Form->activateWindow();
    Form->Pages->setCurrentWidget(Form->Grid);
    Form->Grid->setFocus();
    Form->Grid->SetCurrentCell(1, TDuctBranchForm::RowVolumeFlow);
}

void TFlowGraphFrame::BalanceLeakFromNodeClick()
{
    TDuctBranch* B = EndBranchOf(SelectedNode());
    if (!B)
        return;
    SelectBranch(B);
    BalanceLeakClick();
}

void TFlowGraphFrame::BalanceLeakClick()
{
    TDuctBranch* B = SelectedDuct();
    double Leak = 0.0;
    if (!B || !FDuctGraph || !FDuctGraph->CanBalanceLeak(B, Leak))
        return;
    B->DesignFlow += Leak;
    if (OnLeakageBalanced)
        OnLeakageBalanced();
}

void TFlowGraphFrame::SetSelectedDuctType(int Type)
{
    TDuctBranch* B = SelectedDuct();
    if (!B || B->DuctType == Type)
        return;
    const int Old = B->DuctType;
    // The sizes stay as they are; the duct's area follows its new shape.
    B->DuctType = static_cast<TDuctType>(Type);
    B->CalcDuctArea();
    DuctTypeMenu->setTitle(QString("Du&ct: ") + DuctTypeText(B->DuctType));
    RedrawBranch(B);
    const std::string Name = RenamedForDuctType(B->Name, Old, Type);
    if (Name != B->Name)
        SetBranchName(B, Name);
    if (OnBranchChanged)
        OnBranchChanged(B);
}

void TFlowGraphFrame::Rectangular1Click() { SetSelectedDuctType(dtRect); }
void TFlowGraphFrame::Spiral1Click() { SetSelectedDuctType(dtSpiral); }

void TFlowGraphFrame::DimensionsBranchClick()
{
    TDuctBranch* B = SelectedDuct();
    TDuctBranchForm* Form = BranchForm();
    if (!B || !Form)
        return;
    Form->SetBranch(B);
    QVariant Value;
    Form->DiameterCellClick(Value);
    Form->ShowBranch();
    if (OnBranchChanged)
        OnBranchChanged(B);
}

void TFlowGraphFrame::FittingsBranchClick()
{
    TDuctBranch* B = SelectedDuct();
    TDuctBranchForm* Form = BranchForm();
    if (!B || !Form)
        return;
    Form->SetBranch(B);
    Form->ShowBranch();
    Form->OpenPressureDrop(B);
}

void TFlowGraphFrame::EditInOutletNodeClick()
{
    bool Outgoing = false;
    TDuctBranch* B = EndBranchOf(SelectedNode(), &Outgoing);
    TDuctBranchForm* Form = BranchForm();
    if (!B || !Form)
        return;
    SelectBranch(B);
    if (OnBranchSelected)
        OnBranchSelected(B);
    Form->OpenPressureDrop(B);
    if (TPressureDropForm* Drop = PressureDropForm())
        Drop->PageControl->setCurrentWidget(Outgoing ? Drop->InletSheet : Drop->OutletSheet);
}
