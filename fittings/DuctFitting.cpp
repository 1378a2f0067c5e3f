#include "fittings/DuctFitting.h"

#include "fittings/FittingLists.h"
#include "fittings/TableInterpolation.h"

#include <cmath>

bool RangeFlag = false;

namespace {

const char* const InvalidValue = "Invalid property value";

bool AllFinite(const TFloatVec& Values)
{
    for (double V : Values)
        if (!std::isfinite(V))
            return false;
    return true;
}

// A lookup value that is not a number would land on some table segment with
// fraction 0 and pass for a valid coefficient: it is a failed calculation.
void RequireFinite(double X)
{
    if (!std::isfinite(X))
        throw EFittingCalcError("Invalid floating point operation");
}

} // namespace

double CheckedDivide(double N, double D)
{
    if (D == 0.0)
        throw EFittingCalcError("Division by zero");
    const double Q = N / D;
    if (!std::isfinite(Q))
        throw EFittingCalcError("Invalid floating point operation");
    return Q;
}

double MiddleEntry(const TFloatVec& Axis)
{
    if (Axis.empty())
        throw EFittingCalcError("Empty table axis");
    const std::size_t High = Axis.size() - 1;
    std::size_t Index = High / 2;
    if (High % 2 == 1 && Index % 2 == 1)
        ++Index; // a tie goes to the even index
    return Axis[Index];
}

TStringVec CopyStringArray(const TStringVec& Source)
{
    return Source;
}

TFloatVec CopyFloatArray(const TFloatVec& Source)
{
    return Source;
}

TDuctFitting::TDuctFitting(TValueReader& Reader)
{
    Code = Reader.ReadString();
    Name = Reader.ReadString();
    CMin = Reader.ReadFloat();
    CMax = Reader.ReadFloat();
    InputNames = ReadStringList(Reader);
    AuxList1 = ReadStringList(Reader);
    InputDefaults = ReadFloatList(Reader);
    AuxList2 = ReadStringList(Reader);
    PathNames = ReadStringList(Reader);
    AxisNames = ReadStringList(Reader);
    for (int Scale : ReadIntegerList(Reader)) {
        if (Scale != st_lin && Scale != st_log)
            throw EStreamError(InvalidValue);
        AxisScales.push_back(static_cast<TScaleType>(Scale));
    }
    AxisDefaults = ReadFloatList(Reader);
    LabelBefore = Reader.ReadString();
    LabelAfter = Reader.ReadString();
}

double TDuctFitting::FlowRatio(const TDuctSection&, const TDuctSection&, const TDuctSection&,
                               const TDuctSection&, const TDuctSection&)
{
    return 0.0;
}

double TDuctFitting::FlowRatio2(const TDuctSection&, const TDuctSection&, const TDuctSection&,
                                const TDuctSection&, const TDuctSection&)
{
    return 0.0;
}

void TDuctFitting::CalcVelocityRatios(const TDuctSection&, const TDuctSection&,
                                      const TDuctSection&, const TDuctSection&,
                                      const TDuctSection&, TFloatVec& Ratios)
{
    Ratios.clear();
}

void TDuctFitting::CalcFlowRatios(const TDuctSection&, const TDuctSection&, const TDuctSection&,
                                  const TDuctSection&, const TDuctSection&, TFloatVec& Ratios)
{
    CalcMidAxisValues(Ratios);
}

void TDuctFitting::CalcMidAxisValues(TFloatVec& Values)
{
    Values.clear();
}

void TDuctFitting::GetFlowRatioRange(double& Min, double& Max)
{
    Min = 0.0;
    Max = 0.0;
}

void TDuctFitting::GetAxisRanges(TFloatVec& Mins, TFloatVec& Maxs)
{
    Mins.clear();
    Maxs.clear();
}

double TDuctFitting::Finish(double Coefficient) const
{
    if (!std::isfinite(Coefficient)) {
        RangeFlag = true;
        return 0.0;
    }
    if (RangeFlag) {
        if (Coefficient < CMin)
            return CMin;
        if (Coefficient > CMax)
            return CMax;
    }
    return Coefficient;
}

