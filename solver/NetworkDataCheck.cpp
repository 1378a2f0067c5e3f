// The check of the network's data before a solve command. Documents may
// hold values that no window lets the user type (a diameter of 0.1 mm, a
// length of 1E76 m, a flow that is no number, a setting of 1E308); the
// loops would run on them for a long time into nonsense. Such a value stops
// the command as a data error that names the branch, node or setting and
// the value; the document itself stays open, so the user can mend it.
//
// Two kinds of range: a value only the user gives (a length, the size of a
// size-fixed duct, a terminal's flow, a fixed item) must lie within its
// window's range; a value a command computes (the flows carried back from
// the terminals, the sizes the sizing methods make, velocities, damper
// drops) only within a physical range wide enough for every network the
// program can make, so that every command can follow any other. The
// same physical ranges are asked of what a command leaves behind: results
// beyond them end that command as a data error, never as "Solved".

#include "network/DuctGraph.h"
#include "network/Settings.h"

#include "foundation/EquivDiamTool.h"
#include "foundation/NumberFormat.h"
#include "foundation/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

struct TRange {
    double Low;
    double High;
    TUnitsType Quantity; // how the value is formatted in the message
    const char* Unit;    // "" for plain numbers
};

// The ranges of the branch window, the duct size dialog and the
// pressure-drop form.
constexpr TRange DuctLength{0.1, 500.0, utLengthBig, "m"};
constexpr TRange AnyLength{0.0, 500.0, utLengthBig, "m"};
constexpr TRange DuctSize{0.05, 10.0, utDiameter, "m"};
constexpr TRange FixedDrop{0.0, 500.0, utAirPressDrop, "Pa"};
constexpr TRange FixedC{-1000.0, 1000.0, utNone, ""};
constexpr TRange BoosterGain{0.0, 500.0, utAirPressDrop, "Pa"};
constexpr TRange TerminalC{0.0, 1000.0, utNone, ""};
constexpr TRange TerminalDrop{0.0, 10000.0, utAirPressDrop, "Pa"};
// A terminal's flow: none, or as the windows take it.
constexpr TRange TerminalFlow{SmallestTerminalFlow, LargestDesignFlow, utAirFlowPrim, "m³/s"};

// Physical ranges of what the commands compute. A size is at least a
// millimetre (the sizing methods make nothing below a few centimetres; a
// thinner duct only gives drops beyond any pressure) and below any
// building; a velocity or a pressure beyond these is no air in a duct.
constexpr TRange ComputedSize{0.001, 1000.0, utDiameter, "m"};
constexpr TRange Velocity{-1000.0, 1000.0, utVelocity, "m/s"};
constexpr TRange DamperDrop{-1e6, 1e6, utAirPressDrop, "Pa"};
constexpr TRange FanPressure{-1e6, 1e6, utAirPressDrop, "Pa"};
constexpr TRange HeightDifference{-20000.0, 20000.0, utLengthBig, "m"};
constexpr TRange Elevation{-10000.0, 10000.0, utLengthBig, "m"};
// The aspect a duct that keeps it is sized by: sizes within ComputedSize
// make no other, and one beyond gives sizes that are no numbers.
constexpr TRange KeptAspect{1e-6, 1e6, utNone, ""};
// No window limits these; they only have to be numbers.
constexpr TRange AnyNumber{-HUGE_VAL, HUGE_VAL, utNone, ""};
constexpr TRange Positive{0.0, HUGE_VAL, utNone, ""};

// Values that a command's own arithmetic left a hair beyond a bound (1,000
// terminals of 0.1 m³/s sum to 100.00000000000001) are within it. The hair
// is a share of that bound, so a small bound keeps its own digits.
constexpr double BoundSlack = 1e-9;

double Slack(double Bound)
{
    return std::isfinite(Bound) ? BoundSlack * std::fabs(Bound) : 0.0;
}

bool Within(double Value, const TRange& Range)
{
    return Value >= Range.Low - Slack(Range.Low) && Value <= Range.High + Slack(Range.High);
}

