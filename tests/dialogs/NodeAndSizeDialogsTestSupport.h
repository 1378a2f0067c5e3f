#pragma once
// What the tests of the node dialog, the node table and the duct size
// dialogs share: services that record beeps and messages and answer the
// units list and pop-up menus from a script, a settings store of their own,
// a new document's network, and typing as a user types.

#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"
#include "controls/UiServices.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const QString& S, std::ostream* Out)
{
    *Out << '"' << S.toStdString() << '"';
}

struct TDialogServices {
    int Beeps = 0;
    QStringList Messages;
    // The unit the units list answers.
    int PickedUnit = 0;
    // The pop-up menu item chosen by its text; empty: dismissed.
    QString MenuChoice;
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
        S.PickUnits = [this](QWidget*, TUnitsType, int, const QPoint&) { return PickedUnit; };
        S.PopupMenu = [this](QMenu& Menu, const QPoint&) -> QAction* {
            for (QAction* A : Menu.actions())
                if (A->text() == MenuChoice)
                    return A;
            return nullptr;
        };
        S.PointerPos = [] { return QPoint(300, 200); };
        return S;
    }
};

struct TDialogFixture {
    TDialogServices Services;
    TMemorySettingsStore Store;
    TSettings Defaults;
    // Nodes 1 to 6 in a line: an inlet, the fan between nodes 3 and 4, an
    // outlet.
    TDuctGraph G{true, &Defaults};

    // Shows W as the active window.
    static void Show(QWidget& W)
    {
        W.show();
        QApplication::setActiveWindow(&W);
        (void)QTest::qWaitForWindowActive(&W);
    }
    // Each character to whatever has the focus then, then Done.
    static void Type(const QString& Text, Qt::Key Done = Qt::Key_unknown)
    {
        for (const QChar C : Text)
            QTest::keyClick(QApplication::focusWidget(), C.toLatin1());
        if (Done != Qt::Key_unknown)
            QTest::keyClick(QApplication::focusWidget(), Done);
        QApplication::processEvents();
    }
    std::vector<int> NodeIds() const
    {
        std::vector<int> Ids;
        for (const auto& N : G.Nodes())
            Ids.push_back(N->Id());
        return Ids;
    }
};
