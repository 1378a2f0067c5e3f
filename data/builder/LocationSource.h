#pragma once
// The source of the locations database: a table of annual climatic design
// conditions of weather stations (CSV, Windows-1252), and the ISO 3166 names
// of its country and state codes (the JSON files of Debian's iso-codes).
//
// The table starts with heading rows; the first row that holds every column
// the record needs names the columns, and the stations follow, one a row.
// Each station's WMO region is its database, its country its region (a US
// state or Canadian province is a region of its own). A station lacking a
// value the record needs ("N_A" or empty) is left out: the database holds
// published values only.

#include "locations/LocationRecord.h"

#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Source text that cannot be read; the message names the file and line.
class ELocationSourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TLocationSourceStation {
    std::string Region;
    TLocationRecord Record; // group and region codes filled from the region
    std::string Where;      // "file:line WMO n", for messages
};

struct TLocationSourceDatabase {
    std::string Name;
    int Group = 0;
    std::vector<std::pair<std::string, int>> Regions; // name, code in list order
    std::vector<TLocationSourceStation> Stations;
};

struct TLocationSource {
    std::vector<TLocationSourceDatabase> Databases;
    // Stations left out, counted by the column whose value was missing (a
    // station missing two values counts under both).
    std::size_t LeftOut = 0;
    std::map<std::string, std::size_t> MissingByColumn;
    std::size_t StationCount() const;
};

// Country names by ISO 3166-1 alpha-3 code, and state and province names by
// ISO 3166-2 code ("US-IL").
struct TRegionNames {
    std::map<std::string, std::string> Countries;
    std::map<std::string, std::string> Subdivisions;
};

// Reads the two iso-codes files; a country's common name is taken where it
// has one ("Bolivia" rather than "Bolivia, Plurinational State of"). Raises
// ELocationSourceError for a file that cannot be read or parsed.
TRegionNames ReadRegionNames(const std::string& Iso3166_1File, const std::string& Iso3166_2File);

// The fields of one CSV line: fields holding commas are quoted with double
// quotes, a doubled one inside standing for itself.
std::vector<std::string> SplitCsvLine(const std::string& Line, const std::string& Where);

// The locations from the text of the design-conditions table. Databases come
// in the order of their WMO region codes, which are their group codes;
// regions in alphabetical order, coded from 1; places by name within their
// region. Station names are fitted to the record's 31 characters; stations
// of one region sharing a name carry their WMO number. Raises
// ELocationSourceError for text without the column names, a malformed row, a
// value that is not a number, or a code without a name.
TLocationSource ParseLocationSource(const std::string& Text, const std::string& FileName, const TRegionNames& Names);
TLocationSource ReadLocationSource(const std::string& TableFile, const TRegionNames& Names);

// Everything wrong with the source: names that are empty, repeated, without
// a Windows-1252 form or holding a character their place cannot hold; place
// names longer than 31 characters; group and region codes that are not
// positive or repeat; values out of their ranges or not finite; a wet bulb
// above its dry bulb; a heating value above the cooling one.
std::vector<std::string> CheckLocationSource(const TLocationSource& Source);

// The text of "Regions.idx" (Windows-1252, CR LF lines): "+All" with the
// database group codes, then each database with its region codes.
std::string RegionIndexText(const TLocationSource& Source);

// Writes "Regions.idx", every "<database>.wdb" and "+All.wdb" into
// CommonDataDir. Raises std::runtime_error when a file cannot be written.
void WriteLocationDatabase(const std::string& CommonDataDir, const TLocationSource& Source);

// Reads the written database back through the locations picker and lists
// every difference from Source: the databases, regions and places listed,
// the place fields, and the "+All" lists and region names.
std::vector<std::string> CheckBuiltLocationDatabase(const std::string& CommonDataDir,
                                                    const TLocationSource& Source);
