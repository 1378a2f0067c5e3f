#include "DocumentTestSupport.h"

#include "document/NetworkXmlImport.h"
#include "foundation/NumberFormat.h"
#include "graph/DrawingRange.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

using namespace doctest;

namespace {

// Text with the first occurrence of From replaced by To (which must exist).
std::string Replaced(std::string Text, const std::string& From, const std::string& To)
{
    const std::size_t At = Text.find(From);
    EXPECT_NE(At, std::string::npos) << From;
    return At == std::string::npos ? Text : Text.replace(At, From.size(), To);
}

std::string Lines(std::initializer_list<const char*> List)
{
    std::string Text;
    for (const char* Line : List)
        Text += std::string(Line) + "\r\n";
    return Text;
}

} // namespace

TEST(NetworkXml, HeadAndFirstItemsOfTheDefaultNetwork)
{
    const TSettings Settings;
    const TDuctGraph Network(true, &Settings);
    TDocumentProperties Properties;
    Properties.ProjectName = "Plant room";
    Properties.Date = 45632.0;
    const std::string Text = ExportText(Network, Properties, Settings);

    // The two elements' own lines are their tests' concern; here, where they stand.
    std::ostringstream Elements;
    Properties.WriteXml(Elements, " ");
    Settings.WriteXml(Elements, " ");
    const std::string Head =
        Lines({"<?xml version = \"1.0\" encoding=\"iso-8859-1\" ?>", "<network>", "<head>",
               " <title>/work/plan.vtx</title>", " <kind>Duct Network</kind>",
               " <generator>Brellamonte Ventrix</generator>", " <barometer>101.325</barometer>",
               " <dbwb>20.00/12.80</dbwb>", " <version>1.0.0.2</version>"}) +
        Elements.str() + Lines({"</head>", "<body>", " <nodes>"});
    ASSERT_NE(Elements.str().find(" <settings>\r\n <designpressrate>1.000</designpressrate>\r\n"), std::string::npos);
    EXPECT_EQ(Text.substr(0, Head.size()), Head);

    const std::string Density = "  " + FormatFloat("<density>%0.4f</density>", Network.AirDensity) + "\r\n";
    const std::string FirstNode =
        Lines({"  <node id=\"1\">", "  <caption>Node 1</caption>", "  <type ref=\"Inlet\">",
               "   <caption>Grille</caption>", "  </type>", "  <temperature>20.0</temperature>",
               "  <relpressure>0.000</relpressure>"}) +
        Density + Lines({"  <xpos>100</xpos>", "  <ypos>280</ypos>", "  </node>"});
    EXPECT_EQ(Text.substr(Head.size(), FirstNode.size()), FirstNode);

    const std::string Fan = Lines({
        "  <branch id=\"3\">", "  <caption>Main Fan</caption>", "  <branchtype>Gain</branchtype>",
        "  <ducttype>Fan</ducttype>", "  <inlet>3</inlet>", "  <outlet>4</outlet>",
        "  <diameter>0.000</diameter>", "  <height>0.000</height>", "  <width>0.000</width>",
        "  <aspect>1.000</aspect>", "  <keep1>0</keep1>", "  <keep2>3</keep2>", "  <length>0.0</length>",
        "  <designflow>1.000</designflow>", "  <sizefixed>0</sizefixed>", "  <xpos>-1</xpos>",
        "  <ypos>-1</ypos>", "  <booster>0</booster>", "  <pgain>0.000</pgain>",
        "  <fixeddp caption=\"Coil\">150.000</fixeddp>", "  <fixeddp caption=\"Filter\">150.000</fixeddp>",
        "  </branch>"});
    EXPECT_NE(Text.find(Fan), std::string::npos);
    // The terminals: the default grille inlet and diffuser outlet have C 5
    // and a reference drop of 40 Pa.
    EXPECT_NE(Text.find(Lines({"  <pgain>0.000</pgain>", "  <fixedinletc>5.000</fixedinletc>",
                               "  <fixedinletrefdp>40.000</fixedinletrefdp>", "  </branch>",
                               "  <branch id=\"2\">"})),
              std::string::npos);
    EXPECT_NE(Text.find(Lines({"  <pgain>0.000</pgain>", "  <fixedoutletc>5.000</fixedoutletc>",
                               "  <fixedoutletrefdp>40.000</fixedoutletrefdp>", "  </branch>",
                               " </branches>"})),
              std::string::npos);
    const std::string Tail = Lines({" </branches>", " <mainfan>3</mainfan>", " <fittings>", " </fittings>",
                                    "</body>", "</network>"});
    EXPECT_EQ(Text.substr(Text.size() - Tail.size()), Tail);
}

