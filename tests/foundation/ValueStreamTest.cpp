#include "foundation/ValueStream.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <limits>

namespace {

std::string Bytes(std::initializer_list<int> List)
{
    std::string S;
    for (int B : List)
        S += static_cast<char>(B);
    return S;
}

void ExpectStreamError(const std::function<void()>& Action, const char* Message)
{
    try {
        Action();
        ADD_FAILURE() << "no EStreamError, expected " << Message;
    } catch (const EStreamError& E) {
        EXPECT_STREQ(E.what(), Message);
    }
}

double FromExtended(std::uint64_t Mantissa, int SignExp)
{
    std::uint8_t Ext[10];
    for (int I = 0; I < 8; ++I)
        Ext[I] = static_cast<std::uint8_t>(Mantissa >> (8 * I));
    Ext[8] = static_cast<std::uint8_t>(SignExp & 0xFF);
    Ext[9] = static_cast<std::uint8_t>(SignExp >> 8);
    return ExtendedToDouble(Ext);
}

} // namespace

TEST(ValueStream, IntegersUseTheSmallestTagAndRoundTrip)
{
    const struct {
        std::int32_t V;
        std::string Encoded;
    } Cases[] = {{0, Bytes({2, 0})}, {100, Bytes({2, 100})}, {-1, Bytes({2, 0xFF})},
                 {127, Bytes({2, 0x7F})}, {-128, Bytes({2, 0x80})}, {128, Bytes({3, 0x80, 0x00})},
                 {-129, Bytes({3, 0x7F, 0xFF})}, {32767, Bytes({3, 0xFF, 0x7F})},
                 {-32768, Bytes({3, 0x00, 0x80})}, {32768, Bytes({4, 0x00, 0x80, 0x00, 0x00})},
                 {-32769, Bytes({4, 0xFF, 0x7F, 0xFF, 0xFF})}, {40000, Bytes({4, 0x40, 0x9C, 0, 0})},
                 {std::numeric_limits<std::int32_t>::max(), Bytes({4, 0xFF, 0xFF, 0xFF, 0x7F})},
                 {std::numeric_limits<std::int32_t>::min(), Bytes({4, 0, 0, 0, 0x80})}};
    TValueWriter All;
    for (const auto& C : Cases) {
        TValueWriter W;
        W.WriteInteger(C.V);
        EXPECT_EQ(W.Bytes(), C.Encoded) << C.V;
        All.WriteInteger(C.V);
    }
    TValueReader R(All.Bytes());
    for (const auto& C : Cases)
        EXPECT_EQ(R.ReadInteger(), C.V);
    EXPECT_TRUE(R.AtEnd());
}

TEST(ValueStream, FloatsAreExtendedBytesThatRoundTripEveryDouble)
{
    TValueWriter W;
    for (double V : {1.0, 0.1, -2.0, 0.0})
        W.WriteFloat(V);
    EXPECT_EQ(W.Bytes(),
              Bytes({5, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0x3F,
                         5, 0x00, 0xD0, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F,
                         5, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0xC0,
                         5, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));

    using L = std::numeric_limits<double>;
    const double Values[] = {1.0, 0.1, -0.1, 1e300, -1e-300, L::max(), -L::max(), L::min(),
                             L::denorm_min(), 3 * L::denorm_min(), L::min() / 3, 123456.789,
                             L::infinity(), -L::infinity()};
    for (double V : Values) {
        std::uint8_t Ext[10];
        DoubleToExtended(V, Ext);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(ExtendedToDouble(Ext)), std::bit_cast<std::uint64_t>(V))
            << V;
    }
    std::uint8_t Ext[10];
    DoubleToExtended(-0.0, Ext);
    EXPECT_EQ(Ext[9], 0x80);
    EXPECT_TRUE(std::signbit(ExtendedToDouble(Ext)));
    DoubleToExtended(std::nan(""), Ext);
    EXPECT_TRUE(std::isnan(ExtendedToDouble(Ext)));
    // A quiet NaN with a sign and a payload comes back bit for bit, so a
    // stream read and written again does not change.
    const double Payload = std::bit_cast<double>(std::uint64_t{0xFFF8000000012345});
    DoubleToExtended(Payload, Ext);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(ExtendedToDouble(Ext)), std::bit_cast<std::uint64_t>(Payload));
}

