#pragma once
// The fan summary window: three lines on the main fan (its volume flow, its
// total pressure and the duct pressure loss), written by the main window
// after every change and every solve.

#include <QWidget>

class QLabel;
class TSettingsStore;

class TFanForm : public QWidget {
    Q_OBJECT

public:
    explicit TFanForm(TSettingsStore& Settings, QWidget* Parent = nullptr);

    QLabel* FanQLabel;
    QLabel* Pslabel;
    QLabel* PtLabel;

protected:
    void closeEvent(QCloseEvent* Event) override;

private:
    TSettingsStore& Settings;
};
