// Meshes: one independent loop per chord of the spanning tree.
//
// Each circuit is the path between the chord's ends through the branches
// that are not chords, found by a depth-first search from the chord's to-node
// for its from-node (links tried in list order; visited nodes and excluded
// nodes end a search). Without excluded items the non-chord branches form a
// forest, the path is unique, and it is read off the rooted forest by
// climbing from both ends to their lowest common ancestor: the same links in
// the same order and directions as the search, at the cost of the path
// itself. Excluded nodes on that unique path make the search fail, so they
// make the climb fail too.
//
// Excluded branches (flow distribution leaves terminal and sink branches out
// of the tree) are still walked by the search. When every one of them has an
// excluded end, which is how the distribution marks them, they can only ever
// lead the search into an excluded node, which ends it unless that node is
// the target; so the climb stays exact except for a target that such a
// branch reaches from a node the search may enter. For those meshes, and
// when excluded branches are marked any other way, the search itself runs
// (without recursion).

#include "graph/Graph.h"

#include "foundation/WorkerTeam.h"
#include "graph/GraphFlags.h"

#include <atomic>

namespace {

bool IsExcluded(const TNode* Node)
{
    return BitIsSet(Node->Flags, gfExcluded);
}

bool IsChord(const TBranch* Branch)
{
    return BitIsSet(Branch->Flags, gfChord);
}

// An excluded branch that may lead a search somewhere: a loop leads nowhere.
bool IsOpenExcludedBranch(const TBranch* Branch)
{
    return BitIsSet(Branch->Flags, gfExcluded) && Branch->FromNode != Branch->ToNode;
}

} // namespace

bool TGraph::CheckLoops(int Upper, int Lower, const TBranchOrdering& Ordering)
{
    ClearMeshes();
    const int Loops = Upper != 0 ? Upper - Lower + 1 : BranchCount() - NodeCount() + 1;
    LabelComponents(Ordering, true);
    LoopCount = Loops;
    if (LoopCount != ChordCount || LoopCount == 0) {
        ShowMessage("Disconnected network.  Make sure all nodes and branches are connected and re-solve");
        return false;
    }
    return true;
}

bool TGraph::BuildMeshes(int Upper, int Lower, const TBranchOrdering& Ordering)
{
    if (!CheckLoops(Upper, Lower, Ordering))
        return false;

    int NextId = 0;
    for (TBranch* Chord : Work.Chords) {
        MeshList.push_back(ReusedMesh(++NextId));
        TMesh& Mesh = *MeshList.back();
        Mesh.Links.push_back({1, Chord});
        Mesh.ChordAdded(Chord);
    }

    const bool AnyOpen = Work.AnyOpenExcludedBranch;
    const bool SearchAll = AnyOpen && !ExcludedBranchesEndBlocked();
    BuildTreeForest();
    bool Traced = true;
    bool Searched = false;
    if (!AnyOpen) {
        // Every circuit runs through the tree alone: each mesh is traced
        // on its own, so they share out among the team.
        std::atomic<bool> AllTraced = true;
        Team().ForEachRange(MeshList.size(), MeshesPerThread, [&](std::size_t Begin, std::size_t End) {
            std::vector<TLink> Up, Down;
            for (std::size_t K = Begin; K < End && AllTraced; ++K) {
                TMesh& Mesh = *MeshList[K];
                TBranch* Chord = Mesh.Links.front().Branch;
                if (!TraceByTree(Mesh, Chord->ToNode, Chord->FromNode, Work.AnyExcludedNode, Up, Down))
                    AllTraced = false;
            }
        });
        Traced = AllTraced;
    }
    for (std::size_t K = 0; AnyOpen && Traced && K < MeshList.size(); ++K) {
        TMesh& Mesh = *MeshList[K];
        TBranch* Chord = Mesh.Links.front().Branch;
        TNode* Start = Chord->ToNode;
        TNode* Target = Chord->FromNode;
        const bool Search = SearchAll || NeedsSearch(Target);
        Searched = Searched || Search;
        Traced = Search ? TraceBySearch(Mesh, Start, Target)
                        : TraceByTree(Mesh, Start, Target, Work.AnyExcludedNode, Work.Up, Work.Down);
    }
    if (Searched)
        ClearNodeFlag(gfVisited);
    if (!Traced) {
        // Meshes with a broken circuit would mislead every solver pass.
        MeshList.clear();
        ShowMessage("Error building mesh circuits");
        return false;
    }
    return true;
}

