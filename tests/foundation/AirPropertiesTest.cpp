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
    EXPECT_GT(SatPressureWater(-10.0), SatPressureIce(-10.0)); // supercooled water lies above ice
    // The helpers and the psychrometric library share one curve.
    for (double t : {-40.0, -0.5, 0.0, 20.0, 90.0}) {
        PsyState s;
        SetState(s, SeaLevel, t, 0.5, pmTF);
        EXPECT_DOUBLE_EQ(SatPressure(t), s.ps) << t;
    }
}

// ASHRAE Handbook—Fundamentals 2017 (SI), chapter 1, Table 2: humidity ratio at
// saturation, 101.325 kPa. With its enhancement factor the helper comes close.
TEST(AirProperties, SaturationHumidityRatioMatchesHandbookTableAndStaysFinite)
{
    const struct {
        double T, Ws;
    } table[] = {{0, 0.003789}, {10, 0.007661}, {20, 0.014758}, {30, 0.027329}};
    for (const auto& row : table)
        EXPECT_NEAR(SatHumidityRatio(SeaLevel, row.T), row.Ws, row.Ws * 0.002) << row.T;

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
    // Air at 20 °C: about 1.81e-5 Pa·s; warmer air is more viscous.
    EXPECT_NEAR(AirViscosity(20.0), 1.81e-5, 0.02e-5);
    EXPECT_GT(AirViscosity(60.0), AirViscosity(20.0));
}

TEST(AirProperties, ParseDryWetBulb)
{
    const double X = std::numeric_limits<double>::quiet_NaN(); // not checked
    const struct {
        const char* Text;
        double P, DefaultRh, Db, Wb, Rh;
    } Cases[] = {
        {"25/18", SeaLevel, 0.5, 25.0, 18.0, X},
        {"25/30", SeaLevel, 0.5, 25.0, 25.0, 1.0},
        {"120/40", SeaLevel, 0.5, 99.0, 40.0, X},
        {"120/20", SeaLevel, 0.5, 99.0, X, 0.01}, // 20 °C is below the wet bulb of 1 % at 99 °C
        {"25/-40", SeaLevel, 0.5, 25.0, X, 0.01}, // too low for any vapour: that of 1 %
        {" 22.5 / 15.25 ", 80.0, 0.5, 22.5, 15.25, X},
        {"25", SeaLevel, 0.5, 25.0, WetBulb(SeaLevel, 25.0, 0.5, pmTF), 0.5}, // a lone dry bulb
        {"30", 70.0, 0.3, 30.0, X, 0.3},
    };
    for (const auto& C : Cases) {
        PsyState s;
        ParseDryWetBulb(C.Text, s, C.P, C.DefaultRh);
        EXPECT_DOUBLE_EQ(s.pa, C.P) << C.Text;
        EXPECT_DOUBLE_EQ(s.db, C.Db) << C.Text;
        EXPECT_TRUE(std::isnan(C.Wb) || std::fabs(s.wb - C.Wb) < 1e-9) << C.Text << " wb " << s.wb;
        EXPECT_TRUE(std::isnan(C.Rh) || std::fabs(s.rh - C.Rh) < 1e-9) << C.Text << " rh " << s.rh;
    }

    // Bad text raises and leaves the state alone.
    PsyState s = GoodState();
    const PsyState before = s;
    for (const char* text : {"", "abc", "25/", "/18", "25/x", "2 5/18", "nan"})
        EXPECT_THROW(ParseDryWetBulb(text, s, SeaLevel, 0.5), EConvertError) << text;
    EXPECT_EQ(s.db, before.db);
    EXPECT_EQ(s.wb, before.wb);
    // A saturated pair above the boiling point of a low barometer is no state.
    EXPECT_THROW(ParseDryWetBulb("99/99", s, 60.0, 0.5), EPsyError);
}

TEST(AirProperties, ErrorTextChecksFieldsInOrderThenTheLibrarysStatus)
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

    // The library's last status counts: bone-dry air has its dew point beyond the range.
    PsyState s;
    SetState(s, SeaLevel, 20.0, 0.0, pmTW);
    EXPECT_EQ(MoistAirErrorText(s), "Bad data...");
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
