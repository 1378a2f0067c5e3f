#include "network/FlowBranch.h"

#include "foundation/NumberFormat.h"
#include "graph/GraphReport.h"

#include <chrono>
#include <cmath>

namespace {

std::string HeaderCells(std::initializer_list<std::pair<const char*, int>> Items)
{
    std::string Row;
    for (const auto& [Text, Width] : Items)
        Row += "\t " + PadCell(Text, Width);
    return Row;
}

} // namespace

void TFlowBranch::Init(int NewId, TNode* From, TNode* To)
{
    TBranch::Init(NewId, From, To);
    FixedDps.clear();
    FixedCs.clear();
    EditStamp = 0.0;
}

std::string TFlowBranch::ReportHeader(bool Detailed) const
{
    if (!Detailed)
        return HeaderCells({{"id", 4}, {"vol flow", 8}, {"pressure", 8}});
    return HeaderCells({{"id", 4}, {"massflow", 8}, {"vol flow", 8}, {"rstance", 8}, {"", 8},
                        {"Pfrict", 6}, {"Pstatc", 6}, {"Pfan ", 6}, {"pressure", 8}, {"", 8}});
}

std::string TFlowBranch::ReportBlankRow(bool Detailed) const
{
    if (!Detailed)
        return HeaderCells({{"", 4}, {"", 8}, {"drop Pa", 8}});
    return HeaderCells({{"", 4}, {"kg/s", 8}, {"", 8}, {"8fL/pi..", 8}, {"dP/m", 8}, {"", 6},
                        {"", 6}, {"", 6}, {"drop Pa", 8}, {"kg/m3", 8}});
}

std::string TFlowBranch::ReportRow(bool Detailed) const
{
    if (!Detailed)
        return "\t " + FormatInt("%4d", Id()) + "\t " + FormatFloat("%8.2f", VolumeFlow) + "\t " +
               FormatFloat("%8.1f", TotalDrop);
    return "\t " + FormatInt("%4d", Id()) + "\t " + FormatFloat("%8.2f", MassFlow) + "\t " +
           FormatFloat("%8.2f", VolumeFlow) + "\t " + FormatFloat("%8.4f", Resistance) + "\t " +
           FormatFloat("%8.4f", ToResistance) + "\t " + FormatFloat("%6.3f", FrictionDrop) + "\t " +
           FormatFloat("%6.1f", StackDrop) + "\t " + FormatFloat("%6.1f", PressureGain) + "\t " +
           FormatFloat("%8.1f", TotalDrop) + "\t " + FormatFloat("%8.5f", MeanDensity);
}

void TFlowBranch::AssignData(const TBranch& Source)
{
    TBranch::AssignData(Source);
    const auto* From = dynamic_cast<const TFlowBranch*>(&Source);
    if (!From)
        return;
    static_cast<TFlowBranchData&>(*this) = *From;
    FixedDps.clear();
    for (const auto& Item : From->FixedDps)
        FixedDps.push_back(std::make_unique<TFixeddP>(*Item));
    FixedCs.clear();
    for (const auto& Item : From->FixedCs)
        FixedCs.push_back(std::make_unique<TFixedC>(*Item));
    OutletTerminal = From->OutletTerminal ? std::make_unique<TFixedEndFitting>(*From->OutletTerminal) : nullptr;
    InletTerminal = From->InletTerminal ? std::make_unique<TFixedEndFitting>(*From->InletTerminal) : nullptr;
    if (FromNode && ToNode)
        CalcFlowTerms(false);
}

std::string TFlowBranch::ShortLabel() const
{
    return FormatFloat("%0.0f l/s", 1000.0 * VolumeFlow) + FormatFloat(" %0.0f mm", 1000.0 * Diameter);
}

std::string TFlowBranch::Caption() const
{
    return GetName();
}

void TFlowBranch::SetVolumeFlow(double Q)
{
    VolumeFlow = Q;
    MassFlow = Q * ToDensity;
    CalcVelocity();
}

void TFlowBranch::SetVelocity(double V)
{
    Velocity = V;
}

void TFlowBranch::MarkEdited()
{
    using namespace std::chrono;
    // The Unix epoch is day 25569 of the date-time count.
    const double Days = duration<double>(system_clock::now().time_since_epoch()).count() / 86400.0;
    EditStamp = -(25569.0 + Days);
}
