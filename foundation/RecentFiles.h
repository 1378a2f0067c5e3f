#pragma once
// The recent-files list of the File menu, as a list of names; the menu shows
// the first VisibleCount() of them. Names keep their case: file names differ
// by case on this system.

#include <string>
#include <vector>

class TSettingsStore;

class TRecentFiles {
public:
    static constexpr int MaxNames = 6;
    static constexpr int MaxVisible = 5;
    static constexpr const char* Section = "MRU";

    // Replaces the list by the names stored under "MRU" ("0" is the newest).
    void MRUInit(const TSettingsStore& Settings);
    // Puts the name on top, moving it when it is already listed; the oldest
    // name beyond the limit drops out. An empty name is ignored.
    void MRUAdd(const std::string& FileName);
    void MRURemove(const std::string& FileName);
    // Adds the name, then rewrites the "MRU" section with the whole list.
    void MRUSave(TSettingsStore& Settings, const std::string& FileName);
    // The index of the name in the list, or -1.
    int MRUFind(const std::string& FileName) const;

    const std::vector<std::string>& Names() const { return FNames; }
    int VisibleCount() const;

private:
    std::vector<std::string> FNames;  // newest first
};
