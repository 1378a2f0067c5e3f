#include "fittings/DuctFit2Dim.h"

#include "fittings/FittingLists.h"

#include <cmath>

namespace {

using namespace LeafRuleNames;

// The rule of leaves that differ only in what their tables hold: H / W, and
// the fitting's own input over W.
constexpr T2DimRule SideRatioAndInputOverWidth = {
    3, poFixed, [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0)}; },
    [](TIn v, double& x, double& y) { x = Div(v[0], v[1]); y = Div(v[2], v[1]); },
    [](TSec s, TOut r) { r = {SafeRatio(s.S.H, s.S.W), -1}; }};

// The area ratio of the straight section over an outlet given by the
// fitting's inputs 2 and 3, and input 4; inputs 0 and 1 are not read.
constexpr T2DimRule AreaRatioOfInputsAndAngle = {
    5, poFixed, [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(2), in.at(3), in.at(4)}; },
    [](TIn v, double& x, double& y) { x = Div(v[0] * v[1], v[2] * v[3]); y = v[4]; }, nullptr};

} // namespace

TDuctFit2Dim::TDuctFit2Dim(TValueReader& Reader, const T2DimRule& LeafRule)
    : TDuctFitRuled(Reader, LeafRule)
{
    XAxis = ReadFloatList(Reader);
    YAxis = ReadFloatList(Reader);
    Table = ReadFloatMat(Reader);
    RequireTable(XAxis, YAxis, Table);
}

double TDuctFit2Dim::LookupAt(const TFloatVec& AxisValues)
{
    return Interp2D(XAxis, YAxis, Table, AxisValues.at(0), AxisValues.at(1));
}

double TDuctFit2Dim::CalcC(const TFloatVec& Inputs)
{
    RequireInputs(Inputs, Rule.InputCount);
    double X = 0.0;
    double Y = 0.0;
    Rule.Axes(Inputs, X, Y);
    return Interp2D(XAxis, YAxis, Table, X, Y);
}

double TDuctFit2Dim::CalcCAt(const TDuctSection&, const TDuctSection&, const TDuctSection&,
                             const TDuctSection&, const TDuctSection&, const TFloatVec& AxisValues)
{
    return LookupAt(AxisValues);
}

void TDuctFit2Dim::CalcMidAxisValues(TFloatVec& AxisValues)
{
    AxisValues.assign({MiddleEntry(XAxis), MiddleEntry(YAxis)});
}

void TDuctFit2Dim::GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs)
{
    Mins.assign({XAxis.front(), YAxis.front()});
    Maxs.assign({XAxis.back(), YAxis.back()});
}

TFitSections TDuctFit2Dim::Ordered(const TDuctSection& S, const TDuctSection& B,
                                   const TDuctSection& B2, const TDuctSection& C,
                                   const TDuctSection& Second) const
{
    if (Rule.PathOrder == poFirstPath && !FirstPathIsZero(*this))
        return {Second, B, B2, C, S};
    return {S, B, B2, C, Second};
}

// The leaves. Each rule reads: the number of values CalcC takes (named by the
// letters of the class name), the path order, how CalcCForSections builds the
// values from the sections (S.D is field D of record S, in[k] the fitting's
// own input k), the axis values [x, y] CalcC looks up, and the axis values
// the sections determine (nullptr: [-1, -1]). A(D) is a round area, Dh(H, W)
// a hydraulic diameter; every Div raises on a zero divisor.

// D0, D1, A
TDuctFitD0D1A::TDuctFitD0D1A(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFirstPath,
                            [](TSec s, TIn in, TOut v) { v = {s.S.D, s.Second.D, in.at(0)}; },
                            [](TIn v, double& x, double& y) { x = v[2]; y = Div(A(v[0]), A(v[1])); },
                            [](TSec s, TOut r) { r = {-1, SafeRatio(s.S.A, s.Second.A)}; }})
{
}

// D1, D0, A
TDuctFitD1D0A::TDuctFitD1D0A(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {in.at(0), s.S.D, in.at(1)}; },
                            [](TIn v, double& x, double& y) { x = v[2]; y = Div(A(v[0]), A(v[1])); },
                            nullptr})
{
}

