#pragma once
// The fitting dialog's filters and link texts: which filter items a fitting
// code belongs to, the four-character pattern the database filters its base
// codes by, and the "id: name" texts that name a duct in the link lists.

#include <string>

class TBranch;

// Index of the category filter item of a code: the number formed by its
// third and fourth characters (the third alone when the fourth is "-").
// Codes come from documents: a code too short for it, not a number, or a
// number outside 0..10 gives item 0 (all categories).
int CategoryOfCode(const std::string& Code);

// The filter pattern: function letter, geometry letter (each "+" for all),
// then the category: "0 " for all, a digit and a blank, or two digits.
std::string FittingFilterPattern(char Function, char Geometry, int Category);

// "<id>: <name>" of a duct, as the link lists show it.
std::string LinkText(const TBranch& Duct);
// The id before the ":" of a link text; -1 when there is none.
int LinkTextId(const std::string& Text);
