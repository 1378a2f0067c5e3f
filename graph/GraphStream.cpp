// The graph body in the value stream.

#include "graph/Graph.h"

#include "foundation/NumberFormat.h"
#include "foundation/ValueStream.h"
#include "graph/GraphError.h"

#include <cmath>

void TGraph::WriteHook(TValueWriter& /*Writer*/) const
{
}

void TGraph::ReadHook(TValueReader& /*Reader*/, TGraphDataVersion /*Version*/)
{
}

void TGraph::WriteData(TValueWriter& Writer) const
{
    Writer.WriteInteger(Width);
    Writer.WriteInteger(Height);
    Writer.WriteFloat(Scale);
    Writer.WriteBoolean(DrawToScale);
    Writer.WriteString(BackFileName);
    Writer.WriteFloat(BackZoomRatio);
    WriteHook(Writer);
    Writer.WriteListBegin();
    for (const auto& Node : NodeList) {
        Writer.WriteInteger(Node->Id());
        Node->WriteData(Writer);
    }
    Writer.WriteListEnd();
    Writer.WriteListBegin();
    for (const auto& Branch : BranchList) {
        Writer.WriteInteger(Branch->Id());
        Writer.WriteInteger(Branch->FromNode->Id());
        Writer.WriteInteger(Branch->ToNode->Id());
        Branch->WriteData(Writer);
    }
    Writer.WriteListEnd();
}

void TGraph::ReadData(TValueReader& Reader, TGraphDataVersion Version)
{
    ClearGraph();
    Width = Reader.ReadInteger();
    Height = Reader.ReadInteger();
    if (Version > gdv100) {
        Scale = Reader.ReadFloat();
        DrawToScale = Reader.ReadBoolean();
    }
    BackFileName = Reader.ReadString();
    BackZoomRatio = Reader.ReadFloat();
    // The editor sizes its drawing from these; nonsense must not reach it.
    if (Width < 0 || Height < 0)
        throw EGraphError("Invalid drawing size in file");
    if (!std::isfinite(Scale) || !std::isfinite(BackZoomRatio))
        throw EGraphError("Invalid drawing scale in file");
    ReadHook(Reader, Version);

    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        const int Id = Reader.ReadInteger();
        if (FindNode(Id))
            throw EGraphError("Duplicate node in file: node " + IntToStr(Id));
        std::unique_ptr<TNode> Node = ReadNode(Reader, Id, Version);
        if (!Node || Node->Id() != Id || !AddNode(std::move(Node)))
            throw EGraphError("Invalid node in file: node " + IntToStr(Id));
    }
    Reader.ReadListEnd();

    Reader.ReadListBegin();
    while (!Reader.EndOfList()) {
        const int Id = Reader.ReadInteger();
        const int FromId = Reader.ReadInteger();
        const int ToId = Reader.ReadInteger();
        if (FindBranch(Id))
            throw EGraphError("Duplicate branch in file: branch " + IntToStr(Id));
        if (FromId == ToId)
            throw EGraphError("Branch joins a node to itself in file: branch " + IntToStr(Id));
        TNode* From = GetOrAddNode(FromId);
        TNode* To = GetOrAddNode(ToId);
        if (!From || !To)
            throw EGraphError("Invalid branch in file: branch " + IntToStr(Id));
        std::unique_ptr<TBranch> Branch = ReadBranch(Reader, Id, From, To, Version);
        if (!Branch || Branch->Id() != Id || Branch->FromNode != From || Branch->ToNode != To)
            throw EGraphError("Invalid branch in file: branch " + IntToStr(Id));
        TBranch* Raw = Branch.get();
        Raw->Graph = this;
        BranchList.push_back(std::move(Branch));
        BranchById.emplace(Id, Raw);
        LinkBranch(Raw);
    }
    Reader.ReadListEnd();
}
