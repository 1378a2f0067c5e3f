// The flow node's record in the document stream.

#include "network/FlowNode.h"

#include "foundation/NumberFormat.h"
#include "foundation/ValueStream.h"
#include "network/GraphError.h"

#include <cmath>

namespace {

// An enumeration value read from a document: anything outside 0..Count-1
// would index past the tables of texts and defaults.
int CheckedEnum(std::int32_t Value, int Count, const char* What, int NodeId)
{
    if (Value < 0 || Value >= Count)
        throw EGraphError(std::string("Invalid ") + What + " in file: node " + IntToStr(NodeId));
    return Value;
}

// The air state and pressures at the node are results of the last solve or
// of the network's air: a value that is no number is dropped (written and
// read as 0), so every file the writer makes reads back.
double Result(double Value)
{
    return std::isfinite(Value) ? Value : 0.0;
}

} // namespace

void TFlowNode::WriteData(TValueWriter& Writer) const
{
    TNode::WriteData(Writer);
    Writer.WriteInteger(NodeType);
    Writer.WriteFloat(Result(Elevation));
    Writer.WriteFloat(Result(Pressure));
    Writer.WriteFloat(Result(DryBulb));
    Writer.WriteFloat(Result(Density));
    Writer.WriteFloat(Result(RelPressure));
    Writer.WriteFloat(Result(ExtMassFlow));
    Writer.WriteInteger(OutletKind);
    Writer.WriteInteger(InletKind);
}

void TFlowNode::ReadData(TValueReader& Reader, TGraphDataVersion Version)
{
    TNode::ReadData(Reader, Version);
    NodeType = static_cast<TNodeType>(CheckedEnum(Reader.ReadInteger(), NodeTypeCount, "node type", Id()));
    Elevation = Reader.ReadFloat();
    if (!std::isfinite(Elevation))
        throw EGraphError("Invalid elevation in file: node " + IntToStr(Id()));
    Pressure = Result(Reader.ReadFloat());
    DryBulb = Result(Reader.ReadFloat());
    Density = Result(Reader.ReadFloat());
    RelPressure = Result(Reader.ReadFloat());
    ExtMassFlow = Result(Reader.ReadFloat());
    OutletKind = okDiffuser;
    InletKind = ikGrille;
    if (Version >= gdv201) {
        OutletKind = static_cast<TOutletKind>(CheckedEnum(Reader.ReadInteger(), OutletKindCount, "outlet kind", Id()));
        InletKind = static_cast<TInletKind>(CheckedEnum(Reader.ReadInteger(), InletKindCount, "inlet kind", Id()));
    }
}
