#include "foundation/Root.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// A residual that records where it was evaluated.
struct TRecorder {
    std::vector<double> Points;
    double (*Shape)(double);
    double operator()(double X)
    {
        Points.push_back(X);
        return Shape(X);
    }
};

double SquareMinusTwo(double X)
{
    return X * X - 2;
}

} // namespace

TEST(Root, SolveConvergesAndCarriesItsStepOver)
{
    // A fresh finder, and one whose step collapsed, start with a step of 0.1.
    for (double step : {0.1, 0.0, NaN, 1e-30}) {
        TRecorder rec{{}, SquareMinusTwo};
        TRoot root([&](double X) { return rec(X); });
        if (step != 0.1)
            root.SetStep(step);
        EXPECT_NEAR(root.Solve(1), std::sqrt(2.0), 1e-6) << step;
        EXPECT_EQ(root.Status(), TRoot::rsConverged) << step;
        EXPECT_GT(root.Iterations(), 1);
        EXPECT_EQ(root.LastF(), -1.0); // the residual at the start value
        ASSERT_GE(rec.Points.size(), 2u);
        EXPECT_EQ(rec.Points[0], 1.0);
        EXPECT_EQ(rec.Points[1], 1.1) << step;

        // The next solve starts from the step this one ended with.
        const double carried = root.Step();
        EXPECT_LE(std::fabs(carried), 1e-6);
        ASSERT_NE(carried, 0.0);
        rec.Points.clear();
        root.Solve(3);
        ASSERT_GE(rec.Points.size(), 2u);
        EXPECT_EQ(rec.Points[1], 3 + carried);
    }
}

TEST(Root, SearchesThatCannotProceedReportWhy)
{
    const auto NearThree = [](double X) { return X - 3 + 5e-7; };
    const auto Constant = [](double) { return 4.0; };
    const auto AlwaysNaN = [](double) { return NaN; };
    constexpr std::uint8_t NoIteration = TRoot::rsNoIteration;
    const struct {
        const char* What;
        double (*F)(double);
        bool Secant;
        double X0, Result;
        std::uint8_t Status;
    } Cases[] = {
        {"start within tolerance", NearThree, false, 3, 3, NoIteration},
        {"start within tolerance", NearThree, true, 3, 3, TRoot::rsConverged},
        {"constant", Constant, false, 2, 2, TRoot::rsFlat},
        {"constant: zero first slope", Constant, true, 2, 2, NoIteration},
        // A non-finite residual or an overflow stops Solve at 0, the secant search at its start.
        {"NaN on the way", [](double X) { return X > 5.05 ? NaN : X - 7; }, false, 5, 0, NoIteration},
        {"NaN at the start", AlwaysNaN, false, 5, 0, NoIteration},
        {"overflow", [](double X) { return X < 1.05 ? X - 1.2 : 1e300 * X * 1e10; }, false, 1, 0,
         NoIteration},
        {"NaN on the way", [](double X) { return X > 2.5 ? NaN : X - 3; }, true, 2, 2, NoIteration},
        {"NaN at the start", AlwaysNaN, true, 1, 1, NoIteration},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.What << (C.Secant ? ", secant" : ""));
        int Calls = 0;
        TRoot Root([&](double X) {
            ++Calls;
            return C.F(X);
        });
        EXPECT_EQ(C.Secant ? Root.SolveSecant(C.X0) : Root.Solve(C.X0), C.Result);
        EXPECT_EQ(Root.Status(), C.Status);
        EXPECT_EQ(Root.Iterations(), 0);
        EXPECT_TRUE(C.Status != TRoot::rsFlat || Calls == 2) << Calls << " evaluations, not one pair";
    }
}

TEST(Root, IterationLimitOverridesConvergenceInTheSameIteration)
{
    const auto SolveWithLimit = [](int Limit) {
        TRoot Root(SquareMinusTwo);
        if (Limit > 0)
            Root.SetMaxIterations(Limit);
        Root.Solve(1);
        return std::pair{int(Root.Status()), Root.Iterations()};
    };
    const auto [Status, Needed] = SolveWithLimit(0);
    ASSERT_EQ(Status, TRoot::rsConverged);
    EXPECT_EQ(SolveWithLimit(Needed), std::pair(int(TRoot::rsIterationLimit), Needed));
    EXPECT_EQ(SolveWithLimit(Needed + 1).first, TRoot::rsConverged);
    EXPECT_EQ(SolveWithLimit(2), std::pair(int(TRoot::rsIterationLimit), 2));
}

TEST(Root, SolveSecantOnTheNumericalDerivative)
{
    TRoot root(SquareMinusTwo);
    const double x = root.SolveSecant(1);
    EXPECT_EQ(root.Status(), TRoot::rsConverged);
    EXPECT_NEAR(x, std::sqrt(2.0), 1e-6);
    EXPECT_LE(std::fabs(root.LastF()), 1e-6);

    TRoot tight(SquareMinusTwo);
    tight.SetMaxIterations(1);
    tight.SolveSecant(10);
    EXPECT_EQ(tight.Status(), TRoot::rsIterationLimit);
    EXPECT_EQ(tight.Iterations(), 2); // counted after the check

    // The numerical derivative sets LastF and Step.
    TRoot square([](double X) { return X * X; });
    EXPECT_NEAR(square.NumericalDerivative(3), 6, 0.002);
    EXPECT_EQ(square.LastF(), 9.0);
    EXPECT_DOUBLE_EQ(square.Step(), (3 + 3 * 0.000344) - 3);
    EXPECT_NEAR(square.NumericalDerivative(0), 0.000344, 1e-12);
    EXPECT_DOUBLE_EQ(square.Step(), 0.000344);
    // Without a derivative of its own the finder uses the numerical one.
    EXPECT_NEAR(square.Derivative(-2), -4, 0.002);
}
