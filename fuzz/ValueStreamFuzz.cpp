// Any bytes given to the value stream reader on its own: every value is read
// by its tag until the stream ends or refuses; nothing crashes, a refused
// read leaves the position where it was, and what was read writes back to a
// stream that reads to the same bytes again.

#include "foundation/ValueStream.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Nesting at which the walk stops, so a hostile stream of list openings
// cannot exhaust the stack.
constexpr int MaxDepth = 64;

// Reads one value of any kind from Reader and writes it to Writer; false
// when the stream refuses it (the position must then be unchanged).
bool CopyValue(TValueReader& Reader, TValueWriter& Writer, int Depth)
{
    const std::size_t Before = Reader.Position();
    try {
        switch (Reader.NextTag()) {
        case vaList:
            if (Depth >= MaxDepth)
                return false;
            Reader.ReadListBegin();
            Writer.WriteListBegin();
            while (!Reader.AtEnd() && !Reader.EndOfList()) {
                if (!CopyValue(Reader, Writer, Depth + 1))
                    return false;
            }
            Reader.ReadListEnd();
            Writer.WriteListEnd();
            return true;
        case vaInt8:
        case vaInt16:
        case vaInt32:
            Writer.WriteInteger(Reader.ReadInteger());
            return true;
        case vaInt64:
        case vaExtended:
        case vaDouble:
            Writer.WriteFloat(Reader.ReadFloat());
            return true;
        case vaString:
        case vaLString:
        case vaWString:
        case vaUTF8String:
            Writer.WriteString(Reader.ReadString());
            return true;
        case vaFalse:
        case vaTrue:
            Writer.WriteBoolean(Reader.ReadBoolean());
            return true;
        case vaDate:
            Writer.WriteDate(Reader.ReadDate());
            return true;
        default:
            // Every reader must refuse an unknown tag without moving.
            try {
                Reader.ReadString();
            } catch (const EStreamError&) {
            }
            if (Reader.Position() != Before)
                std::abort();
            return false;
        }
    } catch (const EStreamError&) {
        // A list may have been entered before the failure; only a single
        // read must leave the position alone, which the nested call checked.
        return false;
    }
}

// A failed read of any kind leaves the position where it was.
void CheckRefusalsKeepPosition(TValueReader& Reader)
{
    const std::size_t Before = Reader.Position();
    auto Check = [&](auto Read) {
        try {
            Read();
            Reader.Seek(Before);
        } catch (const EStreamError&) {
            if (Reader.Position() != Before)
                std::abort();
        }
    };
    Check([&] { Reader.ReadInteger(); });
    Check([&] { Reader.ReadFloat(); });
    Check([&] { Reader.ReadString(); });
    Check([&] { Reader.ReadBoolean(); });
    Check([&] { Reader.ReadDate(); });
    Check([&] { Reader.ReadListBegin(); });
    Check([&] { Reader.ReadListEnd(); });
}

std::string Rewrite(const std::string& Bytes)
{
    TValueReader Reader(Bytes);
    TValueWriter Writer;
    while (!Reader.AtEnd()) {
        CheckRefusalsKeepPosition(Reader);
        if (!CopyValue(Reader, Writer, 0))
            break;
    }
    return Writer.Bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    const std::string Once = Rewrite(std::string(reinterpret_cast<const char*>(Data), Size));
    // What the writer made reads back to the very same bytes.
    if (Rewrite(Once) != Once)
        std::abort();
    return 0;
}
