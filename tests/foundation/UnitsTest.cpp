#include "foundation/Units.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct TConversion {
    std::string Fmt;
    double Offset = 0.0;
    double Factor = 1.0;
    std::string Label;
};

TConversion Convert(int Quantity, int Unit, int Base)
{
    TConversion c;
    GetConversion(Quantity, Unit, Base, c.Fmt, c.Offset, c.Factor, c.Label);
    return c;
}

} // namespace

TEST(Units, PressureDropHeldInPaShownInInchesOfWater)
{
    const TConversion c = Convert(utAirPressDrop, 5, 1);
    EXPECT_EQ(c.Label, "InchWg");
    EXPECT_EQ(c.Fmt, "%0.4f");
    EXPECT_DOUBLE_EQ(c.Factor, 4.01463076 / 1000);
    EXPECT_EQ(c.Offset, 0.0);
    EXPECT_NEAR(ApplyConversion(250, c.Factor, c.Offset), 1.00365769, 1e-8);
    EXPECT_NEAR(RemoveConversion(1.00365769, c.Factor, c.Offset), 250, 1e-5);
}

TEST(Units, AirFlowAndDiameterLabelsAreUtf8)
{
    EXPECT_EQ(UnitLabel(utAirFlowPrim, 0), "m\xC2\xB3/s");
    EXPECT_EQ(UnitLabel(utViscosity, 2), "\xC2\xB5Pa\xC2\xB7s");
    EXPECT_EQ(UnitLabel(utDiameter, 3), "1/8\"");
    EXPECT_EQ(UnitLabel(utLengthSmall, 2), "Thou\"");
    EXPECT_EQ(UnitFormatStr(utDiameter, 3), "%0.0f");

    const TConversion cfm = Convert(utAirFlowPrim, 4, 0);
    EXPECT_EQ(cfm.Label, "cfm");
    EXPECT_EQ(cfm.Fmt, "%0.2f");
    EXPECT_NEAR(ApplyConversion(1.5, cfm.Factor, cfm.Offset), 3178.32, 0.01);
    EXPECT_NEAR(RemoveConversion(3178.32, cfm.Factor, cfm.Offset), 1.5, 1e-5);

    const TConversion eighths = Convert(utDiameter, 3, 1); // held in mm
    EXPECT_NEAR(ApplyConversion(254, eighths.Factor, eighths.Offset), 80, 1e-7);
}

TEST(Units, TemperatureUsesOffsetButTemperatureChangeDoesNot)
{
    const TConversion f = Convert(utTemperature, 1, 0);
    EXPECT_EQ(f.Label, "\xC2\xB0" "F");
    EXPECT_EQ(f.Fmt, "%0.1f");
    EXPECT_DOUBLE_EQ(ApplyConversion(20, f.Factor, f.Offset), 68);
    EXPECT_DOUBLE_EQ(RemoveConversion(68, f.Factor, f.Offset), 20);

    const TConversion k = Convert(utTemperature, 2, 0);
    EXPECT_EQ(k.Label, "K");
    EXPECT_EQ(k.Fmt, "%0.2f");
    EXPECT_DOUBLE_EQ(ApplyConversion(0, k.Factor, k.Offset), 273.15);

    const TConversion dF = Convert(utTemperatureChange, 1, 0);
    EXPECT_EQ(dF.Offset, 0.0);
    EXPECT_DOUBLE_EQ(ApplyConversion(10, dF.Factor, dF.Offset), 18);
    EXPECT_EQ(Convert(utTemperatureChange, 2, 0).Offset, 0.0);
}

TEST(Units, TemperatureHeldInAnotherBaseConvertsCorrectly)
{
    const TConversion c = Convert(utTemperature, 0, 2); // held in K, shown in °C
    EXPECT_NEAR(ApplyConversion(293.15, c.Factor, c.Offset), 20, 1e-12);
    const TConversion k = Convert(utTemperature, 2, 1); // held in °F, shown in K
    EXPECT_NEAR(ApplyConversion(212, k.Factor, k.Offset), 373.15, 1e-12);
    EXPECT_NEAR(RemoveConversion(373.15, k.Factor, k.Offset), 212, 1e-12);
}

