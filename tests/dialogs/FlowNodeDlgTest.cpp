#include "NodeAndSizeDialogsTestSupport.h"

#include "controls/EntryGrid.h"
#include "dialogs/FlowNodeDlg.h"
#include "network/FlowNode.h"

#include <gtest/gtest.h>

namespace {

struct FlowNodeDlg : testing::Test, TDialogFixture {
    TFlowNodeDlg Dlg{Store};
    std::vector<std::string> Events;

    FlowNodeDlg()
    {
        const auto Log = [this](const char* Name) {
            return [this, Name](TFlowNode* N) { Events.push_back(std::string(Name) + ' ' + std::to_string(N->Id())); };
        };
        Dlg.OnRedrawNode = Log("redraw");
        Dlg.OnNodeTypeChanged = Log("type");
        Dlg.OnTerminalChanged = Log("terminal");
        Dlg.OnOutletKindChanged = Log("outlet kind");
        Dlg.OnInletKindChanged = Log("inlet kind");
        Dlg.OnChanged = Log("changed");
        Dlg.OnSetNodeName = [this](TFlowNode* N, const std::string& Name) {
            N->Name = Name;
            Events.push_back("name " + std::to_string(N->Id()));
        };
        Dlg.OnUnitsChanged = [this] { Events.push_back("units"); };
    }
    void ShowNode(int Id, int Side)
    {
        Dlg.SetNode(G.FlowNode(Id));
        Dlg.TerminalSide = Side;
        Dlg.Refresh();
        Show(Dlg);
    }
    void Key(int Row, Qt::Key K)
    {
        Dlg.Grid->SetCurrentCell(1, Row);
        Dlg.Grid->setFocus();
        QTest::keyClick(Dlg.Grid, K);
    }
    void EnterName(const QString& Name, Qt::Key Done = Qt::Key_Return)
    {
        Dlg.Grid->SetCurrentCell(1, TFlowNodeDlg::RowCaption);
        Dlg.Grid->setFocus();
        Type(Name, Done);
    }
};

} // namespace

TEST_F(FlowNodeDlg, MakingTheToEndAnOutletFiresItsEventsInOrder)
{
    G.FlowNode(6)->NodeType = ntCommon;
    ShowNode(6, 0);
    EXPECT_EQ(Dlg.windowTitle(), "Node 6");
    EXPECT_EQ(Dlg.Grid->Cell(0, 4), "Outlet Type");
    EXPECT_FALSE(Dlg.Grid->GetRowEnabled(4));
    Key(3, Qt::Key_Right);
    EXPECT_EQ(G.FlowNode(6)->NodeType, ntOutlet);
    EXPECT_EQ(Events, (std::vector<std::string>{"type 6", "redraw 6", "terminal 6", "changed 6"}));
    EXPECT_EQ(Dlg.Grid->Cell(0, 4), "Outlet Type");
    EXPECT_TRUE(Dlg.Grid->GetRowEnabled(4));
}

TEST_F(FlowNodeDlg, TerminalKindsByTheSideTheNodeEnds)
{
    const struct {
        int Node, Side;
        const char* Label;
        const char* Event;
    } Cases[] = {
        {6, 0, "Outlet Type", "outlet kind 6"},
        {1, 1, "Inlet Type", "inlet kind 1"},
    };
    for (const auto& C : Cases) {
        Events.clear();
        ShowNode(C.Node, C.Side);
        EXPECT_EQ(Dlg.Grid->Cell(0, 4), C.Label);
        EXPECT_EQ(Dlg.Grid->Cell(1, 3), C.Side == 0 ? "Outlet" : "Inlet");
        Key(4, Qt::Key_Right);
        EXPECT_EQ(Events, (std::vector<std::string>{C.Event, "redraw " + std::to_string(C.Node),
                                                    "changed " + std::to_string(C.Node)}));
    }
    EXPECT_EQ(G.FlowNode(6)->OutletKind, okGrille);
    EXPECT_EQ(G.FlowNode(1)->InletKind, ikCanopy);
    EXPECT_EQ(Dlg.Grid->Cell(1, 4), "Canopy");
}