double TDuctFitting::GetCoefficient(const TDuctSection& S, const TDuctSection& B,
                                    const TDuctSection& B2, const TDuctSection& C,
                                    const TDuctSection& Second, const TFloatVec& Inputs)
{
    double Coefficient;
    try {
        Coefficient = CalcCForSections(S, B, B2, C, Second, Inputs);
    } catch (...) {
        RangeFlag = true;
        return 0.0;
    }
    return Finish(Coefficient);
}

double TDuctFitting::GetCoefficientAt(const TDuctSection& S, const TDuctSection& B,
                                      const TDuctSection& B2, const TDuctSection& C,
                                      const TDuctSection& Second, const TFloatVec& AxisValues)
{
    double Coefficient;
    try {
        Coefficient = CalcCAt(S, B, B2, C, Second, AxisValues);
    } catch (...) {
        RangeFlag = true;
        return 0.0;
    }
    return Finish(Coefficient);
}

void TDuctFitting::GetVelocityRatios(const TDuctSection& S, const TDuctSection& B,
                                     const TDuctSection& B2, const TDuctSection& C,
                                     const TDuctSection& Second, TFloatVec& Ratios)
{
    try {
        CalcVelocityRatios(S, B, B2, C, Second, Ratios);
        if (AllFinite(Ratios))
            return;
    } catch (...) {
    }
    Ratios.clear();
}

void TDuctFitting::GetFlowRatios(const TDuctSection& S, const TDuctSection& B,
                                 const TDuctSection& B2, const TDuctSection& C,
                                 const TDuctSection& Second, TFloatVec& Ratios)
{
    try {
        CalcFlowRatios(S, B, B2, C, Second, Ratios);
        if (AllFinite(Ratios))
            return;
    } catch (...) {
    }
    Ratios.clear();
}

void TDuctFitting::GetMidAxisValues(TFloatVec& Values)
{
    try {
        CalcMidAxisValues(Values);
        if (AllFinite(Values))
            return;
    } catch (...) {
    }
    Values.clear();
}

double TDuctFitting::Interp1D(const TFloatVec& XAxis, const TFloatVec& Values, double X)
{
    RequireFinite(X);
    const double Result = Interpolate1D(XAxis, Values, X, RangeFlag);
    if (!TableCellsValid)
        RangeFlag = false;
    LastInputs.assign({X});
    return Result;
}

double TDuctFitting::Interp2D(const TFloatVec& XAxis, const TFloatVec& YAxis,
                              const TFloatMat& Table, double X, double Y)
{
    RequireFinite(X);
    RequireFinite(Y);
    const double Result = Interpolate2D(XAxis, YAxis, Table, X, Y, RangeFlag, TableHole);
    if (!TableCellsValid)
        RangeFlag = false;
    LastInputs.assign({X, Y});
    return Result;
}

double TDuctFitting::Interp3D(const TFloatVec& XAxis, const TFloatVec& ZAxis,
                              const TFloatMat& YAxes, const TFloatTensor& Tables, double X,
                              double Z, double Y)
{
    RequireFinite(X);
    RequireFinite(Z);
    RequireFinite(Y);
    const double Result = Interpolate3D(XAxis, ZAxis, YAxes, Tables, X, Z, Y, RangeFlag, TableHole);
    if (!TableCellsValid)
        RangeFlag = false;
    LastInputs.assign({X, Z, Y});
    return Result;
}

void TDuctFitting::RequireAxis(const TFloatVec& Axis)
{
    if (Axis.size() < 2)
        throw EStreamError(InvalidValue);
}

void TDuctFitting::RequireValues(const TFloatVec& Axis, const TFloatVec& Values)
{
    RequireAxis(Axis);
    if (Values.size() != Axis.size())
        throw EStreamError(InvalidValue);
}

void TDuctFitting::RequireTable(const TFloatVec& XAxis, const TFloatVec& YAxis,
                                const TFloatMat& Table)
{
    RequireAxis(XAxis);
    RequireAxis(YAxis);
    if (Table.size() != YAxis.size())
        throw EStreamError(InvalidValue);
    for (const TFloatVec& Row : Table)
        if (Row.size() != XAxis.size())
            throw EStreamError(InvalidValue);
}
