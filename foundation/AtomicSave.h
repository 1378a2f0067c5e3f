#pragma once
// Saving a whole file so that a failure never costs the previous one: the
// bytes go to a temporary file in the target's own folder, reach the disk,
// and only then take the target's place in one rename. Every writer of the
// program's files goes through here.
//
// A symbolic link is followed: its target is written and the link stays. The
// file keeps its permission bits (and its owner and group where the process
// may set them); a new file gets the usual ones of the user's mask. A target
// that is read-only or not a regular file (a pipe, a device, a folder) is
// refused, not replaced.

#include <stdexcept>
#include <string>
#include <string_view>

// Raised by a save that failed; the message says why, in a sentence for the
// user ("The file is read-only.", "The disk is full.").
class EFileSaveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Replaces FileName's contents with Bytes, or raises EFileSaveError and
// leaves any previous file byte for byte.
void SaveFileAtomically(const std::string& FileName, std::string_view Bytes);

// The sentence for a system error number met while saving.
std::string SaveFailureCause(int ErrorNumber);
