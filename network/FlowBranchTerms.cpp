// The flow terms of a branch: densities from its nodes, mass and volume
// flow, area and velocity, the linearised resistance, stack effect and total
// pressure drop.

#include "network/FlowBranch.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double Gravity = 9.80665; // m/s²

} // namespace

void TFlowBranch::CalcFlowTerms(bool FromQ)
{
    const TFlowNode* From = FromFlowNode();
    const TFlowNode* To = ToFlowNode();
    ToDensity = To->Density;
    Temperature = To->DryBulb;
    MeanDensity = 0.5 * (From->Density + To->Density);
    if (FromQ)
        SetVolumeFlow(VolumeFlow);
    // A node without a density yet has no resistance to offer.
    FlowResistance = MeanDensity > 0.0 ? std::fabs(MassFlow * Resistance / MeanDensity) : 0.0;
    FrictionDrop = FlowResistance * MassFlow;
    DeltaZ = To->Elevation - From->Elevation;
    StackDrop = Gravity * MeanDensity * DeltaZ;
    CalcTotalDrop();
    Conductance = 0.5;
}

void TFlowBranch::CalcMassFlow()
{
    MassFlow = VolumeFlow * ToDensity;
    TFlowNode* To = ToFlowNode();
    if (To && To->NodeType == ntOutlet)
        To->ExtMassFlow = -MassFlow;
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
