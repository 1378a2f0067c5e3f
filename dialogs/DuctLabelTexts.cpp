#include "dialogs/DuctLabelTexts.h"

#include "foundation/NumberFormat.h"
#include "foundation/Units.h"
#include "network/DuctBranch.h"
#include "network/FlowNode.h"

namespace {

struct TQuantityDef {
    TUnitsType Type;
    int Base;    // the unit the value is held in
    int Default; // the unit shown when nobody says otherwise
};

// Pressures are held in Pa (unit 1 of the pressure-drop units); lengths in
// m; a duct's sizes shown in mm by default.
constexpr TQuantityDef Quantities[LabelQuantityCount] = {
    {utAirFlowPrim, 0, 0},  // lqFlow
    {utVelocity, 0, 0},     // lqVelocity
    {utAirPressDrop, 1, 1}, // lqPressureDrop
    {utLengthSec, 0, 2},    // lqDiameter
    {utLengthBig, 0, 0},    // lqLength
    {utLengthSec, 0, 2},    // lqWidth
    {utLengthSec, 0, 2},    // lqHeight
    {utAirPressDrop, 1, 1}, // lqRelPressure
};

void AppendItem(std::string& Text, const std::string& Item)
{
    Text += Item;
    Text += ' ';
}

} // namespace

TLabelChoice TLabelChoice::Defaults()
{
    TLabelChoice C;
    C.BranchLabel[biCaption] = true;
    C.BranchHint[biVolume] = true;
    C.BranchHint[biDims] = true;
    C.NodeLabel[niId] = true;
    C.NodeHint[niRelPressure] = true;
    return C;
}

int TDuctLabelTexts::DefaultUnit(TLabelQuantity Quantity) { return Quantities[Quantity].Default; }

std::string TDuctLabelTexts::ValueText(TLabelQuantity Quantity, double Value) const
{
    const TQuantityDef& Def = Quantities[Quantity];
    const int Index = ClampUnitIndex(Def.Type, UnitsOf ? UnitsOf(Quantity) : Def.Default);
    TUnit& U = Units[static_cast<std::size_t>(Quantity)];
    if (U.Index != Index) {
        GetConversion(Def.Type, Index, Def.Base, U.Format, U.Offset, U.Factor, U.Label);
        U.Index = Index;
    }
    std::string Text = FormatFloat(U.Format, ApplyConversion(Value, U.Factor, U.Offset));
    if (!U.Label.empty()) {
        Text += ' ';
        Text += U.Label;
    }
    return Text;
}

std::string TDuctLabelTexts::SizeText(const TDuctBranch& Branch) const
{
    return ValueText(lqWidth, Branch.DuctWidth) + " X " + ValueText(lqHeight, Branch.DuctHeight);
}

std::string TDuctLabelTexts::BranchText(const TDuctBranch& Branch,
                                        const std::array<bool, BranchItemCount>& Items) const
{
    std::string Text;
    if (Items[biId])
        AppendItem(Text, IntToStr(Branch.Id()));
    if (Items[biCaption])
        AppendItem(Text, Branch.Name);
    if (Items[biVolume])
        AppendItem(Text, ValueText(lqFlow, Branch.VolumeFlow));
    if (Items[biVelocity])
        AppendItem(Text, ValueText(lqVelocity, Branch.DuctVelocity));
    if (Items[biPressureDrop])
        AppendItem(Text, ValueText(lqPressureDrop, Branch.TotalDrop));
    if (Branch.DuctType == dtRect) {
        if (Items[biDiameter])
            AppendItem(Text, ValueText(lqDiameter, Branch.Diameter));
        if (Items[biDims])
            AppendItem(Text, SizeText(Branch));
    } else if (Items[biDiameter] || Items[biDims]) {
        // A round duct's size is its diameter: shown once.
        AppendItem(Text, ValueText(lqDiameter, Branch.Diameter));
    }
    if (Items[biLength])
        AppendItem(Text, ValueText(lqLength, Branch.Length));
    return Text;
}

std::string TDuctLabelTexts::NodeText(const TFlowNode& Node, const std::array<bool, NodeItemCount>& Items) const
{
    std::string Text;
    if (Items[niId])
        AppendItem(Text, IntToStr(Node.Id()));
    if (Items[niCaption])
        AppendItem(Text, Node.Name);
    if (Items[niRelPressure])
        AppendItem(Text, ValueText(lqRelPressure, Node.RelPressure));
    return Text;
}

std::string TDuctLabelTexts::BranchDescription(const TDuctBranch& Branch) const
{
    if (Branch.DuctType == dtRect)
        return "Rectangular duct: " + SizeText(Branch);
    return "Spiral duct: " + ValueText(lqDiameter, Branch.Diameter);
}
