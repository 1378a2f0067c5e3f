#include "graph/GraphMesh.h"

#include "foundation/NumberFormat.h"
#include "graph/GraphBranch.h"

void TMesh::ChordAdded(TBranch* /*Chord*/)
{
}

std::string TMesh::ReportRow() const
{
    std::string Row = "\t" + FormatInt("%8d", Id) + " : \t";
    for (const TLink& L : Links)
        Row += (L.Direction > 0 ? "+" : "-") + IntToStr(L.Branch->Id()) + ", ";
    return Row;
}
