// Opening a document and importing its XML export show what the solve left:
// the fittings' warnings, the branches' resistances, the meshes and the
// fan's drop, without a new solve and without changing a stored value.

#include "DocumentTestSupport.h"

#include "document/DocumentFile.h"
#include "document/NetworkXmlImport.h"
#include "fittings/DuctFittingDB.h"
#include "network/FlowMesh.h"
#include "sizing/SolveCommands.h"
#include "tests/network/FlowNetworkBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace doctest;

namespace {

class StoredResults : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CreateDuctFittingDB(VENTRIX_COMMON_DATA_DIR); }

    // TreeWithLeakage balanced, with an elbow on outlet duct 5 whose r/D of
    // 8 lies beyond its table: its coefficient carries the warning "Range".
    void SetUp() override
    {
        N.TreeWithLeakage();
        auto Elbow = std::make_unique<TFitting>("Elbow", "CD3-21");
        Elbow->Roles = {"0"};
        Elbow->Links = {{5, nullptr}};
        Elbow->FlowRatios = {{8.0}};
        Elbow->VelocityRatios = {{0.0}};
        N.G.Fittings.push_back(std::move(Elbow));
        N.G.ResolveFittingLinks(false);
        ASSERT_EQ(RunSolveCommand(N.G, scBalanceFlows).Status, ssSolved);
        ASSERT_EQ(N.G.Fittings[0]->GetWarningText(), "Range");
    }

    TFlowNetwork N;
};

void ExpectNear(double Read, double Solved, const std::string& What)
{
    EXPECT_NEAR(Read, Solved, 1e-9 * std::max(1.0, std::fabs(Solved))) << What;
}

} // namespace

TEST_F(StoredResults, OpeningShowsWhatTheSolveLeft)
{
    const TDocumentRead Read =
        ReadNetworkBytes(NetworkFileBytes(N.G, {}, N.Defaults), "plan.vtx", TDocumentDefaults{N.Defaults, {}});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    const TDuctGraph& Back = *Read.Contents.Network;
    EXPECT_EQ(Back.Status, ssSolved);
    EXPECT_EQ(Back.Method, smFlowBalance);

    ASSERT_EQ(Back.Fittings.size(), 1u);
    const TFitting& Elbow = *Back.Fittings[0];
    EXPECT_EQ(Elbow.GetWarningText(), "Range");
    EXPECT_EQ(Elbow.Remarks, N.G.Fittings[0]->Remarks);
    EXPECT_EQ(Elbow.CValues, N.G.Fittings[0]->CValues);

    ASSERT_EQ(Back.BranchCount(), N.G.BranchCount());
    for (std::size_t I = 0; I < Back.Branches().size(); ++I) {
        const auto& B = static_cast<const TFlowBranch&>(*Back.Branches()[I]);
        const auto& Solved = static_cast<const TFlowBranch&>(*N.G.Branches()[I]);
        const std::string Name = "branch " + std::to_string(B.Id());
        ASSERT_EQ(B.Id(), Solved.Id()) << "the stored order";
        EXPECT_EQ(B.MassFlow, Solved.MassFlow) << Name;
        EXPECT_EQ(B.VolumeFlow, Solved.VolumeFlow) << Name;
        EXPECT_EQ(B.TotalDrop, Solved.TotalDrop) << Name;
        EXPECT_EQ(B.Diameter, Solved.Diameter) << Name;
        ExpectNear(B.Resistance, Solved.Resistance, Name + " resistance");
        ExpectNear(B.FlowResistance, Solved.FlowResistance, Name + " weight");
    }

    ASSERT_EQ(Back.Meshes().size(), N.G.Meshes().size());
    ASSERT_FALSE(Back.Meshes().empty());
    for (std::size_t I = 0; I < Back.Meshes().size(); ++I) {
        const auto& M = static_cast<const TFlowMesh&>(*Back.Meshes()[I]);
        const auto& Solved = static_cast<const TFlowMesh&>(*N.G.Meshes()[I]);
        const std::string Name = "mesh " + std::to_string(I);
        ASSERT_EQ(M.Links.size(), Solved.Links.size()) << Name;
        for (std::size_t L = 0; L < M.Links.size(); ++L)
            EXPECT_EQ(M.Links[L].Branch->Id(), Solved.Links[L].Branch->Id()) << Name << " link " << L;
        ExpectNear(M.MeshResidual, Solved.MeshResidual, Name + " residual");
        // K, the diagnostic page's figure, as the solve showed it.
        ExpectNear(M.Gain, Solved.Gain, Name + " K");
    }
}

