// The main window's solve and sizing commands, the resets of design values,
// the status bar, the fan lines and the refresh every change and every
// solve ends with.

#include "app/MainForm.h"

#include "app/FanForm.h"
#include "app/SettingsForm.h"
#include "controls/UiServices.h"
#include "controls/UnitsText.h"
#include "dialogs/DuctBranchForm.h"
#include "dialogs/DuctManualResizeForm.h"
#include "dialogs/PressureDropForm.h"
#include "editor/FlowGraphFrame.h"
#include "network/DuctGraph.h"
#include "platform/QtText.h"
#include "sizing/SolveCommands.h"

#include <QFileInfo>
#include <QLabel>

#include <cmath>

namespace {

// Duct pressures are held in Pa, the second unit of the pressure drops.
constexpr int PascalIndex = 1;

} // namespace

// ---------------------------------------------------------------- display units

// The units the user chose in the branch window's rows; before it exists,
// m³/s, Pa and m.

int TMainForm::FlowUnits() const
{
    const TDuctBranchForm* Form = FlowGraphFrame1->BranchForm();
    return Form ? Form->RowUnits(TDuctBranchForm::RowVolumeFlow) : 0;
}

int TMainForm::PressureUnits() const
{
    const TDuctBranchForm* Form = FlowGraphFrame1->BranchForm();
    return Form ? Form->RowUnits(TDuctBranchForm::RowPressureDrop) : PascalIndex;
}

int TMainForm::LengthUnits() const
{
    const TDuctBranchForm* Form = FlowGraphFrame1->BranchForm();
    return Form ? Form->RowUnits(TDuctBranchForm::RowLength) : 0;
}

// ---------------------------------------------------------------- commands

bool TMainForm::PrepareSolve()
{
    EndTableEdit();
    FNetwork->ErrorBranch = nullptr;
    return true;
}

void TMainForm::RunSolveCommandNow(int Command)
{
    PrepareSolve();
    const TSolveCommandResult Result = RunSolveCommand(*FNetwork, static_cast<TSolveCommand>(Command));
    if (Result.MethodShown)
        SetSolveMethod(*Result.MethodShown);
    AfterSolveCommand();
}

void TMainForm::AfterSolveCommand()
{
    RefreshResults();
    RefreshViewAfterSolve();
}

void TMainForm::RefreshViewAfterSolve()
{
    if (!HasBranch(FCurrentBranch))
        FCurrentBranch = nullptr;
    FlowGraphFrame1->RefreshAfterSolve(FCurrentBranch);
}

void TMainForm::ActionSizeEqualFrictionExecute()
{
    RunSolveCommandNow(scEqualFriction);
}

void TMainForm::ActionSizeStaticRegainExecute()
{
    RunSolveCommandNow(scStaticRegain);
}

void TMainForm::ActionSizeVelocityExecute()
{
    RunSolveCommandNow(scVelocity);
}

void TMainForm::ActionCalcFlowExecute()
{
    RunSolveCommandNow(scBalanceFlows);
}

void TMainForm::ActionStandardSizeExecute()
{
    RunSolveCommandNow(scStandardSizes);
}

void TMainForm::ActionDistributeFlowsExecute()
{
    RunSolveCommandNow(scSumFlows);
}

void TMainForm::ActionResetFlowsExecute()
{
    RunSolveCommandNow(scResetDesignFlows);
}

void TMainForm::ActionResetVelocitiesExecute()
{
    RunSolveCommandNow(scResetVelocities);
}

void TMainForm::ActionSettingsExecute()
{
    if (SettingsForm)
        SettingsForm->Execute();
    MarkChanged();
}

void TMainForm::ActionSetInletSizesExecute()
{
    PrepareSolve();
    FNetwork->ApplyInletSizes();
    AfterSolveCommand();
}

void TMainForm::ActionSetOutletSizesExecute()
{
    PrepareSolve();
    FNetwork->ApplyOutletSizes();
    AfterSolveCommand();
}

void TMainForm::ActionClearFixedSizeExecute()
{
    FNetwork->SetAllSizeFixed(false);
    RefreshResults();
}

void TMainForm::ActionSetFixedSizeExecute()
{
    FNetwork->SetAllSizeFixed(true);
    RefreshResults();
}

void TMainForm::OutletFlowsReset(int Kind)
{
    PrepareSolve();
    FNetwork->ResetOutletFlows(Kind);
    AfterSolveCommand();
}

void TMainForm::InletFlowsReset(int Kind)
{
    PrepareSolve();
    FNetwork->ResetInletFlows(Kind);
    AfterSolveCommand();
}

void TMainForm::OutletCValuesReset(int Kind)
{
    PrepareSolve();
    FNetwork->ResetOutletCValues(Kind);
    AfterSolveCommand();
    if (PressureDropForm && PressureDropForm->isVisible())
        PressureDropForm->RefreshFixedGrids();
}

void TMainForm::InletCValuesReset(int Kind)
{
    PrepareSolve();
    FNetwork->ResetInletCValues(Kind);
    AfterSolveCommand();
    if (PressureDropForm && PressureDropForm->isVisible())
        PressureDropForm->RefreshFixedGrids();
}

