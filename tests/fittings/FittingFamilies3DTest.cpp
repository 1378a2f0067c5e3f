// Walks every leaf of the three-dimensional families with hand-built
// sections: sections -> axis values [x, z, y] -> coefficient, and the axis
// values and flow ratios the sections determine. The expected values are
// worked out by hand from the sizes below.

#include "FamilyTestData.h"

#include "fittings/DuctFit3Dim.h"
#include "fittings/DuctFit3DimJunction.h"

#include <gtest/gtest.h>

namespace {

const TDuctSection None;
constexpr double Tol = 1e-9;

// A 3-D fitting whose coefficient is x + 10 z + 100 y, exactly, anywhere
// inside its wide axes: interpolation is exact on a linear table. The two
// slices have Y axes of different lengths, as stored fittings may.
TFittingSource SpaceSource(const std::string& ClassName, TStringVec PathNames = {})
{
    TFittingSource S;
    S.ClassName = ClassName;
    S.Code = "CD5-1";
    S.Name = ClassName;
    S.CMin = -1e9;
    S.CMax = 1e9;
    S.PathNames = std::move(PathNames);
    S.XAxis = {-1000, 1000};
    S.ZAxis = {-1000, 1000};
    S.YAxes = {{-1000, 1000}, {-1000, 0, 1000}};
    for (std::size_t k = 0; k < S.ZAxis.size(); ++k) {
        TFloatMat Slice;
        for (double Y : S.YAxes[k])
            Slice.push_back({-1000 + 10 * S.ZAxis[k] + 100 * Y, 1000 + 10 * S.ZAxis[k] + 100 * Y});
        S.Tables.push_back(Slice);
    }
    return S;
}

double SpaceValue(double X, double Z, double Y)
{
    return X + 10 * Z + 100 * Y;
}

// Reynolds number of standard air in thousands, worked out independently.
double ReThousands(double VelocityMs, double DiameterMm)
{
    return 1.2 * VelocityMs * DiameterMm / 1000.0 / 1.8114e-5 / 1000.0;
}

void ExpectLookup(TDuctFitting& F, double C, double X, double Z, double Y, const std::string& What)
{
    SCOPED_TRACE(What);
    EXPECT_FALSE(RangeFlag);
    ASSERT_EQ(F.LastInputs.size(), 3u);
    EXPECT_NEAR(F.LastInputs[0], X, Tol * (1 + std::abs(X)));
    EXPECT_NEAR(F.LastInputs[1], Z, Tol * (1 + std::abs(Z)));
    EXPECT_NEAR(F.LastInputs[2], Y, Tol * (1 + std::abs(Y)));
    EXPECT_NEAR(C, SpaceValue(X, Z, Y), 1e-6 * (1 + std::abs(C)));
}

struct TCase {
    const char* Class;
    TFloatVec Inputs;
    TDuctSection S, B, B2, C, Second;
    double X, Z, Y;
    TFloatVec Velocity;  // CalcVelocityRatios
};

// 0.8 m3/s through 400 x 500 is 4 m/s; 1.0 m3/s through 500 x 500 likewise.
const double A400 = QuarterPi * 400 * 400;

const std::vector<TCase>& GeometricCases()
{
    static const std::vector<TCase> Cases = {
        // Round 400 first link, 400 x 500 second; L = 800, angle 30.
        {"TDuctFitH1W1D0LA", {800, 30}, RoundSection(400), None, None, None, RectSection(400, 500), 30,
         A400 / 200000, 2.0, {-1, A400 / 200000, -1}},
        {"TDuctFitH0W0D1LA", {800, 30}, RectSection(400, 500), None, None, None, RoundSection(400), 30,
         200000 / A400, 2.0, {-1, 200000 / A400, -1}},
        // A 50 mm bar across 400 x 500 at 100 mm from the wall, 4 m/s.
        {"TDuctFitHWdyQ", {50, 100}, RectSection(400, 500, 0.8), None, None, None, None, 0.125, 0.25,
         ReThousands(4, 50), {-1, -1, -1}},
        // A 50 mm bar, 400 mm long, in a 400 mm duct at 200 mm; 1 m3/s.
        {"TDuctFitDdyLQ", {50, 200, 400}, RoundSection(400, 1.0), None, None, None, None, 20000 / A400, 0.5,
         ReThousands(1e6 / A400, 50), {-1, -1, -1}},
        // 400 x 400 (Dh 400) to 200 x 400, L = 600.
        {"TDuctFitH0W0H1W1LA", {600, 45}, RectSection(400, 400), None, None, None, RectSection(200, 400), 45,
         2.0, 1.5, {-1, 2.0, -1}},
        // 400 x 400 at 1.0 m3/s (6.25 m/s) to H1 = 200, W = 400; the
        // section's own D field feeds its velocity ratio.
        {"TDuctFitH0H1WAQ", {200, 400, 60}, [] { auto S = RectSection(400, 400, 1.0); S.D = 437.4; return S; }(),
         None, None, None, None, 60, 0.5, ReThousands(6.25, 400), {-1, -1, ReThousands(6.25, 437.4)}},
        // 400 x 600 (Dh 480) at 1.2 m3/s (5 m/s) to 300 x 400.
        {"TDuctFitH0W0H1W1AQ", {300, 400, 20}, RectSection(400, 600, 1.2), None, None, None, None, 20, 0.5,
         ReThousands(5, 480), {-1, -1, 0}},
        // V = 2 m/s over 4 m/s in 400 x 500; input A = 30.
        {"TDuctFitVQHWA", {2, 30}, RectSection(400, 500, 0.8), None, None, None, None, 0.5, 0.8, 30,
         {-1, 0.8, -1}},
    };
    return Cases;
}

TEST(DuctFit3Dim, EveryGeometricLeafTurnsSectionsIntoItsAxisValues)
{
    for (const TCase& Case : GeometricCases()) {
        SCOPED_TRACE(Case.Class);
        const auto F = MakeFitting(SpaceSource(Case.Class));
        const double C = F->GetCoefficient(Case.S, Case.B, Case.B2, Case.C, Case.Second, Case.Inputs);
        ExpectLookup(*F, C, Case.X, Case.Z, Case.Y, "sections");
        TFloatVec Ratios;
        F->GetVelocityRatios(Case.S, Case.B, Case.B2, Case.C, Case.Second, Ratios);
        ASSERT_EQ(Ratios.size(), Case.Velocity.size());
        for (std::size_t i = 0; i < Ratios.size(); ++i)
            EXPECT_NEAR(Ratios[i], Case.Velocity[i], 1e-6 * (1 + std::abs(Case.Velocity[i])));
        // Stored axis values are looked up as given; sections play no part.
        const double At = F->GetCoefficientAt(None, None, None, None, None, {1, 2, 3});
        ExpectLookup(*F, At, 1, 2, 3, "stored axis values");
    }
}

TEST(DuctFit3Dim, BadSectionsAndShortInputsGiveZeroWithTheWarning)
{
    for (const TCase& Case : GeometricCases()) {
        SCOPED_TRACE(Case.Class);
        const auto F = MakeFitting(SpaceSource(Case.Class));
        TFloatVec Short = Case.Inputs;
        Short.pop_back();
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficient(Case.S, Case.B, Case.B2, Case.C, Case.Second, Short), 0.0);
        EXPECT_TRUE(RangeFlag);
        // Every leaf divides by a size that a missing section leaves 0.
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficient(None, None, None, None, None, Case.Inputs), 0.0);
        EXPECT_TRUE(RangeFlag);
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficientAt(None, None, None, None, None, {1, 2}), 0.0);
        EXPECT_TRUE(RangeFlag);
        // The velocity ratios never fail: a missing section gives 0.
        TFloatVec Ratios;
        F->GetVelocityRatios(None, None, None, None, None, Ratios);
        EXPECT_EQ(Ratios.size(), 3u);
    }
    const auto H1W1 = MakeFitting(SpaceSource("TDuctFitH1W1D0LA"));
    TFloatVec Ratios;
    H1W1->GetVelocityRatios(RoundSection(400), None, None, None, None, Ratios);
    EXPECT_EQ(Ratios, (TFloatVec{-1, 0, -1}));
}

