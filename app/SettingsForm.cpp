#include "app/SettingsForm.h"

#include "controls/CmbEdit.h"
#include "controls/FlatPageControl.h"
#include "controls/FmtEdit.h"
#include "controls/FmtEditLabel.h"
#include "controls/GuardedCall.h"
#include "controls/KeyNavigation.h"
#include "controls/UiServices.h"
#include "foundation/NumberFormat.h"
#include "foundation/SettingsStore.h"
#include "network/Settings.h"
#include "platform/FormPlacement.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

// How one numeric field shows its setting.
struct TSettingsFieldDef {
    const char* Name;     // object name of the field
    const char* UnitsKey; // store value of its units; null without a quantity
    TUnitsType Quantity;
    const char* Format;
    int FirstUnits; // the units "&Reset" gives it
    // The field shows the setting times Scale (the roughness in mm).
    double Scale;
    double& (*Value)(TSettings&);
};

namespace {

// Unit 2 of the secondary lengths: the size steps are shown in mm first.
constexpr int Millimetres = 2;

const TSettingsFieldDef FieldDefs[] = {
    {"EdPressureRate", "PressureRateUnits", utPressureRateGas, "%0.2f", 0, 1.0,
     [](TSettings& S) -> double& { return S.designpressrate; }},
    {"EdStatRegFactor", nullptr, utNone, "%0.1f", 0, 1.0,
     [](TSettings& S) -> double& { return S.statregainfactor; }},
    {"edSRPressRate", "StatRegPressRateUnits", utPressureRateGas, "%0.2f", 0, 1.0,
     [](TSettings& S) -> double& { return S.statregainstartpressrate; }},
    {"edSRVelocity", "StatRegVelUnits", utVelocity, "%0.2f", 0, 1.0,
     [](TSettings& S) -> double& { return S.statregainstartvel; }},
    {"EdStatRegMinVelDuct", "StatRegMinVelDuctUnits", utVelocity, "%0.2f", 0, 1.0,
     [](TSettings& S) -> double& { return S.statregainminvelduct; }},
    {"EdStatRegMinVelOutlet", "StatRegMinVelOutletUnits", utVelocity, "%0.2f", 0, 1.0,
     [](TSettings& S) -> double& { return S.statregainminveloutlet; }},
    {"EdVelMain", "VelMainUnits", utVelocity, "%0.2f", 0, 1.0,
     [](TSettings& S) -> double& { return S.uservelmain; }},
    {"EdVelOutlet", "VelOutletUnits", utVelocity, "%0.2f", 0, 1.0,
     [](TSettings& S) -> double& { return S.userveloutlet; }},
    {"EdDuctRectStep", "DuctRectStepUnits", utLengthSec, "%0.1f", Millimetres, 1.0,
     [](TSettings& S) -> double& { return S.ductrectstep; }},
    {"EdDuctRoundStep", "DuctRoundStepUnits", utLengthSec, "%0.1f", Millimetres, 1.0,
     [](TSettings& S) -> double& { return S.ductroundstep; }},
    {"EdRoughness", "RoughnessUnits", utLengthSmall, "%0.4f", 0, 1000.0,
     [](TSettings& S) -> double& { return S.roughness; }},
    // One units value serves the six default flows (they share a label).
    {"EdDiffuserFlow", "DefFlowUnits", utAirFlowPrim, "%0.3f", 0, 1.0,
     [](TSettings& S) -> double& { return S.defoutletq[0]; }},
    {"EdOutGrilleFlow", "DefFlowUnits", utAirFlowPrim, "%0.3f", 0, 1.0,
     [](TSettings& S) -> double& { return S.defoutletq[1]; }},
    {"EdOutletFlow", "DefFlowUnits", utAirFlowPrim, "%0.3f", 0, 1.0,
     [](TSettings& S) -> double& { return S.defoutletq[2]; }},
    {"EdInGrilleFlow", "DefFlowUnits", utAirFlowPrim, "%0.3f", 0, 1.0,
     [](TSettings& S) -> double& { return S.definletq[0]; }},
    {"EdCanopyFlow", "DefFlowUnits", utAirFlowPrim, "%0.3f", 0, 1.0,
     [](TSettings& S) -> double& { return S.definletq[1]; }},
    {"EdInletFlow", "DefFlowUnits", utAirFlowPrim, "%0.3f", 0, 1.0,
     [](TSettings& S) -> double& { return S.definletq[2]; }},
    {"EdDiffuserC", nullptr, utNone, "%0.1f", 0, 1.0,
     [](TSettings& S) -> double& { return S.defoutletc[0]; }},
    {"EdOutGrilleC", nullptr, utNone, "%0.1f", 0, 1.0,
     [](TSettings& S) -> double& { return S.defoutletc[1]; }},
    {"EdOutletC", nullptr, utNone, "%0.1f", 0, 1.0,
     [](TSettings& S) -> double& { return S.defoutletc[2]; }},
    {"EdInGrilleC", nullptr, utNone, "%0.1f", 0, 1.0,
     [](TSettings& S) -> double& { return S.definletc[0]; }},
    {"EdCanopyC", nullptr, utNone, "%0.1f", 0, 1.0,
     [](TSettings& S) -> double& { return S.definletc[1]; }},
    {"EdInletC", nullptr, utNone, "%0.1f", 0, 1.0,
     [](TSettings& S) -> double& { return S.definletc[2]; }},
};

const TSettingsFieldDef& FieldDef(const char* Name)
{
    for (const TSettingsFieldDef& Def : FieldDefs)
        if (qstrcmp(Def.Name, Name) == 0)
            return Def;
    throw std::logic_error(std::string("No settings field ") + Name);
}

const std::string Section(TSettings::StoreSection);

// Terminal kinds as the reset buttons and their hints name them.
struct TTerminalRow {
    const char* Caption;
    const char* HintName; // "Reset all <HintName> design flows"
    const char* Flow;
    const char* FlowBtn;
    const char* C;
    const char* CBtn;
    bool Inlet;
    int Kind;
};

const TTerminalRow TerminalRows[] = {
    {"Diffuser", "diffuser", "EdDiffuserFlow", "RDiffuserFlowBtn", "EdDiffuserC",
     "RDiffuserCBtn", false, 0},
    {"Outlet grille", "outlet grille", "EdOutGrilleFlow", "ROutGrilleFlowBtn", "EdOutGrilleC",
     "ROutGrilleCBtn", false, 1},
    {"Plain outlet", "plain outlet", "EdOutletFlow", "ROutletFlowBtn", "EdOutletC",
     "ROutletCBtn", false, 2},
    {"Inlet grille", "inlet grille", "EdInGrilleFlow", "RInGrilleFlowBtn", "EdInGrilleC",
     "RInGrilleCBtn", true, 0},
    {"Canopy", "canopy", "EdCanopyFlow", "RCanopyFlowBtn", "EdCanopyC", "RCanopyCBtn", true, 1},
    {"Plain inlet", "plain inlet", "EdInletFlow", "RInletFlowBtn", "EdInletC", "RInletCBtn",
     true, 2},
};

QGridLayout* PageGrid(QWidget* Page)
{
    auto* Grid = new QGridLayout(Page);
    Grid->setColumnStretch(3, 1);
    return Grid;
}

// The picker button's face: three dots, as a button that opens a list.
QPixmap EllipsisPicture()
{
    QPixmap Picture(16, 16);
    Picture.fill(Qt::transparent);
    QPainter Painter(&Picture);
    Painter.setBrush(Qt::black);
    Painter.setPen(Qt::NoPen);
    for (int X : {3, 7, 11})
        Painter.drawRect(X, 10, 2, 2);
    return Picture;
}

// Rows stay at the top of a page that is taller than they need.
void EndPage(QGridLayout* Grid)
{
    Grid->setRowStretch(Grid->rowCount(), 1);
}

} // namespace

