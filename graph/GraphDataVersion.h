#pragma once
// The document versions, oldest first. Record readers gate their fields on
// the version of the document being read; comparing ordinals ("up to v2.01")
// reads better than comparing header strings.

#include <string>
#include <string_view>

enum TGraphDataVersion : int {
    gdv100, // "GraphDataFile_v1.00"
    gdv101,
    gdv102,
    gdv200,
    gdv201,
    gdv202,
    gdv203,
    gdv204, // the version every writer produces
    gdvNewest = gdv204
};

// The header string of a version ("GraphDataFile_v2.04").
std::string GraphDataVersionHeader(TGraphDataVersion Version);

// The version a header names; a header that names none of them is read as
// the newest version.
TGraphDataVersion GraphDataVersionFromHeader(std::string_view Header);
