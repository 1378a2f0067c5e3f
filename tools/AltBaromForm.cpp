#include "tools/AltBaromForm.h"

#include "controls/FmtEdit.h"
#include "controls/FmtEditLabel.h"
#include "controls/KeyNavigation.h"
#include "foundation/SettingsStore.h"
#include "platform/FormPlacement.h"
#include "platform/QtText.h"
#include "psychro/Psychrometrics.h"
#include "tools/PanelStatusBar.h"
#include "tools/SelectLocationForm.h"
#include "tools/ToolGlyphs.h"

#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The pressures the barometer takes (kPa): up to the usual 120, and down to
// a round figure below the pressure at the highest altitude a place of the
// locations databases may have (HighestPlaceAltitude), so that every place
// can be typed back. The altitude range is the pressure range's
// standard-atmosphere altitudes, so either edit accepts what the other shows.
constexpr double PressureLo = 50.0;
constexpr double PressureHi = 120.0;

QToolButton* TextButton(const QString& Caption, TToolGlyph Glyph, const QString& Hint, QWidget* Parent)
{
    auto* Button = new QToolButton(Parent);
    Button->setText(Caption);
    Button->setIcon(ToolGlyph(Glyph));
    Button->setToolTip(Hint);
    Button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Button->setAutoRaise(true);
    return Button;
}

void SetUpEdit(TFmtEdit* Edit, TFmtEditLabel* Label, TUnitsType Units, const char* Format, double Lo,
               double Hi, int Unit)
{
    Edit->SetFormatStr(Format);
    Edit->SetFormatType(ft_Fixed);
    Edit->SetUnitsLabel(Label);
    Edit->SetUnitsType(Units);
    Edit->SetUnitsBase(0);
    Edit->SetUnitsValue(Unit);
    Edit->SetRangeLo(Lo);
    Edit->SetRangeHi(Hi);
    Edit->setAlignment(Qt::AlignRight);
}

// An entry counts as a change when it differs from what the edit showed
// when the user came in.
bool Changed(TFmtEdit* Edit)
{
    if (!Edit->Modified())
        return false;
    if (Edit->text() != Edit->LastText())
        return true;
    Edit->SetModified(false);
    return false;
}

} // namespace

TAltBaromForm::TAltBaromForm(TSettingsStore& Settings, std::unique_ptr<TSelectLocationForm>& Picker,
                             const QString& CommonDataDir, QWidget* Parent)
    : TRootForm(Parent), Settings(Settings), Picker(Picker), DataDir(CommonDataDir)
{
    setObjectName("AltBaromForm");
    setWindowTitle("Barometer");
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    AcceptButton = TextButton("&Accept", TToolGlyph::Accept, "Return pressure to calling program", this);
    CancelButton = TextButton("&Cancel", TToolGlyph::Cancel, "Cancel", this);
    auto* Tools = new QHBoxLayout;
    Tools->setContentsMargins(2, 2, 2, 2);
    Tools->setSpacing(2);
    Tools->addWidget(AcceptButton);
    Tools->addWidget(CancelButton);
    Tools->addStretch(1);

    edPa = new TFmtEdit(this);
    edPa->setObjectName("edPa");
    edAlt = new TFmtEdit(this);
    edAlt->setObjectName("edAlt");
    PaUnits = new TFmtEditLabel(this);
    AltUnits = new TFmtEditLabel(this);
    for (TFmtEditLabel* Label : {PaUnits, AltUnits})
        Label->setToolTip("Click to change the units");
    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName("SpeedButton1");
    SpeedButton1->setIcon(ToolGlyph(TToolGlyph::Location));
    SpeedButton1->setToolTip("Search for Location");
    SpeedButton1->setFocusPolicy(Qt::NoFocus);

    const std::string S = SettingsSection;
    SetUpEdit(edPa, PaUnits, utPressureBar, "%0.3f", PressureLo, PressureHi,
              Settings.ReadInteger(S, "Pressure units", edPa->UnitsValue()));
    SetUpEdit(edAlt, AltUnits, utAltitude, "%0.1f", ::Altitude(PressureHi), ::Altitude(PressureLo),
              Settings.ReadInteger(S, "Altitude units", edAlt->UnitsValue()));
    FPressure = Settings.ReadFloat(S, "Pressure", 101.325);
    FAltitude = Settings.ReadFloat(S, "Altitude", 0.0);
    FLastLocation = ToQ(Settings.ReadString(S, "LastLocation", ""));

    auto* Fields = new QGridLayout;
    Fields->setContentsMargins(8, 6, 8, 6);
    Fields->setHorizontalSpacing(6);
    auto* PaCaption = new QLabel("&Pressure", this);
    PaCaption->setBuddy(edPa);
    auto* AltCaption = new QLabel("A&ltitude", this);
    AltCaption->setBuddy(edAlt);
    Fields->addWidget(PaCaption, 0, 0);
    Fields->addWidget(edPa, 0, 1);
    Fields->addWidget(PaUnits, 0, 2);
    Fields->addWidget(AltCaption, 1, 0);
    Fields->addWidget(edAlt, 1, 1);
    Fields->addWidget(AltUnits, 1, 2);
    Fields->addWidget(SpeedButton1, 1, 3);
    Fields->setColumnStretch(1, 1);
    Fields->setColumnMinimumWidth(2, 40);

    StatusBar1 = new TPanelStatusBar(this);
    StatusBar1->SetSimplePanel(true);

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addLayout(Tools);
    Layout->addLayout(Fields);
    Layout->addStretch(1);
    Layout->addWidget(StatusBar1);
    resize(std::max(260, sizeHint().width()), sizeHint().height());
    RestoreFormPlacement(Settings, this, false, false);

    new TKeyNavigation(this);
    edPa->OnExit = [this](TxCustomEdit*) { PressureEdited(); };
    edAlt->OnExit = [this](TxCustomEdit*) { AltitudeEdited(); };
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { PickLocation(); });
    connect(AcceptButton, &QToolButton::clicked, this, [this] { AcceptForm(); });
    connect(CancelButton, &QToolButton::clicked, this, [this] { CloseWith(mrCancel); });
    ShowValues();
}

