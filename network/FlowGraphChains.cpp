// The network-wide chains of branch computations that the commands, the
// balancing solver and the sizing passes run.

#include "network/FlowGraph.h"

#include "foundation/WorkerTeam.h"

namespace {

// The fewest branches worth a thread of their own.
constexpr std::size_t BranchesPerThread = 512;

} // namespace

void TFlowGraph::RecalculateAll()
{
    ResolveFittingLinks(false);
    CalcFittingSums();
    for (const auto& Item : Branches())
        FlowBranchOf(Item).RecalcLosses();
}

void TFlowGraph::RecalcBranches()
{
    ForEachBranch([](TFlowBranch& Branch) { Branch.CalcFriction(); });
    ResolveFittingLinks(false);
    CalcFittingsC();
    CalcFittingSums();
    // Each branch's chain reads only the branch and its two nodes, so the
    // branches may take it in any order, side by side.
    ForEachBranch([](TFlowBranch& Branch) { Branch.RecalcLosses(); });
}

void TFlowGraph::RecalcChain()
{
    ForEachBranch([](TFlowBranch& Branch) {
        Branch.RecalcLosses();
        Branch.UpdateDuctVelocity();
    });
}

void TFlowGraph::ForEachBranch(const std::function<void(TFlowBranch&)>& Visit)
{
    const auto& List = Branches();
    Team().ForEachRange(List.size(), BranchesPerThread, [&](std::size_t Begin, std::size_t End) {
        for (std::size_t K = Begin; K < End; ++K)
            Visit(FlowBranchOf(List[K]));
    });
}

void TFlowGraph::ForEachMesh(const std::function<void(TFlowMesh&)>& Visit)
{
    const auto& List = Meshes();
    Team().ForEachRange(List.size(), MeshesPerThread, [&](std::size_t Begin, std::size_t End) {
        for (std::size_t K = Begin; K < End; ++K)
            Visit(static_cast<TFlowMesh&>(*List[K]));
    });
}
