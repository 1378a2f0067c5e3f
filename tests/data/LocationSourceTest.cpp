#include "data/builder/LocationSource.h"
#include "locations/LocationPicker.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {

const std::string StationHeader = "region,place,latitude,longitude,time_zone,altitude,cooling_db,cooling_wb,"
                                  "heating_db,wind_speed,max_db,min_db,db_range,sources\n";

// A source folder made for a test, holding the given files.
class TSourceFolder {
public:
    explicit TSourceFolder(const std::map<std::string, std::string>& Files)
    {
        Dir = fs::temp_directory_path() /
              ("locsrc-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir / "out");
        for (const auto& [Name, Text] : Files)
            std::ofstream(Dir / Name, std::ios::binary) << Text;
    }
    ~TSourceFolder() { fs::remove_all(Dir); }
    std::string Path() const { return Dir.string(); }
    std::string Out() const { return (Dir / "out").string() + "/"; }

private:
    fs::path Dir;
};

std::map<std::string, std::string> SmallSource()
{
    return {{"databases.csv", "# test\ndatabase,group\nEurope,4\nOceania,6\n"},
            {"regions.csv", "database,region,code\nEurope,France,1\nEurope,Germany,2\nOceania,New South Wales,1\n"},
            {"Europe.csv", StationHeader + "France,Paris,49.01,2.55,1,119,31.2,20.1,-4.5,4.1,25.6,2.9,10.4,\"a, b\"\n"
                                           "Germany,Berlin,52.36,13.5,1,47,31.0,19.5,-11.9,3.9,24.3,-2.3,9.8,src\n"
                                           "France,Nice,43.66,7.22,1,4,31.0,23.0,1.0,3.5,28.0,5.0,6.0,src\n"},
            {"Oceania.csv", StationHeader + "New South Wales,Sydney,-33.95,151.18,10,6,32.0,21.5,5.5,4.5,26.5,7.9,"
                                            "7.6,\"say \"\"estimated\"\"\"\n"}};
}

} // namespace

TEST(LocationSource, CsvRowsQuotesAndComments)
{
    const auto Rows = ParseLocationTable("# comment\r\na,b\r\n1,\"x, \"\"y\"\"\"\r\n\r\n\"\",3\n", "t.csv", {"a", "b"});
    ASSERT_EQ(Rows.size(), 2u);
    EXPECT_EQ(Rows[0][1], "x, \"y\"");
    EXPECT_EQ(Rows[0][2], "t.csv:3"); // where the row came from
    EXPECT_EQ(Rows[1][0], "");

    const struct {
        const char* Text;
        const char* Message;
    } Bad[] = {{"a,c\n", "t.csv:1: the header is not the expected one"},
               {"a,b\n1,2,3\n", "t.csv:2: 3 fields, 2 expected"},
               {"a,b\n1,\"2\n", "t.csv:2: unclosed quote"},
               {"a,b\n1,\"2\"x\n", "t.csv:2: text after a closing quote"},
               {"# only\n", "t.csv: no header"}};
    for (const auto& C : Bad) {
        try {
            ParseLocationTable(C.Text, "t.csv", {"a", "b"});
            ADD_FAILURE() << C.Text;
        } catch (const ELocationSourceError& E) {
            EXPECT_STREQ(E.what(), C.Message);
        }
    }
}

TEST(LocationSource, UnreadableSourcesNameTheirFault)
{
    const struct {
        const char* File;
        std::string Text;
        const char* Part;
    } Cases[] = {
        {"Europe.csv", StationHeader + "Spain,Madrid,40,-3,1,600,38,21,-3,3,32,1,14,s\n", "region \"Spain\" is not listed"},
        {"Europe.csv", StationHeader + "France,Lyon,45,five,1,200,33,21,-6,3,28,1,12,s\n", "longitude \"five\" is not a number"},
        {"regions.csv", "database,region,code\nAsia,Japan,1\n", "database \"Asia\" is not listed"},
        {"regions.csv", "database,region,code\nEurope,France,1.5\n", "\"1.5\" is not an integer"},
        {"Oceania.csv", "", "Oceania.csv: no header"},
    };
    for (const auto& C : Cases) {
        auto Files = SmallSource();
        Files[C.File] = C.Text;
        const TSourceFolder Folder(Files);
        try {
            ReadLocationSource(Folder.Path());
            ADD_FAILURE() << C.Part;
        } catch (const ELocationSourceError& E) {
            EXPECT_NE(std::string(E.what()).find(C.Part), std::string::npos) << E.what();
        }
    }
    const TSourceFolder Empty({});
    EXPECT_THROW(ReadLocationSource(Empty.Path()), ELocationSourceError);
}

