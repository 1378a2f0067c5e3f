#include "foundation/NumberFormat.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

// Everything here goes through std::to_chars / std::from_chars, which never
// consult the process locale, so "." stays the decimal separator whatever the
// user's settings are.

namespace {

// Widths and precisions beyond these only come from damaged formats; they
// would otherwise make one number cost kilobytes of padding.
constexpr int MaxWidth = 512;
constexpr int MaxPrecision = 400;
// Room for the longest fixed text: 309 integer digits, the point and
// MaxPrecision decimals.
constexpr int BufferSize = 800;

struct TConversion {
    std::string_view Prefix; // literal text before the conversion, "%%" still escaped
    std::string_view Suffix; // literal text after it
    bool LeftAlign = false;
    bool PlusSign = false;
    bool SpaceSign = false;
    bool Alternate = false;
    bool ZeroPad = false;
    int Width = 0;
    int Precision = -1; // -1: none given
    char Kind = 'g';
};

bool IsDigit(char C)
{
    return C >= '0' && C <= '9';
}

// Reads up to a few digits; false when the number exceeds Limit.
bool ReadCount(std::string_view Fmt, std::size_t& I, int Limit, int& Out)
{
    long long N = 0;
    while (I < Fmt.size() && IsDigit(Fmt[I])) {
        N = N * 10 + (Fmt[I] - '0');
        if (N > Limit)
            return false;
        ++I;
    }
    Out = static_cast<int>(N);
    return true;
}

// Literal text may only hold "%%" escapes; a lone "%" means a second conversion.
bool LiteralIsPlain(std::string_view Text)
{
    for (std::size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] != '%')
            continue;
        if (I + 1 >= Text.size() || Text[I + 1] != '%')
            return false;
        ++I;
    }
    return true;
}

bool ParseFormat(std::string_view Fmt, TConversion& C)
{
    std::size_t I = 0;
    while (true) {
        I = Fmt.find('%', I);
        if (I == std::string_view::npos)
            return false;
        if (I + 1 < Fmt.size() && Fmt[I + 1] == '%') {
            I += 2;
            continue;
        }
        break;
    }
    C.Prefix = Fmt.substr(0, I);
    ++I;
    for (; I < Fmt.size(); ++I) {
        const char F = Fmt[I];
        if (F == '-')
            C.LeftAlign = true;
        else if (F == '+')
            C.PlusSign = true;
        else if (F == ' ')
            C.SpaceSign = true;
        else if (F == '#')
            C.Alternate = true;
        else if (F == '0')
            C.ZeroPad = true;
        else
            break;
    }
    if (!ReadCount(Fmt, I, MaxWidth, C.Width))
        return false;
    if (I < Fmt.size() && Fmt[I] == '.') {
        ++I;
        if (!ReadCount(Fmt, I, MaxPrecision, C.Precision))
            return false; // "." alone means precision 0, as in printf
    }
    // Length modifiers carry no meaning here: the value's type is the caller's.
    while (I < Fmt.size() && (Fmt[I] == 'l' || Fmt[I] == 'h' || Fmt[I] == 'L' || Fmt[I] == 'q'))
        ++I;
    if (I >= Fmt.size())
        return false;
    C.Kind = Fmt[I];
    switch (C.Kind) {
    case 'd': case 'i': case 'u':
    case 'f': case 'F': case 'e': case 'E': case 'g': case 'G':
        break;
    default:
        return false;
    }
    C.Suffix = Fmt.substr(I + 1);
    return LiteralIsPlain(C.Prefix) && LiteralIsPlain(C.Suffix);
}

void AppendLiteral(std::string& Out, std::string_view Text)
{
    for (std::size_t I = 0; I < Text.size(); ++I) {
        Out += Text[I];
        if (Text[I] == '%')
            ++I; // "%%" becomes one "%"
    }
}

bool IsIntegerKind(char Kind)
{
    return Kind == 'd' || Kind == 'i' || Kind == 'u';
}

char Upper(char C)
{
    return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 'a' + 'A') : C;
}

// Pads Sign + Digits to the width and appends everything to Out.
void AppendPadded(std::string& Out, const TConversion& C, std::string_view Sign,
                  std::string_view Digits, bool MayZeroPad)
{
    const int Length = static_cast<int>(Sign.size() + Digits.size());
    const int Fill = C.Width > Length ? C.Width - Length : 0;
    if (C.LeftAlign) {
        Out += Sign;
        Out += Digits;
        Out.append(Fill, ' ');
    } else if (C.ZeroPad && MayZeroPad) {
        Out += Sign;
        Out.append(Fill, '0');
        Out += Digits;
    } else {
        Out.append(Fill, ' ');
        Out += Sign;
        Out += Digits;
    }
}

