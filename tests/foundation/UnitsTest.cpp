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
        // The standard atmosphere in inches of mercury; 100 kW in kcal/hr.
        {utPressureBar, 4, 0, 101.325, 29.921252, 1e-6, "InchHg", "%0.4f"},
        {utDutyPrim, 4, 0, 100, 85984.52279, 1e-5, "kcal/hr", "%0.1f"},
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
        }
        EXPECT_EQ(labels.size(), std::size_t(UnitCount(q))) << "duplicate label";
        EXPECT_EQ(Convert(q, 0, 0).Factor, 1.0);
    }
}

// Every factor of every quantity, each from the definitions of its units:
// 1 in = 0.0254 m, 1 lb = 0.45359237 kg, the International Table Btu
// (1055.05585262 J) and kilocalorie (4186.8 J), standard gravity; an inch of
// water is the conventional column of 1000 kg/m³ (249.08891 Pa), an inch of
// mercury 3386.389 Pa. Shared tables are checked once, through their first
// quantity (the others are compared with it above).
TEST(Units, EveryFactorFollowsTheDefinitionsOfItsUnits)
{
    constexpr double Pi = 3.14159265358979323846;
    constexpr double In = 0.0254, Ft = 0.3048, Lb = 0.45359237, Btu = 1055.05585262, Kcal = 4186.8, G = 9.80665;
    constexpr double Ft2 = Ft * Ft, Ft3 = Ft * Ft * Ft, In3 = In * In * In;
    constexpr double Lbf = Lb * G, Psi = Lbf / (In * In), InH2O = 1000 * G * In, InHg = 3386.389;
    constexpr double DegF = 5.0 / 9.0;     // one °F step in K
    constexpr double Hp = 550 * Ft * Lbf;  // W
    constexpr double UsGal = 231 * In3, ImpGal = 4.54609e-3; // m³
    constexpr double BtuHr = 3600 / Btu;   // Btu/hr per W
    const struct {
        int Quantity;
        const char* Label;
        double Factor;
    } Cases[] = {
        {utAirFlowPrim, "m³/s", 1}, {utAirFlowPrim, "m³/min", 60}, {utAirFlowPrim, "m³/hr", 3600},
        {utAirFlowPrim, "l/s", 1000}, {utAirFlowPrim, "cfm", 60 / Ft3},
        {utAirFlowSmall, "l/s", 1}, {utAirFlowSmall, "m³/min", 0.06}, {utAirFlowSmall, "cfm", 0.06 / Ft3},
        {utAirFlowRate, "m³/s/m²", 1}, {utAirFlowRate, "m³/min/m²", 60}, {utAirFlowRate, "m³/hr/m²", 3600},
        {utAirFlowRate, "l/s/m²", 1000}, {utAirFlowRate, "cfm/ft²", 60 / Ft},
        {utAirPressDrop, "kPa", 1}, {utAirPressDrop, "Pa", 1000}, {utAirPressDrop, "Psi", 1000 / Psi},
        {utAirPressDrop, "Bar", 0.01}, {utAirPressDrop, "Atm", 1000 / 101325.0},
        {utAirPressDrop, "InchWg", 1000 / InH2O}, {utAirPressDrop, "InchHg", 1000 / InHg},
        {utAirPressDrop, "mHead", 1000 / (1000 * G)},
        {utAltitude, "m", 1}, {utAltitude, "ft", 1 / Ft},
        {utAngularSpeed, "rpm", 1}, {utAngularSpeed, "Rad/s", 2 * Pi / 60}, {utAngularSpeed, "Rev/s", 1.0 / 60},
        {utArea, "m²", 1}, {utArea, "cm²", 1e4}, {utArea, "mm²", 1e6}, {utArea, "inch²", 1 / (In * In)},
        {utArea, "ft²", 1 / Ft2},
        {utCondensateRate, "g/s", 1}, {utCondensateRate, "kg/s", 0.001}, {utCondensateRate, "kg/min", 0.06},
        {utCondensateRate, "lb/hr", 3.6 / Lb},
        {utConductance, "kW/°C", 1}, {utConductance, "W/°C", 1000}, {utConductance, "MBH/°F", BtuHr * DegF},
        {utConductance, "Btu/h°F", 1000 * BtuHr * DegF},
        {utConductivity, "kW/m·K", 1}, {utConductivity, "W/m·K", 1000}, {utConductivity, "mW/m·K", 1e6},
        {utConductivity, "Btu/hr·ft°F", 1000 * BtuHr * Ft * DegF},
        {utDensity, "kg/m³", 1}, {utDensity, "mg/L", 1000}, {utDensity, "lb/ft³", Ft3 / Lb},
        {utDiameter, "m", 1}, {utDiameter, "mm", 1000}, {utDiameter, "inch", 1 / In}, {utDiameter, "1/8\"", 8 / In},
        {utDiameter, "ft", 1 / Ft},
        {utDutyPrim, "kW", 1}, {utDutyPrim, "W", 1000}, {utDutyPrim, "Btu/hr", 1000 * BtuHr},
        {utDutyPrim, "MBh", BtuHr}, {utDutyPrim, "kcal/hr", 1000 * 3600 / Kcal},
        {utDutyRate, "W/m²", 1}, {utDutyRate, "kW/m²", 0.001}, {utDutyRate, "Btu/hr·ft²", BtuHr * Ft2},
        {utDutyRate, "MBh/ft²", BtuHr * Ft2 / 1000}, {utDutyRate, "kcal/hr·ft²", 3600 / Kcal * Ft2},
        {utEnergy, "kJ", 1}, {utEnergy, "J", 1000}, {utEnergy, "kW-hr", 1 / 3600.0}, {utEnergy, "W-hr", 1 / 3.6},
        {utEnergy, "Btu", 1000 / Btu},
        {utEnthalpy, "kJ/kg", 1}, {utEnthalpy, "Btu/lb", 1000 * Lb / Btu},
        {utFinDensity, "fpi", 1}, {utFinDensity, "fin/mm", 1 / 25.4}, {utFinDensity, "fins/m", 1000 / 25.4},
        {utFinDensity, "fins/ft", 12},
        {utHeatOfRespir, "kJ/kg/day", 1}, {utHeatOfRespir, "mW/kg", 1e6 / 86400},
        {utHeatOfRespir, "Btu/lb/day", 1000 * Lb / Btu},
        {utHeatTransCoeff, "W/m²°C", 1}, {utHeatTransCoeff, "Btu/hr·ft²°F", BtuHr * Ft2 * DegF},
        {utHumidity, "kg/kg", 1}, {utHumidity, "g/kg", 1000}, {utHumidity, "gr/lb", 7000},
        {utLengthBig, "m", 1}, {utLengthBig, "ft", 1 / Ft},
        {utLengthMeasure, "m", 1}, {utLengthMeasure, "cm", 100}, {utLengthMeasure, "mm", 1000},
        {utLengthMeasure, "inch", 1 / In}, {utLengthMeasure, "ft", 1 / Ft},
        {utLengthSmall, "mm", 1}, {utLengthSmall, "um", 1000}, {utLengthSmall, "Thou\"", 1 / In},
        {utMass, "kg", 1}, {utMass, "ton SI", 0.001}, {utMass, "lb", 1 / Lb},
        {utMassSmall, "g", 1}, {utMassSmall, "oz", 16 / (1000 * Lb)},
        {utMassFlow, "kg/s", 1}, {utMassFlow, "g/s", 1000}, {utMassFlow, "kg/hr", 3600}, {utMassFlow, "lb/s", 1 / Lb},
        {utMassFlow, "lb/min", 60 / Lb}, {utMassFlow, "lb/hr", 3600 / Lb},
        {utMassFlux, "kg/m²s", 1}, {utMassFlux, "g/m²s", 1000}, {utMassFlux, "kg/m²hr", 3600},
        {utMassFlux, "lb/ft²s", Ft2 / Lb}, {utMassFlux, "lb/ft²min", 60 * Ft2 / Lb},
        {utMassFlux, "lb/ft²hr", 3600 * Ft2 / Lb},
        {utMetRate, "W/P", 1}, {utMetRate, "Btu/hr/P", BtuHr},
        {utPeopleDensity, "m²/P", 1}, {utPeopleDensity, "ft²/P", 1 / Ft2},
        {utPower, "kW", 1}, {utPower, "W", 1000}, {utPower, "HP", 1000 / Hp},
        {utPressureBar, "kPa", 1}, {utPressureBar, "Psi", 1000 / Psi}, {utPressureBar, "Bar", 0.01},
        {utPressureBar, "Atm", 1000 / 101325.0}, {utPressureBar, "InchHg", 1000 / InHg},
        {utPressureBar, "mHead", 1000 / (1000 * G)},
        {utPressureRateGas, "Pa/m", 1}, {utPressureRateGas, "kPa/m", 0.001},
        {utPressureRateGas, "iwg/100'", 100 * Ft / InH2O}, {utPressureRateGas, "Psi/ft", Ft / Psi},
        {utProportion, "fraction", 1}, {utProportion, "%", 100}, {utProportion, "ratio", 1},
        {utRate, "/sec", 1}, {utRate, "/min", 60}, {utRate, "/hr", 3600},
        {utSpecificHeat, "kJ/kg·K", 1}, {utSpecificHeat, "Btu/lb°F", 1000 * Lb / Btu * DegF},
        {utSpecificVol, "m³/kg", 1}, {utSpecificVol, "ft³/lb", Lb / Ft3},
        {utTemperature, "°C", 1}, {utTemperature, "°F", 1.8}, {utTemperature, "K", 1},
        {utThermalCapacity, "W-hr/m²°C", 1}, {utThermalCapacity, "Btu/ft²°F", BtuHr * Ft2 * DegF},
        {utThermalResist, "m²°C/W", 1}, {utThermalResist, "ft²·hr·°F/Btu", 1 / (BtuHr * Ft2 * DegF)},
        {utTime, "sec", 1}, {utTime, "min", 1 / 60.0}, {utTime, "hr", 1 / 3600.0},
        {utVelocity, "m/s", 1}, {utVelocity, "fpm", 60 / Ft},
        {utViscosity, "kg/m·s", 1}, {utViscosity, "N·s/m²", 1}, {utViscosity, "µPa·s", 1e6},
        {utViscosity, "cP", 1000}, {utViscosity, "lbm/ft·s", Ft / Lb}, {utViscosity, "lbf·s/ft²", Ft2 / Lbf},
        {utViscosity, "lbf·hr/ft²", Ft2 / Lbf / 3600},
        {utVolume, "m³", 1}, {utVolume, "litre", 1000}, {utVolume, "cc", 1e6}, {utVolume, "ft³", 1 / Ft3},
        {utVolume, "inch³", 1 / In3},
        {utVolumeFluid, "kl", 1}, {utVolumeFluid, "litre", 1000}, {utVolumeFluid, "IP Gal", 1 / ImpGal},
        {utVolumeFluid, "US Gal", 1 / UsGal},
        {utWaterFlow, "l/s", 1}, {utWaterFlow, "l/min", 60}, {utWaterFlow, "dm³/hr", 3600},
        {utWaterFlow, "m³/hr", 3.6}, {utWaterFlow, "m³/s", 0.001}, {utWaterFlow, "usgpm", 0.06 / UsGal},
    };
    const std::set<int> SharedCopies = {utAirFlowSec, utDutySec, utLengthPrim, utLengthSec, utMassFlowGas,
                                        utPressure, utPressureSteam, utPressureRateLiquid, utTemperatureChange,
                                        utWaterPressDrop};
    std::vector<int> Checked(UnitsTypeCount, 0);
    for (const auto& C : Cases) {
        int Unit = 0;
        while (Unit < UnitCount(C.Quantity) && UnitLabel(C.Quantity, Unit) != C.Label)
            ++Unit;
        ASSERT_LT(Unit, UnitCount(C.Quantity)) << C.Quantity << " has no unit " << C.Label;
        // The tables hold ten significant digits.
        EXPECT_NEAR(Convert(C.Quantity, Unit, 0).Factor / C.Factor, 1.0, 5e-10)
            << UnitsTypeName(C.Quantity) << " in " << C.Label;
        ++Checked[C.Quantity];
    }
    for (int q = 1; q < UnitsTypeCount; ++q) {
        if (SharedCopies.contains(q))
            continue;
        EXPECT_EQ(Checked[q], UnitCount(q)) << UnitsTypeName(q) << ": every unit is checked";
    }

    // The heat-transfer factor and the thermal-capacity factor are one ratio.
    EXPECT_NEAR(Convert(utHeatTransCoeff, 1, 0).Factor, Convert(utThermalCapacity, 1, 0).Factor, 1e-10);
}
