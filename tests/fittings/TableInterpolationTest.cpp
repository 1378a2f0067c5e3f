#include "fittings/TableInterpolation.h"

#include <gtest/gtest.h>

namespace {

constexpr double H = TableHole;

// Tables are built with exact sizes, so a read past a row or past the last
// row is a heap overflow that AddressSanitizer reports.
const TFloatVec X3 = {0.0, 1.0, 2.0};
const TFloatVec Y3 = {0.0, 10.0, 20.0};
const TFloatMat Full3 = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};

TEST(FindTableSegment, GridEntriesEndsAndDescendingAxes)
{
    const TFloatVec Axis = {10, 20, 40, 80};
    const struct {
        TFloatVec Axis;
        double X;
        int Index;
        double Fraction;
    } Cases[] = {
        {Axis, 10, 0, 0.0},
        {Axis, 80, 2, 1.0},
        {Axis, 40, 1, 1.0},  // an inner grid entry ends the segment before it
        {Axis, 5, 0, -0.5},
        {Axis, 100, 2, 1.5},
        {{90, 60, 45, 30}, 50, 1, 2.0 / 3.0},
        {{90, 60, 45, 30}, 100, 0, -1.0 / 3.0},
        {{90, 60, 45, 30}, 20, 2, 5.0 / 3.0},
        // Equal first entries count as descending; the zero-length segment
        // gives fraction 0 instead of a division by zero.
        {{5, 5}, 7, 0, 0.0},
    };
    for (const auto& C : Cases) {
        const TTableSegment S = FindTableSegment(C.Axis, C.X);
        EXPECT_EQ(S.Index, C.Index) << C.X;
        EXPECT_NEAR(S.Fraction, C.Fraction, 1e-12) << C.X;
    }
    EXPECT_THROW(FindTableSegment({1.0}, 1.0), ETableShapeError);
}

TEST(Interpolate1D, InsideAndExtrapolatedWithRangeFlag)
{
    const TFloatVec Axis = {0, 10, 20};
    const TFloatVec Values = {1, 3, 7};
    bool Out = true;
    EXPECT_DOUBLE_EQ(Interpolate1D(Axis, Values, 15, Out), 5.0);
    EXPECT_FALSE(Out);
    EXPECT_TRUE(TableCellsValid);

    // 5 % of the end segment beyond the last entry: extrapolated, no warning.
    EXPECT_DOUBLE_EQ(Interpolate1D(Axis, Values, 20.5, Out), 7.2);
    EXPECT_FALSE(Out);
    // 15 % beyond: warns; extrapolation has no limit.
    EXPECT_DOUBLE_EQ(Interpolate1D(Axis, Values, 21.5, Out), 7.6);
    EXPECT_TRUE(Out);
    EXPECT_DOUBLE_EQ(Interpolate1D(Axis, Values, -1.5, Out), 0.7);
    EXPECT_TRUE(Out);
}

TEST(Interpolate1D, MismatchedValuesRaiseInsteadOfReadingPastTheTable)
{
    bool Out = false;
    EXPECT_THROW(Interpolate1D({0, 1, 2}, {1, 2}, 1.5, Out), ETableShapeError);
    EXPECT_THROW(Interpolate1D({0}, {1}, 0, Out), ETableShapeError);
}

TEST(Interpolate2D, BilinearGridLinesAndExtrapolationWithoutHoles)
{
    // Cells are 1 + x + 0.3 y, so every value is worked out independently.
    // The last grid lines read nothing beyond the table; a value beyond
    // 10 % of an end segment on either axis warns.
    const struct {
        double X, Y, Expected;
        bool Out;
    } Cases[] = {
        {0.5, 15, 6.0, false}, {1, 10, 5.0, false},  {2, 20, 9.0, false},   {2, 5, 4.5, false},
        {0.5, 20, 7.5, false}, {2.05, 10, 6.05, false}, {2.2, 10, 6.2, true}, {1, -2, 1.4, true},
    };
    for (const auto& C : Cases) {
        bool Out = !C.Out;
        EXPECT_NEAR(Interpolate2D(X3, Y3, Full3, C.X, C.Y, Out, H), C.Expected, 1e-12) << C.X << ", " << C.Y;
        EXPECT_EQ(Out, C.Out) << C.X << ", " << C.Y;
        EXPECT_TRUE(TableCellsValid);
    }
}

