#include "solver/WarmStart.h"

#include "foundation/DisjointSets.h"
#include "foundation/WorkerTeam.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"
#include "solver/BranchLaw.h"
#include "solver/SparseCholesky.h"

#include <Eigen/SparseCore>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <functional>
#include <numbers>
#include <numeric>
#include <vector>

namespace {

constexpr int MaxIterations = 50;
// Iterations without a new least largest mesh residual after which the
// warm start stops where it is; NearStallIterations once that residual is
// down to NearBalance (Pa), and the first such iteration once it is down
// to CloseEnough.
constexpr int StallIterations = 6;
constexpr int NearStallIterations = 3;
constexpr double NearBalance = 0.1;
constexpr double CloseEnough = 2e-2;
// Pa, the least jump a branch is pinned on.
constexpr double PinnedRise = 0.01;
// The laws' jumps are first taken up by straight rises across bands round
// them, this share of the jump's flow either side, so that Newton's steps
// settle as on smooth laws; that stage ends once its largest residual is
// down to CloseEnough, or after SmoothStall whole steps without a new
// least once that least is within SmoothNear.
constexpr double SmoothWidth = 0.1;
constexpr int SmoothStall = 3;
constexpr double SmoothNear = 1.0; // Pa
// A pinned branch goes back to its law when its pressure difference leaves
// its jump by more than this share of the jump.
constexpr double ReleaseShare = 0.01;
// Of the pinned branches whose pressure differences left their jumps, those
// off by at least this share of the furthest are released together.
constexpr double ReleaseFurthest = 0.5;
// A step is taken whole when the slope of the problem's energy along it at
// its end is at most this share of the slope at its start; otherwise it is
// shortened, at most MaxShortenings times.
constexpr double StepSlopeShare = 0.5;
constexpr int MaxShortenings = 6;
// A pinned branch's bounds: its drops this share of the flow (at least
// MinPinFlow kg/s) either side of the jump.
constexpr double PinShare = 1e-9;
constexpr double MinPinFlow = 1e-12;
// A flow this share of a jump's flow from it sits at the jump.
constexpr double AtJumpShare = 1e-6;
// A pinned branch's flow band round its jump, as a share of the jump's
// flow (at least of the flow at StartVelocity).
constexpr double PinBand = 5e-7;
// m/s, the duct velocity the first step starts from.
constexpr double StartVelocity = 3.0;
// The least slope of a law: this share of its own slope at StartVelocity,
// and at least a share of the steepest law's slope, the smallest first,
// larger ones where the factorisation fails. FlatShare over the steepest is
// also the conductance of a branch held at zero flow.
constexpr double FlatShare = 1e-6;
constexpr double FloorShares[] = {FlatShare * FlatShare, 1e-9, FlatShare};
// A linearised step that would take a flow further than this many times
// itself (and than the flow at StartVelocity) goes by the secant slope.
constexpr double FarMove = 2.0;
// Flow conserved at a node: to this share of the main fan's flow.
constexpr double ConservedShare = 1e-9;
// The fewest branch laws worth a thread of their own, and the laws of a
// block of the loops whose results are added up.
constexpr std::size_t LawsPerThread = 512;
constexpr std::size_t LawBlock = 256;

using TMatrix = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;

// A branch whose drop does not depend on its flow: a sink or leakage
// branch, a fan, a duct without a diameter, or one without length and
// without any loss item.
bool HasFixedDrop(const TFlowBranch& B)
{
    if (B.Kind != bkCommon || !(B.Diameter > 0.0))
        return true;
    return B.Length == 0.0 && B.FixedDps.empty() && B.FixedCs.empty() && !B.OutletApplies() &&
           !B.InletApplies() && B.FittingsCSum == 0.0;
}

// The values a branch's recomputation changes, kept so that a warm start
// that fails can leave the network as it found it.
class TBranchValues {
public:
    void Take(const std::vector<TFlowBranch*>& Branches)
    {
        Data.clear();
        Items.clear();
        Data.reserve(Branches.size());
        for (const TFlowBranch* B : Branches) {
            Data.push_back(*B);
            ForEachItem(*B, [this](double& V) { Items.push_back(V); });
        }
    }
    void Restore(const std::vector<TFlowBranch*>& Branches)
    {
        std::size_t K = 0;
        for (std::size_t I = 0; I < Branches.size(); ++I) {
            static_cast<TFlowBranchData&>(*Branches[I]) = Data[I];
            ForEachItem(*Branches[I], [&](double& V) { V = Items[K++]; });
        }
    }

private:
    std::vector<TFlowBranchData> Data;
    std::vector<double> Items;

    template <typename TVisit>
    static void ForEachItem(const TFlowBranch& B, TVisit Visit)
    {
        for (const auto& Item : B.FixedDps)
            Visit(Item->EquivLength);
        for (const auto& Item : B.FixedCs) {
            Visit(Item->EquivLength);
            Visit(Item->Drop);
        }
        for (TFixedEndFitting* Item : {B.OutletTerminal.get(), B.InletTerminal.get()}) {
            if (Item) {
                Visit(Item->EquivLength);
                Visit(Item->Drop);
            }
        }
    }
};

class TNetworkNewton {
public:
    explicit TNetworkNewton(TDuctGraph& Network) : G(Network), Team(Network.Team()) {}

    TWarmStartReport Run()
    {
        TWarmStartReport Report;
        if (!SetUp(Report.Result))
            return Report;
        Saved.Take(Touched);
        Report = Iterate();
        if (WarmFlowsTaken(Report.Result) && !SpreadFixedFlows())
            Report.Result = wsSingular;
        if (!WarmFlowsTaken(Report.Result))
            Saved.Restore(Touched);
        else
            MarkRests();
        return Report;
    }

private:
    struct TTreeEdge {
        TFlowBranch* Branch;
        int Child;  // node position
        int Parent; // node position
    };

    TDuctGraph& G;
    TWorkerTeam& Team; // the graph's
    // The width of the bands that smooth the laws' jumps, as a share of
    // the jump's flow (0: the laws as they are).
    double Smoothing = 0.0;
    std::size_t FloorStage = 0; // of FloorShares
    double FanFlow = 0.0;
    int FanFrom = -1; // node positions
    int FanTo = -1;

    // Nodes joined by fixed drops form one group; each node's pressure is
    // its group's plus its offset.
    std::vector<int> NodeGroup;
    std::vector<double> Offset;
    std::vector<TTreeEdge> Tree; // the fixed branches, each group root first
    int Groups = 0;
    std::vector<int> Column; // group -> unknown, -1 for a reference group
    std::vector<double> Inflow; // group -> flow put in by the fan