bool TGraph::ExcludedBranchesEndBlocked() const
{
    for (const auto& Branch : BranchList)
        if (IsOpenExcludedBranch(Branch.get()) && !IsExcluded(Branch->FromNode) &&
            !IsExcluded(Branch->ToNode))
            return false;
    return true;
}

bool TGraph::NeedsSearch(const TNode* Target) const
{
    if (!IsExcluded(Target))
        return false;
    for (const TLink& L : Target->Links)
        if (IsOpenExcludedBranch(L.Branch) && !IsExcluded(L.Branch->OtherNode(Target)))
            return true;
    return false;
}

void TGraph::BuildTreeForest()
{
    // The tree branches as adjacency arrays: the walk below then touches no
    // node or branch object, which is what keeps it fast on large networks.
    const std::size_t N = NodeList.size();
    const std::size_t E = Work.EdgeBranch.size();
    Work.AdjStart.assign(N + 1, 0);
    for (std::size_t I = 0; I < E; ++I) {
        ++Work.AdjStart[static_cast<std::size_t>(Work.EdgeFrom[I]) + 1];
        ++Work.AdjStart[static_cast<std::size_t>(Work.EdgeTo[I]) + 1];
    }
    for (std::size_t I = 0; I < N; ++I)
        Work.AdjStart[I + 1] += Work.AdjStart[I];
    Work.Adj.resize(2 * E);
    Work.Queue.assign(Work.AdjStart.begin(), Work.AdjStart.end() - 1); // fill cursors
    for (std::size_t I = 0; I < E; ++I) {
        Work.Adj[static_cast<std::size_t>(Work.Queue[static_cast<std::size_t>(Work.EdgeFrom[I])]++)] = static_cast<int>(I);
        Work.Adj[static_cast<std::size_t>(Work.Queue[static_cast<std::size_t>(Work.EdgeTo[I])]++)] = static_cast<int>(I);
    }

    Work.Parent.assign(N, -2); // -2: not reached yet
    Work.ParentBranch.assign(N, nullptr);
    Work.ParentBranchLeaves.assign(N, 0);
    Work.Depth.assign(N, 0);
    Work.Queue.resize(N);
    // Plain pointers: the compiler need not reload the vectors' buffers
    // after every store.
    int* Parent = Work.Parent.data();
    TBranch** ParentBranch = Work.ParentBranch.data();
    char* Leaves = Work.ParentBranchLeaves.data();
    int* Depth = Work.Depth.data();
    int* Queue = Work.Queue.data();
    const int* AdjStart = Work.AdjStart.data();
    const int* Adj = Work.Adj.data();
    const int* EdgeFrom = Work.EdgeFrom.data();
    const int* EdgeTo = Work.EdgeTo.data();
    TBranch* const* EdgeBranch = Work.EdgeBranch.data();
    for (std::size_t Root = 0; Root < N; ++Root) {
        if (Parent[Root] != -2)
            continue;
        Parent[Root] = -1;
        std::size_t Tail = 0;
        Queue[Tail++] = static_cast<int>(Root);
        for (std::size_t Head = 0; Head < Tail; ++Head) {
            const int U = Queue[Head];
            const std::size_t UI = static_cast<std::size_t>(U);
            for (int K = AdjStart[UI]; K < AdjStart[UI + 1]; ++K) {
                const std::size_t Edge = static_cast<std::size_t>(Adj[K]);
                const int From = EdgeFrom[Edge];
                const int V = From == U ? EdgeTo[Edge] : From;
                const std::size_t VI = static_cast<std::size_t>(V);
                if (Parent[VI] != -2)
                    continue;
                Parent[VI] = U;
                ParentBranch[VI] = EdgeBranch[Edge];
                Leaves[VI] = From == V ? 1 : 0;
                Depth[VI] = Depth[UI] + 1;
                Queue[Tail++] = V;
            }
        }
    }
}

