// The standard atmosphere of the troposphere.

#include "psychro/Psychrometrics.h"

#include <cmath>

namespace {
constexpr double SeaLevelPressure = 101.325; // kPa
constexpr double LapseFactor = 2.25577e-5;   // 1/m
constexpr double Exponent = 5.2559;

double PressureAt(double Z)
{
    return SeaLevelPressure * std::pow(1.0 - LapseFactor * Z, Exponent);
}
}

double AtmPressure(double Z)
{
    if (!std::isfinite(Z)) {
        SetPsyStatus(psUndefined);
        throw EPsyError(psUndefined, "Altitude is not a number");
    }
    if (!(1.0 - LapseFactor * Z > 0.0)) {
        SetPsyStatus(psNoState);
        throw EPsyError(psNoState, "No atmosphere at this altitude");
    }
    SetPsyStatus(Z < LowestStandardAltitude || Z > HighestStandardAltitude ? psOutOfRange : psOk);
    return PressureAt(Z);
}

double Altitude(double P)
{
    if (!std::isfinite(P) || !(P > 0.0)) {
        SetPsyStatus(psUndefined);
        throw EPsyError(psUndefined, "Pressure not above zero");
    }
    const double z = (1.0 - std::pow(P / SeaLevelPressure, 1.0 / Exponent)) / LapseFactor;
    SetPsyStatus(z < LowestStandardAltitude || z > HighestStandardAltitude ? psOutOfRange : psOk);
    return z;
}
