#pragma once
// Fittings whose coefficient is a two-dimensional table value times a
// correction factor from a one-dimensional table: C = K(z) Cp(x, y). The
// axis values are [z, x, y]: z on the factor axis, x and y on the 2-D table.
// The leaves differ only in how they turn sections and inputs into them; each
// states it as a rule (DuctFit2Dim1Dim.cpp).

#include "fittings/DuctFitRuled.h"

struct T2Dim1DimRule {
    static constexpr std::size_t AxisCount = 3;
    std::size_t InputCount;       // values CalcC reads
    TSectionInputsRule Sections;  // CalcCForSections: sections -> CalcC's values
    void (*Axes)(const TFloatVec& Values, double& Z, double& X, double& Y);  // CalcC
    TVelocityRatiosRule Ratios;   // [z, x, y] from the sections; nullptr: [-1, -1, -1]
};

// Family root. Never stored itself: the data file names its leaves.
class TDuctFit2Dim1Dim : public TDuctFitRuled<T2Dim1DimRule> {
public:
    // Reads XAxis, YAxis, Table, FactorAxis, Factors; raises the stream's
    // format error when a table does not have the sizes of its axes.
    TDuctFit2Dim1Dim(TValueReader& Reader, const T2Dim1DimRule& LeafRule);

    TFloatVec XAxis;
    TFloatVec YAxis;
    TFloatMat Table;  // rows by YAxis, columns by XAxis
    TFloatVec FactorAxis;
    TFloatVec Factors;

    // K(Z) Cp(X, Y). RangeFlag describes the 2-D lookup only: a factor far
    // outside its axis is extrapolated without a warning. LastInputs becomes
    // [Z, X, Y].
    double LookupAt(double Z, double X, double Y);

    double CalcC(const TFloatVec& Inputs) override;
    // The lookup at the given [z, x, y]; the sections are not used.
    double CalcCAt(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                   const TDuctSection& C, const TDuctSection& Second,
                   const TFloatVec& AxisValues) override;
    void CalcMidAxisValues(TFloatVec& AxisValues) override;
    void GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs) override;
};

// Inputs H, W, R, A: [A, H / W, R / W] (a smooth radius elbow by angle).
class TDuctFitHWRA : public TDuctFit2Dim1Dim { public: explicit TDuctFitHWRA(TValueReader& Reader); };
// Inputs H, W, L, Q: [Re / 1000, L / W, H / W], Re of the duct's flow.
class TDuctFitHWLQ : public TDuctFit2Dim1Dim { public: explicit TDuctFitHWLQ(TValueReader& Reader); };
