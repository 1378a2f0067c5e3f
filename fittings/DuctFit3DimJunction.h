#pragma once
// Junctions whose coefficient is a three-dimensional table with a flow ratio
// of the sections on the X axis. Two families:
// - TDuctFit3DimFlowRatioTop: area ratios on Z and on the slice Y axes; the
//   stored axis values of a link are [z, y].
// - TDuctFit3DimFlowRatioTopAndInsideLeft: an area ratio on Z and a second
//   flow ratio on the slice Y axes; the stored axis values are [z].
// The flow ratios always come from the sections. Intermediate classes fix
// which sections the ratios come from; the leaves, how their input values
// (all taken from the sections) become [x, z, y] (DuctFit3DimJunction.cpp).

#include "fittings/DuctFit3Dim.h"

// A flow ratio of the sections, a plain division: a zero flow raises.
using TFlowRatioRule = double (*)(const TFitSections& Sections);

struct TJunctionRatioRule {
    TFlowRatioRule Flow;                // FlowRatio: the X axis value
    TFlowRatioRule Flow2;               // FlowRatio2 on the slice Y axes; nullptr: 0, Y stored
    TVelocityRatiosRule VelocityRatios; // the geometric axis values of the sections
    TVelocityRatiosRule FlowRatios;     // the flow ratios, whatever axis they serve
};

// What both families share: the ratio operations of their intermediate
// classes, the flow-ratio range, which is the X axis, and the stored axis
// values of a link: [z, y], or [z] when a second flow ratio takes the slice
// Y axis.
class TDuctFit3DimFlowRatio : public TDuctFit3Dim {
public:
    // The lookup at [FlowRatio, AxisValues[0], AxisValues[1] or FlowRatio2].
    double CalcCAt(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                   const TDuctSection& C, const TDuctSection& Second,
                   const TFloatVec& AxisValues) override;
    double FlowRatio(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                     const TDuctSection& C, const TDuctSection& Second) override;
    double FlowRatio2(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                      const TDuctSection& C, const TDuctSection& Second) override;
    void CalcVelocityRatios(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                            const TDuctSection& C, const TDuctSection& Second,
                            TFloatVec& Ratios) override;
    void CalcFlowRatios(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                        const TDuctSection& C, const TDuctSection& Second,
                        TFloatVec& Ratios) override;
    // [middle of Z, middle of the longest slice Y axis], or [middle of Z].
    void CalcMidAxisValues(TFloatVec& AxisValues) override;
    // Z, then the Y range over all slices unless Y is a flow ratio.
    void GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs) override;
    // The first and last XAxis entries, whatever the direction.
    void GetFlowRatioRange(double& Min, double& Max) override;

protected:
    TDuctFit3DimFlowRatio(TValueReader& Reader, const T3DimRule& LeafRule,
                          const TJunctionRatioRule& RatioRule);

    // True when a link stores the slice Y axis value, false when the second
    // flow ratio gives it.
    bool StoresY() const { return JunctionRule.Flow2 == nullptr; }

    const TJunctionRatioRule JunctionRule;
};

// Area ratios on Z and on the slice Y axes; the stored axis values are [z, y].
class TDuctFit3DimFlowRatioTop : public TDuctFit3DimFlowRatio {
protected:
    using TDuctFit3DimFlowRatio::TDuctFit3DimFlowRatio;
};

// Qb / Qc on X; the sections give [As / Ac, Ab / Ac].
class TDuctFit3DimFlowRatioTopQbQc : public TDuctFit3DimFlowRatioTop {
protected:
    TDuctFit3DimFlowRatioTopQbQc(TValueReader& Reader, const T3DimRule& LeafRule);
};
// Qs / Qc on X; the sections give [As / Ac, Ab / Ac].
class TDuctFit3DimFlowRatioTopQsQc : public TDuctFit3DimFlowRatioTop {
protected:
    TDuctFit3DimFlowRatioTopQsQc(TValueReader& Reader, const T3DimRule& LeafRule);
};
// Qb1 / Qc on X; the sections give [As / Ac, Ab1 / Ac].
class TDuctFit3DimFlowRatioTopQb1Qc : public TDuctFit3DimFlowRatioTop {
protected:
    TDuctFit3DimFlowRatioTopQb1Qc(TValueReader& Reader, const T3DimRule& LeafRule);
};
// Qb1 / Qc on X; the sections give [Ab1 / Ac, Ab2 / Ac].
class TDuctFit3DimFlowRatioTopQb1QcAb1Ab2 : public TDuctFit3DimFlowRatioTop {
protected:
    TDuctFit3DimFlowRatioTopQb1QcAb1Ab2(TValueReader& Reader, const T3DimRule& LeafRule);
};
// Qb2 / Qc on X; the sections give [Ab1 / Ac, Ab2 / Ac].
class TDuctFit3DimFlowRatioTopQb2QcAb1Ab2 : public TDuctFit3DimFlowRatioTop {
protected:
    TDuctFit3DimFlowRatioTopQb2QcAb1Ab2(TValueReader& Reader, const T3DimRule& LeafRule);
};

