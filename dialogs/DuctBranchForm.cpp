#include "dialogs/DuctBranchForm.h"

#include "controls/EntryGrid.h"
#include "controls/FlatPageControl.h"
#include "controls/UiServices.h"
#include "dialogs/BranchSummary.h"
#include "dialogs/DuctDiamForm.h"
#include "dialogs/FittingImages.h"
#include "dialogs/PressureDropForm.h"
#include "fittings/DuctFittingDB.h"
#include "foundation/EquivDiamTool.h"
#include "foundation/NumberFormat.h"
#include "foundation/SettingsStore.h"
#include "network/DuctBranch.h"
#include "network/DuctGraph.h"
#include "platform/FormPlacement.h"
#include "platform/QtText.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct TRowUnits {
    int Row;
    TUnitsType Type;
    int Base;      // the unit the branch holds the value in
    int Default;   // the branch table's unit
    const char* Value; // settings name of the row's unit
};

// Pressures are held in Pa (unit 1 of the pressure-drop units); the
// diameter is shown in mm (unit 2 of the duct-size lengths).
constexpr TRowUnits RowUnitDefs[] = {
    {TDuctBranchForm::RowDesignFlow, utAirFlowPrim, 0, 0, "UnitsdVol"},
    {TDuctBranchForm::RowVolumeFlow, utAirFlowPrim, 0, 0, "UnitsVol"},
    {TDuctBranchForm::RowVelocity, utVelocity, 0, 0, "UnitsVel"},
    {TDuctBranchForm::RowPressureDrop, utAirPressDrop, 1, 1, "UnitsdP"},
    {TDuctBranchForm::RowDiameter, utLengthSec, 0, 2, "UnitsDiam"},
    {TDuctBranchForm::RowLength, utLengthBig, 0, 0, "UnitsL"},
};

QStringList GridLines()
{
    return {"Property; Value",
            "Caption; %s",
            "Design Flow, m³/s; %0.3f; ; NPE; -100; 100",
            "Volume Flow, m³/s; %0.3f; ; NPE; -100; 100",
            "Velocity (a), m/s; %0.2f; ; NPE; -50; 50",
            "Pressure drop, Pa; %0.1f; ; PE; 0; 0",
            ToQ("Diameter, m; %0.3f; ; PE; " + FloatToStr(TEquivDiamTool::MinSize) + "; " +
                                   FloatToStr(TEquivDiamTool::MaxSize)),
            "Length, m; %0.2f; ; NPE; 0.1; 500"};
}

// After the branch's sizes changed: areas, velocities and losses follow.
void RecalculateBranch(TDuctBranch& Branch)
{
    Branch.CalcArea();
    Branch.CalcVelocity();
    Branch.CalcDuctArea();
    if (Branch.FromNode && Branch.ToNode)
        Branch.RecalcLosses();
}

} // namespace

