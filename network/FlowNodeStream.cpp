// The flow node's record in the document stream.

#include "network/FlowNode.h"

#include "network/RecordReader.h"

// The air state and pressures at the node are results of the last solve or
// of the network's air: a value that is no number is dropped (written and
// read as 0). The elevation is the user's and must be a number.

void TFlowNode::WriteData(TValueWriter& Writer) const
{
    TNode::WriteData(Writer);
    Writer.WriteInteger(NodeType);
    Writer.WriteFloat(FiniteOrZero(Elevation));
    Writer.WriteFloat(FiniteOrZero(Pressure));
    Writer.WriteFloat(FiniteOrZero(DryBulb));
    Writer.WriteFloat(FiniteOrZero(Density));
    Writer.WriteFloat(FiniteOrZero(RelPressure));
    Writer.WriteFloat(FiniteOrZero(ExtMassFlow));
    Writer.WriteInteger(OutletKind);
    Writer.WriteInteger(InletKind);
}

void TFlowNode::ReadData(TValueReader& Reader, TGraphDataVersion Version)
{
    TNode::ReadData(Reader, Version);
    TRecordReader Read(Reader, "node", Id());
    NodeType = static_cast<TNodeType>(Read.Enum(NodeTypeCount, "node type"));
    Elevation = Read.Input("elevation");
    Pressure = Read.Result();
    DryBulb = Read.Result();
    Density = Read.Result();
    RelPressure = Read.Result();
    ExtMassFlow = Read.Result();
    OutletKind = okDiffuser;
    InletKind = ikGrille;
    if (Version >= gdv201) {
        OutletKind = static_cast<TOutletKind>(Read.Enum(OutletKindCount, "outlet kind"));
        InletKind = static_cast<TInletKind>(Read.Enum(InletKindCount, "inlet kind"));
    }
}
