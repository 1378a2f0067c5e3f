#pragma once
// The value types that the fitting tables, the fitting classes and the
// network share.

#include <string>
#include <vector>

// Axis scale of a table input, as stored in the data file (0 or 1).
enum TScaleType { st_lin = 0, st_log = 1 };
using TScaleVec = std::vector<TScaleType>;

using TFloatVec = std::vector<double>;
using TStringVec = std::vector<std::string>;
using TFloatMat = std::vector<TFloatVec>;     // a 2-D table, row by row
using TFloatTensor = std::vector<TFloatMat>;  // a 3-D table, slice by slice

// Table cells without data hold this value.
constexpr double TableHole = -11111.0;

// One duct section that meets a fitting. Sizes in mm, flow in m3/s (always
// the absolute value), length of the branch in m, flow area in m2. A missing
// section is all zeros.
struct TDuctSection {
    double D = 0.0;
    double H = 0.0;
    double W = 0.0;
    double Q = 0.0;
    double L = 0.0;
    double A = 0.0;
};
