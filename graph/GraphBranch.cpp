#include "graph/GraphBranch.h"

#include "foundation/NumberFormat.h"
#include "foundation/ValueStream.h"
#include "graph/DrawingRange.h"
#include "graph/Graph.h"
#include "graph/GraphNode.h"
#include "graph/NumberedName.h"
#include "graph/ShortString.h"

void TBranch::Init(int NewId, TNode* From, TNode* To)
{
    FId = NewId;
    Name = "Branch " + IntToStr(NewId);
    SetFromNode(From);
    SetToNode(To);
    LabelX = -1;
    LabelY = -1;
    Weight = NewId;
    Flags = 0;
    BlockState = 0;
    PathMark = 0;
}

void TBranch::WriteData(TValueWriter& Writer) const
{
    Writer.WriteString(Name);
    Writer.WriteInteger(LabelX);
    Writer.WriteInteger(LabelY);
}

void TBranch::ReadData(TValueReader& Reader, TGraphDataVersion /*Version*/)
{
    Name = ToShortString(Reader.ReadString());
    LabelX = LabelCoordinateInDrawing(Reader.ReadInteger());
    LabelY = LabelCoordinateInDrawing(Reader.ReadInteger());
}

std::string TBranch::ReportRow(bool /*Detailed*/) const
{
    std::string Row = "\t";
    Row += FormatInt("%4d", FId);
    Row += "\t";
    Row += FormatInt("%4d", FromNode ? FromNode->Id() : 0);
    Row += "\t";
    Row += FormatInt("%4d", ToNode ? ToNode->Id() : 0);
    Row += "\t";
    Row += Name;
    return Row;
}

std::string TBranch::ReportHeader(bool /*Detailed*/) const
{
    return "\t  id\tfrom\t  to\tname";
}

std::string TBranch::ReportBlankRow(bool /*Detailed*/) const
{
    return "\t";
}

void TBranch::SetFromNode(TNode* Node)
{
    FromNode = Node;
}

void TBranch::SetToNode(TNode* Node)
{
    ToNode = Node;
}

std::string TBranch::GetName() const
{
    return Name;
}

std::string TBranch::HintText() const
{
    return {};
}

void TBranch::AssignData(const TBranch& Source)
{
    LabelX = Source.LabelX;
    LabelY = Source.LabelY;
    BlockState = Source.BlockState;
    PathMark = Source.PathMark;
    Glyph = Source.Glyph;
    SelectedGlyph = Source.SelectedGlyph;
}

void TBranch::Renumber(int NewId)
{
    const int OldId = FId;
    PrevId = OldId;
    ReplaceNumberedWord(Name, "Branch ", OldId, NewId, false);
    FId = NewId;
    if (Graph)
        Graph->BranchIdChanged(this, OldId);
}

TNode* TBranch::OtherNode(const TNode* Node) const
{
    return Node == FromNode ? ToNode : FromNode;
}
