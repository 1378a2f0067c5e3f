#include "foundation/RecentFiles.h"

#include "foundation/SettingsStore.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Visible(const TRecentFiles& List)
{
    const auto& Names = List.Names();
    return {Names.begin(), Names.begin() + List.VisibleCount()};
}

} // namespace

TEST(RecentFiles, SevenFilesKeepSixAndShowFive)
{
    TRecentFiles List;
    for (int I = 1; I <= 7; ++I)
        List.MRUAdd("/d/f" + std::to_string(I) + ".vtx");
    EXPECT_EQ(List.Names(), (std::vector<std::string>{"/d/f7.vtx", "/d/f6.vtx", "/d/f5.vtx",
                                                       "/d/f4.vtx", "/d/f3.vtx", "/d/f2.vtx"}));
    EXPECT_EQ(List.VisibleCount(), 5);
    EXPECT_EQ(List.MRUFind("/d/f1.vtx"), -1);

    List.MRURemove("/d/f5.vtx");
    EXPECT_EQ(Visible(List), (std::vector<std::string>{"/d/f7.vtx", "/d/f6.vtx", "/d/f4.vtx",
                                                        "/d/f3.vtx", "/d/f2.vtx"}));
}

TEST(RecentFiles, ReopeningMovesToTopAndCaseMatters)
{
    TRecentFiles List;
    List.MRUAdd("/d/a.vtx");
    List.MRUAdd("/d/b.vtx");
    List.MRUAdd("/d/c.vtx");
    List.MRUAdd("/d/a.vtx");
    EXPECT_EQ(List.Names(), (std::vector<std::string>{"/d/a.vtx", "/d/c.vtx", "/d/b.vtx"}));

    List.MRUAdd("/d/B.vtx");
    EXPECT_EQ(List.Names(),
              (std::vector<std::string>{"/d/B.vtx", "/d/a.vtx", "/d/c.vtx", "/d/b.vtx"}));
    EXPECT_EQ(List.MRUFind("/d/B.vtx"), 0);
    EXPECT_EQ(List.MRUFind("/d/b.vtx"), 3);

    List.MRUAdd("");
    List.MRURemove("/d/missing.vtx");
    EXPECT_EQ(List.Names().size(), 4u);
}

TEST(RecentFiles, SaveAndInitRoundTrip)
{
    TMemorySettingsStore Store;
    TRecentFiles List;
    for (int I = 1; I <= 7; ++I)
        List.MRUAdd("/d/f" + std::to_string(I) + ".vtx");
    List.MRUSave(Store, "/d/New File.vtx");
    EXPECT_EQ(Store.ReadString("MRU", "0", ""), "/d/New File.vtx");
    EXPECT_EQ(Store.ReadString("MRU", "5", ""), "/d/f3.vtx");
    EXPECT_FALSE(Store.ValueExists("MRU", "6"));

    TRecentFiles Loaded;
    Loaded.MRUAdd("/stale.vtx");
    Loaded.MRUInit(Store);
    EXPECT_EQ(Loaded.Names(), List.Names());

    // Gaps and out-of-range numbers in a hand-edited section.
    Store.EraseSection("MRU");
    Store.WriteString("MRU", "0", "/top.vtx");
    Store.WriteString("MRU", "2", "/third.vtx");
    Store.WriteString("MRU", "4", "");
    Store.WriteString("MRU", "9", "/ignored.vtx");
    Loaded.MRUInit(Store);
    EXPECT_EQ(Loaded.Names(), (std::vector<std::string>{"/top.vtx", "/third.vtx"}));
}

TEST(RecentFiles, SaveClearsRemovedNames)
{
    TMemorySettingsStore Store;
    TRecentFiles List;
    List.MRUAdd("/d/a.vtx");
    List.MRUAdd("/d/b.vtx");
    List.MRUAdd("/d/c.vtx");
    List.MRUSave(Store, "");
    List.MRURemove("/d/a.vtx");
    List.MRURemove("/d/b.vtx");
    // An unnamed document adds nothing but the list is still written.
    List.MRUSave(Store, "");
    EXPECT_EQ(Store.ReadSectionIdents("MRU"), (std::vector<std::string>{"0"}));

    TRecentFiles Loaded;
    Loaded.MRUInit(Store);
    EXPECT_EQ(Loaded.Names(), (std::vector<std::string>{"/d/c.vtx"}));
}
