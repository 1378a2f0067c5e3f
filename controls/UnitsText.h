#pragma once
// Values shown with their unit in reports, tool windows and hints: an
// automatic format by the size of the value, and the value converted and
// formatted with its unit label.

#include "foundation/Units.h"
#include "platform/QtText.h"

#include <QString>

#include <string>

class TxCustomEdit;

// AutoFormatText as a QString.
QString AutoFormatStr(TUnitsType UnitsType, double Value, int Extra);

// Value held in BaseIndex, converted to UnitIndex of UnitsType and formatted
// with the unit's own format (UseUnitFormat) or AutoFormatStr; WithLabel adds
// a blank and the unit label.
QString FormatUnitsValue(TUnitsType UnitsType, int UnitIndex, int BaseIndex, double Value,
                         bool UseUnitFormat, bool WithLabel);

// Value converted with the edit's factor and offset and formatted with
// AutoFormatStr of its quantity, a blank and UnitName.
QString FormatEditValueWithUnits(const TxCustomEdit& Edit, const QString& UnitName, double Value);

// Value formatted with Fmt, a blank and UnitName.
QString FormatValueWithUnits(const QString& Fmt, const QString& UnitName, double Value);

inline QString FormatTextOf(const QString& Fmt)
{
    return Fmt;
}
inline QString FormatTextOf(const std::string& Fmt)
{
    return ToQ(Fmt);
}

// Value formatted with the format of an entry grid's row (GetFormatStr), a
// blank and UnitName.
template <class TGrid>
QString FormatRowValueWithUnits(TGrid& Grid, int Row, const QString& UnitName, double Value)
{
    return FormatValueWithUnits(FormatTextOf(Grid.GetFormatStr(Row)), UnitName, Value);
}
