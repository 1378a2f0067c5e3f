#pragma once
// A duct fitting placed in the network (an elbow, a transition, a junction),
// named by its code in the fitting database and linked to the branches it
// joins. It turns the sizes and flows of those branches into one loss
// coefficient per link, which the branch takes as an equivalent length. The
// network owns its fittings.

#include "fittings/FittingTypes.h"
#include "graph/GraphDataVersion.h"

#include <string>
#include <utility>
#include <vector>

class TFlowBranch;
class TFlowGraph;
class TValueReader;
class TValueWriter;

// One link: the branch id, and the branch object while the link is resolved
// (nullptr when unresolved or when the branch was deleted).
struct TFittingLink {
    int BranchId = -1;
    TFlowBranch* Branch = nullptr;
};

// The process-wide serial counter of network fittings: every fitting created
// or read takes the next serial (the first is 1). A new network, and a
// document about to read its fittings, start it again at 0.
void ResetFittingSerial();
int NextFittingSerial();

class TFitting {
public:
    // What Calculate computes.
    enum TCalcMode {
        cmCValues = 0,        // CValues from the branch sizes, flows and FlowRatios
        cmCValues2 = 1,       // CValues2 at the Info inputs
        cmVelocityRatios = 2, // the axis values the sections determine
        cmFlowRatios = 3      // the starting axis values of sizing
    };

    // A new serial, empty arrays, flags false.
    TFitting();
    TFitting(std::string FittingCaption, std::string FittingCode);
    // The stream record (below), read for a document of Version; a new
    // serial. Raises EStreamError for a damaged record or a number that is
    // not finite.
    TFitting(TValueReader& Reader, TGraphDataVersion Version);

    bool Warning = false;   // a looked-up value lay outside a table's range
    int Serial = 0;
    std::string Code;       // the database key, "SD1-2"
    std::vector<double> Info; // the fitting's own inputs, in the database's input order
    std::vector<std::string> Roles; // one per link: "c", "s", "b", "b1", "b2", "0", "1"
    int Selected = 0;       // 1: copy with the block
    std::vector<double> CValues;  // per link, from the branch sizes and flows
    std::vector<double> CValues2; // per link, at the Info inputs
    std::vector<std::string> Remarks; // per link: "names = values" of the last lookup
    std::vector<TFittingLink> Links;
    std::vector<std::vector<double>> FlowRatios;     // per link, table-axis values
    std::vector<std::vector<double>> VelocityRatios; // per link; -1 marks an undetermined value
    bool Transition = false;
    bool Junction = false;
    std::string Caption;
    bool Connected = false; // every link resolved to an existing branch

    int LinkCount() const { return static_cast<int>(Links.size()); }

    // Caption, code, flags, info, roles, every per-link array and the links
    // (with their objects); Connected false. The serial stays this fitting's.
    void Assign(const TFitting& Source);
    // A copy for another network: a new serial, the same values and link
    // ids, no branch objects (they belong to the source network) and not
    // connected.
    TFitting CopyUnresolved() const;

    // ---- the stream record
    // Caption, code, Transition, Junction; the Info list; a list with, per
    // link, role, branch id, C-value and second C-value; a list with, per
    // link, a list of (flow ratio, velocity ratio) pairs.
    void WriteToWriter(TValueWriter& Writer) const;

    // ---- links
    // Connected := true; each link's object := the network's branch with its
    // id (nothing for id -1). A link left without a branch makes the fitting
    // unconnected, the network's LinksValid false and, with ClearMissing, its
    // id -1.
    void ResolveLinks(TFlowGraph& Network, bool ClearMissing);
    // Drops the object of every link to Branch (the id stays until the links
    // are resolved again); true when the fitting named it.
    bool ForgetBranch(const TFlowBranch* Branch);
    // True when a link names Branch by object.
    bool LinksTo(const TFlowBranch* Branch) const;
    // Links with id OldId take NewId and lose their object.
    void RenumberLinks(int OldId, int NewId);
    // The C-value of the first link to that branch id; false when none.
    bool FindBranchLink(int BranchId, double& C) const;

    // ---- coefficients
    // Computes the array of Mode for every link it can: nothing when there
    // are no links, when links and roles differ in number, or when a link
    // has no branch; a code the database does not hold stops it (the network
    // says so once per command). Warning tells whether a lookup lay outside
    // its table.
    void Calculate(int Mode);
    // Every velocity ratio above -1 with a matching flow ratio pulls that
    // flow ratio 0.8 of the way towards it.
    void RelaxRatios();
    // Adds each link's C-value to its branch's FittingsCSum.
    void AddCToBranches() const;

    // ---- texts of the fittings list
    // "Not connected", "Range", or empty.
    std::string GetWarningText() const;
    // Per link "<branch name>; ", or "<id>; " while the branch is missing
    // (nothing for id -1).
    std::string GetLinksText() const;
    // Per link "C<role>=<C, 3 decimals>; ".
    std::string GetCValuesText() const;

private:
    // Every per-link array gets one entry per link (new entries empty or 0),
    // so nothing is ever read outside them.
    void MatchArraysToLinks();
};
