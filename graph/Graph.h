#pragma once
// The graph library: a directed graph that owns its nodes, branches and
// meshes (independent loops), keeps per-node lists of signed links, finds a
// spanning tree and one mesh per chord, reads and writes its body in the value
// stream and produces a text report. The duct network derives from it and
// overrides the factories and the virtual operations.
//
// Look-ups by id go through hash maps. Node ids are unique; branch ids are
// unique in every finished network, but may repeat for a moment (renumbering
// runs branch by branch), so FindBranch returns the first in list order.

#include "foundation/DisjointSets.h"
#include "graph/GraphBranch.h"
#include "graph/GraphDataVersion.h"
#include "graph/GraphMesh.h"
#include "graph/GraphNode.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

class TGraphReport;
class TValueReader;
class TWorkerTeam;
class TValueWriter;

class TGraph {
public:
    using TNodeList = std::vector<std::unique_ptr<TNode>>;
    using TBranchList = std::vector<std::unique_ptr<TBranch>>;
    using TMeshList = std::vector<std::unique_ptr<TMesh>>;
    // A caller's own branch order for the spanning tree.
    using TBranchOrdering = std::function<void(TBranchList&)>;

    // The fewest meshes worth a thread of their own, for every loop the
    // team shares out over the meshes.
    static constexpr std::size_t MeshesPerThread = 256;

    TGraph();
    virtual ~TGraph();
    TGraph(const TGraph&) = delete;
    TGraph& operator=(const TGraph&) = delete;

    int LoopCount = 0;  // expected number of independent loops
    int ChordCount = 0; // chords found by the last spanning tree
    std::vector<int> BranchOrder; // ids kept by SaveBranchOrder
    int Width = 900;    // drawing extent
    int Height = 900;
    double Scale = 0.03;
    bool DrawToScale = false;
    std::string BackFileName; // background picture
    double BackZoomRatio = 1.0;

    // The threads that share out the loops over a large network's
    // branches and meshes; they start when a loop first needs them.
    TWorkerTeam& Team() const;

    const TNodeList& Nodes() const { return NodeList; }
    const TBranchList& Branches() const { return BranchList; }
    const TMeshList& Meshes() const { return MeshList; }
    int NodeCount() const { return static_cast<int>(NodeList.size()); }
    int BranchCount() const { return static_cast<int>(BranchList.size()); }
    int MeshCount() const { return static_cast<int>(MeshList.size()); }

    // ---- the body in the value stream
    // Width, Height, Scale, DrawToScale, BackFileName, BackZoomRatio, the
    // write hook, the node list, the branch list.
    virtual void WriteData(TValueWriter& Writer) const;
    // Replaces the whole graph by the body read; version 1.00 bodies have no
    // Scale and DrawToScale. Raises EStreamError for a damaged stream and
    // EGraphError for a duplicate id or a branch joining a node to itself;
    // the graph is then left partly read (readers work on a fresh document).
    virtual void ReadData(TValueReader& Reader, TGraphDataVersion Version = gdvNewest);

    // ---- factories a derived graph overrides
    virtual std::unique_ptr<TNode> NewNode(int Id);
    virtual std::unique_ptr<TNode> ReadNode(TValueReader& Reader, int Id, TGraphDataVersion Version);
    virtual std::unique_ptr<TBranch> NewBranch(int Id, TNode* From, TNode* To);
    virtual std::unique_ptr<TBranch> ReadBranch(TValueReader& Reader, int Id, TNode* From, TNode* To,
                                                TGraphDataVersion Version);
    virtual std::unique_ptr<TMesh> NewMesh(int Id);