TDuctBranchForm::TDuctBranchForm(TSettingsStore& SettingsStore, QWidget* MainWindow)
    : TGridToolWindow(SettingsStore, MainWindow)
{
    setObjectName("DuctBranchForm");
    setWindowTitle("Duct Editor");

    Pages = new TFlatPageControl(this);

    Grid->SetLines(GridLines());
    Grid->SetColWidth(0, 130);
    // The pressure drop is only shown: its button opens the pressure-drop
    // form, where its parts are edited.
    Grid->OnCanEditShow = [](TxStringGrid*, int, int Row, bool& Can) {
        if (Row == RowPressureDrop)
            Can = false;
    };
    Grid->OnDoSetData = [this](TxStringGrid*, int Col, int Row) { GridDoSetData(Col, Row); };
    Grid->SetPropEditor(RowDiameter, [this](QVariant& Value) { return DiameterCellClick(Value); });
    Grid->SetPropEditor(RowPressureDrop, [this](QVariant& Value) { return PressureDropCellClick(Value); });
    Pages->addTab(Grid, "Data");

    ListView1 = new QTreeWidget;
    ListView1->setColumnCount(1);
    ListView1->setHeaderHidden(true);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSortingEnabled(false);
    ListView1->setIconSize(QSize(16, 16));
    Pages->addTab(ListView1, "Fittings");

    Memo1 = new QPlainTextEdit;
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The values line up two tab stops in: captions followed by two tabs
    // fit within one stop, those followed by one tab within two.
    const QFontMetrics Metrics(Memo1->font());
    int Stop = 0;
    for (const char* Short : {"Length", "Leq", "Density", "Viscosity", "dP Static"})
        Stop = std::max(Stop, Metrics.horizontalAdvance(Short) + 8);
    for (const char* Long : {"Diameter (eq)", "Reynolds number", "Friction factor", "Pressure rate",
                             "Velocity (actual)", "Velocity (eq)", "Velocity Pressure"})
        Stop = std::max(Stop, (Metrics.horizontalAdvance(Long) + 9) / 2);
    Memo1->setTabStopDistance(Stop);
    Pages->addTab(Memo1, "Summary");

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->addWidget(Pages);
    // Tall enough for the summary's sixteen lines.
    resize(320, Pages->tabBar()->sizeHint().height() + 17 * Metrics.lineSpacing() + 16);

    LoadSettings();
    RestoreFormPlacement(Store, this, false, true);
}

void TDuctBranchForm::SetBranch(TDuctBranch* Branch)
{
    if (Branch != FBranch && FBranch)
        Grid->HideEditor();
    FBranch = Branch;
}

int TDuctBranchForm::RowUnits(int Row) const
{
    return Row >= 0 && Row < RowCount ? FRowUnits[static_cast<std::size_t>(Row)] : 0;
}

void TDuctBranchForm::TakeRowUnits()
{
    for (const TRowUnits& R : RowUnitDefs)
        FRowUnits[static_cast<std::size_t>(R.Row)] = Grid->GetUnitsValue(R.Row);
}

// ---------------------------------------------------------------- showing

void TDuctBranchForm::ShowBranch()
{
    FillBranch();
    if (FBranch && PressureDropForm && PressureDropForm->isVisible())
        ShowBranchPressureDrop(FBranch);
}

void TDuctBranchForm::FillBranch()
{
    if (!FBranch)
        return;
    Grid->HideEditor();
    if (!FBranch)
        return; // the stored entry's handlers let go of the branch
    const TDuctBranch& B = *FBranch;
    setWindowTitle(ToQ(BranchWindowCaption(B)));
    Grid->BeginUpdate();
    Grid->SetValue(1, RowCaption, ToQ(B.Name));
    Grid->SetValue(1, RowDesignFlow, B.DesignFlow);
    Grid->SetValue(1, RowVolumeFlow, B.VolumeFlow);
    Grid->SetValue(1, RowVelocity, B.DuctVelocity);
    Grid->SetValue(1, RowPressureDrop, B.TotalDrop);
    Grid->SetValue(1, RowDiameter, B.Diameter);
    Grid->SetValue(1, RowLength, B.Length);
    // A fan or sink branch has no duct whose size or speed could be typed.
    const bool Duct = B.Kind == bkCommon;
    Grid->SetRowEditable(RowDiameter, Duct);
    Grid->SetRowEditable(RowVelocity, Duct);
    Grid->EndUpdate();
    FillSummary();
    ListFittings();
}

void TDuctBranchForm::FillSummary()
{
    Memo1->clear();
    if (!FBranch)
        return;
    QStringList Lines;
    for (const std::string& L : BranchSummaryLines(*FBranch))
        Lines << ToQ(L);
    Memo1->setPlainText(Lines.join('\n'));
}

