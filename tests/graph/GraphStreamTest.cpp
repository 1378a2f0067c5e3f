#include "GraphTestSupport.h"
#include "tests/HandEncoding.h"

#include "foundation/ValueStream.h"
#include "graph/GraphError.h"

#include <gtest/gtest.h>

#include <array>

using namespace graphtest;

namespace {

// A small graph with every stored field away from its default.
std::string SampleBytes()
{
    TGraph G;
    G.Width = 1200;
    G.Height = 700;
    G.Scale = 0.05;
    G.DrawToScale = true;
    G.BackFileName = "/plans/level 2.gif";
    G.BackZoomRatio = 1.5;
    G.AddBranch(1, 10, 20);
    G.AddBranch(2, 20, 30)->Name = "Riser";
    G.AddBranch(-1, 30, 10);
    G.FindNode(10)->Name = "Fan room 2°C";
    G.FindNode(20)->X = 40;
    G.FindNode(20)->Y = 60;
    G.FindBranch(2)->LabelX = 15;
    G.FindBranch(2)->LabelY = -3;
    TValueWriter W;
    G.WriteData(W);
    return W.Bytes();
}

// A body written field by field: the drawing settings (the oldest documents
// have no scale and no scale switch), the nodes and the branches (id, from,
// to).
std::string Body(const std::vector<int>& NodeIds, const std::vector<std::array<int, 3>>& Branches,
                 int Width = 800, bool Oldest = false)
{
    TValueWriter W;
    W.WriteInteger(Width);
    W.WriteInteger(600);
    if (!Oldest) {
        W.WriteFloat(0.03);
        W.WriteBoolean(false);
    }
    W.WriteString("");
    W.WriteFloat(1.0);
    W.WriteListBegin();
    for (int Id : NodeIds) {
        W.WriteInteger(Id);
        W.WriteString(std::string("N").append(std::to_string(Id)));
        W.WriteInteger(5);
        W.WriteInteger(6);
    }
    W.WriteListEnd();
    W.WriteListBegin();
    for (const auto& B : Branches) {
        W.WriteInteger(B[0]);
        W.WriteInteger(B[1]);
        W.WriteInteger(B[2]);
        W.WriteString("Branch " + std::to_string(B[0]));
        W.WriteInteger(-1);
        W.WriteInteger(-1);
    }
    W.WriteListEnd();
    return W.Bytes();
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

TEST(GraphStream, RoundTripKeepsEveryField)
{
    const std::string Bytes = SampleBytes();
    TGraph Copy;
    Copy.AddBranch(99, 98, 97); // replaced by what is read
    TValueReader R(Bytes);
    Copy.ReadData(R);
    EXPECT_TRUE(R.AtEnd());
    EXPECT_EQ(Copy.FindBranch(99), nullptr);
    EXPECT_EQ(Copy.Width, 1200);
    EXPECT_EQ(Copy.Height, 700);
    EXPECT_EQ(Copy.Scale, 0.05);
    EXPECT_TRUE(Copy.DrawToScale);
    EXPECT_EQ(Copy.BackFileName, "/plans/level 2.gif");
    EXPECT_EQ(Copy.BackZoomRatio, 1.5);
    EXPECT_EQ(Copy.FindNode(10)->Name, "Fan room 2°C");
    EXPECT_EQ(Copy.FindNode(20)->X, 40);
    EXPECT_EQ(Copy.FindNode(20)->Y, 60);
    const TBranch& Riser = *Copy.FindBranch(2);
    EXPECT_EQ(Riser.Name, "Riser");
    EXPECT_EQ(Riser.LabelX, 15);
    EXPECT_EQ(Riser.LabelY, -3);
    EXPECT_EQ(Riser.FromNode, Copy.FindNode(20));
    EXPECT_EQ(Riser.ToNode, Copy.FindNode(30));
    EXPECT_EQ(LinksOf(Copy.FindNode(20)), (std::vector<std::pair<int, int>>{{1, 1}, {-1, 2}}));
    // Nothing else lost or misplaced: writing what was read gives the same bytes.
    TValueWriter Again;
    Copy.WriteData(Again);
    EXPECT_EQ(Again.Bytes(), Bytes);
}

TEST(GraphStream, OldestBodyHasNoScaleAndMakesMissingNodes)
{
    const std::string Oldest = Body({1}, {{1, 1, 2}}, 800, true); // node 2 is not in the node list
    TGraph G;
    TValueReader R(Oldest);
    G.ReadData(R, gdv100);
    EXPECT_TRUE(R.AtEnd());
    EXPECT_EQ(G.Width, 800);
    EXPECT_EQ(G.Height, 600);
    EXPECT_EQ(G.Scale, 0.03); // the defaults stay
    EXPECT_FALSE(G.DrawToScale);
    ASSERT_EQ(G.NodeCount(), 2);
    EXPECT_EQ(G.FindNode(1)->Name, "N1");
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
    const std::string Good = SampleBytes();
    // Every truncation.
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

// The body as the tag rules give it, every field a value of its own: two
// fields swapped in both the writer and the reader would still round-trip,
// but not match these bytes.
TEST(GraphStream, BodyBytesAndHandWrittenBodyFieldByField)
{
    TGraph G;
    G.Width = 1200;
    G.Height = 700;
    G.Scale = 0.0625;
    G.DrawToScale = true;
    G.BackFileName = "/plans/l2.gif";
    G.BackZoomRatio = 1.5;
    G.AddBranch(70000, 5, 300);
    G.FindNode(5)->Name = "Fan room";
    G.FindNode(5)->X = 40;
    G.FindNode(5)->Y = -60;
    G.FindNode(300)->Name = "Hall";
    G.FindNode(300)->X = 2000;
    G.FindNode(300)->Y = 90;
    TBranch& B = *G.FindBranch(70000);
    B.Name = "Riser";
    B.LabelX = 15;
    B.LabelY = -3;

    THandEncoding Hand;
    Hand.Int(1200).Int(700).Float(0.0625).Bool(true).Str("/plans/l2.gif").Float(1.5);
    Hand.Begin().Int(5).Str("Fan room").Int(40).Int(-60);
    Hand.Int(300).Str("Hall").Int(2000).Int(90).End();
    Hand.Begin().Int(70000).Int(5).Int(300).Str("Riser").Int(15).Int(-3).End();
    TValueWriter W;
    G.WriteData(W);
    EXPECT_EQ(W.Bytes(), Hand.Bytes);

    TGraph Back;
    TValueReader R(Hand.Bytes);
    Back.ReadData(R);
    EXPECT_TRUE(R.AtEnd());
    EXPECT_EQ(Back.Width, 1200);
    EXPECT_EQ(Back.Height, 700);
    EXPECT_EQ(Back.Scale, 0.0625);
    EXPECT_TRUE(Back.DrawToScale);
    EXPECT_EQ(Back.BackFileName, "/plans/l2.gif");
    EXPECT_EQ(Back.BackZoomRatio, 1.5);
    ASSERT_EQ(Back.NodeCount(), 2);
    EXPECT_EQ(Back.FindNode(5)->Name, "Fan room");
    EXPECT_EQ(Back.FindNode(5)->X, 40);
    EXPECT_EQ(Back.FindNode(5)->Y, -60);
    EXPECT_EQ(Back.FindNode(300)->Name, "Hall");
    EXPECT_EQ(Back.FindNode(300)->X, 2000);
    EXPECT_EQ(Back.FindNode(300)->Y, 90);
    const TBranch* Read = Back.FindBranch(70000);
    ASSERT_NE(Read, nullptr);
    EXPECT_EQ(Read->FromNode, Back.FindNode(5));
    EXPECT_EQ(Read->ToNode, Back.FindNode(300));
    EXPECT_EQ(Read->Name, "Riser");
    EXPECT_EQ(Read->LabelX, 15);
    EXPECT_EQ(Read->LabelY, -3);
}
