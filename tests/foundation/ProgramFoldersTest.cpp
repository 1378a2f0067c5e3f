#include "foundation/AppRegistry.h"
#include "foundation/Letterhead.h"
#include "foundation/ProgramFolders.h"
#include "foundation/SettingsStore.h"
#include "foundation/WindowPlacement.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <cstdlib>
#include <limits>

namespace fs = std::filesystem;

namespace {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::string Pattern = (fs::temp_directory_path() / "ventrix-folders-XXXXXX").string();
        if (mkdtemp(Pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        Path = Pattern + "/";
    }
    ~TempFolder()
    {
        std::error_code Error;
        fs::remove_all(Path, Error);
    }
    std::string Path;
};

} // namespace

TEST(AppRegistry, KeyCutsOnlyTheLastExtension)
{
    EXPECT_EQ(AppRegistryKey("Tool.beta.exe"), "Software\\Brellamonte\\Tool.beta");
    EXPECT_EQ(AppRegistryKey("/opt/x.y/bin/Ventrix"), "Software\\Brellamonte\\Ventrix");
    EXPECT_EQ(FileBaseName("/home/u/net.work/plan.vtx"), "plan");

    TProgramFolders Folders;
    Folders.ExeBaseName = "Ventrix";
    SetProgramFolders(Folders);
    EXPECT_EQ(AppRegistryKey(""), "Software\\Brellamonte\\Ventrix");
    SetProgramFolders(TProgramFolders());
}

TEST(ProgramFolders, MakerFolderKeepsOriginalCase)
{
    EXPECT_EQ(MakerFolderFor("/opt/brellaMONTE/Ventrix/bin/", "/usr/lib/"), "/opt/brellaMONTE/");
    EXPECT_EQ(MakerFolderFor("/home/u/build/app/", "/usr/lib"), "/usr/lib/Brellamonte/");
}

TEST(ProgramFolders, ResolvesAndCreatesTheDataFolder)
{
    TempFolder Temp;
    fs::create_directories(Temp.Path + "build/app");
    fs::create_directories(Temp.Path + "build/data/Common Files");

    TFolderSources Sources;
    Sources.DesktopDir = Temp.Path + "Desktop";
    Sources.DocumentsDir = Temp.Path + "Documents";
    Sources.ExePath = Temp.Path + "build/app/Ventrix";
    Sources.ProgramFilesDir = "/opt";
    Sources.CommonFilesDir = "/usr/share/";
    Sources.InstallPrefix = "/usr/local";

    const TProgramFolders Folders = ResolveProgramFolders(Sources);
    EXPECT_EQ(Folders.DesktopDir, Temp.Path + "Desktop/");
    EXPECT_EQ(Folders.ProgramFilesDir, "/opt/");
    EXPECT_EQ(Folders.CommonFilesDir, "/usr/share/");
    EXPECT_EQ(Folders.ExeBaseName, "Ventrix");
    EXPECT_EQ(Folders.ExeDir, Temp.Path + "build/app/");
    EXPECT_EQ(Folders.MyDocumentsDir, Temp.Path + "Documents/");
    EXPECT_EQ(Folders.DataDir, Temp.Path + "Documents/Brellamonte/Ventrix/");
    EXPECT_TRUE(fs::is_directory(Folders.DataDir));
    EXPECT_EQ(Folders.MakerFolder, "/opt/Brellamonte/");
    EXPECT_EQ(Folders.CommonDataDir, Temp.Path + "build/data/Common Files/");
}

TEST(ProgramFolders, CommonDataFolderChoice)
{
    TempFolder Temp;
    const std::string ExeDir = Temp.Path + "bin/";
    fs::create_directories(ExeDir);
    EXPECT_EQ(CommonDataDirFor(ExeDir, "", "/usr"), "/usr/share/ventrix/Common Files/");
    EXPECT_EQ(CommonDataDirFor(ExeDir, "/tmp/forced", "/usr"), "/tmp/forced/");

    fs::create_directories(ExeDir + "data/Common Files");
    EXPECT_EQ(CommonDataDirFor(ExeDir, "", "/usr"), ExeDir + "data/Common Files/");
    fs::create_directories(Temp.Path + "data/Common Files");
    EXPECT_EQ(CommonDataDirFor(ExeDir, "", "/usr"), Temp.Path + "data/Common Files/");
}

