#pragma once
// "Report Settings": which optional sections the main report includes.
// The choices live in the settings section "Settings" as "RepGraphic" and
// "RepFittings" (both on by default).

#include <QWidget>

class QCheckBox;
class TSettingsStore;

class TRepSettingsForm : public QWidget {
    Q_OBJECT
public:
    explicit TRepSettingsForm(TSettingsStore& Settings, QWidget* Parent = nullptr);

    QCheckBox* CBGraphic;   // "Include Graphic"
    QCheckBox* CBFittings;  // "Include Fittings"

protected:
    void closeEvent(QCloseEvent* Event) override;
    // Escape closes it, as every dialog: it has no buttons of its own.
    void keyPressEvent(QKeyEvent* Event) override;

private:
    TSettingsStore& FSettings;
};
