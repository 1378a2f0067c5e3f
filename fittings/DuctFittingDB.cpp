#include "fittings/DuctFittingDB.h"

#include "fittings/FittingClassTable.h"
#include "fittings/FittingKeys.h"
#include "foundation/WarningSink.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

const char* const WarningCaption = "Warning";

void Warn(const std::string& Text)
{
    ShowWarning(WarningCaption, Text);
}

bool FileExists(const std::string& Path)
{
    std::error_code Error;
    return std::filesystem::is_regular_file(Path, Error);
}

// A summary path P is described by an entry whose key ends in Suffix when the
// suffix names it, or names its first letter ("b" covers "b1" and "b2"), or -
// outside append mode - is empty.
bool PathMatches(const std::string& Suffix, const std::string& Path, bool AllowEmpty)
{
    if (SameText(Suffix, Path))
        return true;
    if (!Path.empty() && SameText(Suffix, Path.substr(0, 1)))
        return true;
    return AllowEmpty && Suffix.empty();
}

void SwapBranchDigits(TStringVec& Names)
{
    for (std::string& Name : Names)
        for (char& C : Name) {
            if (C == '1')
                C = '2';
            else if (C == '2')
                C = '1';
        }
}

// Sets every per-path entry of path P to the fitting's axis count, then
// fills it from the fitting; a path named "c" keeps the empty values.
void FillPath(TDuctFitting& Fitting, TDuctFitSummary& Summary, std::size_t P,
              const std::string& PathName, const std::string& Suffix)
{
    const std::size_t AxisCount = Fitting.AxisNames.size();
    Summary.AxisNamesByPath[P].assign(AxisCount, std::string());
    Summary.AxisDefaultsByPath[P].assign(AxisCount, 0.0);
    Summary.AxisScalesByPath[P].assign(AxisCount, st_lin);
    Summary.AxisMinsByPath[P].assign(AxisCount, 0.0);
    Summary.AxisMaxsByPath[P].assign(AxisCount, 0.0);
    Summary.LabelsByPath[P].clear();
    Summary.FlowRatioMinByPath[P] = 0.0;
    Summary.FlowRatioMaxByPath[P] = 0.0;
    if (SameText(PathName, "c"))
        return;

    Summary.AxisNamesByPath[P] = Fitting.AxisNames;
    TFloatVec Defaults;
    Fitting.GetMidAxisValues(Defaults);
    for (std::size_t i = 0; i < Defaults.size() && i < Fitting.AxisDefaults.size(); ++i)
        if (Fitting.AxisDefaults[i] != -1.0)
            Defaults[i] = Fitting.AxisDefaults[i];
    Summary.AxisDefaultsByPath[P] = Defaults;
    Summary.AxisScalesByPath[P] = Fitting.AxisScales;
    Fitting.GetAxisRanges(Summary.AxisMinsByPath[P], Summary.AxisMaxsByPath[P]);
    Summary.LabelsByPath[P] = Fitting.LabelBefore;
    Fitting.GetFlowRatioRange(Summary.FlowRatioMinByPath[P], Summary.FlowRatioMaxByPath[P]);

    // An entry shared by both branches of a double junction names the first
    // branch; the second branch's path gets the names of its own flows.
    if (SameText(PathName, "b2") && !SameText(Suffix, "b1") && !SameText(Suffix, "b2"))
        SwapBranchDigits(Summary.AxisNamesByPath[P]);
}

void ResizePaths(TDuctFitSummary& Summary, std::size_t Count)
{
    Summary.AxisNamesByPath.assign(Count, {});
    Summary.AxisMinsByPath.assign(Count, {});
    Summary.AxisMaxsByPath.assign(Count, {});
    Summary.AxisScalesByPath.assign(Count, {});
    Summary.AxisDefaultsByPath.assign(Count, {});
    Summary.LabelsByPath.assign(Count, std::string());
    Summary.FlowRatioMinByPath.assign(Count, 0.0);
    Summary.FlowRatioMaxByPath.assign(Count, 0.0);
}

std::size_t PathEntryCount(const TDuctFitSummary& Summary)
{
    return std::min({Summary.AxisNamesByPath.size(), Summary.AxisMinsByPath.size(),
                     Summary.AxisMaxsByPath.size(), Summary.AxisScalesByPath.size(),
                     Summary.AxisDefaultsByPath.size(), Summary.LabelsByPath.size(),
                     Summary.FlowRatioMinByPath.size(), Summary.FlowRatioMaxByPath.size()});
}

char PatternChar(const std::string& Pattern, std::size_t I)
{
    return I < Pattern.size() ? Pattern[I] : ' ';
}

