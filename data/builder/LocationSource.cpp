#include "data/builder/LocationSource.h"

#include "foundation/AtomicSave.h"
#include "foundation/Cp1252Text.h"
#include "foundation/FileHelpers.h"
#include "locations/LocationPicker.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string_view>

namespace {

const std::vector<std::string> DatabaseColumns = {"database", "group"};
const std::vector<std::string> RegionColumns = {"database", "region", "code"};
const std::vector<std::string> StationColumns = {
    "region",     "place",      "latitude", "longitude", "time_zone", "altitude", "cooling_db",
    "cooling_wb", "heating_db", "wind_speed", "max_db",  "min_db",    "db_range", "sources"};

std::string ReadWholeFile(const std::string& FileName)
{
    std::ifstream File(FileName, std::ios::binary);
    if (!File)
        throw ELocationSourceError(FileName + ": cannot be read");
    return std::string(std::istreambuf_iterator<char>(File), {});
}

// The fields of one CSV line.
std::vector<std::string> SplitCsvLine(const std::string& Line, const std::string& Where)
{
    std::vector<std::string> Fields;
    std::string Field;
    bool Quoted = false;
    bool WasQuoted = false;
    for (std::size_t I = 0; I < Line.size(); ++I) {
        const char C = Line[I];
        if (Quoted) {
            if (C == '"' && I + 1 < Line.size() && Line[I + 1] == '"') {
                Field += '"';
                ++I;
            } else if (C == '"') {
                Quoted = false;
            } else {
                Field += C;
            }
        } else if (C == '"' && Field.empty() && !WasQuoted) {
            Quoted = WasQuoted = true;
        } else if (C == ',') {
            Fields.push_back(Field);
            Field.clear();
            WasQuoted = false;
        } else if (WasQuoted) {
            throw ELocationSourceError(Where + ": text after a closing quote");
        } else {
            Field += C;
        }
    }
    if (Quoted)
        throw ELocationSourceError(Where + ": unclosed quote");
    Fields.push_back(Field);
    return Fields;
}

double Number(const std::string& Text, const std::string& Column, const std::string& Where)
{
    char* End = nullptr;
    const double V = std::strtod(Text.c_str(), &End);
    if (Text.empty() || *End != '\0')
        throw ELocationSourceError(Where + ": " + Column + " \"" + Text + "\" is not a number");
    return V;
}

int Integer(const std::string& Text, const std::string& Column, const std::string& Where)
{
    const double V = Number(Text, Column, Where);
    if (V != std::floor(V) || std::fabs(V) > 1e9)
        throw ELocationSourceError(Where + ": " + Column + " \"" + Text + "\" is not an integer");
    return static_cast<int>(V);
}

struct TRange {
    const char* Column;
    float TLocationRecord::*Field;
    double Low, High;
};

// The plausible range of every value, the polar plateau included; the
// altitude stays well within what the barometer accepts from a place.
const TRange Ranges[] = {
    {"latitude", &TLocationRecord::Latitude, -90, 90},
    {"longitude", &TLocationRecord::Longitude, -180, 180},
    {"time_zone", &TLocationRecord::TimeZone, -12, 14},
    {"altitude", &TLocationRecord::Altitude, -500, 5500},
    {"cooling_db", &TLocationRecord::CoolingDryBulb, -40, 55},
    {"cooling_wb", &TLocationRecord::CoolingWetBulb, -45, 36},
    {"heating_db", &TLocationRecord::HeatingDryBulb, -90, 30},
    {"wind_speed", &TLocationRecord::WindSpeed, 0, 30},
    {"max_db", &TLocationRecord::MaxDryBulb, -30, 50},
    {"min_db", &TLocationRecord::MinDryBulb, -80, 32},
    {"db_range", &TLocationRecord::DryBulbRange, 0, 30},
};

std::string WithWhere(const std::string& Where, const std::string& Problem)
{
    return Where + ": " + Problem;
}

// Place names may not hold a comma (a location text splits there); index
// names may not hold what the index's lines use, nor blanks at their ends.
void CheckName(const std::string& Kind, const std::string& Name, const std::string& Where,
               std::vector<std::string>& Problems)
{
    std::string Bytes;
    if (Name.empty())
        Problems.push_back(WithWhere(Where, "the " + Kind + " name is empty"));
    else if (!Utf8ToCp1252(Name, Bytes))
        Problems.push_back(WithWhere(Where, "the " + Kind + " name \"" + Name + "\" has no Windows-1252 form"));
    else if (Bytes.size() > MaxLocationNameLength)
        Problems.push_back(WithWhere(Where, "the " + Kind + " name \"" + Name + "\" is longer than 31 characters"));
    const bool IndexName = Kind != "place";
    bool Bad = Name.find(',') != std::string::npos && !IndexName;
    for (char C : Name)
        Bad = Bad || static_cast<unsigned char>(C) < 0x20 ||
              (IndexName && std::string_view("[]=;").find(C) != std::string_view::npos);
    if (IndexName && !Name.empty() && (Name.front() == ' ' || Name.back() == ' '))
        Bad = true;
    if (Bad)
        Problems.push_back(WithWhere(Where, "the " + Kind + " name \"" + Name + "\" has a character it cannot hold"));
}

} // namespace

