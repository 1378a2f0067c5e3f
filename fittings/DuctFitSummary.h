#pragma once
// What the fitting dialog shows of one base code: filled by
// TDuctFittingDB::GetFittingInfo from every index entry of that base code.

#include "fittings/FittingTypes.h"

#include <string>
#include <vector>

struct TDuctFitSummary {
    std::string Code;
    std::string Name;
    bool IsTransition = false;  // exactly two paths: a fitting between two ducts
    bool IsJunction = false;    // more than two paths
    TStringVec AuxList2;
    TStringVec Paths;           // the fitting's PathNames, or ["s"]

    // One entry per path, except that a fitting with exactly two paths has
    // one entry describing both.
    std::vector<TStringVec> AxisNamesByPath;
    std::vector<TFloatVec> AxisMinsByPath;
    std::vector<TFloatVec> AxisMaxsByPath;
    std::vector<TScaleVec> AxisScalesByPath;
    std::vector<TFloatVec> AxisDefaultsByPath;

    TStringVec InputNames;
    TStringVec AuxList1;

    TStringVec LabelsByPath;
    TFloatVec FlowRatioMinByPath;
    TFloatVec FlowRatioMaxByPath;
};
