#pragma once
// Names of the program's settings key and the maker-level sections kept
// beside it.

#include <string>

// The maker's name as it appears in settings keys and folder names.
inline constexpr const char* MakerName = "Brellamonte";

// "Software\Brellamonte\" followed by the file name without its folder and
// without its last extension ("Tool.beta.exe" gives "...\Tool.beta"). An empty
// FileName means the running program (ProgramFolders().ExeBaseName).
std::string AppRegistryKey(const std::string& FileName);

// The file name without folder and without its last extension.
std::string FileBaseName(const std::string& FileName);
