#include "DocumentTestSupport.h"
#include "tests/HandEncoding.h"

#include "foundation/NumberFormat.h"
#include "foundation/SettingsStore.h"
#include "foundation/ValueStream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

using namespace doctest;

namespace {

// Encodings written out by hand from the tag rules, independent of the writer.
std::string Ext(std::uint64_t Significand, std::uint16_t SignExponent)
{
    std::string Bytes(1, '\x05');
    for (int I = 0; I < 8; ++I)
        Bytes += static_cast<char>((Significand >> (8 * I)) & 0xFF);
    Bytes += static_cast<char>(SignExponent & 0xFF);
    Bytes += static_cast<char>(SignExponent >> 8);
    return Bytes;
}

const std::string True("\x09", 1);
const std::string False("\x08", 1);
const std::string One = Ext(0x8000000000000000ull, 0x3FFF);
const std::string Two = Ext(0x8000000000000000ull, 0x4000);
const std::string TwoHalf = Ext(0xA000000000000000ull, 0x4000);
const std::string Three = Ext(0xC000000000000000ull, 0x4000);
const std::string Five = Ext(0xA000000000000000ull, 0x4001);
const std::string Ten = Ext(0xA000000000000000ull, 0x4002);
const std::string PointThree = Ext(0x9999999999999800ull, 0x3FFD);
const std::string PointZero25 = Ext(0xCCCCCCCCCCCCD000ull, 0x3FF9);
const std::string PointZero5 = Ext(0xCCCCCCCCCCCCD000ull, 0x3FFA);
const std::string Rough = Ext(0x9D495182A9930800ull, 0x3FF2);

// A block of an older version, laid out as that version wrote it.
std::string OldBlock(int Version, const TSettings& S)
{
    TValueWriter W;
    W.WriteString("VentrixSettings_v1.0" + std::to_string(Version));
    W.WriteFloat(S.designpressrate);
    W.WriteFloat(S.statregainfactor);
    W.WriteBoolean(S.startequalfric);
    W.WriteBoolean(S.startspecvel);
    W.WriteFloat(S.statregainstartpressrate);
    W.WriteFloat(S.statregainstartvel);
    if (Version >= 2)
        W.WriteFloat(S.statregainminvelduct);
    if (Version >= 3)
        W.WriteFloat(S.statregainminveloutlet);
    W.WriteBoolean(S.resetvels);
    W.WriteBoolean(S.useuservel);
    W.WriteFloat(S.uservelmain);
    if (Version >= 5) {
        W.WriteFloat(S.userveloutlet);
        W.WriteBoolean(S.usedampers);
    }
    W.WriteFloat(S.ductrectstep);
    if (Version >= 4)
        W.WriteFloat(S.ductroundstep);
    W.WriteFloat(S.roughness);
    for (int K = 0; K < 3; ++K) {
        W.WriteFloat(S.defoutletq[K]);
        W.WriteFloat(S.defoutletc[K]);
    }
    for (int K = 0; K < 3; ++K) {
        W.WriteFloat(S.definletq[K]);
        W.WriteFloat(S.definletc[K]);
    }
    if (Version >= 1)
        W.WriteBoolean(S.autocalcratios);
    return W.Bytes();
}

// Reads a block over Start (by default the factory values).
TSettings ReadBlock(const std::string& Bytes, TSettings Start = {})
{
    TValueReader R(Bytes);
    Start.ReadFromReader(R);
    EXPECT_TRUE(R.AtEnd());
    return Start;
}

} // namespace

TEST(SettingsBlock, DefaultsAreWrittenByteExact)
{
    TValueWriter W;
    TSettings().WriteToWriter(W);

    const std::string Head = std::string("\x06\x15", 2) + "VentrixSettings_v1.05";
    const std::string Expected =
        Head + One + One + True + False +                           // 2
        Two + Ten + TwoHalf + One +                                 // 3
        True + True + Five + Three + True +                         // 4
        PointZero25 + PointZero5 + Rough +                          // 5
        PointThree + Five + PointThree + Five + PointThree + One +  // 6 outlets
        PointThree + Five + One + Three + PointThree + One +        // 7 inlets
        True;                                                       // 8
    ASSERT_EQ(W.Bytes().size(), 282u);
    EXPECT_EQ(W.Bytes(), Expected);
}