TSettingsForm::TSettingsForm(TSettingsStore& Store, TSettings& Settings, QWidget* Parent)
    : QDialog(Parent), Store(Store), Settings(Settings)
{
    setObjectName("Settings");
    setWindowTitle("Settings");
    BuildForm();
    // The least size holds every page tab, whatever the desktop's font (and
    // a few pixels of the page frame beside them).
    const QMargins Margins = layout()->contentsMargins();
    const int TabsWidth = findChild<QTabWidget*>("PageControl")->tabBar()->sizeHint().width() +
                          Margins.left() + Margins.right() + 8;
    setMinimumSize(std::max(MinWidth, TabsWidth), MinHeight);
    resize(minimumSize());
    new TKeyNavigation(this);
    LoadUnits();
    ShowSettings();
}

TSettingsForm::~TSettingsForm() = default;

void TSettingsForm::BuildForm()
{
    auto* Pages = new TFlatPageControl(this);
    Pages->setObjectName("PageControl");
    Pages->SetFlat(false);
    Pages->addTab(EqualFrictionPage(), "Equal Frict.");
    Pages->addTab(StaticRegainPage(), "Static Reg.");
    Pages->addTab(VelocityPage(), "Velocity");
    Pages->addTab(DuctingPage(), "Ducting");
    Pages->addTab(TerminalsPage(), "Outlets/Inlets");
    Pages->addTab(FittingsPage(), "Fittings");

    // "&Close" comes first after the fields, so that Enter on the last
    // field of a page leads to it and not to a button that loads or resets.
    const struct {
        const char* Name;
        const char* Caption;
        const char* Hint;
        void (TSettingsForm::*Click)();
    } Buttons[] = {
        {"CloseBtn", "&Close", "Accept current settings", &TSettingsForm::CloseBtnClick},
        {"LoadDefaultBtn", "&Load", "Load user settings", &TSettingsForm::LoadDefaultBtnClick},
        {"SaveDefaultBtn", "&Save", "Save current settings as user defaults",
         &TSettingsForm::SaveDefaultBtnClick},
        {"ResetBtn", "&Reset", "Reset to 'factory' defaults", &TSettingsForm::ResetBtnClick},
    };
    auto* ButtonRow = new QHBoxLayout;
    QPushButton* Close = nullptr;
    for (const auto& B : Buttons) {
        auto* Button = new QPushButton(B.Caption, this);
        Button->setObjectName(B.Name);
        Button->setToolTip(B.Hint);
        const auto Click = B.Click;
        connect(Button, &QPushButton::clicked, this,
                [this, Click] { GuardedCall(this, [&] { (this->*Click)(); }); });
        if (Click == &TSettingsForm::CloseBtnClick)
            Close = Button;
        else
            ButtonRow->addWidget(Button);
    }
    Close->setDefault(true);
    ButtonRow->addStretch(1);
    ButtonRow->addWidget(Close);

    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(Pages, 1);
    Layout->addLayout(ButtonRow);
}

