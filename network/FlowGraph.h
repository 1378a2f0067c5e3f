#pragma once
// The flow network: a graph of flow nodes and flow branches with the air
// state of the network, its reference nodes, solve method and status, and
// the fittings it owns.
//
// Nothing outside the graph may keep a pointer to a node or branch across a
// deletion without asking: deleting a node or branch clears every reference
// the network holds to it (reference nodes and ducts, the start node, the
// leakage branch, ErrorBranch, the nodes' paths, the fittings' branch links).

#include "graph/Graph.h"
#include "network/Fitting.h"
#include "network/FlowBranch.h"
#include "network/FlowEnums.h"
#include "network/FlowMesh.h"
#include "network/FlowNode.h"
#include "network/LoopCode.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

class TDuctFitting;
class TDuctFittingDB;
class TMeshQueue;
class TSettings;

class TFlowGraph : public TGraph {
public:
    TFlowGraph();
    ~TFlowGraph() override;

    // ---- air state
    double Barometer = 101325.0; // Pa
    double DryBulb = 20.0;       // °C
    double WetBulb = 12.8;       // °C
    double AirDensity = 0.0;     // kg/m³, from the psychrometric library
    // Why the last change of the air state was refused; empty when it was
    // applied.
    std::string AirStateStatus;

    // ---- results and references
    double MaxResidual = 0.0; // Pa, largest absolute mesh residual
    double SupplySum = 0.0;   // Pa
    double ReturnSum = 0.0;   // Pa
    TFlowNode* ReturnRef = nullptr; // the main fan's from-node
    TFlowNode* SupplyRef = nullptr; // the main fan's to-node
    // The remembered return-side and supply-side ducts next to the fan.
    TFlowBranch* ReturnDuct = nullptr;
    TFlowBranch* SupplyDuct = nullptr;
    TFlowNode* StartNode = nullptr; // where pressure propagation starts
    TSolveMethod Method = smEqualFriction;
    TSolveStatus Status = ssNotSolved;
    double Leakage = 0.0; // m³/s, supply total minus return total
    TFlowBranch* LeakBranch = nullptr;
    std::vector<std::unique_ptr<TFitting>> Fittings;
    bool LinksValid = true; // fitting links resolved to branch objects
    // The branch at which the last check stopped.
    TFlowBranch* ErrorBranch = nullptr;

    // The design settings this network computes with: the program's one
    // settings object unless another was given (a document being read).
    const TSettings& Settings() const;
    void UseSettings(const TSettings* Source) { SettingsSource = Source; }

    // ---- factories and virtual operations
    std::unique_ptr<TNode> NewNode(int Id) override;
    std::unique_ptr<TBranch> NewBranch(int Id, TNode* From, TNode* To) override;
    std::unique_ptr<TMesh> NewMesh(int Id) override;
    // SortForMeshes without the jump rule.
    void SortForTree() override;
    // SortByResistance's order, rearranged for a tree of short meshes
    // (graph/ShortMeshOrder.h) with the branches on a jump as the last
    // resort.
    virtual void SortForMeshes(bool JumpsLast);
    // Ascending FlowResistance (a stable sort); with JumpsLast the branches
    // that sit on a jump of their law come after all others. Gives how many
    // at the end are the tree's last resort (here those on a jump).
    virtual std::size_t SortByResistance(bool JumpsLast);
    // The branch list in the order given (every branch of the list once;
    // any other list changes nothing).
    void PutBranchesInOrder(const std::vector<TBranch*>& Order);
    // Also the air state and copies of every fitting (unresolved: LinksValid
    // false).
    void AssignSettings(const TGraph& Source) override;
    // Also swaps terminal roles (an Outlet from-node becomes an Inlet with an
    // inlet terminal, else an Inlet to-node becomes an Outlet with an outlet
    // terminal) and recomputes the flow terms in the new direction.
    void ReverseBranch(TBranch* Branch) override;

    TFlowNode* FlowNode(int Id) const { return static_cast<TFlowNode*>(FindNode(Id)); }
    TFlowBranch* FlowBranch(int Id) const { return static_cast<TFlowBranch*>(FindBranch(Id)); }

