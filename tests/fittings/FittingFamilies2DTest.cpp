// Walks every leaf of the two-dimensional families with hand-built sections:
// sections -> axis values -> coefficient, and the axis values the sections
// determine. The expected values are worked out by hand from the sizes below.

#include "FamilyTestData.h"

#include "fittings/DuctFit2Dim.h"
#include "fittings/DuctFit2DimFlowTop.h"

#include <gtest/gtest.h>

#include <set>
#include <typeinfo>

namespace {

const TDuctSection None;
constexpr double Tol = 1e-9;

struct TLeafCase {
    const char* Class;
    TStringVec Paths;
    TFloatVec Inputs;
    TDuctSection S, B, B2, C, Second;
    double X, Y;
    TFloatVec Ratios;  // CalcVelocityRatios
};

// Area ratios that do not come out round: 200 x 400 over a 200 mm circle,
// and 300 x 400 over a 200 mm circle.
const double Rect200x400OverD200 = 80000.0 / 31415.926535897932;
const double Rect300x400OverD200 = 120000.0 / 31415.926535897932;

const std::vector<TLeafCase>& GeometricCases()
{
    static const std::vector<TLeafCase> Cases = {
        // D0 = 200 from S, D1 = 100 from Second: area ratio 4.
        {"TDuctFitD0D1A", {}, {30}, RoundSection(200), None, None, None, RoundSection(100), 30, 4.0, {-1, 4.0}},
        // D1 = 100 given, D0 = 200 from S.
        {"TDuctFitD1D0A", {}, {100, 45}, RoundSection(200), None, None, None, None, 45, 0.25, {-1, -1}},
        {"TDuctFitD0D1n", {}, {100, 0.5}, RoundSection(200), None, None, None, None, 0.5, 0.25, {-1, -1}},
        // A diameter ratio, not an area ratio.
        {"TDuctFitDD0A", {}, {200, 60}, RoundSection(100), None, None, None, None, 60, 2.0, {-1, -1}},
        {"TDuctFitDLt", {}, {100, 8}, RoundSection(400), None, None, None, None, 0.25, 0.02, {-1, -1}},
        {"TDuctFitD0H1W1L", {}, {600}, RoundSection(200), None, None, None, RectSection(200, 400), 3.0,
         Rect200x400OverD200, {-1, Rect200x400OverD200}},
        {"TDuctFitD0H1W1A", {}, {20}, RoundSection(200), None, None, None, RectSection(200, 400), 20,
         1.0 / Rect200x400OverD200, {-1, 1.0 / Rect200x400OverD200}},
        {"TDuctFitD0rL", {}, {125, 500}, RoundSection(250), None, None, None, None, 2.0, 0.5, {-1, -1}},
        // 0.1 pi m3/s in a 200 mm duct: 10 m/s, so V = 5 gives 0.5.
        {"TDuctFitVQDAngle", {}, {5, 30}, RoundSection(200, 0.031415926535897934 * 10), None, None, None, None,
         0.5, 30, {-1, -1}},
        {"TDuctFitHWAngle", {}, {45}, RectSection(300, 600), None, None, None, None, 0.5, 45, {0.5, -1}},
        // A square 400 duct has Dh = 400.
        {"TDuctFitHWLAngle", {}, {800, 60}, RectSection(400, 400), None, None, None, None, 60, 2.0, {-1, -1}},
        {"TDuctFitHWLt", {}, {800, 20}, RectSection(400, 400), None, None, None, None, 2.0, 0.05, {-1, -1}},
        {"TDuctFitLHW", {}, {600}, RectSection(200, 500), None, None, None, None, 3.0, 2.5, {-1, 2.5}},
        {"TDuctFitHWr", {}, {450}, RectSection(300, 600), None, None, None, None, 0.5, 0.75, {0.5, -1}},
        {"TDuctFitHWL", {}, {1200}, RectSection(300, 600), None, None, None, None, 0.5, 2.0, {0.5, -1}},
        {"TDuctFitAngleHW", {}, {90}, RectSection(600, 300), None, None, None, None, 90, 2.0, {-1, 2.0}},
        {"TDuctFitAngleLD", {}, {60, 40}, RoundSection(400), None, None, None, None, 60, 0.1, {-1, -1}},
        {"TDuctFitLDAngle", {}, {60, 30}, RoundSection(400), None, None, None, None, 0.15, 30, {-1, -1}},
        {"TDuctFitHWh", {}, {100}, RectSection(400, 800), None, None, None, None, 0.25, 0.5, {-1, 0.5}},
        {"TDuctFitH0W0H1W1n", {}, {200, 250, 0.3}, RectSection(400, 500), None, None, None, None, 0.3, 0.25, {-1, -1}},
        // 200 x 200 in 400 x 500; L = 100 over Dh(200, 200) = 200.
        {"TDuctFitH0W0H1W1L", {}, {200, 200, 100}, RectSection(400, 500), None, None, None, None, 0.2, 0.5, {-1, -1}},
        // 4 blades of 500 over the perimeter 2 (300 + 500).
        {"TDuctFitHWNAngle", {}, {4, 30}, RectSection(300, 500), None, None, None, None, 30, 1.25, {-1, -1}},
        {"TDuctFitH0W0D1r", {}, {30}, RectSection(300, 400), None, None, None, RoundSection(200), 0.15,
         Rect300x400OverD200, {-1, Rect300x400OverD200}},
        {"TDuctFitHWoW1", {}, {}, RectSection(250, 500), None, None, None, RectSection(250, 750), 1.5, 0.5, {1.5, 0.5}},
        {"TDuctFitHW1Wo", {}, {}, RectSection(250, 500), None, None, None, RectSection(250, 1000), 0.5, 0.25, {0.5, 0.25}},
        {"TDuctFitH0W0H1W1Angle", {}, {30}, RectSection(400, 600), None, None, None, RectSection(300, 400), 30, 2.0,
         {-1, 2.0}},
        // The inputs are read from position 2 on.
        {"TDuctFitH1W1HoWoAngle", {}, {0, 0, 400, 600, 20}, RectSection(300, 400), None, None, None, None, 0.5, 20,
         {-1, -1}},
        {"TDuctFitHoWoH1W1Angle", {}, {0, 0, 300, 400, 15}, RectSection(400, 600), None, None, None, None, 2.0, 15,
         {-1, -1}},
        {"TDuctFitHoH1W1L", {}, {600}, RectSection(200, 500), None, None, None, RectSection(400, 500), 3.0, 2.0, {-1, 2.0}},
        {"TDuctFitHoWoH1W1L", {}, {1200}, RectSection(400, 400), None, None, None, RectSection(400, 800), 3.0, 2.0,
         {-1, 2.0}},
        {"TDuctFitH0W0D1Angle", {}, {45}, RectSection(300, 400), None, None, None, RoundSection(200), 45,
         Rect300x400OverD200, {-1, Rect300x400OverD200}},
        {"TDuctFitHrL", {}, {100, 800}, RectSection(400, 600), None, None, None, None, 2.0, 0.25, {-1, -1}},
        {"TDuctFitntd", {}, {0.6, 2, 4}, None, None, None, None, None, 0.6, 0.5, {-1, -1}},
        {"TDuctFitH0H1WAngle", {}, {15}, RectSection(300, 500), None, None, None, RectSection(600, 500), 15, 0.5,
         {-1, 0.5}},
        // 500 x 500 outlet at 3.25 m3/s: 13 m/s, the low-velocity form, so
        // the effective length is 500 / 350 m and 20/7 m is twice it.
        {"TDuctFitHoWoHbWbLmQ", {}, {400, 500}, RectSection(500, 500, 3.25, 20.0 / 7.0), None, None, None, None, 2.0,
         0.8, {2.0, -1}},
    };
    return Cases;
}

const std::vector<TLeafCase>& JunctionCases()
{
    static const std::vector<TLeafCase> Cases = {
        {"TDuctFitDbDcQbQc", {"s", "b", "c"}, {}, None, RoundSection(200, 0.1), None, RoundSection(400, 0.4), None,
         0.25, 0.25, {0.25}},
        {"TDuctFitHWbWcQbQc", {"s", "b", "c"}, {}, None, RectSection(300, 200, 0.2), None, RectSection(300, 800, 0.8),
         None, 0.25, 0.25, {0.25}},
        {"TDuctFitDsDcQsQc", {"s", "b", "c"}, {}, RoundSection(300, 0.6), None, None, RoundSection(400, 1.0), None,
         0.6, 0.5625, {0.5625}},
        {"TDuctFitHbWbHcWcQbQc", {"s", "b", "c"}, {}, None, RectSection(200, 300, 0.15), None,
         RectSection(400, 600, 0.6), None, 0.25, 0.25, {0.25}},
        // A(250) / (300 x 500) = 49087.4 / 150000.
        {"TDuctFitHcWcDbQbQc", {"s", "b", "c"}, {}, None, RoundSection(250, 0.3), None, RectSection(300, 500, 1.0),
         None, 0.3, 49087.385212340517 / 150000.0, {49087.385212340517 / 150000.0}},
        {"TDuctFitHsWsHcWcQsQc", {"s", "b", "c"}, {}, RectSection(300, 400, 0.7), None, None,
         RectSection(400, 600, 1.0), None, 0.7, 0.5, {0.5}},
        {"TDuctFitHWsWcQsQc", {"s", "b", "c"}, {}, RectSection(300, 450, 0.45), None, None, RectSection(300, 600, 0.6),
         None, 0.75, 0.75, {0.75}},
    };
    return Cases;
}

void ExpectValues(const TFloatVec& Actual, const TFloatVec& Expected)
{
    ASSERT_EQ(Actual.size(), Expected.size());
    for (std::size_t i = 0; i < Expected.size(); ++i)
        EXPECT_NEAR(Actual[i], Expected[i], Tol * (1 + std::abs(Expected[i]))) << "position " << i;
}

void Walk(const TLeafCase& Case)
{
    SCOPED_TRACE(Case.Class);
    const auto F = MakeFitting(PlaneSource(Case.Class, Case.Paths));
    const double C = F->GetCoefficient(Case.S, Case.B, Case.B2, Case.C, Case.Second, Case.Inputs);
    EXPECT_NEAR(C, PlaneValue(Case.X, Case.Y), 1e-6);
    ExpectValues(F->LastInputs, {Case.X, Case.Y});
    TFloatVec Ratios;
    F->GetVelocityRatios(Case.S, Case.B, Case.B2, Case.C, Case.Second, Ratios);
    ExpectValues(Ratios, Case.Ratios);
}

TEST(FittingFamilies2D, EveryGeometricLeafTurnsSectionsIntoItsAxisValues)
{
    for (const TLeafCase& Case : GeometricCases())
        Walk(Case);
}

TEST(FittingFamilies2D, EveryJunctionLeafTurnsSectionsIntoFlowAndAreaRatio)
{
    for (const TLeafCase& Case : JunctionCases())
        Walk(Case);
}

TEST(FittingFamilies2D, EveryTwoDimensionalClassIsWalkedAndCreatesItsOwnClass)
{
    std::set<std::string> Walked;
    for (const TLeafCase& Case : GeometricCases())
        Walked.insert(Case.Class);
    for (const TLeafCase& Case : JunctionCases())
        Walked.insert(Case.Class);
    EXPECT_EQ(Walked.size(), 42u);

    int Rows = 0;
    for (const TFittingClass& Class : FittingClasses()) {
        if (Class.Layout != fl2Dim)
            continue;
        ++Rows;
        SCOPED_TRACE(Class.Name);
        EXPECT_TRUE(Walked.count(Class.Name));
        // The row's reader makes an object of the class it names (an
        // Itanium-mangled global class name is its length and the name).
        const auto F = MakeFitting(PlaneSource(Class.Name));
        const TDuctFitting& Object = *F;
        const std::string Name = Class.Name;
        EXPECT_EQ(typeid(Object).name(), std::to_string(Name.size()) + Name);
        EXPECT_NE(dynamic_cast<const TDuctFit2Dim*>(F.get()), nullptr);
    }
    EXPECT_EQ(Rows, 42);
}

TEST(FittingFamilies2D, PathOrderExchangesTheFirstAndSecondSection)
{
    const auto Zero = MakeFitting(PlaneSource("TDuctFitD0D1A", {"0", "1"}));
    EXPECT_NEAR(Zero->GetCoefficient(RoundSection(200), None, None, None, RoundSection(100), {30}), PlaneValue(30, 4), 1e-9);

    // First path "1": D0 comes from Second.
    const auto One = MakeFitting(PlaneSource("TDuctFitD0D1A", {"1", "0"}));
    EXPECT_NEAR(One->GetCoefficient(RoundSection(200), None, None, None, RoundSection(100), {30}), PlaneValue(30, 0.25),
                1e-9);
    TFloatVec Ratios;
    One->GetVelocityRatios(RoundSection(200), None, None, None, RoundSection(100), Ratios);
    ExpectValues(Ratios, {-1, 0.25});

    // The round duct is the second link here, so the exchange puts it back
    // in the D0 place.
    const auto RoundRect = MakeFitting(PlaneSource("TDuctFitD0H1W1A", {"s", "c"}));
    RoundRect->GetCoefficient(RectSection(200, 400), None, None, None, RoundSection(200), {20});
    ExpectValues(RoundRect->LastInputs, {20, 1.0 / Rect200x400OverD200});
    RoundRect->GetVelocityRatios(RectSection(200, 400), None, None, None, RoundSection(200), Ratios);
    ExpectValues(Ratios, {-1, 1.0 / Rect200x400OverD200});

    const auto RectRound = MakeFitting(PlaneSource("TDuctFitH0W0D1Angle", {"b"}));
    RectRound->GetCoefficient(RoundSection(200), None, None, None, RectSection(300, 400), {45});
    ExpectValues(RectRound->LastInputs, {45, Rect300x400OverD200});

    // Leaves without path order ignore the path names.
    const auto Fixed = MakeFitting(PlaneSource("TDuctFitHWoW1", {"1", "0"}));
    Fixed->GetCoefficient(RectSection(250, 500), None, None, None, RectSection(250, 750), {});
    ExpectValues(Fixed->LastInputs, {1.5, 0.5});
}

TEST(FittingFamilies2D, ReferenceLengthSwitchesFormAbove13MetresPerSecond)
{
    const auto F = MakeFitting(PlaneSource("TDuctFitHoWoHbWbLmQ"));
    // 4.5 m3/s through 500 x 500: 18 m/s, Lref = 500 x 18 / 4500 = 2 m.
    const TDuctSection Fast = RectSection(500, 500, 4.5, 3.0);
    F->GetCoefficient(Fast, None, None, None, None, {250, 500});
    ExpectValues(F->LastInputs, {1.5, 0.5});
    TFloatVec Ratios;
    F->GetVelocityRatios(Fast, None, None, None, None, Ratios);
    ExpectValues(Ratios, {1.5, -1});
    // A missing section gives zeros, never an exception.
    F->GetVelocityRatios(None, None, None, None, None, Ratios);
    ExpectValues(Ratios, {0, -1});
}

TEST(FittingFamilies2D, MissingSectionsGiveZeroRatiosNotFailures)
{
    const auto F = MakeFitting(PlaneSource("TDuctFitHWoW1"));
    TFloatVec Ratios;
    F->GetVelocityRatios(RectSection(250, 500), None, None, None, None, Ratios);
    ExpectValues(Ratios, {0, 0.5});
    F->GetVelocityRatios(RectSection(250, 0), None, None, None, None, Ratios);
    ExpectValues(Ratios, {0, 0});

    const auto Junction = MakeFitting(PlaneSource("TDuctFitDbDcQbQc", {"s", "b", "c"}));
    Junction->GetVelocityRatios(None, None, None, None, None, Ratios);
    ExpectValues(Ratios, {0});
}

TEST(FittingFamilies2D, ZeroDivisorsAndShortInputsGiveZeroWithTheWarning)
{
    struct TBad {
        const char* Class;
        TFloatVec Inputs;
        TDuctSection S, Second;
    };
    const std::vector<TBad> Cases = {
        {"TDuctFitDD0A", {200, 60}, None, None},                                 // D0 = 0
        {"TDuctFitHWLt", {800, 20}, RectSection(0, 0), None},                    // Dh of nothing
        {"TDuctFitVQDAngle", {5, 30}, RoundSection(200, 0.0), None},             // zero flow
        {"TDuctFitH0H1WAngle", {15}, RectSection(300, 0), RectSection(600, 0)},  // W cancels but is 0
        {"TDuctFitHoH1W1L", {600}, RectSection(200, 500), RectSection(400, 0)},  // W1 cancels but is 0
        {"TDuctFitD0D1A", {}, RoundSection(200), RoundSection(100)},             // no angle given
        {"TDuctFitH1W1HoWoAngle", {0, 0, 400, 600}, RectSection(300, 400), None},  // one input short
        {"TDuctFitHoWoHbWbLmQ", {400, 500}, RectSection(0, 500, 1.0, 3), None},  // no outlet area
    };
    for (const TBad& Case : Cases) {
        SCOPED_TRACE(Case.Class);
        const auto F = MakeFitting(PlaneSource(Case.Class));
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficient(Case.S, None, None, None, Case.Second, Case.Inputs), 0.0);
        EXPECT_TRUE(RangeFlag);
    }

