// The network's fittings: their links to the branches, their coefficients
// and sums, copies between networks, and the database look-ups they make.

#include "network/FlowGraph.h"

#include "fittings/DuctFittingDB.h"
#include "fittings/FittingKeys.h"
#include "foundation/WarningSink.h"

namespace {

// The (C, C2) pair of link I, as a branch lists it.
std::pair<double, double> LinkValues(const TFitting& Fitting, std::size_t I)
{
    return {I < Fitting.CValues.size() ? Fitting.CValues[I] : 0.0,
            I < Fitting.CValues2.size() ? Fitting.CValues2[I] : 0.0};
}

} // namespace

void TFlowGraph::CalcFittingsC()
{
    for (const auto& Fitting : Fittings)
        Fitting->Calculate(TFitting::cmCValues);
}

void TFlowGraph::RecalcFittingRatios()
{
    for (const auto& Fitting : Fittings) {
        Fitting->Calculate(TFitting::cmVelocityRatios);
        Fitting->RelaxRatios();
    }
}

void TFlowGraph::CalcFlowRatios()
{
    for (const auto& Fitting : Fittings) {
        Fitting->Calculate(TFitting::cmFlowRatios);
        for (std::size_t I = 0; I < Fitting->FlowRatios.size() && I < Fitting->VelocityRatios.size(); ++I)
            Fitting->VelocityRatios[I].resize(Fitting->FlowRatios[I].size(), 0.0);
    }
}

void TFlowGraph::CalcFittingSums()
{
    for (const auto& Branch : Branches())
        static_cast<TFlowBranch&>(*Branch).FittingsCSum = 0.0;
    for (const auto& Fitting : Fittings)
        Fitting->AddCToBranches();
}

void TFlowGraph::ResolveFittingLinks(bool ClearMissing)
{
    LinksValid = true;
    for (const auto& Item : Branches()) {
        auto& Branch = static_cast<TFlowBranch&>(*Item);
        Branch.LinkedFittings.clear();
        Branch.LinkedFittingValues.clear();
    }
    for (const auto& Fitting : Fittings) {
        Fitting->ResolveLinks(*this, ClearMissing);
        for (std::size_t I = 0; I < Fitting->Links.size(); ++I) {
            TFlowBranch* Branch = Fitting->Links[I].Branch;
            if (!Branch)
                continue;
            Branch->LinkedFittings.push_back(Fitting.get());
            Branch->LinkedFittingValues.push_back(LinkValues(*Fitting, I));
        }
    }
}

void TFlowGraph::UnlinkFittings()
{
    for (const auto& Fitting : Fittings) {
        for (TFittingLink& L : Fitting->Links) {
            L.BranchId = FindBranchByPrevId(L.BranchId);
            L.Branch = nullptr;
        }
        Fitting->Connected = false;
    }
    for (const auto& Item : Branches()) {
        auto& Branch = static_cast<TFlowBranch&>(*Item);
        Branch.LinkedFittings.clear();
        Branch.LinkedFittingValues.clear();
    }
    LinksValid = false;
}

void TFlowGraph::RenumberFittingLinks(int OldId, int NewId)
{
    for (const auto& Fitting : Fittings)
        Fitting->RenumberLinks(OldId, NewId);
    LinksValid = false;
}

void TFlowGraph::CopyFittingsFrom(TFlowGraph& Source)
{
    for (const auto& Fitting : Source.Fittings) {
        if (Fitting->Selected == 1) {
            auto Copy = std::make_unique<TFitting>(Fitting->CopyUnresolved());
            Copy->Selected = 0;
            Fittings.push_back(std::move(Copy));
        }
        Fitting->Selected = 0;
    }
    LinksValid = false;
}

void TFlowGraph::AddFittings(const std::vector<std::unique_ptr<TFitting>>& List)
{
    for (const auto& Fitting : List)
        Fittings.push_back(std::make_unique<TFitting>(Fitting->CopyUnresolved()));
    ResolveFittingLinks(false);
}

void TFlowGraph::CollectFittings(TFlowBranch* Branch)
{
    if (!Branch)
        return;
    Branch->LinkedFittings.clear();
    Branch->LinkedFittingValues.clear();
    for (const auto& Fitting : Fittings) {
        for (std::size_t I = 0; I < Fitting->Links.size(); ++I) {
            const TFittingLink& L = Fitting->Links[I];
            if (L.Branch != Branch && (L.Branch || L.BranchId != Branch->Id()))
                continue;
            Branch->LinkedFittings.push_back(Fitting.get());
            Branch->LinkedFittingValues.push_back(LinkValues(*Fitting, I));
        }
    }
}

// ---------------------------------------------------------------- database

TDuctFitting* TFlowGraph::SelectDatabaseFitting(const std::string& Key, bool Report)
{
    TDuctFittingDB* Database = DuctFittingDB();
    if (Database != FailedKeysDatabase) {
        FailedKeys.clear();
        FailedKeysDatabase = Database;
    }
    TDuctFitting* Fit = nullptr;
    if (Database) {
        // A key that failed is not asked for again in this command: the
        // solver asks every pass, and a damaged entry would warn every time.
        std::string Lower = LowerCaseText(Key);
        if (!FailedKeys.contains(Lower)) {
            Fit = Database->SelectFitting(Key, false);
            if (!Fit)
                FailedKeys.insert(std::move(Lower));
        }
    }
    if (!Fit && Report && !MissingFittingReported && (!Database || Database->IndexOfCode(Key) < 0)) {
        MissingFittingReported = true;
        ShowWarning("Warning", "Duct fitting not in database : " + Key);
    }
    return Fit;
}

void TFlowGraph::ResetFittingMessages()
{
    if (FittingCommandDepth > 0)
        return;
    MissingFittingReported = false;
    FailedKeys.clear();
}

TFlowGraph::TFittingCommand::TFittingCommand(TFlowGraph& Network) : Graph(Network)
{
    Graph.ResetFittingMessages();
    ++Graph.FittingCommandDepth;
}

TFlowGraph::TFittingCommand::~TFittingCommand()
{
    --Graph.FittingCommandDepth;
}
