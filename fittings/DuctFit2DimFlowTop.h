#pragma once
// Junctions (tees and wyes) whose coefficient is a two-dimensional table with
// a flow ratio of two sections on XAxis and an area ratio on YAxis: the branch
// path (Qb/Qc) and the straight-through path (Qs/Qc). The flow ratio always
// comes from the sections; the one stored axis value is the area ratio, which
// the network starts at the flow ratio and relaxes towards the sized ducts'
// area ratio between sizing passes.

#include "fittings/DuctFit2Dim.h"

class TDuctFit2DimFlowTop : public TDuctFit2Dim {
public:
    // LookupAt([FlowRatio, AxisValues[0]]).
    double CalcCAt(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                   const TDuctSection& C, const TDuctSection& Second,
                   const TFloatVec& AxisValues) override;
    // The path section's flow over C.Q: a zero common flow raises.
    double FlowRatio(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                     const TDuctSection& C, const TDuctSection& Second) override;
    // [FlowRatio]: with equal velocities the area ratio equals the flow ratio.
    void CalcFlowRatios(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                        const TDuctSection& C, const TDuctSection& Second, TFloatVec& Ratios) override;
    // [the path section's area over C.A].
    void CalcVelocityRatios(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                            const TDuctSection& C, const TDuctSection& Second,
                            TFloatVec& Ratios) override;
    void GetFlowRatioRange(double& Min, double& Max) override;
    // One pair: the area-ratio axis.
    void GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs) override;
    void CalcMidAxisValues(TFloatVec& AxisValues) override;

protected:
    // The path section is B on the branch path, S on the straight-through one.
    TDuctFit2DimFlowTop(TValueReader& Reader, const T2DimRule& LeafRule, bool BranchPath);

private:
    const TDuctSection& PathSection(const TDuctSection& S, const TDuctSection& B) const
    {
        return BranchPath ? B : S;
    }

    const bool BranchPath;
};

// Branch path: flow ratio B.Q / C.Q, area ratio B.A / C.A.
class TDuctFit2DimFlowTopQbQc : public TDuctFit2DimFlowTop {
protected:
    TDuctFit2DimFlowTopQbQc(TValueReader& Reader, const T2DimRule& LeafRule);
};

// Straight-through path: flow ratio S.Q / C.Q, area ratio S.A / C.A.
class TDuctFit2DimFlowTopQsQc : public TDuctFit2DimFlowTop {
protected:
    TDuctFit2DimFlowTopQsQc(TValueReader& Reader, const T2DimRule& LeafRule);
};

// The stored classes, in the order of the data format's class list; each
// constructor gives the class's rule (DuctFit2DimFlowTop.cpp).
class TDuctFitDbDcQbQc : public TDuctFit2DimFlowTopQbQc { public: explicit TDuctFitDbDcQbQc(TValueReader& Reader); };
class TDuctFitHWbWcQbQc : public TDuctFit2DimFlowTopQbQc { public: explicit TDuctFitHWbWcQbQc(TValueReader& Reader); };
class TDuctFitDsDcQsQc : public TDuctFit2DimFlowTopQsQc { public: explicit TDuctFitDsDcQsQc(TValueReader& Reader); };
class TDuctFitHbWbHcWcQbQc : public TDuctFit2DimFlowTopQbQc { public: explicit TDuctFitHbWbHcWcQbQc(TValueReader& Reader); };
class TDuctFitHcWcDbQbQc : public TDuctFit2DimFlowTopQbQc { public: explicit TDuctFitHcWcDbQbQc(TValueReader& Reader); };
class TDuctFitHsWsHcWcQsQc : public TDuctFit2DimFlowTopQsQc { public: explicit TDuctFitHsWsHcWcQsQc(TValueReader& Reader); };
class TDuctFitHWsWcQsQc : public TDuctFit2DimFlowTopQsQc { public: explicit TDuctFitHWsWcQsQc(TValueReader& Reader); };
