#include "data/builder/DatabaseCheck.h"
#include "data/builder/FittingJson.h"

#include "fittings/DuctFittingDB.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const char* const Elbows = R"({
  "category": 3,
  "title": "Elbows",
  "fittings": [
    { "key": "CD3-22", "class": "TDuctFitAngle", "name": "Mitred elbow",
      "source": "Weisbach", "cmin": 0, "cmax": 1.2,
      "inputNames": ["Angle"], "inputDefaults": [90],
      "axisNames": ["Angle"], "axisScales": ["log"], "axisDefaults": [-1],
      "xAxis": [0, 45, 90], "values": [0, 0.183, 0.987] },
    { "key": "SD3-9", "class": "TDuctFitConst", "name": "Constant", "source": "A textbook",
      "cmin": 0.3, "cmax": 0.3, "c": 0.3 }
  ]
})";

std::string Replace(std::string Text, const std::string& From, const std::string& To)
{
    Text.replace(Text.find(From), From.size(), To);
    return Text;
}

std::string ParseError(const std::string& Text)
{
    try {
        ParseFittingCategory(Text, "elbows.json");
    } catch (const EFittingSourceError& E) {
        return E.what();
    }
    return std::string();
}

TEST(FittingJson, ReadsEveryMemberIntoTheRecord)
{
    const TFittingCategoryFile File = ParseFittingCategory(Elbows, "elbows.json");
    EXPECT_EQ(File.Category, 3);
    EXPECT_EQ(File.Title, "Elbows");
    ASSERT_EQ(File.Entries.size(), 2u);
    const TFittingSource& S = File.Entries[0].Source;
    EXPECT_EQ(File.Entries[0].Key, "CD3-22");
    EXPECT_EQ(S.Code, "CD3-22");
    EXPECT_EQ(S.ClassName, "TDuctFitAngle");
    EXPECT_EQ(S.AxisScales, std::vector<int>{st_log});
    EXPECT_EQ(S.XAxis, (TFloatVec{0, 45, 90}));
    EXPECT_EQ(S.Values, (TFloatVec{0, 0.183, 0.987}));
    EXPECT_EQ(S.InputDefaults, TFloatVec{90});
    EXPECT_DOUBLE_EQ(File.Entries[1].Source.C, 0.3);
    EXPECT_THAT(CheckFittingCategory(File), IsEmpty());
}

TEST(FittingJson, MistakesNameTheFileAndTheEntry)
{
    EXPECT_THAT(ParseError("{ not json"), HasSubstr("elbows.json: not valid JSON"));
    EXPECT_THAT(ParseError(Replace(Elbows, "\"xAxis\"", "\"xaxis\"")),
                HasSubstr("elbows.json: entry 1 (CD3-22): unknown member \"xaxis\""));
    EXPECT_THAT(ParseError(Replace(Elbows, "\"source\": \"A textbook\",", "")),
                HasSubstr("entry 2 (SD3-9): missing \"source\""));
    EXPECT_THAT(ParseError(Replace(Elbows, "\"source\": \"A textbook\"", "\"source\": \"\"")),
                HasSubstr("must cite"));
    EXPECT_THAT(ParseError(Replace(Elbows, "[0, 45, 90]", "[0, \"45\", 90]")), HasSubstr("entry 1 (CD3-22)"));
    EXPECT_THAT(ParseError(Replace(Elbows, "[\"log\"]", "[\"ln\"]")), HasSubstr("neither \"lin\" nor \"log\""));
    EXPECT_THAT(ParseError(Replace(Elbows, "\"category\": 3", "\"categories\": 3")), HasSubstr("unknown member"));
}

TEST(FittingJson, CheckNamesCategoryMismatchAndValidationProblems)
{
    TFittingCategoryFile File = ParseFittingCategory(Elbows, "elbows.json");
    File.Category = 4;
    EXPECT_THAT(CheckFittingCategory(File), Contains(HasSubstr("elbows.json: CD3-22: the key's category differs")));

    File = ParseFittingCategory(Elbows, "elbows.json");
    File.Entries[0].Source.Values.pop_back();
    EXPECT_THAT(CheckFittingCategory(File), Contains(HasSubstr("Values has 2 entries for 3")));

    // A stored code given apart from the key must equal it.
    File = ParseFittingCategory(Replace(Elbows, "\"key\": \"CD3-22\",", "\"key\": \"CD3-22\", \"code\": \"CD3-21\","),
                                "elbows.json");
    EXPECT_EQ(File.Entries[0].Source.Code, "CD3-21");
    EXPECT_THAT(CheckFittingCategory(File), Contains(HasSubstr("differs from its key")));
}

TEST(DatabaseCheck, PassesAWrittenDatabaseAndCatchesAMismatch)
{
    const auto Folder = std::filesystem::temp_directory_path() / ("ventrix-data-" + std::to_string(::getpid()));
    const std::string Dir = Folder.string() + "/";
    auto Entries = ParseFittingCategory(Elbows, "elbows.json").Entries;
    WriteDuctFittingDB(Dir, Entries);
    EXPECT_THAT(CheckBuiltDatabase(Dir, Entries), IsEmpty());

    // The files no longer hold what the source says.
    auto Other = Entries;
    Other[1].Key = "SD3-8";
    EXPECT_THAT(CheckBuiltDatabase(Dir, Other), Contains(HasSubstr("index entry 1")));
    // A coefficient that cannot be computed at the middle of the axes.
    Entries[0].Source.Values = {0, std::nan(""), 1};
    WriteDuctFittingDB(Dir, Entries);
    EXPECT_THAT(CheckBuiltDatabase(Dir, Entries), Contains(HasSubstr("no valid coefficient")));
    std::filesystem::remove_all(Folder);
}

} // namespace
