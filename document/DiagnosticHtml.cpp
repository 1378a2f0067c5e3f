#include "document/DiagnosticHtml.h"

#include "document/DocumentProperties.h"
#include "foundation/NumberFormat.h"
#include "graph/GraphFlags.h"
#include "network/DuctGraph.h"
#include "network/Fitting.h"
#include "network/FlowBranch.h"
#include "network/FlowEnums.h"
#include "network/FlowMesh.h"
#include "network/FlowNode.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* Eol = "\r\n";
constexpr const char* WarnClass = " class=\"warn\"";

std::string F(std::string_view Fmt, double Value) { return FormatFloat(Fmt, Value); }
std::string I(long long Value) { return IntToStr(Value); }

void Line(std::ostream& Out, const std::string& Text) { Out << Text << Eol; }

struct TSection {
    const char* Heading;
    const char* Explanation; // may be empty
    const char* Caption;     // may be empty
    const char* Header;
    const char* Notes;       // may be empty
};

void OpenSection(std::ostream& Out, const TSection& S)
{
    Line(Out, S.Heading);
    if (*S.Explanation) Line(Out, S.Explanation);
    Line(Out, "<p>&nbsp;</p>");
    Line(Out, "<table width=\"90%\">");
    if (*S.Caption) Line(Out, S.Caption);
    Line(Out, "<tr>");
    Line(Out, S.Header);
    Line(Out, "</tr>");
}

void CloseSection(std::ostream& Out, const TSection& S)
{
    if (*S.Notes) Line(Out, S.Notes);
    Line(Out, "</table>");
    Line(Out, "<p>&nbsp;</p>");
}

void Row(std::ostream& Out, const std::string& Cells, const char* Class = "")
{
    Line(Out, std::string("<tr") + Class + ">");
    Line(Out, Cells);
    Line(Out, "</tr>");
}

TFlowBranch* FlowBranch(const std::unique_ptr<TBranch>& B) { return static_cast<TFlowBranch*>(B.get()); }
TFlowNode* FlowNode(const std::unique_ptr<TNode>& N) { return static_cast<TFlowNode*>(N.get()); }

bool FittingNeedsWarning(const TFitting& Fitting)
{
    if (Fitting.Warning) return true;
    return std::any_of(Fitting.Links.begin(), Fitting.Links.end(),
                       [](const TFittingLink& L) { return L.BranchId != -1 && !L.Branch; });
}

bool BothEndsActive(const TBranch& B)
{
    return B.FromNode && B.ToNode && B.FromNode->IsActive() && B.ToNode->IsActive();
}

const TSection BranchSection{
    "<h2>Branches</h2>",
    "<p>The branch listing shows every duct, spiral and fan in the network.&nbsp; Included in "
    "each branch is the fittings in that branch.&nbsp; Pay particular attention to the "
    "warnings.&nbsp; Look out also for excessive pressure drops.</p>",
    "<caption><h5 align=\"left\">Branch List</h5></caption>",
    "<th width=\"60\">ID</th><th>Description</th><th width=\"80\">Mass Flow, kg/s</th><th "
    "width=\"80\">Pressure Drop, Pascals</th>",
    "<tfoot><tr><td colspan=\"4\">Notes:<br>1. Sort order is the same as the Ventrix table "
    "entry.<br>2. Fittings in red have warnings.<br></td></tr></tfoot>"};

