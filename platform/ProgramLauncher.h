#pragma once
// The maker's other programs installed beside this one, listed in a menu:
// a click starts the chosen program, or hands its parameters to the instance
// that already runs. Nothing here waits for a started program.

#include <QObject>
#include <QString>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;

// A program of the maker: its menu caption and executable; the caption "-"
// is a separator between groups.
struct TProgramEntry {
    QString Caption;
    QString Path;
};

// The code with which a running instance receives a launch's parameters.
inline constexpr int LaunchParametersCode = 3;
// Families are numbered 0 .. ProgramFamilyCount - 1.
inline constexpr int ProgramFamilyCount = 14;

// The folder holding the maker's programs and shared files (ends in "/").
std::string MakerInstallFolder();
// Every program of the maker, with its path under MakerInstallFolder().
std::vector<TProgramEntry> ProgramTable();
// The programs of a family, separators included; empty for an unknown
// family. The main window lists family 2.
std::vector<TProgramEntry> ProgramFamily(int Family);

// Starts Path detached with the arguments of CommandLine (which may begin
// with the quoted path itself). Answers 0, or the system error code when the
// program cannot start. ShowMode is kept for callers: windows choose their
// own state.
int RunProgram(const QString& Path, const QString& CommandLine, int ShowMode = 1);

class TProgramLauncher : public QObject {
    Q_OBJECT
public:
    // Adds the family's programs to MenuItem.
    TProgramLauncher(QObject* Owner, int Family, const QString& OwnName, QMenu* MenuItem);
    TProgramLauncher(QObject* Owner, const std::vector<TProgramEntry>& Programs,
                     const QString& OwnName, QMenu* MenuItem);

    // Inserts an item at the top of the menu, so the menu lists the items in
    // the reverse order of adding; the program's own name (in any case) is
    // skipped. The path is kept as the item's status tip.
    void AddItem(const QString& Caption, const QString& Path);
    // Launches the path kept in the item, without parameters.
    void MenuItemClick(QAction* Item);
    // Refuses a missing or non-executable path with a message; hands the
    // parameters to a running instance (code LaunchParametersCode); else
    // starts the program.
    void LaunchProgram(const QString& Path, const QString& Parameters);

    // Where refusals go; the warning sink when unset.
    std::function<void(const QString& Text)> ShowMessageText;

private:
    void Message(const QString& Text) const;

    QString FOwnName;
    QMenu* FMenu;
};
