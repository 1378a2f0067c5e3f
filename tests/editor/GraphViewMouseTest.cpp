// The view's mouse controller: tools, spawns, drags, merges, bands, Shift
// clicks, pop-ups, and a canvas that always equals a fresh render.

#include "EditorTestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <functional>

using namespace edtest;

TEST(GraphViewMouse, ADropWithinHalfAGapMergesButNeverWithTheSink)
{
    const struct {
        const char* Name;
        int Offset;      // from node 2 where node 1 is dropped
        bool SinkTarget; // node 2 is inactive
        bool Merged;
    } Cases[] = {{"4 px away", 4, false, true}, {"5 px away", 5, false, false}, {"onto the Sink", 0, true, false}};
    for (const auto& C : Cases) {
        TViewFixture F(false); // merging tests half a gap whether or not snapping is on
        F.Node(1, 100, 100);
        F.Node(2, 300, 300);
        F.Node(3, 300, 100);
        F.Branch(1, 2, 3);
        static_cast<TTestNode*>(F.Graph.FindNode(2))->Active = !C.SinkTarget;
        std::vector<int> Merged;
        F.Frame->OnNodesMerged = [&](TNode* N) { Merged.push_back(N->Id()); };
        F.Drag({100, 100}, {300 + C.Offset, 300});
        EXPECT_EQ(F.Graph.FindNode(2) == nullptr, C.Merged) << C.Name;
        EXPECT_EQ(Merged, C.Merged ? std::vector<int>{1} : std::vector<int>{}) << C.Name;
        if (C.Merged) {
            EXPECT_EQ(F.Graph.FindBranch(1)->FromNode->Id(), 1) << "the dropped node keeps its id and takes the branch";
            EXPECT_EQ(F.Graph.FindNode(1)->X, 304);
        }
    }
    // A click that moves nothing merges nothing, however close the nodes.
    TViewFixture F(false);
    F.Node(1, 300, 300);
    F.Node(2, 302, 301);
    F.Click({299, 299});
    EXPECT_EQ(F.Graph.NodeCount(), 2);
    EXPECT_EQ(F.Frame->SelectedNode(), F.Graph.FindNode(1));
}

// A merge deletes through the one deletion path: each branch it drops is
// told before and after as a single delete is, then the dropped node.
TEST(GraphViewMouse, AMergeReportsItsDeletionsAsSingleDeletesDo)
{
    TViewFixture F(false);
    F.Node(1, 100, 100); // dragged onto node 2
    F.Node(2, 300, 300);
    F.Node(3, 300, 100);
    F.Node(4, 500, 300);
    F.Branch(1, 1, 2); // joins the two: goes
    F.Branch(2, 1, 3);
    F.Branch(3, 2, 3); // would repeat branch 2's link to node 3: goes
    F.Branch(4, 2, 4); // moves to node 1
    std::vector<std::string> Events;
    const auto Id = [](const auto* Item) { return Item ? std::to_string(Item->Id()) : std::string("none"); };
    F.Frame->OnBeforeDeleteBranch = [&](TBranch* B) { Events.push_back("before branch " + Id(B)); };
    F.Frame->OnBeforeDeleteNode = [&](TNode* N) { Events.push_back("before node " + Id(N)); };
    F.Frame->OnBranchSelected = [&](TBranch* B) { Events.push_back("selected " + Id(B)); };
    F.Frame->OnBranchDeleted = [&](TNode* From, TNode* To) { Events.push_back("deleted " + Id(From) + "-" + Id(To)); };
    F.Frame->OnNodesMerged = [&](TNode* N) { Events.push_back("merged " + Id(N)); };
    F.Drag({100, 100}, {300, 300});
    EXPECT_EQ(Events, (std::vector<std::string>{"before branch 3", "before branch 1", "selected none", "deleted 2-3",
                                                "deleted 1-2", "before node 2", "selected none", "selected none",
                                                "merged 1"}));
    EXPECT_EQ(F.Graph.FindNode(2), nullptr);
    EXPECT_EQ(F.Graph.FindBranch(1), nullptr);
    EXPECT_EQ(F.Graph.FindBranch(3), nullptr);
    EXPECT_EQ(F.Graph.FindBranch(4)->FromNode, F.Graph.FindNode(1)) << "the kept node took the branch";
}

