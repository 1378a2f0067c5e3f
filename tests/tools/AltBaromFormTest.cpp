#include "LocationsTestData.h"
#include "ToolsTestSupport.h"

#include "controls/FmtEdit.h"
#include "locations/LocationRecord.h"
#include "tools/AltBaromForm.h"
#include "tools/SelectLocationForm.h"

#include <QListWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct Barometer : testing::Test {
    TToolServices Services;
    TMemorySettingsStore Settings;
    QTemporaryDir Data;
    std::unique_ptr<TSelectLocationForm> Picker;
    std::unique_ptr<TAltBaromForm> Form;

    Barometer()
    {
        TestLocations::Write(Data.path());
        Form = std::make_unique<TAltBaromForm>(Settings, Picker, Data.path() + "/");
        TToolServices::Show(*Form);
    }

    // Types Text into Edit and moves on with Enter.
    void Type(TFmtEdit* Edit, const QString& Text)
    {
        Edit->setFocus();
        Edit->selectAll();
        QTest::keyClicks(Edit, Text);
        QTest::keyClick(Edit, Qt::Key_Return);
    }
    // The picker answers OK with the place named Name of the list it opens with.
    void PickPlace(const QString& Name)
    {
        Services.OnModal = [Name](QDialog& D) {
            auto& Locations = static_cast<TSelectLocationForm&>(D);
            const auto Found = Locations.PlaceList->findItems(Name, Qt::MatchExactly);
            if (!Found.isEmpty())
                Locations.SelectPlace(Locations.PlaceList->row(Found.first()));
            Locations.CloseWith(mrOk);
            return Locations.ModalResult();
        };
        Form->SpeedButton1->click();
    }
};

} // namespace

TEST_F(Barometer, PressureAndAltitudeFollowEachOther)
{
    EXPECT_EQ(Form->windowTitle(), "Barometer");
    EXPECT_EQ(Form->Status(), "Ready...");
    Form->SetPressure(84.556);
    EXPECT_EQ(Form->edAlt->text(), "1500.0");

    Form->SetPressure(101.325);
    Type(Form->edAlt, "1500");
    EXPECT_EQ(Form->edPa->text(), "84.556");
    EXPECT_EQ(Form->Status(), "Altitude modified by user");

    Type(Form->edPa, "84.556"); // typed again as it was: no change
    EXPECT_EQ(Form->Status(), "Altitude modified by user");
    EXPECT_DOUBLE_EQ(Form->Altitude(), 1500.0);

    Type(Form->edPa, "101.325");
    EXPECT_EQ(Form->Status(), "Pressure modified by user");
    EXPECT_EQ(Form->edAlt->text(), "0.0");

    // The highest places (La Paz, 4,061 m) can be typed by altitude and by
    // pressure.
    Type(Form->edAlt, "4061");
    const QString Pressure = Form->edPa->text();
    Type(Form->edAlt, "0");
    Type(Form->edPa, Pressure);
    EXPECT_NEAR(Form->Altitude(), 4061.0, 0.1);
    EXPECT_TRUE(Services.Messages.isEmpty()) << Services.Messages.join("|").toStdString();
}

TEST_F(Barometer, TakesEveryPlaceAndPressuresUpTo120kPa)
{
    // Each place's altitude, and the pressure the form shows for it, can be
    // typed back.
    for (const double Place : {LowestPlaceAltitude, HighestPlaceAltitude}) {
        SCOPED_TRACE(Place);
        Type(Form->edAlt, QString::number(Place));
        EXPECT_DOUBLE_EQ(Form->Altitude(), Place);
        const QString Pressure = Form->edPa->text();
        Type(Form->edAlt, "0");
        Type(Form->edPa, Pressure);
        EXPECT_NEAR(Form->Altitude(), Place, 0.1);
    }
    EXPECT_TRUE(Services.Messages.isEmpty()) << Services.Messages.join("|").toStdString();

    // The pressure range's ends, 50 and 120 kPa, give the altitudes that go
    // with them; a pressure beyond them is refused with a beep and the edit
    // shows the end instead.
    const struct {
        const char* Typed;
        const char* Shown;
        const char* Altitude; // after the entry
        int Beeps;
    } Cases[] = {{"120", "120.000", "-1450.0", 0},
                 {"50", "50.000", "5574.4", 0},
                 {"125", "120.000", "0.0", 1},
                 {"45", "50.000", "0.0", 1}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Typed);
        Type(Form->edPa, "101.325");
        Services.Beeps = 0;
        Type(Form->edPa, C.Typed);
        EXPECT_EQ(Form->edPa->text(), C.Shown);
        EXPECT_EQ(Form->edAlt->text(), C.Altitude);
        EXPECT_EQ(Services.Beeps, C.Beeps);
    }
    EXPECT_TRUE(Services.Messages.isEmpty()) << Services.Messages.join("|").toStdString();
}

TEST_F(Barometer, APlaceGivesItsAltitudeAndDesignTemperatures)
{
    PickPlace("Peak");
    EXPECT_EQ(Services.Messages, QStringList{"Location altitude out of range"});
    EXPECT_EQ(Form->Status(), "Ready...");
    EXPECT_FALSE(Form->FromLocation());

    PickPlace("Highville");
    EXPECT_EQ(Form->edPa->text(), "84.556");
    EXPECT_EQ(Form->Status(), "Highville: 32.0/18.0 °C");
    EXPECT_TRUE(Form->FromLocation());
    EXPECT_TRUE(Form->LocationPicked());
    EXPECT_EQ(Form->LastLocation(), "Highville, North");
    EXPECT_FLOAT_EQ(Form->DesignWetBulb(), 18.0f);

    EXPECT_TRUE(Form->AcceptForm());
    EXPECT_EQ(Form->ModalResult(), mrOk);
    EXPECT_NEAR(Form->Pressure(), 84.556, 5e-4);
    EXPECT_EQ(Settings.ReadString("Barometer", "LastLocation", ""), "Highville, North");
    EXPECT_NEAR(Settings.ReadFloat("Barometer", "Pressure", 0), 84.556, 5e-4);
}

TEST_F(Barometer, TheNextBarometerStartsWhereTheLastOneEnded)
{
    PickPlace("Highville");
    Form->edPa->SetUnitsValue(1); // psi
    Form->CloseWith(mrCancel);
    TSelectLocationForm* Kept = Picker.get();
    Form = std::make_unique<TAltBaromForm>(Settings, Picker, Data.path() + "/");
    EXPECT_EQ(Form->edPa->UnitsValue(), 1);
    EXPECT_EQ(Form->edAlt->text(), "1500.0");
    // The picker lives on, and opens at the last place.
    Services.OnModal = [](QDialog& D) {
        auto& Locations = static_cast<TSelectLocationForm&>(D);
        EXPECT_EQ(Locations.PlaceList->currentItem()->text(), "Highville");
        return int(mrCancel);
    };
    TToolServices::Show(*Form);
    Form->SpeedButton1->click();
    EXPECT_EQ(Picker.get(), Kept);
}
