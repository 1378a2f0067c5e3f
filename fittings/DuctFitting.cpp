#include "fittings/DuctFitting.h"

#include "fittings/FittingLists.h"
#include "fittings/TableInterpolation.h"

#include <cmath>
#include <limits>

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
void RequireFinite(std::initializer_list<double> Values)
{
    for (double X : Values)
        if (!std::isfinite(X))
            throw EFittingCalcError("Invalid floating point operation");
}

// The coefficient, or NaN when its calculation fails: Finish turns both a
// failure and a result that is not finite into 0 with the warning.
template <class TCalc>
double Attempt(TCalc Calc)
{
    try {
        return Calc();
    } catch (...) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}

// Fills Values through Fill; a failure or a value that is not finite leaves
// them empty.
template <class TFill>
void FillOrClear(TFloatVec& Values, TFill Fill)
{
    try {
        Fill();
        if (AllFinite(Values))
            return;
    } catch (...) {
    }
    Values.clear();
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
        RequireShape(Scale == st_lin || Scale == st_log);
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
    return Finish(Attempt([&] { return CalcCForSections(S, B, B2, C, Second, Inputs); }));
}

double TDuctFitting::GetCoefficientAt(const TDuctSection& S, const TDuctSection& B,
                                      const TDuctSection& B2, const TDuctSection& C,
                                      const TDuctSection& Second, const TFloatVec& AxisValues)
{
    return Finish(Attempt([&] { return CalcCAt(S, B, B2, C, Second, AxisValues); }));
}

void TDuctFitting::GetVelocityRatios(const TDuctSection& S, const TDuctSection& B,
                                     const TDuctSection& B2, const TDuctSection& C,
                                     const TDuctSection& Second, TFloatVec& Ratios)
{
    FillOrClear(Ratios, [&] { CalcVelocityRatios(S, B, B2, C, Second, Ratios); });
}

void TDuctFitting::GetFlowRatios(const TDuctSection& S, const TDuctSection& B,
                                 const TDuctSection& B2, const TDuctSection& C,
                                 const TDuctSection& Second, TFloatVec& Ratios)
{
    FillOrClear(Ratios, [&] { CalcFlowRatios(S, B, B2, C, Second, Ratios); });
}

void TDuctFitting::GetMidAxisValues(TFloatVec& Values)
{
    FillOrClear(Values, [&] { CalcMidAxisValues(Values); });
}

double TDuctFitting::Interp1D(const TFloatVec& XAxis, const TFloatVec& Values, double X)
{
    RequireFinite({X});
    return Looked(Interpolate1D(XAxis, Values, X, RangeFlag), {X});
}

double TDuctFitting::Interp2D(const TFloatVec& XAxis, const TFloatVec& YAxis,
                              const TFloatMat& Table, double X, double Y)
{
    RequireFinite({X, Y});
    return Looked(Interpolate2D(XAxis, YAxis, Table, X, Y, RangeFlag, TableHole), {X, Y});
}

double TDuctFitting::Interp3D(const TFloatVec& XAxis, const TFloatVec& ZAxis,
                              const TFloatMat& YAxes, const TFloatTensor& Tables, double X,
                              double Z, double Y)
{
    RequireFinite({X, Z, Y});
    const double Result = Interpolate3D(XAxis, ZAxis, YAxes, Tables, X, Z, Y, RangeFlag, TableHole);
    return Looked(Result, {X, Z, Y});
}

double TDuctFitting::Looked(double Result, std::initializer_list<double> AxisValues)
{
    if (!TableCellsValid)
        RangeFlag = false;
    LastInputs.assign(AxisValues);
    return Result;
}

void TDuctFitting::RequireShape(bool Valid)
{
    if (!Valid)
        throw EStreamError(InvalidValue);
}

void TDuctFitting::RequireAxis(const TFloatVec& Axis)
{
    RequireShape(Axis.size() >= 2);
}

void TDuctFitting::RequireValues(const TFloatVec& Axis, const TFloatVec& Values)
{
    RequireAxis(Axis);
    RequireShape(Values.size() == Axis.size());
}

void TDuctFitting::RequireTable(const TFloatVec& XAxis, const TFloatVec& YAxis,
                                const TFloatMat& Table)
{
    RequireAxis(XAxis);
    RequireAxis(YAxis);
    RequireShape(Table.size() == YAxis.size());
    for (const TFloatVec& Row : Table)
        RequireShape(Row.size() == XAxis.size());
}
