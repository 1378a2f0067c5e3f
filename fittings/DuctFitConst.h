#pragma once
// A fitting with one constant loss coefficient.

#include "fittings/DuctFitting.h"

class TDuctFitConst : public TDuctFitting {
public:
    explicit TDuctFitConst(TValueReader& Reader);

    double C = 0.0;

    // C for any inputs and sections; clears a range warning left by an
    // earlier lookup.
    double CalcC(const TFloatVec& Inputs) override;
    double CalcCForSections(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                            const TDuctSection& C, const TDuctSection& Second,
                            const TFloatVec& Inputs) override;
    double CalcCAt(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                   const TDuctSection& C, const TDuctSection& Second,
                   const TFloatVec& AxisValues) override;
};
