#pragma once
// Settings kept in INI files in QSettings' format. A registry-style key
// "Software\Brellamonte\Ventrix" is the file Brellamonte/Ventrix.ini of the
// user's configuration folder, "Software\Brellamonte" the maker-level file
// Brellamonte.ini beside it; each section is an INI group. Machine-wide values
// come from the same names in the system's configuration folder.
//
// QSettings reads the files; they are written as every other file of the
// program is (AtomicSave.h), so a disk that fills up mid-write leaves the
// older file whole and the failure is told, never taken for success.

#include "foundation/SettingsStore.h"

#include <QMap>
#include <QSettings>

#include <memory>
#include <string>
#include <vector>

class TQtSettingsStore : public TSettingsStore {
public:
    // An empty Application opens the organisation's own file. No value is
    // taken from another scope or file: what is missing reads as the default.
    TQtSettingsStore(QSettings::Scope Scope, const QString& Organisation,
                     const QString& Application);
    // The store of the INI file FileName.
    explicit TQtSettingsStore(const QString& FileName);
    // Writes pending changes (a failure goes untold: Commit tells it).
    ~TQtSettingsStore() override;

    std::string ReadString(const std::string& Section, const std::string& Ident,
                           const std::string& Default) const override;
    void WriteString(const std::string& Section, const std::string& Ident,
                     const std::string& Value) override;
    bool ValueExists(const std::string& Section, const std::string& Ident) const override;
    std::vector<std::string> ReadSectionIdents(const std::string& Section) const override;
    std::vector<std::string> ReadSections() const override;
    void EraseSection(const std::string& Section) override;
    void DeleteKey(const std::string& Section, const std::string& Ident) override;

    // Writes pending changes now; false when the file could not be written.
    bool Flush();
    // Flush, with the file and the cause when it fails.
    std::string Commit() override;
    QString FileName() const;

private:
    // A change not yet in the file: a value set, or a key removed with every
    // key under it.
    struct TChange {
        QString Key;
        QString Value;
        bool Removal;
    };

    void Change(TChange Change);

    QString FFileName;
    QMap<QString, QString> FValues;
    // Made again at a commit over what the file then holds, as QSettings
    // does, so that another store's values written since are kept.
    std::vector<TChange> FPending;
};

// The store of a registry-style key "Software\<organisation>[\<application>]";
// null for a key of any other form.
std::unique_ptr<TQtSettingsStore> OpenSettingsKey(const std::string& Key,
                                                  QSettings::Scope Scope = QSettings::UserScope);
// The user's settings of a program (AppRegistryKey(FileName)); an empty
// FileName is the running program.
std::unique_ptr<TQtSettingsStore> OpenProgramSettings(const std::string& FileName = {});
// The user's maker-level settings (the letterhead).
std::unique_ptr<TQtSettingsStore> OpenMakerSettings();
// The machine's maker-level settings, read by the folders and the registered
// user (section MachineSection).
std::unique_ptr<TQtSettingsStore> OpenMachineSettings();

inline constexpr const char* MachineSection = "Machine";