    // ---- virtual operations
    // The base order of the spanning tree: Weight ascending (a stable sort).
    virtual void SortForTree();
    virtual void ReportBranches(TGraphReport& Out, bool Detailed) const;
    // Copies the drawing settings (extent, scale, background picture).
    virtual void AssignSettings(const TGraph& Source);
    // What a deletion of the listed nodes and branches takes: this graph's
    // listed nodes, each once, in list order; then every branch linked to
    // them (node by node, in link order) and this graph's listed branches,
    // each once. Items that are not this graph's are passed over.
    struct TDeletion {
        std::vector<TNode*> Nodes;
        std::vector<TBranch*> Branches;
        std::unordered_set<const TNode*> NodeSet;
        std::unordered_set<const TBranch*> BranchSet;
        bool Empty() const { return Nodes.empty() && Branches.empty(); }
        bool Takes(const TNode* Node) const { return NodeSet.count(Node) != 0; }
        bool Takes(const TBranch* Branch) const { return BranchSet.count(Branch) != 0; }
    };
    TDeletion Deletion(const std::vector<TNode*>& Nodes, const std::vector<TBranch*>& Branches) const;
    // Deletes what Deletion(Nodes, Branches) takes, in time linear in the
    // graph: a selection of thousands goes in one pass. Every deletion of
    // the graph goes through here; derived graphs let go of what goes in
    // ItemsGoing.
    void DeleteItems(const std::vector<TNode*>& Nodes, const std::vector<TBranch*>& Branches);
    // One node with every branch linked to it; one branch.
    void DeleteNode(TNode* Node) { DeleteItems({Node}, {}); }
    void DeleteBranch(TBranch* Branch) { DeleteItems({}, {Branch}); }
    // Swaps the branch's ends and links them again.
    virtual void ReverseBranch(TBranch* Branch);
    // Moves Drop's branches to Keep (a branch between the two, or one whose
    // far node Keep already reaches, is deleted instead), then deletes Drop.
    // Merging a node with itself does nothing. It runs as MergeLosses,
    // DeleteItems, TakeLinks and DeleteNode(Drop), so that an editor can
    // take the same steps with its own deletions.
    void MergeNodes(TNode* Keep, TNode* Drop);
    // The branches a merge of Drop into Keep deletes, each once, in the
    // order the merge meets them (Drop's links, last first): one joining the
    // two, a loop on Drop, one whose far node Keep reaches already or
    // through a branch moved before it. Empty when the two cannot merge.
    std::vector<TBranch*> MergeLosses(const TNode* Keep, const TNode* Drop) const;
    // Moves every branch of Drop to Keep, Drop left without links; none of
    // MergeLosses(Keep, Drop) may be left. Derived graphs update Keep.
    virtual void TakeLinks(TNode* Keep, TNode* Drop);
    // Both nodes are this graph's, and not the same one.
    bool CanMergeNodes(const TNode* Keep, const TNode* Drop) const;
    // A neighbour of Node is adjacent to Other.
    virtual bool HasCommonNeighbour(const TNode* Node, const TNode* Other) const;
    // The first node; nullptr when there are none.
    virtual TNode* RootNode() const;
    // Fills Out with the report; WithNodeList adds the list of active nodes.
    virtual void Report(TGraphReport& Out, bool Detailed, bool WithNodeList) const;

    // ---- building
    // The node with that id, else a new one from NewNode, appended.
    TNode* GetOrAddNode(int Id);
    // Appends a node made elsewhere (the clipboard, a paste). Refuses, and
    // returns nullptr, a node whose id is taken or whose class this graph
    // does not hold.
    TNode* AddNode(std::unique_ptr<TNode> Node);
    // A new branch from NewBranch between the nodes with these ids (made when
    // missing). An id already present gives the message "Branch <id> cannot
    // be added twice" and nullptr.
    TBranch* AddBranch(int Id, int FromId, int ToId);
    // As AddBranch between two nodes of this graph; nullptr for nodes that
    // are not this graph's.
    TBranch* AddBranchBetween(int Id, TNode* From, TNode* To);
    // AddBranchBetween for an id known to be free and ends known to be this
    // graph's nodes (the generated items of a check): no look-ups.
    TBranch* AddBranchUnchecked(int Id, TNode* From, TNode* To);
    // Room for Count more branches, so adding them moves nothing.
    void ReserveBranches(std::size_t Count);
    // Rebuilds every node's link list from the branch list.
    void BuildAdjacency();

    // ---- look-ups
    TNode* FindNode(int Id) const;
    TBranch* FindBranch(int Id) const;
    TBranch* FindBranchByName(const std::string& Name) const;
    int BranchIndex(int Id) const; // list position, -1 when absent
    int NodeIndex(const TNode* Node) const;
    // Id of the branch whose PrevId is PrevIdValue; -1 for -1 or none.
    int FindBranchByPrevId(int PrevIdValue) const;
    // The first branch with that id not yet flagged visited; flags it.
    TBranch* TakeBranchById(int Id);
    int MaxNodeId() const;   // 0 when none is larger
    int MaxBranchId() const; // 0 when none is larger
    int MinBranchId() const; // 0 when none is smaller

    // ---- flags and labels
    void ClearNodeFlag(int Bit);
    void ClearBranchFlag(int Bit);
    void ClearPreviousBranchIds();
    // Every node labelled Old, or every node when Old is -1, is labelled New.
    void RelabelNodes(int Old, int New);

    // ---- spanning tree and meshes
    // The meshes go; their objects are kept for the next BuildMeshes, which
    // would otherwise free and allocate tens of thousands of link lists at
    // every pass of a solver.
    void ClearMeshes();
    // Orders the branches (SortForTree, or Ordering when given) and labels
    // the components: a branch not excluded is a chord (flagged gfChord)
    // exactly when its ends are already connected by earlier branches.
    void BuildSpanningTree(const TBranchOrdering& Ordering = {});
    // LoopCount := branches - nodes + 1 (or Upper - Lower + 1 when Upper is
    // nonzero); builds the tree (in SortForTree's order, or Ordering's when
    // given) and, when the chords match the loop count,
    // one mesh per chord with its circuit. A mismatch gives the message
    // "Disconnected network.  Make sure all nodes and branches are connected
    // and re-solve"; a circuit that cannot be traced gives "Error building
    // mesh circuits" and leaves no meshes. False on either.
    bool BuildMeshes(int Upper = 0, int Lower = 0, const TBranchOrdering& Ordering = {});
    // What BuildMeshes does before it traces the circuits: the meshes
    // cleared, the tree built and its chords checked against the loop
    // count, with the same message. False when they do not match.
    bool CheckLoops(int Upper = 0, int Lower = 0, const TBranchOrdering& Ordering = {});

