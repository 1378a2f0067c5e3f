#pragma once
// Brent's bracketed root finder. Every inversion in the psychrometric library
// goes through it, so no calculation can run away: the bracket is checked
// first, each step stays inside it, and the number of steps is bounded.

#include <cmath>
#include <limits>

constexpr int BracketedRootMaxSteps = 200;

inline bool SameSignNonZero(double A, double B)
{
    return (A > 0.0 && B > 0.0) || (A < 0.0 && B < 0.0);
}

// Finds X in [Lo, Hi] with F(X) = 0 to within Tolerance, given FLo = F(Lo) and
// FHi = F(Hi). False when these do not bracket a root or F gives a non-finite
// value; Root is then untouched.
template <class Fn>
bool FindBracketedRoot(Fn&& F, double Lo, double Hi, double FLo, double FHi, double Tolerance,
                       double& Root)
{
    if (!std::isfinite(FLo) || !std::isfinite(FHi) || SameSignNonZero(FLo, FHi))
        return false;
    if (FLo == 0.0) {
        Root = Lo;
        return true;
    }
    if (FHi == 0.0) {
        Root = Hi;
        return true;
    }

    constexpr double eps = std::numeric_limits<double>::epsilon();
    double a = Lo, b = Hi, fa = FLo, fb = FHi;
    double c = b, fc = fb;
    double d = b - a, e = d;
    for (int i = 0; i < BracketedRootMaxSteps; ++i) {
        if (SameSignNonZero(fb, fc)) {
            // b and c on the same side: the bracket is [b, a].
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b; b = c; c = a;
            fa = fb; fb = fc; fc = fa;
        }
        const double tol1 = 2.0 * eps * std::fabs(b) + 0.5 * Tolerance;
        const double xm = 0.5 * (c - b);
        if (std::fabs(xm) <= tol1 || fb == 0.0) {
            Root = b;
            return true;
        }
        if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
            // Inverse quadratic (or secant) step, taken only when it stays
            // well inside the bracket and shrinks it fast enough.
            const double s = fb / fa;
            double p, q;
            if (a == c) {
                p = 2.0 * xm * s;
                q = 1.0 - s;
            } else {
                const double qa = fa / fc;
                const double r = fb / fc;
                p = s * (2.0 * xm * qa * (qa - r) - (b - a) * (r - 1.0));
                q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (p > 0.0)
                q = -q;
            p = std::fabs(p);
            const double min1 = 3.0 * xm * q - std::fabs(tol1 * q);
            const double min2 = std::fabs(e * q);
            if (2.0 * p < (min1 < min2 ? min1 : min2)) {
                e = d;
                d = p / q;
            } else {
                d = xm;
                e = d;
            }
        } else {
            d = xm;
            e = d;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol1 ? d : std::copysign(tol1, xm);
        fb = F(b);
        if (!std::isfinite(fb))
            return false;
    }
    Root = b; // step limit: b is the best estimate and still inside the bracket
    return true;
}

template <class Fn>
bool FindBracketedRoot(Fn&& F, double Lo, double Hi, double Tolerance, double& Root)
{
    return FindBracketedRoot(F, Lo, Hi, F(Lo), F(Hi), Tolerance, Root);
}
