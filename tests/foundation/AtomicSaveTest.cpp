#include "foundation/AtomicSave.h"

#include "tests/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct TFolder {
    std::string Path;
    TFolder()
    {
        Path = (fs::temp_directory_path() / "ventrix-save-XXXXXX").string();
        if (mkdtemp(Path.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
    }
    ~TFolder() { fs::remove_all(Path); }
    std::string operator/(const std::string& Name) const { return Path + "/" + Name; }
    // Every entry of the folder, so that a test sees a temporary file left behind.
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> Names;
        for (const auto& Entry : fs::directory_iterator(Path))
            Names.push_back(Entry.path().filename().string());
        std::sort(Names.begin(), Names.end());
        return Names;
    }
};

std::string Bytes(const std::string& Name)
{
    std::ifstream In(Name, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

void Put(const std::string& Name, const std::string& Text)
{
    std::ofstream(Name, std::ios::binary) << Text;
}

mode_t ModeOf(const std::string& Name)
{
    struct stat Info {};
    ::stat(Name.c_str(), &Info);
    return Info.st_mode & 07777;
}

// The cause a failed save gives; empty after a success.
std::string SaveCause(const std::string& Name, const std::string& Text)
{
    try {
        SaveFileAtomically(Name, Text);
    } catch (const EFileSaveError& Error) {
        return Error.what();
    }
    return "";
}

} // namespace

TEST(AtomicSave, SymbolicLinksAreFollowedAndStay)
{
    TFolder F;
    fs::create_directory(F / "real");
    Put(F / "real/plan.vtx", "old");
    fs::create_symlink(F / "real/plan.vtx", F / "absolute");
    fs::create_symlink("real/plan.vtx", F / "relative");
    fs::create_symlink("relative", F / "chained");
    fs::create_symlink("real/new.vtx", F / "dangling");
    for (const char* Link : {"absolute", "relative", "chained"}) {
        const std::string Text = std::string("through ") + Link;
        EXPECT_EQ(SaveCause(F / Link, Text), "") << Link;
        EXPECT_TRUE(fs::is_symlink(F / Link)) << Link;
        EXPECT_EQ(Bytes(F / "real/plan.vtx"), Text) << Link;
    }
    // A link to a file not yet there makes that file.
    EXPECT_EQ(SaveCause(F / "dangling", "new"), "");
    EXPECT_TRUE(fs::is_symlink(F / "dangling"));
    EXPECT_EQ(Bytes(F / "real/new.vtx"), "new");
    EXPECT_EQ(F.Entries(), (std::vector<std::string>{"absolute", "chained", "dangling", "real", "relative"}));
    fs::create_symlink("loop", F / "loop");
    EXPECT_EQ(SaveCause(F / "loop", "x"), "Too many symbolic links.");
}

TEST(AtomicSave, PermissionsOwnerAndGroupAreKept)
{
    TFolder F;
    for (mode_t Mode : {mode_t(0640), mode_t(0600), mode_t(0664), mode_t(0751)}) {
        const std::string Name = F / "kept.vtx";
        Put(Name, "old");
        ::chmod(Name.c_str(), Mode);
        EXPECT_EQ(SaveCause(Name, "new"), "");
        EXPECT_EQ(ModeOf(Name), Mode) << std::oct << Mode;
        EXPECT_EQ(Bytes(Name), "new");
    }
    // A new file takes the user's mask.
    for (mode_t Mask : {mode_t(022), mode_t(077), mode_t(002)}) {
        const mode_t Before = ::umask(Mask);
        const std::string Name = F / ("new" + std::to_string(Mask));
        EXPECT_EQ(SaveCause(Name, "x"), "");
        ::umask(Before);
        EXPECT_EQ(ModeOf(Name), 0666 & ~Mask) << std::oct << Mask;
    }
    if (::geteuid() != 0)
        return; // only the superuser can give a file away to test this
    const std::string Name = F / "owned.vtx";
    Put(Name, "old");
    ASSERT_EQ(::chown(Name.c_str(), 65534, 65534), 0);
    EXPECT_EQ(SaveCause(Name, "new"), "");
    struct stat Info {};
    ::stat(Name.c_str(), &Info);
    EXPECT_EQ(Info.st_uid, 65534u);
    EXPECT_EQ(Info.st_gid, 65534u);
}

TEST(AtomicSave, RefusedOrFailedSavesKeepThePreviousFile)
{
    const std::string LongName(256, 'n');
    const struct {
        const char* Scenario;
        std::function<std::string(const TFolder&)> Prepare; // gives the name to save to
        std::string Cause; // @ stands for the test's folder
    } Cases[] = {
        {"read-only", [](const TFolder& F) {
             Put(F / "plan.vtx", "previous");
             ::chmod((F / "plan.vtx").c_str(), 0444);
             return F / "plan.vtx";
         }, "The file is read-only."},
        {"read-only through a link", [](const TFolder& F) {
             Put(F / "plan.vtx", "previous");
             ::chmod((F / "plan.vtx").c_str(), 0440);
             fs::create_symlink("plan.vtx", F / "link");
             return F / "link";
         }, "The file is read-only."},
        {"pipe", [](const TFolder& F) {
             ::mkfifo((F / "pipe").c_str(), 0644);
             return F / "pipe";
         }, "It is not a regular file."},
        {"folder", [](const TFolder& F) {
             fs::create_directory(F / "folder");
             return F / "folder";
         }, "It is not a regular file."},
        {"device", [](const TFolder&) { return std::string("/dev/null"); }, "It is not a regular file."},
        {"missing folder", [](const TFolder& F) { return F / "none/plan.vtx"; }, "The folder does not exist."},
        {"a file in place of the folder", [](const TFolder& F) {
             Put(F / "afile", "previous");
             return F / "afile/plan.vtx";
         }, "@/afile is not a folder."},
        {"a file in place of a folder further up", [](const TFolder& F) {
             Put(F / "afile", "previous");
             return F / "afile/sub/plan.vtx";
         }, "@/afile is not a folder."},
        {"name too long", [LongName](const TFolder& F) { return F / LongName; }, "The file name is too long."},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Scenario);
        TFolder F;
        const std::string Name = C.Prepare(F);
        const std::vector<std::string> Before = F.Entries();
        std::string Cause = C.Cause;
        if (Cause.starts_with('@'))
            Cause.replace(0, 1, F.Path);
        EXPECT_EQ(SaveCause(Name, "new bytes"), Cause);
        EXPECT_EQ(F.Entries(), Before); // nothing left behind
        if (fs::is_regular_file(F / "plan.vtx")) {
            EXPECT_EQ(Bytes(F / "plan.vtx"), "previous");
        }
    }
}

