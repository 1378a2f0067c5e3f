// Junctions with one table per size class of the common duct: the common
// diameter chooses the table, by the sections as by the input values and
// for the stored axis values of a link; the first table stays in place
// after every request.

#include "FamilyTestData.h"

#include "fittings/DuctFit3DimBySize.h"
#include "fittings/FittingSource.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// LinearSource, whose first table gives x + 10 z + 100 y, with a second
// table for common ducts above 250 mm that gives 1000 more.
TFittingSource TwoSizeSource(const std::string& ClassName)
{
    TFittingSource S = LinearSource(ClassName, {"c", "s", "b"});
    S.SizeLimit = 250;
    S.LargeYAxes = S.YAxes;
    S.LargeTables = S.Tables;
    for (TFloatMat& Slice : S.LargeTables)
        for (TFloatVec& Row : Slice)
            for (double& V : Row)
                V += 1000;
    return S;
}

// A round junction: common duct Dc with flow 1, straight-through and branch
// ducts of area ratio 0.25 (half the diameter), branch flow Qb.
TSecs Junction(double Dc, double Qb)
{
    return {.S = RoundSection(Dc / 2, 1 - Qb), .B = RoundSection(Dc / 2, Qb), .C = RoundSection(Dc, 1.0)};
}

TEST(DuctFit3DimBySize, TheCommonDiameterChoosesTheTable)
{
    const struct {
        const char* ClassName;
        double Dc;
        double FlowRatio;  // x: Qb/Qc or Qs/Qc of Junction(Dc, 0.4)
        double Offset;     // 0 on the first table, 1000 on the second
    } Cases[] = {
        {"TDuctFitDsDcDbQbQcBySize", 200, 0.4, 0},
        {"TDuctFitDsDcDbQbQcBySize", 250, 0.4, 0},
        {"TDuctFitDsDcDbQbQcBySize", 400, 0.4, 1000},
        {"TDuctFitDsDcDbQsQcBySize", 200, 0.6, 0},
        {"TDuctFitDsDcDbQsQcBySize", 400, 0.6, 1000},
    };
    for (const auto& Case : Cases) {
        const auto F = MakeFitting(TwoSizeSource(Case.ClassName));
        const TSecs X = Junction(Case.Dc, 0.4);
        const double Expected = Case.FlowRatio + 10 * 0.25 + 100 * 0.25 + Case.Offset;
        SCOPED_TRACE(std::string(Case.ClassName) + " at Dc " + std::to_string(Case.Dc));
        EXPECT_NEAR(CoefficientOf(*F, X, {}), Expected, 1e-9);
        EXPECT_NEAR(CoefficientAt(*F, X, {0.25, 0.25}), Expected, 1e-9);
        // The first table is back in place: a small duct after a large one.
        EXPECT_NEAR(CoefficientOf(*F, Junction(200, 0.4), {}), Case.FlowRatio + 27.5, 1e-9);
    }
}

TEST(DuctFit3DimBySize, AFailedRequestLeavesTheFirstTableInPlace)
{
    const auto F = MakeFitting(TwoSizeSource("TDuctFitDsDcDbQbQcBySize"));
    TSecs NoFlow = Junction(400, 0.4);
    NoFlow.C.Q = 0;  // Qb / Qc raises
    EXPECT_CALC_FAILS(CoefficientOf(*F, NoFlow, {}));
    EXPECT_NEAR(CoefficientOf(*F, Junction(200, 0.4), {}), 0.4 + 27.5, 1e-9);
}

TEST(DuctFit3DimBySize, TheSecondTableMustFitTheAxes)
{
    TFittingSource Sound = TwoSizeSource("TDuctFitDsDcDbQbQcBySize");
    Sound.Code = "ED5-3-b";
    EXPECT_TRUE(ValidateFittingSource("ED5-3-b", Sound).empty());

    TFittingSource MissingSlice = Sound;
    MissingSlice.LargeTables.pop_back();
    TFittingSource ShortRow = Sound;
    ShortRow.LargeTables[0][0].pop_back();
    for (const TFittingSource& Bad : {MissingSlice, ShortRow}) {
        EXPECT_FALSE(ValidateFittingSource("ED5-3-b", Bad).empty());
        EXPECT_ANY_THROW(MakeFitting(Bad));
    }
}

} // namespace
