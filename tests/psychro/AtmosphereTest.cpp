#include "psychro/Psychrometrics.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

// ASHRAE Handbook—Fundamentals 2017 (SI), chapter 1, Table 1, "Standard
// atmospheric data for altitudes to 10 000 m".
TEST(Atmosphere, PressureWithinTwoHundredthsOfAPercentOfHandbookTable)
{
    const struct { double Z, P; } table[] = {{-500, 107.478}, {0, 101.325}, {500, 95.461}, {1000, 89.875},
        {2000, 79.495}, {3000, 70.108}, {5000, 54.020}, {8000, 35.600}, {10000, 26.436}};
    for (const auto& row : table) {
        EXPECT_NEAR(AtmPressure(row.Z), row.P, row.P * 0.0002) << row.Z;
        EXPECT_EQ(PsyStatus(), psOk);
        EXPECT_NEAR(Altitude(row.P), row.Z, 3.0) << row.Z;
    }
}

// Outside the troposphere the values are flagged but computed.
TEST(Atmosphere, OutsideTheTroposphereIsFlaggedAndUndefinedInputsRaise)
{
    const double top = AtmPressure(11000.0);
    const std::function<double()> beyond[] = {[top] { return AtmPressure(12000.0) - top; },
                                              [] { return 11000.0 - Altitude(10.0); },
                                              [] { return Altitude(200.0) + 5000.0; }};
    for (const auto& below : beyond) {
        EXPECT_LT(below(), 0.0);
        EXPECT_EQ(PsyStatus(), psOutOfRange);
    }

    for (double p : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_THROW(Altitude(p), EPsyError);
    EXPECT_THROW(AtmPressure(std::numeric_limits<double>::quiet_NaN()), EPsyError);
    EXPECT_EQ(PsyStatus(), psUndefined);

    // Above about 44 km the relation leaves no pressure at all.
    EXPECT_THROW(AtmPressure(50000.0), EPsyError);
    EXPECT_EQ(PsyStatus(), psNoState);
}
