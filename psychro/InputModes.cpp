#include "psychro/InputModes.h"

#include "psychro/BracketedRoot.h"
#include "psychro/DewPoint.h"
#include "psychro/MoistAir.h"
#include "psychro/PsyError.h"
#include "psychro/PsyState.h"
#include "psychro/PsyStatus.h"
#include "psychro/Saturation.h"
#include "psychro/WetBulb.h"

#include <cmath>

namespace {
constexpr double DryBulbTolerance = 1e-10; // K
// Stands for an unbounded enthalpy where a trial dry bulb admits no state.
constexpr double BeyondSaturation = 1e9;
// Below this enthalpy slope along a wet-bulb line (kJ/kg per kg/kg) the
// enthalpy no longer tells the states on that line apart.
constexpr double FlatEnthalpySlope = 1e-6;

[[noreturn]] void NoState()
{
    throw EPsyError(psNoState, "The two properties fix no air state");
}

double TemperatureOfSaturationPressure(double Ps)
{
    double t = 0.0;
    if (!SaturationTemperature(Ps, t))
        NoState();
    return t;
}

// Saturation pressure that a vapour pressure Pv has at relative humidity F.
double SaturationPressureOf(double Pv, double F)
{
    if (!(F > 0.0))
        NoState();
    return Pv / F;
}

double HumidityOfDewPoint(double P, double Td)
{
    return HumidityRatioOfVapour(P, SaturationPressure(Td));
}

double SolveDryBulb(auto&& Excess)
{
    double t = 0.0;
    if (!FindBracketedRoot(Excess, PsyMinTemperature, PsyMaxTemperature, DryBulbTolerance, t))
        NoState();
    return t;
}

// Wet bulb and relative humidity: the relative humidity falls as the dry bulb
// rises along the wet-bulb line.
TDryBulbHumidity FromWetBulbAndHumidity(double P, double Tw, double F)
{
    const TWetBulbLine line = WetBulbLine(P, Tw);
    const double t = SolveDryBulb([&](double T) {
        const double w = line.HumidityAt(T);
        return P * w / (MolarMassRatio + w) / SaturationPressure(T) - F;
    });
    return {t, line.HumidityAt(t)};
}

// Wet bulb and density: the density falls as the dry bulb rises along the line.
TDryBulbHumidity FromWetBulbAndDensity(double P, double Tw, double Ro)
{
    const TWetBulbLine line = WetBulbLine(P, Tw);
    const double t = SolveDryBulb([&](double T) { return MoistDensity(P, T, line.HumidityAt(T)) - Ro; });
    return {t, line.HumidityAt(t)};
}

// Enthalpy and relative humidity: the enthalpy rises with the dry bulb.
TDryBulbHumidity FromEnthalpyAndHumidity(double P, double H, double F)
{
    const auto humidity = [&](double T, double& W) {
        const double pv = F * SaturationPressure(T);
        if (!(pv < P))
            return false;
        W = MolarMassRatio * pv / (P - pv);
        return true;
    };
    const double t = SolveDryBulb([&](double T) {
        double w = 0.0;
        return humidity(T, w) ? MoistEnthalpy(T, w) - H : BeyondSaturation;
    });
    double w = 0.0;
    if (!humidity(t, w))
        NoState();
    return {t, w};
}

// Wet bulb and enthalpy. Over water the line's enthalpy slope is 4.186 Tw, so
// at a wet bulb of 0 °C the enthalpy cannot pick a state.
TDryBulbHumidity FromWetBulbAndEnthalpy(double P, double Tw, double H)
{
    const TWetBulbLine line = WetBulbLine(P, Tw);
    if (std::fabs(line.EnthalpySlope()) < FlatEnthalpySlope)
        NoState();
    const double w = (H - line.C) / line.EnthalpySlope();
    return {line.DryBulbAt(w), w};
}

TDryBulbHumidity FromWetBulbAndRatio(double P, double Tw, double W)
{
    return {WetBulbLine(P, Tw).DryBulbAt(W), W};
}
}

double InputModeField(const PsyState& S, char Letter)
{
    switch (Letter) {
    case 't': return S.db;
    case 'b': return S.wb;
    case 'h': return S.ha;
    case 'w': return S.wa;
    case 'f': return S.rh;
    case 'd': return S.td;
    case 'v': return S.pv;
    case 's': return S.ps;
    default: return S.ro; // 'r'
    }
}

