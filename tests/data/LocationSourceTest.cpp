#include "data/builder/LocationSource.h"
#include "locations/LocationPicker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const std::string Header = "Region,Country,ProvState,Station,WMO#,Lat,Long,TZ,Elev,DB004,WB_DB004,DB996,WS010,"
                           "DBmax_mean,DBmin_mean,DBR\n";
const std::string Values = ",45,5,1,120,31,20,-5,12,34,-9,10\n";

const TRegionNames Names = {{{"USA", "United States"}, {"SWE", "Sweden"}, {"ALA", "\xC3\x85land Islands"}},
                            {{"USA-IL", "Illinois"}, {"CAN-NL", "Newfoundland and Labrador"}}};

// A table as published: heading rows (one naming some of the columns), the
// column names, then stations.
std::string Table(const std::string& Stations)
{
    return "Climate Design Data,,\nRegion,Country,ProvState,Station,WMO#,Lat\n" + Header + Stations;
}

TLocationSource SmallSource()
{
    return ParseLocationSource(Table("6,SWE,,KALMAR,26720" + Values + "4,USA,IL,ROCKFORD,725430" + Values +
                                     "6,SWE,,KALMAR,26700" + Values + "4,USA,IL,AURORA,744666" + Values +
                                     "6,ALA,,MARIEHAMN,29700" + Values + "4,CAN,NF,GANDER,718030" + Values +
                                     "6,UNK,,PRISTINA,134810" + Values),
                               "t.csv", Names);
}

