// Deletion (single items and blocks), the clipboard and its paste cascade,
// and Undo Delete through the undo file.

#include "EditorTestSupport.h"

#include "editor/UndoFile.h"
#include "network/DuctGraph.h"

#include <QDir>
#include <QFileInfo>

using namespace edtest;

namespace {

// Selects nodes (and branches) into the block with Shift-clicks.
void ShiftClickNodes(TViewFixture& F, std::initializer_list<int> Ids)
{
    for (int Id : Ids) {
        const TNode* N = F.Graph.FindNode(Id);
        F.Click({N->X, N->Y}, ssShift);
    }
}

} // namespace

TEST(GraphViewBlock, PastedIdsStayDistinctAndBranchesJoinThePastedNodes)
{
    TViewFixture F;
    F.Node(1, 100, 100);
    F.Node(2, 200, 100);
    F.Node(3, 300, 100);
    F.Branch(1, 1, 2);
    F.Branch(2, 2, 3);
    ShiftClickNodes(F, {2, 3});
    F.Click({250, 100}, ssShift); // branch 2's handle
    ASSERT_TRUE(F.Frame->gvfActionCopy->isEnabled()) << "a Shift-click block can be copied";
    F.Frame->gvfActionCopy->trigger();
    EXPECT_TRUE(F.Frame->gvfActionPaste->isEnabled());
    F.Frame->ClearBlockSelection();
    F.Frame->DeleteNode(F.Graph.FindNode(3));

    F.Frame->gvfActionPasteExecute();
    std::vector<int> Ids = NodeIds(F.Graph);
    std::sort(Ids.begin(), Ids.end());
    EXPECT_EQ(Ids, (std::vector<int>{1, 2, 3, 4})) << "the kept id 3 and a new one for node 2";
    ASSERT_EQ(F.Graph.BranchCount(), 2);
    const TBranch* Pasted = F.Graph.Branches().back().get();
    EXPECT_NE(Pasted->Id(), 1);
    EXPECT_EQ(Pasted->FromNode->Id(), 4);
    EXPECT_EQ(Pasted->ToNode->Id(), 3);
    EXPECT_EQ(Pasted->Name, "Branch: " + std::to_string(Pasted->Id()));
    EXPECT_EQ(Pasted->FromNode->Name, "Node 4") << "names are not copied";
    EXPECT_EQ(Pasted->FromNode->BlockState, 1) << "the pasted items are the new block";
    EXPECT_TRUE(F.Frame->HasBlock());
}

TEST(GraphViewBlock, PastesOffTheDrawingCascadeUntilTheNextCopy)
{
    TViewFixture F;
    F.Node(1, 100, 100);
    F.Node(2, 200, 150);
    F.Branch(1, 1, 2);
    F.Drag({50, 50}, {250, 250});
    F.Frame->gvfActionCopyExecute();
    F.Services.Pointer = QPoint(-500, -500); // off the drawing
    auto PastedFirst = [&] {
        F.Frame->gvfActionPasteExecute();
        const TNode* N = F.Graph.Nodes()[F.Graph.NodeCount() - 2].get(); // copy of node 1
        return QPoint(N->X, N->Y);
    };
    EXPECT_EQ(PastedFirst(), QPoint(120, 120));
    EXPECT_EQ(PastedFirst(), QPoint(140, 140));
    F.Frame->gvfActionCopyExecute(); // of the last paste
    EXPECT_EQ(PastedFirst(), QPoint(160, 160)) << "a copy starts again at 20";

    // At the pointer the block's top-left node lands there, rounded to the gap.
    F.Services.Pointer = F.Frame->Image1->mapToGlobal(QPoint(403, 298));
    F.Frame->gvfActionPasteExecute();
    const TNode* N = F.Graph.Nodes()[F.Graph.NodeCount() - 2].get();
    EXPECT_EQ(QPoint(N->X, N->Y), QPoint(400, 300));
}

