// What the sizing methods do to one branch: equal friction, velocity, the
// design velocity, static regain and balancing dampers.
//
// Flows carry the sign of the drawing direction, so every size, velocity
// and threshold below is taken from their magnitudes: a duct drawn against
// the air gets the size of one drawn with it. A size is only replaced by a
// finite positive one; an input that cannot give one (no rate, no flow, no
// velocity, no upstream size) keeps the present size.

#include "network/FlowBranch.h"

#include "fittings/FrictionFactor.h"
#include "foundation/AirProperties.h"
#include "foundation/NumericHelpers.h"
#include "foundation/Root.h"
#include "network/FlowGraph.h"
#include "network/Settings.h"

#include <cmath>
#include <numbers>

namespace {

// Equal friction starts from this diameter and stops when the diameter
// moves less than the tolerance, or after the pass limit.
constexpr double StartDiameter = 0.5;      // m
constexpr double DiameterTolerance = 1e-4; // m
constexpr int MaxRatePasses = 20;
// A diameter the formula cannot give (no flow) becomes this.
constexpr double FallbackDiameter = 0.1; // m
// A pressure rate at or below this is no rate (Pa/m).
constexpr double NoRate = 1e-6;
// The design velocity without user velocities: 1.35·ln|Q| + 5 m/s above
// this flow (m³/s), else the low velocity.
constexpr double LowVelocityFlow = 0.05;
constexpr double LowVelocity = 1.0; // m/s

const TSettings& SettingsOf(const TFlowBranch& Branch)
{
    return Branch.Graph ? static_cast<const TFlowGraph*>(Branch.Graph)->Settings() : DesignSettings();
}

bool SizingToStandard(const TFlowBranch& Branch)
{
    return Branch.Graph && static_cast<const TFlowGraph*>(Branch.Graph)->StandardSizes;
}

bool UsableSize(double D)
{
    return std::isfinite(D) && D > 0.0;
}

double CircleDiameter(double Area)
{
    return std::sqrt(4.0 * Area / std::numbers::pi);
}

} // namespace

void TFlowBranch::SizeForPressureRate(bool KeepRate, int Direction, double Rate)
{
    if (SizeFixed || SizingToStandard(*this) || Kind != bkCommon)
        return;
    const TSettings& S = SettingsOf(*this);
    Rate = std::fabs(Rate);
    if (!(Rate > NoRate) && !KeepRate)
        Rate = std::fabs(S.designpressrate);
    const double Q = std::fabs(VolumeFlow);
    if (!(Rate > NoRate) || !std::isfinite(Rate) || !(ToDensity > 0.0) || !std::isfinite(Q))
        return; // nothing to size for: the present size stays
    Viscosity = AirViscosity(FromFlowNode()->DryBulb);
    // Each pass takes the factor its diameter's flow gives, as the branch
    // losses do, not one found from the pass before: the size is then a
    // function of the flow and the rate alone.
    double F = SlowFlowFriction;
    double D = StartDiameter;
    for (int Pass = 0; Pass <= MaxRatePasses; ++Pass) {
        const double Area = std::numbers::pi * D * D / 4.0;
        const double V = Area > 0.0 ? Q / Area : 0.0;
        Reynolds = ReynoldsNumber(ToDensity, V, D, Viscosity);
        int Regime = frNoFlow;
        F = DuctFrictionFactor(Reynolds, S.roughness, D, Regime);
        double Next = std::pow(8.0 * ToDensity * F * Q * Q / (PiSquared * Rate), 0.2);
        if (!UsableSize(Next))
            Next = FallbackDiameter;
        const bool Settled = std::fabs(Next - D) <= DiameterTolerance;
        D = Next;
        if (Settled)
            break;
    }
    Diameter = D;
    FrictionFactor = F;
    CalcArea();
    Velocity = FlowArea > 0.0 ? VolumeFlow / FlowArea : 0.0;
    // No air, no friction: the sign of a zero flow is 0 here, not +1.
    FrictionDrop = MassFlow == 0.0 ? 0.0 : SignOf(MassFlow) * Rate * TotalLength;
    CalcTotalDrop();
    if (!KeepRate)
        PropagatePressure(Direction);
}

void TFlowBranch::SizeByVelocity()
{
    if (SizeFixed)
        return;
    if (!(Velocity > 0.0))
        ResetVelocity();
    if (Kind != bkCommon) {
        Diameter = 0.0;
        return;
    }
    const double V = std::fabs(Velocity);
    if (!(V > 0.0) || !(MeanDensity > 0.0))
        return; // no velocity to size for
    const double D = CircleDiameter(std::fabs(MassFlow / (MeanDensity * V)));
    if (!UsableSize(D))
        return;
    Diameter = D;
    CalcArea();
    CalcVelocity();
}

void TFlowBranch::ResetVelocity()
{
    const TSettings& S = SettingsOf(*this);
    double V;
    if (S.useuservel) {
        V = TFlowGraph::IsTerminalBranch(*this) ? S.userveloutlet : S.uservelmain;
    } else {
        const double Q = std::fabs(VolumeFlow);
        V = Q > LowVelocityFlow ? 1.35 * std::log(Q) + 5.0 : LowVelocity;
    }
    SetVelocity(V);
}

void TFlowBranch::FitStaticRegain(double Length, double UpMass, double UpDiameter)
{
    const TSettings& S = SettingsOf(*this);
    if (UsableSize(Diameter) && MassFlow != 0.0 && UsableSize(UpDiameter) && std::isfinite(UpMass)) {
        CalcFriction();
        const double F = FrictionFactor;
        const double FlowRatio = (UpMass / MassFlow) * (UpMass / MassFlow);
        const double Regain = S.statregainfactor;
        // Friction over the run in velocity heads against the velocity
        // pressure regained from the upstream branch.
        TRoot Root([=](double D) {
            const double R = D / UpDiameter;
            return F * Length / D - Regain * (FlowRatio * R * R * R * R - 1.0);
        });
        const double D = Root.SolveSecant(Diameter);
        if (Root.Status() == TRoot::rsConverged && UsableSize(D))
            Diameter = D;
    }
    CalcArea();
    CalcVelocity();
    const double Q = std::fabs(VolumeFlow);
    if (!(Q > 0.0) || !(FlowArea > 0.0))
        return;
    const bool Outlet = FromFlowNode()->NodeType == ntOutlet || ToFlowNode()->NodeType == ntOutlet;
    const double Lowest = Outlet ? S.statregainminveloutlet : S.statregainminvelduct;
    if (Lowest > 0.0 && Q / FlowArea < Lowest) {
        Diameter = CircleDiameter(Q / Lowest);
        CalcArea();
        CalcVelocity();
    }
}

void TFlowBranch::SizeStaticRegain(int Direction, double Length, double UpMass, double UpDiameter)
{
    if (Kind != bkCommon)
        return;
    if (!SizeFixed && UpMass != 0.0) {
        UpstreamFlow = UpMass;
        UpstreamDiameter = UpDiameter;
        if (!UsableSize(Diameter))
            SizeForPressureRate(true, Direction, SettingsOf(*this).designpressrate);
        FitStaticRegain(Length, UpMass, UpDiameter);
    }
    UpdateFriction();
    PropagatePressure(Direction);
}

void TFlowBranch::ClearDamperDrop()
{
    TotalDrop -= DamperDrop;
    DamperDrop = 0.0;
}

void TFlowBranch::SetDamperDrop(double Drop, int AirSign)
{
    const double Signed = AirSign < 0 ? -Drop : Drop;
    TotalDrop += Signed - DamperDrop;
    DamperDrop = Signed;
}