    // The branches whose drops follow their flows.
    std::vector<TBranchLaw> Laws;
    std::vector<int> From, To;     // groups
    std::vector<int> FromNode, ToNode; // node positions
    std::vector<double> Shift;     // offset of the from-node minus the to-node's
    std::vector<double> Flow, Drop, Weight, Base, Trial;
    std::vector<double> ConservedFlow; // the flows after the last whole step
    // The laws' slopes at Flow, and at the flows of Trial; at StartVelocity,
    // and that flow; the secant slopes of steps that go far.
    std::vector<double> Slopes, TrialSlope, TypicalSlope, TypicalFlow, Secant;
    std::vector<std::array<int, 3>> Slots; // value positions: from/from, to/to, the pair

    // A branch balanced on a jump of its law keeps the flow at the jump
    // while the pressure difference across it lies between the drops just
    // either side.
    struct TPin {
        bool Pinned = false;
        double Flow = 0.0;
        double Low = 0.0;  // Pa, the drop just below the jump
        double High = 0.0; // Pa, just above it
        int Piece = 0;     // the piece of the law the flow is on
        int Before = 0;    // the piece it was on before it came there
        int Crossed = -2;  // the iteration in which it last changed piece
        // kg/s: its flow may lie this far either side of the jump, its drop
        // rising straight across the jump over that band, so that branches
        // in series resting on jumps a rounding apart still conserve flow.
        double Half = 0.0;
        double Gain() const { return (High - Low) / (2.0 * Half); } // Pa per kg/s
        bool JustReleased = false;
    };
    std::vector<TPin> Pins;

    std::vector<TFlowBranch*> Touched;
    TBranchValues Saved;

    // The laws at each group (GroupLaws from GroupStart[g] on), and the
    // spanning tree's work space.
    std::vector<int> GroupStart, GroupLaws;
    std::vector<int> TreeLaw;       // group -> the law that reaches it, -1 at a root
    std::vector<int> Reach;         // group -> pinned laws on its path, -1 not yet reached
    std::vector<char> Done;         // group -> its potential is known
    std::vector<double> Potential;  // group -> the pressure the drops along its path leave
    std::deque<int> Frontier, Later; // groups to visit: on the same count, on one more

    std::vector<double> BlockResults; // OverLaws' blocks
    TMatrix Matrix;
    TSparseCholesky Factor;
    Eigen::VectorXd Rhs;
    Eigen::VectorXd Pressure;

    double GroupPressure(int Group) const
    {
        const int C = Column[static_cast<std::size_t>(Group)];
        return C < 0 ? 0.0 : Pressure[C];
    }
    // How far (Pa) the pressure difference across pinned branch J lies
    // outside its jump; negative within it.
    double PinOffBy(std::size_t J) const
    {
        const double Needed = GroupPressure(From[J]) - GroupPressure(To[J]) + Shift[J];
        return std::max(Pins[J].Low - Needed, Needed - Pins[J].High);
    }