// A folder made for a test, removed after it.
class TTempFolder {
public:
    TTempFolder()
    {
        Dir = fs::temp_directory_path() / ("locsrc-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    ~TTempFolder() { fs::remove_all(Dir); }
    std::string Path(const std::string& Name = "") const { return (Dir / Name).string(); }

private:
    fs::path Dir;
};

std::vector<std::string> PlaceNames(const TLocationSourceDatabase& D)
{
    std::vector<std::string> Out;
    for (const TLocationSourceStation& S : D.Stations)
        Out.push_back(S.Record.Name + ", " + S.Region + " " + std::to_string(S.Record.RegionCode));
    return Out;
}

} // namespace

TEST(LocationSource, StationsGoToTheirRegionsSortedAndTellableApart)
{
    const TLocationSource Source = SmallSource();
    ASSERT_EQ(Source.Databases.size(), 2u);
    EXPECT_EQ(Source.Databases[0].Name, "North and Central America");
    EXPECT_EQ(Source.Databases[0].Group, 4);
    EXPECT_EQ(PlaceNames(Source.Databases[0]),
              (std::vector<std::string>{"AURORA, Illinois 1", "ROCKFORD, Illinois 1",
                                        "GANDER, Newfoundland and Labrador 2"}));
    EXPECT_EQ(Source.Databases[1].Name, "Europe");
    EXPECT_EQ(PlaceNames(Source.Databases[1]),
              (std::vector<std::string>{"MARIEHAMN, \xC3\x85land Islands 1", "PRISTINA, Kosovo 2",
                                        "KALMAR 26700, Sweden 3", "KALMAR 26720, Sweden 3"}));
    EXPECT_EQ(Source.Databases[1].Stations[0].Record.GroupCode, 6);

    // A shared name too long for its number is cut to make room.
    const std::string Long = "ABCDEFGHIJKLMNOPQRSTUVWXYZABC";
    const TLocationSource Cut =
        ParseLocationSource(Table("6,SWE,," + Long + ",1" + Values + "6,SWE,," + Long + ",123456" + Values), "t.csv", Names);
    EXPECT_EQ(Cut.Databases[0].Stations[0].Record.Name, "ABCDEFGHIJKLMNOPQRSTUVWX 123456");
    EXPECT_EQ(Cut.Databases[0].Stations[1].Record.Name, Long + " 1");
}

TEST(LocationSource, StationsLackingAValueAreLeftOutAndCounted)
{
    const TLocationSource Source =
        ParseLocationSource(Table("6,SWE,,KALMAR,1,45,5,1,120,31,N_A,-5,12,N_A,N_A,10\n"
                                  "6,SWE,,VISBY,2,45,5,1,120,31,20,-5,,34,-9,10\n"
                                  "6,SWE,,LUND,3" + Values + ",,,,\n"),
                            "t.csv", Names);
    ASSERT_EQ(Source.StationCount(), 1u);
    EXPECT_EQ(Source.Databases[0].Stations[0].Record.Name, "LUND");
    EXPECT_EQ(Source.LeftOut, 2u);
    EXPECT_EQ(Source.MissingByColumn,
              (std::map<std::string, std::size_t>{{"WB_DB004", 1}, {"DBmax_mean", 1}, {"DBmin_mean", 1}, {"WS010", 1}}));
}

TEST(LocationSource, UnreadableSourcesNameTheirFault)
{
    const struct {
        std::string Text;
        const char* Part;
    } Cases[] = {
        {"Region,Country\n6,SWE\n", "t.csv: no row names the columns"},
        {Table("6,SWE,,LUND,3,45\n"), "t.csv:4: 6 fields, 16 expected"},
        {Table("6,SWE,,LUND,3,45,five,1,120,31,20,-5,12,34,-9,10\n"), "Long \"five\" is not a number"},
        {Table("8,SWE,,LUND,3" + Values), "WMO region \"8\" is not one of 1 to 7"},
        {Table("6,XXX,,LUND,3" + Values), "country code \"XXX\" has no name"},
        {Table("4,USA,ZZ,LUND,3" + Values), "state code \"USA-ZZ\" has no name"},
        {Table("6,SWE,,\"LUND,3" + Values), "unclosed quote"},
    };
    for (const auto& C : Cases) {
        try {
            ParseLocationSource(C.Text, "t.csv", Names);
            ADD_FAILURE() << C.Part;
        } catch (const ELocationSourceError& E) {
            EXPECT_NE(std::string(E.what()).find(C.Part), std::string::npos) << E.what();
        }
    }
    EXPECT_THROW(ReadLocationSource("/nonexistent/table.csv", Names), ELocationSourceError);
}

TEST(LocationSource, RegionNamesComeFromIsoCodes)
{
    const TTempFolder Folder;
    std::ofstream(Folder.Path("1.json"))
        << R"({"3166-1": [{"alpha_2": "BO", "alpha_3": "BOL", "name": "Bolivia, Plurinational State of",
                          "common_name": "Bolivia"}, {"alpha_2": "US", "alpha_3": "USA", "name": "United States"}]})";
    std::ofstream(Folder.Path("2.json")) << R"({"3166-2": [{"code": "US-IL", "name": "Illinois", "type": "State"}]})";
    const TRegionNames Read = ReadRegionNames(Folder.Path("1.json"), Folder.Path("2.json"));
    EXPECT_EQ(Read.Countries, (std::map<std::string, std::string>{{"BOL", "Bolivia"}, {"USA", "United States"}}));
    EXPECT_EQ(Read.Subdivisions, (std::map<std::string, std::string>{{"USA-IL", "Illinois"}}));
    std::ofstream(Folder.Path("2.json")) << R"({"3166-2": [{"code": 7}]})";
    EXPECT_THROW(ReadRegionNames(Folder.Path("1.json"), Folder.Path("2.json")), ELocationSourceError);
}

