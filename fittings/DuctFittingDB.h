#pragma once
// The duct-fitting database: the index of fitting keys read at start-up,
// fittings loaded from the data file the first time their key is asked for
// and cached until FreeFittings, the current fitting for the network solver,
// and the summaries and key lists of the fitting dialog.
//
// Files, in the common data folder's "Duct Fittings" folder, both value
// streams headed by a string: "DuctFittings2.ddi" holds (key, data offset)
// pairs; "DuctFittings2.ddd" holds at each offset a class name and the
// fields of that class. Problems are reported through the warning sink with
// the caption "Warning"; a damaged file never ends the program.

#include "fittings/DuctFitSummary.h"
#include "fittings/DuctFitting.h"
#include "foundation/ValueStream.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

inline constexpr const char* DuctFittingsFolderName = "Duct Fittings";
inline constexpr const char* DuctFittingsFileName = "DuctFittings2";
inline constexpr const char* DuctFittingsIndexExt = ".ddi";
inline constexpr const char* DuctFittingsDataExt = ".ddd";

// The database folder under the common data folder: CommonDataDir followed
// by "Duct Fittings/" (a separator is added when CommonDataDir lacks one).
std::string DuctFittingsFolder(const std::string& CommonDataDir);

class TDuctFittingDB {
public:
    // Folder := CommonDataDir + "Duct Fittings/"; then LoadIndex.
    explicit TDuctFittingDB(const std::string& CommonDataDir);
    ~TDuctFittingDB();
    TDuctFittingDB(const TDuctFittingDB&) = delete;
    TDuctFittingDB& operator=(const TDuctFittingDB&) = delete;

    // Reads the index. A missing file leaves the database empty; a damaged
    // one keeps the complete pairs read before the damage. Both warn.
    void LoadIndex();

    // Frees every cached fitting; no current fitting remains, and the next
    // selection reads the data file again.
    void FreeFittings();

    // Makes the fitting with this key (case-insensitive, first match)
    // current, loading and caching it on first use, and returns it; nullptr
    // when it cannot be had. An unknown key warns only when Warn is set.
    TDuctFitting* SelectFitting(const std::string& Key, bool Warn);

    // Reads entry Index of the data file into a new object, which becomes
    // Current and belongs to the caller. On any failure (missing file, index
    // or offset out of range, unknown class, damaged record) it warns and
    // returns nullptr; nothing is cached.
    std::unique_ptr<TDuctFitting> LoadFitting(int Index);

    // Fills Summary from every entry whose base code equals BaseCode.
    void GetFittingInfo(const std::string& BaseCode, TDuctFitSummary& Summary);
    // One entry's contribution to a summary; the cache is not touched.
    void FillFittingInfo(int Index, TDuctFitSummary& Summary, bool Append);

    // Appends the keys (or with BaseOnly their base codes) that match the
    // four-character pattern: function letter or "+", geometry letter or "+",
    // then the category: "0" for any, a digit and a blank, or two digits.
    // Nothing is added twice.
    void FilterCodes(const std::string& Pattern, TStringVec& List, bool BaseOnly) const;

    // Index of the key (case-insensitive, first match); -1 when absent.
    int IndexOfCode(const std::string& Key) const;

    const TStringVec& Codes() const { return FCodes; }
    const std::vector<std::int32_t>& Offsets() const { return FOffsets; }
    TDuctFitting* Current() const { return FCurrent; }
    const std::string& Folder() const { return FFolder; }
    std::string IndexFileName() const;
    std::string DataFileName() const;

private:
    // The data file, read once and kept until FreeFittings; nullptr (after a
    // warning) when it is missing or its header cannot be read.
    TValueReader* OpenData();

    std::string FFolder;
    TStringVec FCodes;
    std::vector<std::int32_t> FOffsets;
    std::vector<std::unique_ptr<TDuctFitting>> FCache;  // parallel to FCodes
    std::unordered_map<std::string, int> FIndexByKey;    // lower-case key, first index
    TDuctFitting* FCurrent = nullptr;
    std::optional<TValueReader> FData;
    std::size_t FDataStart = 0;  // first byte after the data file's header
};

// The program's one database, created at start-up once the common data
// folder is known (the platform layer decides that folder). Creating it again
// replaces it, which lets tests install a database of their own.
TDuctFittingDB& CreateDuctFittingDB(const std::string& CommonDataDir);
// The database created last; nullptr before the first creation.
TDuctFittingDB* DuctFittingDB();