// Value rounded to Digits decimals (a negative count rounds to tens,
// hundreds...), ties to even as the formatting rounds them.
double RoundedTo(double Value, int Digits)
{
    if (Digits >= 0) {
        const double Scale = std::pow(10.0, Digits);
        return std::nearbyint(Value * Scale) / Scale;
    }
    const double Scale = std::pow(10.0, -Digits);
    return std::nearbyint(Value / Scale) * Scale;
}

// Value as AutoFormatWithUnit shows it: rounded to the decimals of its
// format ("%0.Nf"), or to its significant digits ("%0.Ng", at least one).
double RoundedAsShown(TUnitsType Quantity, double Value)
{
    if (Value == 0.0 || !std::isfinite(Value))
        return Value;
    // A value too small for the automatic format is shown with 3 digits.
    const std::string Format =
        std::fabs(Value) <= 1e-9 ? std::string("%0.3g") : AutoFormatText(Quantity, Value, 0);
    const int Decimals = std::atoi(Format.c_str() + 3);
    if (Format.back() == 'f')
        return RoundedTo(Value, Decimals);
    const int Exponent = static_cast<int>(std::floor(std::log10(std::fabs(Value))));
    return RoundedTo(Value, std::max(Decimals, 1) - 1 - Exponent);
}

// A value as the program shows it with its unit; where those digits would
// lie within the range (500.4 m shown as "500 m"), in full, so that the
// message never contradicts itself.
std::string Shown(double Value, const TRange& Range, bool NoneAllowed)
{
    const double AsShown = RoundedAsShown(Range.Quantity, Value);
    const std::string Text = Within(AsShown, Range) || (NoneAllowed && AsShown == 0.0)
                                 ? FloatToStr(Value)
                                 : AutoFormatWithUnit(Range.Quantity, Value, "");
    return *Range.Unit ? Text + " " + Range.Unit : Text;
}

// A bound: a short constant, in full.
std::string BoundText(double Value, const TRange& Range, bool WithUnit = true)
{
    return FloatToStr(Value) + (WithUnit && *Range.Unit ? std::string(" ") + Range.Unit : std::string());
}

// What is wrong with Value named What; nothing when it is a number within
// the range. With NoneAllowed, 0 is a value of its own besides the range.
std::optional<std::string> Problem(const std::string& What, double Value, const TRange& Range,
                                   bool NoneAllowed = false)
{
    if (!std::isfinite(Value))
        return What + " is not a number";
    if (Within(Value, Range) || (NoneAllowed && Value == 0.0))
        return std::nullopt;
    const std::string Text =
        What + " " + Shown(Value, Range, NoneAllowed) + (NoneAllowed ? " is neither 0 nor " : " is not ");
    if (std::isinf(Range.High))
        return Text + "above " + BoundText(Range.Low, Range);
    return Text + "within " + BoundText(Range.Low, Range, false) + " to " + BoundText(Range.High, Range);
}

// Collects the first problem of one item.
class TFirstProblem {
public:
    void Test(const std::string& What, double Value, const TRange& Range)
    {
        if (!Found)
            Found = Problem(What, Value, Range);
    }
    // A value that may be 0 or else must lie within Range.
    void TestNoneOr(const std::string& What, double Value, const TRange& Range)
    {
        if (!Found)
            Found = Problem(What, Value, Range, true);
    }
    std::optional<std::string> Found;
};

