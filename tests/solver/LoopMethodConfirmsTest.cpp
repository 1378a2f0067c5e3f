#include "bench/GridNetworkGenerator.h"

#include <gtest/gtest.h>

// After the warm start the loop method only confirms its flows. On a grid
// whose 50 mm diffuser ducts balance on the laminar/turbulent jump, each
// mesh it corrects shows its balance (or the jump it rests on) within a
// few steps, and no mesh is corrected over and over.
TEST(LoopMethodConfirms, GridWithSmallDiffuserDucts)
{
    TSettings Settings;
    TGridNetworkGenerator::Configure(Settings);
    TDuctGraph G(false, &Settings);
    TGridOptions Options;
    Options.OutletDiameter = 0.05;
    TGridNetworkGenerator::Grid(G, 10, Options);
    ASSERT_TRUE(G.DistributeFlows());
    G.InitFlowsFromDesign();
    G.Method = smFlowBalance;
    G.Solve();
    ASSERT_TRUE(G.Status == ssSolved || G.Status == ssWithinTolerance) << G.Status;
    EXPECT_LE(G.MeshCorrections, G.MeshCount());
    EXPECT_LE(G.MeshSteps, 4 * G.MeshCorrections);
}
