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

// The account's full name (its first field) or else its login name stands in
// for an owner the machine settings do not name.
TEST_F(MachineValues, RegisteredUserFromTheMachineSettingsOrTheAccount)
{
    EXPECT_EQ(OwnerFromAccount("Ada Lovelace,Room 4,,", "ada"), "Ada Lovelace");
    EXPECT_EQ(OwnerFromAccount("  Grace Hopper  ", "grace"), "Grace Hopper");
    EXPECT_EQ(OwnerFromAccount(",,,", "svc"), "svc");
    std::string Owner, Organization;
    GetRegisteredUser(Owner, Organization);
    EXPECT_TRUE(!Owner.empty() && Organization.empty());

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
    EXPECT_EQ(Folders.ExeDir + Folders.ExeBaseName, Exe.parent_path().string() + "/" + Exe.stem().string());
    EXPECT_EQ(Folders.MyDocumentsDir + " " + Folders.DesktopDir, TestHome() + "Documents/ " + TestHome() + "Desktop/");
    EXPECT_EQ(Folders.ProgramFilesDir + " " + Folders.CommonDataDir, "/srv/apps/ " + Common + "/");
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
