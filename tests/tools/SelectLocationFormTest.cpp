#include "LocationsTestData.h"
#include "ToolsTestSupport.h"

#include "controls/StringGrid.h"
#include "tools/PanelStatusBar.h"
#include "tools/SelectLocationForm.h"

#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList Texts(const QListWidget* List)
{
    QStringList Items;
    for (int I = 0; I < List->count(); ++I)
        Items << List->item(I)->text();
    return Items;
}

// The picker window on the test database, shown and active.
struct LocationWindow : testing::Test {
    TToolServices Services;
    TMemorySettingsStore Settings;
    QTemporaryDir Data;
    std::unique_ptr<TSelectLocationForm> Form;

    LocationWindow()
    {
        TestLocations::Write(Data.path());
        Settings.WriteString("SelectLocationForm", "Database", "Testland");
        Form = std::make_unique<TSelectLocationForm>(Settings, Data.path());
        Form->SetLocationText("Lowtown, South");
        TToolServices::Show(*Form);
    }
    void Click(QListWidget* List, const QString& Text)
    {
        QListWidgetItem* Item = List->findItems(Text, Qt::MatchExactly).value(0);
        ASSERT_NE(Item, nullptr) << Text.toStdString();
        QTest::mouseClick(List->viewport(), Qt::LeftButton, {}, List->visualItemRect(Item).center());
    }
};

} // namespace

TEST_F(LocationWindow, ShowsTheChosenPlaceWithItsDetails)
{
    EXPECT_EQ(Form->windowTitle(), "Select Location");
    EXPECT_EQ(Texts(Form->DatabaseList), (QStringList{"+All", "Testland", "Farland", "Missing"}));
    EXPECT_EQ(Form->DatabaseList->currentItem()->text(), "Testland");
    EXPECT_EQ(Form->RegionList->currentItem()->text(), "South");
    EXPECT_EQ(Texts(Form->PlaceList), (QStringList{"Lowtown", "Peak"}));
    EXPECT_EQ(Form->PlaceList->currentItem()->text(), "Lowtown");
    EXPECT_EQ(Form->DetailGrid->Cell(0, 0), "Latitude");
    EXPECT_EQ(Form->DetailGrid->Cell(1, 0), "33.93S");
    EXPECT_EQ(Form->DetailGrid->Cell(1, 4), "30.5/24.1 °C");
    EXPECT_EQ(Form->StatusBar->PanelText(0), "Record 2 of 3");
    EXPECT_EQ(Form->StatusBar->PanelText(1), "Lowtown, South");

    Click(Form->RegionList, "All regions");
    EXPECT_EQ(Texts(Form->PlaceList), (QStringList{"Highville", "Lowtown", "Peak"}));
    Click(Form->PlaceList, "Highville");
    EXPECT_EQ(Form->DetailGrid->Cell(1, 3), "1500 m");
    EXPECT_EQ(Form->LocationText(), "Highville, All regions");
}

TEST_F(LocationWindow, ADatabaseNotInstalledIsReportedAndTheListsStay)
{
    Click(Form->DatabaseList, "Missing");
    ASSERT_EQ(Services.Messages.size(), 1);
    EXPECT_TRUE(Services.Messages.first().contains("\"Missing\" has not been installed"));
    EXPECT_EQ(Form->DatabaseList->currentItem()->text(), "Testland");
    EXPECT_EQ(Texts(Form->PlaceList), (QStringList{"Lowtown", "Peak"}));

    Click(Form->DatabaseList, "+All");
    EXPECT_EQ(Texts(Form->RegionList), (QStringList{"Testland", "Farland"}));
    EXPECT_EQ(Form->LocationText(), "Lowtown, South"); // the region found by its codes
}

TEST_F(LocationWindow, ADoubleClickedPlaceIsTakenAndTheChoiceKept)
{
    QListWidgetItem* Peak = Form->PlaceList->findItems("Peak", Qt::MatchExactly).value(0);
    ASSERT_NE(Peak, nullptr);
    const QPoint At = Form->PlaceList->visualItemRect(Peak).center();
    QTest::mouseClick(Form->PlaceList->viewport(), Qt::LeftButton, {}, At);
    QTest::mouseDClick(Form->PlaceList->viewport(), Qt::LeftButton, {}, At);
    EXPECT_EQ(Form->ModalResult(), mrOk);
    EXPECT_FALSE(Form->isVisible());
    EXPECT_FLOAT_EQ(Form->Record().Altitude, 12000);
    EXPECT_EQ(Settings.ReadString("SelectLocationForm", "Place", ""), "Peak");
    EXPECT_EQ(Settings.ReadString("SelectLocationForm", "Region", ""), "South");
}

TEST_F(LocationWindow, TheRecordPanelShowsTheLargestCountWhole)
{
    TestLocations::WriteRecords(Data.path() + "/Testland.wdb",
                                std::vector<TLocationRecord>(6443, TestLocations::Testland[1]));
    Click(Form->DatabaseList, "Testland");
    Form->SelectPlace(Form->PlaceList->count() - 1);
    for (const QLabel* Panel : Form->StatusBar->findChildren<QLabel*>()) {
        if (Panel->text() == "Record 6443 of 6443") {
            EXPECT_GE(Panel->contentsRect().width(), Panel->fontMetrics().horizontalAdvance(Panel->text()));
        }
    }
    EXPECT_EQ(Form->StatusBar->PanelText(0), "Record 6443 of 6443");
}
