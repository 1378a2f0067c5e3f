#include "fittings/DuctFit1Dim.h"

#include "fittings/FittingLists.h"

#include <cmath>

namespace {

using namespace LeafRuleNames;

double FirstValue(TIn v)
{
    return v[0];
}

double FirstOverSecond(TIn v)
{
    return Div(v[0], v[1]);
}

// Rules that several leaves share: they differ only in what their tables hold.
// The fitting's own first input as the axis value.
constexpr T1DimRule OwnInput = {1, [](TSec, TIn in, TOut v) { v = {in.at(0)}; }, FirstValue, nullptr};
// The fitting's own first input over the straight section's diameter.
constexpr TSectionInputsRule InputOverD = [](TSec s, TIn in, TOut v) { v = {in.at(0), s.S.D}; };
// The fitting's own first input over its second.
constexpr TSectionInputsRule TwoInputs = [](TSec, TIn in, TOut v) { v = {in.at(0), in.at(1)}; };

} // namespace

TDuctFit1Dim::TDuctFit1Dim(TValueReader& Reader, const T1DimRule& LeafRule)
    : TDuctFitRuled(Reader, LeafRule)
{
    XAxis = ReadFloatList(Reader);
    Values = ReadFloatList(Reader);
    RequireValues(XAxis, Values);
}

double TDuctFit1Dim::CalcC(const TFloatVec& Inputs)
{
    RequireInputs(Inputs, Rule.InputCount);
    return Lookup(Rule.Axis(Inputs));
}

double TDuctFit1Dim::CalcCAt(const TDuctSection&, const TDuctSection&, const TDuctSection&,
                             const TDuctSection&, const TDuctSection&, const TFloatVec& AxisValues)
{
    return Lookup(AxisValues.at(0));
}

void TDuctFit1Dim::CalcMidAxisValues(TFloatVec& AxisValues)
{
    AxisValues.assign({MiddleEntry(XAxis)});
}

void TDuctFit1Dim::GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs)
{
    Mins.assign({XAxis.front()});
    Maxs.assign({XAxis.back()});
}

TDuctFit1Dim2InpRatio::TDuctFit1Dim2InpRatio(TValueReader& Reader, TSectionInputsRule Sections,
                                             TVelocityRatiosRule Ratios)
    : TDuctFit1Dim(Reader, {2, Sections, FirstOverSecond, Ratios})
{
}

TDuctFit1Dim2InpFlowRatio::TDuctFit1Dim2InpFlowRatio(TValueReader& Reader,
                                                     TSectionInputsRule Sections)
    : TDuctFit1Dim2InpRatio(Reader, Sections, nullptr)
{
}

double TDuctFit1Dim2InpFlowRatio::CalcCAt(const TDuctSection& S, const TDuctSection& B,
                                          const TDuctSection& B2, const TDuctSection& C,
                                          const TDuctSection& Second, const TFloatVec& AxisValues)
{
    return CalcCForSections(S, B, B2, C, Second, AxisValues);
}

double TDuctFit1Dim2InpFlowRatio::FlowRatio(const TDuctSection& S, const TDuctSection& B,
                                            const TDuctSection& B2, const TDuctSection& C,
                                            const TDuctSection& Second)
{
    Rule.Sections({S, B, B2, C, Second}, {}, SectionInputs);
    return FirstOverSecond(SectionInputs);
}

void TDuctFit1Dim2InpFlowRatio::CalcVelocityRatios(const TDuctSection&, const TDuctSection&,
                                                   const TDuctSection&, const TDuctSection&,
                                                   const TDuctSection&, TFloatVec& Ratios)
{
    Ratios.clear();
}

void TDuctFit1Dim2InpFlowRatio::CalcMidAxisValues(TFloatVec& AxisValues)
{
    AxisValues.clear();
}

void TDuctFit1Dim2InpFlowRatio::GetFlowRatioRange(double& Min, double& Max)
{
    Min = XAxis.front();
    Max = XAxis.back();
}

void TDuctFit1Dim2InpFlowRatio::GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs)
{
    Mins.clear();
    Maxs.clear();
}

// The leaves. Each rule reads: the values CalcC takes, how CalcCForSections
// builds them from the sections (S.D is field D of record S, in[k] the
// fitting's own input k), the axis value CalcC looks up, and the axis value
// the sections determine (nullptr: none).

TDuctFitD::TDuctFitD(TValueReader& Reader)
    : TDuctFit1Dim(Reader, {1, [](TSec s, TIn, TOut v) { v = {s.S.D}; }, FirstValue, nullptr})
{
}

double TDuctFitD::CalcCAt(const TDuctSection& S, const TDuctSection&, const TDuctSection&,
                          const TDuctSection&, const TDuctSection&, const TFloatVec&)
{
    return Lookup(S.D);
}

