#include "psychro/MoistAir.h"

#include "psychro/PsyError.h"
#include "psychro/PsyStatus.h"

#include <cmath>
#include <string>

namespace {
constexpr double DryAirGasConstant = 0.287042; // kJ/(kg·K)
constexpr double VolumeRatio = 1.607858;        // 1 / MolarMassRatio
constexpr double KelvinOffset = 273.15;
}

void RequireFinite(double X, const char* Name)
{
    if (!std::isfinite(X))
        throw EPsyError(psUndefined, std::string(Name) + " is not a number");
}

double HumidityRatioOfVapour(double P, double Pv)
{
    if (!(Pv < P))
        throw EPsyError(psUndefined, "Vapour pressure at or above the total pressure");
    return MolarMassRatio * Pv / (P - Pv);
}

double VapourPressureOfHumidity(double P, double W)
{
    if (!(W > -MolarMassRatio))
        throw EPsyError(psUndefined, "Humidity ratio without a vapour pressure");
    return P * W / (MolarMassRatio + W);
}

double MoistEnthalpy(double T, double W)
{
    return 1.006 * T + W * (2501.0 + 1.86 * T);
}

double HumidityOfEnthalpy(double H, double T)
{
    return (H - 1.006 * T) / (2501.0 + 1.86 * T);
}

double DryBulbOfEnthalpy(double H, double W)
{
    return (H - 2501.0 * W) / (1.006 + 1.86 * W);
}

double SpecificVolume(double P, double T, double W)
{
    return DryAirGasConstant * (T + KelvinOffset) * (1.0 + VolumeRatio * W) / P;
}

double MoistDensity(double P, double T, double W)
{
    return (1.0 + W) / SpecificVolume(P, T, W);
}

double HumidityOfDensity(double P, double T, double Ro)
{
    // Ro R T (1 + 1.607858 W) = P (1 + W), solved for W.
    const double rrt = Ro * DryAirGasConstant * (T + KelvinOffset);
    return (P - rrt) / (VolumeRatio * rrt - P);
}

double HumidSpecificHeat(double W)
{
    return 1.006 + 1.86 * W;
}
