#include "controls/UnitsText.h"

#include "controls/EditFormat.h"
#include "controls/FmtEdit.h"
#include "foundation/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace {

QString FormatNumber(const QString& Fmt, double Value)
{
    return QString::fromStdString(FormatFloat(Fmt.toStdString(), Value));
}

QString WithUnit(const QString& Number, const QString& Unit)
{
    return Unit.isEmpty() ? Number : Number + " " + Unit;
}

} // namespace

QString AutoFormatStr(TUnitsType UnitsType, double Value, int Extra)
{
    double A = std::fabs(Value);
    if (A <= 1e-9)
        A = 0;
    const double I = std::trunc(A); // no integer type holds every double
    const char Letter = A != 0 && (I >= 1e9 || A <= 0.001) ? 'g' : 'f';
    int Decimals = 3;
    if (A == 0 || I >= 100)
        Decimals = 0;
    else if (I >= 10)
        Decimals = 1;
    else if (I >= 1)
        Decimals = 2;
    else if (A > 0.1)
        Decimals = 3;
    else if (A > 0.01)
        Decimals = 4;
    else if (A > 0.001)
        Decimals = 5;
    if (UnitsType == utPressureBar && Extra == 0)
        Extra = 3;
    return "%0." + QString::number(std::max(Decimals + Extra, 0)) + QChar(Letter);
}

QString FormatUnitsValue(TUnitsType UnitsType, int UnitIndex, int BaseIndex, double Value,
                         bool UseUnitFormat, bool WithLabel)
{
    std::string Fmt, Label;
    double Offset = 0, Factor = 1;
    GetConversion(UnitsType, UnitIndex, BaseIndex, Fmt, Offset, Factor, Label);
    const double Shown = ApplyConversion(Value, Factor, Offset);
    const QString Number = FormatNumber(
        UseUnitFormat ? QString::fromStdString(Fmt) : AutoFormatStr(UnitsType, Shown, 0), Shown);
    return WithLabel ? WithUnit(Number, QString::fromStdString(Label)) : Number;
}

QString FormatEditValueWithUnits(const TxCustomEdit& Edit, const QString& UnitName, double Value)
{
    const double Shown = ApplyConversion(Value, Edit.Factor(), Edit.Zero());
    return WithUnit(FormatNumber(AutoFormatStr(Edit.UnitsType(), Shown, 0), Shown), UnitName);
}

QString FormatValueWithUnits(const QString& Fmt, const QString& UnitName, double Value)
{
    return WithUnit(FormatDisplayNumber(Fmt, ft_Fixed, 5, 0, Value), UnitName);
}
