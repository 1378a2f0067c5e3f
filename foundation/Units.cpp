#include "foundation/Units.h"

#include "foundation/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <span>

namespace {

struct TUnitDef {
    const char* Label;
    const char* Format;
    double Factor; // units per reference unit of the quantity
};

// Unit lists, one per distinct set of units; quantities measured alike share one.
// Factors follow from the definitions of the units to ten significant digits:
// 1 in = 0.0254 m, 1 lb = 0.45359237 kg, the International Table Btu and
// kilocalorie, standard gravity; an inch of water is the conventional column
// of 1000 kg/m³, an inch of mercury 3386.389 Pa.

// utAirFlowPrim
constexpr TUnitDef kAirFlowPrim[] = {
    {"m³/s", "%0.3f", 1},
    {"m³/min", "%0.2f", 60},
    {"m³/hr", "%0.0f", 3600},
    {"l/s", "%0.0f", 1000},
    {"cfm", "%0.2f", 2118.880003},
};

// utAirFlowSmall
constexpr TUnitDef kAirFlowSmall[] = {
    {"l/s", "%0.1f", 1},
    {"m³/min", "%0.2f", 0.06},
    {"cfm", "%0.3f", 2.118880003},
};

// utAirFlowRate
constexpr TUnitDef kAirFlowRate[] = {
    {"m³/s/m²", "%0.3f", 1},
    {"m³/min/m²", "%0.2f", 60},
    {"m³/hr/m²", "%0.0f", 3600},
    {"l/s/m²", "%0.0f", 1000},
    {"cfm/ft²", "%0.2f", 196.8503937},
};

// utAirPressDrop
constexpr TUnitDef kAirPressDrop[] = {
    {"kPa", "%0.3f", 1},
    {"Pa", "%0.0f", 1000},
    {"Psi", "%0.4f", 0.1450377377},
    {"Bar", "%0.5f", 0.01},
    {"Atm", "%0.5f", 0.009869232667},
    {"InchWg", "%0.4f", 4.01463076},
    {"InchHg", "%0.4f", 0.2952998016},
    {"mHead", "%0.4f", 0.1019716213},
};

// utAltitude
constexpr TUnitDef kAltitude[] = {
    {"m", "%0.1f", 1},
    {"ft", "%0.1f", 3.280839895},
};

// utAngularSpeed
constexpr TUnitDef kAngularSpeed[] = {
    {"rpm", "%0.0f", 1},
    {"Rad/s", "%0.3f", 0.1047197551},
    {"Rev/s", "%0.0f", 0.01666666667},
};

// utArea
constexpr TUnitDef kArea[] = {
    {"m²", "%0.1f", 1},
    {"cm²", "%0.1f", 10000},
    {"mm²", "%0.0f", 1000000},
    {"inch²", "%0.2f", 1550.0031},
    {"ft²", "%0.1f", 10.76391042},
};

// utCondensateRate
constexpr TUnitDef kCondensateRate[] = {
    {"g/s", "%0.1f", 1},
    {"kg/s", "%0.4f", 0.001},
    {"kg/min", "%0.3f", 0.06},
    {"lb/hr", "%0.3f", 7.936641439},
};

// utConductance
constexpr TUnitDef kConductance[] = {
    {"kW/°C", "%0.3f", 1},
    {"W/°C", "%0.0f", 1000},
    {"MBH/°F", "%0.3f", 1.895634241},
    {"Btu/h°F", "%0.0f", 1895.634241},
};

// utConductivity
constexpr TUnitDef kConductivity[] = {
    {"kW/m·K", "%0.6g", 1},
    {"W/m·K", "%0.6g", 1000},
    {"mW/m·K", "%0.6g", 1000000},
    {"Btu/hr·ft°F", "%0.6g", 577.7893165},
};

// utDensity
constexpr TUnitDef kDensity[] = {
    {"kg/m³", "%0.5g", 1},
    {"mg/L", "%0.1g", 1000},
    {"lb/ft³", "%0.4g", 0.06242796058},
};

// utDiameter
constexpr TUnitDef kDiameter[] = {
    {"m", "%0.3f", 1},
    {"mm", "%0.0f", 1000},
    {"inch", "%0.2f", 39.37007874},
    {"1/8\"", "%0.0f", 314.9606299},
    {"ft", "%0.3f", 3.280839895},
};

// utDutyPrim
constexpr TUnitDef kDutyPrim[] = {
    {"kW", "%0.3f", 1},
    {"W", "%0.0f", 1000},
    {"Btu/hr", "%0.0f", 3412.141633},
    {"MBh", "%0.3f", 3.412141633},
    {"kcal/hr", "%0.1f", 859.8452279},
};

// utDutyRate
constexpr TUnitDef kDutyRate[] = {
    {"W/m²", "%0.1f", 1},
    {"kW/m²", "%0.3f", 0.001},
    {"Btu/hr·ft²", "%0.1f", 0.3169983306},
    {"MBh/ft²", "%0.3f", 0.0003169983306},
    {"kcal/hr·ft²", "%0.1f", 0.0798822356},
};

// utEnergy
constexpr TUnitDef kEnergy[] = {
    {"kJ", "%0.3f", 1},
    {"J", "%0.0f", 1000},
    {"kW-hr", "%0.5g", 0.0002777777778},
    {"W-hr", "%0.5g", 0.2777777778},
    {"Btu", "%0.5g", 0.9478171203},
};

// utEnthalpy
constexpr TUnitDef kEnthalpy[] = {
    {"kJ/kg", "%0.1f", 1},
    {"Btu/lb", "%0.1f", 0.4299226139},
};

// utFinDensity
constexpr TUnitDef kFinDensity[] = {
    {"fpi", "%0.4f", 1},
    {"fin/mm", "%0.5f", 0.03937007874},
    {"fins/m", "%0.3f", 39.37007874},
    {"fins/ft", "%0.3f", 12},
};

// utHeatOfRespir
constexpr TUnitDef kHeatOfRespir[] = {
    {"kJ/kg/day", "%0.2f", 1},
    {"mW/kg", "%0.4f", 11.57407407},
    {"Btu/lb/day", "%0.2f", 0.4299226139},
};

// utHeatTransCoeff
constexpr TUnitDef kHeatTransCoeff[] = {
    {"W/m²°C", "%0.5g", 1},
    {"Btu/hr·ft²°F", "%0.5g", 0.1761101837},
};

// utHumidity
constexpr TUnitDef kHumidity[] = {
    {"kg/kg", "%0.4f", 1},
    {"g/kg", "%0.2f", 1000},
    {"gr/lb", "%0.1f", 7000},
};

// utLengthBig
constexpr TUnitDef kLengthBig[] = {
    {"m", "%0.2f", 1},
    {"ft", "%0.1f", 3.280839895},
};

// utLengthMeasure
constexpr TUnitDef kLengthMeasure[] = {
    {"m", "%0.3f", 1},
    {"cm", "%0.2f", 100},
    {"mm", "%0.1f", 1000},
    {"inch", "%0.2f", 39.37007874},
    {"ft", "%0.3f", 3.280839895},
};

// utLengthSmall
constexpr TUnitDef kLengthSmall[] = {
    {"mm", "%0.4f", 1},
    {"um", "%0.1f", 1000},
    {"Thou\"", "%0.3f", 39.37007874},
};

// utMass
constexpr TUnitDef kMass[] = {
    {"kg", "%0.0f", 1},
    {"ton SI", "%0.3f", 0.001},
    {"lb", "%0.1f", 2.204622622},
};

// utMassSmall
constexpr TUnitDef kMassSmall[] = {
    {"g", "%0.1f", 1},
    {"oz", "%0.3f", 0.03527396195},
};

// utMassFlow
constexpr TUnitDef kMassFlow[] = {
    {"kg/s", "%0.4f", 1},
    {"g/s", "%0.1f", 1000},
    {"kg/hr", "%0.2f", 3600},
    {"lb/s", "%0.5f", 2.204622622},
    {"lb/min", "%0.3f", 132.2773573},
    {"lb/hr", "%0.1f", 7936.641439},
};

// utMassFlux
constexpr TUnitDef kMassFlux[] = {
    {"kg/m²s", "%0.3f", 1},
    {"g/m²s", "%0.0f", 1000},
    {"kg/m²hr", "%0.1f", 3600},
    {"lb/ft²s", "%0.4f", 0.2048161436},
    {"lb/ft²min", "%0.2f", 12.28896862},
    {"lb/ft²hr", "%0.0f", 737.338117},
};

// utMetRate
constexpr TUnitDef kMetRate[] = {
    {"W/P", "%0.1f", 1},
    {"Btu/hr/P", "%0.0f", 3.412141633},
};

// utPeopleDensity
constexpr TUnitDef kPeopleDensity[] = {
    {"m²/P", "%0.1f", 1},
    {"ft²/P", "%0.2f", 10.76391042},
};

// utPower
constexpr TUnitDef kPower[] = {
    {"kW", "%0.3f", 1},
    {"W", "%0.0f", 1000},
    {"HP", "%0.2f", 1.34102209},
};

// utPressureBar
constexpr TUnitDef kPressureBar[] = {
    {"kPa", "%0.3f", 1},
    {"Psi", "%0.4f", 0.1450377377},
    {"Bar", "%0.5f", 0.01},
    {"Atm", "%0.5f", 0.009869232667},
    {"InchHg", "%0.4f", 0.2952998016},
    {"mHead", "%0.4f", 0.1019716213},
};

// utPressureRateGas
constexpr TUnitDef kPressureRateGas[] = {
    {"Pa/m", "%0.2f", 1},
    {"kPa/m", "%0.5f", 0.001},
    {"iwg/100'", "%0.4f", 0.1223659456},
    {"Psi/ft", "%0.6f", 4.420750246e-05},
};

// utProportion
constexpr TUnitDef kProportion[] = {
    {"fraction", "%0.3f", 1},
    {"%", "%0.1f", 100},
    {"ratio", "%0.3f", 1},
};

// utRate
constexpr TUnitDef kRate[] = {
    {"/sec", "%0.4f", 1},
    {"/min", "%0.2f", 60},
    {"/hr", "%0.0f", 3600},
};

// utSpecificHeat
constexpr TUnitDef kSpecificHeat[] = {
    {"kJ/kg·K", "%0.4g", 1},
    {"Btu/lb°F", "%0.4g", 0.2388458966},
};

// utSpecificVol
constexpr TUnitDef kSpecificVol[] = {
    {"m³/kg", "%0.3f", 1},
    {"ft³/lb", "%0.3f", 16.01846337},
};

// utTemperature
constexpr TUnitDef kTemperature[] = {
    {"°C", "%0.1f", 1},
    {"°F", "%0.1f", 1.8},
    {"K", "%0.2f", 1},
};

// utThermalCapacity
constexpr TUnitDef kThermalCapacity[] = {
    {"W-hr/m²°C", "%0.1f", 1},
    // 1 W-hr/m²°C = 3600 J/m²K and 1 Btu/ft²°F = 20441.7 J/m²K: the same
    // ratio as the heat-transfer coefficient's.
    {"Btu/ft²°F", "%0.1f", 0.1761101837},
};

// utThermalResist
constexpr TUnitDef kThermalResist[] = {
    {"m²°C/W", "%0.4f", 1},
    {"ft²·hr·°F/Btu", "%0.3f", 5.678263341},
};

// utTime
constexpr TUnitDef kTime[] = {
    {"sec", "%0.0f", 1},
    {"min", "%0.2f", 0.01666666667},
    {"hr", "%0.4f", 0.0002777777778},
};

// utVelocity
constexpr TUnitDef kVelocity[] = {
    {"m/s", "%0.2f", 1},
    {"fpm", "%0.1f", 196.8503937},
};

// utViscosity
constexpr TUnitDef kViscosity[] = {
    {"kg/m·s", "%0.6g", 1},
    {"N·s/m²", "%0.6g", 1},
    {"µPa·s", "%0.6g", 1000000},
    {"cP", "%0.6g", 1000},
    // 1 kg/m·s = 2.204622622 lb per 3.280839895 ft; the factor once written
    // here was ten times too small.
    {"lbm/ft·s", "%0.6g", 0.6719689751},
    {"lbf·s/ft²", "%0.6g", 0.02088543423},
    {"lbf·hr/ft²", "%0.6g", 5.801509509e-06},
};

// utVolume
constexpr TUnitDef kVolume[] = {
    {"m³", "%0.4f", 1},
    {"litre", "%0.2f", 1000},
    {"cc", "%0.0f", 1000000},
    {"ft³", "%0.4f", 35.31466672},
    {"inch³", "%0.1f", 61023.74409},
};

// utVolumeFluid
constexpr TUnitDef kVolumeFluid[] = {
    {"kl", "%0.3f", 1},
    {"litre", "%0.5g", 1000},
    {"IP Gal", "%0.5g", 219.9692483},
    {"US Gal", "%0.5g", 264.1720524},
};

// utWaterFlow
constexpr TUnitDef kWaterFlow[] = {
    {"l/s", "%0.3f", 1},
    {"l/min", "%0.2f", 60},
    {"dm³/hr", "%0.2f", 3600},
    {"m³/hr", "%0.2f", 3.6},
    {"m³/s", "%0.4f", 0.001},
    {"usgpm", "%0.1f", 15.85032314},
};

// Offsets of the temperature units, parallel to kTemperature.
constexpr double kTemperatureOffsets[] = {0.0, 32.0, 273.15};
static_assert(std::size(kTemperatureOffsets) == std::size(kTemperature));

struct TQuantityDef {
    const char* Name;
    std::span<const TUnitDef> Units;
};

// Indexed by TUnitsType.
constexpr TQuantityDef kQuantities[] = {
    {"None", {}}, // utNone
    {"Air Flow - Primary", kAirFlowPrim}, // utAirFlowPrim
    {"Air Flow - Secondary", kAirFlowPrim}, // utAirFlowSec
    {"Air Flow - Small", kAirFlowSmall}, // utAirFlowSmall
    {"Air Flow Rate", kAirFlowRate}, // utAirFlowRate
    {"Air Pressure Drop", kAirPressDrop}, // utAirPressDrop
    {"Altitude", kAltitude}, // utAltitude
    {"Angular Speed", kAngularSpeed}, // utAngularSpeed
    {"Area", kArea}, // utArea
    {"Condensate Rate", kCondensateRate}, // utCondensateRate
    {"Conductance", kConductance}, // utConductance
    {"Conductivity", kConductivity}, // utConductivity
    {"Density", kDensity}, // utDensity
    {"Diameter", kDiameter}, // utDiameter
    {"Duty - Primary", kDutyPrim}, // utDutyPrim
    {"Duty - Secondary", kDutyPrim}, // utDutySec
    {"Duty Rate", kDutyRate}, // utDutyRate
    {"Energy", kEnergy}, // utEnergy
    {"Enthalpy", kEnthalpy}, // utEnthalpy
    {"Fin Density", kFinDensity}, // utFinDensity
    {"Heat of Respiration", kHeatOfRespir}, // utHeatOfRespir
    {"Heat Transfer Coefficient", kHeatTransCoeff}, // utHeatTransCoeff
    {"Humidity", kHumidity}, // utHumidity
    {"Length - Big", kLengthBig}, // utLengthBig
    {"Length - Measurement", kLengthMeasure}, // utLengthMeasure
    {"Length - Primary", kLengthMeasure}, // utLengthPrim
    {"Length - Secondary", kLengthMeasure}, // utLengthSec
    {"Length - Small", kLengthSmall}, // utLengthSmall
    {"Mass", kMass}, // utMass
    {"Mass - Small", kMassSmall}, // utMassSmall
    {"MassFlow", kMassFlow}, // utMassFlow
    {"MassFlow - Refrig./Steam", kMassFlow}, // utMassFlowGas
    {"MassFlux", kMassFlux}, // utMassFlux
    {"Metabolic Rate", kMetRate}, // utMetRate
    {"People Density", kPeopleDensity}, // utPeopleDensity
    {"Power", kPower}, // utPower
    {"Pressure - Absolute or Gauge", kAirPressDrop}, // utPressure
    {"Pressure - Barometric", kPressureBar}, // utPressureBar
    {"Pressure - Steam", kAirPressDrop}, // utPressureSteam
    {"Pressure Rate - Gas", kPressureRateGas}, // utPressureRateGas
    {"Pressure Rate - Liquid", kPressureRateGas}, // utPressureRateLiquid
    {"Proportion", kProportion}, // utProportion
    {"Rate", kRate}, // utRate
    {"Specific Heat", kSpecificHeat}, // utSpecificHeat
    {"Specific Volume", kSpecificVol}, // utSpecificVol
    {"Temperature", kTemperature}, // utTemperature
    {"Temperature Change", kTemperature}, // utTemperatureChange
    {"Thermal Capacity", kThermalCapacity}, // utThermalCapacity
    {"Thermal Resistance", kThermalResist}, // utThermalResist
    {"Time", kTime}, // utTime
    {"Velocity", kVelocity}, // utVelocity
    {"Viscosity", kViscosity}, // utViscosity
    {"Volume", kVolume}, // utVolume
    {"Fluid Volume", kVolumeFluid}, // utVolumeFluid
    {"Water Flow", kWaterFlow}, // utWaterFlow
    {"Water Pressure Drop", kAirPressDrop}, // utWaterPressDrop
};
static_assert(std::size(kQuantities) == UnitsTypeCount);

const TQuantityDef& QuantityDef(int Quantity)
{
    return kQuantities[UnitsTypeOf(Quantity)];
}

// Only the low seven bits of a unit index count; an index past the end of the
// list reads as the last unit rather than past the table.
int UnitSlot(const TQuantityDef& Def, int UnitIndex)
{
    const int index = UnitIndex & 127;
    const int last = static_cast<int>(Def.Units.size()) - 1;
    return index < last ? index : last;
}

} // namespace

