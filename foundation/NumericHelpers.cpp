#include "foundation/NumericHelpers.h"

#include <cmath>

bool Between(double A, double X, double B)
{
    return (A <= X && X <= B) || (A >= X && X >= B);
}

double SafeDivide(double N, double D, double Default)
{
    if (D != 0.0) {
        const double q = N / D;
        if (std::isfinite(q))
            return q;
    }
    return SignOf(N) * Default;
}

int SignOf(double X)
{
    return X >= 0.0 ? 1 : -1;
}

double Interpolate(double A, double B, double T)
{
    return B + T * (A - B);
}

double InterpolationFraction(double A, double B, double X)
{
    return (X - B) / (A - B);
}

double RoundToStep(double Value, double Step)
{
    if (!(Step > 0.0))
        return Value;
    double q = Value / Step;
    if (q - std::trunc(q) >= 0.5)
        q += 1.0;
    return std::trunc(q) * Step;
}

TFlagSet BitMask(int Bit)
{
    return TFlagSet(1) << (static_cast<unsigned>(Bit) & 31u);
}

void SetBit(TFlagSet& Set, int Bit)
{
    Set |= BitMask(Bit);
}

void ClearBit(TFlagSet& Set, int Bit)
{
    Set &= ~BitMask(Bit);
}

bool BitIsSet(TFlagSet Set, int Bit)
{
    return (Set & BitMask(Bit)) != 0;
}
