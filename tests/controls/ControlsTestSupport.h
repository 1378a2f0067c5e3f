#pragma once
// A dialog with two numeric edits and an OK button, shown and active, whose
// services count beeps and record messages instead of sounding or showing.

#include "controls/FmtEdit.h"
#include "controls/UiServices.h"
#include "tests/support/ScriptedUiServices.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

using TRecordingServices = TScriptedUiServices;

struct TEditDialog {
    TRecordingServices Services;
    QDialog Dialog;
    TFmtEdit* Edit = new TFmtEdit(&Dialog);
    TFmtEdit* Other = new TFmtEdit(&Dialog);
    QPushButton* Ok = new QPushButton("OK", &Dialog);

    TEditDialog()
    {
        auto* Layout = new QVBoxLayout(&Dialog);
        Layout->addWidget(Edit);
        Layout->addWidget(Other);
        Layout->addWidget(Ok);
        Ok->setDefault(true);
        QObject::connect(Ok, &QPushButton::clicked, &Dialog, &QDialog::accept);
        TScriptedUiServices::Show(Dialog);
        Edit->setFocus();
    }

    // Types Text into the edit (replacing what it shows) and presses Key.
    void Type(const QString& Text, Qt::Key Key = Qt::Key_Return)
    {
        Edit->setFocus();
        Edit->selectAll();
        QTest::keyClicks(Edit, Text);
        if (Key != Qt::Key_unknown)
            QTest::keyClick(Edit, Key);
    }
};
