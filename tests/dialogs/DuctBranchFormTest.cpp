// The branch window: caption and summary of a duct, the static drop and
// pressure rate at terminals, the rows a fan cannot edit, and typed values
// reaching the branch.

#include "BranchAndLabelsTestSupport.h"
#include "DialogsTestSupport.h"

#include "controls/EntryGrid.h"
#include "dialogs/BranchSummary.h"
#include "dialogs/DuctBranchForm.h"
#include "dialogs/DuctDiamForm.h"
#include "dialogs/FittingImages.h"
#include "dialogs/PressureDropForm.h"
#include "tests/network/FlowNetworkBuilder.h"

#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace bltest;

namespace {

bool Has(const std::vector<std::string>& Lines, const std::string& Line)
{
    return std::find(Lines.begin(), Lines.end(), Line) != Lines.end();
}

bool HasPrefix(const std::vector<std::string>& Lines, const std::string& Prefix)
{
    return std::any_of(Lines.begin(), Lines.end(), [&](const std::string& L) { return L.rfind(Prefix, 0) == 0; });
}

} // namespace

TEST(DuctBranchForm, ShowsTheCaptionAndSummaryOfADuct)
{
    TScriptedUiServices Services;
    TMemorySettingsStore Store;
    TOneDuct Net;
    TDuctBranchForm Form(Store);
    Form.SetBranch(Net.B);
    Form.ShowBranch();
    EXPECT_EQ(Form.windowTitle().toStdString(), "Spiral.  3 to 4");
    const std::vector<std::string> Lines = BranchSummaryLines(*Net.B);
    for (const char* Line : {"Reynolds number\t1.26e+05", "Friction factor\t0.0208", "dP Static\t\t56.88 Pa",
                             "Pressure rate\t5.69 Pa/m", "Velocity Pressure\t54.7 Pa"})
        EXPECT_TRUE(Has(Lines, Line)) << Line;
    EXPECT_TRUE(Form.Memo1->toPlainText().contains("Velocity Pressure\t54.7 Pa"));
    EXPECT_EQ(Form.Grid->Cell(1, TDuctBranchForm::RowCaption).toStdString(), "1 Spiral");
}

TEST(DuctBranchForm, TerminalDropsAndRatesFollowTheTerminalAtEitherEnd)
{
    const struct {
        const char* Name;
        TNodeType From, To;
    } Cases[] = {{"outlet at the to-node", ntCommon, ntOutlet}, {"inlet at the from-node", ntInlet, ntCommon}};
    for (const auto& C : Cases) {
        TOneDuct Net(C.From, C.To);
        TDuctBranch& B = *Net.B;
        const double Terminal = C.To == ntOutlet ? B.OutletTermDrop : B.InletTermDrop;
        ASSERT_GT(Terminal, 1.0) << C.Name;
        EXPECT_NEAR(StaticPressureDrop(B), B.TotalDrop - Terminal, 1e-9) << C.Name;
        const std::vector<std::string> Lines = BranchSummaryLines(B);
        EXPECT_FALSE(HasPrefix(Lines, "Pressure rate")) << C.Name;
        EXPECT_TRUE(HasPrefix(Lines, "dP Static")) << C.Name;
    }
}

TEST(DuctBranchForm, AFanCannotTakeADiameterOrVelocity)
{
    TScriptedUiServices Services;
    TMemorySettingsStore Store;
    TSettings Defaults;
    TDuctGraph G(true, &Defaults);
    TDuctBranchForm Form(Store);
    for (TDuctBranch* B : {G.MainFan, G.DuctBranch(2)}) {
        Form.SetBranch(B);
        Form.ShowBranch();
        const bool Duct = B != G.MainFan;
        for (int Row : {TDuctBranchForm::RowVelocity, TDuctBranchForm::RowDiameter})
            EXPECT_EQ(Form.Grid->Field(Row)->Editable, Duct) << B->Name << " row " << Row;
        EXPECT_TRUE(Form.Grid->Field(TDuctBranchForm::RowLength)->Editable);
    }
    EXPECT_EQ(Form.windowTitle().toStdString(), "Duct.  2 to 3");
}

