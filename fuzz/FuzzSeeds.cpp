// Writes the seed corpus of the fuzz targets into <folder>/doc and
// <folder>/xml: the default network and a larger one with terminals, fixed
// items and fittings, as documents and as XML exports.

#include "document/DocumentFile.h"
#include "document/NetworkXmlExport.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

std::unique_ptr<TDuctGraph> LargerNetwork(const TSettings& Settings)
{
    auto G = std::make_unique<TDuctGraph>(true, &Settings);
    G->FlowNode(2)->Name = "Zone 2 °C & <north>";
    G->DuctBranch(2)->FixedCs.push_back(std::make_unique<TFixedC>("Elbow", 0.3));
    G->DuctBranch(4)->SizeFixed = true;
    G->AddBranch(6, 5, 7);
    G->FlowNode(7)->NodeType = ntOutlet;
    G->DuctBranch(6)->SetDuctType(dtSpiral, 0.0, 3.0, 0.2);
    G->DuctBranch(6)->UpdateOutletTerminal(Settings, okDiffuser);
    auto Tee = std::make_unique<TFitting>("Tee", "SD5-1");
    Tee->Junction = true;
    Tee->Info = {0.5};
    Tee->Roles = {"c", "s", "b"};
    Tee->Links = {{4, nullptr}, {5, nullptr}, {6, nullptr}};
    Tee->CValues = {0.0, 0.2, 0.7};
    Tee->CValues2 = {0.0, 0.2, 0.7};
    Tee->FlowRatios = {{}, {0.6}, {0.4}};
    Tee->VelocityRatios = {{}, {0.6}, {0.4}};
    Tee->Remarks = {"", "", ""};
    G->Fittings.push_back(std::move(Tee));
    G->ResolveFittingLinks(false);
    return G;
}

void Write(const std::filesystem::path& Name, const std::string& Bytes)
{
    std::ofstream(Name, std::ios::binary) << Bytes;
}

} // namespace

int main(int Argc, char** Argv)
{
    if (Argc != 2) {
        std::cerr << "usage: fuzz_seeds <folder>\n";
        return 2;
    }
    const std::filesystem::path Folder = Argv[1];
    std::filesystem::create_directories(Folder / "doc");
    std::filesystem::create_directories(Folder / "xml");
    const TSettings Settings;
    TDocumentProperties Properties;
    Properties.ProjectName = "Seed";
    Properties.Date = 45632.0;
    const TDuctGraph Default(true, &Settings);
    const auto Larger = LargerNetwork(Settings);
    int N = 0;
    for (const TDuctGraph* G : {&Default, static_cast<const TDuctGraph*>(Larger.get())}) {
        ++N;
        Write(Folder / "doc" / ("seed" + std::to_string(N) + ".vtx"), NetworkFileBytes(*G, Properties, Settings));
        std::ostringstream Xml;
        WriteNetworkXml(Xml, *G, Properties, Settings, "/plans/seed.vtx");
        Write(Folder / "xml" / ("seed" + std::to_string(N) + ".xml"), Xml.str());
    }
    return 0;
}
