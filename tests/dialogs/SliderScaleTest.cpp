// The fitting dialog's slider scale and code filters.

#include "dialogs/FittingCodeFilter.h"
#include "dialogs/SliderScale.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct TScaleCase {
    double Min, Max;
    bool Log;
    double Value;
    int Position;
};

TEST(SliderScale, ValuesToPositions)
{
    const TScaleCase Cases[] = {
        {0.0, 1.0, false, 0.25, 250},
        {0.0, 1.0, false, -0.1, -100},   // outside the bounds stays outside
        {1.0, 0.0, false, 0.25, 750},    // a descending axis
        {0.1, 10.0, true, 1.0, 500},
        {0.1, 10.0, true, 0.1, 0},
        {0.5, 0.5, false, 0.7, 0},       // equal bounds
        {0.0, 1.0, true, 0.005, 0},      // a lower bound of 0 is ln(0.005)
    };
    for (const TScaleCase& C : Cases) {
        const TSliderScale Scale(C.Min, C.Max, C.Log);
        EXPECT_EQ(Scale.Position(C.Value), C.Position) << C.Min << ".." << C.Max << " at " << C.Value;
    }
}

TEST(SliderScale, PositionsToValues)
{
    EXPECT_NEAR(TSliderScale(0.1, 10.0, true).Value(651), 2.0045, 5e-5);
    EXPECT_NEAR(TSliderScale(0.1, 10.0, true).Value(500), 1.0, 1e-12);
    EXPECT_DOUBLE_EQ(TSliderScale(2.0, 4.0, false).Value(250), 2.5);
    EXPECT_DOUBLE_EQ(TSliderScale(0.5, 0.5, false).Value(700), 0.5);
    // A lower bound of 0 on a log axis starts at 0.005; a negative one at 1.
    EXPECT_NEAR(TSliderScale(0.0, 1.0, true).Value(0), 0.005, 1e-15);
    EXPECT_DOUBLE_EQ(TSliderScale(-2.0, 1.0, true).Value(0), 1.0);
}

TEST(FittingCodeFilter, CategoryOfCode)
{
    const std::pair<const char*, int> Cases[] = {
        {"SD5-1", 5}, {"SR10-2", 10}, {"ED1-2-s", 1}, {"SD0-1", 0},
        {"SD11-1", 0}, {"SD5", 0}, {"", 0}, {"SDx-1", 0}, {"SD5x1", 0}, {"SD-5", 0},
    };
    for (const auto& [Code, Category] : Cases)
        EXPECT_EQ(CategoryOfCode(Code), Category) << Code;
}

TEST(FittingCodeFilter, PatternsAndLinkTexts)
{
    EXPECT_EQ(FittingFilterPattern('S', 'D', 5), "SD5 ");
    EXPECT_EQ(FittingFilterPattern('+', 'R', 10), "+R10");
    EXPECT_EQ(FittingFilterPattern('+', '+', 0), "++0 ");
    EXPECT_EQ(LinkTextId("12: Spiral 12"), 12);
    EXPECT_EQ(LinkTextId("-3: Sink"), -3);
    EXPECT_EQ(LinkTextId("Duct"), -1);
    EXPECT_EQ(LinkTextId("x: Duct"), -1);
}

} // namespace
