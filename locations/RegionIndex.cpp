#include "locations/RegionIndex.h"

#include "foundation/Cp1252Text.h"
#include "foundation/DelimitedText.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// The decimal integer of Text (an optional sign, then digits), or false.
bool ParseInteger(const std::string& Text, int& Value)
{
    if (Text.empty())
        return false;
    const char* Begin = Text.c_str();
    if (*Begin != '+' && *Begin != '-' && (*Begin < '0' || *Begin > '9'))
        return false;
    char* End = nullptr;
    errno = 0;
    const long V = std::strtol(Begin, &End, 10);
    if (errno != 0 || *End != '\0' || End == Begin || V < INT_MIN || V > INT_MAX)
        return false;
    Value = static_cast<int>(V);
    return true;
}

} // namespace

bool SameIndexName(std::string_view A, std::string_view B)
{
    if (A.size() != B.size())
        return false;
    for (std::size_t I = 0; I < A.size(); ++I) {
        char X = A[I], Y = B[I];
        if (X >= 'A' && X <= 'Z')
            X = static_cast<char>(X - 'A' + 'a');
        if (Y >= 'A' && Y <= 'Z')
            Y = static_cast<char>(Y - 'A' + 'a');
        if (X != Y)
            return false;
    }
    return true;
}

bool TRegionIndex::LoadFromFile(const std::string& FileName)
{
    SectionList.clear();
    std::ifstream File(FileName, std::ios::binary);
    if (!File)
        return false;
    const std::string Text(std::istreambuf_iterator<char>(File), {});
    if (File.bad())
        return false;
    LoadFromText(Text);
    return true;
}

void TRegionIndex::LoadFromText(std::string_view Text)
{
    SectionList.clear();
    if (Text.starts_with("\xEF\xBB\xBF"))
        Text.remove_prefix(3);
    const std::string Decoded = IsWellFormedUtf8(Text) ? std::string(Text) : Cp1252ToUtf8(Text);
    TSection* Current = nullptr;
    std::size_t Start = 0;
    while (Start <= Decoded.size()) {
        std::size_t End = Decoded.find('\n', Start);
        if (End == std::string::npos)
            End = Decoded.size();
        const std::string_view Line = TrimText(std::string_view(Decoded).substr(Start, End - Start));
        Start = End + 1;
        if (Line.empty() || Line.front() == ';')
            continue;
        if (Line.front() == '[' && Line.back() == ']' && Line.size() >= 2) {
            const std::string Name(TrimText(Line.substr(1, Line.size() - 2)));
            Current = nullptr;
            for (TSection& S : SectionList)
                if (SameIndexName(S.Name, Name))
                    Current = &S;
            if (!Current)
                Current = &SectionList.emplace_back(TSection{Name, {}});
            continue;
        }
        const std::size_t Equals = Line.find('=');
        if (!Current || Equals == std::string_view::npos)
            continue;
        Current->Entries.push_back(
            {std::string(TrimText(Line.substr(0, Equals))), std::string(TrimText(Line.substr(Equals + 1)))});
    }
}

const TRegionIndex::TSection* TRegionIndex::Find(std::string_view Section) const
{
    for (const TSection& S : SectionList)
        if (SameIndexName(S.Name, Section))
            return &S;
    return nullptr;
}

std::vector<std::string> TRegionIndex::Sections() const
{
    std::vector<std::string> Names;
    for (const TSection& S : SectionList)
        Names.push_back(S.Name);
    return Names;
}

std::vector<std::string> TRegionIndex::Keys(std::string_view Section) const
{
    std::vector<std::string> Names;
    if (const TSection* S = Find(Section))
        for (const TEntry& E : S->Entries)
            Names.push_back(E.Key);
    return Names;
}

int TRegionIndex::ReadInteger(std::string_view Section, std::string_view Key, int Default) const
{
    if (const TSection* S = Find(Section))
        for (const TEntry& E : S->Entries)
            if (SameIndexName(E.Key, Key)) {
                int Value = Default;
                return ParseInteger(E.Value, Value) ? Value : Default;
            }
    return Default;
}

std::string TRegionIndex::KeyOfValue(std::string_view Section, int Value) const
{
    if (const TSection* S = Find(Section))
        for (const TEntry& E : S->Entries) {
            int V = 0;
            if (ParseInteger(E.Value, V) && V == Value)
                return E.Key;
        }
    return {};
}
