#include "fittings/FrictionFactor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

// Root of G on [Lo, Hi] by bisection (G changes sign there): an evaluation
// independent of the iterations under test.
double Bisect(const std::function<double(double)>& G, double Lo, double Hi)
{
    double GLo = G(Lo);
    for (int i = 0; i < 200; ++i) {
        const double Mid = 0.5 * (Lo + Hi);
        const double GMid = G(Mid);
        if ((GMid < 0) == (GLo < 0)) {
            Lo = Mid;
            GLo = GMid;
        } else {
            Hi = Mid;
        }
    }
    return 0.5 * (Lo + Hi);
}

// Colebrook's equation 1/sqrt(f) = -2 log10(rr/3.7 + 2.51 / (Re sqrt(f))).
double ColebrookReference(double Re, double rr)
{
    const double x = Bisect([&](double x) { return x + 2 * std::log10(rr / 3.7 + 2.51 * x / Re); }, 1.0, 30.0);
    return 1.0 / (x * x);
}

// Prandtl's smooth law 1/sqrt(f) = 2 log10(Re sqrt(f)) - 0.8.
double PrandtlReference(double Re)
{
    const double x = Bisect([&](double x) { return x - (2 * std::log10(Re / x) - 0.8); }, 1.0, 30.0);
    return 1.0 / (x * x);
}

TEST(FrictionFactor, TransitionRegimeMatchesColebrook)
{
    struct TCase {
        double Re, Roughness, Diameter;
    };
    const TCase Cases[] = {{2300, 0.00015, 0.2},  {5000, 0.00015, 0.2}, {1e5, 0.0002, 0.2},
                           {1e5, 0.00009, 0.9},   {5e5, 0.00005, 0.5},  {2e4, 0.003, 0.3}};
    for (const TCase& C : Cases) {
        int Regime = -2;
        const double f = FrictionFactor(C.Re, C.Roughness, C.Diameter, 0.02, Regime);
        EXPECT_EQ(Regime, frTransition) << "Re = " << C.Re;
        const double Expected = ColebrookReference(C.Re, C.Roughness / C.Diameter);
        EXPECT_NEAR(f, Expected, 1e-5 * Expected) << "Re = " << C.Re;
    }
}

TEST(FrictionFactor, ColebrookResultDoesNotDependOnTheStart)
{
    const double Expected = ColebrookReference(1e5, 0.001);
    EXPECT_NEAR(FrictionFactorColebrook(1e5, 0.001, 0.02), 0.02217, 5e-5);
    for (double Guess : {0.008, 0.02, 0.05, 0.1})
        EXPECT_NEAR(FrictionFactorColebrook(1e5, 0.001, Guess), Expected, 1e-5 * Expected) << Guess;
}

TEST(FrictionFactor, SmoothRegimeFollowsPrandtlCloseToColebrook)
{
    EXPECT_NEAR(FrictionFactorSmooth(1e5, 0), 0.01799, 5e-5);
    for (double Re : {2300.0, 1e4, 1e5, 1e6, 1e7}) {
        int Regime = -2;
        const double f = FrictionFactor(Re, 0.0, 0.3, 0.0, Regime);
        EXPECT_EQ(Regime, frSmooth);
        EXPECT_NEAR(f, PrandtlReference(Re), 1e-6 * f) << "Re = " << Re;
        // Prandtl's constant 0.8 against Colebrook's 2 log10(2.51).
        EXPECT_NEAR(f, ColebrookReference(Re, 0.0), 2e-3 * f) << "Re = " << Re;
    }
    // Roughness 0 means smooth whatever the diameter, even 0.
    int Regime = -2;
    FrictionFactor(1e5, 0.0, 0.0, 0.02, Regime);
    EXPECT_EQ(Regime, frSmooth);
}

TEST(FrictionFactor, FullyRoughRegimeIsColebrooksHighReynoldsLimit)
{
    int Regime = -2;
    const double rr = 0.01;
    const double f = FrictionFactor(1e8, 0.005, 0.5, 0.02, Regime);
    EXPECT_EQ(Regime, frRough);
    EXPECT_DOUBLE_EQ(f, 1.0 / std::pow(1.14 - 2 * std::log10(rr), 2));
    EXPECT_NEAR(f, ColebrookReference(1e8, rr), 5e-3 * f);
}

