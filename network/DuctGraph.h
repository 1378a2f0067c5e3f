#pragma once
// The duct network document: a flow network of duct and fan branches with
// its main fan. One instance is the open document.
//
// The class is declared here with all its data; the operations of the later
// stages are defined in their stage's folder and library: the network checks,
// flow distribution and balancing in solver/, duct sizing in sizing/, the XML
// body in document/. Nothing in this folder calls them.

#include "network/DuctBranch.h"
#include "network/FlowGraph.h"

#include <cstddef>
#include <iosfwd>
#include <utility>
#include <vector>

namespace pugi {
class xml_node;
}
class TFlowSnapshot;

class TDuctGraph : public TFlowGraph {
public:
    // With WithDefaultNetwork, the network of a new document: five branches
    // in a line from an inlet through the main fan to an outlet. Without it,
    // an empty network for a document about to be read. The network computes
    // with SettingsToUse when given (see UseSettings), else with the program's.
    explicit TDuctGraph(bool WithDefaultNetwork = false, const TSettings* SettingsToUse = nullptr);

    // The main fan branch; nullptr when there is none.
    TDuctBranch* MainFan = nullptr;

    std::unique_ptr<TBranch> NewBranch(int Id, TNode* From, TNode* To) override;
    // In distribution mode the order of flow distribution (see
    // DistributeFlows), else the flow network's.
    void SortForMeshes(bool JumpsLast) override;
    // The flow network's order, the main fan joining the last resort at the
    // end, so that it is a chord whenever it closes a loop.
    std::size_t SortByResistance(bool JumpsLast) override;
    // The base move; the kept node's terminals then follow its type.
    void TakeLinks(TNode* Keep, TNode* Drop) override;

    TDuctBranch* DuctBranch(int Id) const { return static_cast<TDuctBranch*>(FindBranch(Id)); }

    // ---- the document stream
    // The drawing settings, the air state (barometer in Pa, dry bulb, wet
    // bulb), the nodes, the branches, method and status, the fittings and
    // the main fan's id (-1 for none).
    void WriteData(TValueWriter& Writer) const override;
    // ReadRecords, then CompleteRead. Raises EStreamError or EGraphError for
    // a damaged stream; the network is then left partly read, so documents
    // are read into a network of their own.
    void ReadData(TValueReader& Reader, TGraphDataVersion Version = gdvNewest) override;
    // The records of a document of that version, as stored.
    void ReadRecords(TValueReader& Reader, TGraphDataVersion Version);
    // What reading does after the records, computing with Settings(): the
    // air density (the barometer taken from the first node only when the
    // stored one is not positive), the terminals older documents lack, each
    // branch's terminal losses, total drop, area and velocities, the fitting
    // links, the flow ratios of documents up to v1.02, and the branches'
    // fittings. A document reader that meets the settings only after the
    // network (they follow it in the file) calls the two steps apart.
    // Raises EGraphError for an air state without a density.
    void CompleteRead(TGraphDataVersion Version);

    // ---- XML
    // The "body" element, line by line; generated branches (negative ids)
    // and branches at a generated node (negative id) are left out. Raises
    // EGraphError when there is no main fan to name.
    void WriteXml(std::ostream& File) const;
    // Rebuilds nodes, branches, the main fan and the fittings from the
    // "body" element of Root, computing with Settings(). Raises EGraphError
    // (or EConvertError for a number that is none) for a damaged body.
    void ReadXml(const pugi::xml_node& Root);

