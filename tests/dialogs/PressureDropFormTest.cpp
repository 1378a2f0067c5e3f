// The pressure-drop form on a 0.2 m spiral of 10 m carrying 0.3 m³/s at
// 1.2 kg/m³ (f = 0.020792), with scripted prompts and fitting dialog.

#include "DialogsTestSupport.h"

#include "controls/FlatPageControl.h"
#include "controls/FmtEdit.h"
#include "dialogs/ItemListGrid.h"
#include "dialogs/PressureDropForm.h"
#include "dialogs/VentrixFittingDlg.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

namespace {

struct PressureDropForm : testing::Test {
    TScriptedServices Services;
    TTestNetwork Net;
    TMemorySettingsStore Store;
    TPressureDropForm Form{Store, TestDatabase()};
    QStringList Events;

    PressureDropForm()
    {
        const auto Note = [this](const char* Name) { return [this, Name] { Events << Name; }; };
        const auto NoteFitting = [this](const char* Name) { return [this, Name](TFitting*) { Events << Name; }; };
        Form.OnFittingSelected = NoteFitting("selected");
        Form.OnFittingChanged = NoteFitting("updated");
        Form.OnFittingDeleted = NoteFitting("deleted");
        Form.OnFittingsListChanged = Note("listed");
        Form.OnFixedItemsChanged = Note("fixed");
        Form.OnPressureDropChanged = Note("pressure");
        Form.OnFlowChanged = Note("flow");
        Form.OnOutletChanged = Note("to-node");
        Form.OnInletChanged = Note("from-node");
        Form.OnClearSelection = Note("activated");
    }

    TDuctBranch* Spiral(TNodeType ToType = ntCommon)
    {
        return Net.Duct(1, 1, 2, 0.2, 10.0, 0.3, ntCommon, ToType);
    }

    void Show(TDuctBranch* Branch, QWidget* Sheet, bool Fan = false)
    {
        Form.ShowBranch(Branch, Fan);
        Activate(Form);
        Form.PageControl->setCurrentWidget(Sheet);
        Events.clear();
    }

    // Types Text into a cell and presses Enter, which stores it.
    void TypeCell(TxColGrid* Grid, int Col, int Row, const QString& Text)
    {
        Grid->setFocus();
        Grid->SetCurrentCell(Col, Row);
        for (const QChar C : Text)
            QTest::keyClick(QApplication::focusWidget(), C.toLatin1());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QApplication::processEvents(); // the view commits an entry after its Enter
    }

    // Types Text into a numeric edit and leaves it for Next.
    void TypeEdit(TFmtEdit* Edit, const QString& Text, QWidget* Next)
    {
        Edit->setFocus();
        Edit->selectAll();
        QTest::keyClicks(Edit, Text);
        Next->setFocus();
    }

