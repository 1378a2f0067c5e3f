#include "fittings/DuctFit3DimJunction.h"

namespace {

// Short names for the parameters of the rules below.
using TSec = const TFitSections&;
using TIn = const TFloatVec&;
using TOut = TFloatVec&;

double Div(double N, double D)
{
    return CheckedDivide(N, D);
}

// A(a) / A(b) of two round sizes.
double RoundAreaRatio(double a, double b)
{
    return Div(RoundArea(a), RoundArea(b));
}

// The ratios of the intermediate classes. "/" of the flows is a plain
// division; the area ratios never raise (a missing section gives 0).
double QbOverQc(TSec s) { return Div(s.B.Q, s.C.Q); }
double QsOverQc(TSec s) { return Div(s.S.Q, s.C.Q); }
double Qb2OverQc(TSec s) { return Div(s.B2.Q, s.C.Q); }
double Qb2OverQb(TSec s) { return Div(s.B2.Q, s.B.Q); }

void AsAcAbAc(TSec s, TOut r) { r = {SafeRatio(s.S.A, s.C.A), SafeRatio(s.B.A, s.C.A)}; }
void QsQcQbQc(TSec s, TOut r) { r = {Div(s.S.Q, s.C.Q), Div(s.B.Q, s.C.Q)}; }
void AbAcAb2Ac(TSec s, TOut r) { r = {SafeRatio(s.B.A, s.C.A), SafeRatio(s.B2.A, s.C.A)}; }
void QbQcQb2Qc(TSec s, TOut r) { r = {Div(s.B.Q, s.C.Q), Div(s.B2.Q, s.C.Q)}; }
void AbAc(TSec s, TOut r) { r = {SafeRatio(s.B.A, s.C.A)}; }
void QbQc(TSec s, TOut r) { r = {Div(s.B.Q, s.C.Q)}; }

} // namespace

TDuctFit3DimFlowRatio::TDuctFit3DimFlowRatio(TValueReader& Reader, const T3DimRule& LeafRule,
                                             const TJunctionRatioRule& RatioRule)
    : TDuctFit3Dim(Reader, LeafRule), JunctionRule(RatioRule)
{
}

double TDuctFit3DimFlowRatio::FlowRatio(const TDuctSection& S, const TDuctSection& B,
                                        const TDuctSection& B2, const TDuctSection& C,
                                        const TDuctSection& Second)
{
    return JunctionRule.Flow({S, B, B2, C, Second});
}

double TDuctFit3DimFlowRatio::FlowRatio2(const TDuctSection& S, const TDuctSection& B,
                                         const TDuctSection& B2, const TDuctSection& C,
                                         const TDuctSection& Second)
{
    if (!JunctionRule.Flow2)
        return TDuctFitting::FlowRatio2(S, B, B2, C, Second);
    return JunctionRule.Flow2({S, B, B2, C, Second});
}

void TDuctFit3DimFlowRatio::CalcVelocityRatios(const TDuctSection& S, const TDuctSection& B,
                                               const TDuctSection& B2, const TDuctSection& C,
                                               const TDuctSection& Second, TFloatVec& Result)
{
    JunctionRule.VelocityRatios({S, B, B2, C, Second}, Result);
}

void TDuctFit3DimFlowRatio::CalcFlowRatios(const TDuctSection& S, const TDuctSection& B,
                                           const TDuctSection& B2, const TDuctSection& C,
                                           const TDuctSection& Second, TFloatVec& Result)
{
    JunctionRule.FlowRatios({S, B, B2, C, Second}, Result);
}

void TDuctFit3DimFlowRatio::GetFlowRatioRange(double& Min, double& Max)
{
    Min = XAxis.front();
    Max = XAxis.back();
}

double TDuctFit3DimFlowRatioTop::CalcCAt(const TDuctSection& S, const TDuctSection& B,
                                         const TDuctSection& B2, const TDuctSection& C,
                                         const TDuctSection& Second, const TFloatVec& AxisValues)
{
    return LookupAt(FlowRatio(S, B, B2, C, Second), AxisValues.at(0), AxisValues.at(1));
}

void TDuctFit3DimFlowRatioTop::CalcMidAxisValues(TFloatVec& AxisValues)
{
    AxisValues.assign({MiddleEntry(ZAxis), MiddleOfLongestYAxis()});
}

void TDuctFit3DimFlowRatioTop::GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs)
{
    double YMin, YMax;
    YAxisRange(YMin, YMax);
    Mins.assign({ZAxis.front(), YMin});
    Maxs.assign({ZAxis.back(), YMax});
}

double TDuctFit3DimFlowRatioTopAndInsideLeft::CalcCAt(const TDuctSection& S, const TDuctSection& B,
                                                      const TDuctSection& B2, const TDuctSection& C,
                                                      const TDuctSection& Second,
                                                      const TFloatVec& AxisValues)
{
    const double X = FlowRatio(S, B, B2, C, Second);
    return LookupAt(X, AxisValues.at(0), FlowRatio2(S, B, B2, C, Second));
}

