#include "fittings/DuctFitConst.h"

TDuctFitConst::TDuctFitConst(TValueReader& Reader) : TDuctFitting(Reader)
{
    C = Reader.ReadFloat();
}

double TDuctFitConst::CalcC(const TFloatVec&)
{
    RangeFlag = false;
    LastInputs.clear();
    return C;
}

double TDuctFitConst::CalcCForSections(const TDuctSection&, const TDuctSection&,
                                       const TDuctSection&, const TDuctSection&,
                                       const TDuctSection&, const TFloatVec&)
{
    return CalcC({});
}

double TDuctFitConst::CalcCAt(const TDuctSection&, const TDuctSection&, const TDuctSection&,
                              const TDuctSection&, const TDuctSection&, const TFloatVec&)
{
    return CalcC({});
}
