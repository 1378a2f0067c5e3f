#include "GridTestSupport.h"

#include "controls/EditFieldUnits.h"
#include "controls/EntryGrid.h"
#include "controls/UnitsText.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

namespace {

enum TRow { rFlow = 1, rDrop, rCount, rType, rFlag, rNote, rSize, rPress };

const QStringList Lines = {
    "Property;Value;Units",
    "Flow; %0.3f; m³/s; ; 0; 0",
    "dP; %0.2f; Pa; ; 10; 100",
    "Count; %0.1f; ; Spin; 0; 1; 0.1",
    "Type; enum; ; Supply; Return; Exhaust",
    "Flag; check",
    "Note; %s; ; PE",
    "Size; %0.0f/%0.0f; mm",
    "Pressure; %0.1f; ; ; 0; 0",
};

struct EntryGrid : testing::Test, TShownGrid<TEntryGrid> {
    EntryGrid()
    {
        Grid.SetLines(Lines);
        Grid.UnitsEditProc = EditFieldUnits;
    }
    // Types Text into the value cell of Row and presses Key.
    void Enter(int Row, const QString& Text, Qt::Key Done = Qt::Key_Return)
    {
        Grid.SetCurrentCell(1, Row);
        Grid.setFocus();
        Type(Text);
        Key(Done);
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(EntryGrid, LinesBuildTheRows)
{
    EXPECT_EQ(Grid.RowCount(), 9);
    EXPECT_EQ(Grid.Cell(0, 0), "Property");
    EXPECT_EQ(Grid.Cell(2, rDrop), "Pa");
    EXPECT_EQ(Grid.Cell(1, rType), "Supply");
    EXPECT_EQ(Grid.Cell(1, rFlag), "[ ]");
    EXPECT_EQ(Grid.Cell(1, rSize), "0/0");
    EXPECT_EQ(Grid.GetValue(1, rSize), "0/0");
    Grid.SetCell(1, rSize, "");
    EXPECT_EQ(Grid.GetValue(1, rSize), "0/0"); // an empty pair reads 0 and 0

    Grid.SetLines({});
    EXPECT_EQ(Grid.RowCount(), 2);
    Grid.SetLines({"H", "Rel Press,Pa; %0.1f; ; NPE; q; 0"});
    EXPECT_EQ(Services.Messages, QStringList{"Error initialising Rel Press,Pa"});
    EXPECT_EQ(Grid.GetFormatStr(1), "%s");
    EXPECT_EQ(Grid.GetValue(1, 1), "");
}

TEST_F(EntryGrid, TypedValueIsStoredOnceWhenMovingOn)
{
    Grid.ColorEditMode = Qt::yellow;
    Grid.SetCurrentCell(1, rDrop);
    Type("5");
    EXPECT_EQ(Grid.InplaceEditor()->palette().color(QPalette::Base), QColor(Qt::yellow));
    Grid.DropPendingCell();
    Enter(rDrop, "50", Qt::Key_Down);
    EXPECT_EQ(Stored, (std::vector<TStoredCell>{{1, rDrop}}));
    EXPECT_EQ(Grid.Cell(1, rDrop), "50.00");
    EXPECT_EQ(Grid.Row(), rCount);
}

TEST_F(EntryGrid, EnterOnAnOutOfRangeCellStoresTheLimit)
{
    Enter(rDrop, "150");
    EXPECT_EQ(Grid.Cell(1, rDrop), "100.00");
    EXPECT_EQ(Stored, (std::vector<TStoredCell>{{1, rDrop}}));
    EXPECT_EQ(Services.Beeps, 1);
    EXPECT_FALSE(Grid.EditorMode());
}

TEST_F(EntryGrid, UnreadableEntryKeepsTheOldCell)
{
    Grid.SetValue(1, rDrop, 50);
    for (Qt::Key Done : {Qt::Key_Down, Qt::Key_Return}) {
        SCOPED_TRACE(Done);
        Services.Beeps = 0;
        Enter(rDrop, ".", Done);
        EXPECT_EQ(Grid.Cell(1, rDrop), "50.00");
        EXPECT_TRUE(Stored.empty());
        EXPECT_EQ(Services.Beeps, 1);
    }
}

TEST_F(EntryGrid, RebuildWithTheEditorOpenStoresNothing)
{
    Grid.SetCurrentCell(1, rFlow);
    Type("77");
    ASSERT_TRUE(Grid.EditorMode());
    Grid.SetLines(Lines);
    Grid.SetCurrentCell(1, rDrop);
    EXPECT_TRUE(Stored.empty());
    EXPECT_EQ(Grid.Cell(1, rFlow), "0.000");
}

TEST_F(EntryGrid, SpinButtonsStepByTheIncrementWithinTheRange)
{
    Grid.SetCurrentCell(1, rCount);
    ASSERT_TRUE(Grid.SpinUpButton()->isVisible());
    const struct {
        double From;
        QToolButton* Button;
        const char* To;
    } Cases[] = {
        {0.3, Grid.SpinUpButton(), "0.4"},   {0.7, Grid.SpinUpButton(), "0.8"},
        {0.94, Grid.SpinUpButton(), "1.0"},  {1.0, Grid.SpinUpButton(), "1.0"},
        {0.3, Grid.SpinDownButton(), "0.2"}, {0.0, Grid.SpinDownButton(), "0.0"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.From);
        Grid.SetValue(1, rCount, C.From);
        Stored.clear();
        Click(C.Button);
        EXPECT_EQ(Grid.Cell(1, rCount), C.To);
        EXPECT_EQ(Stored.size(), C.From == 1.0 || C.From == 0.0 ? 0u : 1u);
    }
}

TEST_F(EntryGrid, EnumCellsStepWrapAndPick)
{
    Grid.SetCurrentCell(1, rType);
    EXPECT_FALSE(Grid.EditorMode());
    Key(Qt::Key_Right);
    EXPECT_EQ(Grid.Cell(1, rType), "Return");
    Key(Qt::Key_Left);
    Key(Qt::Key_Left);
    EXPECT_EQ(Grid.Cell(1, rType), "Exhaust");
    QTest::mouseDClick(Grid.viewport(), Qt::LeftButton, {}, Grid.CellRect(1, rType).center());
    EXPECT_EQ(Grid.Cell(1, rType), "Supply");
    EXPECT_EQ(Stored.size(), 4u);
    EXPECT_EQ(Grid.GetValue(1, rType), 0);

    Grid.SetValue(1, rType, 7); // no such item
    EXPECT_EQ(Grid.Cell(1, rType), "Supply");

    ASSERT_TRUE(Grid.PullDownButton()->isVisible());
    Click(Grid.PullDownButton());
    QListWidget* List = Grid.PullDownList();
    ASSERT_TRUE(List->isVisible());
    EXPECT_EQ(List->currentRow(), 0);
    EXPECT_EQ(List->height(), List->sizeHintForRow(0) * 4);
    EXPECT_GE(List->width(), Grid.CellRect(1, rType).width());
    Click(List->viewport(), List->visualItemRect(List->item(2)).center());
    EXPECT_FALSE(List->isVisible());
    EXPECT_EQ(Grid.Cell(1, rType), "Exhaust");

    Grid.SetEnumStrings(rType, {});
    Stored.clear();
    Key(Qt::Key_Right);
    EXPECT_TRUE(Stored.empty());
}

TEST_F(EntryGrid, CheckAndPropertyEditorCells)
{
    Grid.SetCurrentCell(1, rFlag);
    ASSERT_TRUE(Grid.CheckBox()->isVisible());
    Click(Grid.CheckBox(), {8, Grid.CheckBox()->height() / 2}); // on the box
    EXPECT_EQ(Grid.Cell(1, rFlag), "[x]");
    EXPECT_EQ(Grid.GetValue(1, rFlag), true);

    int Answer = 1;
    Grid.SetPropEditor(rNote, [&](QVariant& V) {
        V = V.toString() + "+";
        return Answer;
    });
    Grid.SetCurrentCell(1, rNote);
    Stored.clear();
    for (int Result : {1, 2, 0}) {
        Answer = Result;
        Click(Grid.PropEditButton());
    }
    EXPECT_EQ(Grid.Cell(1, rNote), "+");
    EXPECT_EQ(Stored, (std::vector<TStoredCell>{{1, rNote}})); // only result 1 stores
}

TEST_F(EntryGrid, RowsShowHeldValuesInTheirUnits)
{
    // Pressure drop held in Pa, shown in InchWg.
    Grid.SetUnits(rPress, utAirPressDrop, 1, 0, ft_Fixed, 5, 1);
    Grid.SetValue(1, rPress, 250);
    EXPECT_EQ(Grid.Cell(1, rPress), "1.0037");
    EXPECT_EQ(Grid.Cell(2, rPress), "InchWg");
    Enter(rPress, "2");
    EXPECT_NEAR(Grid.GetValue(1, rPress).toDouble(), 498.185, 0.01);
    Grid.SetUnitsValue(rPress, 1);
    EXPECT_EQ(Grid.Cell(1, rPress), "498");

    // Flow held in m³/s, typed in l/s, then the units picked by a click.
    Grid.SetUnits(rFlow, utAirFlowPrim, 1, 0, ft_Fixed, 3, 0);
    Enter(rFlow, "1000");
    EXPECT_DOUBLE_EQ(Grid.GetValue(1, rFlow).toDouble(), 1.0);
    int AfterClick = -1;
    Grid.OnAfterRightClick = [&](TxFieldGrid*, int Row) { AfterClick = Row; };
    PickedUnit = 4;
    ClickCell(2, rFlow, Qt::RightButton);
    EXPECT_EQ(Picks, std::vector<TUnitsType>{utAirFlowPrim});
    EXPECT_EQ(AfterClick, rFlow);
    EXPECT_EQ(Grid.Cell(1, rFlow), "2118.88");
    EXPECT_EQ(Grid.Cell(2, rFlow), "cfm");
    EXPECT_NEAR(Grid.GetValue(1, rFlow).toDouble(), 1.0, 1e-6);

    // A row without units: the click changes nothing.
    ClickCell(2, rCount);
    EXPECT_EQ(Picks.size(), 1u);
}

TEST_F(EntryGrid, TwoColumnsCarryTheUnitInTheCaption)
{
    Grid.SetColCount(2);
    Grid.UnitsCol = 0;
    Grid.SetLines({"H", "Rel Press,Pa; %0.1f; ; NPE; 0; 0"});
    Grid.SetUnits(1, utAirPressDrop, 1, 0, ft_Fixed, 1, 1);
    Grid.SetValue(1, 1, 1500);
    PickedUnit = 0;
    ClickCell(0, 1);
    EXPECT_EQ(Grid.Cell(0, 1), "Rel Press,kPa");
    EXPECT_EQ(Grid.Cell(1, 1), "1.500");
}

TEST_F(EntryGrid, RowOperationsNameTheirRow)
{
    const std::pair<std::function<void()>, const char*> Cases[] = {
        {[&] { Grid.SetUnits(rNote, utAirFlowPrim, 1, 0, ft_Fixed, 0, 0); }, "Error setting units, row 6"},
        {[&] { Grid.SetSigDigs(rType, 3); }, "Error setting significant digits, row 4"},
        {[&] { Grid.SetPropEditor(rType, {}); }, "Error setting property editor, row 4"},
        {[&] { Grid.SetEnumStrings(rFlow, {}); }, "Error setting enum strings, row 1"},
        {[&] { Grid.SetRowEnabled(42, false); }, "Error setting enabled row 42"},
        {[&] { Grid.SetRowEditable(0, false); }, "Error setting editable row 0"},
        {[&] { Grid.GetRangeHi(rFlag); }, "Error getting range hi, row 5"},
        {[&] { Grid.GetRangeLo(rFlag); }, "Error getting range lo, row 5"},
        {[&] { Grid.GetUnitsFactor(rNote); }, "Error getting units factor, row 6"},
        {[&] { Grid.GetUnitsZero(rNote); }, "Error getting units zero value, row 6"},
        {[&] { Grid.GetUnitsValue(rNote); }, "Error getting units value, row 6"},
        {[&] { Grid.SetUnitsValue(rNote, 1); }, "Error setting units value, row 6"},
        {[&] { Grid.GetFormatStr(99); }, "Error getting format string, row 99"},
    };
    for (const auto& [Action, Message] : Cases)
        EXPECT_EQ(FieldErrorOf(Action), Message);
    EXPECT_EQ(Grid.GetRangeHi(rDrop), 100);
    EXPECT_FALSE(Grid.GetUnitsEditable(rNote));
    EXPECT_EQ(FormatRowValueWithUnits(Grid, rDrop, "Pa", 12.345), "12.35 Pa");
}

TEST_F(EntryGrid, DisabledOrReadOnlyRowsTakeNoEntry)
{
    Grid.SetRowEnabled(rDrop, false);
    Grid.SetRowEditable(rCount, false);
    for (int Row : {rDrop, rCount}) {
        Grid.SetCurrentCell(1, Row);
        Type("5");
        EXPECT_FALSE(Grid.EditorMode()) << Row;
    }
    EXPECT_FALSE(Grid.SpinUpButton()->isVisible());
    EXPECT_FALSE(Grid.GetRowEnabled(rDrop));
}

TEST_F(EntryGrid, OnlyTheFocusedOrAlwaysShownCurrentCellStandsOut)
{
    const QColor Highlight = Grid.palette().color(QPalette::Highlight);
    Grid.SetColorEditCol(QColor(255, 255, 200));
    Grid.SetCurrentCell(1, rFlow);
    const auto Colour = [&](int Col, int Row) {
        return Grid.viewport()->grab().toImage().pixelColor(Grid.CellRect(Col, Row).topLeft() +
                                                            QPoint(1, 1));
    };
    EXPECT_EQ(Colour(1, rFlow), Highlight);
    EXPECT_EQ(Colour(1, rDrop), QColor(255, 255, 200));
    Grid.clearFocus();
    EXPECT_EQ(Colour(1, rFlow), QColor(255, 255, 200));
    Grid.SetAlwaysShowCell(true);
    EXPECT_EQ(Colour(1, rFlow), Highlight);
}

TEST(EntryGridInDialog, LeavingForAnotherFieldStoresTheLimitAndLetsTheFocusGo)
{
    TRecordingServices Services;
    QDialog Dialog;
    auto* Grid = new TEntryGrid(&Dialog);
    auto* Other = new QLineEdit(&Dialog);
    auto* Layout = new QVBoxLayout(&Dialog);
    Layout->addWidget(Grid);
    Layout->addWidget(Other);
    Grid->SetLines(Lines);
    Grid->resize(300, 200);
    int Stored = 0;
    Grid->OnDoSetData = [&](TxStringGrid*, int, int) { ++Stored; };
    Dialog.show();
    QApplication::setActiveWindow(&Dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog));
    Grid->setFocus();
    Grid->SetCurrentCell(1, rDrop);
    for (const char C : {'1', '5', '0'})
        QTest::keyClick(QApplication::focusWidget(), C);
    ASSERT_TRUE(Grid->EditorMode());
    Other->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(Grid->Cell(1, rDrop), "100.00");
    EXPECT_EQ(Stored, 1);
    EXPECT_EQ(Services.Beeps, 1);
    EXPECT_EQ(QApplication::focusWidget(), Other);
}

TEST_F(EntryGrid, AnyMouseButtonInTheUnitsColumnOffersTheUnits)
{
    Grid.SetUnits(rFlow, utAirFlowPrim, 1, 0, ft_Fixed, 3, 0);
    for (Qt::MouseButton Button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        ClickCell(2, rFlow, Button);
    EXPECT_EQ(Picks.size(), 3u);
}
