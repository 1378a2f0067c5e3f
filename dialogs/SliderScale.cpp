#include "dialogs/SliderScale.h"

#include <algorithm>
#include <cmath>

TSliderScale::TSliderScale(double Min, double Max, bool Logarithmic) : FLog(Logarithmic)
{
    FLo = Transform(Min);
    FHi = Transform(Max);
}

double TSliderScale::Transform(double Value) const
{
    if (!FLog)
        return Value;
    if (Value < 0.0)
        return 0.0;
    return std::log(std::max(Value, 0.005));
}

int TSliderScale::Position(double Value) const
{
    const double Span = FHi - FLo;
    if (Span == 0.0 || !std::isfinite(Value))
        return 0;
    const double P = (Transform(Value) - FLo) * MaxPosition / Span;
    // Far outside the bounds only the side matters.
    return static_cast<int>(std::lround(std::clamp(P, -1.0e6, 1.0e6)));
}

double TSliderScale::Value(int Position) const
{
    const double V = FLo + (FHi - FLo) * Position / MaxPosition;
    return FLog ? std::exp(V) : V;
}
