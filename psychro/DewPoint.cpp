#include "psychro/DewPoint.h"

#include "psychro/BracketedRoot.h"
#include "psychro/MoistAir.h"
#include "psychro/PsyStatus.h"
#include "psychro/Saturation.h"

#include <cmath>

namespace {
constexpr double DewPointTolerance = 1e-10; // K

// Works on the logarithm, which is nearly linear in temperature and spans the
// range's twelve decades evenly.
const double LnLowest = std::log(SaturationPressure(PsyMinTemperature));
const double LnHighest = std::log(SaturationPressure(PsyMaxTemperature));

bool SolveForLog(double LnP, double& T)
{
    const auto excess = [LnP](double X) { return std::log(SaturationPressure(X)) - LnP; };
    return FindBracketedRoot(excess, PsyMinTemperature, PsyMaxTemperature, LnLowest - LnP,
                             LnHighest - LnP, DewPointTolerance, T);
}
}

bool SaturationTemperature(double Pws, double& T)
{
    if (!(Pws > 0.0) || !std::isfinite(Pws))
        return false;
    return SolveForLog(std::log(Pws), T);
}

double DewPointOfVapour(double Pv, int& Status)
{
    if (!(Pv > 0.0) || std::log(Pv) < LnLowest) {
        Status = WorseStatus(Status, psOutOfRange);
        return PsyMinTemperature;
    }
    const double lnp = std::log(Pv);
    if (lnp > LnHighest) {
        Status = WorseStatus(Status, psOutOfRange);
        return PsyMaxTemperature;
    }
    double t = PsyMinTemperature;
    SolveForLog(lnp, t); // bracketed by the checks above
    return t;
}
