#include "dialogs/DuctDiamForm.h"

#include "controls/FmtEdit.h"
#include "controls/FmtEditLabel.h"
#include "controls/GuardedCall.h"
#include "foundation/SettingsStore.h"
#include "platform/FormPlacement.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QVBoxLayout>

TDuctDiamForm::TDuctDiamForm(TSettingsStore& SettingsStore, QWidget* Parent)
    : TDuctSizeDialog(SettingsStore, Parent)
{
    setObjectName("DuctDiamForm");
    setWindowTitle("Duct Diameter");

    auto* RGDuctType = new QGroupBox("Duct Type", this);
    RBSpiral = new QRadioButton("Spiral", RGDuctType);
    RBRectangular = new QRadioButton("Rectangular", RGDuctType);
    auto* Types = new QButtonGroup(this);
    Types->addButton(RBSpiral, 0);
    Types->addButton(RBRectangular, 1);
    auto* TypeLayout = new QHBoxLayout(RGDuctType);
    TypeLayout->addWidget(RBSpiral);
    TypeLayout->addWidget(RBRectangular);
    TypeLayout->addStretch();

    auto* Sizes = new QGridLayout;
    Sizes->setHorizontalSpacing(8);
    const auto AddRow = [&](int Row, const QString& Caption, TFmtEdit*& Edit, QLabel*& Label,
                            TFmtEditLabel*& Units) {
        Label = new QLabel(Caption, this);
        Edit = NewEdit(Units);
        Label->setBuddy(Edit);
        Sizes->addWidget(Label, Row, 0);
        Sizes->addWidget(Edit, Row, 1);
        Sizes->addWidget(Units, Row, 2);
    };
    AddRow(0, "Equiv diameter", edDe, LabelDe, UnitsDe);
    AddRow(1, "Height", edH, LabelH, UnitsH);
    AddRow(2, "Width", edW, LabelW, UnitsW);
    AddRow(3, "Aspect (H/W)", edA, LabelA, UnitsA);
    Sizes->setColumnStretch(3, 1);

    cbSizeFixed = new QCheckBox("Duct Size Fixed", this);

    auto* Body = new QVBoxLayout;
    Body->setContentsMargins(8, 4, 8, 8);
    Body->addWidget(RGDuctType);
    Body->addLayout(Sizes);
    Body->addWidget(cbSizeFixed);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(4);
    Layout->addLayout(Body);
    Layout->addStretch();
    // The hint of what the pointer is on, as the units labels' "Click to
    // change the units".
    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(false);
    Layout->addWidget(StatusBar);

    // Units from the settings; the sizes are held in metres.
    for (auto [Edit, Name] : {std::pair{edDe, "UnitsDe"}, std::pair{edH, "UnitsH"},
                              std::pair{edW, "UnitsW"}}) {
        Edit->SetUnitsType(utLengthSec);
        Edit->SetUnitsBase(0);
        KeepUnits(Edit, Name, MillimetreUnit);
        Edit->SetRangeLo(TEquivDiamTool::MinSize);
        Edit->SetRangeHi(TEquivDiamTool::MaxSize);
    }
    edA->SetFormatStr("%0.3f");
    edA->SetUnitsType(utProportion);
    edA->SetUnitsBase(0);
    KeepUnits(edA, "UnitsA", FractionUnit);

    // A new unit for the height or width changes how the branch window
    // should show its sizes.
    for (TFmtEdit* Edit : {edH, edW})
        Edit->OnUnitsEdited = [this](TxCustomEdit*) { UnitsLabelClicked = true; };

    connect(Types, &QButtonGroup::idClicked, this,
            [this](int Id) { GuardedCall(this, [&] { RGDuctTypeClick(Id); }); });

    adjustSize();
    RestoreFormPlacement(Store, this, false, false);
    SetData(DuctType, Known1, SizeFixed, Known2, Diameter, Height, Width, Aspect);
}

TDuctDiamForm::~TDuctDiamForm() = default;

