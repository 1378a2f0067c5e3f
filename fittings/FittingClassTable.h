#pragma once
// The fitting classes that the data file may name: class name, the layout of
// the family part that follows the common fields, and the reader constructor.
// It is the one place a fitting class is registered; the database creates
// fittings through it and the database builder writes and checks them
// through it.

#include "fittings/DuctFitting.h"

#include <memory>
#include <string_view>
#include <vector>

// The family part of a stored fitting, after the common fields.
enum TFittingLayout {
    flConst,      // C
    fl1Dim,       // XAxis, Values
    fl2Dim,       // XAxis, YAxis, Table
    fl2Dim1Dim,   // XAxis, YAxis, Table, FactorAxis, Factors
    fl3Dim,       // XAxis, YAxes, ZAxis, Tables
    fl3DimBySize  // as fl3Dim, then SizeLimit, LargeYAxes, LargeTables
};

using TFittingFactory = std::unique_ptr<TDuctFitting> (*)(TValueReader& Reader);

struct TFittingClass {
    const char* Name;
    TFittingLayout Layout;
    TFittingFactory Create;
};

// Every registered class, in the order in which names are matched.
const std::vector<TFittingClass>& FittingClasses();

// The class of that name (case-insensitive, first match); nullptr when the
// name is not registered.
const TFittingClass* FindFittingClass(std::string_view Name);
