#pragma once
// How a fitting input maps onto a track bar of 0..1000 positions: linearly
// between its bounds, or between the natural logarithms of its bounds for an
// input on a logarithmic axis.

class TSliderScale {
public:
    static constexpr int MaxPosition = 1000;

    TSliderScale() = default;
    // Bounds as the fitting states them; a logarithmic scale keeps their
    // logarithms (see Transform).
    TSliderScale(double Min, double Max, bool Logarithmic);

    // The position of a value, rounded to the nearest integer and not
    // limited to 0..1000 (a value outside the bounds gives a position
    // outside them). Equal bounds give position 0.
    int Position(double Value) const;
    // The value at a position; equal bounds give the lower bound.
    double Value(int Position) const;

    // A value as the scale measures it: itself, or on a logarithmic scale
    // ln(max(value, 0.005)), and 0 for a negative value.
    double Transform(double Value) const;

    double Lo() const { return FLo; }
    double Hi() const { return FHi; }
    bool Logarithmic() const { return FLog; }

private:
    double FLo = 0.0;
    double FHi = 0.0;
    bool FLog = false;
};
