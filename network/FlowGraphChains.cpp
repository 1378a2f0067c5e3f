// The network-wide chains of branch computations that the commands, the
// balancing solver and the sizing passes run.

#include "network/FlowGraph.h"

void TFlowGraph::RecalculateAll()
{
    ResolveFittingLinks(false);
    CalcFittingSums();
    for (const auto& Item : Branches())
        FlowBranchOf(Item).RecalcLosses();
}

void TFlowGraph::RecalcBranches()
{
    for (const auto& Item : Branches())
        FlowBranchOf(Item).CalcFriction();
    ResolveFittingLinks(false);
    CalcFittingsC();
    CalcFittingSums();
    // Each branch's chain reads only the branch and its two nodes, so one
    // walk (last branch first, as friction is taken) gives what separate
    // walks would.
    const auto& List = Branches();
    for (auto It = List.rbegin(); It != List.rend(); ++It)
        FlowBranchOf(*It).RecalcLosses();
}

void TFlowGraph::RecalcChain()
{
    const auto& List = Branches();
    for (auto It = List.rbegin(); It != List.rend(); ++It) {
        TFlowBranch& Branch = FlowBranchOf(*It);
        Branch.RecalcLosses();
        Branch.UpdateDuctVelocity();
    }
}