TEST(NetworkXml, TextsAreEscapedAndWrittenAsLatin1AndReadBack)
{
    const TSettings Settings = SampleSettings();
    auto Network = SampleNetwork(Settings);
    Network->FlowNode(4)->Name = "€ 5";
    Network->DuctBranch(2)->DuctHeight = 0.3;
    Network->DuctBranch(2)->DuctWidth = 0.2;
    const std::string Text = ExportText(*Network, SampleProperties(), Settings);
    EXPECT_NE(Text.find("  <height>0.300</height>\r\n  <width>0.200</width>\r\n"), std::string::npos);
    EXPECT_NE(Text.find("  <caption>Zone 2 \xB0" "C &amp; &lt;north&gt;</caption>\r\n"), std::string::npos);
    EXPECT_NE(Text.find("  <caption>RA &quot;main&quot; &amp; more</caption>\r\n"), std::string::npos);
    EXPECT_NE(Text.find("  <fixedc caption=\"Elbow &quot;90&quot; &lt;short&gt;\">0.375</fixedc>\r\n"),
              std::string::npos);
    EXPECT_NE(Text.find("<caption>&#8364; 5</caption>"), std::string::npos);
    EXPECT_NE(Text.find(" <company>Smith &amp; Sons &lt;Ducting&gt;</company>\r\n"), std::string::npos);
    EXPECT_NE(Text.find("  <rinfo>0.375,0.625</rinfo>\r\n  <rinfo>1.000</rinfo>"), std::string::npos);
    EXPECT_NE(Text.find("  <rinfo></rinfo>\r\n"), std::string::npos); // a link without ratios

    // What was read beside the exported values.
    const TDocumentRead Read = ImportNetworkXmlText(Text, "plan.xml", TDocumentProperties{});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    const TDuctGraph& Back = *Read.Contents.Network;
    EXPECT_EQ(&Back.Settings(), Read.Contents.Settings.get());
    EXPECT_EQ(Back.DuctBranch(2)->LinkedFittings.size(), 1u);
    // A link without ratios reads back without; velocity ratios are 0.
    EXPECT_EQ(Back.Fittings[0]->FlowRatios, (std::vector<std::vector<double>>{{}, {0.375, 0.625}, {1.0}}));
    EXPECT_EQ(Back.Fittings[0]->VelocityRatios, (std::vector<std::vector<double>>{{}, {0.0, 0.0}, {0.0}}));

    // Every exported value comes back: exporting the import gives the same
    // text, but for the air state (not taken from the file).
    const std::string Expected = Replaced(Text, "<barometer>95.000</barometer>", "<barometer>101.325</barometer>");
    EXPECT_EQ(ExportText(Back, Read.Contents.Properties, *Read.Contents.Settings), Expected);
}

