#pragma once
// Writes the two database files from fitting records: the index (header, then
// key and data offset per entry) and the data file (header, then each record
// at its offset). Used by the database builder and by tests that need a
// database of their own.

#include "fittings/FittingSource.h"
#include "foundation/ValueStream.h"

#include <string>
#include <vector>

inline constexpr const char* DuctFittingsIndexHeader = "Ventrix duct fittings index 2";
inline constexpr const char* DuctFittingsDataHeader = "Ventrix duct fittings data 2";

struct TDuctFittingDBEntry {
    std::string Key;
    TFittingSource Source;
};

// Encodes both files in memory, entries in the given order. Raises
// EFittingSourceError for an unregistered class.
void BuildDuctFittingDB(const std::vector<TDuctFittingDBEntry>& Entries, TValueWriter& Index,
                        TValueWriter& Data);

// Writes "DuctFittings2.ddi" and ".ddd" into CommonDataDir's "Duct Fittings"
// folder, creating it when missing. Raises EStreamError ("Stream write
// error") when the files cannot be written.
void WriteDuctFittingDB(const std::string& CommonDataDir, const std::vector<TDuctFittingDBEntry>& Entries);
