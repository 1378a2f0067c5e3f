#pragma once
// The size tool box: the drawing's width and height in pixels, fitting the
// drawing to the background picture, and cropping it to the network.

#include "editor/ToolWindow.h"

#include <functional>

class QPushButton;
class TFmtEdit;
class TSettingsStore;

class TSizeToolBox : public TToolWindow {
    Q_OBJECT

public:
    explicit TSizeToolBox(TSettingsStore& Settings, QWidget* Parent = nullptr);

    TFmtEdit* EdWidth;
    TFmtEdit* EdHeight;
    QPushButton* BackSizeBtn;
    QPushButton* CropBtn;

    std::function<void()> OnSizeChanged;
    std::function<void()> OnSizeToBackground;
    std::function<void()> OnCrop;

    void ShowSize(int Width, int Height);
    int DrawingWidth() const;
    int DrawingHeight() const;

private:
    void SizeEdited(TFmtEdit* Edit);
};
