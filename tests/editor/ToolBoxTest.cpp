// The grid, scale, calibration and size tool boxes and their wiring to the
// view.

#include "EditorTestSupport.h"

#include "controls/CmbEdit.h"
#include "controls/FmtEdit.h"
#include "editor/CalibrateScaleForm.h"
#include "editor/ScaleToolBox.h"
#include "editor/SizeToolBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <functional>

using namespace edtest;

namespace {

// Types Text into Edit and leaves it.
void Type(TFmtEdit* Edit, const QString& Text)
{
    QWidget* Window = Edit->window();
    Window->show();
    QApplication::setActiveWindow(Window);
    Edit->setFocus();
    Edit->setText(Text);
    Edit->SetModified(true);
    Edit->clearFocus();
}

} // namespace

TEST(ToolBoxes, CalibrationPicksTwoPointsOnTheDrawing)
{
    TViewFixture F;
    TCalibrateScaleForm* Form = F.Frame->CalibrateScaleForm();
    F.Frame->show();
    Form->show();
    Type(Form->EdLength, "10");
    Form->StartBtn->click();
    EXPECT_TRUE(F.Frame->IsPicking());
    F.Click({100, 100});
    F.Frame->Image1MouseMove(0, 200, 100); // the crosshair and measuring line follow
    EXPECT_EQ(F.Frame->CanvasImage(), F.FreshRender());
    EXPECT_EQ(F.Frame->CanvasImage().pixelColor(150, 100), QColor(86, 86, 86)) << "the measuring line";
    F.Click({103, 104});
    EXPECT_FALSE(F.Frame->IsPicking());
    EXPECT_EQ(F.Graph.NodeCount(), 0) << "picking presses make nothing";
    EXPECT_EQ(Form->StatusScale->text(), "Scale : 2.0000 m/pixel");
    EXPECT_EQ(Form->StatusPoints->text(), "(100 : 100) - (103 : 104)");
    EXPECT_EQ(F.Frame->CanvasImage(), F.FreshRender()) << "crosshairs gone";
    EXPECT_EQ(F.Frame->CanvasImage().pixelColor(150, 100), QColor(Qt::white));

    Form->AcceptBtn->click();
    EXPECT_DOUBLE_EQ(F.Graph.Scale, 2.0);
    EXPECT_EQ(F.Frame->ScaleToolBox()->EdMScale->Text(), "2.0000");
    EXPECT_FALSE(Form->isVisible());

    // Two points that coincide are refused: the scale stays.
    Form->StartBtn->click();
    F.Click({50, 50});
    F.Click({50, 50});
    EXPECT_EQ(F.Services.Messages.size(), 1);
    EXPECT_EQ(Form->StatusScale->text(), "Scale : 2.0000 m/pixel");
    Form->AcceptBtn->click();
    EXPECT_DOUBLE_EQ(F.Graph.Scale, 2.0);
}

TEST(ToolBoxes, GridSettingsLoadHeldToTheirRangeAndAreSaved)
{
    const struct {
        const char* Stored; // "GridGap" in the settings, null for none
        int Gap;
    } Cases[] = {{nullptr, 10}, {"0", 5}, {"25", 25}, {"400", 40}, {"ten", 10}};
    for (const auto& C : Cases) {
        TMemorySettingsStore Store;
        if (C.Stored)
            Store.WriteString("GridSettings", "GridGap", C.Stored);
        {
            TGridToolBox Box(Store);
            EXPECT_EQ(Box.GridGap, C.Gap) << (C.Stored ? C.Stored : "none");
            EXPECT_EQ(Box.OldGridGap, C.Gap);
            EXPECT_TRUE(Box.SnapToGrid);
            EXPECT_FALSE(Box.GridVisible);
            Box.CBGridVisible->click();
        }
        EXPECT_TRUE(Store.ReadBool("GridSettings", "GridVisible", false));
        EXPECT_EQ(Store.ReadInteger("GridSettings", "GridGap", 0), C.Gap);
    }
}

TEST(ToolBoxes, TheGridBoxDrivesTheView)
{
    TViewFixture F(true);
    TGridToolBox* Grid = F.Frame->GridToolBox();
    Grid->show();
    int GapEvents = 0;
    const auto Forward = Grid->OnGridGapChanged;
    Grid->OnGridGapChanged = [&] { ++GapEvents; Forward(); };
    // A gap changed while the grid is hidden fires nothing but snaps at once.
    Type(Grid->EdGridGap, "25");
    EXPECT_EQ(Grid->GridGap, 25);
    EXPECT_EQ(Grid->OldGridGap, 10);
    EXPECT_EQ(GapEvents, 0);
    F.Frame->NodeBtn->setChecked(true);
    F.Click({63, 61});
    EXPECT_EQ(QPoint(F.Graph.FindNode(1)->X, F.Graph.FindNode(1)->Y), QPoint(75, 50));

    // The tool bar's grid button toggles the box, which shows the dots.
    F.Frame->GridButton->click();
    EXPECT_TRUE(Grid->GridVisible);
    EXPECT_TRUE(Grid->CBGridVisible->isChecked());
    EXPECT_EQ(F.Frame->CanvasImage().pixelColor(25, 25), QColor(255, 140, 0));
    Type(Grid->EdGridGap, "8"); // while the grid shows, the dots move at once
    EXPECT_EQ(GapEvents, 1);
    EXPECT_EQ(Grid->GridGap, 8);
    EXPECT_EQ(F.Frame->CanvasImage(), F.FreshRender());
    F.Frame->SnapButton->click();
    EXPECT_FALSE(Grid->SnapToGrid);

    // Align all: every node on the grid, handles at the new midpoints.
    F.Node(2, 203, 97);
    F.Branch(1, 1, 2);
    Grid->SnapAllBtn->click();
    EXPECT_EQ(QPoint(F.Graph.FindNode(2)->X, F.Graph.FindNode(2)->Y), QPoint(200, 96));
    EXPECT_EQ(QPoint(F.Graph.FindBranch(1)->LabelX, F.Graph.FindBranch(1)->LabelY), QPoint(136, 72));
}

