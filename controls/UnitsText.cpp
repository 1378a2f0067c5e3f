#include "controls/UnitsText.h"

#include "controls/EditFormat.h"
#include "controls/FmtEdit.h"
#include "foundation/NumberFormat.h"
#include "platform/QtText.h"

#include <algorithm>
#include <cmath>

namespace {

QString FormatNumber(const QString& Fmt, double Value)
{
    return ToQ(FormatFloat(Fmt.toStdString(), Value));
}

QString WithUnit(const QString& Number, const QString& Unit)
{
    return Unit.isEmpty() ? Number : Number + " " + Unit;
}

} // namespace

QString AutoFormatStr(TUnitsType UnitsType, double Value, int Extra)
{
    return ToQ(AutoFormatText(UnitsType, Value, Extra));
}

QString FormatUnitsValue(TUnitsType UnitsType, int UnitIndex, int BaseIndex, double Value,
                         bool UseUnitFormat, bool WithLabel)
{
    std::string Fmt, Label;
    double Offset = 0, Factor = 1;
    GetConversion(UnitsType, UnitIndex, BaseIndex, Fmt, Offset, Factor, Label);
    const double Shown = ApplyConversion(Value, Factor, Offset);
    const QString Number = FormatNumber(
        UseUnitFormat ? ToQ(Fmt) : AutoFormatStr(UnitsType, Shown, 0), Shown);
    return WithLabel ? WithUnit(Number, ToQ(Label)) : Number;
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
