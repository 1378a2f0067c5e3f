// The reference paths of sizing: from each of the fan's two nodes outward,
// the path of largest pressure drop from every node to a terminal (the
// index run from the fan itself), and the pressures along the index run
// that every other branch is balanced against.
//
// A path is kept as one successor and one accumulated drop per node, not as
// a list per node, so a deep network needs memory in proportion to its
// nodes only. Drops are taken in the direction of the air: a side's sign
// (-1 supply, walking with the air away from the fan; +1 return, walking
// against it) times the link's direction times the branch's TotalDrop,
// which is signed by the drawing direction.

#include "network/DuctGraph.h"

#include "graph/GraphFlags.h"

#include <cmath>

namespace {

// Below this (Pa) a damper works against the flow.
constexpr double NegativeDamperLimit = -0.0001;

// The drop across a link in the direction of the air; a size-fixed branch
// counts without its damper, which only takes up what its path leaves.
double AirDrop(const TLink& Link, int Side)
{
    const TFlowBranch& B = FlowBranchOf(Link);
    const double Drop = B.SizeFixed ? B.TotalDrop - B.DamperDrop : B.TotalDrop;
    return Side * Link.Direction * Drop;
}

// Takes the link as Node's path when it leads to the larger drop (the last
// of equals wins).
void OfferPath(TFlowNode* Node, std::size_t Index, int Side, double FarDrop)
{
    const double Drop = AirDrop(Node->Links[Index], Side) + FarDrop;
    if (Node->RefLink < 0 || Drop >= Node->RefDrop) {
        Node->RefLink = static_cast<int>(Index);
        Node->RefDrop = Drop;
    }
}

// Pressure at the far end of a link from the near node's.
double FarPressure(double Near, const TLink& Link)
{
    // -1: the near node is the from-node, so the walk goes with the branch.
    const double Drop = FlowBranchOf(Link).TotalDrop;
    return Link.Direction == -1 ? Near - Drop : Near + Drop;
}

} // namespace

double TDuctGraph::TotalEquivLength() const
{
    double Sum = 0.0;
    for (const auto& Item : Branches())
        Sum += static_cast<const TFlowBranch&>(*Item).EquivLength;
    return Sum;
}

bool TDuctGraph::HasNegativeDamper() const
{
    for (const auto& Item : Branches()) {
        const auto& B = static_cast<const TFlowBranch&>(*Item);
        // A damper is signed like the flow it throttles; one without flow
        // throttles nothing.
        if (B.MassFlow != 0.0 && B.DamperDrop * (B.MassFlow < 0.0 ? -1.0 : 1.0) < NegativeDamperLimit)
            return true;
    }
    return false;
}

void TDuctGraph::SizeFromFan()
{
    ClearBranchFlag(gfWalked);
    ClearBranchFlag(gfVisited);
    ClearNodeFlag(gfVisited);
    for (const auto& Item : Branches())
        static_cast<TFlowBranch&>(*Item).ClearDamperDrop();
    for (const auto& Item : Nodes()) {
        auto& Node = static_cast<TFlowNode&>(*Item);
        Node.RefLink = -1;
        Node.RefDrop = 0.0;
        Node.RefPath.clear();
    }
    PathOrder.clear();
    if (MainFan)
        SetBit(MainFan->Flags, gfVisited); // no path crosses the fan
    BuildReferencePath(SupplyRef, -1);
    BuildReferencePath(ReturnRef, 1);
    // The index run: the two reference nodes' paths in full.
    for (TFlowNode* Ref : {SupplyRef, ReturnRef}) {
        for (TFlowNode* Node = Ref; Node && Node->RefLink >= 0;) {
            const TLink& L = Node->Links[static_cast<std::size_t>(Node->RefLink)];
            Ref->RefPath.push_back(L);
            Node = FarFlowNode(L);
        }
    }
}

