#include "DocumentTestSupport.h"

#include "document/DocumentFile.h"
#include "document/NetworkXmlImport.h"

#include <gtest/gtest.h>

using namespace doctest;

// A node's air is the network's, given to every node and again at every
// change of the air state: a document or an import holding no air there
// gives way to it; a sound value of its own is kept.
TEST(AirValuesRead, NodeAirThatIsNoneTakesTheNetworks)
{
    const struct {
        const char* Scenario;
        double Density, DryBulb; // node 3's
        bool Kept;
    } Cases[] = {
        {"density 0", 0.0, 20.0, false},
        {"density 1E308", 1e308, 20.0, false},
        {"dry bulb 1E308 °C", 1.1, 1e308, false},
        {"dry bulb -300 °C", 1.1, -300.0, false},
        {"air of its own", 1.1, 30.0, true},
    };
    const TSettings Settings;
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Scenario);
        TDuctGraph Network(true, &Settings);
        Network.FlowNode(3)->Density = C.Density;
        Network.FlowNode(3)->DryBulb = C.DryBulb;
        const TDocumentRead Opened = ReadNetworkBytes(NetworkFileBytes(Network, {}, Settings), "air.vtx", {});
        const TDocumentRead Imported = ImportNetworkXmlText(ExportText(Network, {}, Settings), "air.xml", {});
        for (const TDocumentRead* Read : {&Opened, &Imported}) {
            ASSERT_TRUE(Read->Ok) << Read->Reason;
            const TDuctGraph& Back = *Read->Contents.Network;
            const TFlowNode& Node = *Back.FlowNode(3);
            EXPECT_NEAR(Node.Density, C.Kept ? C.Density : Back.AirDensity, 1e-3);
            EXPECT_NEAR(Node.DryBulb, C.Kept ? C.DryBulb : Back.DryBulb, 1e-3);
            EXPECT_NEAR(Back.DuctBranch(2)->ToDensity, Node.Density, 1e-12);
        }
    }
}
