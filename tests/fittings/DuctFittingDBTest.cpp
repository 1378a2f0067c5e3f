#include "FittingTestData.h"

#include "fittings/DuctFit1Dim.h"
#include "fittings/DuctFitConst.h"
#include "fittings/FittingKeys.h"
#include "fittings/MidAxisEvaluation.h"
#include "foundation/WarningSink.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

namespace {

TFittingSource PathSource(const std::string& Code, TStringVec Paths, const std::string& AxisName, double Scale)
{
    TFittingSource S = OneDimSource("TDuctFitAngle", Code, {0.1 * Scale, 0.5 * Scale, 0.9 * Scale}, {1, 2, 3}, 0, 3);
    S.PathNames = std::move(Paths);
    S.AxisNames = {AxisName};
    S.InputNames = {"Angle"};
    S.InputDefaults = {45};
    S.LabelBefore = "Label " + Code;
    return S;
}

std::vector<TDuctFittingDBEntry> SmallDatabase()
{
    TFittingSource Elbow = OneDimSource("TDuctFitrD", "SD1-2", {0.5, 1, 1.5, 2}, {1.2, 0.4, 0.3, 0.2}, 0.2, 1.2);
    Elbow.InputNames = {"r"};
    Elbow.InputDefaults = {300};
    Elbow.AuxList1 = {"aux one"};
    Elbow.AuxList2 = {"aux two"};
    Elbow.AxisDefaults = {1.0};
    return {
        {"SD1-1", ConstSource("SD1-1", 0.5)},
        {"SD1-2", Elbow},
        {"SD10-1", ConstSource("SD10-1", 1.0)},
        {"ED3-1", OneDimSource("TDuctFitAngle", "ED3-1", {0, 45, 90}, {0, 0.2, 1}, 0, 1)},
        {"SD5-1-s", PathSource("SD5-1-s", {"s", "b", "c"}, "Qs/Qc", 1)},
        {"SD5-1-b", PathSource("SD5-1-b", {"s", "b", "c"}, "Qb/Qc", 2)},
        {"CR4-1", PathSource("CR4-1", {"s", "b"}, "A1/A0", 3)},
        {"SD5-2", PathSource("SD5-2", {"s", "b1", "b2", "c"}, "Qb1/Qc", 1)},
        {"SD5-3-s", PathSource("SD5-3-s", {"s", "b1", "b2", "c"}, "Qs/Qc", 1)},
        {"SD5-3-b", PathSource("SD5-3-b", {"s", "b1", "b2", "c"}, "Qb1/Qc", 2)},
        {"SD1-1", ConstSource("SD1-1", 0.7)}, // a second entry of a key is never found
    };
}

std::string ReadBytes(const std::string& FileName)
{
    std::ifstream In(FileName, std::ios::binary);
    std::ostringstream Out;
    Out << In.rdbuf();
    return Out.str();
}

class DuctFittingDBTest : public ::testing::Test {
protected:
    DuctFittingDBTest() : Installed(Sink) {}

    void WriteDatabase(const std::vector<TDuctFittingDBEntry>& Entries) { WriteDuctFittingDB(Temp.Dir(), Entries); }
    std::string IndexFile() const { return Temp.DbFolder() + "DuctFittings2.ddi"; }
    std::string DataFile() const { return Temp.DbFolder() + "DuctFittings2.ddd"; }

    // An index naming the given (key, offset) pairs.
    void WriteIndex(const std::vector<std::pair<std::string, int>>& Pairs)
    {
        TValueWriter Index;
        Index.WriteString("index");
        for (const auto& [Key, Offset] : Pairs) {
            Index.WriteString(Key);
            Index.WriteInteger(Offset);
        }
        WriteBytes(IndexFile(), Index.Bytes());
    }

    // A data file holding one hand-written record, indexed as SD1-1.
    void WriteOneRecord(const std::function<void(TValueWriter&)>& Record)
    {
        TValueWriter Data;
        Data.WriteString("data");
        const int Offset = static_cast<int>(Data.Size());
        Record(Data);
        WriteBytes(DataFile(), Data.Bytes());
        WriteIndex({{"SD1-1", Offset}});
    }