TEST(AtomicSave, AWriteThatFailsHalfWayKeepsThePreviousFile)
{
    // A file-size limit makes the write fail part way, as a full disk does.
    TFolder F;
    const std::string Name = F / "plan.vtx";
    Put(Name, "previous");
    std::string Cause;
    {
        TFileSizeLimit Room(1000);
        Cause = SaveCause(Name, std::string(5000, 'x'));
    }
    EXPECT_EQ(Cause, "The file is too large.");
    EXPECT_EQ(Bytes(Name), "previous");
    EXPECT_EQ(F.Entries(), std::vector<std::string>{"plan.vtx"});
}

TEST(AtomicSave, TheLongestNamesSave)
{
    TFolder F;
    for (std::size_t Length : {249u, 255u}) {
        const std::string Name = F / std::string(Length, 'a');
        Put(Name, "previous");
        EXPECT_EQ(SaveCause(Name, "new"), "") << Length;
        EXPECT_EQ(Bytes(Name), "new") << Length;
    }
    EXPECT_EQ(F.Entries().size(), 2u);
}

TEST(AtomicSave, EverySystemErrorHasASentence)
{
    const struct {
        int Error;
        const char* Cause;
    } Cases[] = {{EACCES, "Permission denied."},     {EPERM, "Permission denied."},
                 {ENOSPC, "The disk is full."},      {EDQUOT, "The disk is full."},
                 {ENAMETOOLONG, "The file name is too long."}, {EROFS, "The disk is read-only."},
                 {ENOENT, "The folder does not exist."}, {ENOTDIR, "A part of the path is not a folder."}, {EFBIG, "The file is too large."},
                 {EIO, "Input/output error."}};
    for (const auto& C : Cases)
        EXPECT_EQ(SaveFailureCause(C.Error), C.Cause) << C.Error;
}