std::string_view SignText(const TConversion& C, bool Negative)
{
    if (Negative)
        return "-";
    if (C.PlusSign)
        return "+";
    if (C.SpaceSign)
        return " ";
    return "";
}

void AppendInteger(std::string& Out, const TConversion& C, long long Value)
{
    char Buf[32];
    const bool Unsigned = C.Kind == 'u';
    const bool Negative = !Unsigned && Value < 0;
    // Magnitude as unsigned so that the most negative value has no overflow;
    // "%u" shows a negative value as its 64-bit two's complement, like printf.
    const std::uint64_t Magnitude = Negative ? 0 - static_cast<std::uint64_t>(Value)
                                             : static_cast<std::uint64_t>(Value);
    char* End = Buf;
    if (!(C.Precision == 0 && Magnitude == 0))
        End = std::to_chars(Buf, Buf + sizeof Buf, Magnitude).ptr;
    std::string_view Digits(Buf, static_cast<std::size_t>(End - Buf));
    std::string Padded;
    if (C.Precision > static_cast<int>(Digits.size())) {
        Padded.assign(static_cast<std::size_t>(C.Precision) - Digits.size(), '0');
        Padded += Digits;
        Digits = Padded;
    }
    AppendPadded(Out, C, SignText(C, Negative && Magnitude != 0), Digits,
                 C.Precision < 0);
}

// Removes trailing fraction zeros (and a bare point) from Text[0, End).
char* StripFractionZeros(char* Begin, char* End)
{
    char* Point = Begin;
    while (Point < End && *Point != '.')
        ++Point;
    if (Point == End)
        return End;
    while (End > Point + 1 && End[-1] == '0')
        --End;
    if (End == Point + 1)
        --End;
    return End;
}

int ExponentOf(const char* Begin, const char* End)
{
    const char* E = Begin;
    while (E < End && *E != 'e')
        ++E;
    int X = 0;
    if (E < End) {
        const char* P = E + 1;
        if (P < End && *P == '+')
            ++P;
        std::from_chars(P, End, X);
    }
    return X;
}

// ---- halves away from zero
//
// printf rounds a value lying exactly halfway between two outputs to the even
// one ("%0.0f" of 12.5 gives "12", of 13.5 "14"). Engineers read tables with
// halves rounded away from zero, and the integer conversions already do so,
// so exact halves are rounded up here (in magnitude); every other value is
// rounded as printf rounds it.

// The number of binary fraction digits of a finite magnitude: 0 for whole
// numbers. Its exact decimal text has as many fraction digits, the last a 5.
int FractionBits(double A)
{
    if (A == 0)
        return 0;
    int Exp = 0;
    const double Mantissa = std::frexp(A, &Exp); // A = Mantissa · 2^Exp, Mantissa in [0.5, 1)
    const auto Bits = static_cast<std::uint64_t>(std::ldexp(Mantissa, 53));
    const int LowestBit = Exp - 53 + std::countr_zero(Bits); // A is a multiple of 2^LowestBit
    return LowestBit < 0 ? -LowestBit : 0;
}

// A lies exactly halfway between two multiples of 10^-K (K < 0: of 10^|K|).
bool IsHalfAt(double A, int K)
{
    const int Bits = FractionBits(A);
    if (K >= 0)
        return Bits == K + 1;
    if (Bits != 0)
        return false;
    // A whole number: its decimal text must end in 5 and |K| - 1 zeros.
    char Buf[BufferSize];
    const char* End = std::to_chars(Buf, Buf + sizeof Buf, A, std::chars_format::fixed, 0).ptr;
    const std::size_t Places = static_cast<std::size_t>(-K);
    const std::size_t Length = static_cast<std::size_t>(End - Buf);
    if (Length < Places || End[-static_cast<std::ptrdiff_t>(Places)] != '5')
        return false;
    for (std::size_t I = 1; I < Places; ++I)
        if (End[-static_cast<std::ptrdiff_t>(I)] != '0')
            return false;
    return true;
}

// Adds one unit in the last place of the digits in [Begin, End) (a point is
// passed over). A carry out of the first digit puts a "1" in front: the text
// then grows by one character. Returns the new end.
char* AddLastUnit(char* Begin, char* End)
{
    for (char* P = End; P > Begin;) {
        --P;
        if (*P == '.')
            continue;
        if (*P != '9') {
            ++*P;
            return End;
        }
        *P = '0';
    }
    std::memmove(Begin + 1, Begin, static_cast<std::size_t>(End - Begin));
    *Begin = '1';
    return End + 1;
}

