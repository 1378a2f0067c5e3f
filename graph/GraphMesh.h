#pragma once
// One independent loop of the graph: its chord first (direction +1), then
// the spanning-tree path from the chord's from-node back to its to-node.

#include "graph/GraphNode.h"

#include <string>
#include <vector>

class TMesh {
public:
    explicit TMesh(int MeshId) : Id(MeshId) {}
    virtual ~TMesh() = default;
    TMesh(const TMesh&) = delete;
    TMesh& operator=(const TMesh&) = delete;

    int Id; // 1-based in order of creation
    std::vector<TLink> Links;

    // Called once the chord link is in place.
    virtual void ChordAdded(TBranch* Chord);
    // Makes this mesh, taken off an earlier set, a new mesh of id NewId:
    // no links (their storage kept) and every value as a new mesh has it.
    virtual void Reuse(int NewId);
    // "\t%8d : \t" with the id, then "+" or "-" and "%d, " per link.
    virtual std::string ReportRow() const;
};

// Appends a link as the report's mesh and adjacency rows list it: "+" or "-"
// and "%d, " with the branch's id.
void AppendLinkText(std::string& Row, const TLink& Link);
