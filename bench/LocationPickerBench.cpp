// The locations picker on the database built from data/locations (every
// station of the published table with all its values): opening the window
// at "+All" on its largest group, and switching between the two largest
// groups of "+All"; each with the lists filled and the window painted.

#include "QtBenchApp.h"

#include "foundation/SettingsStore.h"
#include "tools/SelectLocationForm.h"

#include <QListWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

const char* const Largest = "North and Central America";
const char* const SecondLargest = "Europe";

std::unique_ptr<TSelectLocationForm> OpenAtAll(TMemorySettingsStore& Store)
{
    QtBenchApp();
    Store.WriteString(TLocationPicker::SettingsSection, "Database", "+All");
    Store.WriteString(TLocationPicker::SettingsSection, "Region", Largest);
    auto Form = std::make_unique<TSelectLocationForm>(Store, VENTRIX_COMMON_DATA_DIR);
    Form->show();
    QApplication::setActiveWindow(Form.get());
    QApplication::processEvents();
    return Form;
}

int IndexOf(const std::vector<std::string>& List, const char* Name)
{
    return static_cast<int>(std::find(List.begin(), List.end(), Name) - List.begin());
}

void BM_LocationPickerOpenAll(benchmark::State& State)
{
    TMemorySettingsStore Store;
    int Places = 0;
    for (auto _ : State) {
        auto Form = OpenAtAll(Store);
        Places = Form->PlaceList->count();
        State.PauseTiming();
        Form.reset();
        State.ResumeTiming();
    }
    State.counters["places"] = Places;
}
BENCHMARK(BM_LocationPickerOpenAll)->Unit(benchmark::kMillisecond);

void BM_LocationPickerSwitchRegion(benchmark::State& State)
{
    TMemorySettingsStore Store;
    auto Form = OpenAtAll(Store);
    const int Regions[] = {IndexOf(Form->Picker().Regions(), SecondLargest), IndexOf(Form->Picker().Regions(), Largest)};
    int Next = 0;
    for (auto _ : State) {
        Form->SelectRegion(Regions[Next]);
        QApplication::processEvents();
        Next = 1 - Next;
    }
    State.counters["places"] = static_cast<double>(Form->Picker().Places().size());
}
BENCHMARK(BM_LocationPickerSwitchRegion)->Unit(benchmark::kMillisecond);

} // namespace
