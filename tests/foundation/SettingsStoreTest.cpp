#include "foundation/SettingsStore.h"

#include <gtest/gtest.h>

#include <limits>

TEST(SettingsStore, TypedValuesRoundTrip)
{
    TMemorySettingsStore Store;
    for (double Value : {0.1, -1e-300, 1.0 / 3.0, 6.02214076e23, 0.0,
                         std::numeric_limits<double>::max()}) {
        Store.WriteFloat("Settings", "F", Value);
        EXPECT_EQ(Store.ReadFloat("Settings", "F", 99.0), Value);
    }
    for (int Value : {0, -1, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        Store.WriteInteger("Settings", "I", Value);
        EXPECT_EQ(Store.ReadInteger("Settings", "I", 7), Value);
    }
}

TEST(SettingsStore, MissingOrMalformedValuesReadAsDefault)
{
    TMemorySettingsStore Store;
    EXPECT_EQ(Store.ReadInteger("None", "I", 5), 5);
    EXPECT_EQ(Store.ReadFloat("None", "F", 2.5), 2.5);
    EXPECT_TRUE(Store.ReadBool("None", "B", true));

    Store.WriteString("Bad", "I", "12abc");
    Store.WriteString("Bad", "F", "1,5");
    Store.WriteString("Bad", "Inf", "inf");
    Store.WriteString("Bad", "B", "maybe");
    Store.WriteString("Bad", "Big", "99999999999999999999");
    EXPECT_EQ(Store.ReadInteger("Bad", "I", 5), 5);
    EXPECT_EQ(Store.ReadFloat("Bad", "F", 2.5), 2.5);
    EXPECT_EQ(Store.ReadFloat("Bad", "Inf", 2.5), 2.5);
    EXPECT_EQ(Store.ReadInteger("Bad", "Big", 5), 5);
    EXPECT_TRUE(Store.ReadBool("Bad", "B", true));
    EXPECT_FALSE(Store.ReadBool("Bad", "B", false));

    // Hand-edited booleans: any number, or the words in any case.
    Store.WriteString("S", "A", "2");
    Store.WriteString("S", "B", " TRUE ");
    Store.WriteString("S", "C", "False");
    EXPECT_TRUE(Store.ReadBool("S", "A", false));
    EXPECT_TRUE(Store.ReadBool("S", "B", false));
    EXPECT_FALSE(Store.ReadBool("S", "C", true));
}

TEST(SettingsStore, SectionsVanishWithTheirLastValue)
{
    TMemorySettingsStore Store;
    Store.WriteString("A", "x", "1");
    Store.WriteString("B", "z", "3");
    Store.DeleteKey("B", "z");
    EXPECT_EQ(Store.ReadSections(), (std::vector<std::string>{"A"}));
    Store.EraseSection("A");
    EXPECT_TRUE(Store.ReadSections().empty());
    EXPECT_FALSE(Store.ValueExists("A", "x"));
}