namespace {

// Settings with a value of its own in every field, neighbouring switches
// unlike, each number exact in binary so that its bytes can be written out.
TSettings DistinctSettings(double Offset)
{
    TSettings S;
    S.designpressrate = 1.25 + Offset;
    S.statregainfactor = 0.75 + Offset;
    S.startequalfric = Offset == 0;
    S.startspecvel = Offset != 0;
    S.statregainstartpressrate = 3.5 + Offset;
    S.statregainstartvel = 12.0 + Offset;
    S.statregainminvelduct = 3.25 + Offset;
    S.statregainminveloutlet = 1.5 + Offset;
    S.resetvels = Offset != 0;
    S.useuservel = Offset == 0;
    S.uservelmain = 6.5 + Offset;
    S.userveloutlet = 2.75 + Offset;
    S.usedampers = Offset != 0;
    S.ductrectstep = 0.0625 + Offset / 64;
    S.ductroundstep = 0.1875 + Offset / 64;
    S.roughness = 0.0009765625 + Offset / 1024;
    S.defoutletq = {0.125 + Offset, 0.25 + Offset, 0.375 + Offset};
    S.defoutletc = {4.5 + Offset, 5.5 + Offset, 2.5 + Offset};
    S.definletq = {0.5 + Offset, 0.625 + Offset, 0.875 + Offset};
    S.definletc = {1.75 + Offset, 2.0 + Offset, 0.3125 + Offset};
    S.autocalcratios = Offset == 0;
    return S;
}

std::string HandBlock(const TSettings& S)
{
    THandEncoding H;
    H.Str("VentrixSettings_v1.05");
    H.Float(S.designpressrate).Float(S.statregainfactor).Bool(S.startequalfric).Bool(S.startspecvel);
    H.Float(S.statregainstartpressrate).Float(S.statregainstartvel).Float(S.statregainminvelduct);
    H.Float(S.statregainminveloutlet).Bool(S.resetvels).Bool(S.useuservel).Float(S.uservelmain);
    H.Float(S.userveloutlet).Bool(S.usedampers).Float(S.ductrectstep).Float(S.ductroundstep).Float(S.roughness);
    for (int K = 0; K < 3; ++K)
        H.Float(S.defoutletq[K]).Float(S.defoutletc[K]);
    for (int K = 0; K < 3; ++K)
        H.Float(S.definletq[K]).Float(S.definletc[K]);
    H.Bool(S.autocalcratios);
    return H.Bytes;
}

} // namespace

TEST(SettingsBlock, DistinctValuesByteExactAndReadFieldByField)
{
    TValueWriter W;
    DistinctSettings(0).WriteToWriter(W);
    EXPECT_EQ(W.Bytes(), HandBlock(DistinctSettings(0)));

    // A hand-written block of other values, read over the first ones.
    const TSettings Other = DistinctSettings(16);
    const TSettings Read = ReadBlock(HandBlock(Other), DistinctSettings(0));
    EXPECT_EQ(Read.designpressrate, 17.25);
    EXPECT_EQ(Read.statregainfactor, 16.75);
    EXPECT_FALSE(Read.startequalfric);
    EXPECT_TRUE(Read.startspecvel);
    EXPECT_EQ(Read.statregainstartpressrate, 19.5);
    EXPECT_EQ(Read.statregainstartvel, 28.0);
    EXPECT_EQ(Read.statregainminvelduct, 19.25);
    EXPECT_EQ(Read.statregainminveloutlet, 17.5);
    EXPECT_TRUE(Read.resetvels);
    EXPECT_FALSE(Read.useuservel);
    EXPECT_EQ(Read.uservelmain, 22.5);
    EXPECT_EQ(Read.userveloutlet, 18.75);
    EXPECT_TRUE(Read.usedampers);
    EXPECT_EQ(Read.ductrectstep, 0.3125);
    EXPECT_EQ(Read.ductroundstep, 0.4375);
    EXPECT_EQ(Read.roughness, 0.0166015625);
    EXPECT_EQ(Read.defoutletq, (std::array<double, 3>{16.125, 16.25, 16.375}));
    EXPECT_EQ(Read.defoutletc, (std::array<double, 3>{20.5, 21.5, 18.5}));
    EXPECT_EQ(Read.definletq, (std::array<double, 3>{16.5, 16.625, 16.875}));
    EXPECT_EQ(Read.definletc, (std::array<double, 3>{17.75, 18.0, 16.3125}));
    EXPECT_FALSE(Read.autocalcratios);
}

