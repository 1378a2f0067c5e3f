#include "foundation/ValueStream.h"
#include "graph/GraphReport.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// The default network with every kind of reference set: the fan's reference
// nodes and ducts, a start node, a leakage branch, ErrorBranch, paths on the
// nodes and a fitting linking branches 4 and 5.
struct TReferencedNetwork {
    TSettings Defaults;
    TDuctGraph G{true, &Defaults};
    TFitting* Fitting = nullptr;

    TReferencedNetwork()
    {
        G.ReturnRef = G.FlowNode(3);
        G.SupplyRef = G.FlowNode(4);
        G.StartNode = G.FlowNode(6);
        G.ReturnDuct = G.FlowBranch(2);
        G.SupplyDuct = G.FlowBranch(4);
        G.LeakBranch = static_cast<TFlowBranch*>(G.AddBranch(6, 6, 1));
        G.ErrorBranch = G.FlowBranch(5);
        G.FlowNode(1)->RefPath = {{-1, G.FindBranch(1)}, {-1, G.FindBranch(2)}};
        G.FlowNode(6)->FanPath = {{1, G.FindBranch(4)}, {1, G.FindBranch(5)}};
        auto F = std::make_unique<TFitting>("Tee", "SD5-9");
        F->Links = {{4, G.FlowBranch(4)}, {5, G.FlowBranch(5)}};
        F->Roles = {"c", "b"};
        F->Connected = true;
        Fitting = F.get();
        G.Fittings.push_back(std::move(F));
        for (int Id : {4, 5}) {
            G.FlowBranch(Id)->LinkedFittings.push_back(Fitting);
            G.FlowBranch(Id)->LinkedFittingValues.emplace_back(0.5, 0.5);
        }
    }
};

// Every reference the network holds is null or one of its own live items.
// Compares addresses only, so a dangling reference is caught without being
// followed.
void ExpectNoDanglingReferences(const TDuctGraph& G)
{
    std::set<const void*> Nodes, Branches, Fittings;
    for (const auto& N : G.Nodes())
        Nodes.insert(N.get());
    for (const auto& B : G.Branches())
        Branches.insert(B.get());
    for (const auto& F : G.Fittings)
        Fittings.insert(F.get());
    auto Node = [&](const void* P) { return P == nullptr || Nodes.count(P) == 1; };
    auto Branch = [&](const void* P) { return P == nullptr || Branches.count(P) == 1; };

    for (const TFlowNode* N : {G.ReturnRef, G.SupplyRef, G.StartNode})
        EXPECT_TRUE(Node(N));
    for (const TBranch* B : std::initializer_list<const TBranch*>{G.ReturnDuct, G.SupplyDuct, G.LeakBranch,
                                                                  G.ErrorBranch, G.MainFan})
        EXPECT_TRUE(Branch(B));
    for (const auto& N : G.Nodes()) {
        const auto& F = static_cast<const TFlowNode&>(*N);
        for (const auto* Path : {&F.Links, &F.RefPath, &F.FanPath})
            for (const TLink& L : *Path)
                EXPECT_TRUE(Branches.count(L.Branch) == 1) << "node " << F.Id();
    }
    for (const auto& B : G.Branches()) {
        EXPECT_TRUE(Nodes.count(B->FromNode) == 1 && Nodes.count(B->ToNode) == 1);
        const auto& Flow = static_cast<const TFlowBranch&>(*B);
        for (const TFitting* F : Flow.LinkedFittings)
            EXPECT_TRUE(Fittings.count(F) == 1) << "branch " << B->Id();
        EXPECT_EQ(Flow.LinkedFittingValues.size(), Flow.LinkedFittings.size()) << "branch " << B->Id();
    }
    for (const auto& F : G.Fittings)
        for (const TFittingLink& L : F->Links)
            EXPECT_TRUE(Branch(static_cast<const TBranch*>(L.Branch)));
    for (const auto& M : G.Meshes())
        for (const TLink& L : M->Links)
            EXPECT_TRUE(Branches.count(L.Branch) == 1);
    // What reads the references still runs.
    TGraphReport R;
    G.Report(R, true, true);
    EXPECT_FALSE(R.Runs.empty());
}

} // namespace

