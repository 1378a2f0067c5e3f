#include "controls/UiServices.h"
#include "controls/UnitsForm.h"

#include <QApplication>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(UnitsForm, ListsTheQuantitysUnitsWithTheCurrentOneSelected)
{
    TUnitsForm Form;
    Form.Fill(utAirPressDrop, 5);
    EXPECT_EQ(Form.ListBox()->count(), 8);
    EXPECT_EQ(Form.ListBox()->currentItem()->text(), "InchWg");
    EXPECT_GE(Form.width(), Form.ListBox()->fontMetrics().horizontalAdvance("InchWg") + 10);
    Form.Fill(utAltitude, 7); // past the list: the last unit
    EXPECT_EQ(Form.ListBox()->currentRow(), 1);
}

TEST(UnitsForm, EnterEscOrAClickPickTheSelectionAndDismissingPicksNothing)
{
    const struct {
        const char* Name;
        int Key; // 0: a click on the third row; -1: hidden from outside
        int Expected;
    } Cases[] = {{"Enter", Qt::Key_Return, 2}, {"Esc", Qt::Key_Escape, 2},
                 {"Click", 0, 2},              {"Dismissed", -1, -1}};
    for (const auto& C : Cases) {
        TUnitsForm Form;
        Form.Fill(utAirFlowPrim, 1);
        QSignalSpy Closed(&Form, &TUnitsForm::Closed);
        Form.Popup(QPoint(20, 20));
        QTest::keyClick(Form.ListBox(), Qt::Key_Down);
        if (C.Key > 0) {
            QTest::keyClick(Form.ListBox(), static_cast<Qt::Key>(C.Key));
        } else if (C.Key == 0) {
            const QRect Row = Form.ListBox()->visualItemRect(Form.ListBox()->item(2));
            QTest::mouseClick(Form.ListBox()->viewport(), Qt::LeftButton, {}, Row.center());
        } else {
            Form.hide();
        }
        EXPECT_FALSE(Form.isVisible()) << C.Name;
        EXPECT_EQ(Form.PickedUnit(), C.Expected) << C.Name;
        ASSERT_EQ(Closed.count(), 1) << C.Name;
        EXPECT_EQ(Closed.first().first().toInt(), C.Expected) << C.Name;
    }
}

TEST(UnitsForm, DefaultServiceWaitsForThePick)
{
    QTimer::singleShot(0, [] {
        auto* Popup = QApplication::activePopupWidget();
        ASSERT_NE(Popup, nullptr);
        auto* List = Popup->findChild<QListWidget*>("ListBox1");
        QTest::keyClick(List, Qt::Key_Up);
        QTest::keyClick(List, Qt::Key_Return);
    });
    EXPECT_EQ(DefaultUiServices().PickUnits(nullptr, utTemperature, 1, QPoint(50, 50)), 0);
    EXPECT_EQ(DefaultUiServices().PickUnits(nullptr, utNone, 0, QPoint(50, 50)), -1);
}

TEST(UnitsForm, GridModeAsksTheServiceAtTheGridPoint)
{
    QWidget Grid;
    Grid.move(100, 200);
    Grid.show();
    TUiServices Script = DefaultUiServices();
    QPoint Asked;
    int Answer = 3, Calls = 0;
    Script.PickUnits = [&](QWidget*, TUnitsType Quantity, int Current, const QPoint& Pos) {
        ++Calls;
        EXPECT_EQ(Quantity, utAirPressDrop);
        EXPECT_EQ(Current, 1);
        Asked = Pos;
        return Answer;
    };
    TScopedUiServices Scope(Script);
    EXPECT_EQ(PickGridUnits(&Grid, utAirPressDrop, 1, QPoint(5, 7)), 3);
    EXPECT_EQ(Asked, Grid.mapToGlobal(QPoint(5, 7)));
    Answer = 8; // beyond the eight pressure units
    EXPECT_EQ(PickGridUnits(&Grid, utAirPressDrop, 1, QPoint(5, 7)), -1);
    EXPECT_EQ(PickGridUnits(&Grid, utNone, 0, QPoint(5, 7)), -1);
    EXPECT_EQ(Calls, 2);
}