TEST(SettingsBlock, EveryVersionReadsWithItsMissingFieldsFilled)
{
    // Read over settings unlike both the stored and the factory values, so
    // that neither a field left unread nor a fill that depends on what was
    // there before passes.
    TSettings Start;
    Start.statregainminvelduct = 7.0;
    Start.statregainminveloutlet = 7.0;
    Start.ductroundstep = 0.7;
    Start.autocalcratios = false;
    const TSettings Stored = SampleSettings();
    for (int Version = 0; Version <= 6; ++Version) {
        SCOPED_TRACE(Version);
        std::string Bytes = OldBlock(std::min(Version, 5), Stored);
        if (Version == 6) { // a header not known is read as the newest
            const std::string Header = "VentrixSettings_v1.05";
            Bytes.replace(Bytes.find(Header), Header.size(), "VentrixSettings_v9.99");
        }
        TSettings Expected = Stored;
        if (Version < 1)
            Expected.autocalcratios = true;
        if (Version < 2)
            Expected.statregainminvelduct = 2.5;
        if (Version < 3)
            Expected.statregainminveloutlet = 1.0;
        if (Version < 4)
            Expected.ductroundstep = 0.05;
        if (Version < 5) { // no outlet velocity, no damper switch
            Expected.userveloutlet = Stored.uservelmain;
            Expected.usedampers = false;
        }
        EXPECT_EQ(ReadBlock(Bytes, Start), Expected);
    }
}

TEST(SettingsBlock, DamagedBlockRaisesAndLeavesSettingsUnchanged)
{
    const std::string Good = OldBlock(5, TSettings());
    for (std::size_t Cut : {std::size_t(0), std::size_t(10), std::size_t(30), Good.size() - 1}) {
        SCOPED_TRACE(Cut);
        TSettings S = SampleSettings();
        TValueReader R(Good.substr(0, Cut));
        try {
            S.ReadFromReader(R);
            FAIL() << "a truncated block was accepted";
        } catch (const EStreamError& E) {
            EXPECT_NE(std::string(E.what()).find("design settings"), std::string::npos)
                << E.what();
        }
        EXPECT_EQ(S, SampleSettings());
    }

    // A string where a float belongs.
    TValueWriter W;
    W.WriteString("VentrixSettings_v1.05");
    W.WriteString("not a number");
    TValueReader R(W.Bytes());
    TSettings S = SampleSettings();
    EXPECT_THROW(S.ReadFromReader(R), EStreamError);
    EXPECT_EQ(S, SampleSettings());
}

TEST(SettingsBlock, NonsenseValuesFallBackToFactoryValues)
{
    TSettings Bad = SampleSettings();
    Bad.designpressrate = std::numeric_limits<double>::quiet_NaN();
    Bad.uservelmain = 0.0;
    Bad.userveloutlet = -3.0;
    Bad.roughness = -0.001;
    Bad.ductroundstep = std::numeric_limits<double>::infinity();
    Bad.defoutletq[1] = -0.2;
    Bad.definletc[2] = -std::numeric_limits<double>::infinity();
    Bad.statregainminvelduct = 0.0; // zero is a sound lowest velocity

    TValueWriter W;
    Bad.WriteToWriter(W);
    const TSettings S = ReadBlock(W.Bytes());
    const TSettings Factory;
    EXPECT_EQ(S.designpressrate, Factory.designpressrate);
    EXPECT_EQ(S.uservelmain, Factory.uservelmain);
    EXPECT_EQ(S.userveloutlet, Factory.userveloutlet);
    EXPECT_EQ(S.roughness, Factory.roughness);
    EXPECT_EQ(S.ductroundstep, Factory.ductroundstep);
    EXPECT_EQ(S.defoutletq[1], Factory.defoutletq[1]);
    EXPECT_EQ(S.definletc[2], Factory.definletc[2]);
    // The sound values around them are kept.
    EXPECT_EQ(S.statregainminvelduct, 0.0);
    EXPECT_EQ(S.defoutletq[0], SampleSettings().defoutletq[0]);
    EXPECT_EQ(S.statregainfactor, SampleSettings().statregainfactor);
}

