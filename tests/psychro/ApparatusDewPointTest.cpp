#include "psychro/Psychrometrics.h"

#include <gtest/gtest.h>

namespace {
PsyState State(double P, double T, double W)
{
    PsyState s;
    SetState(s, P, T, W, pmTW);
    return s;
}

double SaturationHumidity(double P, double T)
{
    PsyState s;
    SetState(s, P, T, 1.0, pmTF);
    return s.wa;
}
}

TEST(ApparatusDewPoint, CoolingCoilLineMeetsTheSaturationCurve)
{
    const PsyState in = State(101.325, 27.0, 0.0111);
    const PsyState out = State(101.325, 13.0, 0.0085);
    double bf = -1.0;
    const double adp = ApparatusDewPoint(in, out, bf);
    EXPECT_EQ(PsyStatus(), psOk);
    ASSERT_LT(adp, out.db);
    // On the curve and on the straight line through inlet and outlet.
    const double lineW = out.wa + (adp - out.db) * (in.wa - out.wa) / (in.db - out.db);
    EXPECT_NEAR(SaturationHumidity(101.325, adp), lineW, 1e-10);
    EXPECT_NEAR(bf, (out.db - adp) / (in.db - adp), 1e-12);
    EXPECT_GT(bf, 0.0);
    EXPECT_LT(bf, 1.0);
}

TEST(ApparatusDewPoint, LinesThatNeverReachSaturationRaise)
{
    double bf = 0.5;
    // Sensible heating moves away from the curve.
    EXPECT_THROW(ApparatusDewPoint(State(101.325, 20.0, 0.005), State(101.325, 35.0, 0.005), bf), EPsyError);
    EXPECT_EQ(PsyStatus(), psNoState);
    EXPECT_THROW(ApparatusDewPoint(State(101.325, 20.0, 0.005), State(101.325, 20.0, 0.005), bf), EPsyError);
    EXPECT_DOUBLE_EQ(bf, 0.5);
}
