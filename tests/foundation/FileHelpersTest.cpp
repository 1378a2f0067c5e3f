#include "foundation/FileHelpers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <fstream>

TEST(FileHelpers, ReadTextFileLines)
{
    const auto Name = (std::filesystem::temp_directory_path() / "ventrix_lines_test.txt").string();
    {
        std::ofstream Out(Name, std::ios::binary);
        Out << "\xEF\xBB\xBF" "first\r\nsecond\n\nlast";
    }
    EXPECT_EQ(ReadTextFileLines(Name), (std::vector<std::string>{"first", "second", "", "last"}));
    std::filesystem::remove(Name);
    EXPECT_TRUE(ReadTextFileLines(Name).empty());
}

TEST(FileHelpers, PathPieces)
{
    const std::pair<const char*, const char*> BaseNames[] = {
        {"/home/u/plan.v2.vtx", "plan.v2"}, {"C:\\Pics\\plan.gif", "plan"}, {"plan", "plan"},
        {"/a/.hidden", ".hidden"}, {"/a/b/", ""}};
    for (const auto& [Path, Base] : BaseNames)
        EXPECT_EQ(ExtractFileBaseName(Path), Base) << Path;
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/b"), "/a/b/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/b/"), "/a/b/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "");
}

TEST(FileHelpers, ShortenPathKeepsTheFileName)
{
    // Every character 5 pixels wide: the average width is 5 + 1 = 6.
    const TTextWidthFunc Fixed = [](std::string_view S) { return static_cast<int>(S.size()) * 5; };
    EXPECT_EQ(ShortenPath("/a/b.vtx", 600, Fixed), "/a/b.vtx");
    // 72 pixels hold 12 characters: 3 of the folder, "~" and the 8 of the name.
    EXPECT_EQ(ShortenPath("/projects/office/duct.vtx", 6 * 12, Fixed), "/pr~duct.vtx");
    EXPECT_EQ(ShortenPath("/projects/office/duct.vtx", 6 * 10, Fixed), "/~duct.vtx");
    EXPECT_EQ(ShortenPath("/projects/office/duct.vtx", 6 * 9, Fixed), "~duct.vtx");
    EXPECT_EQ(ShortenPath("/projects/office/duct.vtx", 6 * 8, Fixed), "duct.vtx");
    EXPECT_EQ(ShortenPath("", 12, Fixed), "");
    // A width function reporting nonsense falls back to 6 pixels a character.
    const TTextWidthFunc Broken = [](std::string_view) { return -1000; };
    EXPECT_EQ(ShortenPath("/projects/office/duct.vtx", 6 * 12, Broken), "/pr~duct.vtx");
    // Folders are cut between characters, not inside one.
    const std::string Umlaut = "/\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4/x.vtx";
    // 17 bytes * 5 pixels over 12 characters: 8 pixels each; 9 characters fit.
    EXPECT_EQ(ShortenPath(Umlaut, 8 * 9, Fixed), "/\xC3\xA4\xC3\xA4~x.vtx");
}

TEST(FileHelpers, FileTimeToDateTimeIsLocalTime)
{
    const auto Now = std::filesystem::file_time_type::clock::now();
    const double D = FileTimeToDateTime(Now);
    const std::time_t T = std::time(nullptr);
    std::tm Local{};
    localtime_r(&T, &Local);
    const double Hours = (D - std::floor(D)) * 24;
    EXPECT_NEAR(Hours, Local.tm_hour + Local.tm_min / 60.0, 0.1);
    EXPECT_GT(D, 45000);
    const auto Name = std::filesystem::temp_directory_path() / "ventrix_time_test.txt";
    std::ofstream(Name) << "x";
    EXPECT_NEAR(FileTimeToDateTime(std::filesystem::last_write_time(Name)), D, 1.0 / 24);
    std::filesystem::remove(Name);
}

TEST(FileHelpers, GetParamFileNameJoinsAndExpands)
{
    const char* None[] = {"ventrix"};
    EXPECT_EQ(GetParamFileName(1, None), "");
    const char* Absolute[] = {"ventrix", "/tmp/my", "plan.vtx"};
    EXPECT_EQ(GetParamFileName(3, Absolute), "/tmp/my plan.vtx");
    const char* Relative[] = {"ventrix", "sub/../plan.vtx"};
    EXPECT_EQ(GetParamFileName(2, Relative),
              (std::filesystem::current_path() / "plan.vtx").string());
}