void WriteBranches(TDuctGraph& Network, std::ostream& Out)
{
    bool Any = false;
    for (const auto& B : Network.Branches()) Any = Any || BothEndsActive(*B);
    if (!Any) return;
    OpenSection(Out, BranchSection);
    for (const auto& Item : Network.Branches()) {
        if (!BothEndsActive(*Item)) continue;
        TFlowBranch* B = FlowBranch(Item);
        Row(Out, "<td>" + I(B->Id()) + "</td><td>" + HtmlText(B->Name) + ". " +
                     HtmlText(B->Caption()) + "</td><td>" + F("%0.3f", B->MassFlow) + "</td><td>" +
                     F("%0.1f", B->TotalDrop) + "</td>");
        Network.CollectFittings(B);
        for (std::size_t K = 0; K < B->LinkedFittings.size(); ++K) {
            const TFitting* Fitting = B->LinkedFittings[K];
            const double C = K < B->LinkedFittingValues.size() ? B->LinkedFittingValues[K].first : 0.0;
            const double Drop = 0.5 * B->MeanDensity * B->Velocity * B->Velocity * C;
            const char* Class = FittingNeedsWarning(*Fitting) ? WarnClass : "";
            Row(Out, std::string("<td>&nbsp;</td><td") + Class + "><i>&nbsp;&nbsp;[" +
                         I(Fitting->Serial) + "] " + HtmlText(Fitting->Code) + ". " +
                         HtmlText(Fitting->Caption) + " (C=" + F("%0.3f", C) +
                         ")</i></td><td>&nbsp;</td><td class=\"tinytext\"><i>" + F("%0.1f", Drop) +
                         "</i></td>");
        }
        if (B->DamperDrop != 0.0)
            Row(Out, "<td>&nbsp;</td><td class=\"warn\">Balancing damper needed</td><td>&nbsp;</td>"
                     "<td class=\"tinytext\"><i>" + F("%0.1f", B->DamperDrop) + "</i></td>");
        Line(Out, "<tr height=\"12\">");
        Line(Out, "<td class=\"blank\"></td><td class=\"blank\"></td><td class=\"blank\"></td><td "
                  "class=\"blank\"></td>");
        Line(Out, "</tr>");
    }
    CloseSection(Out, BranchSection);
}

// The difference is shown in thousandths of a percent.
constexpr const char* DifferenceFormat = "%0.3f";
constexpr double DifferenceSteps = 1000.0; // shown steps in 1 %

// The difference of the actual from the design flow in %. A reversed duct
// carries a negative design and actual flow: the difference is judged
// against the design flow's magnitude.
double FlowDifference(const TFlowBranch& B)
{
    return (B.VolumeFlow - B.DesignFlow) * 100.0 / std::fabs(B.DesignFlow);
}

// "More than 10 %" by the figure shown, rounded as the page rounds it, so
// that a branch shown 10.000 % off is not listed for the rounding behind it.
// No figure at all (no design flow, no number) is listed.
bool FlowDiffers(const TFlowBranch& B)
{
    if (B.DesignFlow == 0.0) return true;
    return !(std::round(std::fabs(FlowDifference(B)) * DifferenceSteps) <= 10.0 * DifferenceSteps);
}

void WriteAirflowDifferences(TDuctGraph& Network, std::ostream& Out)
{
    std::vector<TFlowBranch*> Listed;
    for (const auto& Item : Network.Branches()) {
        TFlowBranch* B = FlowBranch(Item);
        if (B->Id() > 0 && FlowDiffers(*B)) Listed.push_back(B);
    }
    if (Listed.empty()) return;
    const std::string Count =
        "<p>There are " + I(static_cast<long long>(Listed.size())) +
        " branches with airflow problems.&nbsp This could mean that the airflow is more than 10% "
        "different to the design airflow or the design airflow is zero...</p>";
    const TSection Section{
        "<h2>Branches with airflow differences</h2>", Count.c_str(), "",
        "<th width=\"60\">ID</th><th>Caption</th><th width=\"80\">Design Flow, m<sup>3</sup>/s</th>"
        "<th width=\"80\">Actual Flow, m<sup>3</sup>/s</th><th width=\"80\">Difference, %</th>",
        ""};
    OpenSection(Out, Section);
    for (TFlowBranch* B : Listed) {
        const std::string Difference =
            B->DesignFlow == 0.0
                ? std::string("***")
                : F(DifferenceFormat, FlowDifference(*B));
        Row(Out, "<td width=\"60\">" + I(B->Id()) + "</td><td>" + HtmlText(B->Name) +
                     "</td><td width=\"80\">" + F("%0.3f", B->DesignFlow) + "</td><td width=\"80\">" +
                     F("%0.3f", B->VolumeFlow) + "</td><td width=\"80\">" + Difference + "</td>");
    }
    CloseSection(Out, Section);
}

