#include "fittings/FittingSource.h"

#include "fittings/FittingClassTable.h"
#include "fittings/FittingKeys.h"
#include "fittings/FittingLists.h"

#include <cmath>

namespace {

class TProblems {
public:
    explicit TProblems(const std::string& Key) : Key(Key) {}

    void Add(const std::string& Text) { List.push_back(Key + ": " + Text); }

    void Finite(const std::string& What, double V)
    {
        if (!std::isfinite(V))
            Add(What + " is not a finite number");
    }

    void Finite(const std::string& What, const TFloatVec& Values)
    {
        for (double V : Values)
            if (!std::isfinite(V)) {
                Add(What + " holds a value that is not a finite number");
                return;
            }
    }

    void Axis(const std::string& What, const TFloatVec& Axis)
    {
        if (Axis.size() < 2) {
            Add(What + " needs at least two entries");
            return;
        }
        Finite(What, Axis);
        const bool Ascending = Axis[0] < Axis[1];
        for (std::size_t i = 1; i < Axis.size(); ++i) {
            const bool Step = Ascending ? Axis[i - 1] < Axis[i] : Axis[i - 1] > Axis[i];
            if (!Step) {
                Add(What + " is not strictly ascending or descending");
                return;
            }
        }
    }

    void NoHoles(const std::string& What, const TFloatVec& Values)
    {
        Finite(What, Values);
        for (double V : Values)
            if (V == TableHole) {
                Add(What + " may not hold holes");
                return;
            }
    }

    void Table(const std::string& What, const TFloatVec& XAxis, const TFloatVec& YAxis,
               const TFloatMat& Table)
    {
        if (Table.size() != YAxis.size()) {
            Add(What + " has " + std::to_string(Table.size()) + " rows for " +
                std::to_string(YAxis.size()) + " Y axis entries");
            return;
        }
        for (std::size_t r = 0; r < Table.size(); ++r) {
            if (Table[r].size() != XAxis.size()) {
                Add(What + " row " + std::to_string(r) + " has " + std::to_string(Table[r].size()) +
                    " values for " + std::to_string(XAxis.size()) + " X axis entries");
                return;
            }
            Finite(What, Table[r]);
        }
    }

    // One Y axis and one table of the sizes of its axes per Z axis entry.
    void Slices(const std::string& Prefix, const TFloatVec& XAxis, const TFloatVec& ZAxis,
                const TFloatMat& YAxes, const TFloatTensor& Tables)
    {
        if (YAxes.size() != ZAxis.size() || Tables.size() != ZAxis.size()) {
            Add(Prefix + "YAxes and " + Prefix + "Tables need one slice per Z axis entry");
            return;
        }
        for (std::size_t k = 0; k < ZAxis.size(); ++k) {
            const std::string Slice = " of slice " + std::to_string(k);
            Axis(Prefix + "YAxis" + Slice, YAxes[k]);
            Table(Prefix + "Table" + Slice, XAxis, YAxes[k], Tables[k]);
        }
    }

