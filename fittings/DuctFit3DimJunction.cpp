#include "fittings/DuctFit3DimJunction.h"

namespace {

using namespace LeafRuleNames;

// A(a) / A(b) of two round sizes.
double RoundAreaRatio(double a, double b)
{
    return Div(A(a), A(b));
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

// Axis values that several leaves share; they differ in which sections give
// the values. [Q / Qc, A(D1) / A(Dc), A(D2) / A(Dc)] of [D1, Dc, D2, Q, Qc]:
void RoundAxesD1DcD2(TIn v, double& X, double& Z, double& Y)
{
    X = Div(v[3], v[4]);
    Z = RoundAreaRatio(v[0], v[1]);
    Y = RoundAreaRatio(v[2], v[1]);
}

// ... and of [D1, D2, Dc, Q, Qc].
void RoundAxesD1D2Dc(TIn v, double& X, double& Z, double& Y)
{
    X = Div(v[3], v[4]);
    Z = RoundAreaRatio(v[0], v[2]);
    Y = RoundAreaRatio(v[1], v[2]);
}

// [Q / Qc, H Ws / (H Wc), H Wb / (H Wc)] of [H, Wb, Wc, Ws, Q, Qc].
void EqualHeightAxes(TIn v, double& X, double& Z, double& Y)
{
    X = Div(v[4], v[5]);
    Z = Div(v[0] * v[3], v[0] * v[2]);
    Y = Div(v[0] * v[1], v[0] * v[2]);
}

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

double TDuctFit3DimFlowRatio::CalcCAt(const TDuctSection& S, const TDuctSection& B,
                                      const TDuctSection& B2, const TDuctSection& C,
                                      const TDuctSection& Second, const TFloatVec& AxisValues)
{
    const double X = FlowRatio(S, B, B2, C, Second);
    const double Z = AxisValues.at(0);
    return LookupAt(X, Z, StoresY() ? AxisValues.at(1) : FlowRatio2(S, B, B2, C, Second));
}

void TDuctFit3DimFlowRatio::CalcMidAxisValues(TFloatVec& AxisValues)
{
    AxisValues.assign({MiddleEntry(ZAxis)});
    if (StoresY())
        AxisValues.push_back(MiddleOfLongestYAxis());
}

void TDuctFit3DimFlowRatio::GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs)
{
    Mins.assign({ZAxis.front()});
    Maxs.assign({ZAxis.back()});
    if (!StoresY())
        return;
    double YMin, YMax;
    YAxisRange(YMin, YMax);
    Mins.push_back(YMin);
    Maxs.push_back(YMax);
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
          RoundAxesD1DcD2, nullptr})
{
}

TDuctFitDsDcDbQsQc::TDuctFitDsDcDbQsQc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopQsQc(Reader, {
          5,  // Ds, Dc, Db, Qs, Qc
          [](TSec s, TIn, TOut v) { v = {s.S.D, s.C.D, s.B.D, s.S.Q, s.C.Q}; },
          RoundAxesD1DcD2, nullptr})
{
}

TDuctFitDb1Db2DcQb1Qc::TDuctFitDb1Db2DcQb1Qc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopQb1QcAb1Ab2(Reader, {
          5,  // Db1, Db2, Dc, Qb1, Qc
          [](TSec s, TIn, TOut v) { v = {s.B.D, s.B2.D, s.C.D, s.B.Q, s.C.Q}; },
          RoundAxesD1D2Dc, nullptr})
{
}

TDuctFitDb1Db2DcQb2Qc::TDuctFitDb1Db2DcQb2Qc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopQb2QcAb1Ab2(Reader, {
          5,  // Db1, Db2, Dc, Qb2, Qc
          [](TSec s, TIn, TOut v) { v = {s.B.D, s.B2.D, s.C.D, s.B2.Q, s.C.Q}; },
          RoundAxesD1D2Dc, nullptr})
{
}

TDuctFitDsDb1DcQb1Qc::TDuctFitDsDb1DcQb1Qc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopQb1Qc(Reader, {
          5,  // Ds, Db1, Dc, Qb1, Qc
          [](TSec s, TIn, TOut v) { v = {s.S.D, s.B.D, s.C.D, s.B.Q, s.C.Q}; },
          RoundAxesD1D2Dc, nullptr})
{
}

TDuctFitHWbWcWsQbQc::TDuctFitHWbWcWsQbQc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopQbQc(Reader, {
          6,  // H, Wb, Wc, Ws, Qb, Qc
          [](TSec s, TIn, TOut v) { v = {s.S.H, s.B.W, s.C.W, s.S.W, s.B.Q, s.C.Q}; },
          EqualHeightAxes, nullptr})
{
}

TDuctFitHWbWcWsQsQc::TDuctFitHWbWcWsQsQc(TValueReader& Reader)
    : TDuctFit3DimFlowRatioTopQsQc(Reader, {
          6,  // H, Wb, Wc, Ws, Qs, Qc
          [](TSec s, TIn, TOut v) { v = {s.S.H, s.B.W, s.C.W, s.S.W, s.S.Q, s.C.Q}; },
          EqualHeightAxes, nullptr})
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