TEST(DuctFit3Dim, ZeroFlowInTheVelocityRatioLeafFails)
{
    // VQHWA divides by the duct velocity; a still duct has none.
    const auto F = MakeFitting(SpaceSource("TDuctFitVQHWA"));
    RangeFlag = false;
    EXPECT_EQ(F->GetCoefficient(RectSection(400, 500, 0.0), None, None, None, None, {2, 30}), 0.0);
    EXPECT_TRUE(RangeFlag);
}

TFittingSource SlicedSource()
{
    // Slice 0: rows 0.2, 0.4, 0.6; slice 1: rows 0.1, 0.4, 0.8.
    TFittingSource S = SpaceSource("TDuctFitH1W1D0LA");
    S.XAxis = {10, 20, 30};
    S.ZAxis = {0.5, 1.0};
    S.YAxes = {{0.2, 0.4, 0.6}, {0.1, 0.4, 0.8}};
    S.Tables = {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {{11, 12, 13}, {14, 15, 16}, {17, 18, 19}}};
    return S;
}

TEST(DuctFit3Dim, MiddleValuesRangesAndGridPoints)
{
    const auto F = MakeFitting(SlicedSource());
    TFloatVec Mid, Mins, Maxs;
    F->GetMidAxisValues(Mid);
    EXPECT_EQ(Mid, (TFloatVec{20, 0.5, 0.4}));  // Y from the first slice alone
    F->GetAxisRanges(Mins, Maxs);
    EXPECT_EQ(Mins, (TFloatVec{10, 0.5, 0.1}));
    EXPECT_EQ(Maxs, (TFloatVec{30, 1.0, 0.8}));
    // A grid point of slice 1 returns its cell.
    EXPECT_DOUBLE_EQ(F->GetCoefficientAt(None, None, None, None, None, {30, 1.0, 0.8}), 19);
    EXPECT_FALSE(RangeFlag);
    // Halfway between the slices at a grid point of both.
    EXPECT_DOUBLE_EQ(F->GetCoefficientAt(None, None, None, None, None, {20, 0.75, 0.4}), 10);
    // Z far beyond its axis extrapolates without warning; Y far beyond warns
    // and the coefficient is clamped.
    EXPECT_DOUBLE_EQ(F->GetCoefficientAt(None, None, None, None, None, {20, 1.5, 0.4}), 25);
    EXPECT_FALSE(RangeFlag);
    TFittingSource Narrow = SlicedSource();
    Narrow.CMax = 20;
    const auto G = MakeFitting(Narrow);
    EXPECT_DOUBLE_EQ(G->GetCoefficientAt(None, None, None, None, None, {20, 1.0, 2.0}), 20);
    EXPECT_TRUE(RangeFlag);
}

