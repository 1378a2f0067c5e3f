// The fitting dialog opened on a double junction of a 10,000-branch
// network: LoadFitting fills four link lists with every duct, lays out the
// slider rows and shows the picture (the pressure-drop form's C button and
// the fittings list open the dialog this way).

#include "DuctNetworkGenerator.h"
#include "QtBenchApp.h"

#include "dialogs/VentrixFittingDlg.h"
#include "fittings/DuctFittingDB.h"
#include "foundation/SettingsStore.h"
#include "foundation/WarningSink.h"

#include <benchmark/benchmark.h>

#include <QComboBox>

#include <filesystem>
#include <memory>

namespace {

// The database built in the build tree, from where the benchmark runs.
std::string CommonDataDir()
{
    for (std::filesystem::path Dir = std::filesystem::current_path(); !Dir.empty(); Dir = Dir.parent_path()) {
        const auto Candidate = Dir / "data" / "Common Files";
        if (std::filesystem::exists(Candidate / "Duct Fittings" / "DuctFittings2.ddi"))
            return Candidate.string() + "/";
        if (Dir == Dir.root_path())
            break;
    }
    return "data/Common Files/";
}

void BM_FittingDialogLoadFitting(benchmark::State& State)
{
    QtBenchApp();
    TRecordingWarningSink Sink;
    TScopedWarningSink Scope(Sink);
    TDuctFittingDB& Database = CreateDuctFittingDB(CommonDataDir());
    TDuctGraph G(false);
    TDuctNetworkGenerator::Generate(G, {.Terminals = 3875});
    G.BuildAdjacency();

    auto Fitting = std::make_unique<TFitting>("Double junction", "SD5-22");
    Fitting->Junction = true;
    Fitting->Roles = {"c", "s", "b1", "b2"};
    for (int Id : {2, 3, 4, 5})
        Fitting->Links.push_back({Id, nullptr});
    TFitting* F = Fitting.get();
    G.Fittings.push_back(std::move(Fitting));

    TMemorySettingsStore Store;
    TVentrixFittingDlg Dlg(Database, Store);
    Dlg.SetNetwork(&G);
    Dlg.SetFitting(F);
    Dlg.show(); // shown, as the lists are filled on the screen
    for (auto _ : State) {
        Dlg.LoadFitting();
        QApplication::processEvents();
        benchmark::DoNotOptimize(Dlg.CBLink[3]->count());
    }
    State.counters["branches"] = G.BranchCount();
    State.counters["listed"] = Dlg.CBLink[3]->count();
    if (Dlg.CBLink[3]->count() < 9000 || !Sink.Messages().empty())
        State.SkipWithError("the dialog did not list the network's ducts");
}
BENCHMARK(BM_FittingDialogLoadFitting)->Unit(benchmark::kMillisecond);

} // namespace