bool TGraph::TraceByTree(TMesh& Mesh, TNode* Start, TNode* Target, bool CheckBlocked, std::vector<TLink>& Up,
                         std::vector<TLink>& Down) const
{
    if (Start == Target)
        return true;
    auto Blocked = [&](int I) {
        return CheckBlocked && HasFlag(NodeList[static_cast<std::size_t>(I)]->Flags, gfExcluded);
    };
    // The circuit runs Start -> ... -> common ancestor -> ... -> Target. The
    // search would list it from the Target end back to Start, each link
    // signed by the direction in which that walk passes the branch.
    int X = Start->Index;  // climbs the Start side
    int Y = Target->Index; // climbs the Target side
    const int TargetIndex = Y;
    Up.clear();
    Down.clear();
    while (X != Y) {
        const std::size_t XI = static_cast<std::size_t>(X);
        const std::size_t YI = static_cast<std::size_t>(Y);
        if (Work.Depth[XI] >= Work.Depth[YI]) {
            if (Work.Parent[XI] < 0 || Blocked(X))
                return false;
            // Passed from X up to its parent: along the branch when it leaves X.
            Down.push_back({Work.ParentBranchLeaves[XI] ? 1 : -1, Work.ParentBranch[XI]});
            X = Work.Parent[XI];
        } else {
            if (Work.Parent[YI] < 0 || (Y != TargetIndex && Blocked(Y)))
                return false;
            // Passed from the parent down to Y: along the branch when it enters Y.
            Up.push_back({Work.ParentBranchLeaves[YI] ? -1 : 1, Work.ParentBranch[YI]});
            Y = Work.Parent[YI];
        }
    }
    if (X != TargetIndex && Blocked(X))
        return false;
    Mesh.Links.reserve(Mesh.Links.size() + Up.size() + Down.size());
    Mesh.Links.insert(Mesh.Links.end(), Up.begin(), Up.end());
    Mesh.Links.insert(Mesh.Links.end(), Down.rbegin(), Down.rend());
    return true;
}

bool TGraph::TraceBySearch(TMesh& Mesh, TNode* Start, TNode* Target)
{
    ClearNodeFlag(gfVisited);
    if (Start == Target)
        return true;
    if (IsExcluded(Start))
        return false;
    SetBit(Start->Flags, gfVisited);
    Work.Stack.clear();
    Work.Entered.clear(); // Entered[i] led from Stack[i] to Stack[i + 1]
    Work.Stack.emplace_back(Start, 0);
    while (!Work.Stack.empty()) {
        TNode* Node = Work.Stack.back().first;
        std::size_t& Next = Work.Stack.back().second;
        if (Next >= Node->Links.size()) {
            Work.Stack.pop_back();
            if (!Work.Entered.empty())
                Work.Entered.pop_back();
            continue;
        }
        const TLink L = Node->Links[Next++];
        if (IsChord(L.Branch))
            continue;
        TNode* Far = L.Direction == 1 ? L.Branch->FromNode : L.Branch->ToNode;
        if (Far == Target) {
            Mesh.Links.push_back({-L.Direction, L.Branch});
            for (auto It = Work.Entered.rbegin(); It != Work.Entered.rend(); ++It)
                Mesh.Links.push_back({-It->Direction, It->Branch});
            return true;
        }
        if (BitIsSet(Far->Flags, gfVisited) || IsExcluded(Far))
            continue;
        SetBit(Far->Flags, gfVisited);
        Work.Entered.push_back(L);
        Work.Stack.emplace_back(Far, 0);
    }
    return false;
}