    // ---- air state of the network
    // Barometer := 1000·kPa and the density of the new state, applied to the
    // nodes and the branches' flow terms (flows re-derived from Q). A state
    // that AirStateProblem refuses changes nothing; AirStateStatus says why.
    // True when applied.
    bool SetBarometer(double KPa);
    double GetBarometerKPa() const { return Barometer * 0.001; }
    // "%0.2f/%0.2f" of dry bulb and wet bulb.
    std::string GetHumitrakText() const;
    // Reads a "db/wb" text (a lone dry bulb takes the wet bulb of 50 %
    // relative humidity) and applies the state at the current barometer as
    // SetBarometer does. A text that is no number, or no valid state,
    // changes nothing; AirStateStatus says why. True when applied.
    bool SetHumitrak(const std::string& Text);
    // Every node takes the barometer, the dry bulb and the air density;
    // Status := "Not solved".
    void ApplyAirToNodes();
    // A node whose dry bulb (-60 to 99 °C) or density (0.1 to 10 kg/m³) is
    // no air a network computes with takes the network's dry bulb and
    // density (the air every node is given), as a document or an import may
    // hold anything there.
    void TakeSoundNodeAir();
    // Why a barometric pressure (Pa), dry bulb and wet bulb are no air
    // state: outside 30 to 200 kPa, a dry bulb outside -60 to 99 °C, or no
    // density of air (0.1 to 10 kg/m³) from the psychrometric library; empty
    // for a sound state, whose density NewDensity then holds.
    static std::string AirStateProblem(double BarometerPa, double Db, double Wb, double& NewDensity);
    // "101.325 kPa, dry bulb 20.0 °C, wet bulb 12.8 °C": the state with
    // its numbers as values are shown with their unit.
    static std::string AirStateText(double BarometerPa, double Db, double Wb);

    // ---- terminals
    // Its from-node or to-node is an Outlet or an Inlet.
    static bool IsTerminalBranch(const TFlowBranch& Branch);
    // The terminal items of the branches at Node follow its type and kind.
    void UpdateNodeTerminals(TFlowNode* Node);
    // Every branch whose outlet (inlet) terminal node has that kind takes the
    // settings' default flow as its design flow; status "Not solved".
    void ResetOutletFlows(int Kind);
    void ResetInletFlows(int Kind);
    // The terminals of that kind take the settings' default C (their
    // reference drop kept, the reference velocity following) and recompute
    // their pressure drops at the branch's present flow (the branch's
    // InletTermDrop and OutletTermDrop with them), so that what is shown
    // after the reset matches the new C.
    void ResetOutletCValues(int Kind);
    void ResetInletCValues(int Kind);

    // Warns of the first node that is the to-node of exactly one branch and
    // the from-node of none without being an Outlet ("Warning: <name> should
    // be an outlet"), or the reverse without being an Inlet ("... should be
    // an inlet"); the Sink is not checked. Its first branch becomes
    // ErrorBranch. Only a warning: true when the terminals were in order.
    bool ValidateTerminals();

    // ---- fittings
    // Removes the fitting from the network and from every branch that lists
    // it, and frees it.
    void DeleteFitting(TFitting* Fitting);
    // DeleteFitting for many fittings, in one pass over the branches.
    void DeleteFittings(const std::vector<TFitting*>& Going);
    // Every fitting's C-values (Calculate mode 0).
    void CalcFittingsC();
    // Every fitting's velocity ratios (mode 2), then RelaxRatios.
    void RecalcFittingRatios();
    // Every fitting's flow ratios (mode 3); the velocity ratios take the
    // same sizes.
    void CalcFlowRatios();
    // Every branch's FittingsCSum := 0, then every fitting adds its C-values.
    void CalcFittingSums();
    // LinksValid := true, then every fitting resolves its links (see
    // TFitting::ResolveLinks); every branch then holds the fittings that
    // name it with their values, in fitting order, as CollectFittings gives
    // them (one walk over the links, for a whole network at once).
    void ResolveFittingLinks(bool ClearMissing);
    // After renumbering: each link's id := the id of the branch whose
    // previous id it names (-1 when none), its object cleared.
    void UnlinkFittings();
    // Links with id OldId take NewId (objects cleared until resolved).
    void RenumberFittingLinks(int OldId, int NewId);
    // Appends copies of Source's fittings marked Selected (unresolved); the
    // marks are cleared on both sides.
    void CopyFittingsFrom(TFlowGraph& Source);
    // Appends copies of the fittings and resolves the links.
    void AddFittings(const std::vector<std::unique_ptr<TFitting>>& List);
    // Branch's LinkedFittings and LinkedFittingValues := the fittings that
    // name it, with the (C, C2) pair of each link to it.
    void CollectFittings(TFlowBranch* Branch);

