// The loop method on one mesh: a circulating mass flow added around the
// mesh, corrected by a secant iteration until the signed sum of the total
// pressure drops around it vanishes.

#include "network/FlowMesh.h"

#include "fittings/FrictionFactor.h"
#include "foundation/NumericHelpers.h"
#include "graph/GraphFlags.h"
#include "network/FlowBranch.h"
#include "network/LoopCode.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

constexpr double Relaxation = 0.69;      // share of the secant step taken
constexpr double MaxStep = 2.0;          // kg/s, largest correction per step
constexpr double ResidualTolerance = 0.01; // Pa
constexpr int MaxSteps = 401; // secant steps of one correction
constexpr double TinySlope = 1e-100;
// Bounds of the balance closer than this share of the mesh's largest flow
// (or of MinJumpFlow, kg/s) are taken to hold a jump of a branch law.
constexpr double JumpShare = 1e-9;
constexpr double MinJumpFlow = 1e-6;
// A residual rising this many times more steeply between the bounds than
// over any step that kept its sign holds a jump.
constexpr double JumpSteepness = 100.0;
// Secant steps without a bound closing in, after which the steps halve the
// bounds.
constexpr int StallSteps = 8;
// A step that falls back between the bounds by interpolation lands at
// least this share of their distance from either.
constexpr double InsideShare = 0.1;
// A branch rests where it was left while its flow stays within this share
// of that flow (the rounding of a volume flow taken back to mass).
constexpr double RestShare = 1e-12;

// True when a jump of the branch's friction law (Re 64 or 2300) lies
// between the Reynolds numbers A and B.
bool JumpBetweenReynolds(double A, double B)
{
    for (double Re : {SlowFlowReynolds, TurbulentReynolds})
        if ((A - Re) * (B - Re) <= 0.0 && A != B)
            return true;
    return false;
}

// One side of the balance: the circulation (kg/s, from the start of the
// correction) nearest to it seen so far with a residual of that sign.
struct TBound {
    bool Seen = false;
    double At = 0.0;
    double Residual = 0.0;

    // True when (Moved, R) is a new nearest point of this side.
    bool Note(double Moved, double R, bool Positive)
    {
        if (Positive ? !(R > 0.0) : !(R < 0.0))
            return false;
        if (Seen && (Positive ? Moved >= At : Moved <= At))
            return false;
        Seen = true;
        At = Moved;
        Residual = R;
        return true;
    }
};

// The circulation, counted from the present flows, at which a branch of
// the mesh meets a jump of its law (a duct's Reynolds number 64 or 2300, a
// duct with fixed drops at zero flow), strictly between Low and High and
// nearest to Target; false when there is none.
bool JumpBetween(const std::vector<TLink>& Links, double Low, double High, double Target, double& At)
{
    bool Found = false;
    auto Consider = [&](double X) {
        if (X > Low && X < High && (!Found || std::fabs(X - Target) < std::fabs(At - Target))) {
            At = X;
            Found = true;
        }
    };
    for (const TLink& L : Links) {
        const TFlowBranch& B = FlowBranchOf(L);
        if (B.Kind != bkCommon || !(B.Diameter > 0.0))
            continue;
        const double M = B.MassFlow;
        // Moving the circulation by X moves the branch's flow by
        // Direction·X; its Reynolds number follows |m|.
        if (!B.FixedDps.empty())
            Consider(-L.Direction * M);
        if (B.Reynolds > 0.0 && M != 0.0) {
            for (double Re : {SlowFlowReynolds, TurbulentReynolds}) {
                const double Flow = std::fabs(M) * Re / B.Reynolds;
                Consider(L.Direction * (Flow - M));
                Consider(L.Direction * (-Flow - M));
            }
        }
    }
    return Found;
}

// The step (kg/s, from the present flows) that brings a branch of the mesh
// with fixed drops to exactly zero flow, the one whose zero lies strictly
// between the circulations Low and High (counted from the present flows)
// nearest to Target; false when there is none. Resting there, the branch
// takes any drop within its fixed drops' gap.
bool ZeroFlowStep(const std::vector<TLink>& Links, double Low, double High, double Target, double& Step)
{
    bool Found = false;
    for (const TLink& L : Links) {
        const TFlowBranch& B = FlowBranchOf(L);
        if (B.Kind != bkCommon || !(B.Diameter > 0.0) || B.FixedDps.empty() || B.MassFlow == 0.0)
            continue;
        // Direction·(-Direction·m) is -m exactly, so the flow lands on 0.
        const double X = -L.Direction * B.MassFlow;
        if (X > Low && X < High && (!Found || std::fabs(X - Target) < std::fabs(Step - Target))) {
            Step = X;
            Found = true;
        }
    }
    return Found;
}

