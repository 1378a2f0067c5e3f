#pragma once
// The psychrometric library's interface: moist-air states from any two
// properties, the wet bulb and density shortcuts, a coil's apparatus dew
// point, and the standard atmosphere.
//
// Pressures in kPa, temperatures in °C, humidity ratio in kg/kg, relative
// humidity as a fraction. Every call sets PsyStatus (psychro/PsyStatus.h).
// A call whose inputs define no state raises EPsyError and leaves its outputs
// untouched; an out-of-range or unphysical state is returned with its status.

#include "psychro/PsyError.h"
#include "psychro/PsyState.h"
#include "psychro/PsyStatus.h"

// Result := the whole state at State.pa from the two fields of State that Mode
// names. Result may be State itself.
void Humitrak(PsyState& Result, const PsyState& State, int Mode);

// Result := the whole state at pressure P from A and B, the two properties
// that Mode names, in its letters' order. Returns the status.
int SetState(PsyState& Result, double P, double A, double B, int Mode);

// The wet bulb (°C) and the moist-air density (kg/m³) of the state that
// SetState(P, A, B, Mode) gives.
double WetBulb(double P, double A, double B, int Mode);
double Density(double P, double A, double B, int Mode);

// Apparatus dew point (°C) of a coil that takes air from Inlet to Outlet: where
// the straight process line, continued past the outlet, meets the saturation
// curve (at the inlet's pressure). BypassFactor := (outlet dry bulb - ADP) /
// (inlet dry bulb - ADP). Raises psNoState when the line never meets the curve
// within -100..200 °C.
double ApparatusDewPoint(PsyState Inlet, PsyState Outlet, double& BypassFactor);

// Standard atmosphere, P = 101.325 (1 - 2.25577e-5 Z)^5.2559 kPa with Z in m.
// The relation describes the troposphere; below the deepest inhabited
// depressions and above its top it is extrapolated (psOutOfRange).
inline constexpr double LowestStandardAltitude = -5000.0;  // m
inline constexpr double HighestStandardAltitude = 11000.0; // m
double Altitude(double P);
double AtmPressure(double Z);
