#include "dialogs/DuctManualResizeForm.h"

#include "controls/FmtEdit.h"
#include "controls/FmtEditLabel.h"
#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "platform/FormPlacement.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

TDuctManualResizeForm::TDuctManualResizeForm(TSettingsStore& SettingsStore, QWidget* Parent)
    : TDuctSizeDialog(SettingsStore, Parent)
{
    setObjectName("DuctManualResizeForm");
    setWindowTitle("Manual Reset Duct Size");

    edMain = NewEdit(UnitsMain);
    edOutlets = NewEdit(UnitsOutlets);
    edAspect = NewEdit(UnitsAspect);

    RBDiameter = new QRadioButton("Equivalent Diameter", this);
    RBAspectRatio = new QRadioButton("Aspect Ratio (H/W)", this);
    auto* Modes = new QButtonGroup(this);
    Modes->addButton(RBDiameter);
    Modes->addButton(RBAspectRatio);
    RBDiameter->setChecked(true);

    auto* SizeBox = new QGroupBox(this);
    auto* Sizes = new QGridLayout(SizeBox);
    Sizes->setHorizontalSpacing(8);
    // The sizes sit indented under the mode they belong to.
    const auto AddSize = [&](int Row, const QString& Caption, TFmtEdit* Edit, TFmtEditLabel* Units) {
        auto* Label = new QLabel(Caption, SizeBox);
        Label->setBuddy(Edit);
        Sizes->addWidget(Label, Row, 1);
        Sizes->addWidget(Edit, Row, 2);
        Sizes->addWidget(Units, Row, 3);
    };
    Sizes->addWidget(RBDiameter, 0, 0, 1, 4);
    AddSize(1, "Main", edMain, UnitsMain);
    AddSize(2, "Outlets", edOutlets, UnitsOutlets);
    Sizes->addWidget(RBAspectRatio, 3, 0, 1, 4);
    AddSize(4, "Aspect", edAspect, UnitsAspect);
    Sizes->setColumnMinimumWidth(0, 12);
    Sizes->setColumnMinimumWidth(1, 60);
    Sizes->setColumnStretch(4, 1);

    Layout->setContentsMargins(0, 0, 0, 8);
    auto* Body = new QVBoxLayout;
    Body->setContentsMargins(8, 0, 8, 0);
    Body->addWidget(SizeBox);
    Layout->addLayout(Body);
    Layout->addStretch();

    // Sizes are held in metres and always shown without decimals (whole
    // millimetres), whatever the unit's own format.
    for (auto [Edit, Name] : {std::pair{edMain, "UnitsMain"}, std::pair{edOutlets, "UnitsOutlets"}}) {
        Edit->SetFormatStr("%0.0f");
        Edit->SetFormatType(ft_Manual);
        Edit->SetUnitsType(utLengthSec);
        Edit->SetUnitsBase(0);
        KeepUnits(Edit, Name, MillimetreUnit);
        Edit->SetRangeLo(0.1);
        Edit->SetRangeHi(10.0);
    }
    edAspect->SetFormatStr("%0.3f");
    edAspect->SetUnitsType(utProportion);
    edAspect->SetUnitsBase(0);
    KeepUnits(edAspect, "UnitsAspect", FractionUnit);
    edAspect->SetRangeLo(0.001);
    edAspect->SetRangeHi(100.0);
    // The sizes of a new document's ducts.
    edMain->SetValue(0.5);
    edOutlets->SetValue(0.2);
    edAspect->SetValue(1.0);


    adjustSize();
    RestoreFormPlacement(Store, this, false, false);
}

// An edit holding no number reads 0.
double TDuctManualResizeForm::MainDiameter() const { return edMain->HeldValueOrInvalid().toDouble(); }
double TDuctManualResizeForm::OutletDiameter() const { return edOutlets->HeldValueOrInvalid().toDouble(); }
double TDuctManualResizeForm::AspectRatio() const { return edAspect->HeldValueOrInvalid().toDouble(); }
bool TDuctManualResizeForm::ByDiameter() const { return RBDiameter->isChecked(); }

bool TDuctManualResizeForm::ApplyTo(TDuctGraph& Graph) const
{
    return Graph.SetDuctTypeAll(ByDiameter(), MainDiameter(), OutletDiameter(), AspectRatio());
}

void TDuctManualResizeForm::EditExit(TFmtEdit* Edit)
{
    if (!Edit->Modified())
        return;
    Edit->SetModified(false);
    (Edit == edAspect ? RBAspectRatio : RBDiameter)->setChecked(true);
}