TEST(Interpolate2D, HolesAreFilledFromTheCellsAround)
{
    const TFloatVec X2 = {0, 1};
    const struct {
        const char* Name;
        TFloatVec X, Y;
        TFloatMat Table;
        double AtX, AtY, Expected;
    } Cases[] = {
        // Row fill gives 4 (left neighbour), column fill 2 (cell above): their mean.
        {"on a grid point", X3, Y3, {{1, 2, 3}, {4, H, 6}, {7, 8, 9}}, 1, 10, 3.0},
        // Row pass fills with 1 (its row), giving 2.25; column pass with 4
        // (its column), giving 3.
        {"inside a cell", X2, X2, {{1, H}, {3, 4}}, 0.5, 0.5, 2.625},
        {"a row of holes", X2, X2, {{H, H}, {3, 4}}, 0.5, 0.5, 3.5},
        {"the last corner: only cells inside", X3, Y3, {{1, 2, 3}, {4, 5, 6}, {7, 8, H}}, 2, 20, 7.0},
        {"nothing to fill", X2, X2, {{H, H}, {H, H}}, 0.5, 0.5, 1.0},
        {"nothing to fill, on the grid", X2, X2, {{H, H}, {H, H}}, 1, 1, 1.0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TableCellsValid = true;
        bool Out = false;
        EXPECT_DOUBLE_EQ(Interpolate2D(C.X, C.Y, C.Table, C.AtX, C.AtY, Out, H), C.Expected);
        EXPECT_TRUE(Out); // a filled hole warns
        EXPECT_FALSE(TableCellsValid);
    }
}

TEST(Interpolate2D, ShapeErrorsRaise)
{
    bool Out = false;
    const TFloatMat ShortRow = {{1, 2, 3}, {4, 5}, {7, 8, 9}};
    EXPECT_THROW(Interpolate2D(X3, Y3, ShortRow, 1.5, 15, Out, H), ETableShapeError);
    const TFloatMat MissingRow = {{1, 2, 3}, {4, 5, 6}};
    EXPECT_THROW(Interpolate2D(X3, Y3, MissingRow, 1.5, 19, Out, H), ETableShapeError);
}

TEST(Interpolate3D, BlendsSlicesKeepsTheLastSlicesFlagAndFindsHoles)
{
    const TFloatVec X = {0, 1};
    const TFloatVec Z = {0, 10};
    const TFloatMat YAxes = {{0, 1}, {0, 2}};
    const TFloatTensor Tables = {{{0, 1}, {2, 3}}, {{10, 11}, {12, 13}}};
    bool Out = true;
    // Slice 0 at y = 1.5 lies beyond its Y axis (3.5, warning); slice 1 has
    // a longer Y axis (12.0, inside). The flag is the last slice's.
    EXPECT_DOUBLE_EQ(Interpolate3D(X, Z, YAxes, Tables, 0.5, 5, 1.5, Out, H), 7.75);
    EXPECT_FALSE(Out);
    EXPECT_DOUBLE_EQ(Interpolate3D(X, Z, YAxes, Tables, 0.5, 10, 1, Out, H), 11.5);
    // Z 20 % beyond the slice axis: extrapolated, no warning from Z.
    EXPECT_NEAR(Interpolate3D(X, Z, YAxes, Tables, 0.5, 12, 0.5, Out, H), 12.9, 1e-12);
    EXPECT_FALSE(Out);

    const TFloatTensor WithHole = {{{0, 1}, {H, 3}}, {{10, 11}, {12, 13}}};
    Interpolate3D(X, Z, YAxes, WithHole, 0.5, 5, 0.5, Out, H);
    EXPECT_FALSE(TableCellsValid);
    EXPECT_THROW(Interpolate3D(X, Z, {{0, 1}}, Tables, 0.5, 5, 0.5, Out, H), ETableShapeError);
}

} // namespace
