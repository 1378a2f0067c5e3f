// The flow terms of a branch: densities from its nodes, mass and volume
// flow, area and velocity, the linearised resistance, stack effect and total
// pressure drop.

#include "network/FlowBranch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// |A/B|, or 0 while B (a density) is not positive: a node without a density
// yet has no resistance to offer.
double AbsRatio(double A, double B)
{
    return B > 0.0 ? std::fabs(A / B) : 0.0;
}

} // namespace

void TFlowBranch::CalcFlowTerms(bool FromQ)
{
    if (FromQ) {
        ToDensity = ToFlowNode()->Density;
        SetVolumeFlow(VolumeFlow);
    }
    UpdateDensity();
    Conductance = 0.5;
}

void TFlowBranch::UpdateDensity()
{
    const TFlowNode* From = FromFlowNode();
    const TFlowNode* To = ToFlowNode();
    ToDensity = To->Density;
    Temperature = To->DryBulb;
    MeanDensity = 0.5 * (From->Density + To->Density);
    FlowResistance = AbsRatio(MassFlow * Resistance, MeanDensity);
    FrictionDrop = FlowResistance * MassFlow;
    DeltaZ = To->Elevation - From->Elevation;
    StackDrop = StandardGravity * MeanDensity * DeltaZ;
    CalcTotalDrop();
}

void TFlowBranch::UpdateConductance()
{
    FlowResistance = AbsRatio(Resistance * MassFlow, MeanDensity);
    Conductance = FlowResistance <= 1e-100 ? 1e-100 : 0.5 / FlowResistance;
}

void TFlowBranch::CalcMassFlow()
{
    MassFlow = VolumeFlow * ToDensity;
    TFlowNode* To = ToFlowNode();
    if (To && To->NodeType == ntOutlet)
        To->ExtMassFlow = -MassFlow;
}

void TFlowBranch::CalcVolumeFlow()
{
    VolumeFlow = ToDensity != 0.0 ? MassFlow / ToDensity : 0.0;
}

bool TFlowBranch::IsTerminal() const
{
    return FromFlowNode()->NodeType == ntInlet || ToFlowNode()->NodeType == ntOutlet;
}

void TFlowBranch::SetDesignFlowFromWindow(double Q)
{
    if (!std::isfinite(Q))
        return;
    if (!IsTerminal()) {
        DesignFlow = std::clamp(Q, -LargestDesignFlow, LargestDesignFlow);
        return;
    }
    Q = std::clamp(Q, 0.0, LargestDesignFlow);
    if (Q < SmallestTerminalFlow)
        Q = Q < SmallestTerminalFlow / 2 ? 0.0 : SmallestTerminalFlow;
    DesignFlow = Q;
}

void TFlowBranch::CalcArea()
{
    FlowArea = std::numbers::pi * Diameter * Diameter / 4.0;
}

void TFlowBranch::CalcVelocity()
{
    if (FlowArea != 0.0)
        Velocity = VolumeFlow / FlowArea;
}

void TFlowBranch::CalcTotalDrop()
{
    if (Kind == bkGain || Kind == bkSink) {
        TotalDrop = FixedDpSum + FixedCSum - PressureGain - StackDrop;
        return;
    }
    TotalDrop = FrictionDrop - StackDrop + DamperDrop;
    if (Booster)
        TotalDrop -= PressureGain;
}

void TFlowBranch::ClearBooster()
{
    Booster = false;
    CalcTotalDrop();
}

void TFlowBranch::SetupFromDefaults(double Gain, double NewLength, double Q)
{
    Flags = 0;
    MassFlow = Q * ToFlowNode()->Density;
    Resistance = 0.0;
    PressureGain = Gain;
    Booster = false;
    CalcFlowTerms(false);
    VolumeFlow = Q;
    DesignFlow = Q;
    Length = NewLength;
    TotalLength = NewLength;
    LeFittings = 0.0;
    LeDp = 0.0;
    LeC = 0.0;
}
