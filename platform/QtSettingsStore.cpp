#include "platform/QtSettingsStore.h"

#include "foundation/AppRegistry.h"
#include "platform/QtText.h"
#include "platform/SystemInfo.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

QString KeyOf(const std::string& Section, const std::string& Ident)
{
    return Section.empty() ? ToQ(Ident) : ToQ(Section) + QLatin1Char('/') + ToQ(Ident);
}

std::vector<std::string> ToStd(const QStringList& List)
{
    std::vector<std::string> Result;
    Result.reserve(List.size());
    for (const QString& Item : List)
        Result.push_back(Item.toStdString());
    return Result;
}

// Why FileName cannot be written: QSettings only says that it was not, so
// the steps of a write are tried again (without replacing the file).
QString WriteFailureCause(const QString& FileName)
{
    const QFileInfo Info(FileName);
    std::error_code Error;
    std::filesystem::create_directories(Info.absolutePath().toStdString(), Error);
    if (Error)
        return QString::fromStdString(Error.message());
    QSaveFile Probe(FileName);
    if (!Probe.open(QIODevice::WriteOnly))
        return Probe.errorString();
    // Room for a file of this size?
    Probe.write(QByteArray(static_cast<int>(std::clamp<qint64>(Info.size(), 4096, 1 << 20)), ' '));
    const bool Written = Probe.flush();
    const QString Cause = Probe.errorString();
    Probe.cancelWriting();
    return Written ? QStringLiteral("The file could not be replaced.") : Cause;
}

} // namespace

TQtSettingsStore::TQtSettingsStore(QSettings::Scope Scope, const QString& Organisation,
                                   const QString& Application)
    : FSettings(std::make_unique<QSettings>(QSettings::IniFormat, Scope, Organisation, Application))
{
    // The registry had no fallbacks between keys or scopes; neither do we.
    FSettings->setFallbacksEnabled(false);
}

TQtSettingsStore::~TQtSettingsStore()
{
    FSettings->sync();
}

std::string TQtSettingsStore::ReadString(const std::string& Section, const std::string& Ident,
                                         const std::string& Default) const
{
    const QVariant Value = FSettings->value(KeyOf(Section, Ident));
    if (!Value.isValid())
        return Default;
    // An unquoted text with commas in a hand-edited file reads as a list.
    if (Value.typeId() == QMetaType::QStringList)
        return Value.toStringList().join(QStringLiteral(", ")).toStdString();
    return Value.toString().toStdString();
}

void TQtSettingsStore::WriteString(const std::string& Section, const std::string& Ident,
                                   const std::string& Value)
{
    FSettings->setValue(KeyOf(Section, Ident), ToQ(Value));
}

bool TQtSettingsStore::ValueExists(const std::string& Section, const std::string& Ident) const
{
    return FSettings->contains(KeyOf(Section, Ident));
}

std::vector<std::string> TQtSettingsStore::ReadSectionIdents(const std::string& Section) const
{
    FSettings->beginGroup(ToQ(Section));
    const QStringList Keys = FSettings->childKeys();
    FSettings->endGroup();
    return ToStd(Keys);
}

std::vector<std::string> TQtSettingsStore::ReadSections() const
{
    return ToStd(FSettings->childGroups());
}

void TQtSettingsStore::EraseSection(const std::string& Section)
{
    if (!Section.empty()) {
        FSettings->remove(ToQ(Section));
        return;
    }
    // Removing the empty name would erase every section: only the loose values go.
    for (const QString& Key : FSettings->childKeys())
        FSettings->remove(Key);
}

void TQtSettingsStore::DeleteKey(const std::string& Section, const std::string& Ident)
{
    FSettings->remove(KeyOf(Section, Ident));
}

bool TQtSettingsStore::Flush()
{
    FSettings->sync();
    if (FSettings->status() == QSettings::NoError)
        return true;
    // QSettings keeps the first error it met, and a damaged file gives one
    // whenever it is read, at load or within this very sync that then writes
    // the values all the same. A second object on the file shares the values
    // still waiting to be written: its first sync writes them again, and
    // its status tells of that write alone.
    const QSettings Written(FSettings->fileName(), QSettings::IniFormat);
    return Written.status() == QSettings::NoError && QFileInfo(FSettings->fileName()).isFile();
}

std::string TQtSettingsStore::Commit()
{
    if (Flush())
        return {};
    return ("The settings could not be saved to " + FileName() + ".\n" + WriteFailureCause(FileName()))
        .toStdString();
}

QString TQtSettingsStore::FileName() const
{
    return FSettings->fileName();
}

std::unique_ptr<TQtSettingsStore> OpenSettingsKey(const std::string& Key, QSettings::Scope Scope)
{
    const QStringList Parts = ToQ(Key).split(QLatin1Char('\\'));
    if (Parts.size() < 2 || Parts.size() > 3 || Parts[0] != QLatin1String("Software"))
        return nullptr;
    for (const QString& Part : Parts)
        if (Part.isEmpty() || Part == QLatin1String(".") || Part == QLatin1String("..") ||
            Part.contains(QLatin1Char('/')))
            return nullptr;
    const QString Application = Parts.size() == 3 ? Parts[2] : QString();
    return std::make_unique<TQtSettingsStore>(Scope, Parts[1], Application);
}

std::unique_ptr<TQtSettingsStore> OpenProgramSettings(const std::string& FileName)
{
    const std::string Program = FileName.empty() ? RunningProgramPath() : FileName;
    return OpenSettingsKey(AppRegistryKey(Program));
}

std::unique_ptr<TQtSettingsStore> OpenMakerSettings()
{
    return std::make_unique<TQtSettingsStore>(QSettings::UserScope, QString::fromLatin1(MakerName),
                                              QString());
}

std::unique_ptr<TQtSettingsStore> OpenMachineSettings()
{
    return std::make_unique<TQtSettingsStore>(QSettings::SystemScope,
                                              QString::fromLatin1(MakerName), QString());
}