TEST(ProgramFolders, UnknownDocumentsFolderStopsStartUp)
{
    TFolderSources Sources;
    Sources.ExePath = "/opt/Ventrix/Ventrix";
    try {
        ResolveProgramFolders(Sources);
        FAIL() << "no error raised";
    } catch (const EProgramFoldersError& Error) {
        EXPECT_STREQ(Error.what(), "Could not find My Documents folder location.");
    }
}

TEST(ProgramFolders, DataFolderFallsBackWhenBlockedByAFile)
{
    TempFolder Temp;
    fs::create_directories(Temp.Path + "Documents");
    std::ofstream(Temp.Path + "Documents/Brellamonte") << "not a folder";
    TFolderSources Sources;
    Sources.ExePath = Temp.Path + "bin/Ventrix";
    Sources.DocumentsDir = Temp.Path + "Documents";
    EXPECT_EQ(ResolveProgramFolders(Sources).DataDir, Temp.Path + "bin/");
}

TEST(Letterhead, ReadsValuesWithTheLogoDefault)
{
    TMemorySettingsStore Store;
    Store.WriteString(LetterheadSection, "company", "Acme Ducts");
    Store.WriteString(LetterheadSection, "tel", "+44 1");
    TLetterhead Details = ReadLetterhead(Store, "/usr/share");
    EXPECT_EQ(Details.Company, "Acme Ducts");
    EXPECT_EQ(Details.Tel, "+44 1");
    EXPECT_EQ(Details.Fax, "");
    EXPECT_EQ(Details.Logo, "/usr/share/Brellamonte/ReportLogo.gif");

    Store.WriteString(LetterheadSection, "logo", "/home/u/logo.gif");
    EXPECT_EQ(ReadLetterhead(Store, "/usr/share/").Logo, "/home/u/logo.gif");
}

TEST(WindowPlacement, PositionsAreKeptOnTheScreen)
{
    const TScreenArea Screen{0, 0, 1920, 1080};
    auto Kept = KeepWindowReachable({5000, 300}, Screen);
    EXPECT_EQ(Kept.Left, 1720);
    EXPECT_EQ(Kept.Top, 300);
    Kept = KeepWindowReachable({-40, 1000}, Screen);
    EXPECT_EQ(Kept.Left, 0);
    EXPECT_EQ(Kept.Top, 880);
    // The limit itself stays; one past it moves.
    EXPECT_EQ(KeepWindowReachable({1820, 980}, Screen).Left, 1820);
    EXPECT_EQ(KeepWindowReachable({1821, 981}, Screen).Top, 880);

    // A screen whose origin is not zero, and extreme stored values.
    const TScreenArea Second{1920, -200, 1280, 1024};
    Kept = KeepWindowReachable({100, -500}, Second);
    EXPECT_EQ(Kept.Left, 1920);
    EXPECT_EQ(Kept.Top, -200);
    Kept = KeepWindowReachable({std::numeric_limits<int>::max(), std::numeric_limits<int>::min()},
                               Second);
    EXPECT_EQ(Kept.Left, 1920 + 1080);
    EXPECT_EQ(Kept.Top, -200);
    // A tiny screen never pushes the window off its left edge.
    EXPECT_EQ(KeepWindowReachable({150, 0}, TScreenArea{0, 0, 120, 90}).Left, 0);

    EXPECT_EQ(WindowStateFromInt(2), wsMaximized);
    EXPECT_EQ(WindowStateFromInt(1), wsMinimized);
    EXPECT_EQ(WindowStateFromInt(-7), wsNormal);
}
