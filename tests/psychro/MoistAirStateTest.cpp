#include "tests/psychro/PsychroTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace {
constexpr double SeaLevel = 101.325;
}

// ASHRAE Handbook—Fundamentals 2017 (SI), chapter 1, Table 2, "Thermodynamic
// properties of moist air at standard atmospheric pressure, 101.325 kPa".
TEST(MoistAirState, MatchesTheHandbookTable)
{
    // Humidity ratio at saturation within 0.6 %: the table includes the
    // enhancement factor (about 0.4 %) that the ideal-gas relation leaves out.
    const struct {
        double T, Ws;
    } table[] = {{-10, 0.0016062}, {0, 0.003789}, {10, 0.007661}, {20, 0.014758}, {30, 0.027329}};
    for (const auto& row : table)
        EXPECT_NEAR(StateOf(SeaLevel, row.T, 1.0, pmTF).wa, row.Ws, row.Ws * 0.006) << row.T;

    // Dry air at 20 °C: specific volume 0.8301 m³/kg (within 0.1 %), enthalpy 20.121 kJ/kg.
    const PsyState s = StateOf(SeaLevel, 20.0, 0.0, pmTW);
    EXPECT_NEAR(s.ro, 1.0 / 0.8301, 0.001 / 0.8301);
    EXPECT_NEAR(s.ha, 20.121, 0.01);
}

TEST(MoistAirState, PropertiesAreMutuallyConsistent)
{
    PsyState s;
    ASSERT_EQ(SetState(s, SeaLevel, 30.0, 20.0, pmTB), psOk);
    // Wet bulb below dry bulb, dew point below wet bulb in unsaturated air.
    EXPECT_LT(s.td, s.wb);
    EXPECT_LT(s.wb, s.db);
    // The dew point is where the vapour pressure saturates.
    EXPECT_NEAR(StateOf(SeaLevel, s.td, 1.0, pmTF).pv, s.pv, 1e-9);
    // Well-known chart reading for 30 °C / 20 °C: about 40 % and 14.8 °C.
    EXPECT_NEAR(s.rh, 0.40, 0.01);
    EXPECT_NEAR(s.td, 14.8, 0.2);
    // The shortcuts give the full state's values.
    EXPECT_DOUBLE_EQ(Density(SeaLevel, 30.0, 20.0, pmTB), s.ro);
    EXPECT_DOUBLE_EQ(WetBulb(SeaLevel, 30.0, s.rh, pmTF), s.wb);
    // Saturated air has all three temperatures equal.
    for (double t : {-30.0, -5.0, 0.5, 15.0, 50.0}) {
        const PsyState sat = StateOf(SeaLevel, t, 1.0, pmTF);
        EXPECT_EQ(PsyStatus(), psOk) << t;
        EXPECT_NEAR(std::fabs(sat.wb - t) + std::fabs(sat.td - t), 0.0, 1e-7) << t;
        EXPECT_NEAR(sat.rh, 1.0, 1e-12) << t;
    }
}

// A state comes back with its status; undefined inputs raise and leave the result alone.
TEST(MoistAirState, StatesComeWithTheirStatusAndUndefinedInputsRaise)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double P, A, B;
        int Mode, Status;
        double PsyState::*Field = nullptr;
        double Value = 0.0;
    } Cases[] = {
        {SeaLevel, 25.0, 30.0, pmTB, psUnphysical, &PsyState::wb, 30.0}, // wet bulb above dry bulb
        {SeaLevel, 25.0, 1.2, pmTF, psUnphysical, &PsyState::rh, 1.2},   // supersaturated
        {SeaLevel, 25.0, -0.001, pmTW, psUnphysical, &PsyState::td, -100.0}, // dew point held at its limit
        {SeaLevel, 250.0, 0.01, pmTW, psOutOfRange, &PsyState::db, 250.0},
        {300.0, 20.0, 0.001, pmTW, psOutOfRange, &PsyState::wa, 0.001},
        {SeaLevel, 20.0, 0.0, pmTW, psOutOfRange, &PsyState::td, -100.0}, // bone-dry air has no dew point
        {SeaLevel, 150.0, 0.01, pmTW, psOk, &PsyState::db, 150.0},        // superheated above boiling: fine
        {0.0, 20.0, 0.5, pmTF, psUndefined}, {nan, 20.0, 0.5, pmTF, psUndefined},
        {SeaLevel, nan, 0.5, pmTF, psUndefined}, {SeaLevel, 20.0, HUGE_VAL, pmTF, psUndefined},
        {SeaLevel, 20.0, SeaLevel, pmTV, psUndefined}, {60.0, 95.0, 0.9, pmTF, psUndefined}, // vapour at P
        {60.0, 99.0, 99.0, pmTB, psUndefined},       // a wet bulb above the boiling point at a low barometer
        {SeaLevel, -300.0, 0.001, pmTW, psUndefined}}; // below absolute zero
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "P " << C.P << " A " << C.A << " B " << C.B << " mode " << C.Mode);
        PsyState s = StateOf(SeaLevel, 20.0, 0.5, pmTF);
        const PsyState before = s;
        try {
            EXPECT_EQ(SetState(s, C.P, C.A, C.B, C.Mode), C.Status);
            ASSERT_NE(C.Field, nullptr);
            EXPECT_NEAR(s.*C.Field, C.Value, 1e-6);
        } catch (const EPsyError& e) {
            EXPECT_EQ(e.Status(), C.Status);
            EXPECT_EQ(std::memcmp(&s, &before, sizeof s), 0);
        }
        EXPECT_EQ(PsyStatus(), C.Status);
    }
    EXPECT_THROW(WetBulb(0.0, 20.0, 0.5, pmTF), EPsyError);
    EXPECT_THROW(Density(SeaLevel, nan, 12.8, pmTB), EPsyError);
}

// Whatever two values arrive, the answer is a finite state or an error.
TEST(MoistAirState, NoInputGivesANonNumber)
{
    const double values[] = {-1e6, -150.0, -60.0, -0.5, 0.0, 1e-7, 0.5, 1.0, 2.0, 25.0, 99.0, 400.0, 1e6};
    const int modes[] = {pmTB, pmTH, pmTF, pmTD, pmTR, pmBH, pmBF, pmBR, pmHF, pmWF, pmFD, pmVS};
    for (double p : {5.0, 60.0, 101.325, 1000.0})
        for (int mode : modes)
            for (double a : values)
                for (double b : values) {
                    PsyState s;
                    try {
                        SetState(s, p, a, b, mode);
                    } catch (const EPsyError&) {
                        EXPECT_GE(PsyStatus(), psUndefined);
                        continue;
                    }
                    const auto fields = std::bit_cast<std::array<double, 15>>(s);
                    ASSERT_TRUE(std::all_of(fields.begin(), fields.end(), [](double x) { return std::isfinite(x); })) << "P " << p << " mode " << mode << " A " << a << " B " << b;
                    EXPECT_LT(PsyStatus(), psUndefined);
                }
}