    // ---- list positions
    // Every branch's Index := its position in the branch list, and every
    // node's in the node list: the one numbering that the stages keeping
    // per-branch or per-node arrays share.
    void NumberBranches();
    void NumberNodes();

    // ---- branch order
    void SaveBranchOrder();
    void RestoreBranchOrder();
    // Stable sort by id ascending (the report order).
    void SortBranchesById();
    // Takes the branch at list position From out and puts it back at
    // position To (as counted after taking it out); the others keep their
    // order. Positions outside the list change nothing.
    void MoveBranch(int From, int To);

protected:
    TNodeList& MutableNodes() { return NodeList; }
    TBranchList& MutableBranches() { return BranchList; }

    // Derived graphs write and read their own fields here, between the
    // drawing settings and the node list.
    virtual void WriteHook(TValueWriter& Writer) const;
    virtual void ReadHook(TValueReader& Reader, TGraphDataVersion Version);
    // Whether a node made elsewhere may join this graph.
    virtual bool AcceptsNode(const TNode& Node) const;

    // Told of a deletion before its items leave the graph (all of them
    // still linked); derived graphs drop their own references to them here.
    virtual void ItemsGoing(const TDeletion& Going);

    // Hands a message to the user (through the warning sink).
    void ShowMessage(const std::string& Text) const;
    // Frees meshes, branches and nodes, in that order.
    void ClearGraph();

private:
    friend class TBranch;

    TNodeList NodeList;
    TBranchList BranchList;
    TMeshList MeshList;
    TMeshList SpareMeshes; // cleared meshes, for BuildMeshes to reuse
    // A new mesh of id Id: a spare one made new, else NewMesh's.
    std::unique_ptr<TMesh> ReusedMesh(int Id);
    std::unordered_map<int, TNode*> NodeById;
    std::unordered_multimap<int, TBranch*> BranchById;

    // Working arrays of the tree walks, kept between calls so that the
    // solver's repeated rebuilds do not allocate. Positions are node list
    // positions (TNode::Index).
    struct TTreeWork {
        TDisjointSets Set;         // the components so far
        std::vector<int> SetLabel; // component label of a union-find root
        // The tree branches (not chords, not excluded, not loops) and the
        // chords, in list order.
        std::vector<int> EdgeFrom;
        std::vector<int> EdgeTo;
        std::vector<TBranch*> EdgeBranch;
        std::vector<TBranch*> Chords;
        bool AnyExcludedNode = false;
        bool AnyOpenExcludedBranch = false; // excluded and not a loop
        // The rooted forest of the tree branches.
        std::vector<int> AdjStart; // tree edges of node I: Adj[AdjStart[I] .. AdjStart[I + 1])
        std::vector<int> Adj;
        std::vector<int> Parent;   // -1 for a root
        std::vector<TBranch*> ParentBranch;
        std::vector<char> ParentBranchLeaves; // the branch runs from the node to its parent
        std::vector<int> Depth;
        std::vector<int> Queue;
        std::vector<TLink> Up;     // circuit: links climbed from the target side
        std::vector<TLink> Down;   // circuit: links climbed from the start side
        std::vector<std::pair<TNode*, std::size_t>> Stack; // depth-first search
        std::vector<TLink> Entered;
    };
    TTreeWork Work;
    mutable std::unique_ptr<TWorkerTeam> Workers;

    // The spanning tree; ForMeshes also clears the nodes' visited marks and
    // notes what the circuit tracing needs.
    void LabelComponents(const TBranchOrdering& Ordering, bool ForMeshes);
    void BuildTreeForest();
    // Up and Down are the caller's working lists, so that meshes can be
    // traced side by side.
    bool TraceByTree(TMesh& Mesh, TNode* Start, TNode* Target, bool CheckBlocked, std::vector<TLink>& Up,
                     std::vector<TLink>& Down) const;
    bool TraceBySearch(TMesh& Mesh, TNode* Start, TNode* Target);
    bool ExcludedBranchesEndBlocked() const;
    bool NeedsSearch(const TNode* Target) const;

    void LinkBranch(TBranch* Branch);
    void UnlinkBranch(TBranch* Branch);
    void BranchIdChanged(TBranch* Branch, int OldId);
    void RemoveBranchIndex(TBranch* Branch, int Id);
};
