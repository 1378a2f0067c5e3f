// Any bytes as the fitting database's data file, with an index naming the
// record right after its header (the seeds are the built database's records,
// one per file): the record is read or refused with a warning, and a fitting
// that was read can be evaluated and summarised without a crash.

#include "FuzzDatabaseFolder.h"
#include "FuzzQuiet.h"

#include "fittings/DuctFittingDBWriter.h"
#include "fittings/FittingKeys.h"
#include "foundation/ValueStream.h"

#include <cstdint>

namespace {

// The key the index gives the record; a junction's, so that the summary
// walks its paths.
const char* const FuzzKey = "SD5-9";

// The offset of the first record: just past the header string, or 0 when
// there is none (the reader then refuses the file).
std::int32_t FirstRecord(const std::string& Bytes)
{
    try {
        TValueReader Reader(Bytes);
        Reader.ReadString();
        return static_cast<std::int32_t>(Reader.Position());
    } catch (const EStreamError&) {
        return 0;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    InstallQuietSink();
    const std::string Bytes(reinterpret_cast<const char*>(Data), Size);
    TValueWriter Index;
    Index.WriteString(DuctFittingsIndexHeader);
    Index.WriteString(FuzzKey);
    Index.WriteInteger(FirstRecord(Bytes));
    WriteWholeFile(FuzzDatabaseFile(DuctFittingsIndexExt), Index.Bytes());
    WriteWholeFile(FuzzDatabaseFile(DuctFittingsDataExt), Bytes);

    TDuctFittingDB Database(FuzzCommonDir());
    if (TDuctFitting* F = Database.SelectFitting(FuzzKey, true))
        ExerciseFitting(*F);
    TDuctFitSummary Summary;
    Database.GetFittingInfo(FittingBaseCode(FuzzKey), Summary);
    return 0;
}
