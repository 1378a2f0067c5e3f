#include "ControlsTestSupport.h"

#include "controls/FmtEditLabel.h"
#include "foundation/NumberFormat.h"

#include <QClipboard>
#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(FmtEdit, ShowsHeldValuesInThePickedUnitAndReadsEntriesBack)
{
    const struct {
        TUnitsType Type;
        int Base, Unit;
        double Set;
        const char* Shown;
        const char* Typed;
        double Held;
        int NextUnit;
        const char* NextShown;
    } Cases[] = {
        {utAirPressDrop, 1, 5, 250, "1.0037", "2", 498.1777, 1, "498"}, // held in Pa
        {utAirFlowPrim, 0, 3, 0.5, "500", "1000", 1.0, 0, "1.000"},     // typed in l/s
        {utAirFlowPrim, 0, 3, 0.5, "500", "1000", 1.0, 4, "2118.88"},
        {utTemperature, 0, 1, 20, "68.0", "212", 100, 2, "373.15"}, // with an offset
    };
    for (const auto& C : Cases) {
        TEditDialog D;
        D.Edit->SetUnitsType(C.Type);
        D.Edit->SetUnitsBase(C.Base);
        D.Edit->SetUnitsValue(C.Unit);
        D.Edit->SetValue(C.Set);
        EXPECT_EQ(D.Edit->text(), C.Shown);
        D.Type(C.Typed);
        EXPECT_NEAR(D.Edit->GetValue().toDouble(), C.Held, 1e-3) << C.Typed;
        D.Edit->SetUnitsValue(C.NextUnit);
        EXPECT_EQ(D.Edit->text(), C.NextShown) << C.Typed;
        EXPECT_EQ(D.Services.Beeps, 0);
    }
}

TEST(FmtEdit, OutOfRangeEntriesBecomeTheLimitWithABeepAndKeepTheFocus)
{
    const struct {
        double Lo, Hi;
        const char* Typed;
        const char* Shown;
        int Beeps;
        bool InKPa = false; // the range is held in Pa, shown in kPa
    } Cases[] = {
        {10, 100, "9.96", "9.96", 0}, // within 0.5 % of the limit
        {10, 100, "9.9", "10.00", 1},  {10, 100, "100.4", "100.40", 0},
        {10, 100, "101", "100.00", 1}, {-100, 0, "5", "0.00", 1}, // no tolerance at 0
        {0, 0, "-5000", "-5000.00", 0}, {100, 500, "0.7", "0.500", 1, true},
    };
    for (const auto& C : Cases) {
        TEditDialog D;
        D.Edit->SetFormatStr("%0.2f");
        if (C.InKPa) {
            D.Edit->SetUnitsType(utAirPressDrop);
            D.Edit->SetUnitsBase(1);
        }
        D.Edit->SetRangeLo(C.Lo);
        D.Edit->SetRangeHi(C.Hi);
        D.Type(C.Typed);
        EXPECT_EQ(D.Edit->text(), C.Shown) << C.Typed;
        EXPECT_EQ(D.Services.Beeps, C.Beeps) << C.Typed;
        // A refused entry keeps the focus and Enter; an accepted one lets
        // Enter reach the dialog's default button.
        EXPECT_EQ(D.Dialog.isVisible(), C.Beeps > 0) << C.Typed;
        EXPECT_TRUE(C.Beeps == 0 || D.Edit->hasFocus()) << C.Typed;
    }
}

TEST(FmtEdit, KeystrokesTheFormatCannotTakeAreRefusedWithABeep)
{
    const struct {
        const char* Fmt;
        const char* Keys;
        const char* Text;
        int Beeps;
    } Cases[] = {
        {"%0.1f", "1a2", "12", 1},           {"%0.1f", "-1.5e", "-1.5", 1},
        {"%d", "1.5", "15", 1},              {"%0.0f/%0.0f", "400/3x00", "400/300", 1},
        {"%0.5g", "1e3", "1e3", 0},          {"%s", "a/b c", "a/b c", 0},
    };
    for (const auto& C : Cases) {
        TEditDialog D;
        D.Edit->SetFormatStr(C.Fmt);
        D.Type(C.Keys, Qt::Key_unknown);
        EXPECT_EQ(D.Edit->text(), C.Text) << C.Fmt << " " << C.Keys;
        EXPECT_EQ(D.Services.Beeps, C.Beeps) << C.Fmt << " " << C.Keys;
    }
}

