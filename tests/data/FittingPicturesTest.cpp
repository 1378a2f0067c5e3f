// The fitting pictures: one 240 x 180 GIF per base code beside the built
// database, named after the code, and no committed picture for a code the
// database lacks.

#include "fittings/DuctFittingDB.h"
#include "fittings/FittingKeys.h"
#include "foundation/WarningSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

class FittingPicturesTest : public ::testing::Test {
protected:
    FittingPicturesTest() : Installed(Sink), DB(VENTRIX_COMMON_DATA_DIR) {}

    TStringVec BaseCodes() const
    {
        TStringVec Bases;
        DB.FilterCodes("++0 ", Bases, true);
        return Bases;
    }

    TRecordingWarningSink Sink;
    TScopedWarningSink Installed;
    TDuctFittingDB DB;
};

int LittleEndian16(const unsigned char* Bytes)
{
    return Bytes[0] | (Bytes[1] << 8);
}

TEST_F(FittingPicturesTest, EveryBaseCodeHasA240By180Gif)
{
    const TStringVec Bases = BaseCodes();
    ASSERT_FALSE(Bases.empty()) << Sink.LastText();
    for (const std::string& Base : Bases) {
        const std::string Name = DB.Folder() + Base + ".gif";
        std::ifstream In(Name, std::ios::binary);
        if (!In) {
            ADD_FAILURE() << "missing " << Name;
            continue;
        }
        unsigned char Header[10] = {};
        In.read(reinterpret_cast<char*>(Header), sizeof Header);
        ASSERT_EQ(In.gcount(), 10) << Name;
        const std::string Signature(reinterpret_cast<const char*>(Header), 6);
        EXPECT_TRUE(Signature == "GIF87a" || Signature == "GIF89a") << Name;
        EXPECT_EQ(LittleEndian16(Header + 6), 240) << Name;
        EXPECT_EQ(LittleEndian16(Header + 8), 180) << Name;
    }
}

TEST_F(FittingPicturesTest, NoPictureWithoutABaseCode)
{
    const TStringVec Bases = BaseCodes();
    int Pictures = 0;
    for (const auto& Entry : std::filesystem::directory_iterator(VENTRIX_FITTING_PICTURES_DIR)) {
        if (Entry.path().extension() != ".gif")
            continue;
        ++Pictures;
        const std::string Base = Entry.path().stem().string();
        EXPECT_TRUE(std::any_of(Bases.begin(), Bases.end(), [&](const std::string& B) { return SameText(B, Base); }))
            << Base << ".gif names no fitting";
    }
    EXPECT_EQ(Pictures, static_cast<int>(Bases.size()));
}

} // namespace
