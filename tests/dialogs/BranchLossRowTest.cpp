// Rows of the pressure-drop form against values worked by hand: the 0.2 m
// spiral of 0.3 m³/s at 1.2 kg/m³ (m = 0.36 kg/s, f = 0.020792).

#include "dialogs/BranchLossRow.h"

#include <gtest/gtest.h>

namespace {

const TBranchAir Spiral{1.2, 0.36, 0.020792, 0.2};

TEST(BranchLossRow, CoefficientsAndDropsOnASizedDuct)
{
    const TLossRow C = CoefficientLoss(0.5, Spiral);
    EXPECT_NEAR(C.EquivLength, 4.810, 5e-4);
    EXPECT_NEAR(C.Drop, 27.36, 5e-3);
    const TLossRow Dp = DropLoss(10.0, Spiral);
    EXPECT_NEAR(Dp.EquivLength, 1.758, 5e-4);
    EXPECT_DOUBLE_EQ(Dp.Drop, 10.0);
}

TEST(BranchLossRow, NothingToReferToGivesZero)
{
    // Without a friction factor, a diameter or a density the formulas would
    // divide by zero: the row shows 0 and 0.
    const TBranchAir Cases[] = {
        {1.2, 0.36, 0.0, 0.2}, {1.2, 0.36, 0.02, 0.0}, {0.0, 0.36, 0.02, 0.2}, {1.2, 0.36, -0.02, 0.2}};
    for (const TBranchAir& Air : Cases) {
        const TLossRow Row = CoefficientLoss(1.0, Air);
        EXPECT_EQ(Row.EquivLength, 0.0);
        EXPECT_EQ(Row.Drop, 0.0);
        EXPECT_EQ(DropLoss(10.0, Air).EquivLength, 0.0);
    }
    EXPECT_EQ(DropLoss(10.0, {1.2, 0.0, 0.02, 0.2}).EquivLength, 0.0); // no flow
}

TEST(BranchLossRow, StandInsForAnUnsizedBranch)
{
    // C 1 on a branch without size or flow: D 0.3 m, f 0.02, ρ 1.2, m 0.3.
    const TLossRow Row = CoefficientLoss(1.0, WithStandIns({0.0, 0.0, 0.0, 0.0}));
    EXPECT_NEAR(Row.EquivLength, 15.00, 1e-9);
    EXPECT_NEAR(Row.Drop, 7.505, 5e-4);
    // Known values stay.
    const TBranchAir Kept = WithStandIns(Spiral);
    EXPECT_EQ(Kept.Diameter, 0.2);
    EXPECT_EQ(Kept.MassFlow, 0.36);
}

} // namespace
