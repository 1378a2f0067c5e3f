#include "platform/ProgramLauncher.h"

#include "foundation/ProgramFolders.h"
#include "foundation/WarningSink.h"
#include "platform/MessagePool.h"
#include "platform/QtText.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>

#include <cerrno>

std::string MakerInstallFolder()
{
    return ProgramFolders().MakerFolder;
}

std::vector<TProgramEntry> ProgramTable()
{
    const QString Maker = ToQ(MakerInstallFolder());
    return {{QStringLiteral("Ventrix"), Maker + QStringLiteral("Ventrix/ventrix")}};
}

std::vector<TProgramEntry> ProgramFamily(int Family)
{
    // The maker's other programs are not installed with this one; family 2
    // (the main window's) holds this program, the others are empty.
    if (Family == 2)
        return ProgramTable();
    return {};
}

int RunProgram(const QString& Path, const QString& CommandLine, int ShowMode)
{
    (void)ShowMode;
    const QFileInfo Info(Path);
    if (!Info.exists())
        return ENOENT;
    if (!Info.isFile() || !Info.isExecutable())
        return EACCES;
    QStringList Arguments = QProcess::splitCommand(CommandLine);
    if (!Arguments.isEmpty() && Arguments.first() == Path)
        Arguments.removeFirst();
    QProcess Process;
    Process.setProgram(Path);
    Process.setArguments(Arguments);
    Process.setStandardInputFile(QProcess::nullDevice());
    return Process.startDetached() ? 0 : ENOEXEC;
}

TProgramLauncher::TProgramLauncher(QObject* Owner, int Family, const QString& OwnName,
                                   QMenu* MenuItem)
    : TProgramLauncher(Owner, ProgramFamily(Family), OwnName, MenuItem)
{
}

TProgramLauncher::TProgramLauncher(QObject* Owner, const std::vector<TProgramEntry>& Programs,
                                   const QString& OwnName, QMenu* MenuItem)
    : QObject(Owner), FOwnName(OwnName), FMenu(MenuItem)
{
    for (const TProgramEntry& Entry : Programs)
        AddItem(Entry.Caption, Entry.Path);
}

void TProgramLauncher::AddItem(const QString& Caption, const QString& Path)
{
    if (FMenu == nullptr || Caption.compare(FOwnName, Qt::CaseInsensitive) == 0)
        return;
    auto* Item = new QAction(Caption, FMenu);
    if (Caption == QLatin1String("-"))
        Item->setSeparator(true);
    Item->setStatusTip(Path);
    connect(Item, &QAction::triggered, this, [this, Item] { MenuItemClick(Item); });
    const QList<QAction*> Items = FMenu->actions();
    FMenu->insertAction(Items.isEmpty() ? nullptr : Items.first(), Item);
}

void TProgramLauncher::MenuItemClick(QAction* Item)
{
    if (Item != nullptr)
        LaunchProgram(Item->statusTip(), QString());
}

void TProgramLauncher::LaunchProgram(const QString& Path, const QString& Parameters)
{
    const QFileInfo Info(Path);
    if (Path.isEmpty() || !Info.exists()) {
        Message(QStringLiteral("not found...\r") + Path);
        return;
    }
    if (!Info.isFile() || !Info.isExecutable()) {
        Message(QStringLiteral("Program not executable...\r\n") + Path);
        return;
    }
    const QString Program = Info.completeBaseName();
    if (FindRunningInstance(Program) &&
        SendStringToWindow(Parameters, Program, LaunchParametersCode))
        return;
    QString CommandLine = QLatin1Char('"') + Path + QLatin1Char('"');
    if (!Parameters.isEmpty())
        CommandLine += QLatin1Char(' ') + Parameters;
    // A failed start is silent, as a click that did nothing.
    RunProgram(Path, CommandLine, 1);
}

void TProgramLauncher::Message(const QString& Text) const
{
    if (ShowMessageText)
        ShowMessageText(Text);
    else
        ShowWarning("", Text.toStdString());
}
