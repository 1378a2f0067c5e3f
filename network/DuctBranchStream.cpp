// The duct branch's record in the document stream, with every version gate.

#include "network/DuctBranch.h"

#include "network/FlowGraph.h"
#include "network/RecordReader.h"
#include "network/Settings.h"

namespace {

void MakeFinite(TFixedFitting& Item)
{
    Item.EquivLength = FiniteOrZero(Item.EquivLength);
    Item.Drop = FiniteOrZero(Item.Drop);
}

void MakeFinite(TFixedC& Item)
{
    MakeFinite(static_cast<TFixedFitting&>(Item));
    Item.C = FiniteOrZero(Item.C);
}

void MakeFinite(TFixedEndFitting& Item)
{
    MakeFinite(static_cast<TFixedFitting&>(Item));
    Item.C = FiniteOrZero(Item.C);
    Item.RefVelocity = FiniteOrZero(Item.RefVelocity);
    Item.RefDrop = FiniteOrZero(Item.RefDrop);
}

// An item as stored: a copy with 0 for every value that is no number.
template <class TItem>
void WriteItem(TValueWriter& Writer, TItem Copy)
{
    MakeFinite(Copy);
    Copy.WriteData(Writer);
}

// The settings the branch's network computes with.
const TSettings& SettingsOf(const TBranch& Branch)
{
    const auto* Network = dynamic_cast<const TFlowGraph*>(Branch.Graph);
    return Network ? Network->Settings() : DesignSettings();
}

} // namespace

void TDuctBranch::WriteData(TValueWriter& Writer) const
{
    TBranch::WriteData(Writer);
    Writer.WriteInteger(Kind);
    Writer.WriteFloat(FiniteOrZero(Diameter));
    Writer.WriteFloat(FiniteOrZero(Length));

    Writer.WriteListBegin();
    for (const auto& Item : FixedDps)
        WriteItem(Writer, *Item);
    Writer.WriteListEnd();
    Writer.WriteListBegin();
    for (const auto& Item : FixedCs)
        WriteItem(Writer, *Item);
    Writer.WriteListEnd();

    // The reader expects a terminal record wherever the node types call for
    // one; a branch that lost its terminal (or never had one) gets the
    // default of its node's kind, so the file always reads back.
    if (ToFlowNode()->NodeType == ntOutlet)
        WriteItem(Writer, TerminalOrDefault(SettingsOf(*this), true));
    if (FromFlowNode()->NodeType == ntInlet)
        WriteItem(Writer, TerminalOrDefault(SettingsOf(*this), false));

    Writer.WriteFloat(FiniteOrZero(LeFittings));
    Writer.WriteFloat(FiniteOrZero(LeDp));
    Writer.WriteFloat(FiniteOrZero(LeC));
    Writer.WriteFloat(FiniteOrZero(DeltaZ));
    Writer.WriteFloat(FiniteOrZero(MassFlow));
    Writer.WriteFloat(FiniteOrZero(VolumeFlow));
    Writer.WriteFloat(FiniteOrZero(DesignFlow));
    Writer.WriteFloat(FiniteOrZero(FrictionDrop));
    Writer.WriteFloat(FiniteOrZero(StackDrop));
    Writer.WriteFloat(FiniteOrZero(FixedDpSum));
    Writer.WriteFloat(FiniteOrZero(FixedCSum));
    Writer.WriteFloat(FiniteOrZero(PressureGain));
    Writer.WriteBoolean(Booster);
    Writer.WriteFloat(FiniteOrZero(FittingsDrop));
    Writer.WriteBoolean(SizeFixed);
    Writer.WriteFloat(FiniteOrZero(DamperDrop));
    Writer.WriteFloat(FiniteOrZero(Reserved));

    Writer.WriteInteger(DuctType);
    Writer.WriteFloat(FiniteOrZero(DuctHeight));
    Writer.WriteFloat(FiniteOrZero(DuctWidth));
    Writer.WriteFloat(FiniteOrZero(Aspect));
    Writer.WriteInteger(Keep1);
    Writer.WriteInteger(Keep2);
}

void TDuctBranch::ReadData(TValueReader& Reader, TGraphDataVersion Version)
{
    TBranch::ReadData(Reader, Version);
    TRecordReader Read(Reader, "branch", Id());
    Kind = static_cast<TBranchKind>(Read.Enum(BranchKindCount, "branch kind"));
    Diameter = Read.Input("diameter");
    Length = Read.Input("length");

    Read.List(FixedDps);
    Read.List(FixedCs);

    // Outlet terminals are stored from v2.00 on, inlet terminals from v2.01
    // on; older documents get theirs when the network is completed.
    OutletTerminal.reset();
    InletTerminal.reset();
    if (ToFlowNode()->NodeType == ntOutlet && Version >= gdv200)
        OutletTerminal = std::make_unique<TFixedEndFitting>(Reader, Version);
    if (FromFlowNode()->NodeType == ntInlet && Version >= gdv201)
        InletTerminal = std::make_unique<TFixedEndFitting>(Reader, Version);

    LeFittings = Read.Result();
    LeDp = Read.Result();
    LeC = Version >= gdv202 ? Read.Result() : 0.0;
    DeltaZ = Read.Result();
    MassFlow = Read.Result();
    VolumeFlow = Read.Result();
    DesignFlow = Version >= gdv102 ? Read.Input("design flow") : VolumeFlow;
    FrictionDrop = Read.Result();
    StackDrop = Read.Result();
    if (Version >= gdv202) {
        FixedDpSum = Read.Result();
        FixedCSum = Read.Result();
        PressureGain = Read.Input("pressure gain");
        Booster = Reader.ReadBoolean();
    } else {
        // Older documents knew no fixed C drops and no separate booster
        // switch: any gain on a duct was a booster.
        FixedDpSum = Read.Result();
        FixedCSum = 0.0;
        PressureGain = Read.Input("pressure gain");
        Booster = PressureGain != 0.0;
    }
    FittingsDrop = Read.Result();
    SizeFixed = Version >= gdv203 ? Reader.ReadBoolean() : false;
    DamperDrop = Version >= gdv204 ? Read.Result() : 0.0;
    Reserved = Version >= gdv204 ? Read.Result() : 0.0;

    DuctType = static_cast<TDuctType>(Read.Enum(DuctTypeCount, "duct type"));
    DuctHeight = Read.Input("duct height");
    DuctWidth = Read.Input("duct width");
    Aspect = Read.Input("aspect ratio");
    // Keeps: 0 none, 1 height, 2 width, 3 aspect.
    Keep1 = static_cast<std::uint8_t>(Read.Enum(4, "size keep"));
    Keep2 = Version >= gdv200 ? static_cast<std::uint8_t>(Read.Enum(4, "size keep")) : Keep1;
}
