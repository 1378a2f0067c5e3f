#include "controls/Fields.h"

#include "foundation/NumberFormat.h"
#include "foundation/NumberText.h"

#include <algorithm>
#include <cmath>

TField::TField(TEditorKind Kind, std::string Format) : EditorKind(Kind), FFormatStr(std::move(Format))
{
}

void TField::SetFormatStr(std::string Format)
{
    FFormatStr = std::move(Format);
}

TNumField::TNumField(TEditorKind Kind, std::string Format, double Lo, double Hi, double Step)
    : TField(Kind, ""), RangeLo(Lo), RangeHi(Hi), Increment(Step)
{
    SetFormatStr(std::move(Format));
}

void TNumField::SetFormatStr(std::string Format)
{
    TField::SetFormatStr(std::move(Format));
    FDecimals = FormatDecimals(FFormatStr);
}

double TNumField::ToDisplay(double Held) const
{
    return ApplyConversion(Held, Factor, Zero);
}

double TNumField::ToHeld(double Display) const
{
    return RemoveConversion(Display, Factor, Zero);
}

std::string TNumField::DisplayText(double Held) const
{
    const double X = ToDisplay(Held);
    if (FormatKind() == TFormatKind::Integer)
        return FormatInt(FFormatStr, std::llround(X));
    return FormatDisplayNumber(X, FFormatStr, FormatType, SigDigs);
}

bool TNumField::ReadHeld(std::string_view Text, double& Held) const
{
    double X = 0;
    if (!TryStrToFloat(CleanNumberText(Text), X))
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
    if (FormatKind() != TFormatKind::General)
        TryStrToFloat(DisplayText(Held), Shown);
    Next = Limit(ToHeld(StepToMultiple(Shown, Increment, Up)));
    return true;
}

std::string TNumField::ApplyUnits()
{
    std::string Fmt, Label;
    GetConversion(UnitsType, UnitsValue, UnitsBase, Fmt, Zero, Factor, Label);
    if (FormatType != ft_Manual && UnitsType != utNone)
        SetFormatStr(Fmt);
    return Label;
}

std::string TDelimNumField::DisplayPairText(double HeldA, double HeldB) const
{
    return FormatValuePair(FFormatStr, ToDisplay(HeldA), ToDisplay(HeldB));
}

bool TDelimNumField::ReadHeldPair(std::string_view Text, double& HeldA, double& HeldB,
                                  bool& IsPair) const
{
    const std::string Clean = CleanNumberText(Text);
    const std::size_t Slash = Clean.find('/');
    double A = 0, B = 0;
    IsPair = Slash != std::string::npos;
    if (!IsPair)
        return ReadHeld(Clean, HeldA);
    if (!TryStrToFloat(std::string_view(Clean).substr(0, Slash), A) ||
        !TryStrToFloat(std::string_view(Clean).substr(Slash + 1), B))
        return false;
    HeldA = ToHeld(A);
    HeldB = ToHeld(B);
    return std::isfinite(HeldA) && std::isfinite(HeldB);
}

TEnumField::TEnumField(std::vector<std::string> Texts) : TField(ekPullDown, "enum"), Items(std::move(Texts))
{
}

int TEnumField::IndexOf(std::string_view Text) const
{
    const auto Found = std::find(Items.begin(), Items.end(), Text);
    return Found == Items.end() ? -1 : static_cast<int>(Found - Items.begin());
}

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
