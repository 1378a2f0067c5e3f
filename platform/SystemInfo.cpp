#include "platform/SystemInfo.h"

#include "foundation/Letterhead.h"
#include "platform/BuildInfo.h"
#include "platform/QtSettingsStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace {

std::string InstallPrefix()
{
    return WithTrailingSlash(VENTRIX_INSTALL_PREFIX);
}

std::string Trimmed(const std::string& Text)
{
    const auto First = Text.find_first_not_of(" \t");
    if (First == std::string::npos)
        return {};
    return Text.substr(First, Text.find_last_not_of(" \t") - First + 1);
}

} // namespace

std::string RunningProgramPath()
{
    if (QCoreApplication::instance() != nullptr)
        return QCoreApplication::applicationFilePath().toStdString();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().toStdString();
}

TProgramFolders ReadProgramFolders()
{
    const auto Machine = OpenMachineSettings();
    TFolderSources Sources;
    Sources.DesktopDir =
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString();
    Sources.DocumentsDir =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
    Sources.ExePath = RunningProgramPath();
    Sources.ProgramFilesDir = Machine->ReadString(MachineSection, "ProgramFilesDir", "/opt/");
    Sources.CommonFilesDir =
        Machine->ReadString(MachineSection, "CommonFilesDir", InstallPrefix() + "share/");
    Sources.CommonDataOverride = qEnvironmentVariable(CommonDataDirVariable).toStdString();
    Sources.InstallPrefix = InstallPrefix();
    return ResolveProgramFolders(Sources);
}

void InitProgramEnvironment()
{
    SetProgramFolders(ReadProgramFolders());
    SetLetterhead(ReadLetterhead(*OpenMakerSettings(), ProgramFolders().CommonFilesDir));
}

std::string OwnerFromAccount(const std::string& Comment, const std::string& Login)
{
    const std::string FullName = Trimmed(Comment.substr(0, Comment.find(',')));
    return FullName.empty() ? Login : FullName;
}

void GetRegisteredUser(std::string& Owner, std::string& Organization)
{
    const auto Machine = OpenMachineSettings();
    Owner = Machine->ReadString(MachineSection, "RegisteredOwner", {});
    Organization = Machine->ReadString(MachineSection, "RegisteredOrganization", {});
    if (!Owner.empty())
        return;

    std::string Comment;
    std::string Login;
    long Size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> Buffer(Size > 0 ? static_cast<size_t>(Size) : 16384);
    passwd Entry{};
    passwd* Found = nullptr;
    if (getpwuid_r(getuid(), &Entry, Buffer.data(), Buffer.size(), &Found) == 0 && Found) {
        Comment = Found->pw_gecos ? Found->pw_gecos : "";
        Login = Found->pw_name ? Found->pw_name : "";
    }
    if (Login.empty())
        Login = qEnvironmentVariable("USER").toStdString();
    Owner = OwnerFromAccount(Comment, Login);
}