TEST(ValueStream, ExtendedRoundsToNearestDouble)
{
    const std::uint64_t One = std::uint64_t{1} << 63;
    // 0.1 as a true extended (more bits than a double holds) reads as 0.1.
    EXPECT_EQ(FromExtended(0xCCCCCCCCCCCCCCCDull, 0x3FFB), 0.1);
    // Exactly half a double step: ties go to the even neighbour.
    EXPECT_EQ(FromExtended(One | 0x400, 0x3FFF), 1.0);
    EXPECT_EQ(FromExtended(One | 0xC00, 0x3FFF), 1.0 + 2 * std::ldexp(1.0, -52));
    // Rounding up carries into the next power of two.
    EXPECT_EQ(FromExtended(~std::uint64_t{0}, 0x3FFF), 2.0);
    // Beyond the double range.
    EXPECT_EQ(FromExtended(One, 0x3FFF + 1024), std::numeric_limits<double>::infinity());
    EXPECT_EQ(FromExtended(~std::uint64_t{0}, 0x3FFF + 1023), std::numeric_limits<double>::infinity());
    // Below the double range: half the smallest subnormal ties to zero, anything above rounds up.
    const double Tiny = std::numeric_limits<double>::denorm_min();
    EXPECT_EQ(FromExtended(One, 0x3FFF - 1075), 0.0);
    EXPECT_EQ(FromExtended(One | 1, 0x3FFF - 1075), Tiny);
    EXPECT_EQ(FromExtended(One | (One >> 1), 0x3FFF - 1074), 2 * Tiny); // 1.5 steps -> 2
    // Just below the smallest normal rounds up to it.
    EXPECT_EQ(FromExtended(~std::uint64_t{0}, 0x3FFF - 1023), std::numeric_limits<double>::min());
    // Encodings without the integer bit (denormal extended, unnormals) still read.
    EXPECT_EQ(FromExtended(One >> 1, 0x3FFF), 0.5);
    EXPECT_EQ(FromExtended(0, 0x3FFF), 0.0);
    EXPECT_EQ(FromExtended(One, 0), 0.0);
    EXPECT_TRUE(std::isnan(FromExtended(One | 1, 0x7FFF)));
}

TEST(ValueStream, StringTags)
{
    const auto Encoded = [](const std::string& S) {
        TValueWriter W;
        W.WriteString(S);
        return W.Bytes();
    };
    const std::string Strings[] = {"abc", "", std::string(255, 'x'), std::string(256, 'x'),
                                   "20 \xC2\xB0" "C"};
    EXPECT_EQ(Encoded("abc") + Encoded(""), Bytes({6, 3, 'a', 'b', 'c', 6, 0}));
    EXPECT_EQ(Encoded(Strings[2]), Bytes({6, 255}) + Strings[2]);
    EXPECT_EQ(Encoded(Strings[3]), Bytes({12, 0x00, 0x01, 0, 0}) + Strings[3]);
    EXPECT_EQ(Encoded(Strings[4]), Bytes({20, 6, 0, 0, 0, '2', '0', ' ', 0xC2, 0xB0, 'C'}));

    std::string All;
    for (const std::string& S : Strings)
        All += Encoded(S);
    TValueReader R(All);
    for (const std::string& S : Strings)
        EXPECT_EQ(R.ReadString(), S);
    EXPECT_TRUE(R.AtEnd());
}

