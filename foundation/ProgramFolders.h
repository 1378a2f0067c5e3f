#pragma once
// The program's folders, found once at start-up. Every path ends in "/"
// unless it is empty.

#include <stdexcept>
#include <string>

struct TProgramFolders {
    std::string DesktopDir;
    std::string ProgramFilesDir;  // where the maker's programs are installed
    std::string CommonFilesDir;   // the machine's shared-files folder
    std::string ExeBaseName;      // the program file's name without folder and extension
    std::string ExeDir;           // the program file's folder
    std::string MyDocumentsDir;
    std::string DataDir;          // the user's data folder of this program
    // Empty, or why DataDir is the program's folder: the data folder in the
    // documents could not be created.
    std::string DataDirFallback;
    std::string MakerFolder;      // the folder holding the maker's programs
    std::string CommonDataDir;    // shared data such as the fitting database
};

// What the platform tells about the machine, from which the folders follow.
struct TFolderSources {
    std::string DesktopDir;
    std::string DocumentsDir;        // empty when the desktop cannot name it
    std::string ExePath;             // full path of the running program file
    std::string ProgramFilesDir;
    std::string CommonFilesDir;
    std::string CommonDataOverride;  // a forced common data folder, or empty
    std::string InstallPrefix;       // the install prefix the program was built for
};

class EProgramFoldersError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Resolves every folder and creates the data folder (with missing parents)
// when needed; the data folder falls back to the program's folder when it
// cannot be created. Raises EProgramFoldersError when the documents folder is
// unknown.
TProgramFolders ResolveProgramFolders(const TFolderSources& Sources);

// For a message about FileName: when it lies in a data folder that fell back
// to the program's folder, a line saying so and why; else empty.
std::string DataFolderNote(const std::string& FileName);

// The path with one "/" at its end; an empty path stays empty.
std::string WithTrailingSlash(const std::string& Path);

// The maker's folder: when ExeDir contains the maker's name (in any case), the
// program's path up to and including that name in its original case, else
// ProgramFilesDir + the maker's name.
std::string MakerFolderFor(const std::string& ExeDir, const std::string& ProgramFilesDir);

// The common data folder: Override when given; else a "data/Common Files"
// folder found beside the program (one level up, as in the build tree, or in
// the program's own folder); else "share/ventrix/Common Files" under the
// install prefix.
std::string CommonDataDirFor(const std::string& ExeDir, const std::string& Override,
                             const std::string& InstallPrefix);

// The process-wide folders, set once at start-up (empty until then).
const TProgramFolders& ProgramFolders();
void SetProgramFolders(const TProgramFolders& Folders);
