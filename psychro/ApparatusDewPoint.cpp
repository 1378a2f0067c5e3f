// Apparatus dew point of a coil: where the straight process line from inlet to
// outlet, continued past the outlet, meets the saturation curve.

#include "psychro/Psychrometrics.h"

#include "psychro/BracketedRoot.h"
#include "psychro/MoistAir.h"
#include "psychro/Saturation.h"

#include <cmath>
#include <initializer_list>

namespace {
constexpr double LineTolerance = 1e-12; // in the line parameter
// The line is walked in steps of at most 1 K and 1 g/kg so that the first
// crossing of the curve, the one nearest the outlet, is the one found.
constexpr double StepTemperature = 1.0;
constexpr double StepHumidity = 0.001;
constexpr int MaxSteps = 5000;
// Stands for an unbounded saturation humidity where the curve reaches P.
constexpr double BeyondSaturation = 1e6;

[[noreturn]] void Fail(int Status, const char* Message)
{
    SetPsyStatus(Status);
    throw EPsyError(Status, Message);
}

double SaturationHumidity(double P, double T)
{
    const double pws = SaturationPressure(T);
    return pws < P ? MolarMassRatio * pws / (P - pws) : BeyondSaturation;
}
}

double ApparatusDewPoint(PsyState Inlet, PsyState Outlet, double& BypassFactor)
{
    const double p = Inlet.pa;
    for (double x : {p, Inlet.db, Inlet.wa, Outlet.db, Outlet.wa})
        if (!std::isfinite(x))
            Fail(psUndefined, "Coil state is not a number");
    if (!(p > 0.0))
        Fail(psUndefined, "Pressure not above zero");

    const double dt = Outlet.db - Inlet.db;
    const double dw = Outlet.wa - Inlet.wa;
    if (std::fabs(dt) < 1e-9 && std::fabs(dw) < 1e-12)
        Fail(psNoState, "Inlet and outlet are the same state");

    // Point s of the line: outlet + s (outlet - inlet); s = -1 is the inlet.
    const auto excess = [&](double S) {
        return Outlet.wa + S * dw - SaturationHumidity(p, Outlet.db + S * dt);
    };
    const auto inRange = [&](double S) {
        const double t = Outlet.db + S * dt;
        return t >= PsyMinTemperature && t <= PsyMaxTemperature;
    };

    double lo = 0.0;
    double flo = excess(lo);
    double hi = lo;
    double fhi = flo;
    if (flo > 0.0) {
        // The outlet lies beyond saturation: the line crossed it on the way.
        hi = -1.0;
        fhi = excess(hi);
    } else {
        double step = 1e30;
        if (dt != 0.0)
            step = StepTemperature / std::fabs(dt);
        if (dw != 0.0)
            step = std::fmin(step, StepHumidity / std::fabs(dw));
        for (int i = 0; i < MaxSteps && fhi < 0.0; ++i) {
            lo = hi;
            flo = fhi;
            hi = lo + step;
            if (!inRange(hi))
                break;
            fhi = excess(hi);
        }
    }
    double s = 0.0;
    if (!inRange(hi) || !FindBracketedRoot(excess, lo, hi, flo, fhi, LineTolerance, s))
        Fail(psNoState, "The coil line does not meet the saturation curve");

    const double adp = Outlet.db + s * dt;
    const double wadp = Outlet.wa + s * dw;
    // Along a line of constant dry bulb the humidities give the same ratio.
    BypassFactor = std::fabs(dt) >= 1e-9 ? (Outlet.db - adp) / (Inlet.db - adp)
                                         : (Outlet.wa - wadp) / (Inlet.wa - wadp);
    SetPsyStatus(psOk);
    return adp;
}