TEST(FmtEdit, TextThatIsNoNumberIsRefusedAndTheLastTextComesBack)
{
    for (const char* Typed : {".", "-.", "1e", "E", "1e-", "pasted"}) {
        TEditDialog D;
        D.Edit->SetFormatStr("%0.5g"); // any keystroke passes the filter
        D.Edit->SetValue(42.5);
        if (QString(Typed) == "pasted") {
            QApplication::clipboard()->setText("abc");
            D.Edit->selectAll();
            D.Edit->paste();
            QTest::keyClick(D.Edit, Qt::Key_Return);
        } else {
            D.Type(Typed);
        }
        EXPECT_EQ(D.Edit->text(), "42.5") << Typed;
        EXPECT_DOUBLE_EQ(D.Edit->GetValue().toDouble(), 42.5) << Typed;
        EXPECT_EQ(D.Services.Beeps, 1) << Typed;
        EXPECT_TRUE(D.Edit->hasFocus() && D.Dialog.isVisible()) << Typed;
    }
}

TEST(FmtEdit, EscRestoresTheEntryTextAndOnlyAnUnmodifiedEditLetsTheDialogGo)
{
    TEditDialog D;
    const auto KeepsEscFromShortcuts = [&] {
        QKeyEvent Override(QEvent::ShortcutOverride, Qt::Key_Escape, Qt::NoModifier);
        Override.ignore();
        QApplication::sendEvent(D.Edit, &Override);
        return Override.isAccepted();
    };
    D.Edit->SetValue(3.5);
    D.Type("17", Qt::Key_unknown);
    EXPECT_TRUE(KeepsEscFromShortcuts());
    QTest::keyClick(D.Edit, Qt::Key_Escape);
    EXPECT_EQ(D.Edit->text(), "3.5");
    EXPECT_FALSE(KeepsEscFromShortcuts());
    EXPECT_TRUE(D.Dialog.isVisible());
    // After Enter the entry is pending until accepted: Esc goes back too.
    D.Type("8");
    QTest::keyClick(D.Edit, Qt::Key_Escape);
    EXPECT_EQ(D.Edit->text(), "3.5");
    QTest::keyClick(D.Edit, Qt::Key_Escape);
    EXPECT_FALSE(D.Dialog.isVisible());
    EXPECT_EQ(D.Dialog.result(), QDialog::Rejected);
}

