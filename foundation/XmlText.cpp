#include "foundation/XmlText.h"

#include "foundation/NumberFormat.h"

#include <cmath>
#include <cstdint>

namespace {

// The code point of the well-formed UTF-8 sequence at Text[I], and its
// length; length 0 when no well-formed sequence starts there (overlong
// forms, surrogates and values beyond U+10FFFF included).
std::uint32_t DecodeUtf8(std::string_view Text, std::size_t I, std::size_t& Length)
{
    const auto Byte = [&](std::size_t K) { return static_cast<unsigned char>(Text[I + K]); };
    const unsigned char B = Byte(0);
    Length = 0;
    std::uint32_t Code = 0;
    std::size_t Need = 0;
    unsigned char Lo = 0x80, Hi = 0xBF; // allowed range of the second byte
    if (B >= 0xC2 && B <= 0xDF) {
        Need = 2;
        Code = B & 0x1Fu;
    } else if (B >= 0xE0 && B <= 0xEF) {
        Need = 3;
        Code = B & 0x0Fu;
        if (B == 0xE0)
            Lo = 0xA0;
        else if (B == 0xED)
            Hi = 0x9F;
    } else if (B >= 0xF0 && B <= 0xF4) {
        Need = 4;
        Code = B & 0x07u;
        if (B == 0xF0)
            Lo = 0x90;
        else if (B == 0xF4)
            Hi = 0x8F;
    } else {
        return 0;
    }
    if (I + Need > Text.size())
        return 0;
    for (std::size_t K = 1; K < Need; ++K) {
        const unsigned char C = Byte(K);
        if (K == 1 ? (C < Lo || C > Hi) : (C < 0x80 || C > 0xBF))
            return 0;
        Code = (Code << 6) | (C & 0x3Fu);
    }
    Length = Need;
    return Code;
}

} // namespace

std::string XmlEscapedText(std::string_view Utf8)
{
    std::string Out;
    Out.reserve(Utf8.size());
    std::size_t I = 0;
    while (I < Utf8.size()) {
        const auto B = static_cast<unsigned char>(Utf8[I]);
        if (B < 0x80) {
            ++I;
            switch (B) {
            case '&': Out += "&amp;"; break;
            case '<': Out += "&lt;"; break;
            case '>': Out += "&gt;"; break;
            case '"': Out += "&quot;"; break;
            case '\t': case '\n': case '\r': Out += static_cast<char>(B); break;
            default:
                if (B >= 0x20)
                    Out += static_cast<char>(B);
            }
            continue;
        }
        std::size_t Length = 0;
        std::uint32_t Code = DecodeUtf8(Utf8, I, Length);
        if (Length == 0) {
            Code = 0xFFFD;
            Length = 1;
        }
        I += Length;
        if (Code <= 0xFF)
            Out += static_cast<char>(Code);
        else
            Out += "&#" + std::to_string(Code) + ';';
    }
    return Out;
}

std::string XmlNumberText(std::string_view Format, double Value)
{
    return FormatFloat(Format, std::isfinite(Value) ? Value : 0.0);
}
