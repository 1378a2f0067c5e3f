#pragma once
// The category pictures of duct fittings, as the fitting lists show them
// beside each fitting: the category is read from the fitting's database
// code ("SD3-1": the 3 before the dash, an elbow).

#include <QIcon>

#include <string_view>

// Number of category pictures (index 0 is the picture of an unknown
// category).
inline constexpr int FittingImageCount = 10;

// The category picture index of a fitting code: the run of digits right
// before the code's first "-" read as n; 1 gives 1, 2 to 10 give n - 1,
// anything else 0 (also a code without "-" or without digits before it, and
// a run too long for an integer).
int FittingImageIndex(std::string_view Code);

// The picture of a category index (16 by 16 pixels); index 0 for an index
// outside 0 .. FittingImageCount - 1.
const QIcon& FittingCategoryIcon(int Index);
