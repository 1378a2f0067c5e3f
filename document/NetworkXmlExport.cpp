#include "document/NetworkXmlExport.h"

#include "foundation/AtomicSave.h"
#include "foundation/NumberFormat.h"
#include "foundation/XmlText.h"
#include "graph/GraphError.h"

#include <cstdio>
#include <exception>
#include <ostream>
#include <sstream>
#include <stdexcept>

namespace {

constexpr const char* Eol = "\r\n";

std::string Element(const char* Name, const std::string& Text)
{
    return std::string("<") + Name + '>' + Text + "</" + Name + '>';
}

std::string TextElement(const char* Name, const std::string& Text)
{
    return Element(Name, XmlEscapedText(Text));
}

std::string FloatElement(const char* Name, const char* Format, double Value)
{
    return Element(Name, XmlNumberText(Format, Value));
}

std::string IntElement(const char* Name, long long Value)
{
    return Element(Name, IntToStr(Value));
}

// The flow ratios of one link: "%0.3f" each, joined by commas; nothing when
// the link has none (a "0.0" would read back as one value, which a path
// without an axis does not take).
std::string RatioText(const std::vector<double>& Ratios)
{
    if (Ratios.empty())
        return std::string();
    std::string Text;
    for (double Ratio : Ratios)
        Text += XmlNumberText("%0.3f,", Ratio);
    Text.pop_back();
    return Text;
}

// Generated branches have negative ids; a branch at a generated node (the
// Sink) goes with it at the next check. Neither can be read back, the
// importer taking only items of the user's.
bool IsGenerated(const TBranch& Branch)
{
    return Branch.Id() < 0 || Branch.FromNode->Id() < 0 || Branch.ToNode->Id() < 0;
}

void WriteNode(std::ostream& File, const TFlowNode& Node)
{
    const std::string In = "  ";
    File << In << "<node id=\"" << Node.Id() << "\">" << Eol;
    File << In << TextElement("caption", Node.Name) << Eol;
    File << In << "<type ref=\"" << NodeTypeText(Node.NodeType) << "\">" << Eol;
    if (Node.NodeType == ntOutlet)
        File << "   " << TextElement("caption", OutletKindText(Node.OutletKind)) << Eol;
    else if (Node.NodeType == ntInlet)
        File << "   " << TextElement("caption", InletKindText(Node.InletKind)) << Eol;
    File << In << "</type>" << Eol;
    File << In << FloatElement("temperature", "%0.1f", Node.DryBulb) << Eol;
    File << In << FloatElement("relpressure", "%0.3f", Node.RelPressure) << Eol;
    File << In << FloatElement("density", "%0.4f", Node.Density) << Eol;
    File << In << IntElement("xpos", Node.X) << Eol;
    File << In << IntElement("ypos", Node.Y) << Eol;
    File << In << "</node>" << Eol;
}

void WriteBranch(std::ostream& File, const TDuctBranch& Branch, const TSettings& Settings)
{
    const std::string In = "  ";
    File << In << "<branch id=\"" << Branch.Id() << "\">" << Eol;
    File << In << TextElement("caption", Branch.Name) << Eol;
    File << In << TextElement("branchtype", BranchKindText(Branch.Kind)) << Eol;
    File << In << TextElement("ducttype", DuctTypeText(Branch.DuctType)) << Eol;
    File << In << IntElement("inlet", Branch.FromNode->Id()) << Eol;
    File << In << IntElement("outlet", Branch.ToNode->Id()) << Eol;
    File << In << FloatElement("diameter", "%0.3f", Branch.Diameter) << Eol;
    File << In << FloatElement("height", "%0.3f", Branch.DuctHeight) << Eol;
    File << In << FloatElement("width", "%0.3f", Branch.DuctWidth) << Eol;
    File << In << FloatElement("aspect", "%0.3f", Branch.Aspect) << Eol;
    File << In << IntElement("keep1", Branch.Keep1) << Eol;
    File << In << IntElement("keep2", Branch.Keep2) << Eol;
    File << In << FloatElement("length", "%0.1f", Branch.Length) << Eol;
    File << In << FloatElement("designflow", "%0.3f", Branch.DesignFlow) << Eol;
    File << In << IntElement("sizefixed", Branch.SizeFixed ? 1 : 0) << Eol;
    File << In << IntElement("xpos", Branch.LabelX) << Eol;
    File << In << IntElement("ypos", Branch.LabelY) << Eol;
    File << In << IntElement("booster", Branch.Booster ? 1 : 0) << Eol;
    File << In << FloatElement("pgain", "%0.3f", Branch.PressureGain) << Eol;
    if (Branch.ToFlowNode()->NodeType == ntOutlet) {
        const TFixedEndFitting Terminal = Branch.TerminalOrDefault(Settings, true);
        File << In << FloatElement("fixedoutletc", "%0.3f", Terminal.C) << Eol;
        File << In << FloatElement("fixedoutletrefdp", "%0.3f", Terminal.RefDrop) << Eol;
    }
    if (Branch.FromFlowNode()->NodeType == ntInlet) {
        const TFixedEndFitting Terminal = Branch.TerminalOrDefault(Settings, false);
        File << In << FloatElement("fixedinletc", "%0.3f", Terminal.C) << Eol;
        File << In << FloatElement("fixedinletrefdp", "%0.3f", Terminal.RefDrop) << Eol;
    }
    for (const auto& Item : Branch.FixedDps)
        File << In << "<fixeddp caption=\"" << XmlEscapedText(Item->Caption) << "\">"
             << XmlNumberText("%0.3f", Item->Drop) << "</fixeddp>" << Eol;
    for (const auto& Item : Branch.FixedCs)
        File << In << "<fixedc caption=\"" << XmlEscapedText(Item->Caption) << "\">"
             << XmlNumberText("%0.3f", Item->C) << "</fixedc>" << Eol;
    File << In << "</branch>" << Eol;
}

void WriteFitting(std::ostream& File, const TFitting& Fitting)
{
    const std::string In = "  ";
    File << In << "<fitting>" << Eol;
    File << In << TextElement("code", Fitting.Code) << Eol;
    File << In << TextElement("caption", Fitting.Caption) << Eol;
    File << In << IntElement("transition", Fitting.Transition ? 1 : 0) << Eol;
    File << In << IntElement("junction", Fitting.Junction ? 1 : 0) << Eol;
    for (double Value : Fitting.Info)
        File << In << FloatElement("info", "%0.3f", Value) << Eol;
    const std::size_t Count = Fitting.Links.size();
    for (std::size_t I = 0; I < Count; ++I)
        File << In << TextElement("links", I < Fitting.Roles.size() ? Fitting.Roles[I] : std::string()) << Eol;
    for (const TFittingLink& Link : Fitting.Links)
        File << In << IntElement("branchlink", Link.BranchId) << Eol;
    for (std::size_t I = 0; I < Count; ++I)
        File << In << Element("rinfo", RatioText(I < Fitting.FlowRatios.size() ? Fitting.FlowRatios[I]
                                                                               : std::vector<double>()))
             << Eol;
    File << In << "</fitting>" << Eol;
}

} // namespace

