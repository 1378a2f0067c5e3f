// The check of every branch's data before a solve command. Documents may
// hold values that no window lets the user type (a diameter of 0.1 mm, a
// length of 1E76 m, a flow that is no number); the loops would run on them
// for a long time into nonsense. Such a value stops the command as a data
// error that names the branch and the value; the document itself stays
// open, so the user can mend it.

#include "network/DuctGraph.h"

#include "foundation/NumberFormat.h"

#include <cmath>
#include <optional>
#include <string>

namespace {

// The ranges of the branch window, the duct size dialog and the
// pressure-drop form.
struct TRange {
    double Low;
    double High;
    const char* Unit; // "" for plain numbers
};

constexpr TRange DuctLength{0.1, 500.0, "m"};
constexpr TRange AnyLength{0.0, 500.0, "m"};
constexpr TRange DuctSize{0.05, 10.0, "m"};
constexpr TRange Flow{-100.0, 100.0, "m³/s"};
constexpr TRange TerminalFlow{0.0, 100.0, "m³/s"};
constexpr TRange Velocity{-50.0, 50.0, "m/s"};
constexpr TRange FixedDrop{0.0, 500.0, "Pa"};
constexpr TRange FixedC{-1000.0, 1000.0, ""};
constexpr TRange BoosterGain{0.0, 500.0, "Pa"};
constexpr TRange TerminalC{0.0, 1000.0, ""};
constexpr TRange TerminalDrop{0.0, 10000.0, "Pa"};
// No window limits these; they only have to be numbers.
constexpr TRange AnyNumber{-HUGE_VAL, HUGE_VAL, ""};
constexpr TRange Positive{0.0, HUGE_VAL, ""};

std::string WithUnit(double Value, const char* Unit)
{
    std::string Text = FloatToStr(Value);
    if (*Unit)
        Text += std::string(" ") + Unit;
    return Text;
}

// What is wrong with Value named What; nothing when it is a number within
// the range.
std::optional<std::string> Problem(const std::string& What, double Value, const TRange& Range)
{
    if (!std::isfinite(Value))
        return What + " is not a number";
    if (Value >= Range.Low && Value <= Range.High)
        return std::nullopt;
    std::string Text = What + " " + WithUnit(Value, Range.Unit) + " is not within ";
    if (std::isinf(Range.High))
        return Text + "the numbers above " + FloatToStr(Range.Low);
    return Text + FloatToStr(Range.Low) + " to " + WithUnit(Range.High, Range.Unit);
}

} // namespace

bool TDuctGraph::CheckBranchData(TSolveMethod ForMethod, bool FlowsOnly)
{
    const bool AllSizes = ForMethod == smFlowBalance || ForMethod == smStandardSizes;
    for (const auto& Item : Branches()) {
        auto& B = static_cast<TDuctBranch&>(*Item);
        if (B.Id() < 0)
            continue; // generated: made anew by the check that follows
        std::optional<std::string> Found;
        auto Test = [&Found](const std::string& What, double Value, const TRange& Range) {
            if (!Found)
                Found = Problem(What, Value, Range);
        };
        const bool Duct = B.Kind == bkCommon && (B.DuctType == dtSpiral || B.DuctType == dtRect);
        const bool Terminal = B.FromFlowNode()->NodeType == ntInlet || B.ToFlowNode()->NodeType == ntOutlet;

        Test("design flow", B.DesignFlow, Terminal ? TerminalFlow : Flow);
        Test("length", B.Length, Duct ? DuctLength : AnyLength);
        Test("height difference", B.DeltaZ, AnyNumber);
        if (!FlowsOnly) {
            if (ForMethod == smFlowBalance)
                Test("volume flow", B.VolumeFlow, Flow);
            if (ForMethod == smVelocity) {
                Test("duct velocity", B.DuctVelocity, Velocity);
                Test("design velocity", B.DesignVelocity, Velocity);
            }
            if (Duct && (AllSizes || B.SizeFixed)) {
                if (B.DuctType == dtRect) {
                    Test("height", B.DuctHeight, DuctSize);
                    Test("width", B.DuctWidth, DuctSize);
                    Test("aspect", B.Aspect, Positive);
                }
                Test("diameter", B.Diameter, DuctSize);
            }
            for (const auto& Item2 : B.FixedDps)
                Test("fixed pressure drop \"" + Item2->Caption + "\"", Item2->Drop, FixedDrop);
            for (const auto& Item2 : B.FixedCs)
                Test("fixed C \"" + Item2->Caption + "\"", Item2->C, FixedC);
            for (const TFixedEndFitting* End : {B.OutletTerminal.get(), B.InletTerminal.get()}) {
                if (!End)
                    continue;
                Test("terminal C", End->C, TerminalC);
                Test("terminal reference drop", End->RefDrop, TerminalDrop);
                Test("terminal reference velocity", End->RefVelocity, Positive);
            }
            if (B.Booster && &B != MainFan)
                Test("booster pressure", B.PressureGain, BoosterGain);
            for (const TFitting* Fitting : B.LinkedFittings) {
                for (double Input : Fitting->Info)
                    Test("fitting \"" + Fitting->Caption + "\" input", Input, AnyNumber);
                for (const auto& Row : Fitting->FlowRatios)
                    for (double Ratio : Row)
                        Test("fitting \"" + Fitting->Caption + "\" ratio", Ratio, AnyNumber);
            }
        }
        if (Found) {
            ErrorBranch = &B;
            Status = ssDataError;
            ShowMessage("Data error in branch " + B.Name + ": " + *Found);
            return false;
        }
    }
    return true;
}
