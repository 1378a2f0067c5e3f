#pragma once
// Reduction of each input mode's pair of properties to dry bulb and humidity
// ratio, from which StateCompletion builds the record.

#include "psychro/PsyState.h"

struct TDryBulbHumidity {
    double T; // °C
    double W; // kg/kg
};

// The two property letters of Mode in order ("tb" for mode 0), or nullptr
// for a mode that is not served.
const char* InputModeLetters(int Mode);

// The field of State that a mode letter names ('r' the density).
double InputModeField(const PsyState& State, char Letter);

// Dry bulb and humidity ratio at pressure P of the state whose properties A
// and B are the ones Mode names, in the letters' order, in the units of
// PsyState. Raises psBadMode for a mode not served, psUndefined for
// non-finite input, a pressure not above zero or a vapour pressure at or above
// P, and psNoState when the pair fixes no state within -100..200 °C.
TDryBulbHumidity ReduceInputPair(double P, double A, double B, int Mode);
