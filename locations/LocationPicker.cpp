#include "locations/LocationPicker.h"

#include "foundation/DelimitedText.h"

#include <filesystem>

namespace {

template <typename List, typename NameOf>
int IndexOfName(const List& Items, const std::string& Name, NameOf Of)
{
    for (std::size_t I = 0; I < Items.size(); ++I)
        if (SameIndexName(Of(Items[I]), Name))
            return static_cast<int>(I);
    return -1;
}

int IndexOfText(const std::vector<std::string>& Items, const std::string& Name)
{
    return IndexOfName(Items, Name, [](const std::string& S) -> const std::string& { return S; });
}

bool InRange(int Index, std::size_t Size)
{
    return Index >= 0 && static_cast<std::size_t>(Index) < Size;
}

// A database name that stays inside the data folder.
bool IsPlainFileName(const std::string& Name)
{
    return !Name.empty() && Name.find('/') == std::string::npos && Name.find('\\') == std::string::npos &&
           Name != "." && Name != "..";
}

} // namespace

std::string LocationDatabaseMissingText(const std::string& Database)
{
    return "The locations database \"" + Database +
           "\" has not been installed.\nPlease install the locations database.";
}

TLocationPicker::TLocationPicker(std::string CommonDataDir) : DataDir(std::move(CommonDataDir)) {}

void TLocationPicker::ReadSettings(const TSettingsStore& Store)
{
    Database = Store.ReadString(SettingsSection, "Database", Database);
    Region = Store.ReadString(SettingsSection, "Region", Region);
    Place = Store.ReadString(SettingsSection, "Place", Place);
}

void TLocationPicker::WriteSettings(TSettingsStore& Store) const
{
    Store.WriteString(SettingsSection, "Database", Database);
    Store.WriteString(SettingsSection, "Region", Region);
    Store.WriteString(SettingsSection, "Place", Place);
}

void TLocationPicker::SetLocationText(const std::string& Text)
{
    if (Text.empty())
        return;
    LastLocation = Text;
    const std::size_t Comma = Text.find(',');
    Place = Text.substr(0, Comma);
    Region = Comma == std::string::npos ? std::string() : std::string(TrimText(Text.substr(Comma + 1)));
}

std::string TLocationPicker::Activate()
{
    Index.LoadFromFile(DataDir + RegionIndexFileName);
    File.Close();
    DatabaseList = Index.Sections();
    AllKeys = Index.Keys(AllDatabaseName);
    RegionList.clear();
    PlaceList.clear();
    DatabaseSel = OpenDatabaseSel = RegionSel = PlaceSel = -1;
    RecordShown = false;
    GroupCached = RegionCached = false;
    if (DatabaseList.empty())
        return {};
    const int Saved = IndexOfText(DatabaseList, Database);
    return SelectDatabase(Saved >= 0 ? Saved : 0);
}

std::string TLocationPicker::SelectDatabase(int I)
{
    if (!InRange(I, DatabaseList.size()))
        return {};
    if (!OpenDatabase(I)) {
        DatabaseSel = OpenDatabaseSel;
        return LocationDatabaseMissingText(DatabaseList[static_cast<std::size_t>(I)]);
    }
    DatabaseSel = OpenDatabaseSel = I;
    Database = DatabaseList[static_cast<std::size_t>(I)];
    RegionList = Index.Keys(Database);
    const int Saved = IndexOfText(RegionList, Region);
    RegionSel = RegionList.empty() ? -1 : (Saved >= 0 ? Saved : 0);
    if (RegionSel >= 0)
        Region = RegionList[static_cast<std::size_t>(RegionSel)];
    FillPlaces();
    return {};
}

bool TLocationPicker::OpenDatabase(int I)
{
    const std::string& Name = DatabaseList[static_cast<std::size_t>(I)];
    const std::string FileName = DataDir + Name + ".wdb";
    std::error_code Error;
    if (!IsPlainFileName(Name) || !std::filesystem::is_regular_file(FileName, Error))
        return false;
    TLocationFile Opened;
    if (!Opened.Open(FileName))
        return false;
    File = std::move(Opened);
    return true;
}