TFmtEditLabel* TSettingsForm::UnitsLabel(QWidget* Parent)
{
    auto* Label = new TFmtEditLabel(Parent);
    Label->setCursor(Qt::PointingHandCursor);
    Label->setToolTip("Click to change the units");
    return Label;
}

QWidget* TSettingsForm::NumberField(const char* Name, TFmtEditLabel* Label, QWidget* Parent)
{
    const TSettingsFieldDef& Def = FieldDef(Name);
    TxCustomEdit* Edit = nullptr;
    QWidget* Field = nullptr;
    if (qstrcmp(Name, "EdRoughness") == 0) {
        auto* Combined = new TCmbEdit(Parent);
        Combined->Button()->setToolTip("Pick a typical duct roughness");
        Combined->Button()->setCursor(Qt::PointingHandCursor);
        Combined->SetPicture(EllipsisPicture());
        Combined->SetCenter(true);
        Combined->SetButtonEnabled(false);
        Combined->OnButtonClick = [this](TCmbEdit*) { EdRoughnessButtonClick(); };
        Edit = Combined->Edit();
        Field = Combined;
    } else {
        Edit = new TFmtEdit(Parent);
        Field = Edit;
    }
    Field->setObjectName(Name);
    // A picker button takes its width from the edit, so that units align.
    Field->setFixedWidth(Def.Quantity == utNone ? 56 : 84);
    Edit->SetUnitsLabel(Label);
    Edit->SetFormatStr(Def.Format);
    Edit->SetUnitsType(Def.Quantity);
    Edit->SetUnitsValue(Def.FirstUnits);
    // Typing marks the field; a text put there by the program does not.
    connect(Edit, &QLineEdit::textEdited, this, [this, Edit] {
        for (TNumber& N : Numbers)
            if (N.Edit == Edit)
                N.Typed = true;
    });
    Edit->OnUnitsEdited = [this](TxCustomEdit* Sender) {
        for (TNumber& N : Numbers)
            if (N.Edit == Sender)
                SetNumberUnits(N, Sender->UnitsValue());
    };
    Numbers.push_back(TNumber{&Def, Edit, 0.0, QString(), false});
    return Field;
}

