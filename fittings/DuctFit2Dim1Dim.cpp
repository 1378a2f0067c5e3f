#include "fittings/DuctFit2Dim1Dim.h"

#include "fittings/FittingLists.h"
#include "fittings/FrictionFactor.h"

using namespace LeafRuleNames;

TDuctFit2Dim1Dim::TDuctFit2Dim1Dim(TValueReader& Reader, const T2Dim1DimRule& LeafRule)
    : TDuctFitRuled(Reader, LeafRule)
{
    XAxis = ReadFloatList(Reader);
    YAxis = ReadFloatList(Reader);
    Table = ReadFloatMat(Reader);
    FactorAxis = ReadFloatList(Reader);
    Factors = ReadFloatList(Reader);
    RequireTable(XAxis, YAxis, Table);
    RequireValues(FactorAxis, Factors);
}

double TDuctFit2Dim1Dim::LookupAt(double Z, double X, double Y)
{
    // Each lookup sets RangeFlag afresh, so the 2-D one, made last, decides it.
    const double K = Interp1D(FactorAxis, Factors, Z);
    const double Cp = Interp2D(XAxis, YAxis, Table, X, Y);
    LastInputs.assign({Z, X, Y});
    return K * Cp;
}

double TDuctFit2Dim1Dim::CalcC(const TFloatVec& Inputs)
{
    RequireInputs(Inputs, Rule.InputCount);
    double Z, X, Y;
    Rule.Axes(Inputs, Z, X, Y);
    return LookupAt(Z, X, Y);
}

double TDuctFit2Dim1Dim::CalcCAt(const TDuctSection&, const TDuctSection&, const TDuctSection&,
                                 const TDuctSection&, const TDuctSection&,
                                 const TFloatVec& AxisValues)
{
    return LookupAt(AxisValues.at(0), AxisValues.at(1), AxisValues.at(2));
}

void TDuctFit2Dim1Dim::CalcMidAxisValues(TFloatVec& AxisValues)
{
    AxisValues.assign({MiddleEntry(FactorAxis), MiddleEntry(XAxis), MiddleEntry(YAxis)});
}

void TDuctFit2Dim1Dim::GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs)
{
    Mins.assign({FactorAxis.front(), XAxis.front(), YAxis.front()});
    Maxs.assign({FactorAxis.back(), XAxis.back(), YAxis.back()});
}

// The leaves. Each rule reads: the values CalcC takes, how CalcCForSections
// builds them from the sections (S.H is field H of record S, in[k] the
// fitting's own input k), the axis values [z, x, y] CalcC looks up, and the
// axis values the sections determine (-1 where they do not).

TDuctFitHWRA::TDuctFitHWRA(TValueReader& Reader)
    : TDuctFit2Dim1Dim(Reader, {
          4,  // H, W, R, A
          [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0), in.at(1)}; },
          [](TIn v, double& Z, double& X, double& Y) {
              Z = v[3];
              X = Div(v[0], v[1]);
              Y = Div(v[2], v[1]);
          },
          [](TSec s, TOut r) { r = {-1.0, SafeRatio(s.S.H, s.S.W), -1.0}; }})
{
}

TDuctFitHWLQ::TDuctFitHWLQ(TValueReader& Reader)
    : TDuctFit2Dim1Dim(Reader, {
          4,  // H, W, L, Q
          [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0), s.S.Q}; },
          [](TIn v, double& Z, double& X, double& Y) {
              const double Re = AirReynoldsNumberHW(v[3], v[0], v[1], HydraulicDiameter(v[0], v[1]));
              Z = Re / 1000.0;
              X = Div(v[2], v[1]);
              Y = Div(v[0], v[1]);
          },
          [](TSec s, TOut r) {
              const double H = s.S.H, W = s.S.W;
              const double Re = H + W == 0.0 ? 0.0
                                             : AirReynoldsNumberHW(s.S.Q, H, W, HydraulicDiameter(H, W));
              r = {Re / 1000.0, -1.0, SafeRatio(H, W)};
          }})
{
}
