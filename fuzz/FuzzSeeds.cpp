// Writes the seed corpus of the fuzz targets: into <folder>/doc and
// <folder>/xml the default network and a larger one with terminals, fixed
// items and fittings, as documents and as XML exports; into <folder>/ddi the
// built fitting database's index; into <folder>/ddd its data file and each
// of its records as a data file of its own (header, then the record); into
// <folder>/stream all of these for the value stream.

#include "document/DocumentFile.h"
#include "document/NetworkXmlExport.h"
#include "fittings/DuctFittingDB.h"
#include "foundation/ValueStream.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <vector>

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
    auto Tee = std::make_unique<TFitting>("Tee", "SD5-9");
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

std::string ReadWhole(const std::filesystem::path& Name)
{
    std::ifstream In(Name, std::ios::binary);
    return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

// The built database's files, and each record of its data file behind the
// data file's header.
void WriteDatabaseSeeds(const std::filesystem::path& Folder)
{
    const std::string Dir = DuctFittingsFolder(VENTRIX_COMMON_DATA_DIR) + DuctFittingsFileName;
    const std::string Index = ReadWhole(Dir + DuctFittingsIndexExt);
    const std::string Data = ReadWhole(Dir + DuctFittingsDataExt);
    Write(Folder / "ddi" / "index.ddi", Index);
    Write(Folder / "ddd" / "data.ddd", Data);
    Write(Folder / "stream" / "index.ddi", Index);
    Write(Folder / "stream" / "data.ddd", Data);

    TDuctFittingDB Database(VENTRIX_COMMON_DATA_DIR);
    TValueReader Reader(Data);
    Reader.ReadString();
    const std::string Header = Data.substr(0, Reader.Position());
    std::vector<std::size_t> Starts(Database.Offsets().begin(), Database.Offsets().end());
    std::sort(Starts.begin(), Starts.end());
    Starts.erase(std::unique(Starts.begin(), Starts.end()), Starts.end());
    for (std::size_t i = 0; i < Starts.size(); ++i) {
        const std::size_t End = i + 1 < Starts.size() ? Starts[i + 1] : Data.size();
        const std::string Record = Header + Data.substr(Starts[i], End - Starts[i]);
        Write(Folder / "ddd" / ("record" + std::to_string(i) + ".ddd"), Record);
        Write(Folder / "stream" / ("record" + std::to_string(i) + ".ddd"), Record);
    }
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
    for (const char* Sub : {"ddi", "ddd", "stream"})
        std::filesystem::create_directories(Folder / Sub);
    const TSettings Settings;
    TDocumentProperties Properties;
    Properties.ProjectName = "Seed";
    Properties.Date = 45632.0;
    const TDuctGraph Default(true, &Settings);
    const auto Larger = LargerNetwork(Settings);
    int N = 0;
    for (const TDuctGraph* G : {&Default, static_cast<const TDuctGraph*>(Larger.get())}) {
        ++N;
        const std::string Document = NetworkFileBytes(*G, Properties, Settings);
        Write(Folder / "doc" / ("seed" + std::to_string(N) + ".vtx"), Document);
        Write(Folder / "stream" / ("seed" + std::to_string(N) + ".vtx"), Document);
        std::ostringstream Xml;
        WriteNetworkXml(Xml, *G, Properties, Settings, "/plans/seed.vtx");
        Write(Folder / "xml" / ("seed" + std::to_string(N) + ".xml"), Xml.str());
    }
    WriteDatabaseSeeds(Folder);
    return 0;
}