    QStringList VisibleTabs() const
    {
        QStringList Tabs;
        for (int I = 0; I < Form.PageControl->count(); ++I)
            if (Form.PageControl->isTabVisible(I))
                Tabs << Form.PageControl->tabText(I);
        return Tabs;
    }
};

TEST_F(PressureDropForm, FittingRowsShowTheirLengthAndDrop)
{
    TDuctBranch* B = Spiral();
    TFitting* F = Net.AddFitting("ED1-22", {"s"}, {1});
    F->CValues = {0.5};
    Show(B, Form.FittingsSheet);
    EXPECT_EQ(Form.windowTitle(), "Pressure drop: Branch 1");
    EXPECT_EQ(Form.DescLabel->text(), "Spiral duct: 200 mm");
    const auto* G = Form.FittingsGrid;
    EXPECT_EQ(G->Cell(TPressureDropForm::fcCode, 1), "ED1-22");
    EXPECT_EQ(G->Cell(TPressureDropForm::fcC, 1), "0.500");
    EXPECT_EQ(G->Cell(TPressureDropForm::fcLe, 1), "4.81");
    EXPECT_EQ(G->Cell(TPressureDropForm::fcDrop, 1), "27.4");
    EXPECT_EQ(G->RowCount(), 1 + TPressureDropForm::MinItemRows);
    EXPECT_EQ(Form.RowFitting(1), F);

    Form.Recalculate();
    EXPECT_NEAR(B->LeFittings, 4.810, 5e-4);
    EXPECT_NEAR(B->FittingsDrop, 27.36, 5e-3);
    EXPECT_EQ(Events, QStringList({"pressure"}));
    const QStringList Summary = Form.RichEdit1->toPlainText().split('\n');
    EXPECT_EQ(Summary.value(0), "\tdP,Pa\tLe,m");
    EXPECT_TRUE(Summary.contains("   Fittings\t27.4\t4.81"));
    EXPECT_TRUE(Summary.contains("   Duct friction\t56.9\t10.00"));

    Form.UnitsChanged(0, 1); // kPa and ft
    EXPECT_EQ(G->Cell(TPressureDropForm::fcDrop, 0), "dP,kPa");
    EXPECT_EQ(G->Cell(TPressureDropForm::fcDrop, 1), "0.027");
    EXPECT_EQ(G->Cell(TPressureDropForm::fcLe, 1), "15.8");
    EXPECT_TRUE(Form.RichEdit1->toPlainText().startsWith("\tdP,kPa\tLe,ft"));
}

TEST_F(PressureDropForm, FixedItemsTypedIntoTheGrids)
{
    TDuctBranch* B = Spiral();
    Show(B, Form.dPsSheet);
    TypeCell(Form.dPsGrid, TPressureDropForm::dcDrop, 1, "10");
    ASSERT_EQ(B->FixedDps.size(), 1u);
    EXPECT_EQ(B->FixedDps[0]->Caption, "Fixed dP Fitting");
    EXPECT_EQ(Form.dPsGrid->Cell(TPressureDropForm::dcLe, 1), "1.76");
    EXPECT_NEAR(B->LeDp, 1.758, 5e-4);
    EXPECT_EQ(Events, QStringList({"pressure", "fixed"}));

    // A C typed in the fifth empty row: four items come first.
    Form.PageControl->setCurrentWidget(Form.CsSheet);
    TypeCell(Form.CsGrid, TPressureDropForm::ccC, 5, "0.5");
    ASSERT_EQ(B->FixedCs.size(), 5u);
    for (const auto& Item : B->FixedCs)
        EXPECT_EQ(Item->Caption, "Fixed C Fitting");
    EXPECT_EQ(B->FixedCs[3]->C, 0.0);
    EXPECT_EQ(B->FixedCs[4]->C, 0.5);
    EXPECT_EQ(Form.CsGrid->Cell(TPressureDropForm::ccLe, 5), "4.81");
    EXPECT_EQ(Form.CsGrid->RowCount(), 7); // one empty row stays below the items
    // A caption typed past the items names the new item itself.
    TypeCell(Form.CsGrid, TPressureDropForm::ccDescription, 6, "Damper");
    EXPECT_EQ(B->FixedCs.back()->Caption, "Damper");
}

TEST_F(PressureDropForm, AFlowChangedElsewhereIsReportedOnceAtTheNextChange)
{
    TDuctBranch* B = Spiral();
    Show(B, Form.dPsSheet);
    B->SetVolumeFlow(0.35); // typed into the branch table, say
    TypeCell(Form.dPsGrid, TPressureDropForm::dcDrop, 1, "10");
    EXPECT_EQ(Events, QStringList({"pressure", "flow", "fixed"}));
    Events.clear();
    TypeCell(Form.dPsGrid, TPressureDropForm::dcDrop, 1, "12");
    EXPECT_EQ(Events, QStringList({"pressure", "fixed"}));
}

TEST_F(PressureDropForm, AFixedCOnABranchWithoutSizeOrFlowShowsWhatItMeans)
{
    TDuctBranch* B = Net.Duct(1, 1, 2, 0.0, 10.0, 0.0);
    Show(B, Form.CsSheet);
    TypeCell(Form.CsGrid, TPressureDropForm::ccC, 1, "1");
    EXPECT_EQ(Form.CsGrid->Cell(TPressureDropForm::ccLe, 1), "15.00");
    EXPECT_EQ(Form.CsGrid->Cell(TPressureDropForm::ccDrop, 1), "7.5");
    ASSERT_EQ(B->FixedCs.size(), 1u);
    EXPECT_NEAR(B->FixedCs[0]->Drop, 7.505, 5e-4);
}

TEST_F(PressureDropForm, ATerminalSolvesItsThirdValueFromTheTwoLatestEdits)
{
    TDuctBranch* B = Spiral(ntOutlet);
    Show(B, Form.OutletSheet);
    TypeEdit(Form.edOutletC, "5", Form.edOutletV);
    TypeEdit(Form.edOutletV, "4", Form.EdOutletdP);
    EXPECT_EQ(Form.EdOutletdP->text(), "48");
    EXPECT_DOUBLE_EQ(B->OutletTerminal->RefDrop, 48.0);
    TypeEdit(Form.EdOutletdP, "96", Form.edOutletC);
    EXPECT_EQ(Form.edOutletC->text(), "10.00");
    EXPECT_DOUBLE_EQ(B->OutletTerminal->RefVelocity, 4.0);
    EXPECT_EQ(Events.count("fixed"), 3);

    // The kind boxes act as one choice and set the node's kind.
    Form.CBoPlain->click();
    EXPECT_EQ(B->ToFlowNode()->OutletKind, okPlainOutlet);
    EXPECT_FALSE(Form.CBoDiffuser->isChecked());
    EXPECT_EQ(Events.last(), "to-node");
}

TEST_F(PressureDropForm, SheetsFollowTheRoleOfTheBranch)
{
    struct TCase {
        TNodeType From, To;
        bool Fan;
        QStringList Tabs;
        bool Booster;
    };
    const TCase Cases[] = {
        {ntCommon, ntCommon, true, {"Fixed dP's", "Fan", "Summary"}, false},
        {ntInlet, ntCommon, false, {"Fittings", "Fixed C's", "Fixed dP's", "Inlet", "Summary"}, false},
        {ntCommon, ntCommon, false, {"Fittings", "Fixed C's", "Fixed dP's", "Fan", "Summary"}, true},
        {ntCommon, ntOutlet, false, {"Fittings", "Fixed C's", "Fixed dP's", "Outlet", "Summary"}, false},
    };
    int Id = 1;
    for (const TCase& C : Cases) {
        TDuctBranch* B = Net.Duct(Id, 10 * Id, 10 * Id + 1, 0.2, 5.0, 0.2, C.From, C.To);
        ++Id;
        Form.PageControl->setCurrentWidget(Form.FanSheet);
        Form.ShowBranch(B, C.Fan);
        EXPECT_EQ(VisibleTabs(), C.Tabs);
        EXPECT_EQ(Form.BoosterLabel->isVisibleTo(Form.FanSheet), C.Booster);
        if (C.From == ntInlet) {
            EXPECT_EQ(Form.PageControl->currentWidget(), Form.InletSheet);
        }
    }
}

TEST_F(PressureDropForm, TheBoosterAndTheFanPressureChangeTheDrop)
{
    TDuctBranch* B = Spiral();
    Show(B, Form.FanSheet);
    TypeEdit(Form.edPGain, "40", Form.FittingsGrid);
    EXPECT_DOUBLE_EQ(B->PressureGain, 40.0);
    const double Without = B->TotalDrop;
    QTest::mouseClick(Form.BoosterLabel, Qt::LeftButton);
    EXPECT_TRUE(B->Booster);
    EXPECT_EQ(Form.BoosterLabel->text(), "On");
    EXPECT_NEAR(B->TotalDrop, Without - 40.0, 1e-9);
    EXPECT_TRUE(Form.RichEdit1->toPlainText().contains("   Fan\t- 40.0"));
    EXPECT_EQ(Events.count("fixed"), 2);
}

TEST_F(PressureDropForm, AFittingOpenedOnAnEmptyRowAndClosedWithoutACodeIsClearedAway)
{
    TDuctBranch* B = Spiral();
    Show(B, Form.FittingsSheet);
    TFitting* Edited = nullptr;
    Services.Modal = [&](QDialog& D) {
        auto& Dialog = dynamic_cast<TVentrixFittingDlg&>(D);
        Edited = Dialog.Fitting();
        Dialog.show();
        Dialog.reject();
        return Dialog.result();
    };
    Form.EditFittingAt(1);
    ASSERT_NE(Edited, nullptr);
    EXPECT_TRUE(Net.G.Fittings.empty());
    EXPECT_TRUE(B->LinkedFittings.empty());
    EXPECT_EQ(Form.RowFitting(1), nullptr);
    EXPECT_TRUE(Form.FittingsGrid->Cell(TPressureDropForm::fcCode, 1).isEmpty());
    EXPECT_EQ(Form.FittingDialog()->Fitting(), nullptr);
    EXPECT_EQ(Events, QStringList({"selected", "listed", "pressure"}));
    // A row whose fitting went elsewhere opens nothing: the rows are shown anew.
    TFitting* Other = Net.AddFitting("ED1-22", {"s"}, {1});
    Form.ShowBranch(B, false);
    Net.G.DeleteFitting(Other);
    Events.clear();
    Form.EditFittingAt(1);
    EXPECT_TRUE(Net.G.Fittings.empty());
    EXPECT_TRUE(Events.isEmpty());
    EXPECT_TRUE(Form.FittingsGrid->Cell(TPressureDropForm::fcCode, 1).isEmpty());
}

TEST_F(PressureDropForm, LeavingTheFormForItsOwnFittingDialogKeepsTheFittingUnderEdit)
{
    TDuctBranch* B = Spiral();
    Show(B, Form.FittingsSheet);
    std::size_t DuringDialog = 0;
    Services.Modal = [&](QDialog& D) {
        auto& Dialog = dynamic_cast<TVentrixFittingDlg&>(D);
        Dialog.show();
        QEvent Deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(&Form, &Deactivate);
        DuringDialog = Net.G.Fittings.size();
        Dialog.CBCategory->setCurrentIndex(1);
        Dialog.CodeCombo->setCurrentIndex(Dialog.CodeCombo->findText("ED1-22"));
        Dialog.AcceptBtn->click();
        return Dialog.result();
    };
    Form.EditFittingAt(1);
    EXPECT_EQ(DuringDialog, 1u);
    ASSERT_EQ(Net.G.Fittings.size(), 1u);
    TFitting* F = Net.G.Fittings[0].get();
    EXPECT_EQ(F->Code, "ED1-22");
    EXPECT_EQ(Form.FittingsGrid->Cell(TPressureDropForm::fcC, 1), "0.500");
    EXPECT_EQ(Form.FittingsGrid->Row(), 1);
    EXPECT_EQ(Form.RowFitting(1), F);
    EXPECT_EQ(Events.first(), "selected");
    EXPECT_TRUE(Events.contains("updated"));
    EXPECT_NEAR(B->LeFittings, 4.810, 5e-4);
}

TEST_F(PressureDropForm, LeavingTheFormClearsAwayEmptyItems)
{
    TDuctBranch* B = Spiral();
    B->FixedCs.push_back(std::make_unique<TFixedC>("", 0.0));
    B->FixedCs.push_back(std::make_unique<TFixedC>("", 1.0));
    B->FixedDps.push_back(std::make_unique<TFixeddP>("", 0.0));
    Net.AddFitting("", {"s"}, {1});
    Show(B, Form.CsSheet);
    QEvent Deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&Form, &Deactivate);
    EXPECT_TRUE(Net.G.Fittings.empty());
    ASSERT_EQ(B->FixedCs.size(), 1u);
    EXPECT_EQ(B->FixedCs[0]->C, 1.0);
    EXPECT_TRUE(B->FixedDps.empty());
    EXPECT_TRUE(Events.contains("listed"));
    EXPECT_TRUE(Events.contains("fixed"));
    EXPECT_TRUE(Store.ValueExists("PressureDropForm", "Left"));
}