// Where a step goes that the secant would take outside the bounds, between
// which the balance lies: a secant through points either side of a jump
// of a branch law points anywhere. A jump between the bounds is tried on
// its two sides, each a quarter of JumpWidth from it, the side of the
// farther bound first: two steps then show whether the balance sits on it.
// Without one the step interpolates between the bounds.
double WithinBounds(const std::vector<TLink>& Links, const TBound& Below, const TBound& Above, double Moved,
                    double JumpWidth)
{
    const double Share = std::clamp(Below.Residual / (Below.Residual - Above.Residual), InsideShare,
                                    1.0 - InsideShare);
    const double Between = Below.At + Share * (Above.At - Below.At);
    double Jump = 0.0;
    if (JumpBetween(Links, std::min(Below.At, Above.At) - Moved, std::max(Below.At, Above.At) - Moved,
                    Between - Moved, Jump)) {
        const double At = Moved + Jump;
        const double Rising = Above.At > Below.At ? 1.0 : -1.0;
        const double Probe = 0.25 * JumpWidth;
        if (std::fabs(At - Below.At) > 2.0 * Probe)
            return At - Rising * Probe;
        if (std::fabs(Above.At - At) > 2.0 * Probe)
            return At + Rising * Probe;
    }
    return Between;
}

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
    B.RecalcLosses();
}

void TFlowMesh::ClearFlows()
{
    for (const TLink& L : Links)
        FlowBranchOf(L).MassFlow = 0.0;
}

bool TFlowMesh::RestingGap(const TFlowBranch& B, double& Below, double& Above)
{
    Below = Above = 0.0;
    if (std::fabs(B.MassFlow - B.RestFlow) <= RestShare * std::fabs(B.RestFlow)) {
        Below = B.RestBelow;
        Above = B.RestAbove;
        return true;
    }
    if (B.MassFlow != 0.0 || B.FixedDps.empty() || B.Kind != bkCommon || !(B.Diameter > 0.0))
        return false;
    for (const auto& Item : B.FixedDps)
        Above += std::fabs(Item->Drop);
    Below = -Above;
    return Above > 0.0;
}

void TFlowMesh::CalcResidual(bool UpdateDensity)
{
    double Sum = 0.0;
    double Below = 0.0, Above = 0.0;
    for (const TLink& L : Links) {
        TFlowBranch& B = FlowBranchOf(L);
        if (UpdateDensity)
            B.UpdateDensity();
        Sum += L.Direction * B.TotalDrop;
        double Low, High;
        if (RestingGap(B, Low, High)) {
            Below += L.Direction > 0 ? Low : -High;
            Above += L.Direction > 0 ? High : -Low;
        }
    }
    MeshResidual = Sum;
    GapBelow = Below;
    GapAbove = Above;
}

void TFlowMesh::SumConductance()
{
    double Sum = 0.0;
    for (const TLink& L : Links)
        Sum += FlowBranchOf(L).Conductance;
    Gain = Sum;
}

