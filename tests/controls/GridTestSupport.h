#pragma once
// A field grid shown, active and focused, with recording services (beeps,
// messages, a scripted units pick) and a log of the cells it stored.

#include "ControlsTestSupport.h"

#include "controls/FieldGrid.h"
#include "controls/InplaceEdit.h"

#include <QTest>

#include <ostream>
#include <vector>

struct TStoredCell {
    int Col, Row;
    bool operator==(const TStoredCell&) const = default;
    friend void PrintTo(const TStoredCell& S, std::ostream* Os)
    {
        *Os << "(" << S.Col << "," << S.Row << ")";
    }
};

template <class TGrid>
struct TShownGrid {
    TRecordingServices Services;
    // The unit the scripted pick list answers; the requests it got.
    int& PickedUnit = Services.PickedUnit;
    std::vector<TUnitsType>& Picks = Services.UnitPicks;
    TGrid Grid;
    std::vector<TStoredCell> Stored;

    TShownGrid()
    {
        PickedUnit = 0;
        Grid.OnDoSetData = [this](TxStringGrid*, int C, int R) { Stored.push_back({C, R}); };
        Grid.resize(420, 260);
        TScriptedUiServices::Show(Grid);
        Grid.setFocus();
    }

    // Each key to whatever has the focus then, as a user's typing goes.
    void Type(const QString& Text) { TScriptedUiServices::Type(Text); }
    void Key(Qt::Key K) { QTest::keyClick(QApplication::focusWidget(), K); }
    void Click(QWidget* Target, QPoint At = {}, Qt::MouseButton Button = Qt::LeftButton)
    {
        QTest::mouseClick(Target, Button, {}, At.isNull() ? Target->rect().center() : At);
    }
    void ClickCell(int Col, int Row, Qt::MouseButton Button = Qt::LeftButton)
    {
        Click(Grid.viewport(), Grid.CellRect(Col, Row).center(), Button);
    }
};

// EFieldError's message, or empty when the action raised none.
template <class TAction>
std::string FieldErrorOf(TAction Action)
{
    try {
        Action();
    } catch (const EFieldError& E) {
        return E.what();
    }
    return {};
}
