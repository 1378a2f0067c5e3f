// Opening and saving a large document: 10,000 branches with their fixed
// items, terminals and fittings, written to and read from a real file.

#include "document/DocumentFile.h"
#include "document/NetworkXmlExport.h"
#include "document/NetworkXmlImport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

namespace {

// A tree of ducts spreading from the fan (each node hangs off one of the
// eight made before it), every fourth end an outlet with its terminal, one
// fixed C and one fixed dP on each tenth duct, and a two-link fitting on
// each fifth.
std::unique_ptr<TDuctGraph> LargeNetwork(const TSettings& Settings, int BranchCount)
{
    auto G = std::make_unique<TDuctGraph>(false, &Settings);
    G->MainFan = static_cast<TDuctBranch*>(G->AddBranch(1, 1, 2));
    G->MainFan->SetDuctType(dtFan, 0.0, 0.0, 1.0);
    for (int Id = 2; Id <= BranchCount; ++Id) {
        const int To = Id + 1;
        const int From = std::max(2, To - 1 - Id % 8);
        auto* B = static_cast<TDuctBranch*>(G->AddBranch(Id, From, To));
        B->Name = "Duct " + std::to_string(Id);
        B->SetDuctType(Id % 3 ? dtSpiral : dtRect, 0.0, 5.0 + Id % 7, 0.1);
        if (Id % 10 == 0) {
            B->FixedCs.push_back(std::make_unique<TFixedC>("Elbow", 0.3));
            B->FixedDps.push_back(std::make_unique<TFixeddP>("Damper", 15.0));
        }
        if (Id % 4 == 0) {
            G->FlowNode(To)->NodeType = ntOutlet;
            B->UpdateOutletTerminal(Settings, okDiffuser);
        }
        if (Id % 5 == 0) {
            auto F = std::make_unique<TFitting>("Reducer", "SD4-21");
            F->Transition = true;
            F->Roles = {"0", "1"};
            F->Links = {{Id - 1, nullptr}, {Id, nullptr}};
            F->CValues = {0.1, 0.0};
            F->CValues2 = {0.1, 0.0};
            F->FlowRatios = {{0.5}, {0.5}};
            F->VelocityRatios = {{0.5}, {0.5}};
            F->Remarks = {"", ""};
            G->Fittings.push_back(std::move(F));
        }
    }
    G->ResolveFittingLinks(false);
    return G;
}

const std::string& BenchFile()
{
    static const std::string Name = (std::filesystem::temp_directory_path() / "ventrix_bench.vtx").string();
    return Name;
}

void SaveDocument(benchmark::State& State)
{
    const TSettings Settings;
    const auto G = LargeNetwork(Settings, static_cast<int>(State.range(0)));
    const TDocumentProperties Properties;
    for (auto _ : State) {
        if (!WriteNetworkFile(BenchFile(), *G, Properties, Settings).Ok)
            State.SkipWithError("not saved");
    }
    State.counters["bytes"] = static_cast<double>(std::filesystem::file_size(BenchFile()));
}

void OpenDocument(benchmark::State& State)
{
    const TSettings Settings;
    WriteNetworkFile(BenchFile(), *LargeNetwork(Settings, static_cast<int>(State.range(0))), {}, Settings);
    for (auto _ : State) {
        const TDocumentRead Read = ReadNetworkFile(BenchFile(), TDocumentDefaults{});
        if (!Read.Ok)
            State.SkipWithError(Read.Reason.c_str());
        benchmark::DoNotOptimize(Read.Contents.Network.get());
    }
    State.counters["branches"] = static_cast<double>(State.range(0));
}

void ExportAndImportXml(benchmark::State& State)
{
    const TSettings Settings;
    const auto G = LargeNetwork(Settings, static_cast<int>(State.range(0)));
    for (auto _ : State) {
        std::ostringstream Text;
        WriteNetworkXml(Text, *G, {}, Settings, "bench.vtx");
        const TDocumentRead Read = ImportNetworkXmlText(Text.str(), "bench.xml", {});
        if (!Read.Ok)
            State.SkipWithError(Read.Reason.c_str());
    }
}

} // namespace

BENCHMARK(SaveDocument)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(OpenDocument)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportAndImportXml)->Arg(10000)->Unit(benchmark::kMillisecond);
