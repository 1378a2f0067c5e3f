#include "editor/ToolWindow.h"

#include "controls/KeyNavigation.h"
#include "platform/FormPlacement.h"

TToolWindow::TToolWindow(TSettingsStore& Settings, const QString& Name, const QString& Caption,
                         QWidget* Parent)
    : QWidget(Parent, Qt::Tool | Qt::WindowStaysOnTopHint), Settings(Settings)
{
    setObjectName(Name);
    setWindowTitle(Caption);
    // Enter, Up and Down move between the fields (and so commit them).
    new TKeyNavigation(this);
}

TToolWindow::~TToolWindow() { SaveFormPlacement(Settings, this); }

void TToolWindow::RestorePlacement()
{
    adjustSize();
    RestoreFormPlacement(Settings, this, false, false);
}
