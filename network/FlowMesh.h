#pragma once
// A mesh of the duct network with the values of the loop method.

#include "graph/GraphMesh.h"

#include <random>

class TFlowBranch;

class TFlowMesh : public TMesh {
public:
    using TMesh::TMesh;

    static constexpr double StartGain = 0.005;

    double FlowCorrection = 0.0; // kg/s, the circulating correction ΔQ
    double MeshResidual = 0.0;   // Pa, signed sum of the total drops around the mesh
    double Gain = StartGain;     // the secant slope, kg/s per Pa
    bool HasFan = false;         // the mesh contains the main fan
    int Steps = 0;               // steps taken by the last CorrectFlow
    // The network's generator for the start of a chord without flow; the
    // network reseeds it at every balancing run so runs repeat exactly.
    std::mt19937* Random = nullptr;

    // FlowCorrection := the chord's mass flow, or a value between 1.0 and
    // 1.1 kg/s when the chord carries none.
    void ChordAdded(TBranch* Chord) override;
    // The values above as a new mesh has them (the generator stays).
    void Reuse(int NewId) override;
    // Adds the correction to every branch of the mesh (signed by its link),
    // then recomputes each branch's volume flow, losses and total drop.
    void ApplyCorrection();
    // The recomputation of one branch after its mass flow changed, as
    // ApplyCorrection does it.
    static void RecalcBranch(TFlowBranch& Branch);
    // m := 0 on every branch of the mesh.
    void ClearFlows();
    // MeshResidual := Σ direction·TotalDrop; with UpdateDensity each branch
    // first refreshes its density terms.
    void CalcResidual(bool UpdateDensity);
    // Gain := Σ Conductance of the mesh's branches.
    void SumConductance();
    // Gain := 1 / Σ 2·FlowResistance (StartGain without resistance): how
    // the circulating flow answers the residual at the present flows, the
    // slope the secant steps approach. A finished solve and a document read
    // back both show this one.
    void TakeFlowSlope();
    // The branch of the mesh flagged as a chord; nullptr when none is.
    TFlowBranch* ChordBranch() const;
    // The secant iteration on the circulating flow. Returns the loop code:
    // converged; within tolerance when the balance sits on a jump of a
    // branch law, which no flow reaches (the mesh is left on the side of
    // the jump closer to balance); the step limit; or not finite (the
    // residual or the correction stopped being a number).
    int CorrectFlow();
};
