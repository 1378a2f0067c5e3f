#include "GraphTestSupport.h"

#include "foundation/ValueStream.h"
#include "foundation/WarningSink.h"

#include <gtest/gtest.h>

using namespace graphtest;

using TLinks = std::vector<std::pair<int, int>>;

TEST(GraphEdit, AddBranchLinksBothEndsAndRefusesARepeatedId)
{
    TRecordingWarningSink Sink;
    TScopedWarningSink Scope(Sink);
    TGraph G;
    TBranch* B = G.AddBranch(7, 1, 2);
    ASSERT_NE(B, nullptr);
    EXPECT_EQ(B->Name, "Branch 7");
    EXPECT_EQ(G.FindNode(1)->Name, "Node 1");
    EXPECT_EQ(LinksOf(G.FindNode(1)), (TLinks{{-1, 7}}));
    EXPECT_EQ(LinksOf(G.FindNode(2)), (TLinks{{1, 7}}));

    EXPECT_EQ(G.AddBranch(7, 3, 4), nullptr);
    EXPECT_EQ(Sink.LastText(), "Branch 7 cannot be added twice");
    EXPECT_EQ(G.BranchCount(), 1);
    EXPECT_EQ(G.NodeCount(), 2); // no nodes made for a refused branch
    // Between nodes already there, the same refusal and message.
    G.GetOrAddNode(5);
    Sink.Clear();
    EXPECT_EQ(G.AddBranchBetween(7, G.FindNode(2), G.FindNode(5)), nullptr);
    EXPECT_EQ(Sink.LastText(), "Branch 7 cannot be added twice");
    EXPECT_EQ(G.BranchCount(), 1);
    EXPECT_TRUE(G.FindNode(5)->Links.empty());

    // Only this graph's nodes can be joined.
    TGraph Other;
    EXPECT_EQ(G.AddBranchBetween(8, G.FindNode(1), Other.GetOrAddNode(2)), nullptr);
    EXPECT_EQ(G.BranchCount(), 1);

    // Reversing swaps the ends and the links' signs.
    G.ReverseBranch(B);
    EXPECT_EQ(B->FromNode->Id(), 2);
    EXPECT_EQ(LinksOf(G.FindNode(1)), (TLinks{{1, 7}}));
    EXPECT_EQ(LinksOf(G.FindNode(2)), (TLinks{{-1, 7}}));
}

TEST(GraphEdit, DeleteNodeTakesItsBranchesAndLeavesNoLinks)
{
    TGraph G;
    Build(G, {{1, 2, 3, 4}, {{1, 1, 2, 1}, {2, 2, 3, 2}, {3, 4, 2, 3}, {4, 3, 4, 4}}, {}, {}});
    G.DeleteNode(G.FindNode(2));
    EXPECT_EQ(G.FindNode(2), nullptr);
    EXPECT_EQ(BranchIds(G), (std::vector<int>{4}));
    EXPECT_TRUE(G.FindNode(1)->Links.empty());
    EXPECT_EQ(LinksOf(G.FindNode(3)), (TLinks{{-1, 4}}));
    EXPECT_EQ(LinksOf(G.FindNode(4)), (TLinks{{1, 4}}));
}

namespace {

// Records what each deletion told the graph was going.
class TWatchedGraph : public TGraph {
public:
    std::vector<int> GoingNodeIds;
    std::vector<int> GoingBranchIds;

protected:
    void ItemsGoing(const TDeletion& Going) override
    {
        for (const TNode* N : Going.Nodes)
            GoingNodeIds.push_back(N->Id());
        for (const TBranch* B : Going.Branches)
            GoingBranchIds.push_back(B->Id());
    }
};

} // namespace

