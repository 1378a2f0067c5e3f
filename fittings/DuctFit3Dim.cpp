#include "fittings/DuctFit3Dim.h"

#include "fittings/FittingLists.h"
#include "fittings/FrictionFactor.h"

namespace {

using namespace LeafRuleNames;

// Reynolds numbers of standard air in thousands, as the tables hold them:
// the diameter d and the sides in mm, the area A in mm2, the flow Q in m3/s.
double ReHW(double d, double H, double W, double Q)
{
    return AirReynoldsNumberHW(Q, H, W, d) / 1000.0;
}

double ReA(double d, double Area, double Q)
{
    return AirReynoldsNumberA(Q, Area, d) / 1000.0;
}

} // namespace

TDuctFit3Dim::TDuctFit3Dim(TValueReader& Reader, const T3DimRule& LeafRule)
    : TDuctFitRuled(Reader, LeafRule)
{
    XAxis = ReadFloatList(Reader);
    YAxes = ReadFloatMat(Reader);
    ZAxis = ReadFloatList(Reader);
    Tables = ReadFloatTensor(Reader);
    RequireAxis(XAxis);
    RequireAxis(ZAxis);
    RequireShape(YAxes.size() == ZAxis.size() && Tables.size() == ZAxis.size());
    for (std::size_t k = 0; k < ZAxis.size(); ++k)
        RequireTable(XAxis, YAxes[k], Tables[k]);
}

double TDuctFit3Dim::LookupAt(double X, double Z, double Y)
{
    return Interp3D(XAxis, ZAxis, YAxes, Tables, X, Z, Y);
}

double TDuctFit3Dim::CalcC(const TFloatVec& Inputs)
{
    RequireInputs(Inputs, Rule.InputCount);
    double X, Z, Y;
    Rule.Axes(Inputs, X, Z, Y);
    return LookupAt(X, Z, Y);
}

double TDuctFit3Dim::CalcCAt(const TDuctSection&, const TDuctSection&, const TDuctSection&,
                             const TDuctSection&, const TDuctSection&, const TFloatVec& AxisValues)
{
    return LookupAt(AxisValues.at(0), AxisValues.at(1), AxisValues.at(2));
}

void TDuctFit3Dim::CalcMidAxisValues(TFloatVec& AxisValues)
{
    AxisValues.assign({MiddleEntry(XAxis), MiddleEntry(ZAxis), MiddleEntry(YAxes.at(0))});
}

void TDuctFit3Dim::GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs)
{
    double YMin, YMax;
    YAxisRange(YMin, YMax);
    Mins.assign({XAxis.front(), ZAxis.front(), YMin});
    Maxs.assign({XAxis.back(), ZAxis.back(), YMax});
}

double TDuctFit3Dim::MiddleOfLongestYAxis() const
{
    const TFloatVec* Longest = &YAxes.at(0);
    for (const TFloatVec& Axis : YAxes)
        if (Axis.size() > Longest->size())
            Longest = &Axis;
    return MiddleEntry(*Longest);
}

void TDuctFit3Dim::YAxisRange(double& Min, double& Max) const
{
    Min = YAxes.at(0).front();
    Max = YAxes.at(0).back();
    for (std::size_t k = 1; k < YAxes.size(); ++k) {
        if (YAxes[k].back() > Max)
            Max = YAxes[k].back();
        if (Min > YAxes[k].front())
            Min = YAxes[k].front();
    }
}

// The leaves. Each rule reads: the values CalcC takes, how CalcCForSections
// builds them from the sections (S.D is field D of record S, in[k] the
// fitting's own input k), the axis values [x, z, y] CalcC looks up, and the
// axis values the sections determine (nullptr: none). Products and quotients
// keep every factor in the order the rule states it, those that cancel
// included.

TDuctFitH1W1D0LA::TDuctFitH1W1D0LA(TValueReader& Reader)
    : TDuctFit3Dim(Reader, {
          5,  // H1, W1, D0, L, A
          [](TSec s, TIn in, TOut v) { v = {s.Second.H, s.Second.W, s.S.D, in.at(0), in.at(1)}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = v[4];
              Z = Div(A(v[2]), v[0] * v[1]);
              Y = Div(v[3], v[2]);
          },
          [](TSec s, TOut r) { r = {-1.0, SafeRatio(s.S.A, s.Second.A), -1.0}; }})
{
}

