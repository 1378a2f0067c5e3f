#include "foundation/AirProperties.h"

#include "foundation/NumberFormat.h"
#include "psychro/Psychrometrics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
constexpr double SeaLevel = 101.325;

PsyState GoodState()
{
    PsyState s;
    SetState(s, SeaLevel, 25.0, 18.0, pmTB);
    return s;
}
}

TEST(AirProperties, SaturationPressureSwitchesToIceBelowZero)
{
    EXPECT_NEAR(SatPressure(0.0), 0.6112, 0.0001);
    EXPECT_DOUBLE_EQ(SatPressure(0.0), SatPressureWater(0.0));
    EXPECT_DOUBLE_EQ(SatPressure(-0.001), SatPressureIce(-0.001));
    // The helpers and the psychrometric library share one curve.
    for (double t : {-40.0, -0.5, 0.0, 20.0, 90.0}) {
        PsyState s;
        SetState(s, SeaLevel, t, 0.5, pmTF);
        EXPECT_DOUBLE_EQ(SatPressure(t), s.ps) << t;
    }
    EXPECT_DOUBLE_EQ(SatPressureWater(400.0), 22064.0);
    EXPECT_DOUBLE_EQ(SatPressureWater(-120.0), 5.70999442794e-6);
}

// ASHRAE Handbook—Fundamentals 2017 (SI), chapter 1, Table 2: humidity ratio at
// saturation, 101.325 kPa. With its enhancement factor the helper comes close.
TEST(AirProperties, SaturationHumidityRatioMatchesHandbookTable)
{
    const struct {
        double T, Ws;
    } table[] = {{0, 0.003789}, {10, 0.007661}, {20, 0.014758}, {30, 0.027329}};
    for (const auto& row : table)
        EXPECT_NEAR(SatHumidityRatio(SeaLevel, row.T), row.Ws, row.Ws * 0.002) << row.T;
}

TEST(AirProperties, SaturationHumidityRatioStaysFiniteWhenVapourFillsThePressure)
{
    // At 60 kPa water boils near 86 °C.
    EXPECT_DOUBLE_EQ(SatHumidityRatio(60.0, 90.0), SatHumidityRatioLimit);
    EXPECT_DOUBLE_EQ(SatHumidityRatio(0.0, 20.0), SatHumidityRatioLimit);
    EXPECT_DOUBLE_EQ(SatHumidityRatio(-5.0, 20.0), SatHumidityRatioLimit);
    // Rising towards the limit, never negative or beyond it, on the way there.
    double previous = 0.0;
    for (double t = 60.0; t < 100.0; t += 0.05) {
        const double w = SatHumidityRatio(60.0, t);
        ASSERT_TRUE(std::isfinite(w));
        ASSERT_GE(w, previous) << t;
        ASSERT_LE(w, SatHumidityRatioLimit);
        previous = w;
    }
}

TEST(AirProperties, ViscosityFollowsSutherland)
{
    EXPECT_NEAR(AirViscosity(23.01), 1.8325e-5, 1e-15);
    // Air at 20 °C: about 1.81e-5 Pa·s; warmer air is more viscous.
    EXPECT_NEAR(AirViscosity(20.0), 1.81e-5, 0.02e-5);
    EXPECT_GT(AirViscosity(60.0), AirViscosity(20.0));
}

TEST(AirProperties, ParseDryWetBulbReadsPairsAndClampsThem)
{
    PsyState s;
    ParseDryWetBulb("25/18", s, SeaLevel, 0.5);
    EXPECT_DOUBLE_EQ(s.pa, SeaLevel);
    EXPECT_DOUBLE_EQ(s.db, 25.0);
    EXPECT_NEAR(s.wb, 18.0, 1e-9);

    ParseDryWetBulb("25/30", s, SeaLevel, 0.5);
    EXPECT_NEAR(s.wb, 25.0, 1e-9);
    EXPECT_NEAR(s.rh, 1.0, 1e-9);

    ParseDryWetBulb("120/40", s, SeaLevel, 0.5);
    EXPECT_DOUBLE_EQ(s.db, 99.0);
    EXPECT_NEAR(s.wb, 40.0, 1e-9);
    // 20 °C is below the wet bulb of 1 % relative humidity at 99 °C.
    ParseDryWetBulb("120/20", s, SeaLevel, 0.5);
    EXPECT_DOUBLE_EQ(s.db, 99.0);
    EXPECT_NEAR(s.rh, 0.01, 1e-9);

    // A wet bulb too low for any vapour becomes that of 1 % relative humidity.
    ParseDryWetBulb("25/-40", s, SeaLevel, 0.5);
    EXPECT_NEAR(s.rh, 0.01, 1e-9);

    ParseDryWetBulb(" 22.5 / 15.25 ", s, 80.0, 0.5);
    EXPECT_DOUBLE_EQ(s.pa, 80.0);
    EXPECT_DOUBLE_EQ(s.db, 22.5);
    EXPECT_NEAR(s.wb, 15.25, 1e-9);
}

