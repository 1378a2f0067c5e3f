#include "network/Settings.h"

#include "foundation/NumberFormat.h"
#include "foundation/SettingsStore.h"
#include "foundation/ValueStream.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

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

// Settings with every value away from its factory value, so that a field
// read into the wrong place shows.
TSettings Unusual()
{
    TSettings S;
    S.designpressrate = 1.25;
    S.statregainfactor = 0.75;
    S.startequalfric = false;
    S.startspecvel = true;
    S.statregainstartpressrate = 3.5;
    S.statregainstartvel = 12.0;
    S.statregainminvelduct = 3.25;
    S.statregainminveloutlet = 1.5;
    S.resetvels = false;
    S.useuservel = false;
    S.uservelmain = 6.5;
    S.userveloutlet = 2.75;
    S.usedampers = false;
    S.defoutletq = {0.125, 0.25, 0.375};
    S.definletq = {0.5, 0.625, 0.75};
    S.defoutletc = {4.5, 3.5, 2.5};
    S.definletc = {1.5, 2.0, 0.5};
    S.ductrectstep = 0.05;
    S.ductroundstep = 0.1;
    S.roughness = 0.0009;
    S.autocalcratios = false;
    return S;
}

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

TSettings ReadBlock(const std::string& Bytes)
{
    TValueReader R(Bytes);
    TSettings S;
    S.ReadFromReader(R);
    EXPECT_TRUE(R.AtEnd());
    return S;
}

std::string XmlOf(const TSettings& S)
{
    std::ostringstream Out;
    S.WriteXml(Out, " ");
    return Out.str();
}

