#pragma once
// The flows, losses and pressures of a network at one moment, so that a
// balancing run that breaks down (a residual or flow that is no longer a
// number) can leave the network as it found it.

#include "network/DuctBranch.h"

#include <vector>

class TFlowGraph;

class TFlowSnapshot {
public:
    // Copies every branch's flow and loss values (and a duct branch's duct
    // values) and every node's pressures and external flow.
    void Take(const TFlowGraph& Graph);
    // Puts the copied values back into the same branches and nodes; items
    // added since are left alone, so the graph must not have lost any.
    void Restore() const;

private:
    struct TBranchState {
        TFlowBranch* Branch;
        TFlowBranchData Flow;
        TDuctBranch* Duct; // nullptr for a plain flow branch
        TDuctBranchData DuctValues;
    };
    struct TNodeState {
        TFlowNode* Node;
        double Pressure;
        double RelPressure;
        double ExtMassFlow;
    };
    std::vector<TBranchState> BranchStates;
    std::vector<TNodeState> NodeStates;
};