    // The groups, the laws and the pattern of the system; false, with the
    // reason, when the warm start cannot run.
    bool SetUp(TWarmStartResult& Failure);
    bool BuildMatrix();
    // The largest residual (Pa) of the meshes of a spanning tree over the
    // groups, as the loop method would sum them.
    double LargestMeshResidual();
    TWarmStartReport Iterate();
    // The stages of an iteration: the laws linearised at the present flows
    // and the system solved for the pressures (wsClose, or why it failed);
    // pinned branches whose pressure differences left their jumps let go;
    // branches whose flows went over a jump and straight back pinned there
    // (1 when any was, 2 when a drop there is not a number, else 0).
    TWarmStartResult SolveLinearised(int Iteration);
    // The slope law J is linearised with (its jump spread just after a
    // crossing, its secant where its step goes far).
    double RawSlope(std::size_t J, int Iteration) const;
    // The system's values and right-hand side, factorised; false when no
    // least slope lets it factorise.
    bool AssembleAndFactorise(double Steepest, int Iteration);
    // Secant slopes for the laws whose solved steps go far; true if any.
    bool TakeSecants();
    // The Newton step from the solved pressures into Step, its drops into
    // Trial at the share Alpha of it taken: whole, or shortened by regula
    // falsi on the energy's slope from flows that conserve; or, close
    // enough already (Best, Pa) and overshooting, the flows before it kept.
    enum TStepEnd { seTaken, seKeepBefore, seNotFinite };
    TStepEnd NewtonStep(std::vector<double>& Step, bool Conserved, double Best, double& Alpha);
    void ReleasePins();
    double PinCrossings(int Iteration);
    // Evaluates every law at Flow + Alpha·Step into Trial; false when a drop
    // is not a number.
    bool EvaluateAt(const std::vector<double>& Step, double Alpha);
    // Body(J) for every law J, the laws shared out among the team in fixed
    // blocks; what the calls return combined by Combine from Start, block
    // by block in order, so that no figure depends on the threads.
    template <typename TBody, typename TCombine>
    double OverLaws(TBody Body, TCombine Combine, double Start);
    template <typename TBody>
    double SumOverLaws(TBody Body)
    {
        return OverLaws(Body, std::plus<double>(), 0.0);
    }
    template <typename TBody>
    double MaxOverLaws(TBody Body)
    {
        return OverLaws(Body, [](double A, double B) { return std::max(A, B); }, 0.0);
    }
    template <typename TBody>
    void ForEachLaw(TBody Body)
    {
        OverLaws([&Body](std::size_t J) { return Body(J), 0.0; }, std::plus<double>(), 0.0);
    }
    // Pins law J at the flow AtJump; false when a drop there is not a number.
    bool PinAt(std::size_t J, double AtJump);
    // Every branch pinned on a jump rests there for the loop method, with
    // the drops either side of the jump as its gap.
    void MarkRests();
    bool SpreadFixedFlows();
};

bool TNetworkNewton::SetUp(TWarmStartResult& Failure)
{
    auto Fail = [&Failure](TWarmStartResult Why) {
        Failure = Why;
        return false;
    };
    TDuctBranch* Fan = G.MainFan;
    if (!Fan)
        return Fail(wsNoFanFlow);
    FanFlow = Fan->MassFlow;
    if (!std::isfinite(FanFlow) || FanFlow == 0.0)
        return Fail(wsNoFanFlow);

    const auto& Nodes = G.Nodes();
    const auto& Branches = G.Branches();
    const std::size_t N = Nodes.size();
    G.NumberNodes();
    G.NumberBranches();
    FanFrom = Fan->FromNode->Index;
    FanTo = Fan->ToNode->Index;

    // Groups: the nodes joined by fixed drops. A loop of them leaves the
    // flows round it undetermined.
    TDisjointSets Joined;
    Joined.Reset(N);
    std::vector<char> Fixed(Branches.size(), 0);
    for (std::size_t K = 0; K < Branches.size(); ++K) {
        TFlowBranch& B = FlowBranchOf(Branches[K]);
        if (&B == Fan)
            continue;
        if (!std::isfinite(B.MassFlow) || !std::isfinite(B.TotalDrop))
            return Fail(wsNotFinite);
        if (!HasFixedDrop(B)) {
            Touched.push_back(&B);
            continue;
        }
        Fixed[K] = 1;
        const int A = Joined.Find(B.FromNode->Index);
        const int C = Joined.Find(B.ToNode->Index);
        if (A == C)
            return Fail(wsSingular);
        Joined.Merge(A, C);
        Touched.push_back(&B);
    }

    // Offsets by a walk over each group's fixed branches from its first node.
    NodeGroup.assign(N, -1);
    Offset.assign(N, 0.0);
    std::vector<int> Walk;
    for (std::size_t Start = 0; Start < N; ++Start) {
        if (NodeGroup[Start] >= 0)
            continue;
        const int Group = Groups++;
        NodeGroup[Start] = Group;
        Walk.assign(1, static_cast<int>(Start));
        for (std::size_t Head = 0; Head < Walk.size(); ++Head) {
            const int U = Walk[Head];
            for (const TLink& L : Nodes[static_cast<std::size_t>(U)]->Links) {
                if (!Fixed[static_cast<std::size_t>(L.Branch->Index)])
                    continue;
                auto* B = static_cast<TFlowBranch*>(L.Branch);
                const int V = L.Branch->OtherNode(Nodes[static_cast<std::size_t>(U)].get())->Index;
                if (NodeGroup[static_cast<std::size_t>(V)] >= 0)
                    continue;
                NodeGroup[static_cast<std::size_t>(V)] = Group;
                // Going with the branch the pressure falls by its drop.
                const bool With = B->FromNode->Index == U;
                const double Drop = With ? -B->TotalDrop : B->TotalDrop;
                Offset[static_cast<std::size_t>(V)] = Offset[static_cast<std::size_t>(U)] + Drop;
                Tree.push_back({B, V, U});
                Walk.push_back(V);
            }
        }
    }
    Inflow.assign(static_cast<std::size_t>(Groups), 0.0);
    Inflow[static_cast<std::size_t>(NodeGroup[static_cast<std::size_t>(FanTo)])] += FanFlow;
    Inflow[static_cast<std::size_t>(NodeGroup[static_cast<std::size_t>(FanFrom)])] -= FanFlow;

    // The branch laws, and the components they join the groups into.
    const double Roughness = G.Settings().roughness;
    TDisjointSets Component;
    Component.Reset(static_cast<std::size_t>(Groups));
    for (TFlowBranch* B : Touched) {
        if (Fixed[static_cast<std::size_t>(B->Index)])
            continue;
        const int F = B->FromNode->Index;
        const int T = B->ToNode->Index;
        Laws.emplace_back(*B, Roughness);
        FromNode.push_back(F);
        ToNode.push_back(T);
        From.push_back(NodeGroup[static_cast<std::size_t>(F)]);
        To.push_back(NodeGroup[static_cast<std::size_t>(T)]);
        Shift.push_back(Offset[static_cast<std::size_t>(F)] - Offset[static_cast<std::size_t>(T)]);
        Flow.push_back(B->MassFlow);
        const int A = Component.Find(From.back());
        const int C = Component.Find(To.back());
        if (A != C)
            Component.Merge(A, C);
    }
    if (Laws.empty())
        return Fail(wsSingular);

    // The fan's flow must come back to it: every component takes in as
    // much as it gives. Each has one reference group, held at pressure 0:
    // the one of the start node (the Sink), else its first.
    std::vector<double> Net(static_cast<std::size_t>(Groups), 0.0);
    std::vector<int> Reference(static_cast<std::size_t>(Groups), -1);
    const int StartGroup = G.StartNode ? NodeGroup[static_cast<std::size_t>(G.StartNode->Index)] : -1;
    if (StartGroup >= 0)
        Reference[static_cast<std::size_t>(Component.Find(StartGroup))] = StartGroup;
    for (int Group = 0; Group < Groups; ++Group) {
        const std::size_t Root = static_cast<std::size_t>(Component.Find(Group));
        Net[Root] += Inflow[static_cast<std::size_t>(Group)];
        if (Reference[Root] < 0)
            Reference[Root] = Group;
    }
    for (double Sum : Net)
        if (!(std::fabs(Sum) <= ConservedShare * std::fabs(FanFlow)))
            return Fail(wsSingular);
    Column.assign(static_cast<std::size_t>(Groups), -1);
    int Unknowns = 0;
    for (int Group = 0; Group < Groups; ++Group)
        if (Reference[static_cast<std::size_t>(Component.Find(Group))] != Group)
            Column[static_cast<std::size_t>(Group)] = Unknowns++;
    Pressure = Eigen::VectorXd::Zero(Unknowns);
    Rhs.resize(Unknowns);
    return BuildMatrix() || Fail(wsSingular);
}

bool TNetworkNewton::BuildMatrix()
{
    const int Unknowns = static_cast<int>(Pressure.size());
    std::vector<Eigen::Triplet<double, int>> Entries;
    Entries.reserve(3 * Laws.size() + static_cast<std::size_t>(Unknowns));
    for (int C = 0; C < Unknowns; ++C)
        Entries.emplace_back(C, C, 0.0);
    for (std::size_t J = 0; J < Laws.size(); ++J) {
        const int A = Column[static_cast<std::size_t>(From[J])];
        const int B = Column[static_cast<std::size_t>(To[J])];
        if (A >= 0 && B >= 0 && A != B)
            Entries.emplace_back(std::max(A, B), std::min(A, B), 0.0);
    }
    Matrix.resize(Unknowns, Unknowns);
    Matrix.setFromTriplets(Entries.begin(), Entries.end());
    Matrix.makeCompressed();
    auto Position = [this](int Row, int Col) {
        const int* Outer = Matrix.outerIndexPtr();
        const int* Inner = Matrix.innerIndexPtr();
        const int* First = Inner + Outer[Col];
        const int* Last = Inner + Outer[Col + 1];
        const int* At = std::lower_bound(First, Last, Row);
        return At != Last && *At == Row ? static_cast<int>(At - Inner) : -1;
    };
    Slots.resize(Laws.size());
    for (std::size_t J = 0; J < Laws.size(); ++J) {
        const int A = Column[static_cast<std::size_t>(From[J])];
        const int B = Column[static_cast<std::size_t>(To[J])];
        Slots[J] = {-1, -1, -1};
        if (From[J] == To[J])
            continue; // within one group: no pressure difference to find
        if (A >= 0)
            Slots[J][0] = Position(A, A);
        if (B >= 0)
            Slots[J][1] = Position(B, B);
        if (A >= 0 && B >= 0)
            Slots[J][2] = Position(std::max(A, B), std::min(A, B));
    }
    GroupStart.assign(static_cast<std::size_t>(Groups) + 1, 0);
    for (std::size_t J = 0; J < Laws.size(); ++J) {
        if (From[J] == To[J])
            continue;
        ++GroupStart[static_cast<std::size_t>(From[J]) + 1];
        ++GroupStart[static_cast<std::size_t>(To[J]) + 1];
    }
    std::partial_sum(GroupStart.begin(), GroupStart.end(), GroupStart.begin());
    GroupLaws.resize(static_cast<std::size_t>(GroupStart.back()));
    std::vector<int> Fill(GroupStart.begin(), GroupStart.end() - 1);
    for (std::size_t J = 0; J < Laws.size(); ++J) {
        if (From[J] == To[J])
            continue;
        GroupLaws[static_cast<std::size_t>(Fill[static_cast<std::size_t>(From[J])]++)] = static_cast<int>(J);
        GroupLaws[static_cast<std::size_t>(Fill[static_cast<std::size_t>(To[J])]++)] = static_cast<int>(J);
    }
    Factor.Analyse(Matrix);
    return true;
}

double TNetworkNewton::LargestMeshResidual()
{
    // The tree takes pinned branches only where no other reaches a group
    // (fewest pinned on each path, breadth first): a pinned branch stands
    // for any pressure difference within its jump, so on a path it takes
    // the one closest to that found, and as a chord its mesh is off only
    // by how far the path's sum lies outside the jump.
    const std::size_t G0 = static_cast<std::size_t>(Groups);
    TreeLaw.assign(G0, -1);
    Reach.assign(G0, -1);
    Done.assign(G0, 0);
    Potential.assign(G0, 0.0);
    auto Carried = [this](std::size_t J) {
        // The drop branch J stands for on a path.
        if (!Pins[J].Pinned)
            return Drop[J];
        const double Needed = GroupPressure(From[J]) - GroupPressure(To[J]) + Shift[J];
        return std::clamp(Needed, Pins[J].Low, Pins[J].High);
    };
    for (std::size_t Root = 0; Root < G0; ++Root) {
        if (Reach[Root] >= 0)
            continue;
        Reach[Root] = 0;
        Frontier.assign(1, static_cast<int>(Root));
        Later.clear();
        while (!Frontier.empty() || !Later.empty()) {
            if (Frontier.empty())
                Frontier.swap(Later);
            const std::size_t U = static_cast<std::size_t>(Frontier.front());
            Frontier.pop_front();
            if (Done[U])
                continue;
            Done[U] = 1;
            if (const int J = TreeLaw[U]; J >= 0) {
                // Along law J the pressure falls by its drop, less its shift.
                const std::size_t K = static_cast<std::size_t>(J);
                const double Fall = Carried(K) - Shift[K];
                Potential[U] = static_cast<std::size_t>(To[K]) == U
                                   ? Potential[static_cast<std::size_t>(From[K])] - Fall
                                   : Potential[static_cast<std::size_t>(To[K])] + Fall;
            }
            for (int I = GroupStart[U]; I < GroupStart[U + 1]; ++I) {
                const std::size_t J = static_cast<std::size_t>(GroupLaws[static_cast<std::size_t>(I)]);
                const std::size_t V = static_cast<std::size_t>(static_cast<std::size_t>(From[J]) == U ? To[J] : From[J]);
                const int Cost = Reach[U] + (Pins[J].Pinned ? 1 : 0);
                if (Done[V] || (Reach[V] >= 0 && Reach[V] <= Cost))
                    continue;
                Reach[V] = Cost;
                TreeLaw[V] = static_cast<int>(J);
                (Pins[J].Pinned ? Later : Frontier).push_back(static_cast<int>(V));
            }
        }
    }
    double Largest = 0.0;
    for (std::size_t J = 0; J < Laws.size(); ++J) {
        const bool OnTree = From[J] != To[J] && (TreeLaw[static_cast<std::size_t>(From[J])] == static_cast<int>(J) ||
                                                 TreeLaw[static_cast<std::size_t>(To[J])] == static_cast<int>(J));
        if (OnTree)
            continue;
        const double Summed = Potential[static_cast<std::size_t>(From[J])] - Potential[static_cast<std::size_t>(To[J])] + Shift[J];
        const double Residual = Pins[J].Pinned ? std::max({Pins[J].Low - Summed, Summed - Pins[J].High, 0.0})
                                               : std::fabs(Drop[J] - Summed);
        Largest = std::max(Largest, Residual);
    }
    return Largest;
}

bool TNetworkNewton::EvaluateAt(const std::vector<double>& Step, double Alpha)
{
    // Each law computes its own branch alone: the laws share out.
    Team.ForEachRange(Laws.size(), LawsPerThread, [&](std::size_t Begin, std::size_t End) {
        for (std::size_t J = Begin; J < End; ++J) {
            const double M = Flow[J] + Alpha * Step[J];
            if (Pins[J].Pinned && Pins[J].Half > 0.0) {
                const TPin& Pin = Pins[J];
                Laws[J].Evaluate(M);
                TrialSlope[J] = Pin.Gain();
                Trial[J] = (Pin.Low + Pin.High) / 2.0 + (M - Pin.Flow) * TrialSlope[J];
            } else if (Smoothing > 0.0) {
                Trial[J] = Laws[J].EvaluateSmoothed(M, Smoothing, TrialSlope[J]);
            } else {
                Trial[J] = Laws[J].Evaluate(M);
                TrialSlope[J] = Laws[J].Slope(false); // while the branch is at hand
            }
        }
    });
    return std::all_of(Trial.begin(), Trial.end(), [](double D) { return std::isfinite(D); });
}

template <typename TBody, typename TCombine>
double TNetworkNewton::OverLaws(TBody Body, TCombine Combine, double Start)
{
    const std::size_t Count = Laws.size();
    const std::size_t Blocks = (Count + LawBlock - 1) / LawBlock;
    BlockResults.assign(Blocks, Start);
    Team.ForEachRange(Blocks, LawsPerThread / LawBlock, [&](std::size_t First, std::size_t Last) {
        for (std::size_t K = First; K < Last; ++K) {
            double Result = Start;
            const std::size_t End = std::min(Count, (K + 1) * LawBlock);
            for (std::size_t J = K * LawBlock; J < End; ++J)
                Result = Combine(Result, Body(J));
            BlockResults[K] = Result;
        }
    });
    double Result = Start;
    for (double Block : BlockResults)
        Result = Combine(Result, Block);
    return Result;
}

double TNetworkNewton::RawSlope(std::size_t J, int Iteration) const
{
    // A jump is spread over the slope only for a flow that has just
    // crossed one: spread, it would slow a flow settling near it.
    double Slope = Slopes[J];
    if (Smoothing == 0.0 && Pins[J].Crossed + 1 >= Iteration)
        Slope += Laws[J].JumpSpread(Flow[J]);
    return std::max(Slope, Secant[J]);
}

bool TNetworkNewton::AssembleAndFactorise(double Steepest, int Iteration)
{
    // A law that does not rise at its flow (a branch of fixed drops
    // alone) takes the least slope allowed: it then holds the pressure
    // difference across it without leaving the system singular. A branch
    // pinned at zero flow keeps its flow whatever the pressures; one
    // pinned within a band rises across it.
    // The least slope first allowed is a share of the law's own slope,
    // so that a sized network's 3 mm duct beside its 1 m main keeps its
    // own slope; where the factorisation cannot hold slopes that far
    // apart, a share of the steepest is added, for the rest of the run.
    double* Values = Matrix.valuePtr();
    for (;; ++FloorStage) {
        const double Floor = FloorShares[FloorStage] * Steepest;
        std::fill(Values, Values + Matrix.nonZeros(), 0.0);
        Rhs.setZero();
        ForEachLaw([&](std::size_t J) {
            if (const TPin& Pin = Pins[J]; Pin.Pinned && Pin.Half == 0.0) {
                Weight[J] = FlatShare / Steepest;
                Base[J] = Pin.Flow;
            } else if (Pin.Pinned) {
                Weight[J] = 1.0 / Pin.Gain();
                Base[J] = Pin.Flow + (Shift[J] - (Pin.Low + Pin.High) / 2.0) * Weight[J];
            } else {
                // Near zero flow a law's slope falls towards nothing
                // (below the edge of very slow flow a duct's drop grows
                // as m²): held to a millionth of its slope at duct
                // velocity, and to the edge's, which bounds the slope
                // below it. A step that would still go far takes the
                // secant slope (TakeSecants).
                const double Own = std::max(std::isfinite(TypicalSlope[J]) ? FlatShare * TypicalSlope[J] : 0.0,
                                            Laws[J].SlowEdgeSlope());
                Weight[J] = 1.0 / std::max({RawSlope(J, Iteration), Floor, Own});
                Base[J] = Flow[J] + (Shift[J] - Drop[J]) * Weight[J];
            }
        });
        for (std::size_t J = 0; J < Laws.size(); ++J) {
            const auto& S = Slots[J];
            if (S[0] >= 0)
                Values[S[0]] += Weight[J];
            if (S[1] >= 0)
                Values[S[1]] += Weight[J];
            if (S[2] >= 0)
                Values[S[2]] -= Weight[J];
            if (From[J] == To[J])
                continue;
            const int A = Column[static_cast<std::size_t>(From[J])];
            const int B = Column[static_cast<std::size_t>(To[J])];
            if (A >= 0)
                Rhs[A] -= Base[J];
            if (B >= 0)
                Rhs[B] += Base[J];
        }
        for (int Group = 0; Group < Groups; ++Group) {
            const int C = Column[static_cast<std::size_t>(Group)];
            if (C >= 0)
                Rhs[C] += Inflow[static_cast<std::size_t>(Group)];
        }
        if (Factor.Factorise(Matrix, &Team))
            return true;
        if (FloorStage + 1 == std::size(FloorShares))
            return false;
    }
}

bool TNetworkNewton::TakeSecants()
{
    // A law whose linearised step would take it far beyond its flow (a
    // duct near zero flow, where the law is nearly flat, asked for
    // kilograms a second) takes the secant slope over the step it may
    // take instead: a few such steps otherwise shorten every other
    // branch's step to nothing.
    return MaxOverLaws([&](std::size_t J) {
        if (Pins[J].Pinned)
            return 0.0;
        const double Move = Base[J] + Weight[J] * (GroupPressure(From[J]) - GroupPressure(To[J])) - Flow[J];
        const double Limit = std::max(FarMove * std::fabs(Flow[J]), TypicalFlow[J]);
        if (!(std::fabs(Move) > Limit))
            return 0.0;
        const double Target = Flow[J] + std::copysign(Limit, Move);
        double Ignored = 0.0;
        const double At = Smoothing > 0.0 ? Laws[J].EvaluateSmoothed(Target, Smoothing, Ignored)
                                          : Laws[J].Evaluate(Target);
        const double Chord = (At - Drop[J]) / (Target - Flow[J]);
        if (std::isfinite(Chord) && Chord > 1.0 / Weight[J]) {
            Secant[J] = Chord;
            return 1.0;
        }
        return 0.0;
    }) > 0.0;
}

TWarmStartResult TNetworkNewton::SolveLinearised(int Iteration)
{
    // Linearised laws m = Base + Weight·(p_from - p_to), solved for the
    // pressures; solved once more where steps that go far took secants.
    std::fill(Secant.begin(), Secant.end(), 0.0);
    const double Steepest = MaxOverLaws([&](std::size_t J) {
        const double Slope = RawSlope(J, Iteration);
        return std::isfinite(Slope) ? Slope : HUGE_VAL;
    });
    if (!std::isfinite(Steepest))
        return wsNotFinite;
    if (!(Steepest > 0.0))
        return wsSingular;
    for (int Pass = 0; Pass < 2; ++Pass) {
        if (!AssembleAndFactorise(Steepest, Iteration))
            return wsSingular;
        Pressure = Factor.Solve(Rhs);
        // One step of refinement: slopes many orders apart leave the first
        // solve's flows conserved only to a part in ten million or so, and
        // the warm flows must conserve as the loop method's do.
        const Eigen::VectorXd Left = Rhs - Matrix.selfadjointView<Eigen::Lower>() * Pressure;
        Pressure += Factor.Solve(Left);
        if (!Pressure.allFinite())
            return wsNotFinite;
        if (Pass == 1 || !TakeSecants())
            break;
    }
    return wsClose;
}

void TNetworkNewton::ReleasePins()
{
    // A pinned branch whose pressure difference has left its jump goes
    // back to its law: of those further off than half the furthest, the
    // rest wait. Two pinned ducts in series share the difference across
    // both as the node between them makes it, and released together
    // both would cross back and be pinned again, iteration after
    // iteration; released one at a time, the other settles.
    const double Furthest = MaxOverLaws([&](std::size_t J) { return Pins[J].Pinned ? PinOffBy(J) : 0.0; });
    // A released branch leaves from the piece its flow at the jump lies
    // on: going the other way counts as a crossing, so that it is pinned
    // again should it come straight back, and its slope spreads the
    // jump meanwhile. No branch stays pinned once its pressure
    // difference has left the jump: pinned on the wrong side, it would
    // hold every other release back and leave its meshes off by the
    // jump.
    ForEachLaw([&](std::size_t J) {
        TPin& Pin = Pins[J];
        if (!Pin.Pinned)
            return;
        const double Off = PinOffBy(J);
        if (Off > ReleaseShare * (Pin.High - Pin.Low) && Off >= ReleaseFurthest * Furthest) {
            Pin.Pinned = false;
            const double Needed = GroupPressure(From[J]) - GroupPressure(To[J]) + Shift[J];
            const double Apart = std::max(PinShare * std::fabs(Pin.Flow), MinPinFlow);
            const double Side = Needed < Pin.Low ? -Apart : Apart;
            // It leaves from the law on the side its pressure difference
            // calls for. Its flow stays where the solve left it (within
            // its band, conserving): the step takes it beyond the band.
            Pin.Before = Laws[J].Piece(Pin.Flow - Side);
            Drop[J] = Laws[J].Evaluate(Pin.Flow + Side);
            Slopes[J] = Laws[J].Slope(false);
            Pin.Piece = Laws[J].Piece(Pin.Flow + Side);
            if (Pin.Half == 0.0)
                Flow[J] = Pin.Flow + Side;
            // Held at its jump by the solve just made, a branch resting at
            // exactly zero flow leaves from its side with the next one; one
            // resting within a band already has its flow beyond the band.
            Pin.JustReleased = Pin.Half == 0.0;
        }
    });

}

double TNetworkNewton::PinCrossings(int Iteration)
{
    // A branch whose flow sits at a jump of its law, or went over one,
    // while the pressure difference across it lies within the jump
    // balances there: it keeps the flow at the jump from now on. One that
    // went over and straight back is pinned whatever its pressure
    // difference. A jump smaller than the loop method's tolerance is left
    // alone: its closer side is close enough.
    // (1 for a branch pinned now, 2 for one whose drop there is not a
    // number.)
    return MaxOverLaws([&](std::size_t J) {
        TPin& Pin = Pins[J];
        if (Pin.Pinned)
            return 0.0;
        double AtJump = 0.0;
        double Rise = 0.0;
        const int Now = Laws[J].Piece(Flow[J]);
        const bool Over = Now != Pin.Piece && Laws[J].JumpBetween(Pin.Piece, Now, AtJump, Rise) && Rise >= PinnedRise;
        if (Over && Now == Pin.Before)
            return PinAt(J, AtJump) ? 1.0 : 2.0;
        if (Over || Laws[J].InBand(Flow[J], AtJumpShare, PinnedRise, AtJump)) {
            const double Before = Flow[J];
            if (!PinAt(J, AtJump))
                return 2.0;
            const double Needed = GroupPressure(From[J]) - GroupPressure(To[J]) + Shift[J];
            if (Needed >= Pin.Low - WarmStartTolerance && Needed <= Pin.High + WarmStartTolerance)
                return 1.0;
            Pin.Pinned = false;
            Flow[J] = Before;
            Drop[J] = Laws[J].Evaluate(Before);
            Slopes[J] = Laws[J].Slope(false);
        }
        if (Now == Pin.Piece)
            return 0.0;
        Pin.Before = Pin.Piece;
        Pin.Piece = Now;
        Pin.Crossed = Iteration;
        return 0.0;
    });
}

TNetworkNewton::TStepEnd TNetworkNewton::NewtonStep(std::vector<double>& Step, bool Conserved, double Best, double& Alpha)
{
    // The Newton step and the energy's slope along it at its start.
    const double SlopeAtStart = SumOverLaws([&](std::size_t J) {
        const double NewFlow = Base[J] + Weight[J] * (GroupPressure(From[J]) - GroupPressure(To[J]));
        // A branch let go from its jump just now was held there by this
        // solve: it leaves from its side of the jump with the next one.
        Step[J] = Pins[J].JustReleased ? 0.0 : NewFlow - Flow[J];
        Pins[J].JustReleased = false;
        return (Drop[J] - Shift[J]) * Step[J];
    });
    if (!EvaluateAt(Step, 1.0))
        return seNotFinite;
    Alpha = 1.0;
    if (Conserved && SlopeAtStart < 0.0) {
        // Regula falsi on the energy's slope, which rises along the step.
        double Low = 0.0, LowSlope = SlopeAtStart;
        double High = 1.0;
        double HighSlope = SumOverLaws([&](std::size_t J) { return (Trial[J] - Shift[J]) * Step[J]; });
        if (Smoothing == 0.0 && HighSlope > StepSlopeShare * -SlopeAtStart && Best <= CloseEnough) {
            // Close enough already, and the step overshoots (a jump
            // too small to pin): keep the flows before it.
            return EvaluateAt(Step, 0.0) ? seKeepBefore : seNotFinite;
        }
        // The Illinois variant: an end kept twice running has its slope
        // halved, so that a step whose energy rises steeply at its far end
        // (laws growing as m³ far from the balance) is not shortened to
        // next to nothing.
        int Kept = 0; // +1 the low end kept last, -1 the high end
        for (int K = 0; K < MaxShortenings && HighSlope > StepSlopeShare * -SlopeAtStart; ++K) {
            Alpha = Low + (High - Low) * (-LowSlope) / (HighSlope - LowSlope);
            if (!EvaluateAt(Step, Alpha))
                return seNotFinite;
            const double Here = SumOverLaws([&](std::size_t J) { return (Trial[J] - Shift[J]) * Step[J]; });
            if (std::fabs(Here) <= StepSlopeShare * -SlopeAtStart)
                break;
            if (Here < 0.0) {
                Low = Alpha;
                LowSlope = Here;
                if (Kept == -1)
                    HighSlope /= 2.0;
                Kept = -1;
            } else {
                High = Alpha;
                HighSlope = Here;
                if (Kept == 1)
                    LowSlope /= 2.0;
                Kept = 1;
            }
        }
    }
    return seTaken;
}

TWarmStartReport TNetworkNewton::Iterate()
{
    TWarmStartReport Report;
    const std::size_t J0 = Laws.size();
    Drop.assign(J0, 0.0);
    Weight.assign(J0, 0.0);
    Base.assign(J0, 0.0);
    Trial.assign(J0, 0.0);
    TrialSlope.assign(J0, 0.0);
    Pins.assign(J0, TPin{});
    std::vector<double> Step(J0, 0.0);

    // Newton's method on laws that grow as m² only halves a flow that is
    // far too large at each step, and the flows the loop method starts from
    // carry everything through its tree. The first step starts instead from
    // every branch at a common duct velocity, with the sign of its flow:
    // the pressures that balance the laws linearised there share the flow
    // out about as the branches' sizes and lengths will.
    for (std::size_t J = 0; J < J0; ++J) {
        TFlowBranch& B = Laws[J].Branch();
        const double Typical = StartVelocity * B.ToDensity * std::numbers::pi * B.Diameter * B.Diameter / 4.0;
        Flow[J] = Flow[J] < 0.0 ? -Typical : Typical;
    }
    // Each law's own scale of slopes: a 3 mm duct's and a 1 m main's lie
    // fourteen orders apart, a laminar duct's at slow flow far below the
    // steepest, and neither may be taken for flat.
    TypicalSlope.assign(J0, 0.0);
    TypicalFlow.assign(J0, 0.0);
    Secant.assign(J0, 0.0);
    for (std::size_t J = 0; J < J0; ++J) {
        TypicalFlow[J] = std::fabs(Flow[J]);
        Laws[J].Evaluate(std::fabs(Flow[J]));
        TypicalSlope[J] = Laws[J].Slope(false);
    }
    const std::vector<double> NoStep(J0, 0.0);
    Smoothing = SmoothWidth;
    if (!EvaluateAt(NoStep, 0.0)) {
        Report.Result = wsNotFinite;
        return Report;
    }
    Drop = Trial;
    Slopes = TrialSlope;
    for (std::size_t J = 0; J < J0; ++J)
        Pins[J].Piece = Pins[J].Before = Laws[J].Piece(Flow[J]);
    // Steps are shortened only from flows that conserve: there the energy
    // argument holds. The first step (and one after a branch was pinned)
    // makes them conserve.
    bool Conserved = false;

    double Best = HUGE_VAL;
    int SinceBest = 0;
    Report.Result = wsClose;
    for (int Iteration = 0; Iteration < MaxIterations; ++Iteration) {
        Report.Iterations = Iteration + 1;
        // Linearised laws m = Base + Weight·(p_from - p_to), solved for the
        // pressures.
        if (const TWarmStartResult Solved = SolveLinearised(Iteration); Solved != wsClose) {
            Report.Result = Solved;
            return Report;
        }
        ReleasePins();

        // The Newton step, shortened where the drops along it overshoot.
        double Alpha = 1.0;
        const TStepEnd Stepped = NewtonStep(Step, Conserved, Best, Alpha);
        if (Stepped == seNotFinite) {
            Report.Result = wsNotFinite;
            return Report;
        }
        if (Stepped == seKeepBefore) {
            Drop.swap(Trial);
            Slopes.swap(TrialSlope);
            break; // the report keeps these flows' residual
        }
        Drop.swap(Trial);
        Slopes.swap(TrialSlope);
        Conserved = true;

        // How far the laws are from the pressures after a whole step; a
        // pinned branch is balanced while its pressure difference lies
        // within its jump.
        double Largest = MaxOverLaws([&](std::size_t J) {
            Flow[J] += Alpha * Step[J];
            const double Needed = GroupPressure(From[J]) - GroupPressure(To[J]) + Shift[J];
            const TPin& Pin = Pins[J];
            const double Residual = Pin.Pinned ? std::max({Pin.Low - Needed, Needed - Pin.High, 0.0})
                                               : Drop[J] - Needed;
            return std::fabs(Residual);
        });
        Report.LargestResidual = Largest;
        // What the loop method will see: the residuals summed round meshes
        // (a mesh of hundreds of links sums as many branch residuals). A
        // walk over the whole network, taken only where the stall rule or
        // the report reads it: not in the smoothed stage, not after pins
        // moved flows, and at the last iteration before any pin.
        const bool LastIteration = Iteration + 1 == MaxIterations;
        double MeshLargest = HUGE_VAL;
        auto TakeMeshLargest = [&] { Report.LargestMeshResidual = MeshLargest = LargestMeshResidual(); };
        if (LastIteration)
            TakeMeshLargest();
        ConservedFlow = Flow;
        if (Smoothing > 0.0) {
            // Once the smoothed balance is close enough or no longer
            // improves, the laws are taken as they are: each branch left
            // inside a band whose pressure difference lies inside the jump
            // is pinned there (one near the jump but outside it goes on from
            // its side), and pins and releases settle the rest.
            // The smoothed laws are continuous and rising: Newton's steps
            // lower the problem's energy and come to its balance, though
            // far from it a step may raise the largest residual for a
            // while. Only whole steps close to the balance count towards a
            // stall; stopping early hands the exact finish a network tens
            // of Pa off.
            if (Largest < Best) {
                Best = Largest;
                SinceBest = 0;
            } else if (Alpha == 1.0 && Best <= SmoothNear) {
                ++SinceBest;
            }
            if (Largest > CloseEnough && SinceBest < SmoothStall)
                continue;
            bool AnyInBand = false;
            double AtJump = 0.0;
            for (std::size_t J = 0; J < J0 && !AnyInBand; ++J)
                AnyInBand = Laws[J].InBand(Flow[J], Smoothing, 0.0, AtJump);
            if (!AnyInBand && Alpha == 1.0 && Largest <= WarmStartTolerance) {
                // No flow near a jump: the smoothed laws were the laws.
                if (!LastIteration)
                    TakeMeshLargest();
                Report.Result = wsBalanced;
                break;
            }
            for (std::size_t J = 0; J < J0 && AnyInBand; ++J) {
                if (!Laws[J].InBand(Flow[J], Smoothing, PinnedRise, AtJump))
                    continue;
                const double Before = Flow[J];
                if (!PinAt(J, AtJump)) {
                    Report.Result = wsNotFinite;
                    return Report;
                }
                const double Needed = GroupPressure(From[J]) - GroupPressure(To[J]) + Shift[J];
                if (Needed < Pins[J].Low || Needed > Pins[J].High) {
                    Pins[J].Pinned = false;
                    Flow[J] = Before;
                } else if (Before != AtJump) {
                    Conserved = false; // its flow moved alone
                }
            }
            Smoothing = 0.0;
            if (!EvaluateAt(NoStep, 0.0)) {
                Report.Result = wsNotFinite;
                return Report;
            }
            for (std::size_t J = 0; J < J0; ++J) {
                if (!Pins[J].Pinned) {
                    Drop[J] = Trial[J];
                    Slopes[J] = TrialSlope[J];
                }
                Pins[J].Piece = Pins[J].Before = Laws[J].Piece(Flow[J]);
            }
            Best = HUGE_VAL;
            SinceBest = 0;
            continue;
        }

        // Branches that went over a jump and straight back are pinned there.
        const double Pinned = PinCrossings(Iteration);
        if (Pinned == 2.0) {
            Report.Result = wsNotFinite;
            return Report;
        }
        if (Pinned == 1.0) {
            Conserved = false; // their flows moved
            Largest = MeshLargest = HUGE_VAL;
        } else if (!LastIteration) {
            TakeMeshLargest();
        }

        // Stalled: no new least mesh residual for a while (a shorter while
        // once the loop method would take over in a few corrections: steps
        // that creep by a part in a thousand past a jump too small to pin
        // gain it nothing), or at once when it is already small enough.
        // The least is counted from any step, whole or
        // shortened: a count of whole steps that halve it stops a run whose
        // first step happened to land close and whose next steps, longer,
        // must first come back.
        if (Alpha == 1.0 && Largest <= WarmStartTolerance) {
            Report.Result = wsBalanced;
            break;
        }
        if (MeshLargest < Best) {
            Best = MeshLargest;
            SinceBest = 0;
        } else if (Conserved && (++SinceBest >= (Best <= NearBalance ? NearStallIterations : StallIterations) ||
                                 Best <= CloseEnough)) {
            break;
        }
    }
    if (!Conserved) {
        // The last iteration pinned a branch, whose flow moved alone: the
        // flows before that move are the ones that conserve.
        Flow = ConservedFlow;
        if (!EvaluateAt(NoStep, 0.0)) {
            Report.Result = wsNotFinite;
            return Report;
        }
        Drop.swap(Trial);
        Slopes.swap(TrialSlope);
    }
    return Report;
}

bool TNetworkNewton::PinAt(std::size_t J, double AtJump)
{
    // The drops just either side of the jump bound the pressure
    // differences it holds.
    TPin& Pin = Pins[J];
    const double Apart = std::max(PinShare * std::fabs(AtJump), MinPinFlow);
    Pin.Low = Laws[J].Evaluate(AtJump - Apart);
    Pin.High = Laws[J].Evaluate(AtJump + Apart);
    // A branch resting at zero flow on its fixed drops rests at exactly
    // zero: every such branch rests at the same flow, so no two of them
    // need a band to conserve flow between them.
    Pin.Half = AtJump == 0.0 ? 0.0 : PinBand * std::max(std::fabs(AtJump), TypicalFlow[J]);
    Drop[J] = Laws[J].Evaluate(AtJump);
    Slopes[J] = Laws[J].Slope(false);
    if (Pin.Half > 0.0) {
        Drop[J] = (Pin.Low + Pin.High) / 2.0;
        Slopes[J] = Pin.Gain();
    }
    Flow[J] = AtJump;
    Pin.Flow = AtJump;
    const bool Finite = std::isfinite(Pin.Low) && std::isfinite(Pin.High);
    Pin.Pinned = Finite && Pin.High > Pin.Low && std::isfinite(Drop[J]);
    return Finite;
}

void TNetworkNewton::MarkRests()
{
    for (std::size_t J = 0; J < Laws.size(); ++J) {
        const TPin& Pin = Pins[J];
        TFlowBranch& B = Laws[J].Branch();
        const double Apart = std::max(PinShare * std::fabs(Pin.Flow), MinPinFlow);
        if (!Pin.Pinned || std::fabs(B.MassFlow - Pin.Flow) > Pin.Half + Apart)
            continue;
        B.RestFlow = B.MassFlow;
        B.RestBelow = std::min(Pin.Low - B.TotalDrop, 0.0);
        B.RestAbove = std::max(Pin.High - B.TotalDrop, 0.0);
    }
}

bool TNetworkNewton::SpreadFixedFlows()
{
    // Flow into each node from the branch laws and the fan; the fixed
    // branches then carry what is left over, leaves of each group first.
    const auto& Nodes = G.Nodes();
    std::vector<double> Net(Nodes.size(), 0.0);
    Net[static_cast<std::size_t>(FanTo)] += FanFlow;
    Net[static_cast<std::size_t>(FanFrom)] -= FanFlow;
    for (std::size_t J = 0; J < Laws.size(); ++J) {
        Net[static_cast<std::size_t>(ToNode[J])] += Flow[J];
        Net[static_cast<std::size_t>(FromNode[J])] -= Flow[J];
    }
    for (auto It = Tree.rbegin(); It != Tree.rend(); ++It) {
        TFlowBranch& B = *It->Branch;
        const std::size_t Child = static_cast<std::size_t>(It->Child);
        const std::size_t Parent = static_cast<std::size_t>(It->Parent);
        // Into the child along the branch when it runs from the parent.
        const bool IntoChild = B.ToNode->Index == It->Child;
        const double M = IntoChild ? -Net[Child] : Net[Child];
        Net[Child] = 0.0;
        Net[Parent] += IntoChild ? -M : M;
        B.MassFlow = M;
        B.CalcVolumeFlow();
        B.RecalcLosses();
    }
    for (double Left : Net)
        if (!(std::fabs(Left) <= 1e3 * ConservedShare * std::fabs(FanFlow)))
            return false;
    return true;
}

} // namespace

TWarmStartReport WarmStartFlows(TDuctGraph& G)
{
    TNetworkNewton Newton(G);
    return Newton.Run();
}

void StartMeshSlopes(TDuctGraph& G)
{
    const auto& Branches = G.Branches();
    const double Roughness = G.Settings().roughness;
    std::vector<double> Slopes(Branches.size(), 0.0);
    G.NumberBranches();
    G.ForEachBranch([&](TFlowBranch& B) {
        if (&B != G.MainFan && !HasFixedDrop(B))
            Slopes[static_cast<std::size_t>(B.Index)] = TBranchLaw(B, Roughness, false).Slope(false);
    });
    G.ForEachMesh([&](TFlowMesh& Mesh) {
        if (Mesh.HasFan)
            return;
        double Sum = 0.0;
        for (const TLink& L : Mesh.Links)
            Sum += Slopes[static_cast<std::size_t>(L.Branch->Index)];
        if (Sum > 0.0 && std::isfinite(Sum))
            Mesh.Gain = 1.0 / Sum;
    });
}
