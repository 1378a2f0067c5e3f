#include "psychro/BracketedRoot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

TEST(BracketedRoot, FindsRootsOfSmoothSteppedAndFlatFunctionsOnlyInABracket)
{
    int calls = 0;
    const struct {
        std::function<double(double)> F;
        double Lo, Hi, Tolerance, Root, Within;
    } Cases[] = {
        {[](double x) { return x * x * x - 2.0; }, 0.0, 5.0, 1e-12, std::cbrt(2.0), 1e-11},
        {[](double x) { return x < 1.5 ? -1.0 : 1.0; }, -100.0, 100.0, 1e-9, 1.5, 1e-8}, // closes in on a jump
        {[](double x) { return x - 1.0; }, 1.0, 4.0, 1e-9, 1.0, 0.0},                   // a root at an end
        // A very flat function far from the ends, within the step limit.
        {[&calls](double x) { return ++calls, std::pow(x - 3.0, 9.0); }, -200.0, 200.0, 1e-10, 3.0, 0.1}};
    for (const auto& C : Cases) {
        double root = 0.0;
        ASSERT_TRUE(FindBracketedRoot(C.F, C.Lo, C.Hi, C.Tolerance, root));
        EXPECT_NEAR(root, C.Root, C.Within);
    }
    EXPECT_LE(calls, BracketedRootMaxSteps + 2);

    double root = 42.0; // no bracket: left as it was
    EXPECT_FALSE(FindBracketedRoot([](double x) { return x * x + 1.0; }, -1.0, 1.0, 1e-9, root));
    EXPECT_EQ(root, 42.0);
}