TUnitsType UnitsTypeOf(int Quantity)
{
    const int q = Quantity & 127;
    return q < UnitsTypeCount ? static_cast<TUnitsType>(q) : utNone;
}

int UnitCount(int Quantity)
{
    return static_cast<int>(QuantityDef(Quantity).Units.size());
}

std::string_view UnitsTypeName(int Quantity)
{
    return QuantityDef(Quantity).Name;
}

std::string_view UnitLabel(int Quantity, int UnitIndex)
{
    const TQuantityDef& def = QuantityDef(Quantity);
    if (def.Units.empty())
        return {};
    return def.Units[UnitSlot(def, UnitIndex)].Label;
}

std::string_view UnitFormatStr(int Quantity, int UnitIndex)
{
    const TQuantityDef& def = QuantityDef(Quantity);
    if (def.Units.empty())
        return "%0.1f";
    return def.Units[UnitSlot(def, UnitIndex)].Format;
}

void GetConversion(int Quantity, int UnitIndex, int BaseIndex, std::string& Fmt,
                   double& Offset, double& Factor, std::string& Label)
{
    Fmt = UnitFormatStr(Quantity, UnitIndex);
    Label = UnitLabel(Quantity, UnitIndex);
    const TQuantityDef& def = QuantityDef(Quantity);
    if (def.Units.empty())
        return; // fields without a quantity keep their own factor and offset
    const int unit = UnitSlot(def, UnitIndex);
    const int base = UnitSlot(def, BaseIndex);
    Factor = def.Units[unit].Factor / def.Units[base].Factor;
    Offset = 0.0;
    if (UnitsTypeOf(Quantity) == utTemperature) {
        // With the usual base °C this is just the shown unit's offset; taking
        // the base's own offset out keeps any other base correct as well.
        Offset = kTemperatureOffsets[unit] - kTemperatureOffsets[base] * Factor;
    }
}

