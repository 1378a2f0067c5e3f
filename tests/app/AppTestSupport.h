#pragma once
// Scripted services for the dialog tests: beeps are counted, messages
// recorded, the pointer stands still, units are picked by script, and a
// modal run shows the dialog, runs the test's script and answers the
// dialog's result (mrCancel when the script left it open).

#include "controls/UiServices.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <ostream>

inline void PrintTo(const QString& S, std::ostream* Out)
{
    *Out << '"' << S.toStdString() << '"';
}

struct TScriptedServices {
    int Beeps = 0;
    QStringList Messages;
    int PickedUnit = -1;
    // Runs while a dialog is held modal.
    std::function<void(QDialog&)> WhileModal;
    TScopedUiServices Scope{Make()};

private:
    TUiServices Make()
    {
        TUiServices S = DefaultUiServices();
        S.Beep = [this] { ++Beeps; };
        S.MessageBox = [this](QWidget*, const QString&, const QString& Text, TMsgKind, int) {
            Messages << Text;
            return int(mrOk);
        };
        S.PointerPos = [] { return QPoint(300, 200); };
        S.PickUnits = [this](QWidget*, TUnitsType, int, const QPoint&) { return PickedUnit; };
        S.RunModal = [this](QDialog& Dialog) {
            Dialog.setResult(0);
            Show(Dialog);
            if (WhileModal)
                WhileModal(Dialog);
            const int Result = Dialog.isVisible() ? int(mrCancel) : Dialog.result();
            Dialog.hide();
            return Result == 0 ? int(mrCancel) : Result;
        };
        return S;
    }

public:
    static void Show(QWidget& Window)
    {
        Window.show();
        QApplication::setActiveWindow(&Window);
        (void)QTest::qWaitForWindowActive(&Window);
    }
};

// Replaces what Edit shows by Text as a user would type it, without Enter.
inline void TypeInto(QLineEdit* Edit, const QString& Text)
{
    Edit->setFocus();
    Edit->selectAll();
    QTest::keyClicks(Edit, Text);
}
