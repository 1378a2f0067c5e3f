#pragma once
// Shared by the graph and network tests: graphs described as edge lists, a
// snapshot of the meshes, the ids and links of a graph, and the spanning tree
// and mesh circuits exactly as first written (relabelling loops, a recursive
// depth-first search), against which the library's fast construction is
// compared.

#include "graph/Graph.h"
#include "graph/GraphFlags.h"

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace graphtest {

struct TEdge {
    int Id;
    int From;
    int To;
    double Weight;
};

struct TGraphSpec {
    std::vector<int> NodeIds; // added first, in this order
    std::vector<TEdge> Edges;
    std::vector<int> ExcludedNodes;    // flagged gfExcluded
    std::vector<int> ExcludedBranches; // flagged gfExcluded
};

// Nodes 1, 2, 3 in a chain 1 -> 2 -> 3 closed by branch 3 (3 -> 1);
// weights equal the ids.
inline TGraphSpec TriangleSpec()
{
    return {{1, 2, 3}, {{1, 1, 2, 1}, {2, 2, 3, 2}, {3, 3, 1, 3}}, {}, {}};
}

inline void Build(TGraph& G, const TGraphSpec& Spec)
{
    for (int Id : Spec.NodeIds)
        G.GetOrAddNode(Id);
    for (const TEdge& E : Spec.Edges) {
        TBranch* B = G.AddBranch(E.Id, E.From, E.To);
        B->Weight = E.Weight;
    }
    for (int Id : Spec.ExcludedNodes)
        SetBit(G.FindNode(Id)->Flags, gfExcluded);
    for (int Id : Spec.ExcludedBranches)
        SetBit(G.FindBranch(Id)->Flags, gfExcluded);
}

// A mesh, or a node's links, as (direction, branch id) pairs.
using TMeshLinks = std::vector<std::pair<int, int>>;

inline TMeshLinks LinksOf(const std::vector<TLink>& Links)
{
    TMeshLinks Pairs;
    for (const TLink& L : Links)
        Pairs.emplace_back(L.Direction, L.Branch->Id());
    return Pairs;
}
inline TMeshLinks LinksOf(const TNode* Node) { return LinksOf(Node->Links); }

struct TMeshSnapshot {
    bool Ok = false;
    int LoopCount = 0;
    int ChordCount = 0;
    std::vector<int> BranchOrder;             // ids in list order after the sort
    std::vector<int> ChordIds;                // in list order
    std::vector<std::pair<int, int>> Labels;  // (node id, label)
    std::vector<TMeshLinks> Meshes;

    bool operator==(const TMeshSnapshot&) const = default;
};

inline TMeshSnapshot Snapshot(const TGraph& G, bool Ok)
{
    TMeshSnapshot S;
    S.Ok = Ok;
    S.LoopCount = G.LoopCount;
    S.ChordCount = G.ChordCount;
    for (const auto& B : G.Branches()) {
        S.BranchOrder.push_back(B->Id());
        if (BitIsSet(B->Flags, gfChord))
            S.ChordIds.push_back(B->Id());
    }
    for (const auto& N : G.Nodes())
        S.Labels.emplace_back(N->Id(), N->Label);
    if (Ok)
        for (const auto& M : G.Meshes())
            S.Meshes.push_back(LinksOf(M->Links));
    return S;
}


template <typename TList>
std::vector<int> IdsOf(const TList& List)
{
    std::vector<int> Ids;
    for (const auto& Item : List)
        Ids.push_back(Item->Id());
    return Ids;
}
inline std::vector<int> BranchIds(const TGraph& G) { return IdsOf(G.Branches()); }
inline std::vector<int> NodeIds(const TGraph& G) { return IdsOf(G.Nodes()); }

// ---- the plain algorithm, step by step: slow, recursive and obviously
// right, the reference the library's fast walks must match

inline void PlainSpanningTree(TGraph& G)
{
    G.SortForTree();
    G.ChordCount = 0;
    for (const auto& N : G.Nodes())
        N->Label = 0;
    for (const auto& B : G.Branches())
        ClearBit(B->Flags, gfChord);
    int K = 0;
    for (const auto& B : G.Branches()) {
        if (BitIsSet(B->Flags, gfExcluded))
            continue;
        const int F = B->FromNode->Label;
        const int T = B->ToNode->Label;
        if (F == 0 && T == 0) {
            ++K;
            B->FromNode->Label = K;
            B->ToNode->Label = K;
        } else if (F == T) {
            SetBit(B->Flags, gfChord);
            ++G.ChordCount;
        } else if (F > T) {
            if (T == 0)
                B->ToNode->Label = F;
            else
                G.RelabelNodes(T, F);
        } else {
            if (F == 0)
                B->FromNode->Label = T;
            else
                G.RelabelNodes(F, T);
        }
    }
}

inline bool PlainSearch(TNode* Node, TNode* Target, TMeshLinks& Mesh)
{
    if (Node == Target)
        return true;
    if (BitIsSet(Node->Flags, gfVisited) || BitIsSet(Node->Flags, gfExcluded))
        return false;
    SetBit(Node->Flags, gfVisited);
    for (const TLink& L : Node->Links) {
        if (BitIsSet(L.Branch->Flags, gfChord))
            continue;
        if (L.Direction == 1) {
            if (PlainSearch(L.Branch->FromNode, Target, Mesh)) {
                Mesh.emplace_back(-1, L.Branch->Id());
                return true;
            }
        } else {
            if (PlainSearch(L.Branch->ToNode, Target, Mesh)) {
                Mesh.emplace_back(1, L.Branch->Id());
                return true;
            }
        }
    }
    return false;
}

// The plain BuildMeshes, with failure meaning no meshes (as the library
// does): the snapshot to compare with.
inline TMeshSnapshot PlainMeshes(TGraph& G, int Upper = 0, int Lower = 0)
{
    const int Loops = Upper != 0 ? Upper - Lower + 1 : G.BranchCount() - G.NodeCount() + 1;
    PlainSpanningTree(G);
    G.LoopCount = Loops;
    TMeshSnapshot S = Snapshot(G, false);
    if (Loops != G.ChordCount || Loops == 0)
        return S;
    std::vector<TMeshLinks> Meshes;
    for (const auto& B : G.Branches()) {
        if (!BitIsSet(B->Flags, gfChord))
            continue;
        TMeshLinks Mesh{{1, B->Id()}};
        G.ClearNodeFlag(gfVisited);
        if (!PlainSearch(B->ToNode, B->FromNode, Mesh))
            return S;
        Meshes.push_back(Mesh);
    }
    S.Ok = true;
    S.Meshes = Meshes;
    return S;
}

// ---- random graphs

// A random graph on NodeCount nodes: a random spanning tree (so connected)
// unless Disconnected, plus Extra branches, with random directions, weights
// drawn from a few values (many ties), occasional parallel branches and, when
// asked, self-loops and excluded items.
struct TRandomOptions {
    int NodeCount = 10;
    int Extra = 5;
    bool Disconnected = false;
    bool SelfLoops = false;
    // 0 none; 1 random nodes and branches; 2 as flow distribution marks them
    // (terminal-like nodes, and branches that touch one).
    int ExcludeMode = 0;
};

inline TGraphSpec RandomGraph(std::mt19937& Rng, const TRandomOptions& O)
{
    TGraphSpec Spec;
    auto Pick = [&](int N) { return std::uniform_int_distribution<int>(0, N - 1)(Rng); };
    std::vector<int> Ids;
    for (int I = 0; I < O.NodeCount; ++I)
        Ids.push_back(100 + I * 3); // ids unrelated to positions
    std::shuffle(Ids.begin(), Ids.end(), Rng);
    Spec.NodeIds = Ids;
    int NextBranch = 1;
    auto AddEdge = [&](int A, int B) {
        if (Pick(2))
            std::swap(A, B);
        Spec.Edges.push_back({NextBranch++, A, B, static_cast<double>(Pick(4))});
    };
    for (int I = 1; I < O.NodeCount; ++I) {
        if (O.Disconnected && I == O.NodeCount / 2)
            continue; // splits the tree in two
        AddEdge(Ids[static_cast<std::size_t>(I)], Ids[static_cast<std::size_t>(Pick(I))]);
    }
    for (int E = 0; E < O.Extra; ++E) {
        const int IA = Pick(O.NodeCount);
        int IB = Pick(O.NodeCount);
        if (IA == IB && !O.SelfLoops)
            IB = (IA + 1 + Pick(O.NodeCount - 1)) % O.NodeCount;
        AddEdge(Ids[static_cast<std::size_t>(IA)], Ids[static_cast<std::size_t>(IB)]);
    }
    std::shuffle(Spec.Edges.begin(), Spec.Edges.end(), Rng);
    if (O.ExcludeMode == 1) {
        for (int Id : Ids)
            if (Pick(6) == 0)
                Spec.ExcludedNodes.push_back(Id);
        for (const TEdge& E : Spec.Edges)
            if (Pick(6) == 0)
                Spec.ExcludedBranches.push_back(E.Id);
    } else if (O.ExcludeMode == 2) {
        for (int Id : Ids)
            if (Pick(4) == 0)
                Spec.ExcludedNodes.push_back(Id);
        auto Blocked = [&](int Id) {
            return std::find(Spec.ExcludedNodes.begin(), Spec.ExcludedNodes.end(), Id) != Spec.ExcludedNodes.end();
        };
        for (const TEdge& E : Spec.Edges)
            if ((Blocked(E.From) || Blocked(E.To)) && Pick(2) == 0)
                Spec.ExcludedBranches.push_back(E.Id);
    }
    return Spec;
}

} // namespace graphtest