TEST(SettingsBlock, RefusedValuesTakeTheFallbacks)
{
    const TSettings Fallback = SampleSettings();
    TSettings Edited;
    EXPECT_TRUE(Edited.ReplaceRefusedValues(Fallback));
    EXPECT_EQ(Edited, TSettings());

    Edited.designpressrate = 0.0;    // divides: must be positive
    Edited.roughness = -0.0001;      // never negative
    Edited.statregainminvelduct = 0.0; // zero is sound here
    Edited.definletq[2] = 0.7;
    EXPECT_FALSE(Edited.ReplaceRefusedValues(Fallback));
    EXPECT_EQ(Edited.designpressrate, Fallback.designpressrate);
    EXPECT_EQ(Edited.roughness, Fallback.roughness);
    EXPECT_EQ(Edited.statregainminvelduct, 0.0);
    EXPECT_EQ(Edited.definletq[2], 0.7);
}

TEST(SettingsXml, DefaultsAreWrittenLineByLine)
{
    // Block order, the q and C of each terminal kind together.
    EXPECT_EQ(XmlOf(TSettings()),
              " <settings>\r\n"
              " <designpressrate>1.000</designpressrate>\r\n"
              " <statregainfactor>1.000</statregainfactor>\r\n"
              " <startequalfric>1</startequalfric>\r\n"
              " <startspecvel>0</startspecvel>\r\n"
              " <statregainstartpressrate>2.000</statregainstartpressrate>\r\n"
              " <statregainstartvel>10.000</statregainstartvel>\r\n"
              " <statregainminvelduct>2.500</statregainminvelduct>\r\n"
              " <statregainminveloutlet>1.000</statregainminveloutlet>\r\n"
              " <resetvels>1</resetvels>\r\n"
              " <useuservel>1</useuservel>\r\n"
              " <uservelmain>5.000</uservelmain>\r\n"
              " <userveloutlet>3.000</userveloutlet>\r\n"
              " <usedampers>1</usedampers>\r\n"
              " <ductrectstep>0.025</ductrectstep>\r\n"
              " <ductroundstep>0.050</ductroundstep>\r\n"
              " <roughness>0.000150</roughness>\r\n"
              " <defoutletqdiffuser>0.300</defoutletqdiffuser>\r\n"
              " <defoutletcdiffuser>5.000</defoutletcdiffuser>\r\n"
              " <defoutletqgrille>0.300</defoutletqgrille>\r\n"
              " <defoutletcgrille>5.000</defoutletcgrille>\r\n"
              " <defoutletqplain>0.300</defoutletqplain>\r\n"
              " <defoutletcplain>1.000</defoutletcplain>\r\n"
              " <definletqgrille>0.300</definletqgrille>\r\n"
              " <definletcgrille>5.000</definletcgrille>\r\n"
              " <definletqcanopy>1.000</definletqcanopy>\r\n"
              " <definletccanopy>3.000</definletccanopy>\r\n"
              " <definletqplain>0.300</definletqplain>\r\n"
              " <definletcplain>1.000</definletcplain>\r\n"
              " <autocalcratios>1</autocalcratios>\r\n"
              " </settings>\r\n");
}

