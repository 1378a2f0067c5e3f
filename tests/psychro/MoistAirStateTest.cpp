#include "psychro/Psychrometrics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
constexpr double SeaLevel = 101.325;

PsyState Saturated(double P, double T)
{
    PsyState s;
    SetState(s, P, T, 1.0, pmTF);
    return s;
}

bool AllFinite(const PsyState& S)
{
    for (double x : {S.pa, S.db, S.wb, S.ha, S.wa, S.rh, S.td, S.pv, S.ps, S.ro, S.cp, S.va})
        if (!std::isfinite(x))
            return false;
    return true;
}
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
        EXPECT_NEAR(Saturated(SeaLevel, row.T).wa, row.Ws, row.Ws * 0.006) << row.T;

    // Dry air at 20 °C: specific volume 0.8301 m³/kg (within 0.1 %), enthalpy 20.121 kJ/kg.
    PsyState s;
    SetState(s, SeaLevel, 20.0, 0.0, pmTW);
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
    EXPECT_NEAR(Saturated(SeaLevel, s.td).pv, s.pv, 1e-9);
    // Well-known chart reading for 30 °C / 20 °C: about 40 % and 14.8 °C.
    EXPECT_NEAR(s.rh, 0.40, 0.01);
    EXPECT_NEAR(s.td, 14.8, 0.2);
    // Saturated air has all three temperatures equal.
    for (double t : {-30.0, -5.0, 0.5, 15.0, 50.0}) {
        const PsyState sat = Saturated(SeaLevel, t);
        EXPECT_EQ(PsyStatus(), psOk) << t;
        EXPECT_NEAR(sat.wb, t, 1e-7) << t;
        EXPECT_NEAR(sat.td, t, 1e-7) << t;
        EXPECT_NEAR(sat.rh, 1.0, 1e-12) << t;
    }
}

TEST(MoistAirState, WetBulbAndDensityShortcutsMatchTheFullState)
{
    PsyState s;
    SetState(s, SeaLevel, 20.0, 12.8, pmTB);
    EXPECT_DOUBLE_EQ(Density(SeaLevel, 20.0, 12.8, pmTB), s.ro);
    EXPECT_DOUBLE_EQ(WetBulb(SeaLevel, 20.0, s.rh, pmTF), s.wb);
    // Thinner air at altitude.
    EXPECT_LT(Density(80.0, 20.0, 12.8, pmTB), 0.8 * s.ro);
    EXPECT_EQ(PsyStatus(), psOk);
}

TEST(MoistAirState, UnphysicalAndOutOfRangeStatesAreReturnedWithTheirStatus)
{
    PsyState s;
    // Wet bulb above dry bulb, or relative humidity above 1: supersaturated.
    EXPECT_EQ(SetState(s, SeaLevel, 25.0, 30.0, pmTB), psUnphysical);
    EXPECT_NEAR(s.wb, 30.0, 1e-6);
    EXPECT_GT(s.rh, 1.0);
    EXPECT_EQ(SetState(s, SeaLevel, 25.0, 1.2, pmTF), psUnphysical);
    EXPECT_NEAR(s.rh, 1.2, 1e-12);
    EXPECT_GT(s.wb, s.db);
    // Negative humidity: negative vapour pressure, the dew point at its limit.
    EXPECT_EQ(SetState(s, SeaLevel, 25.0, -0.001, pmTW), psUnphysical);
    EXPECT_LT(s.rh, 0.0);
    EXPECT_DOUBLE_EQ(s.td, -100.0);

    EXPECT_EQ(SetState(s, SeaLevel, 250.0, 0.01, pmTW), psOutOfRange);
    EXPECT_EQ(SetState(s, 300.0, 20.0, 0.001, pmTW), psOutOfRange);
    // Bone-dry air has no dew point: held at the range's limit.
    EXPECT_EQ(SetState(s, SeaLevel, 20.0, 0.0, pmTW), psOutOfRange);
    EXPECT_DOUBLE_EQ(s.td, -100.0);
    // A superheated state above the boiling point is fine, and clears the last status.
    EXPECT_EQ(SetState(s, SeaLevel, 150.0, 0.01, pmTW), psOk);
    EXPECT_EQ(PsyStatus(), psOk);
    EXPECT_LT(s.rh, 0.01);
}

TEST(MoistAirState, UndefinedInputsRaiseAndLeaveTheResultAlone)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    PsyState s;
    SetState(s, SeaLevel, 20.0, 0.5, pmTF);
    const PsyState before = s;

    const auto expectUndefined = [&](double P, double A, double B, int Mode) {
        try {
            SetState(s, P, A, B, Mode);
            ADD_FAILURE() << "P " << P << " A " << A << " B " << B << " mode " << Mode;
        } catch (const EPsyError& e) {
            EXPECT_EQ(e.Status(), psUndefined);
            EXPECT_EQ(PsyStatus(), psUndefined);
        }
        EXPECT_EQ(s.db, before.db);
        EXPECT_EQ(s.wa, before.wa);
    };
    expectUndefined(0.0, 20.0, 0.5, pmTF);
    expectUndefined(nan, 20.0, 0.5, pmTF);
    expectUndefined(SeaLevel, nan, 0.5, pmTF);
    expectUndefined(SeaLevel, 20.0, inf, pmTF);
    // Vapour pressure at or above the total pressure.
    expectUndefined(SeaLevel, 20.0, SeaLevel, pmTV);
    expectUndefined(60.0, 95.0, 0.9, pmTF);
    // A wet bulb above the boiling point at a low barometer.
    expectUndefined(60.0, 99.0, 99.0, pmTB);
    // Below absolute zero.
    expectUndefined(SeaLevel, -300.0, 0.001, pmTW);

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
                    ASSERT_TRUE(AllFinite(s)) << "P " << p << " mode " << mode << " A " << a << " B " << b;
                    EXPECT_LT(PsyStatus(), psUndefined);
                }
}
