#include "FamilyTestData.h"

#include "fittings/DuctFit1Dim.h"
#include "fittings/DuctFitConst.h"
#include "fittings/FittingLists.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// r/D table of a smooth elbow: 0.5 -> 1.2 ... 2.0 -> 0.2.
TFittingSource ElbowSource()
{
    TFittingSource S = OneDimSource("TDuctFitrD", "CD3-1", {0.5, 1.0, 1.5, 2.0}, {1.2, 0.4, 0.3, 0.2}, 0.25, 1.0);
    S.InputNames = {"r"};
    S.InputDefaults = {300};
    return S;
}

// A fitting that only reads the common fields, to reach the lookups that the
// families share.
class TProbeFitting : public TDuctFitting {
public:
    using TDuctFitting::Interp2D;
    using TDuctFitting::TDuctFitting;
    double CalcC(const TFloatVec&) override { return 0; }
    double CalcCForSections(const TDuctSection&, const TDuctSection&, const TDuctSection&, const TDuctSection&,
                            const TDuctSection&, const TFloatVec&) override
    {
        return 0;
    }
    double CalcCAt(const TDuctSection&, const TDuctSection&, const TDuctSection&, const TDuctSection&,
                   const TDuctSection&, const TFloatVec&) override
    {
        return 0;
    }
};

TEST(DuctFitting, ReaderConstructorReadsEveryCommonField)
{
    TFittingSource S = ElbowSource();
    S.Name = "Elbow, smooth radius";
    S.AuxList1 = {"a1"};
    S.AuxList2 = {"a2", "b2"};
    S.PathNames = {"s", "b"};
    S.AxisScales = {st_log};
    S.AxisDefaults = {1.5};
    S.LabelBefore = "Before";
    S.LabelAfter = "After";
    const auto F = MakeFitting(S);
    EXPECT_EQ(F->Code, "CD3-1");
    EXPECT_EQ(F->Name, "Elbow, smooth radius");
    EXPECT_EQ(F->InputNames, TStringVec{"r"});
    EXPECT_EQ(F->AuxList1, TStringVec{"a1"});
    EXPECT_EQ(F->InputDefaults, TFloatVec{300});
    EXPECT_EQ(F->AuxList2, (TStringVec{"a2", "b2"}));
    EXPECT_EQ(F->PathNames, (TStringVec{"s", "b"}));
    EXPECT_EQ(F->AxisNames, TStringVec{"x"});
    EXPECT_EQ(F->AxisScales, TScaleVec{st_log});
    EXPECT_EQ(F->AxisDefaults, TFloatVec{1.5});
    EXPECT_EQ(F->LabelBefore, "Before");
    EXPECT_EQ(F->LabelAfter, "After");
    EXPECT_DOUBLE_EQ(F->CMin, 0.25);
    EXPECT_DOUBLE_EQ(F->CMax, 1.0);
}

TEST(DuctFitting, ReaderRefusesBadShapesAndScales)
{
    TFittingSource OneEntry = OneDimSource("TDuctFitAngle", "CD9-1", {0}, {1}, 0, 1);
    EXPECT_THROW(MakeFitting(OneEntry), EStreamError);
    TFittingSource Mismatch = OneDimSource("TDuctFitAngle", "CD9-1", {0, 10, 20}, {1, 2}, 0, 1);
    EXPECT_THROW(MakeFitting(Mismatch), EStreamError);
    TFittingSource BadScale = ElbowSource();
    BadScale.AxisScales = {2};
    EXPECT_THROW(MakeFitting(BadScale), EStreamError);

    // A record cut short raises the stream's read error.
    TValueWriter Writer;
    WriteFittingRecord(Writer, ElbowSource());
    const std::string Bytes = Writer.Bytes();
    TValueReader Reader(Bytes.substr(0, Bytes.size() - 5));
    Reader.ReadString();
    EXPECT_THROW(TDuctFitrD{Reader}, EStreamError);
}

