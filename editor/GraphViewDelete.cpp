// Deletion in the graph view: the pop-up menus' single deletes and the
// block's all go one way, through DeleteItems.

#include "editor/GraphViewFrame.h"

#include "graph/Graph.h"

#include <QAction>

#include <unordered_set>
#include <utility>

namespace {

// Up to this many items redraw their own areas; more redraw the drawing.
constexpr std::size_t FewItems = 16;

} // namespace

void TGraphViewFrame::gvfDeleteNodeClick()
{
    if (FSelectedNode)
        DeleteUndoably([this] { DeleteNode(FSelectedNode); });
}

void TGraphViewFrame::gvfDeleteBranchClick()
{
    if (FSelectedBranch)
        DeleteUndoably([this] { DeleteBranch(FSelectedBranch); });
}

void TGraphViewFrame::DeleteUndoably(const std::function<void()>& Delete)
{
    const bool Saved = OnBeforeDelete ? OnBeforeDelete() : false;
    Delete();
    // Undo is offered only when the undo file was written.
    if (OnBeforeDelete)
        EnableAction(gvfActionUndoDelete, Saved);
}

void TGraphViewFrame::DeleteNode(TNode* Node)
{
    DeleteItems({Node}, {}, TDeleteReport::PerItem);
}

void TGraphViewFrame::DeleteBranch(TBranch* Branch)
{
    DeleteItems({}, {Branch}, TDeleteReport::PerItem);
}

void TGraphViewFrame::DeleteItems(const std::vector<TNode*>& Nodes, const std::vector<TBranch*>& Branches,
                                  TDeleteReport Report)
{
    if (!FGraph)
        return;
    const TGraph::TDeletion Going = FGraph->Deletion(Nodes, Branches);
    if (Going.Empty())
        return;
    if (Going.Takes(FSelectedNode))
        SelectNode(nullptr);
    if (Going.Takes(FSelectedBranch))
        SelectBranch(nullptr);
    if (Going.Nodes.size() + Going.Branches.size() <= FewItems) {
        for (const TNode* N : Going.Nodes)
            InvalidateNode(N);
        for (const TBranch* B : Going.Branches)
            InvalidateBranch(B);
    } else {
        InvalidateAll();
    }
    // The ends that stay, for OnBranchDeleted.
    std::vector<std::pair<TNode*, TNode*>> Ends;
    if (Report == TDeleteReport::PerItem) {
        std::unordered_set<const TNode*> Seen;
        for (const TNode* N : Going.Nodes)
            for (const TLink& L : N->Links)
                if (TNode* Far = L.Branch->OtherNode(N); Far && !Going.Takes(Far) && Seen.insert(Far).second)
                    Ends.emplace_back(Far, nullptr);
        for (TBranch* B : Going.Branches)
            if (!Going.Takes(B->FromNode) && !Going.Takes(B->ToNode))
                Ends.emplace_back(B->FromNode, B->ToNode);
    }

    for (TNode* N : Going.Nodes)
        BeforeDeleteNodeHook(N);
    for (TBranch* B : Going.Branches)
        BeforeDeleteBranchHook(B);
    if (Report == TDeleteReport::Once) {
        if (OnBeforeDeleteBlock)
            OnBeforeDeleteBlock(Going.Nodes, Going.Branches);
    } else {
        if (OnBeforeDeleteBranch)
            for (TBranch* B : Going.Branches)
                OnBeforeDeleteBranch(B);
        if (OnBeforeDeleteNode)
            for (TNode* N : Going.Nodes)
                OnBeforeDeleteNode(N);
    }
    if (Going.Takes(FHitNode))
        FHitNode = nullptr;
    if (Going.Takes(FHitBranch))
        FHitBranch = nullptr;
    if (Going.Takes(SpawnOrigin))
        SpawnOrigin = nullptr;
    FGraph->DeleteItems(Going.Nodes, Going.Branches);

    FireBranchSelected(FSelectedBranch);
    if (Report == TDeleteReport::Once) {
        if (OnBlockDeleted)
            OnBlockDeleted();
    } else if (OnBranchDeleted) {
        for (const auto& [From, To] : Ends)
            OnBranchDeleted(From, To);
    }
}
