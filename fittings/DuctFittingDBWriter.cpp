#include "fittings/DuctFittingDBWriter.h"

#include "fittings/DuctFittingDB.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <system_error>

void BuildDuctFittingDB(const std::vector<TDuctFittingDBEntry>& Entries, TValueWriter& Index,
                        TValueWriter& Data)
{
    Index.WriteString(DuctFittingsIndexHeader);
    Data.WriteString(DuctFittingsDataHeader);
    for (const TDuctFittingDBEntry& Entry : Entries) {
        if (Data.Size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
            throw EFittingSourceError("The fitting data file outgrows 32-bit offsets");
        const auto Offset = static_cast<std::int32_t>(Data.Size());
        WriteFittingRecord(Data, Entry.Source);
        Index.WriteString(Entry.Key);
        Index.WriteInteger(Offset);
    }
}

void WriteDuctFittingDB(const std::string& CommonDataDir, const std::vector<TDuctFittingDBEntry>& Entries)
{
    TValueWriter Index;
    TValueWriter Data;
    BuildDuctFittingDB(Entries, Index, Data);

    const std::string Folder = DuctFittingsFolder(CommonDataDir);
    std::error_code Error;
    std::filesystem::create_directories(Folder, Error);
    if (Error)
        throw EStreamError("Stream write error");
    Data.SaveToFile(Folder + DuctFittingsFileName + DuctFittingsDataExt);
    Index.SaveToFile(Folder + DuctFittingsFileName + DuctFittingsIndexExt);
}
