#pragma once
// Keyboard navigation of dialogs: Enter and Down move to the next field, Up
// to the previous one, so that numbers can be typed in one after the other.
// A dialog installs TKeyNavigation (a key preview); the functions below are
// its rules. A numeric edit whose entry is refused keeps the focus and the
// key. "Key" is a Qt key code; it becomes 0 when the key was used.

#include <QObject>

class QWidget;

// Only in a line edit, a spin box or a tab bar: Enter and Down go to the
// next control, Up to the previous one.
void FormKeyNavigate(QWidget* Form, int& Key);

// Nothing in grids, lists and memos that take Enter. Otherwise Enter goes
// to the next control (a push button keeps Enter to be pressed with it), and
// Down and Up to the next and previous one except in combo boxes and memos,
// where they move within the control.
void FormKeyNavigateEx(QWidget* Form, int& Key, QWidget* ActiveControl);

// A memo takes Enter itself unless its "WantReturns" property is false.
inline constexpr const char* WantReturnsProperty = "WantReturns";

// The key preview of one form: every key pressed in one of its controls
// passes the navigation first, and a key it uses goes no further (so Enter
// in a line edit no longer presses the dialog's default button).
class TKeyNavigation : public QObject {
    Q_OBJECT

public:
    // Extended: FormKeyNavigateEx, else FormKeyNavigate. Owned by Form.
    explicit TKeyNavigation(QWidget* Form, bool Extended = true);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    QWidget* Form;
    bool Extended;
};
