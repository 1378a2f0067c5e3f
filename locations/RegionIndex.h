#pragma once
// The locations index "Regions.idx": sections of "key = value" lines, read
// whole into memory keeping the file's order. Each section but "+All" names
// a database and lists its regions with their codes; "+All" lists the
// databases with their group codes.

#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* RegionIndexFileName = "Regions.idx";
inline constexpr const char* AllDatabaseName = "+All";

class TRegionIndex {
public:
    // Reads the file; a file that is missing or cannot be read gives an empty
    // index. Returns whether the file was read.
    bool LoadFromFile(const std::string& FileName);

    // Reads the text of an index: UTF-8 (a byte-order mark dropped), or
    // Windows-1252 when it is not well-formed UTF-8. Lines are "[section]",
    // "key=value" (both trimmed) or, from ";", comments; others are ignored,
    // as are keys before the first section. A section named twice gathers
    // the keys of both.
    void LoadFromText(std::string_view Text);

    // Section names in file order.
    std::vector<std::string> Sections() const;
    // The keys of a section in file order; empty for an unknown section.
    std::vector<std::string> Keys(std::string_view Section) const;

    // The integer value of Key in Section (names match without regard to
    // ASCII case; the first of repeated keys counts); Default when either is
    // missing or the value is not a decimal integer.
    int ReadInteger(std::string_view Section, std::string_view Key, int Default) const;

    // The first key of Section whose integer value is Value; empty when none.
    std::string KeyOfValue(std::string_view Section, int Value) const;

private:
    struct TEntry {
        std::string Key;
        std::string Value;
    };
    struct TSection {
        std::string Name;
        std::vector<TEntry> Entries;
    };
    const TSection* Find(std::string_view Section) const;

    std::vector<TSection> SectionList;
};

// Names compared without regard to ASCII case, as the index and the lists do.
bool SameIndexName(std::string_view A, std::string_view B);
