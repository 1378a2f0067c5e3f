// The spanning tree as a labelling of components over the branch list.
//
// The labelling is the classic one: every node starts unlabelled; a branch
// between two unlabelled nodes starts a new component label, a branch between
// two nodes of the same label is a chord, and otherwise the two components
// merge under the larger label. Relabelling every node of the smaller label
// makes that quadratic; a union-find over node positions gives the same
// chords and the same final labels (each set remembers its label, and a merge
// keeps the larger) in near-linear time.

#include "graph/Graph.h"

#include "graph/GraphFlags.h"

void TGraph::BuildSpanningTree(const TBranchOrdering& Ordering)
{
    LabelComponents(Ordering, false);
}

void TGraph::LabelComponents(const TBranchOrdering& Ordering, bool ForMeshes)
{
    if (Ordering)
        Ordering(BranchList);
    else
        SortForTree();

    ChordCount = 0;
    const std::size_t N = NodeList.size();
    Work.Set.Reset(N);
    Work.SetLabel.assign(N, 0);
    NumberNodes();
    Work.EdgeFrom.clear();
    Work.EdgeTo.clear();
    Work.EdgeBranch.clear();
    Work.Chords.clear();
    Work.AnyOpenExcludedBranch = false;

    int NextLabel = 0;
    for (const auto& Item : BranchList) {
        TBranch* Branch = Item.get();
        Branch->Flags &= ~FlagMask(gfChord);
        const int From = Branch->FromNode->Index;
        const int To = Branch->ToNode->Index;
        if (HasFlag(Branch->Flags, gfExcluded)) {
            Work.AnyOpenExcludedBranch = Work.AnyOpenExcludedBranch || From != To;
            continue;
        }
        const int F = Work.Set.Find(From);
        const int T = Work.Set.Find(To);
        const int LabelF = Work.SetLabel[static_cast<std::size_t>(F)];
        const int LabelT = Work.SetLabel[static_cast<std::size_t>(T)];
        if (F == T && LabelF != 0) {
            Branch->Flags |= FlagMask(gfChord);
            ++ChordCount;
            Work.Chords.push_back(Branch);
            continue;
        }
        if (LabelF == 0 && LabelT == 0) {
            // Both ends unlabelled (a loop on a fresh node labels it alone).
            Work.Set.Merge(F, T);
            Work.SetLabel[static_cast<std::size_t>(F)] = ++NextLabel;
        } else {
            // The merged component keeps the larger label.
            const int Keep = LabelF > LabelT ? F : T;
            const int Drop = Keep == F ? T : F;
            Work.Set.Merge(Keep, Drop);
            Work.SetLabel[static_cast<std::size_t>(Keep)] = LabelF > LabelT ? LabelF : LabelT;
        }
        if (From != To) {
            Work.EdgeFrom.push_back(From);
            Work.EdgeTo.push_back(To);
            Work.EdgeBranch.push_back(Branch);
        }
    }

    Work.AnyExcludedNode = false;
    for (std::size_t I = 0; I < N; ++I) {
        TNode* Node = NodeList[I].get();
        Node->Label = Work.SetLabel[static_cast<std::size_t>(Work.Set.Find(static_cast<int>(I)))];
        if (ForMeshes) {
            Node->Flags &= ~FlagMask(gfVisited);
            Work.AnyExcludedNode = Work.AnyExcludedNode || HasFlag(Node->Flags, gfExcluded);
        }
    }
}