// D0, D1, n
TDuctFitD0D1n::TDuctFitD0D1n(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.D, in.at(0), in.at(1)}; },
                            [](TIn v, double& x, double& y) { x = v[2]; y = Div(A(v[1]), A(v[0])); },
                            nullptr})
{
}

// D, D0, A: a diameter ratio, not an area ratio.
TDuctFitDD0A::TDuctFitDD0A(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {in.at(0), s.S.D, in.at(1)}; },
                            [](TIn v, double& x, double& y) { x = v[2]; y = Div(v[0], v[1]); },
                            nullptr})
{
}

// D, L, t
TDuctFitDLt::TDuctFitDLt(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.D, in.at(0), in.at(1)}; },
                            [](TIn v, double& x, double& y) { x = Div(v[1], v[0]); y = Div(v[2], v[0]); },
                            nullptr})
{
}

// D0, H1, W1, L
TDuctFitD0H1W1L::TDuctFitD0H1W1L(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {4, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.D, s.Second.H, s.Second.W, in.at(0)}; },
                            [](TIn v, double& x, double& y) { x = Div(v[3], v[0]); y = Div(v[1] * v[2], A(v[0])); },
                            [](TSec s, TOut r) { r = {-1, SafeRatio(s.Second.H * s.Second.W, A(s.S.D))}; }})
{
}

// D0, H1, W1, A
TDuctFitD0H1W1A::TDuctFitD0H1W1A(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {4, poFirstPath,
                            [](TSec s, TIn in, TOut v) { v = {s.S.D, s.Second.H, s.Second.W, in.at(0)}; },
                            [](TIn v, double& x, double& y) { x = v[3]; y = Div(A(v[0]), v[1] * v[2]); },
                            [](TSec s, TOut r) { r = {-1, SafeRatio(s.S.A, s.Second.A)}; }})
{
}

// D0, r, L
TDuctFitD0rL::TDuctFitD0rL(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.D, in.at(0), in.at(1)}; },
                            [](TIn v, double& x, double& y) { x = Div(v[2], v[0]); y = Div(v[1], v[0]); },
                            nullptr})
{
}

// V, Q, D, Angle: V over the duct velocity v = 1000000 Q / A(D).
TDuctFitVQDAngle::TDuctFitVQDAngle(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {4, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {in.at(0), s.S.Q, s.S.D, in.at(1)}; },
                            [](TIn v, double& x, double& y) {
                                x = Div(v[0], Div(1000000.0 * v[1], A(v[2])));
                                y = v[3];
                            },
                            nullptr})
{
}

// H, W, Angle
TDuctFitHWAngle::TDuctFitHWAngle(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0)}; },
                            [](TIn v, double& x, double& y) { x = Div(v[0], v[1]); y = v[2]; },
                            [](TSec s, TOut r) { r = {SafeRatio(s.S.H, s.S.W), -1}; }})
{
}

// H, W, L, Angle
TDuctFitHWLAngle::TDuctFitHWLAngle(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {4, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0), in.at(1)}; },
                            [](TIn v, double& x, double& y) { x = v[3]; y = Div(v[2], Dh(v[0], v[1])); },
                            nullptr})
{
}

// H, W, L, t
TDuctFitHWLt::TDuctFitHWLt(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {4, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0), in.at(1)}; },
                            [](TIn v, double& x, double& y) {
                                x = Div(v[2], Dh(v[0], v[1]));
                                y = Div(v[3], Dh(v[0], v[1]));
                            },
                            nullptr})
{
}

// L, H, W
TDuctFitLHW::TDuctFitLHW(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {in.at(0), s.S.H, s.S.W}; },
                            [](TIn v, double& x, double& y) { x = Div(v[0], v[1]); y = Div(v[2], v[1]); },
                            [](TSec s, TOut r) { r = {-1, SafeRatio(s.S.W, s.S.H)}; }})
{
}

// H, W, r
TDuctFitHWr::TDuctFitHWr(TValueReader& Reader) : TDuctFit2Dim(Reader, SideRatioAndInputOverWidth)
{
}

// H, W, L
TDuctFitHWL::TDuctFitHWL(TValueReader& Reader) : TDuctFit2Dim(Reader, SideRatioAndInputOverWidth)
{
}

