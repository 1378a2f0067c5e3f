// Flow balancing by the loop method: the signed total drops around every
// independent loop are driven to zero by correcting circulating mesh flows.
// The inner loop corrects the worst mesh, one per pass; the outer loop
// recomputes friction and fittings and builds a new tree and meshes on the
// new resistances, until the residuals settle.
//
// The passes are kept cheap without changing any figure: a correction can
// only change the residuals of meshes that share a branch with the corrected
// one, so only those change, each by the changes of the shared branches'
// drops (every residual is summed in full once a pass, so nothing drifts),
// and the worst mesh comes from a priority queue instead of a scan. The
// node pressures, which nothing in the inner loop reads, are walked once
// after it.

#include "network/DuctGraph.h"

#include "fittings/DuctFittingDB.h"
#include "graph/GraphFlags.h"
#include "graph/ShortMeshOrder.h"
#include "solver/FlowSnapshot.h"
#include "solver/MeshQueue.h"
#include "solver/WarmStart.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <string>
#include <vector>

namespace {

// A solved network this close to balance needs no new run (Pa).
constexpr double UnchangedResidual = 0.001;
// The worst mesh's residual at which the inner loop has converged (Pa).
constexpr double MeshTolerance = 0.01;
constexpr int MaxMeshPasses = 200;
// Meshes of the network for each correction a pass may make beyond that.
constexpr std::size_t MeshesPerCorrection = 10;
// Picks of a mesh, on average, that an inner loop allows beyond its
// corrections.
constexpr std::size_t PicksPerMesh = 8;
// A correction whose residual updates would exceed this many, and this many
// times its own links, leaves the meshes it touches to be summed when they
// are next picked (or at the next full sum) instead: on a ladder's rails
// every correction otherwise updates nearly every mesh.
constexpr std::size_t LazyReach = 8192;
constexpr std::size_t LazyReachPerLink = 16;
constexpr int MaxOuterPasses = 600;
// A change of the largest residual over one outer pass at which the run has
// settled (Pa).
constexpr double SettledChange = 0.001;
// Residuals this share apart are the same but for rounding.
constexpr double RoundingShare = 1e-9;

// What an outer pass ended with, for the rule that ends a run whose passes
// no longer change anything: its loop code, the meshes it left set aside
// on jumps, the one of them that holds the largest residual (none when a
// mesh not set aside holds it) and that residual.
struct TPassOutcome {
    int Loop = lcNone;
    std::uint64_t Parked = 0;
    const TBranch* WorstParked = nullptr;
    double Residual = -1.0;

