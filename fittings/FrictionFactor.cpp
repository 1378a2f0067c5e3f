#include "fittings/FrictionFactor.h"

#include "foundation/NumericHelpers.h"

#include <cmath>

namespace {

constexpr int MaxSteps = 21;
constexpr double StandardDensity = 1.2;
constexpr double StandardViscosity = 1.8114e-5;

// The iterations need a positive, finite start; anything else would turn
// every later value into NaN.
bool UsableGuess(double Guess)
{
    return Guess > 0.0 && std::isfinite(Guess);
}

} // namespace

double ReynoldsNumber(double Density, double Velocity, double Diameter, double Viscosity)
{
    return Density * Velocity * Diameter / Viscosity;
}

double FrictionFactor(double Re, double Roughness, double Diameter, double Guess, int& Regime)
{
    if (Re >= TurbulentReynolds) {
        if (Roughness == 0.0) {
            Regime = frSmooth;
            return FrictionFactorSmooth(Re, UsableGuess(Guess) ? Guess : 0.0);
        }
        const double rr = Roughness / Diameter;
        if (!UsableGuess(Guess))
            Guess = FrictionFactorRough(rr);
        if (std::sqrt(Guess) * Re * rr > FullyRoughMeasure) {
            Regime = frRough;
            return FrictionFactorRough(rr);
        }
        Regime = frTransition;
        return FrictionFactorColebrook(Re, rr, Guess);
    }
    if (Re > 0.0) {
        Regime = frLaminar;
        return FrictionFactorLaminar(Re);
    }
    Regime = frNoFlow;
    return (Guess >= 0.0 && Guess <= 1.0) ? Guess : SlowFlowFriction;
}

double DuctFrictionFactor(double Re, double Roughness, double Diameter, int& Regime)
{
    return DuctFrictionFactor(Re, Roughness, Diameter, 0.0, Regime);
}

double TRoughWallFactor::Of(double Roughness, double Diameter)
{
    if (!(Roughness == KeptRoughness && Diameter == KeptDiameter)) {
        KeptRoughness = Roughness;
        KeptDiameter = Diameter;
        Factor = FrictionFactorRough(Roughness / Diameter);
    }
    return Factor;
}

double DuctFrictionFactor(double Re, double Roughness, double Diameter, double RoughFactor, int& Regime)
{
    if (!(Re > 0.0)) {
        Regime = frNoFlow;
        return SlowFlowFriction;
    }
    // The rough-wall factor (found here when not given) starts the rough
    // wall's test and Colebrook's iterations; Prandtl's start from its
    // fixed start, a smooth wall's rough-wall factor being no usable guess.
    double F = FrictionFactor(Re, Roughness, Diameter, RoughFactor, Regime);
    if (Regime == frRough) {
        const double rr = Roughness / Diameter;
        const double Onset = FullyRoughMeasure / (std::sqrt(F) * rr);
        if (Re < 2.0 * Onset) {
            const double AtOnset = FrictionFactorColebrook(Onset, rr, F);
            F += (AtOnset - F) * (2.0 - Re / Onset);
        }
    }
    if (std::isnan(F))
        return DuctFrictionLow;
    return F < DuctFrictionLow ? DuctFrictionLow : F > DuctFrictionHigh ? DuctFrictionHigh : F;
}

double FrictionFactorSmooth(double Re, double Guess)
{
    // Prandtl's law in x = 1/sqrt(f): x = 2 log10(Re / x) - 0.8.
    double x = UsableGuess(Guess) ? 1.0 / std::sqrt(Guess) : 7.0;
    for (int Step = 1; Step <= MaxSteps; ++Step) {
        const double Old = x;
        x = 2.0 * std::log10(Re / x) - 0.8;
        if (std::fabs(x - Old) <= 1e-6)
            break;
    }
    return 1.0 / (x * x);
}

double FrictionFactorColebrook(double Re, double RelRoughness, double Guess)
{
    // F(x) = x + 2 log10(rr/3.7 + 2.51 x / Re) = 0 in x = 1/sqrt(f), by Newton's
    // method whose inverse slope d is corrected by the secant of each step.
    if (!UsableGuess(Guess))
        Guess = RelRoughness > 0.0 ? FrictionFactorRough(RelRoughness) : 0.02;
    double x = 1.0 / std::sqrt(Guess);
    const double a = RelRoughness / 3.7;
    const double b = 2.51 / Re;
    const double k = TwoOverLn10;
    double d = (a + b * x) / ((k + x) * b + a);
    double F = 2.0 * std::log10(a + b * x) + x;
    for (int Step = 1; Step <= MaxSteps; ++Step) {
        const double s = -d * F;
        x += s;
        const double FNew = 2.0 * std::log10(a + b * x) + x;
        double t = s * d * (FNew - F);
        if (std::fabs(t) < 1e-12)
            t = t < 0.0 ? -1e-12 : 1e-12;
        d -= d * (t - s * s) / t;
        F = FNew;
        if (std::fabs(FNew) <= 1e-6)
            break;
    }
    return 1.0 / (x * x);
}

double FrictionFactorRough(double RelRoughness)
{
    const double x = 1.14 - 2.0 * std::log10(RelRoughness);
    return 1.0 / (x * x);
}

double FrictionFactorLaminar(double Re)
{
    return Re < SlowFlowReynolds ? SlowFlowFriction : SlowFlowReynolds / Re;
}

double AirReynoldsNumberHW(double Q, double H, double W, double D)
{
    const double Velocity = SafeDivide(1e6 * Q, H * W, 0.0);
    return ReynoldsNumber(StandardDensity, Velocity, D / 1000.0, StandardViscosity);
}

double AirReynoldsNumberA(double Q, double A, double D)
{
    return ReynoldsNumber(StandardDensity, 1e6 * Q / A, D / 1000.0, StandardViscosity);
}
