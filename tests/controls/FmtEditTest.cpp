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
        // Pressure drop held in Pa, shown in InchWg, then in Pa.
        {utAirPressDrop, 1, 5, 250, "1.0037", "2", 498.1777, 1, "498"},
        // Flow held in m³/s, typed in l/s, then shown in m³/s.
        {utAirFlowPrim, 0, 3, 0.5, "500", "1000", 1.0, 0, "1.000"},
        {utAirFlowPrim, 0, 3, 0.5, "500", "1000", 1.0, 4, "2118.88"},
        // Temperatures carry an offset.
        {utTemperature, 0, 1, 20, "68.0", "212", 100, 2, "373.15"},
    };
    for (const auto& C : Cases) {
        TEditDialog D;
        D.Edit->SetUnitsType(C.Type);
        D.Edit->SetUnitsBase(C.Base);
        D.Edit->SetUnitsValue(C.Unit);
        D.Edit->SetValue(C.Set);
        EXPECT_EQ(D.Edit->text(), C.Shown) << C.Shown;
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
    } Cases[] = {
        {10, 100, "9.96", "9.96", 0},  // within 0.5 % of the limit
        {10, 100, "9.9", "10.00", 1},  {10, 100, "100.4", "100.40", 0},
        {10, 100, "101", "100.00", 1}, {-100, 0, "5", "0.00", 1}, // no tolerance at 0
        {0, 100, "-0.01", "0.00", 1},  {0, 0, "-5000", "-5000.00", 0}, // no range
    };
    for (const auto& C : Cases) {
        TEditDialog D;
        D.Edit->SetFormatStr("%0.2f");
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

TEST(FmtEdit, RangeIsCheckedInDisplayUnits)
{
    TEditDialog D;
    D.Edit->SetUnitsType(utAirPressDrop);
    D.Edit->SetUnitsBase(1);           // held in Pa
    D.Edit->SetRangeHi(500);           // Pa
    D.Edit->SetRangeLo(100);
    D.Edit->SetUnitsValue(0);          // shown in kPa
    D.Type("0.7");
    EXPECT_EQ(D.Edit->text(), "0.500");
    EXPECT_DOUBLE_EQ(D.Edit->GetValue().toDouble(), 500);
    EXPECT_EQ(D.Services.Beeps, 1);
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
    for (const char* Typed : {".", "-.", "1e", "E", "1e-"}) {
        TEditDialog D;
        D.Edit->SetFormatStr("%0.5g"); // any keystroke passes the filter
        D.Edit->SetValue(42.5);
        D.Type(Typed);
        EXPECT_EQ(D.Edit->text(), "42.5") << Typed;
        EXPECT_DOUBLE_EQ(D.Edit->GetValue().toDouble(), 42.5) << Typed;
        EXPECT_EQ(D.Services.Beeps, 1) << Typed;
        EXPECT_TRUE(D.Edit->hasFocus()) << Typed;
        EXPECT_TRUE(D.Dialog.isVisible()) << Typed;
    }
    // Pasted text is checked as well.
    TEditDialog D;
    D.Edit->SetValue(7);
    D.Edit->setFocus();
    D.Edit->selectAll();
    QApplication::clipboard()->setText("abc");
    D.Edit->paste();
    EXPECT_FALSE(D.Edit->AcceptEdit());
    EXPECT_EQ(D.Edit->text(), "7.0");
    EXPECT_EQ(D.Services.Beeps, 1);
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
    EXPECT_FALSE(D.Edit->Modified());
    EXPECT_TRUE(D.Dialog.isVisible());
    EXPECT_FALSE(KeepsEscFromShortcuts());
    // After Enter the entry is still pending until accepted: Esc goes back too.
    D.Type("8");
    EXPECT_EQ(D.Edit->text(), "8.0");
    QTest::keyClick(D.Edit, Qt::Key_Escape);
    EXPECT_EQ(D.Edit->text(), "3.5");
    // Unmodified, Esc is the dialog's.
    QTest::keyClick(D.Edit, Qt::Key_Escape);
    EXPECT_FALSE(D.Dialog.isVisible());
    EXPECT_EQ(D.Dialog.result(), QDialog::Rejected);
}

TEST(FmtEdit, LeavingWithARefusedEntryTakesTheFocusBack)
{
    TEditDialog D;
    D.Edit->SetFormatStr("%0.2f");
    D.Edit->SetRangeLo(10);
    D.Edit->SetRangeHi(100);
    int Exits = 0;
    D.Edit->OnExit = [&](TxCustomEdit*) { ++Exits; };
    D.Type("250", Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(D.Edit->text(), "100.00");
    EXPECT_EQ(D.Services.Beeps, 1);
    EXPECT_TRUE(D.Edit->hasFocus());
    EXPECT_EQ(Exits, 1);
}

TEST(FmtEdit, AcceptEditCommitsFiresTheChangeAndClearsModified)
{
    TEditDialog D;
    D.Edit->SetRangeHi(50);
    D.Edit->SetRangeLo(1);
    D.Type("20", Qt::Key_unknown);
    QSignalSpy Changed(D.Edit, &QLineEdit::textChanged);
    EXPECT_TRUE(D.Edit->AcceptEdit());
    EXPECT_EQ(D.Edit->text(), "20.0");
    EXPECT_FALSE(D.Edit->Modified());
    EXPECT_GE(Changed.count(), 1);
    D.Type("70", Qt::Key_unknown);
    EXPECT_FALSE(D.Edit->AcceptEdit());
    EXPECT_EQ(D.Edit->text(), "50.0");
    EXPECT_TRUE(D.Edit->Modified());
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
    EXPECT_EQ(Integer.GetValue().typeId(), QMetaType::LongLong);
    EXPECT_EQ(Integer.GetValue().toLongLong(), 42);
    Integer.setText("1e");
    EXPECT_THROW(Integer.GetValue(), EConvertError);
    TFmtEdit Caption;
    Caption.SetFormatStr("%S");
    EXPECT_EQ(Caption.text(), "");
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
    EXPECT_EQ(Edit.FormatStr(), "%0.2f/%0.2f");
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
    EXPECT_DOUBLE_EQ(Edit.Factor(), 1.0);
}

TEST(FmtEditLabel, AClickOffersTheFirstEditsUnitsAndSwitchesEveryLinkedEdit)
{
    TRecordingServices Services;
    TUiServices Script = UiServices();
    int Answer = 1;
    QPoint Asked;
    Script.PickUnits = [&](QWidget*, TUnitsType Quantity, int Current, const QPoint& Pos) {
        EXPECT_EQ(Quantity, utAltitude);
        EXPECT_EQ(Current, Answer == 1 ? 0 : 1);
        Asked = Pos;
        return Answer;
    };
    TScopedUiServices Scope(Script);
    QWidget Form;
    auto* Label = new TFmtEditLabel(&Form);
    auto* A = new TFmtEdit(&Form);
    auto* B = new TFmtEdit(&Form);
    for (TFmtEdit* E : {A, B}) {
        E->SetUnitsLabel(Label);
        E->SetUnitsType(utAltitude);
        E->SetValue(100);
    }
    EXPECT_EQ(Label->text(), "m");
    std::vector<TxCustomEdit*> Edited;
    A->OnUnitsEdited = B->OnUnitsEdited = [&](TxCustomEdit* E) { Edited.push_back(E); };
    QTest::mouseClick(Label, Qt::LeftButton);
    EXPECT_EQ(Asked, QPoint(305, 205));
    EXPECT_EQ(A->text(), "328.1");
    EXPECT_EQ(B->text(), "328.1");
    EXPECT_EQ(Label->text(), "ft");
    EXPECT_EQ(Edited, (std::vector<TxCustomEdit*>{A, B}));
    // Dismissed: nothing changes.
    Answer = -1;
    Edited.clear();
    Label->EditUnits();
    EXPECT_EQ(A->UnitsValue(), 1);
    EXPECT_TRUE(Edited.empty());
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
    auto Other = std::make_unique<TFmtEditLabel>();
    B.SetUnitsLabel(Other.get());
    EXPECT_TRUE(Label->LinkedEdits().empty());
    Other.reset();
    EXPECT_EQ(B.UnitsLabel(), nullptr);
    B.SetUnitsType(utAltitude); // no label left to write to
    EXPECT_EQ(B.text(), "0.0");
}
