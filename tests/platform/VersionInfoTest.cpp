#include "platform/VersionInfo.h"

#include "platform/SystemInfo.h"

#include <gtest/gtest.h>

// Optimised, GCC 12 warns falsely that <regex>'s own pattern compiler reads
// an uninitialised state; the warning is silenced for that header only.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop

TEST(VersionInfo, OwnProgramVersionTexts)
{
    const TVerInfoRes Own("");
    const std::string Version = Own.FileVersionText();
    EXPECT_TRUE(std::regex_match(Version, std::regex(R"(\d+\.\d+\.\d+\.\d+)"))) << Version;
    // The four-part file version extends the product version.
    EXPECT_EQ(Version.rfind(Own.GetVerValue(viProductVersion), 0), 0u);
    EXPECT_EQ(Own.GetVerValue(viFileVersion), Version);
    EXPECT_EQ(Own.GetVerValue(viCompanyName), "Brellamonte");
    EXPECT_EQ(Own.GetVerValue(viProductName), "Ventrix");
    EXPECT_EQ(Own.GetVerValue(viComments), "");

    const std::string Path = RunningProgramPath();
    EXPECT_EQ(GetFileVersionText(Path), Version);
    EXPECT_EQ(GetProductNameAndVersion(Path), "Ventrix " + Version);
    EXPECT_FALSE(GetFileDescriptionText("").empty());
}

TEST(VersionInfo, OtherFilesHaveNone)
{
    for (const std::string File : {"/bin/sh", "/no/such/file"}) {
        try {
            GetFileVersionText(File);
            FAIL() << File;
        } catch (const ENoVerInfoError& Error) {
            EXPECT_STREQ(Error.what(), "No Version Info Available.");
        }
    }
}
