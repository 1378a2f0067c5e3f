#include "ToolsTestSupport.h"

#include "airstate/PsyStateFile.h"
#include "controls/EntryGrid.h"
#include "tools/HumitrakBox.h"
#include "tools/HumitrakDlg.h"

#include <QClipboard>
#include <QPointer>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cmath>
#include <vector>

namespace {

using L = THumitrakBox::TLine;

// The state dialog at 101.325 kPa and 25/17 °C with its box open
// (modeless) and active.
struct HumitrakBox : testing::Test {
    TToolServices Services;
    TMemorySettingsStore Settings;
    THumitrakDlg Dlg{Settings};
    THumitrakBox* Box = nullptr;
    int Edited = 0;
    QWidget Elsewhere;

    HumitrakBox()
    {
        Dlg.Modal = false;
        Dlg.OnEditAirconItem = [this](TAirconItem&) { ++Edited; };
        Dlg.Execute();
        Box = static_cast<THumitrakBox*>(Dlg.OpenBox());
        TToolServices::Activate(*Box);
    }
    ~HumitrakBox() override { delete Dlg.OpenBox(); }

    // Types Text into the value of Line, as a user does, and presses Enter.
    void Enter(int Line, const QString& Text)
    {
        Box->Grid->SetCurrentCell(1, Line);
        Box->Grid->setFocus();
        TToolServices::Type(Text, Qt::Key_Return);
    }
    QString Cell(int Line) const { return Box->Grid->Cell(1, Line); }
    std::vector<int> PairLines() const
    {
        std::vector<int> Lines;
        for (int Line = L::lnPressure; Line <= L::lnSpecificHeat; ++Line)
            if (Box->IsKnownPairLine(Line))
                Lines.push_back(Line);
        return Lines;
    }
    // Another window of the program becomes the active one.
    void Leave()
    {
        TToolServices::Show(Elsewhere);
    }
};

} // namespace

TEST_F(HumitrakBox, OpensOnTheDialogsStateWithDryAndWetBulbAsThePair)
{
    EXPECT_EQ(Box->windowTitle(), "Moist Air State");
    EXPECT_EQ(Cell(L::lnName), "Air");
    EXPECT_EQ(Cell(L::lnPressure), "101.325");
    EXPECT_EQ(Cell(L::lnDryBulb), "25.0");
    EXPECT_EQ(Cell(L::lnWetBulb), "17.0");
    EXPECT_EQ(Box->Grid->Cell(2, L::lnAbsHumidity), "g/kg");
    EXPECT_EQ(Box->Grid->Cell(2, L::lnRelHumidity), "%");
    EXPECT_EQ(Box->Status(), "Ready...");
    EXPECT_EQ(PairLines(), (std::vector<int>{L::lnDryBulb, L::lnWetBulb}));
    EXPECT_FALSE(Box->GetLineEnabled(L::lnSpecificHeat));
    EXPECT_FALSE(Box->ButtonCancel->isVisibleTo(Box)); // modeless
}

TEST_F(HumitrakBox, TheLastTwoTypedPropertiesFixTheState)
{
    Enter(L::lnWetBulb, "20");
    EXPECT_EQ(Box->Combin().Mode(), 0);
    Enter(L::lnRelHumidity, "50");
    EXPECT_EQ(Box->Combin().Mode(), 10);
    EXPECT_EQ(Cell(L::lnDryBulb), "27.6");

    Enter(L::lnDryBulb, "25");
    EXPECT_EQ(Box->Combin().Mode(), 3);
    EXPECT_EQ(Cell(L::lnWetBulb), "17.9");
    EXPECT_EQ(Cell(L::lnDewPoint), "13.9");
    EXPECT_EQ(PairLines(), (std::vector<int>{L::lnDryBulb, L::lnRelHumidity}));
    EXPECT_EQ(Edited, 3);

    // A new pressure keeps the pair: same dry bulb and humidity, new wet bulb.
    Enter(L::lnPressure, "84.556");
    EXPECT_EQ(Box->Combin().Mode(), 3);
    EXPECT_DOUBLE_EQ(Dlg.Pressure(), 84.556);
    EXPECT_EQ(Cell(L::lnDryBulb), "25.0");
    EXPECT_EQ(Cell(L::lnRelHumidity), "50.0");
    EXPECT_NE(Cell(L::lnWetBulb), "17.9");
    EXPECT_EQ(Box->Status(), "Ready...");
    EXPECT_TRUE(Services.Messages.isEmpty());
}

