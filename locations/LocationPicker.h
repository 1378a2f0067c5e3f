#pragma once
// Everything the "Select Location" window shows and remembers, without the
// widgets: the databases of the locations index, the regions of the chosen
// database, its places filtered by region, and the chosen place's details.
// The window shows these lists and forwards clicks; one picker lives as
// long as the program.

#include "foundation/SettingsStore.h"
#include "locations/LocationFile.h"
#include "locations/LocationRecord.h"
#include "locations/RegionIndex.h"

#include <string>
#include <vector>

// One entry of the places list: the record's index in its file and the
// place name shown.
struct TLocRec {
    int Index = 0;
    std::string Name;
};

class TLocationPicker {
public:
    // The settings section of the picker, and its values.
    static constexpr const char* SettingsSection = "SelectLocationForm";

    // CommonDataDir: the folder of "Regions.idx" and the ".wdb" files (ends
    // in "/").
    explicit TLocationPicker(std::string CommonDataDir);

    // The saved database, region and place names.
    void ReadSettings(const TSettingsStore& Store);
    void WriteSettings(TSettingsStore& Store) const;

    // "<place>, <region>": keeps the text as the last location; the part
    // before the first comma becomes the place to select, the trimmed rest
    // the region. An empty text changes nothing.
    void SetLocationText(const std::string& Text);

    // Reads the index and lists its databases; selects the saved database
    // (else the first) and opens it. Returns the message to show when that
    // database is not installed, else empty. A missing index leaves every
    // list empty.
    std::string Activate();

    // Opens database Index of the list: its regions, the saved region (else
    // the first) and its places. When its file is missing, returns the
    // not-installed message and keeps the database that was open, with its
    // lists and selection.
    std::string SelectDatabase(int Index);
    // Lists the places of region Index and selects the saved place (else the
    // first).
    void SelectRegion(int Index);
    // Reads place Index of the list and shows it.
    void SelectPlace(int Index);

    // The chosen names become the saved ones and the file is closed; the
    // lists stay until the next Activate.
    void Close();

    const std::vector<std::string>& Databases() const { return DatabaseList; }
    const std::vector<std::string>& Regions() const { return RegionList; }
    const std::vector<TLocRec>& Places() const { return PlaceList; }
    int DatabaseIndex() const { return DatabaseSel; }
    int RegionIndex() const { return RegionSel; }
    int PlaceIndex() const { return PlaceSel; }

    // The place shown, when there is one.
    bool HasRecord() const { return RecordShown; }
    const TLocationRecord& Record() const { return Current; }
    // The shown place's region name: the chosen region, or for "+All" its
    // region looked up by group and region code.
    const std::string& RecordRegion() const { return CurrentRegion; }
    // "<place>, <region>" of the place shown, or the last location text.
    const std::string& LocationText() const { return LastLocation; }
    // "Record <n> of <count>", empty before a place is shown.
    std::string RecordStatus() const;
    std::vector<TLocationDetail> Details() const { return LocationDetails(Current); }

    // The names chosen or saved.
    std::string Database;
    std::string Region;
    std::string Place;

private:
    bool OpenDatabase(int Index);
    void FillPlaces();
    void ShowPlace();
    std::string GroupName(int Code);
    std::string RegionName(const std::string& Group, int Code);
    bool IsAllDatabase() const;

    std::string DataDir;
    TRegionIndex Index;
    TLocationFile File;
    std::vector<std::string> DatabaseList;
    std::vector<std::string> AllKeys;    // the keys of "+All"
    std::vector<std::string> RegionList; // the keys of the chosen database's section
    std::vector<TLocRec> PlaceList;
    int DatabaseSel = -1;
    int OpenDatabaseSel = -1; // the database whose file is open
    int RegionSel = -1;
    int PlaceSel = -1;

    TLocationRecord Current;
    bool RecordShown = false;
    std::size_t ShownCount = 0; // records in the file when the place was read
    std::string CurrentRegion;
    std::string LastLocation;

    // One-entry caches of the last "+All" look-ups.
    int CachedGroupCode = 0;
    std::string CachedGroupName;
    bool GroupCached = false;
    std::string CachedRegionGroup;
    int CachedRegionCode = 0;
    std::string CachedRegionName;
    bool RegionCached = false;
};

// The message shown when a database's record file is missing.
std::string LocationDatabaseMissingText(const std::string& Database);