// Fixed notation with Prec decimals, halves away from zero.
char* FixedDigits(char* Buf, char* BufEnd, double A, int Prec)
{
    if (!IsHalfAt(A, Prec))
        return std::to_chars(Buf, BufEnd, A, std::chars_format::fixed, Prec).ptr;
    // One more decimal shows the value exactly, ending in the 5: drop it
    // (and a bare point) and round the rest up.
    char* End = std::to_chars(Buf, BufEnd, A, std::chars_format::fixed, Prec + 1).ptr;
    End -= Prec == 0 ? 2 : 1;
    return AddLastUnit(Buf, End);
}

// Scientific notation with Prec decimals, halves away from zero.
char* ScientificDigits(char* Buf, char* BufEnd, double A, int Prec)
{
    char* End = std::to_chars(Buf, BufEnd, A, std::chars_format::scientific, Prec).ptr;
    if (A == 0)
        return End;
    // The decimal exponent of A itself (not of its rounded text), from its
    // shortest text, which never crosses a power of ten.
    char Shortest[64];
    const char* ShortestEnd =
        std::to_chars(Shortest, Shortest + sizeof Shortest, A, std::chars_format::scientific).ptr;
    int X = ExponentOf(Shortest, ShortestEnd);
    if (!IsHalfAt(A, Prec - X))
        return End;
    End = std::to_chars(Buf, BufEnd, A, std::chars_format::scientific, Prec + 1).ptr;
    char* E = Buf;
    while (*E != 'e')
        ++E;
    char* MantissaEnd = E - (Prec == 0 ? 2 : 1);
    char* Rounded = AddLastUnit(Buf, MantissaEnd);
    if (Rounded != MantissaEnd) {
        // "9.95" became "10.0": one digit fewer behind the point, and the
        // exponent one up.
        Rounded = MantissaEnd;
        if (Prec > 0) {
            Buf[1] = '.';
            Buf[2] = '0';
        }
        ++X;
    }
    char* Out = Rounded;
    *Out++ = 'e';
    *Out++ = X < 0 ? '-' : '+';
    const int Magnitude = X < 0 ? -X : X;
    if (Magnitude < 10)
        *Out++ = '0';
    return std::to_chars(Out, BufEnd, Magnitude).ptr;
}

// Formats a finite, non-negative magnitude into Buf as printf would; returns its end.
char* FloatDigits(char* Buf, const TConversion& C, double A)
{
    char* const BufEnd = Buf + BufferSize;
    const char Kind = static_cast<char>(C.Kind | 0x20); // lower case
    const int Prec = C.Precision < 0 ? 6 : C.Precision;
    char* End = Buf;
    if (Kind == 'f') {
        End = FixedDigits(Buf, BufEnd, A, Prec);
        if (C.Alternate && Prec == 0)
            *End++ = '.';
        return End;
    }
    if (Kind == 'e') {
        End = ScientificDigits(Buf, BufEnd, A, Prec);
        if (C.Alternate && Prec == 0) {
            // "1e+05" -> "1.e+05"
            for (char* P = End; P > Buf + 1; --P)
                P[0] = P[-1];
            Buf[1] = '.';
            ++End;
        }
        return End;
    }
    // %g: the exponent of the value rounded to P digits decides between the
    // fixed and the scientific form, as printf does.
    const int P = Prec == 0 ? 1 : Prec;
    End = ScientificDigits(Buf, BufEnd, A, P - 1);
    const int X = ExponentOf(Buf, End);
    if (X < P && X >= -4) {
        End = FixedDigits(Buf, BufEnd, A, P - 1 - X);
        if (!C.Alternate)
            End = StripFractionZeros(Buf, End);
        else if (P - 1 - X == 0)
            *End++ = '.';
        return End;
    }
    if (C.Alternate)
        return End;
    char* E = Buf;
    while (E < End && *E != 'e')
        ++E;
    char* MantissaEnd = StripFractionZeros(Buf, E);
    for (char* P2 = E; P2 < End; ++P2)
        *MantissaEnd++ = *P2;
    return MantissaEnd;
}

bool AllZeroDigits(std::string_view Digits)
{
    for (char Ch : Digits) {
        if (Ch == 'e' || Ch == 'E')
            break;
        if (IsDigit(Ch) && Ch != '0')
            return false;
    }
    return true;
}

