#pragma once
// Evaluates a fitting at the middle of its table axes, with section records
// that agree with those axes: the build check of the installed database and
// its tests use it to prove that every entry gives a coefficient.

#include "fittings/DuctFitting.h"

// The coefficient at the middle axis values. Junctions take their flow ratios
// from the sections, so the flows put every ratio at the middle of the
// flow-ratio range; a fitting that sizes itself from the straight section's
// diameter gets the middle of its first axis as that diameter.
double MidAxisCoefficient(TDuctFitting& Fitting);