TEST(NetworkXml, RefusalsGiveErrorLoadingWithTheReason)
{
    const TSettings Settings = SampleSettings();
    const std::string Good = ExportText(*SampleNetwork(Settings), {}, Settings);
    const std::string Version = "<version>1.0.0.2</version>";
    ASSERT_TRUE(ImportNetworkXmlText(Replaced(Good, Version, "<version> 1.0.0.0 </version>"), "x.xml", {}).Ok);

    struct TCase {
        std::string Text;
        std::string Reason; // empty: any reason
    };
    std::string Nested = "Node 3";
    for (int I = 0; I < 100; ++I)
        Nested = "<a>" + Nested + "</a>";
    const std::string Deep = Replaced(Good, "<caption>Node 3</caption>", "<caption>" + Nested + "</caption>");
    const std::string Refused = "Can only read versions later than 1.0.0.1.";
    const TCase Cases[] = {
        {Replaced(Good, Version, "<version>1.0.0.1</version>"), Refused},
        {Replaced(Good, Version, "<version></version>"), Refused},
        {Replaced(Good, Version, ""), Refused},
        {Replaced(Good, " <mainfan>3</mainfan>\r\n", ""), "main fan not found"},
        // A duct named as the fan (every solve then failed without a word).
        {Replaced(Good, "<mainfan>3</mainfan>", "<mainfan>2</mainfan>"),
         "Main fan in file is not a fan: branch RA \"main\" & more (id 2)"},
        {Replaced(Good, "<inlet>2</inlet>", "<inlet>-2</inlet>"), ""},
        {Replaced(Good, "<inlet>2</inlet>", ""), ""},
        {Replaced(Good, "<inlet>2</inlet>", "<inlet>3</inlet>"), ""},          // joins node 3 to itself
        {Replaced(Good, "<branch id=\"2\">", "<branch id=\"1\">"), ""},         // duplicate branch
        {Replaced(Good, "<node id=\"2\">", "<node>"), ""},                      // no id
        {Replaced(Good, "<keep1>1</keep1>", "<keep1>4</keep1>"), ""},
        {Replaced(Good, "<length>10.0</length>", "<length>ten</length>"), "'ten' is not a valid floating point value"},
        {Replaced(Good, "  <branchlink>2</branchlink>\r\n", ""), ""}, // links and branch links differ
        {Good.substr(0, Good.size() / 2), ""},
        {Deep, ""},
    };
    for (const TCase& C : Cases) {
        const TDocumentRead Read = ImportNetworkXmlText(C.Text, "x.xml", {});
        EXPECT_FALSE(Read.Ok) << C.Reason;
        EXPECT_EQ(Read.Contents.Network, nullptr);
        ASSERT_EQ(Read.Messages.size(), 1u);
        EXPECT_EQ(Read.Messages[0].rfind("Error loading x.xml. ", 0), 0u) << Read.Messages[0];
        if (!C.Reason.empty()) {
            EXPECT_EQ(Read.Messages[0], "Error loading x.xml. " + C.Reason);
        }
    }
}

// A node id given twice is one node: the later record updates it, as the
// get-or-create of the graph reads it.
TEST(NetworkXml, ARepeatedNodeIdUpdatesTheSameNode)
{
    const TSettings Settings = SampleSettings();
    const std::string Good = ExportText(*SampleNetwork(Settings), {}, Settings);
    std::string Twice = Replaced(Good, "<node id=\"2\">", "<node id=\"1\">");
    Twice = Replaced(Twice, "<xpos>100</xpos>", "<xpos>7</xpos>"); // node 1's first record
    const TDocumentRead Read = ImportNetworkXmlText(Twice, "x.xml", {});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    const TDuctGraph& Back = *Read.Contents.Network;
    EXPECT_EQ(Back.FlowNode(1)->Name, "Zone 2 °C & <north>");
    EXPECT_NE(Back.FlowNode(1)->X, 7);
    EXPECT_EQ(Back.FlowNode(1)->NodeType, ntCommon);
    // The branches that name node 2 make it anew.
    ASSERT_NE(Back.FlowNode(2), nullptr);
    EXPECT_EQ(Back.NodeCount(), 6);
}

// Positions of an imported file lie on the largest drawing, as those of a
// document do: a far node or label stands at its edge.
TEST(NetworkXml, PositionsAreBroughtInsideTheLargestDrawing)
{
    const TSettings Settings = SampleSettings();
    std::string Far = ExportText(*SampleNetwork(Settings), {}, Settings);
    Far = Replaced(Far, "<xpos>100</xpos>", "<xpos>2147483647</xpos>"); // node 1
    Far = Replaced(Far, "<ypos>280</ypos>", "<ypos>-2147483648</ypos>");
    Far = Replaced(Far, "<xpos>40</xpos>", "<xpos>-2147483648</xpos>"); // branch 2's label
    Far = Replaced(Far, "<ypos>70</ypos>", "<ypos>10000</ypos>");
    const TDocumentRead Read = ImportNetworkXmlText(Far, "x.xml", {});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    const TDuctGraph& Back = *Read.Contents.Network;
    EXPECT_EQ(Back.FlowNode(1)->X, MaxDrawingSide - 1);
    EXPECT_EQ(Back.FlowNode(1)->Y, -1); // not placed: the editor places it
    EXPECT_EQ(Back.DuctBranch(2)->LabelX, 0);
    EXPECT_EQ(Back.DuctBranch(2)->LabelY, MaxDrawingSide - 1);
}