    // ---- network checks and flow distribution
    // The check of the network's data that opens each solve command: every
    // value a number; a value only the user gives (a duct's length 0.1 to
    // 500 m, a size-fixed duct's sizes 0.05 to 10 m, a terminal's design
    // flow 0 or 0.000001 to 100 m³/s, the fixed items, terminals and
    // boosters) within its window's range; a value the commands compute
    // (other design flows, volume flows, sizes of ducts not size-fixed,
    // velocities, damper drops), the nodes' elevations and the design
    // settings within physical ranges (a computed size 0.001 to 1000 m).
    // A hair beyond a bound from rounding (a billionth of that bound)
    // passes. Every duct must have its sizes when balancing (ForMethod 3)
    // and stepping to standard sizes (4); for the other methods a duct that
    // is not size-fixed may also have none (0); volume flows when
    // balancing; duct velocities for velocity sizing; with FlowsOnly only
    // the design flows, lengths and heights that distribution uses.
    // Generated items are left out. The
    // first value found stops it: status "Data error", ErrorBranch the
    // branch (or a branch at the node), the message "Data error in branch
    // <name>: <what> <value> is not within <low> to <high>" ("in node
    // <name>", "in the design settings"; or "<what> is not a number"), the
    // numbers formatted as values shown with their unit; false.
    bool CheckNetworkData(TSolveMethod ForMethod, bool FlowsOnly = false);
    // The check of what a command left: every value the commands compute,
    // as the next command's check asks for it (design and volume flows,
    // velocities, sizes or none, damper drops) and the main fan's pressure
    // within ±1,000,000 Pa; with FlowsOnly the design and volume flows.
    // A value beyond them fails as CheckNetworkData does, so a command
    // whose results are no air in a duct never ends "Solved".
    bool CheckCommandResults(bool FlowsOnly = false);
    // The check before every solve or sizing run. Without a main fan: the
    // message "Main fan not found - add to network", no reference nodes, false.
    // Otherwise the generated items are made anew: the old Sink node goes
    // with its branches (the Sink branches and any leakage branch), the
    // terminals are checked (warnings only), a new Sink node joins every
    // terminal into a loop with the fan, and the reference nodes are found.
    // False too for a network without nodes.
    bool CheckMainFan();
    // When a node is an Outlet or an Inlet: the Sink node (id -1, with the
    // network's air) and a Sink branch from every Outlet to it and from it
    // to every Inlet (ids -1, -2, ... in node-list order); it becomes the
    // start node.
    void BuildSinkNode();
    // ReturnRef and SupplyRef := the main fan's from- and to-node, and the
    // ducts next to them: the return-side duct ends at ReturnRef (else any
    // other branch there), the supply-side duct starts at SupplyRef (else any
    // other branch there). All cleared without a main fan.
    void FindReferenceNodes();
    // When |Leakage| > 0.001 m³/s (and the fan is not itself a terminal
    // branch): the branch "Flow Leakage" carrying |Leakage|, from the Sink to
    // ReturnRef when the supply takes more than the return gives, else from
    // SupplyRef to the Sink; it becomes LeakBranch.
    void AddLeakageBranch();
    // Flow := the leakage branch's design flow; true when Branch is an inlet
    // branch and the leakage enters at the return reference node, or an
    // outlet branch and it leaves at the supply reference node.
    bool CanBalanceLeak(const TFlowBranch* Branch, double& Flow) const;
    // Carries the terminals' design flows back through the duct tree to the
    // main fan (the first step of every sizing command and of "Sum Flows"):
    // every tree branch gets the sum of the terminal flows beyond it,
    // negative when drawn against the air; the chord of each loop keeps the
    // design flow it was given and circulates it round its loop; the fan
    // takes the larger of the supply and return totals and the difference
    // goes through a leakage branch. Status "Not solved" on success. False
    // when the fan is missing (with the check's message; nothing changes,
    // the status neither); false with status "Data error" when the loops
    // cannot be built, or an Outlet is on the return side or an Inlet on the
    // supply side of the fan (that message, and its terminal duct is
    // ErrorBranch).
    bool DistributeFlows();
    // Every branch's flow := its design flow (mass flow, an Outlet's
    // external flow and flow area with it; for equal friction also the duct
    // velocity); status "Not solved".
    void InitFlowsFromDesign();
    // While set, SortForMeshes gives the tree order of flow distribution.
    bool DistributionMode = false;
    // The static-regain start velocities (m/s) of the supply and return
    // side, captured by Validate for method 2.
    double SupplyStartVelocity = 0.0;
    double ReturnStartVelocity = 0.0;

