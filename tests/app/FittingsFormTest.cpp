// The fittings list: sorting the network's list by a column, deleting,
// highlighting the selected fitting's ducts, and a list kept in step with
// changes made elsewhere.

#include "app/FittingsForm.h"
#include "app/FittingsListModel.h"
#include "controls/UiServices.h"
#include "dialogs/DuctBranchForm.h"
#include "dialogs/VentrixFittingDlg.h"
#include "fittings/DuctFittingDB.h"
#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"

#include <QApplication>
#include <QComboBox>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

TDuctFittingDB& Database()
{
    static TDuctFittingDB& Built = CreateDuctFittingDB(VENTRIX_COMMON_DATA_DIR);
    return Built;
}

struct TListServices {
    QStringList Messages;
    int Answer = mrYes;
    // Runs the fitting dialog while it is held modal.
    std::function<int(TVentrixFittingDlg&)> Modal = [](TVentrixFittingDlg&) { return int(mrCancel); };
    TScopedUiServices Scope{Make()};

private:
    TUiServices Make()
    {
        TUiServices S = DefaultUiServices();
        S.Beep = [] {};
        S.MessageBox = [this](QWidget*, const QString&, const QString& Text, TMsgKind, int) {
            Messages << Text;
            return Answer;
        };
        S.PointerPos = [] { return QPoint(-1000, -1000); };
        S.RunModal = [this](QDialog& D) {
            auto& Dlg = dynamic_cast<TVentrixFittingDlg&>(D);
            Dlg.show(); // its showing is its activation
            const int Result = Modal(Dlg);
            Dlg.hide();
            return Result;
        };
        return S;
    }
};

// Five ducts and a fitting per code, each on the ducts named.
struct TListFixture {
    TListServices Services;
    TMemorySettingsStore Store;
    TSettings Defaults;
    TDuctGraph G{false, &Defaults};
    TFittingsForm Form{Store};
    std::vector<std::pair<std::vector<TBranch*>, int>> Highlights;
    int Changes = 0;
    int FittingsChanged = 0;

    explicit TListFixture(const std::vector<std::pair<std::string, std::vector<int>>>& Fittings)
    {
        for (int Id = 1; Id <= 5; ++Id)
            G.AddBranch(Id, Id, Id + 1);
        for (const auto& [Code, Ducts] : Fittings) {
            auto F = std::make_unique<TFitting>("Fitting " + Code, Code);
            for (int Id : Ducts) {
                F->Roles.push_back(std::to_string(F->Roles.size()));
                F->Links.push_back({Id, nullptr});
            }
            G.Fittings.push_back(std::move(F));
        }
        G.ResolveFittingLinks(false);
        Form.OnHighlightDucts = [this](const std::vector<TBranch*>& Ducts, int Flag) {
            Highlights.emplace_back(Ducts, Flag);
        };
        Form.OnChanged = [this] { ++Changes; };
        Form.OnFittingsChanged = [this] { ++FittingsChanged; };
        Form.SetNetwork(&G);
    }

    std::vector<std::string> Codes() const
    {
        std::vector<std::string> Out;
        for (const auto& F : G.Fittings)
            Out.push_back(F->Code);
        return Out;
    }
    std::string RowText(int Row, int Col = 0) const
    {
        return Form.LV->model()->index(Row, Col).data().toString().toStdString();
    }
};

} // namespace

TEST(FittingsForm, AColumnClickSortsTheNetworksListAndASecondReversesIt)
{
    TListFixture F({{"SD5-1", {1}}, {"CD3-1", {2}}, {"ER2-1", {3}}, {"CD3-1", {4}}});
    const int SecondCd = F.G.Fittings[3]->Serial;
    F.Form.ColumnClick(0);
    EXPECT_EQ(F.Codes(), (std::vector<std::string>{"CD3-1", "CD3-1", "ER2-1", "SD5-1"}));
    EXPECT_EQ(F.G.Fittings[1]->Serial, SecondCd) << "equal codes keep their order";
    EXPECT_EQ(F.Changes, 1);
    F.Form.ColumnClick(0);
    EXPECT_EQ(F.Codes(), (std::vector<std::string>{"SD5-1", "ER2-1", "CD3-1", "CD3-1"}));
    EXPECT_EQ(F.G.Fittings[3]->Serial, SecondCd);
    EXPECT_EQ(F.Changes, 2);
    EXPECT_EQ(F.RowText(0), std::string("[").append(std::to_string(F.G.Fittings[0]->Serial)).append("] SD5-1"));
    EXPECT_EQ(F.RowText(0, 2), "Branch 1; ");
    // Another column starts ascending again.
    F.Form.ColumnClick(2);
    EXPECT_EQ(F.RowText(0, 2), "Branch 1; ");
    EXPECT_EQ(F.RowText(3, 2), "Branch 4; ");
}

