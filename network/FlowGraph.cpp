#include "network/FlowGraph.h"

#include "graph/BranchSort.h"
#include "graph/ShortMeshOrder.h"
#include "network/Settings.h"

#include <algorithm>
#include <unordered_set>

TFlowGraph::TFlowGraph()
{
    ResetFittingSerial();
    // The standard air of a new network; should the library refuse it, a
    // plain 1.2 kg/m³ keeps the network usable and the status says why.
    if (!ApplyAirState(Barometer, DryBulb, WetBulb))
        AirDensity = 1.2;
}

TFlowGraph::~TFlowGraph()
{
    // Fittings first: they point at branches.
    Fittings.clear();
    ClearGraph();
}

const TSettings& TFlowGraph::Settings() const
{
    return SettingsSource ? *SettingsSource : DesignSettings();
}

// ---------------------------------------------------------------- factories

std::unique_ptr<TNode> TFlowGraph::NewNode(int Id)
{
    auto Node = std::make_unique<TFlowNode>();
    Node->Graph = this;
    Node->Init(Id);
    ApplyAirToNode(*Node);
    return Node;
}

std::unique_ptr<TBranch> TFlowGraph::NewBranch(int Id, TNode* From, TNode* To)
{
    auto Branch = std::make_unique<TFlowBranch>();
    Branch->Graph = this;
    Branch->Init(Id, From, To);
    return Branch;
}

std::unique_ptr<TMesh> TFlowGraph::NewMesh(int Id)
{
    auto Mesh = std::make_unique<TFlowMesh>(Id);
    Mesh->Random = &SolveRandom;
    return Mesh;
}

bool TFlowGraph::AcceptsNode(const TNode& Node) const
{
    return dynamic_cast<const TFlowNode*>(&Node) != nullptr;
}

void TFlowGraph::ApplyAirToNode(TFlowNode& Node) const
{
    Node.Pressure = Barometer;
    Node.DryBulb = DryBulb;
    Node.Density = AirDensity;
    Node.Elevation = 0.0;
}

void TFlowGraph::SortForTree()
{
    SortForMeshes(false);
}

void TFlowGraph::SortForMeshes(bool JumpsLast)
{
    OrderForShortMeshes(*this, MutableBranches(), Branches().size() - SortByResistance(JumpsLast));
}

std::size_t TFlowGraph::SortByResistance(bool JumpsLast)
{
    // By resistance; with JumpsLast the branches resting on a jump of
    // their law follow all others.
    auto RestsOnJump = [JumpsLast](const TBranch& Item) {
        return JumpsLast && static_cast<const TFlowBranch&>(Item).SitsOnJump();
    };
    SortBranchesByKey(MutableBranches(), [&RestsOnJump](const TBranch& Item) {
        return std::make_pair(RestsOnJump(Item), static_cast<const TFlowBranch&>(Item).FlowResistance);
    });
    const auto& List = Branches();
    const auto FirstOnJump = std::partition_point(
        List.begin(), List.end(), [&RestsOnJump](const std::unique_ptr<TBranch>& B) { return !RestsOnJump(*B); });
    return static_cast<std::size_t>(List.end() - FirstOnJump);
}

void TFlowGraph::PutBranchesInOrder(const std::vector<TBranch*>& Order)
{
    TBranchList& List = MutableBranches();
    if (Order.size() != List.size())
        return;
    NumberBranches();
    TBranchList Ordered;
    Ordered.reserve(List.size());
    for (TBranch* Branch : Order)
        Ordered.push_back(std::move(List[static_cast<std::size_t>(Branch->Index)]));
    List.swap(Ordered);
}