TEST(FlowGraphCleanup, DeletingTheMainFanForgetsItAndTheReferences)
{
    TReferencedNetwork N;
    N.G.DeleteBranch(N.G.FindBranch(3));
    EXPECT_EQ(N.G.MainFan, nullptr);
    EXPECT_EQ(N.G.ReturnRef, nullptr);
    EXPECT_EQ(N.G.SupplyRef, nullptr);
    EXPECT_EQ(N.G.StartNode, nullptr);
    EXPECT_EQ(N.G.ReturnDuct, nullptr);
    EXPECT_EQ(N.G.SupplyDuct, nullptr);
    EXPECT_EQ(N.G.LeakBranch, nullptr);
    EXPECT_EQ(N.G.ErrorBranch, N.G.FlowBranch(5)); // not the deleted one
    ExpectNoDanglingReferences(N.G);
}

TEST(FlowGraphCleanup, DeletingAFanNodeTakesTheFanWithIt)
{
    TReferencedNetwork N;
    N.G.DeleteNode(N.G.FindNode(4));
    EXPECT_EQ(N.G.FindNode(4), nullptr);
    EXPECT_EQ(N.G.MainFan, nullptr);
    EXPECT_EQ(N.G.FindBranch(3), nullptr);
    EXPECT_EQ(N.G.FindBranch(4), nullptr);
    EXPECT_EQ(N.G.SupplyRef, nullptr);
    // The fitting keeps the id of its deleted branch, without the object.
    EXPECT_EQ(N.Fitting->Links[0].BranchId, 4);
    EXPECT_EQ(N.Fitting->Links[0].Branch, nullptr);
    EXPECT_EQ(N.Fitting->Links[1].Branch, N.G.FlowBranch(5));
    EXPECT_FALSE(N.Fitting->Connected);
    EXPECT_FALSE(N.G.LinksValid);
    ExpectNoDanglingReferences(N.G);
}

TEST(FlowGraphCleanup, DeletingANodeForgetsAllItsBranchesAtOnce)
{
    // Node 5 joins branches 4 and 5 (and a loop on itself): the fan path of
    // node 6 runs through both, the fitting links both, ErrorBranch is one.
    TReferencedNetwork N;
    N.G.AddBranch(7, 5, 5);
    N.G.DeleteNode(N.G.FindNode(5));
    for (int Id : {4, 5, 7})
        EXPECT_EQ(N.G.FindBranch(Id), nullptr) << "branch " << Id;
    std::vector<int> Left;
    for (const auto& B : N.G.Branches())
        Left.push_back(B->Id());
    EXPECT_EQ(Left, (std::vector<int>{1, 2, 3, 6})); // the others keep their order
    EXPECT_TRUE(N.G.FlowNode(6)->FanPath.empty());
    EXPECT_EQ(N.G.FlowNode(1)->RefPath.size(), 2u);
    EXPECT_EQ(N.G.ErrorBranch, nullptr);
    EXPECT_EQ(N.Fitting->Links[0].Branch, nullptr);
    EXPECT_EQ(N.Fitting->Links[1].Branch, nullptr);
    EXPECT_FALSE(N.G.LinksValid);
    EXPECT_EQ(N.G.MainFan, N.G.FindBranch(3));
    EXPECT_EQ(N.G.FlowNode(4)->Links.size(), 1u); // only the fan is left there
    EXPECT_EQ(N.G.FlowNode(6)->Links.size(), 1u); // and the leakage branch here
    ExpectNoDanglingReferences(N.G);
}

TEST(FlowGraphCleanup, DeletingABranchClearsOnlyThePathsThroughIt)
{
    TReferencedNetwork N;
    N.G.DeleteBranch(N.G.FindBranch(5));
    EXPECT_TRUE(N.G.FlowNode(6)->FanPath.empty());
    EXPECT_EQ(N.G.FlowNode(1)->RefPath.size(), 2u);
    EXPECT_EQ(N.G.ErrorBranch, nullptr);
    EXPECT_EQ(N.G.MainFan, N.G.FindBranch(3));
    ExpectNoDanglingReferences(N.G);

    N.G.DeleteBranch(N.G.FindBranch(2));
    EXPECT_TRUE(N.G.FlowNode(1)->RefPath.empty());
    ExpectNoDanglingReferences(N.G);
}

TEST(FlowGraphCleanup, DeletingAFittingRemovesItFromTheBranches)
{
    TReferencedNetwork N;
    N.G.DeleteFitting(N.Fitting);
    EXPECT_TRUE(N.G.Fittings.empty());
    EXPECT_TRUE(N.G.FlowBranch(4)->LinkedFittings.empty());
    EXPECT_TRUE(N.G.FlowBranch(5)->LinkedFittingValues.empty());
    ExpectNoDanglingReferences(N.G);
}