TEST(FmtEdit, LeavingOrAcceptingARefusedEntryTakesTheFocusBack)
{
    TEditDialog D;
    D.Edit->SetRangeLo(10);
    D.Edit->SetRangeHi(100);
    int Exits = 0;
    D.Edit->OnExit = [&](TxCustomEdit*) { ++Exits; };
    D.Type("250", Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(D.Edit->text(), "100.0");
    EXPECT_TRUE(D.Edit->hasFocus());
    EXPECT_EQ(Exits, 1);
    // Accepting from the OK button: refused, the focus comes back.
    D.Ok->setFocus();
    D.Edit->setText("300");
    D.Edit->SetModified(true);
    EXPECT_FALSE(D.Edit->AcceptEdit());
    QApplication::processEvents();
    EXPECT_TRUE(D.Edit->hasFocus());
    EXPECT_EQ(D.Services.Beeps, 2);
    QSignalSpy Changed(D.Edit, &QLineEdit::textChanged);
    EXPECT_TRUE(D.Edit->AcceptEdit());
    EXPECT_EQ(Changed.count(), 1);
    EXPECT_FALSE(D.Edit->Modified());
}

TEST(FmtEdit, FormatTypesAndKindsDecideTheShownText)
{
    const struct {
        const char* Fmt;
        TFormatType Type;
        QVariant Value;
        const char* Shown;
    } Cases[] = {
        {"%0.1f", ft_AutoOverride, 12.34, "12.3"},
        {"%0.1f", ft_AutoOverride, 0.01234, "0.0123"},
        {"%0.1f", ft_Auto, 123.456, "123.46"},
        {"%0.5g", ft_Fixed, 123456.0, "1.2346e+05"},
        {"%d", ft_Fixed, 2.6, "3"},
        {"%0.0f/%0.0f", ft_Fixed, QString("400/ 300"), "400/300"},
        {"Name: %s", ft_Fixed, QString("Fan"), "Name: Fan"},
    };
    for (const auto& C : Cases) {
        TFmtEdit Edit;
        Edit.SetFormatStr(C.Fmt);
        Edit.SetFormatType(C.Type);
        Edit.SetValue(C.Value);
        EXPECT_EQ(Edit.text(), C.Shown) << C.Fmt;
    }
    TFmtEdit Integer;
    Integer.SetFormatStr("%d");
    Integer.setText("41.6");
    EXPECT_EQ(Integer.GetValue(), QVariant::fromValue<qlonglong>(42));
    Integer.setText("1e");
    EXPECT_THROW(Integer.GetValue(), EConvertError);
    Integer.SetFormatStr("%S");
    Integer.setText("0.0");
    Integer.SetFormatStr("%S");
    EXPECT_EQ(Integer.text(), "");
}

TEST(FmtEdit, PairsConvertBothNumbersAndStayPairsAcrossUnits)
{
    TFmtEdit Edit;
    Edit.SetFormatStr("%0.0f/%0.0f");
    Edit.SetValue(QString("400/250"));
    Edit.SetUnitsType(utDiameter);
    Edit.SetUnitsBase(1); // held in mm
    Edit.SetUnitsValue(1);
    EXPECT_EQ(Edit.text(), "400/250");
    Edit.SetUnitsValue(2); // inch: the unit's single format is doubled
    EXPECT_EQ(Edit.text(), "15.75/9.84");
    EXPECT_EQ(Edit.GetValue().toString(), "400.05/249.94");
    Edit.setText("10");
    EXPECT_EQ(Edit.GetValue().toString(), "254");
}

TEST(FmtEdit, ChangingTheQuantityReadsTheValueBeforeTheFactorIsReset)
{
    TFmtEdit Edit;
    Edit.SetFactor(2); // an owner's own conversion without a quantity
    Edit.SetValue(10);
    EXPECT_EQ(Edit.text(), "20.0");
    Edit.SetUnitsType(utAltitude);
    EXPECT_EQ(Edit.text(), "10.0");
}

TEST(FmtEditLabel, AClickOffersTheFirstEditsUnitsAndSwitchesEveryLinkedEdit)
{
    TRecordingServices Services;
    TUiServices Script = UiServices();
    int Answer = 1;
    std::vector<std::pair<int, QPoint>> Asked;
    Script.PickUnits = [&](QWidget*, TUnitsType Quantity, int Current, const QPoint& Pos) {
        EXPECT_EQ(Quantity, utAltitude);
        Asked.emplace_back(Current, Pos);
        return Answer;
    };
    TScopedUiServices Scope(Script);
    QWidget Form;
    auto* Label = new TFmtEditLabel(&Form);
    auto* A = new TFmtEdit(&Form);
    auto* B = new TFmtEdit(&Form);
    std::vector<TxCustomEdit*> Edited;
    for (TFmtEdit* E : {A, B}) {
        E->SetUnitsLabel(Label);
        E->SetUnitsType(utAltitude);
        E->SetValue(100);
        E->OnUnitsEdited = [&](TxCustomEdit* Sender) { Edited.push_back(Sender); };
    }
    EXPECT_EQ(Label->text(), "m");
    QTest::mouseClick(Label, Qt::LeftButton);
    Answer = -1; // dismissed: nothing changes
    Label->EditUnits();
    ASSERT_EQ(Asked.size(), 2u);
    EXPECT_EQ(Asked[0], std::make_pair(0, QPoint(305, 205)));
    EXPECT_EQ(Asked[1].first, 1);
    EXPECT_EQ(A->text(), "328.1");
    EXPECT_EQ(B->text(), "328.1");
    EXPECT_EQ(Label->text(), "ft");
    EXPECT_EQ(Edited, (std::vector<TxCustomEdit*>{A, B}));
}

TEST(FmtEditLabel, EditsAndLabelsForgetEachOtherWhenOneGoes)
{
    auto Label = std::make_unique<TFmtEditLabel>();
    auto A = std::make_unique<TFmtEdit>();
    TFmtEdit B;
    A->SetUnitsLabel(Label.get());
    B.SetUnitsLabel(Label.get());
    A.reset();
    EXPECT_EQ(Label->LinkedEdits(), (std::vector<TxCustomEdit*>{&B}));
    Label.reset();
    EXPECT_EQ(B.UnitsLabel(), nullptr);
    B.SetUnitsType(utAltitude); // no label left to write to
    EXPECT_EQ(B.text(), "0.0");
}

TEST(FmtEdit, ARefusedKeystrokeCountsAsEditingSoTheFirstEscStaysInTheEdit)
{
    TEditDialog D;
    D.Edit->SetValue(3.5);
    D.Type("x", Qt::Key_unknown);
    EXPECT_EQ(D.Services.Beeps, 1);
    QTest::keyClick(D.Edit, Qt::Key_Escape);
    EXPECT_TRUE(D.Dialog.isVisible());
    QTest::keyClick(D.Edit, Qt::Key_Escape);
    EXPECT_FALSE(D.Dialog.isVisible());
}
