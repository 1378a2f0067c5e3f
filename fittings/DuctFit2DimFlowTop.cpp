#include "fittings/DuctFit2DimFlowTop.h"

using namespace LeafRuleNames;

TDuctFit2DimFlowTop::TDuctFit2DimFlowTop(TValueReader& Reader, const T2DimRule& LeafRule,
                                         bool BranchPath)
    : TDuctFit2Dim(Reader, LeafRule), BranchPath(BranchPath)
{
}

double TDuctFit2DimFlowTop::CalcCAt(const TDuctSection& S, const TDuctSection& B,
                                    const TDuctSection& B2, const TDuctSection& C,
                                    const TDuctSection& Second, const TFloatVec& AxisValues)
{
    const double Flow = FlowRatio(S, B, B2, C, Second);
    return Interp2D(XAxis, YAxis, Table, Flow, AxisValues.at(0));
}

double TDuctFit2DimFlowTop::FlowRatio(const TDuctSection& S, const TDuctSection& B,
                                      const TDuctSection&, const TDuctSection& C,
                                      const TDuctSection&)
{
    return Div(PathSection(S, B).Q, C.Q);
}

void TDuctFit2DimFlowTop::CalcFlowRatios(const TDuctSection& S, const TDuctSection& B,
                                         const TDuctSection&, const TDuctSection& C,
                                         const TDuctSection&, TFloatVec& Ratios)
{
    Ratios.assign({Div(PathSection(S, B).Q, C.Q)});
}

void TDuctFit2DimFlowTop::CalcVelocityRatios(const TDuctSection& S, const TDuctSection& B,
                                             const TDuctSection&, const TDuctSection& C,
                                             const TDuctSection&, TFloatVec& Ratios)
{
    Ratios.assign({SafeRatio(PathSection(S, B).A, C.A)});
}

void TDuctFit2DimFlowTop::GetFlowRatioRange(double& Min, double& Max)
{
    Min = XAxis.front();
    Max = XAxis.back();
}

void TDuctFit2DimFlowTop::GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs)
{
    Mins.assign({YAxis.front()});
    Maxs.assign({YAxis.back()});
}

void TDuctFit2DimFlowTop::CalcMidAxisValues(TFloatVec& AxisValues)
{
    AxisValues.assign({MiddleEntry(YAxis)});
}

TDuctFit2DimFlowTopQbQc::TDuctFit2DimFlowTopQbQc(TValueReader& Reader, const T2DimRule& LeafRule)
    : TDuctFit2DimFlowTop(Reader, LeafRule, true)
{
}

TDuctFit2DimFlowTopQsQc::TDuctFit2DimFlowTopQsQc(TValueReader& Reader, const T2DimRule& LeafRule)
    : TDuctFit2DimFlowTop(Reader, LeafRule, false)
{
}

// The leaves. Each rule reads: the number of values CalcC takes, how
// CalcCForSections builds them from the sections (none of these leaves uses
// the fitting's own inputs), and the axis values CalcC looks up: x the flow
// ratio, y the area ratio. Every Div raises on a zero divisor.

// Db, Dc, Qb, Qc
TDuctFitDbDcQbQc::TDuctFitDbDcQbQc(TValueReader& Reader)
    : TDuctFit2DimFlowTopQbQc(Reader, {4, poFixed,
                                       [](TSec s, TIn, TOut v) { v = {s.B.D, s.C.D, s.B.Q, s.C.Q}; },
                                       [](TIn v, double& x, double& y) { y = Div(A(v[0]), A(v[1])); x = Div(v[2], v[3]); },
                                       nullptr})
{
}

// H, Wb, Wc, Qb, Qc
TDuctFitHWbWcQbQc::TDuctFitHWbWcQbQc(TValueReader& Reader)
    : TDuctFit2DimFlowTopQbQc(Reader, {5, poFixed,
                                       [](TSec s, TIn, TOut v) { v = {s.B.H, s.B.W, s.C.W, s.B.Q, s.C.Q}; },
                                       [](TIn v, double& x, double& y) { y = Div(v[0] * v[1], v[0] * v[2]); x = Div(v[3], v[4]); },
                                       nullptr})
{
}

// Ds, Dc, Qs, Qc
TDuctFitDsDcQsQc::TDuctFitDsDcQsQc(TValueReader& Reader)
    : TDuctFit2DimFlowTopQsQc(Reader, {4, poFixed,
                                       [](TSec s, TIn, TOut v) { v = {s.S.D, s.C.D, s.S.Q, s.C.Q}; },
                                       [](TIn v, double& x, double& y) { y = Div(A(v[0]), A(v[1])); x = Div(v[2], v[3]); },
                                       nullptr})
{
}

// Hb, Wb, Hc, Wc, Qb, Qc
TDuctFitHbWbHcWcQbQc::TDuctFitHbWbHcWcQbQc(TValueReader& Reader)
    : TDuctFit2DimFlowTopQbQc(Reader, {6, poFixed,
                                       [](TSec s, TIn, TOut v) { v = {s.B.H, s.B.W, s.C.H, s.C.W, s.B.Q, s.C.Q}; },
                                       [](TIn v, double& x, double& y) { y = Div(v[0] * v[1], v[2] * v[3]); x = Div(v[4], v[5]); },
                                       nullptr})
{
}

// Hc, Wc, Db, Qb, Qc
TDuctFitHcWcDbQbQc::TDuctFitHcWcDbQbQc(TValueReader& Reader)
    : TDuctFit2DimFlowTopQbQc(Reader, {5, poFixed,
                                       [](TSec s, TIn, TOut v) { v = {s.C.H, s.C.W, s.B.D, s.B.Q, s.C.Q}; },
                                       [](TIn v, double& x, double& y) { y = Div(A(v[2]), v[0] * v[1]); x = Div(v[3], v[4]); },
                                       nullptr})
{
}

// Hs, Ws, Hc, Wc, Qs, Qc
TDuctFitHsWsHcWcQsQc::TDuctFitHsWsHcWcQsQc(TValueReader& Reader)
    : TDuctFit2DimFlowTopQsQc(Reader, {6, poFixed,
                                       [](TSec s, TIn, TOut v) { v = {s.S.H, s.S.W, s.C.H, s.C.W, s.S.Q, s.C.Q}; },
                                       [](TIn v, double& x, double& y) { y = Div(v[0] * v[1], v[2] * v[3]); x = Div(v[4], v[5]); },
                                       nullptr})
{
}

// H, Ws, Wc, Qs, Qc
TDuctFitHWsWcQsQc::TDuctFitHWsWcQsQc(TValueReader& Reader)
    : TDuctFit2DimFlowTopQsQc(Reader, {5, poFixed,
                                       [](TSec s, TIn, TOut v) { v = {s.S.H, s.S.W, s.C.W, s.S.Q, s.C.Q}; },
                                       [](TIn v, double& x, double& y) { y = Div(v[0] * v[1], v[0] * v[2]); x = Div(v[3], v[4]); },
                                       nullptr})
{
}