void TDuctGraph::BuildReferencePath(TFlowNode* Ref, int Side)
{
    if (!Ref)
        return;
    SetBit(Ref->Flags, gfVisited);
    SizingStack.clear();
    SizingStack.push_back({Ref, 0, 0.0, 0.0});
    while (!SizingStack.empty()) {
        TSizingFrame& F = SizingStack.back();
        if (F.Next < F.Node->Links.size()) {
            const std::size_t Index = F.Next++;
            const TLink& L = F.Node->Links[Index];
            if (HasFlag(L.Branch->Flags, gfVisited) || HasFlag(L.Branch->Flags, gfChord))
                continue;
            TFlowNode* Far = FarFlowNode(L);
            if (Far->IsSink() || HasFlag(Far->Flags, gfVisited))
                continue;
            SetBit(L.Branch->Flags, gfVisited);
            SetBit(Far->Flags, gfVisited);
            if (Far->IsTerminal())
                OfferPath(F.Node, Index, Side, 0.0); // a terminal ends the path
            else
                SizingStack.push_back({Far, 0, 0.0, 0.0});
            continue;
        }
        TFlowNode* Done = F.Node;
        SizingStack.pop_back();
        PathOrder.emplace_back(Done, Side);
        // Only a path that reaches a terminal is worth following: one that
        // ends at a dead end or the far side of a loop discharges nowhere.
        if (!SizingStack.empty() && Done->RefLink >= 0) {
            const TSizingFrame& Parent = SizingStack.back();
            OfferPath(Parent.Node, Parent.Next - 1, Side, Done->RefDrop);
        }
    }
}

void TDuctGraph::RefreshPathDrops()
{
    // Far ends come first, so every successor's drop is already current.
    for (const auto& [Node, Side] : PathOrder) {
        if (Node->RefLink < 0) {
            Node->RefDrop = 0.0;
            continue;
        }
        const TLink& L = Node->Links[static_cast<std::size_t>(Node->RefLink)];
        Node->RefDrop = AirDrop(L, Side) + FarFlowNode(L)->RefDrop;
    }
}

void TDuctGraph::SumSupplyReturn()
{
    RefreshPathDrops();
    SupplySum = SupplyRef ? SupplyRef->RefDrop : 0.0;
    ReturnSum = ReturnRef ? ReturnRef->RefDrop : 0.0;
    for (const TFlowNode* Ref : {SupplyRef, ReturnRef})
        if (Ref)
            for (const TLink& L : Ref->RefPath)
                SetBit(L.Branch->Flags, gfVisited);
}

void TDuctGraph::CalcNodePressuresAlongPaths()
{
    ClearBranchFlag(gfWalked);
    ClearBranchFlag(gfVisited);
    ClearNodeFlag(gfVisited);
    if (!MainFan || !ReturnRef || !SupplyRef)
        return;
    // The return path's far end draws at the sink's pressure; back from it
    // toward the fan the suction grows.
    TFlowNode* Node = ReturnRef;
    for (const TLink& L : ReturnRef->RefPath)
        Node = FarFlowNode(L);
    Node->RelPressure = 0.0;
    SetBit(Node->Flags, gfVisited);
    const auto& Return = ReturnRef->RefPath;
    for (auto It = Return.rbegin(); It != Return.rend(); ++It) {
        auto* Near = static_cast<TFlowNode*>(It->Branch->OtherNode(Node));
        // Going from the far node back to the near one reverses the link.
        Near->RelPressure = FarPressure(Node->RelPressure, TLink{-It->Direction, It->Branch});
        SetBit(It->Branch->Flags, gfVisited);
        SetBit(Near->Flags, gfVisited);
        Node = Near;
    }
    // The fan makes up both paths and its own items.
    MainFan->PressureGain = ReturnSum + SupplySum + MainFan->FixedDpSum + MainFan->FixedCSum;
    MainFan->CalcTotalDrop();
    SupplyRef->RelPressure = ReturnRef->RelPressure - MainFan->TotalDrop;
    SetBit(MainFan->Flags, gfVisited);
    SetBit(SupplyRef->Flags, gfVisited);
    Node = SupplyRef;
    for (const TLink& L : SupplyRef->RefPath) {
        TFlowNode* Far = FarFlowNode(L);
        Far->RelPressure = FarPressure(Node->RelPressure, L);
        SetBit(L.Branch->Flags, gfVisited);
        SetBit(Far->Flags, gfVisited);
        Node = Far;
    }
}