TEST(Units, NoQuantityKeepsCallersFactorAndOffset)
{
    for (int q : {int(utNone), 56, 100, 127, 128 + 56}) {
        TConversion c{"x", 7, 2.5, "y"};
        GetConversion(q, 3, 1, c.Fmt, c.Offset, c.Factor, c.Label);
        EXPECT_EQ(c.Label, "") << q;
        EXPECT_EQ(c.Fmt, "%0.1f") << q;
        EXPECT_EQ(c.Factor, 2.5) << q;
        EXPECT_EQ(c.Offset, 7.0) << q;
        EXPECT_EQ(UnitLabel(q, 0), "") << q;
        EXPECT_EQ(UnitFormatStr(q, 0), "%0.1f") << q;
        EXPECT_EQ(UnitCount(q), 0) << q;
        EXPECT_EQ(UnitsTypeName(q), "None") << q;
        EXPECT_EQ(ClampUnitIndex(q, 9), 9) << q;
    }
    // Such fields may carry a zero factor of their own: the entry stands as typed.
    EXPECT_DOUBLE_EQ(RemoveConversion(12, 0, 2), 10);
}

TEST(Units, OnlyLowSevenBitsOfQuantityAndIndexCount)
{
    EXPECT_EQ(UnitsTypeOf(128 + utAltitude), utAltitude);
    EXPECT_EQ(UnitsTypeOf(55), utWaterPressDrop);
    EXPECT_EQ(UnitsTypeOf(56), utNone);
    EXPECT_EQ(UnitLabel(256 + utVelocity, 1), "fpm");
    EXPECT_EQ(UnitLabel(utAirFlowPrim, 130), UnitLabel(utAirFlowPrim, 2));
    EXPECT_EQ(UnitFormatStr(utAirFlowPrim, 130), "%0.0f");
    EXPECT_EQ(Convert(utAirFlowPrim, 130, 128).Factor, 3600);
}

TEST(Units, IndexPastTheListReadsTheLastUnit)
{
    EXPECT_EQ(UnitLabel(utAltitude, 5), "ft");
    EXPECT_EQ(UnitLabel(utAltitude, 127), "ft");
    EXPECT_EQ(UnitFormatStr(utPressureBar, 7), "%0.4f");
    EXPECT_EQ(UnitLabel(utPressureBar, -1), "mHead"); // -1 masks to 127
    const TConversion c = Convert(utAltitude, 9, 40);
    EXPECT_EQ(c.Label, "ft");
    EXPECT_DOUBLE_EQ(c.Factor, 1.0); // both clamp to "ft"
}

TEST(Units, ClampUnitIndex)
{
    EXPECT_EQ(ClampUnitIndex(utAltitude, 5), 1);
    EXPECT_EQ(ClampUnitIndex(utAltitude, -3), 0);
    EXPECT_EQ(ClampUnitIndex(utAirPressDrop, 7), 7);
    EXPECT_EQ(ClampUnitIndex(utPressureBar, 7), 5);
    EXPECT_EQ(ClampUnitIndex(utViscosity, 1000), 6);
    EXPECT_EQ(ClampUnitIndex(128 + utAltitude, 5), 1);
}

TEST(Units, UnitCounts)
{
    EXPECT_EQ(UnitCount(utAltitude), 2);
    EXPECT_EQ(UnitCount(utAirFlowSmall), 3);
    for (int q : {5, 36, 38, 55})
        EXPECT_EQ(UnitCount(q), 8) << q;
    EXPECT_EQ(UnitCount(utPressureBar), 6);
    EXPECT_EQ(UnitCount(utViscosity), 7);
    EXPECT_EQ(UnitCount(utMassFlux), 6);
}

