#include "foundation/Cp1252Text.h"

#include <gtest/gtest.h>

TEST(Cp1252Text, CharactersMapBothWays)
{
    const struct {
        const char* Bytes;
        const char* Utf8;
    } Cases[] = {
        {"Paris", "Paris"},
        {"S\xE3o Paulo", "S\xC3\xA3o Paulo"},                  // Latin-1 range
        {"\x80 \x9C \x8A", "\xE2\x82\xAC \xC5\x93 \xC5\xA0"}, // the 0x80..0x9F block
        {"Reykjav\xEDk", "Reykjav\xC3\xADk"},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(Cp1252ToUtf8(C.Bytes), C.Utf8) << C.Utf8;
        std::string Back;
        ASSERT_TRUE(Utf8ToCp1252(C.Utf8, Back)) << C.Utf8;
        EXPECT_EQ(Back, C.Bytes) << C.Utf8;
    }
}

TEST(Cp1252Text, TextWithoutAWindows1252FormIsRefused)
{
    const char* Cases[] = {
        "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", // Cyrillic
        "\xC5\x81\xC3\xB3\x64\xC5\xBA",                     // Polish letters beyond Latin-1
        "\xC3",                                             // cut sequence
        "\xC0\xAF",                                         // overlong form
        "\xED\xA0\x80",                                     // surrogate
    };
    for (const char* Text : Cases) {
        std::string Out;
        EXPECT_FALSE(Utf8ToCp1252(Text, Out)) << Text;
        const bool Cut = Text[0] == '\xC3' || Text[0] == '\xC0' || Text[0] == '\xED';
        EXPECT_EQ(IsWellFormedUtf8(Text), !Cut) << Text;
    }
}

TEST(Cp1252Text, UnassignedBytesKeepTheirControlCodePoints)
{
    EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
}