TEST(FrictionFactor, RegimeBoundariesAndFlowsThatGiveNoLaw)
{
    const double X = std::nan(""); // a factor not checked
    const struct {
        double Re, Roughness, Diameter, Guess;
        int Regime;
        double Expected;
    } Cases[] = {
        // sqrt(0.0625) = 0.25 and rr = 2^-7 are exact: sqrt(guess)·Re·rr is exactly 200.
        {102400, 0.0078125, 1.0, 0.0625, frTransition, X},
        {102401, 0.0078125, 1.0, 0.0625, frRough, X},
        {2299, 0.00015, 0.2, 0.02, frLaminar, 64.0 / 2299},
        {2300, 0.00015, 0.2, 0.02, frTransition, X},
        {50, 0.00015, 0.2, 0.02, frLaminar, 0.02}, // 64 / Re above 1 falls back to 0.02
        // No flow keeps a usable guess.
        {0, 0.00015, 0.2, 0.018, frNoFlow, 0.018},
        {0, 0.00015, 0.2, 1.5, frNoFlow, 0.02},
        {-300, 0.00015, 0.2, 0.03, frNoFlow, 0.03},
        {std::nan(""), 0.00015, 0.2, 0.03, frNoFlow, 0.03},
    };
    for (const auto& C : Cases) {
        int Regime = -2;
        const double F = FrictionFactor(C.Re, C.Roughness, C.Diameter, C.Guess, Regime);
        EXPECT_EQ(Regime, C.Regime) << C.Re;
        if (!std::isnan(C.Expected)) {
            EXPECT_DOUBLE_EQ(F, C.Expected) << C.Re;
        }
    }
}

TEST(FrictionFactor, UnusableGuessesStillGiveTheColebrookValue)
{
    const double Expected = ColebrookReference(1e5, 0.001);
    for (double Guess : {0.0, -0.02, std::nan("")}) {
        int Regime = -2;
        const double f = FrictionFactor(1e5, 0.0002, 0.2, Guess, Regime);
        EXPECT_EQ(Regime, frTransition) << Guess;
        EXPECT_NEAR(f, Expected, 1e-5 * Expected) << Guess;
        EXPECT_NEAR(FrictionFactor(1e5, 0.0, 0.2, Guess, Regime), PrandtlReference(1e5), 1e-7) << Guess;
    }
}

TEST(ReynoldsNumber, DuctAndStandardAirForms)
{
    EXPECT_NEAR(ReynoldsNumber(1.2, 9.55, 0.2, 1.81e-5), 126629.8, 0.1);
    // 0.3 m3/s through 300 x 500 mm is 2 m/s.
    EXPECT_NEAR(AirReynoldsNumberHW(0.3, 300, 500, 375), 1.2 * 2 * 0.375 / 1.8114e-5, 1e-6);
    EXPECT_DOUBLE_EQ(AirReynoldsNumberHW(0.3, 0, 500, 375), 0.0);
    EXPECT_NEAR(AirReynoldsNumberA(0.1, 1e5, 356.8), 1.2 * 1 * 0.3568 / 1.8114e-5, 1e-6);
}

} // namespace

TEST(FrictionFactor, KeptRoughWallFactorGivesTheSameFactorToTheLastDigit)
{
    // One duct's cache through changes of size and roughness: each factor
    // must be the one computed afresh, in every regime.
    const struct {
        double Re, Roughness, Diameter;
    } Steps[] = {
        {1e3, 0.00015, 0.15},  {5e4, 0.00015, 0.15}, {5e6, 0.00015, 0.15}, // laminar, Colebrook, rough
        {5e4, 0.00015, 0.30},  {9e5, 0.003, 0.30},                       // new diameter, new roughness
        {5e4, 0.0, 0.30},      {5e4, 0.00015, 0.30}, {0.0, 0.00015, 0.30}, // smooth, back, no flow
        {5e4, 0.00015, 0.0},   {NAN, 0.00015, 0.15},
    };
    TRoughWallFactor Kept;
    for (const auto& S : Steps) {
        int Fresh = 0, Cached = 0;
        const double Expected = DuctFrictionFactor(S.Re, S.Roughness, S.Diameter, Fresh);
        const double Got = DuctFrictionFactor(S.Re, S.Roughness, S.Diameter, Kept.Of(S.Roughness, S.Diameter), Cached);
        EXPECT_EQ(Got, Expected) << S.Re << " " << S.Roughness << " " << S.Diameter;
        EXPECT_EQ(Cached, Fresh) << S.Re;
    }
}
