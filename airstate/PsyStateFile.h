#pragma once
// Moist-air state files (".psx"): one state record of fifteen IEEE 754
// doubles, little-endian, in the record's field order, no header.

#include "psychro/PsyState.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

inline constexpr std::size_t PsyStateFileSize = 120;

// A state file that cannot be read or written; the message names the file.
class EPsyStateFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The record as the file stores it.
std::string EncodePsyState(const PsyState& State);

// The record from the first 120 bytes of Bytes; false (State untouched) when
// there are fewer, or when any of the fifteen numbers is not finite.
bool DecodePsyState(std::string_view Bytes, PsyState& State);

// Reads the file's first record into State. A file that cannot be opened,
// holds fewer than 120 bytes or a number that is not finite raises
// "Error reading file " + FileName and leaves State untouched; bytes after
// the first record are ignored.
void LoadPsyStateFile(const std::string& FileName, PsyState& State);

// Writes State as the whole file, through a temporary file renamed over it;
// a failure raises "Error writing file " + FileName and keeps any previous
// file as it was.
void SavePsyStateFile(const std::string& FileName, const PsyState& State);
