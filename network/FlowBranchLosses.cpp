// The losses of a branch: friction factor and resistance, the equivalent
// lengths of its fittings, fixed items and terminals, the friction drop of
// its total length, and the pressure carried across it.
//
// Every loss enters through an equivalent length of straight duct of this
// branch's diameter and friction factor, so the friction drop of the total
// length is the branch's drop.

#include "network/FlowBranch.h"

#include "fittings/FrictionFactor.h"
#include "foundation/AirProperties.h"
#include "graph/GraphFlags.h"
#include "network/FlowGraph.h"
#include "network/Settings.h"

#include <cmath>
#include <numbers>

namespace {

// A flow branch belongs to a flow network, whose settings it computes with;
// one standing alone takes the program's settings.
double DuctRoughness(const TFlowBranch& Branch)
{
    const TSettings& Settings =
        Branch.Graph ? static_cast<const TFlowGraph*>(Branch.Graph)->Settings() : DesignSettings();
    return Settings.roughness;
}

double FifthPower(double D)
{
    const double D2 = D * D;
    return D2 * D2 * D;
}

} // namespace

// ---------------------------------------------------------------- friction

void TFlowBranch::CalcFriction()
{
    if (Kind == bkGain || Kind == bkSink || !(Diameter > 0.0)) {
        FrictionFactor = 0.0;
        return;
    }
    CalcArea();
    CalcVelocity();
    FrictionFactor = DuctLawFactor(Velocity, Viscosity, Reynolds);
}

double TFlowBranch::DuctLawFactor(double Speed, double& Mu, double& Re)
{
    Mu = AirViscosity(FromFlowNode()->DryBulb);
    Re = ReynoldsNumber(ToDensity, std::fabs(Speed), Diameter, Mu);
    // From the flow alone, never from the factor before: a factor that
    // started from its last value could differ call by call between the
    // regimes, and the drop with it.
    int Regime = frNoFlow;
    const double Roughness = DuctRoughness(*this);
    return DuctFrictionFactor(Re, Roughness, Diameter, RoughWall.Of(Roughness, Diameter), Regime);
}

bool TFlowBranch::SitsOnJump() const
{
    // A mesh correction rests within a billionth of the mesh's largest
    // flow from a jump. At zero flow that is far below this velocity (m/s)
    // in any duct, a flow no reading could show.
    constexpr double RestingVelocity = 1e-4;
    // At Re 64 and 2300, this share of the jump's Reynolds number: a
    // millionth, for a branch carrying down to a thousandth of the mesh's
    // largest flow.
    constexpr double RestingShare = 1e-6;
    if (Kind != bkCommon || !(Diameter > 0.0))
        return false;
    if (!FixedDps.empty() && std::fabs(Velocity) < RestingVelocity)
        return true;
    for (double Re : {SlowFlowReynolds, TurbulentReynolds})
        if (std::fabs(Reynolds - Re) <= RestingShare * Re)
            return true;
    return false;
}

void TFlowBranch::CalcResistance()
{
    if (Kind == bkCommon && Diameter > 0.0)
        CalcFriction();
    ResistanceAtFriction();
}

void TFlowBranch::ResistanceAtFriction()
{
    if (Kind == bkCommon && Diameter > 0.0)
        Resistance = 8.0 * FrictionFactor * TotalLength / (FifthPower(Diameter) * PiSquared);
    else
        Resistance = 0.0;
    FlowResistance = MeanDensity > 0.0 ? std::fabs(MassFlow * Resistance / MeanDensity) : 0.0;
}

void TFlowBranch::CalcToResistance()
{
    CalcResistance();
    ToResistanceAtResistance();
}

void TFlowBranch::ToResistanceAtResistance()
{
    ToResistance = ToDensity > 0.0 ? std::fabs(Resistance * MassFlow / ToDensity) : 0.0;
}

void TFlowBranch::CalcFrictionDrop()
{
    FrictionDrop = MassFlow != 0.0 ? MassFlow * ToResistance : 0.0;
    CalcTotalDrop();
}

void TFlowBranch::UpdateFriction()
{
    CalcToResistance();
    CalcFrictionDrop();
}

// ---------------------------------------------------------------- lengths

void TFlowBranch::CalcFittingsLe()
{
    if (!(Diameter > 0.0) || FrictionFactor == 0.0 || !(MeanDensity > 0.0)) {
        LeFittings = 0.0;
        FittingsDrop = 0.0;
        return;
    }
    LeFittings = FittingsCSum * Diameter / FrictionFactor;
    FittingsDrop = 8.0 * FrictionFactor * LeFittings * MassFlow * MassFlow /
                   (PiSquared * MeanDensity * FifthPower(Diameter));
}

