#include "ToolsTestSupport.h"

#include "controls/EntryGrid.h"
#include "tools/HumitrakBox.h"
#include "tools/HumitrakDlg.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

constexpr const char* Section = "HumitrakDlg";

void TypeInto(THumitrakBox& Box, int Line, const QString& Text)
{
    Box.Grid->SetCurrentCell(1, Line);
    Box.Grid->setFocus();
    TToolServices::Type(Text, Qt::Key_Return);
}

} // namespace

TEST(HumitrakDlg, PressureAndTemperatureTextsSetTheState)
{
    TMemorySettingsStore Settings;
    THumitrakDlg Dlg(Settings);
    EXPECT_EQ(Dlg.Caption, "Moist Air State");
    EXPECT_DOUBLE_EQ(Dlg.Pressure(), 101.325);
    EXPECT_EQ(Dlg.Temperature(), "25.0/17.0");
    EXPECT_EQ(Dlg.Point().ItemName, "Air");

    Dlg.SetTemperature("30/20");
    Dlg.SetPressure(84.556);
    EXPECT_DOUBLE_EQ(Dlg.Pressure(), 84.556);
    EXPECT_EQ(Dlg.GetTemperature(), "30.0/20.0");

    EXPECT_ANY_THROW(Dlg.SetTemperature("warm"));
    EXPECT_EQ(Dlg.GetTemperature(), "30.0/20.0");
    Dlg.SetPressure(101.325); // the kept text, not the refused one
    EXPECT_EQ(Dlg.GetTemperature(), "30.0/20.0");

    Dlg.SetTemperature("28"); // half saturated
    EXPECT_DOUBLE_EQ(Dlg.Point().State.db, 28.0);
    EXPECT_NEAR(Dlg.Point().State.rh, 0.5, 1e-6);
}

TEST(HumitrakDlg, StoredSettingsAreKeptSensible)
{
    const QSize Screen = QGuiApplication::primaryScreen()->geometry().size();
    const struct {
        int Left, ExpectedLeft;
        int PressureUnit, ExpectedPressureUnit;
    } Cases[] = {
        {-50, 0, 4, 4},   {-99, -99, 5, 0}, {-98, 0, -1, 0},
        {120, 120, 2, 2}, {Screen.width() - 50, Screen.width() - 200, 0, 0},
    };
    for (const auto& C : Cases) {
        TMemorySettingsStore Settings;
        Settings.WriteInteger(Section, "FormLeft", C.Left);
        Settings.WriteInteger(Section, "Row2", C.PressureUnit);
        Settings.WriteInteger(Section, "ColWidths1", -5);
        const THumitrakDlg Dlg(Settings);
        EXPECT_EQ(Dlg.FormLeft(), C.ExpectedLeft) << C.Left;
        EXPECT_EQ(Dlg.LineUnits[2], C.ExpectedPressureUnit) << C.PressureUnit;
        EXPECT_EQ(Dlg.LineUnits[6], 1); // not stored: the default g/kg
        EXPECT_EQ(Dlg.ColWidths[1], 70);
    }
}

TEST(HumitrakDlg, AnAnchorWithoutPositionTakesTheStoredOneOrThePointer)
{
    TToolServices Services; // the pointer rests at 300, 200
    const struct {
        int StoredX, StoredY;
        int ItemX, ItemY;
        int X, Y;
        int ExpectedX, ExpectedY;
    } Cases[] = {
        {120, 80, -99, -99, -99, -99, 120, 80},
        {-99, -99, -99, -99, -99, -99, 300, 200},
        {120, 80, 10, 20, -99, -99, 10, 20},
        {120, 80, 10, 20, 5, 6, 5, 6},
    };
    for (const auto& C : Cases) {
        TMemorySettingsStore Settings;
        THumitrakDlg Dlg(Settings);
        Dlg.SetFormLeft(C.StoredX);
        Dlg.SetFormTop(C.StoredY);
        TPsyPoint Item(Dlg.Point().State, "Node", 7, "");
        Item.X = C.ItemX;
        Item.Y = C.ItemY;
        Dlg.SetAnchor(&Item, C.X, C.Y);
        EXPECT_EQ(Dlg.AnchoredItem(), &Item);
        EXPECT_EQ(Item.X, C.ExpectedX);
        EXPECT_EQ(Item.Y, C.ExpectedY);
    }
}

TEST(HumitrakDlg, AModalBoxGivesItsResultAndHandsItsSettingsBack)
{
    TToolServices Services;
    TMemorySettingsStore Settings;
    Settings.WriteInteger(Section, "FormLeft", -50);
    Settings.WriteInteger(Section, "FormTop", 40);
    {
        THumitrakDlg Dlg(Settings);
        QPoint Opened;
        QPointer<QDialog> Shown;
        Services.OnModal = [&](QDialog& D) {
            auto& Box = static_cast<THumitrakBox&>(D);
            Shown = &Box;
            Opened = Box.pos();
            EXPECT_TRUE(Box.ButtonCancel->isVisibleTo(&Box));
            Box.Grid->SetUnitsValue(THumitrakBox::lnRelHumidity, 0); // fraction
            Box.AcceptAction->trigger();
            return Box.ModalResult();
        };
        EXPECT_EQ(Dlg.Execute(), mrOk);
        EXPECT_EQ(Opened, QPoint(0, 40));
        EXPECT_TRUE(Shown.isNull()); // freed
        EXPECT_EQ(Dlg.LineUnits[THumitrakBox::lnRelHumidity], 0);

        Services.OnModal = [&](QDialog& D) {
            auto& Box = static_cast<THumitrakBox&>(D);
            TypeInto(Box, THumitrakBox::lnWetBulb, "30");
            Box.AcceptAction->trigger();
            return Box.ModalResult();
        };
        EXPECT_EQ(Dlg.Execute(), mrCancel);
        EXPECT_EQ(Services.Messages, QStringList{"Wet Bulb > Dry Bulb °C..."});
        EXPECT_EQ(Dlg.Temperature(), "25.0/17.0");
    }
    EXPECT_EQ(Settings.ReadInteger(Section, "Row7", -1), 0);
    EXPECT_EQ(Settings.ReadInteger(Section, "FormLeft", -1), 0);
    EXPECT_EQ(Settings.ReadInteger(Section, "FormTop", -1), 40);
}