std::size_t TLocationSource::StationCount() const
{
    std::size_t N = 0;
    for (const TLocationSourceDatabase& D : Databases)
        N += D.Stations.size();
    return N;
}

std::vector<std::vector<std::string>> ParseLocationTable(const std::string& Text, const std::string& FileName,
                                                         const std::vector<std::string>& Columns)
{
    std::vector<std::vector<std::string>> Rows;
    bool HeaderSeen = false;
    std::size_t Start = 0;
    int LineNumber = 0;
    while (Start < Text.size()) {
        std::size_t End = Text.find('\n', Start);
        if (End == std::string::npos)
            End = Text.size();
        std::string Line = Text.substr(Start, End - Start);
        Start = End + 1;
        ++LineNumber;
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();
        if (Line.empty() || Line.front() == '#')
            continue;
        const std::string Where = FileName + ":" + std::to_string(LineNumber);
        std::vector<std::string> Fields = SplitCsvLine(Line, Where);
        if (!HeaderSeen) {
            if (Fields != Columns)
                throw ELocationSourceError(Where + ": the header is not the expected one");
            HeaderSeen = true;
            continue;
        }
        if (Fields.size() != Columns.size())
            throw ELocationSourceError(Where + ": " + std::to_string(Fields.size()) + " fields, " +
                                       std::to_string(Columns.size()) + " expected");
        Fields.push_back(Where);
        Rows.push_back(std::move(Fields));
    }
    if (!HeaderSeen)
        throw ELocationSourceError(FileName + ": no header");
    return Rows;
}

TLocationSource ReadLocationSource(const std::string& Folder)
{
    const std::string Dir = IncludeTrailingPathDelimiter(Folder);
    TLocationSource Source;
    std::map<std::string, std::size_t> DatabaseAt;
    for (const auto& Row : ParseLocationTable(ReadWholeFile(Dir + "databases.csv"), "databases.csv", DatabaseColumns)) {
        TLocationSourceDatabase D;
        D.Name = Row[0];
        D.Group = Integer(Row[1], "group", Row[2]);
        DatabaseAt.emplace(D.Name, Source.Databases.size());
        Source.Databases.push_back(std::move(D));
    }
    for (const auto& Row : ParseLocationTable(ReadWholeFile(Dir + "regions.csv"), "regions.csv", RegionColumns)) {
        const auto Db = DatabaseAt.find(Row[0]);
        if (Db == DatabaseAt.end())
            throw ELocationSourceError(Row[3] + ": the database \"" + Row[0] + "\" is not listed");
        Source.Databases[Db->second].Regions.emplace_back(Row[1], Integer(Row[2], "code", Row[3]));
    }
    for (TLocationSourceDatabase& D : Source.Databases) {
        const std::string FileName = D.Name + ".csv";
        for (const auto& Row : ParseLocationTable(ReadWholeFile(Dir + FileName), FileName, StationColumns)) {
            const std::string& Where = Row.back();
            TLocationSourceStation S;
            S.Region = Row[0];
            S.Where = Where;
            S.Sources = Row[13];
            TLocationRecord& R = S.Record;
            R.Name = Row[1];
            R.GroupCode = D.Group;
            bool Found = false;
            for (const auto& [Name, Code] : D.Regions)
                if (Name == S.Region && !Found) {
                    R.RegionCode = Code;
                    Found = true;
                }
            if (!Found)
                throw ELocationSourceError(Where + ": the region \"" + S.Region + "\" is not listed for " + D.Name);
            for (std::size_t C = 0; C < std::size(Ranges); ++C)
                R.*Ranges[C].Field = static_cast<float>(Number(Row[C + 2], Ranges[C].Column, Where));
            D.Stations.push_back(std::move(S));
        }
    }
    return Source;
}