void TDuctFit3DimFlowRatioTopAndInsideLeft::CalcMidAxisValues(TFloatVec& AxisValues)
{
    AxisValues.assign({MiddleEntry(ZAxis)});
}

void TDuctFit3DimFlowRatioTopAndInsideLeft::GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs)
{
    Mins.assign({ZAxis.front()});
    Maxs.assign({ZAxis.back()});
}

// The intermediate classes: which sections the ratios come from.

TDuctFit3DimFlowRatioTopQbQc::TDuctFit3DimFlowRatioTopQbQc(TValueReader& Reader,
                                                           const T3DimRule& LeafRule)
    : TDuctFit3DimFlowRatioTop(Reader, LeafRule, {QbOverQc, nullptr, AsAcAbAc, QsQcQbQc})
{
}

TDuctFit3DimFlowRatioTopQsQc::TDuctFit3DimFlowRatioTopQsQc(TValueReader& Reader,
                                                           const T3DimRule& LeafRule)
    : TDuctFit3DimFlowRatioTop(Reader, LeafRule, {QsOverQc, nullptr, AsAcAbAc, QsQcQbQc})
{
}

TDuctFit3DimFlowRatioTopQb1Qc::TDuctFit3DimFlowRatioTopQb1Qc(TValueReader& Reader,
                                                             const T3DimRule& LeafRule)
    : TDuctFit3DimFlowRatioTop(Reader, LeafRule, {QbOverQc, nullptr, AsAcAbAc, QsQcQbQc})
{
}

TDuctFit3DimFlowRatioTopQb1QcAb1Ab2::TDuctFit3DimFlowRatioTopQb1QcAb1Ab2(TValueReader& Reader,
                                                                         const T3DimRule& LeafRule)
    : TDuctFit3DimFlowRatioTop(Reader, LeafRule, {QbOverQc, nullptr, AbAcAb2Ac, QbQcQb2Qc})
{
}

TDuctFit3DimFlowRatioTopQb2QcAb1Ab2::TDuctFit3DimFlowRatioTopQb2QcAb1Ab2(TValueReader& Reader,
                                                                         const T3DimRule& LeafRule)
    : TDuctFit3DimFlowRatioTop(Reader, LeafRule, {Qb2OverQc, nullptr, AbAcAb2Ac, QbQcQb2Qc})
{
}

TDuctFit3DimFlowRatioTopAndInsideLeftAbAcRInfo::TDuctFit3DimFlowRatioTopAndInsideLeftAbAcRInfo(
    TValueReader& Reader, const T3DimRule& LeafRule, TFlowRatioRule Flow, TFlowRatioRule Flow2)
    : TDuctFit3DimFlowRatioTopAndInsideLeft(Reader, LeafRule, {Flow, Flow2, AbAc, QbQc})
{
}

TDuctFit3DimFlowRatioTopAndInsideLeftQbQcAbAcQb2Qb::TDuctFit3DimFlowRatioTopAndInsideLeftQbQcAbAcQb2Qb(
    TValueReader& Reader, const T3DimRule& LeafRule)
    : TDuctFit3DimFlowRatioTopAndInsideLeftAbAcRInfo(Reader, LeafRule, QbOverQc, Qb2OverQb)
{
}

TDuctFit3DimFlowRatioTopAndInsideLeftQsQcAbAcQb2Qb::TDuctFit3DimFlowRatioTopAndInsideLeftQsQcAbAcQb2Qb(
    TValueReader& Reader, const T3DimRule& LeafRule)
    : TDuctFit3DimFlowRatioTopAndInsideLeftAbAcRInfo(Reader, LeafRule, QsOverQc, Qb2OverQb)
{
}

// The leaves. Each rule reads: the values CalcC takes, all from the sections
// (S.D is field D of record S; B is the branch being evaluated, B2 the other
// one), and the axis values [x, z, y] CalcC looks up. The velocity ratios are
// those of the intermediate class. Products and quotients are computed as
// written, factors that cancel included.