TEST(ValueStream, EightBitWideAndUtf8Strings)
{
    TValueReader R(Bytes({6, 4, 0xB0, 0x80, 0xE9, 0x81, 12, 2, 0, 0, 0, 0x96, 'x'}));
    EXPECT_EQ(R.ReadString(), "\xC2\xB0\xE2\x82\xAC\xC3\xA9\xC2\x81"); // ° € é U+0081
    EXPECT_EQ(R.ReadString(), "\xE2\x80\x93x");                         // en dash

    // "A€" and U+1F600 as a surrogate pair, then a lone high and a lone low surrogate.
    TValueReader Wide(Bytes({18, 4, 0, 0, 0, 'A', 0, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE,
                             18, 3, 0, 0, 0, 0x3D, 0xD8, 'B', 0, 0x00, 0xDE}));
    EXPECT_EQ(Wide.ReadString(), "A\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(Wide.ReadString(), "\xEF\xBF\xBD" "B" "\xEF\xBF\xBD");

    // Overlong "/", an encoded surrogate, a stray 0xFF and a cut-off sequence.
    TValueReader Bad(Bytes({20, 10, 0, 0, 0, 0xC0, 0xAF, 0xED, 0xA0, 0x80, 'k', 0xFF, 0xE2, 0x82, 'z'}));
    const std::string Got = Bad.ReadString();
    EXPECT_EQ(Got.substr(0, 6), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_NE(Got.find("k\xEF\xBF\xBD"), std::string::npos);
    EXPECT_EQ(Got.back(), 'z');
    EXPECT_EQ(Got.find("\xC0"), std::string::npos);
    EXPECT_EQ(Got.find("\xED\xA0"), std::string::npos);
    EXPECT_TRUE(Bad.AtEnd());

    TValueReader Good(Bytes({20, 4, 0, 0, 0, 0xF0, 0x9F, 0x98, 0x80}));
    EXPECT_EQ(Good.ReadString(), "\xF0\x9F\x98\x80");
}

TEST(ValueStream, FloatReadsIntegersButNotTheOtherWayRound)
{
    TValueWriter W;
    W.WriteInteger(200);
    W.WriteInteger(-5);
    W.WriteFloat(2.5);
    std::string S = W.Bytes();
    S += Bytes({19, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}); // 2^32
    S += static_cast<char>(21);
    const auto Double = std::bit_cast<std::uint64_t>(-0.75);
    for (int I = 0; I < 8; ++I)
        S += static_cast<char>(Double >> (8 * I));
    TValueReader R(S);
    EXPECT_EQ(R.ReadFloat(), 200.0);
    EXPECT_EQ(R.ReadFloat(), -5.0);
    const std::size_t AtFloat = R.Position();
    ExpectStreamError([&] { R.ReadInteger(); }, "Invalid property value");
    EXPECT_EQ(R.Position(), AtFloat);
    EXPECT_EQ(R.ReadFloat(), 2.5);
    ExpectStreamError([&] { R.ReadInteger(); }, "Invalid property value"); // 64-bit
    EXPECT_EQ(R.ReadFloat(), 4294967296.0);
    EXPECT_EQ(R.ReadFloat(), -0.75);
    EXPECT_TRUE(R.AtEnd());
}

TEST(ValueStream, BooleansDatesAndLists)
{
    TValueWriter W;
    W.WriteListBegin();
    W.WriteBoolean(true);
    W.WriteBoolean(false);
    W.WriteDate(45000.75);
    W.WriteListEnd();
    EXPECT_EQ(W.Bytes().substr(0, 3), Bytes({1, 9, 8}));
    EXPECT_EQ(W.Bytes()[3], 17);
    EXPECT_EQ(W.Size(), 3u + 9 + 1);

    TValueReader R(W.Bytes());
    R.ReadListBegin();
    EXPECT_FALSE(R.EndOfList());
    EXPECT_TRUE(R.ReadBoolean());
    EXPECT_FALSE(R.ReadBoolean());
    ExpectStreamError([&] { R.ReadFloat(); }, "Invalid property value"); // a date is no float
    EXPECT_EQ(R.ReadDate(), 45000.75);
    EXPECT_TRUE(R.EndOfList());
    EXPECT_EQ(R.NextTag(), vaNull);
    R.ReadListEnd();
    EXPECT_TRUE(R.AtEnd());
    EXPECT_FALSE(R.EndOfList()); // the end of the data is no list end
}

TEST(ValueStream, WrongTagsAreInvalidValues)
{
    TValueReader R(Bytes({2, 1, 1, 0, 7, 5}));
    ExpectStreamError([&] { R.ReadBoolean(); }, "Invalid property value");
    ExpectStreamError([&] { R.ReadString(); }, "Invalid property value");
    ExpectStreamError([&] { R.ReadDate(); }, "Invalid property value");
    ExpectStreamError([&] { R.ReadListBegin(); }, "Invalid property value");
    ExpectStreamError([&] { R.ReadListEnd(); }, "Invalid property value");
    EXPECT_EQ(R.ReadInteger(), 1);
    ExpectStreamError([&] { R.ReadBoolean(); }, "Invalid property value");
    R.ReadListBegin();
    R.ReadListEnd();
    ExpectStreamError([&] { R.ReadFloat(); }, "Invalid property value"); // tag 7
    R.Seek(R.Position() + 1);
    ExpectStreamError([&] { R.ReadFloat(); }, "Stream read error"); // tag 5 without payload
}

TEST(ValueStream, DamagedStreamsFailWithoutAllocating)
{
    const std::string Damaged[] = {
        Bytes({}),                                   // nothing at all
        Bytes({6, 10, 'a', 'b'}),                    // short string
        Bytes({12, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}),    // 4 GB string
        Bytes({12, 0x00, 0x00, 0x00, 0x80}),         // negative length as Int32
        Bytes({20, 0xFF, 0xFF, 0xFF, 0x7F, 0xC2}),
        Bytes({18, 0x00, 0x00, 0x00, 0x80, 'a', 0}), // count * 2 would wrap in 32 bits
        Bytes({18, 1, 0, 0, 0, 'a'}),                // half a character
        Bytes({12, 1, 0}),                           // cut-off length
    };
    for (const std::string& S : Damaged) {
        TValueReader R(S);
        ExpectStreamError([&] { R.ReadString(); }, "Stream read error");
        EXPECT_EQ(R.Position(), 0u);
    }
    for (const std::string& S : {Bytes({4, 1, 2}), Bytes({3, 1}), Bytes({2}), Bytes({19, 1})}) {
        TValueReader R(S);
        ExpectStreamError([&] { R.ReadFloat(); }, "Stream read error");
        EXPECT_EQ(R.Position(), 0u);
    }
    TValueReader Empty("");
    ExpectStreamError([&] { Empty.NextTag(); }, "Stream read error");
    ExpectStreamError([&] { Empty.ReadBoolean(); }, "Stream read error");
    ExpectStreamError([&] { Empty.ReadListEnd(); }, "Stream read error");
    TValueReader Date(Bytes({17, 0, 0}));
    ExpectStreamError([&] { Date.ReadDate(); }, "Stream read error");
    ExpectStreamError([&] { Date.Seek(4); }, "Stream read error");
    Date.Seek(3);
    EXPECT_TRUE(Date.AtEnd());
}

TEST(ValueStream, FileRoundTripAndFailures)
{
    const auto Dir = std::filesystem::path(::testing::TempDir()) / "ventrix_valuestream_test";
    std::filesystem::create_directories(Dir);
    const std::string Name = (Dir / "stream.bin").string();

    TValueWriter W;
    for (int I = 0; I < 5000; ++I) // larger than any single buffer
        W.WriteInteger(I * 37);
    W.WriteString("Ende \xC3\xA4");
    W.SaveToFile(Name);
    EXPECT_EQ(std::filesystem::file_size(Name), W.Size());

    TValueReader R = TValueReader::FromFile(Name);
    EXPECT_EQ(R.Size(), W.Size());
    for (int I = 0; I < 5000; ++I)
        ASSERT_EQ(R.ReadInteger(), I * 37);
    EXPECT_EQ(R.ReadString(), "Ende \xC3\xA4");

    ExpectStreamError([&] { W.SaveToFile((Dir / "no" / "such" / "x.bin").string()); },
                      "Stream write error");
    ExpectStreamError([&] { TValueReader::FromFile((Dir / "missing.bin").string()); },
                      "Stream read error");
    std::filesystem::remove_all(Dir);
}
