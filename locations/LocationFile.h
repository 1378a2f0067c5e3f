#pragma once
// A locations record file (".wdb"): fixed 84-byte records, read whole.

#include "locations/LocationRecord.h"

#include <cstddef>
#include <string>

class TLocationFile {
public:
    // Reads the file; false (and no records) when it cannot be opened.
    bool Open(const std::string& FileName);
    // Takes the bytes of a record file held in memory.
    void OpenBytes(std::string Bytes);
    void Close();

    bool IsOpen() const { return Opened; }
    // Whole records in the file; a partial last record is not counted.
    std::size_t RecordCount() const { return Data.size() / LocationRecordSize; }
    // Record Index (below RecordCount()).
    TLocationRecord Record(std::size_t Index) const;

private:
    std::string Data;
    bool Opened = false;
};