TEST(LocationSource, ChecksFindEveryKindOfFault)
{
    const struct {
        void (*Spoil)(TLocationSource&);
        const char* Problem;
    } Cases[] = {
        {[](TLocationSource& S) { S.Databases[1].Stations[0].Record.CoolingWetBulb = 40; }, "wet bulb is above its dry bulb"},
        {[](TLocationSource& S) { S.Databases[1].Stations[0].Record.Latitude = 91; }, "Lat 91"},
        {[](TLocationSource& S) { S.Databases[1].Stations[0].Record.DryBulbRange = NAN; }, "DBR nan"},
        {[](TLocationSource& S) { S.Databases[1].Stations[0].Record.HeatingDryBulb = 33; }, "heating dry bulb is above"},
        {[](TLocationSource& S) { S.Databases[1].Stations[0].Record.Name = std::string(32, 'X'); }, "longer than 31"},
        {[](TLocationSource& S) { S.Databases[1].Stations[0].Record.Name = "\xD0\x9A"; }, "no Windows-1252 form"},
        {[](TLocationSource& S) { S.Databases[1].Stations[0].Record.Name = "A, B"; }, "cannot hold"},
        {[](TLocationSource& S) { S.Databases[1].Stations[3].Record.Name = "KALMAR 26700"; }, "listed twice"},
        {[](TLocationSource& S) { S.Databases[1].Regions[0].first = "Ger=many"; }, "cannot hold"},
        {[](TLocationSource& S) { S.Databases[1].Regions[0].second = 2; }, "is not positive or repeats"},
        {[](TLocationSource& S) { S.Databases[1].Group = 4; }, "group code 4"},
    };
    for (const auto& C : Cases) {
        TLocationSource Source = SmallSource();
        C.Spoil(Source);
        const std::string Problems = testing::PrintToString(CheckLocationSource(Source));
        EXPECT_NE(Problems.find(C.Problem), std::string::npos) << C.Problem << " not among " << Problems;
    }
    EXPECT_EQ(CheckLocationSource(SmallSource()), std::vector<std::string>{});
}

TEST(LocationSource, WrittenDatabaseReadsBackThroughThePicker)
{
    const TTempFolder Folder;
    const TLocationSource Source = SmallSource();
    const std::string Out = Folder.Path() + "/";
    WriteLocationDatabase(Out, Source);
    EXPECT_EQ(CheckBuiltLocationDatabase(Out, Source), std::vector<std::string>{});
    EXPECT_EQ(fs::file_size(Out + "Europe.wdb"), 4 * 84u);
    EXPECT_EQ(fs::file_size(Out + "+All.wdb"), 7 * 84u);
    EXPECT_EQ(RegionIndexText(Source), "[+All]\r\nNorth and Central America=4\r\nEurope=6\r\n\r\n"
                                       "[North and Central America]\r\nIllinois=1\r\nNewfoundland and Labrador=2\r\n"
                                       "\r\n[Europe]\r\n\xC5land Islands=1\r\nKosovo=2\r\nSweden=3\r\n");

    // A damaged file is caught by the read-back.
    std::ofstream(Out + "Europe.wdb", std::ios::binary | std::ios::app) << std::string(84, '\0');
    EXPECT_FALSE(CheckBuiltLocationDatabase(Out, Source).empty());
}

#ifdef VENTRIX_COMMON_DATA_DIR
namespace {

// The published table as the test reads it for itself: the column names,
// then the station rows.
struct TPublished {
    std::vector<std::string> Columns;
    std::vector<std::vector<std::string>> Rows;

    TPublished()
    {
        std::ifstream File(VENTRIX_LOCATIONS_TABLE);
        for (std::string Line; std::getline(File, Line);) {
            std::vector<std::string> Fields;
            std::stringstream Split(Line);
            for (std::string F; std::getline(Split, F, ',');)
                Fields.push_back(F);
            if (Columns.empty() && Line.rfind("Region,Country,ProvState,Station,WMO#,Lat,Long,Elev,StdP,TZ,", 0) == 0)
                Columns = Fields;
            else if (!Columns.empty() && !Fields.empty() && !Fields[0].empty())
                Rows.push_back(Fields);
        }
    }
    std::string Value(const std::vector<std::string>& Row, const std::string& Column) const
    {
        const auto At = std::find(Columns.begin(), Columns.end(), Column);
        return At == Columns.end() ? "" : Row.at(static_cast<std::size_t>(At - Columns.begin()));
    }
};

TLocationSource BuiltSource()
{
    return ReadLocationSource(VENTRIX_LOCATIONS_TABLE,
                              ReadRegionNames(VENTRIX_ISO_CODES_DIR "/iso_3166-1.json", VENTRIX_ISO_CODES_DIR "/iso_3166-2.json"));
}

} // namespace

