#include "foundation/AirProperties.h"

#include "foundation/NumberFormat.h"
#include "psychro/Psychrometrics.h"
#include "psychro/Saturation.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {
constexpr double EnhancementFactor = 1.0044;
constexpr double SatRatioFactor = 0.6219779385109357;
constexpr double LowestDryBulb = -60.0;
constexpr double HighestDryBulb = 99.0;
constexpr double LowestRelativeHumidity = 0.01;
// The checks compare differences of typed values: keep 25.1 - 25 (which is
// 0.1000000000000014) on the accepted side of 0.1.
constexpr double CompareSlack = 1e-9;
}

double SatPressure(double T)
{
    return SaturationPressure(T);
}

double SatPressureWater(double T)
{
    return SaturationPressureWater(T);
}

double SatPressureIce(double T)
{
    return SaturationPressureIce(T);
}

double SatHumidityRatio(double P, double T)
{
    const double fpws = EnhancementFactor * SatPressure(T);
    const double dryPart = P - fpws;
    if (!(dryPart > 0.0))
        return SatHumidityRatioLimit;
    return std::min(SatRatioFactor * fpws / dryPart, SatHumidityRatioLimit);
}

double AirViscosity(double T)
{
    const double tk = T + 273.15;
    // (tk/296.16)^1.5 as r·√r: the solvers ask for it with every friction
    // factor, and pow costs several times a square root.
    const double r = tk / 296.16;
    return 1.8325e-5 * r * std::sqrt(r) * 416.16 / (tk + 120.0);
}

void ParseDryWetBulb(std::string_view Text, PsyState& State, double P, double DefaultRH)
{
    double db = 0.0;
    double wb = 0.0;
    const std::size_t slash = Text.find('/');
    if (slash != std::string_view::npos) {
        db = std::clamp(StrToFloat(Text.substr(0, slash)), LowestDryBulb, HighestDryBulb);
        wb = std::min(StrToFloat(Text.substr(slash + 1)), db);
        wb = std::max(wb, WetBulb(P, db, LowestRelativeHumidity, pmTF));
    } else {
        db = std::clamp(StrToFloat(Text), LowestDryBulb, HighestDryBulb);
        wb = WetBulb(P, db, DefaultRH, pmTF);
    }
    SetState(State, P, db, wb, pmTB);
}

std::string MoistAirErrorText(const PsyState& State)
{
    if (State.db > 99.0)
        return "Dry bulb too high...";
    if (State.wb > 99.0)
        return "Wet bulb too high...";
    if (State.db < -60.0)
        return "Dry bulb too low...";
    if (State.wb < -60.0)
        return "Wet bulb too low...";
    if (State.wb - State.db > 0.1 + CompareSlack)
        return "Wet Bulb > Dry Bulb °C...";
    if (State.rh < -0.01)
        return "Low Relative Humidity...";
    if (State.rh > 1.01)
        return "High Relative Humidity...";
    if (State.wa < -0.00001)
        return "Absolute Humidity < 0 g/kg...";
    // A state read from a damaged file may hold non-numbers, which pass every
    // comparison above.
    for (double x : {State.pa, State.db, State.wb, State.ha, State.wa, State.rh, State.td, State.pv,
                     State.ps, State.ro, State.cp})
        if (!std::isfinite(x))
            return "Bad data...";
    // An unphysical state is judged by the checks above, with their
    // tolerances (a wet bulb 0.1 above the dry bulb passes); any other
    // status of the library's last call means the state cannot be trusted.
    const int status = PsyStatus();
    if (status != psOk && status != psUnphysical)
        return "Bad data...";
    return "";
}
