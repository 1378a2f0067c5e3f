#include "GraphTestSupport.h"

#include "foundation/WarningSink.h"
#include "graph/GraphLayout.h"

#include <gtest/gtest.h>

#include <pthread.h>

using namespace graphtest;

namespace {

const char* const DisconnectedText =
    "Disconnected network.  Make sure all nodes and branches are connected and re-solve";

// Runs Work on a thread with a small stack: a walk that recursed once per
// branch of a long chain would overflow it.
void RunWithSmallStack(const std::function<void()>& Work)
{
    pthread_attr_t Attr;
    pthread_attr_init(&Attr);
    pthread_attr_setstacksize(&Attr, 256 * 1024);
    pthread_t Thread;
    auto Entry = [](void* Arg) -> void* {
        (*static_cast<const std::function<void()>*>(Arg))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&Thread, &Attr, Entry, const_cast<std::function<void()>*>(&Work)), 0);
    pthread_join(Thread, nullptr);
    pthread_attr_destroy(&Attr);
}

} // namespace

TEST(GraphMeshes, SmallGraphsByHand)
{
    struct TCase {
        const char* Name;
        TGraphSpec Spec;
        std::vector<int> Chords;
        std::vector<TMeshLinks> Meshes;
    };
    const TCase Cases[] = {
        // Around the loop: chord 3 -> 1, then 1 -> 2 and 2 -> 3, listed from
        // the chord's from-node back to its to-node.
        {"triangle", TriangleSpec(), {3}, {{{1, 3}, {1, 2}, {1, 1}}}},
        // Chord 1 -> 3 closes through 3 -> 2 -> 1, both against their direction:
        // a branch passed against its direction is negative.
        {"two loops",
         {{1, 2, 3, 4}, {{1, 1, 2, 1}, {2, 2, 3, 2}, {3, 3, 4, 3}, {4, 4, 1, 4}, {5, 1, 3, 5}}, {}, {}},
         {4, 5},
         {{{1, 4}, {1, 3}, {1, 2}, {1, 1}}, {{1, 5}, {-1, 1}, {-1, 2}}}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TGraph G;
        Build(G, C.Spec);
        // Built again, the meshes reuse the objects of the first build.
        for (const char* Build : {"first build", "built again"}) {
            SCOPED_TRACE(Build);
            ASSERT_TRUE(G.BuildMeshes());
            const TMeshSnapshot S = Snapshot(G, true);
            EXPECT_EQ(S.LoopCount, static_cast<int>(C.Meshes.size()));
            EXPECT_EQ(S.ChordCount, S.LoopCount);
            EXPECT_EQ(S.ChordIds, C.Chords);
            EXPECT_EQ(S.Meshes, C.Meshes);
            EXPECT_EQ(G.Meshes()[0]->Id, 1);
            for (const auto& N : G.Nodes())
                EXPECT_EQ(N->Label, 1); // one tree
        }
    }
}

TEST(GraphMeshes, RefusedGraphsWarnOnceAndKeepNoMeshes)
{
    const TGraphSpec TwoTriangles = {
        {1, 2, 3, 4, 5, 6},
        {{1, 1, 2, 1}, {2, 2, 3, 2}, {3, 3, 1, 3}, {4, 4, 5, 4}, {5, 5, 6, 5}, {6, 6, 4, 6}},
        {},
        {}};
    TGraphSpec Blocked = TriangleSpec();
    Blocked.ExcludedNodes = {2}; // the only path from node 1 to node 3 passes it
    struct TCase {
        const char* Name;
        TGraphSpec Spec;
        int Loops, Chords;
        const char* Warning;
    };
    const TCase Cases[] = {
        {"tree", {{1, 2, 3}, {{1, 1, 2, 1}, {2, 2, 3, 2}}, {}, {}}, 0, 0, DisconnectedText},
        // Two triangles apart: one loop counted, two chords found.
        {"split", TwoTriangles, 1, 2, DisconnectedText},
        {"blocked", Blocked, 1, 1, "Error building mesh circuits"},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TRecordingWarningSink Sink;
        TScopedWarningSink Scope(Sink);
        TGraph G;
        Build(G, C.Spec);
        EXPECT_FALSE(G.BuildMeshes());
        EXPECT_EQ(G.LoopCount, C.Loops);
        EXPECT_EQ(G.ChordCount, C.Chords);
        EXPECT_EQ(G.MeshCount(), 0);
        EXPECT_EQ(Sink.Count(), 1u);
        EXPECT_EQ(Sink.LastText(), C.Warning);
    }
    // Counted loops that match are accepted even when the graph is split.
    TRecordingWarningSink Sink;
    TScopedWarningSink Scope(Sink);
    TGraph Split;
    Build(Split, TwoTriangles);
    EXPECT_TRUE(Split.BuildMeshes(2, 1));
    EXPECT_EQ(Split.MeshCount(), 2);
    EXPECT_EQ(Sink.Count(), 0u);
}

TEST(GraphMeshes, StructuralEditsClearTheMeshes)
{
    TGraph G;
    Build(G, TriangleSpec());
    ASSERT_TRUE(G.BuildMeshes());
    G.ReverseBranch(G.FindBranch(1));
    EXPECT_EQ(G.MeshCount(), 0);
    EXPECT_EQ(G.LoopCount, 0);
    ASSERT_TRUE(G.BuildMeshes());
    G.AddBranch(4, 1, 3);
    EXPECT_EQ(G.MeshCount(), 0);
    ASSERT_TRUE(G.BuildMeshes());
    EXPECT_EQ(G.MeshCount(), 2);
    G.DeleteBranch(G.FindBranch(4));
    EXPECT_EQ(G.MeshCount(), 0);
}

TEST(GraphMeshes, ChordAddedSeesEachChordInOrder)
{
    struct TProbeMesh : TMesh {
        using TMesh::TMesh;
        std::vector<std::pair<int, std::size_t>>* Seen = nullptr;
        void ChordAdded(TBranch* Chord) override { Seen->emplace_back(Chord->Id(), Links.size()); }
    };
    struct TProbeGraph : TGraph {
        std::vector<std::pair<int, std::size_t>> Seen;
        std::unique_ptr<TMesh> NewMesh(int Id) override
        {
            auto M = std::make_unique<TProbeMesh>(Id);
            M->Seen = &Seen;
            return M;
        }
    };
    TProbeGraph G;
    Build(G, {{1, 2, 3, 4}, {{1, 1, 2, 1}, {2, 2, 3, 2}, {3, 3, 4, 3}, {4, 4, 1, 4}, {5, 1, 3, 5}}, {}, {}});
    ASSERT_TRUE(G.BuildMeshes());
    // Called with only the chord link in place, chords in list order.
    EXPECT_EQ(G.Seen, (std::vector<std::pair<int, std::size_t>>{{4, 1}, {5, 1}}));
}

TEST(GraphMeshes, FastConstructionMatchesTheWrittenAlgorithm)
{
    TRecordingWarningSink Sink;
    TScopedWarningSink Scope(Sink);
    std::mt19937 Rng(20240611);
    int Solved = 0, Refused = 0, SolvedExcludedNodes = 0, SolvedExcludedBranches = 0;
    for (int Trial = 0; Trial < 4000; ++Trial) {
        TRandomOptions O;
        O.NodeCount = 2 + static_cast<int>(Rng() % 30);
        O.Extra = static_cast<int>(Rng() % 12);
        O.Disconnected = Rng() % 8 == 0;
        O.SelfLoops = Rng() % 6 == 0;
        O.ExcludeMode = static_cast<int>(Rng() % 3);
        const TGraphSpec Spec = RandomGraph(Rng, O);

        // Excluded branches are left out of the tree but counted among the
        // branches, so their callers give the loop count themselves.
        int Upper = 0;
        if (!Spec.ExcludedBranches.empty() && Rng() % 4 != 0) {
            TGraph Counting;
            Build(Counting, Spec);
            PlainSpanningTree(Counting);
            Upper = Counting.ChordCount;
        }

        TGraph Fast;
        Build(Fast, Spec);
        // Stale marks from an earlier walk must not matter.
        for (const auto& N : Fast.Nodes())
            if (Rng() % 3 == 0)
                SetBit(N->Flags, gfVisited);
        const bool Ok = Fast.BuildMeshes(Upper, Upper != 0 ? 1 : 0);
        TGraph Plain;
        Build(Plain, Spec);
        const TMeshSnapshot Expected = PlainMeshes(Plain, Upper, Upper != 0 ? 1 : 0);

        ASSERT_EQ(Snapshot(Fast, Ok), Expected) << "trial " << Trial;
        (Ok ? Solved : Refused) += 1;
        if (Ok && Fast.MeshCount() > 0 && !Spec.ExcludedNodes.empty())
            ++SolvedExcludedNodes;
        if (Ok && Fast.MeshCount() > 0 && !Spec.ExcludedBranches.empty())
            ++SolvedExcludedBranches;
    }
    // Networks of a thousand and more meshes, which are traced side by
    // side on several threads: the same meshes all the same.
    for (int Trial = 0; Trial < 4; ++Trial) {
        TRandomOptions O;
        O.NodeCount = 1500 + static_cast<int>(Rng() % 500);
        O.Extra = 1000 + static_cast<int>(Rng() % 500);
        const TGraphSpec Spec = RandomGraph(Rng, O);
        TGraph Fast, Plain;
        Build(Fast, Spec);
        Build(Plain, Spec);
        ASSERT_TRUE(Fast.BuildMeshes()) << "large trial " << Trial;
        ASSERT_GT(Fast.MeshCount(), 1000) << "large trial " << Trial;
        ASSERT_EQ(Snapshot(Fast, true), PlainMeshes(Plain, 0, 0)) << "large trial " << Trial;
    }
    // The comparison covered every kind of outcome.
    EXPECT_GT(Solved, 1500);
    EXPECT_GT(Refused, 300);
    EXPECT_GT(SolvedExcludedNodes, 300);
    EXPECT_GT(SolvedExcludedBranches, 300);
}

TEST(GraphMeshes, LongChainNeedsNoDeepStack)
{
    constexpr int Length = 10000;
    TGraph G;
    for (int I = 1; I <= Length; ++I)
        G.AddBranch(I, I, I + 1);
    G.AddBranch(Length + 1, Length + 1, 1); // closes the ring
    bool Ok = false;
    std::size_t MeshSize = 0;
    double RootWeight = 0.0;
    RunWithSmallStack([&] {
        Ok = G.BuildMeshes();
        MeshSize = Ok ? G.Meshes()[0]->Links.size() : 0;
        CalcSubtreeWeights(G);
        RootWeight = G.RootNode()->Weight;
    });
    ASSERT_TRUE(Ok);
    EXPECT_EQ(MeshSize, static_cast<std::size_t>(Length + 1));
    EXPECT_EQ(RootWeight, Length + 1.0); // every node counted once

    // An excluded branch between two ordinary nodes makes the circuits come
    // from the depth-first search itself: it must not recurse either.
    TBranch* Extra = G.AddBranch(Length + 2, 5000, 5001);
    SetBit(Extra->Flags, gfExcluded);
    RunWithSmallStack([&] {
        Ok = G.BuildMeshes(1, 1);
        MeshSize = Ok ? G.Meshes()[0]->Links.size() : 0;
    });
    ASSERT_TRUE(Ok);
    EXPECT_EQ(MeshSize, static_cast<std::size_t>(Length + 1));
}

TEST(GraphMeshes, SubtreeWeightsCountActiveNeighboursOnce)
{
    // A star of three arms on node 1, one arm two long.
    TGraph G;
    G.AddBranch(1, 1, 2);
    G.AddBranch(2, 3, 1);
    G.AddBranch(3, 1, 4);
    G.AddBranch(4, 4, 5);
    CalcSubtreeWeights(G);
    EXPECT_EQ(G.FindNode(1)->Weight, 5.0);
    EXPECT_EQ(G.FindNode(4)->Weight, 2.0);
    EXPECT_EQ(G.FindNode(5)->Weight, 1.0);
    EXPECT_EQ(G.FindNode(2)->Weight, 1.0);
}

TEST(GraphLayout, CoordinateDirectionClasses)
{
    const std::pair<TCoord, int> Cases[] = {{{3, 0}, 10}, {{0, 2}, 9}, {{1, 1}, 8}, {{1, -1}, 7},
                                            {{0, -1}, 6}, {{-2, 0}, 5}, {{0, 0}, 1}};
    for (const auto& [Point, Class] : Cases)
        EXPECT_EQ(CoordDirectionClass(Point), Class) << Point.X << "," << Point.Y;
    EXPECT_TRUE(CoordBefore({3, 0}, {0, 0}));
    EXPECT_FALSE(CoordBefore({0, 0}, {-1, 4}));
}
