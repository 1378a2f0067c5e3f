#pragma once
// Moist-air and air-flow properties the program computes itself, and two
// helpers around the psychrometric library: reading a "db/wb" text into an
// air state and the validation text of an air state.
// Temperatures in °C, pressures in kPa, humidity ratio in kg/kg, viscosity in Pa·s.

#include "psychro/PsyState.h"

#include <string>
#include <string_view>

// Saturation vapour pressure: over ice below 0 °C, over water from 0 °C. The
// same curve as the psychrometric library's.
double SatPressure(double T);
// IAPWS-IF97 saturation pressure; 22064 kPa above 373.946 °C and
// 5.70999442794e-6 kPa below -113 °C.
double SatPressureWater(double T);
// Hyland-Wexler over ice (held at its -113 °C value below that).
double SatPressureIce(double T);

// What SatHumidityRatio gives once the saturation pressure (with its
// enhancement factor) reaches the total pressure, as at high temperatures at a
// low barometer: air that can hold any amount of vapour.
constexpr double SatHumidityRatioLimit = 1000.0;

// Saturation humidity ratio at pressure P and temperature T, with the
// enhancement factor 1.0044; never above SatHumidityRatioLimit.
double SatHumidityRatio(double P, double T);

// Dynamic viscosity of air by Sutherland's law, 1.8325e-5 Pa·s at 23.01 °C.
double AirViscosity(double T);

// Reads "db/wb" or a lone "db" (°C, "." decimals) into the full state at
// pressure P. The dry bulb is held to -60..99 °C, the wet bulb to between the
// wet bulb at 1 % relative humidity and the dry bulb; a lone dry bulb gets the
// wet bulb of DefaultRH. Raises EConvertError for a text that is no number and
// EPsyError when the pair fixes no state at P.
void ParseDryWetBulb(std::string_view Text, PsyState& State, double P, double DefaultRH);

// Empty when State is an acceptable air state, else the message of the first
// failing check ("Dry bulb too high..." and so on). Reads the library's last
// status, so call it right after computing State.
std::string MoistAirErrorText(const PsyState& State);