TEST_F(HumitrakBox, ABadStateIsReportedRefusedAndUndoneOnLeaving)
{
    Enter(L::lnWetBulb, "20");
    Enter(L::lnRelHumidity, "50");
    Enter(L::lnDryBulb, "25"); // 25 °C and 50 %
    Enter(L::lnWetBulb, "30");
    EXPECT_EQ(Services.Messages, QStringList{"Wet Bulb > Dry Bulb °C..."});
    EXPECT_EQ(Box->Status(), "Wet Bulb > Dry Bulb °C...");
    EXPECT_EQ(Cell(L::lnWetBulb), "30.0"); // the grid stays as typed

    Box->SaveFile();
    EXPECT_EQ(Box->Status(), "Can\"t save invalid data...");
    EXPECT_EQ(Services.FileDialogs, 0);

    const int EditedBefore = Edited;
    Leave();
    EXPECT_EQ(Box->Status(), "Ready...");
    EXPECT_EQ(Cell(L::lnDryBulb), "25.0");
    EXPECT_EQ(Cell(L::lnRelHumidity), "50.0");
    EXPECT_NEAR(Dlg.Point().State.wb, 17.9, 0.05);
    EXPECT_EQ(Edited, EditedBefore + 1);
}

TEST_F(HumitrakBox, DryAndWetBulbTravelAsText)
{
    Box->CopyDbWb();
    EXPECT_EQ(QApplication::clipboard()->text(), "25.000/17.000");

    Enter(L::lnRelHumidity, "40"); // the pair is now {f, t}
    QApplication::clipboard()->setText("30/20");
    Box->PasteDbWb();
    EXPECT_EQ(Cell(L::lnDryBulb), "30.0");
    EXPECT_EQ(Cell(L::lnWetBulb), "20.0");
    EXPECT_EQ(Box->Combin().Code().substr(0, 2), "bt");
    EXPECT_EQ(Box->Combin().Mode(), 0);

    QApplication::clipboard()->setText("warm");
    Box->PasteAction->trigger();
    EXPECT_EQ(Services.Messages.size(), 1);
    EXPECT_EQ(Cell(L::lnDryBulb), "30.0");
}

TEST_F(HumitrakBox, LoadedStatesAreCheckedLikeTypedOnes)
{
    QTemporaryDir Dir;
    PsyState Bad = Dlg.Point().State;
    Bad.db = 120; // computed elsewhere, but no state for this box
    const QString BadFile = Dir.filePath("bad.psx");
    SavePsyStateFile(BadFile.toStdString(), Bad);
    Services.ChosenFile = BadFile;
    Box->OpenAction->trigger();
    EXPECT_EQ(Box->Status(), "Dry bulb too high...");
    EXPECT_DOUBLE_EQ(Dlg.Point().State.db, 120);
    Box->SaveFile();
    EXPECT_EQ(Services.FileDialogs, 1); // the open dialog only

    const QString ShortFile = Dir.filePath("short.psx");
    QFile(ShortFile).open(QIODevice::WriteOnly);
    Box->LoadFromFile(ShortFile);
    EXPECT_EQ(Services.Messages, QStringList{"Error reading file " + ShortFile});

    Leave(); // back to the state the box had before the bad file
    EXPECT_DOUBLE_EQ(Dlg.Point().State.db, 25);
}

