#include "app/ProgramMain.h"

#include "app/MainForm.h"
#include "app/MessageBoxSink.h"
#include "fittings/DuctFittingDB.h"
#include "foundation/ProgramFolders.h"
#include "foundation/SettingsStore.h"
#include "platform/QtSettingsStore.h"
#include "platform/SystemInfo.h"
#include "reports/StdReport.h"
#include "tools/AboutBoxDlg.h"

#include <QApplication>
#include <QLocale>

#include <cstdlib>
#include <exception>
#include <iostream>

namespace {

// The report's first six column stops (centimetres).
const std::vector<double> ReportColumnStops{4, 6, 7.5, 10, 11, 13};

} // namespace

std::unique_ptr<TMainForm> StartMainWindow(std::unique_ptr<TSettingsStore> Store,
                                           const QStringList& Arguments)
{
    TSettingsStore& Settings = *Store;
    auto MainForm = std::make_unique<TMainForm>(std::move(Store), Arguments);
    MainForm->CreateProgramWindows();
    SetReportColumnStops(ReportColumnStops);
    LoadReportMargins(Settings);
    MainForm->AboutBoxDlg1->WaitSplash();
    return MainForm;
}

void SetProgramIdentity()
{
    // The name only: a display name set as well would be appended to every
    // window title by the desktop ("Ventrix 2.4.0.0 — Ventrix").
    QApplication::setApplicationName("Ventrix");
    QApplication::setOrganizationName("Brellamonte");
}

std::string NoDisplayText(const std::string& Program, const std::vector<std::string>& Arguments,
                          const std::function<std::string(const char*)>& Environment)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // A platform named on the command line or in the environment is the
    // user's choice; Qt reports on it itself.
    for (const char* Name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!Environment(Name).empty())
            return {};
    for (const std::string& A : Arguments)
        if (A == "-platform" || A == "--platform")
            return {};
    return "Ventrix is a desktop program: it needs a desktop session or a virtual display, and\n"
           "this session has neither (DISPLAY is not set). To start it on a virtual display (Xvfb):\n\n"
           "    xvfb-run -a -s \"-screen 0 1280x1024x24\" " + Program + "\n";
#else
    (void)Program;
    (void)Arguments;
    (void)Environment;
    return {};
#endif
}

int RunVentrix(int& Argc, char** Argv)
{
    // Before Qt, whose answer to a missing display is to abort.
    const std::string NoDisplay = NoDisplayText(
        Argc > 0 ? Argv[0] : "Ventrix", std::vector<std::string>(Argv, Argv + Argc), [](const char* Name) {
            const char* Value = std::getenv(Name);
            return std::string(Value ? Value : "");
        });
    if (!NoDisplay.empty()) {
        std::cerr << NoDisplay;
        return 1;
    }
    QApplication App(Argc, Argv);
    SetProgramIdentity();
    // Numbers always read and show "." as the decimal separator.
    QLocale::setDefault(QLocale::c());

    // Until the main window shows the engine's warnings, they come as boxes
    // of their own (a missing fitting database, say).
    TMessageBoxSink StartUpSink(nullptr);
    TScopedWarningSink Scope(StartUpSink);
    try {
        InitProgramEnvironment();
    } catch (const std::exception& E) {
        StartUpSink.Warning("Ventrix", E.what());
        return 1;
    }
    CreateDuctFittingDB(ProgramFolders().CommonDataDir);

    std::unique_ptr<TSettingsStore> Store = OpenProgramSettings();
    if (!Store)
        Store = std::make_unique<TMemorySettingsStore>();
    std::unique_ptr<TMainForm> MainForm = StartMainWindow(std::move(Store), QApplication::arguments());
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(MainForm.get(), &TMainForm::FormClosed, &App, &QApplication::quit, Qt::QueuedConnection);
    MainForm->show();
    const int Result = QApplication::exec();
    MainForm.reset();
    return Result;
}