TEST(DuctFitting, MiddleEntryRoundsHalfToEven)
{
    const std::pair<TFloatVec, double> Cases[] = {{{10, 20}, 10}, {{10, 20, 30}, 20}, {{10, 20, 30, 40}, 30},
                                                  {{10, 20, 30, 40, 50, 60}, 30}, {{1, 2, 3, 4, 5, 6, 7, 8}, 5},
                                                  {{7}, 7}};
    for (const auto& [Axis, Middle] : Cases)
        EXPECT_DOUBLE_EQ(MiddleEntry(Axis), Middle) << Axis.size();
    EXPECT_THROW(MiddleEntry({}), EFittingCalcError);
}

TEST(DuctFitting, CheckedDivideRaisesOnZeroAndOverflow)
{
    EXPECT_DOUBLE_EQ(CheckedDivide(3, 4), 0.75);
    EXPECT_THROW(CheckedDivide(1, 0), EFittingCalcError);
    EXPECT_THROW(CheckedDivide(1e308, 1e-10), EFittingCalcError);
}

TEST(DuctFitConst, GivesCForAnySectionsAndClearsTheWarning)
{
    TFittingSource S = ConstSource("ED1-22", 0.5);
    const auto F = MakeFitting(S);
    RangeFlag = true;
    F->LastInputs = {1, 2};
    EXPECT_DOUBLE_EQ(CoefficientOf(*F, {.S = RoundSection(300)}, {7, 8}), 0.5);
    EXPECT_FALSE(RangeFlag);
    EXPECT_TRUE(F->LastInputs.empty());
    EXPECT_DOUBLE_EQ(CoefficientAt(*F, {}, {}), 0.5);
    TFloatVec Mid = {9};
    F->GetMidAxisValues(Mid);
    EXPECT_TRUE(Mid.empty());
}

TEST(DuctFit1Dim, OutOfRangeLookupIsClampedOnlyWhenFlagged)
{
    const auto F = MakeFitting(ElbowSource());
    // 20 % of the end segment beyond 2.0: extrapolated to 0.18, flagged and
    // clamped up to CMin.
    EXPECT_DOUBLE_EQ(CoefficientAt(*F, {}, {2.1}), 0.25);
    EXPECT_TRUE(RangeFlag);
    // 8 % beyond: 0.192 is below CMin too, but unflagged values stay.
    EXPECT_NEAR(CoefficientAt(*F, {}, {2.04}), 0.192, 1e-12);
    EXPECT_FALSE(RangeFlag);
    // Far below the first entry: clamped down to CMax.
    EXPECT_DOUBLE_EQ(CoefficientAt(*F, {}, {0.2}), 1.0);
    EXPECT_TRUE(RangeFlag);
}

TEST(DuctFit1Dim, RatioSequencesAndRanges)
{
    const auto F = MakeFitting(ElbowSource());
    RangeFlag = true;
    EXPECT_EQ(FlowRatiosOf(*F, {.S = RoundSection(300)}), TFloatVec{1.5}); // third of four entries
    EXPECT_EQ(MidOf(*F), TFloatVec{1.5});
    EXPECT_TRUE(RangeFlag); // the ratio operations leave the flag alone
    ExpectRanges(*F, {0.5}, {2.0});
}

TEST(DuctFitting, FilledHoleNeverWarnsEvenWhenExtrapolating)
{
    TValueWriter Writer;
    WriteFittingRecord(Writer, ConstSource("CR1-1", 1));
    TValueReader Reader(Writer.Bytes());
    Reader.ReadString();
    const auto Probe = std::make_unique<TProbeFitting>(Reader);
    const TFloatMat T = {{1, 2}, {3, TableHole}};
    Probe->Interp2D({0, 1}, {0, 1}, T, 0.5, 0.5);
    EXPECT_FALSE(RangeFlag);
    EXPECT_EQ(Probe->LastInputs, (TFloatVec{0.5, 0.5}));
    Probe->Interp2D({0, 1}, {0, 1}, T, 1.5, 0.5);
    EXPECT_FALSE(RangeFlag);

    const TFloatMat Full = {{1, 2}, {3, 4}};
    Probe->Interp2D({0, 1}, {0, 1}, Full, 1.5, 0.5);
    EXPECT_TRUE(RangeFlag);
}

} // namespace
