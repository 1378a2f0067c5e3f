// The automatic layout and the placing of unplaced nodes.

#include "EditorTestSupport.h"

#include "editor/GraphAutoLayout.h"

#include <cmath>
#include <set>

using namespace edtest;

namespace {

QPoint PositionOf(const TGraph& G, int Id) { return {G.FindNode(Id)->X, G.FindNode(Id)->Y}; }

void SetWeights(TGraph& G, double W)
{
    for (const auto& B : G.Branches())
        B->Weight = W;
}

} // namespace

TEST(GraphLayout, AChainRunsEastFromTheRoot)
{
    TTestGraph G;
    G.AddBranch(1, 1, 2);
    G.AddBranch(2, 2, 3);
    SetWeights(G, 10);
    LayoutFromRoot(G, G.RootNode(), {900, 900});
    EXPECT_EQ(PositionOf(G, 1), QPoint(50, 150));
    EXPECT_EQ(PositionOf(G, 2), QPoint(100, 150));
    EXPECT_EQ(PositionOf(G, 3), QPoint(150, 150));
}

TEST(GraphLayout, ManyNeighboursAreSpreadApart)
{
    for (int Count : {2, 3, 4, 5, 7, 12}) {
        TTestGraph G;
        for (int I = 0; I < Count; ++I)
            G.AddBranch(I + 1, 1, I + 2);
        SetWeights(G, 10);
        LayoutFromRoot(G, G.RootNode(), {900, 900});
        std::set<std::pair<int, int>> Seen;
        for (const auto& N : G.Nodes()) {
            EXPECT_TRUE(Seen.insert({N->X, N->Y}).second) << Count << " neighbours: node " << N->Id();
            if (N->Id() != 1) {
                EXPECT_GE(N->X, 50) << "forward half-plane";
                for (const auto& Other : G.Nodes())
                    if (Other != N) {
                        const double D = std::hypot(Other->X - N->X, Other->Y - N->Y);
                        EXPECT_GE(D, 21.0) << Count << " neighbours: " << N->Id() << " and " << Other->Id();
                    }
            }
        }
    }
}

TEST(GraphLayout, HeavierSubtreesGoStraightAhead)
{
    // Node 3 carries a subtree of two, node 2 none: node 3 goes east.
    TTestGraph G;
    G.AddBranch(1, 1, 2);
    G.AddBranch(2, 1, 3);
    G.AddBranch(3, 3, 4);
    G.AddBranch(4, 1, 5);
    SetWeights(G, 10);
    LayoutFromRoot(G, G.RootNode(), {900, 900});
    EXPECT_EQ(PositionOf(G, 3), QPoint(100, 150));
    EXPECT_EQ(PositionOf(G, 4), QPoint(150, 150));
    EXPECT_EQ(std::abs(G.FindNode(2)->Y - 150), 50);
    EXPECT_EQ(G.FindNode(2)->X, 50);
}

TEST(GraphLayout, UnplacedNodesTakeTheRasterAndStayInside)
{
    TTestGraph G;
    G.GetOrAddNode(1)->X = 400; // placed
    G.FindNode(1)->Y = 300;
    G.GetOrAddNode(2);
    auto* Sink = static_cast<TTestNode*>(G.GetOrAddNode(3));
    Sink->Active = false;
    G.GetOrAddNode(4);
    G.GetOrAddNode(5)->X = 77; // only Y missing
    PlaceUnplacedNodes(G, {900, 900});
    EXPECT_EQ(PositionOf(G, 1), QPoint(400, 300));
    EXPECT_EQ(PositionOf(G, 2), QPoint(5, 5));
    EXPECT_EQ(PositionOf(G, 3), QPoint(-1, -1)) << "the Sink stays off the drawing";
    EXPECT_EQ(PositionOf(G, 4), QPoint(15, 5));
    EXPECT_EQ(PositionOf(G, 5), QPoint(77, 5));

    // A long chain in a small drawing ends at its edge, never beyond.
    TTestGraph Chain;
    for (int I = 1; I < 40; ++I)
        Chain.AddBranch(I, I, I + 1);
    SetWeights(Chain, 10);
    LayoutFromRoot(Chain, Chain.RootNode(), {300, 300});
    EXPECT_EQ(PositionOf(Chain, 40), QPoint(299, 150));
}