void TAltBaromForm::ShowValues()
{
    edPa->SetValue(FPressure);
    edAlt->SetValue(FAltitude);
}

void TAltBaromForm::SetPressure(double Pressure)
{
    FPressure = Pressure;
    FAltitude = ::Altitude(Pressure);
    ShowValues();
}

void TAltBaromForm::SetAltitude(double Altitude)
{
    FAltitude = Altitude;
    FPressure = AtmPressure(Altitude);
    ShowValues();
}

QString TAltBaromForm::Status() const
{
    return StatusBar1->SimpleText();
}

void TAltBaromForm::SetStatus(const QString& Text)
{
    StatusBar1->SetSimpleText(Text);
}

void TAltBaromForm::PressureEdited()
{
    if (!Changed(edPa))
        return;
    FFromLocation = false;
    SetPressure(edPa->GetValue().toDouble());
    SetStatus("Pressure modified by user");
}

void TAltBaromForm::AltitudeEdited()
{
    if (!Changed(edAlt))
        return;
    FFromLocation = false;
    SetAltitude(edAlt->GetValue().toDouble());
    SetStatus("Altitude modified by user");
}

void TAltBaromForm::PickLocation()
{
    if (!Picker)
        Picker = std::make_unique<TSelectLocationForm>(Settings, DataDir);
    Picker->SetLocationText(FLastLocation);
    if (OwnModal(*Picker) != mrOk || !Picker->HasRecord())
        return;
    FLocationPicked = true;
    FLastLocation = Picker->LocationText();
    const TLocationRecord& Place = Picker->Record();
    if (!LocationAltitudeInRange(Place.Altitude)) {
        OwnMessage(LocationAltitudeRangeText, TMsgKind::Warning);
        return;
    }
    SetAltitude(Place.Altitude);
    FFromLocation = true;
    FLocation = Place;
    FDesignDryBulb = Place.CoolingDryBulb;
    FDesignWetBulb = Place.CoolingWetBulb;
    SetStatus(ToQ(LocationDesignText(Place)));
}

bool TAltBaromForm::AcceptForm()
{
    for (TFmtEdit* Edit : {edPa, edAlt})
        if (!Edit->CommitIfModified())
            return false;
    PressureEdited();
    AltitudeEdited();
    FPressure = edPa->GetValue().toDouble();
    FAltitude = edAlt->GetValue().toDouble();
    CloseWith(mrOk);
    return true;
}

void TAltBaromForm::FormActivate()
{
    // Once per showing: coming back from the picker keeps what it brought.
    if (!FirstActivation())
        return;
    FFromLocation = false;
    FLocationPicked = false;
    SetStatus("Ready...");
    if (!Picker)
        Picker = std::make_unique<TSelectLocationForm>(Settings, DataDir);
}

void TAltBaromForm::FormClose()
{
    const std::string S = SettingsSection;
    Settings.WriteFloat(S, "Pressure", FPressure);
    Settings.WriteFloat(S, "Altitude", FAltitude);
    Settings.WriteInteger(S, "Pressure units", edPa->UnitsValue());
    Settings.WriteInteger(S, "Altitude units", edAlt->UnitsValue());
    Settings.WriteString(S, "LastLocation", FLastLocation.toStdString());
    SaveFormPlacement(Settings, this);
}
