#pragma once
// The ideal-gas moist-air relations (SI): temperatures in °C, pressures in kPa,
// humidity ratio W in kg water per kg dry air, enthalpy in kJ/kg dry air.

// The range over which the relations and the saturation curve are used.
constexpr double PsyMinTemperature = -100.0;
constexpr double PsyMaxTemperature = 200.0;
constexpr double PsyMinPressure = 20.0;
constexpr double PsyMaxPressure = 200.0;

// Ratio of the molar masses of water vapour and dry air.
constexpr double MolarMassRatio = 0.621945;

// W = 0.621945 Pv / (P - Pv). Raises psUndefined when Pv is at or above P.
double HumidityRatioOfVapour(double P, double Pv);

// Pv = P W / (0.621945 + W). Raises psUndefined for W at or below -0.621945,
// where no vapour pressure corresponds.
double VapourPressureOfHumidity(double P, double W);

// h = 1.006 t + W (2501 + 1.86 t), and its inversions for W and for t.
double MoistEnthalpy(double T, double W);
double HumidityOfEnthalpy(double H, double T);
double DryBulbOfEnthalpy(double H, double W);

// v = 0.287042 (t + 273.15)(1 + 1.607858 W) / P, m³/kg dry air.
double SpecificVolume(double P, double T, double W);

// Moist-air density (1 + W) / v, kg/m³, and its inversion for W.
double MoistDensity(double P, double T, double W);
double HumidityOfDensity(double P, double T, double Ro);

// 1.006 + 1.86 W, kJ/(kg dry air·K).
double HumidSpecificHeat(double W);

// Raises psUndefined unless X is finite; Name goes into the message.
void RequireFinite(double X, const char* Name);
