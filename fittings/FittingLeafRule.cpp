#include "fittings/FittingLeafRule.h"

void RequireInputs(const TFloatVec& Inputs, std::size_t Count)
{
    if (Inputs.size() < Count)
        throw EFittingCalcError("Too few fitting inputs");
}

bool FirstPathIsZero(const TDuctFitting& Fitting)
{
    return Fitting.PathNames.empty() || Fitting.PathNames.front() == "0";
}
