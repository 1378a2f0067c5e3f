#include "locations/LocationPicker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

TLocationRecord Place(int Group, int Region, const char* Name)
{
    return {Group, Region, Name, 45.0f, 5.0f, 1.0f, 100.0f, 32.0f, 18.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
}

// A small database made for the tests: two databases, their regions, the
// "+All" index of both, and "Africa", listed but not installed.
class LocationPicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        Dir = fs::temp_directory_path() /
              ("locations-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
        WriteText("Regions.idx", "[+All]\nEurope=1\nAsia=2\n"
                                 "[Europe]\nFrance=1\nGermany=2\nEverywhere=0\n"
                                 "[Asia]\nJapan=1\nIndia=2\n"
                                 "[Africa]\nKenya=1\n");
        WriteRecords("Europe.wdb", {Place(1, 1, "Paris"), Place(1, 1, "Lyon"), Place(1, 2, "Berlin")});
        WriteRecords("Asia.wdb", {Place(2, 1, "Tokyo"), Place(2, 2, "Delhi"), Place(2, 2, "Mumbai")});
        WriteRecords("+All.wdb", {Place(1, 1, "Paris"), Place(1, 1, "Lyon"), Place(1, 2, "Berlin"),
                                  Place(2, 1, "Tokyo"), Place(2, 2, "Delhi"), Place(2, 2, "Mumbai"),
                                  Place(1, 0, "Atlantis")});
    }
    void TearDown() override { fs::remove_all(Dir); }

    std::string DataDir() const { return Dir.string() + "/"; }
    void WriteText(const char* Name, const std::string& Text) const
    {
        std::ofstream(Dir / Name, std::ios::binary) << Text;
    }
    void WriteRecords(const char* Name, const std::vector<TLocationRecord>& Records) const
    {
        std::string Bytes;
        for (const TLocationRecord& R : Records)
            Bytes += EncodeLocationRecord(R);
        WriteText(Name, Bytes);
    }
    static Names PlaceNames(const TLocationPicker& P)
    {
        Names Out;
        for (const TLocRec& L : P.Places())
            Out.push_back(L.Name);
        return Out;
    }
    static int IndexOf(const Names& List, const std::string& Name)
    {
        const auto At = std::find(List.begin(), List.end(), Name);
        return At == List.end() ? -1 : static_cast<int>(At - List.begin());
    }

    fs::path Dir;
};

} // namespace

TEST_F(LocationPicker, RegionsFilterPlacesByCodeAndRegionZeroListsAll)
{
    TLocationPicker Picker(DataDir());
    Picker.Activate();
    Picker.SelectDatabase(IndexOf(Picker.Databases(), "Europe"));
    const struct {
        const char* Region;
        Names Places;
    } Cases[] = {{"France", {"Paris", "Lyon"}}, {"Germany", {"Berlin"}}, {"Everywhere", {"Paris", "Lyon", "Berlin"}}};
    for (const auto& C : Cases) {
        Picker.SelectRegion(IndexOf(Picker.Regions(), C.Region));
        EXPECT_EQ(PlaceNames(Picker), C.Places) << C.Region;
        EXPECT_EQ(Picker.LocationText(), Picker.Record().Name + ", " + C.Region);
    }
}

TEST_F(LocationPicker, FirstActivationOpensAllWhichFiltersByGroupAndLooksUpRegionNames)
{
    TLocationPicker Picker(DataDir());
    EXPECT_EQ(Picker.Activate(), "");
    EXPECT_EQ(Picker.Databases(), (Names{"+All", "Europe", "Asia", "Africa"}));
    EXPECT_EQ(Picker.Regions(), (Names{"Europe", "Asia"}));
    EXPECT_EQ(PlaceNames(Picker), (Names{"Paris", "Lyon", "Berlin", "Atlantis"}));
    EXPECT_EQ(Picker.LocationText(), "Paris, France");
    EXPECT_EQ(Picker.RecordStatus(), "Record 1 of 7");
    Picker.SelectRegion(IndexOf(Picker.Regions(), "Asia"));
    EXPECT_EQ(PlaceNames(Picker), (Names{"Tokyo", "Delhi", "Mumbai"}));
    // Region code 1 means France in one group and Japan in the other; the
    // look-ups alternate between the groups.
    const struct {
        const char* Group;
        const char* Place;
        const char* Text;
    } Cases[] = {{"Asia", "Tokyo", "Tokyo, Japan"},     {"Europe", "Paris", "Paris, France"},
                 {"Asia", "Tokyo", "Tokyo, Japan"},     {"Asia", "Delhi", "Delhi, India"},
                 {"Europe", "Berlin", "Berlin, Germany"}, {"Europe", "Atlantis", "Atlantis, Europe"}};
    for (const auto& C : Cases) {
        Picker.SelectRegion(IndexOf(Picker.Regions(), C.Group));
        Picker.SelectPlace(IndexOf(PlaceNames(Picker), C.Place));
        EXPECT_EQ(Picker.LocationText(), C.Text);
        EXPECT_EQ(Picker.Record().Name, C.Place);
    }
    EXPECT_EQ(Picker.RecordStatus(), "Record 7 of 7");
}

