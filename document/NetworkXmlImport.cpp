#include "document/NetworkXmlImport.h"

#include "document/FittingInputCheck.h"
#include "fittings/DuctFittingDB.h"
#include "foundation/DelimitedText.h"
#include "foundation/NumberFormat.h"
#include "foundation/XmlHelpers.h"
#include "graph/DrawingRange.h"
#include "graph/GraphError.h"
#include "graph/ShortString.h"
#include "solver/StoredResults.h"

#include <pugixml.hpp>

#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace {

// Our files nest five deep; the readers of element texts walk descendants
// recursively, so a hostile file must not nest without end.
constexpr int MaxXmlDepth = 64;

const char* const VersionRefused = "Can only read versions later than 1.0.0.1.";

bool SameText(std::string_view A, std::string_view B)
{
    if (A.size() != B.size())
        return false;
    for (std::size_t I = 0; I < A.size(); ++I) {
        const auto Lower = [](char C) { return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C; };
        if (Lower(A[I]) != Lower(B[I]))
            return false;
    }
    return true;
}

// The index of Text (letter case ignored) among the Count texts of Texts;
// -1 when it is none of them.
int IndexOfText(const std::string& Text, const char* (*Texts)(int), int Count)
{
    for (int I = 0; I < Count; ++I)
        if (SameText(Text, Texts(I)))
            return I;
    return -1;
}

int DepthOf(const pugi::xml_node& Document)
{
    int Depth = 0;
    int Deepest = 0;
    pugi::xml_node Node = Document.first_child();
    while (Node) {
        if (Node.first_child()) {
            Node = Node.first_child();
            Deepest = std::max(Deepest, ++Depth);
            continue;
        }
        while (Node && !Node.next_sibling()) {
            Node = Node.parent();
            --Depth;
            if (Node == Document)
                return Deepest;
        }
        if (Node)
            Node = Node.next_sibling();
    }
    return Deepest;
}

// The id attribute every node and branch must carry.
int RequiredId(const pugi::xml_node& Element, const char* What)
{
    if (!Element.attribute("id"))
        throw EGraphError(std::string(What) + " without an id in file");
    return GetAttrInt(Element, "id", -1);
}

// A node reference of a branch: present and not negative.
int NodeReference(const pugi::xml_node& Branch, const char* Name, int BranchId)
{
    const pugi::xml_node Element = FindChildNode(Branch, Name, false);
    if (!Element)
        throw EGraphError(std::string("Missing ") + Name + " node in file: branch " + IntToStr(BranchId));
    const int Id = GetNodeInt(Element);
    if (Id < 0)
        throw EGraphError(std::string("Invalid ") + Name + " node in file: branch " + IntToStr(BranchId));
    return Id;
}

std::uint8_t Keep(const pugi::xml_node& Branch, const char* Name, std::uint8_t Current, int BranchId)
{
    const int Value = GetChildNodeInt(Branch, Name, Current);
    if (Value < 0 || Value > 3)
        throw EGraphError(std::string("Invalid ") + Name + " in file: branch " + IntToStr(BranchId));
    return static_cast<std::uint8_t>(Value);
}

bool Flag(const pugi::xml_node& Parent, const char* Name, bool Current)
{
    return GetChildNodeInt(Parent, Name, Current ? 1 : 0) != 0;
}

