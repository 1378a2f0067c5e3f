// Walks every leaf of the one-dimensional family with hand-built sections:
// sections -> axis value -> coefficient, and the axis value the sections
// determine. The expected values are worked out by hand from the sizes below.

#include "FamilyTestData.h"

#include "fittings/DuctFit1Dim.h"
#include "fittings/DuctFitConst.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <typeinfo>

namespace {

const TDuctSection None;

struct TLeafCase {
    const char* Class;
    TFloatVec Inputs;
    TDuctSection S, B, C;
    double X;
    TFloatVec Ratios;  // CalcVelocityRatios
};

// sqrt(pi/4 x 1000^2) / 350: the effective duct length of a 1000 mm outlet
// below 13 m/s.
const double LrefD1000 = std::sqrt(785398.1633974483) / 350.0;

const std::vector<TLeafCase>& Cases()
{
    static const std::vector<TLeafCase> List = {
        {"TDuctFitD", {}, RoundSection(250), None, None, 250, {-1}},
        {"TDuctFitL", {3}, None, None, None, 3, {-1}},
        {"TDuctFitAngle", {45}, None, None, None, 45, {-1}},
        {"TDuctFitrD", {150}, RoundSection(300), None, None, 0.5, {-1}},
        {"TDuctFitDorD", {150}, RoundSection(200), None, None, 0.75, {-1}},
        {"TDuctFithD", {100}, RoundSection(400), None, None, 0.25, {-1}},
        {"TDuctFitAbAo", {0.35, 1.0}, None, None, None, 0.35, {-1}},
        {"TDuctFitDeD", {300}, RoundSection(200), None, None, 1.5, {-1}},
        {"TDuctFitLD0", {600, 200}, None, None, None, 3.0, {-1}},
        {"TDuctFitLD", {50}, RoundSection(500), None, None, 0.1, {-1}},
        {"TDuctFitLH", {900}, RectSection(300, 800), None, None, 3.0, {-1}},
        {"TDuctFitHW", {}, RectSection(300, 600), None, None, 0.5, {0.5}},
        {"TDuctFitQbQc", {}, None, RoundSection(200, 0.3), RoundSection(400, 1.2), 0.25, {}},
        {"TDuctFitQsQc", {}, RoundSection(300, 0.9), None, RoundSection(400, 1.2), 0.75, {}},
        {"TDuctFitDbDc", {}, None, RoundSection(200), RoundSection(400), 0.25, {0.25}},
        // 2 m3/s in a 1000 mm duct is 2.55 m/s: the low-velocity form.
        {"TDuctFitLmDQ", {}, RoundSection(1000, 2.0, 2.0 * LrefD1000), None, None, 2.0, {2.0}},
        {"TDuctFitHWbWc", {}, None, RectSection(300, 200), RectSection(300, 800), 0.25, {0.25}},
        // De of 200 x 600 is 300.
        {"TDuctFitH0W0L", {900}, RectSection(200, 600), None, None, 3.0, {-1}},
    };
    return List;
}

TEST(FittingFamilies1D, EveryLeafTurnsSectionsIntoItsAxisValue)
{
    for (const TLeafCase& Case : Cases()) {
        SCOPED_TRACE(Case.Class);
        const auto F = MakeFitting(IdentitySource(Case.Class));
        EXPECT_NEAR(F->GetCoefficient(Case.S, Case.B, None, Case.C, None, Case.Inputs), Case.X, 1e-9);
        ASSERT_EQ(F->LastInputs.size(), 1u);
        EXPECT_NEAR(F->LastInputs[0], Case.X, 1e-9);
        TFloatVec Ratios = {99};
        F->GetVelocityRatios(Case.S, Case.B, None, Case.C, None, Ratios);
        ASSERT_EQ(Ratios.size(), Case.Ratios.size());
        for (std::size_t i = 0; i < Ratios.size(); ++i)
            EXPECT_NEAR(Ratios[i], Case.Ratios[i], 1e-9);
    }
}

TEST(FittingFamilies1D, EveryOneDimensionalClassIsWalkedAndCreatesItsOwnClass)
{
    std::set<std::string> Walked;
    for (const TLeafCase& Case : Cases())
        Walked.insert(Case.Class);
    int Rows = 0;
    for (const TFittingClass& Class : FittingClasses()) {
        if (Class.Layout != fl1Dim)
            continue;
        ++Rows;
        SCOPED_TRACE(Class.Name);
        EXPECT_TRUE(Walked.count(Class.Name));
        const auto F = MakeFitting(IdentitySource(Class.Name));
        const TDuctFitting& Object = *F;
        const std::string Name = Class.Name;
        EXPECT_EQ(typeid(Object).name(), std::to_string(Name.size()) + Name);
        EXPECT_NE(dynamic_cast<const TDuctFit1Dim*>(F.get()), nullptr);
    }
    EXPECT_EQ(Rows, 18);
    EXPECT_EQ(Walked.size(), 18u);
    EXPECT_NE(FindFittingClass("tductfitconst"), nullptr);
}

TEST(FittingFamilies1D, ReferenceLengthAboveAndBelow13MetresPerSecond)
{
    const auto F = MakeFitting(IdentitySource("TDuctFitLmDQ"));
    // 0.2 pi m3/s in a 200 mm duct: 20 m/s, Lref = sqrt(10000 pi) 20 / 4500.
    const double Lref = std::sqrt(10000.0 * 3.141592653589793) * 20.0 / 4500.0;
    const TDuctSection Fast = RoundSection(200, 0.2 * 3.141592653589793, 3.0 * Lref);
    EXPECT_NEAR(F->GetCoefficient(Fast, None, None, None, None, {}), 3.0, 1e-9);
    TFloatVec Ratios;
    F->GetVelocityRatios(Fast, None, None, None, None, Ratios);
    ASSERT_EQ(Ratios.size(), 1u);
    EXPECT_NEAR(Ratios[0], 3.0, 1e-9);
    // A missing section gives 0, never an exception.
    F->GetVelocityRatios(None, None, None, None, None, Ratios);
    EXPECT_EQ(Ratios, TFloatVec{0});
    // No duct at all: the calculation fails, not the program.
    RangeFlag = false;
    EXPECT_EQ(F->GetCoefficient(None, None, None, None, None, {}), 0.0);
    EXPECT_TRUE(RangeFlag);
}

TEST(FittingFamilies1D, DiameterFittingLooksUpTheSectionEvenAtStoredValues)
{
    const auto F = MakeFitting(OneDimSource("TDuctFitD", "CD3-9", {100, 200, 400}, {0.6, 0.4, 0.3}, 0.3, 0.6));
    EXPECT_DOUBLE_EQ(F->GetCoefficientAt(RoundSection(200), None, None, None, None, {400}), 0.4);
    EXPECT_EQ(F->LastInputs, TFloatVec{200});
    EXPECT_DOUBLE_EQ(F->GetCoefficientAt(RoundSection(300), None, None, None, None, {}), 0.35);
}

TEST(FittingFamilies1D, FlowRatioLeavesIgnoreStoredValuesAndHaveNoGeometricAxis)
{
    const auto F = MakeFitting(OneDimSource("TDuctFitQbQc", "SD5-9-b", {0.2, 0.5, 0.8}, {4.0, 1.0, 0.5}, 0.5, 4.0));
    const TDuctSection B = RoundSection(200, 0.35);
    const TDuctSection C = RoundSection(400, 1.0);
    EXPECT_NEAR(F->GetCoefficientAt(None, B, None, C, None, {0.8}), 2.5, 1e-12);
    EXPECT_NEAR(F->LastInputs.at(0), 0.35, 1e-12);
    EXPECT_NEAR(F->FlowRatio(None, B, None, C, None), 0.35, 1e-12);

    TFloatVec Values = {1};
    F->GetVelocityRatios(None, B, None, C, None, Values);
    EXPECT_TRUE(Values.empty());
    Values = {1};
    F->GetFlowRatios(None, B, None, C, None, Values);
    EXPECT_TRUE(Values.empty());
    Values = {1};
    F->GetMidAxisValues(Values);
    EXPECT_TRUE(Values.empty());
    TFloatVec Mins = {1}, Maxs = {1};
    F->GetAxisRanges(Mins, Maxs);
    EXPECT_TRUE(Mins.empty());
    EXPECT_TRUE(Maxs.empty());
    double Min = 0, Max = 0;
    F->GetFlowRatioRange(Min, Max);
    EXPECT_DOUBLE_EQ(Min, 0.2);
    EXPECT_DOUBLE_EQ(Max, 0.8);

    const auto Straight = MakeFitting(OneDimSource("TDuctFitQsQc", "SD5-9-s", {0.2, 0.5, 0.8}, {0.3, 0.1, 0.0}, 0, 0.3));
    EXPECT_NEAR(Straight->GetCoefficientAt(RoundSection(300, 0.65), B, None, C, None, {}), 0.05, 1e-12);
}

TEST(FittingFamilies1D, JunctionsWithoutCommonFlowGiveZeroWithTheWarning)
{
    for (const char* Class : {"TDuctFitQbQc", "TDuctFitQsQc"}) {
        SCOPED_TRACE(Class);
        const auto F = MakeFitting(IdentitySource(Class));
        const TDuctSection Flowing = RoundSection(200, 0.3);
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficient(Flowing, Flowing, None, RoundSection(400, 0.0), None, {}), 0.0);
        EXPECT_TRUE(RangeFlag);
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficientAt(Flowing, Flowing, None, None, None, {0.5}), 0.0);
        EXPECT_TRUE(RangeFlag);
        EXPECT_THROW(F->FlowRatio(Flowing, Flowing, None, None, None), EFittingCalcError);
    }
}

