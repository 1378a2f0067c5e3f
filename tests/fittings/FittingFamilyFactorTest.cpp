// The fittings whose coefficient is a 2-D table value times a factor from a
// 1-D table: sections -> axis values [z, x, y] -> coefficient.

#include "FamilyTestData.h"

#include "fittings/DuctFit2Dim1Dim.h"

#include <gtest/gtest.h>

namespace {

const TDuctSection None;

// Cp(x, y) = x + 10 y and K(z) = z / 100, both exact anywhere inside the
// wide axes, so C = z (x + 10 y) / 100 tells the axis values apart.
TFittingSource FactorSource(const std::string& ClassName)
{
    TFittingSource S;
    S.ClassName = ClassName;
    S.Code = "CR3-1";
    S.Name = ClassName;
    S.CMin = -1e9;
    S.CMax = 1e9;
    S.XAxis = {0, 10, 20};
    S.YAxis = {0, 5};
    S.Table = {{0, 10, 20}, {50, 60, 70}};
    S.FactorAxis = {0, 1000};
    S.Factors = {0, 10};
    return S;
}

double FactorValue(double Z, double X, double Y)
{
    return Z / 100 * (X + 10 * Y);
}

TEST(DuctFit2Dim1Dim, RadiusElbowTakesAngleAndSideRatiosFromSectionAndInputs)
{
    // H = 400, W = 200, R = 300, A = 90: [90, 2.0, 1.5].
    const auto F = MakeFitting(FactorSource("TDuctFitHWRA"));
    const double C = F->GetCoefficient(RectSection(400, 200), None, None, None, None, {300, 90});
    EXPECT_FALSE(RangeFlag);
    EXPECT_EQ(F->LastInputs, (TFloatVec{90, 2.0, 1.5}));
    EXPECT_DOUBLE_EQ(C, FactorValue(90, 2.0, 1.5));
    TFloatVec Ratios;
    F->GetVelocityRatios(RectSection(400, 200), None, None, None, None, Ratios);
    EXPECT_EQ(Ratios, (TFloatVec{-1, 2.0, -1}));
    F->GetVelocityRatios(None, None, None, None, None, Ratios);
    EXPECT_EQ(Ratios, (TFloatVec{-1, 0, -1}));
}

TEST(DuctFit2Dim1Dim, ZElbowTakesTheDuctsReynoldsNumberInThousands)
{
    // 500 x 500 at 1 m3/s: 4 m/s, Dh 500 mm, Re = 1.2 * 4 * 0.5 / 1.8114e-5.
    const double Re = 1.2 * 4.0 * 0.5 / 1.8114e-5 / 1000.0;
    EXPECT_NEAR(Re, 132.494, 1e-3);
    const auto F = MakeFitting(FactorSource("TDuctFitHWLQ"));
    const TDuctSection Duct = RectSection(500, 500, 1.0);
    const double C = F->GetCoefficient(Duct, None, None, None, None, {1000});
    EXPECT_FALSE(RangeFlag);
    ASSERT_EQ(F->LastInputs.size(), 3u);
    EXPECT_NEAR(F->LastInputs[0], Re, 1e-9);
    EXPECT_DOUBLE_EQ(F->LastInputs[1], 2.0);  // L / W
    EXPECT_DOUBLE_EQ(F->LastInputs[2], 1.0);  // H / W
    EXPECT_NEAR(C, FactorValue(Re, 2.0, 1.0), 1e-9);
    TFloatVec Ratios;
    F->GetVelocityRatios(Duct, None, None, None, None, Ratios);
    ASSERT_EQ(Ratios.size(), 3u);
    EXPECT_NEAR(Ratios[0], Re, 1e-9);
    EXPECT_EQ(Ratios[1], -1);
    EXPECT_EQ(Ratios[2], 1.0);
    F->GetVelocityRatios(None, None, None, None, None, Ratios);
    EXPECT_EQ(Ratios, (TFloatVec{0, -1, 0}));
}

TEST(DuctFit2Dim1Dim, StoredAxisValuesAreLookedUpAsGiven)
{
    const auto F = MakeFitting(FactorSource("TDuctFitHWRA"));
    EXPECT_DOUBLE_EQ(F->GetCoefficientAt(None, None, None, None, None, {500, 5, 2}), FactorValue(500, 5, 2));
    EXPECT_EQ(F->LastInputs, (TFloatVec{500, 5, 2}));
    // A factor far outside its axis is extrapolated without a warning...
    EXPECT_DOUBLE_EQ(F->GetCoefficientAt(None, None, None, None, None, {3000, 5, 2}), FactorValue(3000, 5, 2));
    EXPECT_FALSE(RangeFlag);
    // ...but a 2-D lookup outside its table warns, and the result is clamped.
    TFittingSource Narrow = FactorSource("TDuctFitHWRA");
    Narrow.CMax = 100;
    const auto G = MakeFitting(Narrow);
    EXPECT_DOUBLE_EQ(G->GetCoefficientAt(None, None, None, None, None, {500, 5, 10}), 100);
    EXPECT_TRUE(RangeFlag);
}

TEST(DuctFit2Dim1Dim, UnitFactorsLeaveTheTableValue)
{
    TFittingSource S = FactorSource("TDuctFitHWRA");
    S.Factors = {1, 1};
    const auto F = MakeFitting(S);
    EXPECT_DOUBLE_EQ(F->GetCoefficient(RectSection(200, 100), None, None, None, None, {250, 45}), 2 + 25);
}

TEST(DuctFit2Dim1Dim, FailuresGiveZeroWithTheWarning)
{
    for (const char* Class : {"TDuctFitHWRA", "TDuctFitHWLQ"}) {
        SCOPED_TRACE(Class);
        const auto F = MakeFitting(FactorSource(Class));
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficient(RectSection(400, 0, 1), None, None, None, None, {300, 90}), 0.0);  // W = 0
        EXPECT_TRUE(RangeFlag);
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficient(RectSection(400, 200, 1), None, None, None, None, {}), 0.0);  // no inputs
        EXPECT_TRUE(RangeFlag);
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficientAt(None, None, None, None, None, {1, 2}), 0.0);
        EXPECT_TRUE(RangeFlag);
    }
}

TEST(DuctFit2Dim1Dim, MiddleValuesRangesAndShapes)
{
    const auto F = MakeFitting(FactorSource("TDuctFitHWRA"));
    TFloatVec Mid, Mins, Maxs;
    F->GetMidAxisValues(Mid);
    EXPECT_EQ(Mid, (TFloatVec{0, 10, 0}));
    F->GetAxisRanges(Mins, Maxs);
    EXPECT_EQ(Mins, (TFloatVec{0, 0, 0}));
    EXPECT_EQ(Maxs, (TFloatVec{1000, 20, 5}));

    TFittingSource S = FactorSource("TDuctFitHWLQ");
    S.Factors.pop_back();
    EXPECT_THROW(MakeFitting(S), EStreamError);
    S = FactorSource("TDuctFitHWLQ");
    S.Table.pop_back();
    EXPECT_THROW(MakeFitting(S), EStreamError);
    EXPECT_EQ(FindFittingClass("TDuctFitHWRA")->Layout, fl2Dim1Dim);
    EXPECT_EQ(FindFittingClass("TDuctFitHWLQ")->Layout, fl2Dim1Dim);
}

} // namespace