TEST(GraphViewBlock, UndoDeleteRestoresTheNetworkThroughTheUndoFile)
{
    enum class TDelete { Block, Cut, Unwired, FailedWrite };
    for (TDelete How : {TDelete::Block, TDelete::Cut, TDelete::Unwired, TDelete::FailedWrite}) {
        TScriptedServices Services;
        TMemorySettingsStore Store;
        auto Document = std::make_unique<TDuctGraph>();
        TDocumentProperties Properties;
        TSettings Settings;
        for (auto [Id, X, Y] : {std::tuple{1, 100, 100}, {2, 200, 100}, {3, 300, 200}}) {
            TNode* N = Document->GetOrAddNode(Id);
            N->X = X;
            N->Y = Y;
            N->Name = "Room " + std::to_string(Id);
        }
        Document->AddBranch(7, 1, 2);
        Document->AddBranch(8, 2, 3);
        TUndoFile Undo;
        TTestFrame Frame(Store);
        Frame.InitView();
        Frame.SetGraph(Document.get());
        Frame.RedrawGraph();
        if (How != TDelete::Unwired) {
            Frame.OnBeforeDelete = [&] {
                return How != TDelete::FailedWrite && Undo.Save(*Document, Properties, Settings).Ok;
            };
            Frame.OnUndoDelete = [&] {
                ASSERT_TRUE(Undo.Restore(Document, Properties, Settings, {}).Ok);
                Frame.SetGraph(Document.get());
                Frame.RedrawGraph();
            };
        }
        Frame.Image1MouseDown(TMouseButton::Left, ssLeft, 150, 50);
        Frame.Image1MouseMove(ssLeft, 350, 250);
        Frame.Image1MouseUp(TMouseButton::Left, 0, 350, 250);
        ASSERT_TRUE(Frame.HasBlock());
        if (How == TDelete::Cut)
            Frame.gvfActionCutExecute();
        else
            Frame.gvfActionDeleteExecute();
        EXPECT_EQ(Document->NodeCount(), 1);
        EXPECT_EQ(Frame.gvfActionUndoDelete->isEnabled(), How == TDelete::Block);
        Frame.gvfActionUndoDelete->trigger();
        Frame.gvfActionUndoDeleteExecute();
        if (How != TDelete::Block) {
            EXPECT_EQ(Document->NodeCount(), 1) << int(How);
            continue;
        }
        ASSERT_EQ(Document->NodeCount(), 3);
        for (auto [Id, X, Y] : {std::tuple{1, 100, 100}, {2, 200, 100}, {3, 300, 200}}) {
            const TNode* N = Document->FindNode(Id);
            ASSERT_NE(N, nullptr);
            EXPECT_EQ(N->Name, "Room " + std::to_string(Id));
            EXPECT_EQ(QPoint(N->X, N->Y), QPoint(X, Y));
        }
        EXPECT_EQ(Document->FindBranch(8)->FromNode->Id(), 2);
        EXPECT_EQ(Frame.Graph(), Document.get());
        EXPECT_FALSE(Frame.gvfActionUndoDelete->isEnabled()) << "one level";
    }
}

TEST(GraphViewBlock, EachUndoFileHasItsOwnFolderGoneWithIt)
{
    QString FolderA, FolderB;
    {
        TUndoFile A, B;
        ASSERT_TRUE(A.IsValid() && B.IsValid());
        FolderA = QString::fromStdString(A.Folder());
        FolderB = QString::fromStdString(B.Folder());
        EXPECT_NE(FolderA, FolderB);
        EXPECT_EQ(QFileInfo(QString::fromStdString(A.FileName())).fileName(), "_UndoDelete.dct");
        TDuctGraph Network;
        Network.AddBranch(1, 1, 2);
        ASSERT_TRUE(A.Save(Network, {}, {}).Ok);
        EXPECT_TRUE(A.Exists());
        EXPECT_FALSE(B.Exists());
    }
    EXPECT_FALSE(QDir(FolderA).exists());
    EXPECT_FALSE(QDir(FolderB).exists());
}

TEST(GraphViewBlock, TheDeleteKeyAsksFirst)
{
    for (int Answer : {mrNo, mrYes}) {
        TViewFixture F;
        F.Services.Answer = Answer;
        F.Node(1, 100, 100);
        F.Node(2, 300, 300);
        ShiftClickNodes(F, {1});
        F.Frame->FrameKeyDown(Qt::Key_Delete);
        EXPECT_EQ(F.Services.Messages, QStringList{"Delete selected block?"});
        EXPECT_EQ(F.Graph.NodeCount(), Answer == mrYes ? 1 : 2);
        EXPECT_EQ(F.Frame->HasBlock(), Answer != mrYes);
    }
}

