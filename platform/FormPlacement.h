#pragma once
// Window placement and fonts kept in the settings, in a section named after
// the window (its object name).

#include <QColor>
#include <QFont>
#include <QString>

#include <string>

class QWidget;
class TSettingsStore;

// Reads "Left" and "Top", with RestoreSize also "Width" and "Height", with
// RestoreVisible "Visible" (default hidden), then keeps the window reachable
// on its screen and applies "WinState". Missing values keep the window's own.
void RestoreFormPlacement(const TSettingsStore& Settings, QWidget* Form, bool RestoreVisible,
                          bool RestoreSize);
// Writes "Left", "Top", "Width", "Height", "Visible" and "WinState"; a
// maximised or minimised window keeps its normal position and size.
void SaveFormPlacement(TSettingsStore& Settings, const QWidget* Form);

// A font as "Name", "Charset", "Style" (1 bold, 2 italic, 4 underline,
// 8 strike-out), "Size" (points) and "Color" (0x00BBGGRR).
void SaveFont(TSettingsStore& Settings, const std::string& Section, const QFont& Font,
              const QColor& Color);
// Missing or unusable values keep the given font's and colour's own.
void RestoreFont(const TSettingsStore& Settings, const std::string& Section, QFont& Font,
                 QColor& Color);

// The settings section of a window: its object name, else its class name.
std::string FormSection(const QWidget* Form);
