#include "document/DiagnosticHtml.h"

#include "document/DocumentProperties.h"
#include "sizing/SolveCommands.h"
#include "tests/network/FlowNetworkBuilder.h"
#include "tests/support/Regex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

std::string Page(TDuctGraph& G, const TDocumentProperties& P = {}, const std::string& File = "a.vtx")
{
    std::ostringstream Out;
    WriteDiagnosticPage(G, P, File, {800, 613}, Out);
    return Out.str();
}

int Count(const std::string& Text, const std::string& What)
{
    int N = 0;
    for (auto At = Text.find(What); At != std::string::npos; At = Text.find(What, At + 1)) ++N;
    return N;
}

// The rows of the airflow-difference table, as "<id>|<difference>".
std::vector<std::string> AirflowRows(const std::string& Html)
{
    std::vector<std::string> Rows;
    const std::regex Row("<td width=\"60\">(-?\\d+)</td><td>[^<]*</td><td width=\"80\">[^<]*</td>"
                         "<td width=\"80\">[^<]*</td><td width=\"80\">([^<]*)</td>");
    for (std::sregex_iterator It(Html.begin(), Html.end(), Row), End; It != End; ++It)
        Rows.push_back((*It)[1].str() + "|" + (*It)[2].str());
    return Rows;
}

} // namespace

// Unsolved, the page warns; balanced, the generated Sink's node and branches
// (negative ids) are in no table and no adjacency text, and every node's
// computed inflow is 0 l/s, after balancing and after each sizing command.
// Every line ends in CR LF.
TEST(DiagnosticHtml, WarningsTablesAndLineEnds)
{
    TFlowNetwork N;
    TDuctGraph G(true, &N.Defaults);
    std::string Html = Page(G);
    EXPECT_NE(Html.find("<p class=\"warn\">Warning: Not solved</p>\r\n"), std::string::npos);
    EXPECT_NE(Html.find("<img border=\"0\" src=\"drawnet.gif\" alt=\"drawing\" width=\"800\" height=\"613\">"),
              std::string::npos);
    ASSERT_TRUE(RunSolveCommand(G, scBalanceFlows).Ran);
    Html = Page(G);
    EXPECT_EQ(Html.find("Warning:"), std::string::npos);
    EXPECT_EQ(Count(Html, "\n"), Count(Html, "\r\n"));
    EXPECT_EQ(Count(Html, "<table width=\"90%\">"), Count(Html, "</table>"));
    for (const char* Heading : {"<h2>Branches</h2>", "<h2>Nodes</h2>", "<h2>Meshes</h2>", "<h2>Basic Branches</h2>"})
        EXPECT_NE(Html.find(Heading), std::string::npos) << Heading;
    EXPECT_FALSE(std::regex_search(Html, std::regex("<tr[^>]*>\r\n<td[^>]*>-\\d")));
    EXPECT_EQ(Html.find("..-"), std::string::npos);
    const std::regex Inflow("<td>(-?\\d+)</td><td>-?\\d+</td>\r\n</tr>");
    for (const TSolveCommand Command : {scBalanceFlows, scEqualFriction, scVelocity, scStaticRegain}) {
        TDuctGraph Solved(true, &N.Defaults);
        ASSERT_TRUE(RunSolveCommand(Solved, Command).Ran) << Command;
        const std::string Solution = Page(Solved);
        int Nodes = 0;
        for (std::sregex_iterator It(Solution.begin(), Solution.end(), Inflow), End; It != End; ++It, ++Nodes)
            EXPECT_TRUE((*It)[1] == "0" || (*It)[1] == "-0") << Command << ": " << (*It)[0];
        EXPECT_EQ(Nodes, 6) << Command;
    }
}

TEST(DiagnosticHtml, AirflowDifferencesByMagnitudeOfDesignFlow)
{
    TFlowNetwork N;
    N.Node(1);
    N.Node(2);
    struct Case { double Qd, Q; const char* Row; } Cases[] = {
        {0.625, 0.6875, nullptr},     // exactly 10 %: not listed
        {1.0, 1.101, "2|10.100"},     // 10.1 %: listed
        {0.0, 0.5, "3|***"},          // no design flow
        {-1.0, -1.0, nullptr},        // a duct drawn against the air, on design
        {-1.0, -1.2, "5|20.000"},     // 20 % more against the air (sign of Q − Qd over |Qd|)
        {1.0, 1.1, nullptr},          // shown 10.000 % off (0.10000000000000009): not listed
        {1.0, 1.100004, nullptr},     // 10.0004 %, shown 10.000: not listed
        {1.0, 1.100006, "8|10.001"},  // 10.0006 %, shown 10.001: listed
        {1.0, NAN, "9|nan"},          // no figure: listed
    };
    int Id = 0;
    for (const Case& C : Cases) {
        TDuctBranch* B = N.Duct(++Id, 1, 2, 0.1);
        B->DesignFlow = C.Qd;
        B->VolumeFlow = C.Q;
    }
    std::vector<std::string> Expected;
    for (const Case& C : Cases)
        if (C.Row) Expected.push_back(C.Row);
    // (Q − Qd)·100/|Qd| for the reversed duct: (−1.2 + 1)·100/1 = −20.
    Expected[2] = "5|-20.000";
    EXPECT_EQ(AirflowRows(Page(N.G)), Expected);
}

TEST(DiagnosticHtml, UserTextIsEscaped)
{
    TFlowNetwork N;
    N.Node(1)->Name = "N<1>";
    N.Node(2);
    N.Duct(1, 1, 2, 0.1)->Name = "<b>&\"";
    TDocumentProperties P;
    P.ProjectName = "Smith & Sons";
    const std::string Html = Page(N.G, P, "/home/a&b/x<y>.vtx");
    EXPECT_EQ(Html.find("<b>&\""), std::string::npos);
    EXPECT_NE(Html.find("&lt;b&gt;&amp;&quot;"), std::string::npos);
    EXPECT_NE(Html.find("<h1>Smith &amp; Sons</h1>"), std::string::npos);
    EXPECT_NE(Html.find("Filename: /home/a&amp;b/x&lt;y&gt;.vtx</p>"), std::string::npos);
    EXPECT_NE(Html.find("N&lt;1&gt;"), std::string::npos);
}

TEST(DiagnosticHtml, PictureSize)
{
    struct Case { TDiagnosticExtent E; int W, H; } Cases[] = {
        {{60, 60, 360, 290}, 800, 613},   // nodes over 100–320 × 100–250 with the margin
        {{0, 0, 1600, 800}, 800, 400},    // wide enough: ratio only
        {{0, 0, 100, 100000}, 8, 8000},   // tall and thin: height held, ratio kept
        {{0, 0, 0, 0}, 800, 1},           // one point: never a zero size
    };
    for (const Case& C : Cases)
        EXPECT_EQ(std::pair(DiagnosticPictureSize(C.E).Width, DiagnosticPictureSize(C.E).Height), std::pair(C.W, C.H));
    const TDiagnosticExtent Narrow = DiagnosticDrawnExtent({0, 0, 300, 150});
    EXPECT_EQ(std::pair(Narrow.Right, Narrow.Bottom), std::pair(700, 350));
}
