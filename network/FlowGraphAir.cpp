// The air state of the network: barometric pressure, dry and wet bulb, and
// the moist-air density that every node and branch computes with.

#include "network/FlowGraph.h"

#include "foundation/AirProperties.h"
#include "foundation/NumberFormat.h"
#include "foundation/NumericHelpers.h"
#include "foundation/Units.h"
#include "psychro/Psychrometrics.h"

#include <cmath>
#include <exception>

namespace {

// The relative humidity that gives a lone dry bulb its wet bulb.
constexpr double DefaultRelativeHumidity = 0.5;

// The air a network computes with: barometric pressures from high
// mountains to deep mines, the dry bulbs the moist-air checks take, and the
// densities of such air, with room to spare. The pressures are wider on
// purpose than the barometer window's: a document or an import keeps any air
// the moist-air relations hold for, typed here or not.
constexpr double LowestComputedBarometer = 30000.0;  // Pa
constexpr double HighestComputedBarometer = 200000.0; // Pa
constexpr double LowestDryBulb = -60.0;       // °C
constexpr double HighestDryBulb = 99.0;       // °C
constexpr double LowestDensity = 0.1;         // kg/m³
constexpr double HighestDensity = 10.0;       // kg/m³

} // namespace

std::string TFlowGraph::AirStateText(double BarometerPa, double Db, double Wb)
{
    return AutoFormatWithUnit(utPressureBar, BarometerPa * 0.001, "kPa") + ", dry bulb " +
           AutoFormatWithUnit(utTemperature, Db, "°C") + ", wet bulb " + AutoFormatWithUnit(utTemperature, Wb, "°C");
}

std::string TFlowGraph::AirStateProblem(double BarometerPa, double Db, double Wb, double& NewDensity)
{
    NewDensity = 0.0;
    if (!Between(LowestComputedBarometer, BarometerPa, HighestComputedBarometer))
        return "the barometric pressure is not within " + FloatToStr(LowestComputedBarometer * 0.001) + " to " +
               FloatToStr(HighestComputedBarometer * 0.001) + " kPa";
    if (!Between(LowestDryBulb, Db, HighestDryBulb))
        return "the dry bulb is not within " + FloatToStr(LowestDryBulb) + " to " + FloatToStr(HighestDryBulb) + " °C";
    try {
        NewDensity = Density(BarometerPa * 0.001, Db, Wb, pmTB);
    } catch (const std::exception& E) {
        return E.what();
    }
    if (!Between(LowestDensity, NewDensity, HighestDensity)) {
        NewDensity = 0.0;
        return "it gives no air density";
    }
    return std::string();
}

void TFlowGraph::TakeSoundNodeAir()
{
    for (const auto& Node : Nodes()) {
        auto& Flow = static_cast<TFlowNode&>(*Node);
        // A density beside a dry bulb that is none is no one's air either.
        if (!Between(LowestDryBulb, Flow.DryBulb, HighestDryBulb) ||
            !Between(LowestDensity, Flow.Density, HighestDensity)) {
            Flow.DryBulb = DryBulb;
            Flow.Density = AirDensity;
        }
    }
}

bool TFlowGraph::ApplyAirState(double NewBarometer, double NewDryBulb, double NewWetBulb)
{
    double NewDensity = 0.0;
    const std::string Reason = AirStateProblem(NewBarometer, NewDryBulb, NewWetBulb, NewDensity);
    if (!Reason.empty()) {
        // Every flow and pressure depends on the density: a state without
        // one is refused whole, and the network keeps computing with the
        // state it had.
        AirStateStatus = "Invalid air state (" + AirStateText(NewBarometer, NewDryBulb, NewWetBulb) +
                         "): " + Reason + "; the previous state is kept";
        return false;
    }
    AirStateStatus.clear();
    Barometer = NewBarometer;
    DryBulb = NewDryBulb;
    WetBulb = NewWetBulb;
    AirDensity = NewDensity;
    ApplyAirToNodes();
    for (const auto& Branch : Branches())
        static_cast<TFlowBranch&>(*Branch).CalcFlowTerms(true);
    return true;
}

bool TFlowGraph::SetBarometer(double KPa)
{
    return ApplyAirState(1000.0 * KPa, DryBulb, WetBulb);
}

std::string TFlowGraph::GetHumitrakText() const
{
    return FormatFloat("%0.2f", DryBulb) + FormatFloat("/%0.2f", WetBulb);
}

bool TFlowGraph::SetHumitrak(const std::string& Text)
{
    PsyState State{};
    try {
        ParseDryWetBulb(Text, State, GetBarometerKPa(), DefaultRelativeHumidity);
    } catch (const std::exception& E) {
        AirStateStatus = "Invalid air state \"" + Text + "\": " + E.what() + "; the previous state is kept";
        return false;
    }
    return ApplyAirState(Barometer, State.db, State.wb);
}

void TFlowGraph::ApplyAirToNodes()
{
    for (const auto& Node : Nodes()) {
        auto& Flow = static_cast<TFlowNode&>(*Node);
        Flow.Pressure = Barometer;
        Flow.DryBulb = DryBulb;
        Flow.Density = AirDensity;
        Flow.Residual = 0.0;
    }
    Status = ssNotSolved;
}
