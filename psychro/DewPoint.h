#pragma once
// Dew point by inverting the saturation curve (over ice below 0 °C, so below
// freezing it is the frost point).

// The temperature within -100..200 °C whose saturation pressure is Pws; false
// when there is none.
bool SaturationTemperature(double Pws, double& T);

// Dew point of the vapour pressure Pv (kPa). A dew point beyond the range,
// including that of dry air, is set to the nearer limit and Status becomes at
// least psOutOfRange.
double DewPointOfVapour(double Pv, int& Status);
