#pragma once
// The grid tool box: snapping to the grid, the grid dots and their gap. The
// view reads SnapToGrid, GridVisible and GridGap; the events tell it when
// to act. Settings: "GridSettings".

#include "editor/ToolWindow.h"

#include <functional>

class QCheckBox;
class QPushButton;
class TFmtEdit;
class TSettingsStore;

class TGridToolBox : public TToolWindow {
    Q_OBJECT

public:
    explicit TGridToolBox(TSettingsStore& Settings, QWidget* Parent = nullptr);
    // Saves the settings.
    ~TGridToolBox() override;

    QCheckBox* CBSnapToGrid;
    QCheckBox* CBGridVisible;
    TFmtEdit* EdGridGap;
    QPushButton* SnapAllBtn;

    bool SnapToGrid = true;
    bool GridVisible = false;
    int GridGap = 10;    // pixels, 5 to 40
    int OldGridGap = 10; // the gap before the last change

    std::function<void()> OnSnapAll;
    std::function<void()> OnGridVisibleChanged;
    std::function<void()> OnSnapChanged;
    std::function<void()> OnGridGapChanged;

    // Takes a typed gap from the edit (committing it first).
    void ApplyGridGap();
    void SaveSettings() const;

private:
    void LoadSettings();
};