// Angle, H, W
TDuctFitAngleHW::TDuctFitAngleHW(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {in.at(0), s.S.H, s.S.W}; },
                            [](TIn v, double& x, double& y) { x = v[0]; y = Div(v[1], v[2]); },
                            [](TSec s, TOut r) { r = {-1, SafeRatio(s.S.H, s.S.W)}; }})
{
}

// Angle, L, D
TDuctFitAngleLD::TDuctFitAngleLD(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {in.at(0), in.at(1), s.S.D}; },
                            [](TIn v, double& x, double& y) { x = v[0]; y = Div(v[1], v[2]); },
                            nullptr})
{
}

// L, D, Angle
TDuctFitLDAngle::TDuctFitLDAngle(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {in.at(0), s.S.D, in.at(1)}; },
                            [](TIn v, double& x, double& y) { x = Div(v[0], v[1]); y = v[2]; },
                            nullptr})
{
}

// H, W, h
TDuctFitHWh::TDuctFitHWh(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0)}; },
                            [](TIn v, double& x, double& y) { x = Div(v[2], v[0]); y = Div(v[0], v[1]); },
                            [](TSec s, TOut r) { r = {-1, SafeRatio(s.S.H, s.S.W)}; }})
{
}

// H0, W0, H1, W1, n
TDuctFitH0W0H1W1n::TDuctFitH0W0H1W1n(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {5, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0), in.at(1), in.at(2)}; },
                            [](TIn v, double& x, double& y) { x = v[4]; y = Div(v[2] * v[3], v[0] * v[1]); },
                            nullptr})
{
}

// H0, W0, H1, W1, L
TDuctFitH0W0H1W1L::TDuctFitH0W0H1W1L(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {5, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0), in.at(1), in.at(2)}; },
                            [](TIn v, double& x, double& y) {
                                x = Div(v[2] * v[3], v[0] * v[1]);
                                y = Div(v[4], Dh(v[2], v[3]));
                            },
                            nullptr})
{
}

// H, W, N, Angle: N W / ((H + W) 2), the blade length over the perimeter.
TDuctFitHWNAngle::TDuctFitHWNAngle(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {4, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0), in.at(1)}; },
                            [](TIn v, double& x, double& y) { x = v[3]; y = Div(v[2] * v[1], (v[0] + v[1]) * 2.0); },
                            nullptr})
{
}

// H0, W0, D1, r
TDuctFitH0W0D1r::TDuctFitH0W0D1r(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {4, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, s.Second.D, in.at(0)}; },
                            [](TIn v, double& x, double& y) { x = Div(v[3], v[2]); y = Div(v[0] * v[1], A(v[2])); },
                            [](TSec s, TOut r) { r = {-1, SafeRatio(s.S.H * s.S.W, A(s.Second.D))}; }})
{
}

// H, Wo, W1
TDuctFitHWoW1::TDuctFitHWoW1(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn, TOut v) { v = {s.S.H, s.S.W, s.Second.W}; },
                            [](TIn v, double& x, double& y) { x = Div(v[2], v[1]); y = Div(v[0], v[1]); },
                            [](TSec s, TOut r) { r = {SafeRatio(s.Second.W, s.S.W), SafeRatio(s.S.H, s.S.W)}; }})
{
}

// H, W1, Wo
TDuctFitHW1Wo::TDuctFitHW1Wo(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn, TOut v) { v = {s.S.H, s.Second.W, s.S.W}; },
                            [](TIn v, double& x, double& y) { x = Div(v[2], v[1]); y = Div(v[0], v[1]); },
                            [](TSec s, TOut r) { r = {SafeRatio(s.S.W, s.Second.W), SafeRatio(s.S.H, s.Second.W)}; }})
{
}

// H0, W0, H1, W1, Angle
TDuctFitH0W0H1W1Angle::TDuctFitH0W0H1W1Angle(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {5, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, s.Second.H, s.Second.W, in.at(0)}; },
                            [](TIn v, double& x, double& y) { x = v[4]; y = Div(v[0] * v[1], v[2] * v[3]); },
                            [](TSec s, TOut r) { r = {-1, SafeRatio(s.S.A, s.Second.A)}; }})
{
}

