#include "DocumentTestSupport.h"
#include "tests/HandEncoding.h"

#include "foundation/NumberFormat.h"
#include "foundation/SettingsStore.h"
#include "foundation/ValueStream.h"
#include "tests/support/Regex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

using namespace doctest;

namespace {

// A block of a version (5 the newest), written out by hand as that version laid it out.
std::string OldBlock(int Version, const TSettings& S)
{
    THandEncoding H;
    H.Str("VentrixSettings_v1.0" + std::to_string(Version));
    H.Float(S.designpressrate).Float(S.statregainfactor).Bool(S.startequalfric).Bool(S.startspecvel);
    H.Float(S.statregainstartpressrate).Float(S.statregainstartvel);
    if (Version >= 2)
        H.Float(S.statregainminvelduct);
    if (Version >= 3)
        H.Float(S.statregainminveloutlet);
    H.Bool(S.resetvels).Bool(S.useuservel).Float(S.uservelmain);
    if (Version >= 5)
        H.Float(S.userveloutlet).Bool(S.usedampers);
    H.Float(S.ductrectstep);
    if (Version >= 4)
        H.Float(S.ductroundstep);
    H.Float(S.roughness);
    for (int K = 0; K < 3; ++K)
        H.Float(S.defoutletq[K]).Float(S.defoutletc[K]);
    for (int K = 0; K < 3; ++K)
        H.Float(S.definletq[K]).Float(S.definletc[K]);
    if (Version >= 1)
        H.Bool(S.autocalcratios);
    return H.Bytes;
}

// Reads a block over Start (by default the factory values).
TSettings ReadBlock(const std::string& Bytes, TSettings Start = {})
{
    TValueReader R(Bytes);
    Start.ReadFromReader(R);
    EXPECT_TRUE(R.AtEnd());
    return Start;
}

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

} // namespace