TEST_F(HumitrakBox, FileDialogsOpenInTheDataFolderOnStateFiles)
{
    QTemporaryDir Dir;
    const QString File = Dir.filePath("kept.psx");
    const struct {
        QAction* Action;
        const char* Title;
        QString Proposed;
    } Cases[] = {
        {Box->SaveAction, "Save As", ""},
        {Box->OpenAction, "Open", ""},
        {Box->SaveAction, "Save As", "kept.psx"}, // the file last opened
    };
    Services.ChosenFile = File;
    for (const auto& C : Cases) {
        C.Action->trigger();
        const TFileDialogRequest& R = Services.FileRequest;
        EXPECT_EQ(R.Parent, Box) << C.Title;
        EXPECT_EQ(R.Title, C.Title);
        EXPECT_EQ(R.Folder, Box->DataFolder) << C.Title;
        EXPECT_EQ(R.FileName, C.Proposed) << C.Title;
        EXPECT_EQ(R.Filter, "Moist Air State (*.psx)") << C.Title;
        EXPECT_EQ(R.DefaultSuffix, "psx") << C.Title;
    }
    EXPECT_EQ(Services.FileDialogs, 3);
}

TEST_F(HumitrakBox, XmlCopyHoldsEveryPropertyWhateverTheName)
{
    Enter(L::lnName, "A&B <\"1\">");
    EXPECT_EQ(Dlg.Point().ItemName, "A&B <\"1\">");
    Box->CopyToXml();
    const std::string Text = QApplication::clipboard()->text().toStdString();
    pugi::xml_document Doc;
    ASSERT_TRUE(Doc.load_string(Text.c_str())) << Text;
    const pugi::xml_node Properties = Doc.child("humitrak").child("properties");
    EXPECT_STREQ(Properties.attribute("name").value(), "A&B <\"1\">");
    std::vector<std::string> Codes;
    for (pugi::xml_node Item : Properties.children("item"))
        Codes.push_back(Item.attribute("code").value());
    EXPECT_EQ(Codes, (std::vector<std::string>{"pa", "db", "wb", "ha", "wa", "rh", "td", "pv", "ps", "ro", "cp"}));
    const pugi::xml_node Rh = Properties.find_child_by_attribute("item", "code", "rh");
    EXPECT_STREQ(Rh.attribute("caption").value(), "Rel Humidity");
    EXPECT_STREQ(Rh.attribute("units").value(), "%");
    EXPECT_STREQ(Rh.text().get(), Cell(L::lnRelHumidity).toStdString().c_str());
}

TEST_F(HumitrakBox, HelpOpensTheShippedPage)
{
    Box->HelpFolder = "/opt/Brellamonte/Common Files";
    Box->HelpAction->trigger();
    EXPECT_EQ(Services.Opened, QStringList{"/opt/Brellamonte/Common Files/humitrakdlg.htm"});
}

TEST_F(HumitrakBox, ItsOwnMessageBoxIsNoLeavingOfTheBox)
{
    // The message box takes the activation from the box, and gives it back.
    QWidget MessageWindow;
    TUiServices S = UiServices();
    S.MessageBox = [this, &MessageWindow](QWidget*, const QString&, const QString& Text, TMsgKind, int) {
        Services.Messages << Text;
        TToolServices::Show(MessageWindow);
        EXPECT_EQ(Box->Status(), Text); // nothing undone behind the message
        return int(mrOk);
    };
    TScopedUiServices Scope(S);
    Enter(L::lnWetBulb, "30");
    MessageWindow.hide();
    TToolServices::Activate(*Box);
    EXPECT_EQ(Box->Status(), "Wet Bulb > Dry Bulb °C...");
    EXPECT_EQ(Cell(L::lnWetBulb), "30.0");

    Leave(); // now the box is left: back to the last good state
    EXPECT_EQ(Cell(L::lnWetBulb), "17.0");
    EXPECT_EQ(Box->Status(), "Ready...");
}

TEST_F(HumitrakBox, AModelessBoxFreesItselfAndTheNextOneTakesItsSize)
{
    QPointer<THumitrakBox> Shown = Box;
    Box->resize(300, 330);
    Box->Grid->SetColWidth(0, 110);
    Box->AcceptAction->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(Shown.isNull());
    EXPECT_EQ(Dlg.Point().Box, nullptr);

    Dlg.Execute();
    Box = static_cast<THumitrakBox*>(Dlg.OpenBox());
    EXPECT_EQ(Box->size(), QSize(300, 330));
    EXPECT_EQ(Box->Grid->ColWidth(0), 110);
}