void TDuctDiamForm::SetData(int NewDuctType, int NewKnown1, bool NewSizeFixed, int NewKnown2,
                            double NewDiameter, double NewHeight, double NewWidth, double NewAspect)
{
    DuctType = NewDuctType;
    Known1 = NewKnown1;
    Known2 = NewKnown2;
    SizeFixed = NewSizeFixed;
    Diameter = NewDiameter;
    Height = NewHeight;
    Width = NewWidth;
    Aspect = NewAspect;
    edDe->SetValue(Diameter);
    edH->SetValue(Height);
    edW->SetValue(Width);
    edA->SetValue(Aspect);
    RGDuctTypeClick(DuctType);
    cbSizeFixed->setChecked(SizeFixed);
    ColourLabels();
}

void TDuctDiamForm::GetData(int& OutDuctType, double& OutDiameter, double& OutHeight,
                            double& OutWidth, double& OutAspect, int& OutKnown1, int& OutKnown2,
                            bool& OutSizeFixed) const
{
    OutDuctType = DuctType;
    OutDiameter = Diameter;
    OutHeight = Height;
    OutWidth = Width;
    OutAspect = Aspect;
    OutKnown1 = Known1;
    OutKnown2 = Known2;
    OutSizeFixed = SizeFixed;
}

bool TDuctDiamForm::event(QEvent* Event)
{
    // A dialog has no main window's status bar: the hints come here.
    if (Event->type() == QEvent::StatusTip) {
        StatusBar->showMessage(static_cast<QStatusTipEvent*>(Event)->tip());
        return true;
    }
    return TDuctSizeDialog::event(Event);
}

void TDuctDiamForm::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    GuardedCall(this, [this] {
        if (!Tool)
            Tool = std::make_unique<TEquivDiamTool>();
        // An edit holding no number counts as 0.
        Tool->SetValues(Known1, Known2, edDe->HeldValueOrInvalid().toDouble(),
                        edH->HeldValueOrInvalid().toDouble(), edW->HeldValueOrInvalid().toDouble(),
                        edA->HeldValueOrInvalid().toDouble());
        RGDuctTypeClick(DuctType);
        UnitsLabelClicked = false;
    });
}

void TDuctDiamForm::RGDuctTypeClick(int Index)
{
    DuctType = Index == 1 ? 1 : 0;
    (DuctType == 1 ? RBRectangular : RBSpiral)->setChecked(true);
    // A spiral duct has only its diameter; the other edits keep their values.
    const bool Rectangular = DuctType == 1;
    for (TFmtEdit* Edit : {edH, edW, edA})
        Edit->setEnabled(Rectangular);
}

void TDuctDiamForm::EditExit(TFmtEdit* Edit)
{
    if (!Edit->Modified() || !Tool)
        return;
    const QVariant Held = Edit->HeldValueOrInvalid();
    if (!Held.isValid()) {
        ShowToolValues(); // nothing readable: the tool's value comes back
        return;
    }
    const double Value = Held.toDouble();
    if (Edit == edDe)
        Tool->SetDiameter(Value);
    else if (Edit == edH)
        Tool->SetHeight(Value);
    else if (Edit == edW)
        Tool->SetWidth(Value);
    else
        Tool->SetAspect(Value);
    ShowToolValues();
}

void TDuctDiamForm::ShowToolValues()
{
    double D = 0, H = 0, W = 0, A = 0;
    Tool->GetValues(D, H, W, A, Known1, Known2);
    edDe->SetValue(D);
    edH->SetValue(H);
    edW->SetValue(W);
    edA->SetValue(A);
    ColourLabels();
}

void TDuctDiamForm::ColourLabels()
{
    QLabel* Labels[] = {LabelDe, LabelH, LabelW, LabelA};
    for (int Code = 0; Code < 4; ++Code)
        Labels[Code]->setForegroundRole(Code == Known1 || Code == Known2 ? QPalette::Link
                                                                         : QPalette::WindowText);
}

void TDuctDiamForm::TakeValues()
{
    if (Tool)
        Tool->GetValues(Diameter, Height, Width, Aspect, Known1, Known2);
    SizeFixed = cbSizeFixed->isChecked();
}