void TFlowMesh::TakeFlowSlope()
{
    // d(residual)/dm = Σ 2·FlowResistance: a branch without resistance (a
    // Sink branch, the fan) adds nothing.
    double Sum = 0.0;
    for (const TLink& L : Links)
        Sum += 2.0 * FlowBranchOf(L).FlowResistance;
    Gain = Sum > 0.0 && std::isfinite(Sum) ? 1.0 / Sum : StartGain;
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
    // The residual rises with the circulating flow (every branch's drop
    // rises with its own flow), so the steps that straddle its zero bound
    // it. Where a branch law jumps (laminar to turbulent, a fixed drop at
    // zero flow) the residual may jump over zero: no flow balances the
    // mesh, and the secant steps go round and round outside the bounds.
    // Once the bounds have stopped closing in, the steps halve them
    // instead: a smooth law is then balanced, a jump shows as bounds closer
    // than any flow a duct could tell apart with the residual still off by
    // part of the jump. Sooner still, a residual that rises between the
    // bounds far more steeply than over any step that kept its sign (a
    // smooth law is steepest at the ends of the range explored, not in
    // between) shows a jump between them: the next steps go to the jump
    // of a branch law there, and the mesh rests only once the bounds close
    // in on it. Resting at once would leave it at a bound that may lie far
    // from the jump, with a branch at a flow of its own rather than at the
    // jump's, and off balance by up to a hundredth of the jump.
    double Steepest = 0.0; // the largest |Δr/step| of a step that kept the sign
    double Largest = 0.0;
    for (const TLink& L : Links)
        Largest = std::max(Largest, std::fabs(FlowBranchOf(L).MassFlow));
    const double JumpWidth = JumpShare * std::max(Largest, MinJumpFlow);
    TBound Below; // the highest circulation seen with a negative residual
    TBound Above; // the lowest with a positive one
    double Moved = 0.0;
    double R0 = MeshResidual;
    Below.Note(Moved, R0, false);
    Above.Note(Moved, R0, true);
    int SinceCloser = 0; // steps since a bound last closed in
    bool Steep = false;  // the bounds hold a jump by the steepness between them
    Steps = 0;
    for (;;) {
        const bool Bracketed = Below.Seen && Above.Seen;
        const bool Halving = Bracketed && SinceCloser >= StallSteps;
        double Step = Halving ? 0.5 * (Below.At + Above.At) - Moved : -Relaxation * Gain * R0;
        if (std::fabs(Step) > MaxStep)
            Step = SignOf(Step) * MaxStep;
        const double Low = std::min(Below.At, Above.At);
        const double High = std::max(Below.At, Above.At);
        double ToZero = 0.0;
        if (Bracketed && ZeroFlowStep(Links, Low - Moved, High - Moved, Step, ToZero))
            Step = ToZero; // the balance may rest within that branch's gap
        else if (Bracketed && !Halving && (Steep || !(Moved + Step > Low && Moved + Step < High)))
            Step = WithinBounds(Links, Below, Above, Moved, JumpWidth) - Moved;
        if (!std::isfinite(Step))
            return lcNotFinite;
        FlowCorrection = Step;
        ApplyCorrection();
        ++Steps;
        CalcResidual(true);
        Moved += Step;
        const double R = MeshResidual;
        if (!std::isfinite(R))
            return lcNotFinite;
        const double Change = R - R0;
        if ((R < 0.0 && R0 < 0.0) || (R > 0.0 && R0 > 0.0))
            Steepest = std::max(Steepest, std::fabs(Change / Step));
        const double T = Step * Gain * Change;
        R0 = R;
        // K - K·(t - s²)/t with t = s·K·(r - r0) is the secant slope
        // s/(r - r0); taken in that form it cannot cancel to 0 when the step
        // overshoots by far (t much larger than s²), which would leave the
        // mesh taking steps of no size until its step limit.
        if (std::fabs(T) > TinySlope)
            Gain = Step / Change;
        if (std::fabs(Imbalance()) <= ResidualTolerance)
            return lcConverged;
        const bool Closer = Below.Note(Moved, R, false) || Above.Note(Moved, R, true);
        SinceCloser = Closer ? 0 : SinceCloser + 1;
        const double Apart = std::fabs(Above.At - Below.At);
        Steep = Below.Seen && Above.Seen && Steepest > 0.0 &&
                Above.Residual - Below.Residual > JumpSteepness * Steepest * Apart;
        // A fixed drop's zero between the bounds is tried first.
        double Untried = 0.0;
        if (Below.Seen && Above.Seen && Apart <= JumpWidth &&
            !ZeroFlowStep(Links, std::min(Below.At, Above.At) - Moved, std::max(Below.At, Above.At) - Moved, 0.0,
                          Untried)) {
            // On a jump: rest on the side that is left closer to balance,
            // and recompute the branches there once more, so that each
            // one's equivalent lengths follow its friction at the resting
            // flow and not at the last step's (a law that jumps changes its
            // friction factor by half between the two sides).
            // The branches whose laws jump between the two sides rest
            // there, each taking any drop across its jump.
            const bool BelowCloser = std::fabs(Below.Residual) < std::fabs(Above.Residual);
            const TBound& Rest = BelowCloser ? Below : Above;
            const TBound& Far = BelowCloser ? Above : Below;
            FlowCorrection = Far.At - Moved;
            ApplyCorrection();
            std::vector<std::pair<double, double>> FarSide; // drop, Reynolds
            FarSide.reserve(Links.size());
            for (const TLink& L : Links)
                FarSide.emplace_back(FlowBranchOf(L).TotalDrop, FlowBranchOf(L).Reynolds);
            FlowCorrection = Rest.At - Far.At;
            ApplyCorrection();
            FlowCorrection = 0.0;
            ApplyCorrection();
            for (std::size_t K = 0; K < Links.size(); ++K) {
                TFlowBranch& B = FlowBranchOf(Links[K]);
                const double Across = FarSide[K].first - B.TotalDrop;
                if (B.Kind != bkCommon || !std::isfinite(Across) || !JumpBetweenReynolds(FarSide[K].second, B.Reynolds))
                    continue;
                B.RestFlow = B.MassFlow;
                B.RestBelow = std::min(Across, 0.0);
                B.RestAbove = std::max(Across, 0.0);
            }
            CalcResidual(true);
            if (!std::isfinite(MeshResidual))
                return lcNotFinite;
            return std::fabs(Imbalance()) <= ResidualTolerance ? lcConverged : lcWithinTolerance;
        }
        if (Steps > MaxSteps)
            return lcIterationLimit;
    }
}