    // The database fitting with this key made current, for a fitting of this
    // network; nullptr when it cannot be had. A key the database does not
    // hold is reported ("Duct fitting not in database : <key>") when Report
    // is set, at most once per command; a key that failed is not tried again
    // in the same command.
    TDuctFitting* SelectDatabaseFitting(const std::string& Key, bool Report);
    // Starts a new command for the messages above: each solve, sizing or
    // recalculation command calls it first. Inside a TFittingCommand it
    // changes nothing, so a command made of several such steps
    // (distribution, sizing, balancing) still reports a key only once.
    void ResetFittingMessages();
    // One command of several steps: its fitting messages start anew here and
    // not again until it ends.
    class TFittingCommand {
    public:
        explicit TFittingCommand(TFlowGraph& Network);
        ~TFittingCommand();
        TFittingCommand(const TFittingCommand&) = delete;
        TFittingCommand& operator=(const TFittingCommand&) = delete;

    private:
        TFlowGraph& Graph;
    };

    // ---- network-wide hydraulic chains (branches in list order unless said)
    // Resolves the fitting links and sums their present C-values, then per
    // branch the terminal losses, equivalent lengths, total length, friction,
    // fixed drops and total drop.
    void RecalculateAll();
    // The full recomputation before a solve: friction factors, fitting links,
    // C-values and sums, then the chain of RecalculateAll (the branches
    // shared out among the team).
    void RecalcBranches();
    // One sizing or balancing pass: per branch the chain of
    // TFlowBranch::RecalcLosses, then the duct velocity.
    void RecalcChain();
    // Calls Visit on every branch, the branches shared out among the
    // graph's team: Visit must read no other branch and write nothing but
    // its own branch.
    void ForEachBranch(const std::function<void(TFlowBranch&)>& Visit);
    // The same for every mesh: Visit may read its branches, and write
    // nothing but its own mesh.
    void ForEachMesh(const std::function<void(TFlowMesh&)>& Visit);

    // ---- network checks (the duct network adds those of its main fan)
    // The first Sink node; nullptr when there is none.
    TFlowNode* FindSinkNode() const;
    // Any node is an Outlet or an Inlet.
    bool HasTerminalNodes() const;
    // Node pressures by a walk over the spanning tree (chords skipped) from
    // the start node, else the return reference node, which is at the
    // barometer: going with a branch the far node's pressure is the near
    // node's minus the branch's TotalDrop, going against it plus;
    // RelPressure := Pressure - barometer. Nodes the walk cannot reach keep
    // their pressures.
    void CalcNodePressures();
    // Pressure := RelPressure + barometer for every node.
    void SetAbsolutePressures();
    // Every Outlet's |RelPressure| is at most 0.0001 Pa.
    bool OutletsBalanced() const;

    // ---- flow balancing (the loop method)
    TLoopCode LoopCode = lcNone; // result of the last mesh loop
    // Outer passes of the last Solve; 0 when it returned at once.
    int SolvePasses = 0;
    // Mesh corrections (runs of CorrectFlow) over all passes of the last
    // Solve.
    int MeshCorrections = 0;
    // Their steps (circulating flows applied), over all passes.
    int MeshSteps = 0;
    // What keeping the residuals current cost them, over all passes: the
    // residual updates of other meshes a correction made, and the links
    // summed afresh within a pass (not the sum that starts it).
    std::size_t MeshUpdates = 0;
    // Iterations of the last Solve's warm start (0 when none ran).
    int WarmIterations = 0;
    // The standard-sizes switch of the sizing methods: Method was 4 at the
    // last Validate.
    bool StandardSizes = false;

    // A branch at the start of a solve state: density terms and conductance.
    void InitBranch(TFlowBranch& Branch);
    // The branch flows become the sum of the meshes' circulating flows.
    void InitMeshes();
    // Every branch's InitBranch, every mesh's conductance sum and, with
    // NodePressures, the node pressures.
    void InitSolveState(bool NodePressures = true);
    // Every branch's conductance, then every mesh's slope (TakeFlowSlope),
    // at the present flows: what a solve leaves and a document read shows.
    void TakeMeshSlopes();
    // MaxResidual := the largest |MeshResidual| (0 without meshes); false
    // when a residual is not a finite number.
    bool MaxMeshResidual();
    // The largest mesh residual (Pa) a run may end with as "Within
    // tolerance" when its last mesh loop did not converge.
    static constexpr double WithinToleranceResidual = 1.0;
    // The end of one outer pass of Solve, from the code of its mesh loop,
    // the pass number (from 0), the change of the largest residual over the
    // pass and that residual: the loop's code once settled (change at most
    // 0.001 Pa), the iteration limit after pass 600 or once settled on a
    // jump beyond the tolerance (lcOnJump), within tolerance when
    // the change has stayed small over many passes (below 0.01 Pa after
    // 100, 0.1 after 200, 1 after 500) and the mesh loop converged or no
    // residual exceeds WithinToleranceResidual; otherwise lcNone (go on).
    static int OuterPassResult(int Loop, int Pass, double Change, double LargestResidual);

