// The sizing loops. Fittings, fixed items and terminals enter through
// equivalent lengths that depend on the sizes, so each method repeats its
// sizing until the network's total equivalent length settles: first the
// start sizes of the method alone, then passes that balance every branch
// against the index run from the fan.

#include "network/DuctGraph.h"

#include "graph/GraphFlags.h"
#include "network/Settings.h"
#include "solver/FlowSnapshot.h"

#include <cmath>
#include <exception>
#include <limits>
#include <optional>
#include <string>

namespace {

// The fittings' ratios are recomputed in the passes up to this one.
constexpr int RatioPasses = 10;
constexpr int MaxPreparePasses = 100;
constexpr int MaxSizingPasses = 400;
// A change of the total equivalent length (m) at which it has settled.
constexpr double SettledChange = 0.001;
constexpr double NoLength = 1e-100;

TDuctBranch& AsDuct(const std::unique_ptr<TBranch>& Branch)
{
    return static_cast<TDuctBranch&>(*Branch);
}

// The end of one pass of the main loop (lcNone: go on).
int PassResult(int Pass, double Change, double Total, bool Negative)
{
    if (Change < SettledChange && !Negative)
        return lcConverged;
    if (Pass >= MaxSizingPasses)
        return lcIterationLimit;
    // A network without equivalent lengths has only the change to go by.
    const double Relative = std::fabs(Total) > NoLength ? Change / std::fabs(Total)
                                                        : std::numeric_limits<double>::infinity();
    if ((Pass > 100 && (Change < 0.01 || Relative < 0.001)) || (Pass > 200 && (Change < 0.1 || Relative < 0.01)) ||
        (Pass > 300 && (Change < 0.1 || Relative < 0.1)))
        return lcWithinTolerance;
    return lcNone;
}

struct TNotFinite {
    TFlowBranch* Branch;
    const char* What;
};

// The first branch the sizing left a value that is no number, and which;
// sizes before what follows from them.
std::optional<TNotFinite> FirstNotFinite(const TGraph& G)
{
    const struct {
        const char* What;
        double TFlowBranch::*Value;
    } Values[] = {{"diameter", &TFlowBranch::Diameter},
                  {"equivalent length", &TFlowBranch::EquivLength},
                  {"total pressure drop", &TFlowBranch::TotalDrop}};
    for (const auto& V : Values)
        for (const auto& Item : G.Branches()) {
            auto& B = static_cast<TFlowBranch&>(*Item);
            if (!std::isfinite(B.*V.Value))
                return TNotFinite{&B, V.What};
        }
    return std::nullopt;
}

} // namespace

void TDuctGraph::ResetVelocities()
{
    for (const auto& Item : Branches())
        AsDuct(Item).ResetVelocity();
    Status = ssNotSolved;
}

void TDuctGraph::RecalcSizedBranches(int Pass)
{
    for (const auto& Item : Branches()) {
        TDuctBranch& B = AsDuct(Item);
        B.SizeDuct();
        B.CalcFriction();
    }
    if (Pass <= RatioPasses && Settings().autocalcratios) {
        RecalcFittingRatios();
        CalcFittingsC();
        CalcFittingSums();
    }
    RecalcChain();
}

