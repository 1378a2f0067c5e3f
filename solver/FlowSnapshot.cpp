#include "solver/FlowSnapshot.h"

#include "network/FlowGraph.h"

void TFlowSnapshot::Take(const TFlowGraph& Graph)
{
    BranchStates.clear();
    NodeStates.clear();
    BranchStates.reserve(Graph.Branches().size());
    for (const auto& Item : Graph.Branches()) {
        auto* Branch = static_cast<TFlowBranch*>(Item.get());
        auto* Duct = dynamic_cast<TDuctBranch*>(Branch);
        BranchStates.push_back({Branch, *Branch, Duct, Duct ? TDuctBranchData(*Duct) : TDuctBranchData{}});
    }
    NodeStates.reserve(Graph.Nodes().size());
    for (const auto& Item : Graph.Nodes()) {
        auto* Node = static_cast<TFlowNode*>(Item.get());
        NodeStates.push_back({Node, Node->Pressure, Node->RelPressure, Node->ExtMassFlow});
    }
}

void TFlowSnapshot::Restore() const
{
    for (const TBranchState& S : BranchStates) {
        static_cast<TFlowBranchData&>(*S.Branch) = S.Flow;
        if (S.Duct)
            static_cast<TDuctBranchData&>(*S.Duct) = S.DuctValues;
    }
    for (const TNodeState& S : NodeStates) {
        S.Node->Pressure = S.Pressure;
        S.Node->RelPressure = S.RelPressure;
        S.Node->ExtMassFlow = S.ExtMassFlow;
    }
}