TEST(DuctBranchForm, TypedValuesReachTheBranch)
{
    TScriptedUiServices Services;
    TMemorySettingsStore Store;
    TOneDuct Net;
    TDuctBranch& B = *Net.B;
    // A rectangle 0.6 m wide and 0.3 m high whose aspect is a given size.
    B.DuctType = dtRect;
    B.DuctWidth = 0.6;
    B.DuctHeight = 0.3;
    B.Aspect = 0.5;
    B.Keep1 = 0;
    B.Keep2 = 3;
    TDuctBranchForm Form(Store);
    Form.SetBranch(&B);
    Form.ShowBranch();
    std::vector<std::string> Names;
    int Changes = 0;
    Form.OnSetBranchName = [&](TDuctBranch*, const std::string& Name) { Names.push_back(Name); };
    Form.OnChange = [&](TDuctBranch*) { ++Changes; };

    Form.Grid->SetValue(1, TDuctBranchForm::RowDiameter, 0.5);
    Form.GridDoSetData(1, TDuctBranchForm::RowDiameter);
    EXPECT_NEAR(B.Diameter, 0.5, 1e-6);
    EXPECT_NEAR(B.DuctHeight / B.DuctWidth, 0.5, 1e-6) << "the aspect is kept";
    EXPECT_NE(B.DuctWidth, 0.6);
    EXPECT_NEAR(Form.Grid->GetValue(1, TDuctBranchForm::RowVelocity).toDouble(), B.DuctVelocity, 0.005) << "shown in 2 decimals";

    Form.Grid->SetValue(1, TDuctBranchForm::RowVolumeFlow, 0.6);
    Form.GridDoSetData(1, TDuctBranchForm::RowVolumeFlow);
    EXPECT_DOUBLE_EQ(B.VolumeFlow, 0.6);
    EXPECT_NEAR(Form.Grid->GetValue(1, TDuctBranchForm::RowVelocity).toDouble(), 0.6 / (B.DuctHeight * B.DuctWidth), 0.005);

    Form.Grid->SetValue(1, TDuctBranchForm::RowCaption, QString("1 Spiral"));
    Form.GridDoSetData(1, TDuctBranchForm::RowCaption);
    EXPECT_TRUE(Names.empty()) << "the same name fires nothing";
    EXPECT_EQ(Changes, 2);
    Form.Grid->SetValue(1, TDuctBranchForm::RowCaption, QString("Riser"));
    Form.GridDoSetData(1, TDuctBranchForm::RowCaption);
    EXPECT_EQ(Names, std::vector<std::string>{"Riser"});
    EXPECT_EQ(Changes, 3);
}

TEST(DuctBranchForm, ADesignFlowTypedHereSurvivesSumFlows)
{
    TScriptedUiServices Services;
    TMemorySettingsStore Store;
    TFlowNetwork N;
    N.InnerLoop();
    TDuctBranch* Typed = N.G.DuctBranch(6);
    ASSERT_NE(Typed, nullptr);
    TDuctBranchForm Form(Store);
    Form.SetBranch(Typed);
    Form.ShowBranch();
    Form.Grid->SetValue(1, TDuctBranchForm::RowDesignFlow, 0.12);
    Form.GridDoSetData(1, TDuctBranchForm::RowDesignFlow);

    ASSERT_TRUE(N.G.DistributeFlows());
    EXPECT_NEAR(Typed->DesignFlow, 0.12, 1e-12) << "the flow typed in the branch window";
    // The loop closes on it: the cross duct now carries the difference.
    EXPECT_NEAR(N.G.FlowBranch(7)->DesignFlow, 0.08, 1e-12);
}

TEST(DuctBranchForm, ListsTheBranchFittingsWithTheirCategory)
{
    TScriptedUiServices Services;
    TMemorySettingsStore Store;
    TOneDuct Net;
    auto Elbow = std::make_unique<TFitting>("Elbow", "CD3-1");
    Elbow->Roles = {"0"};
    Elbow->Links = {{1, nullptr}};
    const int Serial = Elbow->Serial;
    Net.G.Fittings.push_back(std::move(Elbow));
    auto Other = std::make_unique<TFitting>("Elsewhere", "SD5-1");
    Other->Roles = {"0"};
    Other->Links = {{7, nullptr}};
    Net.G.Fittings.push_back(std::move(Other));
    TDuctBranchForm Form(Store);
    Form.SetBranch(Net.B);
    Form.ShowBranch();
    ASSERT_EQ(Form.ListView1->topLevelItemCount(), 1);
    EXPECT_EQ(Form.ListView1->topLevelItem(0)->text(0).toStdString(), "[" + std::to_string(Serial) + "] CD3-1");
    EXPECT_EQ(FittingImageIndex("CD3-1"), 2);
}

