#pragma once
// The small tool windows of the editor (grid, scale, calibration, size):
// stay-on-top tool windows over their owner, with their placement kept in
// the settings under their object name.

#include <QWidget>

class TSettingsStore;

class TToolWindow : public QWidget {
    Q_OBJECT

public:
    // Name is the object name, the placement's settings section.
    TToolWindow(TSettingsStore& Settings, const QString& Name, const QString& Caption, QWidget* Parent);
    // Saves the placement.
    ~TToolWindow() override;

protected:
    // Restores the placement; called by a derived box once its layout is made.
    void RestorePlacement();
    TSettingsStore& Settings;
};
