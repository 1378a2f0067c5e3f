#pragma once
// Hand-built sections and linear tables for walking the leaf classes: on a
// table whose values are a linear function of the axis values, interpolation
// and extrapolation are exact, so a coefficient tells which axis values a
// leaf computed.

#include "FittingTestData.h"

#include <string>

inline constexpr double QuarterPi = 0.7853981633974483;

inline TDuctSection RoundSection(double D, double Q = 0.0, double L = 0.0)
{
    TDuctSection S;
    S.D = D;
    S.Q = Q;
    S.L = L;
    S.A = QuarterPi * D * D / 1e6;
    return S;
}

inline TDuctSection RectSection(double H, double W, double Q = 0.0, double L = 0.0)
{
    TDuctSection S;
    S.H = H;
    S.W = W;
    S.Q = Q;
    S.L = L;
    S.A = H * W / 1e6;
    return S;
}

// A 1-D fitting whose coefficient equals its axis value: C = x.
inline TFittingSource IdentitySource(const std::string& ClassName)
{
    TFittingSource S = OneDimSource(ClassName, "CD3-1", {0, 10}, {0, 10}, -1e9, 1e9);
    return S;
}

// A 2-D fitting whose coefficient is C = x + 1000 y, exactly, anywhere.
inline TFittingSource PlaneSource(const std::string& ClassName, TStringVec PathNames = {})
{
    TFittingSource S;
    S.ClassName = ClassName;
    S.Code = "CD4-1";
    S.Name = ClassName;
    S.CMin = -1e9;
    S.CMax = 1e9;
    S.PathNames = std::move(PathNames);
    S.AxisNames = {"x", "y"};
    S.AxisScales = {st_lin, st_lin};
    S.AxisDefaults = {-1, -1};
    S.XAxis = {0, 100};
    S.YAxis = {0, 10};
    S.Table = {{0, 100}, {10000, 10100}};
    return S;
}

inline double PlaneValue(double X, double Y)
{
    return X + 1000.0 * Y;
}
