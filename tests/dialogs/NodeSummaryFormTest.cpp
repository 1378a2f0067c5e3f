#include "NodeAndSizeDialogsTestSupport.h"

#include "controls/ColGrid.h"
#include "dialogs/NodeSummaryForm.h"
#include "network/FlowNode.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>

#include <gtest/gtest.h>

namespace {

struct NodeSummaryForm : testing::Test, TDialogFixture {
    TNodeSummaryForm Form{G, Store};

    NodeSummaryForm()
    {
        // Names out of id order, a pressure each, and the generated Sink,
        // which the table leaves out.
        const char* Names[] = {"fan in", "Bend", "zone A", "Coil", "attic", "Exit"};
        for (int Id = 1; Id <= 6; ++Id) {
            G.FlowNode(Id)->Name = Names[Id - 1];
            G.FlowNode(Id)->RelPressure = 10.0 * Id;
        }
        static_cast<TFlowNode*>(G.GetOrAddNode(-1))->NodeType = ntSink;
    }
    QStringList Column(int Col) const
    {
        QStringList Texts;
        for (int Row = 1; Row < Form.NodeGrid->RowCount(); ++Row)
            Texts << Form.NodeGrid->Cell(Col, Row);
        return Texts;
    }
    void ClickHeading(int Col, Qt::MouseButton Button = Qt::LeftButton)
    {
        QHeaderView* H = Form.NodeGrid->horizontalHeader();
        const int Section = Col - 1;
        QTest::mouseClick(H->viewport(), Button, {},
                          QPoint(H->sectionViewportPosition(Section) + H->sectionSize(Section) / 2,
                                 H->height() / 2));
    }
    void DoubleClickRow(int Row)
    {
        QTest::mouseDClick(Form.NodeGrid->viewport(), Qt::LeftButton, {},
                           Form.NodeGrid->CellRect(1, Row).center());
    }
};

} // namespace