TEST(GraphEdit, DeleteItemsPassesOverForeignItemsAndItemsListedTwice)
{
    TWatchedGraph G;
    Build(G, {{1, 2, 3, 4}, {{1, 1, 2, 1}, {2, 2, 3, 2}, {3, 3, 4, 3}}, {}, {}});
    // Another graph with the same ids: its items look like G's by id only.
    TGraph Other;
    Build(Other, {{1, 2, 3, 4}, {{1, 1, 2, 1}, {2, 2, 3, 2}, {3, 3, 4, 3}}, {}, {}});

    TNode* Two = G.FindNode(2);
    TBranch* Three = G.FindBranch(3);
    ASSERT_NE(Two, nullptr);
    ASSERT_NE(Three, nullptr);
    // Node 2 twice, its branch 1 listed as well, branch 3 twice, and node 4
    // and branch 3 of the other graph.
    G.DeleteItems({Two, Other.FindNode(4), Two}, {G.FindBranch(1), Three, Other.FindBranch(3), Three});

    EXPECT_EQ(G.GoingNodeIds, (std::vector<int>{2})) << "each node of this graph is told once";
    EXPECT_EQ(G.GoingBranchIds, (std::vector<int>{1, 2, 3})) << "each branch of this graph is told once";
    EXPECT_EQ(BranchIds(G), (std::vector<int>{})) << "the branches of node 2 and branch 3 are gone";
    EXPECT_EQ(G.NodeCount(), 3);
    EXPECT_NE(G.FindNode(4), nullptr) << "node 4 was listed only as the other graph's";
    EXPECT_TRUE(G.FindNode(3)->Links.empty());
    EXPECT_TRUE(G.FindNode(4)->Links.empty());

    // The other graph is as it was built: its listed items were not G's.
    EXPECT_EQ(BranchIds(Other), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Other.NodeCount(), 4);
    EXPECT_EQ(LinksOf(Other.FindNode(3)), (TLinks{{1, 2}, {-1, 3}}));
    EXPECT_EQ(LinksOf(Other.FindNode(4)), (TLinks{{1, 3}}));
    EXPECT_EQ(Other.FindBranch(3), Other.Branches().back().get()) << "the other graph's index still finds it";
}

TEST(GraphEdit, MergeMovesBranchesAndDropsDoubles)
{
    // Keep 1, drop 2: the branch 1-2 goes, 2->3 is doubled by 1->3 and goes,
    // 4->2 and 2->5 move to node 1 keeping their direction.
    TGraph G;
    Build(G, {{1, 2, 3, 4, 5}, {{1, 1, 2, 1}, {2, 1, 3, 2}, {3, 2, 3, 3}, {4, 4, 2, 4}, {5, 2, 5, 5}}, {}, {}});
    EXPECT_TRUE(G.HasCommonNeighbour(G.FindNode(2), G.FindNode(1)));
    G.MergeNodes(G.FindNode(1), G.FindNode(2));
    EXPECT_EQ(G.FindNode(2), nullptr);
    EXPECT_EQ(BranchIds(G), (std::vector<int>{2, 4, 5}));
    EXPECT_EQ(G.FindBranch(4)->ToNode->Id(), 1);
    EXPECT_EQ(G.FindBranch(5)->FromNode->Id(), 1);
    auto Links = LinksOf(G.FindNode(1));
    std::sort(Links.begin(), Links.end());
    EXPECT_EQ(Links, (TLinks{{-1, 2}, {-1, 5}, {1, 4}}));
    EXPECT_EQ(LinksOf(G.FindNode(4)), (TLinks{{-1, 4}}));

    // A node merged with itself stays as it was.
    G.MergeNodes(G.FindNode(1), G.FindNode(1));
    EXPECT_EQ(G.NodeCount(), 4);
    EXPECT_EQ(G.FindNode(1)->Links.size(), 3u);
}

TEST(GraphEdit, RenumberFollowsTheNameAndTheLookups)
{
    TGraph G;
    G.AddBranch(7, 1, 2);
    G.AddBranch(8, 2, 3);
    G.AddBranch(9, 3, 4);
    G.FindBranch(8)->Name = "Main";
    G.FindBranch(9)->Name = "Branch 91";
    G.FindBranch(7)->Renumber(12);
    G.FindBranch(8)->Renumber(13);
    G.FindBranch(9)->Renumber(14);
    EXPECT_EQ(G.FindBranch(7), nullptr);
    ASSERT_NE(G.FindBranch(12), nullptr);
    EXPECT_EQ(G.FindBranch(12)->Name, "Branch 12");
    EXPECT_EQ(G.FindBranch(12)->PrevId, 7);
    EXPECT_EQ(G.FindBranch(13)->Name, "Main");
    EXPECT_EQ(G.FindBranch(14)->Name, "Branch 91"); // 9 is followed by a digit
    EXPECT_EQ(G.FindBranchByPrevId(8), 13);
    EXPECT_EQ(G.FindBranchByPrevId(-1), -1);
    EXPECT_EQ(G.BranchIndex(14), 2);
    EXPECT_EQ(G.BranchIndex(42), -1);
    G.ClearPreviousBranchIds();
    EXPECT_EQ(G.FindBranchByPrevId(8), -1);
}

