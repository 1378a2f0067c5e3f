// Node pressures from the branches' total drops, carried over the spanning
// tree from the start node (the Sink, else the fan's return node).

#include "network/FlowGraph.h"

#include "graph/GraphFlags.h"

#include <cmath>

namespace {

// The outlets of a balanced network discharge at the sink's pressure.
constexpr double OutletPressureTolerance = 0.0001; // Pa

} // namespace

void TFlowGraph::CalcNodePressures()
{
    ClearNodeFlag(gfVisited);
    TFlowNode* Start = StartNode ? StartNode : ReturnRef;
    if (!Start)
        return;
    Start->Pressure = Barometer;
    Start->RelPressure = 0.0;
    SetBit(Start->Flags, gfVisited);
    PressureWalk.clear();
    PressureWalk.emplace_back(Start, 0);
    while (!PressureWalk.empty()) {
        auto* Node = static_cast<TFlowNode*>(PressureWalk.back().first);
        const std::size_t Next = PressureWalk.back().second++;
        if (Next >= Node->Links.size()) {
            PressureWalk.pop_back();
            continue;
        }
        const TLink& L = Node->Links[Next];
        if (HasFlag(L.Branch->Flags, gfChord))
            continue;
        // -1: the node is the branch's from-node, so the walk goes with it.
        const bool WithBranch = L.Direction == -1;
        auto* Far = static_cast<TFlowNode*>(WithBranch ? L.Branch->ToNode : L.Branch->FromNode);
        if (HasFlag(Far->Flags, gfVisited))
            continue;
        const double Drop = static_cast<const TFlowBranch&>(*L.Branch).TotalDrop;
        Far->Pressure = WithBranch ? Node->Pressure - Drop : Node->Pressure + Drop;
        Far->RelPressure = Far->Pressure - Barometer;
        SetBit(Far->Flags, gfVisited);
        PressureWalk.emplace_back(Far, 0);
    }
}

void TFlowGraph::SetAbsolutePressures()
{
    for (const auto& Item : Nodes()) {
        auto& Node = static_cast<TFlowNode&>(*Item);
        Node.Pressure = Node.RelPressure + Barometer;
    }
}

bool TFlowGraph::OutletsBalanced() const
{
    for (const auto& Item : Nodes()) {
        const auto& Node = static_cast<const TFlowNode&>(*Item);
        if (Node.NodeType == ntOutlet && !(std::fabs(Node.RelPressure) <= OutletPressureTolerance))
            return false;
    }
    return true;
}
