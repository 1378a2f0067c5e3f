#pragma once
// How the settings dialog asks for a duct roughness: a picker shown modally
// at a screen position (the roughness tool window in the program, a script
// in tests). It answers true with the picked roughness in millimetres, or
// false when the user cancelled.

#include <QPoint>

#include <functional>

class QWidget;

using TRoughnessPicker =
    std::function<bool(QWidget* Parent, const QPoint& GlobalPos, double& RoughnessMm)>;