void TSettingsForm::AddNumberRow(QGridLayout* Grid, int Row, const QString& Caption,
                                 const char* Name, int Column)
{
    QWidget* Parent = Grid->parentWidget();
    auto* Label = new QLabel(Caption, Parent);
    TFmtEditLabel* Units = FieldDef(Name).Quantity == utNone ? nullptr : UnitsLabel(Parent);
    QWidget* Field = NumberField(Name, Units, Parent);
    Label->setBuddy(Field);
    Grid->addWidget(Label, Row, Column);
    Grid->addWidget(Field, Row, Column + 1);
    if (Units)
        Grid->addWidget(Units, Row, Column + 2);
}

QAbstractButton* TSettingsForm::ResetButton(QWidget* Parent, const char* Name,
                                            const QString& Hint, std::function<void()> Click)
{
    auto* Button = new QToolButton(Parent);
    Button->setObjectName(Name);
    Button->setToolTip(Hint);
    Button->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    Button->setAutoRaise(true);
    // As a speed button: the keys move between the fields, past the buttons.
    Button->setFocusPolicy(Qt::NoFocus);
    connect(Button, &QToolButton::clicked, this,
            [this, Click = std::move(Click)] { GuardedCall(this, Click); });
    return Button;
}

void TSettingsForm::AddSwitch(QAbstractButton* On, QAbstractButton* Off,
                              bool& (*Value)(TSettings&))
{
    if (Off) {
        // Each pair is a group of its own, whatever parent its buttons share.
        auto* Group = new QButtonGroup(this);
        Group->addButton(On);
        Group->addButton(Off);
    }
    Switches.push_back(TSwitch{On, Off, Value});
}

QWidget* TSettingsForm::EqualFrictionPage()
{
    auto* Page = new QWidget;
    QGridLayout* Grid = PageGrid(Page);
    AddNumberRow(Grid, 0, "Design pressure rate", "EdPressureRate");
    EndPage(Grid);
    return Page;
}

QWidget* TSettingsForm::StaticRegainPage()
{
    auto* Page = new QWidget;
    QGridLayout* Grid = PageGrid(Page);
    AddNumberRow(Grid, 0, "Static regain factor", "EdStatRegFactor");

    auto* Start = new QGroupBox("Size initial duct by..", Page);
    auto* StartGrid = new QGridLayout(Start);
    StartGrid->setColumnStretch(3, 1);
    // Created in the order the keys move through them.
    auto* EqFric = new QRadioButton("Equal friction", Start);
    EqFric->setObjectName("RBEqFric");
    TFmtEditLabel* PressUnits = UnitsLabel(Start);
    QWidget* PressRate = NumberField("edSRPressRate", PressUnits, Start);
    auto* Vel = new QRadioButton("Velocity method", Start);
    Vel->setObjectName("RBVel");
    // The start velocity's choice belongs to the velocity method: indented.
    auto* VelChoice = new QWidget(Start);
    auto* VelGrid = new QGridLayout(VelChoice);
    VelGrid->setContentsMargins(20, 0, 0, 0);
    auto* SpecVel = new QRadioButton("Specified velocity", VelChoice);
    SpecVel->setObjectName("RBSRSpecVel");
    TFmtEditLabel* VelUnits = UnitsLabel(VelChoice);
    QWidget* StartVel = NumberField("edSRVelocity", VelUnits, VelChoice);
    auto* ExistVel = new QRadioButton("Use existing duct velocity", VelChoice);
    ExistVel->setObjectName("RBSRUseExistVel");

    StartGrid->addWidget(EqFric, 0, 0);
    StartGrid->addWidget(PressRate, 0, 1);
    StartGrid->addWidget(PressUnits, 0, 2);
    StartGrid->addWidget(Vel, 1, 0, 1, 3);
    VelGrid->addWidget(SpecVel, 0, 0);
    VelGrid->addWidget(StartVel, 0, 1);
    VelGrid->addWidget(VelUnits, 0, 2);
    VelGrid->addWidget(ExistVel, 1, 0, 1, 3);
    VelGrid->setColumnStretch(3, 1);
    StartGrid->addWidget(VelChoice, 2, 0, 1, 4);
    Grid->addWidget(Start, 1, 0, 1, 4);

    AddNumberRow(Grid, 2, "Minimum velocity (main ducts)", "EdStatRegMinVelDuct");
    AddNumberRow(Grid, 3, "Minimum velocity (outlets)", "EdStatRegMinVelOutlet");
    EndPage(Grid);

    AddSwitch(EqFric, Vel, [](TSettings& S) -> bool& { return S.startequalfric; });
    AddSwitch(SpecVel, ExistVel, [](TSettings& S) -> bool& { return S.startspecvel; });
    return Page;
}

