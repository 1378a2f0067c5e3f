#include "dialogs/DuctManualResizeForm.h"

#include "controls/FmtEdit.h"
#include "controls/FmtEditLabel.h"
#include "controls/GuardedCall.h"
#include "controls/KeyNavigation.h"
#include "foundation/NumberFormat.h"
#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "platform/FormPlacement.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Unit indexes of utLengthSec and utProportion the dialog starts with.
constexpr int MillimetreUnit = 2;
constexpr int FractionUnit = 0;

QToolButton* MakeToolButton(const QString& Text, QWidget* Parent)
{
    auto* Button = new QToolButton(Parent);
    Button->setText(Text);
    Button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    Button->setAutoRaise(true);
    Button->setMinimumWidth(64);
    return Button;
}

double ValueOf(const TFmtEdit* Edit)
{
    try {
        return Edit->GetValue().toDouble();
    } catch (const EConvertError&) {
        return 0.0;
    }
}

} // namespace

TDuctManualResizeForm::TDuctManualResizeForm(TSettingsStore& SettingsStore, QWidget* Parent)
    : QDialog(Parent), Store(SettingsStore)
{
    setObjectName("DuctManualResizeForm");
    setWindowTitle("Manual Reset Duct Size");

    AcceptButton = MakeToolButton("&Accept", this);
    CancelButton = MakeToolButton("&Cancel", this);
    auto* Tools = new QHBoxLayout;
    Tools->setContentsMargins(4, 4, 4, 0);
    Tools->setSpacing(2);
    Tools->addWidget(AcceptButton);
    Tools->addWidget(CancelButton);
    Tools->addStretch();

    const auto MakeEdit = [this](TFmtEditLabel*& Units) {
        auto* Edit = new TFmtEdit(this);
        Edit->setMaximumWidth(100);
        Units = new TFmtEditLabel(this);
        Units->setMinimumWidth(40);
        Units->setCursor(Qt::PointingHandCursor);
        Units->setToolTip("Click to change the units");
        Edit->SetUnitsLabel(Units);
        return Edit;
    };
    edMain = MakeEdit(UnitsMain);
    edOutlets = MakeEdit(UnitsOutlets);
    edAspect = MakeEdit(UnitsAspect);

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

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 8);
    Layout->addLayout(Tools);
    auto* Body = new QVBoxLayout;
    Body->setContentsMargins(8, 0, 8, 0);
    Body->addWidget(SizeBox);
    Layout->addLayout(Body);
    Layout->addStretch();

    // Sizes are held in metres and always shown without decimals (whole
    // millimetres), whatever the unit's own format.
    const std::string Section = FormSection(this);
    for (auto [Edit, Name] : {std::pair{edMain, "UnitsMain"}, std::pair{edOutlets, "UnitsOutlets"}}) {
        Edit->SetFormatStr("%0.0f");
        Edit->SetFormatType(ft_Manual);
        Edit->SetUnitsType(utLengthSec);
        Edit->SetUnitsBase(0);
        Edit->SetUnitsValue(Store.ReadInteger(Section, Name, MillimetreUnit));
        Edit->SetRangeLo(0.1);
        Edit->SetRangeHi(10.0);
    }
    edAspect->SetFormatStr("%0.3f");
    edAspect->SetUnitsType(utProportion);
    edAspect->SetUnitsBase(0);
    edAspect->SetUnitsValue(Store.ReadInteger(Section, "UnitsAspect", FractionUnit));
    edAspect->SetRangeLo(0.001);
    edAspect->SetRangeHi(100.0);
    // The sizes of a new document's ducts.
    edMain->SetValue(0.5);
    edOutlets->SetValue(0.2);
    edAspect->SetValue(1.0);

    for (TFmtEdit* Edit : {edMain, edOutlets, edAspect})
        Edit->OnExit = [this](TxCustomEdit* Sender) { EditExit(static_cast<TFmtEdit*>(Sender)); };
    connect(AcceptButton, &QToolButton::clicked, this, [this] { GuardedCall(this, [this] { Accept(); }); });
    connect(CancelButton, &QToolButton::clicked, this, [this] { Cancel(); });
    new TKeyNavigation(this);

    adjustSize();
    RestoreFormPlacement(Store, this, false, false);
}

double TDuctManualResizeForm::MainDiameter() const { return ValueOf(edMain); }
double TDuctManualResizeForm::OutletDiameter() const { return ValueOf(edOutlets); }
double TDuctManualResizeForm::AspectRatio() const { return ValueOf(edAspect); }
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

void TDuctManualResizeForm::Accept()
{
    for (TFmtEdit* Edit : {edMain, edOutlets, edAspect}) {
        if (!Edit->Modified())
            continue;
        if (!Edit->CommitIfModified()) {
            Edit->setFocus();
            return;
        }
        EditExit(Edit);
    }
    done(mrOk);
}

void TDuctManualResizeForm::Cancel()
{
    done(mrCancel);
}

void TDuctManualResizeForm::done(int Result)
{
    GuardedCall(this, [this] { SaveSettings(); });
    QDialog::done(Result);
}

void TDuctManualResizeForm::SaveSettings()
{
    const std::string Section = FormSection(this);
    Store.WriteInteger(Section, "UnitsMain", edMain->UnitsValue());
    Store.WriteInteger(Section, "UnitsOutlets", edOutlets->UnitsValue());
    Store.WriteInteger(Section, "UnitsAspect", edAspect->UnitsValue());
    SaveFormPlacement(Store, this);
}
