#include "GraphTestSupport.h"
#include "tests/HandEncoding.h"

#include "foundation/ValueStream.h"
#include "graph/DrawingRange.h"
#include "graph/GraphError.h"

#include <gtest/gtest.h>

#include <array>

using namespace graphtest;

namespace {

// The body as the tag rules give it, every field a value of its own (two
// fields swapped in both the writer and the reader would still round-trip,
// but not match these bytes), with a UTF-8 name and a negative branch id.
std::string HandBody()
{
    THandEncoding Hand;
    Hand.Int(1200).Int(700).Float(0.0625).Bool(true).Str("/plans/l2.gif").Float(1.5);
    Hand.Begin().Int(5).Str("Fan room 2°C").Int(40).Int(60);
    Hand.Int(300).Str("Hall").Int(2000).Int(90).End();
    Hand.Begin().Int(70000).Int(5).Int(300).Str("Riser").Int(15).Int(3);
    Hand.Int(-1).Int(300).Int(5).Str("Return").Int(-1).Int(-1).End();
    return Hand.Bytes;
}

// A hand-made body with the given nodes and branches (id, from, to); the
// oldest documents have no scale and no scale switch.
std::string Body(const std::vector<int>& NodeIds, const std::vector<std::array<int, 3>>& Branches,
                 int Width = 800, bool Oldest = false)
{
    THandEncoding H;
    H.Int(Width).Int(600);
    if (!Oldest)
        H.Float(0.03).Bool(false);
    H.Str("").Float(1.0).Begin();
    for (int Id : NodeIds)
        H.Int(Id).Str(std::string("N").append(std::to_string(Id))).Int(5).Int(6);
    H.End().Begin();
    for (const auto& B : Branches)
        H.Int(B[0]).Int(B[1]).Int(B[2]).Str(std::string("Branch ").append(std::to_string(B[0]))).Int(-1).Int(-1);
    H.End();
    return H.Bytes;
}

std::string ReadError(const std::string& Bytes)
{
    TGraph G;
    TValueReader R(Bytes);
    try {
        G.ReadData(R);
    } catch (const EGraphError& E) {
        return E.what();
    }
    return "";
}

} // namespace

TEST(GraphStream, WriterAndReaderMatchTheHandWrittenBody)
{
    TGraph G;
    G.Width = 1200;
    G.Height = 700;
    G.Scale = 0.0625;
    G.DrawToScale = true;
    G.BackFileName = "/plans/l2.gif";
    G.BackZoomRatio = 1.5;
    TBranch& B = *G.AddBranch(70000, 5, 300);
    G.AddBranch(-1, 300, 5)->Name = "Return";
    G.FindNode(5)->Name = "Fan room 2°C";
    G.FindNode(5)->X = 40;
    G.FindNode(5)->Y = 60;
    G.FindNode(300)->Name = "Hall";
    G.FindNode(300)->X = 2000;
    G.FindNode(300)->Y = 90;
    B.Name = "Riser";
    B.LabelX = 15;
    B.LabelY = 3;
    TValueWriter W;
    G.WriteData(W);
    EXPECT_EQ(W.Bytes(), HandBody());

    // Reading replaces what was there; writing what was read gives the same
    // bytes, so no field was lost or misplaced.
    TGraph Back;
    Back.AddBranch(99, 98, 97);
    TValueReader R(HandBody());
    Back.ReadData(R);
    EXPECT_TRUE(R.AtEnd());
    TValueWriter Again;
    Back.WriteData(Again);
    EXPECT_EQ(Again.Bytes(), HandBody());
    EXPECT_EQ(Back.FindBranch(70000)->ToNode, Back.FindNode(300));
    EXPECT_EQ(LinksOf(Back.FindNode(300)), (std::vector<std::pair<int, int>>{{1, 70000}, {-1, -1}}));
}

TEST(GraphStream, OldestBodyHasNoScaleAndMakesMissingNodes)
{
    const std::string Oldest = Body({1}, {{1, 1, 2}}, 800, true); // node 2 is not in the node list
    TGraph G;
    TValueReader R(Oldest);
    G.ReadData(R, gdv100);
    EXPECT_TRUE(R.AtEnd());
    EXPECT_EQ(G.Height, 600);
    EXPECT_EQ(G.Scale, 0.03); // the defaults stay
    EXPECT_FALSE(G.DrawToScale);
    ASSERT_EQ(G.NodeCount(), 2);
    EXPECT_EQ(G.FindNode(2)->Name, "Node 2");
    EXPECT_EQ(G.FindBranch(1)->ToNode, G.FindNode(2));
    EXPECT_EQ(G.FindNode(2)->Links.size(), 1u);

    // Read as the newest version the same bytes are no valid body.
    TGraph Other;
    TValueReader Again(Oldest);
    EXPECT_THROW(Other.ReadData(Again), EStreamError);
}

