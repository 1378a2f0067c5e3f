#include "foundation/AppRegistry.h"

#include "foundation/ProgramFolders.h"

std::string FileBaseName(const std::string& FileName)
{
    const auto Slash = FileName.find_last_of('/');
    std::string Name = Slash == std::string::npos ? FileName : FileName.substr(Slash + 1);
    const auto Dot = Name.find_last_of('.');
    if (Dot != std::string::npos)
        Name.erase(Dot);
    return Name;
}

std::string AppRegistryKey(const std::string& FileName)
{
    const std::string BaseName =
        FileName.empty() ? ProgramFolders().ExeBaseName : FileBaseName(FileName);
    return std::string("Software\\") + MakerName + "\\" + BaseName;
}
