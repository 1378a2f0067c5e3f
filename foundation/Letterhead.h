#pragma once
// The maker-level letterhead details printed on report pages.

#include <string>

class TSettingsStore;

struct TLetterhead {
    std::string Company;
    std::string Description;
    std::string Logo;
    std::string Addr1;
    std::string Addr2;
    std::string Code;
    std::string Country;
    std::string Email;
    std::string Web;
    std::string Tel;
    std::string Fax;
    std::string User;
};

// The section of the maker-level settings holding the letterhead.
inline constexpr const char* LetterheadSection = "Brellamonte";

// Reads the letterhead from the maker-level settings. Missing values are
// empty, except the logo, which defaults to the maker's report logo in the
// machine's shared-files folder.
TLetterhead ReadLetterhead(const TSettingsStore& MakerSettings, const std::string& CommonFilesDir);

// The process-wide letterhead, read once at start-up.
const TLetterhead& Letterhead();
void SetLetterhead(const TLetterhead& Details);
