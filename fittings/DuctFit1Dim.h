#pragma once
// The one-dimensional fitting family: a coefficient table over one axis value
// (a diameter, a length, an angle, or a ratio of two sizes, areas or flows).
// The leaves differ only in how they turn their inputs and sections into that
// axis value; each states it as a rule (DuctFit1Dim.cpp).

#include "fittings/DuctFitRuled.h"

struct T1DimRule {
    static constexpr std::size_t AxisCount = 1;
    std::size_t InputCount;            // values CalcC reads
    TSectionInputsRule Sections;       // CalcCForSections: sections -> CalcC's values
    double (*Axis)(const TFloatVec& Values);  // CalcC: values -> axis value
    TVelocityRatiosRule Ratios;        // nullptr: the sections determine no axis value
};

// Family root: reads XAxis and Values (at least two entries, equal counts).
// The velocity ratios are the leaf's ratio, or [-1].
class TDuctFit1Dim : public TDuctFitRuled<T1DimRule> {
public:
    TDuctFit1Dim(TValueReader& Reader, const T1DimRule& LeafRule);

    TFloatVec XAxis;
    TFloatVec Values;

    double CalcC(const TFloatVec& Inputs) override;
    double CalcCAt(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                   const TDuctSection& C, const TDuctSection& Second,
                   const TFloatVec& AxisValues) override;
    void CalcMidAxisValues(TFloatVec& AxisValues) override;
    void GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs) override;

protected:
    double Lookup(double X) { return Interp1D(XAxis, Values, X); }
};

// Axis value: first input / second input.
class TDuctFit1Dim2InpRatio : public TDuctFit1Dim {
public:
    TDuctFit1Dim2InpRatio(TValueReader& Reader, TSectionInputsRule Sections,
                          TVelocityRatiosRule Ratios);
};

// The axis is the flow ratio of two sections: the coefficient is always taken
// at the sections' flow ratio, never at stored axis values, and the family has
// no geometric axis (empty ratios, middle values and ranges).
class TDuctFit1Dim2InpFlowRatio : public TDuctFit1Dim2InpRatio {
public:
    TDuctFit1Dim2InpFlowRatio(TValueReader& Reader, TSectionInputsRule Sections);

    double CalcCAt(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                   const TDuctSection& C, const TDuctSection& Second,
                   const TFloatVec& AxisValues) override;
    // The leaf's two flows divided plainly: a zero common flow raises.
    double FlowRatio(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                     const TDuctSection& C, const TDuctSection& Second) override;
    void CalcVelocityRatios(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                            const TDuctSection& C, const TDuctSection& Second,
                            TFloatVec& Ratios) override;
    void CalcMidAxisValues(TFloatVec& AxisValues) override;
    void GetFlowRatioRange(double& Min, double& Max) override;
    void GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs) override;
};

// The stored classes, in the order of the data format's class list. Each
// constructor gives the class's rule (DuctFit1Dim.cpp).

// Diameter of the straight section; CalcCAt also looks up S.D.
class TDuctFitD : public TDuctFit1Dim {
public:
    explicit TDuctFitD(TValueReader& Reader);
    double CalcCAt(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                   const TDuctSection& C, const TDuctSection& Second,
                   const TFloatVec& AxisValues) override;
};
class TDuctFitL : public TDuctFit1Dim { public: explicit TDuctFitL(TValueReader& Reader); };
class TDuctFitAngle : public TDuctFit1Dim { public: explicit TDuctFitAngle(TValueReader& Reader); };
class TDuctFitrD : public TDuctFit1Dim2InpRatio { public: explicit TDuctFitrD(TValueReader& Reader); };
class TDuctFitDorD : public TDuctFit1Dim2InpRatio { public: explicit TDuctFitDorD(TValueReader& Reader); };
class TDuctFithD : public TDuctFit1Dim2InpRatio { public: explicit TDuctFithD(TValueReader& Reader); };
class TDuctFitAbAo : public TDuctFit1Dim2InpRatio { public: explicit TDuctFitAbAo(TValueReader& Reader); };
class TDuctFitDeD : public TDuctFit1Dim2InpRatio { public: explicit TDuctFitDeD(TValueReader& Reader); };
class TDuctFitLD0 : public TDuctFit1Dim2InpRatio { public: explicit TDuctFitLD0(TValueReader& Reader); };
class TDuctFitLD : public TDuctFit1Dim2InpRatio { public: explicit TDuctFitLD(TValueReader& Reader); };
class TDuctFitLH : public TDuctFit1Dim2InpRatio { public: explicit TDuctFitLH(TValueReader& Reader); };
class TDuctFitHW : public TDuctFit1Dim2InpRatio { public: explicit TDuctFitHW(TValueReader& Reader); };
class TDuctFitQbQc : public TDuctFit1Dim2InpFlowRatio { public: explicit TDuctFitQbQc(TValueReader& Reader); };
class TDuctFitQsQc : public TDuctFit1Dim2InpFlowRatio { public: explicit TDuctFitQsQc(TValueReader& Reader); };
class TDuctFitDbDc : public TDuctFit1Dim { public: explicit TDuctFitDbDc(TValueReader& Reader); };
class TDuctFitLmDQ : public TDuctFit1Dim { public: explicit TDuctFitLmDQ(TValueReader& Reader); };
class TDuctFitHWbWc : public TDuctFit1Dim { public: explicit TDuctFitHWbWc(TValueReader& Reader); };
class TDuctFitH0W0L : public TDuctFit1Dim { public: explicit TDuctFitH0W0L(TValueReader& Reader); };
