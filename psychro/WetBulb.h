#pragma once
// Thermodynamic wet bulb (SI handbook relations over water for a wet bulb at or
// above 0 °C and over ice below it).
//
// For a fixed wet bulb Tw at pressure P both relations take the form
//     W = (C - 1.006 t) / (E + 1.86 t)
// over dry bulb t, with C = (L - a Tw) Ws* + 1.006 Tw, where Ws* is the
// saturation humidity ratio at Tw, and over water L = 2501, a = 2.326,
// E = 2501 - 4.186 Tw, over ice L = 2830, a = 0.24, E = 2830 - 2.1 Tw.
// Solved for t and combined with the enthalpy this gives every pair that
// contains the wet bulb in closed form.

struct TWetBulbLine {
    double C;
    double E;

    double HumidityAt(double T) const { return (C - 1.006 * T) / (E + 1.86 * T); }
    double DryBulbAt(double W) const { return (C - E * W) / (1.006 + 1.86 * W); }
    // Along the line h = C + (2501 - E) W.
    double EnthalpySlope() const { return 2501.0 - E; }
    double EnthalpyAt(double W) const { return C + EnthalpySlope() * W; }
};

// False when the saturation pressure at Tw reaches P (no such wet bulb).
bool TryWetBulbLine(double P, double Tw, TWetBulbLine& Line);

// As above; raises psUndefined instead of returning false.
TWetBulbLine WetBulbLine(double P, double Tw);

// The wet bulb of the state (P, T, W), found within -100..200 °C. One that
// would lie outside is set to the nearer limit and Status becomes at least
// psOutOfRange.
double WetBulbOfState(double P, double T, double W, int& Status);