void TDuctBranchForm::ListFittings()
{
    ListView1->clear();
    if (!FBranch)
        return;
    if (auto* Network = dynamic_cast<TFlowGraph*>(FBranch->Graph))
        Network->CollectFittings(FBranch);
    QList<QTreeWidgetItem*> Items;
    for (const TFitting* F : FBranch->LinkedFittings) {
        auto* Item = new QTreeWidgetItem;
        Item->setText(0, QString("[%1] %2").arg(F->Serial).arg(ToQ(F->Code)));
        Item->setIcon(0, FittingCategoryIcon(FittingImageIndex(F->Code)));
        Items << Item;
    }
    ListView1->addTopLevelItems(Items);
}

void TDuctBranchForm::ShowRowAgain(int Row, double TDuctBranch::*Value)
{
    if (!FBranch)
        return;
    Grid->SetValue(1, Row, FBranch->*Value);
    if (OnChange)
        OnChange(FBranch);
}

void TDuctBranchForm::UpdateLengthRow()
{
    ShowRowAgain(RowLength, &TDuctBranch::Length);
}

void TDuctBranchForm::UpdateFlowRow()
{
    ShowRowAgain(RowVolumeFlow, &TDuctBranch::VolumeFlow);
}

void TDuctBranchForm::UpdatePressureDropRow()
{
    ShowRowAgain(RowPressureDrop, &TDuctBranch::TotalDrop);
}

// ---------------------------------------------------------------- editing

void TDuctBranchForm::ApplyDiameter(double Diameter)
{
    TDuctBranch& B = *FBranch;
    TEquivDiamTool Tool;
    Tool.SetValues(B.Keep1, B.Keep2, B.Diameter, B.DuctHeight, B.DuctWidth, B.Aspect);
    Tool.SetDiameter(Diameter);
    int Known1 = 0, Known2 = 0;
    Tool.GetValues(B.Diameter, B.DuctHeight, B.DuctWidth, B.Aspect, Known1, Known2);
    B.Keep1 = static_cast<std::uint8_t>(Known1);
    B.Keep2 = static_cast<std::uint8_t>(Known2);
    RecalculateBranch(B);
    Grid->SetValue(1, RowDiameter, B.Diameter);
    Grid->SetValue(1, RowVelocity, B.DuctVelocity);
}

void TDuctBranchForm::GridDoSetData(int, int Row)
{
    // Handlers may point the window elsewhere: the events go to this branch.
    TDuctBranch* const B = FBranch;
    if (!B)
        return;
    const auto Number = [this, Row] { return Grid->GetValue(1, Row).toDouble(); };
    switch (Row) {
    case RowCaption: {
        const std::string Name = Grid->Cell(1, RowCaption).toStdString();
        if (Name == B->Name)
            return;
        if (OnSetBranchName)
            OnSetBranchName(B, Name);
        else
            B->Name = Name;
        break;
    }
    case RowDesignFlow:
        // A terminal takes only what the solve commands can, and the user's
        // own flow is stamped so Sum Flows keeps it (the duct edited last is
        // the chord of its loop); the grid shows what was taken.
        B->SetDesignFlowFromWindow(Number());
        B->MarkEdited();
        Grid->SetValue(1, RowDesignFlow, B->DesignFlow);
        break;
    case RowVolumeFlow:
        B->SetVolumeFlow(Number());
        Grid->SetValue(1, RowVelocity, B->DuctVelocity);
        break;
    case RowVelocity:
        B->SetVelocity(Number());
        break;
    case RowDiameter:
        ApplyDiameter(Number());
        break;
    case RowLength:
        B->Length = Number();
        B->CalcTotalLength();
        break;
    default:
        return;
    }
    if (OnChange)
        OnChange(B);
}

// ---------------------------------------------------------------- duct size

