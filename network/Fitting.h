#pragma once
// A duct fitting placed in the network (an elbow, a transition, a junction),
// named by its code in the fitting database and linked to the branches it
// joins. The network owns its fittings. Here are the fitting's values and its
// links; the coefficient calculations belong with the fitting database.

#include <string>
#include <utility>
#include <vector>

class TFlowBranch;

// One link: the branch id, and the branch object while the link is resolved
// (nullptr when unresolved or when the branch was deleted).
struct TFittingLink {
    int BranchId = -1;
    TFlowBranch* Branch = nullptr;
};

class TFitting {
public:
    TFitting() = default;
    TFitting(std::string FittingCaption, std::string FittingCode)
        : Code(std::move(FittingCode)), Caption(std::move(FittingCaption)) {}

    bool Warning = false;   // a looked-up value lay outside a table's range
    int Serial = 0;
    std::string Code;       // the database key, "SD1-2"
    std::vector<double> Info;
    std::vector<std::string> Roles; // one per link: "c", "s", "b", "b1", "b2", "0", "1"
    int Selected = 0;       // 1: copy with the block
    std::vector<double> CValues;  // per link, from the branch sizes and flows
    std::vector<double> CValues2; // per link, at the Info inputs
    std::vector<std::string> Remarks;
    std::vector<TFittingLink> Links;
    std::vector<std::vector<double>> FlowRatios;
    std::vector<std::vector<double>> VelocityRatios;
    bool Transition = false;
    bool Junction = false;
    std::string Caption;
    bool Connected = false; // every link resolved to an existing branch

    // A copy for another network: the same values and link ids, no branch
    // objects (they belong to the source network) and not connected.
    TFitting CopyUnresolved() const;
    // Drops the object of every link to Branch (the id stays until the links
    // are resolved again); true when the fitting named it.
    bool ForgetBranch(const TFlowBranch* Branch);
    // True when a link names Branch by object.
    bool LinksTo(const TFlowBranch* Branch) const;
};
