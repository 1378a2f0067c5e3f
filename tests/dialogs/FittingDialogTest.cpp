// The fitting dialog on the database built in this tree: filters, shared
// inputs, the range band, links, validation, Prev/Next, settings, the
// pictures and the coefficient-table viewer.

#include "DialogsTestSupport.h"

#include "dialogs/BandTrackBar.h"
#include "dialogs/FittingPicture.h"
#include "dialogs/TableViewForm.h"
#include "dialogs/VentrixFittingDlg.h"
#include "fittings/FittingKeys.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <cmath>

namespace {

struct FittingDialog : testing::Test {
    TScriptedServices Services;
    TTestNetwork Net;
    TMemorySettingsStore Store;
    TVentrixFittingDlg Dlg{TestDatabase(), Store};
    std::vector<std::pair<int, std::size_t>> DuctEvents; // (flag, ducts)
    int Changes = 0;
    std::vector<TFitting*> Selected;

    FittingDialog()
    {
        Dlg.OnDuctsChanged = [this](const std::vector<TFlowBranch*>& Ducts, int Flag) {
            DuctEvents.emplace_back(Flag, Ducts.size());
        };
        Dlg.OnChanged = [this](TVentrixFittingDlg*) { ++Changes; };
        Dlg.OnFittingSelected = [this](TFitting* F) { Selected.push_back(F); };
        Dlg.SetNetwork(&Net.G);
    }

    // Three ducts meeting at node 2: 1 comes in, 2 and 3 go on; duct 4 lies
    // elsewhere.
    void Tee()
    {
        Net.Duct(1, 1, 2, 0.4, 5.0, 0.4);
        Net.Duct(2, 2, 3, 0.3, 5.0, 0.3);
        Net.Duct(3, 2, 4, 0.2, 5.0, 0.1);
        Net.Duct(4, 5, 6, 0.2, 5.0, 0.1);
    }

    void Open(TFitting* F)
    {
        Dlg.SetFitting(F);
        Activate(Dlg);
    }

    QStringList Items(const QComboBox* Combo) const
    {
        QStringList List;
        for (int I = 0; I < Combo->count(); ++I)
            List << Combo->itemText(I);
        return List;
    }