    // ---- flow balancing
    // Method 3: refuses a network without a main fan and a main fan without
    // volume flow ("Main branch (<name>) must have starting volume flow", the
    // fan becomes ErrorBranch); Solve has made the fan check just before.
    // Other methods: the fan's gain := its fixed drops, the other branches'
    // total drops follow; method 2 also takes the start velocities.
    bool Validate();
    // Also flags the first mesh holding the main fan (HasFan).
    bool Prepare(bool JumpsAsChords = false);
    // Also the main fan's total drop and gain (TakeFanGain).
    void SolveMeshes();
    // The main fan's total drop from its nodes' pressures and its gain from
    // that drop: the fan makes up whatever the rest of its loop loses.
    void TakeFanGain();
    // Also the index run marked, the fan's diameter from its flow, and for
    // the sizing methods the absolute node pressures.
    void Finish();
    // Balances the flows (the "Flow Balance" command, and the last step of
    // "Standard Sizes"): the outer loop of new trees and meshes on the
    // present resistances around the mesh loop. Status becomes "Solved",
    // "Within tolerance" (at most WithinToleranceResidual Pa left in every
    // mesh, or the last mesh loop converged), "MaxIts reached" or "Data
    // error" (failed checks, or values that stopped being numbers, or a
    // failure inside the run, which a message names: the flows are then put
    // back as they were before the command).
    void Solve();
    // Solve starts the loop method from the flows of a whole-network
    // solve (solver/WarmStart.h) when that succeeds; tests and benchmarks
    // switch it off to see the loop method alone.
    bool UseWarmStart = true;
    // PathMark := 1 on the main fan and on the reference paths of both
    // reference nodes, 0 elsewhere.
    void MarkIndexRun();

    // Every branch's SizeFixed := Fixed.
    void SetAllSizeFixed(bool Fixed);
    // DesignVelocity := DuctVelocity for every branch.
    void CopyVelocitiesToDesign();
    // The manual resize of every duct at once. Each duct (kind Common)
    // takes, with ByDiameter, the diameter OutletDiameter when its to-node
    // is an Outlet, else MainDiameter, the diameter becoming the latest
    // known size; otherwise the aspect NewAspect, the aspect becoming the
    // latest known. Its sizes then follow (size-fixed ducts too: the user
    // asked for every duct). Fans and sink branches get D, height and
    // width 0 and aspect 1. Status "Not solved". A size or aspect needed
    // that is not a positive number changes nothing: false.
    bool SetDuctTypeAll(bool ByDiameter, double MainDiameter, double OutletDiameter, double NewAspect);

    // ---- duct sizing ("Equal Friction", "Velocity", "Static Regain",
    // "Standard Sizes"), on a network whose design flows are distributed
    // and set as its flows.
    // Every branch's ResetVelocity; status "Not solved".
    void ResetVelocities();
    // Neck sizes of the terminals from their design flows and kinds: every
    // branch with an outlet (inlet) terminal takes the neck diameter and
    // becomes size-fixed; status "Not solved".
    void ApplyOutletSizes();
    void ApplyInletSizes();
    // Σ EquivLength of all branches, the measure the sizing loops settle.
    double TotalEquivLength() const;
    // A damper works against the flow somewhere (below -0.0001 Pa).
    bool HasNegativeDamper() const;
    // The reference paths: from each reference node outward (the fan, chords
    // and Sink branches left out), every node's path follows the branch
    // whose drop plus its far node's path drop is largest (the last of
    // equals); terminals end the paths, and only paths that reach one count.
    // Dampers are cleared first. Each node keeps its successor and its
    // accumulated drop (RefLink, RefDrop); the reference nodes also hold
    // their whole path as RefPath.
    void SizeFromFan();
    // The path drops at the present total drops; SupplySum and ReturnSum
    // := the drops of the two reference nodes' paths.
    void SumSupplyReturn();
    // Pressures along the index run: the return path's far end at 0, back
    // to the fan; the fan's gain makes up both paths and its own items; the
    // supply path from the fan's outlet on. Path nodes and branches are
    // flagged visited.
    void CalcNodePressuresAlongPaths();
    // The static-regain start: the ducts at the fan by equal friction at the
    // start rate (or at the start velocity), then outward each branch by
    // static regain from the one feeding it; the chords by their pressure
    // gradient.
    void SizeBranchesAtFan();
    // The balancing walks from both reference nodes: every branch off the
    // index run gets the pressure left for it, taken by a damper (on a
    // size-fixed branch, else the last size-fixed one of its path, else with
    // usedampers the path's last) or, without one, by sizing the path's last
    // branch for it; a path that reaches no terminal only passes the
    // pressure on. Then the chords by their gradient (not for standard
    // sizes).
    void StaticRegainPass();
    // The start sizes of the present method, repeated until the total
    // equivalent length settles (at most 100 times).
    void PrepareSizing();
    // Sizes the ducts by the present method (0, 1 or 2) until the total
    // equivalent length settles: "Solved" (or "Not-balanced"), "Within
    // tolerance", "MaxIts reached", or "Data error" for a failed check or a
    // network without its main fan and reference nodes.
    void SizeDucts();
    // Method 4: every size stepped to the nearest standard size, the
    // pressures and dampers of the new sizes; "Solved" or "Not-balanced".
    void SizeStandard();
    // Passes of the last SizeDucts loop.
    int SizingPasses = 0;