// H1, W1, Ho, Wo, Angle
TDuctFitH1W1HoWoAngle::TDuctFitH1W1HoWoAngle(TValueReader& Reader)
    : TDuctFit2Dim(Reader, AreaRatioOfInputsAndAngle)
{
}

// Ho, Wo, H1, W1, Angle
TDuctFitHoWoH1W1Angle::TDuctFitHoWoH1W1Angle(TValueReader& Reader)
    : TDuctFit2Dim(Reader, AreaRatioOfInputsAndAngle)
{
}

// Ho, H1, W1, L: H1 W1 / (Ho W1) keeps the factor W1, so a zero W1 raises.
TDuctFitHoH1W1L::TDuctFitHoH1W1L(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {4, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.Second.H, s.Second.W, in.at(0)}; },
                            [](TIn v, double& x, double& y) { x = Div(v[3], v[0]); y = Div(v[1] * v[2], v[0] * v[2]); },
                            [](TSec s, TOut r) { r = {-1, SafeRatio(s.Second.A, s.S.A)}; }})
{
}

// Ho, Wo, H1, W1, L
TDuctFitHoWoH1W1L::TDuctFitHoWoH1W1L(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {5, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, s.Second.H, s.Second.W, in.at(0)}; },
                            [](TIn v, double& x, double& y) {
                                x = Div(v[4], Dh(v[0], v[1]));
                                y = Div(v[2] * v[3], v[0] * v[1]);
                            },
                            [](TSec s, TOut r) { r = {-1, SafeRatio(s.Second.A, s.S.A)}; }})
{
}

// H0, W0, D1, Angle
TDuctFitH0W0D1Angle::TDuctFitH0W0D1Angle(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {4, poFirstPath,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, s.Second.D, in.at(0)}; },
                            [](TIn v, double& x, double& y) { x = v[3]; y = Div(v[0] * v[1], A(v[2])); },
                            [](TSec s, TOut r) { r = {-1, SafeRatio(s.S.A, s.Second.A)}; }})
{
}

// H, r, L
TDuctFitHrL::TDuctFitHrL(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, in.at(0), in.at(1)}; },
                            [](TIn v, double& x, double& y) { x = Div(v[2], v[0]); y = Div(v[1], v[0]); },
                            nullptr})
{
}

// n, t, d: all three are the fitting's own inputs.
TDuctFitntd::TDuctFitntd(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {3, poFixed,
                            [](TSec, TIn in, TOut v) { v = {in.at(0), in.at(1), in.at(2)}; },
                            [](TIn v, double& x, double& y) { x = v[0]; y = Div(v[1], v[2]); },
                            nullptr})
{
}

// H0, H1, W, Angle: H0 W / (H1 W) keeps the factor W, so a zero W raises.
TDuctFitH0H1WAngle::TDuctFitH0H1WAngle(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {4, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.Second.H, s.S.W, in.at(0)}; },
                            [](TIn v, double& x, double& y) { x = v[3]; y = Div(v[0] * v[2], v[1] * v[2]); },
                            [](TSec s, TOut r) { r = {-1, SafeRatio(s.S.A, s.Second.A)}; }})
{
}

// Ho, Wo, Hb, Wb, Lm, Q: the branch length over the effective length of a
// fan's outlet duct, and the blast area over the outlet area.
TDuctFitHoWoHbWbLmQ::TDuctFitHoWoHbWbLmQ(TValueReader& Reader)
    : TDuctFit2Dim(Reader, {6, poFixed,
                            [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0), in.at(1), s.S.L, s.S.Q}; },
                            [](TIn v, double& x, double& y) {
                                const double Velocity = Div(1000000.0 * v[5], v[0] * v[1]);
                                x = Div(v[4], EffectiveDuctLength(std::sqrt(v[0] * v[1]), Velocity));
                                y = Div(v[2] * v[3], v[0] * v[1]);
                            },
                            [](TSec s, TOut r) {
                                const double Velocity = SafeRatio(s.S.Q, s.S.A);
                                const double Lref = EffectiveDuctLength(std::sqrt(1000000.0 * s.S.A), Velocity);
                                r = {SafeRatio(s.S.L, Lref), -1};
                            }})
{
}