TEST(Units, SharedTablesGiveIdenticalResults)
{
    const std::vector<std::vector<int>> groups = {
        {1, 2}, {14, 15}, {24, 25, 26}, {30, 31}, {5, 36, 38, 55}, {39, 40}, {45, 46}};
    for (const auto& group : groups) {
        const int first = group.front();
        for (int q : group) {
            ASSERT_EQ(UnitCount(q), UnitCount(first)) << q;
            for (int u = 0; u < UnitCount(q); ++u) {
                EXPECT_EQ(UnitLabel(q, u), UnitLabel(first, u)) << q << " " << u;
                EXPECT_EQ(UnitFormatStr(q, u), UnitFormatStr(first, u)) << q << " " << u;
                for (int b = 0; b < UnitCount(q); ++b)
                    EXPECT_EQ(Convert(q, u, b).Factor, Convert(first, u, b).Factor);
            }
        }
    }
    EXPECT_EQ(UnitsTypeName(utMassFlowGas), "MassFlow - Refrig./Steam");
    EXPECT_EQ(UnitsTypeName(utLengthSec), "Length - Secondary");
}

TEST(Units, EveryTableIsWellFormed)
{
    for (int q = 1; q < UnitsTypeCount; ++q) {
        SCOPED_TRACE(std::string(UnitsTypeName(q)));
        EXPECT_GE(UnitCount(q), 2);
        EXPECT_FALSE(UnitsTypeName(q).empty());
        std::set<std::string_view> labels;
        for (int u = 0; u < UnitCount(q); ++u) {
            EXPECT_FALSE(UnitLabel(q, u).empty());
            labels.insert(UnitLabel(q, u));
            const std::string_view fmt = UnitFormatStr(q, u);
            EXPECT_TRUE(fmt.starts_with("%0.")) << fmt;
            EXPECT_TRUE(fmt.ends_with('f') || fmt.ends_with('g')) << fmt;
            for (int b = 0; b < UnitCount(q); ++b) {
                const TConversion there = Convert(q, u, b);
                const TConversion back = Convert(q, b, u);
                EXPECT_NEAR(there.Factor * back.Factor, 1.0, 1e-12);
                const double shown = ApplyConversion(12.5, there.Factor, there.Offset);
                EXPECT_NEAR(RemoveConversion(shown, there.Factor, there.Offset), 12.5, 1e-9);
            }
        }
        EXPECT_EQ(labels.size(), std::size_t(UnitCount(q))) << "duplicate label";
        EXPECT_EQ(Convert(q, 0, 0).Factor, 1.0);
    }
}

TEST(Units, FactorsAgreeWithDefinitionsOfTheUnits)
{
    constexpr double foot = 0.3048, pound = 0.45359237, btu = 1055.05585262;
    EXPECT_NEAR(Convert(utAltitude, 1, 0).Factor, 1 / foot, 1e-8);
    EXPECT_NEAR(Convert(utDiameter, 2, 0).Factor, 1 / 0.0254, 1e-7);
    EXPECT_NEAR(Convert(utAirFlowPrim, 4, 0).Factor, 60 / (foot * foot * foot), 1e-5);
    EXPECT_NEAR(Convert(utMass, 2, 0).Factor, 1 / pound, 1e-8);
    EXPECT_NEAR(Convert(utDutyPrim, 2, 0).Factor, 3600 / btu * 1000, 1e-3);
    EXPECT_NEAR(Convert(utVelocity, 1, 0).Factor, 60 / foot, 1e-6);

    // The two factors that were mended: thermal capacity per W-hr/m²°C and
    // dynamic viscosity per kg/m·s.
    const double btuPerFt2F = btu / (foot * foot * 5.0 / 9.0); // J/m²K
    EXPECT_NEAR(Convert(utThermalCapacity, 1, 0).Factor, 3600 / btuPerFt2F, 1e-9);
    EXPECT_NEAR(Convert(utThermalCapacity, 1, 0).Factor, 0.17611, 1e-5);
    EXPECT_NEAR(Convert(utViscosity, 4, 0).Factor, foot / pound, 1e-9);
    EXPECT_NEAR(Convert(utViscosity, 4, 0).Factor, 0.671969, 1e-6);
}
