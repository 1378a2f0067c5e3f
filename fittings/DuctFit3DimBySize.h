#pragma once
// Round junctions published as two tables by the size of the common duct:
// one for a common diameter up to SizeLimit (mm), one above it. Both share
// the X and Z axes; the larger size's slices follow the first table in the
// data file. The common diameter chooses the table at every request, so a
// resized duct changes the table without any stored choice.

#include "fittings/DuctFit3DimJunction.h"

// The second table and its limit, as readers that do not know the leaf
// class (the table viewer) find them.
class TSizeClassTables {
public:
    virtual ~TSizeClassTables() = default;

    double SizeLimit = 0.0;  // mm: the first table up to it, the second above
    TFloatMat LargeYAxes;    // the second table's slice Y axes
    TFloatTensor LargeTables;
};

template <class TBase>
class TDuctFitBySize : public TBase, public TSizeClassTables {
public:
    explicit TDuctFitBySize(TValueReader& Reader);

    // Inputs[1] is the common diameter.
    double CalcC(const TFloatVec& Inputs) override;
    double CalcCAt(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                   const TDuctSection& C, const TDuctSection& Second,
                   const TFloatVec& AxisValues) override;

private:
    // Puts the table for the common diameter Dc in place for one lookup.
    class TSizeScope {
    public:
        TSizeScope(TDuctFitBySize& Fitting, double Dc);
        ~TSizeScope();
        TSizeScope(const TSizeScope&) = delete;
        TSizeScope& operator=(const TSizeScope&) = delete;

    private:
        TDuctFitBySize& Fitting;
        bool Swapped;
    };
    void SwapTables();
};

// Ds, Dc, Db, Qb, Qc as TDuctFitDsDcDbQbQc; Ds, Dc, Db, Qs, Qc as
// TDuctFitDsDcDbQsQc.
class TDuctFitDsDcDbQbQcBySize : public TDuctFitBySize<TDuctFitDsDcDbQbQc> {
public:
    using TDuctFitBySize::TDuctFitBySize;
};
class TDuctFitDsDcDbQsQcBySize : public TDuctFitBySize<TDuctFitDsDcDbQsQc> {
public:
    using TDuctFitBySize::TDuctFitBySize;
};
