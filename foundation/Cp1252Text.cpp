#include "foundation/Cp1252Text.h"

namespace {

// Windows-1252 at 0x80..0x9F; 0xA0 and above equal Latin-1.
constexpr std::uint16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The code point starting at Utf8[I] (I advanced past it), or -1 for a
// sequence that is not well formed.
long NextCodePoint(std::string_view Utf8, std::size_t& I)
{
    const auto B = static_cast<unsigned char>(Utf8[I++]);
    if (B < 0x80)
        return B;
    int More = 0;
    long Code = 0;
    long Least = 0;
    if (B >= 0xC2 && B <= 0xDF) {
        More = 1, Code = B & 0x1F, Least = 0x80;
    } else if (B >= 0xE0 && B <= 0xEF) {
        More = 2, Code = B & 0x0F, Least = 0x800;
    } else if (B >= 0xF0 && B <= 0xF4) {
        More = 3, Code = B & 0x07, Least = 0x10000;
    } else {
        return -1;
    }
    for (; More > 0; --More) {
        if (I >= Utf8.size())
            return -1;
        const auto C = static_cast<unsigned char>(Utf8[I++]);
        if ((C & 0xC0) != 0x80)
            return -1;
        Code = (Code << 6) | (C & 0x3F);
    }
    if (Code < Least || Code > 0x10FFFF || (Code >= 0xD800 && Code <= 0xDFFF))
        return -1;
    return Code;
}

} // namespace

void AppendUtf8(std::string& Out, std::uint32_t Code)
{
    if (Code < 0x80) {
        Out += static_cast<char>(Code);
    } else if (Code < 0x800) {
        Out += static_cast<char>(0xC0 | (Code >> 6));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    } else if (Code < 0x10000) {
        Out += static_cast<char>(0xE0 | (Code >> 12));
        Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (Code >> 18));
        Out += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    }
}

std::string Cp1252ToUtf8(std::string_view Bytes)
{
    std::string Out;
    Out.reserve(Bytes.size());
    for (char C : Bytes) {
        const auto B = static_cast<unsigned char>(C);
        if (B < 0x80)
            Out += C;
        else if (B < 0xA0)
            AppendUtf8(Out, Cp1252High[B - 0x80]);
        else
            AppendUtf8(Out, B);
    }
    return Out;
}

bool Utf8ToCp1252(std::string_view Utf8, std::string& Out)
{
    Out.clear();
    std::size_t I = 0;
    while (I < Utf8.size()) {
        const long Code = NextCodePoint(Utf8, I);
        if (Code < 0)
            return false;
        if (Code < 0x80 || (Code >= 0xA0 && Code <= 0xFF)) {
            Out += static_cast<char>(Code);
            continue;
        }
        int Found = -1;
        for (int K = 0; K < 32 && Found < 0; ++K)
            if (Cp1252High[K] == Code)
                Found = K;
        if (Found < 0)
            return false;
        Out += static_cast<char>(0x80 + Found);
    }
    return true;
}

bool IsWellFormedUtf8(std::string_view Text)
{
    std::size_t I = 0;
    while (I < Text.size())
        if (NextCodePoint(Text, I) < 0)
            return false;
    return true;
}
