#include "fittings/DuctFit3DimBySize.h"

#include "fittings/FittingLeafRule.h"
#include "fittings/FittingLists.h"

#include <utility>

template <class TBase>
TDuctFitBySize<TBase>::TDuctFitBySize(TValueReader& Reader) : TBase(Reader)
{
    SizeLimit = Reader.ReadFloat();
    LargeYAxes = ReadFloatMat(Reader);
    LargeTables = ReadFloatTensor(Reader);
    TBase::RequireShape(LargeYAxes.size() == this->ZAxis.size() && LargeTables.size() == this->ZAxis.size());
    for (std::size_t k = 0; k < this->ZAxis.size(); ++k)
        TBase::RequireTable(this->XAxis, LargeYAxes[k], LargeTables[k]);
}

template <class TBase>
void TDuctFitBySize<TBase>::SwapTables()
{
    std::swap(this->YAxes, LargeYAxes);
    std::swap(this->Tables, LargeTables);
}

template <class TBase>
TDuctFitBySize<TBase>::TSizeScope::TSizeScope(TDuctFitBySize& Fitting, double Dc)
    : Fitting(Fitting), Swapped(Dc > Fitting.SizeLimit)
{
    if (Swapped)
        Fitting.SwapTables();
}

// The first table is back in place after every lookup, also one that raised.
template <class TBase>
TDuctFitBySize<TBase>::TSizeScope::~TSizeScope()
{
    if (Swapped)
        Fitting.SwapTables();
}

template <class TBase>
double TDuctFitBySize<TBase>::CalcC(const TFloatVec& Inputs)
{
    RequireInputs(Inputs, this->Rule.InputCount);
    TSizeScope Scope(*this, Inputs[1]);
    return TBase::CalcC(Inputs);
}

template <class TBase>
double TDuctFitBySize<TBase>::CalcCAt(const TDuctSection& S, const TDuctSection& B,
                                      const TDuctSection& B2, const TDuctSection& C,
                                      const TDuctSection& Second, const TFloatVec& AxisValues)
{
    TSizeScope Scope(*this, C.D);
    return TBase::CalcCAt(S, B, B2, C, Second, AxisValues);
}

template class TDuctFitBySize<TDuctFitDsDcDbQbQc>;
template class TDuctFitBySize<TDuctFitDsDcDbQsQc>;
