#pragma once
// Scripted services for the dialog tests: beeps are counted, messages
// recorded, the pointer stands still, units are picked by script, and a
// modal run shows the dialog, runs the test's script (WhileModal) and
// answers the dialog's result (mrCancel when the script left it open).

#include "tests/support/ScriptedUiServices.h"

#include <QLineEdit>
#include <QTest>

using TScriptedServices = TScriptedUiServices;

// Replaces what Edit shows by Text as a user would type it, without Enter.
inline void TypeInto(QLineEdit* Edit, const QString& Text)
{
    Edit->setFocus();
    Edit->selectAll();
    QTest::keyClicks(Edit, Text);
}
