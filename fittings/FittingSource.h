#pragma once
// One fitting as it is written to the data file: the common fields and the
// family part of its class. The database builder fills it from the readable
// source; tests fill it to write small databases of their own.

#include "fittings/FittingTypes.h"
#include "foundation/ValueStream.h"

#include <stdexcept>
#include <string>
#include <vector>

class EFittingSourceError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

struct TFittingSource {
    std::string ClassName;

    // Common fields, in their stored order.
    std::string Code;
    std::string Name;
    double CMin = 0.0;
    double CMax = 0.0;
    TStringVec InputNames;
    TStringVec AuxList1;
    TFloatVec InputDefaults;
    TStringVec AuxList2;
    TStringVec PathNames;
    TStringVec AxisNames;
    std::vector<int> AxisScales;
    TFloatVec AxisDefaults;
    std::string LabelBefore;
    std::string LabelAfter;

    // Family parts; only those of the class's layout are written.
    double C = 0.0;          // constant
    TFloatVec XAxis;         // every table family
    TFloatVec Values;        // one-dimensional
    TFloatVec YAxis;         // two-dimensional
    TFloatMat Table;
    TFloatVec FactorAxis;    // two-dimensional with a factor
    TFloatVec Factors;
    TFloatMat YAxes;         // three-dimensional
    TFloatVec ZAxis;
    TFloatTensor Tables;
    double SizeLimit = 0.0;  // three-dimensional in two size classes
    TFloatMat LargeYAxes;
    TFloatTensor LargeTables;
};

// Writes the class name, the common fields and the family part. Raises
// EFittingSourceError when the class is not registered.
void WriteFittingRecord(TValueWriter& Writer, const TFittingSource& Source);

// Everything wrong with the entry stored under Key, one message each; empty
// when it may be written: the key follows the key scheme and equals the
// stored code, the class is registered, every number is finite, CMin <= CMax,
// axis scales are 0 or 1, the axes of the class's layout have at least two
// entries and are strictly monotonic, and its tables have the sizes of their
// axes (holes only in tables of two or more dimensions).
std::vector<std::string> ValidateFittingSource(const std::string& Key, const TFittingSource& Source);
