#pragma once
// The two-dimensional geometric fitting family: one coefficient table over
// two axis values computed from the fitting's inputs (ratios of areas, sides
// and lengths, a length over a hydraulic diameter, a velocity ratio, or an
// input such as an angle used unchanged). The leaves differ only in how they
// turn sections and inputs into the pair [x, y]; each states it as a rule
// (DuctFit2Dim.cpp).

#include "fittings/DuctFitRuled.h"

struct T2DimRule {
    static constexpr std::size_t AxisCount = 2;
    std::size_t InputCount;            // values CalcC reads
    TPathOrder PathOrder;              // whether the first path name may exchange S and Second
    TSectionInputsRule Sections;       // CalcCForSections: sections -> CalcC's values
    void (*Axes)(const TFloatVec& Values, double& X, double& Y);  // CalcC: values -> [x, y]
    TVelocityRatiosRule Ratios;        // nullptr: [-1, -1]
};

// Family root: XAxis (the table's columns), YAxis (one row each) and Table;
// the axis values are [x, y].
class TDuctFit2Dim : public TDuctFitRuled<T2DimRule> {
public:
    TDuctFit2Dim(TValueReader& Reader, const T2DimRule& LeafRule);

    TFloatVec XAxis;
    TFloatVec YAxis;
    TFloatMat Table;

    // The lookup at [x, y]; LastInputs becomes [x, y].
    double LookupAt(const TFloatVec& AxisValues);

    double CalcC(const TFloatVec& Inputs) override;
    // LookupAt(AxisValues); the sections are not used.
    double CalcCAt(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                   const TDuctSection& C, const TDuctSection& Second,
                   const TFloatVec& AxisValues) override;
    void CalcMidAxisValues(TFloatVec& AxisValues) override;
    // First and last entries, so a descending axis gives a minimum above its
    // maximum.
    void GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs) override;

protected:
    // S and Second exchanged when the rule's path order asks for it.
    TFitSections Ordered(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                         const TDuctSection& C, const TDuctSection& Second) const override;
};

// The stored classes, in the order of the data format's class list; each
// constructor gives the class's rule (DuctFit2Dim.cpp).
class TDuctFitD0D1A : public TDuctFit2Dim { public: explicit TDuctFitD0D1A(TValueReader& Reader); };
class TDuctFitD1D0A : public TDuctFit2Dim { public: explicit TDuctFitD1D0A(TValueReader& Reader); };
class TDuctFitD0D1n : public TDuctFit2Dim { public: explicit TDuctFitD0D1n(TValueReader& Reader); };
class TDuctFitDD0A : public TDuctFit2Dim { public: explicit TDuctFitDD0A(TValueReader& Reader); };
class TDuctFitDLt : public TDuctFit2Dim { public: explicit TDuctFitDLt(TValueReader& Reader); };
class TDuctFitD0H1W1L : public TDuctFit2Dim { public: explicit TDuctFitD0H1W1L(TValueReader& Reader); };
class TDuctFitD0H1W1A : public TDuctFit2Dim { public: explicit TDuctFitD0H1W1A(TValueReader& Reader); };
class TDuctFitD0rL : public TDuctFit2Dim { public: explicit TDuctFitD0rL(TValueReader& Reader); };
class TDuctFitVQDAngle : public TDuctFit2Dim { public: explicit TDuctFitVQDAngle(TValueReader& Reader); };
class TDuctFitHWAngle : public TDuctFit2Dim { public: explicit TDuctFitHWAngle(TValueReader& Reader); };
class TDuctFitHWLAngle : public TDuctFit2Dim { public: explicit TDuctFitHWLAngle(TValueReader& Reader); };
class TDuctFitHWLt : public TDuctFit2Dim { public: explicit TDuctFitHWLt(TValueReader& Reader); };
class TDuctFitLHW : public TDuctFit2Dim { public: explicit TDuctFitLHW(TValueReader& Reader); };
class TDuctFitHWr : public TDuctFit2Dim { public: explicit TDuctFitHWr(TValueReader& Reader); };
class TDuctFitHWL : public TDuctFit2Dim { public: explicit TDuctFitHWL(TValueReader& Reader); };
class TDuctFitAngleHW : public TDuctFit2Dim { public: explicit TDuctFitAngleHW(TValueReader& Reader); };
class TDuctFitAngleLD : public TDuctFit2Dim { public: explicit TDuctFitAngleLD(TValueReader& Reader); };
class TDuctFitLDAngle : public TDuctFit2Dim { public: explicit TDuctFitLDAngle(TValueReader& Reader); };
class TDuctFitHWh : public TDuctFit2Dim { public: explicit TDuctFitHWh(TValueReader& Reader); };
class TDuctFitH0W0H1W1n : public TDuctFit2Dim { public: explicit TDuctFitH0W0H1W1n(TValueReader& Reader); };
class TDuctFitH0W0H1W1L : public TDuctFit2Dim { public: explicit TDuctFitH0W0H1W1L(TValueReader& Reader); };
class TDuctFitHWNAngle : public TDuctFit2Dim { public: explicit TDuctFitHWNAngle(TValueReader& Reader); };
class TDuctFitH0W0D1r : public TDuctFit2Dim { public: explicit TDuctFitH0W0D1r(TValueReader& Reader); };
class TDuctFitHWoW1 : public TDuctFit2Dim { public: explicit TDuctFitHWoW1(TValueReader& Reader); };
class TDuctFitHW1Wo : public TDuctFit2Dim { public: explicit TDuctFitHW1Wo(TValueReader& Reader); };
class TDuctFitH0W0H1W1Angle : public TDuctFit2Dim { public: explicit TDuctFitH0W0H1W1Angle(TValueReader& Reader); };
class TDuctFitH1W1HoWoAngle : public TDuctFit2Dim { public: explicit TDuctFitH1W1HoWoAngle(TValueReader& Reader); };
class TDuctFitHoWoH1W1Angle : public TDuctFit2Dim { public: explicit TDuctFitHoWoH1W1Angle(TValueReader& Reader); };
class TDuctFitHoH1W1L : public TDuctFit2Dim { public: explicit TDuctFitHoH1W1L(TValueReader& Reader); };
class TDuctFitHoWoH1W1L : public TDuctFit2Dim { public: explicit TDuctFitHoWoH1W1L(TValueReader& Reader); };
class TDuctFitH0W0D1Angle : public TDuctFit2Dim { public: explicit TDuctFitH0W0D1Angle(TValueReader& Reader); };
class TDuctFitHrL : public TDuctFit2Dim { public: explicit TDuctFitHrL(TValueReader& Reader); };
class TDuctFitntd : public TDuctFit2Dim { public: explicit TDuctFitntd(TValueReader& Reader); };
class TDuctFitH0H1WAngle : public TDuctFit2Dim { public: explicit TDuctFitH0H1WAngle(TValueReader& Reader); };
class TDuctFitHoWoHbWbLmQ : public TDuctFit2Dim { public: explicit TDuctFitHoWoHbWbLmQ(TValueReader& Reader); };
