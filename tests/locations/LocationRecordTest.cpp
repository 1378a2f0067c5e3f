#include "locations/LocationFile.h"
#include "locations/LocationRecord.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace {

TLocationRecord Sydney()
{
    return {6, 2, "Sydney", -33.93f, 151.18f, 10.0f, 6.0f, 32.1f, 21.4f, 5.2f, 4.6f, 26.5f, 7.9f, 7.6f};
}

float FloatAt(const std::string& Bytes, std::size_t At)
{
    std::uint32_t Bits = 0;
    for (std::size_t B = 0; B < 4; ++B)
        Bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(Bytes[At + B])) << (8 * B);
    return std::bit_cast<float>(Bits);
}

} // namespace

TEST(LocationRecord, FieldsSitAtTheirOffsetsAndRoundTrip)
{
    TLocationRecord R = Sydney();
    R.Name = "S\xC3\xA3o Paulo"; // "São Paulo"
    R.GroupCode = -2;
    const std::string Bytes = EncodeLocationRecord(R);
    ASSERT_EQ(Bytes.size(), 84u);
    EXPECT_EQ(Bytes.substr(0, 8), std::string("\xFE\xFF\xFF\xFF\x02\0\0\0", 8));
    EXPECT_EQ(Bytes.substr(8, 10), std::string("\x09S\xE3o Paulo", 10)); // Windows-1252
    EXPECT_EQ(Bytes.substr(18, 22), std::string(22, '\0'));
    EXPECT_FLOAT_EQ(FloatAt(Bytes, 40), -33.93f);
    EXPECT_FLOAT_EQ(FloatAt(Bytes, 56), 32.1f);
    EXPECT_FLOAT_EQ(FloatAt(Bytes, 80), 7.6f);

    const TLocationRecord Back = DecodeLocationRecord(Bytes);
    EXPECT_EQ(Back.GroupCode, -2);
    EXPECT_EQ(Back.RegionCode, 2);
    EXPECT_EQ(Back.Name, R.Name);
    EXPECT_EQ(EncodeLocationRecord(Back), Bytes);
}

TEST(LocationRecord, NamesHoldAtMost31Characters)
{
    const char* Refused[] = {"An exceedingly long place name 32", "\xD0\x9A\xD0\xB8\xD0\xB5\xD0\xB2", "\xC3"};
    TLocationRecord R = Sydney();
    for (const char* Name : Refused) {
        R.Name = Name;
        EXPECT_THROW(EncodeLocationRecord(R), std::invalid_argument) << Name;
    }
    R.Name = std::string(31, 'x');
    std::string Bytes = EncodeLocationRecord(R);
    for (int Length : {31, 32, 200, 255}) { // a longer length byte is read as 31
        Bytes[8] = static_cast<char>(Length);
        EXPECT_EQ(DecodeLocationRecord(Bytes).Name, R.Name) << Length;
        EXPECT_FLOAT_EQ(DecodeLocationRecord(Bytes).Latitude, -33.93f) << Length;
    }
}

TEST(LocationRecord, LatitudesLongitudesAndZonesCarryTheirLetters)
{
    const struct {
        char Pos, Neg;
        const char* Format;
        double Value;
        const char* Text;
    } Cases[] = {
        {'N', 'S', "%0.2f", -33.93, "33.93S"}, {'N', 'S', "%0.2f", 51.477, "51.48N"},
        {'E', 'W', "%0.2f", -0.46, "0.46W"},   {'E', 'W', "%0.0f", -5.0, "5W"},
        {'E', 'W', "%0.0f", 9.0, "9E"},        {'N', 'S', "%0.2f", 0.0, "0.00N"},
        {'N', 'S', "%0.2f", -0.0, "0.00N"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(FormatLatLong(C.Pos, C.Neg, C.Format, C.Value), C.Text) << C.Value;
}

TEST(LocationRecord, DetailRowsShowEveryField)
{
    std::vector<std::string> Rows;
    for (const TLocationDetail& Row : LocationDetails(Sydney()))
        Rows.push_back(Row.Caption + ": " + Row.Value);
    EXPECT_EQ(Rows, (std::vector<std::string>{"Latitude: 33.93S", "Longitude: 151.18E", "TimeZone: 10E",
                                              "Altitude: 6 m", "Cooling: 32.1/21.4 °C", "Heating: 5.2 °C",
                                              "Wind Speed: 4.6 m/s", "Max DryBulb: 26.5 °C", "Min DryBulb: 7.9 °C",
                                              "DB Range: 7.6 °C"}));
    EXPECT_EQ(LocationDesignText(Sydney()), "Sydney: 32.1/21.4 °C");
}

TEST(LocationRecord, OnlyFiniteAltitudesInTheRangeAreApplied)
{
    const struct {
        double Altitude;
        bool Applied;
    } Cases[] = {{1500.0, true},     {-5000.0, true},   {11000.0, true},
                 {-5000.5, false},   {11000.5, false},  {std::numeric_limits<double>::quiet_NaN(), false},
                 {INFINITY, false},  {-INFINITY, false}};
    for (const auto& C : Cases)
        EXPECT_EQ(LocationAltitudeInRange(C.Altitude), C.Applied) << C.Altitude;
}

TEST(LocationFile, APartialLastRecordIsIgnored)
{
    const std::string One = EncodeLocationRecord(Sydney());
    const struct {
        std::string Bytes;
        std::size_t Count;
    } Cases[] = {{"", 0}, {One.substr(0, 83), 0}, {One, 1}, {One + One.substr(0, 40), 1}, {One + One, 2}};
    for (const auto& C : Cases) {
        TLocationFile File;
        File.OpenBytes(C.Bytes);
        EXPECT_EQ(File.RecordCount(), C.Count) << C.Bytes.size();
        if (C.Count > 0) {
            EXPECT_EQ(File.Record(C.Count - 1).Name, "Sydney");
        }
        EXPECT_THROW(File.Record(C.Count), std::out_of_range);
    }
    TLocationFile Missing;
    EXPECT_FALSE(Missing.Open("/nonexistent/folder/Europe.wdb"));
    EXPECT_FALSE(Missing.IsOpen());
}
