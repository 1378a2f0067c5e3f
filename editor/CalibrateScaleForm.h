#pragma once
// Two-point calibration of the drawing's scale: the user types a known
// length, starts picking, and clicks its two ends on the drawing (the view
// does the picking and hands the points over); the form shows the scale in
// metres per pixel, and Accept applies it.

#include "editor/ToolWindow.h"

#include <QPoint>

#include <functional>

class QLabel;
class QPushButton;
class QStatusBar;
class QToolButton;
class TFmtEdit;
class TSettingsStore;

class TCalibrateScaleForm : public TToolWindow {
    Q_OBJECT

public:
    explicit TCalibrateScaleForm(TSettingsStore& Settings, QWidget* Parent = nullptr);
    ~TCalibrateScaleForm() override;

    TFmtEdit* EdLength;
    QPushButton* StartBtn;
    QToolButton* AcceptBtn;
    QToolButton* CancelBtn;
    QToolButton* HelpBtn;
    QStatusBar* StatusBar;
    QLabel* StatusScale;  // panel 0
    QLabel* StatusPoints; // panel 1

    double Scale = 0.0; // metres per pixel
    QPoint Point1;
    QPoint Point2;

    std::function<void()> OnStartPicking;
    std::function<void()> OnStopPicking;
    std::function<void()> OnApplyScale;

    // The view's two picked points; the scale follows.
    void SetPoints(QPoint First, QPoint Second);
    // Scale := length / distance of the points (0 when they coincide), and
    // the status bar shows it.
    void CalcScale();
    double Length() const;
    void SaveSettings() const;

    void StartBtnClick();
    void AcceptBtnClick();
    void CancelBtnClick();
    void HelpBtnClick();

protected:
    void changeEvent(QEvent* Event) override;
    void showEvent(QShowEvent* Event) override;

private:
    void ShowStatus();
    void CommitLength();
};
