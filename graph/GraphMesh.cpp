#include "graph/GraphMesh.h"

#include "foundation/NumberFormat.h"
#include "graph/GraphBranch.h"

void TMesh::ChordAdded(TBranch* /*Chord*/)
{
}

void TMesh::Reuse(int NewId)
{
    Id = NewId;
    Links.clear();
}

std::string TMesh::ReportRow() const
{
    std::string Row = "\t";
    Row += FormatInt("%8d", Id);
    Row += " : \t";
    for (const TLink& L : Links)
        AppendLinkText(Row, L);
    return Row;
}

void AppendLinkText(std::string& Row, const TLink& Link)
{
    Row += Link.Direction > 0 ? '+' : '-';
    Row += IntToStr(Link.Branch->Id());
    Row += ", ";
}
