#include "foundation/DelimitedText.h"

#include "foundation/DayCount.h"
#include "foundation/NumberFormat.h"

#include <chrono>
#include <ctime>

namespace {

const std::string_view EncodedBreak = "%13%10";

bool ReadDatePart(std::string_view Text, int& Value)
{
    return !Text.empty() && TryStrToInt(Text, Value);
}

std::tm LocalNow()
{
    const std::time_t Now = std::time(nullptr);
    std::tm Local{};
    localtime_r(&Now, &Local);
    return Local;
}

} // namespace

std::string_view TrimText(std::string_view S)
{
    while (!S.empty() && static_cast<unsigned char>(S.front()) <= ' ')
        S.remove_prefix(1);
    while (!S.empty() && static_cast<unsigned char>(S.back()) <= ' ')
        S.remove_suffix(1);
    return S;
}

void SplitAtDelimiter(int N, std::string_view Delim, std::string& Rest, std::string& Field)
{
    Field.clear();
    for (int I = 1; I <= N; ++I) {
        if (Rest.empty()) {
            // Fewer fields than asked for: field N does not exist.
            Field.clear();
            return;
        }
        const std::string Trimmed(TrimText(Rest));
        const std::size_t At = Delim.empty() ? std::string::npos : Trimmed.find(Delim);
        if (At != std::string::npos) {
            Field = Trimmed.substr(0, At);
            Rest = Trimmed.substr(At + Delim.size());
        } else {
            Field = I == N ? Trimmed : std::string();
            Rest.clear();
        }
    }
}

std::vector<std::string> SplitToArray(std::string_view S, std::string_view Delim)
{
    std::vector<std::string> Fields;
    std::string_view Rest = TrimText(S);
    while (!Rest.empty()) {
        const std::size_t At = Delim.empty() ? std::string_view::npos : Rest.find(Delim);
        if (At == std::string_view::npos) {
            Fields.emplace_back(Rest);
            break;
        }
        Fields.emplace_back(Rest.substr(0, At));
        Rest = TrimText(Rest.substr(At + Delim.size()));
    }
    return Fields;
}

double TodayAsDate()
{
    const std::tm Local = LocalNow();
    return DayCount(Local.tm_year + 1900, static_cast<unsigned>(Local.tm_mon + 1),
                         static_cast<unsigned>(Local.tm_mday));
}

double StrToDateLoose(std::string_view S, std::string_view Delim)
{
    std::string Rest(S);
    std::string DayText, MonthText;
    SplitAtDelimiter(1, Delim, Rest, DayText);
    SplitAtDelimiter(1, Delim, Rest, MonthText);
    const std::string_view YearText = TrimText(Rest);
    int Day = 0, Month = 0, Year = 0;
    if (!ReadDatePart(DayText, Day) || !ReadDatePart(MonthText, Month))
        return TodayAsDate();
    if (YearText.empty())
        Year = LocalNow().tm_year + 1900;
    else if (!ReadDatePart(YearText, Year))
        return TodayAsDate();
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > 31)
        return TodayAsDate();
    const std::chrono::year_month_day Date{std::chrono::year{Year},
                                           std::chrono::month{static_cast<unsigned>(Month)},
                                           std::chrono::day{static_cast<unsigned>(Day)}};
    if (!Date.ok()) // 31 April, 29 February of a common year
        return TodayAsDate();
    return DayCount(Year, static_cast<unsigned>(Month), static_cast<unsigned>(Day));
}

std::string EncodeLineBreaks(std::string_view S)
{
    std::string Out;
    Out.reserve(S.size());
    for (std::size_t I = 0; I < S.size(); ++I) {
        if (S[I] == '\r') {
            Out += EncodedBreak;
            if (I + 1 < S.size() && S[I + 1] == '\n')
                ++I;
        } else if (S[I] == '\n') {
            Out += EncodedBreak;
        } else {
            Out += S[I];
        }
    }
    return Out;
}

std::string DecodeLineBreaks(std::string_view S, std::string_view LineBreak)
{
    std::string Out;
    Out.reserve(S.size());
    std::size_t I = 0;
    while (I < S.size()) {
        const std::size_t At = S.find(EncodedBreak, I);
        if (At == std::string_view::npos) {
            Out += S.substr(I);
            break;
        }
        Out += S.substr(I, At - I);
        Out += LineBreak;
        I = At + EncodedBreak.size();
    }
    return Out;
}