const char* InputModeLetters(int Mode)
{
    switch (Mode) {
    case pmTB: return "tb";
    case pmTH: return "th";
    case pmTW: return "tw";
    case pmTF: return "tf";
    case pmTD: return "td";
    case pmTV: return "tv";
    case pmTR: return "tr";
    case pmBH: return "bh";
    case pmBW: return "bw";
    case pmBF: return "bf";
    case pmBD: return "bd";
    case pmBV: return "bv";
    case pmBS: return "bs";
    case pmBR: return "br";
    case pmHW: return "hw";
    case pmHF: return "hf";
    case pmHD: return "hd";
    case pmHV: return "hv";
    case pmHS: return "hs";
    case pmWF: return "wf";
    case pmWS: return "ws";
    case pmFD: return "fd";
    case pmFV: return "fv";
    case pmFS: return "fs";
    case pmDS: return "ds";
    case pmVS: return "vs";
    default: return nullptr;
    }
}

TDryBulbHumidity ReduceInputPair(double P, double A, double B, int Mode)
{
    if (!InputModeLetters(Mode))
        throw EPsyError(psBadMode, "Input mode not served");
    RequireFinite(P, "Pressure");
    RequireFinite(A, "First property");
    RequireFinite(B, "Second property");
    if (!(P > 0.0))
        throw EPsyError(psUndefined, "Pressure not above zero");

    switch (Mode) {
    case pmTB: return {A, WetBulbLine(P, B).HumidityAt(A)};
    case pmTH: return {A, HumidityOfEnthalpy(B, A)};
    case pmTW: return {A, B};
    case pmTF: return {A, HumidityRatioOfVapour(P, B * SaturationPressure(A))};
    case pmTD: return {A, HumidityOfDewPoint(P, B)};
    case pmTV: return {A, HumidityRatioOfVapour(P, B)};
    case pmTR: return {A, HumidityOfDensity(P, A, B)};

    case pmBH: return FromWetBulbAndEnthalpy(P, A, B);
    case pmBW: return FromWetBulbAndRatio(P, A, B);
    case pmBF: return FromWetBulbAndHumidity(P, A, B);
    case pmBD: return FromWetBulbAndRatio(P, A, HumidityOfDewPoint(P, B));
    case pmBV: return FromWetBulbAndRatio(P, A, HumidityRatioOfVapour(P, B));
    case pmBS: {
        const double t = TemperatureOfSaturationPressure(B);
        return {t, WetBulbLine(P, A).HumidityAt(t)};
    }
    case pmBR: return FromWetBulbAndDensity(P, A, B);

    case pmHW: return {DryBulbOfEnthalpy(A, B), B};
    case pmHF: return FromEnthalpyAndHumidity(P, A, B);
    case pmHD: {
        const double w = HumidityOfDewPoint(P, B);
        return {DryBulbOfEnthalpy(A, w), w};
    }
    case pmHV: {
        const double w = HumidityRatioOfVapour(P, B);
        return {DryBulbOfEnthalpy(A, w), w};
    }
    case pmHS: {
        const double t = TemperatureOfSaturationPressure(B);
        return {t, HumidityOfEnthalpy(A, t)};
    }

    case pmWF:
        return {TemperatureOfSaturationPressure(SaturationPressureOf(VapourPressureOfHumidity(P, A), B)), A};
    case pmWS: return {TemperatureOfSaturationPressure(B), A};

    case pmFD: {
        const double pv = SaturationPressure(B);
        return {TemperatureOfSaturationPressure(SaturationPressureOf(pv, A)), HumidityRatioOfVapour(P, pv)};
    }
    case pmFV:
        return {TemperatureOfSaturationPressure(SaturationPressureOf(B, A)), HumidityRatioOfVapour(P, B)};
    case pmFS: return {TemperatureOfSaturationPressure(B), HumidityRatioOfVapour(P, A * B)};

    case pmDS: return {TemperatureOfSaturationPressure(B), HumidityOfDewPoint(P, A)};
    case pmVS: return {TemperatureOfSaturationPressure(B), HumidityRatioOfVapour(P, A)};
    }
    throw EPsyError(psBadMode, "Input mode not served");
}