    // CalcC itself refuses a sequence shorter than the class's inputs.
    const auto F = MakeFitting(PlaneSource("TDuctFitHWNAngle"));
    EXPECT_THROW(F->CalcC({300, 500, 4}), EFittingCalcError);
    EXPECT_NEAR(F->CalcC({300, 500, 4, 30}), PlaneValue(30, 1.25), 1e-9);
}

TEST(FittingFamilies2D, JunctionsWithoutCommonFlowGiveZeroWithTheWarning)
{
    for (const TLeafCase& Case : JunctionCases()) {
        SCOPED_TRACE(Case.Class);
        const auto F = MakeFitting(PlaneSource(Case.Class, Case.Paths));
        TDuctSection C = Case.C;
        C.Q = 0.0;
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficient(Case.S, Case.B, Case.B2, C, Case.Second, {}), 0.0);
        EXPECT_TRUE(RangeFlag);
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficientAt(Case.S, Case.B, Case.B2, C, Case.Second, {0.5}), 0.0);
        EXPECT_TRUE(RangeFlag);
        TFloatVec Ratios = {7};
        F->GetFlowRatios(Case.S, Case.B, Case.B2, C, Case.Second, Ratios);
        EXPECT_TRUE(Ratios.empty());
        // Stored axis values missing altogether.
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficientAt(Case.S, Case.B, Case.B2, Case.C, Case.Second, {}), 0.0);
        EXPECT_TRUE(RangeFlag);
        EXPECT_THROW(F->CalcC({0.1, 0.2}), EFittingCalcError);
    }
}

