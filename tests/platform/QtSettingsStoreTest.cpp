#include "platform/QtSettingsStore.h"

#include "tests/FileSizeLimit.h"
#include "tests/platform/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>

namespace {

std::string ConfigFile(const std::string& Relative)
{
    return TestHome() + ".config/" + Relative;
}

} // namespace

TEST(QtSettingsStore, EveryTypeRoundTripsThroughTheFile)
{
    const std::string Awkward = " lead, comma = \"quoted\" ; # \\back\\slash ünïcode\ttab ";
    {
        auto Store = OpenProgramSettings("/opt/x/Ventrix");
        ASSERT_TRUE(Store);
        EXPECT_EQ(Store->FileName().toStdString(), ConfigFile("Brellamonte/Ventrix.ini"));
        Store->WriteString("Settings", "Text", Awkward);
        Store->WriteString("Settings", "Empty", "");
        Store->WriteString("Settings", "At", "@Variant(x)");
        Store->WriteInteger("Settings", "Int", -2147483647 - 1);
        Store->WriteFloat("Settings", "Float", 0.1 + 0.2);
        Store->WriteFloat("Settings", "Tiny", 4.9e-324);
        Store->WriteBool("Settings", "Yes", true);
        Store->WriteBool("Settings", "No", false);
        Store->WriteString("Multi Word Section", "Key With Blanks", "v");
        EXPECT_TRUE(Store->Flush());
    }
    auto Store = OpenProgramSettings("/somewhere/else/Ventrix.bin");
    ASSERT_TRUE(Store);
    for (const auto& [Key, Text] : {std::pair{"Text", Awkward}, {"Empty", ""}, {"At", "@Variant(x)"}, {"Missing", "dflt"}})
        EXPECT_EQ(Store->ReadString("Settings", Key, "dflt"), Text);
    EXPECT_EQ(Store->ReadInteger("Settings", "Int", 0), -2147483647 - 1);
    EXPECT_EQ(Store->ReadFloat("Settings", "Float", 0), 0.1 + 0.2);
    EXPECT_EQ(Store->ReadFloat("Settings", "Tiny", 0), 4.9e-324);
    EXPECT_TRUE(Store->ReadBool("Settings", "Yes", false));
    EXPECT_FALSE(Store->ReadBool("Settings", "No", true));
    EXPECT_EQ(Store->ReadString("Multi Word Section", "Key With Blanks", ""), "v");
}