void TFlowBranch::CalcEquivLengths()
{
    CalcFittingsLe();
    const double DryBulb = FromFlowNode()->DryBulb;
    const double Roughness = DuctRoughness(*this);
    for (const auto& Item : FixedDps)
        Item->CalcEquivLength(DryBulb, MeanDensity, MassFlow, FrictionFactor, Diameter, Roughness);
    for (const auto& Item : FixedCs)
        Item->CalcEquivLength(DryBulb, MeanDensity, MassFlow, FrictionFactor, Diameter, Roughness);
    SumEquivLengths();
}

void TFlowBranch::SumEquivLengths()
{
    LeDp = 0.0;
    for (const auto& Item : FixedDps)
        LeDp += Item->EquivLength;
    LeC = 0.0;
    for (const auto& Item : FixedCs)
        LeC += Item->EquivLength;
    AddUpEquivLength();
}

void TFlowBranch::AddUpEquivLength()
{
    EquivLength = LeFittings + LeDp + LeC;
    if (OutletApplies())
        EquivLength += OutletTerminal->EquivLength;
    if (InletApplies())
        EquivLength += InletTerminal->EquivLength;
}

void TFlowBranch::CalcShownHydraulics()
{
    // The stored lengths of the fittings and fixed items stand as read.
    CalcFriction();
    AddUpEquivLength();
    CalcTotalLength();
}

void TFlowBranch::CalcTerminalLosses(bool FactorCurrent)
{
    InletTermDrop = 0.0;
    OutletTermDrop = 0.0;
    const bool Inlet = InletApplies();
    const bool Outlet = OutletApplies();
    if (!Inlet && !Outlet)
        return;
    // The terminals' lengths are stated in the factor the duct's length is
    // multiplied by, found once by the one law: the duct's present factor,
    // and a fan's terminal the law's at the fan's flow.
    double F = 0.0;
    if (Kind == bkCommon) {
        if (!FactorCurrent)
            CalcFriction();
        F = FrictionFactor;
    } else if (Diameter > 0.0 && ToDensity > 0.0) {
        double Mu = 0.0, Re = 0.0;
        F = DuctLawFactor(MassFlow / ToDensity / (std::numbers::pi * Diameter * Diameter / 4.0), Mu, Re);
    }
    const double DryBulb = FromFlowNode()->DryBulb;
    const double Roughness = DuctRoughness(*this);
    auto Compute = [&](TFixedEndFitting& Terminal) {
        Terminal.CalcEquivLength(DryBulb, ToDensity, MassFlow, F, Diameter, Roughness);
        return Terminal.Drop;
    };
    if (Inlet)
        InletTermDrop = Compute(*InletTerminal);
    if (Outlet)
        OutletTermDrop = Compute(*OutletTerminal);
}

void TFlowBranch::SumFixedDrops()
{
    FixedDpSum = 0.0;
    for (const auto& Item : FixedDps)
        FixedDpSum += Item->Drop;
    FixedCSum = 0.0;
    for (const auto& Item : FixedCs)
        FixedCSum += Item->Drop;
}

double TFlowBranch::LengthWithoutTerminals() const
{
    double L = TotalLength;
    if (OutletApplies())
        L -= OutletTerminal->EquivLength;
    if (InletApplies())
        L -= InletTerminal->EquivLength;
    return L;
}

void TFlowBranch::RecalcLosses()
{
    // The factor first: the equivalent lengths are stated in it. It is a
    // function of the flow alone, so computed once it serves the
    // resistance as well.
    CalcFriction();
    CalcTerminalLosses(true);
    CalcEquivLengths();
    CalcTotalLength();
    ResistanceAtFriction();
    ToResistanceAtResistance();
    CalcFrictionDrop();
    SumFixedDrops();
    CalcTotalDrop();
}

// ---------------------------------------------------------------- pressure

void TFlowBranch::PropagatePressure(int Direction)
{
    TFlowNode* From = FromFlowNode();
    TFlowNode* To = ToFlowNode();
    if (Direction == 1) {
        if (!HasFlag(From->Flags, gfVisited))
            From->RelPressure = To->RelPressure + TotalDrop;
    } else if (!HasFlag(To->Flags, gfVisited)) {
        To->RelPressure = From->RelPressure - TotalDrop;
    }
}

// ---------------------------------------------------------------- fittings

TDuctSection TFlowBranch::FittingSection() const
{
    TDuctSection S;
    S.D = 1000.0 * Diameter;
    S.Q = std::fabs(VolumeFlow);
    S.L = Length;
    S.A = FlowArea;
    return S;
}