int TDuctBranchForm::EditDuctSize(QVariant& Value, TDuctBranch* Branch)
{
    if (!Branch)
        return mrCancel;
    if (!DuctDiamForm)
        DuctDiamForm = new TDuctDiamForm(Store, this);
    TDuctBranch& B = *Branch;
    DuctDiamForm->SetData(B.DuctType == dtRect ? 1 : 0, B.Keep1, B.SizeFixed, B.Keep2, B.Diameter, B.DuctHeight,
                          B.DuctWidth, B.Aspect);
    const int Result = RunModal(*DuctDiamForm);
    if (Result == mrOk) {
        int Type = 0, Known1 = 0, Known2 = 0;
        DuctDiamForm->GetData(Type, B.Diameter, B.DuctHeight, B.DuctWidth, B.Aspect, Known1, Known2, B.SizeFixed);
        B.DuctType = Type == 1 ? dtRect : dtSpiral;
        B.Keep1 = static_cast<std::uint8_t>(Known1);
        B.Keep2 = static_cast<std::uint8_t>(Known2);
        RecalculateBranch(B);
        Value = B.Diameter;
    }
    if (DuctDiamForm->UnitsLabelClicked && OnUnitsChanged)
        OnUnitsChanged();
    return Result;
}

int TDuctBranchForm::DiameterCellClick(QVariant& Value)
{
    TDuctBranch* const B = FBranch;
    if (!B)
        return 0;
    const int OldType = B->DuctType;
    if (EditDuctSize(Value, B) != mrOk)
        return 0;
    Grid->SetValue(1, RowDiameter, B->Diameter);
    Grid->SetValue(1, RowVelocity, B->DuctVelocity);
    if (B->DuctType != OldType) {
        const std::string Name = RenamedForDuctType(B->Name, OldType, B->DuctType);
        if (Name != B->Name) {
            if (OnSetBranchName)
                OnSetBranchName(B, Name);
            else
                B->Name = Name;
            Grid->SetValue(1, RowCaption, ToQ(B->Name));
        }
    }
    setWindowTitle(ToQ(BranchWindowCaption(*B)));
    FillSummary();
    if (OnRedrawBranch)
        OnRedrawBranch(B);
    if (OnChange)
        OnChange(B);
    return 2;
}

// ---------------------------------------------------------------- pressure drop

void TDuctBranchForm::ShowBranchPressureDrop(TDuctBranch* Branch)
{
    if (!PressureDropForm)
        return;
    const auto* Network = Branch ? dynamic_cast<const TDuctGraph*>(Branch->Graph) : nullptr;
    PressureDropForm->ShowBranch(Branch, Network && Network->MainFan == Branch);
}

void TDuctBranchForm::OpenPressureDrop(TDuctBranch* Branch)
{
    if (!PressureDropForm) {
        TDuctFittingDB* Database = DuctFittingDB();
        if (!Database) {
            ShowMessage(this, "The duct fitting database is not loaded.", QString(), TMsgKind::Warning);
            return;
        }
        // A window of the main window's, as this one is (of this one's when
        // it stands alone).
        PressureDropForm = new TPressureDropForm(Store, *Database, parentWidget() ? parentWidget() : this);
    }
    ShowBranchPressureDrop(Branch);
    PressureDropForm->show();
    PressureDropForm->raise();
}

int TDuctBranchForm::PressureDropCellClick(QVariant&)
{
    TDuctBranch* const B = FBranch;
    if (!B)
        return 0;
    OpenPressureDrop(B);
    Grid->SetValue(1, RowVolumeFlow, B->VolumeFlow);
    if (OnRedrawBranch)
        OnRedrawBranch(B);
    return 2;
}

// ---------------------------------------------------------------- layout and settings

void TDuctBranchForm::LoadSettings()
{
    const std::string Section = FormSection(this);
    for (const TRowUnits& R : RowUnitDefs)
        Grid->SetUnits(R.Row, R.Type, 1.0, 0.0, ft_Fixed, Store.ReadInteger(Section, R.Value, R.Default), R.Base);
    TakeRowUnits();
    LoadColumnWidths(Section);
}

void TDuctBranchForm::SaveSettings()
{
    const std::string Section = FormSection(this);
    for (const TRowUnits& R : RowUnitDefs)
        Store.WriteInteger(Section, R.Value, Grid->GetUnitsValue(R.Row));
    SaveColumnWidths(Section);
    SaveFormPlacement(Store, this);
}
