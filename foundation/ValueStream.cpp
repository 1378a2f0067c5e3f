#include "foundation/ValueStream.h"

#include "foundation/AtomicSave.h"
#include "foundation/Cp1252Text.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>


namespace {

const char* const ReadError = "Stream read error";
const char* const InvalidValue = "Invalid property value";
const char* const WriteError = "Stream write error";

// Unicode's replacement character, put in place of damaged text.
const char* const Replacement = "\xEF\xBF\xBD";

void AppendLE(std::string& Out, std::uint64_t V, int Bytes)
{
    for (int I = 0; I < Bytes; ++I)
        Out += static_cast<char>((V >> (8 * I)) & 0xFF);
}

bool IsSevenBit(const std::string& S)
{
    for (char C : S)
        if (static_cast<unsigned char>(C) >= 0x80)
            return false;
    return true;
}

// Copies UTF-8 text, putting U+FFFD in place of every byte that does not
// start a well-formed sequence (overlong forms, surrogates and code points
// beyond U+10FFFF included), so damaged files still load.
std::string SanitizeUtf8(const char* P, std::size_t N)
{
    std::string Out;
    Out.reserve(N);
    std::size_t I = 0;
    while (I < N) {
        const auto B = static_cast<unsigned char>(P[I]);
        if (B < 0x80) {
            Out += static_cast<char>(B);
            ++I;
            continue;
        }
        int Len = 0;
        unsigned char Lo = 0x80, Hi = 0xBF; // allowed range of the second byte
        if (B >= 0xC2 && B <= 0xDF) {
            Len = 2;
        } else if (B >= 0xE0 && B <= 0xEF) {
            Len = 3;
            if (B == 0xE0)
                Lo = 0xA0;
            else if (B == 0xED)
                Hi = 0x9F;
        } else if (B >= 0xF0 && B <= 0xF4) {
            Len = 4;
            if (B == 0xF0)
                Lo = 0x90;
            else if (B == 0xF4)
                Hi = 0x8F;
        }
        bool Ok = Len > 0 && I + static_cast<std::size_t>(Len) <= N;
        for (int K = 1; Ok && K < Len; ++K) {
            const auto C = static_cast<unsigned char>(P[I + static_cast<std::size_t>(K)]);
            Ok = K == 1 ? (C >= Lo && C <= Hi) : (C >= 0x80 && C <= 0xBF);
        }
        if (Ok) {
            Out.append(P + I, static_cast<std::size_t>(Len));
            I += static_cast<std::size_t>(Len);
        } else {
            Out += Replacement;
            ++I;
        }
    }
    return Out;
}

// UTF-16LE with surrogate pairs; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const char* P, std::size_t Units)
{
    auto Unit = [P](std::size_t I) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(P[2 * I])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(P[2 * I + 1])) << 8;
    };
    std::string Out;
    Out.reserve(Units);
    for (std::size_t I = 0; I < Units; ++I) {
        const std::uint32_t U = Unit(I);
        if (U >= 0xD800 && U <= 0xDBFF && I + 1 < Units) {
            const std::uint32_t Low = Unit(I + 1);
            if (Low >= 0xDC00 && Low <= 0xDFFF) {
                AppendUtf8(Out, 0x10000 + ((U - 0xD800) << 10) + (Low - 0xDC00));
                ++I;
                continue;
            }
        }
        if (U >= 0xD800 && U <= 0xDFFF)
            Out += Replacement;
        else
            AppendUtf8(Out, U);
    }
    return Out;
}

// Rounds Mantissa >> Shift to nearest, ties to even (1 <= Shift <= 64).
std::uint64_t ShiftRounded(std::uint64_t Mantissa, int Shift)
{
    if (Shift == 64)
        return Mantissa > (std::uint64_t{1} << 63) ? 1 : 0;
    const std::uint64_t Q = Mantissa >> Shift;
    const std::uint64_t Rest = Mantissa & ((std::uint64_t{1} << Shift) - 1);
    const std::uint64_t Half = std::uint64_t{1} << (Shift - 1);
    return (Rest > Half || (Rest == Half && (Q & 1))) ? Q + 1 : Q;
}

} // namespace

