#pragma once
// The common base of every fitting class of the database: the shared fields
// read from the data file, the coefficient operations each family fills in,
// the table lookups that add the range warning, and the guarded entry points
// through which the network asks for coefficients. A failed calculation never
// escapes a guarded entry point: it gives 0 with the range warning, or an
// empty sequence.

#include "fittings/FittingTypes.h"
#include "foundation/ValueStream.h"

#include <initializer_list>
#include <stdexcept>
#include <string>

// True when the last coefficient came from a lookup outside its table, or
// when its calculation failed. Describes the last calculation only.
extern bool RangeFlag;

// Raised inside a coefficient calculation that cannot give a number (a zero
// divisor); the guarded entry points turn it into the range warning.
class EFittingCalcError : public std::domain_error {
public:
    using std::domain_error::domain_error;
};

// N / D for the coefficient formulas: a zero divisor or a result that is not
// finite raises EFittingCalcError.
double CheckedDivide(double N, double D);

// The entry at index round(High / 2), ties to even, High the last index: of
// 2 entries the first, of 4 the third, of 6 the third. Raises
// EFittingCalcError for an empty axis.
double MiddleEntry(const TFloatVec& Axis);

TStringVec CopyStringArray(const TStringVec& Source);
TFloatVec CopyFloatArray(const TFloatVec& Source);

class TDuctFitting {
public:
    // Reads the common fields in their stored order. An axis scale other than
    // 0 or 1 raises the stream's "Invalid property value".
    explicit TDuctFitting(TValueReader& Reader);
    virtual ~TDuctFitting() = default;
    TDuctFitting(const TDuctFitting&) = delete;
    TDuctFitting& operator=(const TDuctFitting&) = delete;

    std::string Code;
    std::string Name;
    TStringVec InputNames;
    TStringVec AuxList1;
    TFloatVec InputDefaults;
    TFloatVec LastInputs;  // the table-axis values of the last lookup
    TStringVec AuxList2;
    TStringVec PathNames;  // empty means the single path "s"
    TStringVec AxisNames;
    TScaleVec AxisScales;
    TFloatVec AxisDefaults;  // -1: the middle entry of that axis
    std::string LabelBefore;
    std::string LabelAfter;
    double CMin = 0.0;
    double CMax = 0.0;

    // Coefficient operations of the families. Inputs follow InputNames.
    virtual double CalcC(const TFloatVec& Inputs) = 0;
    virtual double CalcCForSections(const TDuctSection& S, const TDuctSection& B,
                                    const TDuctSection& B2, const TDuctSection& C,
                                    const TDuctSection& Second, const TFloatVec& Inputs) = 0;
    virtual double CalcCAt(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                           const TDuctSection& C, const TDuctSection& Second,
                           const TFloatVec& AxisValues) = 0;
    virtual double FlowRatio(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                             const TDuctSection& C, const TDuctSection& Second);
    virtual double FlowRatio2(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                              const TDuctSection& C, const TDuctSection& Second);
    // One value per axis, -1 where the sections do not determine it.
    virtual void CalcVelocityRatios(const TDuctSection& S, const TDuctSection& B,
                                    const TDuctSection& B2, const TDuctSection& C,
                                    const TDuctSection& Second, TFloatVec& Ratios);
    virtual void CalcFlowRatios(const TDuctSection& S, const TDuctSection& B,
                                const TDuctSection& B2, const TDuctSection& C,
                                const TDuctSection& Second, TFloatVec& Ratios);
    virtual void CalcMidAxisValues(TFloatVec& Values);
    virtual void GetFlowRatioRange(double& Min, double& Max);
    virtual void GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs);

    // Guarded entry points. A coefficient flagged out of range is clamped into
    // [CMin, CMax]; a failed or non-finite one gives 0 with RangeFlag set.
    double GetCoefficient(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                          const TDuctSection& C, const TDuctSection& Second,
                          const TFloatVec& Inputs);
    double GetCoefficientAt(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                            const TDuctSection& C, const TDuctSection& Second,
                            const TFloatVec& AxisValues);
    // These leave RangeFlag alone; a failure gives an empty sequence.
    void GetVelocityRatios(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                           const TDuctSection& C, const TDuctSection& Second, TFloatVec& Ratios);
    void GetFlowRatios(const TDuctSection& S, const TDuctSection& B, const TDuctSection& B2,
                       const TDuctSection& C, const TDuctSection& Second, TFloatVec& Ratios);
    void GetMidAxisValues(TFloatVec& Values);

protected:
    // Table lookups with the range warning: RangeFlag describes this lookup,
    // except that a lookup which filled a hole never warns. LastInputs
    // becomes the looked-up axis values. A value that is not finite raises
    // EFittingCalcError.
    double Interp1D(const TFloatVec& XAxis, const TFloatVec& Values, double X);
    double Interp2D(const TFloatVec& XAxis, const TFloatVec& YAxis, const TFloatMat& Table,
                    double X, double Y);
    double Interp3D(const TFloatVec& XAxis, const TFloatVec& ZAxis, const TFloatMat& YAxes,
                    const TFloatTensor& Tables, double X, double Z, double Y);

    // Raise the stream's format error ("Invalid property value") when the
    // shape is not valid, an axis has fewer than two entries, or a table
    // does not have the sizes of its axes.
    static void RequireShape(bool Valid);
    static void RequireAxis(const TFloatVec& Axis);
    static void RequireValues(const TFloatVec& Axis, const TFloatVec& Values);
    static void RequireTable(const TFloatVec& XAxis, const TFloatVec& YAxis, const TFloatMat& Table);

private:
    double Finish(double Coefficient) const;
    // Ends a lookup: a lookup that filled a hole never warns, and
    // LastInputs becomes its axis values.
    double Looked(double Result, std::initializer_list<double> AxisValues);
};