TDuctFitH0W0D1LA::TDuctFitH0W0D1LA(TValueReader& Reader)
    : TDuctFit3Dim(Reader, {
          5,  // H0, W0, D1, L, A
          [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, s.Second.D, in.at(0), in.at(1)}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = v[4];
              Z = Div(v[0] * v[1], A(v[2]));
              Y = Div(v[3], v[2]);
          },
          [](TSec s, TOut r) { r = {-1.0, SafeRatio(s.S.A, s.Second.A), -1.0}; }})
{
}

TDuctFitHWdyQ::TDuctFitHWdyQ(TValueReader& Reader)
    : TDuctFit3Dim(Reader, {
          5,  // H, W, d, y, Q
          [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0), in.at(1), s.S.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = Div(v[2] * v[1], v[0] * v[1]);
              Z = Div(v[3], v[0]);
              Y = ReHW(v[2], v[0], v[1], v[4]);
          },
          nullptr})
{
}

TDuctFitDdyLQ::TDuctFitDdyLQ(TValueReader& Reader)
    : TDuctFit3Dim(Reader, {
          5,  // D, d, y, L, Q
          [](TSec s, TIn in, TOut v) { v = {s.S.D, in.at(0), in.at(1), in.at(2), s.S.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = Div(v[1] * v[3], A(v[0]));
              Z = Div(v[2], v[0]);
              Y = ReA(v[1], A(v[0]), v[4]);
          },
          nullptr})
{
}

TDuctFitH0W0H1W1LA::TDuctFitH0W0H1W1LA(TValueReader& Reader)
    : TDuctFit3Dim(Reader, {
          6,  // H0, W0, H1, W1, L, A
          [](TSec s, TIn in, TOut v) {
              v = {s.S.H, s.S.W, s.Second.H, s.Second.W, in.at(0), in.at(1)};
          },
          [](TIn v, double& X, double& Z, double& Y) {
              X = v[5];
              Z = Div(v[0] * v[1], v[2] * v[3]);
              Y = Div(v[4], Dh(v[0], v[1]));
          },
          [](TSec s, TOut r) { r = {-1.0, SafeRatio(s.S.A, s.Second.A), -1.0}; }})
{
}

TDuctFitH0H1WAQ::TDuctFitH0H1WAQ(TValueReader& Reader)
    : TDuctFit3Dim(Reader, {
          5,  // H0, H1, W, A, Q
          [](TSec s, TIn in, TOut v) { v = {s.S.H, in.at(0), in.at(1), in.at(2), s.S.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = v[3];
              Z = Div(v[1] * v[2], v[0] * v[2]);
              Y = ReHW(Dh(v[0], v[2]), v[0], v[2], v[4]);
          },
          [](TSec s, TOut r) { r = {-1.0, -1.0, ReHW(s.S.D, s.S.H, s.S.W, s.S.Q)}; }})
{
}

TDuctFitH0W0H1W1AQ::TDuctFitH0W0H1W1AQ(TValueReader& Reader)
    : TDuctFit3Dim(Reader, {
          6,  // H0, W0, H1, W1, A, Q
          [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0), in.at(1), in.at(2), s.S.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = v[4];
              Z = Div(v[2] * v[3], v[0] * v[1]);
              Y = ReHW(Dh(v[0], v[1]), v[0], v[1], v[5]);
          },
          [](TSec s, TOut r) { r = {-1.0, -1.0, ReHW(s.S.D, s.S.H, s.S.W, s.S.Q)}; }})
{
}

TDuctFitVQHWA::TDuctFitVQHWA(TValueReader& Reader)
    : TDuctFit3Dim(Reader, {
          5,  // V, Q, H, W, A
          [](TSec s, TIn in, TOut v) { v = {in.at(0), s.S.Q, s.S.H, s.S.W, in.at(1)}; },
          [](TIn v, double& X, double& Z, double& Y) {
              const double DuctVelocity = Div(1000000.0 * v[1], v[2] * v[3]);
              X = Div(v[0], DuctVelocity);
              Z = Div(v[2], v[3]);
              Y = v[4];
          },
          [](TSec s, TOut r) { r = {-1.0, SafeRatio(s.S.H, s.S.W), -1.0}; }})
{
}
