// Terminal items of outlet and inlet branches, and the network-wide resets
// of terminal flows and C-values.

#include "network/FlowGraph.h"

#include "network/Settings.h"

#include <array>

namespace {

// Reference drops (Pa) by terminal kind.
constexpr std::array<double, OutletKindCount> OutletRefDrops = {40.0, 40.0, 20.0};
constexpr std::array<double, InletKindCount> InletRefDrops = {40.0, 50.0, 20.0};

std::size_t KindIndex(int Kind)
{
    return (Kind >= 0 && Kind < TSettings::KindCount) ? static_cast<std::size_t>(Kind) : 0;
}

// A new C with the reference drop kept: the reference velocity follows.
void TakeC(TFixedEndFitting& Terminal, double C)
{
    Terminal.C = C;
    Terminal.SetEndValue(TFixedEndFitting::evC, TFixedEndFitting::evRefDrop);
}

void Refresh(std::unique_ptr<TFixedEndFitting>& Terminal, const char* Caption, double C, double RefDrop)
{
    if (!Terminal)
        Terminal = std::make_unique<TFixedEndFitting>(Caption);
    Terminal->Caption = Caption;
    Terminal->RefDrop = RefDrop;
    TakeC(*Terminal, C);
}

} // namespace

void TFlowBranch::UpdateOutletTerminal(const TSettings& Settings, int Kind)
{
    const std::size_t K = KindIndex(Kind);
    Refresh(OutletTerminal, OutletKindText(static_cast<int>(K)), Settings.defoutletc[K], OutletRefDrops[K]);
}

void TFlowBranch::UpdateInletTerminal(const TSettings& Settings, int Kind)
{
    const std::size_t K = KindIndex(Kind);
    Refresh(InletTerminal, InletKindText(static_cast<int>(K)), Settings.definletc[K], InletRefDrops[K]);
}

TFixedEndFitting TFlowBranch::TerminalOrDefault(const TSettings& Settings, bool Outlet) const
{
    if (const auto& Own = Outlet ? OutletTerminal : InletTerminal)
        return *Own;
    TFlowBranch Default;
    if (Outlet) {
        Default.UpdateOutletTerminal(Settings, ToFlowNode()->OutletKind);
        return *Default.OutletTerminal;
    }
    Default.UpdateInletTerminal(Settings, FromFlowNode()->InletKind);
    return *Default.InletTerminal;
}

bool TFlowGraph::IsTerminalBranch(const TFlowBranch& Branch)
{
    return Branch.FromFlowNode()->IsTerminal() || Branch.ToFlowNode()->IsTerminal();
}

void TFlowGraph::UpdateNodeTerminals(TFlowNode* Node)
{
    if (!Node)
        return;
    for (const TLink& L : Node->Links) {
        auto* Branch = static_cast<TFlowBranch*>(L.Branch);
        if (Node->NodeType == ntOutlet && Branch->ToNode == Node)
            Branch->UpdateOutletTerminal(Settings(), Node->OutletKind);
        else if (Node->NodeType == ntInlet && Branch->FromNode == Node)
            Branch->UpdateInletTerminal(Settings(), Node->InletKind);
    }
}

void TFlowGraph::ResetOutletFlows(int Kind)
{
    const double Flow = Settings().defoutletq[KindIndex(Kind)];
    for (const auto& Item : Branches()) {
        auto* Branch = static_cast<TFlowBranch*>(Item.get());
        const TFlowNode* To = Branch->ToFlowNode();
        if (To->NodeType == ntOutlet && To->OutletKind == Kind)
            Branch->DesignFlow = Flow;
    }
    Status = ssNotSolved;
}

void TFlowGraph::ResetInletFlows(int Kind)
{
    const double Flow = Settings().definletq[KindIndex(Kind)];
    for (const auto& Item : Branches()) {
        auto* Branch = static_cast<TFlowBranch*>(Item.get());
        const TFlowNode* From = Branch->FromFlowNode();
        if (From->NodeType == ntInlet && From->InletKind == Kind)
            Branch->DesignFlow = Flow;
    }
    Status = ssNotSolved;
}

void TFlowGraph::ResetOutletCValues(int Kind)
{
    for (const auto& Item : Branches()) {
        auto* Branch = static_cast<TFlowBranch*>(Item.get());
        const TFlowNode* To = Branch->ToFlowNode();
        if (To->NodeType == ntOutlet && To->OutletKind == Kind && Branch->OutletTerminal) {
            TakeC(*Branch->OutletTerminal, Settings().defoutletc[KindIndex(Kind)]);
            Branch->CalcTerminalLosses();
        }
    }
}

void TFlowGraph::ResetInletCValues(int Kind)
{
    for (const auto& Item : Branches()) {
        auto* Branch = static_cast<TFlowBranch*>(Item.get());
        const TFlowNode* From = Branch->FromFlowNode();
        if (From->NodeType == ntInlet && From->InletKind == Kind && Branch->InletTerminal) {
            TakeC(*Branch->InletTerminal, Settings().definletc[KindIndex(Kind)]);
            Branch->CalcTerminalLosses();
        }
    }
}

bool TFlowGraph::ValidateTerminals()
{
    for (const auto& Item : Nodes()) {
        const auto& Node = static_cast<const TFlowNode&>(*Item);
        if (Node.IsSink() || Node.Links.empty())
            continue;
        int AsTo = 0;
        int AsFrom = 0;
        for (const TLink& L : Node.Links)
            (L.Branch->ToNode == &Node ? AsTo : AsFrom) += 1;
        std::string Warning;
        if (Node.NodeType != ntOutlet && AsTo == 1 && AsFrom == 0)
            Warning = "Warning: " + Node.Name + " should be an outlet";
        else if (Node.NodeType != ntInlet && AsFrom == 1 && AsTo == 0)
            Warning = "Warning: " + Node.Name + " should be an inlet";
        if (Warning.empty())
            continue;
        ErrorBranch = static_cast<TFlowBranch*>(Node.Links.front().Branch);
        ShowMessage(Warning);
        return false;
    }
    return true;
}