TEST(GraphViewBlock, APasteMovesTheBlockWholeAndKeepsItInsideTheDrawing)
{
    const struct {
        const char* Where;
        QPoint Pointer; // where the block's top-left node is asked to land
        int Width;      // of the drawing
    } Cases[] = {{"inside", {400, 300}, 900}, {"past the edges", {850, 880}, 900}, {"wider than the drawing", {200, 50}, 250}};
    for (const auto& C : Cases) {
        TViewFixture F;
        F.Node(1, 100, 100);
        F.Node(2, 400, 200);
        F.Branch(1, 1, 2);
        F.Graph.FindBranch(1)->LabelX = 300; // the user moved the handle
        F.Graph.FindBranch(1)->LabelY = 120;
        F.Drag({50, 50}, {450, 250});
        F.Frame->gvfActionCopyExecute();
        F.Graph.Width = C.Width;
        F.Services.Pointer = F.Frame->Image1->mapToGlobal(C.Pointer);
        F.Frame->gvfActionPasteExecute();
        const TNode* A = F.Graph.Nodes()[F.Graph.NodeCount() - 2].get();
        const TNode* B = F.Graph.Nodes().back().get();
        const TBranch* Pasted = F.Graph.Branches().back().get();
        EXPECT_EQ(QPoint(B->X - A->X, B->Y - A->Y), QPoint(300, 100)) << C.Where;
        EXPECT_EQ(QPoint(Pasted->LabelX - A->X, Pasted->LabelY - A->Y), QPoint(200, 20)) << C.Where;
        for (const TNode* N : {A, B})
            EXPECT_TRUE(QRect(0, 0, F.Graph.Width, F.Graph.Height).contains(N->X, N->Y)) << C.Where;
        if (QString(C.Where) == "inside") {
            EXPECT_EQ(QPoint(A->X, A->Y), C.Pointer);
        }
    }
}

TEST(GraphViewBlock, ABlockDeletionReportsEverythingThatGoesOnce)
{
    TViewFixture F;
    for (int Id = 1; Id <= 4; ++Id)
        F.Node(Id, 100 * Id, 100);
    for (int Id = 1; Id <= 3; ++Id)
        F.Branch(Id, Id, Id + 1);
    F.Drag({180, 50}, {320, 150}); // nodes 2 and 3, branch 2's handle
    std::vector<int> Going;
    int After = 0;
    F.Frame->OnBeforeDeleteBlock = [&](const std::vector<TNode*>& Nodes, const std::vector<TBranch*>& Branches) {
        EXPECT_EQ(Nodes.size(), 2u);
        for (const TBranch* B : Branches)
            Going.push_back(B->Id());
    };
    F.Frame->OnBlockDeleted = [&] { ++After; };
    F.Frame->OnBeforeDeleteBranch = [](TBranch*) { ADD_FAILURE() << "no per-branch report"; };
    F.Frame->gvfActionDeleteExecute();
    std::sort(Going.begin(), Going.end());
    EXPECT_EQ(Going, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(After, 1);
    EXPECT_EQ(NodeIds(F.Graph), (std::vector<int>{1, 4}));
    EXPECT_EQ(F.Graph.BranchCount(), 0);
    EXPECT_TRUE(F.Graph.FindNode(1)->Links.empty());
}

TEST(GraphViewBlock, ASingleDeletionReportsEachItemInOneOrder)
{
    struct TCase {
        const char* What;
        int Node;   // deleted when nonzero
        int Branch; // else this branch is deleted
        std::vector<std::string> Events;
    };
    const std::vector<TCase> Cases = {
        {"node 2 with its branches", 2, 0,
         {"before branch 1", "before branch 2", "before node 2", "selected 3", "deleted 1-none", "deleted 3-none"}},
        {"branch 2 alone", 0, 2, {"before branch 2", "selected 3", "deleted 2-3"}},
        {"the selected branch 3", 0, 3, {"before branch 3", "selected none", "deleted 3-4"}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.What);
        TViewFixture F;
        for (int Id = 1; Id <= 4; ++Id)
            F.Node(Id, 100 * Id, 100);
        for (int Id = 1; Id <= 3; ++Id)
            F.Branch(Id, Id, Id + 1);
        TBranch* Selected = F.Graph.FindBranch(3);
        ASSERT_NE(Selected, nullptr);
        F.Frame->SelectBranch(Selected);
        std::vector<std::string> Events;
        auto Name = [](const TNode* N) { return N ? std::to_string(N->Id()) : std::string("none"); };
        F.Frame->OnBeforeDeleteBranch = [&](TBranch* B) { Events.push_back("before branch " + std::to_string(B->Id())); };
        F.Frame->OnBeforeDeleteNode = [&](TNode* N) { Events.push_back("before node " + Name(N)); };
        F.Frame->OnBranchSelected = [&](TBranch* B) {
            Events.push_back("selected " + (B ? std::to_string(B->Id()) : std::string("none")));
        };
        F.Frame->OnBranchDeleted = [&](TNode* From, TNode* To) { Events.push_back("deleted " + Name(From) + "-" + Name(To)); };
        F.Frame->OnBeforeDeleteBlock = [](const std::vector<TNode*>&, const std::vector<TBranch*>&) {
            ADD_FAILURE() << "a single deletion reports per item";
        };
        if (C.Node != 0)
            F.Frame->DeleteNode(F.Graph.FindNode(C.Node));
        else
            F.Frame->DeleteBranch(F.Graph.FindBranch(C.Branch));
        EXPECT_EQ(Events, C.Events);
    }
}