TEST(DuctFit3Dim, ReaderRefusesTablesThatDoNotFitTheirAxes)
{
    TFittingSource S = SlicedSource();
    S.YAxes.pop_back();  // one Y axis for two slices
    EXPECT_THROW(MakeFitting(S), EStreamError);
    S = SlicedSource();
    S.Tables[1].pop_back();  // a row short
    EXPECT_THROW(MakeFitting(S), EStreamError);
    S = SlicedSource();
    S.Tables[0][2].push_back(1);  // a column too many
    EXPECT_THROW(MakeFitting(S), EStreamError);
    S = SlicedSource();
    S.ZAxis = {1};
    S.YAxes.resize(1);
    S.Tables.resize(1);
    EXPECT_THROW(MakeFitting(S), EStreamError);
}

// Junctions: sections of a tee, a wye and a cross. Every value comes from the
// sections; the stored axis values of a link are [z, y] or [z].
struct TJunctionCase {
    const char* Class;
    TDuctSection S, B, B2, C;
    double X, Z, Y;
    TFloatVec Velocity;
    TFloatVec Flows;
    TFloatVec Stored;  // stored axis values for CalcCAt: x from the sections, then these
};

const std::vector<TJunctionCase>& JunctionCases()
{
    // Round tee: straight 400 (0.75), branch 200 (0.25), common 400 (1.0).
    const TDuctSection Ts = RoundSection(400, 0.75), Tb = RoundSection(200, 0.25), Tc = RoundSection(400, 1.0);
    // Rectangular tee 300 high: straight 400 wide, branch 200, common 800.
    const TDuctSection Rs = RectSection(300, 400, 0.6), Rb = RectSection(300, 200, 0.2),
                       Rc = RectSection(300, 800, 0.8);
    // Crosses: branches of 0.2 and 0.3 off a common flow of 1.0, 0.5 straight.
    const TDuctSection Xs = RoundSection(400, 0.5), Xb = RoundSection(200, 0.2), Xb2 = RoundSection(200, 0.3),
                       Xc = RoundSection(400, 1.0);
    const TDuctSection Ys = RectSection(300, 600, 0.5), Yb = RectSection(300, 300, 0.2),
                       Yb2 = RectSection(300, 300, 0.3), Yc = RectSection(300, 600, 1.0);
    static const std::vector<TJunctionCase> Cases = {
        {"TDuctFitDsDcDbQbQc", Ts, Tb, None, Tc, 0.25, 1.0, 0.25, {1.0, 0.25}, {0.75, 0.25}, {0.5, 0.6}},
        {"TDuctFitDsDcDbQsQc", Ts, Tb, None, Tc, 0.75, 1.0, 0.25, {1.0, 0.25}, {0.75, 0.25}, {0.5, 0.6}},
        // Straight 300, branch 200 (0.2) off a common 400 (0.8).
        {"TDuctFitDsDb1DcQb1Qc", RoundSection(300, 0.6), RoundSection(200, 0.2), None, RoundSection(400, 0.8),
         0.25, 0.5625, 0.25, {0.5625, 0.25}, {0.75, 0.25}, {0.5, 0.6}},
        // Wye: branches 200 (0.3) and 300 (0.5) off a common 400 (0.8).
        {"TDuctFitDb1Db2DcQb1Qc", None, RoundSection(200, 0.3), RoundSection(300, 0.5), RoundSection(400, 0.8),
         0.375, 0.25, 0.5625, {0.25, 0.5625}, {0.375, 0.625}, {0.5, 0.6}},
        {"TDuctFitDb1Db2DcQb2Qc", None, RoundSection(200, 0.3), RoundSection(300, 0.5), RoundSection(400, 0.8),
         0.625, 0.25, 0.5625, {0.25, 0.5625}, {0.375, 0.625}, {0.5, 0.6}},
        {"TDuctFitHWbWcWsQbQc", Rs, Rb, None, Rc, 0.25, 0.5, 0.25, {0.5, 0.25}, {0.75, 0.25}, {0.5, 0.6}},
        {"TDuctFitHWbWcWsQsQc", Rs, Rb, None, Rc, 0.75, 0.5, 0.25, {0.5, 0.25}, {0.75, 0.25}, {0.5, 0.6}},
        {"TDuctFitHWWbQb1Qb2Qc", Ys, Yb, Yb2, Yc, 0.2, 0.5, 1.5, {0.5}, {0.2}, {0.5}},
        {"TDuctFitHWWbQb1Qb2QcQs", Ys, Yb, Yb2, Yc, 0.5, 0.5, 1.5, {0.5}, {0.2}, {0.5}},
        {"TDuctFitDcDbQb1Qb2Qc", Xs, Xb, Xb2, Xc, 0.2, 0.25, 1.5, {0.25}, {0.2}, {0.5}},
        {"TDuctFitDcDbQb1Qb2QcQs", Xs, Xb, Xb2, Xc, 0.5, 0.25, 1.5, {0.25}, {0.2}, {0.5}},
    };
    return Cases;
}

