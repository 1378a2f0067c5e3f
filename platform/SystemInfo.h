#pragma once
// What the desktop and the machine tell about the program's surroundings:
// its folders, the registered user, and the start-up of the process-wide
// folders and letterhead.

#include "foundation/ProgramFolders.h"

#include <string>

// Environment variable that forces the common data folder (tests, packaging).
inline constexpr const char* CommonDataDirVariable = "VENTRIX_COMMON_DATA_DIR";

// Full path of the running program file.
std::string RunningProgramPath();

// The folders from the desktop's standard locations, the running program and
// the machine settings ("ProgramFilesDir", default "/opt/"; "CommonFilesDir",
// default the install prefix's "share/"). Creates the data folder when
// missing; raises EProgramFoldersError when there is no documents folder.
TProgramFolders ReadProgramFolders();

// Sets the process-wide folders and letterhead. Call once at start-up, after
// the application object exists.
void InitProgramEnvironment();

// "RegisteredOwner" and "RegisteredOrganization" of the machine settings; a
// missing owner is the user's full name from the account database, else the
// login name.
void GetRegisteredUser(std::string& Owner, std::string& Organization);

// The owner named by an account: the full name (the first comma-separated
// field of the account's comment), else the login name.
std::string OwnerFromAccount(const std::string& Comment, const std::string& Login);