std::optional<std::string> SettingsProblem(const TSettings& S)
{
    constexpr TRange Rate{0.001, 1000.0, utPressureRateGas, "Pa/m"};
    constexpr TRange Speed{0.01, 1000.0, utVelocity, "m/s"};
    constexpr TRange LowestSpeed{0.0, 1000.0, utVelocity, "m/s"};
    constexpr TRange Step{0.0, 10.0, utDiameter, "m"};
    constexpr TRange Roughness{0.0, 0.1, utLengthSmall, "m"};
    constexpr TRange Factor{0.0, 10.0, utNone, ""};
    TFirstProblem P;
    P.Test("pressure rate", S.designpressrate, Rate);
    P.Test("static regain factor", S.statregainfactor, Factor);
    P.Test("static regain start pressure rate", S.statregainstartpressrate, Rate);
    P.Test("static regain start velocity", S.statregainstartvel, Speed);
    P.Test("static regain lowest duct velocity", S.statregainminvelduct, LowestSpeed);
    P.Test("static regain lowest outlet velocity", S.statregainminveloutlet, LowestSpeed);
    P.Test("main duct velocity", S.uservelmain, Speed);
    P.Test("terminal duct velocity", S.userveloutlet, Speed);
    P.Test("rectangular duct step", S.ductrectstep, Step);
    P.Test("circular duct step", S.ductroundstep, Step);
    P.Test("roughness", S.roughness, Roughness);
    const char* const Outlets[] = {"diffuser", "outlet grille", "plain outlet"};
    const char* const Inlets[] = {"inlet grille", "canopy", "plain inlet"};
    for (int Kind = 0; Kind < TSettings::KindCount; ++Kind) {
        // "Reset All Design Flows" gives them to the terminals.
        P.TestNoneOr(std::string("default ") + Outlets[Kind] + " flow", S.defoutletq[Kind], TerminalFlow);
        P.Test(std::string("default ") + Outlets[Kind] + " C", S.defoutletc[Kind], TerminalC);
        P.TestNoneOr(std::string("default ") + Inlets[Kind] + " flow", S.definletq[Kind], TerminalFlow);
        P.Test(std::string("default ") + Inlets[Kind] + " C", S.definletc[Kind], TerminalC);
    }
    return P.Found;
}

// A branch at Node the editor can point to: the first that is not generated.
TFlowBranch* BranchAt(const TNode& Node)
{
    for (const TLink& L : Node.Links)
        if (L.Branch->Id() >= 0)
            return static_cast<TFlowBranch*>(L.Branch);
    return nullptr;
}

// Which of a branch's values one check asks for.
struct TBranchScope {
    bool FlowsOnly = false;  // only what flow distribution reads
    bool VolumeFlows = false;
    bool Velocities = false;
    // The sizes of every duct must be sizes; otherwise a duct that is not
    // size-fixed may still be without one (0: to be made, or never sized).
    bool AllSizes = false;
    bool Sizing = false; // a sizing method makes the sizes
};

std::optional<std::string> BranchProblem(const TDuctBranch& B, const TBranchScope& Scope, const TRange& ComputedFlow,
                                         bool MainFan)
{
    TFirstProblem P;
    const bool Duct = B.Kind == bkCommon && (B.DuctType == dtSpiral || B.DuctType == dtRect);
    if (B.IsTerminal())
        P.TestNoneOr("design flow", B.DesignFlow, TerminalFlow);
    else
        P.Test("design flow", B.DesignFlow, ComputedFlow);
    P.Test("length", B.Length, Duct ? DuctLength : AnyLength);
    P.Test("height difference", B.DeltaZ, HeightDifference);
    if (Scope.VolumeFlows)
        P.Test("volume flow", B.VolumeFlow, ComputedFlow);
    if (Scope.FlowsOnly)
        return P.Found;
    if (Scope.Velocities && Duct) {
        P.Test("duct velocity", B.DuctVelocity, Velocity);
        P.Test("design velocity", B.DesignVelocity, Velocity);
    }
    if (Duct) {
        // The user's sizes within the window's range; the sizes the sizing
        // made, which balancing and stepping start from, within the
        // physical one.
        const auto Size = [&](const char* What, double Value) {
            if (B.SizeFixed)
                P.Test(What, Value, DuctSize);
            else if (Scope.AllSizes)
                P.Test(What, Value, ComputedSize);
            else
                P.TestNoneOr(What, Value, ComputedSize);
        };
        if (B.DuctType == dtRect) {
            Size("height", B.DuctHeight);
            Size("width", B.DuctWidth);
            const bool SizedByAspect =
                Scope.Sizing && !B.SizeFixed && B.KeptDimension() == TEquivDiamTool::kdAspect;
            P.Test("aspect", B.Aspect, SizedByAspect ? KeptAspect : Positive);
        }
        Size("diameter", B.Diameter);
    }
    P.Test("damper pressure drop", B.DamperDrop, DamperDrop);
    for (const auto& Item : B.FixedDps)
        P.Test("fixed pressure drop \"" + Item->Caption + "\"", Item->Drop, FixedDrop);
    for (const auto& Item : B.FixedCs)
        P.Test("fixed C \"" + Item->Caption + "\"", Item->C, FixedC);
    for (const TFixedEndFitting* End : {B.OutletTerminal.get(), B.InletTerminal.get()}) {
        if (!End)
            continue;
        P.Test("terminal C", End->C, TerminalC);
        P.Test("terminal reference drop", End->RefDrop, TerminalDrop);
        P.Test("terminal reference velocity", End->RefVelocity, Positive);
    }
    if (B.Booster && !MainFan)
        P.Test("booster pressure", B.PressureGain, BoosterGain);
    for (const TFitting* Fitting : B.LinkedFittings) {
        for (double Input : Fitting->Info)
            P.Test("fitting \"" + Fitting->Caption + "\" input", Input, AnyNumber);
        for (const auto& Row : Fitting->FlowRatios)
            for (double Ratio : Row)
                P.Test("fitting \"" + Fitting->Caption + "\" ratio", Ratio, AnyNumber);
    }
    return P.Found;
}

