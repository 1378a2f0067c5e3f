#include "platform/ProgramLauncher.h"

#include "platform/MessagePool.h"
#include "tests/platform/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenu>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace {

// A program that writes its arguments to a marker file when it runs; a
// running instance of it listens under Name.
struct TStubProgram {
    QString Name;
    QString Path;
    QString Marker;

    explicit TStubProgram(const char* Tag)
        : Name(QString("stub-%1-%2").arg(Tag).arg(getpid())),
          Path(QString::fromStdString(TestRoot()) + Name + ".sh"), Marker(Path + ".ran")
    {
        const std::string M = Marker.toStdString();
        std::ofstream(Path.toStdString()) << "#!/bin/sh\necho \"$@\" > '" << M << ".tmp'\nmv '" << M
                                          << ".tmp' '" << M << "'\n";
        std::filesystem::permissions(Path.toStdString(), std::filesystem::perms::owner_all);
    }
};

} // namespace

TEST(ProgramLauncher, ListsTheFamilyReversedWithoutItsOwnName)
{
    QMenu Menu;
    TProgramLauncher Launcher(nullptr,
                              {{"Alpha", "/opt/a"}, {"Ventrix", "/opt/v"}, {"Beta", "/opt/b"}, {"-", ""},
                               {"Gamma", "/opt/g"}},
                              "VENTRIX", &Menu);
    QStringList Captions;
    for (const QAction* Item : Menu.actions())
        Captions << (Item->isSeparator() ? "-" : Item->text());
    EXPECT_EQ(Captions, QStringList({"Gamma", "-", "Beta", "Alpha"}));
    EXPECT_EQ(Menu.actions().last()->statusTip(), "/opt/a");
    QMenu Own;
    TProgramLauncher Main(nullptr, 2, "Ventrix", &Own); // the main window's family
    EXPECT_TRUE(Own.actions().isEmpty());
}

TEST(ProgramLauncher, RefusesWhatCannotRun)
{
    const QString Missing = QString::fromStdString(TestRoot()) + "no-such-program";
    const QString Plain = QString::fromStdString(TestRoot()) + "notes.txt";
    std::ofstream(Plain.toStdString()) << "text\n";
    QMenu Menu;
    TProgramLauncher Launcher(nullptr, std::vector<TProgramEntry>{}, "Ventrix", &Menu);
    QStringList Shown;
    Launcher.ShowMessageText = [&Shown](const QString& Text) { Shown << Text; };
    Launcher.LaunchProgram(Missing, {});
    Launcher.LaunchProgram(Plain, {});
    EXPECT_EQ(Shown, QStringList({"not found...\r" + Missing, "Program not executable...\r\n" + Plain}));
    EXPECT_NE(RunProgram(Plain, {}), 0);
}

TEST(ProgramLauncher, StartsTheProgramOrHandsTheParametersToItsRunningInstance)
{
    const TStubProgram Stub("launch");
    QMenu Menu;
    TProgramLauncher Launcher(nullptr, {{"Stub", Stub.Path}}, "Ventrix", &Menu);
    Launcher.LaunchProgram(Stub.Path, "\"/data/My Plan.vtx\" -x");
    PumpUntil([&] { return QFile::exists(Stub.Marker); }, 5000);
    QFile Ran(Stub.Marker);
    ASSERT_TRUE(Ran.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(Ran.readAll()).trimmed(), "/data/My Plan.vtx -x");

    // An instance runs: it gets a menu click's (empty) parameters, nothing starts.
    QFile::remove(Stub.Marker);
    TMessagePoolServer Instance;
    TReceived Received(Instance);
    ASSERT_TRUE(Instance.Listen(Stub.Name));
    Menu.actions().first()->trigger();
    PumpUntil([&] { return Received.Count > 0; }, 5000);
    EXPECT_EQ(std::pair(Received.Code, Received.Text), std::pair(int(LaunchParametersCode), QString()));
    PumpUntil([] { return false; }, 300);
    EXPECT_FALSE(QFile::exists(Stub.Marker));
}