const TSection FittingSection{
    "<h2>Fittings</h2>",
    "<p>The fittings list shows all the fittings that you have included in the network.&nbsp; If "
    "you see a RANGE warning, confirm that you have selected the correct fitting.</p>",
    "<caption><h5 align=\"left\">Fittings</h5></caption>",
    "<th width=\"60\">id</th><th width=\"80\">Code</th><th>Description</th><th "
    "width=\"80\">Branch</th><th width=\"80\">C Factors</th><th width=\"80\">Warnings</th>",
    "<tfoot><tr><td colspan=\"6\">Notes:<br>1. Sort order is the same as the Ventrix Fittings "
    "View.<br>2. Fittings in red have warnings.<br>3. Range means that the C-Value has been "
    "extrapolated out of the table range.<br></td></tr></tfoot>"};

void WriteFittings(TDuctGraph& Network, std::ostream& Out)
{
    if (Network.Fittings.empty()) return;
    OpenSection(Out, FittingSection);
    for (const auto& Fitting : Network.Fittings) {
        const std::string Class = FittingNeedsWarning(*Fitting) ? WarnClass : "";
        const std::string Values[] = {I(Fitting->Serial), HtmlText(Fitting->Code),
                                      HtmlText(Fitting->Caption), HtmlText(Fitting->GetLinksText()),
                                      HtmlText(Fitting->GetCValuesText()),
                                      HtmlText(Fitting->GetWarningText())};
        std::string Cells;
        for (const std::string& V : Values) Cells += "<td" + Class + ">" + V + "</td>";
        Row(Out, Cells, Class.c_str());
    }
    CloseSection(Out, FittingSection);
}

// The mass flow along a branch. A Sink branch takes away (or brings) what
// the other branches of its terminal bring (or take): a sizing run leaves
// the generated Sink branches without flow of their own.
double BranchMass(const TFlowBranch& B)
{
    if (B.Kind != bkSink) return B.MassFlow;
    const TFlowNode* Terminal = B.FromFlowNode()->IsTerminal() ? B.FromFlowNode() : B.ToFlowNode();
    if (!Terminal->IsTerminal()) return B.MassFlow;
    double Others = 0.0;
    int Own = 0;
    for (const TLink& L : Terminal->Links) {
        const auto* Other = static_cast<const TFlowBranch*>(L.Branch);
        if (Other == &B)
            Own = L.Direction;
        else if (Other->Kind != bkSink)
            Others += L.Direction * Other->MassFlow;
    }
    return Own != 0 ? -Others / Own : B.MassFlow;
}

// The air flowing into a node from its branches, l/s: each link's mass flow
// over the node's density (the node's stored residual is never set).
double NodeInflow(const TFlowNode& Node)
{
    if (!(Node.Density > 0.0)) return 0.0;
    double Mass = 0.0;
    for (const TLink& L : Node.Links) Mass += L.Direction * BranchMass(*static_cast<TFlowBranch*>(L.Branch));
    return 1000.0 * Mass / Node.Density;
}

const TSection NodeSection{
    "<h2>Nodes</h2>",
    "<p>The nodes are the connections of the branches.&nbsp; This means that the node pressure is "
    "unique.&nbsp; to simplify the numbers, we report the relative pressure.&nbsp; By definition, "
    "all inlets and outlets should have a relative pressure of zero.&nbsp; Note also that the sum "
    "of all flows into a node must be zero.&nbsp; This is the first law of networks.</p>",
    "<caption><h5 align=\"left\">Node List</h5></caption>",
    "<th width=\"60\">ID</th><th width=\"100\">Caption</th><th width=\"80\">Type</th><th>Adjacent "
    "Branches</th><th width=\"80\">Flow Sum, l/s</th><th width=\"80\">Relative Pressure, Pa</th>",
    "<tfoot><tr><td colspan=\"6\">Notes:<br>1. Sort order is the same as the Ventrix Node "
    "Summary.<br>2. The relative pressure is referenced to the room which is zero.<br>3. The "
    "inflow is the algebraic sum of flow into a node.<br></td></tr></tfoot>"};

