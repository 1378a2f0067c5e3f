#include "tools/HumitrakDlg.h"

#include "foundation/AirProperties.h"
#include "foundation/NumberFormat.h"
#include "platform/QtText.h"
#include "tools/HumitrakBox.h"

namespace {

constexpr double StandardPressure = 101.325;
constexpr double DefaultRH = 0.5;

PsyState ParsedState(const QString& Text, double Pressure)
{
    PsyState State{};
    ParseDryWetBulb(Text.toStdString(), State, Pressure, DefaultRH);
    return State;
}

} // namespace

THumitrakDlg::THumitrakDlg(TSettingsStore& Settings, QObject* Parent, const QString& Name)
    : TAirConDlg(Settings, Name, Parent)
{
    Caption = "Moist Air State";
    ItemName = "Moist Air";
    SetDefaultItem(std::make_unique<TPsyPoint>(ParsedState(FTemperature, StandardPressure), "Node", 1, "Air"));
    LineUnits.assign(13, 0);
    LineUnits[THumitrakBox::lnAbsHumidity] = 1; // g/kg
    LineUnits[THumitrakBox::lnRelHumidity] = 1; // %
    FormWidth = 216;
    FormHeight = 295;
    ColWidths = {85, 70, 52};
    SetDummy(true);
}

TPsyPoint& THumitrakDlg::Point() const
{
    return static_cast<TPsyPoint&>(*DefaultItem());
}

double THumitrakDlg::Pressure() const
{
    return Point().State.pa;
}

void THumitrakDlg::SetPressure(double Pressure)
{
    Point().State = ParsedState(FTemperature, Pressure);
}

QString THumitrakDlg::GetTemperature() const
{
    const PsyState& S = Point().State;
    return ToQ(FormatFloat("%0.1f", S.db) + "/" + FormatFloat("%0.1f", S.wb));
}

void THumitrakDlg::SetTemperature(const QString& Text)
{
    Point().State = ParsedState(Text, Point().State.pa);
    FTemperature = Text;
}

int THumitrakDlg::Execute(TPsyPoint* Item, int X, int Y)
{
    SetAnchor(Item, X, Y);
    auto Box = std::make_unique<THumitrakBox>();
    Box->EditPressure = EditPressure;
    Box->Item = AnchoredItem();
    Box->SetLineStates();
    return TAirConDlg::Execute(std::move(Box));
}