TEST(FittingsForm, DeletingAsksAndMakesTheNextItemCurrent)
{
    TListFixture F({{"SD5-1", {1}}, {"CD3-1", {1, 2}}, {"ER2-1", {3}}});
    F.Form.SelectFitting(F.G.Fittings[2].get());
    F.Services.Answer = mrNo;
    F.Form.DeleteClick();
    EXPECT_EQ(F.G.Fittings.size(), 3u);
    F.Services.Answer = mrYes;
    F.Form.DeleteClick();
    EXPECT_EQ(F.Services.Messages, (QStringList{"Delete Fitting?", "Delete Fitting?"}));
    ASSERT_EQ(F.G.Fittings.size(), 2u);
    EXPECT_EQ(F.Form.CurrentIndex(), 1) << "the new last item";
    EXPECT_EQ(F.Form.LV->model()->rowCount(), 2);
    EXPECT_EQ(F.Changes, 1);
    EXPECT_EQ(F.FittingsChanged, 1);

    // From the middle: the item at the same place becomes current, and the
    // ducts, and the branch window showing one, no longer list the freed
    // fitting.
    TDuctBranchForm Branch(F.Store);
    Branch.SetBranch(F.G.DuctBranch(1));
    Branch.ShowBranch();
    ASSERT_EQ(Branch.ListView1->topLevelItemCount(), 2);
    F.Form.BranchForm = &Branch;
    F.Form.SelectFitting(F.G.Fittings[0].get());
    F.Form.DeleteClick();
    EXPECT_EQ(Branch.ListView1->topLevelItemCount(), 1);
    ASSERT_EQ(F.G.Fittings.size(), 1u);
    EXPECT_EQ(F.Form.SelectedFitting(), F.G.Fittings[0].get());
    const auto& Linked = F.G.FlowBranch(1)->LinkedFittings;
    EXPECT_EQ(Linked, std::vector<TFitting*>{F.G.Fittings[0].get()});
}

TEST(FittingsForm, ASelectionHighlightsItsDuctsAndHidingUndoesIt)
{
    TListFixture F({{"SD5-1", {1}}, {"SR5-1", {1, 2, 3, 4, 5}}});
    F.Form.show();
    F.Form.FillList();
    EXPECT_TRUE(F.Highlights.empty()) << "refilling highlights nothing";
    F.Form.SelectFitting(F.G.Fittings[1].get());
    ASSERT_EQ(F.Highlights.size(), 1u);
    EXPECT_EQ(F.Highlights[0].second, 1);
    std::vector<int> Ids;
    for (const TBranch* B : F.Highlights[0].first)
        Ids.push_back(B->Id());
    EXPECT_EQ(Ids, (std::vector<int>{1, 2, 3, 4})) << "at most four";
    F.Form.hide();
    ASSERT_EQ(F.Highlights.size(), 2u);
    EXPECT_EQ(F.Highlights[1], std::make_pair(F.Highlights[0].first, 0));
}

TEST(FittingsForm, AChangeMadeElsewhereRefillsTheList)
{
    TListFixture F({{"SD5-1", {1}}, {"CD3-1", {2}}, {"ER2-1", {3}}});
    F.Form.SelectFitting(F.G.Fittings[2].get());
    // Freed behind the list's back: its row shows nothing and leads nowhere.
    F.G.DeleteFitting(F.G.Fittings[1].get());
    EXPECT_EQ(F.Form.LV->model()->rowCount(), 3);
    EXPECT_EQ(F.RowText(2), "");
    EXPECT_EQ(static_cast<TFittingsListModel*>(F.Form.LV->model())->FittingAt(2), nullptr);
    QApplication::processEvents(); // the refill the row asked for
    EXPECT_EQ(F.Form.LV->model()->rowCount(), 2);
    EXPECT_EQ(F.RowText(1), std::string("[").append(std::to_string(F.G.Fittings[1]->Serial)).append("] ER2-1"));

    // A fitting appended elsewhere is found at the next look-up.
    F.G.Fittings.push_back(std::make_unique<TFitting>("New", "CR3-1"));
    F.Form.SelectFitting(F.G.Fittings[2].get());
    EXPECT_EQ(F.Form.CurrentIndex(), 2);
    EXPECT_EQ(F.Form.LV->model()->rowCount(), 3);
}

TEST(FittingsForm, AddListsAFittingTheDialogStoredAndForgetsOneItNeverDid)
{
    Database();
    for (bool Stored : {false, true}) {
        TListFixture F({{"SD5-1", {1}}});
        F.Services.Modal = [&](TVentrixFittingDlg& Dlg) {
            EXPECT_EQ(Dlg.Fitting()->Caption, "Duct Fitting");
            EXPECT_EQ(Dlg.Fitting()->Code, "");
            if (Stored)
                Dlg.CBCategory->setCurrentIndex(5); // a filter change stores its first code
            return int(mrOk);
        };
        F.Form.AddClick();
        ASSERT_EQ(F.G.Fittings.size(), Stored ? 2u : 1u);
        ASSERT_NE(F.Form.FittingDialog, nullptr);
        if (!Stored) {
            EXPECT_EQ(F.Form.FittingDialog->Fitting(), nullptr) << "the dialog lets go of the freed fitting";
            continue;
        }
        EXPECT_FALSE(F.G.Fittings[1]->Code.empty());
        EXPECT_EQ(F.Form.CurrentIndex(), 1);
        EXPECT_EQ(F.Form.SelectedFitting(), F.G.Fittings[1].get());
    }
}

TEST(FittingsForm, EditWithNothingSelectedOpensTheLastFitting)
{
    Database();
    TListFixture F({{"SD5-1", {1}}, {"CD3-1", {2}}});
    TFitting* Opened = nullptr;
    F.Services.Modal = [&](TVentrixFittingDlg& Dlg) {
        Opened = Dlg.Fitting();
        return int(mrOk);
    };
    F.Form.EditClick();
    EXPECT_EQ(Opened, F.G.Fittings[1].get());
    F.Form.SelectFitting(F.G.Fittings[0].get());
    F.Form.EditClick();
    EXPECT_EQ(Opened, F.G.Fittings[0].get());
}