    // The same loop code and largest residual as Earlier. With meshes set
    // aside, within the tolerance: those hold the run's end while the rest
    // moves within it. Without, to rounding: any change is the run still
    // converging (a run of small changes is not an end; those it used to
    // cut short ended within tolerance short of solved).
    bool SameEnd(const TPassOutcome& Earlier) const
    {
        const double Margin = Parked ? MeshTolerance : RoundingShare * std::max(Residual, MeshTolerance);
        return Earlier.Loop == Loop && Earlier.Residual >= 0.0 && std::fabs(Earlier.Residual - Residual) <= Margin;
    }
    // The same meshes set aside as Earlier: the pass repeated it.
    bool Repeats(const TPassOutcome& Earlier) const { return SameEnd(Earlier) && Earlier.Parked == Parked; }
    // The largest residual held by the same mesh set aside on its jump:
    // the passes work on meshes that cannot change the run's end.
    bool HeldBySameParked(const TPassOutcome& Earlier) const
    {
        return SameEnd(Earlier) && WorstParked && Earlier.WorstParked == WorstParked;
    }
};

// Passes that repeat one of the two before, or three passes in a row whose
// largest residual one mesh set aside holds unchanged, end the run: no
// further pass would bring it a different status.
bool PassesStuck(const TPassOutcome& Now, const TPassOutcome (&Before)[2])
{
    return Now.Repeats(Before[0]) || Now.Repeats(Before[1]) ||
           (Now.HeldBySameParked(Before[0]) && Before[0].HeldBySameParked(Before[1]));
}

TFlowMesh& AsFlowMesh(const std::unique_ptr<TMesh>& Mesh)
{
    return static_cast<TFlowMesh&>(*Mesh);
}

// The mesh loop has nothing to correct: no meshes, or the fan's loop alone.
bool NothingToCorrect(const TGraph::TMeshList& List)
{
    return List.empty() || (List.size() == 1 && AsFlowMesh(List.front()).HasFan);
}

// The relaxed ends of a long run: the largest residual has stopped moving
// by much.
bool HasSettledLoosely(int Pass, double Change)
{
    return (Pass > 100 && Change < 0.01) || (Pass > 200 && Change < 0.1) || (Pass > 500 && Change < 1.0);
}

// The code of a mesh loop whose queued meshes are all within the
// tolerance: converged, unless meshes set aside on jumps are left further
// off; within tolerance while they are off by no more than a run may end
// with; otherwise the mesh loop can get no closer.
TLoopCode SettledCode(const TMeshQueue& Queue)
{
    double Parked = 0.0;
    if (!Queue.AnyParked(Parked) || Parked <= MeshTolerance)
        return lcConverged;
    return Parked <= TFlowGraph::WithinToleranceResidual ? lcWithinTolerance : lcOnJump;
}

bool FlowsFinite(const TGraph::TBranchList& Branches)
{
    for (const auto& Item : Branches) {
        const TFlowBranch& B = FlowBranchOf(Item);
        if (!std::isfinite(B.MassFlow) || !std::isfinite(B.VolumeFlow))
            return false;
    }
    return true;
}

// The Sink branches a check has just made carry no flow; each takes the
// flow that balances its terminal again, as its predecessor carried it, so
// that a run starting from the present flows starts from balanced ones.
void BalanceSinkBranches(const TGraph::TBranchList& Branches)
{
    for (const auto& Item : Branches) {
        TFlowBranch& B = FlowBranchOf(Item);
        if (B.Kind != bkSink)
            continue;
        const TNode* Terminal = B.FromFlowNode()->IsSink() ? B.ToNode : B.FromNode;
        double Inflow = 0.0;
        for (const TLink& L : Terminal->Links)
            if (L.Branch != &B)
                Inflow += L.Direction * FlowBranchOf(L).MassFlow;
        B.MassFlow = B.FromNode == Terminal ? Inflow : -Inflow;
        B.CalcVolumeFlow();
    }
}

} // namespace

// ---------------------------------------------------------------- set-up

bool TFlowGraph::Validate()
{
    StandardSizes = Method == smStandardSizes;
    for (const auto& Item : Branches()) {
        TFlowBranch& B = FlowBranchOf(Item);
        if (Method == smFlowBalance) {
            B.CalcMassFlow();
        } else {
            B.ClearBooster();
            B.UpdateFriction();
        }
    }
    RecalcBranches();
    return true;
}

bool TFlowGraph::Prepare(bool JumpsAsChords)
{
    PrepareBranchFlows();
    // The short-mesh order is for building the tree alone: the list goes
    // back to the plain resistance order after, so that every stage reading
    // the branches in list order reads them as it would without it.
    std::vector<TBranch*> Plain;
    const bool Built = BuildMeshes(0, 0, [this, JumpsAsChords, &Plain](TBranchList& List) {
        const std::size_t Last = SortByResistance(JumpsAsChords);
        Plain.clear();
        for (const auto& Branch : List)
            Plain.push_back(Branch.get());
        OrderForShortMeshes(*this, List, List.size() - Last);
    });
    PutBranchesInOrder(Plain);
    return Built;
}

bool TFlowGraph::PrepareBranches()
{
    // A balancing run's Validate has just set every branch's mass flow and
    // resistances as PrepareBranchFlows would: only the marks are left.
    if (Method != smFlowBalance) {
        PrepareBranchFlows();
    } else {
        ClearBranchFlag(gfExcluded);
        ClearNodeFlag(gfExcluded);
    }
    // The loop check needs no particular tree: the warm start that follows
    // reads the branches in the plain resistance order.
    return CheckLoops(0, 0, [this](TBranchList&) { SortByResistance(false); });
}

void TFlowGraph::PrepareBranchFlows()
{
    for (const auto& Item : Branches())
        FlowBranchOf(Item).CalcMassFlow();
    ForEachBranch([](TFlowBranch& B) { B.CalcToResistance(); });
    // Flow distribution excludes terminals and sink items; none of that
    // may hold here, or every circuit through a terminal would fail.
    ClearBranchFlag(gfExcluded);
    ClearNodeFlag(gfExcluded);
}

