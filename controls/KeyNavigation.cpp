#include "controls/KeyNavigation.h"

#include "controls/FmtEdit.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTextEdit>

namespace {

enum class TControlKind { Edit, Tab, Memo, Combo, List, Button, Other };

bool IsMemo(const QWidget* W)
{
    return qobject_cast<const QTextEdit*>(W) || qobject_cast<const QPlainTextEdit*>(W);
}

// The control a focused widget belongs to: a line edit inside a grid, a
// combo box or a spin box counts as that control.
TControlKind KindOf(QWidget* Active, QWidget* Form, QWidget*& Control)
{
    for (QWidget* W = Active; W && W != Form; W = W->parentWidget()) {
        Control = W;
        if (qobject_cast<QAbstractItemView*>(W))
            return TControlKind::List;
        if (qobject_cast<QComboBox*>(W))
            return TControlKind::Combo;
        if (qobject_cast<QAbstractSpinBox*>(W))
            return TControlKind::Edit;
        if (IsMemo(W))
            return TControlKind::Memo;
        if (W->isWindow())
            break;
    }
    Control = Active;
    if (qobject_cast<QLineEdit*>(Active))
        return TControlKind::Edit;
    if (qobject_cast<QTabBar*>(Active))
        return TControlKind::Tab;
    if (qobject_cast<QPushButton*>(Active))
        return TControlKind::Button;
    return TControlKind::Other;
}

bool WantsReturns(const QWidget* Memo)
{
    const QVariant Want = Memo->property(WantReturnsProperty);
    return !Want.isValid() || Want.toBool();
}

bool IsEnter(int Key)
{
    return Key == Qt::Key_Return || Key == Qt::Key_Enter;
}

// Moves as Tab and Shift+Tab do; a numeric edit commits its entry first and
// keeps the focus when the entry is refused.
void MoveFocus(QWidget* Form, QWidget* Active, bool Next, int& Key)
{
    Key = 0;
    if (auto* Edit = qobject_cast<TxCustomEdit*>(Active); Edit && !Edit->CommitIfModified())
        return;
    QKeyEvent Tab(QEvent::KeyPress, Next ? Qt::Key_Tab : Qt::Key_Backtab,
                  Next ? Qt::NoModifier : Qt::ShiftModifier);
    QApplication::sendEvent(Form, &Tab);
}

} // namespace

void FormKeyNavigate(QWidget* Form, int& Key)
{
    QWidget* Active = Form ? Form->focusWidget() : nullptr;
    if (!Active)
        return;
    QWidget* Control = nullptr;
    const TControlKind Kind = KindOf(Active, Form, Control);
    if (Kind != TControlKind::Edit && Kind != TControlKind::Tab)
        return;
    if (IsEnter(Key) || Key == Qt::Key_Down)
        MoveFocus(Form, Active, true, Key);
    else if (Key == Qt::Key_Up)
        MoveFocus(Form, Active, false, Key);
}

void FormKeyNavigateEx(QWidget* Form, int& Key, QWidget* ActiveControl)
{
    if (!Form || !ActiveControl)
        return;
    QWidget* Control = nullptr;
    const TControlKind Kind = KindOf(ActiveControl, Form, Control);
    if (Kind == TControlKind::List || (Kind == TControlKind::Memo && WantsReturns(Control)))
        return;
    if (IsEnter(Key)) {
        if (Kind != TControlKind::Button)
            MoveFocus(Form, ActiveControl, true, Key);
        return;
    }
    if (Kind == TControlKind::Combo || Kind == TControlKind::Memo)
        return;
    if (Key == Qt::Key_Down)
        MoveFocus(Form, ActiveControl, true, Key);
    else if (Key == Qt::Key_Up)
        MoveFocus(Form, ActiveControl, false, Key);
}

TKeyNavigation::TKeyNavigation(QWidget* Form, bool Extended)
    : QObject(Form), Form(Form), Extended(Extended)
{
    // Keys reach the focused control first; the application's filter sees
    // them before it, as a form's key preview does.
    qApp->installEventFilter(this);
}

bool TKeyNavigation::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() != QEvent::KeyPress || !Watched->isWidgetType())
        return false;
    auto* Target = static_cast<QWidget*>(Watched);
    if (Target != Form->focusWidget() || !(Target == Form || Form->isAncestorOf(Target)))
        return false;
    const auto* Press = static_cast<QKeyEvent*>(Event);
    if (Press->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    int Key = Press->key();
    if (Extended)
        FormKeyNavigateEx(Form, Key, Target);
    else
        FormKeyNavigate(Form, Key);
    return Key == 0;
}
