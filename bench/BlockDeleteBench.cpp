// Deleting a band selection of the whole drawing in the main window, as a
// user does it (Delete from the Edit menu, the undo file written first), on
// documents of about 2,000, 10,000 and 20,000 branches.

#include "DuctNetworkGenerator.h"
#include "QtBenchApp.h"

#include "app/MainForm.h"
#include "app/ProgramMain.h"
#include "controls/UiServices.h"
#include "document/DocumentFile.h"
#include "editor/FlowGraphFrame.h"
#include "foundation/ProgramFolders.h"
#include "foundation/SettingsStore.h"
#include "network/Settings.h"

#include <QAction>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Columns = 150; // nodes on a raster, 20 pixels apart
constexpr int Step = 20;

void BM_MainWindowDeleteWholeBlock(benchmark::State& State)
{
    QtBenchApp();
    QTemporaryDir Dir;
    TUiServices Services = DefaultUiServices();
    Services.MessageBox = [](QWidget*, const QString&, const QString&, TMsgKind, int) { return int(mrYes); };
    TScopedUiServices Quiet(Services);
    TProgramFolders Folders = ProgramFolders();
    Folders.DataDir = Dir.path().toStdString() + "/";
    SetProgramFolders(Folders);

    TDuctGraph G(false);
    TDuctNetworkGenerator::Generate(G, {static_cast<int>(State.range(0)), true});
    int Index = 0;
    for (const auto& N : G.Nodes()) {
        N->X = Step + (Index % Columns) * Step;
        N->Y = Step + (Index / Columns) * Step;
        ++Index;
    }
    G.Width = Step * (Columns + 2);
    G.Height = Step * (Index / Columns + 3);
    const int Branches = G.BranchCount();
    const QString FileName = Dir.filePath("big.vtx");
    WriteNetworkFile(FileName.toStdString(), G, TDocumentProperties(), DesignSettings());

    std::unique_ptr<TMainForm> Form = StartMainWindow(std::make_unique<TMemorySettingsStore>(), {"bench"});
    Form->resize(1000, 700);
    Form->show();
    Form->FormActivate();
    TFlowGraphFrame& Frame = *Form->FlowGraphFrame1;
    for (auto _ : State) {
        State.PauseTiming();
        Form->LoadFile(FileName);
        Frame.Image1MouseDown(TMouseButton::Left, ssLeft, 1, 1);
        Frame.Image1MouseMove(ssLeft, G.Width - 1, G.Height - 1);
        Frame.Image1MouseUp(TMouseButton::Left, 0, G.Width - 1, G.Height - 1);
        State.ResumeTiming();
        Form->ActionDelete->trigger();
        benchmark::DoNotOptimize(Form->FlowGraphFrame1->Graph());
    }
    State.counters["branches"] = Branches;
}
BENCHMARK(BM_MainWindowDeleteWholeBlock)
    ->Arg(720)
    ->Arg(3600)
    ->Arg(7200)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