// Reads a settings element wrapped in a head, as the XML import finds it.
void ReadXmlText(TSettings& S, const std::string& Element)
{
    pugi::xml_document Doc;
    const std::string Text = "<head>" + Element + "</head>";
    ASSERT_TRUE(Doc.load_string(Text.c_str()));
    S.ReadXml(Doc.child("head"));
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

TEST(SettingsBlock, RoundTripKeepsEveryValue)
{
    TValueWriter W;
    Unusual().WriteToWriter(W);
    EXPECT_EQ(ReadBlock(W.Bytes()), Unusual());

    TValueWriter D;
    TSettings().WriteToWriter(D);
    TSettings Changed = Unusual();
    TValueReader R(D.Bytes());
    Changed.ReadFromReader(R);
    EXPECT_EQ(Changed, TSettings());
}

TEST(SettingsBlock, CurrentVersionWrittenByHandReadsBack)
{
    EXPECT_EQ(ReadBlock(OldBlock(5, Unusual())), Unusual());
}

TEST(SettingsBlock, OlderVersionsFillTheMissingFields)
{
    const TSettings Stored = Unusual();
    for (int Version = 0; Version <= 4; ++Version) {
        SCOPED_TRACE("VentrixSettings_v1.0" + std::to_string(Version));
        const TSettings S = ReadBlock(OldBlock(Version, Stored));

        // Present in every version.
        EXPECT_EQ(S.designpressrate, Stored.designpressrate);
        EXPECT_EQ(S.statregainfactor, Stored.statregainfactor);
        EXPECT_EQ(S.startequalfric, Stored.startequalfric);
        EXPECT_EQ(S.startspecvel, Stored.startspecvel);
        EXPECT_EQ(S.statregainstartpressrate, Stored.statregainstartpressrate);
        EXPECT_EQ(S.statregainstartvel, Stored.statregainstartvel);
        EXPECT_EQ(S.resetvels, Stored.resetvels);
        EXPECT_EQ(S.useuservel, Stored.useuservel);
        EXPECT_EQ(S.uservelmain, Stored.uservelmain);
        EXPECT_EQ(S.ductrectstep, Stored.ductrectstep);
        EXPECT_EQ(S.roughness, Stored.roughness);
        EXPECT_EQ(S.defoutletq, Stored.defoutletq);
        EXPECT_EQ(S.defoutletc, Stored.defoutletc);
        EXPECT_EQ(S.definletq, Stored.definletq);
        EXPECT_EQ(S.definletc, Stored.definletc);

        EXPECT_EQ(S.statregainminvelduct, Version >= 2 ? Stored.statregainminvelduct : 2.5);
        EXPECT_EQ(S.statregainminveloutlet, Version >= 3 ? Stored.statregainminveloutlet : 1.0);
        EXPECT_EQ(S.ductroundstep, Version >= 4 ? Stored.ductroundstep : 0.05);
        EXPECT_EQ(S.autocalcratios, Version >= 1 ? Stored.autocalcratios : true);
        // No version before 1.05 has the outlet velocity or the damper switch.
        EXPECT_EQ(S.userveloutlet, Stored.uservelmain);
        EXPECT_FALSE(S.usedampers);
    }
}

TEST(SettingsBlock, OlderVersionGatesDoNotDependOnPreviousValues)
{
    // A v1.00 block read over settings with dampers on and a different
    // outlet velocity still switches dampers off and copies the main velocity.
    TSettings S = Unusual();
    S.usedampers = true;
    S.autocalcratios = false;
    TValueReader R(OldBlock(0, TSettings()));
    S.ReadFromReader(R);
    EXPECT_FALSE(S.usedampers);
    EXPECT_EQ(S.userveloutlet, 5.0);
    EXPECT_TRUE(S.autocalcratios);
}

TEST(SettingsBlock, UnknownHeaderIsReadAsNewest)
{
    std::string Bytes = OldBlock(5, Unusual());
    const std::string Header = "VentrixSettings_v1.05";
    Bytes.replace(Bytes.find(Header), Header.size(), "VentrixSettings_v9.99");
    EXPECT_EQ(ReadBlock(Bytes), Unusual());
}

TEST(SettingsBlock, DamagedBlockRaisesAndLeavesSettingsUnchanged)
{
    const std::string Good = OldBlock(5, TSettings());
    for (std::size_t Cut : {std::size_t(0), std::size_t(10), std::size_t(30), Good.size() - 1}) {
        SCOPED_TRACE(Cut);
        TSettings S = Unusual();
        TValueReader R(Good.substr(0, Cut));
        try {
            S.ReadFromReader(R);
            FAIL() << "a truncated block was accepted";
        } catch (const EStreamError& E) {
            EXPECT_NE(std::string(E.what()).find("design settings"), std::string::npos)
                << E.what();
        }
        EXPECT_EQ(S, Unusual());
    }

    // A string where a float belongs.
    TValueWriter W;
    W.WriteString("VentrixSettings_v1.05");
    W.WriteString("not a number");
    TValueReader R(W.Bytes());
    TSettings S = Unusual();
    EXPECT_THROW(S.ReadFromReader(R), EStreamError);
    EXPECT_EQ(S, Unusual());
}

TEST(SettingsBlock, NonsenseValuesFallBackToFactoryValues)
{
    TSettings Bad = Unusual();
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
    EXPECT_EQ(S.defoutletq[0], Unusual().defoutletq[0]);
    EXPECT_EQ(S.statregainfactor, Unusual().statregainfactor);
}

TEST(SettingsXml, DefaultsAreWrittenLineByLine)
{
    const std::string Xml = XmlOf(TSettings());
    EXPECT_EQ(Xml.substr(0, 12), " <settings>\r");
    EXPECT_NE(Xml.find("\r\n  <designpressrate>1.000</designpressrate>\r\n"), std::string::npos);
    EXPECT_NE(Xml.find("\r\n  <roughness>0.000150</roughness>\r\n"), std::string::npos);
    EXPECT_NE(Xml.find("\r\n  <usedampers>1</usedampers>\r\n"), std::string::npos);
    EXPECT_NE(Xml.find("\r\n  <startspecvel>0</startspecvel>\r\n"), std::string::npos);
    EXPECT_NE(Xml.find("\r\n  <ductrectstep>0.025</ductrectstep>\r\n"), std::string::npos);
    EXPECT_NE(Xml.find("\r\n  <definletqcanopy>1.000</definletqcanopy>\r\n"), std::string::npos);
    EXPECT_EQ(Xml.substr(Xml.size() - 14), " </settings>\r\n");

    // 29 values plus the two tags, each on a line of its own, in block order
    // with the q and C of each terminal kind together.
    std::size_t Lines = 0;
    for (std::size_t P = Xml.find("\r\n"); P != std::string::npos; P = Xml.find("\r\n", P + 2))
        ++Lines;
    EXPECT_EQ(Lines, 31u);
    const char* Order[] = {"<designpressrate>", "<statregainminveloutlet>", "<usedampers>",
                           "<roughness>", "<defoutletqdiffuser>", "<defoutletcdiffuser>",
                           "<defoutletqgrille>", "<defoutletcplain>", "<definletqgrille>",
                           "<definletcplain>", "<autocalcratios>"};
    std::size_t Last = 0;
    for (const char* Tag : Order) {
        const std::size_t At = Xml.find(Tag);
        ASSERT_NE(At, std::string::npos) << Tag;
        EXPECT_GT(At, Last) << Tag;
        Last = At;
    }
}

TEST(SettingsXml, RoundTripThroughTheParser)
{
    TSettings S;
    ReadXmlText(S, XmlOf(Unusual()));
    EXPECT_EQ(S, Unusual());

    TSettings Back = Unusual();
    ReadXmlText(Back, XmlOf(TSettings()));
    EXPECT_EQ(Back, TSettings());
}

TEST(SettingsXml, MissingElementOrFieldKeepsCurrentValues)
{
    TSettings S = Unusual();
    ReadXmlText(S, "<other/>");
    EXPECT_EQ(S, Unusual());

    ReadXmlText(S, "<settings><uservelmain>7.5</uservelmain><resetvels>2</resetvels>"
                   "<autocalcratios>0</autocalcratios></settings>");
    TSettings Expected = Unusual();
    Expected.uservelmain = 7.5;
    Expected.resetvels = true; // any nonzero number switches on
    Expected.autocalcratios = false;
    EXPECT_EQ(S, Expected);
}

TEST(SettingsXml, BadNumbersAreRefusedOrReplaced)
{
    TSettings S = Unusual();
    EXPECT_THROW(ReadXmlText(S, "<settings><uservelmain>5</uservelmain>"
                                "<designpressrate>1,5</designpressrate></settings>"),
                 EConvertError);
    EXPECT_EQ(S, Unusual());

    ReadXmlText(S, "<settings><roughness>-0.5</roughness><uservelmain>0</uservelmain>"
                   "<designpressrate>2</designpressrate></settings>");
    EXPECT_EQ(S.roughness, TSettings().roughness);
    EXPECT_EQ(S.uservelmain, TSettings().uservelmain);
    EXPECT_EQ(S.designpressrate, 2.0);
}

TEST(SettingsUserDefaults, SavedDefaultsLoadBack)
{
    TMemorySettingsStore Store;
    Unusual().SaveDefaults(Store);
    // The roughness is kept in millimetres, as the dialog shows it, and each
    // switch as both of its radio buttons.
    EXPECT_DOUBLE_EQ(Store.ReadFloat("Settings", "Roughness", 0.0), 0.9);
    EXPECT_FALSE(Store.ReadBool("Settings", "StatRegain - EqualFric", true));
    EXPECT_TRUE(Store.ReadBool("Settings", "StatRegain - Velocity", false));
    EXPECT_TRUE(Store.ReadBool("Settings", "IdealVelocity", false));
    EXPECT_DOUBLE_EQ(Store.ReadFloat("Settings", "CanopyFlow", 0.0), 0.625);

    TSettings S;
    S.LoadDefaults(Store);
    const TSettings Expected = Unusual();
    EXPECT_DOUBLE_EQ(S.roughness, Expected.roughness);
    S.roughness = Expected.roughness;
    EXPECT_EQ(S, Expected);
}

TEST(SettingsUserDefaults, ValuesNeverSavedKeepTheCurrentOnes)
{
    TMemorySettingsStore Empty;
    TSettings S = Unusual();
    S.LoadDefaults(Empty);
    EXPECT_EQ(S, Unusual());

    TMemorySettingsStore Store;
    Store.WriteString("Settings", "VelMain", "8");
    Store.WriteString("Settings", "StatRegain - Velocity", "0"); // only the other button
    Store.WriteString("Settings", "DuctRectStep", "-1");         // nonsense
    Store.WriteString("Settings", "PressureRate", "abc");        // unreadable
    S.LoadDefaults(Store);
    EXPECT_EQ(S.uservelmain, 8.0);
    EXPECT_TRUE(S.startequalfric);
    EXPECT_EQ(S.ductrectstep, TSettings().ductrectstep);
    EXPECT_EQ(S.designpressrate, Unusual().designpressrate);
}