void AppendFloat(std::string& Out, const TConversion& C, double Value)
{
    const bool UpperCase = C.Kind == 'E' || C.Kind == 'G' || C.Kind == 'F';
    if (!std::isfinite(Value)) {
        std::string_view Word = std::isnan(Value) ? (UpperCase ? "NAN" : "nan")
                                                  : (UpperCase ? "INF" : "inf");
        AppendPadded(Out, C, SignText(C, std::isinf(Value) && Value < 0), Word, false);
        return;
    }
    char Buf[BufferSize];
    char* End = FloatDigits(Buf, C, std::fabs(Value));
    if (UpperCase)
        for (char* P = Buf; P < End; ++P)
            *P = Upper(*P);
    const std::string_view Digits(Buf, static_cast<std::size_t>(End - Buf));
    // A value that rounds to zero shows no minus sign: "-0.0" on screen only
    // confuses.
    const bool Negative = std::signbit(Value) && !AllZeroDigits(Digits);
    AppendPadded(Out, C, SignText(C, Negative), Digits, true);
}

constexpr double Int64Limit = 9223372036854775807.0;

void AppendConversion(std::string& Out, TConversion C, double Value)
{
    if (!IsIntegerKind(C.Kind)) {
        AppendFloat(Out, C, Value);
        return;
    }
    if (std::isfinite(Value) && std::fabs(Value) < Int64Limit) {
        AppendInteger(Out, C, std::llround(Value));
        return;
    }
    // Too large for an integer: show it as a whole-number float instead.
    C.Kind = 'f';
    C.Precision = 0;
    AppendFloat(Out, C, Value);
}

std::string FallbackFormat(double Value)
{
    std::string Out;
    TConversion C;
    AppendFloat(Out, C, Value);
    return Out;
}

bool IsBlank(char C)
{
    return C == ' ' || C == '\t' || C == '\r' || C == '\n';
}

std::string_view TrimBlanks(std::string_view S)
{
    while (!S.empty() && IsBlank(S.front()))
        S.remove_prefix(1);
    while (!S.empty() && IsBlank(S.back()))
        S.remove_suffix(1);
    return S;
}

// Checks the strict number syntax and returns, for a later underflow or
// overflow decision, the decimal position of the first significant digit
// (1 for "1.5", 0 for "0.5", -2 for "0.005"), not counting the exponent.
bool CheckFloatSyntax(std::string_view S, long long& LeadPosition, std::size_t& ExponentAt)
{
    std::size_t I = 0;
    if (I < S.size() && (S[I] == '+' || S[I] == '-'))
        ++I;
    int Digits = 0;
    bool Point = false;
    bool Significant = false;
    long long IntegerDigits = 0;   // significant digits before the point
    long long LeadingZeros = 0;    // zeros right after the point before the first significant digit
    for (; I < S.size(); ++I) {
        const char C = S[I];
        if (IsDigit(C)) {
            ++Digits;
            if (C != '0')
                Significant = true;
            if (!Point && Significant)
                ++IntegerDigits;
            if (Point && !Significant)
                ++LeadingZeros;
        } else if (C == '.' && !Point) {
            Point = true;
        } else {
            break;
        }
    }
    if (Digits == 0)
        return false;
    LeadPosition = IntegerDigits > 0 ? IntegerDigits : -LeadingZeros;
    ExponentAt = I;
    if (I == S.size())
        return true;
    if (S[I] != 'e' && S[I] != 'E')
        return false;
    ++I;
    if (I < S.size() && (S[I] == '+' || S[I] == '-'))
        ++I;
    const std::size_t ExpDigitsAt = I;
    while (I < S.size() && IsDigit(S[I]))
        ++I;
    return I > ExpDigitsAt && I == S.size();
}

// The exponent part of a checked number, saturated far beyond any double range.
long long ExponentValue(std::string_view S, std::size_t At)
{
    if (At >= S.size())
        return 0;
    std::size_t I = At + 1;
    bool Negative = false;
    if (S[I] == '+' || S[I] == '-') {
        Negative = S[I] == '-';
        ++I;
    }
    long long X = 0;
    for (; I < S.size(); ++I)
        if (X < 100000)
            X = X * 10 + (S[I] - '0');
    return Negative ? -X : X;
}

} // namespace

std::string FormatFloat(std::string_view Fmt, double Value)
{
    TConversion C;
    if (!ParseFormat(Fmt, C))
        return FallbackFormat(Value);
    std::string Out;
    AppendLiteral(Out, C.Prefix);
    AppendConversion(Out, C, Value);
    AppendLiteral(Out, C.Suffix);
    return Out;
}

