#pragma once
// A node of the duct network: a plain junction, a supply outlet, a return
// inlet, or the generated sink that closes every terminal into a loop with
// the fan. It carries the air state at the node and its pressures.

#include "graph/GraphNode.h"
#include "network/FlowEnums.h"

#include <string>
#include <vector>

class TFlowBranch;

class TFlowNode : public TNode {
public:
    double Residual = 0.0;    // cleared when the air state is applied; copied with the node
    double Pressure = 0.0;    // Pa, absolute
    double Density = 0.0;     // kg/m³
    double Elevation = 0.0;   // m ("depth" in reports)
    double ExtMassFlow = 0.0; // kg/s; an Outlet: minus its duct branch's mass flow
    double DryBulb = 0.0;     // °C
    // Paths of branches with the direction each is passed in: back to a
    // reference node (static regain) and from the fan to this node.
    std::vector<TLink> RefPath;
    std::vector<TLink> FanPath;
    // The reference path as sizing keeps it for every node: the position in
    // Links of the path's first branch (-1: the path ends here) and the drop
    // accumulated along the path in the direction of the air, Pa. Only the
    // two reference nodes also hold their path as RefPath (the index run).
    // Valid from the reference paths of a sizing run to the next change of
    // the network.
    int RefLink = -1;
    double RefDrop = 0.0;
    TNodeType NodeType = ntCommon;
    double RelPressure = 0.0; // Pa, relative to the barometric pressure
    TOutletKind OutletKind = okDiffuser;
    TInletKind InletKind = ikGrille;

    void Init(int NewId) override;
    // The record after name and position: node type, elevation, pressure,
    // dry bulb, density, relative pressure, external mass flow, then the
    // outlet and inlet kinds (from "GraphDataFile_v2.01" on; older documents
    // read kinds 0). A type or kind outside its enumeration raises
    // EGraphError.
    void WriteData(TValueWriter& Writer) const override;
    void ReadData(TValueReader& Reader, TGraphDataVersion Version) override;
    std::string ReportRow(bool Detailed) const override;
    std::string ReportHeader(bool Detailed) const override;
    std::string ReportBlankRow(bool Detailed) const override;
    // The relative pressure, "%0.1f Pa".
    std::string HintText() const override;
    // False for the Sink.
    bool IsActive() const override;
    // The position and display state, Residual, Elevation, ExtMassFlow, the
    // type, RelPressure and the kinds.
    void AssignData(const TNode& Source) override;
    // A link to the Sink does not count: with one link, its branch unless it
    // leads to the Sink; with two of which one leads to the Sink, the other.
    bool IsOutgoingEnd(TBranch*& Branch, bool& Outgoing) const override;

    // Links whose branch is not a Sink branch (0 for the Sink itself).
    int CountActiveBranches() const;
    // For an Outlet or Inlet: the first linked branch whose far node is not
    // the Sink; else nullptr.
    TFlowBranch* TerminalDuctBranch() const;
    // A linked branch has a nonzero pressure gain.
    bool HasGainBranch() const;
    // Forgets both paths when they pass Branch; true when one did.
    bool ForgetPathsThrough(const TBranch* Branch);

    bool IsSink() const { return NodeType == ntSink; }
    bool IsTerminal() const { return NodeType == ntOutlet || NodeType == ntInlet; }
};
