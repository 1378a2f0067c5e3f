#include "psychro/StateCompletion.h"

#include "psychro/DewPoint.h"
#include "psychro/MoistAir.h"
#include "psychro/PsyError.h"
#include "psychro/PsyStatus.h"
#include "psychro/Saturation.h"
#include "psychro/WetBulb.h"

namespace {
// Slack for the round-off of an exactly saturated state: its relative humidity
// and wet bulb come out a hair off 1 and the dry bulb.
constexpr double HumidityRounding = 1e-9;
constexpr double WetBulbRounding = 1e-6; // K
constexpr double AbsoluteZero = -273.15; // °C
}

PsyState CompleteState(double P, double T, double W, int& Status)
{
    RequireFinite(P, "Pressure");
    RequireFinite(T, "Dry bulb");
    RequireFinite(W, "Humidity ratio");
    if (!(P > 0.0))
        throw EPsyError(psUndefined, "Pressure not above zero");
    if (!(T > AbsoluteZero))
        throw EPsyError(psUndefined, "Dry bulb at or below absolute zero");

    if (P < PsyMinPressure || P > PsyMaxPressure || T < PsyMinTemperature || T > PsyMaxTemperature)
        Status = WorseStatus(Status, psOutOfRange);

    PsyState s{};
    s.pa = P;
    s.db = T;
    s.wa = W;
    s.pv = VapourPressureOfHumidity(P, W);
    s.ps = SaturationPressure(T);
    s.rh = s.pv / s.ps;
    s.ha = MoistEnthalpy(T, W);
    s.va = SpecificVolume(P, T, W);
    s.ro = (1.0 + W) / s.va;
    s.cp = HumidSpecificHeat(W);
    s.td = DewPointOfVapour(s.pv, Status);
    s.wb = WetBulbOfState(P, T, W, Status);

    if (W < 0.0 || s.rh > 1.0 + HumidityRounding || s.wb > T + WetBulbRounding)
        Status = WorseStatus(Status, psUnphysical);
    return s;
}
