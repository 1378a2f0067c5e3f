// The loop method on one mesh: a circulating mass flow added around the
// mesh, corrected by a secant iteration until the signed sum of the total
// pressure drops around it vanishes.

#include "network/FlowMesh.h"

#include "foundation/NumericHelpers.h"
#include "graph/GraphFlags.h"
#include "network/FlowBranch.h"
#include "network/LoopCode.h"

#include <cmath>

namespace {

constexpr double Relaxation = 0.69;      // share of the secant step taken
constexpr double MaxStep = 2.0;          // kg/s, largest correction per step
constexpr double ResidualTolerance = 0.01; // Pa
constexpr int MaxSteps = 400;
constexpr double TinySlope = 1e-100;

} // namespace

void TFlowMesh::ApplyCorrection()
{
    for (const TLink& L : Links)
        FlowBranchOf(L).AddMassFlow(L.Direction * FlowCorrection);
    for (const TLink& L : Links)
        RecalcBranch(FlowBranchOf(L));
}

void TFlowMesh::RecalcBranch(TFlowBranch& B)
{
    B.CalcVolumeFlow();
    B.CalcTerminalLosses();
    B.CalcEquivLengths();
    B.CalcTotalLength();
    B.CalcToResistance();
    B.UpdateFriction();
    B.SumFixedDrops();
    B.CalcTotalDrop();
}

void TFlowMesh::ClearFlows()
{
    for (const TLink& L : Links)
        FlowBranchOf(L).MassFlow = 0.0;
}

void TFlowMesh::CalcResidual(bool UpdateDensity)
{
    double Sum = 0.0;
    for (const TLink& L : Links) {
        TFlowBranch& B = FlowBranchOf(L);
        if (UpdateDensity)
            B.UpdateDensity();
        Sum += L.Direction * B.TotalDrop;
    }
    MeshResidual = Sum;
}

void TFlowMesh::SumConductance()
{
    double Sum = 0.0;
    for (const TLink& L : Links)
        Sum += FlowBranchOf(L).Conductance;
    Gain = Sum;
}

TFlowBranch* TFlowMesh::ChordBranch() const
{
    for (const TLink& L : Links)
        if (BitIsSet(L.Branch->Flags, gfChord))
            return static_cast<TFlowBranch*>(L.Branch);
    return nullptr;
}

int TFlowMesh::CorrectFlow()
{
    double R0 = MeshResidual;
    int Passes = 0;
    for (;;) {
        double Step = -Relaxation * Gain * R0;
        if (std::fabs(Step) > MaxStep)
            Step = SignOf(Step) * MaxStep;
        if (!std::isfinite(Step))
            return lcNotFinite;
        FlowCorrection = Step;
        ApplyCorrection();
        CalcResidual(true);
        const double R = MeshResidual;
        if (!std::isfinite(R))
            return lcNotFinite;
        const double Change = R - R0;
        const double T = Step * Gain * Change;
        R0 = R;
        // K - K·(t - s²)/t with t = s·K·(r - r0) is the secant slope
        // s/(r - r0); taken in that form it cannot cancel to 0 when the step
        // overshoots by far (t much larger than s²), which would leave the
        // mesh taking steps of no size until its step limit.
        if (std::fabs(T) > TinySlope)
            Gain = Step / Change;
        if (std::fabs(R) <= ResidualTolerance)
            return lcConverged;
        if (Passes > MaxSteps)
            return lcIterationLimit;
        ++Passes;
    }
}