void TFlowGraph::InitBranch(TFlowBranch& Branch)
{
    Branch.UpdateDensity();
    Branch.UpdateConductance();
}

void TFlowGraph::InitMeshes()
{
    // The circulating flows are summed over every mesh first and each
    // branch is recomputed once after: a branch lies on many meshes, and
    // recomputing it after each would cost the sum of the meshes' lengths
    // in friction factors.
    const TBranchList& List = Branches();
    NumberBranches();
    for (const auto& Mesh : Meshes())
        AsFlowMesh(Mesh).ClearFlows();
    std::vector<char> OnMesh(List.size(), 0);
    for (const auto& Mesh : Meshes()) {
        const TFlowMesh& M = AsFlowMesh(Mesh);
        for (const TLink& L : M.Links) {
            FlowBranchOf(L).AddMassFlow(L.Direction * M.FlowCorrection);
            OnMesh[static_cast<std::size_t>(L.Branch->Index)] = 1;
        }
    }
    for (std::size_t I = 0; I < List.size(); ++I)
        if (OnMesh[I])
            TFlowMesh::RecalcBranch(FlowBranchOf(List[I]));
}

void TFlowGraph::TakeMeshSlopes()
{
    ForEachBranch([](TFlowBranch& B) { B.UpdateConductance(); });
    ForEachMesh([](TFlowMesh& Mesh) { Mesh.TakeFlowSlope(); });
}

void TFlowGraph::InitSolveState(bool NodePressures)
{
    ForEachBranch([this](TFlowBranch& B) { InitBranch(B); });
    ForEachMesh([](TFlowMesh& Mesh) { Mesh.SumConductance(); });
    if (NodePressures)
        CalcNodePressures();
}

// ---------------------------------------------------------------- residuals

bool TFlowGraph::MaxMeshResidual()
{
    double Largest = 0.0;
    bool Finite = true;
    for (const auto& Mesh : Meshes()) {
        // Judged outside the gaps of branches resting at zero flow.
        const double R = AsFlowMesh(Mesh).Imbalance();
        if (!std::isfinite(AsFlowMesh(Mesh).MeshResidual))
            Finite = false;
        else if (std::fabs(R) > Largest)
            Largest = std::fabs(R);
    }
    MaxResidual = Largest;
    return Finite;
}

bool TFlowGraph::SumAllResiduals()
{
    ForEachMesh([](TFlowMesh& Mesh) { Mesh.CalcResidual(false); });
    return MaxMeshResidual();
}

// ---------------------------------------------------------------- the loops