struct TBranchFound {
    TDuctBranch* Branch;
    std::string Text;
};

// The first of G's own branches with a problem in Scope.
std::optional<TBranchFound> FirstBranchProblem(const TDuctGraph& G, const TBranchScope& Scope)
{
    // A flow carried back from the terminals is the sum of at most one
    // window flow per branch.
    const double Sum = LargestDesignFlow * std::max(G.BranchCount(), 1);
    const TRange ComputedFlow{-Sum, Sum, utAirFlowPrim, "m³/s"};
    for (const auto& Item : G.Branches()) {
        auto& B = static_cast<TDuctBranch&>(*Item);
        if (B.Id() < 0)
            continue; // generated: made anew by the check that follows
        if (const auto Found = BranchProblem(B, Scope, ComputedFlow, &B == G.MainFan))
            return TBranchFound{&B, "branch " + B.Name + ": " + *Found};
    }
    return std::nullopt;
}

} // namespace

bool TDuctGraph::DataError(TFlowBranch* At, const std::string& Text)
{
    ErrorBranch = At;
    Status = ssDataError;
    ShowMessage("Data error in " + Text);
    return false;
}

bool TDuctGraph::CheckNetworkData(TSolveMethod ForMethod, bool FlowsOnly)
{
    if (!FlowsOnly) {
        if (const auto Found = SettingsProblem(Settings()))
            return DataError(nullptr, "the design settings: " + *Found);
    }
    for (const auto& Item : Nodes()) {
        const auto& N = static_cast<const TFlowNode&>(*Item);
        if (N.Id() < 0)
            continue; // generated
        TFirstProblem P;
        P.Test("elevation", N.Elevation, Elevation);
        if (P.Found)
            return DataError(BranchAt(N), "node " + (N.Name.empty() ? N.IdText() : N.Name) + ": " + *P.Found);
    }
    TBranchScope Scope;
    Scope.FlowsOnly = FlowsOnly;
    Scope.VolumeFlows = !FlowsOnly && ForMethod == smFlowBalance;
    Scope.Velocities = ForMethod == smVelocity;
    Scope.AllSizes = ForMethod == smFlowBalance || ForMethod == smStandardSizes;
    Scope.Sizing = ForMethod == smEqualFriction || ForMethod == smVelocity || ForMethod == smStaticRegain;
    if (const auto Found = FirstBranchProblem(*this, Scope))
        return DataError(Found->Branch, Found->Text);
    return true;
}

bool TDuctGraph::CheckCommandResults(bool FlowsOnly)
{
    // Everything a command may have written, as the next command will ask
    // for it; a duct the sizing could not size (no flow) keeps its 0.
    TBranchScope Scope;
    Scope.FlowsOnly = FlowsOnly;
    Scope.VolumeFlows = true;
    Scope.Velocities = true;
    if (const auto Found = FirstBranchProblem(*this, Scope))
        return DataError(Found->Branch, Found->Text);
    if (FlowsOnly || !MainFan)
        return true;
    TFirstProblem P;
    P.Test("fan pressure", MainFan->PressureGain, FanPressure);
    if (P.Found)
        return DataError(MainFan, "branch " + MainFan->Name + ": " + *P.Found);
    return true;
}
