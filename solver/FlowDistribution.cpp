// Flow distribution: the design flows of the terminals carried back through
// the duct tree to the main fan, before every sizing run and for "Sum Flows".
//
// Terminal and sink items are excluded (flag 4) while the inner network of
// Common nodes is searched for loops; the chord of each inner loop is the
// branch edited last and keeps the design flow the user gave it, which then
// circulates around its loop. Every tree branch carries the sum of the
// terminal flows beyond it, positive when drawn in the direction of the air.

#include "network/DuctGraph.h"

#include "graph/GraphFlags.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace {

// Distribution weight of a never edited branch, or of an edited one: later
// edits give smaller (more negative) stamps and so come later in the order.
double DistributionWeight(const TFlowBranch& Branch)
{
    if (Branch.EditStamp <= 0.0)
        return Branch.EditStamp;
    if (std::isnan(Branch.EditStamp))
        return 0.0;
    return Branch.DesignFlow > 0.0 ? std::fabs(Branch.DesignFlow) * Branch.TotalLength
                                   : 10000.0 * Branch.TotalLength;
}

// The first node of the type met by a depth-first walk from Start over
// branches that are not chords, through nodes not yet flagged visited
// (flagging them), never beyond a Sink; nullptr when there is none.
TFlowNode* FindOnSide(TFlowNode* Start, TNodeType Type)
{
    if (Start->NodeType == Type)
        return Start;
    SetBit(Start->Flags, gfVisited);
    std::vector<std::pair<TFlowNode*, std::size_t>> Stack{{Start, 0}};
    while (!Stack.empty()) {
        TFlowNode* Node = Stack.back().first;
        const std::size_t Next = Stack.back().second++;
        if (Next >= Node->Links.size()) {
            Stack.pop_back();
            continue;
        }
        const TLink& L = Node->Links[Next];
        if (HasFlag(L.Branch->Flags, gfChord))
            continue;
        TFlowNode* Far = FarFlowNode(L);
        if (HasFlag(Far->Flags, gfVisited))
            continue;
        SetBit(Far->Flags, gfVisited);
        if (Far->NodeType == Type)
            return Far;
        if (!Far->IsSink())
            Stack.emplace_back(Far, 0);
    }
    return nullptr;
}

// Clears the exclusion marks of the nodes when the distribution ends, how
// ever it ends: left on the terminals they would break every later mesh
// circuit that passes one.
struct TNodeExclusionGuard {
    TGraph& Graph;
    ~TNodeExclusionGuard() { Graph.ClearNodeFlag(gfExcluded); }
};

struct TDistributionModeGuard {
    bool& Mode;
    explicit TDistributionModeGuard(bool& Switch) : Mode(Switch) { Mode = true; }
    ~TDistributionModeGuard() { Mode = false; }
};

} // namespace

bool TDuctGraph::CheckFanSides()
{
    ClearNodeFlag(gfVisited);
    SetBit(SupplyRef->Flags, gfVisited);
    if (TFlowNode* Outlet = FindOnSide(ReturnRef, ntOutlet)) {
        ErrorBranch = Outlet->TerminalDuctBranch();
        ShowMessage("Invalid network. Outlet found on the return side of the fan");
        return false;
    }
    ClearBit(SupplyRef->Flags, gfVisited);
    SetBit(ReturnRef->Flags, gfVisited);
    if (TFlowNode* Inlet = FindOnSide(SupplyRef, ntInlet)) {
        ErrorBranch = Inlet->TerminalDuctBranch();
        ShowMessage("Invalid network. Inlets found on the supply side of the fan");
        return false;
    }
    return true;
}

double TDuctGraph::AccumulateFlows(TFlowNode* Start, TFlowBranch* From, int Sign)
{
    // The accumulation is naturally recursive (a node's total is the signed
    // sum of what each of its branches carries; a branch to a Common node
    // carries that node's total); an explicit stack keeps long runs of
    // ducts off the call stack: one frame per node on the path from Start.
    struct TFrame {
        TFlowNode* Node;
        TFlowBranch* From; // the branch that led here
        double S;          // that branch's sign seen from the node before
        std::size_t Next;
        double Total;
    };
    std::vector<TFrame> Stack{{Start, From, 0.0, 0, 0.0}};
    SetBit(Start->Flags, gfVisited);
    for (;;) {
        TFrame& F = Stack.back();
        if (F.Next < F.Node->Links.size()) {
            const TLink& L = F.Node->Links[F.Next++];
            auto* Branch = static_cast<TFlowBranch*>(L.Branch);
            if (Branch == F.From || HasFlag(Branch->Flags, gfVisited))
                continue;
            const double S = Sign * L.Direction;
            SetBit(Branch->Flags, gfVisited);
            if (HasFlag(Branch->Flags, gfChord))
                continue; // a chord carries nothing here
            TFlowNode* Far = FarFlowNode(L);
            if (Far->IsSink())
                continue;
            if (Far->NodeType == ntCommon) {
                SetBit(Far->Flags, gfVisited);
                Stack.push_back({Far, Branch, S, 0, 0.0});
                continue;
            }
            F.Total += S * (S * Branch->DesignFlow); // a terminal keeps its own flow
            continue;
        }
        const double Total = F.Total;
        TFlowBranch* Led = F.From;
        const double S = F.S;
        Stack.pop_back();
        if (Stack.empty())
            return Total;
        Led->DesignFlow = S * Total;
        Stack.back().Total += S * Led->DesignFlow;
    }
}