// The key's character at I, or 0 past its end, so a short key simply fails
// to match.
char KeyChar(const std::string& Key, std::size_t I)
{
    return I < Key.size() ? Key[I] : '\0';
}

bool SameLetter(char A, char B)
{
    return SameText(std::string_view(&A, 1), std::string_view(&B, 1));
}

bool ListHolds(const TStringVec& List, const std::string& Item)
{
    for (const std::string& S : List)
        if (SameText(S, Item))
            return true;
    return false;
}

std::unique_ptr<TDuctFittingDB> TheDatabase;

} // namespace

std::string DuctFittingsFolder(const std::string& CommonDataDir)
{
    std::string Dir = CommonDataDir;
    if (!Dir.empty() && Dir.back() != '/' && Dir.back() != '\\')
        Dir += '/';
    return Dir + DuctFittingsFolderName + "/";
}

TDuctFittingDB::TDuctFittingDB(const std::string& CommonDataDir)
    : FFolder(DuctFittingsFolder(CommonDataDir))
{
    LoadIndex();
}

TDuctFittingDB::~TDuctFittingDB()
{
    FreeFittings();
}

std::string TDuctFittingDB::IndexFileName() const
{
    return FFolder + DuctFittingsFileName + DuctFittingsIndexExt;
}

std::string TDuctFittingDB::DataFileName() const
{
    return FFolder + DuctFittingsFileName + DuctFittingsDataExt;
}

void TDuctFittingDB::LoadIndex()
{
    FreeFittings();
    FCodes.clear();
    FOffsets.clear();
    FIndexByKey.clear();
    FCache.clear();

    const std::string Path = IndexFileName();
    if (!FileExists(Path)) {
        Warn("Duct fittings index file missing : " + Path);
        return;
    }
    try {
        TValueReader Reader = TValueReader::FromFile(Path);
        Reader.ReadString(); // header, not checked
        while (Reader.Position() < Reader.Size()) {
            std::string Key = Reader.ReadString();
            const std::int32_t Offset = Reader.ReadInteger();
            // Only complete pairs are kept.
            FCodes.push_back(std::move(Key));
            FOffsets.push_back(Offset);
        }
    } catch (const std::exception&) {
        Warn("Duct fittings index file damaged : " + Path);
    }
    for (int i = 0; i < static_cast<int>(FCodes.size()); ++i)
        FIndexByKey.emplace(LowerCaseText(FCodes[i]), i);
    FCache.resize(FCodes.size());
}

void TDuctFittingDB::FreeFittings()
{
    for (auto& Fitting : FCache)
        Fitting.reset();
    FCurrent = nullptr;
    FData.reset();
}

int TDuctFittingDB::IndexOfCode(const std::string& Key) const
{
    const auto Found = FIndexByKey.find(LowerCaseText(Key));
    return Found == FIndexByKey.end() ? -1 : Found->second;
}

TDuctFitting* TDuctFittingDB::SelectFitting(const std::string& Key, bool Warn)
{
    FCurrent = nullptr;
    const int i = IndexOfCode(Key);
    if (i < 0) {
        if (Warn)
            ::Warn("Duct fitting not in database : " + Key);
        return nullptr;
    }
    if (!FCache[i])
        FCache[i] = LoadFitting(i);
    FCurrent = FCache[i].get();
    return FCurrent;
}

TValueReader* TDuctFittingDB::OpenData()
{
    if (FData)
        return &*FData;
    const std::string Path = DataFileName();
    if (!FileExists(Path)) {
        Warn("Duct fittings data file missing : " + Path);
        return nullptr;
    }
    try {
        TValueReader Reader = TValueReader::FromFile(Path);
        Reader.ReadString(); // header, not checked
        FDataStart = Reader.Position();
        FData.emplace(std::move(Reader));
    } catch (const std::exception&) {
        Warn("Duct fittings data file damaged : " + Path);
        return nullptr;
    }
    return &*FData;
}

