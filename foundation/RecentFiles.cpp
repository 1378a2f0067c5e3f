#include "foundation/RecentFiles.h"

#include "foundation/NumberFormat.h"
#include "foundation/SettingsStore.h"

#include <algorithm>

void TRecentFiles::MRUInit(const TSettingsStore& Settings)
{
    FNames.clear();
    // Oldest first, so that "0" ends on top.
    for (int Index = MaxNames - 1; Index >= 0; --Index)
        MRUAdd(Settings.ReadString(Section, IntToStr(Index), std::string()));
}

void TRecentFiles::MRUAdd(const std::string& FileName)
{
    if (FileName.empty())
        return;
    const auto Found = std::find(FNames.begin(), FNames.end(), FileName);
    if (Found != FNames.end())
        FNames.erase(Found);
    FNames.insert(FNames.begin(), FileName);
    if (FNames.size() > static_cast<size_t>(MaxNames))
        FNames.resize(MaxNames);
}

void TRecentFiles::MRURemove(const std::string& FileName)
{
    const auto Found = std::find(FNames.begin(), FNames.end(), FileName);
    if (Found != FNames.end())
        FNames.erase(Found);
}

void TRecentFiles::MRUSave(TSettingsStore& Settings, const std::string& FileName)
{
    MRUAdd(FileName);
    // Clear first: names removed from the list must not survive in the store.
    Settings.EraseSection(Section);
    for (size_t Index = 0; Index < FNames.size(); ++Index)
        Settings.WriteString(Section, IntToStr(static_cast<long long>(Index)), FNames[Index]);
}

int TRecentFiles::MRUFind(const std::string& FileName) const
{
    const auto Found = std::find(FNames.begin(), FNames.end(), FileName);
    return Found == FNames.end() ? -1 : static_cast<int>(Found - FNames.begin());
}

int TRecentFiles::VisibleCount() const
{
    return std::min(static_cast<int>(FNames.size()), MaxVisible);
}
