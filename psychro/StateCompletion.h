#pragma once
// Every input mode ends here: from pressure, dry bulb and humidity ratio the
// whole record follows.

#include "psychro/PsyState.h"

// The full state at pressure P (kPa), dry bulb T (°C) and humidity ratio W.
// Raises psUndefined for a non-finite value, a pressure not above zero, a
// temperature at or below absolute zero or a humidity ratio without a vapour
// pressure. Otherwise Status becomes at least psOutOfRange or psUnphysical as
// the state (see TPsyStatusCode) deserves.
PsyState CompleteState(double P, double T, double W, int& Status);
