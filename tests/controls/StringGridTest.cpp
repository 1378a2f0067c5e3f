#include "ControlsTestSupport.h"

#include "controls/GridPictures.h"
#include "controls/InplaceEdit.h"
#include "controls/StringGrid.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>

namespace {

struct TEditedCell {
    int Col, Row;
    QString Text;
    bool operator==(const TEditedCell&) const = default;
    friend void PrintTo(const TEditedCell& E, std::ostream* Os)
    {
        *Os << "(" << E.Col << "," << E.Row << " \"" << E.Text.toStdString() << "\")";
    }
};

// A shown, focused grid whose stored cells are recorded.
struct TGridFixture : testing::Test {
    TxStringGrid Grid;
    std::vector<TEditedCell> Stored;

    void SetUp() override
    {
        Grid.SetOptions(Grid.Options() | xgoEditing);
        Grid.OnDoSetData = [this](TxStringGrid* G, int C, int R) {
            Stored.push_back({C, R, G->Cell(C, R)});
        };
        Grid.resize(400, 300);
        Grid.show();
        Grid.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Grid));
        Grid.setFocus();
    }
    // Each key to whatever has the focus then, as a user's typing goes.
    void Type(const char* Text)
    {
        for (const char* C = Text; *C; ++C)
            QTest::keyClick(QApplication::focusWidget(), *C);
    }
    void Key(Qt::Key K) { QTest::keyClick(QApplication::focusWidget(), K); }
};

} // namespace

TEST(StringGrid, ColumnFormatsAreLazyCutAndMoveWithTheirColumn)
{
    TxStringGrid Grid;
    EXPECT_EQ(Grid.ColFormatStr(2), "%0.1f");
    Grid.SetColFormatStr(2, "%0.3f and then some");
    EXPECT_EQ(Grid.ColFormatStr(2), "%0.3f and th");
    EXPECT_EQ(Grid.ColFormatStr(1), "%0.1f");
    EXPECT_EQ(Grid.ColFormatStr(9), "%0.1f");
    EXPECT_THROW(Grid.SetColFormatStr(5, "%d"), EInvalidGridOperation);

    Grid.SetColWidth(2, 77);
    Grid.MoveColumn(2, 4);
    EXPECT_EQ(Grid.ColFormatStr(4), "%0.3f and th");
    EXPECT_EQ(Grid.ColWidth(4), 77);
    EXPECT_EQ(Grid.ColFormatStr(2), "%0.1f");

    Grid.SetColCount(7);
    EXPECT_EQ(Grid.ColFormatStr(6), "%0.1f");
    Grid.SetDefaultColFormatStr("%0.2f");
    for (int Col = 0; Col < 7; ++Col)
        EXPECT_EQ(Grid.ColFormatStr(Col), "%0.2f");
}

TEST(StringGrid, SizeErrorsCarryTheirTexts)
{
    TxStringGrid Grid;
    const auto Message = [&](auto Action) {
        try {
            Action();
        } catch (const EInvalidGridOperation& E) {
            return std::string(E.what());
        }
        return std::string();
    };
    EXPECT_EQ(Message([&] { Grid.SetRowCount(-1); }), "Too many rows or columns deleted");
    EXPECT_EQ(Message([&] { Grid.SetColCount(134217726); }), "Grid too large for operation");
    EXPECT_EQ(Message([&] { Grid.SetRowCount(50000000); }), "Grid too large for operation");
    EXPECT_EQ(Message([&] { Grid.SetCell(5, 0, "x"); }), "Grid index out of range");
    EXPECT_EQ(Message([&] { (void)Grid.Cell(-1, 0); }), "Grid index out of range");
    EXPECT_EQ(Grid.Cell(3, 99), "");
    EXPECT_EQ(Grid.RowCount(), 5);
}

TEST(StringGrid, DeletingMovesToTheEndAndDrops)
{
    TxStringGrid Grid;
    for (int Col = 0; Col < 5; ++Col)
        for (int Row = 0; Row < 5; ++Row)
            Grid.SetCell(Col, Row, QString("%1,%2").arg(Col).arg(Row));
    Grid.DeleteColumn(0);
    ASSERT_EQ(Grid.ColCount(), 4);
    EXPECT_EQ(Grid.Cell(0, 3), "1,3");
    Grid.DeleteRow(2);
    ASSERT_EQ(Grid.RowCount(), 4);
    EXPECT_EQ(Grid.Cell(3, 2), "4,3");
    EXPECT_EQ(Grid.Cell(3, 3), "4,4");
    Grid.SetRowCount(5);
    EXPECT_EQ(Grid.Cell(3, 4), ""); // a new row starts empty
}