TEST(FlowGraphCleanup, MergingAcrossTheFanDeletesIt)
{
    TReferencedNetwork N;
    N.G.MergeNodes(N.G.FindNode(3), N.G.FindNode(4));
    EXPECT_EQ(N.G.MainFan, nullptr);
    EXPECT_EQ(N.G.FindNode(4), nullptr);
    EXPECT_EQ(N.G.FindBranch(4)->FromNode, N.G.FindNode(3));
    ExpectNoDanglingReferences(N.G);
}

TEST(FlowGraphCleanup, DeletingALoneNodeOrReadingANetworkForgetsTheReferences)
{
    // A check first deletes the sink, which a document may hold without branches.
    TReferencedNetwork N;
    N.G.StartNode = static_cast<TFlowNode*>(N.G.GetOrAddNode(-1));
    N.G.DeleteNode(N.G.StartNode);
    EXPECT_EQ(N.G.StartNode, nullptr);
    ExpectNoDanglingReferences(N.G);

    // Reading replaces every item the references point at.
    TReferencedNetwork M;
    TValueWriter W;
    TDuctGraph(true).WriteData(W);
    TValueReader R(W.Bytes());
    M.G.ReadData(R);
    EXPECT_TRUE(!M.G.ReturnRef && !M.G.SupplyRef && !M.G.StartNode && !M.G.ReturnDuct && !M.G.SupplyDuct &&
                !M.G.LeakBranch);
    ExpectNoDanglingReferences(M.G);
}

TEST(FlowGraphCleanup, MergingANodeWithItselfChangesNothing)
{
    TReferencedNetwork N;
    N.G.DuctBranch(5)->OutletTerminal->C = 9.0; // the user's, not the default
    N.G.MergeNodes(N.G.FindNode(6), N.G.FindNode(6));
    EXPECT_EQ(N.G.DuctBranch(5)->OutletTerminal->C, 9.0);
    EXPECT_EQ(N.G.NodeCount(), 6);
    EXPECT_EQ(N.G.BranchCount(), 6);
    EXPECT_EQ(N.G.MainFan, N.G.FindBranch(3));
    EXPECT_EQ(N.G.ReturnRef, N.G.FlowNode(3));
    ExpectNoDanglingReferences(N.G);
}

TEST(FlowGraphCleanup, CopiedFittingsPointAtNothingOfTheSource)
{
    TReferencedNetwork N;
    ASSERT_TRUE(N.G.SetBarometer(95.0));
    TReferencedNetwork Target; // its own fitting goes
    TDuctGraph& Copy = Target.G;
    Copy.AssignSettings(N.G);
    ASSERT_EQ(Copy.Fittings.size(), 1u);
    EXPECT_EQ(Copy.Fittings[0]->Links[1].BranchId, 5);
    EXPECT_EQ(Copy.Fittings[0]->Links[1].Branch, nullptr);
    EXPECT_FALSE(Copy.LinksValid);
    EXPECT_EQ(Copy.Barometer, 95000.0);
    EXPECT_EQ(Copy.AirDensity, N.G.AirDensity);
    ExpectNoDanglingReferences(Copy);
}

TEST(FlowGraphReverse, ReversedTerminalBranchesTurnTheirNodeRound)
{
    TDuctGraph G(true);
    // Branch 5 ends at the outlet: reversed, the outlet is its from-node and
    // becomes an inlet with an inlet terminal.
    G.ReverseBranch(G.FindBranch(5));
    const TDuctBranch& Last = *G.DuctBranch(5);
    EXPECT_EQ(Last.FromNode->Id(), 6);
    EXPECT_EQ(G.FlowNode(6)->NodeType, ntInlet);
    ASSERT_NE(Last.InletTerminal, nullptr);
    EXPECT_EQ(Last.InletTerminal->C, DesignSettings().definletc[0]);
    // Branch 1 starts at the inlet: reversed, the inlet becomes an outlet.
    G.ReverseBranch(G.FindBranch(1));
    EXPECT_EQ(G.FlowNode(1)->NodeType, ntOutlet);
    ASSERT_NE(G.DuctBranch(1)->OutletTerminal, nullptr);
    // A plain duct keeps its nodes' types; the flow terms follow the nodes.
    G.FlowNode(3)->Elevation = 2.0;
    G.ReverseBranch(G.FindBranch(2));
    EXPECT_EQ(G.FlowNode(2)->NodeType, ntCommon);
    EXPECT_EQ(G.DuctBranch(2)->DeltaZ, -2.0);
    EXPECT_NEAR(G.DuctBranch(2)->StackDrop, -2.0 * 9.80665 * G.AirDensity, 1e-9);
}