QWidget* TSettingsForm::VelocityPage()
{
    auto* Page = new QWidget;
    QGridLayout* Grid = PageGrid(Page);
    auto* ResetVels = new QCheckBox("Reset all duct velocities before solving.", Page);
    ResetVels->setObjectName("CBResetVels");
    Grid->addWidget(ResetVels, 0, 0, 1, 4);

    auto* Use = new QGroupBox("When resetting velocities, use..", Page);
    auto* UseRow = new QHBoxLayout(Use);
    auto* UserVel = new QRadioButton("Specified velocity", Use);
    UserVel->setObjectName("RBUserVel");
    auto* IdealVel = new QRadioButton("Ideal velocity", Use);
    IdealVel->setObjectName("RBIdealVel");
    UseRow->addWidget(UserVel);
    UseRow->addWidget(IdealVel);
    UseRow->addStretch(1);
    Grid->addWidget(Use, 1, 0, 1, 4);

    AddNumberRow(Grid, 2, "Main ducts", "EdVelMain");
    AddNumberRow(Grid, 3, "Outlets", "EdVelOutlet");
    EndPage(Grid);

    AddSwitch(ResetVels, nullptr, [](TSettings& S) -> bool& { return S.resetvels; });
    AddSwitch(UserVel, IdealVel, [](TSettings& S) -> bool& { return S.useuservel; });
    return Page;
}

QWidget* TSettingsForm::DuctingPage()
{
    auto* Page = new QWidget;
    QGridLayout* Grid = PageGrid(Page);
    AddNumberRow(Grid, 0, "Rect duct increment", "EdDuctRectStep");
    AddNumberRow(Grid, 1, "Round duct increment", "EdDuctRoundStep");
    AddNumberRow(Grid, 2, "Duct roughness", "EdRoughness");
    EndPage(Grid);
    return Page;
}

QWidget* TSettingsForm::TerminalsPage()
{
    auto* Page = new QWidget;
    auto* Grid = new QGridLayout(Page);
    Grid->setHorizontalSpacing(8);
    Grid->setColumnMinimumWidth(3, 12);
    Grid->setColumnStretch(6, 1);
    // Two heading rows: the captions, then the unit of all six flows.
    Grid->addWidget(new QLabel("Default Design flow", Page), 0, 1, 1, 2);
    Grid->addWidget(new QLabel("Default C value", Page), 0, 4, 1, 2);
    TFmtEditLabel* FlowUnits = UnitsLabel(Page);
    FlowUnits->setObjectName("DefFlowUnitsLabel");
    Grid->addWidget(FlowUnits, 1, 1, 1, 2);

    // Flows first, then C values: the keys move down a column.
    constexpr int FirstRow = 2;
    int Row = FirstRow;
    for (const TTerminalRow& T : TerminalRows) {
        Grid->addWidget(new QLabel(T.Caption, Page), Row, 0);
        Grid->addWidget(NumberField(T.Flow, FlowUnits, Page), Row, 1);
        const QString Name(T.HintName);
        const QString FlowHint = T.Inlet || T.Kind != 0
                                     ? "Reset all " + Name + " design flows"
                                     : "Reset " + Name + " design flows";
        const auto FlowEvent = T.Inlet ? &TSettingsForm::OnResetInletFlows
                                       : &TSettingsForm::OnResetOutletFlows;
        const int Kind = T.Kind;
        Grid->addWidget(ResetButton(Page, T.FlowBtn, FlowHint,
                                    [this, FlowEvent, Kind] {
                                        TerminalResetClick(this->*FlowEvent, Kind);
                                    }),
                        Row, 2);
        ++Row;
    }
    Row = FirstRow;
    for (const TTerminalRow& T : TerminalRows) {
        Grid->addWidget(NumberField(T.C, nullptr, Page), Row, 4);
        const auto CEvent =
            T.Inlet ? &TSettingsForm::OnResetInletC : &TSettingsForm::OnResetOutletC;
        const int Kind = T.Kind;
        const QString CHint = "Reset all " + QString(T.HintName) + " C values";
        Grid->addWidget(ResetButton(Page, T.CBtn, CHint,
                                    [this, CEvent, Kind] {
                                        TerminalResetClick(this->*CEvent, Kind);
                                    }),
                        Row, 5);
        ++Row;
    }
    auto* UseDampers = new QCheckBox("Use balancing dampers when sizing ducts", Page);
    UseDampers->setObjectName("CBUseDampers");
    Grid->addWidget(UseDampers, Row, 0, 1, 7);
    Grid->setRowStretch(Row + 1, 1);
    AddSwitch(UseDampers, nullptr, [](TSettings& S) -> bool& { return S.usedampers; });
    return Page;
}