void TDuctGraph::WriteXml(std::ostream& File) const
{
    if (!MainFan)
        throw EGraphError("The network has no main fan");
    File << "<body>" << Eol;
    File << " <nodes>" << Eol;
    for (const auto& Node : Nodes())
        WriteNode(File, static_cast<const TFlowNode&>(*Node));
    File << " </nodes>" << Eol;
    File << " <branches>" << Eol;
    for (const auto& Branch : Branches())
        if (!IsGenerated(*Branch))
            WriteBranch(File, static_cast<const TDuctBranch&>(*Branch), Settings());
    File << " </branches>" << Eol;
    File << ' ' << IntElement("mainfan", MainFan->Id()) << Eol;
    File << " <fittings>" << Eol;
    for (const auto& Fitting : Fittings)
        WriteFitting(File, *Fitting);
    File << " </fittings>" << Eol;
    File << "</body>" << Eol;
}

void WriteNetworkXml(std::ostream& File, const TDuctGraph& Network, const TDocumentProperties& Properties,
                     const TSettings& Settings, const std::string& Title)
{
    File << "<?xml version = \"1.0\" encoding=\"iso-8859-1\" ?>" << Eol;
    File << "<network>" << Eol;
    File << "<head>" << Eol;
    File << ' ' << TextElement("title", Title) << Eol;
    File << ' ' << TextElement("kind", "Duct Network") << Eol;
    File << ' ' << TextElement("generator", "Brellamonte Ventrix") << Eol;
    File << ' ' << FloatElement("barometer", "%0.3f", Network.GetBarometerKPa()) << Eol;
    File << ' ' << TextElement("dbwb", Network.GetHumitrakText()) << Eol;
    File << ' ' << TextElement("version", NetworkXmlVersion) << Eol;
    Properties.WriteXml(File, " ");
    Settings.WriteXml(File, " ");
    File << "</head>" << Eol;
    Network.WriteXml(File);
    File << "</network>" << Eol;
}

TDocumentOutcome ExportXmlFile(const std::string& FileName, const TDuctGraph& Network,
                               const TDocumentProperties& Properties, const TSettings& Settings,
                               const std::string& Title)
{
    TDocumentOutcome Result;
    try {
        std::ostringstream Text;
        WriteNetworkXml(Text, Network, Properties, Settings, Title);
        SaveFileAtomically(FileName, Text.str());
        Result.Ok = true;
    } catch (const std::exception& Error) {
        Result.Reason = Error.what();
        Result.Messages.push_back("Error writing to XML. " + Result.Reason);
    }
    return Result;
}