void DoubleToExtended(double V, std::uint8_t Out[10])
{
    const auto Bits = std::bit_cast<std::uint64_t>(V);
    const std::uint16_t Sign = (Bits >> 63) ? 0x8000 : 0;
    const int Exp = static_cast<int>((Bits >> 52) & 0x7FF);
    const std::uint64_t Frac = Bits & ((std::uint64_t{1} << 52) - 1);
    std::uint64_t Mantissa = 0;
    int ExtExp = 0;
    if (Exp == 0x7FF) {
        // Infinity keeps only the integer bit; a NaN is kept quiet with its payload.
        ExtExp = 0x7FFF;
        Mantissa = std::uint64_t{1} << 63;
        if (Frac != 0)
            Mantissa |= (std::uint64_t{1} << 62) | (Frac << 11);
    } else if (Exp != 0) {
        ExtExp = Exp - 1023 + 16383;
        Mantissa = (std::uint64_t{1} << 63) | (Frac << 11);
    } else if (Frac != 0) {
        // A subnormal double is a normal extended: move its top bit to bit 63.
        const int Shift = std::countl_zero(Frac);
        Mantissa = Frac << Shift;
        ExtExp = 16383 - 1011 - Shift;
    }
    for (int I = 0; I < 8; ++I)
        Out[I] = static_cast<std::uint8_t>(Mantissa >> (8 * I));
    const std::uint16_t Top = static_cast<std::uint16_t>(Sign | ExtExp);
    Out[8] = static_cast<std::uint8_t>(Top & 0xFF);
    Out[9] = static_cast<std::uint8_t>(Top >> 8);
}

double ExtendedToDouble(const std::uint8_t In[10])
{
    std::uint64_t Mantissa = 0;
    for (int I = 0; I < 8; ++I)
        Mantissa |= static_cast<std::uint64_t>(In[I]) << (8 * I);
    const std::uint16_t Top = static_cast<std::uint16_t>(In[8] | (In[9] << 8));
    const std::uint64_t Sign = (Top & 0x8000) ? std::uint64_t{1} << 63 : 0;
    const int ExtExp = Top & 0x7FFF;
    const std::uint64_t Inf = std::uint64_t{0x7FF} << 52;

    if (ExtExp == 0x7FFF) {
        if ((Mantissa << 1) == 0)
            return std::bit_cast<double>(Sign | Inf);
        // A NaN keeps its sign and the top of its payload, quiet, as the
        // writer keeps them, so a value read and written again is unchanged.
        const std::uint64_t Quiet = std::uint64_t{1} << 51;
        return std::bit_cast<double>(Sign | Inf | Quiet | ((Mantissa >> 11) & ((std::uint64_t{1} << 52) - 1)));
    }
    if (Mantissa == 0)
        return std::bit_cast<double>(Sign);

    // Normalise, also for denormal and unnormal encodings without the integer bit.
    const int Shift = std::countl_zero(Mantissa);
    Mantissa <<= Shift;
    const int Exp = (ExtExp == 0 ? 1 : ExtExp) - 16383 - Shift; // exponent of bit 63

    if (Exp > 1023)
        return std::bit_cast<double>(Sign | Inf);
    if (Exp >= -1022) {
        std::uint64_t Q = ShiftRounded(Mantissa, 11); // 53 bits with the leading one
        int E = Exp;
        if (Q == (std::uint64_t{1} << 53)) {
            Q >>= 1;
            ++E;
            if (E > 1023)
                return std::bit_cast<double>(Sign | Inf);
        }
        const auto Biased = static_cast<std::uint64_t>(E + 1023);
        return std::bit_cast<double>(Sign | (Biased << 52) | (Q & ((std::uint64_t{1} << 52) - 1)));
    }
    // Subnormal result; rounding up may reach the smallest normal, whose bits
    // follow on naturally.
    const int SubShift = 11 + (-1022 - Exp);
    const std::uint64_t Q = SubShift > 64 ? 0 : ShiftRounded(Mantissa, SubShift);
    return std::bit_cast<double>(Sign | Q);
}

// ---------------------------------------------------------------- writer