TDuctFitDsDcDbQbQc::TDuctFitDsDcDbQbQc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopQbQc(Reader, {
          5,  // Ds, Dc, Db, Qb, Qc
          [](TSec s, TIn, TOut v) { v = {s.S.D, s.C.D, s.B.D, s.B.Q, s.C.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = Div(v[3], v[4]);
              Z = RoundAreaRatio(v[0], v[1]);
              Y = RoundAreaRatio(v[2], v[1]);
          },
          nullptr})
{
}

TDuctFitDsDcDbQsQc::TDuctFitDsDcDbQsQc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopQsQc(Reader, {
          5,  // Ds, Dc, Db, Qs, Qc
          [](TSec s, TIn, TOut v) { v = {s.S.D, s.C.D, s.B.D, s.S.Q, s.C.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = Div(v[3], v[4]);
              Z = RoundAreaRatio(v[0], v[1]);
              Y = RoundAreaRatio(v[2], v[1]);
          },
          nullptr})
{
}

TDuctFitDb1Db2DcQb1Qc::TDuctFitDb1Db2DcQb1Qc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopQb1QcAb1Ab2(Reader, {
          5,  // Db1, Db2, Dc, Qb1, Qc
          [](TSec s, TIn, TOut v) { v = {s.B.D, s.B2.D, s.C.D, s.B.Q, s.C.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = Div(v[3], v[4]);
              Z = RoundAreaRatio(v[0], v[2]);
              Y = RoundAreaRatio(v[1], v[2]);
          },
          nullptr})
{
}

TDuctFitDb1Db2DcQb2Qc::TDuctFitDb1Db2DcQb2Qc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopQb2QcAb1Ab2(Reader, {
          5,  // Db1, Db2, Dc, Qb2, Qc
          [](TSec s, TIn, TOut v) { v = {s.B.D, s.B2.D, s.C.D, s.B2.Q, s.C.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = Div(v[3], v[4]);
              Z = RoundAreaRatio(v[0], v[2]);
              Y = RoundAreaRatio(v[1], v[2]);
          },
          nullptr})
{
}

TDuctFitDsDb1DcQb1Qc::TDuctFitDsDb1DcQb1Qc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopQb1Qc(Reader, {
          5,  // Ds, Db1, Dc, Qb1, Qc
          [](TSec s, TIn, TOut v) { v = {s.S.D, s.B.D, s.C.D, s.B.Q, s.C.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = Div(v[3], v[4]);
              Z = RoundAreaRatio(v[0], v[2]);
              Y = RoundAreaRatio(v[1], v[2]);
          },
          nullptr})
{
}

TDuctFitHWbWcWsQbQc::TDuctFitHWbWcWsQbQc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopQbQc(Reader, {
          6,  // H, Wb, Wc, Ws, Qb, Qc
          [](TSec s, TIn, TOut v) { v = {s.S.H, s.B.W, s.C.W, s.S.W, s.B.Q, s.C.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = Div(v[4], v[5]);
              Z = Div(v[0] * v[3], v[0] * v[2]);
              Y = Div(v[0] * v[1], v[0] * v[2]);
          },
          nullptr})
{
}

TDuctFitHWbWcWsQsQc::TDuctFitHWbWcWsQsQc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopQsQc(Reader, {
          6,  // H, Wb, Wc, Ws, Qs, Qc
          [](TSec s, TIn, TOut v) { v = {s.S.H, s.B.W, s.C.W, s.S.W, s.S.Q, s.C.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = Div(v[4], v[5]);
              Z = Div(v[0] * v[3], v[0] * v[2]);
              Y = Div(v[0] * v[1], v[0] * v[2]);
          },
          nullptr})
{
}

TDuctFitHWWbQb1Qb2Qc::TDuctFitHWWbQb1Qb2Qc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopAndInsideLeftQbQcAbAcQb2Qb(Reader, {
          6,  // H, W, Wb, Qb1, Qb2, Qc
          [](TSec s, TIn, TOut v) { v = {s.C.H, s.C.W, s.B.W, s.B.Q, s.B2.Q, s.C.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = Div(v[3], v[5]);
              Z = Div(v[0] * v[2], v[0] * v[1]);
              Y = Div(v[4], v[3]);
          },
          nullptr})
{
}

TDuctFitHWWbQb1Qb2QcQs::TDuctFitHWWbQb1Qb2QcQs(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopAndInsideLeftQsQcAbAcQb2Qb(Reader, {
          7,  // H, W, Wb, Qb1, Qb2, Qc, Qs
          [](TSec s, TIn, TOut v) { v = {s.C.H, s.C.W, s.B.W, s.B.Q, s.B2.Q, s.C.Q, s.S.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = Div(v[6], v[5]);
              Z = Div(v[0] * v[2], v[0] * v[1]);
              Y = Div(v[4], v[3]);
          },
          nullptr})
{
}

TDuctFitDcDbQb1Qb2Qc::TDuctFitDcDbQb1Qb2Qc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopAndInsideLeftQbQcAbAcQb2Qb(Reader, {
          5,  // Dc, Db, Qb1, Qb2, Qc
          [](TSec s, TIn, TOut v) { v = {s.C.D, s.B.D, s.B.Q, s.B2.Q, s.C.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = Div(v[2], v[4]);
              Z = RoundAreaRatio(v[1], v[0]);
              Y = Div(v[3], v[2]);
          },
          nullptr})
{
}

TDuctFitDcDbQb1Qb2QcQs::TDuctFitDcDbQb1Qb2QcQs(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopAndInsideLeftQsQcAbAcQb2Qb(Reader, {
          6,  // Dc, Db, Qb1, Qb2, Qc, Qs
          [](TSec s, TIn, TOut v) { v = {s.C.D, s.B.D, s.B.Q, s.B2.Q, s.C.Q, s.S.Q}; },
          [](TIn v, double& X, double& Z, double& Y) {
              X = Div(v[5], v[4]);
              Z = RoundAreaRatio(v[1], v[0]);
              Y = Div(v[3], v[2]);
          },
          nullptr})
{
}
