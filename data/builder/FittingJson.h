#pragma once
// The readable source of the fitting database: one JSON file per fitting
// category, {"category": n, "title": ..., "fittings": [entry, ...]}. An entry
// names its "key", "class", "name" and the literature it comes from
// ("source"), the common fields of its record and the tables of its family:
//   "code" (defaults to the key), "cmin", "cmax", "inputNames",
//   "inputDefaults", "aux1", "aux2", "paths", "axisNames", "axisScales"
//   ("lin" or "log"), "axisDefaults", "labelBefore", "labelAfter";
//   "c" | "xAxis", "values" | "yAxis", "table" | "factorAxis", "factors" |
//   "yAxes", "zAxis", "tables".
// Unknown members are refused, so that a misspelt name cannot silently drop
// a table.

#include "fittings/DuctFittingDBWriter.h"

#include <string>
#include <vector>

struct TFittingCategoryFile {
    std::string FileName;
    int Category = 0;
    std::string Title;
    std::vector<TDuctFittingDBEntry> Entries;
};

// Raises EFittingSourceError, naming the file and the entry, for text that is
// not JSON, a member of the wrong type, a missing required member or an
// unknown one.
TFittingCategoryFile ParseFittingCategory(const std::string& Text, const std::string& FileName);
TFittingCategoryFile ReadFittingCategoryFile(const std::string& FileName);

// Everything wrong with the file's entries, one message each: the checks of
// ValidateFittingSource, plus a key whose category differs from the file's.
std::vector<std::string> CheckFittingCategory(const TFittingCategoryFile& File);