    std::unique_ptr<TDuctFittingDB> SmallDB()
    {
        WriteDatabase(SmallDatabase());
        return std::make_unique<TDuctFittingDB>(Temp.Dir());
    }

    double ConstantOf(TDuctFittingDB& DB, const std::string& Key)
    {
        TDuctFitting* F = DB.SelectFitting(Key, true);
        return F ? F->GetCoefficientAt({}, {}, {}, {}, {}, {}) : -1.0;
    }

    TTempFolder Temp;
    TRecordingWarningSink Sink;
    TScopedWarningSink Installed;
};

TEST_F(DuctFittingDBTest, RoundTripOfAHandBuiltDatabase)
{
    const auto Entries = SmallDatabase();
    WriteDatabase(Entries);
    TDuctFittingDB DB(Temp.Dir());
    ASSERT_EQ(DB.Codes().size(), Entries.size());
    for (std::size_t i = 0; i < Entries.size(); ++i)
        EXPECT_EQ(DB.Codes()[i], Entries[i].Key);
    EXPECT_EQ(DB.Folder(), Temp.DbFolder());

    TDuctFitting* Elbow = DB.SelectFitting("SD1-2", true);
    ASSERT_NE(Elbow, nullptr);
    EXPECT_EQ(DB.Current(), Elbow);
    EXPECT_EQ(Elbow->Code, "SD1-2");
    EXPECT_DOUBLE_EQ(Elbow->GetCoefficientAt({}, {}, {}, {}, {}, {1.0}), 0.4);
    EXPECT_DOUBLE_EQ(ConstantOf(DB, "SD10-1"), 1.0);
    EXPECT_EQ(Sink.Count(), 0u);
    // Keys are found without regard to case; the first entry of a key wins.
    EXPECT_EQ(DB.IndexOfCode("sd1-1"), 0);
    EXPECT_DOUBLE_EQ(ConstantOf(DB, "sd1-1"), 0.5);
    EXPECT_EQ(DB.IndexOfCode("SD1-3"), -1);
}

TEST_F(DuctFittingDBTest, CachedUntilFreeFittingsThenReadAgain)
{
    const auto DB = SmallDB();
    TDuctFitting* First = DB->SelectFitting("SD10-1", true);
    EXPECT_EQ(DB->SelectFitting("SD10-1", true), First);

    // The same layout with another coefficient: only a fresh read sees it.
    auto Changed = SmallDatabase();
    Changed[2].Source.C = 2.5;
    WriteDatabase(Changed);
    EXPECT_DOUBLE_EQ(ConstantOf(*DB, "SD10-1"), 1.0);

    DB->FreeFittings();
    EXPECT_EQ(DB->Current(), nullptr);
    EXPECT_DOUBLE_EQ(ConstantOf(*DB, "SD10-1"), 2.5);
}

TEST_F(DuctFittingDBTest, UnknownKeyWarnsOnlyWhenAsked)
{
    const auto DB = SmallDB();
    DB->SelectFitting("SD1-1", true);
    EXPECT_EQ(DB->SelectFitting("XX1-1", false), nullptr);
    EXPECT_EQ(DB->Current(), nullptr);
    EXPECT_EQ(Sink.Count(), 0u);
    DB->SelectFitting("XX1-1", true);
    ASSERT_EQ(Sink.Count(), 1u);
    EXPECT_EQ(Sink.Messages()[0].Caption, "Warning");
    EXPECT_EQ(Sink.LastText(), "Duct fitting not in database : XX1-1");
    // A summary of an unknown base code warns and leaves no name.
    TDuctFitSummary Summary;
    Summary.Name = "old";
    DB->GetFittingInfo("SD9-9", Summary);
    EXPECT_EQ(Summary.Name, "");
    EXPECT_EQ(Sink.LastText(), "Duct fitting not in database : SD9-9");
}

TEST_F(DuctFittingDBTest, MissingFilesWarn)
{
    // No index: an empty database.
    TDuctFittingDB Empty(Temp.Dir());
    EXPECT_TRUE(Empty.Codes().empty());
    ASSERT_EQ(Sink.Count(), 1u);
    EXPECT_EQ(Sink.LastText(), "Duct fittings index file missing : " + IndexFile());
    EXPECT_EQ(Empty.SelectFitting("SD1-1", true), nullptr);
    EXPECT_EQ(Sink.LastText(), "Duct fitting not in database : SD1-1");

    // No data file: a warning at every selection.
    WriteDatabase(SmallDatabase());
    std::filesystem::remove(DataFile());
    TDuctFittingDB DB(Temp.Dir());
    Sink.Clear();
    EXPECT_EQ(DB.SelectFitting("SD1-1", true), nullptr);
    EXPECT_EQ(Sink.LastText(), "Duct fittings data file missing : " + DataFile());
    EXPECT_EQ(DB.SelectFitting("SD1-1", true), nullptr);
    EXPECT_EQ(Sink.Count(), 2u);
}

TEST_F(DuctFittingDBTest, LoadFittingOutsideTheIndex)
{
    const auto DB = SmallDB();
    EXPECT_EQ(DB->LoadFitting(99), nullptr);
    EXPECT_EQ(Sink.LastText(), "Duct fitting index out of range : 99");
    EXPECT_EQ(DB->LoadFitting(-1), nullptr);
    EXPECT_EQ(Sink.LastText(), "Duct fitting index out of range : -1");

    // A loaded fitting belongs to the caller and is not cached.
    const auto Loaded = DB->LoadFitting(0);
    ASSERT_NE(Loaded, nullptr);
    EXPECT_EQ(DB->Current(), Loaded.get());
    EXPECT_NE(DB->SelectFitting("SD1-1", true), Loaded.get());
}

TEST_F(DuctFittingDBTest, RecordsThatCannotBeReadWarnAndAreNotCached)
{
    WriteOneRecord([](TValueWriter& Data) {
        Data.WriteString("TDuctFitMystery");
        Data.WriteString("SD1-1");
    });
    TDuctFittingDB DB(Temp.Dir());
    EXPECT_EQ(DB.SelectFitting("SD1-1", true), nullptr);
    EXPECT_EQ(Sink.LastText(), "Duct class not defined: TDuctFitMystery");
    DB.SelectFitting("SD1-1", true);
    EXPECT_EQ(Sink.Count(), 2u); // nothing was cached

    // A value of the wrong type in a record is damage.
    WriteOneRecord([](TValueWriter& Data) {
        Data.WriteString("TDuctFitConst");
        Data.WriteString("SD1-1");
        Data.WriteString("Name");
        Data.WriteString("not a number"); // CMin
    });
    TDuctFittingDB Wrong(Temp.Dir());
    EXPECT_EQ(Wrong.SelectFitting("SD1-1", true), nullptr);
    EXPECT_EQ(Sink.LastText(), "Duct fitting data damaged : SD1-1");
}

TEST_F(DuctFittingDBTest, TruncatedIndexKeepsTheCompletePairs)
{
    WriteDatabase(SmallDatabase());
    const std::string Index = ReadBytes(IndexFile());
    TValueReader Reader(Index);
    Reader.ReadString();
    for (int i = 0; i < 3; ++i) {
        Reader.ReadString();
        Reader.ReadInteger();
    }
    const std::size_t AfterThreePairs = Reader.Position();
    Reader.ReadString();
    const std::size_t AfterFourthKey = Reader.Position();

    for (std::size_t Cut : {AfterFourthKey, AfterFourthKey - 2, AfterFourthKey + 1}) {
        Sink.Clear();
        WriteBytes(IndexFile(), Index.substr(0, Cut));
        TDuctFittingDB DB(Temp.Dir());
        EXPECT_EQ(DB.Codes(), (TStringVec{"SD1-1", "SD1-2", "SD10-1"})) << Cut;
        EXPECT_EQ(Sink.LastText(), "Duct fittings index file damaged : " + IndexFile());
        EXPECT_DOUBLE_EQ(ConstantOf(DB, "SD10-1"), 1.0);
    }
    WriteBytes(IndexFile(), Index.substr(0, AfterThreePairs));
    Sink.Clear();
    TDuctFittingDB Clean(Temp.Dir());
    EXPECT_EQ(Clean.Codes().size(), 3u);
    EXPECT_EQ(Sink.Count(), 0u);
}

TEST_F(DuctFittingDBTest, IndexWithAWrongTagIsDamaged)
{
    TValueWriter Index;
    Index.WriteString("index");
    Index.WriteString("SD1-1");
    Index.WriteInteger(5);
    Index.WriteFloat(1.0); // a float where a key belongs
    Index.WriteInteger(9);
    WriteBytes(IndexFile(), Index.Bytes());
    TDuctFittingDB DB(Temp.Dir());
    EXPECT_EQ(DB.Codes(), TStringVec{"SD1-1"});
    EXPECT_EQ(Sink.LastText(), "Duct fittings index file damaged : " + IndexFile());

    WriteBytes(IndexFile(), std::string("\x05garbage", 8));
    Sink.Clear();
    TDuctFittingDB Empty(Temp.Dir());
    EXPECT_TRUE(Empty.Codes().empty());
    EXPECT_EQ(Sink.Count(), 1u);
}

TEST_F(DuctFittingDBTest, TruncatedDataFileFailsOnlyTheCutEntries)
{
    WriteDatabase(SmallDatabase());
    const std::string Data = ReadBytes(DataFile());
    const int ElbowOffset = TDuctFittingDB(Temp.Dir()).Offsets()[1];
    WriteBytes(DataFile(), Data.substr(0, ElbowOffset + 30)); // inside the elbow's record

    TDuctFittingDB DB(Temp.Dir());
    EXPECT_DOUBLE_EQ(ConstantOf(DB, "SD1-1"), 0.5);
    EXPECT_EQ(DB.SelectFitting("SD1-2", true), nullptr);
    EXPECT_EQ(Sink.LastText(), "Duct fitting data damaged : SD1-2");
    EXPECT_EQ(DB.SelectFitting("SD1-2", true), nullptr); // tried, and warned, again
    EXPECT_EQ(Sink.Count(), 2u);
}

TEST_F(DuctFittingDBTest, BadOffsetsAreRefused)
{
    WriteDatabase(SmallDatabase());
    const auto DataSize = static_cast<int>(std::filesystem::file_size(DataFile()));
    TDuctFittingDB Good(Temp.Dir());
    const int ConstOffset = Good.Offsets()[0];
    WriteIndex({{"SD1-1", DataSize}, {"SD1-2", -4}, {"SD10-1", 0}, {"ED3-1", ConstOffset + 1}});

    TDuctFittingDB DB(Temp.Dir());
    for (const char* Key : {"SD1-1", "SD1-2", "SD10-1"}) {
        EXPECT_EQ(DB.SelectFitting(Key, true), nullptr);
        EXPECT_EQ(Sink.LastText(), std::string("Duct fitting offset out of range : ") + Key);
    }
    // An offset into the middle of a record reads nonsense: a warning, no crash.
    Sink.Clear();
    EXPECT_EQ(DB.SelectFitting("ED3-1", true), nullptr);
    EXPECT_EQ(Sink.Count(), 1u);
}

TEST_F(DuctFittingDBTest, FilterCodesByFunctionGeometryAndCategory)
{
    const auto DB = SmallDB();
    const struct {
        const char* Pattern;
        bool BaseOnly;
        TStringVec Expected;
    } Cases[] = {
        {"SD1 ", false, {"SD1-1", "SD1-2"}},
        {"SD10", false, {"SD10-1"}},
        {"s+5 ", true, {"SD5-1", "SD5-2", "SD5-3"}},
        {"+R0 ", false, {"CR4-1"}},
    };
    for (const auto& Case : Cases) {
        TStringVec List;
        DB->FilterCodes(Case.Pattern, List, Case.BaseOnly);
        EXPECT_EQ(List, Case.Expected) << Case.Pattern;
    }
    TStringVec List;
    DB->FilterCodes("++0 ", List, false);
    EXPECT_EQ(List.size(), 10u); // every key once
    // Existing entries are kept and not repeated.
    List = {"ED3-1"};
    DB->FilterCodes("E+0 ", List, false);
    EXPECT_EQ(List, TStringVec{"ED3-1"});
}

TEST_F(DuctFittingDBTest, FilterCodesNeverReadsPastShortKeys)
{
    WriteIndex({{"S", 0}, {"SD", 0}, {"SD1", 0}, {"SD1-", 0}, {"", 0}});
    TDuctFittingDB DB(Temp.Dir());
    TStringVec List;
    DB.FilterCodes("SD1 ", List, false);
    EXPECT_EQ(List, TStringVec{"SD1-"});
    List.clear();
    DB.FilterCodes("SD", List, false); // a short pattern reads as blanks: category "0" is not given
    EXPECT_TRUE(List.empty());
    List.clear();
    DB.FilterCodes("++0", List, true);
    EXPECT_EQ(List, (TStringVec{"S", "SD", "SD1", "SD1-", ""}));
}

TEST(FittingBaseCode, FirstTwoFields)
{
    EXPECT_EQ(FittingBaseCode("SD5-1-b"), "SD5-1");
    EXPECT_EQ(FittingBaseCode("SD5-1"), "SD5-1");
    EXPECT_EQ(FittingBaseCode("SD5"), "SD5");
    EXPECT_EQ(FittingBaseCode(""), "");
    EXPECT_EQ(FittingBaseCode("SD5-1-b1-x"), "SD5-1");
    EXPECT_EQ(FittingKeyField("SD5-1- b2 ", 2), "b2");
    EXPECT_EQ(FittingKeyField("SD5-1", 2), "");
}

TEST_F(DuctFittingDBTest, SummaryOfAJunctionStoredPerPath)
{
    const auto DB = SmallDB();
    TDuctFitSummary Summary;
    DB->GetFittingInfo("sd5-1", Summary);
    EXPECT_EQ(Sink.Count(), 0u);
    EXPECT_EQ(DB->Current(), nullptr);
    EXPECT_EQ(Summary.Code, "SD5-1-s");
    EXPECT_EQ(Summary.Paths, (TStringVec{"s", "b", "c"}));
    EXPECT_TRUE(Summary.IsJunction);
    EXPECT_FALSE(Summary.IsTransition);
    ASSERT_EQ(Summary.AxisNamesByPath.size(), 3u);
    EXPECT_EQ(Summary.AxisNamesByPath[0], TStringVec{"Qs/Qc"});
    EXPECT_EQ(Summary.AxisNamesByPath[1], TStringVec{"Qb/Qc"});
    EXPECT_EQ(Summary.AxisMinsByPath[1], TFloatVec{0.2});
    EXPECT_EQ(Summary.AxisMaxsByPath[1], TFloatVec{1.8});
    EXPECT_EQ(Summary.AxisDefaultsByPath[0], TFloatVec{0.5});
    EXPECT_EQ(Summary.LabelsByPath[1], "Label SD5-1-b");
    // Neither entry names "c": it stays empty.
    EXPECT_TRUE(Summary.AxisNamesByPath[2].empty());
    EXPECT_EQ(Summary.LabelsByPath[2], "");
}

TEST_F(DuctFittingDBTest, SummaryOfPlainAndTransitionFittings)
{
    const auto DB = SmallDB();
    TDuctFitSummary Summary;
    DB->GetFittingInfo("SD1-2", Summary);
    EXPECT_EQ(Summary.Name, "TDuctFitrD SD1-2");
    EXPECT_EQ(Summary.Paths, TStringVec{"s"});
    EXPECT_FALSE(Summary.IsJunction);
    EXPECT_FALSE(Summary.IsTransition);
    EXPECT_EQ(Summary.InputNames, TStringVec{"r"});
    EXPECT_EQ(Summary.AuxList1, TStringVec{"aux one"});
    EXPECT_EQ(Summary.AuxList2, TStringVec{"aux two"});
    EXPECT_EQ(Summary.AxisDefaultsByPath.at(0), TFloatVec{1.0}); // the stored default, not the middle
    EXPECT_EQ(Summary.AxisMinsByPath.at(0), TFloatVec{0.5});
    EXPECT_EQ(Summary.AxisMaxsByPath.at(0), TFloatVec{2.0});

    DB->GetFittingInfo("CR4-1", Summary);
    EXPECT_TRUE(Summary.IsTransition);
    EXPECT_EQ(Summary.Paths, (TStringVec{"s", "b"}));
    EXPECT_EQ(Summary.AxisNamesByPath.size(), 1u);
    EXPECT_EQ(Summary.AxisNamesByPath[0], TStringVec{"A1/A0"});
}

TEST_F(DuctFittingDBTest, SecondBranchGetsItsOwnFlowNames)
{
    const auto DB = SmallDB();
    TDuctFitSummary Summary;
    // One entry for every path.
    DB->GetFittingInfo("SD5-2", Summary);
    ASSERT_EQ(Summary.AxisNamesByPath.size(), 4u);
    EXPECT_EQ(Summary.AxisNamesByPath[1], TStringVec{"Qb1/Qc"});
    EXPECT_EQ(Summary.AxisNamesByPath[2], TStringVec{"Qb2/Qc"});
    // "c" is covered but not filled: one empty axis.
    EXPECT_EQ(Summary.AxisNamesByPath[3], TStringVec{""});
    EXPECT_EQ(Summary.AxisMinsByPath[3], TFloatVec{0.0});
    EXPECT_EQ(Summary.AxisScalesByPath[3], TScaleVec{st_lin});
    EXPECT_EQ(Summary.LabelsByPath[3], "");
    // A "-b" entry appended for both branches.
    DB->GetFittingInfo("SD5-3", Summary);
    EXPECT_EQ(Summary.AxisNamesByPath[0], TStringVec{"Qs/Qc"});
    EXPECT_EQ(Summary.AxisNamesByPath[1], TStringVec{"Qb1/Qc"});
    EXPECT_EQ(Summary.AxisNamesByPath[2], TStringVec{"Qb2/Qc"});
}

TEST(DuctFittingDBGlobal, CreatedOnceTheFolderIsKnown)
{
    TRecordingWarningSink Sink;
    TScopedWarningSink Installed(Sink);
    TTempFolder Temp;
    WriteDuctFittingDB(Temp.Dir(), {{"SD1-1", ConstSource("SD1-1", 0.5)}});
    TDuctFittingDB& DB = CreateDuctFittingDB(Temp.Dir());
    EXPECT_EQ(DuctFittingDB(), &DB);
    EXPECT_EQ(DB.Codes(), TStringVec{"SD1-1"});
    EXPECT_EQ(DuctFittingsFolder("/x/Common Files"), "/x/Common Files/Duct Fittings/");
}

// The database that the build made from data/: every entry loads and gives a
// coefficient, through the same folder rule as the program.
TEST(BuiltDatabase, EveryEntryLoadsAndEvaluates)
{
    TRecordingWarningSink Sink;
    TScopedWarningSink Installed(Sink);
    TDuctFittingDB DB(VENTRIX_COMMON_DATA_DIR);
    ASSERT_FALSE(DB.Codes().empty()) << Sink.LastText();
    for (const std::string& Key : DB.Codes()) {
        EXPECT_TRUE(IsValidFittingKey(Key)) << Key;
        TDuctFitting* F = DB.SelectFitting(Key, true);
        ASSERT_NE(F, nullptr) << Key;
        const double C = MidAxisCoefficient(*F);
        EXPECT_FALSE(RangeFlag) << Key;
        EXPECT_GE(C, F->CMin) << Key;
        EXPECT_LE(C, F->CMax) << Key;
    }
    EXPECT_EQ(Sink.Count(), 0u) << Sink.LastText();
    // The sharp flush entry loses half a velocity pressure.
    TDuctFitting* Entry = DB.SelectFitting("ED1-22", true);
    ASSERT_NE(Entry, nullptr);
    EXPECT_DOUBLE_EQ(Entry->GetCoefficient({}, {}, {}, {}, {}, {}), 0.5);
}

} // namespace
