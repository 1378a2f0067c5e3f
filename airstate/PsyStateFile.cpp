#include "airstate/PsyStateFile.h"

#include "foundation/AtomicSave.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {

constexpr int FieldCount = 15;

// The record's fields in stored order.
double* Field(PsyState& S, int I)
{
    double* Fields[FieldCount] = {&S.pa, &S.db, &S.wb, &S.ha, &S.wa, &S.rh, &S.td, &S.pv,
                                  &S.ps, &S.ro, &S.cp, &S.va, &S.Reserved[0], &S.Reserved[1],
                                  &S.Reserved[2]};
    return Fields[I];
}

} // namespace

std::string EncodePsyState(const PsyState& State)
{
    PsyState Copy = State;
    std::string Bytes;
    Bytes.reserve(PsyStateFileSize);
    for (int I = 0; I < FieldCount; ++I) {
        const auto Bits = std::bit_cast<std::uint64_t>(*Field(Copy, I));
        for (int B = 0; B < 8; ++B)
            Bytes += static_cast<char>((Bits >> (8 * B)) & 0xFF);
    }
    return Bytes;
}

bool DecodePsyState(std::string_view Bytes, PsyState& State)
{
    if (Bytes.size() < PsyStateFileSize)
        return false;
    PsyState Read{};
    for (int I = 0; I < FieldCount; ++I) {
        std::uint64_t Bits = 0;
        for (int B = 0; B < 8; ++B)
            Bits |= static_cast<std::uint64_t>(static_cast<unsigned char>(Bytes[8 * I + B])) << (8 * B);
        const double V = std::bit_cast<double>(Bits);
        if (!std::isfinite(V))
            return false;
        *Field(Read, I) = V;
    }
    State = Read;
    return true;
}

void LoadPsyStateFile(const std::string& FileName, PsyState& State)
{
    std::ifstream File(FileName, std::ios::binary);
    char Buffer[PsyStateFileSize];
    std::size_t Got = 0;
    if (File) {
        File.read(Buffer, sizeof Buffer);
        Got = static_cast<std::size_t>(File.gcount());
    }
    if (!DecodePsyState(std::string_view(Buffer, Got), State))
        throw EPsyStateFileError("Error reading file " + FileName);
}

void SavePsyStateFile(const std::string& FileName, const PsyState& State)
{
    try {
        SaveFileAtomically(FileName, EncodePsyState(State));
    } catch (const EFileSaveError& Error) {
        throw EPsyStateFileError("Error writing file " + FileName + ". " + Error.what());
    }
}