void TValueWriter::WriteInteger(std::int32_t V)
{
    const auto U = static_cast<std::uint32_t>(V);
    if (V >= -128 && V <= 127) {
        Buffer += static_cast<char>(vaInt8);
        AppendLE(Buffer, U, 1);
    } else if (V >= -32768 && V <= 32767) {
        Buffer += static_cast<char>(vaInt16);
        AppendLE(Buffer, U, 2);
    } else {
        Buffer += static_cast<char>(vaInt32);
        AppendLE(Buffer, U, 4);
    }
}

void TValueWriter::WriteFloat(double V)
{
    std::uint8_t Ext[10];
    DoubleToExtended(V, Ext);
    Buffer += static_cast<char>(vaExtended);
    Buffer.append(reinterpret_cast<const char*>(Ext), sizeof Ext);
}

void TValueWriter::WriteString(const std::string& S)
{
    if (S.size() > std::numeric_limits<std::uint32_t>::max())
        throw EStreamError(WriteError);
    const auto Length = static_cast<std::uint32_t>(S.size());
    if (!IsSevenBit(S)) {
        Buffer += static_cast<char>(vaUTF8String);
        AppendLE(Buffer, Length, 4);
    } else if (Length <= 255) {
        Buffer += static_cast<char>(vaString);
        AppendLE(Buffer, Length, 1);
    } else {
        Buffer += static_cast<char>(vaLString);
        AppendLE(Buffer, Length, 4);
    }
    Buffer += S;
}

void TValueWriter::WriteBoolean(bool B)
{
    Buffer += static_cast<char>(B ? vaTrue : vaFalse);
}

void TValueWriter::WriteDate(double D)
{
    Buffer += static_cast<char>(vaDate);
    AppendLE(Buffer, std::bit_cast<std::uint64_t>(D), 8);
}

void TValueWriter::WriteListBegin()
{
    Buffer += static_cast<char>(vaList);
}

void TValueWriter::WriteListEnd()
{
    Buffer += static_cast<char>(vaNull);
}

void TValueWriter::SaveToFile(const std::string& FileName) const
{
    try {
        SaveFileAtomically(FileName, Buffer);
    } catch (const EFileSaveError&) {
        throw EStreamError(WriteError);
    }
}

// ---------------------------------------------------------------- reader

TValueReader::TValueReader(std::string Bytes) : Data(std::move(Bytes)) {}

TValueReader TValueReader::FromFile(const std::string& FileName)
{
    std::FILE* F = std::fopen(FileName.c_str(), "rb");
    if (!F)
        throw EStreamError(ReadError);
    std::string Bytes;
    char Chunk[64 * 1024];
    bool Failed = false;
    while (true) {
        const std::size_t N = std::fread(Chunk, 1, sizeof Chunk, F);
        Bytes.append(Chunk, N);
        if (N < sizeof Chunk) {
            Failed = std::ferror(F) != 0;
            break;
        }
    }
    std::fclose(F);
    if (Failed)
        throw EStreamError(ReadError);
    return TValueReader(std::move(Bytes));
}

namespace {

// Reads one value at a time from Data starting at Pos; the caller commits the
// new position only when the whole value was read, so a failed read leaves
// the reader where it was.
class TCursor {
public:
    TCursor(const std::string& Data, std::size_t Pos) : Data(Data), Pos(Pos) {}

    std::size_t Remaining() const { return Pos < Data.size() ? Data.size() - Pos : 0; }

    void Need(std::uint64_t N) const
    {
        if (N > Remaining())
            throw EStreamError(ReadError);
    }

    std::uint64_t Unsigned(int Bytes)
    {
        Need(static_cast<std::uint64_t>(Bytes));
        std::uint64_t V = 0;
        for (int I = 0; I < Bytes; ++I)
            V |= static_cast<std::uint64_t>(static_cast<unsigned char>(Data[Pos + static_cast<std::size_t>(I)])) << (8 * I);
        Pos += static_cast<std::size_t>(Bytes);
        return V;
    }

    std::int64_t Signed(int Bytes)
    {
        const std::uint64_t V = Unsigned(Bytes);
        const int Unused = 64 - 8 * Bytes;
        return static_cast<std::int64_t>(V << Unused) >> Unused; // sign extension
    }