TEST_F(FlowNodeDlg, RenamingFiresOnlyForANewName)
{
    ShowNode(3, 2);
    EnterName("Node 3");
    EXPECT_TRUE(Events.empty());
    EnterName("Plant room");
    EXPECT_EQ(G.FlowNode(3)->Name, "Plant room");
    EXPECT_EQ(Events, (std::vector<std::string>{"name 3", "changed 3"}));

    // A name still being typed when the frame points the dialog at another
    // node belongs to the node it was typed for.
    Events.clear();
    EnterName("Riser", Qt::Key_unknown);
    Dlg.SetNode(G.FlowNode(4));
    Dlg.Refresh();
    EXPECT_EQ(G.FlowNode(3)->Name, "Riser");
    EXPECT_EQ(G.FlowNode(4)->Name, "Node 4");
    EXPECT_EQ(Dlg.Grid->Cell(1, 1), "Node 4");
}

TEST_F(FlowNodeDlg, LeavingTheWindowStoresTheEntry)
{
    ShowNode(5, 2);
    EnterName("Branch-off", Qt::Key_unknown);
    EXPECT_TRUE(Events.empty());
    QWidget Elsewhere;
    Show(Elsewhere);
    EXPECT_EQ(G.FlowNode(5)->Name, "Branch-off");
    EXPECT_EQ(Events, (std::vector<std::string>{"name 5", "changed 5"}));
}

TEST_F(FlowNodeDlg, NeitherEndShowsEveryTypeReadOnly)
{
    ShowNode(3, 2);
    auto* Types = dynamic_cast<TEnumField*>(Dlg.Grid->Field(3));
    ASSERT_NE(Types, nullptr);
    EXPECT_EQ(Types->Items, (QStringList{"Common", "Outlet", "Inlet", "Sink"}));
    EXPECT_EQ(Dlg.Grid->Cell(1, 3), "Common");
    EXPECT_EQ(Dlg.Grid->Cell(1, 4), "  ---");
    Key(3, Qt::Key_Right);
    Key(3, Qt::Key_Left);
    QTest::mouseDClick(Dlg.Grid->viewport(), Qt::LeftButton, {}, Dlg.Grid->CellRect(1, 3).center());
    Key(4, Qt::Key_Right);
    EXPECT_EQ(Dlg.Grid->Cell(1, 3), "Common");
    EXPECT_EQ(Dlg.Grid->Cell(1, 4), "  ---");
    EXPECT_EQ(G.FlowNode(3)->NodeType, ntCommon);
    EXPECT_TRUE(Events.empty());
}

TEST_F(FlowNodeDlg, PressureUnitsAreReportedAndKept)
{
    G.FlowNode(4)->RelPressure = 1250.0;
    ShowNode(4, 2);
    EXPECT_EQ(Dlg.Grid->Cell(1, 2), "1250");
    Services.PickedUnit = 0; // kPa
    QTest::mouseClick(Dlg.Grid->viewport(), Qt::RightButton, {}, Dlg.Grid->CellRect(0, 2).center());
    EXPECT_EQ(Events, std::vector<std::string>{"units"});
    EXPECT_EQ(Dlg.Grid->Cell(0, 2), "Rel Pressure,kPa");
    EXPECT_EQ(Dlg.Grid->Cell(1, 2), "1.250");
    // The same unit again is no change.
    QTest::mouseClick(Dlg.Grid->viewport(), Qt::RightButton, {}, Dlg.Grid->CellRect(0, 2).center());
    EXPECT_EQ(Events.size(), 1u);

    Dlg.close();
    EXPECT_FALSE(Dlg.isVisible());
    EXPECT_EQ(Store.ReadInteger("FlowNodeDlg", "UnitsRelP", -1), 0);
    EXPECT_EQ(Store.ReadInteger("FlowNodeDlg", "GridCol0", -1), Dlg.Grid->ColWidth(0));
    TFlowNodeDlg Again(Store);
    EXPECT_EQ(Again.Grid->GetUnitsValue(2), 0);
}
