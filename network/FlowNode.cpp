#include "network/FlowNode.h"

#include "foundation/NumberFormat.h"
#include "graph/GraphReport.h"
#include "network/FlowBranch.h"

namespace {

// "\t %<width>s" cells of the report's header and units rows.
std::string Cells(std::initializer_list<std::pair<const char*, int>> Items)
{
    std::string Row;
    for (const auto& [Text, Width] : Items)
        Row += "\t " + PadCell(Text, Width);
    return Row;
}

bool LeadsToSink(const TNode* Node, const TLink& Link)
{
    const auto* Far = static_cast<const TFlowNode*>(Link.Branch->OtherNode(Node));
    return Far && Far->IsSink();
}

} // namespace

void TFlowNode::Init(int NewId)
{
    TNode::Init(NewId);
    NodeType = ntCommon;
    OutletKind = okDiffuser;
    InletKind = ikGrille;
    Residual = 0.0;
    RelPressure = 0.0;
    ExtMassFlow = 0.0;
    RefPath.clear();
    FanPath.clear();
}

std::string TFlowNode::ReportHeader(bool Detailed) const
{
    if (!Detailed)
        return Cells({{"id", 4}, {"pressure", 8}, {"rel p", 8}, {"Node Type", 8}}) + "\t";
    return Cells({{"id", 4}, {"depth", 8}, {"pressure", 8}, {"rel p", 8}, {"dry bulb", 8},
                  {"ro", 8}, {"in-mFlow", 8}, {"Node Type", 8}});
}

std::string TFlowNode::ReportBlankRow(bool Detailed) const
{
    if (!Detailed)
        return Cells({{"", 4}, {"kPa", 8}, {"Pa", 8}, {"", 8}}) + "\t";
    return Cells({{"", 4}, {"m", 8}, {"kPa", 8}, {"Pa", 8}, {"degC", 8}, {"kg/m3", 8},
                  {"kg/s", 8}, {"", 8}});
}

std::string TFlowNode::ReportRow(bool Detailed) const
{
    const std::string TypeCell = "\t " + PadCell(NodeTypeText(NodeType), 8, true) + "\t";
    if (!Detailed)
        return "\t " + FormatInt("%4d", Id()) + "\t " + FormatFloat("%8.3f", Pressure * 0.001) +
               "\t " + FormatFloat("%8.1f", RelPressure) + TypeCell;
    return "\t " + FormatInt("%4d", Id()) + "\t " + FormatFloat("%8.1f", Elevation) + "\t " +
           FormatFloat("%8.3f", Pressure * 0.001) + "\t " + FormatFloat("%8.1f", RelPressure) + "\t " +
           FormatFloat("%8.3f", DryBulb) + "\t " + FormatFloat("%8.5f", Density) + "\t " +
           FormatFloat("%8.3f", ExtMassFlow) + TypeCell;
}

std::string TFlowNode::HintText() const
{
    return FormatFloat("%0.1f Pa", RelPressure);
}

bool TFlowNode::IsActive() const
{
    return NodeType != ntSink;
}

void TFlowNode::AssignData(const TNode& Source)
{
    TNode::AssignData(Source);
    const auto* From = dynamic_cast<const TFlowNode*>(&Source);
    if (!From)
        return;
    Residual = From->Residual;
    Elevation = From->Elevation;
    ExtMassFlow = From->ExtMassFlow;
    NodeType = From->NodeType;
    RelPressure = From->RelPressure;
    OutletKind = From->OutletKind;
    InletKind = From->InletKind;
}

bool TFlowNode::IsOutgoingEnd(TBranch*& Branch, bool& Outgoing) const
{
    Branch = nullptr;
    Outgoing = false;
    if (Links.size() == 1 && !LeadsToSink(this, Links[0]))
        Branch = Links[0].Branch;
    else if (Links.size() == 2 && LeadsToSink(this, Links[0]) != LeadsToSink(this, Links[1]))
        Branch = LeadsToSink(this, Links[0]) ? Links[1].Branch : Links[0].Branch;
    if (!Branch)
        return false;
    Outgoing = Branch->FromNode == this;
    return true;
}

int TFlowNode::CountActiveBranches() const
{
    if (IsSink())
        return 0;
    int Count = 0;
    for (const TLink& L : Links)
        if (static_cast<const TFlowBranch*>(L.Branch)->Kind != bkSink)
            ++Count;
    return Count;
}

TFlowBranch* TFlowNode::TerminalDuctBranch() const
{
    if (!IsTerminal())
        return nullptr;
    for (const TLink& L : Links)
        if (!LeadsToSink(this, L))
            return static_cast<TFlowBranch*>(L.Branch);
    return nullptr;
}

bool TFlowNode::HasGainBranch() const
{
    for (const TLink& L : Links)
        if (static_cast<const TFlowBranch*>(L.Branch)->PressureGain != 0.0)
            return true;
    return false;
}

bool TFlowNode::ForgetPathsThrough(const TBranch* Branch)
{
    auto Passes = [Branch](const std::vector<TLink>& Path) {
        for (const TLink& L : Path)
            if (L.Branch == Branch)
                return true;
        return false;
    };
    bool Forgot = false;
    // A path with a hole leads nowhere: it goes whole, and the next walk
    // that needs it builds it again.
    if (Passes(RefPath)) {
        RefPath.clear();
        Forgot = true;
    }
    if (Passes(FanPath)) {
        FanPath.clear();
        Forgot = true;
    }
    return Forgot;
}
