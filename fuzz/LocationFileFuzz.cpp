// Any bytes given as a locations record file (".wdb"): every whole record
// decodes and shows its details, names stay within 31 characters, and the
// picker lists and shows its places under every region and group.

#include "locations/LocationPicker.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string DataFolder()
{
    const std::string Dir = "/tmp/fuzz-wdb-" + std::to_string(::getpid()) + "/";
    std::filesystem::create_directories(Dir);
    std::ofstream(Dir + RegionIndexFileName, std::ios::binary)
        << "[+All]\nEurope=1\nAsia=2\n[Europe]\nFrance=1\nGermany=2\nAll=0\n[Asia]\nJapan=1\nIndia=-1\n";
    return Dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static const std::string Dir = DataFolder();
    const std::string Bytes(reinterpret_cast<const char*>(Data), Size);

    TLocationFile File;
    File.OpenBytes(Bytes);
    if (File.RecordCount() != Size / LocationRecordSize)
        std::abort();
    for (std::size_t I = 0; I < File.RecordCount(); ++I) {
        const TLocationRecord R = File.Record(I);
        // 31 Windows-1252 characters take at most three UTF-8 bytes each.
        if (R.Name.size() > 3 * MaxLocationNameLength)
            std::abort();
        LocationDetails(R);
        LocationDesignText(R);
        LocationAltitudeInRange(R.Altitude);
    }

    for (const char* Name : {"Europe.wdb", "Asia.wdb", "+All.wdb"})
        std::ofstream(Dir + Name, std::ios::binary | std::ios::trunc) << Bytes;
    TLocationPicker Picker(Dir);
    Picker.Activate();
    for (int D = 0; D < static_cast<int>(Picker.Databases().size()); ++D) {
        Picker.SelectDatabase(D);
        for (int R = 0; R < static_cast<int>(Picker.Regions().size()); ++R) {
            Picker.SelectRegion(R);
            for (int P = 0; P < static_cast<int>(Picker.Places().size()); ++P) {
                Picker.SelectPlace(P);
                Picker.Details();
                Picker.RecordStatus();
            }
        }
    }
    Picker.Close();
    return 0;
}