void WriteNodes(TDuctGraph& Network, std::ostream& Out)
{
    bool Any = false;
    for (const auto& N : Network.Nodes()) Any = Any || N->IsActive();
    if (!Any) return;
    OpenSection(Out, NodeSection);
    for (const auto& Item : Network.Nodes()) {
        if (!Item->IsActive()) continue;
        const TFlowNode* N = FlowNode(Item);
        std::string Adjacent;
        for (const TLink& L : N->Links)
            if (L.Branch->Id() > 0) Adjacent += I(L.Branch->Id()) + "..";
        const std::string C =
            N->IsTerminal() && std::fabs(N->RelPressure) > 0.1 ? WarnClass : "";
        Row(Out, "<td" + C + ">" + I(N->Id()) + "</td><td" + C + ">" + HtmlText(N->Name) +
                     "</td><td" + C + ">" + NodeTypeText(N->NodeType) + "</td><td" + C + ">" +
                     Adjacent + "</td><td" + C + ">" + F("%0.0f", NodeInflow(*N)) + "</td><td" + C +
                     ">" + F("%0.0f", N->RelPressure) + "</td>");
    }
    CloseSection(Out, NodeSection);
}

const TSection MeshSection{
    "<h2>Meshes</h2>",
    "<p>The mesh list is really an internal list but can be useful in identifying problem "
    "systems.&nbsp; The second law of a network solution is that the sum of pressure drops in "
    "every circuit must be zero.&nbsp; Each mesh is an independent circuit and the residual is the "
    "sum of pressure drops.&nbsp; Non-zero values should be within the solve tolerance only.</p>",
    "<caption><h5 align=\"left\">Independant Circuit List</h5></caption>",
    "<th width=\"60\">ID</th><th>Branches in Circuit</th><th>K</th><th width=\"80\">dP, "
    "Pascals</th>",
    "<tfoot><tr><td colspan=\"4\">Notes:<br>1. Sort order is based on the relative importance of "
    "the circuit.<br>2. Branch numbers refer to the actual branch ID and not the user "
    "caption.<br></td></tr></tfoot>"};

void WriteMeshes(TDuctGraph& Network, std::ostream& Out)
{
    if (Network.Meshes().empty()) return;
    OpenSection(Out, MeshSection);
    for (const auto& Item : Network.Meshes()) {
        const auto* M = static_cast<const TFlowMesh*>(Item.get());
        std::string Names;
        for (const TLink& L : M->Links)
            if (L.Branch->Id() >= 0) Names += HtmlText(L.Branch->Name) + "..";
        Row(Out, "<td>" + I(M->Id) + "</td><td>" + Names + "</td><td>" + F("%0.4g", M->Gain) +
                     "</td><td>" + F("%0.3f", M->MeshResidual) + "</td>");
    }
    CloseSection(Out, MeshSection);
}

const TSection BasicSection{
    "<h2>Basic Branches</h2>", "", "<caption><h5 align=\"left\">Branch List</h5></caption>",
    "<th width=\"60\">ID</th><th>Description</th><th width=\"80\">Weight</th><th "
    "width=\"80\">Resistance</th>",
    "<tfoot><tr><td colspan=\"4\">Notes:<br>1. Basic branches marked in red.<br></td></tr></tfoot>"};

void WriteBasicBranches(TDuctGraph& Network, std::ostream& Out)
{
    bool Any = false;
    for (const auto& B : Network.Branches()) Any = Any || B->Id() >= 0;
    if (!Any) return;
    OpenSection(Out, BasicSection);
    for (const auto& Item : Network.Branches()) {
        if (Item->Id() < 0) continue;
        const TFlowBranch* B = FlowBranch(Item);
        const char* Class = HasFlag(B->Flags, gfChord) ? WarnClass : "";
        Row(Out, "<td>" + I(B->Id()) + "</td><td" + Class + ">" + HtmlText(B->Name) + "</td><td>" +
                     F("%0.3f", B->FlowResistance) + "</td><td>" + F("%0.1f", B->Resistance) +
                     "</td>");
    }
    CloseSection(Out, BasicSection);
}

} // namespace

std::string HtmlText(const std::string& Utf8)
{
    std::string Out;
    Out.reserve(Utf8.size());
    for (char C : Utf8) {
        switch (C) {
        case '&': Out += "&amp;"; break;
        case '<': Out += "&lt;"; break;
        case '>': Out += "&gt;"; break;
        case '"': Out += "&quot;"; break;
        default: Out += C;
        }
    }
    return Out;
}

void WriteDiagnosticHtml(TDuctGraph& Network, std::ostream& Out)
{
    Line(Out, "<p>The following set of tables is a complete view of the whole network.&nbsp; This "
              "is to allow you to locate errors and provides a comprehensive listing for your "
              "records.</p>");
    WriteBranches(Network, Out);
    WriteAirflowDifferences(Network, Out);
    WriteFittings(Network, Out);
    WriteNodes(Network, Out);
    WriteMeshes(Network, Out);
    WriteBasicBranches(Network, Out);
}

