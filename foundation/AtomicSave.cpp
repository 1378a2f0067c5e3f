#include "foundation/AtomicSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

// Links followed before giving up on a loop of them.
constexpr int MaxLinks = 40;

[[noreturn]] void Fail(int ErrorNumber)
{
    throw EFileSaveError(SaveFailureCause(ErrorNumber));
}

std::string FolderOf(const std::string& Path)
{
    const std::size_t Slash = Path.rfind('/');
    if (Slash == std::string::npos)
        return ".";
    return Slash == 0 ? "/" : Path.substr(0, Slash);
}

// The file a name finally stands for: symbolic links followed, each relative
// one from its own folder. A name that does not exist stands for itself.
std::string FollowLinks(const std::string& FileName)
{
    std::string Path = FileName;
    for (int I = 0; I < MaxLinks; ++I) {
        struct stat Info {};
        if (::lstat(Path.c_str(), &Info) != 0 || !S_ISLNK(Info.st_mode))
            return Path;
        std::vector<char> Target(static_cast<std::size_t>(Info.st_size > 0 ? Info.st_size : 255) + 1);
        const ssize_t Length = ::readlink(Path.c_str(), Target.data(), Target.size());
        if (Length < 0)
            Fail(errno);
        if (static_cast<std::size_t>(Length) >= Target.size())
            Fail(ENAMETOOLONG); // the link changed under us; do not guess
        const std::string Next(Target.data(), static_cast<std::size_t>(Length));
        Path = Next.starts_with('/') ? Next : FolderOf(Path) + "/" + Next;
    }
    Fail(ELOOP);
}

// What stands where a folder of Path should be: the nearest of its folders
// that exists, when that is not a folder; empty otherwise.
std::string FileInPlaceOfFolder(const std::string& Path)
{
    for (std::string Folder = FolderOf(Path);; Folder = FolderOf(Folder)) {
        struct stat Info {};
        if (::stat(Folder.c_str(), &Info) == 0)
            return S_ISDIR(Info.st_mode) ? std::string() : Folder;
        if (Folder == "/" || Folder == ".")
            return {};
    }
}

// The permission bits a new file gets from the user's mask.
mode_t NewFileMode()
{
    const mode_t Mask = ::umask(0);
    ::umask(Mask);
    return 0666 & ~Mask;
}

void WriteAll(int File, std::string_view Bytes)
{
    while (!Bytes.empty()) {
        const ssize_t Done = ::write(File, Bytes.data(), Bytes.size());
        if (Done < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno);
        }
        Bytes.remove_prefix(static_cast<std::size_t>(Done));
    }
}

// The temporary file: removed again unless it took the target's place.
class TTemporaryFile {
public:
    explicit TTemporaryFile(const std::string& Folder)
        // A short name of its own, so that a target whose name is as long as
        // names may be still has a temporary file beside it.
        : Name(Folder + "/.vtx-save-XXXXXX")
    {
        Handle = ::mkstemp(Name.data());
        if (Handle < 0)
            Fail(errno);
    }
    ~TTemporaryFile()
    {
        if (Handle >= 0)
            ::close(Handle);
        if (!Renamed)
            ::unlink(Name.c_str());
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    int Handle = -1;
    std::string Name;
    bool Renamed = false;

    void Close()
    {
        const int Result = ::close(Handle);
        Handle = -1;
        if (Result != 0)
            Fail(errno);
    }
};

} // namespace

std::string SaveFailureCause(int ErrorNumber)
{
    switch (ErrorNumber) {
    case EACCES:
    case EPERM:
        return "Permission denied.";
    case ENOSPC:
    case EDQUOT:
        return "The disk is full.";
    case EFBIG:
        return "The file is too large.";
    case ENAMETOOLONG:
        return "The file name is too long.";
    case ENOENT:
        return "The folder does not exist.";
    case ENOTDIR:
        return "A part of the path is not a folder.";
    case EROFS:
        return "The disk is read-only.";
    case ELOOP:
        return "Too many symbolic links.";
    case EISDIR:
        return "It is not a regular file.";
    default: {
        std::string Text = std::strerror(ErrorNumber);
        return Text + ".";
    }
    }
}

void SaveFileAtomically(const std::string& FileName, std::string_view Bytes)
{
    const std::string Path = FollowLinks(FileName);
    struct stat Info {};
    const bool Exists = ::stat(Path.c_str(), &Info) == 0;
    if (!Exists && errno == ENOTDIR)
        if (const std::string Blocker = FileInPlaceOfFolder(Path); !Blocker.empty())
            throw EFileSaveError(Blocker + " is not a folder.");
    if (!Exists && errno != ENOENT)
        Fail(errno);
    if (Exists) {
        if (!S_ISREG(Info.st_mode))
            throw EFileSaveError("It is not a regular file.");
        // A file without any write permission was made read-only on purpose:
        // not even a user who could override that replaces it.
        if ((Info.st_mode & 0222) == 0)
            throw EFileSaveError("The file is read-only.");
        if (::access(Path.c_str(), W_OK) != 0)
            Fail(errno);
    }

    TTemporaryFile Temporary(FolderOf(Path));
    // (Should this fail, the file keeps the narrow bits of a new temporary
    // file, which loses nothing.)
    (void)::fchmod(Temporary.Handle, Exists ? (Info.st_mode & 07777) : NewFileMode());
    // Owner and group as they were, where the process may set them: the
    // group alone may still be allowed when the owner is not.
    if (Exists && ::fchown(Temporary.Handle, Info.st_uid, Info.st_gid) != 0)
        (void)::fchown(Temporary.Handle, static_cast<uid_t>(-1), Info.st_gid);
    WriteAll(Temporary.Handle, Bytes);
    if (::fsync(Temporary.Handle) != 0)
        Fail(errno);
    Temporary.Close();
    if (::rename(Temporary.Name.c_str(), Path.c_str()) != 0)
        Fail(errno);
    Temporary.Renamed = true;
    // The rename itself reaches the disk with the folder.
    const int Folder = ::open(FolderOf(Path).c_str(), O_RDONLY | O_DIRECTORY);
    if (Folder >= 0) {
        ::fsync(Folder);
        ::close(Folder);
    }
}