TEST_F(NodeSummaryForm, ShowingListsTheActiveNodes)
{
    Show(Form);
    EXPECT_EQ(Column(0), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(Column(2), (QStringList{"10", "20", "30", "40", "50", "60"}));
    EXPECT_EQ(Column(3), (QStringList{"Inlet", "Common", "Common", "Common", "Common", "Outlet"}));
    EXPECT_EQ(Form.NodeGrid->Cell(2, 0), "Rel Press,Pa");
}

TEST_F(NodeSummaryForm, HeadingClicksSortTheDocumentBothWays)
{
    Show(Form);
    ClickHeading(1);
    EXPECT_EQ(Column(1), (QStringList{"zone A", "fan in", "Exit", "Coil", "Bend", "attic"}));
    EXPECT_EQ(NodeIds(), (std::vector<int>{3, -1, 1, 6, 4, 2, 5})); // the Sink is "Node -1"
    ClickHeading(1);
    EXPECT_EQ(Column(1), (QStringList{"attic", "Bend", "Coil", "Exit", "fan in", "zone A"}));
    EXPECT_EQ(NodeIds().front(), 5);
    // The id column's heading is the grid's corner.
    const int Inside = Form.NodeGrid->frameWidth() + 2;
    QWidget* IdHeading = Form.NodeGrid->childAt(Inside, Inside);
    ASSERT_NE(IdHeading, nullptr);
    QTest::mouseClick(IdHeading, Qt::LeftButton);
    EXPECT_EQ(NodeIds(), (std::vector<int>{6, 5, 4, 3, 2, 1, -1}));
    QTest::mouseClick(IdHeading, Qt::LeftButton);
    EXPECT_EQ(Column(0), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_TRUE(Services.Messages.empty());
    EXPECT_TRUE(Form.isVisible());
}

TEST_F(NodeSummaryForm, PressureHeadingSortsOnLeftAndChangesUnitsOnRight)
{
    Show(Form);
    Services.PickedUnit = 0; // kPa
    ClickHeading(2);
    EXPECT_EQ(Column(2).front(), "60");
    ClickHeading(2, Qt::RightButton);
    EXPECT_EQ(Form.NodeGrid->Cell(2, 0), "Rel Press,kPa");
    EXPECT_EQ(Column(2).front(), "0.060");
    EXPECT_EQ(NodeIds().front(), 6); // a right click does not sort
}

TEST_F(NodeSummaryForm, DoubleClickPicksTheFirstBranchOfTheNode)
{
    Show(Form);
    DoubleClickRow(3);
    EXPECT_EQ(Form.result(), mrOk);
    EXPECT_FALSE(Form.isVisible());
    ASSERT_NE(Form.PickedBranch, nullptr);
    EXPECT_EQ(Form.PickedBranch->Id(), 2); // node 3 ends branch 2 first
}

TEST_F(NodeSummaryForm, HeadingAndRowsWithoutAKnownNodePickNothing)
{
    G.GetOrAddNode(7)->Name = "lonely";
    Show(Form);
    QHeaderView* H = Form.NodeGrid->horizontalHeader();
    QTest::mouseDClick(H->viewport(), Qt::LeftButton, {}, QPoint(H->sectionViewportPosition(1) + 5, 5));
    EXPECT_TRUE(Form.isVisible());
    Form.NodeGrid->SetCell(0, 2, "99"); // a node gone since the table was filled
    DoubleClickRow(2);
    EXPECT_TRUE(Form.isVisible());
    EXPECT_EQ(Form.PickedBranch, nullptr);

    DoubleClickRow(7);
    EXPECT_EQ(Form.result(), mrOk);
    EXPECT_EQ(Form.PickedBranch, nullptr);
}

TEST_F(NodeSummaryForm, AnEmptyDocumentShowsOneBlankRow)
{
    TDuctGraph Empty;
    Form.SetGraph(Empty);
    Show(Form);
    EXPECT_EQ(Form.NodeGrid->RowCount(), 2);
    EXPECT_EQ(Column(1), QStringList{""});
    DoubleClickRow(1);
    EXPECT_TRUE(Form.isVisible());
}

TEST_F(NodeSummaryForm, PopupMenuCopiesTheTable)
{
    G.FlowNode(2)->Name = "Bend, lower";
    Show(Form);
    const struct {
        const char* Choice;
        const char* FirstRows;
    } Cases[] = {
        {"Copy CSV", ",Caption,\"Rel Press,Pa\",Type\r\n1,\"fan in\",10,Inlet\r\n2,\"Bend, lower\",20,Common"},
        {"Copy Text", "\tCaption\tRel Press,Pa\tType\r\n1\tfan in\t10\tInlet\r\n2\tBend, lower\t20\tCommon"},
    };
    for (const auto& C : Cases) {
        Services.MenuChoice = C.Choice;
        const QPoint At = Form.NodeGrid->CellRect(1, 1).center();
        QContextMenuEvent Menu(QContextMenuEvent::Mouse, At, Form.NodeGrid->viewport()->mapToGlobal(At));
        QApplication::sendEvent(Form.NodeGrid->viewport(), &Menu);
        const QString Expected = C.FirstRows;
        EXPECT_EQ(QGuiApplication::clipboard()->text().left(Expected.size()), Expected) << C.Choice;
    }
}

TEST_F(NodeSummaryForm, SettingsAreReadAtCreationAndWrittenAtClosing)
{
    EXPECT_EQ(Form.CurrentRowColor, QColor(0xE9, 0xF3, 0xFC));
    Store.WriteInteger("NodeSummaryForm", "clCurrentRow", 0x0000FFFF);
    Store.WriteInteger("NodeSummaryForm", "NodeGridCol1", 200);
    Store.WriteInteger("NodeSummaryForm", "TableWidth", 420);
    TNodeSummaryForm Again(G, Store);
    EXPECT_EQ(Again.CurrentRowColor, QColor(Qt::yellow));
    EXPECT_EQ(Again.NodeGrid->ColWidth(1), 200);
    EXPECT_EQ(Again.width(), 420);
    Show(Again);
    Again.NodeGrid->SetColWidth(2, 111);
    Again.reject();
    EXPECT_EQ(Again.result(), QDialog::Rejected);
    EXPECT_EQ(Store.ReadInteger("NodeSummaryForm", "NodeGridCol2", 0), 111);
    EXPECT_EQ(Store.ReadInteger("NodeSummaryForm", "clCurrentRow", 0), 0x0000FFFF);
}