TEST(DuctBranchForm, RenamingForANewDuctTypeReplacesTheTypeWord)
{
    EXPECT_EQ(RenamedForDuctType("3 Spiral", dtSpiral, dtRect), "3 Duct");
    EXPECT_EQ(RenamedForDuctType("spiral run SPIRAL", dtSpiral, dtRect), "Duct run Duct");
    EXPECT_EQ(RenamedForDuctType("Riser", dtSpiral, dtRect), "Riser");
    EXPECT_EQ(RenamedForDuctType("4 Duct", dtRect, dtSpiral), "4 Spiral");
    EXPECT_EQ(RenamedForDuctType("4 None", dtNone, dtFan), "4 Fan"); // not "Fan" for no duct type
    EXPECT_EQ(RenamedForDuctType("spiral 5", dtSpiral, dtSpiral), "spiral 5");
}

TEST(DuctBranchForm, TheDiameterButtonChangesTheDuctAndItsTypeWord)
{
    for (bool Accepted : {false, true}) {
        TScriptedUiServices Services;
        TMemorySettingsStore Store;
        TOneDuct Net;
        TDuctBranch& B = *Net.B;
        B.Name = "3 Spiral";
        TDuctBranchForm Form(Store);
        Form.SetBranch(&B);
        Form.ShowBranch();
        int Redraws = 0;
        Form.OnRedrawBranch = [&](TDuctBranch*) { ++Redraws; };
        TScopedUiServices Modal([&] {
            TUiServices S = UiServices();
            S.RunModal = [&](QDialog& D) {
                auto& Size = static_cast<TDuctDiamForm&>(D);
                Size.show();
                Size.RBRectangular->click();
                if (Accepted)
                    Size.AcceptButton->click();
                else
                    Size.CancelButton->click();
                return Size.result();
            };
            return S;
        }());
        Form.Grid->SetCurrentCell(1, TDuctBranchForm::RowDiameter);
        Form.Grid->RunPropEditor();
        EXPECT_EQ(B.DuctType, Accepted ? dtRect : dtSpiral);
        EXPECT_EQ(B.Name, Accepted ? "3 Duct" : "3 Spiral");
        EXPECT_EQ(Form.Grid->Cell(1, TDuctBranchForm::RowCaption).toStdString(), B.Name);
        EXPECT_EQ(Redraws, Accepted ? 1 : 0);
        EXPECT_EQ(Form.windowTitle().toStdString(), Accepted ? "Duct.  3 to 4" : "Spiral.  3 to 4");
    }
}

TEST(DuctBranchForm, ThePressureDropButtonOpensTheFormOnTheBranch)
{
    TScriptedUiServices Services;
    TMemorySettingsStore Store;
    TestDatabase();
    TSettings Defaults;
    TDuctGraph G(true, &Defaults);
    TDuctBranchForm Form(Store);
    Form.SetBranch(G.DuctBranch(2));
    Form.ShowBranch();
    int Redraws = 0;
    Form.OnRedrawBranch = [&](TDuctBranch*) { ++Redraws; };
    Form.Grid->SetCurrentCell(1, TDuctBranchForm::RowPressureDrop);
    Form.Grid->RunPropEditor();
    ASSERT_NE(Form.PressureDropForm, nullptr);
    EXPECT_TRUE(Form.PressureDropForm->isVisible());
    EXPECT_EQ(Form.PressureDropForm->Branch(), G.DuctBranch(2));
    EXPECT_FALSE(Form.PressureDropForm->IsFan());
    EXPECT_EQ(Redraws, 1) << "always: the form is modeless";
    // The visible form follows the window to the next branch, the fan as
    // the main fan.
    Form.SetBranch(G.MainFan);
    Form.ShowBranch();
    EXPECT_EQ(Form.PressureDropForm->Branch(), G.MainFan);
    EXPECT_TRUE(Form.PressureDropForm->IsFan());
}

// A terminal's design flow is none or what the solve commands take, and the
// grid shows what the branch took (it once kept -0.3 m³/s for a solve to
// refuse).
TEST(DuctBranchForm, ATerminalTakesTheDesignFlowsTheSolveTakes)
{
    TMemorySettingsStore Store;
    const struct {
        TNodeType To;
        double Typed;
        double Taken;
    } Cases[] = {{ntOutlet, -0.3, 0.0}, {ntOutlet, 0.45, 0.45}, {ntCommon, -0.3, -0.3}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "to-node type " << int(C.To) << ", typed " << C.Typed);
        TOneDuct Net(ntCommon, C.To);
        TDuctBranchForm Form(Store);
        Form.SetBranch(Net.B);
        Form.ShowBranch();
        Form.Grid->SetValue(1, TDuctBranchForm::RowDesignFlow, C.Typed);
        Form.GridDoSetData(1, TDuctBranchForm::RowDesignFlow);
        EXPECT_EQ(Net.B->DesignFlow, C.Taken);
        EXPECT_EQ(Form.Grid->GetValue(1, TDuctBranchForm::RowDesignFlow).toDouble(), C.Taken);
    }
}
