#include "network/DuctGraph.h"
#include "psychro/Psychrometrics.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

void ExpectNodesCarry(const TDuctGraph& G, double Pressure, double Density)
{
    for (const auto& N : G.Nodes()) {
        const auto& F = static_cast<const TFlowNode&>(*N);
        EXPECT_EQ(F.Pressure, Pressure) << F.Name;
        EXPECT_EQ(F.Density, Density) << F.Name;
    }
}

} // namespace

TEST(FlowGraphAir, SetBarometerMovesEveryNodeAndFlow)
{
    TDuctGraph G(true); // a new network computes with standard air
    EXPECT_DOUBLE_EQ(G.AirDensity, Density(101.325, 20.0, 12.8, pmTB));
    EXPECT_EQ(G.GetHumitrakText(), "20.00/12.80");
    const double Before = G.AirDensity;
    G.Status = ssSolved;
    ASSERT_TRUE(G.SetBarometer(95.0));
    EXPECT_EQ(G.Barometer, 95000.0);
    EXPECT_DOUBLE_EQ(G.AirDensity, Density(95.0, 20.0, 12.8, pmTB));
    EXPECT_LT(G.AirDensity, Before * 0.95);
    ExpectNodesCarry(G, 95000.0, G.AirDensity);
    // Flows re-derived from the volume flow at the new density.
    EXPECT_DOUBLE_EQ(G.DuctBranch(2)->MassFlow, 1.0 * G.AirDensity);
    EXPECT_EQ(G.DuctBranch(2)->VolumeFlow, 1.0);
    EXPECT_DOUBLE_EQ(G.DuctBranch(2)->MeanDensity, G.AirDensity);
    EXPECT_EQ(G.Status, ssNotSolved);
}

TEST(FlowGraphAir, AStateWithoutADensityIsRefused)
{
    TDuctGraph G(true);
    ASSERT_TRUE(G.SetBarometer(95.0));
    const double Kept = G.AirDensity;
    G.Status = ssSolved;
    for (double Bad : {0.0, -10.0, 1e305, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(Bad);
        EXPECT_FALSE(G.SetBarometer(Bad));
        EXPECT_EQ(G.Barometer, 95000.0);
        EXPECT_EQ(G.AirDensity, Kept);
        ExpectNodesCarry(G, 95000.0, Kept);
        EXPECT_EQ(G.AirStateStatus.rfind("Invalid air state", 0), 0u) << G.AirStateStatus;
        EXPECT_EQ(G.Status, ssSolved); // nothing changed, so nothing to re-solve
    }
    ASSERT_TRUE(G.SetBarometer(101.325));
    EXPECT_TRUE(G.AirStateStatus.empty());
}

TEST(FlowGraphAir, SetHumitrakReadsDryAndWetBulb)
{
    TDuctGraph G(true);
    ASSERT_TRUE(G.SetHumitrak("25/18"));
    EXPECT_NEAR(G.DryBulb, 25.0, 1e-9);
    EXPECT_NEAR(G.WetBulb, 18.0, 1e-9);
    EXPECT_NEAR(G.AirDensity, Density(101.325, 25.0, 18.0, pmTB), 1e-9);
    for (const auto& N : G.Nodes())
        EXPECT_EQ(static_cast<const TFlowNode&>(*N).DryBulb, G.DryBulb);
    EXPECT_EQ(G.GetHumitrakText(), "25.00/18.00");
    // A wet bulb above the dry bulb is held to it.
    ASSERT_TRUE(G.SetHumitrak("25/30"));
    EXPECT_NEAR(G.WetBulb, 25.0, 1e-9);
    // Text that is no number changes nothing.
    const double Kept = G.DryBulb;
    EXPECT_FALSE(G.SetHumitrak("warm"));
    EXPECT_EQ(G.DryBulb, Kept);
    EXPECT_NE(G.AirStateStatus.find("warm"), std::string::npos);
}
