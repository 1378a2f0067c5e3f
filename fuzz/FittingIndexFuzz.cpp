// Any bytes as the fitting database's index, beside the built data file: the
// database reads what it can, and every key it lists can be selected,
// summarised and evaluated without a crash.

#include "FuzzDatabaseFolder.h"
#include "FuzzQuiet.h"

#include "fittings/FittingKeys.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    InstallQuietSink();
    static const bool DataWritten = [] {
        WriteWholeFile(FuzzDatabaseFile(DuctFittingsDataExt), ReadWholeFile(BuiltDatabaseFile(DuctFittingsDataExt)));
        return true;
    }();
    (void)DataWritten;
    WriteWholeFile(FuzzDatabaseFile(DuctFittingsIndexExt),
                   std::string(reinterpret_cast<const char*>(Data), Size));

    TDuctFittingDB Database(FuzzCommonDir());
    const TStringVec Codes = Database.Codes();
    for (const std::string& Key : Codes) {
        if (TDuctFitting* F = Database.SelectFitting(Key, true))
            ExerciseFitting(*F);
        TDuctFitSummary Summary;
        Database.GetFittingInfo(FittingBaseCode(Key), Summary);
    }
    TStringVec List;
    Database.FilterCodes("++0 ", List, true);
    Database.FilterCodes("SD5 ", List, false);
    return 0;
}
