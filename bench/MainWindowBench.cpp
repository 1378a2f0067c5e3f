// The main window on a document of about 10,000 branches: opening it (read,
// adopt, table and lists, the first paint of the drawing), the refresh that
// ends every solve, and the diagnostic page with its picture.

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
#include "sizing/SolveCommands.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int Terminals = 3600; // about 10,000 branches
constexpr int Columns = 110;    // nodes on a raster, 27 pixels apart

struct TBigDocument {
    QTemporaryDir Dir;
    QString FileName;
    int Branches = 0;
    std::unique_ptr<TScopedUiServices> Quiet;
    std::unique_ptr<TMainForm> Form;

    TBigDocument()
    {
        QtBenchApp();
        TUiServices Services = DefaultUiServices();
        Services.MessageBox = [](QWidget*, const QString&, const QString&, TMsgKind, int) { return int(mrOk); };
        Services.ShellOpen = [](const QString&) { return true; };
        Quiet = std::make_unique<TScopedUiServices>(Services);
        TProgramFolders Folders = ProgramFolders();
        Folders.DataDir = Dir.path().toStdString() + "/";
        SetProgramFolders(Folders);

        TDuctGraph G(false);
        TDuctNetworkGenerator::Generate(G, {Terminals, true});
        int Index = 0;
        for (const auto& N : G.Nodes()) {
            N->X = 20 + (Index % Columns) * 27;
            N->Y = 20 + (Index / Columns) * 27;
            ++Index;
        }
        G.Width = G.Height = 20 + Columns * 27;
        Branches = G.BranchCount();
        FileName = Dir.filePath("big.vtx");
        WriteNetworkFile(FileName.toStdString(), G, TDocumentProperties(), DesignSettings());

        Form = StartMainWindow(std::make_unique<TMemorySettingsStore>(), {"bench"});
        Form->resize(1000, 700);
        Form->show();
        Form->FormActivate();
    }

    void Open()
    {
        Form->LoadFile(FileName);
        Form->FlowGraphFrame1->repaint();
    }
};

TBigDocument& BigDocument()
{
    static TBigDocument Document;
    return Document;
}

void BM_MainWindowOpenLargeDocument(benchmark::State& State)
{
    TBigDocument& D = BigDocument();
    for (auto _ : State)
        D.Open();
    State.counters["branches"] = D.Branches;
}
BENCHMARK(BM_MainWindowOpenLargeDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_MainWindowRefreshAfterSolve(benchmark::State& State)
{
    TBigDocument& D = BigDocument();
    D.Open();
    D.Form->ActionSizeEqualFriction->trigger();
    for (auto _ : State)
        D.Form->RefreshResults();
    State.counters["branches"] = D.Branches;
}
BENCHMARK(BM_MainWindowRefreshAfterSolve)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MainWindowDiagnosticPage(benchmark::State& State)
{
    TBigDocument& D = BigDocument();
    for (auto _ : State)
        benchmark::DoNotOptimize(D.Form->WriteDiagnosticPage());
    State.counters["branches"] = D.Branches;
}
BENCHMARK(BM_MainWindowDiagnosticPage)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