TEST(GraphViewMouse, SpawnModesFollowTheExactShiftState)
{
    const struct {
        TShiftState Modifiers;
        int Mode;
        bool Outwards; // branch from the pressed node to the new one
    } Cases[] = {{ssShift | ssCtrl, 2, false}, {ssShift | ssAlt, 3, false}, {ssCtrl, 4, true},
                 {ssAlt, 5, true},             {ssShift, 1, false},        {ssShift | ssCtrl | ssAlt, 1, false}};
    for (const auto& C : Cases) {
        TViewFixture F;
        F.Node(1, 200, 200);
        F.Drag({200, 200}, {300, 260}, C.Modifiers);
        EXPECT_EQ(F.Frame->SpawnMode(), C.Mode) << C.Modifiers;
        if (C.Mode == 1) {
            EXPECT_EQ(F.Graph.NodeCount(), 1);
            EXPECT_EQ(F.Graph.FindNode(1)->BlockState, 1) << "Shift toggles block membership";
            EXPECT_TRUE(F.Frame->HasBlock());
            continue;
        }
        ASSERT_EQ(F.Graph.NodeCount(), 2) << C.Modifiers;
        TNode* New = F.Graph.FindNode(2);
        EXPECT_EQ(QPoint(New->X, New->Y), QPoint(300, 260)) << "the new node follows the pointer";
        TBranch* B = F.Graph.FindBranch(1);
        ASSERT_NE(B, nullptr);
        EXPECT_EQ(B->FromNode->Id(), C.Outwards ? 1 : 2);
        EXPECT_EQ(B->ToNode->Id(), C.Outwards ? 2 : 1);
        EXPECT_EQ(F.Frame->SelectedBranch(), B);
        EXPECT_EQ(QPoint(B->LabelX, B->LabelY), QPoint(250, 230));
    }
}

TEST(GraphViewMouse, ASpawnReleasedInPlaceIsTakenBack)
{
    TViewFixture F;
    F.Node(1, 200, 200)->Name = "Fan room";
    F.Click({200, 200}, ssCtrl);
    EXPECT_EQ(NodeIds(F.Graph), std::vector<int>{1});
    EXPECT_EQ(F.Graph.FindNode(1)->Name, "Fan room");
    EXPECT_EQ(F.Graph.BranchCount(), 0);
    EXPECT_EQ(F.Frame->SelectedNode(), F.Graph.FindNode(1));
}

TEST(GraphViewMouse, WhereLinkingIsRefusedACtrlPressDrags)
{
    TViewFixture F;
    F.Frame->LinkAllowed = false;
    F.Node(1, 200, 200);
    F.Drag({200, 200}, {243, 257}, ssCtrl);
    EXPECT_EQ(F.Graph.NodeCount(), 1);
    EXPECT_EQ(F.Frame->SpawnMode(), 0);
    EXPECT_EQ(QPoint(F.Graph.FindNode(1)->X, F.Graph.FindNode(1)->Y), QPoint(240, 260)) << "snapped to the grid";
}

TEST(GraphViewMouse, ToolsMakeItemsInsideTheDrawing)
{
    TViewFixture F(false);
    F.Frame->NodeBtn->setChecked(true);
    F.Click({123, 456});
    ASSERT_EQ(F.Graph.NodeCount(), 1);
    EXPECT_EQ(QPoint(F.Graph.FindNode(1)->X, F.Graph.FindNode(1)->Y), QPoint(123, 456));
    EXPECT_EQ(F.Graph.FindNode(1)->Glyph, giNode);

    // A new branch near the top edge: both ends held to 5 pixels in.
    F.Frame->BranchBtn->setChecked(true);
    F.Click({300, 20});
    TBranch* B = F.Graph.FindBranch(1);
    ASSERT_NE(B, nullptr);
    EXPECT_EQ(QPoint(B->FromNode->X, B->FromNode->Y), QPoint(300, 70));
    EXPECT_EQ(QPoint(B->ToNode->X, B->ToNode->Y), QPoint(300, 5));
    EXPECT_EQ(F.Frame->SelectedBranch(), B);
}

