#include "psychro/Psychrometrics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

// ASHRAE Handbook—Fundamentals 2017 (SI), chapter 1, Table 1, "Standard
// atmospheric data for altitudes to 10 000 m".
TEST(Atmosphere, PressureWithinTwoHundredthsOfAPercentOfHandbookTable)
{
    const struct {
        double Z, P;
    } table[] = {{-500, 107.478}, {0, 101.325}, {500, 95.461},   {1000, 89.875},
                 {2000, 79.495},  {3000, 70.108}, {5000, 54.020}, {8000, 35.600},
                 {10000, 26.436}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.Z);
        EXPECT_NEAR(AtmPressure(row.Z), row.P, row.P * 0.0002);
        EXPECT_EQ(PsyStatus(), psOk);
        EXPECT_NEAR(Altitude(row.P), row.Z, 3.0);
    }
}

TEST(Atmosphere, OutsideTheTroposphereIsFlaggedButComputed)
{
    const double p = AtmPressure(12000.0);
    EXPECT_EQ(PsyStatus(), psOutOfRange);
    EXPECT_GT(p, 0.0);
    EXPECT_LT(p, AtmPressure(11000.0));

    EXPECT_GT(Altitude(10.0), 11000.0);
    EXPECT_EQ(PsyStatus(), psOutOfRange);
    EXPECT_LT(Altitude(200.0), -5000.0);
    EXPECT_EQ(PsyStatus(), psOutOfRange);
}

TEST(Atmosphere, UndefinedInputsRaise)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();

    for (double p : {0.0, -5.0, nan, inf})
        EXPECT_THROW(Altitude(p), EPsyError);
    EXPECT_THROW(AtmPressure(nan), EPsyError);
    EXPECT_EQ(PsyStatus(), psUndefined);

    // Above about 44 km the relation leaves no pressure at all.
    try {
        AtmPressure(50000.0);
        FAIL() << "no error";
    } catch (const EPsyError& e) {
        EXPECT_EQ(e.Status(), psNoState);
        EXPECT_EQ(PsyStatus(), psNoState);
    }
}
