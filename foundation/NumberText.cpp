#include "foundation/NumberText.h"

#include "foundation/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace {

std::string FixedFormat(int Decimals)
{
    return "%0." + IntToStr(Decimals) + "f";
}

// Widest precision the formatter takes; larger ones only come from bad input.
constexpr int MaxDecimals = 400;

std::string CleanSingleNumber(std::string T)
{
    if (T.empty())
        return "0";

    // One exponent letter, upper case.
    std::string U;
    bool SeenE = false;
    for (char C : T) {
        if (C == 'e' || C == 'E') {
            if (SeenE)
                continue;
            SeenE = true;
            C = 'E';
        }
        U += C;
    }

    // A minus sign only leads the number or its exponent.
    if (U.size() > 1) {
        std::string V;
        for (std::size_t I = 0; I < U.size(); ++I)
            if (U[I] != '-' || I == 0 || U[I - 1] == 'E')
                V += U[I];
        U = V;
    }
    if (U == "-")
        return "0";

    // One decimal point.
    const std::size_t FirstPoint = U.find('.');
    if (FirstPoint != std::string::npos) {
        std::string V = U.substr(0, FirstPoint + 1);
        for (std::size_t I = FirstPoint + 1; I < U.size(); ++I)
            if (U[I] != '.')
                V += U[I];
        U = V;
    }

    // "E5" means 1E5, also behind a sign.
    // (Built anew rather than by insert, which GCC 12 warns of wrongly.)
    if (U[0] == 'E')
        U = "1" + U;
    else if ((U[0] == '-' || U[0] == '+') && U.size() > 1 && U[1] == 'E')
        U = U.substr(0, 1) + "1" + U.substr(1);

    const std::size_t E = U.find('E');
    if (E != std::string::npos) {
        std::string Exponent;
        for (std::size_t I = E + 1; I < U.size(); ++I)
            if (U[I] != '.')
                Exponent += U[I];
        long long Magnitude = 0;
        for (char C : Exponent)
            if (C >= '0' && C <= '9' && Magnitude <= 1000)
                Magnitude = Magnitude * 10 + (C - '0');
        // Beyond any double: keep what was probably meant to be typed first.
        if (Magnitude > 300)
            Exponent.resize(2);
        U = U.substr(0, E + 1) + Exponent;
    }
    return U;
}

} // namespace

int DecimalsNeeded(int SigDigs, int MaxDec, double Value)
{
    MaxDec = std::clamp(MaxDec, 0, MaxDecimals);
    if (!std::isfinite(Value))
        return 0;
    std::string S = FormatFloat(FixedFormat(MaxDec), Value);
    if (!S.empty() && S[0] == '-')
        S.erase(0, 1); // the sign is not an integer digit
    const std::size_t Point = S.find('.');
    const int IntegerDigits = static_cast<int>(Point == std::string::npos ? S.size() : Point);
    int Result = 0;
    if (IntegerDigits != 1) {
        Result = SigDigs > IntegerDigits ? SigDigs - IntegerDigits : 0;
    } else {
        Result = 3;
        for (std::size_t I = 2; I < S.size(); ++I)
            if (S[I] != '0') {
                Result = static_cast<int>(I) + 1;
                break;
            }
    }
    return std::min(Result, MaxDec);
}

std::string AutoFloatFormat(int SigDigs, int MaxDec, double Value)
{
    return FixedFormat(DecimalsNeeded(SigDigs, MaxDec, Value));
}

int FormatDecimals(std::string_view Fmt)
{
    const std::size_t Point = Fmt.find('.');
    if (Point == std::string_view::npos)
        return 0;
    int Decimals = 0;
    for (std::size_t I = Point + 1; I < Fmt.size() && Fmt[I] >= '0' && Fmt[I] <= '9'; ++I)
        Decimals = std::min(Decimals * 10 + (Fmt[I] - '0'), 9999);
    return Decimals;
}

std::string StripSpaces(std::string_view S)
{
    std::string Out;
    Out.reserve(S.size());
    for (char C : S)
        if (C != ' ' && C != '\t')
            Out += C;
    return Out;
}

std::string CleanNumberText(std::string_view S)
{
    const std::string T = StripSpaces(S);
    const std::size_t Slash = T.find('/');
    if (Slash == std::string::npos)
        return CleanSingleNumber(T);
    std::string Second;
    for (std::size_t I = Slash + 1; I < T.size(); ++I)
        if (T[I] != '/')
            Second += T[I];
    return CleanSingleNumber(T.substr(0, Slash)) + "/" + CleanSingleNumber(Second);
}

bool SplitSlashPair(std::string_view S, double& A, double& B)
{
    const std::size_t Slash = S.find('/');
    if (Slash == std::string_view::npos) {
        A = StrToFloat(S);
        return false;
    }
    const double First = StrToFloat(S.substr(0, Slash));
    const double Second = StrToFloat(S.substr(Slash + 1));
    A = First;
    B = Second;
    return true;
}

std::string ReplaceChar(std::string_view S, char Old, char New)
{
    std::string Out(S);
    std::replace(Out.begin(), Out.end(), Old, New);
    return Out;
}

std::string FormatValuePair(std::string_view Fmt, double A, double B)
{
    const std::size_t Slash = Fmt.find('/');
    if (Slash != std::string_view::npos && Fmt.find('%', Slash) != std::string_view::npos)
        return FormatFloat(Fmt.substr(0, Slash), A) + "/" + FormatFloat(Fmt.substr(Slash + 1), B);
    return FormatFloat(Fmt, A) + "/" + FormatFloat(Fmt, B);
}