TEST(GraphViewMouse, BandsTakeHandlesAndNodesInEitherDirection)
{
    for (bool Backwards : {false, true}) {
        TViewFixture F;
        F.Node(1, 100, 100);
        F.Node(2, 400, 100);
        F.Node(3, 150, 150);
        F.Branch(1, 1, 2); // handle (250, 100), outside the band
        const QPoint A(50, 50), B(200, 200);
        int Started = 0;
        F.Frame->OnBlockStarted = [&] { ++Started; };
        F.Drag(Backwards ? B : A, Backwards ? A : B);
        EXPECT_EQ(Started, 1);
        EXPECT_TRUE(F.Frame->HasBlock());
        EXPECT_EQ(F.Graph.FindNode(1)->BlockState, 1);
        EXPECT_EQ(F.Graph.FindNode(2)->BlockState, 0);
        EXPECT_EQ(F.Graph.FindNode(3)->BlockState, 1);
        EXPECT_EQ(F.Graph.FindBranch(1)->BlockState, 0) << "the band crossed only the line";
        EXPECT_TRUE(F.Frame->gvfActionCopy->isEnabled());
    }
}

TEST(GraphViewMouse, TheCanvasEqualsAFreshRenderAfterEdits)
{
    TViewFixture F;
    F.Node(1, 100, 100);
    F.Node(2, 300, 120);
    F.Node(3, 200, 300, false);
    F.Branch(1, 1, 2);
    F.Branch(2, 2, 3, false);
    F.Frame->RedrawGraph();
    F.Click({100, 100});                        // select
    F.Drag({100, 100}, {160, 80});              // drag a node
    F.Drag({230, 100}, {250, 140});             // drag a handle (moves the branch)
    F.Drag({20, 20}, {400, 400});               // band around all
    F.Drag({260, 150}, {280, 170});             // drag the block
    F.Click({200, 300}, ssShift);               // Shift-click out of the block
    F.Frame->Image1MouseMove(0, 321, 345);      // hover
    F.Frame->ClearBlockSelection();
    EXPECT_EQ(F.Frame->CanvasImage(), F.FreshRender());
    EXPECT_EQ(F.Frame->CanvasImage().pixelColor(F.Graph.FindNode(3)->X, F.Graph.FindNode(3)->Y),
              QColor(0, 255, 255)) << "a glyph-less node is a disc";
}

TEST(GraphViewMouse, ItemPopupsRunTheirCommandsAndSwallowTheRelease)
{
    TViewFixture F;
    F.Node(1, 100, 100);
    F.Node(2, 300, 100);
    F.Branch(1, 1, 2);
    int Saves = 0;
    F.Frame->OnBeforeDelete = [&] { ++Saves; return true; };

    F.Services.MenuChoice = "&Reverse";
    int Changes = 0;
    F.Frame->OnChanged = [&] { ++Changes; };
    F.Frame->Image1MouseDown(TMouseButton::Right, ssRight, 200, 100);
    F.Frame->Image1MouseUp(TMouseButton::Right, 0, 200, 100);
    EXPECT_EQ(F.Services.Popups, 1) << "no edit pop-up after the branch pop-up";
    EXPECT_EQ(F.Services.PopupItems,
              (QStringList{"Branch: 1", "&Edit", "&Reverse", "&Delete", "..1", "..2"}));
    EXPECT_EQ(F.Graph.FindBranch(1)->FromNode->Id(), 2);
    EXPECT_EQ(Changes, 1) << "a reversed branch must be saved";

    F.Services.MenuChoice = "&Delete";
    F.Frame->Image1MouseDown(TMouseButton::Right, ssRight, 100, 100);
    F.Frame->Image1MouseUp(TMouseButton::Right, 0, 100, 100);
    EXPECT_EQ(F.Services.PopupItems, (QStringList{"Node: 1", "&Edit", "&Delete"}));
    EXPECT_EQ(F.Graph.FindNode(1), nullptr);
    EXPECT_EQ(F.Graph.BranchCount(), 0);
    EXPECT_EQ(Saves, 1);
    EXPECT_TRUE(F.Frame->gvfActionUndoDelete->isEnabled());

    // On empty space the right button opens the edit pop-up on release.
    F.Services.MenuChoice.clear();
    F.Frame->Image1MouseDown(TMouseButton::Right, ssRight, 500, 400);
    F.Frame->Image1MouseUp(TMouseButton::Right, 0, 500, 400);
    EXPECT_EQ(F.Services.PopupItems, (QStringList{"&Cut", "&Copy", "&Paste", "&Delete", "&Undo Delete"}));
}