TDuctFitL::TDuctFitL(TValueReader& Reader) : TDuctFit1Dim(Reader, OwnInput)
{
}

TDuctFitAngle::TDuctFitAngle(TValueReader& Reader) : TDuctFit1Dim(Reader, OwnInput)
{
}

TDuctFitrD::TDuctFitrD(TValueReader& Reader) : TDuctFit1Dim2InpRatio(Reader, InputOverD, nullptr)
{
}

TDuctFitDorD::TDuctFitDorD(TValueReader& Reader) : TDuctFit1Dim2InpRatio(Reader, InputOverD, nullptr)
{
}

TDuctFithD::TDuctFithD(TValueReader& Reader) : TDuctFit1Dim2InpRatio(Reader, InputOverD, nullptr)
{
}

TDuctFitAbAo::TDuctFitAbAo(TValueReader& Reader) : TDuctFit1Dim2InpRatio(Reader, TwoInputs, nullptr)
{
}

TDuctFitDeD::TDuctFitDeD(TValueReader& Reader) : TDuctFit1Dim2InpRatio(Reader, InputOverD, nullptr)
{
}

TDuctFitLD0::TDuctFitLD0(TValueReader& Reader) : TDuctFit1Dim2InpRatio(Reader, TwoInputs, nullptr)
{
}

TDuctFitLD::TDuctFitLD(TValueReader& Reader) : TDuctFit1Dim2InpRatio(Reader, InputOverD, nullptr)
{
}

TDuctFitLH::TDuctFitLH(TValueReader& Reader)
    : TDuctFit1Dim2InpRatio(Reader, [](TSec s, TIn in, TOut v) { v = {in.at(0), s.S.H}; }, nullptr)
{
}

TDuctFitHW::TDuctFitHW(TValueReader& Reader)
    : TDuctFit1Dim2InpRatio(Reader, [](TSec s, TIn, TOut v) { v = {s.S.H, s.S.W}; },
                            [](TSec s, TOut r) { r = {SafeRatio(s.S.H, s.S.W)}; })
{
}

TDuctFitQbQc::TDuctFitQbQc(TValueReader& Reader)
    : TDuctFit1Dim2InpFlowRatio(Reader, [](TSec s, TIn, TOut v) { v = {s.B.Q, s.C.Q}; })
{
}

TDuctFitQsQc::TDuctFitQsQc(TValueReader& Reader)
    : TDuctFit1Dim2InpFlowRatio(Reader, [](TSec s, TIn, TOut v) { v = {s.S.Q, s.C.Q}; })
{
}

// Area ratio of the branch to the common section, from their diameters.
TDuctFitDbDc::TDuctFitDbDc(TValueReader& Reader)
    : TDuctFit1Dim(Reader, {2, [](TSec s, TIn, TOut v) { v = {s.B.D, s.C.D}; },
                            [](TIn v) { return Div(A(v[0]), A(v[1])); },
                            [](TSec s, TOut r) { r = {SafeRatio(s.B.A, s.C.A)}; }})
{
}

// The branch length over the effective length of a fan's outlet duct, from
// values [L (m), D (mm), Q (m3/s)].
TDuctFitLmDQ::TDuctFitLmDQ(TValueReader& Reader)
    : TDuctFit1Dim(Reader, {3, [](TSec s, TIn, TOut v) { v = {s.S.L, s.S.D, s.S.Q}; },
                            [](TIn v) {
                                const double Area = RoundArea(v[1]); // mm2
                                const double Velocity = Div(1e6 * v[2], Area);
                                return Div(v[0], EffectiveDuctLength(std::sqrt(Area), Velocity));
                            },
                            [](TSec s, TOut r) {
                                const double Velocity = SafeRatio(s.S.Q, s.S.A);
                                const double Lref = EffectiveDuctLength(std::sqrt(1e6 * s.S.A), Velocity);
                                r = {SafeRatio(s.S.L, Lref)};
                            }})
{
}

// Area ratio of a branch to the common section of equal height.
TDuctFitHWbWc::TDuctFitHWbWc(TValueReader& Reader)
    : TDuctFit1Dim(Reader, {3, [](TSec s, TIn, TOut v) { v = {s.B.H, s.B.W, s.C.W}; },
                            [](TIn v) { return Div(v[0] * v[1], v[0] * v[2]); },
                            [](TSec s, TOut r) { r = {SafeRatio(s.B.A, s.C.A)}; }})
{
}

// A length over the hydraulic diameter of the straight section.
TDuctFitH0W0L::TDuctFitH0W0L(TValueReader& Reader)
    : TDuctFit1Dim(Reader, {3, [](TSec s, TIn in, TOut v) { v = {s.S.H, s.S.W, in.at(0)}; },
                            [](TIn v) { return Div(v[2], Dh(v[0], v[1])); },
                            nullptr})
{
}
