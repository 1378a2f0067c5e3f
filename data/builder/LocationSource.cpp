#include "data/builder/LocationSource.h"

#include "foundation/AtomicSave.h"
#include "foundation/Cp1252Text.h"
#include "foundation/DelimitedText.h"
#include "foundation/FileHelpers.h"
#include "locations/LocationPicker.h"
#include "locations/LocationRecord.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string_view>

namespace {

// The databases: the WMO regions of the stations, by code.
const char* const DatabaseNames[] = {"Africa",        "Asia",   "South America", "North and Central America",
                                     "South-west Pacific", "Europe", "Antarctica"};

// The columns that fill the record, and the plausible range of each value
// (sanity bounds that catch a misread column, not climate limits).
struct TColumn {
    const char* Name;
    float TLocationRecord::*Field;
    double Low, High;
};
const TColumn Columns[] = {
    {"Lat", &TLocationRecord::Latitude, -90, 90},
    {"Long", &TLocationRecord::Longitude, -180, 180},
    {"TZ", &TLocationRecord::TimeZone, -12, 14},
    {"Elev", &TLocationRecord::Altitude, LowestPlaceAltitude, HighestPlaceAltitude},
    {"DB004", &TLocationRecord::CoolingDryBulb, -40, 55},
    {"WB_DB004", &TLocationRecord::CoolingWetBulb, -45, 36},
    {"DB996", &TLocationRecord::HeatingDryBulb, -90, 30},
    {"WS010", &TLocationRecord::WindSpeed, 0, 75},
    {"DBmax_mean", &TLocationRecord::MaxDryBulb, -30, 60},
    {"DBmin_mean", &TLocationRecord::MinDryBulb, -90, 35},
    {"DBR", &TLocationRecord::DryBulbRange, 0, 30},
};
const char* const StationColumns[] = {"Region", "Country", "ProvState", "Station", "WMO#"};

std::string ReadWholeFile(const std::string& FileName)
{
    std::ifstream File(FileName, std::ios::binary);
    if (!File)
        throw ELocationSourceError(FileName + ": cannot be read");
    return std::string(std::istreambuf_iterator<char>(File), {});
}

double Number(const std::string& Text, const std::string& Column, const std::string& Where)
{
    char* End = nullptr;
    const double V = std::strtod(Text.c_str(), &End);
    if (Text.empty() || *End != '\0')
        throw ELocationSourceError(Where + ": " + Column + " \"" + Text + "\" is not a number");
    return V;
}

std::string WithWhere(const std::string& Where, const std::string& Problem)
{
    return Where + ": " + Problem;
}

// Names sort by their Windows-1252 letters without accents and case, so that
// "Côte d'Ivoire" stands among the C's.
std::string SortKey(const std::string& Name)
{
    static constexpr std::string_view Plain = "aaaaaaaceeeeiiiidnooooo*ouuuuytsaaaaaaaceeeeiiiidnooooo/ouuuuyty";
    std::string Bytes;
    if (!Utf8ToCp1252(Name, Bytes))
        return Name;
    for (char& C : Bytes) {
        const auto U = static_cast<unsigned char>(C);
        C = U >= 0xC0 ? Plain[U - 0xC0] : static_cast<char>(std::tolower(U));
    }
    return Bytes + '\0' + Name;
}

// Name with Suffix, the name cut so that both fit the record.
std::string FitPlaceName(const std::string& Name, const std::string& Suffix)
{
    std::string Bytes;
    if (!Utf8ToCp1252(Name, Bytes))
        return Name + Suffix; // refused by the checks
    Bytes.resize(std::min(Bytes.size(), MaxLocationNameLength - Suffix.size()));
    return std::string(TrimText(Cp1252ToUtf8(Bytes))) + Suffix;
}

// The region of a station: its state or province when it has one, else its
// country. Two codes of the source are not ISO 3166 codes: "UNK", its code
// for Kosovo, and "NF", the former code of Newfoundland and Labrador.
std::string RegionName(const TRegionNames& Names, const std::string& Country, const std::string& State,
                       const std::string& Where)
{
    if (State.empty()) {
        const auto Found = Names.Countries.find(Country);
        if (Found != Names.Countries.end())
            return Found->second;
        if (Country == "UNK")
            return "Kosovo";
        throw ELocationSourceError(Where + ": the country code \"" + Country + "\" has no name");
    }
    const std::string Code = Country + "-" + (Country == "CAN" && State == "NF" ? std::string("NL") : State);
    const auto Found = Names.Subdivisions.find(Code);
    if (Found == Names.Subdivisions.end())
        throw ELocationSourceError(Where + ": the state code \"" + Code + "\" has no name");
    return Found->second;
}

// Place names may not hold a comma (a location text splits there); index
// names may not hold what the index's lines use, nor blanks at their ends.
void CheckName(const std::string& Kind, const std::string& Name, const std::string& Where,
               std::vector<std::string>& Problems)
{
    std::string Bytes;
    const bool IndexName = Kind != "place";
    if (Name.empty())
        Problems.push_back(WithWhere(Where, "the " + Kind + " name is empty"));
    else if (!Utf8ToCp1252(Name, Bytes))
        Problems.push_back(WithWhere(Where, "the " + Kind + " name \"" + Name + "\" has no Windows-1252 form"));
    else if (!IndexName && Bytes.size() > MaxLocationNameLength)
        Problems.push_back(WithWhere(Where, "the " + Kind + " name \"" + Name + "\" is longer than 31 characters"));
    bool Bad = Name.find(',') != std::string::npos && !IndexName;
    for (char C : Name)
        Bad = Bad || static_cast<unsigned char>(C) < 0x20 ||
              (IndexName && std::string_view("[]=;").find(C) != std::string_view::npos);
    if (IndexName && !Name.empty() && (Name.front() == ' ' || Name.back() == ' '))
        Bad = true;
    if (Bad)
        Problems.push_back(WithWhere(Where, "the " + Kind + " name \"" + Name + "\" has a character it cannot hold"));
}

// Fills a database's regions and codes from its stations, sorts the
// stations and tells apart those of one region that share a name.
void ArrangeDatabase(TLocationSourceDatabase& D, const std::vector<std::string>& Wmo)
{
    std::map<std::string, std::string> RegionsByKey;
    for (const TLocationSourceStation& S : D.Stations)
        RegionsByKey.emplace(SortKey(S.Region), S.Region);
    std::map<std::string, int> Codes;
    for (const auto& [Key, Name] : RegionsByKey) {
        D.Regions.emplace_back(Name, static_cast<int>(D.Regions.size()) + 1);
        Codes[Name] = D.Regions.back().second;
    }
    std::map<std::pair<std::string, std::string>, int> Uses;
    for (const TLocationSourceStation& S : D.Stations)
        ++Uses[{S.Region, S.Record.Name}];
    for (std::size_t I = 0; I < D.Stations.size(); ++I) {
        TLocationSourceStation& S = D.Stations[I];
        S.Record.RegionCode = Codes[S.Region];
        if (Uses[{S.Region, S.Record.Name}] > 1)
            S.Record.Name = FitPlaceName(S.Record.Name, " " + Wmo[I]);
    }
    std::stable_sort(D.Stations.begin(), D.Stations.end(), [](const auto& A, const auto& B) {
        return std::pair(A.Record.RegionCode, SortKey(A.Record.Name)) <
               std::pair(B.Record.RegionCode, SortKey(B.Record.Name));
    });
}

} // namespace