void ExpectNearAll(const TFloatVec& Actual, const TFloatVec& Expected, const char* What)
{
    SCOPED_TRACE(What);
    ASSERT_EQ(Actual.size(), Expected.size());
    for (std::size_t i = 0; i < Actual.size(); ++i)
        EXPECT_NEAR(Actual[i], Expected[i], Tol);
}

TEST(DuctFit3DimJunction, EveryLeafTakesItsFlowAndAreaRatiosFromTheSections)
{
    for (const TJunctionCase& Case : JunctionCases()) {
        SCOPED_TRACE(Case.Class);
        const auto F = MakeFitting(SpaceSource(Case.Class, {"c", "s", "b"}));
        const double C = F->GetCoefficient(Case.S, Case.B, Case.B2, Case.C, None, {});
        ExpectLookup(*F, C, Case.X, Case.Z, Case.Y, "sections");
        EXPECT_NEAR(F->FlowRatio(Case.S, Case.B, Case.B2, Case.C, None), Case.X, Tol);
        TFloatVec Ratios;
        F->GetVelocityRatios(Case.S, Case.B, Case.B2, Case.C, None, Ratios);
        ExpectNearAll(Ratios, Case.Velocity, "velocity ratios");
        F->GetFlowRatios(Case.S, Case.B, Case.B2, Case.C, None, Ratios);
        ExpectNearAll(Ratios, Case.Flows, "flow ratios");

        // Stored axis values: the flow ratio still comes from the sections,
        // and so does the second flow ratio of the crosses.
        const double At = F->GetCoefficientAt(Case.S, Case.B, Case.B2, Case.C, None, Case.Stored);
        const bool Cross = Case.Stored.size() == 1;
        ExpectLookup(*F, At, Case.X, Case.Stored[0], Cross ? Case.Y : Case.Stored[1], "stored axis values");
        EXPECT_NEAR(F->FlowRatio2(Case.S, Case.B, Case.B2, Case.C, None), Cross ? Case.Y : 0.0, Tol);
    }
}