void ReadNode(TDuctGraph& Network, const pugi::xml_node& Element)
{
    const int Id = RequiredId(Element, "Node");
    if (Id < 0)
        return; // the generated sink
    // A repeated id is the same node: the later record updates it.
    auto& Node = static_cast<TFlowNode&>(*Network.GetOrAddNode(Id));
    Node.Name = ToShortString(GetChildNodeText(Element, "caption", Node.Name));
    if (const pugi::xml_node Type = FindChildNode(Element, "type", false)) {
        const std::string Ref = GetAttrText(Type, "ref", "");
        const std::string Kind = GetChildNodeText(Type, "caption", "");
        if (SameText(Ref, "common")) {
            Node.NodeType = ntCommon;
        } else if (SameText(Ref, "inlet")) {
            Node.NodeType = ntInlet;
            if (const int K = IndexOfText(Kind, InletKindText, InletKindCount); K >= 0)
                Node.InletKind = static_cast<TInletKind>(K);
        } else if (SameText(Ref, "outlet")) {
            Node.NodeType = ntOutlet;
            if (const int K = IndexOfText(Kind, OutletKindText, OutletKindCount); K >= 0)
                Node.OutletKind = static_cast<TOutletKind>(K);
        }
    }
    // A missing value keeps what a new node has (the network's air, not yet
    // placed) rather than 0: a density or position of 0 would be nonsense.
    Node.DryBulb = GetChildNodeFloat(Element, "temperature", Node.DryBulb);
    Node.RelPressure = GetChildNodeFloat(Element, "relpressure", Node.RelPressure);
    Node.Density = GetChildNodeFloat(Element, "density", Node.Density);
    Node.X = NodeCoordinateInDrawing(GetChildNodeInt(Element, "xpos", Node.X));
    Node.Y = NodeCoordinateInDrawing(GetChildNodeInt(Element, "ypos", Node.Y));
}

// A terminal from its C-value and reference drop; the reference velocity
// follows from the two.
void ReadTerminal(TFixedEndFitting& Terminal, const pugi::xml_node& Element, const char* CName,
                  const char* DropName)
{
    Terminal.C = GetChildNodeFloat(Element, CName, Terminal.C);
    Terminal.RefDrop = GetChildNodeFloat(Element, DropName, Terminal.RefDrop);
    Terminal.SetEndValue(TFixedEndFitting::evC, TFixedEndFitting::evRefDrop);
}

void ReadBranch(TDuctGraph& Network, const pugi::xml_node& Element)
{
    const int Id = RequiredId(Element, "Branch");
    if (Id < 0)
        return; // generated
    const int FromId = NodeReference(Element, "inlet", Id);
    const int ToId = NodeReference(Element, "outlet", Id);
    if (Network.FindBranch(Id))
        throw EGraphError("Duplicate branch in file: branch " + IntToStr(Id));
    if (FromId == ToId)
        throw EGraphError("Branch joins a node to itself in file: branch " + IntToStr(Id));
    auto* Branch = static_cast<TDuctBranch*>(Network.AddBranch(Id, FromId, ToId));
    if (!Branch)
        throw EGraphError("Invalid branch in file: branch " + IntToStr(Id));
    Branch->CalcFlowTerms(false);
    // A missing value keeps the new branch's own (aspect 1, automatic label).
    Branch->Name = ToShortString(GetChildNodeText(Element, "caption", Branch->Name));
    if (const int T = IndexOfText(GetChildNodeText(Element, "ducttype", ""), DuctTypeText, DuctTypeCount); T >= 0)
        Branch->DuctType = static_cast<TDuctType>(T);
    if (const int K = IndexOfText(GetChildNodeText(Element, "branchtype", ""), BranchKindText, BranchKindCount);
        K >= 0)
        Branch->Kind = static_cast<TBranchKind>(K);
    Branch->Diameter = GetChildNodeFloat(Element, "diameter", Branch->Diameter);
    Branch->DuctHeight = GetChildNodeFloat(Element, "height", Branch->DuctHeight);
    Branch->DuctWidth = GetChildNodeFloat(Element, "width", Branch->DuctWidth);
    Branch->Aspect = GetChildNodeFloat(Element, "aspect", Branch->Aspect);
    Branch->Keep1 = Keep(Element, "keep1", Branch->Keep1, Id);
    Branch->Keep2 = Keep(Element, "keep2", Branch->Keep2, Id);
    Branch->Length = GetChildNodeFloat(Element, "length", Branch->Length);
    Branch->DesignFlow = GetChildNodeFloat(Element, "designflow", Branch->DesignFlow);
    Branch->SizeFixed = Flag(Element, "sizefixed", Branch->SizeFixed);
    Branch->LabelX = LabelCoordinateInDrawing(GetChildNodeInt(Element, "xpos", Branch->LabelX));
    Branch->LabelY = LabelCoordinateInDrawing(GetChildNodeInt(Element, "ypos", Branch->LabelY));
    Branch->Booster = Flag(Element, "booster", Branch->Booster);
    Branch->PressureGain = GetChildNodeFloat(Element, "pgain", Branch->PressureGain);

    const TFlowNode* To = Branch->ToFlowNode();
    const TFlowNode* From = Branch->FromFlowNode();
    if (To->NodeType == ntOutlet) {
        Branch->UpdateOutletTerminal(Network.Settings(), To->OutletKind);
        ReadTerminal(*Branch->OutletTerminal, Element, "fixedoutletc", "fixedoutletrefdp");
    }
    if (From->NodeType == ntInlet) {
        Branch->UpdateInletTerminal(Network.Settings(), From->InletKind);
        ReadTerminal(*Branch->InletTerminal, Element, "fixedinletc", "fixedinletrefdp");
    }
    for (const pugi::xml_node Item : Element.children("fixeddp"))
        Branch->FixedDps.push_back(std::make_unique<TFixeddP>(GetAttrText(Item, "caption", ""), GetNodeFloat(Item)));
    for (const pugi::xml_node Item : Element.children("fixedc"))
        Branch->FixedCs.push_back(std::make_unique<TFixedC>(GetAttrText(Item, "caption", ""), GetNodeFloat(Item)));
    // The fan's drop is its fixed items' less its gain: their sum first.
    Branch->SumFixedDrops();
    Branch->CalcTerminalLosses();
    Branch->CalcTotalDrop();
}

