#include "AppTestSupport.h"

#include "app/SettingsForm.h"
#include "controls/CmbEdit.h"
#include "controls/FmtEdit.h"
#include "controls/FmtEditLabel.h"
#include "foundation/SettingsStore.h"
#include "network/Settings.h"

#include <QAbstractButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct TSettingsDialog {
    TScriptedServices Services;
    TMemorySettingsStore Store;
    TSettings Settings;
    std::unique_ptr<TSettingsForm> Form;

    // Units or defaults a test wants in the store go there before Create.
    void Create() { Form = std::make_unique<TSettingsForm>(Store, Settings); }
    void Open()
    {
        if (!Form)
            Create();
        TScriptedServices::Show(*Form);
    }

    TxCustomEdit* Field(const char* Name)
    {
        if (auto* Combined = Form->findChild<TCmbEdit*>(Name))
            return Combined->Edit();
        auto* Edit = Form->findChild<TFmtEdit*>(Name);
        EXPECT_NE(Edit, nullptr) << Name;
        return Edit;
    }
    QString Text(const char* Name) { return Field(Name)->text(); }
    QAbstractButton* Button(const char* Name)
    {
        auto* B = Form->findChild<QAbstractButton*>(Name);
        EXPECT_NE(B, nullptr) << Name;
        return B;
    }
    // Brings the page of W to the front, as a user would before typing.
    void ShowPageOf(QWidget* W)
    {
        auto* Pages = Form->findChild<QTabWidget*>("PageControl");
        for (int I = 0; I < Pages->count(); ++I)
            if (Pages->widget(I)->isAncestorOf(W))
                Pages->setCurrentIndex(I);
    }
    void Type(const char* Name, const QString& Text)
    {
        ShowPageOf(Field(Name));
        TypeInto(Field(Name), Text);
    }
    void Click(const char* Name)
    {
        ShowPageOf(Button(Name));
        QTest::mouseClick(Button(Name), Qt::LeftButton);
    }
};

} // namespace

TEST(SettingsForm, NewNetworkWithoutSavedDefaultsGetsExactlyTheFactorySettings)
{
    TSettingsDialog D;
    // Units other than the first ones must not round what is applied.
    D.Store.WriteInteger("Settings", "VelMainUnits", 1);
    D.Store.WriteInteger("Settings", "RoughnessUnits", 2);
    D.Store.WriteInteger("Settings", "DefFlowUnits", 4);
    D.Create();
    D.Settings.designpressrate = 4.0;
    D.Settings.usedampers = false;
    D.Form->ResetToDefaults();
    EXPECT_EQ(D.Settings, TSettings());
    EXPECT_EQ(D.Services.Beeps, 0);
}