// An area ratio on Z and a second flow ratio on the slice Y axes; the stored
// axis values are [z].
class TDuctFit3DimFlowRatioTopAndInsideLeft : public TDuctFit3DimFlowRatio {
protected:
    using TDuctFit3DimFlowRatio::TDuctFit3DimFlowRatio;
};

// The sections give [Ab / Ac]; the flow ratios are [Qb / Qc].
class TDuctFit3DimFlowRatioTopAndInsideLeftAbAcRInfo : public TDuctFit3DimFlowRatioTopAndInsideLeft {
protected:
    TDuctFit3DimFlowRatioTopAndInsideLeftAbAcRInfo(TValueReader& Reader, const T3DimRule& LeafRule,
                                                   TFlowRatioRule Flow, TFlowRatioRule Flow2);
};
// Qb / Qc on X, Qb2 / Qb on the slice Y axes.
class TDuctFit3DimFlowRatioTopAndInsideLeftQbQcAbAcQb2Qb
    : public TDuctFit3DimFlowRatioTopAndInsideLeftAbAcRInfo {
protected:
    TDuctFit3DimFlowRatioTopAndInsideLeftQbQcAbAcQb2Qb(TValueReader& Reader, const T3DimRule& LeafRule);
};
// Qs / Qc on X, Qb2 / Qb on the slice Y axes.
class TDuctFit3DimFlowRatioTopAndInsideLeftQsQcAbAcQb2Qb
    : public TDuctFit3DimFlowRatioTopAndInsideLeftAbAcRInfo {
protected:
    TDuctFit3DimFlowRatioTopAndInsideLeftQsQcAbAcQb2Qb(TValueReader& Reader, const T3DimRule& LeafRule);
};

// The stored junction classes, in the order of the data format's class list.
class TDuctFitDsDcDbQbQc : public TDuctFit3DimFlowRatioTopQbQc {
public:
    explicit TDuctFitDsDcDbQbQc(TValueReader& Reader);
};
class TDuctFitDsDcDbQsQc : public TDuctFit3DimFlowRatioTopQsQc {
public:
    explicit TDuctFitDsDcDbQsQc(TValueReader& Reader);
};
class TDuctFitDb1Db2DcQb1Qc : public TDuctFit3DimFlowRatioTopQb1QcAb1Ab2 {
public:
    explicit TDuctFitDb1Db2DcQb1Qc(TValueReader& Reader);
};
class TDuctFitDb1Db2DcQb2Qc : public TDuctFit3DimFlowRatioTopQb2QcAb1Ab2 {
public:
    explicit TDuctFitDb1Db2DcQb2Qc(TValueReader& Reader);
};
class TDuctFitDsDb1DcQb1Qc : public TDuctFit3DimFlowRatioTopQb1Qc {
public:
    explicit TDuctFitDsDb1DcQb1Qc(TValueReader& Reader);
};
class TDuctFitHWbWcWsQbQc : public TDuctFit3DimFlowRatioTopQbQc {
public:
    explicit TDuctFitHWbWcWsQbQc(TValueReader& Reader);
};
class TDuctFitHWbWcWsQsQc : public TDuctFit3DimFlowRatioTopQsQc {
public:
    explicit TDuctFitHWbWcWsQsQc(TValueReader& Reader);
};
class TDuctFitHWWbQb1Qb2Qc : public TDuctFit3DimFlowRatioTopAndInsideLeftQbQcAbAcQb2Qb {
public:
    explicit TDuctFitHWWbQb1Qb2Qc(TValueReader& Reader);
};
class TDuctFitHWWbQb1Qb2QcQs : public TDuctFit3DimFlowRatioTopAndInsideLeftQsQcAbAcQb2Qb {
public:
    explicit TDuctFitHWWbQb1Qb2QcQs(TValueReader& Reader);
};
class TDuctFitDcDbQb1Qb2Qc : public TDuctFit3DimFlowRatioTopAndInsideLeftQbQcAbAcQb2Qb {
public:
    explicit TDuctFitDcDbQb1Qb2Qc(TValueReader& Reader);
};
class TDuctFitDcDbQb1Qb2QcQs : public TDuctFit3DimFlowRatioTopAndInsideLeftQsQcAbAcQb2Qb {
public:
    explicit TDuctFitDcDbQb1Qb2QcQs(TValueReader& Reader);
};