void TFlowGraph::SolveMeshes()
{
    const TMeshList& List = Meshes();
    LoopCode = lcNone;
    if (NothingToCorrect(List)) {
        // The fan's loop alone has nothing to balance.
        LoopCode = List.empty() ? lcNoMeshes : lcConverged;
        return;
    }
    // The residuals may still be those of the flows before the last tree
    // was built; the first pass sums them all, later passes only those a
    // correction can change.
    if (!MeshQueue)
        MeshQueue = std::make_shared<TMeshQueue>();
    TMeshQueue& Queue = *MeshQueue;
    // Later passes of a run keep the meshes their predecessors set aside,
    // while they are found where they were set aside.
    Queue.Build(List, SolvePasses > 0, &Team());
    Queue.Fill(List, false);
    int Worst = Queue.Worst();
    bool AllCurrent = false;
    // Stale: a correction left the residuals of meshes it touched as they
    // were. A picked mesh is then summed afresh (SummedAt[M] is the lazy
    // correction count when M was last summed) and queued again unless it
    // stays the worst; every residual is summed again once those sums
    // have cost as much as summing all, and before the loop may end.
    bool Stale = false;
    int LazyCount = 0;
    std::size_t StaleSums = 0;
    std::vector<int> SummedAt;
    auto SumAll = [&]() {
        MeshUpdates += Queue.LinkCount();
        if (!SumAllResiduals())
            return false;
        Queue.Fill(List);
        Stale = false;
        StaleSums = 0;
        return true;
    };
    // The worst mesh by current residuals; false when a sum is not a number.
    auto PickWorst = [&]() {
        Worst = Queue.Worst();
        while (Stale && Worst >= 0) {
            const std::size_t W = static_cast<std::size_t>(Worst);
            if (SummedAt[W] == LazyCount)
                break;
            if (StaleSums > Queue.LinkCount()) {
                if (!SumAll())
                    return false;
                Worst = Queue.Worst();
                break;
            }
            TFlowMesh& Picked = AsFlowMesh(List[W]);
            Picked.CalcResidual(false);
            StaleSums += Picked.Links.size();
            MeshUpdates += Picked.Links.size();
            SummedAt[W] = LazyCount;
            if (!std::isfinite(Picked.MeshResidual))
                return false;
            Queue.Update(Worst, Picked.MeshResidual, Picked.GapBelow, Picked.GapAbove);
            Worst = Queue.Worst();
        }
        if (Stale && (Worst < 0 || std::fabs(AsFlowMesh(List[static_cast<std::size_t>(Worst)]).Imbalance()) <=
                                       MeshTolerance)) {
            // Meshes left stale may lie outside the tolerance.
            if (!SumAll())
                return false;
            Worst = Queue.Worst();
        }
        return true;
    };
    // The drops of the corrected mesh's branches before its correction,
    // then their changes.
    std::vector<double> DropsBefore;
    // Every correction counts toward the limit, one that found its mesh on
    // a jump (and set it aside) as well: a pass that corrects thousands of
    // meshes on jumps sums them over and over, and the next pass builds
    // its meshes on the flows it leaves. Each mesh may still be picked only
    // so often, however neighbours on jumps hand a flow back and forth.
    // A pass's corrections grow with the meshes, as the cost of the new
    // tree and meshes that follows it does: a fixed count made a network of
    // 20,000 meshes rebuild them after every 200 corrections.
    int Corrections = 0;
    const int MaxCorrections = std::max(MaxMeshPasses, static_cast<int>(List.size() / MeshesPerCorrection));
    const std::size_t MaxPicks = static_cast<std::size_t>(MaxMeshPasses) + PicksPerMesh * List.size();
    std::size_t Picks = 0;
    while (LoopCode == lcNone) {
        if (Worst < 0) {
            LoopCode = lcNoMeshes;
            break;
        }
        TFlowMesh& Corrected = AsFlowMesh(List[static_cast<std::size_t>(Worst)]);
        if (Queue.ComesBackUnchanged(Worst, Corrected.Imbalance())) {
            // A neighbour keeps undoing this mesh's corrections: it is set
            // aside as one on a jump is, for correcting it again would only
            // start the exchange anew.
            Queue.Park(Worst, Corrected.MeshResidual, MeshTolerance);
        } else {
            DropsBefore.clear();
            // A branch that rests at zero flow on its fixed drops, or comes
            // to rest there, changes the gap of every mesh through it: those
            // meshes are summed afresh rather than updated.
            bool GapsMove = false;
            for (const TLink& L : Corrected.Links) {
                DropsBefore.push_back(FlowBranchOf(L).TotalDrop);
                GapsMove = GapsMove || TFlowMesh::Resting(FlowBranchOf(L));
            }
            const int Correction = Corrected.CorrectFlow();
            GapsMove = GapsMove || Corrected.GapBelow != 0.0 || Corrected.GapAbove != 0.0;
            ++MeshCorrections;
            MeshSteps += Corrected.Steps;
            if (Correction == lcNotFinite) {
                LoopCode = lcNotFinite;
                return;
            }
            if (!AllCurrent) {
                if (!SumAllResiduals()) {
                    LoopCode = lcNotFinite;
                    return;
                }
                Queue.Fill(List);
                AllCurrent = true;
            } else {
                for (std::size_t K = 0; K < DropsBefore.size(); ++K)
                    DropsBefore[K] = FlowBranchOf(Corrected.Links[K]).TotalDrop - DropsBefore[K];
                Queue.Update(Worst, Corrected.MeshResidual, Corrected.GapBelow, Corrected.GapAbove);
                const std::size_t Reach = Queue.Reach(Worst);
                if (Reach > LazyReach && Reach > LazyReachPerLink * Corrected.Links.size()) {
                    if (SummedAt.empty())
                        SummedAt.assign(List.size(), 0);
                    Stale = true;
                    SummedAt[static_cast<std::size_t>(Worst)] = ++LazyCount;
                } else {
                    MeshUpdates += Reach;
                    for (int I : Queue.AddDropChanges(Worst, DropsBefore)) {
                        TFlowMesh& Other = AsFlowMesh(List[static_cast<std::size_t>(I)]);
                        if (GapsMove)
                            Other.CalcResidual(false);
                        if (!std::isfinite(Other.MeshResidual)) {
                            LoopCode = lcNotFinite;
                            return;
                        }
                        Queue.Update(I, Other.MeshResidual, Other.GapBelow, Other.GapAbove);
                    }
                }
            }
            // A mesh whose balance sits on a jump of a branch law is set
            // aside while the others are corrected: correcting it again
            // would only step back and forth across the jump.
            if (Correction == lcWithinTolerance)
                Queue.Park(Worst, Corrected.MeshResidual, MeshTolerance);
            ++Corrections;
        }
        if (!PickWorst()) {
            LoopCode = lcNotFinite;
            return;
        }
        if (Worst < 0 || std::fabs(AsFlowMesh(List[static_cast<std::size_t>(Worst)]).Imbalance()) <= MeshTolerance)
            LoopCode = SettledCode(Queue);
        else if (Corrections > MaxCorrections || ++Picks > MaxPicks)
            LoopCode = lcIterationLimit;
    }
    // Meshes a lazy correction left are summed, so that MaxResidual is theirs.
    if (Stale)
        SumAllResiduals();
    else
        MaxMeshResidual();
    CalcNodePressures();
}