TEST(QtSettingsStore, SectionsKeysAndErasing)
{
    auto Store = OpenProgramSettings("/opt/x/SectionTool");
    ASSERT_TRUE(Store);
    for (const auto& [Section, Key] : {std::pair{"A", "x"}, {"A", "y"}, {"B", "z"}})
        Store->WriteString(Section, Key, "1");
    EXPECT_EQ(Store->ReadSections(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Store->ReadSectionIdents("A"), (std::vector<std::string>{"x", "y"}));
    Store->DeleteKey("A", "x");
    EXPECT_EQ(Store->ReadSectionIdents("A"), (std::vector<std::string>{"y"}));
    Store->EraseSection("B");
    EXPECT_EQ(Store->ReadSections(), (std::vector<std::string>{"A"}));

    Store->WriteString("", "Loose", "1");
    Store->EraseSection("");
    EXPECT_FALSE(Store->ValueExists("", "Loose"));
    EXPECT_TRUE(Store->ValueExists("A", "y"));
}

TEST(QtSettingsStore, NoFallbackBetweenFilesOrScopesAndRegistryKeysMapToFiles)
{
    {
        auto Maker = OpenMakerSettings();
        ASSERT_TRUE(Maker);
        EXPECT_EQ(Maker->FileName().toStdString(), ConfigFile("Brellamonte.ini"));
        Maker->WriteString("Settings", "Shared", "maker");
        auto Machine = OpenMachineSettings();
        ASSERT_TRUE(Machine);
        Machine->WriteString("Settings", "Machine", "machine");
    }
    auto Program = OpenProgramSettings("/opt/x/FallbackTool");
    auto Maker = OpenMakerSettings();
    auto Machine = OpenMachineSettings();
    ASSERT_TRUE(Program);
    ASSERT_TRUE(Maker);
    ASSERT_TRUE(Machine);
    EXPECT_FALSE(Program->ValueExists("Settings", "Shared")) << "no fallback to the maker's file";
    EXPECT_FALSE(Program->ValueExists("Settings", "Machine")) << "no fallback to the machine's file";
    EXPECT_EQ(Maker->ReadString("Settings", "Machine", "none"), "none");
    EXPECT_EQ(Machine->ReadString("Settings", "Machine", "none"), "machine");

    // Registry keys of the maker and its programs map to their files; others to none.
    auto Tool = OpenSettingsKey("Software\\Brellamonte\\Tool.beta");
    ASSERT_TRUE(Tool);
    EXPECT_EQ(Tool->FileName().toStdString(), ConfigFile("Brellamonte/Tool.beta.ini"));
    auto SameTool = OpenProgramSettings("/x/Tool.beta.exe");
    auto MakerKey = OpenSettingsKey("Software\\Brellamonte");
    ASSERT_TRUE(SameTool);
    ASSERT_TRUE(MakerKey);
    EXPECT_EQ(SameTool->FileName(), Tool->FileName());
    EXPECT_EQ(MakerKey->FileName(), Maker->FileName());
    for (const char* Key : {"Hardware\\Brellamonte\\X", "Software\\Brellamonte\\a\\b", "Software\\\\X",
                            "Software\\..\\/etc", "Software\\..\\x"})
        EXPECT_FALSE(OpenSettingsKey(Key)) << Key;
}

// A damaged or hand-edited file reads what it can; Flush tells what happened
// to this write, whatever was wrong with the file when it was loaded.
TEST(QtSettingsStore, DamagedFilesReadWhatTheyCanAndFlushReportsThisWrite)
{
    std::filesystem::create_directories(ConfigFile("Brellamonte"));
    const auto Damage = [](const std::string& Name) {
        std::ofstream(ConfigFile("Brellamonte/" + Name + ".ini"), std::ios::binary)
            << "[Settings\n\x01\x02\xff\xfe=\n=novalue\nLeft=12x\n[Edited]\nList=a, b,c\n";
    };
    Damage("Mended");
    {
        auto Store = OpenProgramSettings("Mended");
        ASSERT_TRUE(Store);
        EXPECT_EQ(Store->ReadInteger("Settings", "Left", 7), 7);
        EXPECT_EQ(Store->ReadString("Edited", "List", ""), "a, b, c");
        Store->WriteString("Settings", "Width", "640");
        EXPECT_TRUE(Store->Flush());
        Store->WriteString("Settings", "Height", "480");
        EXPECT_TRUE(Store->Flush()); // and every later write too
    }
    auto Again = OpenProgramSettings("Mended");
    ASSERT_TRUE(Again);
    EXPECT_EQ(Again->ReadString("Settings", "Width", ""), "640");
    EXPECT_EQ(Again->ReadString("Settings", "Height", ""), "480");
    {
        std::ofstream File(ConfigFile("Brellamonte/Binary.ini"), std::ios::binary);
        for (int I = 0; I < 4096; ++I)
            File.put(static_cast<char>((I * 131) & 0xFF));
    }
    auto Binary = OpenProgramSettings("Binary");
    ASSERT_TRUE(Binary);
    EXPECT_EQ(Binary->ReadFloat("Settings", "Width", 1.5), 1.5);

    // A write that cannot happen (the file became a folder) fails, damaged
    // at load or not.
    Damage("Lost");
    for (const char* Name : {"Lost", "Clean"}) {
        auto Store = OpenProgramSettings(Name);
        ASSERT_TRUE(Store) << Name;
        const std::string File = ConfigFile(std::string("Brellamonte/") + Name + ".ini");
        std::filesystem::remove(File);
        std::filesystem::create_directories(File);
        Store->WriteString("Settings", "Width", "640");
        EXPECT_FALSE(Store->Flush()) << Name;
        std::filesystem::remove(File);
    }
}

// A write that fails names the file and why it failed.
TEST(QtSettingsStore, CommitTellsTheFileAndTheCause)
{
    struct TCase {
        const char* Name;
        const char* Blocker; // made a folder (the file) or a file (the folder)
        bool FolderBlocked;
    } Cases[] = {
        {"the file is a folder", "Brellamonte/Blocked.ini", false},
        {"the settings folder is a file", "Brellamonte", true},
    };
    const std::string Home = TestHome() + "blocked/";
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(Home));
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        std::filesystem::remove_all(Home);
        std::filesystem::create_directories(Home + "Brellamonte");
        if (C.FolderBlocked) {
            std::filesystem::remove(Home + C.Blocker);
            std::ofstream(Home + C.Blocker) << "x";
        } else {
            std::filesystem::create_directories(Home + C.Blocker);
        }
        auto Store = OpenSettingsKey("Software\\Brellamonte\\Blocked");
        ASSERT_TRUE(Store);
        Store->WriteString("Settings", "Width", "640");
        const std::string Said = Store->Commit();
        const std::string Head = "The settings could not be saved to " + Home + "Brellamonte/Blocked.ini.\n";
        EXPECT_EQ(Said.substr(0, Head.size()), Head);
        EXPECT_GT(Said.size(), Head.size() + 3) << Said;
    }
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(TestHome() + ".config"));
    std::filesystem::remove_all(Home);
}

