// The installed catalogue built from data/: every class of the constant, one-
// and two-dimensional families has a fitting, and published values come back
// through real duct sizes, which catches a transposed or misoriented table as
// well as a wrong section mapping. Fittings are found by name, so that the
// catalogue may be renumbered.

#include "FamilyTestData.h"

#include "fittings/FittingKeys.h"
#include "foundation/WarningSink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <typeinfo>

namespace {

class CatalogueTest : public ::testing::Test {
protected:
    CatalogueTest() : Installed(Sink), DB(VENTRIX_COMMON_DATA_DIR) {}

    // The fitting of that name; nullptr (and a failure) when there is none.
    TDuctFitting* Named(const std::string& Name)
    {
        for (const std::string& Key : DB.Codes()) {
            TDuctFitting* F = DB.SelectFitting(Key, false);
            if (F && F->Name == Name)
                return F;
        }
        ADD_FAILURE() << "no fitting named " << Name;
        return nullptr;
    }

    double C(const std::string& Name, const TDuctSection& S, const TFloatVec& Inputs,
             const TDuctSection& Second = {})
    {
        TDuctFitting* F = Named(Name);
        if (!F)
            return std::nan("");
        const double Result = F->GetCoefficient(S, {}, {}, {}, Second, Inputs);
        EXPECT_FALSE(RangeFlag) << Name;
        return Result;
    }

    double Junction(const std::string& Name, const TDuctSection& S, const TDuctSection& B, const TDuctSection& Common)
    {
        TDuctFitting* F = Named(Name);
        if (!F)
            return std::nan("");
        const double Result = F->GetCoefficient(S, B, {}, Common, {}, {});
        EXPECT_FALSE(RangeFlag) << Name;
        return Result;
    }

