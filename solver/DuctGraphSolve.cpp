// The duct network's part of balancing and sizing runs: the main fan's
// checks, its mesh, its gain, and the figures left after a run.

#include "network/DuctGraph.h"

#include "network/Settings.h"

#include <cmath>

namespace {

// Diameter of a fan's outlet from its flow, D = 0.357·√Q (m, m³/s).
constexpr double FanDiameterFactor = 0.357;

} // namespace

bool TDuctGraph::Validate()
{
    if (Method == smFlowBalance) {
        // Solve has just run CheckMainFan; running it again would only
        // rebuild the same Sink, so the fan's presence is all that is asked.
        if (!MainFan) {
            ShowMessage("Main fan not found - add to network");
            return false;
        }
        // Balancing keeps the fan's flow: without one there is nothing to
        // share out.
        if (!(MainFan->VolumeFlow != 0.0) || !std::isfinite(MainFan->VolumeFlow)) {
            ErrorBranch = MainFan;
            ShowMessage("Main branch (" + MainFan->Name + ") must have starting volume flow");
            return false;
        }
    }
    if (!TFlowGraph::Validate())
        return false;
    if (Method == smFlowBalance)
        return true;
    if (MainFan) {
        MainFan->PressureGain = MainFan->FixedDpSum + MainFan->FixedCSum;
        for (const auto& Item : Branches())
            if (Item.get() != MainFan)
                static_cast<TFlowBranch&>(*Item).CalcTotalDrop();
    }
    if (Method == smStaticRegain) {
        const TSettings& S = Settings();
        auto DuctVelocityOf = [](const TFlowBranch* B) {
            return B ? static_cast<const TDuctBranch*>(B)->DuctVelocity : 0.0;
        };
        SupplyStartVelocity = S.startspecvel ? S.statregainstartvel : DuctVelocityOf(SupplyDuct);
        ReturnStartVelocity = S.startspecvel ? S.statregainstartvel : DuctVelocityOf(ReturnDuct);
    }
    return true;
}

bool TDuctGraph::Prepare(bool JumpsAsChords)
{
    if (!TFlowGraph::Prepare(JumpsAsChords))
        return false;
    for (const auto& Mesh : Meshes()) {
        for (const TLink& L : Mesh->Links) {
            if (L.Branch == MainFan) {
                static_cast<TFlowMesh&>(*Mesh).HasFan = true;
                return true;
            }
        }
    }
    return true;
}

void TDuctGraph::SolveMeshes()
{
    TFlowGraph::SolveMeshes();
    if (LoopCode != lcNotFinite)
        TakeFanGain();
}

void TDuctGraph::TakeFanGain()
{
    if (!MainFan)
        return;
    // The fan makes up whatever the rest of its loop loses.
    MainFan->TotalDrop = MainFan->FromFlowNode()->RelPressure - MainFan->ToFlowNode()->RelPressure;
    MainFan->PressureGain = MainFan->FixedDpSum + MainFan->FixedCSum - MainFan->StackDrop - MainFan->TotalDrop;
}

void TDuctGraph::MarkIndexRun()
{
    for (const auto& Branch : Branches())
        Branch->PathMark = 0;
    if (MainFan)
        MainFan->PathMark = 1;
    for (const TFlowNode* Ref : {SupplyRef, ReturnRef})
        if (Ref)
            for (const TLink& L : Ref->RefPath)
                L.Branch->PathMark = 1;
}

void TDuctGraph::Finish()
{
    TFlowGraph::Finish();
    MarkIndexRun();
    if (MainFan && MainFan->VolumeFlow > 0.0) {
        MainFan->Diameter = FanDiameterFactor * std::sqrt(MainFan->VolumeFlow);
        MainFan->CalcArea();
        MainFan->CalcVelocity();
    }
    if (Method != smFlowBalance)
        SetAbsolutePressures();
}