TEST(GraphStream, InvalidGraphsAreRefusedWithTheirId)
{
    EXPECT_EQ(ReadError(Body({1, 2, 1}, {})), "Duplicate node in file: node 1");
    EXPECT_EQ(ReadError(Body({1, 2}, {{4, 1, 2}, {4, 2, 1}})), "Duplicate branch in file: branch 4");
    EXPECT_EQ(ReadError(Body({1, 2}, {{5, 2, 2}})), "Branch joins a node to itself in file: branch 5");
    EXPECT_EQ(ReadError(Body({}, {}, -5)), "Invalid drawing size in file");
    EXPECT_EQ(ReadError(Body({1, 2}, {{5, 1, 2}})), "");
}

// Positions from a file lie on the largest drawing: far ones at its edge,
// negative node ones "not placed", labels automatic only by their mark.
TEST(GraphStream, PositionsAreBroughtInsideTheLargestDrawing)
{
    const int Last = MaxDrawingSide - 1;
    const struct {
        int Read, Node, Label;
    } Cases[] = {
        {2147483647, Last, Last}, {MaxDrawingSide, Last, Last}, {Last, Last, Last}, {0, 0, 0},
        {-1, -1, -1},             {-60, -1, 0},                 {-2147483647 - 1, -1, 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Read);
        THandEncoding H;
        H.Int(800).Int(600).Float(0.03).Bool(false).Str("").Float(1.0);
        H.Begin().Int(1).Str("A").Int(C.Read).Int(C.Read).Int(2).Str("B").Int(5).Int(6).End();
        H.Begin().Int(3).Int(1).Int(2).Str("Duct").Int(C.Read).Int(C.Read).End();
        TGraph G;
        TValueReader R(H.Bytes);
        G.ReadData(R);
        EXPECT_EQ(std::make_pair(G.FindNode(1)->X, G.FindNode(1)->Y), std::make_pair(C.Node, C.Node));
        EXPECT_EQ(std::make_pair(G.FindBranch(3)->LabelX, G.FindBranch(3)->LabelY), std::make_pair(C.Label, C.Label));
    }
}

TEST(GraphStream, NamesAreShortStrings)
{
    TGraph G;
    G.AddBranch(1, 1, 2)->Name = std::string(254, 'a') + "°"; // 256 bytes, cut before the "°"
    G.FindNode(2)->Name = G.FindBranch(1)->Name;
    TValueWriter W;
    G.WriteData(W);
    TGraph Copy;
    TValueReader R(W.Bytes());
    Copy.ReadData(R);
    EXPECT_EQ(Copy.FindBranch(1)->Name, std::string(254, 'a'));
    EXPECT_EQ(Copy.FindNode(2)->Name, std::string(254, 'a'));
}

TEST(GraphStream, DamagedBodiesRaiseClearErrors)
{
    const std::string Good = HandBody();
    for (std::size_t Length = 0; Length < Good.size(); ++Length) {
        TGraph G;
        TValueReader R(Good.substr(0, Length));
        EXPECT_THROW(G.ReadData(R), EStreamError) << "length " << Length;
    }
    // Random damage: a clear error or a graph whose links are consistent.
    std::mt19937 Rng(7);
    int Refused = 0;
    for (int Trial = 0; Trial < 2000; ++Trial) {
        std::string Bad = Good;
        for (int Hits = 1 + static_cast<int>(Rng() % 3); Hits > 0; --Hits)
            Bad[Rng() % Bad.size()] = static_cast<char>(Rng() % 256);
        TGraph G;
        TValueReader R(Bad);
        try {
            G.ReadData(R);
        } catch (const EStreamError&) {
            ++Refused;
            continue;
        } catch (const EGraphError&) {
            ++Refused;
            continue;
        }
        for (const auto& B : G.Branches()) {
            EXPECT_NE(B->FromNode, B->ToNode);
            EXPECT_TRUE(B->FromNode->HasBranch(B.get()));
            EXPECT_TRUE(B->ToNode->HasBranch(B.get()));
        }
    }
    EXPECT_GT(Refused, 500);
}
