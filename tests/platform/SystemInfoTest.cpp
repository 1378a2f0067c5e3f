#include "platform/SystemInfo.h"

#include "foundation/AppRegistry.h"
#include "foundation/Letterhead.h"
#include "platform/QtSettingsStore.h"
#include "tests/platform/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Machine values written for one test and removed after it.
class MachineValues : public testing::Test {
protected:
    void TearDown() override
    {
        OpenMachineSettings()->EraseSection(MachineSection);
        unsetenv(CommonDataDirVariable);
    }
};

} // namespace

TEST(SystemInfo, OwnerFromTheAccount)
{
    EXPECT_EQ(OwnerFromAccount("Ada Lovelace,Room 4,,", "ada"), "Ada Lovelace");
    EXPECT_EQ(OwnerFromAccount("  Grace Hopper  ", "grace"), "Grace Hopper");
    EXPECT_EQ(OwnerFromAccount(",,,", "svc"), "svc");
    EXPECT_EQ(OwnerFromAccount("", "root"), "root");
}

TEST_F(MachineValues, RegisteredUserFromTheMachineSettings)
{
    std::string Owner, Organization;
    GetRegisteredUser(Owner, Organization);
    EXPECT_FALSE(Owner.empty());  // the account's name stands in
    EXPECT_EQ(Organization, "");

    auto Machine = OpenMachineSettings();
    Machine->WriteString(MachineSection, "RegisteredOwner", "J. Engineer");
    Machine->WriteString(MachineSection, "RegisteredOrganization", "Plant Room Ltd");
    Machine.reset();
    GetRegisteredUser(Owner, Organization);
    EXPECT_EQ(Owner, "J. Engineer");
    EXPECT_EQ(Organization, "Plant Room Ltd");
}

TEST_F(MachineValues, FoldersOfTheRunningProgram)
{
    OpenMachineSettings()->WriteString(MachineSection, "ProgramFilesDir", "/srv/apps");
    const std::string Common = TestRoot() + "common data";
    setenv(CommonDataDirVariable, Common.c_str(), 1);

    const TProgramFolders Folders = ReadProgramFolders();
    const fs::path Exe = fs::canonical("/proc/self/exe");
    EXPECT_EQ(Folders.ExeBaseName, Exe.stem().string());
    EXPECT_EQ(Folders.ExeDir, Exe.parent_path().string() + "/");
    EXPECT_EQ(Folders.MyDocumentsDir, TestHome() + "Documents/");
    EXPECT_EQ(Folders.DesktopDir, TestHome() + "Desktop/");
    EXPECT_EQ(Folders.ProgramFilesDir, "/srv/apps/");
    EXPECT_EQ(Folders.CommonDataDir, Common + "/");
    EXPECT_EQ(Folders.CommonFilesDir.back(), '/');
}

TEST_F(MachineValues, StartUpSetsFoldersAndLetterhead)
{
    OpenMakerSettings()->WriteString(LetterheadSection, "company", "Acme Air");
    InitProgramEnvironment();
    EXPECT_EQ(Letterhead().Company, "Acme Air");
    EXPECT_EQ(Letterhead().Logo, ProgramFolders().CommonFilesDir + "Brellamonte/ReportLogo.gif");
    EXPECT_EQ(AppRegistryKey(""), "Software\\Brellamonte\\" + ProgramFolders().ExeBaseName);
    EXPECT_EQ(OpenProgramSettings()->FileName().toStdString(),
              TestHome() + ".config/Brellamonte/" + ProgramFolders().ExeBaseName + ".ini");
    OpenMakerSettings()->EraseSection(LetterheadSection);
}