std::size_t TLocationSource::StationCount() const
{
    std::size_t N = 0;
    for (const TLocationSourceDatabase& D : Databases)
        N += D.Stations.size();
    return N;
}

TRegionNames ReadRegionNames(const std::string& Iso3166_1File, const std::string& Iso3166_2File)
{
    auto Parse = [](const std::string& FileName, const char* List) {
        try {
            return nlohmann::json::parse(ReadWholeFile(FileName)).at(List);
        } catch (const nlohmann::json::exception& E) {
            throw ELocationSourceError(FileName + ": " + E.what());
        }
    };
    TRegionNames Names;
    std::map<std::string, std::string> Alpha3;
    try {
        for (const auto& C : Parse(Iso3166_1File, "3166-1")) {
            const std::string Code = C.at("alpha_3").get<std::string>();
            Names.Countries[Code] = C.value("common_name", C.at("name").get<std::string>());
            Alpha3[C.at("alpha_2").get<std::string>()] = Code;
        }
        for (const auto& S : Parse(Iso3166_2File, "3166-2")) {
            const std::string Code = S.at("code").get<std::string>();
            const auto Country = Alpha3.find(Code.substr(0, Code.find('-')));
            if (Country != Alpha3.end())
                Names.Subdivisions[Country->second + Code.substr(Code.find('-'))] = S.at("name").get<std::string>();
        }
    } catch (const nlohmann::json::exception& E) {
        throw ELocationSourceError(Iso3166_1File + ", " + Iso3166_2File + ": " + E.what());
    }
    return Names;
}

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