TEST(SettingsBlock, DistinctValuesByteExactAndReadFieldByField)
{
    TValueWriter W;
    DistinctSettings(0).WriteToWriter(W);
    EXPECT_EQ(W.Bytes(), OldBlock(5, DistinctSettings(0)));

    // A hand-written block of other values, read over the first ones.
    EXPECT_EQ(ReadBlock(OldBlock(5, DistinctSettings(16)), DistinctSettings(0)), DistinctSettings(16));
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

// A cut block, or a string where a float belongs, raises and leaves the settings.
TEST(SettingsBlock, DamagedBlockRaisesAndLeavesSettingsUnchanged)
{
    const std::string Good = OldBlock(5, TSettings());
    THandEncoding Text;
    Text.Str("VentrixSettings_v1.05").Str("not a number");
    ExpectDamagedBlocksRefused(SampleSettings(), {"", Good.substr(0, 30), Good.substr(0, Good.size() - 1), Text.Bytes},
                               "design settings");
}

// Read from a block, each nonsense value takes the factory value; replaced
// in place, the fallback given, and the call tells whether all were sound.
// The sound values around them are kept.
TEST(SettingsBlock, NonsenseValuesTakeTheFallbacks)
{
    TSettings Bad = SampleSettings();
    Bad.designpressrate = 0.0; // divides: must be positive
    Bad.uservelmain = std::numeric_limits<double>::quiet_NaN();
    Bad.userveloutlet = -3.0;
    Bad.roughness = -0.001;
    Bad.ductroundstep = std::numeric_limits<double>::infinity();
    Bad.defoutletq[1] = -0.2;
    Bad.definletc[2] = -std::numeric_limits<double>::infinity();
    Bad.statregainminvelduct = 0.0; // zero is a sound lowest velocity
    TValueWriter W;
    Bad.WriteToWriter(W);
    const TSettings Fallback = DistinctSettings(16);
    TSettings Edited = Bad;
    EXPECT_FALSE(Edited.ReplaceRefusedValues(Fallback));
    for (const auto& [Result, From] : {std::pair(ReadBlock(W.Bytes()), TSettings()), std::pair(Edited, Fallback)}) {
        TSettings Expected = Bad;
        Expected.designpressrate = From.designpressrate;
        Expected.uservelmain = From.uservelmain;
        Expected.userveloutlet = From.userveloutlet;
        Expected.roughness = From.roughness;
        Expected.ductroundstep = From.ductroundstep;
        Expected.defoutletq[1] = From.defoutletq[1];
        Expected.definletc[2] = From.definletc[2];
        EXPECT_EQ(Result, Expected);
    }
    TSettings Sound;
    EXPECT_TRUE(Sound.ReplaceRefusedValues(Fallback));
    EXPECT_EQ(Sound, TSettings());
}

TEST(SettingsXml, DefaultsAreWrittenLineByLine)
{
    // Block order, the q and C of each terminal kind together.
    const std::pair<const char*, const char*> Values[] = {
        {"designpressrate", "1.000"}, {"statregainfactor", "1.000"}, {"startequalfric", "1"},
        {"startspecvel", "0"}, {"statregainstartpressrate", "2.000"}, {"statregainstartvel", "10.000"},
        {"statregainminvelduct", "2.500"}, {"statregainminveloutlet", "1.000"}, {"resetvels", "1"},
        {"useuservel", "1"}, {"uservelmain", "5.000"}, {"userveloutlet", "3.000"},
        {"usedampers", "1"}, {"ductrectstep", "0.025"}, {"ductroundstep", "0.050"},
        {"roughness", "0.000150"}, {"defoutletqdiffuser", "0.300"}, {"defoutletcdiffuser", "5.000"},
        {"defoutletqgrille", "0.300"}, {"defoutletcgrille", "5.000"}, {"defoutletqplain", "0.300"},
        {"defoutletcplain", "1.000"}, {"definletqgrille", "0.300"}, {"definletcgrille", "5.000"},
        {"definletqcanopy", "1.000"}, {"definletccanopy", "3.000"}, {"definletqplain", "0.300"},
        {"definletcplain", "1.000"}, {"autocalcratios", "1"},
    };
    std::string Expected = " <settings>\r\n";
    for (const auto& [Name, Value] : Values)
        Expected += std::string(" <") + Name + ">" + Value + "</" + Name + ">\r\n";
    EXPECT_EQ(XmlOf(TSettings()), Expected + " </settings>\r\n");
}

// Files written before the value lines took the element's indent carry two
// blanks before each value; they read the same.
TEST(SettingsXml, ValueLinesWithTwoBlanksStillRead)
{
    const auto TwoBlanks = [](const std::string& Element) {
        return std::regex_replace(Element, std::regex("\r\n <"), "\r\n  <");
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

// A missing element or field keeps the current value and any nonzero number
// switches on; a text that is no number raises and changes nothing; a value
// out of bounds takes the factory value.
TEST(SettingsXml, MissingBadOrOutOfBoundsValues)
{
    const TSettings Factory;
    const struct {
        const char* Xml;
        std::function<void(TSettings&)> Change;
    } Cases[] = {
        {"<other/>", [](TSettings&) {}},
        {"<settings><uservelmain>7.5</uservelmain><resetvels>2</resetvels><autocalcratios>0</autocalcratios></settings>",
         [](TSettings& S) { S.uservelmain = 7.5, S.resetvels = true, S.autocalcratios = false; }},
        {"<settings><uservelmain>5</uservelmain><designpressrate>1,5</designpressrate></settings>", nullptr},
        {"<settings><roughness>-0.5</roughness><uservelmain>0</uservelmain><designpressrate>2</designpressrate></settings>",
         [&](TSettings& S) { S.roughness = Factory.roughness, S.uservelmain = Factory.uservelmain, S.designpressrate = 2; }},
    };
    for (const auto& C : Cases) {
        TSettings S = SampleSettings(), Expected = SampleSettings();
        if (C.Change)
            C.Change(Expected), ReadXmlText(S, C.Xml);
        else
            EXPECT_THROW(ReadXmlText(S, C.Xml), EConvertError);
        EXPECT_EQ(S, Expected) << C.Xml;
    }
}

// The roughness is kept in millimetres, as the dialog shows it, and each
// switch as both of its radio buttons; values never saved keep the current
// ones, and so do unreadable and nonsense ones.
TEST(SettingsUserDefaults, SavedDefaultsLoadBack)
{
    TMemorySettingsStore Store;
    SampleSettings().SaveDefaults(Store);
    EXPECT_DOUBLE_EQ(Store.ReadFloat("Settings", "Roughness", 0.0), 0.9);
    EXPECT_FALSE(Store.ReadBool("Settings", "StatRegain - EqualFric", true));
    EXPECT_TRUE(Store.ReadBool("Settings", "StatRegain - Velocity", false) && Store.ReadBool("Settings", "IdealVelocity", false));
    EXPECT_DOUBLE_EQ(Store.ReadFloat("Settings", "CanopyFlow", 0.0), 0.625);
    TSettings S;
    S.LoadDefaults(Store);
    EXPECT_DOUBLE_EQ(S.roughness, SampleSettings().roughness);
    S.roughness = SampleSettings().roughness;
    EXPECT_EQ(S, SampleSettings());

    TMemorySettingsStore Partial;
    Partial.WriteString("Settings", "VelMain", "8");
    Partial.WriteString("Settings", "StatRegain - Velocity", "0"); // only the other button
    Partial.WriteString("Settings", "DuctRectStep", "-1");         // nonsense
    Partial.WriteString("Settings", "PressureRate", "abc");        // unreadable
    S.LoadDefaults(Partial);
    TSettings Expected = SampleSettings();
    Expected.uservelmain = 8.0;
    Expected.startequalfric = true;
    Expected.ductrectstep = TSettings().ductrectstep;
    EXPECT_EQ(S, Expected);
}
