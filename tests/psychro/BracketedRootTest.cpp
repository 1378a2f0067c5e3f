#include "psychro/BracketedRoot.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(BracketedRoot, FindsRootsOfSmoothAndSteppedFunctions)
{
    double root = 0.0;
    ASSERT_TRUE(FindBracketedRoot([](double x) { return x * x * x - 2.0; }, 0.0, 5.0, 1e-12, root));
    EXPECT_NEAR(root, std::cbrt(2.0), 1e-11);

    // A jump across zero: the finder closes in on the jump.
    ASSERT_TRUE(FindBracketedRoot([](double x) { return x < 1.5 ? -1.0 : 1.0; }, -100.0, 100.0, 1e-9, root));
    EXPECT_NEAR(root, 1.5, 1e-8);

    // A very flat function far from the ends still converges within the step limit.
    int calls = 0;
    ASSERT_TRUE(FindBracketedRoot(
        [&](double x) {
            ++calls;
            return std::pow(x - 3.0, 9.0);
        },
        -200.0, 200.0, 1e-10, root));
    EXPECT_NEAR(root, 3.0, 0.1);
    EXPECT_LE(calls, BracketedRootMaxSteps + 2);
}

TEST(BracketedRoot, ReportsAMissingBracketAndNonNumbers)
{
    double root = 42.0;
    EXPECT_FALSE(FindBracketedRoot([](double x) { return x * x + 1.0; }, -1.0, 1.0, 1e-9, root));
    EXPECT_DOUBLE_EQ(root, 42.0);

    // A root exactly at an end.
    ASSERT_TRUE(FindBracketedRoot([](double x) { return x - 1.0; }, 1.0, 4.0, 1e-9, root));
    EXPECT_DOUBLE_EQ(root, 1.0);
}