    TRecordingWarningSink Sink;
    TScopedWarningSink Installed;
    TDuctFittingDB DB;
};

TEST_F(CatalogueTest, EveryClassOfTheTableFamiliesHasAFitting)
{
    ASSERT_FALSE(DB.Codes().empty()) << Sink.LastText();
    std::set<std::string> Stored;
    for (const std::string& Key : DB.Codes()) {
        TDuctFitting* F = DB.SelectFitting(Key, true);
        ASSERT_NE(F, nullptr) << Key;
        Stored.insert(typeid(*F).name());
    }
    for (const TFittingClass& Class : FittingClasses()) {
        if (Class.Layout != flConst && Class.Layout != fl1Dim && Class.Layout != fl2Dim)
            continue;
        const std::string Name = Class.Name;
        EXPECT_TRUE(Stored.count(std::to_string(Name.size()) + Name)) << Name << " has no fitting";
    }
}

TEST_F(CatalogueTest, JunctionsHaveAStraightAndABranchEntry)
{
    std::set<std::string> Straight, Branch;
    for (const std::string& Key : DB.Codes()) {
        const std::string Path = FittingKeyField(Key, 2);
        if (Path == "s")
            Straight.insert(FittingBaseCode(Key));
        if (Path == "b")
            Branch.insert(FittingBaseCode(Key));
        if (!Path.empty()) {
            EXPECT_GT(DB.SelectFitting(Key, true)->PathNames.size(), 2u) << Key;
        }
    }
    for (const std::string& Base : Straight) {
        if (Base.find('5') == 2) {  // the tees and wyes of the junction category
            EXPECT_TRUE(Branch.count(Base)) << Base;
        }
    }
}

// Published values are read at grid points; the axis values come out of
// divisions, so they may differ from the grid by a rounding error.
constexpr double Tol = 1e-9;

TEST_F(CatalogueTest, ElbowTablesGivePublishedValuesAtRealSizes)
{
    // Mitred rectangular elbow, 45 degrees, H/W = 2: 0.31.
    EXPECT_NEAR(C("Elbow, rectangular, mitred, any angle, without vanes", RectSection(600, 300), {45}), 0.31, Tol);
    // Smooth-radius rectangular elbow, H/W = 0.5, r/W = 0.75: 0.52.
    EXPECT_NEAR(C("Elbow, rectangular, smooth radius, 90 degrees, without vanes", RectSection(300, 600), {450}), 0.52,
                Tol);
    // Pleated round elbow on a 200 mm duct: 0.34.
    EXPECT_NEAR(C("Elbow, round, pleated, 90 degrees, r/D = 1.5", RoundSection(200), {}), 0.34, Tol);
    // Converging mitred elbow, H/W = 1, outlet 0.8 of the inlet width: 1.4.
    EXPECT_NEAR(C("Elbow, rectangular, mitred, 90 degrees, converging or diverging", RectSection(500, 500), {},
                  RectSection(500, 400)),
                1.4, Tol);
}

TEST_F(CatalogueTest, EntryExitAndDamperTablesGivePublishedValues)
{
    // Round duct projecting L/D = 0.05 from a wall t/D = 0.02 thick: 0.55.
    EXPECT_NEAR(C("Entry, round duct mounted in a wall (projecting, with wall thickness)", RoundSection(400), {20, 8}),
                0.55, Tol);
    // Conical bellmouths at 60 degrees, L/D = 0.1.
    EXPECT_NEAR(C("Entry, conical converging bellmouth without end wall", RoundSection(400), {60, 40}), 0.41, Tol);
    EXPECT_NEAR(C("Entry, conical converging bellmouth with end wall", RoundSection(400), {40, 60}), 0.18, Tol);
    // Abrupt exit into a space of twice the diameter: (1 - 1/4)^2.
    EXPECT_NEAR(C("Exit, round duct, abrupt expansion into a larger duct or plenum", RoundSection(300), {600}), 0.5625,
                1e-3);
    // An open opposed-blade damper.
    EXPECT_NEAR(C("Damper, rectangular, multi-blade, opposed blades", RectSection(600, 600), {4, 0}), 0.52, Tol);
}

TEST_F(CatalogueTest, ElbowsByAngleAgreeWithTheirNinetyDegreeTables)
{
    // Idelchik's smooth bend by angle must give the 90-degree smooth elbow
    // at 90 degrees, and 0.9 sin 45 x 0.21 / sqrt(1.5) + 0.0175 x 0.02 x 45 x
    // 1.5 = 0.133 at 45 degrees, r/D = 1.5.
    const TDuctSection D400 = RoundSection(400);
    EXPECT_NEAR(C("Elbow, round, smooth radius, any angle", D400, {90, 400}),
                C("Elbow, round, smooth radius, 90 degrees", D400, {400}), Tol);
    EXPECT_NEAR(C("Elbow, round, smooth radius, any angle", D400, {45, 600}), 0.133, Tol);
    // 3-gore elbow, r/D = 1: 0.42 at 90 degrees times the 45-degree factor 0.60.
    EXPECT_NEAR(C("Elbow, round, 3-gore, any angle", D400, {45, 400}), 0.252, Tol);
    // One splitter vane, H/W = 0.5, r/W = 0.75: 0.13 (0.11 if H and W were swapped).
    EXPECT_NEAR(C("Elbow, rectangular, smooth radius, one splitter vane, 90 degrees", RectSection(200, 400), {300}),
                0.13, Tol);
}

TEST_F(CatalogueTest, AddedDampersExitsAndWyesGivePublishedValues)
{
    const TDuctSection Duct = RectSection(400, 400);
    // Weisbach's rectangular butterfly damper at 30 degrees.
    EXPECT_NEAR(C("Damper, butterfly (single blade), rectangular duct (0 degrees = fully open)", Duct, {30}), 3.54,
                Tol);
    // Parallel blades at 30 degrees leave half the area: 0.52 + (2 - 1)^2,
    // below the opposed blades at the same angle.
    const double Parallel = C("Damper, rectangular, multi-blade, parallel blades", Duct, {4, 30});
    EXPECT_NEAR(Parallel, 1.52, Tol);
    EXPECT_LT(Parallel, C("Damper, rectangular, multi-blade, opposed blades", Duct, {4, 30}));
    // Abrupt exit (180 degrees) into an outlet of twice the area: (1 - 1/2)^2
    // of mixing plus the outlet's velocity pressure (1/2)^2.
    EXPECT_NEAR(C("Exit, rectangular pyramidal diffuser discharging into a room", Duct, {0, 0, 800, 400, 180}), 0.5,
                0.005);
    // Converging 45-degree wye, all ducts of one size, half the flow from
    // the branch: Crane gives 0.2186 common velocity pressures, 0.874 on the
    // branch velocity.
    const TDuctSection Common = RoundSection(500, 1.0);
    EXPECT_NEAR(Junction("Wye, round, 45 degrees, converging (exhaust), branch path", RoundSection(500, 0.5),
                         RoundSection(500, 0.5), Common),
                0.874, 0.005);
}

TEST_F(CatalogueTest, FanSystemEffectsUseTheEffectiveDuctLength)
{
    // Square elbow R/H = 1 two elbow heights before the fan inlet: 0.66.
    EXPECT_NEAR(C("Fan inlet, square elbow with inlet transition, no turning vanes", RectSection(400, 400), {400, 800}),
                0.66, Tol);
    // 500 x 500 outlet at 10 m/s: Le = 500 / 350 m; a duct of a quarter of
    // it, blast area 0.6 of the outlet: 0.33.
    const TDuctSection Outlet = RectSection(500, 500, 2.5, 0.25 * 500.0 / 350.0);
    EXPECT_NEAR(C("Fan outlet, centrifugal fan with rectangular outlet duct", Outlet, {300, 500}), 0.33, Tol);
}

TEST_F(CatalogueTest, JunctionCoefficientsReferToThePathVelocity)
{
    // Converging round tee, Qb/Qc = 0.5, Ab/Ac = 0.2: 6.75 common velocity
    // pressures (CIBSE Guide C gives 6.8), that is 6.75 / 2.5^2 on the
    // branch velocity.
    const double Dc = 500;
    const TDuctSection Common = RoundSection(Dc, 1.0);
    const TDuctSection Branch = RoundSection(Dc * std::sqrt(0.2), 0.5);
    EXPECT_NEAR(Junction("Tee, round, 90 degrees, converging, branch path", RoundSection(Dc, 0.5), Branch, Common),
                6.75 / 6.25, 0.01);
    // Diverging rectangular tee at equal velocities: 1 + 1 common velocity
    // pressures, and the same on the branch's.
    EXPECT_NEAR(Junction("Tee, rectangular, 90 degrees, equal heights, diverging, branch path",
                         RectSection(300, 360, 0.6), RectSection(300, 240, 0.4), RectSection(300, 600, 1.0)),
                2.0, Tol);
    // The straight path of a diverging tee keeping its velocity loses
    // nothing.
    EXPECT_NEAR(Junction("Tee, round, 90 degrees, diverging, straight-through path",
                         RoundSection(400 * std::sqrt(0.6), 0.6), RoundSection(200, 0.4), RoundSection(400, 1.0)),
                0.0, Tol);
}

} // namespace
