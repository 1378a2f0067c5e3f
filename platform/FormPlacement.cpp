#include "platform/FormPlacement.h"

#include "foundation/SettingsStore.h"
#include "foundation/WindowPlacement.h"
#include "platform/QtText.h"

#include <QFontInfo>
#include <QScreen>
#include <QWidget>

namespace {

TWindowState StateOf(const QWidget* Form)
{
    if (Form->isMinimized())
        return wsMinimized;
    if (Form->isMaximized())
        return wsMaximized;
    return wsNormal;
}

Qt::WindowStates ToQtState(TWindowState State, Qt::WindowStates Current)
{
    Current &= ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    switch (State) {
    case wsMinimized:
        return Current | Qt::WindowMinimized;
    case wsMaximized:
        return Current | Qt::WindowMaximized;
    case wsNormal:
        break;
    }
    return Current;
}

} // namespace

std::string FormSection(const QWidget* Form)
{
    const QString Name = Form->objectName();
    return Name.isEmpty() ? std::string(Form->metaObject()->className()) : Name.toStdString();
}

void RestoreFormPlacement(const TSettingsStore& Settings, QWidget* Form, bool RestoreVisible,
                          bool RestoreSize)
{
    const std::string Section = FormSection(Form);
    TWindowPosition Position{Settings.ReadInteger(Section, "Left", Form->x()),
                             Settings.ReadInteger(Section, "Top", Form->y())};
    if (RestoreSize) {
        const int Width = Settings.ReadInteger(Section, "Width", Form->width());
        const int Height = Settings.ReadInteger(Section, "Height", Form->height());
        if (Width > 0 && Height > 0)
            Form->resize(Width, Height);
    }
    if (RestoreVisible)
        Form->setVisible(Settings.ReadBool(Section, "Visible", false));
    // With no stored position the window is left unmoved, so that a dialog
    // still opens over its owner instead of in the screen's corner.
    if (Settings.ValueExists(Section, "Left") || Settings.ValueExists(Section, "Top")) {
        if (const QScreen* Screen = Form->screen()) {
            const QRect Area = Screen->virtualGeometry();
            Position = KeepWindowReachable(
                Position, TScreenArea{Area.x(), Area.y(), Area.width(), Area.height()});
        }
        Form->move(Position.Left, Position.Top);
    }
    const int State = Settings.ReadInteger(Section, "WinState", StateOf(Form));
    Form->setWindowState(ToQtState(WindowStateFromInt(State), Form->windowState()));
}

void SaveFormPlacement(TSettingsStore& Settings, const QWidget* Form)
{
    const std::string Section = FormSection(Form);
    const TWindowState State = StateOf(Form);
    QRect Bounds(Form->pos(), Form->size());
    if (State != wsNormal && Form->normalGeometry().isValid())
        Bounds = Form->normalGeometry();
    Settings.WriteInteger(Section, "Left", Bounds.x());
    Settings.WriteInteger(Section, "Top", Bounds.y());
    Settings.WriteInteger(Section, "Width", Bounds.width());
    Settings.WriteInteger(Section, "Height", Bounds.height());
    Settings.WriteBool(Section, "Visible", Form->isVisible());
    Settings.WriteInteger(Section, "WinState", State);
}

void SaveFont(TSettingsStore& Settings, const std::string& Section, const QFont& Font,
              const QColor& Color)
{
    int Style = 0;
    Style |= Font.bold() ? 1 : 0;
    Style |= Font.italic() ? 2 : 0;
    Style |= Font.underline() ? 4 : 0;
    Style |= Font.strikeOut() ? 8 : 0;
    const int Size = Font.pointSize() > 0 ? Font.pointSize() : QFontInfo(Font).pointSize();
    Settings.WriteString(Section, "Name", Font.family().toStdString());
    // Character sets do not apply to Unicode fonts; the value is kept for the
    // file's sake as "default".
    Settings.WriteInteger(Section, "Charset", 1);
    Settings.WriteInteger(Section, "Style", Style);
    Settings.WriteInteger(Section, "Size", Size);
    Settings.WriteInteger(Section, "Color", BgrFromColor(Color));
}

void RestoreFont(const TSettingsStore& Settings, const std::string& Section, QFont& Font,
                 QColor& Color)
{
    const std::string Name = Settings.ReadString(Section, "Name", {});
    if (!Name.empty())
        Font.setFamily(ToQ(Name));
    const int Style = Settings.ReadInteger(Section, "Style", -1);
    if (Style >= 0) {
        Font.setBold((Style & 1) != 0);
        Font.setItalic((Style & 2) != 0);
        Font.setUnderline((Style & 4) != 0);
        Font.setStrikeOut((Style & 8) != 0);
    }
    const int Size = Settings.ReadInteger(Section, "Size", 0);
    if (Size > 0 && Size <= 1000)
        Font.setPointSize(Size);
    if (Settings.ValueExists(Section, "Color"))
        Color = ColorFromBgr(Settings.ReadInteger(Section, "Color", BgrFromColor(Color)));
}
