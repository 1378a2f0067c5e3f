#pragma once
// The program's start-up and shut-down in their order: the process-wide
// state (number format, folders, letterhead, the fitting database), the
// main window and the other single windows, the report's column stops and
// kept layout, the window-message loop.

#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TMainForm;
class TSettingsStore;

// The main block up to the message loop: the main window (owning Store)
// and the single windows, the report defaults. The window is not shown yet.
std::unique_ptr<TMainForm> StartMainWindow(std::unique_ptr<TSettingsStore> Store,
                                           const QStringList& Arguments);

// The application's name and maker, which the settings and the titles of
// message boxes take; window titles stay the windows' own captions.
void SetProgramIdentity();

// What the program says instead of starting when there is no display to
// start on (Unix desktops: no DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM
// and no -platform argument): that it needs a desktop session or a virtual
// display, and the command that starts Program under Xvfb. Empty when it
// can start.
std::string NoDisplayText(const std::string& Program, const std::vector<std::string>& Arguments,
                          const std::function<std::string(const char*)>& Environment);

// The whole program; answers the exit code.
int RunVentrix(int& Argc, char** Argv);
