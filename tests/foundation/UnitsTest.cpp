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

TEST(Units, ConversionsBothWays)
{
    const struct {
        int Quantity, Unit, Base;
        double Held, Shown, Tol;
        const char* Label;
        const char* Fmt;
    } Cases[] = {
        {utAirPressDrop, 5, 1, 250, 1.00365769, 1e-8, "InchWg", "%0.4f"}, // held in Pa
        {utAirFlowPrim, 4, 0, 1.5, 3178.32, 0.01, "cfm", "%0.2f"},
        {utDiameter, 3, 1, 254, 80, 1e-7, "1/8\"", "%0.0f"}, // held in mm
        // Temperatures have an offset, temperature changes none.
        {utTemperature, 1, 0, 20, 68, 1e-12, "\xC2\xB0" "F", "%0.1f"},
        {utTemperature, 2, 0, 0, 273.15, 1e-12, "K", "%0.2f"},
        {utTemperature, 0, 2, 293.15, 20, 1e-12, "\xC2\xB0" "C", "%0.1f"}, // held in K
        {utTemperature, 2, 1, 212, 373.15, 1e-12, "K", "%0.2f"},            // held in °F
        {utTemperatureChange, 1, 0, 10, 18, 1e-12, "\xC2\xB0" "F", "%0.1f"},
        {utTemperatureChange, 2, 0, 10, 10, 1e-12, "K", "%0.2f"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Quantity << " " << C.Unit << " " << C.Base);
        const TConversion c = Convert(C.Quantity, C.Unit, C.Base);
        EXPECT_EQ(c.Label, C.Label);
        EXPECT_EQ(c.Fmt, C.Fmt);
        EXPECT_NEAR(ApplyConversion(C.Held, c.Factor, c.Offset), C.Shown, C.Tol);
        EXPECT_NEAR(RemoveConversion(C.Shown, c.Factor, c.Offset), C.Held, 1e-5);
    }
    EXPECT_EQ(UnitLabel(utAirFlowPrim, 0), "m\xC2\xB3/s"); // labels are UTF-8
    EXPECT_EQ(UnitLabel(utViscosity, 2), "\xC2\xB5Pa\xC2\xB7s");
}

TEST(Units, NumbersFromFilesOutsideTheListsAreTamed)
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

    // Only the low seven bits of quantity and unit index count.
    // Only the low seven bits of quantity and unit index count.
    EXPECT_EQ(UnitsTypeOf(128 + utAltitude), utAltitude);
    EXPECT_EQ(UnitsTypeOf(55), utWaterPressDrop);
    EXPECT_EQ(UnitsTypeOf(56), utNone);
    EXPECT_EQ(UnitLabel(256 + utVelocity, 1), "fpm");
    EXPECT_EQ(UnitLabel(utAirFlowPrim, 130), UnitLabel(utAirFlowPrim, 2));
    EXPECT_EQ(UnitFormatStr(utAirFlowPrim, 130), "%0.0f");
    EXPECT_EQ(Convert(utAirFlowPrim, 130, 128).Factor, 3600);
    // An index past the list reads the last unit.
    EXPECT_EQ(UnitLabel(utAltitude, 127), "ft");
    EXPECT_EQ(UnitFormatStr(utPressureBar, 7), "%0.4f");
    EXPECT_EQ(UnitLabel(utPressureBar, -1), "mHead"); // -1 masks to 127
    const TConversion c = Convert(utAltitude, 9, 40);
    EXPECT_EQ(c.Label, "ft");
    EXPECT_DOUBLE_EQ(c.Factor, 1.0); // both clamp to "ft"
    const int Clamps[][3] = {{utAltitude, 5, 1},    {utAltitude, -3, 0},     {utAirPressDrop, 7, 7},
                             {utPressureBar, 7, 5}, {utViscosity, 1000, 6}, {128 + utAltitude, 5, 1}};
    for (const auto& [Quantity, Index, Clamped] : Clamps)
        EXPECT_EQ(ClampUnitIndex(Quantity, Index), Clamped) << Quantity << " " << Index;
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
