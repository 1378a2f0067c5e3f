#include "foundation/FileHelpers.h"

#include "foundation/DayCount.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsFolderDelimiter(char C)
{
    return C == '/' || C == '\\';
}

bool IsContinuationByte(char C)
{
    return (static_cast<unsigned char>(C) & 0xC0) == 0x80;
}

std::size_t CodePoints(std::string_view S)
{
    std::size_t N = 0;
    for (char C : S)
        if (!IsContinuationByte(C))
            ++N;
    return N;
}

// The first Count code points of S.
std::string_view FirstCodePoints(std::string_view S, std::size_t Count)
{
    std::size_t I = 0;
    for (std::size_t Seen = 0; I < S.size(); ++I) {
        if (!IsContinuationByte(S[I])) {
            if (Seen == Count)
                break;
            ++Seen;
        }
    }
    return S.substr(0, I);
}

} // namespace

std::vector<std::string> ReadTextFileLines(const std::string& FileName)
{
    std::vector<std::string> Lines;
    std::ifstream In(FileName, std::ios::binary);
    if (!In)
        return Lines;
    std::string Line;
    while (std::getline(In, Line)) {
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();
        if (Lines.empty() && Line.rfind("\xEF\xBB\xBF", 0) == 0)
            Line.erase(0, 3);
        Lines.push_back(std::move(Line));
    }
    return Lines;
}

std::string ExtractFileBaseName(std::string_view Path)
{
    std::size_t Start = Path.size();
    while (Start > 0 && !IsFolderDelimiter(Path[Start - 1]))
        --Start;
    std::string_view Name = Path.substr(Start);
    const std::size_t Dot = Name.rfind('.');
    // A leading dot starts a hidden name, not an extension.
    if (Dot != std::string_view::npos && Dot > 0)
        Name = Name.substr(0, Dot);
    return std::string(Name);
}

std::string IncludeTrailingPathDelimiter(std::string_view Path)
{
    std::string Out(Path);
    if (!Out.empty() && Out.back() != '/')
        Out += '/';
    return Out;
}

std::string ShortenPath(std::string_view Path, int MaxWidth, const TTextWidthFunc& TextWidth)
{
    const std::size_t Length = CodePoints(Path);
    if (Length == 0)
        return std::string();
    int CharWidth = TextWidth(Path) / static_cast<int>(Length) + 1;
    if (CharWidth <= 0)
        CharWidth = 6;
    const int MaxChars = MaxWidth / CharWidth;
    if (static_cast<int>(Length) <= MaxChars)
        return std::string(Path);

    std::size_t NameStart = Path.size();
    while (NameStart > 0 && !IsFolderDelimiter(Path[NameStart - 1]))
        --NameStart;
    const std::string_view Folder = Path.substr(0, NameStart);
    const std::string_view Name = Path.substr(NameStart);
    const int FolderChars = MaxChars - 1 - static_cast<int>(CodePoints(Name));
    if (FolderChars < 0)
        return std::string(Name);
    std::string Out(FirstCodePoints(Folder, static_cast<std::size_t>(FolderChars)));
    Out += '~';
    Out += Name;
    return Out;
}

double FileTimeToDateTime(std::filesystem::file_time_type FileTime)
{
    using namespace std::chrono;
    // Whole seconds first, so that the shift between the clocks cannot overflow.
    const auto Seconds = floor<seconds>(FileTime);
    const auto Nanos = duration_cast<nanoseconds>(FileTime - Seconds).count();
    const auto Sys = file_clock::to_sys(Seconds);
    const std::time_t Time = static_cast<std::time_t>(Sys.time_since_epoch().count());
    std::tm Local{};
    if (!localtime_r(&Time, &Local) || Local.tm_year < 1 - 1900 || Local.tm_year > 9999 - 1900)
        return -1.0;
    const double Days = DayCount(Local.tm_year + 1900, static_cast<unsigned>(Local.tm_mon + 1),
                                  static_cast<unsigned>(Local.tm_mday));
    const double Fraction =
        (Local.tm_hour * 3600.0 + Local.tm_min * 60.0 + Local.tm_sec + Nanos * 1e-9) / 86400.0;
    // Before the base day the fraction still counts forward from midnight.
    return Days >= 0 ? Days + Fraction : Days - Fraction;
}

std::string GetParamFileName(int Argc, const char* const Argv[])
{
    std::string Joined;
    for (int I = 1; I < Argc; ++I) {
        if (!Argv[I])
            continue;
        if (!Joined.empty())
            Joined += ' ';
        Joined += Argv[I];
    }
    if (Joined.empty())
        return Joined;
    std::error_code Error;
    const std::filesystem::path Full = std::filesystem::absolute(Joined, Error);
    if (Error)
        return Joined;
    return Full.lexically_normal().string();
}

