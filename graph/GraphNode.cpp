#include "graph/GraphNode.h"

#include "foundation/NumberFormat.h"
#include "foundation/ValueStream.h"
#include "graph/DrawingRange.h"
#include "graph/GraphBranch.h"
#include "graph/GraphFlags.h"
#include "graph/ShortString.h"

void TNode::Init(int NewId)
{
    FId = NewId;
    Name = "Node " + IntToStr(NewId);
    X = -1;
    Y = -1;
    Links.clear();
    Label = 0;
    Flags = 0;
    Weight = NewId;
    Orientation = 0;
    BlockState = 0;
}

void TNode::WriteData(TValueWriter& Writer) const
{
    Writer.WriteString(Name);
    Writer.WriteInteger(X);
    Writer.WriteInteger(Y);
}

void TNode::ReadData(TValueReader& Reader, TGraphDataVersion /*Version*/)
{
    Name = ToShortString(Reader.ReadString());
    X = NodeCoordinateInDrawing(Reader.ReadInteger());
    Y = NodeCoordinateInDrawing(Reader.ReadInteger());
}

std::string TNode::ReportRow(bool /*Detailed*/) const
{
    std::string Row = "\t";
    Row += FormatInt("%4d", FId);
    Row += "\t";
    return Row;
}

std::string TNode::ReportHeader(bool /*Detailed*/) const
{
    return "\t  id\t";
}

std::string TNode::ReportBlankRow(bool /*Detailed*/) const
{
    return "\t";
}

std::string TNode::IdText() const
{
    return IntToStr(FId);
}

std::string TNode::HintText() const
{
    return {};
}

void TNode::AssignData(const TNode& Source)
{
    X = Source.X;
    Y = Source.Y;
    Orientation = Source.Orientation;
    BlockState = Source.BlockState;
    Glyph = Source.Glyph;
    SelectedGlyph = Source.SelectedGlyph;
}

bool TNode::IsEndNode() const
{
    return Links.size() == 1;
}

bool TNode::SingleBranch(TBranch*& Branch) const
{
    Branch = Links.size() == 1 ? Links.front().Branch : nullptr;
    return Branch != nullptr;
}

bool TNode::IsOutgoingEnd(TBranch*& Branch, bool& Outgoing) const
{
    Outgoing = false;
    if (!SingleBranch(Branch))
        return false;
    Outgoing = Branch->FromNode == this;
    return true;
}

bool TNode::IsTreeLeaf() const
{
    int TreeBranches = 0;
    for (const TLink& L : Links)
        if (!BitIsSet(L.Branch->Flags, gfChord))
            ++TreeBranches;
    return TreeBranches <= 1;
}

void TNode::RemoveLink(const TBranch* Branch)
{
    for (auto It = Links.begin(); It != Links.end(); ++It) {
        if (It->Branch == Branch) {
            Links.erase(It);
            return;
        }
    }
}

void TNode::AddLink(TBranch* Branch)
{
    if (Branch->ToNode == this)
        Links.push_back({1, Branch});
    else if (Branch->FromNode == this)
        Links.push_back({-1, Branch});
}

bool TNode::HasBranch(const TBranch* Branch) const
{
    for (const TLink& L : Links)
        if (L.Branch == Branch)
            return true;
    return false;
}

bool TNode::IsAdjacentTo(const TNode* Other) const
{
    for (const TLink& L : Links)
        if (L.Branch->FromNode == Other || L.Branch->ToNode == Other)
            return true;
    return false;
}