TEST(SettingsForm, FieldsShowTheSettingsInTheirUnitsAndCloseKeepsThemExactly)
{
    TSettingsDialog D;
    D.Store.WriteInteger("Settings", "PressureRateUnits", 2); // iwg/100'
    D.Store.WriteInteger("Settings", "VelMainUnits", 1);      // fpm
    D.Store.WriteInteger("Settings", "RoughnessUnits", 1);    // um
    D.Settings.statregainfactor = 0.85;
    const TSettings Before = D.Settings;
    D.Open();
    const struct {
        const char* Field;
        const char* Shown;
    } Cases[] = {
        {"EdPressureRate", "0.1224"}, {"EdVelMain", "984.3"},    {"EdDuctRectStep", "25.0"},
        {"EdRoughness", "150.0"},     {"EdCanopyFlow", "1.000"}, {"EdStatRegFactor", "0.8"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(D.Text(C.Field), C.Shown) << C.Field;
    EXPECT_EQ(D.Field("EdDuctRectStep")->UnitsLabel()->text(), "mm");

    // One label sets the units of the six default flows.
    D.Services.PickedUnit = 3; // l/s
    D.Form->findChild<TFmtEditLabel*>("DefFlowUnitsLabel")->EditUnits();
    EXPECT_EQ(D.Text("EdDiffuserFlow"), "300");
    EXPECT_EQ(D.Text("EdCanopyFlow"), "1000");

    D.Click("CloseBtn");
    EXPECT_FALSE(D.Form->isVisible());
    EXPECT_EQ(D.Form->result(), mrOk);
    EXPECT_EQ(D.Settings, Before);
    EXPECT_EQ(D.Store.ReadInteger("Settings", "DefFlowUnits", -1), 3);
    EXPECT_EQ(D.Store.ReadInteger("Settings", "VelMainUnits", -1), 1);
}

TEST(SettingsForm, SavedFieldsLoadBackWhileTheSettingsChangeOnlyOnClose)
{
    TSettingsDialog D;
    D.Open();
    D.Type("EdPressureRate", "1.5");
    D.Type("EdVelMain", "6");
    D.Click("CBResetVels");
    D.Click("RBIdealVel");
    D.Click("SaveDefaultBtn");
    EXPECT_EQ(D.Store.ReadFloat("Settings", "PressureRate", 0), 1.5);
    EXPECT_EQ(D.Store.ReadFloat("Settings", "VelMain", 0), 6.0);
    EXPECT_FALSE(D.Store.ReadBool("Settings", "ResetVelocities", true));
    EXPECT_TRUE(D.Store.ReadBool("Settings", "IdealVelocity", false));
    EXPECT_EQ(D.Settings, TSettings());

    D.Type("EdPressureRate", "2.5");
    D.Click("CBResetVels");
    D.Click("RBUserVel");
    D.Click("LoadDefaultBtn");
    EXPECT_EQ(D.Text("EdPressureRate"), "1.50");
    EXPECT_EQ(D.Text("EdVelMain"), "6.00");
    EXPECT_FALSE(D.Button("CBResetVels")->isChecked());
    EXPECT_TRUE(D.Button("RBIdealVel")->isChecked());
    EXPECT_EQ(D.Settings, TSettings());

    D.Click("CloseBtn");
    TSettings Expected;
    Expected.designpressrate = 1.5;
    Expected.uservelmain = 6.0;
    Expected.resetvels = false;
    Expected.useuservel = false;
    EXPECT_EQ(D.Settings, Expected);
}

TEST(SettingsForm, ResetSetsFactorySettingsAtOnceAndLeavesStoredDefaults)
{
    TSettingsDialog D;
    TSettings Saved;
    Saved.designpressrate = 3.0;
    Saved.ductrectstep = 0.05;
    Saved.SaveDefaults(D.Store);
    D.Store.WriteInteger("Settings", "VelMainUnits", 1);
    D.Store.WriteInteger("Settings", "DuctRectStepUnits", 0);
    std::map<std::string, std::string> Stored;
    for (const std::string& Key : D.Store.ReadSectionIdents("Settings"))
        Stored[Key] = D.Store.ReadString("Settings", Key, "");
    D.Settings = Saved;
    D.Open();
    D.Form->resize(600, 500);
    D.Type("EdVelOutlet", "4");
    D.Click("ResetBtn");

    EXPECT_EQ(D.Text("EdPressureRate"), "1.00");
    EXPECT_EQ(D.Text("EdVelOutlet"), "3.00");
    EXPECT_EQ(D.Text("EdVelMain"), "5.00");
    EXPECT_EQ(D.Field("EdVelMain")->UnitsLabel()->text(), "m/s");
    EXPECT_EQ(D.Text("EdDuctRectStep"), "25.0");
    EXPECT_EQ(D.Field("EdDuctRectStep")->UnitsLabel()->text(), "mm");
    EXPECT_EQ(D.Form->size(), D.Form->minimumSize());
    EXPECT_GE(D.Form->width(), TSettingsForm::MinWidth);
    EXPECT_EQ(D.Form->height(), TSettingsForm::MinHeight);
    EXPECT_EQ(D.Settings, TSettings()) << "the factory settings at once, before Close";
    for (const auto& [Key, Value] : Stored)
        EXPECT_EQ(D.Store.ReadString("Settings", Key, ""), Value) << Key;

    D.Click("CloseBtn");
    EXPECT_EQ(D.Settings, TSettings());
    // A new network: the factory settings overlaid by the saved defaults.
    D.Settings.uservelmain = 9.0;
    D.Form->ResetToDefaults();
    EXPECT_EQ(D.Settings.designpressrate, 3.0);
    EXPECT_EQ(D.Settings.ductrectstep, 0.05);
    EXPECT_EQ(D.Settings.uservelmain, 5.0);
}

TEST(SettingsForm, RefusedEntriesKeepTheSettingAndShowItAgainWithABeep)
{
    const struct {
        const char* Field;
        const char* Typed;
        const char* Shown;
        double (*Value)(const TSettings&);
        double Applied;
        bool Refused;
    } Cases[] = {
        {"EdPressureRate", "0", "1.00", [](const TSettings& S) { return S.designpressrate; }, 1.0,
         true},
        {"EdVelMain", "-2", "5.00", [](const TSettings& S) { return S.uservelmain; }, 5.0, true},
        {"EdRoughness", "-0.1", "0.1500", [](const TSettings& S) { return S.roughness; }, 0.00015,
         true},
        {"EdCanopyFlow", "-1", "1.000", [](const TSettings& S) { return S.definletq[1]; }, 1.0,
         true},
        // A lowest velocity of zero is sound, so is a C value of zero.
        {"EdStatRegMinVelDuct", "0", "0.00",
         [](const TSettings& S) { return S.statregainminvelduct; }, 0.0, false},
        {"EdInletC", "0", "0.0", [](const TSettings& S) { return S.definletc[2]; }, 0.0, false},
    };
    for (const auto& C : Cases) {
        TSettingsDialog D;
        D.Open();
        D.Type("EdVelOutlet", "2.5");
        D.Type(C.Field, C.Typed);
        D.Click("CloseBtn");
        EXPECT_EQ(D.Text(C.Field), C.Shown) << C.Field;
        EXPECT_EQ(C.Value(D.Settings), C.Applied) << C.Field;
        EXPECT_EQ(D.Services.Beeps, C.Refused ? 1 : 0) << C.Field;
        EXPECT_EQ(D.Form->isVisible(), C.Refused) << C.Field;
        EXPECT_EQ(D.Settings.userveloutlet, 2.5) << C.Field; // the sound entry is applied
    }
}

TEST(SettingsForm, TerminalResetButtonsApplyTheFieldsThenRaiseTheirKind)
{
    TSettingsDialog D;
    D.Open();
    std::vector<std::string> Raised;
    double DiffuserFlowAtEvent = 0;
    auto Log = [&](const char* Event) {
        return [&, Event](int Kind) {
            Raised.push_back(std::string(Event) + " " + std::to_string(Kind));
            DiffuserFlowAtEvent = D.Settings.defoutletq[0];
        };
    };
    D.Form->OnResetOutletFlows = Log("outlet flows");
    D.Form->OnResetOutletC = Log("outlet C");
    D.Form->OnResetInletFlows = Log("inlet flows");
    D.Form->OnResetInletC = Log("inlet C");

    D.Type("EdDiffuserFlow", "0.5");
    D.Click("RDiffuserFlowBtn");
    ASSERT_EQ(Raised, std::vector<std::string>{"outlet flows 0"});
    EXPECT_EQ(DiffuserFlowAtEvent, 0.5);
    EXPECT_EQ(D.Text("EdDiffuserFlow"), "0.500");

    const struct {
        const char* Button;
        const char* Raised;
        const char* Hint; // null: not checked
    } Cases[] = {
        {"RDiffuserFlowBtn", "outlet flows 0", "Reset diffuser design flows"},
        {"RDiffuserCBtn", "outlet C 0", nullptr},
        {"ROutGrilleFlowBtn", "outlet flows 1", nullptr},
        {"ROutGrilleCBtn", "outlet C 1", nullptr},
        {"ROutletFlowBtn", "outlet flows 2", "Reset all plain outlet design flows"},
        {"ROutletCBtn", "outlet C 2", nullptr},
        {"RInGrilleFlowBtn", "inlet flows 0", nullptr},
        {"RInGrilleCBtn", "inlet C 0", nullptr},
        {"RCanopyFlowBtn", "inlet flows 1", nullptr},
        {"RCanopyCBtn", "inlet C 1", "Reset all canopy C values"},
        {"RInletFlowBtn", "inlet flows 2", nullptr},
        {"RInletCBtn", "inlet C 2", nullptr},
    };
    for (const auto& C : Cases) {
        Raised.clear();
        D.Click(C.Button);
        EXPECT_EQ(Raised, std::vector<std::string>{C.Raised}) << C.Button;
        if (C.Hint) {
            EXPECT_EQ(D.Button(C.Button)->toolTip(), C.Hint);
        }
    }
    EXPECT_TRUE(D.Form->isVisible());
}

TEST(SettingsForm, PickedRoughnessFillsItsFieldAndKeepsWhatWasTyped)
{
    TSettingsDialog D;
    D.Open();
    auto* Picker = D.Form->findChild<TCmbEdit*>("EdRoughness");
    EXPECT_FALSE(Picker->ButtonEnabled()); // nothing to pick from yet
    QPoint PickedAt;
    D.Form->SetRoughnessPicker([&](QWidget*, const QPoint& Pos, double& Mm) {
        PickedAt = Pos;
        // A picker window takes the activation and gives it back.
        QDialog PickerWindow;
        TScriptedServices::Show(PickerWindow);
        PickerWindow.hide();
        TScriptedServices::Show(*D.Form);
        Mm = 3.0;
        return true;
    });
    D.Type("EdVelMain", "7.5");
    D.Type("EdRoughness", "0.9");
    D.ShowPageOf(Picker);
    QTest::mouseClick(Picker->Button(), Qt::LeftButton);

    EXPECT_EQ(PickedAt, QPoint(320, 220));
    EXPECT_EQ(D.Text("EdRoughness"), "3.0000");
    EXPECT_EQ(D.Text("EdVelMain"), "7.50");
    D.Click("CloseBtn");
    EXPECT_DOUBLE_EQ(D.Settings.roughness, 0.003);
    EXPECT_EQ(D.Settings.uservelmain, 7.5);
}

TEST(SettingsForm, ModalRunShowsTheCurrentSettingsAndEnterMovesDownAColumn)
{
    TSettingsDialog D;
    D.Create();
    D.Settings.uservelmain = 8.0;
    D.Services.WhileModal = [&](QDialog&) {
        EXPECT_EQ(D.Text("EdVelMain"), "8.00");
        const struct {
            const char* From;
            const char* To;
        } Moves[] = {
            {"EdDiffuserFlow", "EdOutGrilleFlow"},
            {"EdInletFlow", "EdDiffuserC"},
            // The last field leads to "&Close", not to a button that loads.
            {"EdStatRegMinVelOutlet", "CloseBtn"},
        };
        for (const auto& M : Moves) {
            D.ShowPageOf(D.Field(M.From));
            D.Field(M.From)->setFocus();
            QTest::keyClick(D.Field(M.From), Qt::Key_Return);
            ASSERT_NE(QApplication::focusWidget(), nullptr) << M.From;
            EXPECT_EQ(QApplication::focusWidget()->objectName(), M.To) << M.From;
        }
        D.Type("EdVelMain", "9");
        QTest::keyClick(D.Field("EdVelMain"), Qt::Key_Escape); // undoes the entry
        QTest::keyClick(D.Field("EdVelMain"), Qt::Key_Escape); // leaves without applying
    };
    EXPECT_EQ(D.Form->Execute(), mrCancel);
    EXPECT_EQ(D.Settings.uservelmain, 8.0);

    D.Settings.uservelmain = 4.0;
    D.Services.WhileModal = [&](QDialog&) {
        EXPECT_EQ(D.Text("EdVelMain"), "4.00");
        D.Type("EdVelMain", "9");
        D.Click("CloseBtn");
    };
    EXPECT_EQ(D.Form->Execute(), mrOk);
    EXPECT_EQ(D.Settings.uservelmain, 9.0);
}