    const TVentrixFittingDlg::TParamRow* Row(const QString& Name) const
    {
        for (const auto& R : Dlg.Rows())
            if (R.InfoLabel->text() == Name)
                return &R;
        return nullptr;
    }
};

TEST_F(FittingDialog, FiltersListTheBaseCodesOfTheirPattern)
{
    Tee();
    Open(Net.AddFitting("", {"s"}, {1}));
    Dlg.CBFunction->setCurrentIndex(1);  // Supply
    Dlg.CBGeometry->setCurrentIndex(1);  // Diameter (Round)
    Dlg.CBCategory->setCurrentIndex(5);  // Junctions
    QStringList Codes = Items(Dlg.CodeCombo);
    Codes.sort();
    EXPECT_EQ(Codes, QStringList({"SD5-1", "SD5-18", "SD5-21", "SD5-22", "SD5-23", "SD5-26", "SD5-3", "SD5-9"}));
    // The filter change stored the first code in the fitting.
    EXPECT_EQ(Dlg.Fitting()->Code, Dlg.CodeCombo->currentText().toStdString());
    EXPECT_GT(Changes, 0);
}

TEST_F(FittingDialog, FiltersFollowTheCodeOfALoadedFitting)
{
    Tee();
    Dlg.CBFunction->setCurrentIndex(2);  // a filter not at "+All" follows the code
    Dlg.CBCategory->setCurrentIndex(3);
    Open(Net.AddFitting("SD5-9", {"s", "b", "c"}, {2, 3, 1}));
    EXPECT_EQ(Dlg.CBFunction->currentText(), "Supply");
    EXPECT_EQ(Dlg.CBGeometry->currentIndex(), 0); // "+All" stays
    EXPECT_EQ(Dlg.CBCategory->currentText(), "Junctions");
    EXPECT_EQ(Dlg.CodeCombo->currentText(), "SD5-9");
    EXPECT_EQ(Dlg.LinkLabel[0]->text(), "Straight");
    EXPECT_EQ(Dlg.LinkLabel[2]->text(), "Common");
    EXPECT_EQ(Dlg.CBLink[2]->currentText(), "1: Branch 1");
    EXPECT_EQ(Dlg.CBLink[2]->count(), 4);
    EXPECT_FALSE(Dlg.CBLink[3]->isVisibleTo(&Dlg));
    EXPECT_TRUE(Dlg.Image1->Showing());
    EXPECT_TRUE(Dlg.Image1->MissingText().isEmpty());
}

TEST_F(FittingDialog, ASharedInputNameHasOneSliderAndIsStoredOnEveryPath)
{
    Tee();
    TFitting* F = Net.AddFitting("SD5-21", {"c", "s", "b"}, {1, 2, 3});
    Open(F);
    ASSERT_EQ(Dlg.Rows().size(), 2u); // As/Ac and Ab/Ac, each named by paths s and b
    const auto* AbAc = Row("Ab/Ac");
    ASSERT_NE(AbAc, nullptr);
    EXPECT_EQ(AbAc->Inputs.size(), 2u);
    AbAc->TrackBar->setValue(500); // 0.1 + 0.9 / 2
    ASSERT_EQ(F->FlowRatios.size(), 3u);
    EXPECT_TRUE(F->FlowRatios[0].empty() || F->FlowRatios[0][1] == 0.0); // "c" has no inputs
    EXPECT_NEAR(F->FlowRatios[1][1], 0.55, 1e-12);
    EXPECT_NEAR(F->FlowRatios[2][1], 0.55, 1e-12);
    EXPECT_EQ(AbAc->ValLabel->text(), "0.55");
    EXPECT_EQ(Selected.back(), F);
    // The stored C values of the links show at once.
    EXPECT_FALSE(Dlg.CLabel[1]->text().isEmpty());
}

TEST_F(FittingDialog, TheMinimumLabelTurnsRedWhenTheActualValueLiesWellBelowTheRange)
{
    // SD4-22 (contraction) runs Ab/Ac over 1..6: an actual ratio 10 % of the
    // range below the minimum ends the band below position 50; 3 % does not.
    for (const auto& [Ratio, Red] : {std::pair{0.5, true}, std::pair{0.85, false}}) {
        TTestNetwork N;
        N.Duct(1, 1, 2, 0.4 * std::sqrt(Ratio), 5.0, 0.2);
        N.Duct(2, 2, 3, 0.4, 5.0, 0.2);
        TFitting* F = N.AddFitting("SD4-22", {"b", "c"}, {1, 2});
        F->FlowRatios[0] = {2.0};
        Dlg.SetNetwork(&N.G);
        Open(F);
        ASSERT_EQ(Dlg.Rows().size(), 1u);
        const auto& R = Dlg.Rows()[0];
        EXPECT_EQ(R.TrackBar->value(), 200); // the stored value
        EXPECT_TRUE(R.TrackBar->HasSelection());
        EXPECT_EQ(R.MinLabel->palette().color(QPalette::WindowText) == QColor(Qt::red), Red) << Ratio;
        EXPECT_NE(R.MaxLabel->palette().color(QPalette::WindowText), QColor(Qt::red));
        Dlg.hide();
    }
}

TEST_F(FittingDialog, ChoosingALinkOffersItsNeighboursAndReportsTheDucts)
{
    Tee();
    TFitting* F = Net.AddFitting("SD5-9", {"s", "b", "c"}, {-1, -1, -1});
    Open(F);
    const int Duct1 = Dlg.CBLink[0]->findText("1: Branch 1");
    Dlg.ChooseLink(0, Duct1);
    // Links 1 and 2 now offer duct 1 and the ducts at its ends, not duct 4.
    EXPECT_EQ(Items(Dlg.CBLink[1]), QStringList({"1: Branch 1", "2: Branch 2", "3: Branch 3"}));
    ASSERT_EQ(DuctEvents.size(), 2u);
    EXPECT_EQ(DuctEvents[0], std::make_pair(0, std::size_t(0))); // before: no duct
    EXPECT_EQ(DuctEvents[1], std::make_pair(1, std::size_t(1))); // after: duct 1
    EXPECT_EQ(F->Links[0].BranchId, 1);
    EXPECT_EQ(F->Links[1].BranchId, -1);
    Dlg.ResetLinks();
    EXPECT_EQ(Dlg.CBLink[1]->count(), 4);
}

TEST_F(FittingDialog, CloseAsksForEveryNeededLink)
{
    Tee();
    TFitting* F = Net.AddFitting("SD5-9", {"s", "b", "c"}, {2, -1, -1});
    Open(F);
    Services.Answers = {mrNo};
    Dlg.AcceptBtn->click();
    EXPECT_EQ(Services.Messages, QStringList({"Warning: Branch should be set\nContinue?"}));
    EXPECT_TRUE(Dlg.isVisible());
    Services.Answers = {mrYes, mrYes};
    Dlg.AcceptBtn->click();
    EXPECT_EQ(Services.Messages.size(), 3);
    EXPECT_EQ(Services.Messages.last(), "Warning: Common should be set\nContinue?");
    EXPECT_FALSE(Dlg.isVisible());
    EXPECT_EQ(Dlg.result(), int(mrOk));
    EXPECT_TRUE(Dlg.Rows().empty());                // run-time rows freed
    EXPECT_EQ(DuctEvents.back().first, 0);          // ducts drawn normally again
    EXPECT_EQ(Store.ReadInteger("VentrixFittingDlg", "CBCategory", -1), 0);
    EXPECT_FALSE(Store.ValueExists("Settings", "ShowTable"));
}

TEST_F(FittingDialog, NextAndPrevStepOverFittingsWithoutACodeAndStopAfterOneLap)
{
    Tee();
    TFitting* A = Net.AddFitting("ED1-22", {"s"}, {1});
    Net.AddFitting("", {"s"}, {2});
    TFitting* C = Net.AddFitting("ED1-3", {"s"}, {3});
    Open(C);
    Dlg.PrevBtn->click();
    EXPECT_EQ(Dlg.Fitting(), A); // back over the uncoded one
    Dlg.NextBtn->click();
    EXPECT_EQ(Dlg.Fitting(), C);
    Dlg.NextBtn->click();
    EXPECT_EQ(Dlg.Fitting(), A); // wrapped over the end
    EXPECT_EQ(Selected.back(), A);
    EXPECT_EQ(Dlg.CodeCombo->currentText(), "ED1-22");
    Dlg.NextBtn->click();
    A->Code.clear();
    Dlg.NextBtn->click(); // no other coded fitting: it stays
    EXPECT_EQ(Dlg.Fitting(), C);
}

TEST_F(FittingDialog, ActivationWithoutAFittingSaysSo)
{
    Open(nullptr);
    EXPECT_EQ(Services.Messages, QStringList({"Fitting not set.  Create a fitting first"}));
    Dlg.hide();
    Dlg.SetNetwork(nullptr);
    Activate(Dlg);
    EXPECT_EQ(Services.Messages.last(), "Duct fittings form: duct network not assigned");
}

TEST_F(FittingDialog, SettingsKeepTheFiltersAndShowTheTableButton)
{
    Store.WriteInteger("VentrixFittingDlg", "CBGeometry", 2);
    Store.WriteInteger("VentrixFittingDlg", "CBCategory", 99); // damaged: "+All"
    Store.WriteBool("Settings", "ShowTable", true);
    TVentrixFittingDlg Other(TestDatabase(), Store);
    EXPECT_EQ(Other.CBGeometry->currentIndex(), 2);
    EXPECT_EQ(Other.CBCategory->currentIndex(), 0);
    EXPECT_FALSE(Other.TableBtn->isHidden());
    EXPECT_TRUE(Dlg.TableBtn->isHidden());
}

TEST_F(FittingDialog, TheViewerPrintsTheCoefficientTable)
{
    Tee();
    Open(Net.AddFitting("ED1-3", {"s"}, {1}));
    QString Text, Title;
    Services.Modal = [&](QDialog& D) {
        auto& View = dynamic_cast<TTableViewForm&>(D);
        Text = View.Text();
        Title = View.windowTitle();
        return int(mrOk);
    };
    Dlg.ShowTable();
    EXPECT_EQ(Title, "ED1-3");
    const QStringList Lines = Text.split('\n');
    EXPECT_TRUE(Lines.contains("\t\t\t  C values"));
    const auto Values = [&](const QString& Label) {
        for (const QString& L : Lines)
            if (L.startsWith(Label + "\t"))
                return L.section('\t', 0, 0) + "|" + L.section('\t', 1).split('\t', Qt::SkipEmptyParts).join(' ');
        return QString();
    };
    EXPECT_EQ(Values("r/D"), "r/D|0 0.01 0.02 0.03 0.04 0.05 0.06 0.08 0.1 0.12 0.16 0.2");
    EXPECT_EQ(Values("C"), "C|0.500 0.430 0.360 0.310 0.260 0.220 0.200 0.150 0.120 0.090 0.060 0.030");
}

TEST_F(FittingDialog, TheViewerOfADoubleJunctionEndsWithItsBranches)
{
    Tee();
    Open(Net.AddFitting("SD5-22", {"c", "s", "b1", "b2"}, {1, 2, 3, 4}));
    EXPECT_TRUE(Dlg.CBLink[3]->isVisibleTo(&Dlg));
    QString Text;
    Services.Modal = [&](QDialog& D) {
        Text = dynamic_cast<TTableViewForm&>(D).Text();
        return int(mrOk);
    };
    Dlg.ShowTable();
    EXPECT_TRUE(Text.contains("\t\t\t  Cs values"));
    EXPECT_TRUE(Text.contains("\t\t\t  Cb1, b2 values"));
    EXPECT_EQ(Text.count("values"), 2);
    // Cells without data print blank, never the hole marker.
    EXPECT_FALSE(Text.contains("-11111"));
}

TEST_F(FittingDialog, TheViewerOfAJunctionBySizePrintsBothTables)
{
    Tee();
    Open(Net.AddFitting("ED5-3", {"c", "s", "b"}, {1, 2, 3}));
    QString Text;
    Services.Modal = [&](QDialog& D) {
        Text = dynamic_cast<TTableViewForm&>(D).Text();
        return int(mrOk);
    };
    Dlg.ShowTable();
    // Eleven As/Ac slices of each table, for the straight path and the branch.
    EXPECT_EQ(Text.count("Dc <= 250 mm, As/Ac = "), 22);
    EXPECT_EQ(Text.count("Dc > 250 mm, As/Ac = "), 22);
    EXPECT_TRUE(Text.contains("Dc > 250 mm, As/Ac = 1\n"));
}

TEST(FittingPictures, EveryBaseCodeHasAPictureAndAMissingOneIsSaid)
{
    TScriptedServices Services;
    TStringVec Codes;
    TestDatabase().FilterCodes("++0 ", Codes, true);
    ASSERT_FALSE(Codes.empty());
    TFittingPicture Picture;
    Picture.resize(240, 180);
    const QString Folder = QString::fromStdString(TestDatabase().Folder());
    for (const std::string& Code : Codes) {
        EXPECT_TRUE(Picture.ShowCode(Folder, QString::fromStdString(Code))) << Code;
        EXPECT_EQ(Picture.Picture().size(), QSize(240, 180)) << Code;
    }
    // The name is found in any case.
    EXPECT_TRUE(Picture.ShowCode(Folder, "sd5-1"));
    EXPECT_FALSE(Picture.ShowCode(Folder, "XX9-9"));
    EXPECT_TRUE(Picture.MissingText().startsWith("Picture not found: "));
    EXPECT_TRUE(Picture.MissingText().endsWith("XX9-9.gif"));
    EXPECT_TRUE(Services.Messages.isEmpty());
}

} // namespace

TEST_F(FittingDialog, CloseKeepsTheCodeANewFittingIsShownWith)
{
    Tee();
    TFitting* F = Net.AddFitting("", {"s"}, {1});
    Dlg.SetDuct(Net.G.DuctBranch(1));
    Open(F);
    const QString Shown = Dlg.CodeCombo->currentText();
    ASSERT_FALSE(Shown.isEmpty());
    Services.Answers = {mrYes, mrYes, mrYes};
    Dlg.AcceptBtn->click();
    EXPECT_EQ(QString::fromStdString(F->Code), Shown);
    EXPECT_FALSE(F->Caption.empty());
}
