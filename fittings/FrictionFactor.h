#pragma once
// Reynolds number and Darcy friction factor of duct flow. Base units: density
// kg/m3, velocity m/s, diameter and roughness m, dynamic viscosity Pa s.
// Pure functions, and a duct's cache of the rough-wall factor; the
// iterations are bounded and never raise.

#include <limits>

// Flow regime returned beside the friction factor.
enum TFlowRegime {
    frNoFlow = -1,      // the factor is the caller's guess (or 0.02)
    frSmooth = 0,       // turbulent, smooth wall (Prandtl)
    frTransition = 1,   // turbulent transition (Colebrook)
    frRough = 2,        // fully rough turbulent
    frLaminar = 3       // 64 / Re
};

// Reynolds numbers at which the friction law jumps: laminar flow turns
// turbulent, and below the slow-flow limit 64/Re would exceed 1.
inline constexpr double TurbulentReynolds = 2300.0;
// 64 is also the constant of the laminar law f = 64/Re, which reaches 1
// there.
inline constexpr double SlowFlowReynolds = 64.0;
// 2/ln 10, the slope of 2·log10 x against ln x in the turbulent laws,
// to the digits those laws' iterations were written with.
inline constexpr double TwoOverLn10 = 0.868588963;

// Density x Velocity x Diameter / Viscosity.
double ReynoldsNumber(double Density, double Velocity, double Diameter, double Viscosity);

// Darcy friction factor. Guess is the duct's current factor and starts the
// iterations; a guess that is not a usable positive factor starts them from
// the rough-wall (or smooth-law) estimate instead.
double FrictionFactor(double Re, double Roughness, double Diameter, double Guess, int& Regime);

// A duct's friction factor is held to this band.
inline constexpr double DuctFrictionLow = 0.001;
inline constexpr double DuctFrictionHigh = 0.3;
// The factor of very slow flow, where 64/Re would exceed 1, and of none.
inline constexpr double SlowFlowFriction = 0.02;
// sqrt(f) Re rr beyond which the wall is fully rough.
inline constexpr double FullyRoughMeasure = 200.0;

// The friction factor of a duct as its flow alone gives it, held to the
// duct's band: the same Re and roughness always give the same factor,
// however often and from whatever earlier factor it is computed, so a
// duct's drop is a function of its flow. The regime follows from Re and the
// relative roughness alone (the fully rough test takes the rough-wall
// factor), and the iterations start from fixed values. Colebrook's factor
// where the wall turns fully rough lies about 1 % above the rough-wall
// law's; over the next doubling of Re the factor falls linearly to the
// rough-wall value, so the drop keeps rising with the flow there instead
// of stepping down. Re <= 0 or no number gives the slow-flow factor.
double DuctFrictionFactor(double Re, double Roughness, double Diameter, int& Regime);
// The same with the rough-wall factor of Roughness / Diameter already at
// hand (TRoughWallFactor below keeps it per duct); 0 has it found here.
double DuctFrictionFactor(double Re, double Roughness, double Diameter, double RoughFactor, int& Regime);

// A duct's rough-wall factor, kept while its roughness and diameter stay
// as they were: every recomputation of the duct's friction starts from it,
// and the logarithm it costs is a good part of the whole.
class TRoughWallFactor {
public:
    double Of(double Roughness, double Diameter);

private:
    double KeptRoughness = std::numeric_limits<double>::quiet_NaN();
    double KeptDiameter = std::numeric_limits<double>::quiet_NaN();
    double Factor = 0.0;
};

double FrictionFactorSmooth(double Re, double Guess);
double FrictionFactorColebrook(double Re, double RelRoughness, double Guess);
double FrictionFactorRough(double RelRoughness);
double FrictionFactorLaminar(double Re);

// Reynolds number of standard air (1.2 kg/m3, 1.8114e-5 Pa s) in a
// rectangular section: Q in m3/s, H, W and the diameter D in mm. A zero area
// gives velocity 0.
double AirReynoldsNumberHW(double Q, double H, double W, double D);
// The same for a flow area A in mm2.
double AirReynoldsNumberA(double Q, double A, double D);