TEST(FittingFamilies1D, ZeroDivisorsAndShortInputsGiveZeroWithTheWarning)
{
    struct TBad {
        const char* Class;
        TFloatVec Inputs;
        TDuctSection S, B, C;
    };
    const std::vector<TBad> Bad = {
        {"TDuctFitL", {}, None, None, None},
        {"TDuctFitAngle", {}, None, None, None},
        {"TDuctFitDorD", {150}, None, None, None},
        {"TDuctFitAbAo", {0.5}, None, None, None},
        {"TDuctFitLD0", {600, 0}, None, None, None},
        {"TDuctFitLH", {900}, RectSection(0, 300), None, None},
        {"TDuctFitHW", {}, RectSection(300, 0), None, None},
        {"TDuctFitDbDc", {}, None, RoundSection(200), None},
        {"TDuctFitHWbWc", {}, None, RectSection(0, 200), RectSection(0, 800)},
        {"TDuctFitH0W0L", {}, RectSection(200, 600), None, None},
        {"TDuctFitH0W0L", {900}, RectSection(0, 0), None, None},
    };
    for (const TBad& Case : Bad) {
        SCOPED_TRACE(Case.Class);
        const auto F = MakeFitting(IdentitySource(Case.Class));
        RangeFlag = false;
        EXPECT_EQ(F->GetCoefficient(Case.S, Case.B, None, Case.C, None, Case.Inputs), 0.0);
        EXPECT_TRUE(RangeFlag);
    }
    const auto F = MakeFitting(IdentitySource("TDuctFitH0W0L"));
    EXPECT_THROW(F->CalcC({200, 600}), EFittingCalcError);
    EXPECT_NEAR(F->CalcC({200, 600, 900}), 3.0, 1e-12);
}

} // namespace
