#include "platform/VersionInfo.h"

#include "platform/SystemInfo.h"
#include "tests/support/Regex.h"

#include <gtest/gtest.h>


// The four-part file version extends the product version; other files have none.
TEST(VersionInfo, OwnProgramVersionTextsAndNoneForOtherFiles)
{
    const TVerInfoRes Own("");
    const std::string Version = Own.FileVersionText();
    EXPECT_TRUE(std::regex_match(Version, std::regex(R"(\d+\.\d+\.\d+\.\d+)"))) << Version;
    EXPECT_EQ(Version.rfind(Own.GetVerValue(viProductVersion), 0), 0u);
    EXPECT_EQ(Own.GetVerValue(viCompanyName), "Brellamonte");
    EXPECT_EQ(Own.GetVerValue(viComments), "");
    EXPECT_EQ(GetProductNameAndVersion(RunningProgramPath()), "Ventrix " + Version);
    EXPECT_FALSE(GetFileDescriptionText("").empty());
    EXPECT_THROW(GetFileVersionText("/no/such/file"), ENoVerInfoError);
    try {
        GetFileVersionText("/bin/sh");
        ADD_FAILURE() << "a version for another program";
    } catch (const ENoVerInfoError& Error) {
        EXPECT_STREQ(Error.what(), "No Version Info Available.");
    }
}
