// The network of a new document: an inlet, a return duct, the main fan, a
// supply duct and an outlet, five branches in a line.

#include "network/DuctGraph.h"

#include "network/Settings.h"

namespace {

TFlowNode* PlaceNode(TDuctGraph& Graph, int Id, int X, int Y)
{
    auto* Node = static_cast<TFlowNode*>(Graph.GetOrAddNode(Id));
    Node->X = X;
    Node->Y = Y;
    return Node;
}

TDuctBranch* AddDuct(TDuctGraph& Graph, int Id, int From, int To, const char* Name, TDuctType Type,
                     double Length, double Flow)
{
    auto* Branch = static_cast<TDuctBranch*>(Graph.AddBranch(Id, From, To));
    Branch->Name = Name;
    Branch->SetDuctType(Type, 0.0, Length, Flow);
    return Branch;
}

} // namespace

void TDuctGraph::BuildDefaultNetwork()
{
    const double TerminalFlow = Settings().defoutletq[okDiffuser];
    constexpr double MainFlow = 1.0;

    TFlowNode* Inlet = PlaceNode(*this, 1, 100, 280);
    PlaceNode(*this, 2, 100, 220);
    TFlowNode* FanReturn = PlaceNode(*this, 3, 100, 100);
    TFlowNode* FanSupply = PlaceNode(*this, 4, FanReturn->X + 120, FanReturn->Y);
    TFlowNode* Branching = PlaceNode(*this, 5, FanSupply->X + 120, FanSupply->Y);
    TFlowNode* Outlet = PlaceNode(*this, 6, Branching->X + 60, Branching->Y);
    Inlet->NodeType = ntInlet;
    Inlet->InletKind = ikGrille;
    Outlet->NodeType = ntOutlet;
    Outlet->OutletKind = okDiffuser;

    TDuctBranch* First = AddDuct(*this, 1, 1, 2, "Spiral 1", dtSpiral, 1.5, TerminalFlow);
    First->UpdateInletTerminal(Settings(), Inlet->InletKind);
    AddDuct(*this, 2, 2, 3, "RA Duct", dtRect, 10.0, MainFlow);

    TDuctBranch* Fan = AddDuct(*this, 3, 3, 4, "Main Fan", dtFan, 0.0, MainFlow);
    Fan->Kind = bkGain;
    Fan->DuctHeight = 0.0;
    Fan->DuctWidth = 0.0;
    Fan->CalcDuctArea();
    Fan->AddFanDefaults();
    MainFan = Fan;

    AddDuct(*this, 4, 4, 5, "SA Duct", dtRect, 10.0, MainFlow);
    TDuctBranch* Last = AddDuct(*this, 5, 5, 6, "Spiral 2", dtSpiral, 1.5, TerminalFlow);
    Last->UpdateOutletTerminal(Settings(), Outlet->OutletKind);
    Status = ssNotSolved;
}