// A file of binary garbage at start is rewritten with the values at the
// first save; only a write that did not happen is told as one.
TEST(QtSettingsStore, AGarbageFileAtStartIsUnsavedOnlyWhenTheValuesMissedIt)
{
    const std::string File = ConfigFile("Brellamonte/Garbage.ini");
    std::filesystem::create_directories(ConfigFile("Brellamonte"));
    const auto Garbage = [&] {
        std::ofstream Out(File, std::ios::binary | std::ios::trunc);
        for (int I = 0; I < 4096; ++I)
            Out.put(static_cast<char>((I * 131) & 0xFF));
    };
    for (const bool EventLoopRan : {false, true}) { // the event loop saves on its own
        SCOPED_TRACE(EventLoopRan ? "after the event loop" : "at once");
        Garbage();
        {
            auto Store = OpenProgramSettings("Garbage");
            EXPECT_EQ(Store->ReadInteger("Settings", "Width", 7), 7);
            Store->WriteString("Settings", "Width", "640");
            if (EventLoopRan)
                QCoreApplication::processEvents();
            Store->WriteString("Settings", "Height", "480");
            EXPECT_EQ(Store->Commit(), "");
            EXPECT_EQ(Store->Commit(), ""); // and again at the next
        }
        auto Again = OpenProgramSettings("Garbage");
        EXPECT_EQ(Again->ReadString("Settings", "Width", "") + "x" + Again->ReadString("Settings", "Height", ""),
                  "640x480");
    }

    // Values that cannot reach the file (a folder took its place) are told.
    Garbage();
    auto Store = OpenProgramSettings("Garbage");
    Store->WriteString("Settings", "Width", "640");
    std::filesystem::remove(File);
    std::filesystem::create_directories(File);
    EXPECT_FALSE(Store->Flush());
    std::filesystem::remove(File);
}

namespace {

std::string FileBytes(const std::string& Name)
{
    std::ifstream In(Name, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

// The user's settings kept under Home while this lives.
class TSettingsHome {
public:
    explicit TSettingsHome(const std::string& Home)
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(Home));
    }
    ~TSettingsHome()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           QString::fromStdString(TestHome() + ".config"));
    }
    TSettingsHome(const TSettingsHome&) = delete;
    TSettingsHome& operator=(const TSettingsHome&) = delete;
};

// A settings file of about Bytes bytes in 16 sections.
void WriteOlderSettings(const std::string& Key, int Bytes)
{
    auto Store = OpenSettingsKey(Key);
    ASSERT_TRUE(Store);
    for (int I = 0; I * 64 < Bytes; ++I)
        Store->WriteString("Section" + std::to_string(I % 16), "Value" + std::to_string(I), std::string(48, 'x'));
    ASSERT_EQ(Store->Commit(), "");
}