TEST(FittingFamilies2D, JunctionTakesTheFlowRatioFromSectionsAndTheAreaRatioAsStored)
{
    const auto Branch = MakeFitting(PlaneSource("TDuctFitHWbWcQbQc", {"s", "b", "c"}));
    const TDuctSection B = RectSection(300, 200, 0.3);
    const TDuctSection C = RectSection(300, 800, 1.0);
    EXPECT_NEAR(Branch->GetCoefficientAt(None, B, None, C, None, {0.5}), PlaneValue(0.3, 0.5), 1e-9);
    ExpectValues(Branch->LastInputs, {0.3, 0.5});

    TFloatVec Ratios;
    Branch->GetFlowRatios(None, B, None, C, None, Ratios);
    ExpectValues(Ratios, {0.3});  // the area ratio starts at the flow ratio
    EXPECT_DOUBLE_EQ(Branch->FlowRatio(RectSection(1, 1, 9), B, None, C, None), 0.3);

    const auto Straight = MakeFitting(PlaneSource("TDuctFitDsDcQsQc", {"s", "b", "c"}));
    const TDuctSection S = RoundSection(300, 0.8);
    const TDuctSection Common = RoundSection(400, 1.0);
    EXPECT_NEAR(Straight->GetCoefficientAt(S, RoundSection(100, 0.2), None, Common, None, {0.6}), PlaneValue(0.8, 0.6),
                1e-9);
    Straight->GetFlowRatios(S, None, None, Common, None, Ratios);
    ExpectValues(Ratios, {0.8});
}

