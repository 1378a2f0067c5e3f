#include "psychro/Saturation.h"

#include <gtest/gtest.h>

TEST(Saturation, PressureMatchesPublishedTables)
{
    const struct { double T, Pws, Fraction; } table[] = { // °C, kPa
        // IAPWS-IF97 release, Table 35: computer-program verification values of
        // the saturation-pressure equation (T in K, p in MPa).
        {300.0 - 273.15, 0.353658941e-2 * 1000, 1e-8},
        {500.0 - 273.15, 0.263889776e1 * 1000, 1e-8},
        {600.0 - 273.15, 0.123443146e2 * 1000, 1e-8},
        // ASHRAE Handbook—Fundamentals 2017 (SI), chapter 1, Table 3, "Thermodynamic
        // properties of water at saturation": over liquid water within 0.05 %...
        {0, 0.6112, 5e-4}, {20, 2.3393, 5e-4}, {40, 7.3849, 5e-4}, {80, 47.414, 5e-4}, {100, 101.42, 5e-4},
        // ...and over ice, down to -40 °C, within 0.5 %.
        {-40, 0.01285, 5e-3}, {-20, 0.10326, 5e-3}, {-0.001, 0.61115, 5e-3}};
    for (const auto& row : table)
        EXPECT_NEAR(SaturationPressure(row.T), row.Pws, row.Pws * row.Fraction) << row.T;
}

TEST(Saturation, CurveIsContinuousAtFreezingRisesEverywhereAndIsHeldAtItsLimits)
{
    // With the correlation's first coefficient as published the ice and water
    // curves meet at 0 °C; a lost digit opens a step there.
    EXPECT_NEAR(SaturationPressure(-1e-9), SaturationPressure(0.0), 2e-4 * SaturationPressure(0.0));
    EXPECT_LT(SaturationPressure(-1e-9), SaturationPressure(0.0));

    double previous = SaturationPressure(-100.0);
    for (double t = -99.75; t <= 200.0; t += 0.25) {
        const double p = SaturationPressure(t);
        ASSERT_GT(p, previous) << "at " << t;
        previous = p;
    }
    // Beyond the range, held at the limits.
    EXPECT_DOUBLE_EQ(SaturationPressureWater(374.0), 22064.0);
    // The water curve reaches its low limit continuously.
    EXPECT_NEAR(SaturationPressureWater(-112.999999) / SaturationPressureWater(-114.0), 1.0, 1e-5);
    const double coldest = SaturationPressureIce(-113.0);
    EXPECT_GT(coldest, 0.0);
    EXPECT_DOUBLE_EQ(SaturationPressure(-1e9), coldest);
}
