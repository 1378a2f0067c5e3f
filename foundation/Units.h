#pragma once
// Units of measure: every physical value is held in a fixed base unit and
// converted only for display and entry. For each quantity a short list of
// display units gives a label (UTF-8), a printf-style number format and a
// factor (units per reference unit, unit 0 being the reference with factor 1).
//
// Quantities and unit indexes may come from files or settings, so every routine
// reads only their low seven bits; a quantity of 56 or more behaves like utNone
// and a unit index past the end of its quantity's list reads as the last unit.

#include <cstdint>
#include <string>
#include <string_view>

enum TUnitsType : std::uint8_t {
    utNone,
    utAirFlowPrim,
    utAirFlowSec,
    utAirFlowSmall,
    utAirFlowRate,
    utAirPressDrop,
    utAltitude,
    utAngularSpeed,
    utArea,
    utCondensateRate,
    utConductance,
    utConductivity,
    utDensity,
    utDiameter,
    utDutyPrim,
    utDutySec,
    utDutyRate,
    utEnergy,
    utEnthalpy,
    utFinDensity,
    utHeatOfRespir,
    utHeatTransCoeff,
    utHumidity,
    utLengthBig,
    utLengthMeasure,
    utLengthPrim,
    utLengthSec,
    utLengthSmall,
    utMass,
    utMassSmall,
    utMassFlow,
    utMassFlowGas,
    utMassFlux,
    utMetRate,
    utPeopleDensity,
    utPower,
    utPressure,
    utPressureBar,
    utPressureSteam,
    utPressureRateGas,
    utPressureRateLiquid,
    utProportion,
    utRate,
    utSpecificHeat,
    utSpecificVol,
    utTemperature,
    utTemperatureChange,
    utThermalCapacity,
    utThermalResist,
    utTime,
    utVelocity,
    utViscosity,
    utVolume,
    utVolumeFluid,
    utWaterFlow,
    utWaterPressDrop,
};

// Number of quantities, utNone included.
inline constexpr int UnitsTypeCount = 56;

// The quantity a stored number stands for: its low seven bits, and utNone for
// anything that names no quantity.
TUnitsType UnitsTypeOf(int Quantity);

// Number of display units of a quantity (the highest valid index plus one);
// 0 for utNone.
int UnitCount(int Quantity);

// The quantity's display name ("Air Flow - Primary"); "None" for utNone.
std::string_view UnitsTypeName(int Quantity);

// The unit's label; empty for utNone. The text lives in constant tables.
std::string_view UnitLabel(int Quantity, int UnitIndex);

// The unit's number format ("%0.3f", "%0.5g"); "%0.1f" for utNone.
std::string_view UnitFormatStr(int Quantity, int UnitIndex);

// What a field or edit needs when its display unit changes: the format and
// label of UnitIndex, and the factor and offset that turn a value held in
// BaseIndex into one shown in UnitIndex. For utNone, Factor and Offset keep
// the caller's values.
void GetConversion(int Quantity, int UnitIndex, int BaseIndex, std::string& Fmt,
                   double& Offset, double& Factor, std::string& Label);

// "%0.Nf" with N by the size of |Value| (0 from 100 up, 1 from 10, 2 from 1,
// then 3, 4 or 5 down to 0.001) plus Extra; "g" instead of "f" from 1e9 up
// and at 0.001 and below. Barometric pressures take 3 extra decimals when
// Extra is 0. The format of values shown with their unit in hints, reports
// and messages.
std::string AutoFormatText(TUnitsType UnitsType, double Value, int Extra);

// Value in the automatic format ("%0.3g" for a value too small for it that
// is not 0), a blank and Unit (nothing after the number when Unit is empty).
std::string AutoFormatWithUnit(TUnitsType UnitsType, double Value, std::string_view Unit);

// Held value to display value: Value * Factor + Offset.
double ApplyConversion(double Value, double Factor, double Offset);

// Display value to held value: (Value - Offset) / Factor.
double RemoveConversion(double Value, double Factor, double Offset);

// For utNone the index unchanged; otherwise 0 for a negative index, else the
// smaller of the index and the quantity's highest valid index.
int ClampUnitIndex(int Quantity, int UnitIndex);
