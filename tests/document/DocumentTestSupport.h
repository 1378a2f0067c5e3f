#pragma once
// Shared by the document, XML, settings and properties tests: a network
// whose stored fields are moved off their defaults, properties and settings
// likewise, and the XML elements of settings and properties.

#include "document/DocumentContents.h"
#include "document/NetworkXmlExport.h"
#include "foundation/ValueStream.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>

namespace doctest {

// Settings with every value away from its factory value, so that a field
// lost or read into the wrong place shows.
inline TSettings SampleSettings()
{
    TSettings S;
    S.designpressrate = 1.25;
    S.statregainfactor = 0.75;
    S.startequalfric = false;
    S.startspecvel = true;
    S.statregainstartpressrate = 3.5;
    S.statregainstartvel = 12.0;
    S.statregainminvelduct = 3.25;
    S.statregainminveloutlet = 1.5;
    S.resetvels = false;
    S.useuservel = false;
    S.uservelmain = 6.5;
    S.userveloutlet = 2.75;
    S.usedampers = false;
    S.defoutletq = {0.125, 0.25, 0.375};
    S.definletq = {0.5, 0.625, 0.75};
    S.defoutletc = {4.5, 3.5, 2.5};
    S.definletc = {1.5, 2.0, 0.5};
    S.ductrectstep = 0.05;
    S.ductroundstep = 0.1;
    S.roughness = 0.0009;
    S.autocalcratios = false;
    return S;
}

// 6 December 2024 as days since 30 December 1899.
constexpr double SixDecember2024 = 45632.0;

inline TDocumentProperties SampleProperties()
{
    TDocumentProperties P;
    P.ProjectName = "Harbour Offices";
    P.ProjectNumber = "HV-2024/17";
    P.Description = "Level 2 supply\r\nRevision B\r\nsee notes";
    P.Author = "J. Ng";
    P.Company = "Smith & Sons <Ducting>";
    P.Date = SixDecember2024;
    return P;
}

// The element Item (settings or properties) writes, one blank deep.
template <class TItem>
std::string XmlOf(const TItem& Item)
{
    std::ostringstream Out;
    Item.WriteXml(Out, " ");
    return Out.str();
}

// The network's XML export, as of a document named /work/plan.vtx.
inline std::string ExportText(const TDuctGraph& Network, const TDocumentProperties& Properties, const TSettings& Settings)
{
    std::ostringstream Out;
    WriteNetworkXml(Out, Network, Properties, Settings, "/work/plan.vtx");
    return Out.str();
}

// Reads an element wrapped in a head, as the XML import finds it.
template <class TItem>
void ReadXmlText(TItem& Item, const std::string& Element)
{
    pugi::xml_document Doc;
    const std::string Text = "<head>" + Element + "</head>";
    ASSERT_TRUE(Doc.load_string(Text.c_str())) << Text;
    Item.ReadXml(Doc.child("head"));
}

// Reading each damaged block into a copy of Item raises an error that names
// What, and leaves the copy as it was.
template <class TItem>
void ExpectDamagedBlocksRefused(const TItem& Item, std::initializer_list<std::string> Blocks, const std::string& What)
{
    for (const std::string& Bytes : Blocks) {
        TItem Read = Item;
        TValueReader R(Bytes);
        try {
            Read.ReadFromReader(R);
            ADD_FAILURE() << "a damaged block was accepted";
        } catch (const EStreamError& E) {
            EXPECT_NE(std::string(E.what()).find(What), std::string::npos) << E.what();
        }
        EXPECT_EQ(Read, Item);
    }
}

// The default network at 95 kPa with names holding "°", "&", "<" and '"',
// a grille outlet, a booster, a size-fixed duct with a damper, fixed items,
// keeps, a solve method and status, and a junction fitting on three ducts.
inline std::unique_ptr<TDuctGraph> SampleNetwork(const TSettings& Settings)
{
    auto N = std::make_unique<TDuctGraph>(true, &Settings);
    N->SetBarometer(95.0);
    N->Width = 1200;
    N->Scale = 0.05;
    N->DrawToScale = true;
    N->BackFileName = "/plans/level 2.gif";
    N->FlowNode(2)->Name = "Zone 2 °C & <north>";
    N->FlowNode(2)->Elevation = 3.5;
    N->FlowNode(6)->OutletKind = okGrille;
    N->UpdateNodeTerminals(N->FlowNode(6));
    TDuctBranch* Duct = N->DuctBranch(2);
    Duct->Name = "RA \"main\" & more";
    Duct->Booster = true;
    Duct->PressureGain = 25.0;
    Duct->SizeFixed = true;
    Duct->DamperDrop = 12.5;
    Duct->Reserved = 7.0;
    Duct->Keep1 = 1;
    Duct->Keep2 = 2;
    Duct->LabelX = 40;
    Duct->LabelY = 70;
    Duct->FixedCs.push_back(std::make_unique<TFixedC>("Elbow \"90\" <short>", 0.375));
    Duct->FixedDps.push_back(std::make_unique<TFixeddP>("Silencer", 35.0));
    N->Method = smStaticRegain;
    N->Status = ssWithinTolerance;
    auto Tee = std::make_unique<TFitting>("Tee & branch", "SD5-9");
    Tee->Junction = true;
    Tee->Info = {0.5, 90.0};
    Tee->Roles = {"c", "s", "b"};
    Tee->Links = {{4, nullptr}, {5, nullptr}, {2, nullptr}};
    Tee->CValues = {0.0, 0.25, 0.75};
    Tee->CValues2 = {0.0, 0.125, 0.5};
    Tee->FlowRatios = {{}, {0.375, 0.625}, {1.0}};
    Tee->VelocityRatios = {{}, {0.5, 0.25}, {0.75}};
    Tee->Remarks = {"", "", ""};
    N->Fittings.push_back(std::move(Tee));
    N->ResolveFittingLinks(false);
    N->RecalculateAll();
    return N;
}

} // namespace doctest