void TFlowGraph::AssignSettings(const TGraph& Source)
{
    TGraph::AssignSettings(Source);
    const auto* From = dynamic_cast<const TFlowGraph*>(&Source);
    if (!From)
        return;
    Barometer = From->Barometer;
    DryBulb = From->DryBulb;
    WetBulb = From->WetBulb;
    AirDensity = From->AirDensity;
    // The branches' fitting lists point at the fittings about to go.
    for (const auto& Branch : Branches()) {
        static_cast<TFlowBranch&>(*Branch).LinkedFittings.clear();
        static_cast<TFlowBranch&>(*Branch).LinkedFittingValues.clear();
    }
    Fittings.clear();
    for (const auto& Fitting : From->Fittings)
        Fittings.push_back(std::make_unique<TFitting>(Fitting->CopyUnresolved()));
    LinksValid = false;
}

// ---------------------------------------------------------------- deletion

void TFlowGraph::ForgetCheckResults()
{
    ReturnRef = nullptr;
    SupplyRef = nullptr;
    StartNode = nullptr;
    LeakBranch = nullptr;
    ReturnDuct = nullptr;
    SupplyDuct = nullptr;
}

void TFlowGraph::ItemsGoing(const TDeletion& Going)
{
    ForgetCheckResults();
    const auto& Set = Going.BranchSet;
    if (Set.count(ErrorBranch) != 0)
        ErrorBranch = nullptr;
    if (!Set.empty()) {
        for (const auto& Item : Nodes()) {
            auto& Node = static_cast<TFlowNode&>(*Item);
            for (const std::vector<TLink>* Path : {&Node.RefPath, &Node.FanPath})
                for (const TLink& L : *Path)
                    if (Set.count(L.Branch) != 0 && Node.ForgetPathsThrough(L.Branch))
                        break; // the path is gone
        }
        for (const auto& Fitting : Fittings)
            for (const TFittingLink& L : Fitting->Links)
                if (L.Branch && Set.count(L.Branch) != 0 && Fitting->ForgetBranch(L.Branch))
                    LinksValid = false;
    }
}

void TFlowGraph::DeleteFittings(const std::vector<TFitting*>& Going)
{
    const std::unordered_set<const TFitting*> Set(Going.begin(), Going.end());
    for (const auto& Item : Branches()) {
        auto& Branch = static_cast<TFlowBranch&>(*Item);
        for (std::size_t I = Branch.LinkedFittings.size(); I > 0; --I) {
            if (Set.count(Branch.LinkedFittings[I - 1]) == 0)
                continue;
            Branch.LinkedFittings.erase(Branch.LinkedFittings.begin() + static_cast<std::ptrdiff_t>(I - 1));
            if (I - 1 < Branch.LinkedFittingValues.size())
                Branch.LinkedFittingValues.erase(Branch.LinkedFittingValues.begin() +
                                                 static_cast<std::ptrdiff_t>(I - 1));
        }
    }
    std::erase_if(Fittings, [&Set](const std::unique_ptr<TFitting>& F) { return Set.count(F.get()) != 0; });
}

void TFlowGraph::DeleteFitting(TFitting* Fitting)
{
    const bool Held = std::any_of(Fittings.begin(), Fittings.end(),
                                  [Fitting](const std::unique_ptr<TFitting>& F) { return F.get() == Fitting; });
    if (Held)
        DeleteFittings({Fitting});
}

// ---------------------------------------------------------------- reversing

void TFlowGraph::ReverseBranch(TBranch* Item)
{
    if (!Item || FindBranch(Item->Id()) == nullptr)
        return;
    TGraph::ReverseBranch(Item);
    auto* Branch = static_cast<TFlowBranch*>(Item);
    TFlowNode* From = Branch->FromFlowNode();
    TFlowNode* To = Branch->ToFlowNode();
    // Air leaves the network at an outlet and enters at an inlet: a reversed
    // terminal branch turns its terminal node round with it.
    if (From->NodeType == ntOutlet) {
        From->NodeType = ntInlet;
        Branch->UpdateInletTerminal(Settings(), From->InletKind);
    } else if (To->NodeType == ntInlet) {
        To->NodeType = ntOutlet;
        Branch->UpdateOutletTerminal(Settings(), To->OutletKind);
    }
    Branch->CalcFlowTerms(true);
}
