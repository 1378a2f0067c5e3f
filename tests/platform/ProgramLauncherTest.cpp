#include "platform/ProgramLauncher.h"

#include "foundation/ProgramFolders.h"
#include "platform/MessagePool.h"
#include "tests/platform/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs = 5000)
{
    QElapsedTimer Timer;
    Timer.start();
    while (!Done() && Timer.elapsed() < TimeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return Done();
}

QStringList Captions(const QMenu& Menu)
{
    QStringList Result;
    for (const QAction* Item : Menu.actions())
        Result << (Item->isSeparator() ? QStringLiteral("-") : Item->text());
    return Result;
}

// A program that writes its arguments to a marker file when it runs.
struct TStubProgram {
    QString Path;
    QString Marker;
    QString Name; // the name a running instance listens under

    explicit TStubProgram(const char* Tag)
    {
        Name = QStringLiteral("stub-%1-%2").arg(Tag).arg(getpid());
        Path = QString::fromStdString(TestRoot()) + Name + QStringLiteral(".sh");
        Marker = Path + QStringLiteral(".ran");
        std::ofstream(Path.toStdString())
            << "#!/bin/sh\necho \"$@\" > '" << Marker.toStdString() << ".tmp'\nmv '"
            << Marker.toStdString() << ".tmp' '" << Marker.toStdString() << "'\n";
        fs::permissions(Path.toStdString(), fs::perms::owner_all);
    }

    QString Ran() const
    {
        QFile File(Marker);
        return File.open(QIODevice::ReadOnly) ? QString::fromUtf8(File.readAll()).trimmed()
                                              : QString();
    }
};

} // namespace

TEST(ProgramLauncher, ListsTheFamilyReversedWithoutItsOwnName)
{
    QMenu Menu;
    TProgramLauncher Launcher(nullptr,
                              {{"Alpha", "/opt/a"}, {"Ventrix", "/opt/v"}, {"Beta", "/opt/b"},
                               {"-", ""}, {"Gamma", "/opt/g"}},
                              QStringLiteral("VENTRIX"), &Menu);
    EXPECT_EQ(Captions(Menu), QStringList({"Gamma", "-", "Beta", "Alpha"}));
    EXPECT_EQ(Menu.actions().last()->statusTip(), "/opt/a");

    QMenu Own;
    TProgramLauncher Main(nullptr, 2, QStringLiteral("Ventrix"), &Own);
    EXPECT_TRUE(Own.actions().isEmpty());
    TProgramLauncher Sibling(nullptr, 2, QStringLiteral("Other"), &Own);
    ASSERT_EQ(Own.actions().size(), 1);
    EXPECT_TRUE(Own.actions().first()->statusTip().startsWith(
        QString::fromStdString(MakerInstallFolder())));
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
    Launcher.LaunchProgram(QString::fromStdString(TestRoot()), {});
    EXPECT_EQ(Shown, QStringList({"not found...\r" + Missing,
                                  "Program not executable...\r\n" + Plain,
                                  "Program not executable...\r\n" +
                                      QString::fromStdString(TestRoot())}));
    EXPECT_NE(RunProgram(Missing, {}), 0);
    EXPECT_NE(RunProgram(Plain, {}), 0);
}

TEST(ProgramLauncher, StartsTheProgramWhenNoInstanceRuns)
{
    const TStubProgram Stub("start");
    QMenu Menu;
    TProgramLauncher Launcher(nullptr, {{"Stub", Stub.Path}}, "Ventrix", &Menu);
    Launcher.LaunchProgram(Stub.Path, QStringLiteral("\"/data/My Plan.vtx\" -x"));
    ASSERT_TRUE(PumpUntil([&] { return !Stub.Ran().isEmpty(); }));
    EXPECT_EQ(Stub.Ran(), "/data/My Plan.vtx -x");

    // A menu click launches the kept path without parameters.
    QFile::remove(Stub.Marker);
    Menu.actions().first()->trigger();
    ASSERT_TRUE(PumpUntil([&] { return QFile::exists(Stub.Marker); }));
    EXPECT_EQ(Stub.Ran(), "");
}

TEST(ProgramLauncher, HandsTheParametersToARunningInstance)
{
    const TStubProgram Stub("running");
    TMessagePoolServer Instance;
    int Code = 0;
    QString Received;
    QObject::connect(&Instance, &TMessagePoolServer::MessageReceived,
                     [&](int C, const QString& Text) {
                         Code = C;
                         Received = Text;
                     });
    ASSERT_TRUE(Instance.Listen(Stub.Name));

    QMenu Menu;
    TProgramLauncher Launcher(nullptr, std::vector<TProgramEntry>{}, "Ventrix", &Menu);
    Launcher.LaunchProgram(Stub.Path, QStringLiteral("/data/plan.vtx"));
    ASSERT_TRUE(PumpUntil([&] { return Code != 0; }));
    EXPECT_EQ(Code, LaunchParametersCode);
    EXPECT_EQ(Received, "/data/plan.vtx");
    PumpUntil([] { return false; }, 300);
    EXPECT_FALSE(QFile::exists(Stub.Marker)); // no second instance started
}
