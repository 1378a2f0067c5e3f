// What the family roots decide for all their leaves: lookups at stored axis
// values, grid points, middle values, axis and flow-ratio ranges, clamping,
// and the table shapes their readers refuse.

#include "FamilyTestData.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(DuctFit1Dim, DiameterFittingLooksUpTheSectionEvenAtStoredValues)
{
    const auto F = MakeFitting(OneDimSource("TDuctFitD", "CD3-9", {100, 200, 400}, {0.6, 0.4, 0.3}, 0.3, 0.6));
    EXPECT_DOUBLE_EQ(CoefficientAt(*F, {.S = RoundSection(200)}, {400}), 0.4);
    EXPECT_EQ(F->LastInputs, TFloatVec{200});
    EXPECT_DOUBLE_EQ(CoefficientAt(*F, {.S = RoundSection(300)}, {}), 0.35);
}

TEST(DuctFit1Dim, FlowRatioLeavesHaveNoGeometricAxis)
{
    const auto F = MakeFitting(OneDimSource("TDuctFitQbQc", "SD5-9-b", {0.2, 0.5, 0.8}, {4.0, 1.0, 0.5}, 0.5, 4.0));
    EXPECT_NEAR(CoefficientAt(*F, {.B = RoundSection(200, 0.35), .C = RoundSection(400, 1.0)}, {0.8}), 2.5, 1e-12);
    EXPECT_TRUE(MidOf(*F).empty());
    ExpectRanges(*F, {}, {}, 0.2, 0.8);
}

TEST(DuctFit2Dim, RangesMiddleValuesAndGridPoints)
{
    TFittingSource S = LinearSource("TDuctFitAngleHW");
    S.XAxis = {90, 60, 30};
    S.YAxis = {0.5, 1, 2, 4};
    S.Table = {{1.3, 0.6, 0.2}, {1.2, 0.55, 0.16}, {1.1, 0.5, 0.15}, {0.9, 0.4, 0.13}};
    const auto F = MakeFitting(S);
    ExpectRanges(*F, {90, 0.5}, {30, 4});  // a descending axis keeps its order
    EXPECT_EQ(MidOf(*F), (TFloatVec{60, 2}));
    EXPECT_EQ(FlowRatiosOf(*F, {}), (TFloatVec{60, 2}));  // the base: middle entries

    EXPECT_DOUBLE_EQ(CoefficientAt(*F, {}, {60, 2}), 0.5);
    EXPECT_EQ(F->LastInputs, (TFloatVec{60, 2}));
    // Through the sections: 45 degrees on a 600 x 300 duct, between the
    // 60 and 30 degree columns of the H/W = 2 row.
    EXPECT_NEAR(CoefficientOf(*F, {.S = RectSection(600, 300)}, {45}), 0.325, 1e-12);
}

TEST(DuctFit2DimFlowTop, RangesAndClampingBeyondTheFlowAxis)
{
    TFittingSource S = LinearSource("TDuctFitDbDcQbQc");
    S.CMin = 0.2;
    S.CMax = 1.5;
    S.XAxis = {0.2, 0.4, 0.6, 0.8};
    S.YAxis = {0.2, 0.5, 0.8};
    S.Table = {{0.9, 1.2, 1.6, 2.1}, {0.6, 0.7, 0.9, 1.1}, {0.5, 0.55, 0.6, 0.7}};
    const auto F = MakeFitting(S);
    ExpectRanges(*F, {0.2}, {0.8}, 0.2, 0.8);
    EXPECT_EQ(MidOf(*F), TFloatVec{0.5});

    // Grid point (0.4, 0.5) returns its cell.
    const TDuctSection C = RoundSection(400, 1.0);
    EXPECT_DOUBLE_EQ(CoefficientAt(*F, {.B = RoundSection(200, 0.4), .C = C}, {0.5}), 0.7);
    EXPECT_FALSE(RangeFlag);
    // Qb/Qc = 0.84 is 20 % of the end segment beyond 0.8: flagged, and the
    // extrapolated 2.2 on the first row is clamped to CMax.
    EXPECT_DOUBLE_EQ(CoefficientAt(*F, {.B = RoundSection(200, 0.84), .C = C}, {0.2}), 1.5);
    EXPECT_TRUE(RangeFlag);
    // 5 % beyond: extrapolated, neither flagged nor clamped.
    EXPECT_NEAR(CoefficientAt(*F, {.B = RoundSection(200, 0.81), .C = C}, {0.2}), 2.125, 1e-12);
    EXPECT_FALSE(RangeFlag);
}

// Cp(x, y) = x + 10 y on X {0, 10, 20}, Y {0, 5}; K(z) = z / 100 on {0, 1000}.
TFittingSource FactorSource()
{
    TFittingSource S = LinearSource("TDuctFitHWRA");
    S.XAxis = {0, 10, 20};
    S.YAxis = {0, 5};
    S.Table = {{0, 10, 20}, {50, 60, 70}};
    S.FactorAxis = {0, 1000};
    S.Factors = {0, 10};
    return S;
}