TEST_F(PressureDropForm, RowsAreDeletedWithTheirPrompts)
{
    TDuctBranch* B = Spiral();
    Net.Duct(2, 2, 3, 0.2, 5.0, 0.2);
    Net.Duct(3, 2, 4, 0.2, 5.0, 0.1);
    Net.AddFitting("SD5-9", {"s", "b", "c"}, {2, 3, 1});
    Show(B, Form.FittingsSheet);
    Form.FittingsGrid->setFocus();
    Form.FittingsGrid->SetCurrentCell(TPressureDropForm::fcCode, 1);
    Services.Answers = {mrYes, mrNo};
    QTest::keyClick(Form.FittingsGrid, Qt::Key_Delete);
    EXPECT_EQ(Services.Messages,
              QStringList({"Delete Row?", "This fitting is a junction/transition and affects 2 or more ducts.\n"
                                          "The entire fitting will be deleted.  Continue?"}));
    EXPECT_EQ(Net.G.Fittings.size(), 1u);
    Services.Answers = {mrYes, mrYes};
    QTest::keyClick(Form.FittingsGrid, Qt::Key_Delete);
    EXPECT_TRUE(Net.G.Fittings.empty());
    EXPECT_EQ(Events.mid(0, 2), QStringList({"deleted", "listed"}));

    B->FixedCs.push_back(std::make_unique<TFixedC>("A", 1.0));
    B->FixedCs.push_back(std::make_unique<TFixedC>("B", 2.0));
    Form.RefreshFixedGrids();
    Services.MenuPick = "&Clear All";
    QContextMenuEvent Menu(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(Form.CsGrid->viewport(), &Menu);
    EXPECT_TRUE(B->FixedCs.empty());
    EXPECT_TRUE(Form.CsGrid->Cell(TPressureDropForm::ccDescription, 1).isEmpty());
}

TEST_F(PressureDropForm, MovingAFixedRowReordersTheBranchList)
{
    TDuctBranch* B = Spiral();
    for (const char* Name : {"A", "B", "C"})
        B->FixedDps.push_back(std::make_unique<TFixeddP>(Name, 5.0));
    Show(B, Form.dPsSheet);
    Form.dPsGrid->verticalHeader()->moveSection(0, 2);
    ASSERT_EQ(B->FixedDps.size(), 3u);
    EXPECT_EQ(B->FixedDps[0]->Caption, "B");
    EXPECT_EQ(B->FixedDps[2]->Caption, "A");
    EXPECT_EQ(Form.dPsGrid->Cell(TPressureDropForm::dcDescription, 3), "A");
    EXPECT_EQ(Form.dPsGrid->Cell(0, 1), "1"); // numbered in the new order
    EXPECT_EQ(Events, QStringList({"fixed"}));
}

} // namespace