// Files written before the value lines took the element's indent carry two
// blanks before each value; they read the same.
TEST(SettingsXml, ValueLinesWithTwoBlanksStillRead)
{
    const auto TwoBlanks = [](const std::string& Element) {
        std::string Old;
        std::size_t From = 0;
        for (std::size_t At = Element.find("\r\n <"); At != std::string::npos; At = Element.find("\r\n <", From)) {
            Old.append(Element, From, At + 2 - From);
            Old += ' ';
            From = At + 2;
        }
        Old.append(Element, From);
        return Old;
    };
    const std::string Old = TwoBlanks(XmlOf(SampleSettings()));
    ASSERT_NE(Old.find("\r\n  <designpressrate>"), std::string::npos);
    TSettings S;
    ReadXmlText(S, Old);
    EXPECT_EQ(S, SampleSettings());

    TDocumentProperties P;
    ReadXmlText(P, TwoBlanks(XmlOf(SampleProperties())));
    EXPECT_EQ(P, SampleProperties());
}

TEST(SettingsXml, MissingElementOrFieldKeepsCurrentValues)
{
    TSettings S = SampleSettings();
    ReadXmlText(S, "<other/>");
    EXPECT_EQ(S, SampleSettings());

    ReadXmlText(S, "<settings><uservelmain>7.5</uservelmain><resetvels>2</resetvels>"
                   "<autocalcratios>0</autocalcratios></settings>");
    TSettings Expected = SampleSettings();
    Expected.uservelmain = 7.5;
    Expected.resetvels = true; // any nonzero number switches on
    Expected.autocalcratios = false;
    EXPECT_EQ(S, Expected);
}

TEST(SettingsXml, BadNumbersAreRefusedOrReplaced)
{
    TSettings S = SampleSettings();
    EXPECT_THROW(ReadXmlText(S, "<settings><uservelmain>5</uservelmain>"
                                "<designpressrate>1,5</designpressrate></settings>"),
                 EConvertError);
    EXPECT_EQ(S, SampleSettings());

    ReadXmlText(S, "<settings><roughness>-0.5</roughness><uservelmain>0</uservelmain>"
                   "<designpressrate>2</designpressrate></settings>");
    EXPECT_EQ(S.roughness, TSettings().roughness);
    EXPECT_EQ(S.uservelmain, TSettings().uservelmain);
    EXPECT_EQ(S.designpressrate, 2.0);
}

TEST(SettingsUserDefaults, SavedDefaultsLoadBack)
{
    TMemorySettingsStore Store;
    SampleSettings().SaveDefaults(Store);
    // The roughness is kept in millimetres, as the dialog shows it, and each
    // switch as both of its radio buttons.
    EXPECT_DOUBLE_EQ(Store.ReadFloat("Settings", "Roughness", 0.0), 0.9);
    EXPECT_FALSE(Store.ReadBool("Settings", "StatRegain - EqualFric", true));
    EXPECT_TRUE(Store.ReadBool("Settings", "StatRegain - Velocity", false));
    EXPECT_TRUE(Store.ReadBool("Settings", "IdealVelocity", false));
    EXPECT_DOUBLE_EQ(Store.ReadFloat("Settings", "CanopyFlow", 0.0), 0.625);

    TSettings S;
    S.LoadDefaults(Store);
    const TSettings Expected = SampleSettings();
    EXPECT_DOUBLE_EQ(S.roughness, Expected.roughness);
    S.roughness = Expected.roughness;
    EXPECT_EQ(S, Expected);
}

TEST(SettingsUserDefaults, ValuesNeverSavedKeepTheCurrentOnes)
{
    TMemorySettingsStore Empty;
    TSettings S = SampleSettings();
    S.LoadDefaults(Empty);
    EXPECT_EQ(S, SampleSettings());

    TMemorySettingsStore Store;
    Store.WriteString("Settings", "VelMain", "8");
    Store.WriteString("Settings", "StatRegain - Velocity", "0"); // only the other button
    Store.WriteString("Settings", "DuctRectStep", "-1");         // nonsense
    Store.WriteString("Settings", "PressureRate", "abc");        // unreadable
    S.LoadDefaults(Store);
    EXPECT_EQ(S.uservelmain, 8.0);
    EXPECT_TRUE(S.startequalfric);
    EXPECT_EQ(S.ductrectstep, TSettings().ductrectstep);
    EXPECT_EQ(S.designpressrate, SampleSettings().designpressrate);
}
