#pragma once
// What the tests of the node dialog, the node table and the duct size
// dialogs share: services that record beeps and messages and answer the
// units list and pop-up menus from a script, a settings store of their own,
// a new document's network, and typing as a user types.

#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"
#include "controls/UiServices.h"
#include "tests/support/ScriptedUiServices.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <string>
#include <vector>

// The units list answers the first unit; modal runs are real ones, which
// the tests end themselves.
struct TDialogServices : TScriptedUiServices {
    TDialogServices()
    {
        PickedUnit = 0;
        RealModalRuns = true;
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
    static void Show(QWidget& W) { TScriptedUiServices::Show(W); }
    // Each character to whatever has the focus then, then Done.
    static void Type(const QString& Text, Qt::Key Done = Qt::Key_unknown)
    {
        TScriptedUiServices::Type(Text, Done);
    }
    // Replaces what Edit shows by Text, typed, then Done.
    static void Enter(QLineEdit* Edit, const QString& Text, Qt::Key Done = Qt::Key_Tab)
    {
        Edit->setFocus();
        Edit->selectAll();
        Type(Text, Done);
    }
    std::vector<int> NodeIds() const
    {
        std::vector<int> Ids;
        for (const auto& N : G.Nodes())
            Ids.push_back(N->Id());
        return Ids;
    }
};
