#include "psychro/WetBulb.h"

#include "psychro/BracketedRoot.h"
#include "psychro/MoistAir.h"
#include "psychro/PsyError.h"
#include "psychro/PsyStatus.h"
#include "psychro/Saturation.h"

namespace {
constexpr double WetBulbTolerance = 1e-10; // K
// Stands for an unbounded humidity where the line does not exist (the
// saturation pressure at the trial wet bulb reaches the total pressure).
constexpr double BeyondSaturation = 1e6;
}

bool TryWetBulbLine(double P, double Tw, TWetBulbLine& Line)
{
    const double pws = SaturationPressure(Tw);
    if (!(pws < P))
        return false;
    const double ws = MolarMassRatio * pws / (P - pws);
    if (Tw >= 0.0) {
        Line.C = (2501.0 - 2.326 * Tw) * ws + 1.006 * Tw;
        Line.E = 2501.0 - 4.186 * Tw;
    } else {
        Line.C = (2830.0 - 0.24 * Tw) * ws + 1.006 * Tw;
        Line.E = 2830.0 - 2.1 * Tw;
    }
    return true;
}

TWetBulbLine WetBulbLine(double P, double Tw)
{
    TWetBulbLine line;
    if (!TryWetBulbLine(P, Tw, line))
        throw EPsyError(psUndefined, "Wet bulb at or above the boiling point");
    return line;
}

double WetBulbOfState(double P, double T, double W, int& Status)
{
    // The line's humidity at dry bulb T rises with the trial wet bulb.
    const auto excess = [&](double Tw) {
        TWetBulbLine line;
        if (!TryWetBulbLine(P, Tw, line))
            return BeyondSaturation;
        return line.HumidityAt(T) - W;
    };

    const double lo = PsyMinTemperature;
    const double flo = excess(lo);
    if (flo > 0.0) {
        Status = WorseStatus(Status, psOutOfRange);
        return lo;
    }
    // An unsaturated state has its wet bulb below the dry bulb: a tighter bracket.
    double hi = PsyMaxTemperature;
    double fhi = 0.0;
    if (T > lo && T < hi) {
        fhi = excess(T);
        if (fhi >= 0.0)
            hi = T;
        else
            fhi = excess(hi);
    } else {
        fhi = excess(hi);
    }
    if (fhi < 0.0) {
        Status = WorseStatus(Status, psOutOfRange);
        return hi;
    }

    double tw = lo;
    if (!FindBracketedRoot(excess, lo, hi, flo, fhi, WetBulbTolerance, tw))
        throw EPsyError(psNoState, "No wet bulb for this state");
    return tw;
}
