#include "controls/Fields.h"

#include "foundation/NumberFormat.h"
#include "foundation/NumberText.h"
#include "platform/QtText.h"

#include <algorithm>
#include <cmath>

TField::TField(TEditorKind Kind, const QString& Format)
    : EditorKind(Kind), FFormatStr(Format), FFormatKind(FormatKindOf(Format))
{
}

TNumField::TNumField(TEditorKind Kind, const QString& Format, double Lo, double Hi, double Step)
    : TField(Kind, Format), RangeLo(Lo), RangeHi(Hi), Increment(Step)
{
    SetFormatStr(Format);
}

void TNumField::SetFormatStr(const QString& Format)
{
    FFormatStr = Format;
    FFormatKind = FormatKindOf(Format);
    FDecimals = FormatDecimals(Format.toStdString());
}

QString TNumField::DisplayText(double Held) const
{
    return FormatDisplayNumber(FFormatStr, FormatType, SigDigs, FDecimals, ToDisplay(Held));
}

bool TNumField::ReadHeld(const QString& Text, double& Held) const
{
    double X = 0;
    if (!ReadTypedNumber(Text, X))
        return false;
    Held = ToHeld(X);
    return std::isfinite(Held);
}

double TNumField::Limit(double Held) const
{
    if (!HasRange())
        return Held;
    return std::clamp(Held, std::min(RangeLo, RangeHi), std::max(RangeLo, RangeHi));
}

bool TNumField::SpinValue(double Held, bool Up, double& Next) const
{
    if (HasRange() && (Up ? Held >= RangeHi : Held <= RangeLo))
        return false;
    if (Up ? bool(StepUp) : bool(StepDown)) {
        Next = Limit(Up ? StepUp(Held) : StepDown(Held));
        return true;
    }
    // Step what the user sees: the display value as the format rounds it.
    double Shown = ToDisplay(Held);
    if (FFormatKind != TFormatKind::General)
        ReadTypedNumber(DisplayText(Held), Shown);
    Next = Limit(ToHeld(StepToMultiple(Shown, Increment, Up)));
    return true;
}

QString TNumField::ApplyUnits()
{
    std::string Fmt, Label;
    GetConversion(UnitsType, UnitsValue, UnitsBase, Fmt, Zero, Factor, Label);
    if (FormatType != ft_Manual && UnitsType != utNone)
        SetFormatStr(ToQ(Fmt));
    return ToQ(Label);
}

void TNumField::SetUnits(TUnitsType Type, double NewFactor, double NewZero, TFormatType NewFormatType,
                         int ShownUnit, int HeldUnit)
{
    UnitsType = UnitsTypeOf(Type);
    if (UnitsType == utNone) {
        Factor = NewFactor;
        Zero = NewZero;
    }
    FormatType = NewFormatType;
    UnitsValue = ClampUnitIndex(UnitsType, ShownUnit);
    UnitsBase = ClampUnitIndex(UnitsType, HeldUnit);
}

QString TDelimNumField::ApplyUnits()
{
    const QString Label = TNumField::ApplyUnits();
    if (!FormatStr().contains('/'))
        SetFormatStr(FormatStr() + "/" + FormatStr());
    return Label;
}

QString TDelimNumField::DisplayPairText(double HeldA, double HeldB) const
{
    return ToQ(
        FormatValuePair(FFormatStr.toStdString(), ToDisplay(HeldA), ToDisplay(HeldB)));
}

bool TDelimNumField::ReadHeldPair(const QString& Text, double& HeldA, double& HeldB,
                                  bool& IsPair) const
{
    const std::string Clean = CleanNumberText(Text.toStdString());
    const std::size_t Slash = Clean.find('/');
    IsPair = Slash != std::string::npos;
    double A = 0, B = 0;
    if (!TryStrToFloat(std::string_view(Clean).substr(0, Slash), A))
        return false;
    if (IsPair && !TryStrToFloat(std::string_view(Clean).substr(Slash + 1), B))
        return false;
    if (!std::isfinite(ToHeld(A)) || (IsPair && !std::isfinite(ToHeld(B))))
        return false;
    HeldA = ToHeld(A);
    if (IsPair)
        HeldB = ToHeld(B);
    return true;
}

TEnumField::TEnumField(const QStringList& Texts) : TField(ekPullDown, "enum"), Items(Texts) {}

TBoolField::TBoolField() : TField(ekCheck, "check") {}

double StepToMultiple(double Value, double Increment, bool Up)
{
    const double Step = std::fabs(Increment);
    if (Step == 0 || !std::isfinite(Step) || !std::isfinite(Value))
        return Value;
    double K = Value / Step;
    const double Whole = std::round(K);
    if (std::fabs(K - Whole) < 1e-6)
        K = Whole;
    return Up ? (std::floor(K) + 1) * Step : (std::ceil(K) - 1) * Step;
}