TEST(DuctFit2Dim1Dim, OnlyTheTableLookupWarns)
{
    const auto F = MakeFitting(FactorSource());
    EXPECT_DOUBLE_EQ(CoefficientAt(*F, {}, {500, 5, 2}), 5 * 25);
    EXPECT_EQ(F->LastInputs, (TFloatVec{500, 5, 2}));
    // A factor far outside its axis is extrapolated without a warning...
    EXPECT_DOUBLE_EQ(CoefficientAt(*F, {}, {3000, 5, 2}), 30 * 25);
    EXPECT_FALSE(RangeFlag);
    // ...but a 2-D lookup outside its table warns, and the result is clamped.
    TFittingSource Narrow = FactorSource();
    Narrow.CMax = 100;
    EXPECT_DOUBLE_EQ(CoefficientAt(*MakeFitting(Narrow), {}, {500, 5, 10}), 100);
    EXPECT_TRUE(RangeFlag);
}

TEST(DuctFit2Dim1Dim, MiddleValuesRangesAndShapes)
{
    const auto F = MakeFitting(FactorSource());
    EXPECT_EQ(MidOf(*F), (TFloatVec{0, 10, 0}));
    ExpectRanges(*F, {0, 0, 0}, {1000, 20, 5});

    TFittingSource S = FactorSource();
    S.Factors.pop_back();
    EXPECT_THROW(MakeFitting(S), EStreamError);
    S = FactorSource();
    S.Table.pop_back();
    EXPECT_THROW(MakeFitting(S), EStreamError);
}

// Slice 0: rows 0.2, 0.4, 0.6; slice 1: rows 0.1, 0.4, 0.8.
TFittingSource SlicedSource()
{
    TFittingSource S = LinearSource("TDuctFitH1W1D0LA");
    S.XAxis = {10, 20, 30};
    S.ZAxis = {0.5, 1.0};
    S.YAxes = {{0.2, 0.4, 0.6}, {0.1, 0.4, 0.8}};
    S.Tables = {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {{11, 12, 13}, {14, 15, 16}, {17, 18, 19}}};
    return S;
}

TEST(DuctFit3Dim, MiddleValuesRangesAndGridPoints)
{
    const auto F = MakeFitting(SlicedSource());
    EXPECT_EQ(MidOf(*F), (TFloatVec{20, 0.5, 0.4}));  // Y from the first slice alone
    ExpectRanges(*F, {10, 0.5, 0.1}, {30, 1.0, 0.8});
    // A grid point of slice 1 returns its cell.
    EXPECT_DOUBLE_EQ(CoefficientAt(*F, {}, {30, 1.0, 0.8}), 19);
    EXPECT_FALSE(RangeFlag);
    // Halfway between the slices at a grid point of both.
    EXPECT_DOUBLE_EQ(CoefficientAt(*F, {}, {20, 0.75, 0.4}), 10);
    // Z far beyond its axis extrapolates without warning; Y far beyond warns
    // and the coefficient is clamped.
    EXPECT_DOUBLE_EQ(CoefficientAt(*F, {}, {20, 1.5, 0.4}), 25);
    EXPECT_FALSE(RangeFlag);
    TFittingSource Narrow = SlicedSource();
    Narrow.CMax = 20;
    EXPECT_DOUBLE_EQ(CoefficientAt(*MakeFitting(Narrow), {}, {20, 1.0, 2.0}), 20);
    EXPECT_TRUE(RangeFlag);
}

TEST(DuctFit3Dim, ReaderRefusesTablesThatDoNotFitTheirAxes)
{
    const std::vector<std::function<void(TFittingSource&)>> Spoils = {
        [](TFittingSource& S) { S.YAxes.pop_back(); },        // one Y axis for two slices
        [](TFittingSource& S) { S.Tables[1].pop_back(); },    // a row short
        [](TFittingSource& S) { S.Tables[0][2].push_back(1); },  // a column too many
        [](TFittingSource& S) {
            S.ZAxis = {1};
            S.YAxes.resize(1);
            S.Tables.resize(1);
        },
    };
    for (const auto& Spoil : Spoils) {
        TFittingSource S = SlicedSource();
        Spoil(S);
        EXPECT_THROW(MakeFitting(S), EStreamError);
    }
}

TEST(DuctFit3DimJunction, MiddleValuesAndRangesOfBothFamilies)
{
    // Y axes of 3, 5 and 5 entries: the second slice's, the first long one.
    TFittingSource S = LinearSource("TDuctFitDsDcDbQbQc");
    S.XAxis = {0.8, 0.5, 0.2};  // descending flow ratios
    S.ZAxis = {0.5, 0.75, 1.0};
    S.YAxes = {{0.2, 0.4, 0.6}, {0.1, 0.2, 0.3, 0.4, 0.5}, {0.15, 0.25, 0.35, 0.45, 0.9}};
    S.Tables.clear();
    for (const TFloatVec& Y : S.YAxes)
        S.Tables.push_back(TFloatMat(Y.size(), TFloatVec(3, 1.0)));
    const auto Top = MakeFitting(S);
    EXPECT_EQ(MidOf(*Top), (TFloatVec{0.75, 0.3}));
    ExpectRanges(*Top, {0.5, 0.1}, {1.0, 0.9}, 0.8, 0.2);

    S.ClassName = "TDuctFitDcDbQb1Qb2QcQs";
    const auto Inside = MakeFitting(S);
    EXPECT_EQ(MidOf(*Inside), TFloatVec{0.75});
    ExpectRanges(*Inside, {0.5}, {1.0}, 0.8, 0.2);
}

} // namespace
