#include "locations/RegionIndex.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

TEST(RegionIndex, KeepsTheFilesOrderOfSectionsAndKeys)
{
    TRegionIndex Index;
    Index.LoadFromText("; locations\r\n[Zulu]\r\nWest = 3\r\nEast=1\r\n\r\n[+All]\r\nZulu=1\r\nAlpha=2\r\n"
                       "[Alpha]\r\n  Middle  =  7  \r\nstray line\r\n");
    EXPECT_EQ(Index.Sections(), (Names{"Zulu", "+All", "Alpha"}));
    EXPECT_EQ(Index.Keys("Zulu"), (Names{"West", "East"}));
    EXPECT_EQ(Index.Keys("alpha"), (Names{"Middle"}));
    EXPECT_EQ(Index.Keys("Nowhere"), Names{});
    EXPECT_EQ(Index.ReadInteger("ALPHA", "middle", 0), 7);
}

TEST(RegionIndex, IntegerValuesAndReverseLookups)
{
    TRegionIndex Index;
    Index.LoadFromText("[S]\nA=1\nB=+2\nC=-3\nD=x\nE=\nF=99999999999\nA=5\nG=2\nH=0x10\n");
    const struct {
        const char* Key;
        int Value;
    } Cases[] = {{"A", 1}, {"B", 2}, {"C", -3}, {"D", -1}, {"E", -1}, {"F", -1}, {"G", 2}, {"H", -1}, {"Z", -1}};
    for (const auto& C : Cases)
        EXPECT_EQ(Index.ReadInteger("S", C.Key, -1), C.Value) << C.Key;
    EXPECT_EQ(Index.KeyOfValue("S", 2), "B"); // the first key with the value
    EXPECT_EQ(Index.KeyOfValue("S", -3), "C");
    EXPECT_EQ(Index.KeyOfValue("S", 42), "");
    EXPECT_EQ(Index.KeyOfValue("T", 1), "");
}

TEST(RegionIndex, TextEncodingsAndOddLines)
{
    const struct {
        const char* What;
        std::string Text;
        Names Sections;
        Names FirstKeys;
    } Cases[] = {
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF[Am\xC3\xA9rica]\nBogot\xC3\xA1=1\n",
         {"Am\xC3\xA9rica"}, {"Bogot\xC3\xA1"}},
        {"Windows-1252", "[Am\xE9rica]\nBogot\xE1=1\n", {"Am\xC3\xA9rica"}, {"Bogot\xC3\xA1"}},
        {"keys before any section", "A=1\n[S]\nB=2", {"S"}, {"B"}},
        {"a section named twice", "[S]\nA=1\n[T]\n[s]\nB=2\n", {"S", "T"}, {"A", "B"}},
        {"empty", "", {}, {}},
        {"brackets only", "[\n]\n[]\n=\n", {""}, {""}},
        {"no line end", "[S]\nA=1", {"S"}, {"A"}},
    };
    for (const auto& C : Cases) {
        TRegionIndex Index;
        Index.LoadFromText(C.Text);
        EXPECT_EQ(Index.Sections(), C.Sections) << C.What;
        if (!C.Sections.empty()) {
            EXPECT_EQ(Index.Keys(C.Sections[0]), C.FirstKeys) << C.What;
        }
    }
}
