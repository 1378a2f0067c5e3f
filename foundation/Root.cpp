#include "foundation/Root.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {

constexpr double kFlatResidual = 1e-20;
constexpr double kDefaultStep = 0.1;
constexpr double kDerivativeStep = 0.000344;

bool Finite(double A, double B)
{
    return std::isfinite(A) && std::isfinite(B);
}

} // namespace

TRoot::TRoot(TFunction Func, TFunction Deriv) : Func(std::move(Func)), Deriv(std::move(Deriv))
{
    // A finder without a residual has nothing to find: every search ends at once.
    if (!this->Func)
        this->Func = [](double) { return std::numeric_limits<double>::quiet_NaN(); };
    if (!this->Deriv)
        this->Deriv = [this](double X) { return NumericalDerivative(X); };
}

double TRoot::Fail()
{
    FStatus = rsNoIteration;
    return 0.0;
}

double TRoot::NumericalDerivative(double X)
{
    double h = std::fabs(X) * kDerivativeStep;
    if (h == 0.0)
        h = kDerivativeStep;
    h = (X + h) - X; // the step as actually represented
    FLastF = Func(X);
    const double fh = Func(X + h);
    FStep = h;
    return (fh - FLastF) / h;
}

double TRoot::Solve(double X0)
{
    FIterations = 0;
    double f0 = Func(X0);
    FLastF = f0;
    if (!Finite(X0, f0))
        return Fail();
    if (std::fabs(f0) <= FTolerance) {
        FStatus = rsNoIteration;
        return X0;
    }

    // The step carries over from the last solve; one that collapsed to nothing
    // would make the two points coincide and the search stop as flat.
    if (!std::isfinite(FStep) || X0 + FStep == X0)
        FStep = kDefaultStep;

    double X1 = X0 + FStep;
    double f1 = Func(X1);
    if (!Finite(X1, f1))
        return Fail();

    FStatus = rsRunning;
    bool moveX0 = false;
    while (FStatus == rsRunning) {
        const double df = f1 - f0;
        if (std::fabs(df) < kFlatResidual) {
            FStatus = rsFlat;
            break;
        }
        if (moveX0) {
            X0 -= FStep * f0 / df;
            f0 = Func(X0);
            if (!Finite(X0, f0))
                return Fail();
        } else {
            X1 -= FStep * f1 / df;
            f1 = Func(X1);
            if (!Finite(X1, f1))
                return Fail();
        }
        moveX0 = !moveX0;

        const double step = X1 - X0;
        if (!std::isfinite(step))
            return Fail();
        FStep = step;
        if (std::fabs(FStep) <= FTolerance)
            FStatus = rsConverged;
        ++FIterations;
        if (FIterations >= FMaxIterations)
            FStatus = rsIterationLimit;
    }
    return X0;
}

double TRoot::SolveSecant(double X0)
{
    FIterations = 0;
    double slope = NumericalDerivative(X0);
    if (!Finite(X0, FLastF)) {
        FStatus = rsNoIteration;
        return X0;
    }
    if (std::fabs(FLastF) <= FTolerance) {
        FStatus = rsConverged;
        return X0;
    }
    if (slope == 0.0 || !std::isfinite(slope)) {
        FStatus = rsNoIteration;
        return X0;
    }

    double inverseSlope = 1.0 / slope;
    double X = X0;
    FStatus = rsRunning;
    while (FStatus == rsRunning) {
        const double fPrev = FLastF;
        FStep = -inverseSlope * FLastF;
        X += FStep;
        FLastF = Func(X);
        if (!Finite(X, FLastF)) {
            // The caller keeps its own value unless the search converged.
            FStatus = rsNoIteration;
            return X0;
        }
        const double dF = FLastF - fPrev;
        if (std::fabs(dF) < kFlatResidual) {
            FStatus = rsFlat;
            break;
        }
        inverseSlope = FStep / dF;
        if (std::fabs(FLastF) <= FTolerance)
            FStatus = rsConverged;
        if (FIterations >= FMaxIterations)
            FStatus = rsIterationLimit;
        ++FIterations;
    }
    return X;
}
