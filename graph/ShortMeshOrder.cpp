#include "graph/ShortMeshOrder.h"

#include "foundation/DisjointSets.h"
#include "graph/GraphFlags.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <queue>
#include <vector>

namespace {

// How deep the tree may grow from its root before a branch reaching further
// starts a new root instead. A mesh closed within one such region runs at
// most twice this depth; deep enough that the trees of ordinary grids and
// meshes stay those of the resistance order.
constexpr int MaxDepth = 40;

struct TBranchEnds {
    std::vector<int> From; // node positions; -1: never in the tree
    std::vector<int> To;
    int Other(std::uint32_t E, int Node) const { return From[E] == Node ? To[E] : From[E]; }
};

} // namespace

void OrderForShortMeshes(TGraph& Graph, TGraph::TBranchList& List, std::size_t Free)
{
    Graph.NumberNodes();
    const std::size_t N = Graph.Nodes().size();
    const std::size_t M = List.size();
    Free = std::min(Free, M);

    TBranchEnds Ends{std::vector<int>(M, -1), std::vector<int>(M, -1)};
    std::vector<int> Start(N + 1, 0);
    for (std::size_t I = 0; I < M; ++I) {
        const TBranch& B = *List[I];
        if (HasFlag(B.Flags, gfExcluded) || B.FromNode == B.ToNode)
            continue;
        Ends.From[I] = B.FromNode->Index;
        Ends.To[I] = B.ToNode->Index;
        if (I < Free) {
            ++Start[static_cast<std::size_t>(Ends.From[I]) + 1];
            ++Start[static_cast<std::size_t>(Ends.To[I]) + 1];
        }
    }
    for (std::size_t I = 0; I < N; ++I)
        Start[I + 1] += Start[I];
    // Each node's branches (not of the last resort), in list order.
    std::vector<std::uint32_t> Adj(static_cast<std::size_t>(Start[N]));
    {
        std::vector<int> Cursor(Start.begin(), Start.end() - 1);
        for (std::uint32_t E = 0; E < Free; ++E) {
            if (Ends.From[E] < 0)
                continue;
            Adj[static_cast<std::size_t>(Cursor[static_cast<std::size_t>(Ends.From[E])]++)] = E;
            Adj[static_cast<std::size_t>(Cursor[static_cast<std::size_t>(Ends.To[E])]++)] = E;
        }
    }

    // Roots: the most connected node first.
    std::vector<int> Roots(N);
    for (std::size_t I = 0; I < N; ++I)
        Roots[I] = static_cast<int>(I);
    std::stable_sort(Roots.begin(), Roots.end(), [&Start](int A, int B) {
        const std::size_t AI = static_cast<std::size_t>(A);
        const std::size_t BI = static_cast<std::size_t>(B);
        return Start[AI + 1] - Start[AI] > Start[BI + 1] - Start[BI];
    });

    std::vector<int> Depth(N, -1); // -1: not in the tree yet
    std::vector<std::uint32_t> Tree;
    Tree.reserve(N);
    // Branches leaving the tree, earliest in the list first, with the tree
    // node they leave from.
    using TCandidate = std::pair<std::uint32_t, int>;
    using TCandidates = std::priority_queue<TCandidate, std::vector<TCandidate>, std::greater<>>;
    TCandidates Heap;
    TCandidates TooDeep; // those that would reach too deep, kept for new roots
    bool Limited = false;
    auto Take = [&](int Node, int NodeDepth) {
        const std::size_t U = static_cast<std::size_t>(Node);
        Depth[U] = NodeDepth;
        for (int K = Start[U]; K < Start[U + 1]; ++K) {
            const std::uint32_t E = Adj[static_cast<std::size_t>(K)];
            if (Depth[static_cast<std::size_t>(Ends.Other(E, Node))] < 0)
                Heap.emplace(E, Node);
        }
    };
    for (const int Root : Roots) {
        if (Depth[static_cast<std::size_t>(Root)] >= 0)
            continue;
        Take(Root, 0);
        while (!Heap.empty() || !TooDeep.empty()) {
            if (Heap.empty()) {
                // Only branches from the deepest nodes reach further: the
                // earliest to a node still outside starts a new root.
                const auto [E, From] = TooDeep.top();
                TooDeep.pop();
                const int V = Ends.Other(E, From);
                if (Depth[static_cast<std::size_t>(V)] < 0) {
                    Tree.push_back(E);
                    Take(V, 0);
                }
                continue;
            }
            const auto [E, From] = Heap.top();
            Heap.pop();
            const int V = Ends.Other(E, From);
            if (Depth[static_cast<std::size_t>(V)] >= 0)
                continue;
            const int D = Depth[static_cast<std::size_t>(From)] + 1;
            if (D > MaxDepth) {
                Limited = true;
                TooDeep.emplace(E, From);
                continue;
            }
            Tree.push_back(E);
            Take(V, D);
        }
    }

    // Without the depth limit this is the tree the list's own order gives.
    if (!Limited)
        return;
    // The last resort joins what the others left apart, in its order.
    TDisjointSets Parts;
    Parts.Reset(N);
    for (const std::uint32_t E : Tree)
        Parts.Merge(Parts.Find(Ends.From[E]), Parts.Find(Ends.To[E]));
    for (std::size_t I = Free; I < M; ++I) {
        if (Ends.From[I] < 0)
            continue;
        const int F = Parts.Find(Ends.From[I]);
        const int T = Parts.Find(Ends.To[I]);
        if (F != T) {
            Parts.Merge(T, F);
            Tree.push_back(static_cast<std::uint32_t>(I));
        }
    }

    std::vector<char> InTree(M, 0);
    for (const std::uint32_t E : Tree)
        InTree[E] = 1;
    TGraph::TBranchList Ordered;
    Ordered.reserve(M);
    for (const std::uint32_t E : Tree)
        Ordered.push_back(std::move(List[E]));
    for (std::size_t I = 0; I < M; ++I)
        if (!InTree[I])
            Ordered.push_back(std::move(List[I]));
    List.swap(Ordered);
}