// K tells how the mesh's circulating flow answers its residual: it is close
// to the slope a small circulation shows (a friction factor falling with the
// flow makes the true slope a little steeper than the quadratic law's).
TEST_F(StoredResults, MeshKIsTheLoopsSlopeAtTheSolvedFlows)
{
    ASSERT_FALSE(N.G.Meshes().empty());
    constexpr double Circulation = 1e-5; // kg/s
    for (const auto& Item : N.G.Meshes()) {
        auto& M = static_cast<TFlowMesh&>(*Item);
        M.CalcResidual(true);
        const double Before = M.MeshResidual;
        M.FlowCorrection = Circulation;
        M.ApplyCorrection();
        M.CalcResidual(true);
        const double Slope = Circulation / (M.MeshResidual - Before);
        M.FlowCorrection = -Circulation;
        M.ApplyCorrection();
        EXPECT_NEAR(M.Gain, Slope, 0.25 * Slope) << "mesh " << M.Id;
    }
}

// A solve that finds nothing changed since the last one, and the document
// read back after either, show the same K.
TEST(StoredResultsK, ASolveThatChangesNothingShowsTheKOfTheDocumentReadBack)
{
    TSettings Defaults;
    TDuctGraph G{true, &Defaults};
    for (int Run = 0; Run < 2; ++Run) {
        ASSERT_EQ(RunSolveCommand(G, scBalanceFlows).Status, ssSolved) << "run " << Run;
        const TDocumentRead Read =
            ReadNetworkBytes(NetworkFileBytes(G, {}, Defaults), "plan.vtx", TDocumentDefaults{Defaults, {}});
        ASSERT_TRUE(Read.Ok) << Read.Reason;
        const auto& Back = Read.Contents.Network->Meshes();
        ASSERT_EQ(Back.size(), G.Meshes().size()) << "run " << Run;
        ASSERT_FALSE(Back.empty());
        for (std::size_t I = 0; I < Back.size(); ++I)
            ExpectNear(static_cast<const TFlowMesh&>(*G.Meshes()[I]).Gain,
                       static_cast<const TFlowMesh&>(*Back[I]).Gain, "run " + std::to_string(Run) + " mesh " +
                                                                         std::to_string(I));
    }
}

// The export holds the fan's gain and its fixed items but no drop: the drop
// follows from both (it once followed from the gain alone).
TEST_F(StoredResults, ImportingShowsTheFansDropAndTheFittingsWarnings)
{
    const TDocumentRead Read = ImportNetworkXmlText(ExportText(N.G, {}, N.Defaults), "plan.xml", {});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    const TDuctGraph& Back = *Read.Contents.Network;
    ASSERT_NE(Back.MainFan, nullptr);
    ASSERT_NE(N.G.MainFan->FixedDpSum, 0.0);
    EXPECT_NEAR(Back.MainFan->TotalDrop, N.G.MainFan->TotalDrop, 0.001);
    EXPECT_NEAR(Back.MainFan->PressureGain, N.G.MainFan->PressureGain, 0.001) << "the gain as exported";
    ASSERT_EQ(Back.Fittings.size(), 1u);
    EXPECT_EQ(Back.Fittings[0]->GetWarningText(), "Range");
    ASSERT_EQ(Back.Fittings[0]->CValues.size(), 1u);
    EXPECT_NEAR(Back.Fittings[0]->CValues[0], N.G.Fittings[0]->CValues[0], 1e-12);
    EXPECT_NEAR(Back.FlowBranch(5)->FittingsCSum, N.G.FlowBranch(5)->FittingsCSum, 1e-12);
}