TEST(DuctFit3DimJunction, ZeroCommonFlowAndShortValuesGiveZeroWithTheWarning)
{
    for (const TJunctionCase& Case : JunctionCases()) {
        SCOPED_TRACE(Case.Class);
        const auto F = MakeFitting(SpaceSource(Case.Class, {"c", "s", "b"}));
        TDuctSection Still = Case.C;
        Still.Q = 0;
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficient(Case.S, Case.B, Case.B2, Still, None, {}), 0.0);
        EXPECT_TRUE(RangeFlag);
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficientAt(Case.S, Case.B, Case.B2, Still, None, Case.Stored), 0.0);
        EXPECT_TRUE(RangeFlag);
        TFloatVec Ratios{1};
        F->GetFlowRatios(Case.S, Case.B, Case.B2, Still, None, Ratios);
        EXPECT_TRUE(Ratios.empty());
        // Too few stored axis values, and a record read with nothing at all.
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficientAt(Case.S, Case.B, Case.B2, Case.C, None, {}), 0.0);
        EXPECT_TRUE(RangeFlag);
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficient(None, None, None, None, None, {}), 0.0);
        EXPECT_TRUE(RangeFlag);
        // The velocity ratios of missing sections are zeros, never a failure.
        F->GetVelocityRatios(None, None, None, None, None, Ratios);
        EXPECT_EQ(Ratios, TFloatVec(Case.Velocity.size(), 0.0));
    }
    // A cross whose evaluated branch carries no flow cannot form Qb2 / Qb.
    const auto Cross = MakeFitting(SpaceSource("TDuctFitDcDbQb1Qb2Qc"));
    RangeFlag = false;
    EXPECT_EQ(Cross->GetCoefficientAt(None, RoundSection(200, 0), RoundSection(200, 0.3), RoundSection(400, 1), None,
                                      {0.5}),
              0.0);
    EXPECT_TRUE(RangeFlag);
}

TEST(DuctFit3DimJunction, MiddleValuesAndRangesOfBothFamilies)
{
    // Y axes of 3, 5 and 5 entries: the second slice's, the first long one.
    TFittingSource S = SpaceSource("TDuctFitDsDcDbQbQc");
    S.XAxis = {0.8, 0.5, 0.2};  // descending flow ratios
    S.ZAxis = {0.5, 0.75, 1.0};
    S.YAxes = {{0.2, 0.4, 0.6}, {0.1, 0.2, 0.3, 0.4, 0.5}, {0.15, 0.25, 0.35, 0.45, 0.9}};
    S.Tables.clear();
    for (const TFloatVec& Y : S.YAxes)
        S.Tables.push_back(TFloatMat(Y.size(), TFloatVec(3, 1.0)));
    const auto Top = MakeFitting(S);
    TFloatVec Mid, Mins, Maxs;
    Top->GetMidAxisValues(Mid);
    EXPECT_EQ(Mid, (TFloatVec{0.75, 0.3}));
    Top->GetAxisRanges(Mins, Maxs);
    EXPECT_EQ(Mins, (TFloatVec{0.5, 0.1}));
    EXPECT_EQ(Maxs, (TFloatVec{1.0, 0.9}));
    double Min = 0, Max = 0;
    Top->GetFlowRatioRange(Min, Max);
    EXPECT_EQ(Min, 0.8);
    EXPECT_EQ(Max, 0.2);

    S.ClassName = "TDuctFitDcDbQb1Qb2QcQs";
    const auto Inside = MakeFitting(S);
    Inside->GetMidAxisValues(Mid);
    EXPECT_EQ(Mid, TFloatVec{0.75});
    Inside->GetAxisRanges(Mins, Maxs);
    EXPECT_EQ(Mins, TFloatVec{0.5});
    EXPECT_EQ(Maxs, TFloatVec{1.0});
    Inside->GetFlowRatioRange(Min, Max);
    EXPECT_EQ(Min, 0.8);
    EXPECT_EQ(Max, 0.2);
}

TEST(DuctFit3DimJunction, EveryClassIsCreatedByItsStoredNameAndNoRootIs)
{
    for (const TCase& Case : GeometricCases())
        EXPECT_NE(FindFittingClass(Case.Class), nullptr) << Case.Class;
    for (const TJunctionCase& Case : JunctionCases()) {
        const TFittingClass* Class = FindFittingClass(Case.Class);
        ASSERT_NE(Class, nullptr) << Case.Class;
        EXPECT_EQ(Class->Layout, fl3Dim);
    }
    for (const char* Root : {"TDuctFit3Dim", "TDuctFit3DimFlowRatioTop", "TDuctFit3DimFlowRatioTopQbQc",
                             "TDuctFit3DimFlowRatioTopAndInsideLeft",
                             "TDuctFit3DimFlowRatioTopAndInsideLeftAbAcRInfo", "TDuctFit2Dim1Dim"})
        EXPECT_EQ(FindFittingClass(Root), nullptr) << Root;
}

} // namespace