TEST(GraphEdit, RenumberingBranchByBranchHandsOutRepeatedIdsInListOrder)
{
    // Renumbering 1, 2 to the table order 2, 1 passes through two branches
    // with the same id.
    TGraph G;
    TBranch* First = G.AddBranch(1, 1, 2);
    TBranch* Second = G.AddBranch(2, 2, 3);
    G.ClearBranchFlag(gfVisited);
    TBranch* Row1 = G.TakeBranchById(2);
    ASSERT_EQ(Row1, Second);
    Row1->Renumber(1);
    EXPECT_EQ(G.FindBranch(1), First); // the first in list order
    TBranch* Row2 = G.TakeBranchById(1);
    EXPECT_EQ(Row2, First); // the one not yet taken
    Row2->Renumber(2);
    EXPECT_EQ(G.FindBranch(1), Second);
    EXPECT_EQ(G.FindBranch(2), First);
    EXPECT_EQ(G.TakeBranchById(1), nullptr); // taken already
}

TEST(GraphEdit, IdRangesAndLookups)
{
    TGraph G;
    G.AddBranch(3, 5, 6);
    G.AddBranch(9, 6, 7);
    EXPECT_EQ(G.MinBranchId(), 0);
    EXPECT_EQ(G.MaxBranchId(), 9);
    EXPECT_EQ(G.MaxNodeId(), 7);
    G.AddBranch(-4, 7, 5);
    EXPECT_EQ(G.MinBranchId(), -4);
    G.FindBranch(9)->Name = "Supply";
    EXPECT_EQ(G.FindBranchByName("Supply"), G.FindBranch(9));
    EXPECT_EQ(G.FindBranchByName("supply"), nullptr);
    EXPECT_EQ(G.RootNode(), G.FindNode(5));
}

TEST(GraphEdit, RestoreBranchOrderPutsSavedBranchesFirst)
{
    TGraph G;
    for (int I = 1; I <= 5; ++I)
        G.AddBranch(I, I, I + 1)->Weight = -I; // the tree order reverses the list
    G.SaveBranchOrder();
    G.SortForTree();
    EXPECT_EQ(BranchIds(G), (std::vector<int>{5, 4, 3, 2, 1}));
    G.DeleteBranch(G.FindBranch(3));
    G.AddBranch(6, 1, 6);
    G.RestoreBranchOrder();
    EXPECT_EQ(BranchIds(G), (std::vector<int>{1, 2, 4, 5, 6}));
    EXPECT_TRUE(G.BranchOrder.empty());
}

TEST(GraphEdit, MoveBranchTakesOneBranchToANewPosition)
{
    struct TCase {
        int From, To;
        std::vector<int> Ids;
    };
    const TCase Cases[] = {
        {3, 1, {1, 4, 2, 3}}, // back: the ones between step down
        {0, 2, {2, 3, 1, 4}}, // forward: the ones between step up
        {2, 2, {1, 2, 3, 4}},
        {4, 0, {1, 2, 3, 4}}, // outside the list
        {-1, 0, {1, 2, 3, 4}},
    };
    for (const TCase& C : Cases) {
        TGraph G;
        for (int I = 1; I <= 4; ++I)
            G.AddBranch(I, I, I + 1);
        G.MoveBranch(C.From, C.To);
        EXPECT_EQ(BranchIds(G), C.Ids) << C.From << " to " << C.To;
        EXPECT_EQ(G.FindBranch(4)->Id(), 4); // look-ups unaffected
    }
}

TEST(GraphEdit, GlyphIndexesTravelWithAssignDataButAreNeverSaved)
{
    TGraph G;
    TBranch* B = G.AddBranch(1, 1, 2);
    G.FindNode(1)->Glyph = 4;
    B->SelectedGlyph = 3;

    TGraph Copy;
    Copy.GetOrAddNode(1)->AssignData(*G.FindNode(1));
    Copy.AddBranch(1, 1, 2)->AssignData(*B);
    EXPECT_EQ(Copy.FindNode(1)->Glyph, 4);
    EXPECT_EQ(Copy.FindBranch(1)->SelectedGlyph, 3);

    TValueWriter W;
    G.WriteData(W);
    TGraph Read;
    TValueReader R(W.Bytes());
    Read.ReadData(R);
    EXPECT_EQ(Read.FindNode(1)->Glyph, -1);
    EXPECT_EQ(Read.FindBranch(1)->SelectedGlyph, -1);
}
