#include "GraphTestSupport.h"

#include "graph/GraphReport.h"

#include <gtest/gtest.h>

using namespace graphtest;

namespace {

bool HasRun(const TGraphReport& R, const std::string& Text, bool Bold, bool Italic)
{
    for (const TReportRun& Run : R.Runs)
        if (Run.Text == Text + "\n" && Run.Bold == Bold && Run.Italic == Italic)
            return true;
    return false;
}

} // namespace

TEST(GraphReport, DetailedReportListsBranchesMeshesAndAdjacency)
{
    TGraph G;
    Build(G, TriangleSpec());
    ASSERT_TRUE(G.BuildMeshes());
    G.SortForTree();
    TGraphReport R;
    G.Report(R, true, true);
    EXPECT_EQ(R.TabStops, (std::vector<int>{130, 20}));
    EXPECT_TRUE(HasRun(R, "\tGraph Report", true, true));
    EXPECT_TRUE(HasRun(R, "\tnodes    \t3", false, false));
    EXPECT_TRUE(HasRun(R, "\tbranches \t3", false, false));
    EXPECT_TRUE(HasRun(R, "\tNode list", true, false));
    EXPECT_TRUE(HasRun(R, "\t   2\t", false, false));
    EXPECT_TRUE(HasRun(R, "\tBranch list", true, false));
    EXPECT_TRUE(HasRun(R, "\t   3\t   3\t   1\tBranch 3", false, false));
    EXPECT_TRUE(HasRun(R, "\t      id\tmesh branches", false, false));
    EXPECT_TRUE(HasRun(R, "\t       1 : \t+3, +2, +1, ", false, false));
    EXPECT_TRUE(HasRun(R, "\t       1 : \t-1, +3, ", false, false));
    const std::string Text = R.PlainText();
    EXPECT_LT(Text.find("Branch list"), Text.find("Mesh list"));
    EXPECT_LT(Text.find("Mesh list"), Text.find("Node adjacency list"));
}

TEST(GraphReport, ShortReportLeavesOutMeshesAndKeepsTheDocumentOrder)
{
    TGraph G;
    G.AddBranch(5, 1, 2);
    G.AddBranch(2, 2, 3);
    TGraphReport R;
    G.Report(R, false, false);
    const std::string Text = R.PlainText();
    EXPECT_EQ(Text.find("Graph Report"), std::string::npos);
    EXPECT_EQ(Text.find("Mesh list"), std::string::npos);
    EXPECT_EQ(Text.find("Node list"), std::string::npos);
    // Rows by id, while the network keeps its own order.
    EXPECT_LT(Text.find("\t   2\t"), Text.find("\t   5\t"));
    EXPECT_EQ(G.Branches()[0]->Id(), 5);
}
