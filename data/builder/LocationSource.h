#pragma once
// The readable source of the locations database, a folder of CSV files:
//   databases.csv  database,group          one line per database (continent)
//   regions.csv    database,region,code    the regions of each database
//   <database>.csv region,place,latitude,longitude,time_zone,altitude,
//                  cooling_db,cooling_wb,heating_db,wind_speed,max_db,
//                  min_db,db_range,sources
// Lines starting with "#" are comments; fields holding commas are quoted
// with double quotes (a doubled one inside stands for itself). Units are
// those of the record file: degrees, hours, m, °C and m/s.

#include "locations/LocationRecord.h"

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
    std::string Sources;
    std::string Where; // "file:line", for messages
};

struct TLocationSourceDatabase {
    std::string Name;
    int Group = 0;
    std::vector<std::pair<std::string, int>> Regions; // name, code in file order
    std::vector<TLocationSourceStation> Stations;
};

struct TLocationSource {
    std::vector<TLocationSourceDatabase> Databases;
    std::size_t StationCount() const;
};

// The rows of one CSV text, comments and blank lines left out; the first row
// must be the header Columns, and every row must have as many fields.
std::vector<std::vector<std::string>> ParseLocationTable(const std::string& Text, const std::string& FileName,
                                                         const std::vector<std::string>& Columns);

// Reads the whole source folder. Raises ELocationSourceError for a file that
// cannot be read, a malformed row, a number that is not one, or a station of
// a region or database that is not listed.
TLocationSource ReadLocationSource(const std::string& Folder);

// Everything wrong with the source: names that are empty, repeated, longer
// than 31 characters or without a Windows-1252 form; group and region codes
// that are not positive or repeat; values out of their ranges or not finite;
// a wet bulb above its dry bulb; a heating value above the cooling one; a
// record without sources.
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