void TFlowGraph::ParkedMeshes(std::uint64_t& Set, const TBranch*& Worst, double Margin) const
{
    Set = 0;
    Worst = nullptr;
    if (!MeshQueue)
        return;
    Set = MeshQueue->ParkedSet();
    double Largest = 0.0;
    const TBranch* Chord = MeshQueue->WorstParked(Largest);
    if (Chord && Largest >= MaxResidual - Margin)
        Worst = Chord;
}

void TFlowGraph::Finish()
{
    for (const auto& Item : Branches())
        FlowBranchOf(Item).SumFixedDrops();
    // The meshes' slopes at the flows the run left, as a document read back
    // computes them (the last secant steps depend on the path taken).
    TakeMeshSlopes();
    if (TDuctFittingDB* Database = DuctFittingDB())
        Database->FreeFittings();
}

void TDuctGraph::Solve()
{
    ResetFittingMessages();
    SolvePasses = 0;
    MeshCorrections = 0;
    MeshUpdates = 0;
    MeshSteps = 0;
    WarmIterations = 0;
    // The same start for every run: a chord without flow starts at the same
    // "random" correction, so the same network always gives the same figures.
    SolveRandom.seed(std::mt19937::default_seed);
    // Rests on jumps are found afresh: sizes and air may have changed.
    ForEachBranch([](TFlowBranch& B) { B.RestFlow = std::nan(""); });
    const TSolveStatus Previous = Status;
    const bool HadLeakage = LeakBranch != nullptr;
    if (!CheckMainFan()) {
        Status = ssDataError;
        return;
    }
    // A solved or sized network starts from its present flows, which the
    // check's new Sink branches must balance again. Without the leakage
    // branch the check removed they cannot balance the fan: such a network
    // starts afresh from the meshes, as an unsolved one does.
    const bool FromPresentFlows = Previous < ssNotSolved && !HadLeakage;
    if (FromPresentFlows)
        BalanceSinkBranches(Branches());
    TFlowSnapshot Saved;
    Saved.Take(*this);
    try {
        BalanceFrom(Saved, FromPresentFlows);
    } catch (const std::exception& Failure) {
        // Whatever failed (memory, a computation that threw), the half-done
        // run's flows are no result: the network goes back to how it was.
        Saved.Restore();
        Status = ssDataError;
        ShowMessage(std::string("Balance Flows failed: ") + Failure.what() + " - the flows are as before");
    }
}