    std::vector<std::string> List;

private:
    std::string Key;
};

void ValidateCommon(const std::string& Key, const TFittingSource& Source, TProblems& P)
{
    if (!IsValidFittingKey(Key))
        P.Add("the key does not follow the key scheme (for example SD3-1 or CD5-2-b)");
    if (Source.Code != Key)
        P.Add("the stored code \"" + Source.Code + "\" differs from its key");
    P.Finite("CMin", Source.CMin);
    P.Finite("CMax", Source.CMax);
    if (Source.CMin > Source.CMax)
        P.Add("CMin is above CMax");
    if (Source.InputDefaults.size() != Source.InputNames.size())
        P.Add("the input defaults do not match the input names");
    P.Finite("InputDefaults", Source.InputDefaults);
    if (Source.AxisScales.size() != Source.AxisNames.size())
        P.Add("the axis scales do not match the axis names");
    for (int Scale : Source.AxisScales)
        if (Scale != st_lin && Scale != st_log) {
            P.Add("an axis scale is neither 0 (linear) nor 1 (logarithmic)");
            break;
        }
    if (Source.AxisDefaults.size() != Source.AxisNames.size())
        P.Add("the axis defaults do not match the axis names");
    P.Finite("AxisDefaults", Source.AxisDefaults);
}

void ValidateFamily(TFittingLayout Layout, const TFittingSource& S, TProblems& P)
{
    switch (Layout) {
    case flConst:
        P.Finite("C", S.C);
        break;
    case fl1Dim:
        P.Axis("XAxis", S.XAxis);
        if (S.Values.size() != S.XAxis.size())
            P.Add("Values has " + std::to_string(S.Values.size()) + " entries for " +
                  std::to_string(S.XAxis.size()) + " X axis entries");
        P.NoHoles("Values", S.Values);
        break;
    case fl2Dim:
    case fl2Dim1Dim:
        P.Axis("XAxis", S.XAxis);
        P.Axis("YAxis", S.YAxis);
        P.Table("Table", S.XAxis, S.YAxis, S.Table);
        if (Layout == fl2Dim1Dim) {
            P.Axis("FactorAxis", S.FactorAxis);
            if (S.Factors.size() != S.FactorAxis.size())
                P.Add("Factors do not match the factor axis");
            P.NoHoles("Factors", S.Factors);
        }
        break;
    case fl3Dim:
    case fl3DimBySize:
        P.Axis("XAxis", S.XAxis);
        P.Axis("ZAxis", S.ZAxis);
        P.Slices("", S.XAxis, S.ZAxis, S.YAxes, S.Tables);
        if (Layout == fl3DimBySize) {
            P.Finite("SizeLimit", S.SizeLimit);
            P.Slices("Large", S.XAxis, S.ZAxis, S.LargeYAxes, S.LargeTables);
        }
        break;
    }
}

} // namespace

void WriteFittingRecord(TValueWriter& Writer, const TFittingSource& Source)
{
    const TFittingClass* Class = FindFittingClass(Source.ClassName);
    if (!Class)
        throw EFittingSourceError("Duct class not defined: " + Source.ClassName);

    Writer.WriteString(Class->Name);
    Writer.WriteString(Source.Code);
    Writer.WriteString(Source.Name);
    Writer.WriteFloat(Source.CMin);
    Writer.WriteFloat(Source.CMax);
    WriteStringList(Writer, Source.InputNames);
    WriteStringList(Writer, Source.AuxList1);
    WriteFloatList(Writer, Source.InputDefaults);
    WriteStringList(Writer, Source.AuxList2);
    WriteStringList(Writer, Source.PathNames);
    WriteStringList(Writer, Source.AxisNames);
    WriteIntegerList(Writer, Source.AxisScales);
    WriteFloatList(Writer, Source.AxisDefaults);
    Writer.WriteString(Source.LabelBefore);
    Writer.WriteString(Source.LabelAfter);

    switch (Class->Layout) {
    case flConst:
        Writer.WriteFloat(Source.C);
        break;
    case fl1Dim:
        WriteFloatList(Writer, Source.XAxis);
        WriteFloatList(Writer, Source.Values);
        break;
    case fl2Dim:
    case fl2Dim1Dim:
        WriteFloatList(Writer, Source.XAxis);
        WriteFloatList(Writer, Source.YAxis);
        WriteFloatMat(Writer, Source.Table);
        if (Class->Layout == fl2Dim1Dim) {
            WriteFloatList(Writer, Source.FactorAxis);
            WriteFloatList(Writer, Source.Factors);
        }
        break;
    case fl3Dim:
    case fl3DimBySize:
        WriteFloatList(Writer, Source.XAxis);
        WriteFloatMat(Writer, Source.YAxes);
        WriteFloatList(Writer, Source.ZAxis);
        WriteFloatTensor(Writer, Source.Tables);
        if (Class->Layout == fl3DimBySize) {
            Writer.WriteFloat(Source.SizeLimit);
            WriteFloatMat(Writer, Source.LargeYAxes);
            WriteFloatTensor(Writer, Source.LargeTables);
        }
        break;
    }
}

std::vector<std::string> ValidateFittingSource(const std::string& Key, const TFittingSource& Source)
{
    TProblems P(Key);
    ValidateCommon(Key, Source, P);
    const TFittingClass* Class = FindFittingClass(Source.ClassName);
    if (!Class)
        P.Add("Duct class not defined: " + Source.ClassName);
    else
        ValidateFamily(Class->Layout, Source, P);
    return P.List;
}
