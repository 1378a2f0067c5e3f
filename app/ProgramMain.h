#pragma once
// The program's start-up and shut-down in their order: the process-wide
// state (number format, folders, letterhead, the fitting database), the
// main window and the other single windows, the report's column stops and
// kept layout, the window-message loop.

#include <QStringList>

#include <memory>

class TMainForm;
class TSettingsStore;

// The main block up to the message loop: the main window (owning Store)
// and the single windows, the report defaults. The window is not shown yet.
std::unique_ptr<TMainForm> StartMainWindow(std::unique_ptr<TSettingsStore> Store,
                                           const QStringList& Arguments);

// The whole program; answers the exit code.
int RunVentrix(int& Argc, char** Argv);
