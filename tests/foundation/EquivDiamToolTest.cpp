#include "foundation/EquivDiamTool.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr int D = TEquivDiamTool::kdDiameter;
constexpr int H = TEquivDiamTool::kdHeight;
constexpr int W = TEquivDiamTool::kdWidth;
constexpr int A = TEquivDiamTool::kdAspect;
constexpr double X = std::numeric_limits<double>::quiet_NaN(); // a figure not checked

using TSizes = std::array<double, 4>; // indexed by the codes above

TSizes Solve(TEquivDiamTool& Tool, TSizes S, int Known1, int Known2)
{
    Tool.Solve(S[D], S[H], S[W], S[A], Known1, Known2);
    return S;
}

TSizes Current(const TEquivDiamTool& Tool)
{
    return {Tool.Diameter(), Tool.Height(), Tool.Width(), Tool.Aspect()};
}

// The figures handed back describe one rectangle.
void ExpectConsistent(const TSizes& S)
{
    EXPECT_NEAR(TEquivDiamTool::EquivDiameter(S[H], S[W]), S[D], 2e-6);
    EXPECT_NEAR(S[A], S[H] / S[W], 1e-12);
}

} // namespace

TEST(EquivDiamTool, RelationOfARectangle)
{
    // A square's equivalent diameter is 1.3 * 2^-0.25 (about 1.093) times its side.
    EXPECT_NEAR(TEquivDiamTool::EquivDiameter(0.5, 0.5), 0.5 * 1.3 / std::pow(2.0, 0.25), 1e-15);
    EXPECT_EQ(TEquivDiamTool::EquivDiameter(0, 0.5), 0.0);
    EXPECT_EQ(TEquivDiamTool::EquivDiameter(-0.2, 0.5), 0.0);
}

TEST(EquivDiamTool, AnyTwoFiguresGiveTheOtherTwo)
{
    // Given figures must come back exactly as expected, the others within Tol.
    const struct {
        TSizes In;
        int Known1, Known2;
        TSizes Out;
        double Tol;
    } Cases[] = {
        {{0, 0.3, 0.6, 0}, H, W, {0.4570, 0.3, 0.6, 0.5}, 5e-5},
        {{0, 0, 0.8, 0.25}, W, A, {X, 0.2, 0.8, 0.25}, 1e-12},
        {{0, 0.4, 0, 2}, A, H, {X, 0.4, 0.2, 2}, 1e-12},
        {{0.457012, 0, 0, 0.5}, A, D, {0.457012, 0.3, 0.6, 0.5}, 1e-4},
        {{0.5, 0, 0.7, 0}, W, D, {0.5, X, 0.7, X}, 0},
        {{0.35, 0.25, 0, 0}, D, H, {0.35, 0.25, X, X}, 0},
        // The diameter is clamped before solving.
        {{20, 0, 5, 0}, D, W, {10, X, X, X}, 0},
        {{20, 0, 0, 1}, D, A, {10, X, X, 1}, 0},
        {{0.01, 0, 0, 1}, D, A, {0.05, X, X, 1}, 0},
        // No height in range: one retry moves the figure given first.
        {{0.1, 0, 2, 0}, W, D, {2, X, 2, X}, 0},
        {{0.1, 0, 2, 0}, D, W, {0.1, X, 0.1, X}, 0},
        // No width in range: the same with the roles exchanged.
        {{0.1, 3, 0, 0}, H, D, {3, 3, X, X}, 0},
        {{0.1, 3, 0, 0}, D, H, {0.1, 0.1, X, X}, 0},
    };
    TEquivDiamTool Tool; // one tool: each search starts from the last one's step
    for (const auto& C : Cases) {
        const TSizes S = Solve(Tool, C.In, C.Known1, C.Known2);
        SCOPED_TRACE(testing::Message() << "given " << C.Known1 << " and " << C.Known2 << " of "
                                        << C.In[D] << " " << C.In[H] << " " << C.In[W] << " " << C.In[A]);
        for (int F : {D, H, W, A}) {
            if (std::isnan(C.Out[F]))
                continue;
            if (F == C.Known1 || F == C.Known2)
                EXPECT_EQ(S[F], C.Out[F]) << F;
            else
                EXPECT_NEAR(S[F], C.Out[F], C.Tol) << F;
        }
        ExpectConsistent(S);
    }
}

TEST(EquivDiamTool, SquareDuctWithItsExactDiameterKeepsBothSides)
{
    const double d = TEquivDiamTool::EquivDiameter(0.5, 0.5);
    for (int last : {W, D}) {
        TEquivDiamTool tool;
        const TSizes s = Solve(tool, {d, 0, 0.5, 0}, last, last == W ? D : W);
        EXPECT_EQ(s, (TSizes{d, 0.5, 0.5, 1.0})) << last;
    }
    TEquivDiamTool tool;
    EXPECT_EQ(Solve(tool, {d, 0.5, 0, 0}, H, D), (TSizes{d, 0.5, 0.5, 1.0}));
}

TEST(EquivDiamTool, SettersTrackTheTwoLatestKnownQuantities)
{
    TEquivDiamTool tool;
    tool.SetHeight(0.3);
    tool.SetWidth(0.6);
    EXPECT_EQ(std::pair(tool.Known1(), tool.Known2()), std::pair(W, H));
    EXPECT_NEAR(tool.Diameter(), 0.4570, 5e-5);

    tool.SetWidth(0.9); // the same quantity again keeps height as the other
    EXPECT_EQ(std::pair(tool.Known1(), tool.Known2()), std::pair(W, H));
    EXPECT_EQ(tool.Height(), 0.3);
    EXPECT_DOUBLE_EQ(tool.Aspect(), 0.3 / 0.9);

    tool.SetDiameter(0.5); // now diameter and width: the height is sought
    EXPECT_EQ(tool.Width(), 0.9);
    TSizes s;
    int k1, k2;
    tool.GetValues(s[D], s[H], s[W], s[A], k1, k2);
    EXPECT_EQ(std::pair(k1, k2), std::pair(D, W));
    ExpectConsistent(s);

    tool.SetAspect(0.5);
    EXPECT_EQ(std::pair(tool.Known1(), tool.Known2()), std::pair(A, D));
    EXPECT_EQ(tool.Diameter(), 0.5);
    ExpectConsistent(Current(tool));

    // The same code twice: the second known figure becomes the diameter.
    tool.SetValues(W, W, 0.5, 0, 0.7, 0);
    EXPECT_EQ(std::pair(tool.Known1(), tool.Known2()), std::pair(W, D));
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
        ExpectConsistent(Current(tool));
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
        EXPECT_EQ(Current(tool), (TSizes{diameter, 0.3, 0.6, 0.5})) << aspect;
        EXPECT_EQ(Solve(tool, {0, 0.3, 0.6, aspect}, A, H)[W], 0.6);
        EXPECT_EQ(Solve(tool, {0.45, 0.3, 0.6, aspect}, A, D), (TSizes{0.45, 0.3, 0.6, 0.5}));
    }
}

TEST(EquivDiamTool, ZeroSizesGiveFiniteFigures)
{
    TEquivDiamTool tool;
    tool.SetAspect(0); // a fresh tool: every size still 0
    EXPECT_EQ(Current(tool), (TSizes{0.05, 0.0, 0.0, 0.0}));
    // No width: the aspect keeps its value.
    EXPECT_EQ(Solve(tool, {0.4, 0, 0, 0}, H, W), (TSizes{0.0, 0.0, 0.0, 0.0}));
}
