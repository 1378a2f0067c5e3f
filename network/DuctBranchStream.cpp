// The duct branch's record in the document stream, with every version gate.

#include "network/DuctBranch.h"

#include "foundation/NumberFormat.h"
#include "foundation/ValueStream.h"
#include "network/FlowGraph.h"
#include "network/GraphError.h"
#include "network/Settings.h"

#include <cmath>

namespace {

class TBranchRecordReader {
public:
    TBranchRecordReader(TValueReader& Reader, int BranchId) : Reader(Reader), BranchId(BranchId) {}

    // An enumeration value: anything outside 0..Count-1 would index past the
    // tables of texts and defaults.
    int Enum(int Count, const char* What)
    {
        const std::int32_t Value = Reader.ReadInteger();
        if (Value < 0 || Value >= Count)
            Fail(What);
        return Value;
    }

    // A value the user gave (a size, a length, a flow): the computations
    // start from it, so a value that is no number fails the load.
    double Input(const char* What)
    {
        const double Value = Reader.ReadFloat();
        if (!std::isfinite(Value))
            Fail(What);
        return Value;
    }

    // A result of the last solve: the next solve computes it again, so a
    // value that is no number is only dropped.
    double Result()
    {
        const double Value = Reader.ReadFloat();
        return std::isfinite(Value) ? Value : 0.0;
    }

    template <class TItem>
    void List(std::vector<std::unique_ptr<TItem>>& Items)
    {
        Items.clear();
        Reader.ReadListBegin();
        while (!Reader.EndOfList())
            Items.push_back(std::make_unique<TItem>(Reader));
        Reader.ReadListEnd();
    }

private:
    TValueReader& Reader;
    int BranchId;

    [[noreturn]] void Fail(const char* What) const
    {
        throw EGraphError(std::string("Invalid ") + What + " in file: branch " + IntToStr(BranchId));
    }
};

// The writer never writes a value that is no number (a computation that
// ran away): it writes 0 in its place, so every file it makes reads back.
double Finite(double Value)
{
    return std::isfinite(Value) ? Value : 0.0;
}

void MakeFinite(TFixedFitting& Item)
{
    Item.EquivLength = Finite(Item.EquivLength);
    Item.Drop = Finite(Item.Drop);
}

void MakeFinite(TFixedC& Item)
{
    MakeFinite(static_cast<TFixedFitting&>(Item));
    Item.C = Finite(Item.C);
}

void MakeFinite(TFixedEndFitting& Item)
{
    MakeFinite(static_cast<TFixedFitting&>(Item));
    Item.C = Finite(Item.C);
    Item.RefVelocity = Finite(Item.RefVelocity);
    Item.RefDrop = Finite(Item.RefDrop);
}

template <class TItem>
void WriteItem(TValueWriter& Writer, const TItem& Item)
{
    TItem Copy = Item;
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
    Writer.WriteFloat(Finite(Diameter));
    Writer.WriteFloat(Finite(Length));

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
    const TFlowNode* To = ToFlowNode();
    const TFlowNode* From = FromFlowNode();
    if (To->NodeType == ntOutlet) {
        if (OutletTerminal) {
            WriteItem(Writer, *OutletTerminal);
        } else {
            TFlowBranch Default;
            Default.UpdateOutletTerminal(SettingsOf(*this), To->OutletKind);
            WriteItem(Writer, *Default.OutletTerminal);
        }
    }
    if (From->NodeType == ntInlet) {
        if (InletTerminal) {
            WriteItem(Writer, *InletTerminal);
        } else {
            TFlowBranch Default;
            Default.UpdateInletTerminal(SettingsOf(*this), From->InletKind);
            WriteItem(Writer, *Default.InletTerminal);
        }
    }

    Writer.WriteFloat(Finite(LeFittings));
    Writer.WriteFloat(Finite(LeDp));
    Writer.WriteFloat(Finite(LeC));
    Writer.WriteFloat(Finite(DeltaZ));
    Writer.WriteFloat(Finite(MassFlow));
    Writer.WriteFloat(Finite(VolumeFlow));
    Writer.WriteFloat(Finite(DesignFlow));
    Writer.WriteFloat(Finite(FrictionDrop));
    Writer.WriteFloat(Finite(StackDrop));
    Writer.WriteFloat(Finite(FixedDpSum));
    Writer.WriteFloat(Finite(FixedCSum));
    Writer.WriteFloat(Finite(PressureGain));
    Writer.WriteBoolean(Booster);
    Writer.WriteFloat(Finite(FittingsDrop));
    Writer.WriteBoolean(SizeFixed);
    Writer.WriteFloat(Finite(DamperDrop));
    Writer.WriteFloat(Finite(Reserved));

    Writer.WriteInteger(DuctType);
    Writer.WriteFloat(Finite(DuctHeight));
    Writer.WriteFloat(Finite(DuctWidth));
    Writer.WriteFloat(Finite(Aspect));
    Writer.WriteInteger(Keep1);
    Writer.WriteInteger(Keep2);
}

void TDuctBranch::ReadData(TValueReader& Reader, TGraphDataVersion Version)
{
    TBranch::ReadData(Reader, Version);
    TBranchRecordReader Read(Reader, Id());
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