TEST(LocationSource, TheBuiltDatabaseCoversTheWorld)
{
    const TLocationSource Source = BuiltSource();
    EXPECT_EQ(CheckBuiltLocationDatabase(VENTRIX_COMMON_DATA_DIR, Source), std::vector<std::string>{});
    std::set<std::string> Databases;
    for (const TLocationSourceDatabase& D : Source.Databases) {
        Databases.insert(D.Name);
        for (const TLocationSourceStation& S : D.Stations)
            EXPECT_TRUE(LocationAltitudeInRange(S.Record.Altitude)) << S.Where;
    }
    EXPECT_EQ(Databases, (std::set<std::string>{"Africa", "Antarctica", "Asia", "Europe", "North and Central America",
                                                "South America", "South-west Pacific"}));
    EXPECT_EQ(Source.StationCount() + Source.LeftOut, TPublished().Rows.size());
}

TEST(LocationSource, BuiltRecordsHoldThePublishedValues)
{
    const struct {
        const char* Wmo;
        const char* Database;
        const char* Place; // as the picker lists it
        const char* Region;
    } Cases[] = {
        {"623660", "Africa", "CAIRO AIRPORT", "Egypt"},
        {"476620", "Asia", "TOKYO", "Japan"},
        {"852010", "South America", "LA PAZ/ALTO", "Bolivia"},
        {"725300", "North and Central America", "CHICAGO/O'HARE ARPT", "Illinois"},
        {"486980", "South-west Pacific", "SINGAPORE/CHANGI AI", "Singapore"},
        {"29740", "Europe", "HELSINKI-VANTAA", "Finland"},
        {"26720", "Europe", "KALMAR 26720", "Sweden"},
        {"896110", "Antarctica", "CASEY", "Antarctica"},
    };
    const char* Fields[] = {"Lat", "Long", "TZ", "Elev", "DB004", "WB_DB004", "DB996", "WS010", "DBmax_mean",
                            "DBmin_mean", "DBR"};
    const TPublished Table;
    TLocationPicker Picker(VENTRIX_COMMON_DATA_DIR);
    ASSERT_EQ(Picker.Activate(), "");
    for (const auto& C : Cases) {
        const auto Row = std::find_if(Table.Rows.begin(), Table.Rows.end(),
                                      [&](const auto& R) { return Table.Value(R, "WMO#") == C.Wmo; });
        ASSERT_NE(Row, Table.Rows.end()) << C.Wmo;
        const auto& Groups = Picker.Regions(); // "+All" lists the databases
        Picker.SelectRegion(static_cast<int>(std::find(Groups.begin(), Groups.end(), C.Database) - Groups.begin()));
        const auto& Places = Picker.Places();
        const auto Place = std::find_if(Places.begin(), Places.end(), [&](const TLocRec& L) { return L.Name == C.Place; });
        ASSERT_NE(Place, Places.end()) << C.Place;
        Picker.SelectPlace(static_cast<int>(Place - Places.begin()));
        EXPECT_EQ(Picker.LocationText(), std::string(C.Place) + ", " + C.Region);
        const TLocationRecord& R = Picker.Record();
        const float Stored[] = {R.Latitude,       R.Longitude,      R.TimeZone,  R.Altitude,   R.CoolingDryBulb, R.CoolingWetBulb,
                                R.HeatingDryBulb, R.WindSpeed,      R.MaxDryBulb, R.MinDryBulb, R.DryBulbRange};
        for (std::size_t F = 0; F < std::size(Fields); ++F)
            EXPECT_FLOAT_EQ(Stored[F], std::stof(Table.Value(*Row, Fields[F]))) << C.Place << " " << Fields[F];
    }
}
#endif