// ---------------------------------------------------------------- status bar

void TMainForm::SetSolveMethod(int Code)
{
    if (Code == MethodShownBlank) {
        StatusPanels[0]->clear();
        return;
    }
    if (Code != MethodShownDesignFlows && Code >= 0 && Code < SolveMethodCount)
        FNetwork->Method = static_cast<TSolveMethod>(Code);
    StatusPanels[0]->setText(ToQ(MethodShownText(Code)));
}

void TMainForm::SetSolvedStatus(int Code)
{
    if (Code >= 0 && Code < SolveStatusCount)
        FNetwork->Status = static_cast<TSolveStatus>(Code);
    ShowSolvedStatus();
}

void TMainForm::ShowSolvedStatus()
{
    QString Text = SolveStatusText(FNetwork->Status);
    if (FNetwork->Status < ssNotSolved && !FNetwork->LinksValid)
        Text += " (fittings warning)";
    // Without a figure (no main fan, or none a solve could give) the status
    // stands alone rather than before empty brackets.
    if (const QString Figure = FanPressureText(); !Figure.isEmpty())
        Text += " (" + Figure + ")";
    StatusPanels[1]->setText(Text);
    FitStatusPanel(1);
}

QString TMainForm::FanPressureText() const
{
    if (!FNetwork->MainFan || !std::isfinite(FNetwork->MainFan->TotalDrop))
        return QString();
    return FormatUnitsValue(utAirPressDrop, PressureUnits(), PascalIndex, -FNetwork->MainFan->TotalDrop,
                            true, true);
}

void TMainForm::SetSaved(bool Flag)
{
    FSaved = Flag;
    if (!Flag)
        FUntouched = false;
    StatusPanels[2]->setText(Flag ? "Saved" : "Not Saved");
}

void TMainForm::SetFileName(const QString& Name)
{
    // Only a document that is there is worth reopening.
    if (!FFileName.isEmpty() && QFileInfo(FFileName).isFile())
        FRecentFiles.MRUAdd(FFileName.toStdString());
    if (Name.isEmpty() || Name.toStdString() != FUndoFile.FileName()) {
        FFileName = Name;
        FRecentFiles.MRURemove(Name.toStdString());
        ShowFileNamePanel();
    }
    FillRecentFilesMenu();
}

void TMainForm::MarkChanged()
{
    SetSolveMethod(MethodShownBlank);
    SetSolvedStatus(ssNotSolved);
    SetSaved(false);
    DisableUndoDelete();
}

void TMainForm::RefreshResults()
{
    UpdateFanLabels();
    const int Row = CurrentTableRow();
    FNetwork->RestoreBranchOrder();
    FillTable();
    if (FNetwork->ErrorBranch) {
        FCurrentBranch = FNetwork->ErrorBranch;
        const int Found = FindBranchRow(FCurrentBranch);
        if (Found > 0)
            SetCurrentTableRow(Found);
    } else if (TableRowCount() > 0) {
        const int Kept = std::clamp(Row, 1, TableRowCount());
        SetCurrentTableRow(Kept);
        const int Id = TableBranchId(Kept);
        if (Id != NoTableBranch)
            FCurrentBranch = FNetwork->FlowBranch(Id);
    }
    FillFittingsList();
    ShowSolvedStatus();
    SetSaved(false);
}

void TMainForm::UpdateFanLabels()
{
    if (!FanForm)
        return;
    const QString FlowUnit = ToQ(std::string(UnitLabel(utAirFlowPrim, FlowUnits())));
    const QString PressureUnit = ToQ(std::string(UnitLabel(utAirPressDrop, PressureUnits())));
    const TDuctBranch* Fan = FNetwork->MainFan;
    if (Fan && FNetwork->Status < ssNotSolved) {
        FanForm->FanQLabel->setText("Fan Volume Flow = " +
                                    FormatUnitsValue(utAirFlowPrim, FlowUnits(), 0, Fan->VolumeFlow, true, true));
        FanForm->Pslabel->setText("Fan Total Pressure = " + FormatUnitsValue(utAirPressDrop, PressureUnits(),
                                                                             PascalIndex, Fan->PressureGain,
                                                                             true, true));
        FanForm->PtLabel->setText("Duct pressure loss = " + FormatUnitsValue(utAirPressDrop, PressureUnits(),
                                                                             PascalIndex, -Fan->TotalDrop,
                                                                             true, true));
    } else {
        FanForm->FanQLabel->setText("Fan Volume Flow  - " + FlowUnit);
        FanForm->Pslabel->setText("Fan Total Pressure - " + PressureUnit);
        FanForm->PtLabel->setText("Duct pressure loss - " + PressureUnit);
    }
}

void TMainForm::ActionResetDuctsExecute()
{
    if (!DuctManualResizeForm || RunModal(*DuctManualResizeForm) != mrOk)
        return;
    PrepareSolve();
    DuctManualResizeForm->ApplyTo(*FNetwork);
    AfterSolveCommand();
}
