#include "network/FlowEnums.h"
#include "tests/support/ExactDoubles.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

// What a failed comparison shows: a status by its name, and doubles that
// differ in their last bits as different numbers.
TEST(PrintedValues, StatusesReadAsTheirNames)
{
    const struct {
        TSolveStatus Status;
        const char* Printed;
    } Cases[] = {
        {ssSolved, "Solved"},
        {ssWithinTolerance, "Within tolerance"},
        {ssDataError, "Data error"},
        {ssMaxItsReached, "MaxIts reached"},
        {static_cast<TSolveStatus>(SolveStatusCount), "status 6"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(testing::PrintToString(C.Status), C.Printed);
}

TEST(PrintedValues, DoublesComparedForIdentityShowEveryDigit)
{
    const double Sum = 0.1 + 0.2;
    const struct {
        double Value;
        const char* Printed;
    } Cases[] = {
        {Sum, "0.30000000000000004"},
        {0.3, "0.29999999999999999"},
        {1.0, "1"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(testing::PrintToString(Exact(C.Value)), C.Printed);
    EXPECT_NE(testing::PrintToString(Exact(std::vector<double>{Sum})),
              testing::PrintToString(Exact(std::vector<double>{0.3})));
    EXPECT_NE(testing::PrintToString(Exact(std::map<int, double>{{1, Sum}})),
              testing::PrintToString(Exact(std::map<int, double>{{1, 0.3}})));
    // Compared as the doubles are.
    EXPECT_FALSE(Exact(Sum) == Exact(0.3));
    EXPECT_TRUE(Exact(std::vector<double>{Sum, 1.0}) == Exact(std::vector<double>{Sum, 1.0}));
}
