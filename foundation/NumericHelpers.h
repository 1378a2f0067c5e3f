#pragma once
// Small stateless numeric routines shared by the fitting tables, the solver,
// the sizing methods and the editor.

#include <cstdint>

// True when X lies between A and B inclusive, bounds in either order; never
// for a NaN.
bool Between(double A, double X, double B);

// N / D; when D is zero or the quotient is not finite, SignOf(N) * Default.
double SafeDivide(double N, double D, double Default);

// +1 for X >= 0 (zero included), else -1.
int SignOf(double X);

// B + T * (A - B): T = 0 gives B, T = 1 gives A.
double Interpolate(double A, double B, double T);

// (X - B) / (A - B), the inverse of Interpolate.
double InterpolationFraction(double A, double B, double X);

// Rounds positive values half up to a multiple of Step; negative quotients are
// truncated towards zero. A Step of zero or less returns Value unchanged.
double RoundToStep(double Value, double Step);

// 32-bit flag sets; bit numbers are taken modulo 32.
using TFlagSet = std::uint32_t;
TFlagSet BitMask(int Bit);
void SetBit(TFlagSet& Set, int Bit);
void ClearBit(TFlagSet& Set, int Bit);
bool BitIsSet(TFlagSet Set, int Bit);