TEST(ToolBoxes, ScaleAndSizeBoxesSetTheDrawing)
{
    TViewFixture F;
    F.Node(1, 300, 200);
    F.Node(2, 500, 400);
    F.Frame->RedrawGraph();
    TScaleToolBox* Scale = F.Frame->ScaleToolBox();
    Scale->show();
    Type(Scale->EdMScale->Edit(), "0.05");
    EXPECT_DOUBLE_EQ(F.Graph.Scale, 0.05);
    Scale->CBDrawToScale->click();
    EXPECT_TRUE(F.Graph.DrawToScale);
    EXPECT_TRUE(F.Frame->AutoScaleButton->isChecked());

    TSizeToolBox* Size = F.Frame->SizeToolBox();
    F.Frame->gvfActionBackResize->trigger();
    EXPECT_TRUE(Size->isVisible());
    EXPECT_EQ(Size->EdWidth->text(), "900");
    Type(Size->EdWidth, "1200");
    EXPECT_EQ(F.Graph.Width, 1200);
    EXPECT_EQ(F.Frame->Image1->width(), 1200);
    Size->CropBtn->click();
    EXPECT_EQ(QSize(F.Graph.Width, F.Graph.Height), QSize(280, 280));
    EXPECT_EQ(QPoint(F.Graph.FindNode(1)->X, F.Graph.FindNode(1)->Y), QPoint(40, 40));
    EXPECT_EQ(Size->EdHeight->text(), "280");

    // A document's size is held to 1..10000 pixels, and to its nodes with
    // the margin the crop gives them.
    F.Graph.Width = 0;
    F.Graph.Height = 250000;
    F.Frame->RedrawGraph();
    EXPECT_EQ(QSize(F.Graph.Width, F.Graph.Height), QSize(280, 10000));
    EXPECT_EQ(F.Frame->Image1->size(), QSize(280, 10000));
}

TEST(ToolBoxes, ScaleChangesMarkTheDocumentChanged)
{
    const struct {
        const char* Change;
        std::function<void(TViewFixture&)> Make;
    } Cases[] = {
        {"typed scale", [](TViewFixture& F) { Type(F.Frame->ScaleToolBox()->EdMScale->Edit(), "0.05"); }},
        {"auto length", [](TViewFixture& F) { F.Frame->ScaleToolBox()->CBDrawToScale->click(); }},
        {"calibrated",
         [](TViewFixture& F) {
             F.Frame->CalibrateScaleForm()->SetPoints({0, 0}, {40, 0});
             F.Frame->CalibrateScaleForm()->AcceptBtn->click();
         }},
    };
    for (const auto& C : Cases) {
        TViewFixture F;
        F.Frame->RedrawGraph();
        int Changes = 0;
        F.Frame->OnChanged = [&] { ++Changes; };
        C.Make(F);
        EXPECT_EQ(Changes, 1) << C.Change;
    }
}

TEST(ToolBoxes, NeitherARedrawNorTheSizeBoxMovesAPlacedNode)
{
    TViewFixture F;
    F.Node(1, 100, 100);
    F.Node(2, 850, 960); // beyond the document's 900 by 900
    F.Branch(1, 1, 2);
    F.Frame->RedrawGraph();
    // The node's symbol whole: the margin the size box keeps too.
    EXPECT_EQ(QSize(F.Graph.Width, F.Graph.Height), QSize(900, 1000)) << "the drawing holds its nodes";
    const QPoint Handle(F.Graph.FindBranch(1)->LabelX, F.Graph.FindBranch(1)->LabelY);

    TSizeToolBox* Size = F.Frame->SizeToolBox();
    F.Frame->gvfActionBackResize->trigger();
    Type(Size->EdWidth, "400");
    EXPECT_EQ(F.Graph.Width, 890);
    EXPECT_EQ(Size->EdWidth->text(), "890") << "the smallest width it can take: the nodes' extent";
    Type(Size->EdWidth, "1000");
    EXPECT_EQ(QPoint(F.Graph.FindNode(2)->X, F.Graph.FindNode(2)->Y), QPoint(850, 960));
    EXPECT_EQ(QPoint(F.Graph.FindBranch(1)->LabelX, F.Graph.FindBranch(1)->LabelY), Handle);
}

// Snapping every node grows the drawing to hold them first: nodes beyond its
// size once snapped to its edge (an imported 1300 became 879).
TEST(ToolBoxes, SnappingAllGrowsTheDrawingFirst)
{
    TViewFixture F;
    F.Node(1, 100, 100);
    F.Node(2, 1302, 1298); // beyond the document's 900 by 900
    F.Branch(1, 1, 2);
    F.Frame->SnapAllNodesToGrid();
    EXPECT_EQ(QPoint(F.Graph.FindNode(2)->X, F.Graph.FindNode(2)->Y), QPoint(1300, 1300));
    EXPECT_EQ(QSize(F.Graph.Width, F.Graph.Height), QSize(1342, 1338));
}
