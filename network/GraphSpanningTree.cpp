// The spanning tree as a labelling of components over the branch list.
//
// The labelling is the classic one: every node starts unlabelled; a branch
// between two unlabelled nodes starts a new component label, a branch between
// two nodes of the same label is a chord, and otherwise the two components
// merge under the larger label. Relabelling every node of the smaller label
// makes that quadratic; a union-find over node positions gives the same
// chords and the same final labels (each set remembers its label, and a merge
// keeps the larger) in near-linear time.

#include "network/Graph.h"

#include "network/GraphFlags.h"

#include <algorithm>

void TGraph::IndexNodes()
{
    for (std::size_t I = 0; I < NodeList.size(); ++I)
        NodeList[I]->Index = static_cast<int>(I);
}

int TGraph::FindSet(int I)
{
    std::vector<int>& Set = Work.Set;
    while (Set[I] != I) {
        Set[I] = Set[Set[I]]; // path halving
        I = Set[I];
    }
    return I;
}

void TGraph::BuildSpanningTree(const TBranchOrdering& Ordering)
{
    if (Ordering)
        Ordering(BranchList);
    else
        SortForTree();

    ChordCount = 0;
    IndexNodes();
    const std::size_t N = NodeList.size();
    Work.Set.resize(N);
    Work.SetLabel.assign(N, 0);
    for (std::size_t I = 0; I < N; ++I)
        Work.Set[I] = static_cast<int>(I);
    for (const auto& Branch : BranchList)
        ClearBit(Branch->Flags, gfChord);

    int NextLabel = 0;
    for (const auto& Branch : BranchList) {
        if (BitIsSet(Branch->Flags, gfExcluded))
            continue;
        const int F = FindSet(Branch->FromNode->Index);
        const int T = FindSet(Branch->ToNode->Index);
        const int LabelF = Work.SetLabel[F];
        const int LabelT = Work.SetLabel[T];
        if (LabelF == 0 && LabelT == 0) {
            Work.Set[T] = F; // no-op when both ends are the same node
            Work.SetLabel[F] = ++NextLabel;
        } else if (F == T) {
            SetBit(Branch->Flags, gfChord);
            ++ChordCount;
        } else {
            // The merged component keeps the larger label; path halving in
            // FindSet keeps the finds short.
            const int Keep = LabelF > LabelT ? F : T;
            const int Drop = Keep == F ? T : F;
            Work.Set[Drop] = Keep;
            Work.SetLabel[Keep] = std::max(LabelF, LabelT);
        }
    }
    for (std::size_t I = 0; I < N; ++I)
        NodeList[I]->Label = Work.SetLabel[FindSet(static_cast<int>(I))];
}