struct TRoomCase {
    const char* Name;
    int OlderBytes; // 0: no older file
};

const TRoomCase RoomCases[] = {
    {"no older file", 0},
    {"an older file of 6 KB", 6 * 1024},
    {"an older file of 12 KB", 12 * 1024},
};

// A save on a disk without room for it: the older file stays byte for byte,
// the store keeps its values, Commit names the file and the cause, and once
// there is room again the values are all saved.
void ExpectASaveWithoutRoomKeepsTheOlderFile(const std::string& Home, const TRoomCase& C,
                                             const std::function<void()>& TakeRoom,
                                             const std::function<void()>& GiveRoom, const std::string& Cause)
{
    SCOPED_TRACE(C.Name);
    const std::string Key = std::string("Software\\Brellamonte\\Room") + std::to_string(C.OlderBytes);
    const std::string File = Home + "Brellamonte/Room" + std::to_string(C.OlderBytes) + ".ini";
    if (C.OlderBytes > 0)
        WriteOlderSettings(Key, C.OlderBytes);
    const std::string Older = FileBytes(File);
    auto Store = OpenSettingsKey(Key);
    ASSERT_TRUE(Store);
    for (int I = 0; I < 100; ++I)
        Store->WriteString("Design", "Rate" + std::to_string(I), "1.25 Pa/m and some more words to fill the line");
    TakeRoom();
    EXPECT_EQ(Store->Commit(), "The settings could not be saved to " + File + ".\n" + Cause);
    EXPECT_FALSE(Store->Flush());
    GiveRoom();
    EXPECT_EQ(FileBytes(File), Older) << "the older file is kept as it was";
    EXPECT_EQ(std::filesystem::exists(File), C.OlderBytes > 0);
    EXPECT_EQ(Store->ReadString("Design", "Rate99", ""), "1.25 Pa/m and some more words to fill the line");

    EXPECT_EQ(Store->Commit(), "");
    const auto Again = OpenSettingsKey(Key);
    EXPECT_EQ(Again->ReadString("Design", "Rate0", ""), "1.25 Pa/m and some more words to fill the line");
    EXPECT_EQ(Again->ReadSections().size(), C.OlderBytes > 0 ? 17u : 1u);
}

} // namespace

// A disk that runs out of room within the write (a file size limit cuts it
// short as a nearly full disk does).
TEST(QtSettingsStore, ASaveCutShortKeepsTheOlderFileAndTellsWhy)
{
    const std::string Home = TestHome() + "limited/";
    std::filesystem::create_directories(Home);
    const TSettingsHome Settings(Home);
    std::optional<TFileSizeLimit> Limit;
    for (const TRoomCase& C : RoomCases)
        ExpectASaveWithoutRoomKeepsTheOlderFile(
            Home, C, [&] { Limit.emplace(4096); }, [&] { Limit.reset(); }, "The file is too large.");
    std::filesystem::remove_all(Home);
}

// A real disk with 4 KB free (a small tmpfs; needs the right to mount).
TEST(QtSettingsStore, ASaveOnANearlyFullDiskKeepsTheOlderFileAndTellsWhy)
{
    const std::string Home = TestRoot() + "tmpfs/";
    std::filesystem::create_directories(Home);
    if (geteuid() != 0 || ::mount("tmpfs", Home.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "a tmpfs cannot be mounted here";
    std::filesystem::create_directories(Home + "Brellamonte");
    const TSettingsHome Settings(Home);
    const std::string Filler = Home + "filler";
    for (const TRoomCase& C : RoomCases)
        ExpectASaveWithoutRoomKeepsTheOlderFile(
            Home, C,
            [&] {
                // Fill the disk, then give back one page.
                {
                    std::ofstream Out(Filler, std::ios::binary);
                    const std::string Page(4096, 'f');
                    while (Out.write(Page.data(), Page.size()) && Out.flush()) {
                    }
                }
                std::filesystem::resize_file(Filler, std::filesystem::file_size(Filler) / 4096 * 4096 - 4096);
            },
            [&] { std::filesystem::remove(Filler); }, "The disk is full.");
    ::umount(Home.c_str());
}
