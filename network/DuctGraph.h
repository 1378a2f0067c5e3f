#pragma once
// The duct network document: a flow network of duct and fan branches with
// its main fan. One instance is the open document.

#include "network/DuctBranch.h"
#include "network/FlowGraph.h"

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
    // Ascending FlowResistance (stable), then the main fan moved to the end,
    // so that it is a chord whenever it closes a loop.
    void SortForTree() override;
    // Also forgets the main fan when it goes.
    void DeleteBranch(TBranch* Branch) override;
    // The base merge; the kept node's terminals then follow its type.
    void MergeNodes(TNode* Keep, TNode* Drop) override;

    TDuctBranch* DuctBranch(int Id) const { return static_cast<TDuctBranch*>(FindBranch(Id)); }

    // Every branch's SizeFixed := Fixed.
    void SetAllSizeFixed(bool Fixed);
    // DesignVelocity := DuctVelocity for every branch.
    void CopyVelocitiesToDesign();

    // ---- sorts (stable: equal keys keep their present order)
    // Keys: 0 id, 1 name, 2 relative pressure, 3 node type.
    void SortNodes(int Key, bool Ascending);
    // Keys: 0 id, 1 name, 2 volume flow, 3 design flow, 4 duct velocity,
    // 5 total drop, 6 length, 7 diameter, 8 width, 9 height (for 8 and 9 a
    // branch of duct type None counts as -1 and a Spiral as 0).
    void SortBranches(int Key, bool Ascending);

private:
    void BuildDefaultNetwork();
};