std::vector<std::string> CheckLocationSource(const TLocationSource& Source)
{
    std::vector<std::string> Problems;
    std::set<std::string> DatabaseNames;
    std::set<int> Groups;
    if (Source.Databases.empty())
        Problems.push_back("no databases");
    for (const TLocationSourceDatabase& D : Source.Databases) {
        const std::string Where = "databases.csv: " + D.Name;
        CheckName("database", D.Name, "databases.csv", Problems);
        if (D.Name.find_first_of("/\\") != std::string::npos || SameIndexName(D.Name, AllDatabaseName))
            Problems.push_back(WithWhere(Where, "not a usable database name"));
        if (!DatabaseNames.insert(D.Name).second)
            Problems.push_back(WithWhere(Where, "the database is listed twice"));
        if (D.Group <= 0 || !Groups.insert(D.Group).second)
            Problems.push_back(WithWhere(Where, "the group code " + std::to_string(D.Group) + " is not positive or repeats"));
        std::set<std::string> RegionNames;
        std::set<int> Codes;
        for (const auto& [Name, Code] : D.Regions) {
            CheckName("region", Name, "regions.csv", Problems);
            if (!RegionNames.insert(Name).second)
                Problems.push_back(WithWhere(Where, "the region \"" + Name + "\" is listed twice"));
            if (Code <= 0 || !Codes.insert(Code).second)
                Problems.push_back(WithWhere(Where, "the region code " + std::to_string(Code) + " of \"" + Name +
                                                        "\" is not positive or repeats"));
        }
        if (D.Stations.empty())
            Problems.push_back(WithWhere(Where, "the database has no places"));
        std::set<std::string> Places;
        for (const TLocationSourceStation& S : D.Stations) {
            const TLocationRecord& R = S.Record;
            CheckName("place", R.Name, S.Where, Problems);
            if (!Places.insert(R.Name + ", " + S.Region).second)
                Problems.push_back(WithWhere(S.Where, "\"" + R.Name + ", " + S.Region + "\" is listed twice"));
            for (const TRange& Range : Ranges) {
                const double V = R.*Range.Field;
                if (!std::isfinite(V) || V < Range.Low || V > Range.High)
                    Problems.push_back(WithWhere(S.Where, std::string(Range.Column) + " " + std::to_string(V) +
                                                              " is outside " + std::to_string(Range.Low) + ".." +
                                                              std::to_string(Range.High)));
            }
            if (R.CoolingWetBulb > R.CoolingDryBulb)
                Problems.push_back(WithWhere(S.Where, "the cooling wet bulb is above its dry bulb"));
            if (R.HeatingDryBulb > R.CoolingDryBulb)
                Problems.push_back(WithWhere(S.Where, "the heating dry bulb is above the cooling one"));
            if (R.MinDryBulb > R.MaxDryBulb)
                Problems.push_back(WithWhere(S.Where, "the minimum dry bulb is above the maximum"));
            if (S.Sources.empty())
                Problems.push_back(WithWhere(S.Where, "no sources named"));
        }
    }
    return Problems;
}

std::string RegionIndexText(const TLocationSource& Source)
{
    std::string Text = std::string("[") + AllDatabaseName + "]\r\n";
    for (const TLocationSourceDatabase& D : Source.Databases)
        Text += D.Name + "=" + std::to_string(D.Group) + "\r\n";
    for (const TLocationSourceDatabase& D : Source.Databases) {
        Text += "\r\n[" + D.Name + "]\r\n";
        for (const auto& [Name, Code] : D.Regions)
            Text += Name + "=" + std::to_string(Code) + "\r\n";
    }
    std::string Bytes;
    if (!Utf8ToCp1252(Text, Bytes))
        throw std::runtime_error("a name of the index has no Windows-1252 form");
    return Bytes;
}

void WriteLocationDatabase(const std::string& CommonDataDir, const TLocationSource& Source)
{
    auto Write = [&](const std::string& Name, const std::string& Bytes) {
        try {
            SaveFileAtomically(CommonDataDir + Name, Bytes);
        } catch (const EFileSaveError& Error) {
            throw std::runtime_error("cannot write " + CommonDataDir + Name + ": " + Error.what());
        }
    };
    std::string All;
    for (const TLocationSourceDatabase& D : Source.Databases) {
        std::string Records;
        for (const TLocationSourceStation& S : D.Stations)
            Records += EncodeLocationRecord(S.Record);
        Write(D.Name + ".wdb", Records);
        All += Records;
    }
    Write(std::string(AllDatabaseName) + ".wdb", All);
    Write(RegionIndexFileName, RegionIndexText(Source));
}

