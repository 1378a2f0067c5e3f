#include "network/DuctGraph.h"

#include <algorithm>

TDuctGraph::TDuctGraph(bool WithDefaultNetwork, const TSettings* SettingsToUse)
{
    UseSettings(SettingsToUse);
    if (WithDefaultNetwork)
        BuildDefaultNetwork();
}

std::unique_ptr<TBranch> TDuctGraph::NewBranch(int Id, TNode* From, TNode* To)
{
    auto Branch = std::make_unique<TDuctBranch>();
    Branch->Graph = this;
    Branch->Init(Id, From, To);
    return Branch;
}

void TDuctGraph::SortForTree()
{
    if (DistributionMode) {
        SortForDistribution();
        return;
    }
    TFlowGraph::SortForTree();
    if (!MainFan)
        return;
    auto& List = MutableBranches();
    auto It = std::find_if(List.begin(), List.end(),
                           [this](const std::unique_ptr<TBranch>& B) { return B.get() == MainFan; });
    if (It != List.end())
        std::rotate(It, std::next(It), List.end());
}

void TDuctGraph::DeleteBranch(TBranch* Branch)
{
    if (Branch && Branch == MainFan && FindBranch(Branch->Id()) != nullptr)
        MainFan = nullptr;
    TFlowGraph::DeleteBranch(Branch);
}

void TDuctGraph::MergeNodes(TNode* Keep, TNode* Drop)
{
    if (!Keep || Keep == Drop)
        return;
    TFlowGraph::MergeNodes(Keep, Drop);
    if (FindNode(Keep->Id()) == Keep)
        UpdateNodeTerminals(static_cast<TFlowNode*>(Keep));
}

void TDuctGraph::SetAllSizeFixed(bool Fixed)
{
    for (const auto& Branch : Branches())
        static_cast<TDuctBranch&>(*Branch).SizeFixed = Fixed;
}

void TDuctGraph::CopyVelocitiesToDesign()
{
    for (const auto& Item : Branches()) {
        auto& Branch = static_cast<TDuctBranch&>(*Item);
        Branch.DesignVelocity = Branch.DuctVelocity;
    }
}
