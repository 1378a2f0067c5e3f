#pragma once
// The moist-air state record exchanged with the psychrometric library and
// stored as-is in ".psx" files (fifteen doubles, 120 bytes), and the input
// modes that name which two of its properties fix a state.

struct PsyState {
    double pa; // barometric pressure, kPa
    double db; // dry bulb, °C
    double wb; // thermodynamic wet bulb, °C
    double ha; // enthalpy, kJ/kg dry air
    double wa; // humidity ratio (absolute humidity), kg water/kg dry air
    double rh; // relative humidity, fraction
    double td; // dew point (frost point below 0 °C), °C
    double pv; // vapour pressure, kPa
    double ps; // saturation pressure at the dry bulb, kPa
    double ro; // moist-air density, kg/m³
    double cp; // humid specific heat, kJ/(kg dry air·K)
    double va; // specific volume, m³/kg dry air
    double Reserved[3]; // carried along in files, always 0 in computed states
};

static_assert(sizeof(PsyState) == 120, "PsyState is stored byte for byte");

// The two given properties, named by their letters in the order
// t db, b wb, h ha, w wa, f rh, d td, v pv, s ps, r ro (first letter first).
// Modes 6, 20 to 24 and 27 are not served.
enum PsyInputMode : int {
    pmTB = 0, pmTH = 1, pmTW = 2, pmTF = 3, pmTD = 4, pmTV = 5, pmTR = 7,
    pmBH = 8, pmBW = 9, pmBF = 10, pmBD = 11, pmBV = 12, pmBS = 13, pmBR = 14,
    pmHW = 15, pmHF = 16, pmHD = 17, pmHV = 18, pmHS = 19,
    pmWF = 25, pmWS = 26,
    pmFD = 28, pmFV = 29, pmFS = 30,
    pmDS = 31, pmVS = 32
};
