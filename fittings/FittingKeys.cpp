#include "fittings/FittingKeys.h"

#include <cctype>

namespace {

char Lower(char C)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(C)));
}

bool IsDigit(char C)
{
    return C >= '0' && C <= '9';
}

bool AllDigits(std::string_view Text)
{
    if (Text.empty())
        return false;
    for (char C : Text)
        if (!IsDigit(C))
            return false;
    return true;
}

} // namespace

bool SameText(std::string_view A, std::string_view B)
{
    if (A.size() != B.size())
        return false;
    for (std::size_t i = 0; i < A.size(); ++i)
        if (Lower(A[i]) != Lower(B[i]))
            return false;
    return true;
}

std::string LowerCaseText(std::string_view Text)
{
    std::string Result(Text);
    for (char& C : Result)
        C = Lower(C);
    return Result;
}

std::string FittingBaseCode(std::string_view Key)
{
    const std::size_t First = Key.find('-');
    if (First == std::string_view::npos)
        return std::string(Key);
    const std::size_t Second = Key.find('-', First + 1);
    return std::string(Key.substr(0, Second));
}

std::string FittingKeyField(std::string_view Key, int Index)
{
    std::size_t Start = 0;
    for (int i = 0; i < Index; ++i) {
        const std::size_t Dash = Key.find('-', Start);
        if (Dash == std::string_view::npos)
            return std::string();
        Start = Dash + 1;
    }
    std::string_view Field = Key.substr(Start, Key.find('-', Start) - Start);
    while (!Field.empty() && Field.front() == ' ')
        Field.remove_prefix(1);
    while (!Field.empty() && Field.back() == ' ')
        Field.remove_suffix(1);
    return std::string(Field);
}

bool IsValidFittingKey(std::string_view Key)
{
    if (Key.size() < 5)
        return false;
    const char Function = static_cast<char>(std::toupper(static_cast<unsigned char>(Key[0])));
    const char Geometry = static_cast<char>(std::toupper(static_cast<unsigned char>(Key[1])));
    if (Function != 'S' && Function != 'E' && Function != 'C')
        return false;
    if (Geometry != 'D' && Geometry != 'R')
        return false;

    const std::size_t Dash = Key.find('-');
    if (Dash == std::string_view::npos)
        return false;
    const std::string_view Category = Key.substr(2, Dash - 2);
    if (Category != "1" && Category != "2" && Category != "3" && Category != "4" &&
        Category != "5" && Category != "6" && Category != "7" && Category != "8" &&
        Category != "9" && Category != "10")
        return false;

    const std::string_view Rest = Key.substr(Dash + 1);
    const std::size_t PathDash = Rest.find('-');
    if (!AllDigits(Rest.substr(0, PathDash)))
        return false;
    if (PathDash == std::string_view::npos)
        return true;
    const std::string Path = LowerCaseText(Rest.substr(PathDash + 1));
    return Path == "s" || Path == "b" || Path == "b1" || Path == "b2" || Path == "c";
}
