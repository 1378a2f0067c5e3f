#include "foundation/ProgramFolders.h"

#include "foundation/AppRegistry.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

TProgramFolders TheProgramFolders;

std::string UpperCaseAscii(std::string Text)
{
    for (char& C : Text)
        C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    return Text;
}

bool IsDirectory(const std::string& Path)
{
    std::error_code Error;
    return fs::is_directory(fs::path(Path), Error);
}

std::string NormalFolder(const std::string& Path)
{
    return WithTrailingSlash(fs::path(Path).lexically_normal().string());
}

std::string ParentFolder(const std::string& FilePath)
{
    const auto Slash = FilePath.find_last_of('/');
    return Slash == std::string::npos ? std::string() : FilePath.substr(0, Slash + 1);
}

} // namespace

std::string WithTrailingSlash(const std::string& Path)
{
    if (Path.empty() || Path.back() == '/')
        return Path;
    return Path + "/";
}

std::string MakerFolderFor(const std::string& ExeDir, const std::string& ProgramFilesDir)
{
    const std::string Maker = MakerName;
    const auto Found = UpperCaseAscii(ExeDir).find(UpperCaseAscii(Maker));
    if (Found == std::string::npos)
        return WithTrailingSlash(ProgramFilesDir) + Maker + "/";
    // Cut from the path as written: folder names are case-sensitive here.
    return ExeDir.substr(0, Found + Maker.size()) + "/";
}

std::string CommonDataDirFor(const std::string& ExeDir, const std::string& Override,
                             const std::string& InstallPrefix)
{
    if (!Override.empty())
        return WithTrailingSlash(Override);
    for (const char* Beside : {"../data/Common Files", "data/Common Files"}) {
        const std::string Candidate = WithTrailingSlash(ExeDir) + Beside;
        if (!ExeDir.empty() && IsDirectory(Candidate))
            return NormalFolder(Candidate);
    }
    return WithTrailingSlash(InstallPrefix) + "share/ventrix/Common Files/";
}

TProgramFolders ResolveProgramFolders(const TFolderSources& Sources)
{
    if (Sources.DocumentsDir.empty())
        throw EProgramFoldersError("Could not find My Documents folder location.");

    TProgramFolders Folders;
    Folders.DesktopDir = WithTrailingSlash(Sources.DesktopDir);
    Folders.ProgramFilesDir = WithTrailingSlash(Sources.ProgramFilesDir);
    Folders.CommonFilesDir = WithTrailingSlash(Sources.CommonFilesDir);
    Folders.ExeBaseName = FileBaseName(Sources.ExePath);
    Folders.ExeDir = ParentFolder(Sources.ExePath);
    Folders.MyDocumentsDir = WithTrailingSlash(Sources.DocumentsDir);

    Folders.DataDir = Folders.MyDocumentsDir + MakerName + "/" + Folders.ExeBaseName + "/";
    std::error_code Error;
    fs::create_directories(fs::path(Folders.DataDir), Error);
    if (!IsDirectory(Folders.DataDir)) {
        Folders.DataDirFallback = "the data folder " + Folders.DataDir + " could not be created (" +
                                  (Error ? Error.message() : std::string("it is not a folder")) + ")";
        Folders.DataDir = Folders.ExeDir;
    }

    Folders.MakerFolder = MakerFolderFor(Folders.ExeDir, Folders.ProgramFilesDir);
    Folders.CommonDataDir =
        CommonDataDirFor(Folders.ExeDir, Sources.CommonDataOverride, Sources.InstallPrefix);
    return Folders;
}

std::string DataFolderNote(const std::string& FileName)
{
    const TProgramFolders& Folders = ProgramFolders();
    if (Folders.DataDirFallback.empty() || Folders.DataDir.empty() ||
        FileName.compare(0, Folders.DataDir.size(), Folders.DataDir) != 0)
        return {};
    return "\n" + Folders.DataDir + " is the program's folder, used because " + Folders.DataDirFallback + ".";
}

const TProgramFolders& ProgramFolders()
{
    return TheProgramFolders;
}

void SetProgramFolders(const TProgramFolders& Folders)
{
    TheProgramFolders = Folders;
}
