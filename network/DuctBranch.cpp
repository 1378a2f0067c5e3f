#include "network/DuctBranch.h"

#include "foundation/NumberFormat.h"
#include "graph/GraphReport.h"
#include "graph/NumberedName.h"

namespace {

// Default geometry of a new duct.
constexpr double SpiralDiameter = 0.2;
constexpr double SpiralSide = 0.183;
constexpr double RectSide = 0.5;
constexpr double RectDiameter = 0.5466;

std::string Cells(std::initializer_list<const char*> Texts)
{
    std::string Row;
    for (const char* Text : Texts)
        Row += "\t " + PadCell(Text, 8);
    return Row;
}

} // namespace

void TDuctBranch::Init(int NewId, TNode* From, TNode* To)
{
    TFlowBranch::Init(NewId, From, To);
    static_cast<TDuctBranchData&>(*this) = TDuctBranchData{};
}

std::string TDuctBranch::ReportHeader(bool Detailed) const
{
    if (!Detailed)
        return TFlowBranch::ReportHeader(false);
    return TFlowBranch::ReportHeader(true) +
           Cells({"D", "L", "Le", "Ltot", "velocity", "area", "Inlet", "Outlet", "Duct Type"});
}

std::string TDuctBranch::ReportBlankRow(bool Detailed) const
{
    if (!Detailed)
        return TFlowBranch::ReportBlankRow(false);
    return TFlowBranch::ReportBlankRow(true) + Cells({"m", "m", "m", "m", "m/s", "m2", "", "", ""});
}

std::string TDuctBranch::ReportRow(bool Detailed) const
{
    if (!Detailed)
        return TFlowBranch::ReportRow(false);
    return TFlowBranch::ReportRow(true) + "\t " + FormatFloat("%8.3f", Diameter) + "\t " +
           FormatFloat("%8.2f", Length) + "\t " + FormatFloat("%8.2f", EquivLength) + "\t " +
           FormatFloat("%8.2f", TotalLength) + "\t " + FormatFloat("%8.2f", Velocity) + "\t " +
           FormatFloat("%8.4f", FlowArea) + "\t " + FormatInt("%8d", FromNode->Id()) + "\t " +
           FormatInt("%8d", ToNode->Id()) + "\t " + PadCell(DuctTypeText(DuctType), 8, true);
}

void TDuctBranch::AssignData(const TBranch& Source)
{
    TFlowBranch::AssignData(Source);
    if (const auto* From = dynamic_cast<const TDuctBranch*>(&Source))
        static_cast<TDuctBranchData&>(*this) = *From;
}

void TDuctBranch::Renumber(int NewId)
{
    const int OldId = Id();
    if (!ReplaceNumberedWord(Name, "Spiral ", OldId, NewId, true) &&
        !ReplaceNumberedWord(Name, "Duct ", OldId, NewId, true))
        ReplaceNumberedWord(Name, "Fan ", OldId, NewId, true);
    TFlowBranch::Renumber(NewId);
}

void TDuctBranch::SetVolumeFlow(double Q)
{
    TFlowBranch::SetVolumeFlow(Q);
    CalcDuctArea();
}

void TDuctBranch::SetVelocity(double V)
{
    DuctVelocity = V;
    if (FlowArea > 0.0)
        Velocity = DuctVelocity * DuctArea / FlowArea;
}

std::string TDuctBranch::Caption() const
{
    switch (DuctType) {
    case dtSpiral:
        return FormatFloat("Spiral Duct %0.0f mm diameter", 1000.0 * Diameter);
    case dtRect:
        return FormatFloat("Rectangular Duct %0.0f", 1000.0 * DuctHeight) +
               FormatFloat(" x %0.0f mm", 1000.0 * DuctWidth);
    case dtFan:
        return "Fan Type";
    default:
        return "Unknown duct type";
    }
}

void TDuctBranch::SetDuctType(TDuctType Type, double Gain, double NewLength, double Q)
{
    DuctType = Type;
    SetupFromDefaults(Gain, NewLength, Q);
    if (Type == dtSpiral) {
        Aspect = 1.0;
        Diameter = SpiralDiameter;
        DuctHeight = SpiralSide;
        DuctWidth = SpiralSide;
    } else if (Type == dtRect) {
        Aspect = 1.0;
        DuctHeight = RectSide;
        DuctWidth = RectSide;
        Diameter = RectDiameter;
    }
    CalcArea();
    CalcVelocity();
    CalcDuctArea();
}

void TDuctBranch::AddFanDefaults()
{
    FixedDps.push_back(std::make_unique<TFixeddP>("Coil", 150.0));
    FixedDps.push_back(std::make_unique<TFixeddP>("Filter", 150.0));
}

void TDuctBranch::CalcDuctArea()
{
    DuctArea = DuctType == dtRect ? DuctHeight * DuctWidth : FlowArea;
    DuctVelocity = DuctArea > 0.0 ? VolumeFlow / DuctArea : 0.0;
}

TDuctSection TDuctBranch::FittingSection() const
{
    TDuctSection S = TFlowBranch::FittingSection();
    S.H = 1000.0 * DuctHeight;
    S.W = 1000.0 * DuctWidth;
    S.A = DuctArea;
    return S;
}

void TDuctBranch::UpdateDuctVelocity()
{
    DuctVelocity = DuctArea > 0.0 ? VolumeFlow / DuctArea : 0.0;
}
