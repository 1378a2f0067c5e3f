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
struct TTempFolder {
    TTempFolder()
    {
        Path = (fs::temp_directory_path() / "ventrix-folders-XXXXXX").string();
        if (mkdtemp(Path.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        Path += "/";
    }
    ~TTempFolder()
    {
        std::error_code Error;
        fs::remove_all(Path, Error);
    }
    std::string Path;
};

std::vector<std::string> Fields(const TProgramFolders& F)
{
    return {F.DesktopDir, F.ProgramFilesDir, F.CommonFilesDir, F.ExeBaseName, F.ExeDir,
            F.MyDocumentsDir, F.DataDir, F.MakerFolder, F.CommonDataDir};
}

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
    TTempFolder Temp;
    const std::string& T = Temp.Path;
    fs::create_directories(T + "build/app");
    fs::create_directories(T + "build/data/Common Files");
    const TFolderSources Sources{.DesktopDir = T + "Desktop", .DocumentsDir = T + "Documents",
                                 .ExePath = T + "build/app/Ventrix", .ProgramFilesDir = "/opt",
                                 .CommonFilesDir = "/usr/share/", .CommonDataOverride = "",
                                 .InstallPrefix = "/usr/local"};
    const TProgramFolders Folders = ResolveProgramFolders(Sources);
    EXPECT_EQ(Fields(Folders),
              (std::vector<std::string>{T + "Desktop/", "/opt/", "/usr/share/", "Ventrix",
                                        T + "build/app/", T + "Documents/",
                                        T + "Documents/Brellamonte/Ventrix/", "/opt/Brellamonte/",
                                        T + "build/data/Common Files/"}));
    EXPECT_TRUE(fs::is_directory(Folders.DataDir));
}

TEST(ProgramFolders, CommonDataFolderChoice)
{
    TTempFolder Temp;
    const std::string ExeDir = Temp.Path + "bin/";
    fs::create_directories(ExeDir);
    EXPECT_EQ(CommonDataDirFor(ExeDir, "", "/usr"), "/usr/share/ventrix/Common Files/");
    EXPECT_EQ(CommonDataDirFor(ExeDir, "/tmp/forced", "/usr"), "/tmp/forced/");

    fs::create_directories(ExeDir + "data/Common Files");
    EXPECT_EQ(CommonDataDirFor(ExeDir, "", "/usr"), ExeDir + "data/Common Files/");
    fs::create_directories(Temp.Path + "data/Common Files");
    EXPECT_EQ(CommonDataDirFor(ExeDir, "", "/usr"), Temp.Path + "data/Common Files/");
}

TEST(ProgramFolders, UnknownDocumentsStopsStartUpBlockedDataFolderFallsBack)
{
    TFolderSources Sources;
    Sources.ExePath = "/opt/Ventrix/Ventrix";
    try {
        ResolveProgramFolders(Sources);
        ADD_FAILURE() << "no error raised";
    } catch (const EProgramFoldersError& Error) {
        EXPECT_STREQ(Error.what(), "Could not find My Documents folder location.");
    }

    TTempFolder Temp;
    fs::create_directories(Temp.Path + "Documents");
    std::ofstream(Temp.Path + "Documents/Brellamonte") << "not a folder";
    Sources.ExePath = Temp.Path + "bin/Ventrix";
    Sources.DocumentsDir = Temp.Path + "Documents";
    EXPECT_EQ(ResolveProgramFolders(Sources).DataDir, Temp.Path + "bin/");
}

// Messages about files of a data folder that fell back to the program's
// folder name that folder and why it was chosen.
TEST(ProgramFolders, AFallenBackDataFolderIsExplainedInMessages)
{
    TTempFolder Temp;
    TFolderSources Sources;
    Sources.ExePath = Temp.Path + "bin/Ventrix";
    Sources.DocumentsDir = Temp.Path + "Documents";
    const TProgramFolders Kept = ProgramFolders();
    for (const bool Blocked : {false, true}) {
        SCOPED_TRACE(Blocked ? "blocked" : "made");
        fs::create_directories(Sources.DocumentsDir);
        if (Blocked)
            std::ofstream(Sources.DocumentsDir + "/Brellamonte") << "not a folder";
        SetProgramFolders(ResolveProgramFolders(Sources));
        const std::string Note = DataFolderNote(ProgramFolders().DataDir + "diagnostic.htm");
        if (Blocked)
            EXPECT_EQ(Note.rfind("\n" + Temp.Path + "bin/ is the program's folder, used because the data folder " +
                                     Temp.Path + "Documents/Brellamonte/Ventrix/ could not be created (",
                                 0),
                      0u)
                << Note;
        else
            EXPECT_EQ(Note, "");
        EXPECT_EQ(DataFolderNote(Temp.Path + "elsewhere.htm"), "");
        fs::remove_all(Sources.DocumentsDir);
    }
    SetProgramFolders(Kept);
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
    constexpr int Max = std::numeric_limits<int>::max(), Min = std::numeric_limits<int>::min();
    const TScreenArea Screen{0, 0, 1920, 1080}, Second{1920, -200, 1280, 1024}, Tiny{0, 0, 120, 90};
    const struct {
        TWindowPosition Stored;
        TScreenArea Area;
        int Left, Top;
    } Cases[] = {{{5000, 300}, Screen, 1720, 300}, {{-40, 1000}, Screen, 0, 880},
                 // The limit itself stays; one past it moves.
                 {{1820, 980}, Screen, 1820, 980}, {{1821, 981}, Screen, 1720, 880},
                 // A screen whose origin is not zero, and extreme stored values.
                 {{100, -500}, Second, 1920, -200}, {{Max, Min}, Second, 1920 + 1080, -200},
                 // A tiny screen never pushes the window off its left edge.
                 {{150, 0}, Tiny, 0, 0}};
    for (const auto& C : Cases) {
        const TWindowPosition Kept = KeepWindowReachable(C.Stored, C.Area);
        EXPECT_EQ(Kept.Left, C.Left) << C.Stored.Left << "," << C.Stored.Top;
        EXPECT_EQ(Kept.Top, C.Top) << C.Stored.Left << "," << C.Stored.Top;
    }
    EXPECT_EQ(WindowStateFromInt(2), wsMaximized);
    EXPECT_EQ(WindowStateFromInt(1), wsMinimized);
    EXPECT_EQ(WindowStateFromInt(-7), wsNormal);
}
