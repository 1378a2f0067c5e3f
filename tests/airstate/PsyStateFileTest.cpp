#include "airstate/PsyStateFile.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <limits>

namespace fs = std::filesystem;

namespace {

class PsyStateFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        Dir = fs::temp_directory_path() /
              ("psx-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }

    std::string PathOf(const char* Name) const { return (Dir / Name).string(); }

    static void WriteBytes(const std::string& Name, const std::string& Bytes)
    {
        std::ofstream(Name, std::ios::binary) << Bytes;
    }
    static std::string ReadBytes(const std::string& Name)
    {
        std::ifstream F(Name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(F), {});
    }

    fs::path Dir;
};

// A state whose fields are all different and exercise the awkward doubles.
PsyState OddState()
{
    PsyState S{};
    S.pa = 101.325;
    S.db = -0.0;
    S.wb = 17.123456789012345;
    S.ha = std::numeric_limits<double>::denorm_min();
    S.wa = 0.0105;
    S.rh = 1.0 / 3.0;
    S.td = -59.99;
    S.pv = 1e-300;
    S.ps = 3.1668;
    S.ro = 1.1839;
    S.cp = 1.026;
    S.va = 0.8553;
    S.Reserved[0] = -1e300;
    S.Reserved[1] = std::numeric_limits<double>::max();
    S.Reserved[2] = 42.0;
    return S;
}

bool SameBits(const PsyState& A, const PsyState& B)
{
    return std::memcmp(&A, &B, sizeof(PsyState)) == 0;
}

void ExpectFileError(const std::function<void()>& Action, const std::string& Message)
{
    try {
        Action();
        ADD_FAILURE() << "no error, expected " << Message;
    } catch (const EPsyStateFileError& E) {
        // A failed save names the file, then why it failed.
        const std::string What = E.what();
        EXPECT_TRUE(What == Message || What.rfind(Message + ". ", 0) == 0) << What;
    }
}

} // namespace

TEST_F(PsyStateFile, SaveAndLoadGiveBackEveryBit)
{
    const std::string Name = PathOf("state.psx");
    const PsyState Saved = OddState();
    SavePsyStateFile(Name, Saved);
    EXPECT_EQ(fs::file_size(Name), 120u);
    EXPECT_FALSE(fs::exists(Name + ".saving"));
    PsyState Loaded{};
    LoadPsyStateFile(Name, Loaded);
    EXPECT_TRUE(SameBits(Loaded, Saved));
}

TEST_F(PsyStateFile, FieldsAreLittleEndianDoublesInRecordOrder)
{
    PsyState S{};
    S.pa = 1.0;     // 3FF0000000000000
    S.Reserved[2] = -2.0; // C000000000000000
    const std::string Bytes = EncodePsyState(S);
    ASSERT_EQ(Bytes.size(), 120u);
    EXPECT_EQ(Bytes.substr(0, 8), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
    EXPECT_EQ(Bytes.substr(8, 104), std::string(104, '\0'));
    EXPECT_EQ(Bytes.substr(112, 8), std::string("\0\0\0\0\0\0\0\xC0", 8));
}

TEST_F(PsyStateFile, ShortMissingOrNonFiniteFilesAreRefusedAndTheStateKept)
{
    const std::string Good = EncodePsyState(OddState());
    auto WithField = [&](int Index, double V) {
        std::string Bytes = Good;
        const auto Bits = std::bit_cast<std::uint64_t>(V);
        for (int B = 0; B < 8; ++B)
            Bytes[static_cast<std::size_t>(8 * Index + B)] = static_cast<char>(Bits >> (8 * B));
        return Bytes;
    };
    const struct {
        const char* What;
        std::string Bytes;
    } Cases[] = {
        {"119 bytes", Good.substr(0, 119)},
        {"empty", ""},
        {"NaN pressure", WithField(0, std::numeric_limits<double>::quiet_NaN())},
        {"infinite dry bulb", WithField(1, std::numeric_limits<double>::infinity())},
        {"NaN in the last field", WithField(14, -std::numeric_limits<double>::quiet_NaN())},
    };
    for (const auto& C : Cases) {
        const std::string Name = PathOf("bad.psx");
        WriteBytes(Name, C.Bytes);
        PsyState State = OddState();
        State.db = 25.0;
        const PsyState Before = State;
        ExpectFileError([&] { LoadPsyStateFile(Name, State); }, "Error reading file " + Name);
        EXPECT_TRUE(SameBits(State, Before)) << C.What;
    }
    PsyState State{};
    const std::string Missing = PathOf("missing.psx");
    ExpectFileError([&] { LoadPsyStateFile(Missing, State); }, "Error reading file " + Missing);
    ExpectFileError([&] { LoadPsyStateFile(Dir.string(), State); }, "Error reading file " + Dir.string());
}

TEST_F(PsyStateFile, ALongerFileGivesItsFirstRecord)
{
    PsyState Second = OddState();
    Second.pa = 84.556;
    const std::string Name = PathOf("two.psx");
    WriteBytes(Name, EncodePsyState(OddState()) + EncodePsyState(Second));
    PsyState Loaded{};
    LoadPsyStateFile(Name, Loaded);
    EXPECT_TRUE(SameBits(Loaded, OddState()));
}

TEST_F(PsyStateFile, AFailedSaveReportsItAndKeepsThePreviousFile)
{
    const std::string Name = PathOf("keep.psx");
    WriteBytes(Name, "previous");
    fs::permissions(Name, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ExpectFileError([&] { SavePsyStateFile(Name, OddState()); }, "Error writing file " + Name);
    EXPECT_EQ(ReadBytes(Name), "previous");

    const std::string NoFolder = PathOf("no/such/folder.psx");
    ExpectFileError([&] { SavePsyStateFile(NoFolder, OddState()); }, "Error writing file " + NoFolder);
    if (fs::exists("/dev/full"))
        ExpectFileError([&] { SavePsyStateFile("/dev/full", OddState()); }, "Error writing file /dev/full");
}
