#include "GridTestSupport.h"

#include "controls/ColGrid.h"
#include "controls/CopyGridToClipboard.h"
#include "controls/EditFieldUnits.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QHeaderView>
#include <QToolButton>

namespace {

enum TCol { cDescr = 1, cDrop, cKind, cSize };

struct ColGrid : testing::Test, TShownGrid<TxColGrid> {
    ColGrid()
    {
        Grid.ShowItemNumbers = true;
        Grid.SetRowCount(3);
        Grid.SetFieldDefs({";;;;;", "Description; %s; ; ;", "dP, Pa; %0.0f; ; ; 0; 0",
                           "Kind; enum; ; Grille; Diffuser", "Size; %0.0f/%0.0f; ; PE"});
        Grid.SetUnits(cDrop, utAirPressDrop, 1, 0, ft_Fixed, 1, 1); // held and shown in Pa
        Grid.SetCellValue(cDrop, 1, 250);
        Grid.SetCellValue(cDrop, 2, 1000);
        Grid.UnitsEditProc = EditFieldUnits;
    }
    void ClickHeading(int Col, Qt::MouseButton Button = Qt::LeftButton)
    {
        QHeaderView* Header = Grid.horizontalHeader();
        const int Section = Col - Grid.FixedCols();
        Click(Header->viewport(),
              {Header->sectionViewportPosition(Section) + Header->sectionSize(Section) / 2,
               Header->height() / 2},
              Button);
    }
};

} // namespace

TEST_F(ColGrid, DefinitionsBuildTheColumns)
{
    EXPECT_EQ(Grid.ColCount(), 5);
    EXPECT_EQ(Grid.Cell(cDrop, 0), "dP,Pa"); // its units set
    EXPECT_EQ(Grid.Cell(0, 2), "2");
    EXPECT_EQ(Grid.Cell(cKind, 1), "Grille");
    EXPECT_EQ(Grid.Cell(cSize, 2), "0/0");
    EXPECT_EQ(Grid.Cell(cDrop, 2), "1000");
    EXPECT_TRUE(Grid.IsEnumColumn(cKind, 1));
    EXPECT_FALSE(Grid.IsEnumColumn(cKind, 0));
    Grid.SetRowCount(4);
    EXPECT_EQ(Grid.Cell(0, 3), "3"); // row numbers count the data rows
}

TEST_F(ColGrid, HeadingClickSwitchesTheColumnUnits)
{
    int AfterClick = -1;
    Grid.OnAfterRightClick = [&](TxFieldGrid*, int Col) { AfterClick = Col; };
    PickedUnit = 0; // kPa
    ClickHeading(cDrop);
    EXPECT_EQ(Picks, std::vector<TUnitsType>{utAirPressDrop});
    EXPECT_EQ(AfterClick, cDrop);
    EXPECT_EQ(Grid.Cell(cDrop, 0), "dP,kPa");
    EXPECT_EQ(Grid.Cell(cDrop, 1), "0.250");
    EXPECT_EQ(Grid.Cell(cDrop, 2), "1.000");
    EXPECT_DOUBLE_EQ(Grid.GetCellValue(cDrop, 1).toDouble(), 250);
    EXPECT_DOUBLE_EQ(Grid.GetCellValue(cDrop, 2).toDouble(), 1000);

    PickedUnit = 5; // InchWg, by the right button
    ClickHeading(cDrop, Qt::RightButton);
    EXPECT_EQ(Grid.Cell(cDrop, 0), "dP,InchWg");
    EXPECT_EQ(Grid.Cell(cDrop, 1), "1.0037");

    for (int Col : {cDescr, cKind, cSize})
        ClickHeading(Col);
    EXPECT_EQ(Picks.size(), 2u); // no units there
}

TEST_F(ColGrid, ColumnOperationsNameTheirColumn)
{
    const std::pair<std::function<void()>, const char*> Cases[] = {
        {[&] { Grid.SetUnits(cDescr, utAirFlowPrim, 1, 0, ft_Fixed, 0, 0); },
         "Error setting units, field def 1"},
        {[&] { Grid.SetPropEditor(cKind, {}); }, "Error setting property editor, field def 3"},
        {[&] { Grid.SetEnumStrings(cDrop, {}); }, "Error setting enum strings, field def 2"},
        {[&] { Grid.SetFieldEnabled(9, false); }, "Error setting enabled field def 9"},
        {[&] { Grid.SetFieldEditable(-1, false); }, "Error setting editable field def -1"},
        {[&] { Grid.GetRangeHi(cKind); }, "Error getting range hi, field def 3"},
        {[&] { Grid.GetRangeLo(cDescr); }, "Error getting range lo, field def 1"},
        {[&] { Grid.SetUnitsValue(cSize + 1, 0); }, "Error setting units value, field def 5"},
        {[&] { Grid.SetFieldDef(0, "X; %s"); }, "Error replacing field def (col)0"},
    };
    for (const auto& [Action, Message] : Cases)
        EXPECT_EQ(FieldErrorOf(Action), Message);

    Grid.SetFieldDef(cDescr, "Flow; %0.2f; ; Spin; 0; 10");
    EXPECT_EQ(Grid.Cell(cDescr, 0), "Flow");
    EXPECT_EQ(Grid.Cell(cDescr, 2), "0.00");
    EXPECT_EQ(Grid.GetRangeHi(cDescr), 10);
}

TEST_F(ColGrid, CellsAreEditedAsTheirColumnSays)
{
    Grid.SetCurrentCell(cDrop, 1);
    Type("300");
    Key(Qt::Key_Down); // stores the entry
    EXPECT_EQ(Stored, (std::vector<TStoredCell>{{cDrop, 1}}));
    Grid.SetCurrentCell(cDrop, 1);
    Key(Qt::Key_Right);
    EXPECT_EQ(Grid.Col(), cKind);
    Key(Qt::Key_Right); // arrows move through an enum column
    EXPECT_EQ(Grid.Col(), cSize);
    EXPECT_EQ(Grid.Cell(cKind, 1), "Grille");
    EXPECT_TRUE(Grid.PropEditButton()->isVisible());

    Grid.SetFieldEditable(cDescr, false);
    Grid.SetCurrentCell(cDescr, 2);
    Type("x");
    EXPECT_FALSE(Grid.EditorMode());
    EXPECT_EQ(Grid.GetCellValue(cDrop, 1).toInt(), 300);
}

TEST(GridClipboard, CommaTextAndTabText)
{
    TxColGrid Grid;
    Grid.SetRowCount(2);
    Grid.SetFieldDefs({";;;;;", "dP, Pa; %0.0f", "Name; %s", "Note; %s"});
    Grid.SetCell(0, 1, "1");
    Grid.SetCell(1, 1, "250");
    Grid.SetCell(2, 1, "say \"hi\"");
    Grid.SetCell(3, 1, "plain");
    CopyGridToClipboard(Grid, ",");
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              ",\"dP, Pa\",Name,Note\r\n1,250,\"say \"\"hi\"\"\",plain");
    CopyGridToClipboard(Grid, "\t");
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "\tdP, Pa\tName\tNote\r\n1\t250\tsay \"hi\"\tplain");
}
