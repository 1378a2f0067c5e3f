#include "data/builder/FittingJson.h"

#include "fittings/FittingKeys.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <set>
#include <sstream>

using nlohmann::json;

namespace {

const std::set<std::string> EntryMembers = {
    "key",        "class",     "name",        "source",     "code",       "cmin",
    "cmax",       "inputNames", "inputDefaults", "aux1",    "aux2",       "paths",
    "axisNames",  "axisScales", "axisDefaults", "labelBefore", "labelAfter", "c",
    "xAxis",      "values",    "yAxis",       "table",      "factorAxis", "factors",
    "yAxes",      "zAxis",     "tables",      "sizeLimit",  "largeYAxes", "largeTables"};

const std::set<std::string> FileMembers = {"category", "title", "fittings"};

template <class T>
void Optional(const json& Entry, const char* Member, T& Target)
{
    const auto Found = Entry.find(Member);
    if (Found != Entry.end())
        Target = Found->get<T>();
}

template <class T>
T Required(const json& Entry, const char* Member)
{
    const auto Found = Entry.find(Member);
    if (Found == Entry.end())
        throw EFittingSourceError(std::string("missing \"") + Member + "\"");
    return Found->get<T>();
}

void RefuseUnknown(const json& Object, const std::set<std::string>& Known)
{
    for (const auto& Item : Object.items())
        if (!Known.count(Item.key()))
            throw EFittingSourceError("unknown member \"" + Item.key() + "\"");
}

std::vector<int> ParseScales(const json& Entry)
{
    std::vector<int> Scales;
    const auto Found = Entry.find("axisScales");
    if (Found == Entry.end())
        return Scales;
    for (const std::string& Name : Found->get<std::vector<std::string>>()) {
        if (Name == "lin")
            Scales.push_back(st_lin);
        else if (Name == "log")
            Scales.push_back(st_log);
        else
            throw EFittingSourceError("axis scale \"" + Name + "\" is neither \"lin\" nor \"log\"");
    }
    return Scales;
}

TDuctFittingDBEntry ParseEntry(const json& Entry)
{
    if (!Entry.is_object())
        throw EFittingSourceError("an entry is not an object");
    RefuseUnknown(Entry, EntryMembers);

    TDuctFittingDBEntry Result;
    Result.Key = Required<std::string>(Entry, "key");
    TFittingSource& S = Result.Source;
    S.ClassName = Required<std::string>(Entry, "class");
    S.Name = Required<std::string>(Entry, "name");
    if (Required<std::string>(Entry, "source").empty())
        throw EFittingSourceError("\"source\" must cite the literature the values come from");
    S.Code = Result.Key;
    Optional(Entry, "code", S.Code);
    S.CMin = Required<double>(Entry, "cmin");
    S.CMax = Required<double>(Entry, "cmax");
    Optional(Entry, "inputNames", S.InputNames);
    Optional(Entry, "inputDefaults", S.InputDefaults);
    Optional(Entry, "aux1", S.AuxList1);
    Optional(Entry, "aux2", S.AuxList2);
    Optional(Entry, "paths", S.PathNames);
    Optional(Entry, "axisNames", S.AxisNames);
    S.AxisScales = ParseScales(Entry);
    Optional(Entry, "axisDefaults", S.AxisDefaults);
    Optional(Entry, "labelBefore", S.LabelBefore);
    Optional(Entry, "labelAfter", S.LabelAfter);
    Optional(Entry, "c", S.C);
    Optional(Entry, "xAxis", S.XAxis);
    Optional(Entry, "values", S.Values);
    Optional(Entry, "yAxis", S.YAxis);
    Optional(Entry, "table", S.Table);
    Optional(Entry, "factorAxis", S.FactorAxis);
    Optional(Entry, "factors", S.Factors);
    Optional(Entry, "yAxes", S.YAxes);
    Optional(Entry, "zAxis", S.ZAxis);
    Optional(Entry, "tables", S.Tables);
    Optional(Entry, "sizeLimit", S.SizeLimit);
    Optional(Entry, "largeYAxes", S.LargeYAxes);
    Optional(Entry, "largeTables", S.LargeTables);
    return Result;
}

// The category number of a key ("CD10-2" gives 10); 0 when there is none.
int KeyCategory(const std::string& Key)
{
    int Category = 0;
    for (std::size_t i = 2; i < Key.size() && Key[i] >= '0' && Key[i] <= '9'; ++i)
        Category = Category * 10 + (Key[i] - '0');
    return Category;
}

} // namespace

TFittingCategoryFile ParseFittingCategory(const std::string& Text, const std::string& FileName)
{
    TFittingCategoryFile File;
    File.FileName = FileName;
    json Root;
    try {
        Root = json::parse(Text);
    } catch (const json::exception& E) {
        throw EFittingSourceError(FileName + ": not valid JSON: " + E.what());
    }

    std::string Where = FileName;
    try {
        if (!Root.is_object())
            throw EFittingSourceError("the file is not a JSON object");
        RefuseUnknown(Root, FileMembers);
        File.Category = Required<int>(Root, "category");
        Optional(Root, "title", File.Title);
        const json Fittings = Required<json>(Root, "fittings");
        if (!Fittings.is_array())
            throw EFittingSourceError("\"fittings\" is not an array");
        for (std::size_t i = 0; i < Fittings.size(); ++i) {
            Where = FileName + ": entry " + std::to_string(i + 1);
            const auto Key = Fittings[i].is_object() ? Fittings[i].find("key") : Fittings[i].end();
            if (Key != Fittings[i].end() && Key->is_string())
                Where += " (" + Key->get<std::string>() + ")";
            File.Entries.push_back(ParseEntry(Fittings[i]));
        }
    } catch (const EFittingSourceError& E) {
        throw EFittingSourceError(Where + ": " + E.what());
    } catch (const json::exception& E) {
        throw EFittingSourceError(Where + ": " + E.what());
    }
    return File;
}

TFittingCategoryFile ReadFittingCategoryFile(const std::string& FileName)
{
    std::ifstream In(FileName, std::ios::binary);
    if (!In)
        throw EFittingSourceError(FileName + ": cannot be read");
    std::ostringstream Text;
    Text << In.rdbuf();
    return ParseFittingCategory(Text.str(), FileName);
}

std::vector<std::string> CheckFittingCategory(const TFittingCategoryFile& File)
{
    std::vector<std::string> Problems;
    for (const TDuctFittingDBEntry& Entry : File.Entries) {
        for (const std::string& P : ValidateFittingSource(Entry.Key, Entry.Source))
            Problems.push_back(File.FileName + ": " + P);
        if (IsValidFittingKey(Entry.Key) && KeyCategory(Entry.Key) != File.Category)
            Problems.push_back(File.FileName + ": " + Entry.Key + ": the key's category differs from the file's category " +
                               std::to_string(File.Category));
    }
    return Problems;
}