    TValueTag Tag() { return static_cast<TValueTag>(Unsigned(1)); }

    const char* Take(std::uint64_t N)
    {
        Need(N);
        const char* P = Data.data() + Pos;
        Pos += static_cast<std::size_t>(N);
        return P;
    }

    std::size_t Position() const { return Pos; }

private:
    const std::string& Data;
    std::size_t Pos;
};

std::int64_t ReadTaggedInteger(TCursor& C, TValueTag Tag)
{
    switch (Tag) {
    case vaInt8:
        return C.Signed(1);
    case vaInt16:
        return C.Signed(2);
    case vaInt32:
        return C.Signed(4);
    case vaInt64:
        return C.Signed(8);
    default:
        throw EStreamError(InvalidValue);
    }
}

} // namespace

TValueTag TValueReader::NextTag() const
{
    if (Pos >= Data.size())
        throw EStreamError(ReadError);
    return static_cast<TValueTag>(static_cast<unsigned char>(Data[Pos]));
}

std::int32_t TValueReader::ReadInteger()
{
    TCursor C(Data, Pos);
    const TValueTag Tag = C.Tag();
    if (Tag != vaInt8 && Tag != vaInt16 && Tag != vaInt32)
        throw EStreamError(InvalidValue);
    const auto V = static_cast<std::int32_t>(ReadTaggedInteger(C, Tag));
    Pos = C.Position();
    return V;
}

double TValueReader::ReadFloat()
{
    TCursor C(Data, Pos);
    const TValueTag Tag = C.Tag();
    double V = 0;
    if (Tag == vaExtended) {
        std::uint8_t Ext[10];
        std::memcpy(Ext, C.Take(10), 10);
        V = ExtendedToDouble(Ext);
    } else if (Tag == vaDouble) {
        V = std::bit_cast<double>(C.Unsigned(8));
    } else {
        V = static_cast<double>(ReadTaggedInteger(C, Tag));
    }
    Pos = C.Position();
    return V;
}

std::string TValueReader::ReadString()
{
    TCursor C(Data, Pos);
    const TValueTag Tag = C.Tag();
    std::string S;
    switch (Tag) {
    case vaString:
    case vaLString: {
        const std::uint64_t N = C.Unsigned(Tag == vaString ? 1 : 4);
        const char* P = C.Take(N);
        S = Cp1252ToUtf8(std::string_view(P, static_cast<std::size_t>(N)));
        break;
    }
    case vaWString: {
        const std::uint64_t Units = C.Unsigned(4);
        const char* P = C.Take(Units * 2);
        S = Utf16ToUtf8(P, static_cast<std::size_t>(Units));
        break;
    }
    case vaUTF8String: {
        const std::uint64_t N = C.Unsigned(4);
        const char* P = C.Take(N);
        S = SanitizeUtf8(P, static_cast<std::size_t>(N));
        break;
    }
    default:
        throw EStreamError(InvalidValue);
    }
    Pos = C.Position();
    return S;
}

bool TValueReader::ReadBoolean()
{
    const TValueTag Tag = NextTag();
    if (Tag != vaTrue && Tag != vaFalse)
        throw EStreamError(InvalidValue);
    ++Pos;
    return Tag == vaTrue;
}

double TValueReader::ReadDate()
{
    TCursor C(Data, Pos);
    if (C.Tag() != vaDate)
        throw EStreamError(InvalidValue);
    const double V = std::bit_cast<double>(C.Unsigned(8));
    Pos = C.Position();
    return V;
}

void TValueReader::ReadListBegin()
{
    if (NextTag() != vaList)
        throw EStreamError(InvalidValue);
    ++Pos;
}

void TValueReader::ReadListEnd()
{
    if (NextTag() != vaNull)
        throw EStreamError(InvalidValue);
    ++Pos;
}

bool TValueReader::EndOfList() const
{
    return Pos < Data.size() && Data[Pos] == static_cast<char>(vaNull);
}

void TValueReader::Seek(std::size_t P)
{
    if (P > Data.size())
        throw EStreamError(ReadError);
    Pos = P;
}
