#include "network/RecordReader.h"

#include "foundation/NumberFormat.h"
#include "graph/GraphError.h"

#include <string>

double ReadFiniteFloat(TValueReader& Reader)
{
    const double Value = Reader.ReadFloat();
    if (!std::isfinite(Value))
        throw EStreamError("Invalid property value");
    return Value;
}

int TRecordReader::Enum(int Count, const char* What)
{
    const std::int32_t Value = Reader.ReadInteger();
    if (Value < 0 || Value >= Count)
        Fail(What);
    return Value;
}

double TRecordReader::Input(const char* What)
{
    const double Value = Reader.ReadFloat();
    if (!std::isfinite(Value))
        Fail(What);
    return Value;
}

void TRecordReader::Fail(const char* What) const
{
    throw EGraphError(std::string("Invalid ") + What + " in file: " + Item + " " + IntToStr(Id));
}