void TDuctGraph::BalanceFrom(const TFlowSnapshot& Saved, bool FromPresentFlows)
{
    auto BrokeDown = [&] {
        Saved.Restore();
        Status = ssDataError;
    };
    // A run that starts afresh from the warm start builds its meshes after
    // it, on the warm flows: before it, only their tree is checked.
    const bool WarmFirst = UseWarmStart && !FromPresentFlows;
    auto PrepareMeshes = [&] {
        if (!Prepare()) {
            Status = ssDataError;
            return false;
        }
        if (!FlowsFinite(Branches()) || !SumAllResiduals()) {
            BrokeDown();
            return false;
        }
        return true;
    };
    if (!Validate() || (WarmFirst && !PrepareBranches())) {
        Status = ssDataError;
        return;
    }
    if (!WarmFirst && !PrepareMeshes())
        return;
    if (FromPresentFlows && MaxResidual <= UnchangedResidual) {
        Status = ssSolved; // nothing changed since the last solution
        TakeMeshSlopes();
        return;
    }
    // Flows from the whole network solved at once: the loop method then
    // starts from them, on meshes built on their resistances, and judges
    // them by its own rules. Without them it starts as before.
    bool Warm = false;
    if (UseWarmStart) {
        const TWarmStartReport Report = WarmStartFlows(*this);
        WarmIterations = Report.Iterations;
        Warm = WarmFlowsTaken(Report.Result);
    }
    if (WarmFirst && !Warm && !PrepareMeshes())
        return;
    // The run's trees keep the branches the warm flows rest on a jump as
    // chords.
    if (Warm && !Prepare(true)) {
        Status = ssDataError;
        return;
    }
    if (!FromPresentFlows && !Warm)
        InitMeshes();
    InitSolveState();
    if (Warm) {
        StartMeshSlopes(*this);
        // The fan's gain from the warm pressures, as the mesh loop would
        // leave it: its loop then shows no residual of the old gain.
        TakeFanGain();
    }

    int Result = lcNone;
    int Pass = 0;
    TPassOutcome Before[2];
    while (Result == lcNone) {
        SolveMeshes();
        if (LoopCode == lcNotFinite) {
            BrokeDown();
            return;
        }
        const double PassStart = MaxResidual;
        ForEachBranch([](TFlowBranch& B) { B.CalcFriction(); });
        CalcFittingsC();
        CalcFittingSums();
        RecalcChain();
        if (!SumAllResiduals() || !FlowsFinite(Branches())) {
            BrokeDown();
            return;
        }
        Result = OuterPassResult(LoopCode, Pass, std::fabs(MaxResidual - PassStart), MaxResidual);
        TPassOutcome Now{LoopCode, 0, nullptr, MaxResidual};
        ParkedMeshes(Now.Parked, Now.WorstParked, MeshTolerance);
        if (Result == lcNone && PassesStuck(Now, Before))
            Result = MaxResidual <= WithinToleranceResidual ? lcWithinTolerance : lcIterationLimit;
        Before[1] = Before[0];
        Before[0] = Now;
        SolvePasses = ++Pass;
        if (Result == lcNone) {
            // A new tree on the new resistances; the meshes start at the
            // chords' present flows.
            if (!Prepare(Warm)) {
                Status = ssDataError;
                return;
            }
            // The mesh loop walks the node pressures after its
            // corrections; only one that returns at once needs them now.
            InitSolveState(NothingToCorrect(Meshes()));
            if (Warm)
                StartMeshSlopes(*this);
        }
    }
    Finish();
    SetStatusFromCode(Result);
}

int TFlowGraph::OuterPassResult(int Loop, int Pass, double Change, double LargestResidual)
{
    const bool LoopSettled = Loop == lcConverged || Loop == lcWithinTolerance;
    if (LoopSettled && Change <= SettledChange)
        return Loop;
    // Stuck on a jump beyond the tolerance: every further pass would
    // build the same meshes and leave them as they are, so the run ends
    // where the iteration limit would have ended it.
    if (Loop == lcOnJump && Change <= SettledChange)
        return lcIterationLimit;
    if (Pass >= MaxOuterPasses)
        return lcIterationLimit;
    // A long run whose residuals have stopped moving ends within tolerance
    // only when it is also close to balance.
    if (HasSettledLoosely(Pass, Change) && (Loop == lcConverged || LargestResidual <= WithinToleranceResidual))
        return lcWithinTolerance;
    return lcNone;
}

// ---------------------------------------------------------------- status

TSolveStatus TFlowGraph::StatusFromCode(int Code)
{
    switch (Code) {
    case lcConverged:
        return ssSolved;
    case lcWithinTolerance:
        return ssWithinTolerance;
    case lcIterationLimit:
        return ssMaxItsReached;
    default:
        return ssDataError;
    }
}

void TFlowGraph::SetStatusFromCode(int Code)
{
    Status = StatusFromCode(Code);
    // Sized ducts must bring every outlet to the sink's pressure; the check
    // comes after the code's status so that a sized network can show it.
    if (Status == ssSolved && Method != smFlowBalance && !OutletsBalanced())
        Status = ssNotBalanced;
}
