#pragma once
// Services for the window tests that never wait for a user: beeps are
// counted, messages recorded and answered, desktop opens recorded, and the
// file dialogs, the units list, pop-up menus and the pointer answer what the
// test set. A modal run shows the dialog and runs the test's script on it,
// unless the test asks for real modal runs (which it then ends itself, e.g.
// from a timer).

#include "controls/UiServices.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QWidget>

#include <functional>
#include <ostream>
#include <vector>

// Readable QStrings in test failures.
inline void PrintTo(const QString& S, std::ostream* Out)
{
    *Out << '"' << S.toStdString() << '"';
}

struct TScriptedUiServices {
    int Beeps = 0;
    QStringList Messages;
    int Answer = mrOk;        // what every message box answers
    QStringList Opened;       // desktop opens
    int FileDialogs = 0;
    TFileDialogRequest FileRequest; // what the last file dialog was asked
    QString ChosenFile;       // what the open and save dialogs answer
    int PickedUnit = -1;      // what the units list answers
    std::vector<TUnitsType> UnitPicks; // the quantities it was asked for
    QString MenuChoice;       // the pop-up item chosen by its text; empty: dismissed
    QStringList PopupItems;   // the items of the last pop-up, submenus' included
    int Popups = 0;
    QPoint Pointer{300, 200}; // global
    // The print dialog: counted, and answered by OnPrintSetup (which may
    // choose a target); cancelled without one.
    int PrintDialogs = 0;
    std::function<bool(QPrinter&)> OnPrintSetup;
    // A modal run calls OnModal, which answers the result, or else
    // WhileModal, after which the dialog answers its own result (mrCancel
    // while it is still open).
    std::function<int(QDialog&)> OnModal;
    std::function<void(QDialog&)> WhileModal;
    bool RealModalRuns = false;
    TScopedUiServices Scope{Make()};

    // Shows Window and makes it the active one.
    static void Show(QWidget& Window)
    {
        Window.show();
        Activate(Window);
    }
    static void Activate(QWidget& Window)
    {
        QApplication::setActiveWindow(&Window);
        (void)QTest::qWaitForWindowActive(&Window);
        QApplication::processEvents();
    }
    // Each character to whatever has the focus then, as a user types, then
    // the key Done.
    static void Type(const QString& Text, Qt::Key Done = Qt::Key_unknown)
    {
        for (const QChar C : Text)
            QTest::keyClick(QApplication::focusWidget(), C.toLatin1());
        if (Done != Qt::Key_unknown)
            QTest::keyClick(QApplication::focusWidget(), Done);
        QApplication::processEvents();
    }

private:
    // Depth first; the first item named Choice is the one chosen.
    static void Collect(QMenu& Menu, QStringList& Items, const QString& Choice, QAction*& Chosen)
    {
        for (QAction* A : Menu.actions()) {
            if (A->menu())
                Collect(*A->menu(), Items, Choice, Chosen);
            else if (!A->isSeparator()) {
                Items << A->text();
                if (!Chosen && !Choice.isEmpty() && A->text() == Choice)
                    Chosen = A;
            }
        }
    }

    int RunScripted(QDialog& Dialog)
    {
        Dialog.setResult(0);
        Show(Dialog);
        int Result;
        if (OnModal)
            Result = OnModal(Dialog);
        else {
            if (WhileModal)
                WhileModal(Dialog);
            Result = Dialog.isVisible() || Dialog.result() == 0 ? int(mrCancel) : Dialog.result();
        }
        Dialog.hide();
        return Result;
    }

    TUiServices Make()
    {
        TUiServices S = DefaultUiServices();
        S.Beep = [this] { ++Beeps; };
        S.MessageBox = [this](QWidget*, const QString&, const QString& Text, TMsgKind, int) {
            Messages << Text;
            return Answer;
        };
        S.ShellOpen = [this](const QString& Target) {
            Opened << Target;
            return true;
        };
        S.OpenFileName = S.SaveFileName = [this](const TFileDialogRequest& Request) {
            ++FileDialogs;
            FileRequest = Request;
            return ChosenFile;
        };
        S.PickUnits = [this](QWidget*, TUnitsType Quantity, int, const QPoint&) {
            UnitPicks.push_back(Quantity);
            return PickedUnit;
        };
        S.PopupMenu = [this](QMenu& Menu, const QPoint&) {
            ++Popups;
            PopupItems.clear();
            QAction* Chosen = nullptr;
            Collect(Menu, PopupItems, MenuChoice, Chosen);
            return Chosen;
        };
        S.PointerPos = [this] { return Pointer; };
        S.PrintSetup = [this](QWidget*, QPrinter& Printer) {
            ++PrintDialogs;
            return OnPrintSetup ? OnPrintSetup(Printer) : false;
        };
        S.RunModal = [this, Real = S.RunModal](QDialog& Dialog) {
            return RealModalRuns ? Real(Dialog) : RunScripted(Dialog);
        };
        return S;
    }
};