// Values that ran away (a failed solve, a damaged document) are written as
// 0, so that the program's own export always imports.
TEST(NetworkXml, NonNumbersAreWrittenAsZeroAndTheFileImports)
{
    const double Nan = std::numeric_limits<double>::quiet_NaN();
    const double Inf = std::numeric_limits<double>::infinity();
    const TSettings Settings = SampleSettings();
    const auto Network = SampleNetwork(Settings);
    Network->FlowNode(2)->RelPressure = Nan;
    Network->FlowNode(3)->Density = -Inf;
    TDuctBranch& Duct = *Network->DuctBranch(2);
    Duct.Diameter = Inf;
    Duct.DesignFlow = Nan;
    Duct.PressureGain = -Inf;
    Duct.FixedCs.front()->C = Nan;
    Duct.FixedDps.front()->Drop = Inf;
    Network->DuctBranch(5)->OutletTerminal->C = Nan;
    Network->Fittings.front()->Info = {Nan, 90.0};
    Network->Fittings.front()->FlowRatios = {{}, {Inf, 0.625}, {1.0}};
    TSettings Odd = Settings;
    Odd.uservelmain = Nan;

    const std::string Text = ExportText(*Network, SampleProperties(), Odd);
    for (const char* Word : {"nan", ">inf", ">-inf", "inf,", ",inf", "inf<"})
        EXPECT_EQ(Text.find(Word), std::string::npos) << Word;
    const TDocumentRead Read = ImportNetworkXmlText(Text, "plan.xml", {});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    const TDuctGraph& Back = *Read.Contents.Network;
    const TDuctBranch& Back2 = *Back.DuctBranch(2);
    for (double Zero : {Back.FlowNode(2)->RelPressure, Back2.Diameter, Back2.DesignFlow, Back2.FixedCs.front()->C,
                        Back2.FixedDps.front()->Drop, Back.Fittings.front()->Info[0], Back.Fittings.front()->FlowRatios[1][0]})
        EXPECT_EQ(Zero, 0.0);
    EXPECT_GT(Back.FlowNode(3)->Density, 1.0); // 0 is no density: the network's air
}

// A branch the user drew to the generated Sink goes with the Sink at the
// next check; the export leaves it out with the Sink's branches, so that
// the file imports.
TEST(NetworkXml, BranchesAtGeneratedNodesAreLeftOut)
{
    const TSettings Settings;
    TDuctGraph Network(true, &Settings);
    Network.GetOrAddNode(-1);
    Network.FlowNode(-1)->NodeType = ntSink;
    Network.AddBranch(-1, 6, -1);
    Network.AddBranch(40, 5, -1);
    const TDocumentRead Read = ImportNetworkXmlText(ExportText(Network, {}, Settings), "x.xml", {});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    EXPECT_EQ(Read.Contents.Network->FindBranch(40), nullptr);
    EXPECT_EQ(Read.Contents.Network->BranchCount(), 5);
}

// A missing file is named; without a main fan there is nothing to name in
// the file, and no file is left; a read-only file is kept.
TEST(NetworkXml, MissingFileAndExportFailures)
{
    const std::string Name = (std::filesystem::temp_directory_path() / "ventrix_export.xml").string();
    std::filesystem::remove(Name);
    EXPECT_EQ(ImportXmlFile(Name, {}).Messages, std::vector<std::string>{"File not found: " + Name});
    const TSettings Settings;
    TDuctGraph Network(true, &Settings);
    Network.DeleteBranch(Network.MainFan);
    EXPECT_EQ(ExportXmlFile(Name, Network, {}, Settings, Name).Messages,
              std::vector<std::string>{"Error writing to XML. The network has no main fan"});
    EXPECT_FALSE(std::filesystem::exists(Name));
    std::ofstream(Name) << "previous";
    std::filesystem::permissions(Name, std::filesystem::perms::owner_read);
    EXPECT_EQ(ExportXmlFile(Name, TDuctGraph(true, &Settings), {}, Settings, Name).Messages,
              std::vector<std::string>{"Error writing to XML. The file is read-only."});
    std::filesystem::remove(Name);
}
