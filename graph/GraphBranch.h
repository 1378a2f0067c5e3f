#pragma once
// A directed branch of the graph library.

#include "foundation/BlockPool.h"
#include "foundation/NumericHelpers.h"
#include "graph/GraphDataVersion.h"

#include <string>

class TGraph;
class TNode;
class TValueReader;
class TValueWriter;

class TBranch {
public:
    VENTRIX_NETWORK_POOLED
    TBranch() = default;
    virtual ~TBranch() = default;
    TBranch(const TBranch&) = delete;
    TBranch& operator=(const TBranch&) = delete;

    TNode* FromNode = nullptr; // not owned
    TNode* ToNode = nullptr;
    TGraph* Graph = nullptr;   // the owning graph
    std::string Name;          // at most 255 characters
    int PrevId = -1;           // id before the last renumbering; -1 cleared
    double Weight = 0.0;       // sort key of the base spanning-tree order
    TFlagSet Flags = 0;
    int LabelX = -1;           // label position; -1, -1: automatic
    int LabelY = -1;
    // Display state owned by the editor.
    int BlockState = 0; // 0 free, 1 in the block selection, 2 highlighted
    int PathMark = 0;   // 1 or 2: on the main fan's index run
    // Indexes of the editor's glyph pictures (-1 none); never saved.
    int Glyph = -1;
    int SelectedGlyph = -1;
    // The position in the graph's branch list as of the last
    // TGraph::NumberBranches, its one writer. A stage that keeps per-branch
    // arrays numbers the branches before it reads Index: a new tree sorts
    // the list, and adding or deleting branches moves them, so a number
    // left by an earlier stage may be stale.
    int Index = -1;

    int Id() const { return FId; }

    // Defaults of a new branch: the id, the name "Branch <id>", both ends,
    // automatic label position, weight = id, flags 0.
    virtual void Init(int NewId, TNode* From, TNode* To);
    // The record after id, from-node id and to-node id, which the graph
    // handles itself: name, LabelX, LabelY, then what a derived class adds.
    virtual void WriteData(TValueWriter& Writer) const;
    virtual void ReadData(TValueReader& Reader, TGraphDataVersion Version);

    virtual std::string ReportRow(bool Detailed) const;
    virtual std::string ReportHeader(bool Detailed) const;
    virtual std::string ReportBlankRow(bool Detailed) const;

    virtual void SetFromNode(TNode* Node);
    virtual void SetToNode(TNode* Node);
    virtual std::string GetName() const;
    // Extra text shown with the branch (empty here).
    virtual std::string HintText() const;
    // Copies the label position and the display state (glyphs included).
    virtual void AssignData(const TBranch& Source);
    // PrevId := id; a name holding "Branch <old id>" (any case, no digit
    // following) takes "Branch <new id>"; then the id changes. The owning
    // graph's look-ups follow the new id.
    virtual void Renumber(int NewId);
    virtual bool IsActive() const { return true; }

    // The to-node when given the from-node, else the from-node.
    TNode* OtherNode(const TNode* Node) const;

private:
    friend class TGraph;
    int FId = 0;
};
