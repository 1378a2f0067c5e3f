#include "airstate/PsyStateFile.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <filesystem>
#include <fstream>
#include <numeric>

// The error Action raises on file Name, made of Bytes unless empty; "" if none.
template <class TAction>
std::string ErrorOf(const std::string& Name, const std::string& Bytes, TAction Action)
{
    std::filesystem::remove(Name);
    if (!Bytes.empty())
        std::ofstream(Name, std::ios::binary) << Bytes;
    try {
        Action();
    } catch (const EPsyStateFileError& E) {
        return E.what();
    }
    return "";
}

// Fifteen little-endian doubles in record order (field I holds I + 1; 1.0 is 3FF0000000000000),
// read back bit for bit; a longer file gives its first record; a failed save keeps the previous file.
TEST(PsyStateFile, FieldsAreLittleEndianDoublesInRecordOrder)
{
    const std::string Name = std::filesystem::temp_directory_path() / "ventrix-order.psx";
    std::array<double, 15> Numbered;
    std::iota(Numbered.begin(), Numbered.end(), 1.0);
    PsyState S = std::bit_cast<PsyState>(Numbered), Back{};
    const std::string Bytes = EncodePsyState(S);
    ASSERT_EQ(Bytes.size(), 120u);
    EXPECT_EQ(Bytes.substr(0, 24) + Bytes.substr(112), // 1, 2, 3 and 15
              std::string("\0\0\0\0\0\0\xF0\x3F\0\0\0\0\0\0\0\x40\0\0\0\0\0\0\x08\x40\0\0\0\0\0\0\x2E\x40", 32));
    const auto ReadSaveRead = [&] { LoadPsyStateFile(Name, Back), SavePsyStateFile(Name, Back), LoadPsyStateFile(Name, Back); };
    EXPECT_EQ(ErrorOf(Name, Bytes + std::string(120, '\0'), ReadSaveRead), "");
    EXPECT_EQ(EncodePsyState(Back), Bytes);
    const auto ReadOnlySave = [&] {
        std::filesystem::permissions(Name, std::filesystem::perms::owner_read), SavePsyStateFile(Name, S);
    };
    EXPECT_EQ(ErrorOf(Name, "previous", ReadOnlySave).rfind("Error writing file " + Name + ". ", 0), 0u);
    EXPECT_EQ(std::filesystem::file_size(Name), 8u);
    std::filesystem::remove(Name);
}

TEST(PsyStateFile, ShortMissingOrNonFiniteRecordsAreRefusedAndTheStateKept)
{
    const std::string Name = std::filesystem::temp_directory_path() / "ventrix-bad.psx";
    std::string Infinite(120, '\0');
    Infinite.replace(112, 8, std::string("\0\0\0\0\0\0\xF0\x7F", 8)); // in the last field
    for (const std::string& Bytes : {std::string(119, '\0'), Infinite, std::string()}) {
        PsyState State{};
        EXPECT_EQ(ErrorOf(Name, Bytes, [&] { LoadPsyStateFile(Name, State); }), "Error reading file " + Name);
        EXPECT_EQ(EncodePsyState(State), std::string(120, '\0'));
    }
}
