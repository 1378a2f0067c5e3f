#include "foundation/EquivDiamTool.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int D = TEquivDiamTool::kdDiameter;
constexpr int H = TEquivDiamTool::kdHeight;
constexpr int W = TEquivDiamTool::kdWidth;
constexpr int A = TEquivDiamTool::kdAspect;

struct TSizes {
    double Diameter = 0, Height = 0, Width = 0, Aspect = 0;
};

TSizes Solve(TEquivDiamTool& Tool, TSizes S, int Known1, int Known2)
{
    Tool.Solve(S.Diameter, S.Height, S.Width, S.Aspect, Known1, Known2);
    return S;
}

// The figures handed back describe one rectangle.
void ExpectConsistent(const TSizes& S)
{
    EXPECT_NEAR(TEquivDiamTool::EquivDiameter(S.Height, S.Width), S.Diameter, 2e-6);
    EXPECT_NEAR(S.Aspect, S.Height / S.Width, 1e-12);
}

} // namespace

TEST(EquivDiamTool, RelationOfARectangle)
{
    EXPECT_NEAR(TEquivDiamTool::EquivDiameter(0.3, 0.6), 0.4570, 5e-5);
    // A square's equivalent diameter is 1.3 * 2^-0.25 (about 1.093) times its side.
    EXPECT_NEAR(TEquivDiamTool::EquivDiameter(0.5, 0.5), 0.5 * 1.3 / std::pow(2.0, 0.25), 1e-15);
    EXPECT_EQ(TEquivDiamTool::EquivDiameter(0, 0.5), 0.0);
    EXPECT_EQ(TEquivDiamTool::EquivDiameter(-0.2, 0.5), 0.0);
}

TEST(EquivDiamTool, HeightAndWidthGiveDiameterAndAspect)
{
    TEquivDiamTool tool;
    const TSizes s = Solve(tool, {0, 0.3, 0.6, 0}, H, W);
    EXPECT_NEAR(s.Diameter, 0.4570, 5e-5);
    EXPECT_DOUBLE_EQ(s.Aspect, 0.5);
    EXPECT_EQ(s.Height, 0.3);
    EXPECT_EQ(s.Width, 0.6);

    const TSizes h = Solve(tool, {0, 0, 0.8, 0.25}, W, A);
    EXPECT_DOUBLE_EQ(h.Height, 0.2);
    ExpectConsistent(h);
    const TSizes w = Solve(tool, {0, 0.4, 0, 2}, A, H);
    EXPECT_DOUBLE_EQ(w.Width, 0.2);
    ExpectConsistent(w);
}

TEST(EquivDiamTool, DiameterAndAspectGiveSides)
{
    TEquivDiamTool tool;
    const TSizes s = Solve(tool, {0.457012, 0, 0, 0.5}, A, D);
    EXPECT_NEAR(s.Width, 0.6, 1e-4);
    EXPECT_NEAR(s.Height, 0.3, 5e-5);
    EXPECT_EQ(s.Aspect, 0.5);
    ExpectConsistent(s);
}

TEST(EquivDiamTool, DiameterAndOneSideSolveForTheOther)
{
    TEquivDiamTool tool;
    TSizes s = Solve(tool, {0.5, 0, 0.7, 0}, W, D);
    EXPECT_EQ(s.Width, 0.7);
    EXPECT_EQ(s.Diameter, 0.5);
    ExpectConsistent(s);

    s = Solve(tool, {0.35, 0.25, 0, 0}, D, H);
    EXPECT_EQ(s.Height, 0.25);
    EXPECT_EQ(s.Diameter, 0.35);
    ExpectConsistent(s);
}

TEST(EquivDiamTool, SquareDuctWithItsExactDiameterKeepsBothSides)
{
    const double d = TEquivDiamTool::EquivDiameter(0.5, 0.5);
    for (int last : {W, D}) {
        TEquivDiamTool tool;
        const int earlier = last == W ? D : W;
        const TSizes s = Solve(tool, {d, 0, 0.5, 0}, last, earlier);
        EXPECT_EQ(s.Height, 0.5) << last;
        EXPECT_EQ(s.Width, 0.5) << last;
        EXPECT_EQ(s.Diameter, d) << last;
        EXPECT_EQ(s.Aspect, 1.0) << last;
    }
    TEquivDiamTool tool;
    const TSizes s = Solve(tool, {d, 0.5, 0, 0}, H, D);
    EXPECT_EQ(s.Width, 0.5);
    EXPECT_EQ(s.Diameter, d);
}

TEST(EquivDiamTool, DiameterIsClampedBeforeSolving)
{
    TEquivDiamTool tool;
    TSizes s = Solve(tool, {20, 0, 5, 0}, D, W);
    EXPECT_EQ(s.Diameter, 10.0);
    ExpectConsistent(s);

    s = Solve(tool, {20, 0, 0, 1}, D, A);
    EXPECT_EQ(s.Diameter, 10.0);
    ExpectConsistent(s);

    s = Solve(tool, {0.01, 0, 0, 1}, D, A);
    EXPECT_EQ(s.Diameter, 0.05);
}

