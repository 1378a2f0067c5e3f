// The generated items that close the network for the solvers: the Sink node
// that every outlet feeds and every inlet draws from, so that each terminal
// lies on a loop with the main fan; the leakage branch that carries the
// difference between supply and return; and the reference nodes at the fan.
// They are made anew by every check, so the editor never keeps them.

#include "network/DuctGraph.h"

#include <algorithm>
#include <cmath>

namespace {

// Below this (m³/s) supply and return count as equal.
constexpr double LeakageThreshold = 0.001;
constexpr double LeakageLength = 10.0; // m

} // namespace

TFlowNode* TFlowGraph::FindSinkNode() const
{
    for (const auto& Node : Nodes())
        if (static_cast<const TFlowNode&>(*Node).IsSink())
            return static_cast<TFlowNode*>(Node.get());
    return nullptr;
}

bool TFlowGraph::HasTerminalNodes() const
{
    return std::any_of(Nodes().begin(), Nodes().end(), [](const std::unique_ptr<TNode>& Node) {
        return static_cast<const TFlowNode&>(*Node).IsTerminal();
    });
}

bool TDuctGraph::CheckMainFan()
{
    if (MainFan && !Nodes().empty()) {
        StartNode = FindSinkNode();
        LeakBranch = nullptr;
        // Every Sink goes: a document may hold more than the one generated.
        while (TFlowNode* Sink = FindSinkNode())
            DeleteNode(Sink);
        BuildAdjacency();
    }
    if (!MainFan) {
        ShowMessage("Main fan not found - add to network");
        FindReferenceNodes();
        return false;
    }
    if (Nodes().empty())
        return false;
    ValidateTerminals();
    BuildSinkNode();
    FindReferenceNodes();
    return true;
}

void TDuctGraph::BuildSinkNode()
{
    if (!HasTerminalNodes())
        return;
    int SinkId = -1;
    while (FindNode(SinkId)) // a node of the user's holds the usual id
        --SinkId;
    auto* Sink = static_cast<TFlowNode*>(GetOrAddNode(SinkId));
    Sink->NodeType = ntSink;
    int NextId = std::min(-1, MinBranchId() - 1);
    // The Sink is last in the list; the terminals before it are linked in
    // list order.
    const std::size_t Count = Nodes().size();
    const auto Terminals = static_cast<std::size_t>(std::count_if(
        Nodes().begin(), Nodes().end(), [](const auto& Node) { return static_cast<const TFlowNode&>(*Node).IsTerminal(); }));
    ReserveBranches(Terminals);
    Sink->Links.reserve(Terminals);
    for (std::size_t I = 0; I < Count; ++I) {
        auto* Node = static_cast<TFlowNode*>(Nodes()[I].get());
        if (!Node->IsTerminal())
            continue;
        const bool Outlet = Node->NodeType == ntOutlet;
        // Ids below every branch's are free, and both ends are ours.
        auto* Branch = static_cast<TDuctBranch*>(
            AddBranchUnchecked(NextId--, Outlet ? Node : Sink, Outlet ? Sink : Node));
        Branch->Kind = bkSink;
        Branch->SetDuctType(dtNone, 0.0, 0.0, 0.0);
    }
    StartNode = Sink;
}

void TDuctGraph::FindReferenceNodes()
{
    ReturnRef = nullptr;
    SupplyRef = nullptr;
    ReturnDuct = nullptr;
    SupplyDuct = nullptr;
    if (!MainFan)
        return;
    ReturnRef = MainFan->FromFlowNode();
    SupplyRef = MainFan->ToFlowNode();
    // The duct next to the fan on each side: the one that carries air
    // toward the fan (return) or away from it (supply), else any but the fan.
    auto Adjacent = [this](const TFlowNode* Node, int Direction) -> TFlowBranch* {
        for (const TLink& L : Node->Links)
            if (L.Direction == Direction)
                return static_cast<TFlowBranch*>(L.Branch);
        for (const TLink& L : Node->Links)
            if (L.Branch != MainFan)
                return static_cast<TFlowBranch*>(L.Branch);
        return nullptr;
    };
    ReturnDuct = Adjacent(ReturnRef, 1);
    SupplyDuct = Adjacent(SupplyRef, -1);
}

void TDuctGraph::AddLeakageBranch()
{
    if (!(std::fabs(Leakage) > LeakageThreshold) || !MainFan || !ReturnRef || !SupplyRef)
        return;
    if (ReturnRef->NodeType == ntInlet || SupplyRef->NodeType == ntOutlet)
        return;
    TFlowNode* Sink = FindSinkNode();
    if (!Sink)
        return;
    // More supplied than returned: the rest of the return air comes in
    // from the sink at the fan's return node; otherwise the surplus of the
    // return leaves at its supply node.
    TFlowNode* From = Leakage >= 0.0 ? Sink : SupplyRef;
    TFlowNode* To = Leakage >= 0.0 ? ReturnRef : Sink;
    auto* Branch = static_cast<TDuctBranch*>(AddBranchBetween(MinBranchId() - 1, From, To));
    if (!Branch)
        return;
    Branch->Name = "Flow Leakage";
    Branch->SetDuctType(dtNone, 0.0, LeakageLength, std::fabs(Leakage));
    LeakBranch = Branch;
}

bool TDuctGraph::CanBalanceLeak(const TFlowBranch* Branch, double& Flow) const
{
    Flow = LeakBranch ? LeakBranch->DesignFlow : 0.0;
    if (!Branch || !LeakBranch || !ReturnRef || !SupplyRef)
        return false;
    return (Branch->FromFlowNode()->NodeType == ntInlet && LeakBranch->ToNode == ReturnRef) ||
           (Branch->ToFlowNode()->NodeType == ntOutlet && LeakBranch->FromNode == SupplyRef);
}
