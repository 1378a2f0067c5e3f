#pragma once
// A node of the graph library and the signed links that tie it to its
// branches.

#include "foundation/BlockPool.h"
#include "foundation/NumericHelpers.h"
#include "graph/GraphDataVersion.h"

#include <string>
#include <vector>

class TBranch;
class TGraph;
class TValueReader;
class TValueWriter;

// One signed incidence. In a node's list +1 means the node is the branch's
// to-node, -1 its from-node; in a mesh's list +1 means the branch is passed in
// its own direction going around the mesh, -1 against it.
struct TLink {
    int Direction = 1;
    TBranch* Branch = nullptr;

    bool operator==(const TLink&) const = default;
};

class TNode {
public:
    VENTRIX_NETWORK_POOLED
    TNode() = default;
    virtual ~TNode() = default;
    TNode(const TNode&) = delete;
    TNode& operator=(const TNode&) = delete;

    int Label = 0;           // component label while the spanning tree is built
    TGraph* Graph = nullptr; // the owning graph
    std::string Name;        // at most 255 characters
    TFlagSet Flags = 0;
    std::vector<TLink> Links;
    double Weight = 0.0;     // the id on creation; the layout's subtree weight
    int X = -1;              // drawing position; -1, -1: not placed yet
    int Y = -1;
    // Display state owned by the editor.
    int Orientation = 0; // direction from which the layout reached the node
    int BlockState = 0;  // 0 free, 1 in the block selection, 2 highlighted
    // Indexes of the editor's glyph pictures (-1 none); never saved.
    int Glyph = -1;
    int SelectedGlyph = -1;
    // The position in the graph's node list as of the last
    // TGraph::NumberNodes, its one writer; a stage that keeps per-node
    // arrays numbers the nodes before it reads Index (adding or deleting
    // nodes moves them).
    int Index = -1;

    int Id() const { return FId; }

    // Defaults of a new node: the id, the name "Node <id>", no position, no
    // links, label and flags 0, weight = id. Only for a node not yet in a graph.
    virtual void Init(int NewId);
    // The record after the id, which the graph writes and reads itself:
    // name, X, Y, then what a derived class adds.
    virtual void WriteData(TValueWriter& Writer) const;
    virtual void ReadData(TValueReader& Reader, TGraphDataVersion Version);

    // Rows of the text report (no line end).
    virtual std::string ReportRow(bool Detailed) const;
    virtual std::string ReportHeader(bool Detailed) const;
    virtual std::string ReportBlankRow(bool Detailed) const;

    virtual std::string IdText() const;
    // Extra text shown with the node (empty here).
    virtual std::string HintText() const;
    virtual bool IsActive() const { return true; }
    // Copies the position and the display state (glyphs included).
    virtual void AssignData(const TNode& Source);

    // Exactly one link.
    virtual bool IsEndNode() const;
    // True and the branch when the node has exactly one link.
    virtual bool SingleBranch(TBranch*& Branch) const;
    // SingleBranch; Outgoing tells whether the node is that branch's from-node.
    virtual bool IsOutgoingEnd(TBranch*& Branch, bool& Outgoing) const;
    // At most one linked branch is not a chord.
    virtual bool IsTreeLeaf() const;
    // Deletes the first link to Branch.
    virtual void RemoveLink(const TBranch* Branch);
    // Appends +1 when this node is the branch's to-node, else -1 when it is
    // its from-node, else nothing.
    virtual void AddLink(TBranch* Branch);

    bool HasBranch(const TBranch* Branch) const;
    // Some linked branch starts or ends at Other.
    bool IsAdjacentTo(const TNode* Other) const;

private:
    friend class TGraph;
    int FId = 0;
};
