// The balancing walks of a sizing pass: from each of the fan's nodes every
// branch off the index run is given the pressure left for it and everything
// beyond it, and the surplus over what its path needs goes to a balancing
// damper or, where no damper may take it, into the size of the path's last
// branch. So every terminal ends at the sink's pressure.
//
// Drops and dampers are taken in the direction of the air (the side's sign
// times the link's direction times the drawing-signed drop), and pressures
// are carried by the link's direction, so a duct drawn against the air is
// balanced as one drawn with it.

#include "network/DuctGraph.h"

#include "graph/GraphFlags.h"
#include "network/Settings.h"

#include <cmath>

namespace {

// The drop across a link in the direction of the air, without a damper.
double AirDrop(const TLink& Link, int Side)
{
    const TFlowBranch& B = FlowBranchOf(Link);
    return Side * Link.Direction * (B.TotalDrop - B.DamperDrop);
}

// The link from Node along its reference path; nullptr where the path ends.
const TLink* PathLink(const TFlowNode* Node)
{
    if (Node->RefLink < 0 || static_cast<std::size_t>(Node->RefLink) >= Node->Links.size())
        return nullptr;
    return &Node->Links[static_cast<std::size_t>(Node->RefLink)];
}

void MarkReached(const TLink& Link)
{
    SetBit(Link.Branch->Flags, gfVisited);
    SetBit(FarFlowNode(Link)->Flags, gfVisited);
}

// A branch into a Common node not yet reached, with Available Pa for it and
// everything beyond: the branch, then the far node's reference path.
void BalancePath(const TLink& First, int Side, double Available, bool UseDampers)
{
    const double Required = AirDrop(First, Side) + FarFlowNode(First)->RefDrop;
    // The damper goes on the branch itself when it is size-fixed, else on
    // the last size-fixed branch of the path, else (when dampers are
    // allowed) on the path's last branch.
    const TLink* Last = &First;
    const TLink* LastFixed = nullptr;
    for (const TLink* L = PathLink(FarFlowNode(First)); L; L = PathLink(FarFlowNode(*L))) {
        Last = L;
        if (FlowBranchOf(*L).SizeFixed)
            LastFixed = L;
    }
    // A path that ends short of a terminal (the far side of a loop, or a
    // dead end) discharges nowhere: there is no surplus to take, so its
    // branches only pass the pressure on.
    if (!FarFlowNode(*Last)->IsTerminal()) {
        for (const TLink* L = &First; L; L = PathLink(FarFlowNode(*L))) {
            FlowBranchOf(*L).PropagatePressure(L->Direction);
            MarkReached(*L);
        }
        return;
    }
    const TLink* Holder = FlowBranchOf(First).SizeFixed ? &First : LastFixed;
    if (!Holder && UseDampers)
        Holder = Last;

    if (Holder) {
        FlowBranchOf(*Holder).SetDamperDrop(Available - Required, Side * Holder->Direction);
        for (const TLink* L = &First; L; L = PathLink(FarFlowNode(*L))) {
            FlowBranchOf(*L).PropagatePressure(L->Direction);
            MarkReached(*L);
        }
        return;
    }
    // No damper: the path passes the pressure on, and its last branch is
    // sized for what is left.
    double Taken = 0.0;
    for (const TLink* L = &First; L; L = PathLink(FarFlowNode(*L))) {
        TFlowBranch& B = FlowBranchOf(*L);
        if (L == Last) {
            B.SizeForPressureRate(false, L->Direction, PressureGradient(Available - Taken, B.TotalLength));
        } else {
            B.PropagatePressure(L->Direction);
            Taken += AirDrop(*L, Side);
        }
        MarkReached(*L);
    }
}

} // namespace

void TDuctGraph::StaticRegainPass()
{
    ClearNodeFlag(gfWalked);
    if (SupplyRef)
        BalancingWalk(SupplyRef, -1, SupplyRef->RelPressure, SupplySum);
    if (ReturnRef)
        BalancingWalk(ReturnRef, 1, ReturnRef->RelPressure, -ReturnSum);
    if (Method != smStandardSizes)
        SizeChordsByGradient();
}

void TDuctGraph::BalancingWalk(TFlowNode* Start, int Side, double Reference, double Sum)
{
    if (Start->NodeType != ntCommon)
        return;
    const bool UseDampers = Settings().usedampers;
    SizingStack.clear();
    SetBit(Start->Flags, gfWalked);
    SizingStack.push_back({Start, 0, 0.0, 0.0});
    auto WalkOn = [this](TFlowNode* Node) {
        if (Node->NodeType == ntCommon && !HasFlag(Node->Flags, gfWalked)) {
            SetBit(Node->Flags, gfWalked);
            SizingStack.push_back({Node, 0, 0.0, 0.0});
        }
    };
    TSizingFrame F{};
    TLink L;
    while (NextSizingLink(F, L)) {
        const TFlowNode* Node = F.Node;
        if (L.Branch == MainFan || HasFlag(L.Branch->Flags, gfChord))
            continue;
        TFlowNode* Far = FarFlowNode(L);
        if (Far->IsSink())
            continue;
        TFlowBranch& B = FlowBranchOf(L);
        if (HasFlag(B.Flags, gfVisited)) {
            WalkOn(Far);
            continue;
        }
        SetBit(B.Flags, gfVisited);
        // What is left for this branch and everything beyond it.
        const double Available = -Side * Node->RelPressure - Reference + Sum;
        if (Far->NodeType == ntCommon) {
            if (HasFlag(Far->Flags, gfVisited))
                B.SizeForPressureRate(true, L.Direction,
                                      PressureGradient(Far->RelPressure - Node->RelPressure, B.TotalLength));
            else
                BalancePath(L, Side, Available, UseDampers);
            // On along the path just flagged, so the branches off it are
            // reached as well as its end.
            WalkOn(Far);
        } else if (Far->IsTerminal()) {
            if (!B.SizeFixed && !UseDampers) {
                B.SizeForPressureRate(false, L.Direction, PressureGradient(Available, B.TotalLength));
            } else {
                B.SetDamperDrop(Available - AirDrop(L, Side), Side * L.Direction);
                B.PropagatePressure(L.Direction);
            }
        }
    }
}
