// The start of a new mesh of the loop method: its circulating correction
// begins at its chord's flow.

#include "network/FlowMesh.h"

#include "network/FlowBranch.h"

namespace {

constexpr double ZeroChordStart = 1.0;  // kg/s, start of a chord without flow...
constexpr double ZeroChordSpread = 0.1; // ...plus up to this much

} // namespace

void TFlowMesh::Reuse(int NewId)
{
    TMesh::Reuse(NewId);
    FlowCorrection = 0.0;
    MeshResidual = 0.0;
    GapBelow = 0.0;
    GapAbove = 0.0;
    Gain = StartGain;
    HasFan = false;
    Steps = 0;
}

void TFlowMesh::ChordAdded(TBranch* Chord)
{
    FlowCorrection = static_cast<TFlowBranch*>(Chord)->MassFlow;
    if (FlowCorrection != 0.0)
        return;
    // The raw generator output, so the start is the same on every standard
    // library (the distributions are not).
    const double Unit = Random ? static_cast<double>((*Random)()) / 4294967296.0 : 0.0;
    FlowCorrection = Unit * ZeroChordSpread * 1.0 + ZeroChordStart;
}