    // The solve status of a loop code: converged "Solved", within tolerance
    // "Within tolerance", the iteration limit "MaxIts reached", any other
    // "Data error".
    static TSolveStatus StatusFromCode(int Code);
    // Status := StatusFromCode(Code); then, for the sizing methods (0, 1, 2
    // and 4), a "Solved" network whose outlets are not at the sink pressure
    // becomes "Not-balanced". The last step of every solve and sizing run,
    // after Finish.
    void SetStatusFromCode(int Code);

protected:
    // The flow network's part of the loop method's steps; the duct network's
    // steps of the same names run them and add the main fan's part.
    // Method 3: m := Q·ρto per branch; other methods: no booster and the
    // friction terms. Then the full recomputation. False stops the run.
    bool Validate();
    // m := Q·ρto and the resistances per branch, the exclusion marks of flow
    // distribution cleared from branches and nodes, and new meshes on the
    // present resistances. With JumpsAsChords (a run from warm flows) a
    // branch resting on a jump becomes a chord and lies on its own mesh
    // alone, instead of on the meshes of every chord whose path runs
    // through it, each of which would move it across its jump and back.
    // False (with the graph library's message) when the meshes cannot be
    // built.
    bool Prepare(bool JumpsAsChords = false);
    // Prepare without the circuits: the tree and its loop check alone, for
    // a run whose warm start comes first and whose meshes are built after
    // it, on the warm flows.
    bool PrepareBranches();
    // The inner loop: corrects the worst mesh, one per pass, until the worst
    // residual is at most 0.01 Pa (LoopCode converged) or after 200 passes
    // (the iteration limit); no meshes gives lcNoMeshes, a lone mesh with
    // the fan converged at once, a residual or flow that stops being a
    // number lcNotFinite. Leaves MaxResidual and the node pressures current
    // when it corrected any mesh.
    void SolveMeshes();
    // The fixed drops summed per branch; the fitting database's cache freed.
    void Finish();
    // Every mesh's residual (no density update) and MaxResidual; false when
    // one is not a finite number.
    bool SumAllResiduals();
    // The meshes the last mesh loop left set aside (on jumps), as one
    // number that equal sets share, and the chord of the one of them with
    // the largest residual when that is MaxResidual to within Margin (Pa),
    // else null.
    void ParkedMeshes(std::uint64_t& Set, const TBranch*& Worst, double Margin) const;
    // The generator of the meshes' random starts, reseeded by every Solve.
    std::mt19937 SolveRandom;

    bool AcceptsNode(const TNode& Node) const override;
    // The reference nodes, the start node, the leakage branch and the two
    // remembered ducts describe the network as the last check found it; any
    // deletion makes them stale (cleared here), and the next check finds
    // them again.
    void ForgetCheckResults();
    // Clears every reference the network holds to the items about to go, in
    // one pass over the nodes and the fittings.
    void ItemsGoing(const TDeletion& Going) override;
    // Gives a new node the network's air state.
    void ApplyAirToNode(TFlowNode& Node) const;

private:
    // The branches' mass flows and resistances, and the exclusion marks
    // cleared: the start of Prepare and PrepareBranches.
    void PrepareBranchFlows();

    const TSettings* SettingsSource = nullptr;
    // Mesh incidence and the worst-mesh queue of the mesh loop, made by the
    // first balancing run. A shared pointer frees it without this folder
    // knowing its type, which belongs to the solver.
    std::shared_ptr<TMeshQueue> MeshQueue;
    // The depth-first walk of CalcNodePressures, kept between passes.
    std::vector<std::pair<TNode*, std::size_t>> PressureWalk;

    // The fitting-database messages of the present command.
    bool MissingFittingReported = false;
    int FittingCommandDepth = 0; // open TFittingCommand scopes
    const TDuctFittingDB* FailedKeysDatabase = nullptr; // the database FailedKeys belong to
    std::unordered_set<std::string> FailedKeys; // lower case

    bool ApplyAirState(double NewBarometer, double NewDryBulb, double NewWetBulb);
};
