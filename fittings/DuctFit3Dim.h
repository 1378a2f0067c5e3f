#pragma once
// The three-dimensional fitting family: a stack of 2-D tables (slices) along
// a slice axis Z, each slice with a Y axis of its own and all sharing the X
// axis. The axis values are [x, z, y]. The leaves differ only in how they turn
// sections and inputs into them; each states it as a rule (DuctFit3Dim.cpp).
// The junction families with flow ratios build on this root
// (DuctFit3DimJunction.h).

#include "fittings/DuctFitRuled.h"

struct T3DimRule {
    static constexpr std::size_t AxisCount = 3;
    std::size_t InputCount;       // values CalcC reads
    TSectionInputsRule Sections;  // CalcCForSections: sections -> CalcC's values
    void (*Axes)(const TFloatVec& Values, double& X, double& Z, double& Y);  // CalcC
    TVelocityRatiosRule Ratios;   // nullptr: the root's [-1, -1, -1]
};

// Family root. Never stored itself: the data file names its leaves.
class TDuctFit3Dim : public TDuctFitRuled<T3DimRule> {
public:
    // Reads XAxis, YAxes, ZAxis, Tables; raises the stream's format error
    // unless there is one Y axis and one table per Z entry and every table has
    // the sizes of its axes.
    TDuctFit3Dim(TValueReader& Reader, const T3DimRule& LeafRule);

    TFloatVec XAxis;     // shared by every slice: the tables' columns
    TFloatMat YAxes;     // YAxes[k]: the rows of slice k
    TFloatVec ZAxis;     // one entry per slice
    TFloatTensor Tables;

    // The lookup at [X, Z, Y]. RangeFlag is that of the last slice looked up
    // (the Z axis itself never warns); LastInputs becomes [X, Z, Y].
    double LookupAt(double X, double Z, double Y);

    double CalcC(const TFloatVec& Inputs) override;
    // The lookup at the given [x, z, y]; the sections are not used.
    double CalcCAt(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                   const TDuctSection& C, const TDuctSection& Second,
                   const TFloatVec& AxisValues) override;
    // The middle of X, of Z and of the first slice's Y axis.
    void CalcMidAxisValues(TFloatVec& AxisValues) override;
    // X and Z from their first and last entries; Y from the lowest first and
    // the highest last entry of all slices' Y axes.
    void GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs) override;

protected:
    // The middle of the longest slice Y axis; of equally long ones the first.
    double MiddleOfLongestYAxis() const;
    // The first entry of slice 0's Y axis lowered, and its last entry raised,
    // by the other slices' Y axes.
    void YAxisRange(double& Min, double& Max) const;
};

// The stored geometric classes, in the order of the data format's class list.
class TDuctFitH1W1D0LA : public TDuctFit3Dim { public: explicit TDuctFitH1W1D0LA(TValueReader& Reader); };
class TDuctFitH0W0D1LA : public TDuctFit3Dim { public: explicit TDuctFitH0W0D1LA(TValueReader& Reader); };
class TDuctFitHWdyQ : public TDuctFit3Dim { public: explicit TDuctFitHWdyQ(TValueReader& Reader); };
class TDuctFitDdyLQ : public TDuctFit3Dim { public: explicit TDuctFitDdyLQ(TValueReader& Reader); };
class TDuctFitH0W0H1W1LA : public TDuctFit3Dim { public: explicit TDuctFitH0W0H1W1LA(TValueReader& Reader); };
class TDuctFitH0H1WAQ : public TDuctFit3Dim { public: explicit TDuctFitH0H1WAQ(TValueReader& Reader); };
class TDuctFitH0W0H1W1AQ : public TDuctFit3Dim { public: explicit TDuctFitH0W0H1W1AQ(TValueReader& Reader); };
class TDuctFitVQHWA : public TDuctFit3Dim { public: explicit TDuctFitVQHWA(TValueReader& Reader); };
