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

#include "network/Graph.h"

#include "network/GraphFlags.h"

namespace {

bool IsExcluded(const TNode* Node)
{
    return BitIsSet(Node->Flags, gfExcluded);
}

bool IsChord(const TBranch* Branch)
{
    return BitIsSet(Branch->Flags, gfChord);
}

bool IsTreeBranch(const TBranch* Branch)
{
    return !IsChord(Branch) && !BitIsSet(Branch->Flags, gfExcluded) &&
           Branch->FromNode != Branch->ToNode;
}

// An excluded branch that may lead a search somewhere: a loop leads nowhere.
bool IsOpenExcludedBranch(const TBranch* Branch)
{
    return BitIsSet(Branch->Flags, gfExcluded) && Branch->FromNode != Branch->ToNode;
}

} // namespace

bool TGraph::BuildMeshes(int Upper, int Lower)
{
    ClearMeshes();
    LoopCount = Upper != 0 ? Upper - Lower + 1 : BranchCount() - NodeCount() + 1;
    const int Loops = LoopCount;
    BuildSpanningTree();
    LoopCount = Loops;
    if (LoopCount != ChordCount || LoopCount == 0) {
        ShowMessage("Disconnected network.  Make sure all nodes and branches are connected and re-solve");
        return false;
    }

    int NextId = 0;
    for (const auto& Branch : BranchList) {
        if (!IsChord(Branch.get()))
            continue;
        MeshList.push_back(NewMesh(++NextId));
        TMesh& Mesh = *MeshList.back();
        Mesh.Links.push_back({1, Branch.get()});
        Mesh.ChordAdded(Branch.get());
    }

    bool AnyExcludedNode = false;
    for (const auto& Node : NodeList)
        AnyExcludedNode = AnyExcludedNode || IsExcluded(Node.get());
    bool AnyOpenExcludedBranch = false;
    for (const auto& Branch : BranchList)
        AnyOpenExcludedBranch = AnyOpenExcludedBranch || IsOpenExcludedBranch(Branch.get());
    const bool SearchAll = false;

    BuildTreeForest();
    bool Traced = true;
    for (const auto& Mesh : MeshList) {
        TBranch* Chord = Mesh->Links.front().Branch;
        TNode* Start = Chord->ToNode;
        TNode* Target = Chord->FromNode;
        const bool Search = SearchAll || (AnyOpenExcludedBranch && NeedsSearch(Target));
        Traced = Search ? TraceBySearch(*Mesh, Start, Target)
                        : TraceByTree(*Mesh, Start, Target, AnyExcludedNode);
        if (!Traced)
            break;
    }
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
    // IndexNodes ran with the spanning tree just built.
    const std::size_t N = NodeList.size();
    Work.Parent.assign(N, -2); // -2: not reached yet
    Work.ParentBranch.assign(N, nullptr);
    Work.Depth.assign(N, 0);
    for (std::size_t Root = 0; Root < N; ++Root) {
        if (Work.Parent[Root] != -2)
            continue;
        Work.Parent[Root] = -1;
        Work.Queue.clear();
        Work.Queue.push_back(static_cast<int>(Root));
        for (std::size_t Head = 0; Head < Work.Queue.size(); ++Head) {
            const int U = Work.Queue[Head];
            const TNode* Node = NodeList[static_cast<std::size_t>(U)].get();
            for (const TLink& L : Node->Links) {
                if (!IsTreeBranch(L.Branch))
                    continue;
                const int V = L.Branch->OtherNode(Node)->Index;
                if (Work.Parent[static_cast<std::size_t>(V)] != -2)
                    continue;
                Work.Parent[static_cast<std::size_t>(V)] = U;
                Work.ParentBranch[static_cast<std::size_t>(V)] = L.Branch;
                Work.Depth[static_cast<std::size_t>(V)] = Work.Depth[static_cast<std::size_t>(U)] + 1;
                Work.Queue.push_back(V);
            }
        }
    }
}

bool TGraph::TraceByTree(TMesh& Mesh, TNode* Start, TNode* Target, bool CheckBlocked)
{
    if (Start == Target)
        return true;
    auto Blocked = [&](int I) {
        return CheckBlocked && IsExcluded(NodeList[static_cast<std::size_t>(I)].get());
    };
    // The circuit runs Start -> ... -> common ancestor -> ... -> Target. The
    // search would list it from the Target end back to Start, each link
    // signed by the direction in which that walk passes the branch.
    int X = Start->Index;  // climbs the Start side
    int Y = Target->Index; // climbs the Target side
    const int TargetIndex = Y;
    Work.Up.clear();
    Work.Down.clear();
    while (X != Y) {
        const std::size_t XI = static_cast<std::size_t>(X);
        const std::size_t YI = static_cast<std::size_t>(Y);
        if (Work.Depth[XI] >= Work.Depth[YI]) {
            if (Work.Parent[XI] < 0 || Blocked(X))
                return false;
            TBranch* Branch = Work.ParentBranch[XI];
            Work.Down.push_back({Branch->FromNode == NodeList[XI].get() ? 1 : -1, Branch});
            X = Work.Parent[XI];
        } else {
            if (Work.Parent[YI] < 0 || (Y != TargetIndex && Blocked(Y)))
                return false;
            TBranch* Branch = Work.ParentBranch[YI];
            Work.Up.push_back({Branch->ToNode == NodeList[YI].get() ? 1 : -1, Branch});
            Y = Work.Parent[YI];
        }
    }
    if (X != TargetIndex && Blocked(X))
        return false;
    Mesh.Links.insert(Mesh.Links.end(), Work.Up.begin(), Work.Up.end());
    Mesh.Links.insert(Mesh.Links.end(), Work.Down.rbegin(), Work.Down.rend());
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
