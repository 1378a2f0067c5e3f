#pragma once
// The scale tool box: metres per pixel of the drawing and whether branch
// lengths follow the drawing. Its edit's button opens the calibration form.
// Settings: "ScaleSettings".

#include "editor/ToolWindow.h"

#include <functional>

class QCheckBox;
class QPushButton;
class TCalibrateScaleForm;
class TCmbEdit;
class TSettingsStore;

class TScaleToolBox : public TToolWindow {
    Q_OBJECT

public:
    explicit TScaleToolBox(TSettingsStore& Settings, QWidget* Parent = nullptr);
    ~TScaleToolBox() override;

    TCmbEdit* EdMScale;
    QCheckBox* CBDrawToScale;
    QPushButton* ScaleAllBtn;
    // Opened by the edit's button with the current scale (not owned).
    TCalibrateScaleForm* CalibrateForm = nullptr;

    std::function<void()> OnScaleChanged;
    std::function<void()> OnDrawToScaleChanged;
    std::function<void()> OnScaleAll;

    double Scale() const; // metres per pixel
    void SetScale(double Value);
    bool DrawToScale() const;
    void SetDrawToScale(bool Value);
    // Commits a pending entry; fires OnScaleChanged when the value changed.
    void CommitScale();
    void SaveSettings() const;

protected:
    void changeEvent(QEvent* Event) override;

private:
    double ShownScale = 0.03; // the value last committed
};
