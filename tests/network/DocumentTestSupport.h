#pragma once
// Shared by the document and XML tests: a network whose stored fields are
// moved off their defaults, and its properties and settings.

#include "network/DocumentContents.h"

#include <memory>
#include <string>

namespace doctest {

inline TSettings SampleSettings()
{
    TSettings S;
    S.designpressrate = 1.5;
    S.startspecvel = true;
    S.statregainminveloutlet = 1.25;
    S.userveloutlet = 2.5;
    S.usedampers = false;
    S.definletc = {4.0, 2.5, 1.5};
    S.defoutletq = {0.25, 0.125, 0.5};
    S.roughness = 0.0009;
    S.autocalcratios = false;
    return S;
}

inline TDocumentProperties SampleProperties()
{
    TDocumentProperties P;
    P.ProjectName = "Harbour Offices";
    P.ProjectNumber = "HV-17";
    P.Description = "Level 2\r\nRevision B";
    P.Author = "J. Ng";
    P.Company = "Smith & Sons <Ducting>";
    P.Date = 45632.0;
    return P;
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
    auto Tee = std::make_unique<TFitting>("Tee & branch", "SD5-1");
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