std::string AutoFormatText(TUnitsType UnitsType, double Value, int Extra)
{
    double A = std::fabs(Value);
    if (A <= 1e-9)
        A = 0;
    const double I = std::trunc(A); // no integer type holds every double
    const char Letter = A != 0 && (I >= 1e9 || A <= 0.001) ? 'g' : 'f';
    int Decimals = 3;
    if (A == 0 || I >= 100)
        Decimals = 0;
    else if (I >= 10)
        Decimals = 1;
    else if (I >= 1)
        Decimals = 2;
    else if (A > 0.1)
        Decimals = 3;
    else if (A > 0.01)
        Decimals = 4;
    else if (A > 0.001)
        Decimals = 5;
    if (UnitsType == utPressureBar && Extra == 0)
        Extra = 3;
    return "%0." + std::to_string(std::max(Decimals + Extra, 0)) + Letter;
}

std::string AutoFormatWithUnit(TUnitsType UnitsType, double Value, std::string_view Unit)
{
    // A value too small for the automatic format is still no 0.
    const bool Tiny = Value != 0.0 && std::fabs(Value) <= 1e-9;
    std::string Text = FormatFloat(Tiny ? "%0.3g" : AutoFormatText(UnitsType, Value, 0), Value);
    if (!Unit.empty())
        Text.append(" ").append(Unit);
    return Text;
}

double ApplyConversion(double Value, double Factor, double Offset)
{
    return Value * Factor + Offset;
}

double RemoveConversion(double Value, double Factor, double Offset)
{
    // Only a caller's own factor can be zero (every table factor is not);
    // such a field then takes the entered value as it stands.
    if (Factor == 0.0)
        return Value - Offset;
    return (Value - Offset) / Factor;
}

int ClampUnitIndex(int Quantity, int UnitIndex)
{
    const TQuantityDef& def = QuantityDef(Quantity);
    if (def.Units.empty())
        return UnitIndex;
    if (UnitIndex < 0)
        return 0;
    const int last = static_cast<int>(def.Units.size()) - 1;
    return UnitIndex < last ? UnitIndex : last;
}
