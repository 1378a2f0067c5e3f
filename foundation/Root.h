#pragma once
// One-dimensional root finder on a residual function. Instances belong to their
// users (the equivalent-diameter tool, the sizing code); Step carries over from
// one solve to the next on the same object.

#include <cstdint>
#include <functional>

class TRoot {
public:
    using TFunction = std::function<double(double)>;

    // Outcome of the last solve.
    static constexpr std::uint8_t rsRunning = 0;
    static constexpr std::uint8_t rsConverged = 4;
    static constexpr std::uint8_t rsIterationLimit = 8;
    // No iteration done: the start value already met the tolerance, or a
    // non-finite value (the floating-point error of the search) stopped it.
    static constexpr std::uint8_t rsNoIteration = 11;
    // Two successive residuals differ by less than 1e-20.
    static constexpr std::uint8_t rsFlat = 14;

    // Without Deriv the finder's own numerical derivative stands in.
    explicit TRoot(TFunction Func, TFunction Deriv = {});

    // The derivative captures this object, so it must stay where it was made.
    TRoot(const TRoot&) = delete;
    TRoot& operator=(const TRoot&) = delete;

    // Two-point secant search from X0 (and X0 + Step).
    double Solve(double X0);

    // Secant search whose first slope is the numerical derivative at X0.
    double SolveSecant(double X0);

    // Forward-difference derivative of Func at X; sets LastF := Func(X) and
    // Step := the difference step used.
    double NumericalDerivative(double X);

    // The derivative given at construction (or the numerical one).
    double Derivative(double X) const { return Deriv(X); }

    std::uint8_t Status() const { return FStatus; }
    int Iterations() const { return FIterations; }
    double LastF() const { return FLastF; }

    double Tolerance() const { return FTolerance; }
    void SetTolerance(double Value) { FTolerance = Value; }
    int MaxIterations() const { return FMaxIterations; }
    void SetMaxIterations(int Value) { FMaxIterations = Value; }
    double Step() const { return FStep; }
    void SetStep(double Value) { FStep = Value; }

private:
    double Fail(); // ends a search on a non-finite value

    TFunction Func;
    TFunction Deriv;
    double FLastF = 0.0;
    double FTolerance = 1e-6;
    double FStep = 0.1;
    int FMaxIterations = 50;
    int FIterations = 0;
    std::uint8_t FStatus = rsRunning;
};
