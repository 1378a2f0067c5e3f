#pragma once
// Saturation vapour pressure of water, in kPa, temperatures in °C. The program's
// own air-property helpers delegate here so that both use one curve.

// Over ice below 0 °C, over liquid water from 0 °C up.
double SaturationPressure(double T);

// IAPWS-IF97 region 4 saturation-pressure equation. Held at the critical
// pressure 22064 kPa above 373.946 °C and at 5.70999442794e-6 kPa below -113 °C.
double SaturationPressureWater(double T);

// Hyland-Wexler correlation over ice; held at its -113 °C value below that so
// that no temperature gives a non-number.
double SaturationPressureIce(double T);
