#pragma once
// Fitting keys: function letter ("S" supply, "E" exhaust or return, "C"
// common), geometry letter ("D" round, "R" rectangular), category 1 to 10,
// "-", a serial number, and optionally "-" and a flow path ("SD5-1-b").
// Keys are compared without regard to case.

#include <string>
#include <string_view>

bool SameText(std::string_view A, std::string_view B);
std::string LowerCaseText(std::string_view Text);

// The first two "-" fields of the key joined by "-": "SD5-1-b" gives "SD5-1".
// A key without "-" is returned unchanged.
std::string FittingBaseCode(std::string_view Key);

// Field Index (0-based) of the key split at "-", trimmed of blanks; empty
// when the key has fewer fields.
std::string FittingKeyField(std::string_view Key, int Index);

// True when the key follows the scheme above (path names s, b, b1, b2, c).
bool IsValidFittingKey(std::string_view Key);
