#include "document/DiagnosticHtml.h"

#include "document/DocumentProperties.h"
#include "sizing/SolveCommands.h"
#include "tests/network/FlowNetworkBuilder.h"

#include <gtest/gtest.h>

// Optimised, GCC 12 warns falsely that <regex>'s own pattern compiler reads
// an uninitialised state; the warning is silenced for that header only.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#pragma GCC diagnostic pop
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

TEST(DiagnosticHtml, UnsolvedNetworkWarnsAndEveryLineEndsInCrLf)
{
    TFlowNetwork N;
    TDuctGraph G(true, &N.Defaults);
    const std::string Html = Page(G);
    EXPECT_NE(Html.find("<p class=\"warn\">Warning: Not solved</p>\r\n"), std::string::npos);
    EXPECT_EQ(Count(Html, "\n"), Count(Html, "\r\n"));
    EXPECT_EQ(Count(Html, "<table width=\"90%\">"), Count(Html, "</table>"));
    EXPECT_NE(Html.find("<img border=\"0\" src=\"drawnet.gif\" alt=\"drawing\" width=\"800\" height=\"613\">"),
              std::string::npos);
}

TEST(DiagnosticHtml, BalancedDefaultNetworkHasSixTablesAndNoSinkItems)
{
    TFlowNetwork N;
    TDuctGraph G(true, &N.Defaults);
    ASSERT_TRUE(RunSolveCommand(G, scBalanceFlows).Ran);
    const std::string Html = Page(G);
    EXPECT_EQ(Html.find("Warning:"), std::string::npos);
    for (const char* Heading : {"<h2>Branches</h2>", "<h2>Nodes</h2>", "<h2>Meshes</h2>", "<h2>Basic Branches</h2>"})
        EXPECT_NE(Html.find(Heading), std::string::npos) << Heading;
    // After a balance the generated Sink exists; its node and branches
    // (negative ids) are in no table and in no adjacency text.
    EXPECT_FALSE(std::regex_search(Html, std::regex("<tr[^>]*>\r\n<td[^>]*>-\\d")));
    EXPECT_EQ(Html.find("..-"), std::string::npos);
    // Every node balances: the computed inflow is 0 l/s everywhere.
    const std::regex Inflow("<td>(-?\\d+)</td><td>-?\\d+</td>\r\n</tr>");
    int Nodes = 0;
    for (std::sregex_iterator It(Html.begin(), Html.end(), Inflow), End; It != End; ++It, ++Nodes)
        EXPECT_TRUE((*It)[1] == "0" || (*It)[1] == "-0") << (*It)[0];
    EXPECT_EQ(Nodes, 6);
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
    Expected.back() = "5|-20.000";
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
    for (const Case& C : Cases) {
        const TDiagnosticPicture P = DiagnosticPictureSize(C.E);
        EXPECT_EQ(P.Width, C.W);
        EXPECT_EQ(P.Height, C.H);
    }
    const TDiagnosticExtent Narrow = DiagnosticDrawnExtent({0, 0, 300, 150});
    EXPECT_EQ(Narrow.Right, 700);
    EXPECT_EQ(Narrow.Bottom, 350);
}