QWidget* TSettingsForm::FittingsPage()
{
    auto* Page = new QWidget;
    QGridLayout* Grid = PageGrid(Page);
    auto* AutoCalc = new QCheckBox("Auto calculate size ratios when sizing ducts", Page);
    AutoCalc->setObjectName("CBAutoCalcRatios");
    Grid->addWidget(AutoCalc, 0, 0, 1, 4);
    EndPage(Grid);
    AddSwitch(AutoCalc, nullptr, [](TSettings& S) -> bool& { return S.autocalcratios; });
    return Page;
}

int TSettingsForm::Execute()
{
    return RunModal(*this);
}

TSettingsForm::TNumber& TSettingsForm::Number(const char* Name)
{
    for (TNumber& N : Numbers)
        if (qstrcmp(N.Def->Name, Name) == 0)
            return N;
    throw std::logic_error(std::string("No settings field ") + Name);
}

void TSettingsForm::ShowNumber(TNumber& Field, double Value)
{
    Field.Exact = Value;
    Field.Edit->SetValue(Value * Field.Def->Scale);
    Field.Edit->SetModified(false);
    Field.ShownText = Field.Edit->text();
    Field.Typed = false;
}

void TSettingsForm::SetNumberUnits(TNumber& Field, int Units)
{
    Field.Edit->SetUnitsValue(Units);
    // The edit converted what it showed; an untouched value is shown again
    // from the setting, so that no rounding of the old unit creeps in.
    if (!Field.Typed)
        ShowNumber(Field, Field.Exact);
}

void TSettingsForm::ShowFields(const TSettings& Source)
{
    TSettings Copy = Source;
    for (TNumber& N : Numbers)
        ShowNumber(N, N.Def->Value(Copy));
    for (const TSwitch& S : Switches) {
        const bool On = S.Value(Copy);
        S.On->setChecked(On);
        if (S.Off)
            S.Off->setChecked(!On);
    }
}

void TSettingsForm::ShowSettings()
{
    ShowFields(Settings);
}

bool TSettingsForm::ReadFields(const TSettings& Base, TSettings& Read, std::vector<bool>& Refused)
{
    bool AllAccepted = true;
    Read = Base;
    Refused.assign(Numbers.size(), false);
    for (std::size_t I = 0; I < Numbers.size(); ++I) {
        TNumber& N = Numbers[I];
        // An entry still being typed is tidied (and range-checked) first.
        if (N.Edit->Modified() && !N.Edit->AcceptEdit())
            AllAccepted = false;
        if (!N.Typed || N.Edit->text() == N.ShownText) {
            N.Def->Value(Read) = N.Exact;
            continue;
        }
        try {
            N.Def->Value(Read) = N.Edit->GetValue().toDouble() / N.Def->Scale;
        } catch (const EConvertError&) {
            Refused[I] = true;
        }
    }
    for (const TSwitch& S : Switches)
        S.Value(Read) = S.On->isChecked();

    TSettings Checked = Read;
    Checked.ReplaceRefusedValues(Base);
    for (std::size_t I = 0; I < Numbers.size(); ++I) {
        const TSettingsFieldDef& Def = *Numbers[I].Def;
        // A NaN compares unequal as well: it was refused.
        if (Def.Value(Checked) != Def.Value(Read))
            Refused[I] = true;
        if (Refused[I])
            AllAccepted = false;
    }
    Read = Checked;
    return AllAccepted;
}

bool TSettingsForm::ReadFieldsOrBeep(const TSettings& Base, TSettings& Read)
{
    std::vector<bool> Refused;
    const bool AllAccepted = ReadFields(Base, Read, Refused);
    TSettings Shown = Base;
    bool AnyRefused = false;
    for (std::size_t I = 0; I < Numbers.size(); ++I)
        if (Refused[I]) {
            ShowNumber(Numbers[I], Numbers[I].Def->Value(Shown));
            AnyRefused = true;
        }
    if (AnyRefused)
        MessageBeep();
    return AllAccepted;
}

