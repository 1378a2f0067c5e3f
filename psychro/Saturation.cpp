#include "psychro/Saturation.h"

#include <cmath>

namespace {
constexpr double KelvinOffset = 273.15;
constexpr double CriticalTemperature = 373.946; // °C
constexpr double CriticalPressure = 22064.0;     // kPa
constexpr double LowestTemperature = -113.0;     // °C
constexpr double LowestWaterPressure = 5.70999442794e-6; // kPa, the curve's value there
}

double SaturationPressure(double T)
{
    return T < 0.0 ? SaturationPressureIce(T) : SaturationPressureWater(T);
}

double SaturationPressureWater(double T)
{
    if (T > CriticalTemperature)
        return CriticalPressure;
    if (T < LowestTemperature)
        return LowestWaterPressure;

    constexpr double n1 = 0.11670521452767e4;
    constexpr double n2 = -0.72421316703206e6;
    constexpr double n3 = -0.17073846940092e2;
    constexpr double n4 = 0.12020824702470e5;
    constexpr double n5 = -0.32325550322333e7;
    constexpr double n6 = 0.14915108613530e2;
    constexpr double n7 = -0.48232657361591e4;
    constexpr double n8 = 0.40511340542057e6;
    constexpr double n9 = -0.23855557567849;
    constexpr double n10 = 0.65017534844798e3;

    const double tk = T + KelvinOffset;
    const double theta = tk + n9 / (tk - n10);
    const double a = theta * theta + n1 * theta + n2;
    const double b = n3 * theta * theta + n4 * theta + n5;
    const double c = n6 * theta * theta + n7 * theta + n8;
    const double root = 2.0 * c / (-b + std::sqrt(b * b - 4.0 * a * c));
    const double squared = root * root;
    return squared * squared * 1000.0; // MPa to kPa
}

double SaturationPressureIce(double T)
{
    constexpr double c1 = -5674.5359;
    constexpr double c2 = 6.3925247;
    constexpr double c3 = -0.009677843;
    constexpr double c4 = 6.2215701e-07;
    constexpr double c5 = 2.0747825e-09;
    constexpr double c6 = -9.484024e-13;
    constexpr double c7 = 4.1635019;

    const double tk = (T < LowestTemperature ? LowestTemperature : T) + KelvinOffset;
    const double lnp = c1 / tk + c2 + tk * (c3 + tk * (c4 + tk * (c5 + tk * c6))) + c7 * std::log(tk);
    return std::exp(lnp) * 0.001; // Pa to kPa
}
