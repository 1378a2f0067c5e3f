#include "fittings/DuctFit1Dim.h"

#include "fittings/FittingLists.h"

TDuctFit1Dim::TDuctFit1Dim(TValueReader& Reader) : TDuctFitting(Reader)
{
    XAxis = ReadFloatList(Reader);
    Values = ReadFloatList(Reader);
    RequireValues(XAxis, Values);
}

double TDuctFit1Dim::CalcCAt(const TDuctSection&, const TDuctSection&, const TDuctSection&,
                             const TDuctSection&, const TDuctSection&, const TFloatVec& AxisValues)
{
    return Lookup(AxisValues.at(0));
}

void TDuctFit1Dim::CalcVelocityRatios(const TDuctSection&, const TDuctSection&,
                                      const TDuctSection&, const TDuctSection&,
                                      const TDuctSection&, TFloatVec& Ratios)
{
    Ratios.assign({-1.0});
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

double TDuctFitAngle::CalcC(const TFloatVec& Inputs)
{
    return Lookup(Inputs.at(0));
}

double TDuctFitAngle::CalcCForSections(const TDuctSection&, const TDuctSection&,
                                       const TDuctSection&, const TDuctSection&,
                                       const TDuctSection&, const TFloatVec& Inputs)
{
    SectionInputs.assign({Inputs.at(0)});
    return CalcC(SectionInputs);
}

double TDuctFit1Dim2InpRatio::CalcC(const TFloatVec& Inputs)
{
    return Lookup(CheckedDivide(Inputs.at(0), Inputs.at(1)));
}

double TDuctFitrD::CalcCForSections(const TDuctSection& S, const TDuctSection&,
                                    const TDuctSection&, const TDuctSection&,
                                    const TDuctSection&, const TFloatVec& Inputs)
{
    SectionInputs.assign({Inputs.at(0), S.D});
    return CalcC(SectionInputs);
}

double TDuctFitAbAo::CalcCForSections(const TDuctSection&, const TDuctSection&,
                                      const TDuctSection&, const TDuctSection&,
                                      const TDuctSection&, const TFloatVec& Inputs)
{
    SectionInputs.assign({Inputs.at(0), Inputs.at(1)});
    return CalcC(SectionInputs);
}
