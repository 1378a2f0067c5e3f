#pragma once
// Services for the tool-window tests: messages, shell opens and file dialogs
// are recorded or scripted, the pointer stands still, and a modal run calls
// a script on the shown window instead of waiting for a user.

#include "controls/UiServices.h"
#include "foundation/SettingsStore.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>

#include <functional>
#include <ostream>

inline void PrintTo(const QString& S, std::ostream* Out)
{
    *Out << '"' << S.toStdString() << '"';
}

struct TToolServices {
    QStringList Messages;
    QStringList Opened;     // shell opens
    int FileDialogs = 0;
    QString ChosenFile;     // what the file dialogs answer
    // Runs in place of a modal run with the dialog shown; answers its result.
    std::function<int(QDialog&)> OnModal;
    TScopedUiServices Scope{Make()};

private:
    TUiServices Make()
    {
        TUiServices S = DefaultUiServices();
        S.Beep = [] {};
        S.MessageBox = [this](QWidget*, const QString&, const QString& Text, TMsgKind, int) {
            Messages << Text;
            return int(mrOk);
        };
        S.ShellOpen = [this](const QString& Target) {
            Opened << Target;
            return true;
        };
        S.OpenFileName = S.SaveFileName = [this](const TFileDialogRequest&) {
            ++FileDialogs;
            return ChosenFile;
        };
        S.PointerPos = [] { return QPoint(300, 200); };
        S.PopupMenu = [](QMenu&, const QPoint&) { return static_cast<QAction*>(nullptr); };
        S.RunModal = [this](QDialog& Dialog) {
            Dialog.show();
            Activate(Dialog);
            const int Result = OnModal ? OnModal(Dialog) : int(mrCancel);
            Dialog.hide();
            return Result;
        };
        return S;
    }

public:
    static void Activate(QWidget& Window)
    {
        QApplication::setActiveWindow(&Window);
        (void)QTest::qWaitForWindowActive(&Window);
        QApplication::processEvents();
    }
};