TEST(LocationSource, ChecksFindEveryKindOfFault)
{
    const struct {
        const char* File;
        std::string Text;
        const char* Problem;
    } Cases[] = {
        {"Europe.csv", StationHeader + "France,Paris,49,2,1,119,31,32,-4,4,25,2,10,s\n", "wet bulb is above its dry bulb"},
        {"Europe.csv", StationHeader + "France,Paris,91,2,1,119,31,20,-4,4,25,2,10,s\n", "latitude 91"},
        {"Europe.csv", StationHeader + "France,Paris,49,2,1,119,31,20,-4,4,25,2,nan,s\n", "db_range nan"},
        {"Europe.csv", StationHeader + "France,Paris,49,2,1,12000,31,20,-4,4,25,2,10,s\n", "altitude 12000"},
        {"Europe.csv", StationHeader + "France,Paris,49,2,1,119,31,20,-4,4,25,2,10,\n", "no sources named"},
        {"Europe.csv", StationHeader + "France,A place name of thirty-two chars,49,2,1,1,31,20,-4,4,25,2,10,s\n",
         "longer than 31 characters"},
        {"Europe.csv", StationHeader + "France,\xD0\x9A\xD0\xB8\xD0\xB5\xD0\xB2,49,2,1,1,31,20,-4,4,25,2,10,s\n",
         "no Windows-1252 form"},
        {"Europe.csv", StationHeader + "France,Paris,49,2,1,1,31,20,-4,4,25,2,10,s\nFrance,Paris,49,2,1,1,31,20,-4,4,25,2,10,s\n",
         "\"Paris, France\" is listed twice"},
        {"Europe.csv", StationHeader + "France,Paris,49,2,1,1,31,20,40,4,25,2,10,s\n", "heating_db 40"},
        {"Europe.csv", StationHeader, "the database has no places"},
        {"regions.csv", "database,region,code\nEurope,France,1\nEurope,Germany,1\nOceania,New South Wales,1\n",
         "region code 1 of \"Germany\" is not positive or repeats"},
        {"regions.csv", "database,region,code\nEurope,France,0\nEurope,Germany,2\nOceania,New South Wales,1\n",
         "region code 0"},
        {"regions.csv", "database,region,code\nEurope,France,1\nEurope,Germany,2\nEurope,Ger=many,3\nOceania,New South Wales,1\n",
         "\"Ger=many\" has a character it cannot hold"},
        {"databases.csv", "database,group\nEurope,4\nOceania,4\n", "group code 4 is not positive or repeats"},
    };
    for (const auto& C : Cases) {
        auto Files = SmallSource();
        Files[C.File] = C.Text;
        const TSourceFolder Folder(Files);
        const std::vector<std::string> Problems = CheckLocationSource(ReadLocationSource(Folder.Path()));
        bool Found = false;
        for (const std::string& P : Problems)
            Found = Found || P.find(C.Problem) != std::string::npos;
        EXPECT_TRUE(Found) << C.Problem << " not among " << testing::PrintToString(Problems);
    }
    const TSourceFolder Good(SmallSource());
    EXPECT_EQ(CheckLocationSource(ReadLocationSource(Good.Path())), std::vector<std::string>{});
}

TEST(LocationSource, WrittenDatabaseReadsBackThroughThePicker)
{
    const TSourceFolder Folder(SmallSource());
    const TLocationSource Source = ReadLocationSource(Folder.Path());
    WriteLocationDatabase(Folder.Out(), Source);
    EXPECT_EQ(CheckBuiltLocationDatabase(Folder.Out(), Source), std::vector<std::string>{});
    EXPECT_EQ(fs::file_size(Folder.Out() + "Europe.wdb"), 3 * 84u);
    EXPECT_EQ(fs::file_size(Folder.Out() + "+All.wdb"), 4 * 84u);
    EXPECT_EQ(RegionIndexText(Source), "[+All]\r\nEurope=4\r\nOceania=6\r\n\r\n[Europe]\r\nFrance=1\r\nGermany=2\r\n"
                                       "\r\n[Oceania]\r\nNew South Wales=1\r\n");

    // A damaged file is caught by the read-back.
    std::ofstream(Folder.Out() + "Oceania.wdb", std::ios::binary | std::ios::app) << std::string(84, '\0');
    EXPECT_FALSE(CheckBuiltLocationDatabase(Folder.Out(), Source).empty());
}

#ifdef VENTRIX_COMMON_DATA_DIR
TEST(LocationSource, TheBuiltDatabaseCoversTheWorld)
{
    const TLocationSource Source = ReadLocationSource(VENTRIX_LOCATIONS_SOURCE_DIR);
    EXPECT_EQ(CheckBuiltLocationDatabase(VENTRIX_COMMON_DATA_DIR, Source), std::vector<std::string>{});
    std::set<std::string> Databases;
    for (const TLocationSourceDatabase& D : Source.Databases) {
        Databases.insert(D.Name);
        EXPECT_GE(D.Stations.size(), 2u) << D.Name;
        for (const TLocationSourceStation& S : D.Stations) {
            EXPECT_TRUE(LocationAltitudeInRange(S.Record.Altitude)) << S.Where;
            EXPECT_NE(S.Sources.find("OurAirports"), std::string::npos) << S.Where;
        }
    }
    EXPECT_EQ(Databases, (std::set<std::string>{"Africa", "Antarctica", "Asia", "Europe", "North America",
                                                "Oceania", "South America"}));
    EXPECT_GE(Source.StationCount(), 200u);

    TLocationPicker Picker(VENTRIX_COMMON_DATA_DIR);
    EXPECT_EQ(Picker.Activate(), "");
    EXPECT_EQ(Picker.Databases().size(), Source.Databases.size() + 1);
}
#endif