std::vector<std::string> CheckBuiltLocationDatabase(const std::string& CommonDataDir,
                                                    const TLocationSource& Source)
{
    std::vector<std::string> Problems;
    auto Expect = [&](bool Ok, const std::string& Problem) {
        if (!Ok)
            Problems.push_back("read back: " + Problem);
    };
    auto SameRecord = [](const TLocationRecord& A, const TLocationRecord& B) {
        return A.GroupCode == B.GroupCode && A.RegionCode == B.RegionCode && A.Name == B.Name &&
               EncodeLocationRecord(A) == EncodeLocationRecord(B);
    };
    TLocationPicker Picker(IncludeTrailingPathDelimiter(CommonDataDir));
    Expect(Picker.Activate().empty(), "the first database does not open");
    std::vector<std::string> Names = {AllDatabaseName};
    for (const TLocationSourceDatabase& D : Source.Databases)
        Names.push_back(D.Name);
    Expect(Picker.Databases() == Names, "the databases listed differ");
    if (Picker.Databases() != Names)
        return Problems;

    // Each record file holds its places and nothing else.
    std::size_t AllCount = 0;
    for (const TLocationSourceDatabase& D : Source.Databases) {
        TLocationFile File;
        Expect(File.Open(IncludeTrailingPathDelimiter(CommonDataDir) + D.Name + ".wdb") &&
                   File.RecordCount() == D.Stations.size(),
               D.Name + ".wdb: record count");
        AllCount += D.Stations.size();
    }
    TLocationFile AllFile;
    Expect(AllFile.Open(IncludeTrailingPathDelimiter(CommonDataDir) + AllDatabaseName + ".wdb") &&
               AllFile.RecordCount() == AllCount,
           "+All.wdb: record count");

    // Each database, region by region.
    for (std::size_t Db = 0; Db < Source.Databases.size(); ++Db) {
        const TLocationSourceDatabase& D = Source.Databases[Db];
        Expect(Picker.SelectDatabase(static_cast<int>(Db + 1)).empty(), D.Name + " does not open");
        std::vector<std::string> Regions;
        for (const auto& Region : D.Regions)
            Regions.push_back(Region.first);
        Expect(Picker.Regions() == Regions, D.Name + ": the regions listed differ");
        for (std::size_t R = 0; R < D.Regions.size() && R < Picker.Regions().size(); ++R) {
            Picker.SelectRegion(static_cast<int>(R));
            std::vector<const TLocationSourceStation*> Wanted;
            for (const TLocationSourceStation& S : D.Stations)
                if (S.Region == D.Regions[R].first)
                    Wanted.push_back(&S);
            Expect(Picker.Places().size() == Wanted.size(), D.Name + ", " + D.Regions[R].first + ": place count");
            for (std::size_t P = 0; P < Wanted.size() && P < Picker.Places().size(); ++P) {
                Picker.SelectPlace(static_cast<int>(P));
                Expect(Picker.HasRecord() && SameRecord(Picker.Record(), Wanted[P]->Record),
                       Wanted[P]->Where + ": the record read differs");
                Expect(Picker.LocationText() == Wanted[P]->Record.Name + ", " + Wanted[P]->Region,
                       Wanted[P]->Where + ": location text \"" + Picker.LocationText() + "\"");
            }
        }
    }

    // "+All": one group per database, with region names looked up.
    Expect(Picker.SelectDatabase(0).empty(), "+All does not open");
    for (std::size_t Db = 0; Db < Source.Databases.size() && Db < Picker.Regions().size(); ++Db) {
        const TLocationSourceDatabase& D = Source.Databases[Db];
        Picker.SelectRegion(static_cast<int>(Db));
        Expect(Picker.Places().size() == D.Stations.size(), "+All, " + D.Name + ": place count");
        for (std::size_t P = 0; P < D.Stations.size() && P < Picker.Places().size(); ++P) {
            Picker.SelectPlace(static_cast<int>(P));
            const TLocationSourceStation& S = D.Stations[P];
            Expect(Picker.HasRecord() && SameRecord(Picker.Record(), S.Record), S.Where + ": +All record differs");
            Expect(Picker.LocationText() == S.Record.Name + ", " + S.Region,
                   S.Where + ": +All location text \"" + Picker.LocationText() + "\"");
        }
    }
    return Problems;
}