TEST_F(LocationPicker, SavedNamesAndLocationTextsPreselect)
{
    const struct {
        const char* Database;
        const char* Text;
        const char* Region;
        const char* Place;
    } Cases[] = {
        {"Europe", "Lyon, France", "France", "Lyon"},
        {"Europe", "Berlin,   Germany  ", "Germany", "Berlin"},
        {"europe", "lyon, FRANCE", "France", "Lyon"},   // names match in any case
        {"Europe", "Vanished, Germany", "Germany", "Berlin"}, // a vanished place: the first
        {"Europe", "Lyon, Narnia", "France", "Lyon"},   // unknown region: the first
        {"Gone", "Delhi, Japan", "Europe", "Paris"},    // unknown database: the first
        {"Asia", "Mumbai", "Japan", "Tokyo"},           // no region part
    };
    for (const auto& C : Cases) {
        TMemorySettingsStore Store;
        Store.WriteString("SelectLocationForm", "Database", C.Database);
        TLocationPicker Picker(DataDir());
        Picker.ReadSettings(Store);
        Picker.SetLocationText(C.Text);
        Picker.Activate();
        ASSERT_GE(Picker.RegionIndex(), 0) << C.Text;
        EXPECT_EQ(Picker.Regions()[static_cast<std::size_t>(Picker.RegionIndex())], C.Region) << C.Text;
        EXPECT_EQ(Picker.Record().Name, C.Place) << C.Text;
    }
}

TEST_F(LocationPicker, CloseKeepsTheChoiceForTheNextTime)
{
    TMemorySettingsStore Store;
    TLocationPicker Picker(DataDir());
    Picker.Activate();
    Picker.SelectDatabase(IndexOf(Picker.Databases(), "Asia"));
    Picker.SelectRegion(IndexOf(Picker.Regions(), "India"));
    Picker.SelectPlace(1);
    Picker.Close();
    Picker.WriteSettings(Store);
    TLocationPicker Again(DataDir());
    Again.ReadSettings(Store);
    Again.Activate();
    EXPECT_EQ(Again.LocationText(), "Mumbai, India");
}

TEST_F(LocationPicker, ADatabaseNotInstalledIsReportedAndTheOpenOneKept)
{
    TLocationPicker Picker(DataDir());
    Picker.Activate();
    Picker.SelectDatabase(IndexOf(Picker.Databases(), "Europe"));
    const std::string Message = Picker.SelectDatabase(IndexOf(Picker.Databases(), "Africa"));
    EXPECT_NE(Message.find("\"Africa\" has not been installed"), std::string::npos) << Message;
    EXPECT_EQ(Picker.Database, "Europe");
    EXPECT_EQ(Picker.Databases()[static_cast<std::size_t>(Picker.DatabaseIndex())], "Europe");
    EXPECT_EQ(Picker.Regions(), (Names{"France", "Germany", "Everywhere"}));
    Picker.SelectPlace(1);
    EXPECT_EQ(Picker.LocationText(), "Lyon, France");

    TMemorySettingsStore Store;
    Store.WriteString("SelectLocationForm", "Database", "Africa");
    TLocationPicker Saved(DataDir());
    Saved.ReadSettings(Store);
    EXPECT_NE(Saved.Activate(), "");
    EXPECT_TRUE(Saved.Regions().empty());
    EXPECT_FALSE(Saved.HasRecord());
}

TEST_F(LocationPicker, AMissingIndexGivesEmptyListsAndPathsStayInTheFolder)
{
    TLocationPicker Picker(DataDir());
    Picker.Activate();
    fs::remove(Dir / "Regions.idx"); // the index read before goes too
    EXPECT_EQ(Picker.Activate(), "");
    EXPECT_TRUE(Picker.Databases().empty());
    EXPECT_TRUE(Picker.Regions().empty());
    EXPECT_TRUE(Picker.Places().empty());
    EXPECT_EQ(Picker.RecordStatus(), "");
    Picker.SelectPlace(0);
    Picker.SelectRegion(0);
    EXPECT_FALSE(Picker.HasRecord());

    fs::create_directories(Dir / "sub");
    WriteRecords("sub/Hidden.wdb", {Place(1, 1, "Hidden")});
    WriteText("Regions.idx", "[sub/Hidden]\nAll=0\n[../Europe]\nAll=0\n");
    EXPECT_NE(Picker.Activate(), "");
    EXPECT_NE(Picker.SelectDatabase(1), "");
    EXPECT_FALSE(Picker.HasRecord());
}