TEST(AirProperties, ParseDryWetBulbTakesTheDefaultHumidityForALoneDryBulb)
{
    PsyState s;
    ParseDryWetBulb("25", s, SeaLevel, 0.5);
    EXPECT_DOUBLE_EQ(s.db, 25.0);
    EXPECT_NEAR(s.rh, 0.5, 1e-9);
    EXPECT_NEAR(s.wb, WetBulb(SeaLevel, 25.0, 0.5, pmTF), 1e-9);

    ParseDryWetBulb("30", s, 70.0, 0.3);
    EXPECT_NEAR(s.rh, 0.3, 1e-9);
}

TEST(AirProperties, ParseDryWetBulbRaisesForBadText)
{
    PsyState s = GoodState();
    const PsyState before = s;
    for (const char* text : {"", "abc", "25/", "/18", "25/x", "2 5/18", "nan"})
        EXPECT_THROW(ParseDryWetBulb(text, s, SeaLevel, 0.5), EConvertError) << text;
    EXPECT_EQ(s.db, before.db);
    EXPECT_EQ(s.wb, before.wb);
    // A saturated pair above the boiling point of a low barometer is no state.
    EXPECT_THROW(ParseDryWetBulb("99/99", s, 60.0, 0.5), EPsyError);
}

TEST(AirProperties, ErrorTextChecksInOrder)
{
    const PsyState good = GoodState();
    EXPECT_EQ(MoistAirErrorText(good), "");

    const auto text = [&](auto Change) {
        PsyState s = good;
        Change(s);
        return MoistAirErrorText(s);
    };
    EXPECT_EQ(text([](PsyState& s) { s.db = 99.5; s.wb = -70; }), "Dry bulb too high...");
    EXPECT_EQ(text([](PsyState& s) { s.db = 99.0; s.wb = 99.5; }), "Wet bulb too high...");
    EXPECT_EQ(text([](PsyState& s) { s.db = 99.0; s.wb = 99.0; }), "");
    EXPECT_EQ(text([](PsyState& s) { s.db = -60.5; s.wb = -70; }), "Dry bulb too low...");
    EXPECT_EQ(text([](PsyState& s) { s.db = -50; s.wb = -60.5; }), "Wet bulb too low...");
    EXPECT_EQ(text([](PsyState& s) { s.db = 25.0; s.wb = 25.1; }), "");
    EXPECT_EQ(text([](PsyState& s) { s.db = 25.0; s.wb = 25.11; }), "Wet Bulb > Dry Bulb °C...");
    EXPECT_EQ(text([](PsyState& s) { s.rh = -0.02; s.wa = -1; }), "Low Relative Humidity...");
    EXPECT_EQ(text([](PsyState& s) { s.rh = 1.0101; }), "High Relative Humidity...");
    EXPECT_EQ(text([](PsyState& s) { s.rh = 1.01; }), "");
    EXPECT_EQ(text([](PsyState& s) { s.wa = -0.00002; }), "Absolute Humidity < 0 g/kg...");
    // A damaged state file can hold non-numbers.
    EXPECT_EQ(text([](PsyState& s) { s.db = std::numeric_limits<double>::quiet_NaN(); }), "Bad data...");
    EXPECT_EQ(text([](PsyState& s) { s.ro = std::numeric_limits<double>::infinity(); }), "Bad data...");
}

TEST(AirProperties, ErrorTextReportsTheLibrarysLastStatus)
{
    PsyState s;
    // Bone-dry air: the dew point lies beyond the library's range.
    SetState(s, SeaLevel, 20.0, 0.0, pmTW);
    EXPECT_EQ(MoistAirErrorText(s), "Bad data...");

    const PsyState good = GoodState();
    EXPECT_THROW(SetState(s, 0.0, 20.0, 0.5, pmTF), EPsyError);
    EXPECT_EQ(MoistAirErrorText(good), "Bad data...");

    // Slight supersaturation is judged by the field checks' tolerances...
    SetState(s, SeaLevel, 25.0, 25.05, pmTB);
    EXPECT_EQ(PsyStatus(), psUnphysical);
    EXPECT_EQ(MoistAirErrorText(s), "");
    // ...and clear supersaturation gets its own message.
    SetState(s, SeaLevel, 25.0, 26.0, pmTB);
    EXPECT_EQ(MoistAirErrorText(s), "Wet Bulb > Dry Bulb °C...");
    SetState(s, SeaLevel, 25.0, 1.2, pmTF);
    EXPECT_EQ(MoistAirErrorText(s), "Wet Bulb > Dry Bulb °C...");
}