bool TSettingsForm::ApplySettings()
{
    TSettings Read;
    const bool AllAccepted = ReadFieldsOrBeep(Settings, Read);
    Settings = Read;
    // What the fields show is now the settings: later units changes and
    // applies start from the applied values.
    for (TNumber& N : Numbers)
        if (N.Typed) {
            N.Exact = N.Def->Value(Read);
            N.ShownText = N.Edit->text();
            N.Typed = false;
        }
    return AllAccepted;
}

void TSettingsForm::ResetToDefaults()
{
    Settings.SetDefaults();
    ShowSettings();
    LoadDefaults();
    ApplySettings();
}

void TSettingsForm::LoadDefaults()
{
    // The engine reads the defaults over a copy of the fields, so that the
    // value names live in one place and a value never saved stays as shown.
    TSettings Before;
    std::vector<bool> Unreadable;
    ReadFields(Settings, Before, Unreadable);
    TSettings Loaded = Before;
    Loaded.LoadDefaults(Store);
    for (std::size_t I = 0; I < Numbers.size(); ++I) {
        TNumber& N = Numbers[I];
        if (Unreadable[I] || N.Def->Value(Loaded) != N.Def->Value(Before))
            ShowNumber(N, N.Def->Value(Loaded));
    }
    for (const TSwitch& S : Switches) {
        const bool On = S.Value(Loaded);
        S.On->setChecked(On);
        if (S.Off)
            S.Off->setChecked(!On);
    }
}

void TSettingsForm::SaveDefaults()
{
    TSettings Read;
    ReadFieldsOrBeep(Settings, Read);
    Read.SaveDefaults(Store);
}

void TSettingsForm::LoadUnits()
{
    RestoreFormPlacement(Store, this, false, true);
    for (TNumber& N : Numbers)
        if (N.Def->UnitsKey)
            SetNumberUnits(N, Store.ReadInteger(Section, N.Def->UnitsKey, N.Edit->UnitsValue()));
}

void TSettingsForm::SaveUnits()
{
    SaveFormPlacement(Store, this);
    for (const TNumber& N : Numbers)
        if (N.Def->UnitsKey)
            Store.WriteInteger(Section, N.Def->UnitsKey, N.Edit->UnitsValue());
}

void TSettingsForm::SetRoughnessPicker(TRoughnessPicker Picker)
{
    RoughnessPicker = std::move(Picker);
    if (auto* Field = findChild<TCmbEdit*>("EdRoughness"))
        Field->SetButtonEnabled(static_cast<bool>(RoughnessPicker));
}

void TSettingsForm::showEvent(QShowEvent* Event)
{
    // Only when the dialog opens: coming back from the picker or a message
    // must not overwrite what was typed.
    if (!Event->spontaneous())
        GuardedCall(this, [this] { ShowSettings(); });
    QDialog::showEvent(Event);
}

void TSettingsForm::done(int Result)
{
    GuardedCall(this, [this] { SaveUnits(); });
    QDialog::done(Result);
}

void TSettingsForm::CloseBtnClick()
{
    if (ApplySettings())
        done(mrOk);
}

void TSettingsForm::ResetBtnClick()
{
    resize(minimumSize());
    for (TNumber& N : Numbers)
        N.Edit->SetUnitsValue(N.Def->FirstUnits);
    // The network takes the factory settings at once; the user's saved
    // defaults stay as they are.
    Settings.SetDefaults();
    ShowSettings();
}

void TSettingsForm::LoadDefaultBtnClick()
{
    LoadUnits();
    LoadDefaults();
}

void TSettingsForm::SaveDefaultBtnClick()
{
    SaveUnits();
    SaveDefaults();
}

void TSettingsForm::TerminalResetClick(const std::function<void(int)>& Event, int Kind)
{
    // The network's terminals receive what the fields hold now.
    ApplySettings();
    if (Event)
        Event(Kind);
}

void TSettingsForm::EdRoughnessButtonClick()
{
    if (!RoughnessPicker)
        return;
    double PickedMm = 0.0;
    if (!RoughnessPicker(this, UiServices().PointerPos() + QPoint(20, 20), PickedMm))
        return;
    if (!std::isfinite(PickedMm) || PickedMm < 0.0) {
        MessageBeep();
        return;
    }
    ShowNumber(Number("EdRoughness"), PickedMm / 1000.0);
}