// "0.200,0.800" as ratios; an empty text as none.
std::vector<double> Ratios(const std::string& Text)
{
    std::vector<double> Values;
    for (const std::string& Field : SplitToArray(Text, ","))
        Values.push_back(StrToFloat(Field));
    return Values;
}

std::unique_ptr<TFitting> ReadFitting(const pugi::xml_node& Element)
{
    auto Fitting = std::make_unique<TFitting>(GetChildNodeText(Element, "caption", ""),
                                              GetChildNodeText(Element, "code", ""));
    Fitting->Transition = Flag(Element, "transition", false);
    Fitting->Junction = Flag(Element, "junction", false);
    std::vector<int> LinkIds;
    for (const pugi::xml_node Child : Element.children()) {
        const std::string_view Name = Child.name();
        if (Name == "info")
            Fitting->Info.push_back(GetNodeFloat(Child));
        else if (Name == "links")
            Fitting->Roles.push_back(GetNodeText(Child));
        else if (Name == "branchlink")
            LinkIds.push_back(GetNodeInt(Child));
        else if (Name == "rinfo")
            Fitting->FlowRatios.push_back(Ratios(GetNodeText(Child)));
    }
    // Every per-link array is indexed by link: the three must agree.
    if (LinkIds.size() != Fitting->Roles.size() || LinkIds.size() != Fitting->FlowRatios.size())
        throw EGraphError("Invalid fitting in file: " + Fitting->Caption +
                          " (links, branch links and ratios differ in number)");
    for (int Id : LinkIds)
        Fitting->Links.push_back(TFittingLink{Id, nullptr});
    const std::size_t Count = LinkIds.size();
    Fitting->CValues.assign(Count, 0.0);
    Fitting->CValues2.assign(Count, 0.0);
    Fitting->Remarks.assign(Count, std::string());
    Fitting->VelocityRatios.clear();
    for (const std::vector<double>& Row : Fitting->FlowRatios)
        Fitting->VelocityRatios.emplace_back(Row.size(), 0.0);
    return Fitting;
}