TFittingSource JunctionTable()
{
    TFittingSource S = PlaneSource("TDuctFitDbDcQbQc", {"s", "b", "c"});
    S.CMin = 0.2;
    S.CMax = 1.5;
    S.XAxis = {0.2, 0.4, 0.6, 0.8};
    S.YAxis = {0.2, 0.5, 0.8};
    S.Table = {{0.9, 1.2, 1.6, 2.1}, {0.6, 0.7, 0.9, 1.1}, {0.5, 0.55, 0.6, 0.7}};
    S.AxisNames = {"Ab/Ac"};
    S.AxisScales = {st_lin};
    S.AxisDefaults = {-1};
    return S;
}

TEST(FittingFamilies2D, JunctionRangesAndClampingBeyondTheFlowAxis)
{
    const auto F = MakeFitting(JunctionTable());
    TFloatVec Mins, Maxs;
    F->GetAxisRanges(Mins, Maxs);
    ExpectValues(Mins, {0.2});
    ExpectValues(Maxs, {0.8});
    double Min = 0, Max = 0;
    F->GetFlowRatioRange(Min, Max);
    EXPECT_DOUBLE_EQ(Min, 0.2);
    EXPECT_DOUBLE_EQ(Max, 0.8);
    TFloatVec Mid;
    F->GetMidAxisValues(Mid);
    ExpectValues(Mid, {0.5});

    // Grid point (0.4, 0.5) returns its cell.
    const TDuctSection C = RoundSection(400, 1.0);
    EXPECT_DOUBLE_EQ(F->GetCoefficientAt(None, RoundSection(200, 0.4), None, C, None, {0.5}), 0.7);
    EXPECT_FALSE(RangeFlag);
    // Qb/Qc = 0.84 is 20 % of the end segment beyond 0.8: flagged, and the
    // extrapolated 2.2 on the first row is clamped to CMax.
    EXPECT_DOUBLE_EQ(F->GetCoefficientAt(None, RoundSection(200, 0.84), None, C, None, {0.2}), 1.5);
    EXPECT_TRUE(RangeFlag);
    // 5 % beyond: extrapolated, neither flagged nor clamped.
    EXPECT_NEAR(F->GetCoefficientAt(None, RoundSection(200, 0.81), None, C, None, {0.2}), 2.125, 1e-12);
    EXPECT_FALSE(RangeFlag);
}

