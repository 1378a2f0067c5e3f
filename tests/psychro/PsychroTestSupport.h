#pragma once
// The state of two given properties, for tests that build states to compare.

#include "psychro/Psychrometrics.h"

inline PsyState StateOf(double P, double A, double B, int Mode)
{
    PsyState s;
    SetState(s, P, A, B, Mode);
    return s;
}