    // ---- sorts (stable: equal keys keep their present order)
    // Keys: 0 id, 1 name, 2 relative pressure, 3 node type.
    void SortNodes(int Key, bool Ascending);
    // Keys: 0 id, 1 name, 2 volume flow, 3 design flow, 4 duct velocity,
    // 5 total drop, 6 length, 7 diameter, 8 width, 9 height (for 8 and 9 a
    // branch of duct type None counts as -1 and a Spiral as 0).
    void SortBranches(int Key, bool Ascending);

protected:
    // The air state between the drawing settings and the node list.
    void WriteHook(TValueWriter& Writer) const override;
    void ReadHook(TValueReader& Reader, TGraphDataVersion Version) override;
    // Also forgets the main fan when it goes.
    void ItemsGoing(const TDeletion& Going) override;

private:
    // Solve's run once the fan is checked and its flows are Saved; from the
    // present flows when FromPresentFlows, else afresh.
    void BalanceFrom(const TFlowSnapshot& Saved, bool FromPresentFlows);
    // Stops a solve command: status "Data error", ErrorBranch At, the
    // message "Data error in " followed by Text; false.
    bool DataError(TFlowBranch* At, const std::string& Text);
    void BuildDefaultNetwork();
    // The tree order of flow distribution (see DistributeFlows).
    void SortForDistribution();
    // The Outlet/Inlet side checks of flow distribution.
    bool CheckFanSides();
    // Sums the terminal design flows beyond Start (see DistributeFlows).
    double AccumulateFlows(TFlowNode* Start, TFlowBranch* From, int Sign);

    // ---- sizing walks (see the sizing operations above)
    struct TSizingFrame {
        TFlowNode* Node;
        std::size_t Next;  // the next link to look at
        double UpDiameter; // static regain: the feeding branch's diameter
        double UpMass;     // and its mass flow
    };
    // Depth-first stack of the walks, kept between passes.
    std::vector<TSizingFrame> SizingStack;
    // The nodes of the reference paths, far ends first, with their side
    // (-1 supply, +1 return).
    std::vector<std::pair<TFlowNode*, int>> PathOrder;
    // A run of ducts in series being sized as one.
    std::vector<TLink> RunWork;
    // The next link of the walk's top frame (frames whose links are done
    // come off first) with a copy of that frame; false once the walk is over.
    bool NextSizingLink(TSizingFrame& Frame, TLink& Link);
    void BuildReferencePath(TFlowNode* Ref, int Side);
    void RefreshPathDrops();
    void StaticRegainWalk(TFlowNode* Start, double UpDiameter, double UpMass);
    void BalancingWalk(TFlowNode* Start, int Side, double Reference, double Sum);
    void SizeChordsByGradient();
    // Every branch's duct geometry and friction factor, the fittings'
    // ratios and C-values in the first passes, then the sizing chain.
    void RecalcSizedBranches(int Pass);
    // The checks that open SizeDucts and SizeStandard: false, with status
    // "Data error", for a failed check or a network without its main fan
    // and reference nodes.
    bool StartSizing();
    // The pressures along the index run from the present drops, then the
    // balancing walks (StaticRegainPass).
    void BalancePass();
};
