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
    // Pa: the gap of the sum, from MeshResidual + GapBelow to MeshResidual +
    // GapAbove, that the mesh's branches resting on jumps of their laws
    // leave open: a branch at zero flow on fixed drops passes no air and
    // takes any drop between -ΣΔp and +ΣΔp (its drop counted in
    // MeshResidual is the middle), one resting at its laminar to turbulent
    // jump any drop across the jump.
    double GapBelow = 0.0;
    double GapAbove = 0.0;
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
    // MeshResidual := Σ direction·TotalDrop, and the gap; with UpdateDensity
    // each branch first refreshes its density terms.
    void CalcResidual(bool UpdateDensity);
    // What lies outside the gap of the residual (signed as the residual, 0
    // inside it): the imbalance the mesh is judged by.
    double Imbalance() const { return OutsideGap(MeshResidual, GapBelow, GapAbove); }
    static double OutsideGap(double Residual, double Below, double Above)
    {
        if (Residual + Below > 0.0)
            return Residual + Below;
        if (Residual + Above < 0.0)
            return Residual + Above;
        return 0.0;
    }
    // The gap of a branch's drop at its present flow (Pa, Below <= 0 <=
    // Above); false when it rests on no jump.
    static bool RestingGap(const TFlowBranch& Branch, double& Below, double& Above);
    static bool Resting(const TFlowBranch& Branch)
    {
        double Below, Above;
        return RestingGap(Branch, Below, Above);
    }
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
    // converged (a balance inside the gap of branches resting on jumps
    // included); within tolerance when the balance sits on a jump of a
    // branch law, which no flow reaches (the mesh is left on the side of
    // the jump closer to balance); the step limit; or not finite (the
    // residual or the correction stopped being a number).
    int CorrectFlow();
};
