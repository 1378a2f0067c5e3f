#include "foundation/RecentFiles.h"

#include "foundation/SettingsStore.h"

#include <gtest/gtest.h>

namespace {

using TNames = std::vector<std::string>;

TRecentFiles Added(const TNames& Names)
{
    TRecentFiles List;
    for (const std::string& Name : Names)
        List.MRUAdd(Name);
    return List;
}

const TNames Seven = {"/d/f1.vtx", "/d/f2.vtx", "/d/f3.vtx", "/d/f4.vtx",
                      "/d/f5.vtx", "/d/f6.vtx", "/d/f7.vtx"};

} // namespace

TEST(RecentFiles, SevenFilesKeepSixAndShowFive)
{
    TRecentFiles List = Added(Seven);
    EXPECT_EQ(List.Names(),
              (TNames{"/d/f7.vtx", "/d/f6.vtx", "/d/f5.vtx", "/d/f4.vtx", "/d/f3.vtx", "/d/f2.vtx"}));
    EXPECT_EQ(List.VisibleCount(), 5);
    EXPECT_EQ(List.MRUFind("/d/f1.vtx"), -1);

    List.MRURemove("/d/f5.vtx");
    EXPECT_EQ(List.VisibleCount(), 5);
    EXPECT_EQ(List.Names(),
              (TNames{"/d/f7.vtx", "/d/f6.vtx", "/d/f4.vtx", "/d/f3.vtx", "/d/f2.vtx"}));
}

TEST(RecentFiles, ReopeningMovesToTopAndCaseMatters)
{
    TRecentFiles List = Added({"/d/a.vtx", "/d/b.vtx", "/d/c.vtx", "/d/a.vtx"});
    EXPECT_EQ(List.Names(), (TNames{"/d/a.vtx", "/d/c.vtx", "/d/b.vtx"}));

    List.MRUAdd("/d/B.vtx");
    EXPECT_EQ(List.Names(), (TNames{"/d/B.vtx", "/d/a.vtx", "/d/c.vtx", "/d/b.vtx"}));
    EXPECT_EQ(List.MRUFind("/d/B.vtx"), 0);
    EXPECT_EQ(List.MRUFind("/d/b.vtx"), 3);

    List.MRUAdd("");
    List.MRURemove("/d/missing.vtx");
    EXPECT_EQ(List.Names().size(), 4u);
}

TEST(RecentFiles, SaveAndInitRoundTripAndSaveClearsRemovedNames)
{
    TMemorySettingsStore Store;
    TRecentFiles List = Added(Seven);
    List.MRUSave(Store, "/d/New File.vtx");
    EXPECT_EQ(Store.ReadString("MRU", "0", ""), "/d/New File.vtx");
    EXPECT_EQ(Store.ReadString("MRU", "5", ""), "/d/f3.vtx");
    EXPECT_FALSE(Store.ValueExists("MRU", "6"));

    TRecentFiles Loaded = Added({"/stale.vtx"});
    Loaded.MRUInit(Store);
    EXPECT_EQ(Loaded.Names(), List.Names());

    // Gaps and out-of-range numbers in a hand-edited section.
    Store.EraseSection("MRU");
    for (const auto& [Ident, Name] : {std::pair{"0", "/top.vtx"}, {"2", "/third.vtx"}, {"4", ""},
                                      {"9", "/ignored.vtx"}})
        Store.WriteString("MRU", Ident, Name);
    Loaded.MRUInit(Store);
    EXPECT_EQ(Loaded.Names(), (TNames{"/top.vtx", "/third.vtx"}));

    // Saving clears names removed since the last save; an unnamed document
    // adds nothing but the list is still written.
    List = Added({"/d/a.vtx", "/d/b.vtx", "/d/c.vtx"});
    List.MRUSave(Store, "");
    List.MRURemove("/d/a.vtx");
    List.MRURemove("/d/b.vtx");
    List.MRUSave(Store, "");
    EXPECT_EQ(Store.ReadSectionIdents("MRU"), (TNames{"0"}));
    EXPECT_EQ(Store.ReadString("MRU", "0", ""), "/d/c.vtx");
}
