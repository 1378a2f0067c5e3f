// Neck sizes of outlet and inlet terminals, and the network commands that
// give every terminal duct its neck.

#include "sizing/TerminalSizes.h"

#include "foundation/NumericHelpers.h"
#include "network/DuctGraph.h"

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double NeckStep = 0.05; // m
// Catalogue necks of a diffuser (m), taken by the first that holds D0.
constexpr std::array<double, 7> DiffuserNecks = {0.15, 0.175, 0.2, 0.25, 0.3, 0.35, 0.4};
// Face velocities (m/s) of a grille, a canopy and a plain opening.
constexpr double GrilleVelocity = 2.0;
constexpr double CanopyVelocity = 5.0;
constexpr double PlainVelocity = 7.0;

double SteppedNeck(double D)
{
    const double Neck = RoundToStep(D, NeckStep);
    return Neck < NeckStep ? NeckStep : Neck;
}

double FaceNeck(double Flow, double FaceVelocity)
{
    const double Area = std::fabs(Flow) / FaceVelocity;
    return SteppedNeck(std::sqrt(4.0 * Area / std::numbers::pi));
}

double DiffuserNeck(double Flow)
{
    const double D0 = (0.16 + std::fabs(Flow)) / 1.5;
    for (double Neck : DiffuserNecks)
        if (D0 <= Neck)
            return Neck;
    return SteppedNeck(D0);
}

// The terminal duct takes the neck and keeps it through every sizing.
void FixNeck(TDuctBranch& Branch, double Neck)
{
    if (!std::isfinite(Neck))
        return;
    Branch.SizeFixed = false;
    Branch.Diameter = Neck;
    Branch.SizeDuct();
    Branch.CalcArea();
    Branch.CalcVelocity();
    Branch.CalcDuctArea();
    Branch.SizeFixed = true;
}

} // namespace

double OutletNeckDiameter(int Kind, double DesignFlow)
{
    switch (Kind) {
    case okDiffuser:
        return DiffuserNeck(DesignFlow);
    case okGrille:
        return FaceNeck(DesignFlow, GrilleVelocity);
    default:
        return FaceNeck(DesignFlow, PlainVelocity);
    }
}

double InletNeckDiameter(int Kind, double DesignFlow)
{
    switch (Kind) {
    case ikGrille:
        return FaceNeck(DesignFlow, GrilleVelocity);
    case ikCanopy:
        return FaceNeck(DesignFlow, CanopyVelocity);
    default:
        return FaceNeck(DesignFlow, PlainVelocity);
    }
}

void TDuctGraph::ApplyOutletSizes()
{
    for (const auto& Item : Branches()) {
        auto& B = static_cast<TDuctBranch&>(*Item);
        if (B.OutletApplies())
            FixNeck(B, OutletNeckDiameter(B.ToFlowNode()->OutletKind, B.DesignFlow));
    }
    Status = ssNotSolved;
}

void TDuctGraph::ApplyInletSizes()
{
    for (const auto& Item : Branches()) {
        auto& B = static_cast<TDuctBranch&>(*Item);
        if (B.InletApplies())
            FixNeck(B, InletNeckDiameter(B.FromFlowNode()->InletKind, B.DesignFlow));
    }
    Status = ssNotSolved;
}
