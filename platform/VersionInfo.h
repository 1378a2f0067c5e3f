#pragma once
// Version texts of a program file. Only the running program carries version
// information here: it comes from the build, not from a resource.

#include <stdexcept>
#include <string>
#include <vector>

class EVerInfoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ENoVerInfoError : public EVerInfoError {
public:
    using EVerInfoError::EVerInfoError;
};

enum TVerInfoKey {
    viCompanyName,
    viFileDescription,
    viFileVersion,
    viInternalName,
    viLegalCopyright,
    viLegalTrademarks,
    viOriginalFilename,
    viProductName,
    viProductVersion,
    viComments
};

class TVerInfoRes {
public:
    // An empty FileName, or the running program's path, gives the program's
    // own version; any other file raises ENoVerInfoError ("No Version Info
    // Available.").
    explicit TVerInfoRes(const std::string& FileName);

    // The string value of a key; empty when the program has none.
    std::string GetVerValue(TVerInfoKey Key) const;
    // "major.minor.patch.tweak" of the file version.
    std::string FileVersionText() const;
    // The set flags among "Pre-release", "Private build", "Special build", "Debug".
    const std::vector<std::string>& Flags() const { return FFlags; }

private:
    std::vector<std::string> FFlags;
};

std::string GetFileVersionText(const std::string& FileName);
std::string GetFileDescriptionText(const std::string& FileName);
// "ProductName" followed by a blank and the version number text.
std::string GetProductNameAndVersion(const std::string& FileName);
