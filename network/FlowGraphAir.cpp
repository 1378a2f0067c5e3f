// The air state of the network: barometric pressure, dry and wet bulb, and
// the moist-air density that every node and branch computes with.

#include "network/FlowGraph.h"

#include "foundation/AirProperties.h"
#include "foundation/NumberFormat.h"
#include "psychro/Psychrometrics.h"

#include <cmath>
#include <exception>

namespace {

// The relative humidity that gives a lone dry bulb its wet bulb.
constexpr double DefaultRelativeHumidity = 0.5;

std::string StateText(double BarometerPa, double Db, double Wb)
{
    return FormatFloat("%0.3f kPa", BarometerPa * 0.001) + FormatFloat(", %0.2f", Db) +
           FormatFloat("/%0.2f", Wb);
}

} // namespace

bool TFlowGraph::ApplyAirState(double NewBarometer, double NewDryBulb, double NewWetBulb)
{
    double NewDensity = 0.0;
    std::string Reason;
    if (!std::isfinite(NewBarometer) || NewBarometer <= 0.0) {
        Reason = "the barometric pressure is not positive";
    } else {
        try {
            NewDensity = Density(NewBarometer * 0.001, NewDryBulb, NewWetBulb, pmTB);
        } catch (const std::exception& E) {
            Reason = E.what();
        }
        if (Reason.empty() && (!std::isfinite(NewDensity) || NewDensity <= 0.0))
            Reason = "it gives no positive air density";
    }
    if (!Reason.empty()) {
        // Every flow and pressure depends on the density: a state without
        // one is refused whole, and the network keeps computing with the
        // state it had.
        AirStateStatus = "Invalid air state (" + StateText(NewBarometer, NewDryBulb, NewWetBulb) +
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
