#include "platform/QtSettingsStore.h"

#include "foundation/AppRegistry.h"
#include "foundation/AtomicSave.h"
#include "platform/IniText.h"
#include "platform/QtText.h"
#include "platform/SystemInfo.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <filesystem>
#include <string_view>
#include <system_error>

namespace {

// A key as QSettings takes it: "\" is "/", and empty path parts go.
QString NormalKey(const QString& Key)
{
    QStringList Parts = QString(Key).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'));
    Parts.removeAll(QString());
    return Parts.join(QLatin1Char('/'));
}

QString KeyOf(const std::string& Section, const std::string& Ident)
{
    return NormalKey(Section.empty() ? ToQ(Ident) : ToQ(Section) + QLatin1Char('/') + ToQ(Ident));
}

// The prefix of the keys inside Group ("" for the loose ones).
QString GroupPrefix(const std::string& Group)
{
    const QString Name = NormalKey(ToQ(Group));
    return Name.isEmpty() ? Name : Name + QLatin1Char('/');
}

// What the file holds, every value as its text. A file that is missing or
// cannot be read holds nothing; a damaged one what QSettings makes of it.
QMap<QString, QString> ReadIniFile(const QString& FileName)
{
    QMap<QString, QString> Values;
    if (!QFileInfo(FileName).isFile())
        return Values;
    const QSettings File(FileName, QSettings::IniFormat);
    for (const QString& Key : File.allKeys()) {
        const QVariant Value = File.value(Key);
        // An unquoted text with commas in a hand-edited file reads as a list.
        Values.insert(Key, Value.typeId() == QMetaType::QStringList
                               ? Value.toStringList().join(QStringLiteral(", "))
                               : Value.toString());
    }
    return Values;
}

void Remove(QMap<QString, QString>& Values, const QString& Key)
{
    Values.remove(Key);
    const QString Prefix = Key.isEmpty() ? Key : Key + QLatin1Char('/');
    for (auto It = Values.lowerBound(Prefix); It != Values.end() && It.key().startsWith(Prefix);)
        It = Values.erase(It);
}

// The names directly under Prefix: the keys (Groups false) or the groups.
std::vector<std::string> ChildNames(const QMap<QString, QString>& Values, const QString& Prefix, bool Groups)
{
    QStringList Names;
    for (auto It = Values.lowerBound(Prefix); It != Values.end() && It.key().startsWith(Prefix); ++It) {
        const QString Rest = It.key().mid(Prefix.size());
        const qsizetype Slash = Rest.indexOf(QLatin1Char('/'));
        if (Groups != (Slash >= 0))
            continue;
        Names.append(Groups ? Rest.left(Slash) : Rest);
    }
    // In the order QSettings lists them ("A" before "A-b", whose keys sort first).
    Names.sort();
    Names.removeDuplicates();
    std::vector<std::string> Result;
    Result.reserve(Names.size());
    for (const QString& Name : Names)
        Result.push_back(Name.toStdString());
    return Result;
}

} // namespace

TQtSettingsStore::TQtSettingsStore(QSettings::Scope Scope, const QString& Organisation,
                                   const QString& Application)
    // Only the name is taken from QSettings; no value comes from another
    // scope or file: the registry had no fallbacks between keys or scopes.
    : TQtSettingsStore(QSettings(QSettings::IniFormat, Scope, Organisation, Application).fileName())
{
}

TQtSettingsStore::TQtSettingsStore(const QString& FileName)
    : FFileName(FileName), FValues(ReadIniFile(FileName))
{
}

TQtSettingsStore::~TQtSettingsStore()
{
    Commit();
}

std::string TQtSettingsStore::ReadString(const std::string& Section, const std::string& Ident,
                                         const std::string& Default) const
{
    const auto It = FValues.constFind(KeyOf(Section, Ident));
    return It == FValues.cend() ? Default : It->toStdString();
}

void TQtSettingsStore::WriteString(const std::string& Section, const std::string& Ident,
                                   const std::string& Value)
{
    Change({KeyOf(Section, Ident), ToQ(Value), false});
}

bool TQtSettingsStore::ValueExists(const std::string& Section, const std::string& Ident) const
{
    return FValues.contains(KeyOf(Section, Ident));
}

std::vector<std::string> TQtSettingsStore::ReadSectionIdents(const std::string& Section) const
{
    return ChildNames(FValues, GroupPrefix(Section), false);
}

std::vector<std::string> TQtSettingsStore::ReadSections() const
{
    return ChildNames(FValues, QString(), true);
}

void TQtSettingsStore::EraseSection(const std::string& Section)
{
    if (!Section.empty()) {
        Change({NormalKey(ToQ(Section)), QString(), true});
        return;
    }
    // Removing the empty name would erase every section: only the loose values go.
    for (const std::string& Key : ReadSectionIdents(Section))
        Change({ToQ(Key), QString(), true});
}

void TQtSettingsStore::DeleteKey(const std::string& Section, const std::string& Ident)
{
    Change({KeyOf(Section, Ident), QString(), true});
}

void TQtSettingsStore::Change(TChange Change)
{
    if (Change.Key.isEmpty())
        return;
    if (Change.Removal)
        Remove(FValues, Change.Key);
    else
        FValues.insert(Change.Key, Change.Value);
    FPending.push_back(std::move(Change));
}

bool TQtSettingsStore::Flush()
{
    return Commit().empty();
}

std::string TQtSettingsStore::Commit()
{
    if (FPending.empty())
        return {};
    QMap<QString, QString> Values = ReadIniFile(FFileName);
    for (const TChange& Change : FPending) {
        if (Change.Removal)
            Remove(Values, Change.Key);
        else
            Values.insert(Change.Key, Change.Value);
    }
    std::string Cause;
    const std::string Path = QFile::encodeName(FFileName).toStdString();
    std::error_code Error;
    std::filesystem::create_directories(std::filesystem::path(Path).parent_path(), Error);
    if (Error) {
        Cause = SaveFailureCause(Error.value());
    } else {
        const QByteArray Text = IniText(Values);
        try {
            SaveFileAtomically(Path, std::string_view(Text.constData(), static_cast<std::size_t>(Text.size())));
        } catch (const EFileSaveError& Failure) {
            Cause = Failure.what();
        }
    }
    if (!Cause.empty())
        return "The settings could not be saved to " + FFileName.toStdString() + ".\n" + Cause;
    FValues = std::move(Values);
    FPending.clear();
    return {};
}

QString TQtSettingsStore::FileName() const
{
    return FFileName;
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
