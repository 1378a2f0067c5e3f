#pragma once
// The numeric kernel of every fitting table: locating a value on an axis and
// linear interpolation/extrapolation in one, two and three dimensions, with
// the filling of table holes (cells holding the hole value).
//
// An axis has at least two entries, ascending or descending (decided from its
// first two entries). A 2-D table holds one row per Y entry and one column per
// X entry: Table[y][x]. A 3-D table is a stack of 2-D slices along Z, each
// slice with a Y axis of its own.
//
// Values outside an axis are extrapolated from its end segment; a fraction
// beyond -0.1..1.1 of that segment sets OutOfRange. A table whose shape does
// not fit its axes raises ETableShapeError: no cell outside a table is read.

#include "fittings/FittingTypes.h"

#include <stdexcept>

class ETableShapeError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

struct TTableSegment {
    int Index = 0;          // the segment runs from Axis[Index] to Axis[Index + 1]
    double Fraction = 0.0;  // position of X in it: 0 at its start, 1 at its end
};

// True when the last lookup used no hole cell. Every kernel sets it at its
// start; filling a hole clears it. Lookups are therefore not re-entrant.
extern bool TableCellsValid;

// The segment that X falls into. Both ends of a segment count as inside, so
// an inner grid entry gives the earlier segment with fraction exactly 1.
TTableSegment FindTableSegment(const TFloatVec& Axis, double X);

double Interpolate1D(const TFloatVec& XAxis, const TFloatVec& Values, double X, bool& OutOfRange);

double Interpolate2D(const TFloatVec& XAxis, const TFloatVec& YAxis, const TFloatMat& Table,
                     double X, double Y, bool& OutOfRange, double Hole);

// X on the shared X axis, Z selects and blends the slices (not range-checked),
// Y on the slices' own Y axes. OutOfRange describes the last slice looked up.
double Interpolate3D(const TFloatVec& XAxis, const TFloatVec& ZAxis, const TFloatMat& YAxes,
                     const TFloatTensor& Tables, double X, double Z, double Y, bool& OutOfRange,
                     double Hole);