void TLocationPicker::SelectRegion(int I)
{
    if (!InRange(I, RegionList.size()))
        return;
    RegionSel = I;
    Region = RegionList[static_cast<std::size_t>(I)];
    FillPlaces();
}

void TLocationPicker::FillPlaces()
{
    PlaceList.clear();
    PlaceSel = -1;
    RecordShown = false;
    const int Code = RegionSel >= 0 ? Index.ReadInteger(Database, RegionList[static_cast<std::size_t>(RegionSel)], 0) : 0;
    const bool ByGroup = IsAllDatabase();
    const std::size_t Count = File.RecordCount();
    for (std::size_t R = 0; R < Count; ++R) {
        const TLocationRecord Record = File.Record(R);
        if (Code == 0 || (ByGroup ? Record.GroupCode : Record.RegionCode) == Code)
            PlaceList.push_back({static_cast<int>(R), Record.Name});
    }
    if (PlaceList.empty())
        return;
    const int Saved = IndexOfName(PlaceList, Place, [](const TLocRec& L) -> const std::string& { return L.Name; });
    SelectPlace(Saved >= 0 ? Saved : 0);
}

void TLocationPicker::SelectPlace(int I)
{
    if (!InRange(I, PlaceList.size()))
        return;
    PlaceSel = I;
    Place = PlaceList[static_cast<std::size_t>(I)].Name;
    ShowPlace();
}

void TLocationPicker::ShowPlace()
{
    const auto At = static_cast<std::size_t>(PlaceList[static_cast<std::size_t>(PlaceSel)].Index);
    if (At >= File.RecordCount())
        return;
    Current = File.Record(At);
    RecordShown = true;
    ShownCount = File.RecordCount();
    if (!IsAllDatabase()) {
        CurrentRegion = Region;
    } else {
        const std::string Group = GroupName(Current.GroupCode);
        CurrentRegion = Current.RegionCode == 0 || Group.empty() ? Group : RegionName(Group, Current.RegionCode);
        if (CurrentRegion.empty())
            CurrentRegion = Group;
    }
    LastLocation = Current.Name + ", " + CurrentRegion;
}

std::string TLocationPicker::GroupName(int Code)
{
    if (!GroupCached || CachedGroupCode != Code) {
        CachedGroupName = Index.KeyOfValue(AllDatabaseName, Code);
        CachedGroupCode = Code;
        GroupCached = true;
    }
    return CachedGroupName;
}

std::string TLocationPicker::RegionName(const std::string& Group, int Code)
{
    // Region codes repeat from one database to the next, so the cache holds
    // the group as well as the code.
    if (!RegionCached || CachedRegionCode != Code || CachedRegionGroup != Group) {
        CachedRegionName = Index.KeyOfValue(Group, Code);
        CachedRegionGroup = Group;
        CachedRegionCode = Code;
        RegionCached = true;
    }
    return CachedRegionName;
}

bool TLocationPicker::IsAllDatabase() const
{
    return SameIndexName(Database, AllDatabaseName);
}

std::string TLocationPicker::RecordStatus() const
{
    if (!RecordShown)
        return {};
    return "Record " + std::to_string(PlaceList[static_cast<std::size_t>(PlaceSel)].Index + 1) + " of " +
           std::to_string(ShownCount);
}

void TLocationPicker::Close()
{
    if (InRange(DatabaseSel, DatabaseList.size()))
        Database = DatabaseList[static_cast<std::size_t>(DatabaseSel)];
    if (InRange(RegionSel, RegionList.size()))
        Region = RegionList[static_cast<std::size_t>(RegionSel)];
    Place = InRange(PlaceSel, PlaceList.size()) ? PlaceList[static_cast<std::size_t>(PlaceSel)].Name : std::string();
    File.Close();
}