TLocationSource ParseLocationSource(const std::string& Text, const std::string& FileName, const TRegionNames& Names)
{
    const std::string Utf8 = Cp1252ToUtf8(Text);
    std::map<std::string, std::size_t> At; // column name -> index, once the names are seen
    std::size_t Width = 0;
    std::vector<TLocationSourceDatabase> ByGroup(std::size(DatabaseNames));
    std::vector<std::vector<std::string>> Wmo(std::size(DatabaseNames));
    TLocationSource Source;
    std::size_t Start = 0;
    int LineNumber = 0;
    while (Start < Utf8.size()) {
        std::size_t End = Utf8.find('\n', Start);
        if (End == std::string::npos)
            End = Utf8.size();
        std::string Line = Utf8.substr(Start, End - Start);
        Start = End + 1;
        ++LineNumber;
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();
        std::string Where = FileName + ":" + std::to_string(LineNumber);
        const std::vector<std::string> Fields = SplitCsvLine(Line, Where);
        if (At.empty()) {
            std::map<std::string, std::size_t> Named;
            for (std::size_t I = 0; I < Fields.size(); ++I)
                Named.emplace(Fields[I], I);
            bool All = std::all_of(std::begin(StationColumns), std::end(StationColumns),
                                   [&](const char* C) { return Named.count(C) > 0; });
            for (const TColumn& C : Columns)
                All = All && Named.count(C.Name) > 0;
            if (All) {
                At = std::move(Named);
                Width = Fields.size();
            }
            continue;
        }
        if (std::all_of(Fields.begin(), Fields.end(), [](const std::string& F) { return F.empty(); }))
            continue;
        if (Fields.size() != Width)
            throw ELocationSourceError(Where + ": " + std::to_string(Fields.size()) + " fields, " +
                                       std::to_string(Width) + " expected");
        auto Field = [&](const char* Column) { return std::string(TrimText(Fields[At.at(Column)])); };
        Where += " WMO " + Field("WMO#");
        const double Group = Number(Field("Region"), "Region", Where);
        if (Group != std::floor(Group) || Group < 1 || Group > static_cast<double>(std::size(DatabaseNames)))
            throw ELocationSourceError(Where + ": the WMO region \"" + Field("Region") + "\" is not one of 1 to 7");
        bool Missing = false;
        for (const TColumn& C : Columns)
            if (Field(C.Name).empty() || Field(C.Name) == "N_A") {
                ++Source.MissingByColumn[C.Name];
                Missing = true;
            }
        if (Missing) {
            ++Source.LeftOut;
            continue;
        }
        const auto G = static_cast<std::size_t>(Group) - 1;
        TLocationSourceStation S;
        S.Region = RegionName(Names, Field("Country"), Field("ProvState"), Where);
        S.Record.GroupCode = static_cast<std::int32_t>(Group);
        S.Record.Name = FitPlaceName(Field("Station"), "");
        for (const TColumn& C : Columns)
            S.Record.*C.Field = static_cast<float>(Number(Field(C.Name), C.Name, Where));
        S.Where = Where;
        ByGroup[G].Stations.push_back(std::move(S));
        Wmo[G].push_back(Field("WMO#"));
    }
    if (At.empty())
        throw ELocationSourceError(FileName + ": no row names the columns of the record");
    for (std::size_t G = 0; G < ByGroup.size(); ++G) {
        if (ByGroup[G].Stations.empty())
            continue;
        ByGroup[G].Name = DatabaseNames[G];
        ByGroup[G].Group = static_cast<int>(G) + 1;
        ArrangeDatabase(ByGroup[G], Wmo[G]);
        Source.Databases.push_back(std::move(ByGroup[G]));
    }
    return Source;
}

TLocationSource ReadLocationSource(const std::string& TableFile, const TRegionNames& Names)
{
    return ParseLocationSource(ReadWholeFile(TableFile), std::filesystem::path(TableFile).filename().string(), Names);
}

std::vector<std::string> CheckLocationSource(const TLocationSource& Source)
{
    std::vector<std::string> Problems;
    std::set<std::string> DatabaseNames;
    std::set<int> Groups;
    if (Source.Databases.empty())
        Problems.push_back("no databases");
    for (const TLocationSourceDatabase& D : Source.Databases) {
        const std::string Where = D.Name;
        CheckName("database", D.Name, Where, Problems);
        if (D.Name.find_first_of("/\\") != std::string::npos || SameIndexName(D.Name, AllDatabaseName))
            Problems.push_back(WithWhere(Where, "not a usable database name"));
        if (!DatabaseNames.insert(D.Name).second)
            Problems.push_back(WithWhere(Where, "the database is listed twice"));
        if (D.Group <= 0 || !Groups.insert(D.Group).second)
            Problems.push_back(WithWhere(Where, "the group code " + std::to_string(D.Group) + " is not positive or repeats"));
        std::set<std::string> RegionNames;
        std::set<int> Codes;
        for (const auto& [Name, Code] : D.Regions) {
            CheckName("region", Name, Where, Problems);
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
            for (const TColumn& C : Columns) {
                const double V = R.*C.Field;
                if (!std::isfinite(V) || V < C.Low || V > C.High)
                    Problems.push_back(WithWhere(S.Where, std::string(C.Name) + " " + std::to_string(V) +
                                                              " is outside " + std::to_string(C.Low) + ".." +
                                                              std::to_string(C.High)));
            }
            if (R.CoolingWetBulb > R.CoolingDryBulb)
                Problems.push_back(WithWhere(S.Where, "the cooling wet bulb is above its dry bulb"));
            if (R.HeatingDryBulb > R.CoolingDryBulb)
                Problems.push_back(WithWhere(S.Where, "the heating dry bulb is above the cooling one"));
            if (R.MinDryBulb > R.MaxDryBulb)
                Problems.push_back(WithWhere(S.Where, "the minimum dry bulb is above the maximum"));
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