void WriteDiagnosticPage(TDuctGraph& Network, const TDocumentProperties& Properties,
                         const std::string& FileName, TDiagnosticPicture Picture, std::ostream& Out)
{
    Line(Out, "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
              "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">");
    Line(Out, "<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\" xml:lang=\"en\">");
    Line(Out, "<head>");
    Line(Out, "<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">");
    Line(Out, "<meta http-equiv=\"Content-Language\" content=\"en-us\">");
    Line(Out, "<meta name=\"author\" content=\"" + HtmlText(Properties.Author.empty() ? std::string("Ventrix") : Properties.Author) + "\">");
    Line(Out, "<meta name=\"classification\" content=\"Engineering\">");
    Line(Out, "<meta name=\"keywords\" content=\"ducting,hvac,ashrae,duct fittings,presure drop,air flow\">");
    Line(Out, "<meta name=\"description\" content=\"Brellamonte Ventrix Diagnostic\">");
    Line(Out, "<link rel=\"stylesheet\" type=\"text/css\" href=\"diagnostic.css\">");
    Line(Out, "<title>Diagnostics Report</title>");
    Line(Out, "</head>");
    Line(Out, "<body>");
    Line(Out, "<div class=\"heading\">");
    Line(Out, "<img align=\"right\" src=\"diaglogo.png\" alt=\"diagnostic logo\">");
    Line(Out, "<h1>" + HtmlText(Properties.ProjectName.empty() ? std::string("Project") : Properties.ProjectName) + "</h1>");
    Line(Out, "</div>");
    Line(Out, "<p>" + HtmlText(Properties.GetTitleText()) + "</p>");
    Line(Out, "<hr>");
    Line(Out, "[<a href=\"help\\help.htm\">Ventrix Help</a>]&nbsp;&nbsp;");
    Line(Out, "[<a href=\"help\\tutorial.htm\">Ventrix Tutorial</a>]");
    if (static_cast<int>(Network.Status) >= 3)
        Line(Out, std::string("<p class=\"warn\">Warning: ") + SolveStatusText(Network.Status) + "</p>");
    WriteDiagnosticHtml(Network, Out);
    Line(Out, "<p>&nbsp;</p>");
    Line(Out, "<h2>Schematic</h2>");
    Line(Out, "<img border=\"0\" src=\"drawnet.gif\" alt=\"drawing\" width=\"" + I(Picture.Width) +
                  "\" height=\"" + I(Picture.Height) + "\">");
    Line(Out, "<p>&nbsp;</p>");
    Line(Out, "<p class=\"fineprint\">Filename: " + HtmlText(FileName) + "</p>");
    Line(Out, "<hr>");
    Line(Out, "<p class=\"fineprint\">Written by Ventrix, Brellamonte air-duct network design.</p>");
    Line(Out, "</body>");
    Line(Out, "</html>");
}

TDiagnosticExtent DiagnosticDrawnExtent(TDiagnosticExtent E)
{
    const int W = std::max(1, E.Right - E.Left);
    const double Ratio = static_cast<double>(E.Bottom - E.Top) / W;
    if (W < 400) {
        E.Right = E.Left + W + 400;
        E.Bottom = E.Top + static_cast<int>(std::lround((W + 400) * Ratio));
    }
    return E;
}

TDiagnosticPicture DiagnosticPictureSize(TDiagnosticExtent Extent)
{
    // The extent's own ratio: widening keeps it, so the picture does too.
    const double Ratio = static_cast<double>(std::max(0, Extent.Bottom - Extent.Top)) /
                         std::max(1, Extent.Right - Extent.Left);
    TDiagnosticPicture P{DiagnosticPictureWidth,
                         std::max(1, static_cast<int>(std::lround(DiagnosticPictureWidth * Ratio)))};
    // A tall thin drawing would make a picture no browser shows: cap the
    // height and keep the ratio.
    if (P.Height > MaxDiagnosticPictureHeight) {
        P.Width = std::max(1, static_cast<int>(std::lround(MaxDiagnosticPictureHeight / Ratio)));
        P.Height = MaxDiagnosticPictureHeight;
    }
    return P;
}
