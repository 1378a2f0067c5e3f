#include "locations/LocationFile.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>

bool TLocationFile::Open(const std::string& FileName)
{
    Close();
    std::ifstream File(FileName, std::ios::binary);
    if (!File)
        return false;
    std::string Bytes(std::istreambuf_iterator<char>(File), {});
    if (File.bad())
        return false;
    OpenBytes(std::move(Bytes));
    return true;
}

void TLocationFile::OpenBytes(std::string Bytes)
{
    Data = std::move(Bytes);
    Opened = true;
}

void TLocationFile::Close()
{
    Data.clear();
    Opened = false;
}

TLocationRecord TLocationFile::Record(std::size_t Index) const
{
    if (Index >= RecordCount())
        throw std::out_of_range("location record index");
    return DecodeLocationRecord(std::string_view(Data).substr(Index * LocationRecordSize, LocationRecordSize));
}
