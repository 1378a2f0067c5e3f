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

#include <exception>

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

int RunVentrix(int& Argc, char** Argv)
{
    QApplication App(Argc, Argv);
    QApplication::setApplicationName("Ventrix");
    QApplication::setApplicationDisplayName("Ventrix");
    QApplication::setOrganizationName("Brellamonte");
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