void TDuctGraph::PrepareSizing()
{
    const TSettings& S = Settings();
    double Previous = TotalEquivLength();
    int Pass = 0;
    try {
        for (;;) {
            switch (Method) {
            case smEqualFriction:
                for (const auto& Item : Branches())
                    AsDuct(Item).SizeForPressureRate(true, 1, S.designpressrate);
                break;
            case smVelocity:
                // The command has reset the design velocities, or copied the
                // user's own into them when they are not to be reset; a reset
                // here in every case would make that setting void. A duct
                // drawn against the air holds its velocity negative.
                for (const auto& Item : Branches()) {
                    TDuctBranch& B = AsDuct(Item);
                    const double Own = std::fabs(B.DesignVelocity);
                    if (S.resetvels || !(Own > 0.0))
                        B.ResetVelocity();
                    else
                        B.SetVelocity(Own);
                }
                for (const auto& Item : Branches())
                    AsDuct(Item).SizeByVelocity();
                break;
            case smStaticRegain:
                SizeBranchesAtFan();
                break;
            default:
                break;
            }
            RecalcSizedBranches(Pass);
            ++Pass;
            const double Current = TotalEquivLength();
            if (!(std::fabs(Current) >= NoLength) || std::fabs(Previous - Current) < SettledChange ||
                Pass >= MaxPreparePasses)
                break;
            Previous = Current;
        }
    } catch (const std::exception&) {
        // A failure ends the start sizes where they are.
    }
}

bool TDuctGraph::StartSizing()
{
    ResetFittingMessages();
    if (!MainFan || !SupplyRef || !ReturnRef || !Validate()) {
        Status = ssDataError;
        return false;
    }
    return true;
}

void TDuctGraph::BalancePass()
{
    ClearBranchFlag(gfWalked);
    ClearBranchFlag(gfVisited);
    ClearNodeFlag(gfVisited);
    SumSupplyReturn();
    CalcNodePressuresAlongPaths();
    StaticRegainPass();
}

void TDuctGraph::SizeDucts()
{
    SizingPasses = 0;
    if (!StartSizing())
        return;
    TFlowSnapshot Saved;
    Saved.Take(*this);
    PrepareSizing();
    SizeFromFan();

    double Previous = TotalEquivLength();
    int Code = lcNone;
    int Pass = 0;
    bool Negative = false;
    try {
        while (Code == lcNone) {
            for (const auto& Item : Branches())
                AsDuct(Item).ClearDamperDrop();
            if (Negative) {
                // A damper had to push: the index run has moved.
                PrepareSizing();
                SizeFromFan();
            }
            BalancePass();
            RecalcSizedBranches(Pass);
            Negative = HasNegativeDamper();
            SizingPasses = ++Pass;
            const double Current = TotalEquivLength();
            if (!std::isfinite(Current)) {
                Code = lcNotFinite;
                break;
            }
            Code = PassResult(Pass, std::fabs(Previous - Current), Current, Negative);
            Previous = Current;
        }
    } catch (const std::exception&) {
        // A failure inside a pass ends the run with the code reached.
    }
    const std::optional<TNotFinite> NotFinite = FirstNotFinite(*this);
    if (Code == lcNotFinite || NotFinite) {
        // Named before the sizes go back: where the sizing left the
        // physical ranges (a drop that is no number runs on up to the fan,
        // the size it began with stands further down), else the first value
        // that is no number.
        if (CheckCommandResults()) {
            if (NotFinite)
                DataError(NotFinite->Branch, "branch " + NotFinite->Branch->Name + ": the sizing made its " +
                                                 NotFinite->What + " no number");
            else
                DataError(nullptr, "the network: the sizing made its total equivalent length no number");
        }
        Saved.Restore(); // sizes that are no numbers are no result
        return;
    }
    Finish();
    SetStatusFromCode(Code);
}

void TDuctGraph::SizeStandard()
{
    if (!StartSizing())
        return;
    for (const auto& Item : Branches()) {
        TDuctBranch& B = AsDuct(Item);
        B.RoundToStandard();
        B.CalcFriction();
    }
    if (Settings().autocalcratios) {
        RecalcFittingRatios();
        CalcFittingsC();
        CalcFittingSums();
    }
    RecalcChain();
    SizeFromFan();
    int Code = lcNone;
    try {
        for (const auto& Item : Branches())
            AsDuct(Item).ClearDamperDrop();
        BalancePass();
        Code = lcConverged;
    } catch (const std::exception&) {
        Code = lcNoMeshes;
    }
    Finish();
    SetStatusFromCode(Code);
}