TEST(StringGrid, HeadingRowAndNumbersColumnAreHeaders)
{
    TxStringGrid Grid;
    Grid.SetCell(2, 0, "Flow");
    Grid.SetCell(0, 3, "3");
    Grid.SetColWidth(0, 20);
    EXPECT_EQ(Grid.model()->headerData(1, Qt::Horizontal).toString(), "Flow");
    EXPECT_EQ(Grid.model()->headerData(2, Qt::Vertical).toString(), "3");
    EXPECT_EQ(Grid.model()->rowCount(), 4);
    EXPECT_EQ(Grid.verticalHeader()->width(), 20);
    Grid.SetFixedCols(0);
    EXPECT_EQ(Grid.model()->columnCount(), 5);
    EXPECT_FALSE(Grid.verticalHeader()->isVisibleTo(&Grid));
}

TEST_F(TGridFixture, TypedTextIsStoredOnceWhenMovingOn)
{
    Grid.SetCurrentCell(2, 1);
    Type("150");
    ASSERT_TRUE(Grid.EditorMode());
    EXPECT_EQ(Grid.PendingCol(), 2);
    EXPECT_EQ(Grid.PendingRow(), 1);
    Key(Qt::Key_Down);
    EXPECT_EQ(Stored, (std::vector<TEditedCell>{{2, 1, "150.0"}})); // the column's format
    EXPECT_EQ(Grid.Row(), 2);
    EXPECT_FALSE(Grid.EditorMode());
    EXPECT_EQ(Grid.PendingCol(), -1);
}

TEST_F(TGridFixture, EnterCommitsAndEscLeavesTheCell)
{
    Grid.SetColFormatStr(1, "%s");
    Grid.SetCell(1, 1, "old");
    Grid.SetCurrentCell(1, 1);
    Key(Qt::Key_Return); // opens the editor
    ASSERT_TRUE(Grid.EditorMode());
    Type("new");
    Key(Qt::Key_Escape);
    EXPECT_FALSE(Grid.EditorMode());
    EXPECT_EQ(Grid.Cell(1, 1), "old");
    Type("x");
    Key(Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(Stored, (std::vector<TEditedCell>{{1, 1, "x"}}));
    EXPECT_FALSE(Grid.EditorMode());
}

TEST_F(TGridFixture, AnEditorLeftUntouchedStoresNothing)
{
    Grid.SetCell(1, 1, "477.3");
    Grid.SetCurrentCell(1, 1);
    Key(Qt::Key_Return); // opens the editor
    ASSERT_TRUE(Grid.EditorMode());
    Type("abc"); // no number: every key refused
    Key(Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_FALSE(Grid.EditorMode());
    EXPECT_TRUE(Stored.empty());
    EXPECT_EQ(Grid.Cell(1, 1), "477.3");
}

TEST_F(TGridFixture, DroppedPendingCellStoresNothing)
{
    Grid.SetCurrentCell(1, 2);
    Type("77");
    Grid.DropPendingCell();
    Grid.SetCurrentCell(1, 3);
    EXPECT_TRUE(Stored.empty());
    EXPECT_EQ(Grid.Cell(1, 2), "");
}

TEST_F(TGridFixture, ClickOnTheCurrentCellOpensTheEditorUnlessRefused)
{
    bool Allow = false;
    Grid.OnCanEditShow = [&](TxStringGrid*, int, int, bool& Can) { Can = Allow; };
    Grid.SetCurrentCell(3, 2);
    const QPoint Centre = Grid.CellRect(3, 2).center();
    QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, Centre);
    EXPECT_FALSE(Grid.EditorMode());
    Allow = true;
    QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, Centre);
    EXPECT_TRUE(Grid.EditorMode());
}

TEST(GridPictures, FourDistinctButtonPictures)
{
    std::vector<QImage> Seen;
    for (const char* Name : {"SPINUPPIC", "SPINDNPIC", "PROPEDPIC", "PULLDNPIC"}) {
        const QImage Picture = GridPicture(Name).toImage();
        ASSERT_EQ(Picture.size(), QSize(15, 15)) << Name;
        int Ink = 0;
        for (int Y = 0; Y < 15; ++Y)
            for (int X = 0; X < 15; ++X)
                Ink += qAlpha(Picture.pixel(X, Y)) > 0;
        EXPECT_GT(Ink, 5) << Name;
        for (const QImage& Other : Seen)
            EXPECT_NE(Picture, Other) << Name;
        Seen.push_back(Picture);
    }
    EXPECT_TRUE(GridPicture("OTHERPIC").isNull());
}

TEST_F(TGridFixture, ErrorsOfTheFormBecomeMessages)
{
    TRecordingServices Services;
    Grid.OnDoSetData = [](TxStringGrid*, int, int) { throw std::runtime_error("Flow too high"); };
    Grid.SetCurrentCell(1, 1);
    Type("5");
    Key(Qt::Key_Down);
    EXPECT_EQ(Services.Messages, QStringList{"Flow too high"});
    EXPECT_EQ(Grid.Cell(1, 1), "5.0");
    EXPECT_EQ(Grid.Row(), 2);
}
