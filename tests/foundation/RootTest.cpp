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

TEST(Root, SolveConvergesOnSquareRoot)
{
    TRecorder rec{{}, SquareMinusTwo};
    TRoot root([&](double X) { return rec(X); });
    const double x = root.Solve(1);
    EXPECT_EQ(root.Status(), TRoot::rsConverged);
    EXPECT_NEAR(x, std::sqrt(2.0), 1e-6);
    EXPECT_GT(root.Iterations(), 1);
    EXPECT_LE(std::fabs(root.Step()), 1e-6);
    ASSERT_GE(rec.Points.size(), 2u);
    EXPECT_EQ(rec.Points[0], 1.0);
    EXPECT_EQ(rec.Points[1], 1.1); // first solve starts with a step of 0.1
    EXPECT_EQ(root.LastF(), -1.0); // the residual at the start value
}

TEST(Root, StartWithinToleranceGivesElevenForSolveAndFourForSecant)
{
    TRoot root([](double X) { return X - 3 + 5e-7; });
    EXPECT_EQ(root.Solve(3), 3.0);
    EXPECT_EQ(root.Status(), TRoot::rsNoIteration);
    EXPECT_EQ(root.Iterations(), 0);
    EXPECT_EQ(root.SolveSecant(3), 3.0);
    EXPECT_EQ(root.Status(), TRoot::rsConverged);
    EXPECT_EQ(root.Iterations(), 0);
}

TEST(Root, ConstantResidualIsFlat)
{
    int calls = 0;
    TRoot root([&](double) {
        ++calls;
        return 4.0;
    });
    EXPECT_EQ(root.Solve(2), 2.0);
    EXPECT_EQ(root.Status(), TRoot::rsFlat);
    EXPECT_EQ(calls, 2); // one evaluation pair
    EXPECT_EQ(root.Iterations(), 0);

    // The secant search sees a zero slope before it starts.
    EXPECT_EQ(root.SolveSecant(2), 2.0);
    EXPECT_EQ(root.Status(), TRoot::rsNoIteration);
}

TEST(Root, IterationLimitOverridesConvergenceInTheSameIteration)
{
    TRoot probe(SquareMinusTwo);
    probe.Solve(1);
    ASSERT_EQ(probe.Status(), TRoot::rsConverged);
    const int needed = probe.Iterations();

    TRoot exact(SquareMinusTwo);
    exact.SetMaxIterations(needed);
    exact.Solve(1);
    EXPECT_EQ(exact.Status(), TRoot::rsIterationLimit);
    EXPECT_EQ(exact.Iterations(), needed);

    TRoot roomy(SquareMinusTwo);
    roomy.SetMaxIterations(needed + 1);
    roomy.Solve(1);
    EXPECT_EQ(roomy.Status(), TRoot::rsConverged);

    TRoot tight(SquareMinusTwo);
    tight.SetMaxIterations(2);
    tight.Solve(1);
    EXPECT_EQ(tight.Status(), TRoot::rsIterationLimit);
    EXPECT_EQ(tight.Iterations(), 2);
}

TEST(Root, NonFiniteResidualStopsSolveWithElevenAndZero)
{
    TRoot root([](double X) { return X > 5.05 ? NaN : X - 7; });
    EXPECT_EQ(root.Solve(5), 0.0);
    EXPECT_EQ(root.Status(), TRoot::rsNoIteration);

    TRoot atStart([](double) { return NaN; });
    EXPECT_EQ(atStart.Solve(5), 0.0);
    EXPECT_EQ(atStart.Status(), TRoot::rsNoIteration);

    // Overflow during the search counts as well.
    TRoot overflow([](double X) { return X < 1.05 ? X - 1.2 : 1e300 * X * 1e10; });
    EXPECT_EQ(overflow.Solve(1), 0.0);
    EXPECT_EQ(overflow.Status(), TRoot::rsNoIteration);
}

TEST(Root, NonFiniteResidualStopsSecantAtStartValue)
{
    TRoot root([](double X) { return X > 2.5 ? NaN : X - 3; });
    EXPECT_EQ(root.SolveSecant(2), 2.0);
    EXPECT_EQ(root.Status(), TRoot::rsNoIteration);

    TRoot atStart([](double) { return NaN; });
    EXPECT_EQ(atStart.SolveSecant(1), 1.0);
    EXPECT_EQ(atStart.Status(), TRoot::rsNoIteration);
}

TEST(Root, StepCarriesOverToTheNextSolve)
{
    TRecorder rec{{}, SquareMinusTwo};
    TRoot root([&](double X) { return rec(X); });
    root.Solve(1);
    const double carried = root.Step();
    ASSERT_NE(carried, 0.0);
    rec.Points.clear();
    root.Solve(3);
    ASSERT_GE(rec.Points.size(), 2u);
    EXPECT_EQ(rec.Points[1], 3 + carried);
}

TEST(Root, CollapsedStepStartsAgainFromOneTenth)
{
    for (double step : {0.0, NaN, 1e-30}) {
        TRecorder rec{{}, SquareMinusTwo};
        TRoot root([&](double X) { return rec(X); });
        root.SetStep(step);
        const double x = root.Solve(1);
        EXPECT_EQ(root.Status(), TRoot::rsConverged) << step;
        EXPECT_NEAR(x, std::sqrt(2.0), 1e-6);
        ASSERT_GE(rec.Points.size(), 2u);
        EXPECT_EQ(rec.Points[1], 1.1) << step;
    }
}

TEST(Root, SolveSecantConverges)
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
}

TEST(Root, NumericalDerivativeSetsLastFAndStep)
{
    TRoot root([](double X) { return X * X; });
    EXPECT_NEAR(root.NumericalDerivative(3), 6, 0.002);
    EXPECT_EQ(root.LastF(), 9.0);
    EXPECT_DOUBLE_EQ(root.Step(), (3 + 3 * 0.000344) - 3);
    EXPECT_NEAR(root.NumericalDerivative(0), 0.000344, 1e-12);
    EXPECT_DOUBLE_EQ(root.Step(), 0.000344);
    // Without a derivative of its own the finder uses the numerical one.
    EXPECT_NEAR(root.Derivative(-2), -4, 0.002);
}
