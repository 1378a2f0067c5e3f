#pragma once
// One place of the locations database: a fixed 84-byte record of a ".wdb"
// file (little-endian, no header), with its climate design data.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t LocationRecordSize = 84;
inline constexpr std::size_t MaxLocationNameLength = 31;

struct TLocationRecord {
    std::int32_t GroupCode = 0;  // the code of the record's database in "+All"
    std::int32_t RegionCode = 0; // the code of its region within the database
    std::string Name;            // UTF-8
    float Latitude = 0;          // degrees, positive north
    float Longitude = 0;         // degrees, positive east
    float TimeZone = 0;          // hours, positive east
    float Altitude = 0;          // m
    float CoolingDryBulb = 0;    // °C
    float CoolingWetBulb = 0;    // °C
    float HeatingDryBulb = 0;    // °C
    float WindSpeed = 0;         // m/s
    float MaxDryBulb = 0;        // °C
    float MinDryBulb = 0;        // °C
    float DryBulbRange = 0;      // daily range, °C
};

// The record stored in the first 84 bytes of Bytes (which must hold them).
// The name is Windows-1252; a length byte over 31 is taken as 31.
TLocationRecord DecodeLocationRecord(std::string_view Bytes);

// The record's 84 bytes. Raises std::invalid_argument when the name is longer
// than 31 characters or has a character Windows-1252 lacks.
std::string EncodeLocationRecord(const TLocationRecord& Record);

// Value formatted by Format with the letter appended, applied to the
// absolute value: Positive for values from zero up, else Negative
// ("33.93S" for -33.93 with "%0.2f", 'N', 'S').
std::string FormatLatLong(char Positive, char Negative, const char* Format, double Value);

// One row of a place's details: caption and shown value.
struct TLocationDetail {
    std::string Caption;
    std::string Value;
};

// The ten detail rows: latitude, longitude, time zone, altitude, cooling
// dry/wet bulb, heating, wind speed, maximum and minimum dry bulb and the
// daily range.
std::vector<TLocationDetail> LocationDetails(const TLocationRecord& Record);

// The altitudes a weather station of the databases may stand at (m): the
// builder refuses a source value outside them as a misread column, and the
// barometer takes the pressure of every one of them.
inline constexpr double LowestPlaceAltitude = -500.0;
inline constexpr double HighestPlaceAltitude = 5500.0;

// A place's altitude is applied only when it is finite and within the
// standard atmosphere's range (a damaged database may hold anything there);
// otherwise this text is shown.
inline constexpr const char* LocationAltitudeRangeText = "Location altitude out of range";
bool LocationAltitudeInRange(double Altitude);

// "<place>: <cooling dry bulb>/<cooling wet bulb> °C", one decimal each.
std::string LocationDesignText(const TLocationRecord& Record);
