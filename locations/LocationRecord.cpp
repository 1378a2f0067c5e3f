#include "locations/LocationRecord.h"

#include "foundation/Cp1252Text.h"
#include "psychro/Psychrometrics.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

constexpr std::size_t NameOffset = 8;
constexpr std::size_t FirstFloatOffset = 40;

std::uint32_t ReadLE32(std::string_view Bytes, std::size_t At)
{
    std::uint32_t V = 0;
    for (std::size_t B = 0; B < 4; ++B)
        V |= static_cast<std::uint32_t>(static_cast<unsigned char>(Bytes[At + B])) << (8 * B);
    return V;
}

void WriteLE32(std::string& Bytes, std::size_t At, std::uint32_t V)
{
    for (std::size_t B = 0; B < 4; ++B)
        Bytes[At + B] = static_cast<char>((V >> (8 * B)) & 0xFF);
}

// The eleven float fields in stored order, from offset 40.
template <typename Record>
auto Floats(Record& R)
{
    return std::to_array({&R.Latitude, &R.Longitude, &R.TimeZone, &R.Altitude, &R.CoolingDryBulb,
                          &R.CoolingWetBulb, &R.HeatingDryBulb, &R.WindSpeed, &R.MaxDryBulb,
                          &R.MinDryBulb, &R.DryBulbRange});
}

std::string Formatted(const char* Format, double A, double B = 0.0)
{
    char Buffer[128];
    std::snprintf(Buffer, sizeof Buffer, Format, A, B);
    return Buffer;
}

} // namespace

TLocationRecord DecodeLocationRecord(std::string_view Bytes)
{
    TLocationRecord R;
    R.GroupCode = static_cast<std::int32_t>(ReadLE32(Bytes, 0));
    R.RegionCode = static_cast<std::int32_t>(ReadLE32(Bytes, 4));
    const std::size_t Length =
        std::min<std::size_t>(static_cast<unsigned char>(Bytes[NameOffset]), MaxLocationNameLength);
    R.Name = Cp1252ToUtf8(Bytes.substr(NameOffset + 1, Length));
    std::size_t At = FirstFloatOffset;
    for (float* Field : Floats(R)) {
        *Field = std::bit_cast<float>(ReadLE32(Bytes, At));
        At += 4;
    }
    return R;
}

std::string EncodeLocationRecord(const TLocationRecord& Record)
{
    std::string Name;
    if (!Utf8ToCp1252(Record.Name, Name))
        throw std::invalid_argument("the name \"" + Record.Name + "\" has no Windows-1252 form");
    if (Name.size() > MaxLocationNameLength)
        throw std::invalid_argument("the name \"" + Record.Name + "\" is longer than 31 characters");
    std::string Bytes(LocationRecordSize, '\0');
    WriteLE32(Bytes, 0, static_cast<std::uint32_t>(Record.GroupCode));
    WriteLE32(Bytes, 4, static_cast<std::uint32_t>(Record.RegionCode));
    Bytes[NameOffset] = static_cast<char>(Name.size());
    Name.copy(&Bytes[NameOffset + 1], Name.size());
    std::size_t At = FirstFloatOffset;
    for (const float* Field : Floats(Record)) {
        WriteLE32(Bytes, At, std::bit_cast<std::uint32_t>(*Field));
        At += 4;
    }
    return Bytes;
}

std::string FormatLatLong(char Positive, char Negative, const char* Format, double Value)
{
    return Formatted(Format, std::fabs(Value)) + (std::signbit(Value) && Value != 0.0 ? Negative : Positive);
}

std::vector<TLocationDetail> LocationDetails(const TLocationRecord& R)
{
    return {
        {"Latitude", FormatLatLong('N', 'S', "%0.2f", R.Latitude)},
        {"Longitude", FormatLatLong('E', 'W', "%0.2f", R.Longitude)},
        {"TimeZone", FormatLatLong('E', 'W', "%0.0f", R.TimeZone)},
        {"Altitude", Formatted("%0.0f m", R.Altitude)},
        {"Cooling", Formatted("%0.1f/%0.1f °C", R.CoolingDryBulb, R.CoolingWetBulb)},
        {"Heating", Formatted("%0.1f °C", R.HeatingDryBulb)},
        {"Wind Speed", Formatted("%0.1f m/s", R.WindSpeed)},
        {"Max DryBulb", Formatted("%0.1f °C", R.MaxDryBulb)},
        {"Min DryBulb", Formatted("%0.1f °C", R.MinDryBulb)},
        {"DB Range", Formatted("%0.1f °C", R.DryBulbRange)},
    };
}

bool LocationAltitudeInRange(double Altitude)
{
    return std::isfinite(Altitude) && Altitude >= LowestStandardAltitude && Altitude <= HighestStandardAltitude;
}

std::string LocationDesignText(const TLocationRecord& Record)
{
    return Record.Name + ": " + Formatted("%0.1f/%0.1f °C", Record.CoolingDryBulb, Record.CoolingWetBulb);
}