std::string FormatInt(std::string_view Fmt, long long Value)
{
    TConversion C;
    if (!ParseFormat(Fmt, C))
        return FallbackFormat(static_cast<double>(Value));
    std::string Out;
    AppendLiteral(Out, C.Prefix);
    if (IsIntegerKind(C.Kind))
        AppendInteger(Out, C, Value);
    else
        AppendFloat(Out, C, static_cast<double>(Value));
    AppendLiteral(Out, C.Suffix);
    return Out;
}

std::string FloatToStr(double Value)
{
    if (std::isnan(Value))
        return "NAN";
    if (std::isinf(Value))
        return Value < 0 ? "-INF" : "INF";
    if (Value == 0)
        return "0";
    // The shortest digits that read back exactly, then laid out the way the
    // program has always shown plain numbers: fixed from 1E-4 up to 15 integer
    // digits, otherwise "1.5E-7" / "2E20".
    char Buf[64];
    char* End = std::to_chars(Buf, Buf + sizeof Buf, std::fabs(Value),
                              std::chars_format::scientific).ptr;
    const int X = ExponentOf(Buf, End);
    char Mantissa[32];
    int N = 0;
    for (const char* P = Buf; P < End && *P != 'e'; ++P)
        if (IsDigit(*P))
            Mantissa[N++] = *P;
    std::string Out;
    if (Value < 0)
        Out += '-';
    if (X >= 15 || X < -4) {
        Out += Mantissa[0];
        if (N > 1) {
            Out += '.';
            Out.append(Mantissa + 1, static_cast<std::size_t>(N - 1));
        }
        Out += 'E';
        Out += IntToStr(X);
        return Out;
    }
    if (X < 0) {
        Out += "0.";
        Out.append(static_cast<std::size_t>(-X - 1), '0');
        Out.append(Mantissa, static_cast<std::size_t>(N));
        return Out;
    }
    const int IntDigits = X + 1;
    for (int I = 0; I < IntDigits; ++I)
        Out += I < N ? Mantissa[I] : '0';
    if (N > IntDigits) {
        Out += '.';
        Out.append(Mantissa + IntDigits, static_cast<std::size_t>(N - IntDigits));
    }
    return Out;
}

std::string IntToStr(long long Value)
{
    char Buf[32];
    const char* End = std::to_chars(Buf, Buf + sizeof Buf, Value).ptr;
    return std::string(Buf, static_cast<std::size_t>(End - Buf));
}

bool TryStrToFloat(std::string_view Text, double& Value)
{
    const std::string_view S = TrimBlanks(Text);
    long long LeadPosition = 0;
    std::size_t ExponentAt = 0;
    if (!CheckFloatSyntax(S, LeadPosition, ExponentAt))
        return false;
    // from_chars takes no "+" but does take "-".
    const char* Begin = S.data();
    const char* End = S.data() + S.size();
    if (*Begin == '+')
        ++Begin;
    double V = 0;
    const auto Result = std::from_chars(Begin, End, V, std::chars_format::general);
    if (Result.ptr != End)
        return false;
    if (Result.ec == std::errc::result_out_of_range) {
        // Too small to hold is zero; too large is an error.
        if (LeadPosition + ExponentValue(S, ExponentAt) > 0)
            return false;
        V = S.front() == '-' ? -0.0 : 0.0;
    } else if (Result.ec != std::errc()) {
        return false;
    }
    if (!std::isfinite(V))
        return false;
    Value = V;
    return true;
}

bool TryStrToInt(std::string_view Text, int& Value)
{
    const std::string_view S = TrimBlanks(Text);
    if (S.empty())
        return false;
    const char* Begin = S.data();
    const char* End = S.data() + S.size();
    if (*Begin == '+') {
        ++Begin;
        if (Begin == End || *Begin == '-')
            return false;
    }
    int V = 0;
    const auto Result = std::from_chars(Begin, End, V, 10);
    if (Result.ec != std::errc() || Result.ptr != End)
        return false;
    Value = V;
    return true;
}

double StrToFloat(std::string_view Text)
{
    double V = 0;
    if (!TryStrToFloat(Text, V))
        throw EConvertError("'" + std::string(Text) + "' is not a valid floating point value");
    return V;
}

int StrToInt(std::string_view Text)
{
    int V = 0;
    if (!TryStrToInt(Text, V))
        throw EConvertError("'" + std::string(Text) + "' is not a valid integer value");
    return V;
}
