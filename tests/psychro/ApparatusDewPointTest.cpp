#include "tests/psychro/PsychroTestSupport.h"

#include <gtest/gtest.h>

TEST(ApparatusDewPoint, CoolingCoilLineMeetsTheSaturationCurve)
{
    const PsyState in = StateOf(101.325, 27.0, 0.0111, pmTW);
    const PsyState out = StateOf(101.325, 13.0, 0.0085, pmTW);
    double bf = -1.0;
    const double adp = ApparatusDewPoint(in, out, bf);
    EXPECT_EQ(PsyStatus(), psOk);
    ASSERT_LT(adp, out.db);
    // On the curve and on the straight line through inlet and outlet.
    const double lineW = out.wa + (adp - out.db) * (in.wa - out.wa) / (in.db - out.db);
    EXPECT_NEAR(StateOf(101.325, adp, 1.0, pmTF).wa, lineW, 1e-10);
    EXPECT_NEAR(bf, (out.db - adp) / (in.db - adp), 1e-12);
}

// Sensible heating moves away from the curve; one state makes no line.
TEST(ApparatusDewPoint, LinesThatNeverReachSaturationRaise)
{
    double bf = 0.5;
    const PsyState in = StateOf(101.325, 20.0, 0.005, pmTW);
    for (double outDb : {35.0, 20.0}) {
        EXPECT_THROW(ApparatusDewPoint(in, StateOf(101.325, outDb, 0.005, pmTW), bf), EPsyError);
        EXPECT_EQ(PsyStatus(), psNoState);
        EXPECT_EQ(bf, 0.5);
    }
}
