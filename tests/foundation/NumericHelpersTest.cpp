#include "foundation/NumericHelpers.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(NumericHelpers, SafeDivideUsesSignedDefault)
{
    EXPECT_DOUBLE_EQ(SafeDivide(5, 0, 1e10), 1e10);
    EXPECT_DOUBLE_EQ(SafeDivide(-5, 0, 1e10), -1e10);
    EXPECT_DOUBLE_EQ(SafeDivide(0, 0, 7), 7);
    EXPECT_DOUBLE_EQ(SafeDivide(6, 3, 7), 2);
    EXPECT_DOUBLE_EQ(SafeDivide(1e308, 1e-308, 3), 3); // overflow counts as failure
}

TEST(NumericHelpers, BetweenRoundingAndInterpolation)
{
    EXPECT_TRUE(Between(5, 3, 1)); // bounds in either order
    EXPECT_TRUE(Between(1, 3, 5));
    EXPECT_TRUE(Between(1, 1, 1));
    EXPECT_FALSE(Between(1, 6, 5));
    EXPECT_TRUE(Between(30000.0, 101325.0, 200000.0));
    EXPECT_FALSE(Between(0.1, 10.05, 10.0));
    EXPECT_FALSE(Between(-60.0, std::nan(""), 99.0)) << "a NaN lies between no bounds";
    // Halves round up; negatives truncate; no step leaves the value alone.
    const double Rounding[][3] = {{7.5, 5, 10}, {7.4, 5, 5}, {-7.5, 5, -5}, {-9, 5, -5},
                                  {7.3, 0, 7.3}, {7.3, -1, 7.3}};
    for (const auto& [Value, Step, Expected] : Rounding)
        EXPECT_DOUBLE_EQ(RoundToStep(Value, Step), Expected) << Value << " " << Step;
    EXPECT_DOUBLE_EQ(Interpolate(10, 20, 0), 20);
    EXPECT_DOUBLE_EQ(Interpolate(10, 20, 1), 10);
    EXPECT_DOUBLE_EQ(InterpolationFraction(10, 20, Interpolate(10, 20, 0.3)), 0.3);
}

TEST(NumericHelpers, BitNumbersWrapAt32)
{
    TFlagSet s = 0;
    SetBit(s, 33);
    EXPECT_EQ(s, 2u);
    EXPECT_TRUE(BitIsSet(s, 1));
    SetBit(s, 31);
    ClearBit(s, 1);
    EXPECT_EQ(s, 0x80000000u);
}