bool TDuctGraph::DistributeFlows()
{
    ResetFittingMessages();
    TNodeExclusionGuard ClearMarks{*this};
    if (!CheckMainFan()) {
        // Without a main fan there is nowhere to carry the flows: the check's
        // message alone, and the network as it was, its status included.
        if (MainFan)
            Status = ssDataError;
        return false;
    }

    // Terminal and sink branches and the non-Common nodes are left out of
    // the inner network.
    ClearBranchFlag(gfExcluded);
    double ReturnTotal = 0.0;
    double SupplyTotal = 0.0;
    int InnerBranches = 0;
    for (const auto& Item : Branches()) {
        TFlowBranch& B = FlowBranchOf(Item);
        const TFlowNode* From = B.FromFlowNode();
        const TFlowNode* To = B.ToFlowNode();
        if (From->NodeType == ntInlet) {
            ReturnTotal += B.DesignFlow;
            SetBit(B.Flags, gfExcluded);
        } else if (To->NodeType == ntOutlet) {
            SupplyTotal += B.DesignFlow;
            SetBit(B.Flags, gfExcluded);
        } else if (From->IsSink() || To->IsSink()) {
            SetBit(B.Flags, gfExcluded);
        } else {
            ++InnerBranches;
        }
    }
    int CommonNodes = 0;
    for (const auto& Node : Nodes()) {
        if (static_cast<const TFlowNode&>(*Node).NodeType != ntCommon)
            SetBit(Node->Flags, gfExcluded);
        else
            ++CommonNodes;
    }

    MainFan->DesignFlow = std::max(ReturnTotal, SupplyTotal);
    Leakage = SupplyTotal - ReturnTotal;
    AddLeakageBranch();
    if (LeakBranch)
        SetBit(LeakBranch->Flags, gfExcluded);

    // The inner loops, each with the branch edited last as its chord.
    ClearBranchFlag(gfChord);
    ClearMeshes();
    const int Loops = InnerBranches - CommonNodes + 1;
    if (Loops != 0) {
        bool Built = false;
        {
            TDistributionModeGuard Mode(DistributionMode);
            RecalcBranches();
            for (const auto& Item : Branches())
                Item->Weight = DistributionWeight(FlowBranchOf(Item));
            // The same loop count as (inner branches, Common nodes), never
            // with a zero upper bound, which would mean "count them all".
            Built = BuildMeshes(InnerBranches + 1, CommonNodes + 1);
        }
        if (!Built) {
            Status = ssDataError;
            return false;
        }
    }

    if (!CheckFanSides()) {
        Status = ssDataError;
        return false;
    }

    ClearNodeFlag(gfVisited);
    ClearBranchFlag(gfVisited);
    SetBit(MainFan->Flags, gfVisited); // neither side walks through the fan
    ReturnTotal = AccumulateFlows(ReturnRef, MainFan, 1);
    SupplyTotal = AccumulateFlows(SupplyRef, MainFan, -1);
    MainFan->DesignFlow = std::max(ReturnTotal, SupplyTotal);

    for (const auto& Mesh : Meshes()) {
        const TLink& Chord = Mesh->Links.front();
        const double Circulating = static_cast<const TFlowBranch&>(*Chord.Branch).DesignFlow;
        for (std::size_t I = 1; I < Mesh->Links.size(); ++I) {
            const TLink& L = Mesh->Links[I];
            FlowBranchOf(L).DesignFlow += L.Direction * Chord.Direction * Circulating;
        }
    }
    Status = ssNotSolved;
    return true;
}

void TDuctGraph::InitFlowsFromDesign()
{
    for (const auto& Item : Branches()) {
        auto& B = static_cast<TDuctBranch&>(*Item);
        B.SetFlowFromDesign();
        B.CalcMassFlow();
        B.CalcArea();
        if (Method == smEqualFriction)
            B.CalcDuctArea();
    }
    Status = ssNotSolved;
}
