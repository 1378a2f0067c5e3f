#include "graph/NumberedName.h"

#include "foundation/NumberFormat.h"

namespace {

char LowerAscii(char C)
{
    return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
}

bool SameTextAt(const std::string& Name, std::size_t At, std::string_view Needle)
{
    if (At + Needle.size() > Name.size())
        return false;
    for (std::size_t I = 0; I < Needle.size(); ++I)
        if (LowerAscii(Name[At + I]) != LowerAscii(Needle[I]))
            return false;
    return true;
}

bool IsDigit(char C)
{
    return C >= '0' && C <= '9';
}

} // namespace

bool ReplaceNumberedWord(std::string& Name, std::string_view Word, int OldId, int NewId,
                         bool KeepWordCase)
{
    const std::string Needle = std::string(Word) + IntToStr(OldId);
    if (Needle.size() > Name.size())
        return false;
    for (std::size_t At = 0; At + Needle.size() <= Name.size(); ++At) {
        if (!SameTextAt(Name, At, Needle))
            continue;
        const std::size_t End = At + Needle.size();
        if (End < Name.size() && IsDigit(Name[End]))
            continue;
        const std::string WordText = KeepWordCase ? Name.substr(At, Word.size()) : std::string(Word);
        Name.replace(At, Needle.size(), WordText + IntToStr(NewId));
        return true;
    }
    return false;
}
