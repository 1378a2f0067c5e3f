// Any bytes given as a moist-air state file: the load refuses them with its
// message or gives a state that encodes back to the same first 120 bytes,
// and the checks and recalculation that follow a load never crash.

#include "airstate/PsyPoint.h"
#include "airstate/PsyStateFile.h"
#include "foundation/AirProperties.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static const std::string FileName = "/tmp/fuzz-psx-" + std::to_string(::getpid()) + ".psx";
    const std::string_view Bytes(reinterpret_cast<const char*>(Data), Size);
    std::ofstream(FileName, std::ios::binary | std::ios::trunc) << Bytes;

    PsyState State{};
    try {
        LoadPsyStateFile(FileName, State);
    } catch (const EPsyStateFileError&) {
        return 0;
    }
    if (Size < PsyStateFileSize || EncodePsyState(State) != Bytes.substr(0, PsyStateFileSize))
        std::abort();
    MoistAirErrorText(State);
    // A byte after the record picks the pair that a following edit would use.
    const int Mode = Size > PsyStateFileSize ? Data[PsyStateFileSize] % 34 : 0;
    TPsyPoint Point(State, "Node", 1, "Air");
    try {
        Point.Calc(Mode);
    } catch (const EAirStateError&) {
    }
    return 0;
}
