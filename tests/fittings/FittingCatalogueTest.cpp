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

    // The coefficient of the named fitting through the sections, which must
    // lie inside its tables.
    double C(const std::string& Name, const TSecs& X, const TFloatVec& Inputs = {})
    {
        TDuctFitting* F = Named(Name);
        if (!F)
            return std::nan("");
        const double Result = CoefficientOf(*F, X, Inputs);
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

// Published values, read at grid points through real duct sizes. The axis
// values come out of divisions, so they may differ from the grid by a
// rounding error.
TEST_F(CatalogueTest, TablesGivePublishedValuesAtRealSizes)
{
    const TDuctSection D400 = RoundSection(400);
    const TDuctSection Square400 = RectSection(400, 400);
    const struct {
        const char* Name;
        TSecs Sec;
        TFloatVec Inputs;
        double Expected;
        double Tol = 1e-9;
    } Cases[] = {
        // Mitred rectangular elbow, 45 degrees, H/W = 2.
        {"Elbow, rectangular, mitred, any angle, without vanes", {.S = RectSection(600, 300)}, {45}, 0.31},
        // Smooth-radius rectangular elbow, H/W = 0.5, r/W = 0.75.
        {"Elbow, rectangular, smooth radius, 90 degrees, without vanes", {.S = RectSection(300, 600)}, {450}, 0.52},
        {"Elbow, round, pleated, 90 degrees, r/D = 1.5", {.S = RoundSection(200)}, {}, 0.34},
        // Converging mitred elbow, H/W = 1, outlet 0.8 of the inlet width.
        {"Elbow, rectangular, mitred, 90 degrees, converging or diverging",
         {.S = RectSection(500, 500), .Second = RectSection(500, 400)}, {}, 1.4},
        // Smooth round elbow at 45 degrees, r/D = 1.5: 0.15 at 90 degrees times
        // the 45-degree factor 0.60, no wall friction on top.
        {"Elbow, round, smooth radius, any angle", {.S = D400}, {45, 600}, 0.09},
        // 3-gore elbow at 45 degrees goes by the diameter.
        {"Elbow, round, 3-gore, 45 degrees, r/D = 1.5", {.S = RoundSection(300)}, {}, 0.11},
        // One splitter vane, H/W = 0.5, r/W = 0.75 (0.11 if H and W were swapped).
        {"Elbow, rectangular, smooth radius, one splitter vane, 90 degrees", {.S = RectSection(200, 400)}, {300},
         0.13},
        // Round duct projecting L/D = 0.05 from a wall t/D = 0.02 thick.
        {"Entry, round duct mounted in a wall (projecting, with wall thickness)", {.S = D400}, {20, 8}, 0.55},
        // Conical bellmouths at 60 degrees, L/D = 0.1.
        {"Entry, conical converging bellmouth without end wall", {.S = D400}, {60, 40}, 0.41},
        {"Entry, conical converging bellmouth with end wall", {.S = D400}, {40, 60}, 0.18},
        // Abrupt exit into a space of twice the diameter: (1 - 1/4)^2.
        {"Exit, round duct, abrupt expansion into a larger duct or plenum", {.S = RoundSection(300)}, {600}, 0.5625,
         1e-3},
        // Pyramidal exit at 30 degrees into an outlet of twice the area (SMACNA).
        {"Exit, rectangular pyramidal diffuser discharging into a room", {.S = Square400}, {0, 0, 800, 400, 30}, 0.86},
        {"Damper, rectangular, multi-blade, opposed blades", {.S = RectSection(600, 600)}, {4, 0}, 0.52},
        // Weisbach's rectangular butterfly damper at 30 degrees.
        {"Damper, butterfly (single blade), rectangular duct (0 degrees = fully open)", {.S = Square400}, {30}, 3.54},
        // Parallel blades at 30 degrees, x = NW / 2(H+W) = 1 (Brown and Fellows).
        {"Damper, rectangular, multi-blade, parallel blades", {.S = Square400}, {4, 30}, 2.6},
        // Square elbow R/H = 1 two elbow heights before the fan inlet.
        {"Fan inlet, square elbow with inlet transition, no turning vanes", {.S = Square400}, {400, 800}, 0.66},
        // 500 x 500 outlet at 10 m/s: Le = 500 / 350 m; a duct of a quarter of
        // it, blast area 0.6 of the outlet.
        {"Fan outlet, centrifugal fan with rectangular outlet duct",
         {.S = RectSection(500, 500, 2.5, 0.25 * 500.0 / 350.0)}, {300, 500}, 0.33},
        // Junctions refer to the path velocity. Converging 45-degree wye, all
        // ducts of one size, half the flow from the branch: Crane gives 0.2186
        // common velocity pressures, 0.874 on the branch velocity.
        {"Wye, round, 45 degrees, converging (exhaust), branch path",
         {.S = RoundSection(500, 0.5), .B = RoundSection(500, 0.5), .C = RoundSection(500, 1.0)}, {}, 0.874, 0.005},
        // Converging round tee, Qb/Qc = 0.5, Ab/Ac = 0.2, As = Ac, common duct
        // above 250 mm: ASHRAE's ED5-3 prints 0.92, where CIBSE Guide C gives 6.8 / 6.25 = 1.09.
        {"Tee, round, 90 degrees, converging, branch path",
         {.S = RoundSection(500, 0.5), .B = RoundSection(500 * std::sqrt(0.2), 0.5), .C = RoundSection(500, 1.0)}, {},
         0.92, 0.005},
        // Diverging rectangular tee at equal velocities, Ab/Ac = Qb/Qc = 0.5:
        // Idelchik's A' = 1 - 0.6 x 0.5 times 1 + 1 common velocity pressures,
        // and the same on the branch's.
        {"Tee, rectangular, equal heights, 90 degrees, diverging (supply), branch path",
         {.S = RectSection(300, 600, 0.5), .B = RectSection(300, 300, 0.5), .C = RectSection(300, 600, 1.0)}, {},
         1.4},
        // The straight path of a diverging round tee keeping its velocity,
        // As/Ac = Qs/Qc = 0.6: ASHRAE's SD5-9 prints 0.13.
        {"Tee, round, 90 degrees, diverging, straight-through path",
         {.S = RoundSection(400 * std::sqrt(0.6), 0.6), .B = RoundSection(200, 0.4), .C = RoundSection(400, 1.0)}, {},
         0.13, 0.005},
    };
    for (const auto& Case : Cases)
        EXPECT_NEAR(C(Case.Name, Case.Sec, Case.Inputs), Case.Expected, Case.Tol) << Case.Name;

    // The smooth bend by angle gives the 90-degree smooth elbow at 90
    // degrees, and parallel blades lose less than opposed ones.
    EXPECT_NEAR(C("Elbow, round, smooth radius, any angle", {.S = D400}, {90, 400}),
                C("Elbow, round, smooth radius, 90 degrees", {.S = D400}, {400}), 1e-9);
    EXPECT_LT(C("Damper, rectangular, multi-blade, parallel blades", {.S = Square400}, {4, 30}),
              C("Damper, rectangular, multi-blade, opposed blades", {.S = Square400}, {4, 30}));
}

} // namespace