TEST(GraphViewMouse, DetachMovesOneEndOntoANewNode)
{
    TViewFixture F;
    F.Node(1, 100, 100);
    F.Node(2, 200, 200);
    F.Node(3, 300, 100);
    F.Branch(1, 1, 2);
    F.Branch(2, 2, 3);
    F.Frame->SelectBranch(F.Graph.FindBranch(1));
    F.Frame->DetachBranch(+1);
    TBranch* B = F.Graph.FindBranch(1);
    EXPECT_EQ(B->ToNode->Id(), 4);
    EXPECT_EQ(QPoint(B->ToNode->X, B->ToNode->Y), QPoint(190, 190));
    EXPECT_EQ(QPoint(B->LabelX, B->LabelY), QPoint(145, 145));
    EXPECT_EQ(F.Graph.FindNode(2)->Links.size(), 1u);
    EXPECT_EQ(F.Graph.FindNode(4)->Links.size(), 1u);
}

TEST(GraphViewMouse, RealMouseEventsDragANodeAndShowItsHint)
{
    TViewFixture F;
    F.Node(1, 100, 100)->Name = "Riser 3";
    F.Frame->RedrawGraph();
    F.Frame->show();
    QTest::mouseMove(F.Frame->Image1, QPoint(200, 200));
    QTest::mouseMove(F.Frame->Image1, QPoint(102, 104));
    EXPECT_TRUE(F.Frame->HintText->isVisible());
    EXPECT_EQ(F.Frame->HintText->text(), "Riser 3");
    QTest::mousePress(F.Frame->Image1, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseMove(F.Frame->Image1, QPoint(151, 139));
    QTest::mouseRelease(F.Frame->Image1, Qt::LeftButton, {}, QPoint(151, 139));
    EXPECT_EQ(QPoint(F.Graph.FindNode(1)->X, F.Graph.FindNode(1)->Y), QPoint(150, 140));
    EXPECT_FALSE(F.Frame->HintText->isVisible());
    EXPECT_EQ(F.Frame->CanvasImage(), F.FreshRender());
}

TEST(GraphViewMouse, TheRightButtonPansAndAnEdgeDragScrolls)
{
    TViewFixture F;
    F.Graph.Width = 2000;
    F.Graph.Height = 1500;
    F.Frame->RedrawGraph();
    F.Frame->show();
    QScrollBar* H = F.Frame->ScrollBox1->horizontalScrollBar();
    QScrollBar* V = F.Frame->ScrollBox1->verticalScrollBar();
    H->setValue(300);
    V->setValue(200);
    // The drawing follows the pointer; a pan opens no pop-up on release.
    F.Frame->Image1MouseDown(TMouseButton::Right, ssRight, 500, 400);
    F.Frame->Image1MouseMove(ssRight, 450, 370);
    F.Frame->Image1MouseUp(TMouseButton::Right, 0, 450, 370);
    EXPECT_EQ(H->value(), 350);
    EXPECT_EQ(V->value(), 230);
    EXPECT_EQ(F.Services.Popups, 0);

    // Dragging a band past the left edge of the view scrolls left by as much.
    const int Left = H->value();
    F.Frame->Image1MouseDown(TMouseButton::Left, ssLeft, Left + 100, 400);
    F.Frame->Image1MouseMove(ssLeft, Left - 30, 400);
    EXPECT_EQ(H->value(), Left - 30);
    F.Frame->Image1MouseUp(TMouseButton::Left, 0, Left - 30, 400);
}

TEST(GraphViewMouse, AutoDrawChainsNewNodesUntilTheSelectedNodeIsPressed)
{
    TViewFixture F;
    F.Frame->DrawModeBtn->click();
    ASSERT_TRUE(F.Frame->AutoDraw());
    for (QPoint P : {QPoint(100, 100), QPoint(200, 100), QPoint(200, 200)})
        F.Click(P);
    EXPECT_EQ(F.Graph.NodeCount(), 3);
    ASSERT_EQ(F.Graph.BranchCount(), 2);
    EXPECT_EQ(F.Graph.FindBranch(2)->FromNode->Id(), 2);
    EXPECT_EQ(F.Graph.FindBranch(2)->ToNode->Id(), 3);
    F.Click({200, 200}); // the selected node: the chain ends
    EXPECT_EQ(F.Frame->SelectedNode(), nullptr);
    F.Click({300, 300}); // a new chain starts from nothing
    EXPECT_EQ(F.Graph.NodeCount(), 4);
    EXPECT_EQ(F.Graph.BranchCount(), 2);

    // A double click edits the node instead.
    F.Frame->Image1MouseDown(TMouseButton::Left, ssLeft | ssDouble, 100, 100);
    F.Frame->Image1MouseUp(TMouseButton::Left, 0, 100, 100);
    EXPECT_EQ(F.Frame->NodeEdits, 1);
    EXPECT_EQ(F.Frame->SelectedNode(), F.Graph.FindNode(1));
}

TEST(GraphViewMouse, EditActionsAreMirroredToTheOwner)
{
    TViewFixture F;
    F.Node(1, 100, 100);
    std::vector<std::pair<QAction*, bool>> Changes;
    F.Frame->OnActionEnable = [&](QAction* A, bool On) { Changes.emplace_back(A, On); };
    F.Drag({50, 50}, {150, 150});
    const std::vector<std::pair<QAction*, bool>> Enabled = {
        {F.Frame->gvfActionDelete, true}, {F.Frame->gvfActionCopy, true}, {F.Frame->gvfActionCut, true}};
    EXPECT_EQ(Changes, Enabled);
    Changes.clear();
    F.Click({300, 300}); // a press elsewhere drops the block
    const std::vector<std::pair<QAction*, bool>> Disabled = {
        {F.Frame->gvfActionDelete, false}, {F.Frame->gvfActionCopy, false}, {F.Frame->gvfActionCut, false}};
    EXPECT_EQ(Changes, Disabled);
    EXPECT_FALSE(F.Frame->HasBlock());
}

TEST(GraphViewMouse, TheHoverHintGoesUnderAPopupWithTheDocumentThePointerAndARefresh)
{
    TTestGraph Other;
    const struct {
        const char* Then;
        std::function<void(TViewFixture&)> Do;
    } Cases[] = {
        {"a node's pop-up", [](TViewFixture& F) {
             F.Frame->Image1MouseDown(TMouseButton::Right, ssRight, 200, 200);
             F.Frame->Image1MouseUp(TMouseButton::Right, 0, 200, 200);
         }},
        {"another document", [&Other](TViewFixture& F) { F.Frame->SetGraph(&Other); }},
        {"the pointer leaving the drawing", [](TViewFixture& F) {
             QEvent Leave(QEvent::Leave);
             QApplication::sendEvent(F.Frame->Image1, &Leave);
         }},
        // After a solve or Closest Standard Sizes it would show old values.
        {"the network refreshed", [](TViewFixture& F) { F.Frame->RedrawGraph(); }},
    };
    for (const auto& C : Cases) {
        TViewFixture F;
        F.Node(1, 200, 200)->Name = "Riser 1";
        F.Frame->Image1MouseMove(0, 201, 201);
        ASSERT_FALSE(F.Frame->HintText->isHidden()) << C.Then;
        C.Do(F);
        EXPECT_TRUE(F.Frame->HintText->isHidden()) << C.Then;
    }
}