TDocumentRead ImportFailure(const std::string& Name, const std::string& Reason)
{
    return FailedRead("Error loading " + Name + ". " + Reason, Reason);
}

} // namespace

void TDuctGraph::ReadXml(const pugi::xml_node& Root)
{
    const pugi::xml_node Body = FindChildNode(Root, "body", false);
    for (const pugi::xml_node Element : FindChildNode(Body, "nodes", false).children())
        if (Element.type() == pugi::node_element)
            ::ReadNode(*this, Element);
    // Air that is none (an export of a broken network, a hand-edited file)
    // gives way to the network's, as a new node has it.
    TakeSoundNodeAir();
    for (const pugi::xml_node Element : FindChildNode(Body, "branches", false).children())
        if (Element.type() == pugi::node_element)
            ::ReadBranch(*this, Element);

    const pugi::xml_node Fan = FindChildNode(Body, "mainfan", false);
    if (!Fan)
        throw EGraphError("main fan not found");
    // No branch with that id leaves the network without a fan; a branch
    // that is no fan (neither of kind Gain nor of duct type Fan) would make
    // every solve fail without a word.
    MainFan = DuctBranch(GetNodeInt(Fan));
    if (MainFan && MainFan->Kind != bkGain && MainFan->DuctType != dtFan)
        throw EGraphError("Main fan in file is not a fan: branch " + MainFan->Name + " (id " +
                          IntToStr(MainFan->Id()) + ")");

    ResetFittingSerial();
    for (const pugi::xml_node Element : FindChildNode(Body, "fittings", false).children())
        if (Element.type() == pugi::node_element)
            Fittings.push_back(ReadFitting(Element));

    for (const auto& Item : Branches()) {
        auto& Branch = static_cast<TDuctBranch&>(*Item);
        Branch.CalcArea();
        Branch.CalcVelocity();
    }
    // Resolving the links also gives every branch the fittings that name it.
    ResolveFittingLinks(false);
}

TDocumentRead ImportNetworkXmlText(std::string_view Text, const std::string& Name,
                                   const TDocumentProperties& Current)
{
    TDocumentContents Read;
    try {
        pugi::xml_document Document;
        const pugi::xml_parse_result Parsed = Document.load_buffer(Text.data(), Text.size());
        if (!Parsed)
            return ImportFailure(Name, Parsed.description());
        if (DepthOf(Document) > MaxXmlDepth)
            return ImportFailure(Name, "XML elements nested too deeply");
        const pugi::xml_node Root = Document.document_element();
        const pugi::xml_node Head = FindChildNode(Root, "head", false);
        const std::string Version(TrimText(GetChildNodeText(Head, "version", "")));
        if (Version.empty() || SameText(Version, "1.0.0.1"))
            return ImportFailure(Name, VersionRefused);

        Read.Properties = Current;
        Read.Properties.ReadXml(Head);
        Read.Settings = std::make_unique<TSettings>();
        Read.Settings->ReadXml(Head);
        Read.Network = std::make_unique<TDuctGraph>(false, Read.Settings.get());
        Read.Network->ReadXml(Root);
        MatchFittingInputsToDatabase(*Read.Network, DuctFittingDB());
        ComputeStoredResults(*Read.Network, false);
    } catch (const std::exception& Error) {
        return ImportFailure(Name, Error.what());
    }
    return SuccessfulRead(std::move(Read));
}

TDocumentRead ImportXmlFile(const std::string& FileName, const TDocumentProperties& Current)
{
    std::error_code Code;
    if (!std::filesystem::is_regular_file(FileName, Code))
        return FailedRead("File not found: " + FileName, "File not found");
    std::ifstream File(FileName, std::ios::binary);
    std::string Text((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
    if (File.bad())
        return ImportFailure(FileName, "The file cannot be read");
    return ImportNetworkXmlText(Text, FileName, Current);
}
