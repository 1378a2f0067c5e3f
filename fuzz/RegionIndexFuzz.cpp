// Any text given as the locations index "Regions.idx": every section, key
// and look-up answers, and the picker walks every database, region and place
// it names (over a small fixed set of record files) without crashing.

#include "locations/LocationPicker.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// A data folder with two record files, made once per fuzzing process.
std::string DataFolder()
{
    const std::string Dir = "/tmp/fuzz-regions-" + std::to_string(::getpid()) + "/";
    std::filesystem::create_directories(Dir);
    std::string Europe, All;
    for (int I = 0; I < 6; ++I) {
        TLocationRecord R;
        R.GroupCode = I % 3;
        R.RegionCode = I % 4 - 1;
        R.Name = "Place " + std::to_string(I);
        Europe += EncodeLocationRecord(R);
    }
    std::ofstream(Dir + "Europe.wdb", std::ios::binary) << Europe;
    std::ofstream(Dir + "+All.wdb", std::ios::binary) << Europe << Europe.substr(0, 50);
    return Dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static const std::string Dir = DataFolder();
    const std::string_view Text(reinterpret_cast<const char*>(Data), Size);

    TRegionIndex Index;
    Index.LoadFromText(Text);
    for (const std::string& Section : Index.Sections())
        for (const std::string& Key : Index.Keys(Section))
            Index.KeyOfValue(Section, Index.ReadInteger(Section, Key, 0));

    std::ofstream(Dir + RegionIndexFileName, std::ios::binary | std::ios::trunc) << Text;
    TLocationPicker Picker(Dir);
    Picker.SetLocationText("Place 1, Europe");
    Picker.Activate();
    for (int D = 0; D < static_cast<int>(Picker.Databases().size()) && D < 50; ++D) {
        Picker.SelectDatabase(D);
        for (int R = 0; R < static_cast<int>(Picker.Regions().size()) && R < 50; ++R) {
            Picker.SelectRegion(R);
            for (int P = 0; P < static_cast<int>(Picker.Places().size()); ++P)
                Picker.SelectPlace(P);
        }
    }
    Picker.Close();
    return 0;
}