TEST(FittingFamilies2D, RootRangesMidValuesAndGridPoints)
{
    TFittingSource S = PlaneSource("TDuctFitAngleHW");
    S.XAxis = {90, 60, 30};
    S.YAxis = {0.5, 1, 2, 4};
    S.Table = {{1.3, 0.6, 0.2}, {1.2, 0.55, 0.16}, {1.1, 0.5, 0.15}, {0.9, 0.4, 0.13}};
    const auto F = MakeFitting(S);
    TFloatVec Mins, Maxs;
    F->GetAxisRanges(Mins, Maxs);
    ExpectValues(Mins, {90, 0.5});  // a descending axis keeps its order
    ExpectValues(Maxs, {30, 4});
    TFloatVec Mid;
    F->GetMidAxisValues(Mid);
    ExpectValues(Mid, {60, 2});
    F->GetFlowRatios(None, None, None, None, None, Mid);  // the base: middle entries
    ExpectValues(Mid, {60, 2});
    double Min = 1, Max = 1;
    F->GetFlowRatioRange(Min, Max);
    EXPECT_EQ(Min, 0);
    EXPECT_EQ(Max, 0);

    EXPECT_DOUBLE_EQ(F->GetCoefficientAt(None, None, None, None, None, {60, 2}), 0.5);
    EXPECT_EQ(F->LastInputs, (TFloatVec{60, 2}));
    // Through the sections: 45 degrees on a 600 x 300 duct, between the
    // 60 and 30 degree columns of the H/W = 2 row.
    EXPECT_NEAR(F->GetCoefficient(RectSection(600, 300), None, None, None, None, {45}), 0.325, 1e-12);
}

} // namespace
