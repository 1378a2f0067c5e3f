#pragma once
// The one-dimensional fitting family: a coefficient table over one axis value
// (an angle, a ratio of two sizes or areas, ...). The leaves differ only in
// how they turn their inputs and sections into that axis value.

#include "fittings/DuctFitting.h"

// Family root: reads XAxis and Values (at least two entries, equal counts).
class TDuctFit1Dim : public TDuctFitting {
public:
    explicit TDuctFit1Dim(TValueReader& Reader);

    TFloatVec XAxis;
    TFloatVec Values;

    double CalcCAt(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                   const TDuctSection& C, const TDuctSection& Second,
                   const TFloatVec& AxisValues) override;
    // [-1]: the sections determine no axis value.
    void CalcVelocityRatios(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                            const TDuctSection& C, const TDuctSection& Second,
                            TFloatVec& Ratios) override;
    void CalcMidAxisValues(TFloatVec& AxisValues) override;
    void GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs) override;

protected:
    double Lookup(double X) { return Interp1D(XAxis, Values, X); }

    // Reused for the input sequence built from the sections, so that a
    // coefficient request allocates nothing after the first.
    TFloatVec SectionInputs;
};

// Axis value: the input itself (an angle in degrees).
class TDuctFitAngle : public TDuctFit1Dim {
public:
    using TDuctFit1Dim::TDuctFit1Dim;
    double CalcC(const TFloatVec& Inputs) override;
    double CalcCForSections(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                            const TDuctSection& C, const TDuctSection& Second,
                            const TFloatVec& Inputs) override;
};

// Axis value: first input / second input.
class TDuctFit1Dim2InpRatio : public TDuctFit1Dim {
public:
    using TDuctFit1Dim::TDuctFit1Dim;
    double CalcC(const TFloatVec& Inputs) override;
};

// Radius over the diameter of the straight section: [r, S.D].
class TDuctFitrD : public TDuctFit1Dim2InpRatio {
public:
    using TDuctFit1Dim2InpRatio::TDuctFit1Dim2InpRatio;
    double CalcCForSections(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                            const TDuctSection& C, const TDuctSection& Second,
                            const TFloatVec& Inputs) override;
};

// Ratio of two areas given as inputs: [Ab, Ao].
class TDuctFitAbAo : public TDuctFit1Dim2InpRatio {
public:
    using TDuctFit1Dim2InpRatio::TDuctFit1Dim2InpRatio;
    double CalcCForSections(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                            const TDuctSection& C, const TDuctSection& Second,
                            const TFloatVec& Inputs) override;
};
