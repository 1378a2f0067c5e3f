#include "network/FlowEnums.h"

#include <array>
#include <ostream>

namespace {

template <std::size_t N>
const char* Pick(const std::array<const char*, N>& Texts, int Value)
{
    return (Value >= 0 && static_cast<std::size_t>(Value) < N) ? Texts[static_cast<std::size_t>(Value)] : "";
}

constexpr std::array<const char*, NodeTypeCount> NodeTypes = {"Common", "Outlet", "Inlet", "Sink"};
constexpr std::array<const char*, OutletKindCount> OutletKinds = {"Diffuser", "Grille", "Plain Outlet"};
constexpr std::array<const char*, OutletKindCount> OutletKeys = {"diffuser", "grille", "plain"};
constexpr std::array<const char*, InletKindCount> InletKinds = {"Grille", "Canopy", "Plain Inlet"};
constexpr std::array<const char*, InletKindCount> InletKeys = {"grille", "canopy", "plain"};
constexpr std::array<const char*, BranchKindCount> BranchKinds = {"Common", "Gain", "Sink"};
constexpr std::array<const char*, DuctTypeCount> DuctTypes = {"Spiral", "Rect", "None", "Fan"};
constexpr std::array<const char*, DuctTypeCount> DuctWords = {"Spiral", "Duct", "None", "Fan"};
constexpr std::array<const char*, SolveStatusCount> SolveStatuses = {
    "Solved", "Not-balanced", "Within tolerance", "Not solved", "Data error", "MaxIts reached"};
constexpr std::array<const char*, SolveMethodCount> SolveMethods = {
    "Equal Friction", "Velocity", "Static Regain", "Flow Balance", "Standard Sizes"};

} // namespace

const char* NodeTypeText(int Value) { return Pick(NodeTypes, Value); }
const char* OutletKindText(int Value) { return Pick(OutletKinds, Value); }
const char* OutletKindKey(int Value) { return Pick(OutletKeys, Value); }
const char* InletKindText(int Value) { return Pick(InletKinds, Value); }
const char* InletKindKey(int Value) { return Pick(InletKeys, Value); }
const char* BranchKindText(int Value) { return Pick(BranchKinds, Value); }
const char* DuctTypeText(int Value) { return Pick(DuctTypes, Value); }
const char* DuctTypeWord(int Value) { return Pick(DuctWords, Value); }
const char* SolveStatusText(int Value) { return Pick(SolveStatuses, Value); }
const char* SolveMethodText(int Value) { return Pick(SolveMethods, Value); }

std::ostream& operator<<(std::ostream& Out, TSolveStatus Status)
{
    const char* Text = SolveStatusText(Status);
    if (*Text)
        return Out << Text;
    return Out << "status " << static_cast<int>(Status);
}
