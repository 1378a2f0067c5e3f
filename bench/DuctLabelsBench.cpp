// The labels and hints of a duct drawing: the texts of 10,000 branches of a
// generated network as the editor asks for them on each redraw, with the
// boxes as they come and with every box ticked.

#include "QtBenchApp.h"
#include "DuctNetworkGenerator.h"

#include "dialogs/DuctLabelsDlg.h"
#include "editor/FlowGraphFrame.h"
#include "foundation/SettingsStore.h"
#include "network/Settings.h"

#include <QCheckBox>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr std::size_t Branches = 10000;

struct TLabelledView {
    TMemorySettingsStore Store;
    TSettings Defaults;
    TDuctGraph G{false, &Defaults};
    std::unique_ptr<TFlowGraphFrame> Frame;

    TLabelledView()
    {
        QtBenchApp();
        TDuctNetworkGenerator::Generate(G, {4000, false, 10, 2024});
        Frame = std::make_unique<TFlowGraphFrame>(Store);
        Frame->InitView();
        Frame->SetGraph(&G);
    }
};

TLabelledView& View()
{
    static TLabelledView V;
    return V;
}

void AllTexts(benchmark::State& State, bool EveryBox)
{
    TLabelledView& V = View();
    TDuctLabelsDlg& Dlg = *V.Frame->LabelsDlg();
    Dlg.ResetClick();
    if (EveryBox)
        for (auto* Boxes : {&Dlg.BranchLabelBoxes, &Dlg.BranchHintBoxes})
            for (QCheckBox* Box : *Boxes)
                Box->setChecked(true);
    std::size_t Length = 0;
    const std::size_t Count = std::min<std::size_t>(Branches, V.G.Branches().size());
    for (auto _ : State) {
        for (std::size_t I = 0; I < Count; ++I) {
            TBranch* B = V.G.Branches()[I].get();
            Length += V.Frame->BranchLabelText(B).size();
            Length += V.Frame->BranchHintText(B).size();
        }
    }
    benchmark::DoNotOptimize(Length);
    State.counters["branches"] = static_cast<double>(Count);
}

void BM_DuctLabelsDefault(benchmark::State& State) { AllTexts(State, false); }
BENCHMARK(BM_DuctLabelsDefault)->Unit(benchmark::kMillisecond);

void BM_DuctLabelsEveryItem(benchmark::State& State) { AllTexts(State, true); }
BENCHMARK(BM_DuctLabelsEveryItem)->Unit(benchmark::kMillisecond);

} // namespace