std::unique_ptr<TDuctFitting> TDuctFittingDB::LoadFitting(int Index)
{
    FCurrent = nullptr;
    TValueReader* Reader = OpenData();
    if (!Reader)
        return nullptr;
    if (Index < 0 || Index >= static_cast<int>(FCodes.size())) {
        Warn("Duct fitting index out of range : " + std::to_string(Index));
        return nullptr;
    }
    const std::string& Key = FCodes[Index];
    const std::int32_t Offset = FOffsets[Index];
    if (Offset < 0 || static_cast<std::size_t>(Offset) < FDataStart ||
        static_cast<std::size_t>(Offset) >= Reader->Size()) {
        Warn("Duct fitting offset out of range : " + Key);
        return nullptr;
    }

    std::string ClassName;
    try {
        Reader->Seek(static_cast<std::size_t>(Offset));
        ClassName = Reader->ReadString();
    } catch (const std::exception&) {
        Warn("Duct fitting data damaged : " + Key);
        return nullptr;
    }
    const TFittingClass* Class = FindFittingClass(ClassName);
    if (!Class) {
        Warn("Duct class not defined: " + ClassName);
        return nullptr;
    }
    std::unique_ptr<TDuctFitting> Fitting;
    try {
        Fitting = Class->Create(*Reader);
    } catch (const std::exception&) {
        Warn("Duct fitting data damaged : " + Key);
        return nullptr;
    }
    FCurrent = Fitting.get();
    return Fitting;
}

void TDuctFittingDB::GetFittingInfo(const std::string& BaseCode, TDuctFitSummary& Summary)
{
    Summary.Name.clear();
    bool Found = false;
    for (int i = 0; i < static_cast<int>(FCodes.size()); ++i) {
        if (!SameText(FittingBaseCode(FCodes[i]), BaseCode))
            continue;
        FillFittingInfo(i, Summary, Found);
        Found = true;
    }
    if (!Found)
        Warn("Duct fitting not in database : " + BaseCode);
}

void TDuctFittingDB::FillFittingInfo(int Index, TDuctFitSummary& Summary, bool Append)
{
    std::unique_ptr<TDuctFitting> Fitting = LoadFitting(Index);
    FCurrent = nullptr;
    if (!Fitting)
        return;
    const std::string Suffix = FittingKeyField(Fitting->Code, 2);

    if (Append) {
        const std::size_t Count = std::min(Summary.Paths.size(), PathEntryCount(Summary));
        for (std::size_t P = 0; P < Count; ++P)
            if (PathMatches(Suffix, Summary.Paths[P], false))
                FillPath(*Fitting, Summary, P, Summary.Paths[P], Suffix);
        return;
    }

    Summary.Code = Fitting->Code;
    Summary.Name = Fitting->Name;
    Summary.AuxList2 = Fitting->AuxList2;
    Summary.Paths = Fitting->PathNames.empty() ? TStringVec{"s"} : Fitting->PathNames;
    std::size_t Count = Summary.Paths.size();
    if (Count == 2)
        Count = 1; // one entry describes both ducts of a transition
    ResizePaths(Summary, Count);
    if (Count == 1) {
        FillPath(*Fitting, Summary, 0, std::string(), Suffix);
    } else {
        for (std::size_t P = 0; P < Count; ++P)
            if (PathMatches(Suffix, Summary.Paths[P], true))
                FillPath(*Fitting, Summary, P, Summary.Paths[P], Suffix);
    }
    Summary.InputNames = Fitting->InputNames;
    Summary.AuxList1 = Fitting->AuxList1;
    Summary.IsJunction = Fitting->PathNames.size() > 2;
    Summary.IsTransition = !Summary.IsJunction && Summary.Paths.size() > 1;
}

void TDuctFittingDB::FilterCodes(const std::string& Pattern, TStringVec& List, bool BaseOnly) const
{
    const char Function = PatternChar(Pattern, 0);
    const char Geometry = PatternChar(Pattern, 1);
    const char Category1 = PatternChar(Pattern, 2);
    const char Category2 = PatternChar(Pattern, 3);
    for (const std::string& Key : FCodes) {
        if (Function != '+' && !SameLetter(KeyChar(Key, 0), Function))
            continue;
        if (Geometry != '+' && !SameLetter(KeyChar(Key, 1), Geometry))
            continue;
        if (Category1 != '0') {
            const bool OneDigit = Category2 == ' ' && KeyChar(Key, 2) == Category1 && KeyChar(Key, 3) == '-';
            const bool Exact = KeyChar(Key, 2) == Category1 && KeyChar(Key, 3) == Category2;
            if (!OneDigit && !Exact)
                continue;
        }
        std::string Item = BaseOnly ? FittingBaseCode(Key) : Key;
        if (!ListHolds(List, Item))
            List.push_back(std::move(Item));
    }
}

TDuctFittingDB& CreateDuctFittingDB(const std::string& CommonDataDir)
{
    TheDatabase = std::make_unique<TDuctFittingDB>(CommonDataDir);
    return *TheDatabase;
}

TDuctFittingDB* DuctFittingDB()
{
    return TheDatabase.get();
}
