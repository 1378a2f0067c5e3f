#include "FittingTestData.h"

#include "fittings/FittingKeys.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

using ::testing::AllOf;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

TFittingSource Good()
{
    TFittingSource S = OneDimSource("TDuctFitAngle", "CD9-1", {0, 30, 60}, {0.2, 4, 100}, 0.2, 100);
    S.InputNames = {"Angle"};
    S.InputDefaults = {0};
    return S;
}

TEST(FittingSource, WellFormedEntriesPass)
{
    EXPECT_THAT(ValidateFittingSource("CD9-1", Good()), IsEmpty());
    EXPECT_THAT(ValidateFittingSource("SD1-1", ConstSource("SD1-1", 0.5)), IsEmpty());
    TFittingSource Descending = Good();
    Descending.XAxis = {90, 60, 30};
    EXPECT_THAT(ValidateFittingSource("CD9-1", Descending), IsEmpty());
    for (const char* Key : {"SD1-1", "ER10-12", "CD5-3-b2", "sd5-3-S"})
        EXPECT_TRUE(IsValidFittingKey(Key)) << Key;
}

TEST(FittingSource, EachFaultIsNamedWithItsKey)
{
    struct TCase {
        const char* Expected;
        std::function<void(TFittingSource&)> Spoil;
    };
    const TCase Cases[] = {
        {"Duct class not defined: TDuctFitNothing", [](TFittingSource& S) { S.ClassName = "TDuctFitNothing"; }},
        {"Duct class not defined: TDuctFit1Dim", [](TFittingSource& S) { S.ClassName = "TDuctFit1Dim"; }},
        {"at least two entries", [](TFittingSource& S) { S.XAxis = {0}; S.Values = {1}; }},
        {"strictly", [](TFittingSource& S) { S.XAxis = {0, 30, 30}; }},
        {"strictly", [](TFittingSource& S) { S.XAxis = {0, 30, 20}; }},
        {"Values has 2 entries for 3", [](TFittingSource& S) { S.Values = {1, 2}; }},
        {"holes", [](TFittingSource& S) { S.Values = {1, TableHole, 3}; }},
        {"finite", [](TFittingSource& S) { S.Values = {1, std::nan(""), 3}; }},
        {"CMin is above CMax", [](TFittingSource& S) { S.CMin = 5; S.CMax = 1; }},
        {"input defaults", [](TFittingSource& S) { S.InputDefaults = {}; }},
        {"neither 0", [](TFittingSource& S) { S.AxisScales = {3}; }},
        {"axis defaults", [](TFittingSource& S) { S.AxisDefaults = {-1, -1}; }},
        {"differs from its key", [](TFittingSource& S) { S.Code = "CD9-2"; }},
    };
    for (const TCase& C : Cases) {
        TFittingSource S = Good();
        C.Spoil(S);
        EXPECT_THAT(ValidateFittingSource("CD9-1", S), Contains(AllOf(StartsWith("CD9-1: "), HasSubstr(C.Expected))))
            << C.Expected;
    }
    TFittingSource S = Good();
    for (const char* Key : {"XD9-1", "CQ9-1", "CD11-1", "CD0-1", "CD9", "CD9-x", "CD9-1-q", "CD9-"}) {
        S.Code = Key;
        EXPECT_THAT(ValidateFittingSource(Key, S), Contains(HasSubstr("key scheme"))) << Key;
    }
}

TEST(FittingSource, UnregisteredClassIsNotWritten)
{
    TFittingSource S = Good();
    S.ClassName = "TDuctFitNothing";
    TValueWriter Writer;
    EXPECT_THROW(WriteFittingRecord(Writer, S), EFittingSourceError);
    EXPECT_EQ(Writer.Size(), 0u);
}

} // namespace
