#pragma once
// The texts the drawing shows next to each duct and node, as a permanent
// label and as a pop-up hint: the items the user chose, each followed by
// one blank. Numbers take the display unit their window shows them in
// (flows, velocity, pressure drop, diameter and length as the branch
// window's rows, a rectangle's sides as the duct size dialog's edits, the
// relative pressure as the node dialog's row), asked of UnitsOf on each use
// and converted with what was worked out the last time that unit was used,
// so that the drawing's thousands of labels cost no settings look-ups.

#include <array>
#include <functional>
#include <string>

class TDuctBranch;
class TFlowNode;

// The items of a duct's text, in the order they are joined.
enum TBranchItem : int { biId, biCaption, biVolume, biVelocity, biPressureDrop, biDiameter, biDims, biLength };
inline constexpr int BranchItemCount = 8;
// The items of a node's text.
enum TNodeItem : int { niId, niCaption, niRelPressure };
inline constexpr int NodeItemCount = 3;

// The quantities the texts show, each in the display unit of its window.
enum TLabelQuantity : int {
    lqFlow,         // air flow, held in m³/s
    lqVelocity,     // m/s
    lqPressureDrop, // Pa
    lqDiameter,     // m
    lqLength,       // m
    lqWidth,        // m
    lqHeight,       // m
    lqRelPressure,  // Pa
};
inline constexpr int LabelQuantityCount = 8;

// Which items each of the four texts shows.
struct TLabelChoice {
    std::array<bool, BranchItemCount> BranchLabel{};
    std::array<bool, BranchItemCount> BranchHint{};
    std::array<bool, NodeItemCount> NodeLabel{};
    std::array<bool, NodeItemCount> NodeHint{};

    // Labels show the branch's caption and the node's id; hints the volume
    // flow and size of a duct and the relative pressure of a node.
    static TLabelChoice Defaults();
    bool operator==(const TLabelChoice&) const = default;
};

class TDuctLabelTexts {
public:
    TLabelChoice Choice = TLabelChoice::Defaults();
    // The display unit index a quantity is shown in; unset: the branch
    // table's units (m³/s, m/s, Pa, mm, m, mm, mm, Pa).
    std::function<int(TLabelQuantity)> UnitsOf;

    static int DefaultUnit(TLabelQuantity Quantity);

    std::string BranchLabelText(const TDuctBranch& Branch) const { return BranchText(Branch, Choice.BranchLabel); }
    std::string BranchHintText(const TDuctBranch& Branch) const { return BranchText(Branch, Choice.BranchHint); }
    std::string NodeLabelText(const TFlowNode& Node) const { return NodeText(Node, Choice.NodeLabel); }
    std::string NodeHintText(const TFlowNode& Node) const { return NodeText(Node, Choice.NodeHint); }
    // "Spiral duct: " and the equivalent diameter, or "Rectangular duct: "
    // and the width and height.
    std::string BranchDescription(const TDuctBranch& Branch) const;

    std::string BranchText(const TDuctBranch& Branch, const std::array<bool, BranchItemCount>& Items) const;
    std::string NodeText(const TFlowNode& Node, const std::array<bool, NodeItemCount>& Items) const;
    // A value held in the quantity's base unit, in its display unit's own
    // format, a blank and the unit's label ("0.300 m³/s").
    std::string ValueText(TLabelQuantity Quantity, double Value) const;

private:
    // "600.0 mm X 300.0 mm".
    std::string SizeText(const TDuctBranch& Branch) const;

    struct TUnit {
        int Index = -1; // the unit this was worked out for
        double Factor = 1.0;
        double Offset = 0.0;
        std::string Format;
        std::string Label;
    };
    mutable std::array<TUnit, LabelQuantityCount> Units;
};