TEST(EquivDiamTool, NoHeightInRangeRetriesOnce)
{
    TEquivDiamTool tool;
    TSizes s = Solve(tool, {0.1, 0, 2, 0}, W, D); // width set last: diameter moves
    EXPECT_EQ(s.Width, 2.0);
    EXPECT_EQ(s.Diameter, 2.0);
    ExpectConsistent(s);

    s = Solve(tool, {0.1, 0, 2, 0}, D, W); // diameter set last: width moves
    EXPECT_EQ(s.Diameter, 0.1);
    EXPECT_EQ(s.Width, 0.1);
    ExpectConsistent(s);
}

TEST(EquivDiamTool, NoWidthInRangeRetriesWithRolesExchanged)
{
    TEquivDiamTool tool;
    TSizes s = Solve(tool, {0.1, 3, 0, 0}, H, D);
    EXPECT_EQ(s.Height, 3.0);
    EXPECT_EQ(s.Diameter, 3.0);
    ExpectConsistent(s);

    s = Solve(tool, {0.1, 3, 0, 0}, D, H);
    EXPECT_EQ(s.Diameter, 0.1);
    EXPECT_EQ(s.Height, 0.1);
    ExpectConsistent(s);
}

TEST(EquivDiamTool, SettersTrackTheTwoLatestKnownQuantities)
{
    TEquivDiamTool tool;
    tool.SetHeight(0.3);
    tool.SetWidth(0.6);
    EXPECT_EQ(tool.Known1(), W);
    EXPECT_EQ(tool.Known2(), H);
    EXPECT_NEAR(tool.Diameter(), 0.4570, 5e-5);

    tool.SetWidth(0.9); // the same quantity again keeps height as the other
    EXPECT_EQ(tool.Known1(), W);
    EXPECT_EQ(tool.Known2(), H);
    EXPECT_EQ(tool.Height(), 0.3);
    EXPECT_DOUBLE_EQ(tool.Aspect(), 0.3 / 0.9);

    tool.SetDiameter(0.5); // now diameter and width: the height is sought
    EXPECT_EQ(tool.Known1(), D);
    EXPECT_EQ(tool.Known2(), W);
    EXPECT_EQ(tool.Width(), 0.9);

    double d, h, w, a;
    int k1, k2;
    tool.GetValues(d, h, w, a, k1, k2);
    EXPECT_EQ(k1, D);
    EXPECT_EQ(k2, W);
    ExpectConsistent({d, h, w, a});

    tool.SetAspect(0.5);
    EXPECT_EQ(tool.Known1(), A);
    EXPECT_EQ(tool.Known2(), D);
    EXPECT_EQ(tool.Diameter(), 0.5);
    ExpectConsistent({tool.Diameter(), tool.Height(), tool.Width(), tool.Aspect()});
}

TEST(EquivDiamTool, SetValuesWithTheSameCodeTwiceKnowsTheDiameter)
{
    TEquivDiamTool tool;
    tool.SetValues(W, W, 0.5, 0, 0.7, 0);
    EXPECT_EQ(tool.Known1(), W);
    EXPECT_EQ(tool.Known2(), D);
}

TEST(EquivDiamTool, RepeatedSearchesOnOneToolKeepConverging)
{
    // The root finder's step carries over from one search to the next, and the
    // wide duct's first secant step overshoots below zero; every width here has
    // a height within the limits, so the diameter must never move.
    TEquivDiamTool tool;
    tool.SetDiameter(0.4);
    for (double width : {0.3, 0.3, 0.8, 0.45, 0.2, 0.2, 1.5}) {
        tool.SetWidth(width);
        EXPECT_EQ(tool.Diameter(), 0.4) << width;
        EXPECT_EQ(tool.Width(), width);
        ExpectConsistent({tool.Diameter(), tool.Height(), tool.Width(), tool.Aspect()});
    }
}

TEST(EquivDiamTool, UnusableAspectKeepsTheSides)
{
    for (double aspect : {0.0, -0.5, std::nan("")}) {
        TEquivDiamTool tool;
        tool.SetHeight(0.3);
        tool.SetWidth(0.6);
        const double diameter = tool.Diameter();

        tool.SetAspect(aspect); // with the width known
        EXPECT_EQ(tool.Height(), 0.3) << aspect;
        EXPECT_EQ(tool.Width(), 0.6);
        EXPECT_EQ(tool.Diameter(), diameter);
        EXPECT_DOUBLE_EQ(tool.Aspect(), 0.5);

        TSizes s = Solve(tool, {0, 0.3, 0.6, aspect}, A, H);
        EXPECT_EQ(s.Width, 0.6);
        EXPECT_DOUBLE_EQ(s.Aspect, 0.5);

        s = Solve(tool, {0.45, 0.3, 0.6, aspect}, A, D);
        EXPECT_EQ(s.Height, 0.3);
        EXPECT_EQ(s.Width, 0.6);
        EXPECT_EQ(s.Diameter, 0.45);
        EXPECT_DOUBLE_EQ(s.Aspect, 0.5);
    }
}

TEST(EquivDiamTool, ZeroSizesGiveFiniteFigures)
{
    TEquivDiamTool tool;
    tool.SetAspect(0); // a fresh tool: every size still 0
    EXPECT_EQ(tool.Diameter(), 0.05);
    EXPECT_EQ(tool.Width(), 0.0);
    EXPECT_EQ(tool.Aspect(), 0.0);

    const TSizes s = Solve(tool, {0.4, 0, 0, 0}, H, W);
    EXPECT_EQ(s.Diameter, 0.0);
    EXPECT_EQ(s.Aspect, 0.0); // no width: the aspect keeps its value
}
