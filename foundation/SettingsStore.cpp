#include "foundation/SettingsStore.h"

#include "foundation/NumberFormat.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Trimmed(const std::string& Text)
{
    const auto IsBlank = [](unsigned char C) { return std::isspace(C) != 0; };
    auto First = std::find_if_not(Text.begin(), Text.end(), IsBlank);
    auto Last = std::find_if_not(Text.rbegin(), Text.rend(), IsBlank).base();
    return First < Last ? std::string(First, Last) : std::string();
}

std::string LowerCase(std::string Text)
{
    for (char& C : Text)
        C = static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
    return Text;
}

} // namespace

int TSettingsStore::ReadInteger(const std::string& Section, const std::string& Ident,
                                int Default) const
{
    int Value = 0;
    return TryStrToInt(ReadString(Section, Ident, std::string()), Value) ? Value : Default;
}

double TSettingsStore::ReadFloat(const std::string& Section, const std::string& Ident,
                                 double Default) const
{
    double Value = 0.0;
    return TryStrToFloat(ReadString(Section, Ident, std::string()), Value) ? Value : Default;
}

bool TSettingsStore::ReadBool(const std::string& Section, const std::string& Ident,
                              bool Default) const
{
    const std::string Text = ReadString(Section, Ident, std::string());
    int Number = 0;
    if (TryStrToInt(Text, Number))
        return Number != 0;
    // Hand-edited files may spell the value out.
    const std::string Word = LowerCase(Trimmed(Text));
    if (Word == "true")
        return true;
    if (Word == "false")
        return false;
    return Default;
}

void TSettingsStore::WriteInteger(const std::string& Section, const std::string& Ident, int Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

void TSettingsStore::WriteFloat(const std::string& Section, const std::string& Ident, double Value)
{
    // The shortest exact text, so a value read back equals the value written.
    WriteString(Section, Ident, FloatToStr(Value));
}

void TSettingsStore::WriteBool(const std::string& Section, const std::string& Ident, bool Value)
{
    WriteString(Section, Ident, Value ? "1" : "0");
}

std::string TMemorySettingsStore::ReadString(const std::string& Section, const std::string& Ident,
                                             const std::string& Default) const
{
    auto SectionIt = Sections.find(Section);
    if (SectionIt == Sections.end())
        return Default;
    auto ValueIt = SectionIt->second.find(Ident);
    return ValueIt == SectionIt->second.end() ? Default : ValueIt->second;
}

void TMemorySettingsStore::WriteString(const std::string& Section, const std::string& Ident,
                                       const std::string& Value)
{
    Sections[Section][Ident] = Value;
}

bool TMemorySettingsStore::ValueExists(const std::string& Section, const std::string& Ident) const
{
    auto SectionIt = Sections.find(Section);
    return SectionIt != Sections.end() && SectionIt->second.count(Ident) != 0;
}

std::vector<std::string> TMemorySettingsStore::ReadSectionIdents(const std::string& Section) const
{
    std::vector<std::string> Idents;
    auto SectionIt = Sections.find(Section);
    if (SectionIt != Sections.end())
        for (const auto& [Ident, Value] : SectionIt->second)
            Idents.push_back(Ident);
    return Idents;
}

std::vector<std::string> TMemorySettingsStore::ReadSections() const
{
    std::vector<std::string> Names;
    for (const auto& [Name, Values] : Sections)
        if (!Values.empty())
            Names.push_back(Name);
    return Names;
}

void TMemorySettingsStore::EraseSection(const std::string& Section)
{
    Sections.erase(Section);
}

void TMemorySettingsStore::DeleteKey(const std::string& Section, const std::string& Ident)
{
    auto SectionIt = Sections.find(Section);
    if (SectionIt == Sections.end())
        return;
    SectionIt->second.erase(Ident);
    if (SectionIt->second.empty())
        Sections.erase(SectionIt);
}
