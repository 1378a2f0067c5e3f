#include "GraphTestSupport.h"

#include "foundation/ValueStream.h"
#include "network/GraphError.h"

#include <gtest/gtest.h>

#include <array>

using namespace graphtest;

namespace {

// A small graph with every stored field away from its default.
void FillSample(TGraph& G)
{
    G.Width = 1200;
    G.Height = 700;
    G.Scale = 0.05;
    G.DrawToScale = true;
    G.BackFileName = "/plans/level 2.gif";
    G.BackZoomRatio = 1.5;
    G.AddBranch(1, 10, 20);
    G.AddBranch(2, 20, 30);
    G.AddBranch(-1, 30, 10);
    G.FindNode(10)->Name = "Fan room 2°C";
    G.FindNode(20)->X = 40;
    G.FindNode(20)->Y = 60;
    G.FindBranch(2)->Name = "Riser";
    G.FindBranch(2)->LabelX = 15;
    G.FindBranch(2)->LabelY = -3;
}

void ExpectSameGraph(const TGraph& A, const TGraph& B)
{
    EXPECT_EQ(A.Width, B.Width);
    EXPECT_EQ(A.Height, B.Height);
    EXPECT_EQ(A.Scale, B.Scale);
    EXPECT_EQ(A.DrawToScale, B.DrawToScale);
    EXPECT_EQ(A.BackFileName, B.BackFileName);
    EXPECT_EQ(A.BackZoomRatio, B.BackZoomRatio);
    ASSERT_EQ(A.NodeCount(), B.NodeCount());
    ASSERT_EQ(A.BranchCount(), B.BranchCount());
    for (std::size_t I = 0; I < A.Nodes().size(); ++I) {
        const TNode& NA = *A.Nodes()[I];
        const TNode& NB = *B.Nodes()[I];
        EXPECT_EQ(NA.Id(), NB.Id());
        EXPECT_EQ(NA.Name, NB.Name);
        EXPECT_EQ(NA.X, NB.X);
        EXPECT_EQ(NA.Y, NB.Y);
        ASSERT_EQ(NA.Links.size(), NB.Links.size());
        for (std::size_t L = 0; L < NA.Links.size(); ++L) {
            EXPECT_EQ(NA.Links[L].Direction, NB.Links[L].Direction);
            EXPECT_EQ(NA.Links[L].Branch->Id(), NB.Links[L].Branch->Id());
        }
    }
    for (std::size_t I = 0; I < A.Branches().size(); ++I) {
        const TBranch& BA = *A.Branches()[I];
        const TBranch& BB = *B.Branches()[I];
        EXPECT_EQ(BA.Id(), BB.Id());
        EXPECT_EQ(BA.FromNode->Id(), BB.FromNode->Id());
        EXPECT_EQ(BA.ToNode->Id(), BB.ToNode->Id());
        EXPECT_EQ(BA.Name, BB.Name);
        EXPECT_EQ(BA.LabelX, BB.LabelX);
        EXPECT_EQ(BA.LabelY, BB.LabelY);
    }
}

std::string SampleBytes()
{
    TGraph G;
    FillSample(G);
    TValueWriter W;
    G.WriteData(W);
    return W.Bytes();
}

// A body written field by field, as the oldest documents hold it.
std::string OldestBody()
{
    TValueWriter W;
    W.WriteInteger(800);
    W.WriteInteger(600);
    W.WriteString("");
    W.WriteFloat(1.0);
    W.WriteListBegin();
    W.WriteInteger(1);
    W.WriteString("Start");
    W.WriteInteger(5);
    W.WriteInteger(6);
    W.WriteListEnd();
    W.WriteListBegin();
    W.WriteInteger(1);
    W.WriteInteger(1);
    W.WriteInteger(2); // node 2 is not in the node list
    W.WriteString("Branch 1");
    W.WriteInteger(-1);
    W.WriteInteger(-1);
    W.WriteListEnd();
    return W.Bytes();
}

// A body whose lists are given by the caller.
std::string BodyWith(const std::vector<int>& NodeIds, const std::vector<std::array<int, 3>>& Branches)
{
    TValueWriter W;
    W.WriteInteger(900);
    W.WriteInteger(900);
    W.WriteFloat(0.03);
    W.WriteBoolean(false);
    W.WriteString("");
    W.WriteFloat(1.0);
    W.WriteListBegin();
    for (int Id : NodeIds) {
        W.WriteInteger(Id);
        W.WriteString("n");
        W.WriteInteger(0);
        W.WriteInteger(0);
    }
    W.WriteListEnd();
    W.WriteListBegin();
    for (const auto& B : Branches) {
        W.WriteInteger(B[0]);
        W.WriteInteger(B[1]);
        W.WriteInteger(B[2]);
        W.WriteString("b");
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
    TGraph Source;
    FillSample(Source);
    TValueWriter W;
    Source.WriteData(W);
    TGraph Copy;
    Copy.AddBranch(99, 98, 97); // replaced by what is read
    TValueReader R(W.Bytes());
    Copy.ReadData(R);
    EXPECT_TRUE(R.AtEnd());
    ExpectSameGraph(Source, Copy);
    EXPECT_EQ(Copy.FindBranch(99), nullptr);
    EXPECT_EQ(Copy.FindNode(10)->Name, "Fan room 2°C");
}

TEST(GraphStream, OldestBodyHasNoScaleAndMakesMissingNodes)
{
    TGraph G;
    TValueReader R(OldestBody());
    G.ReadData(R, gdv100);
    EXPECT_TRUE(R.AtEnd());
    EXPECT_EQ(G.Width, 800);
    EXPECT_EQ(G.Height, 600);
    EXPECT_EQ(G.Scale, 0.03); // the defaults stay
    EXPECT_FALSE(G.DrawToScale);
    ASSERT_EQ(G.NodeCount(), 2);
    EXPECT_EQ(G.FindNode(1)->Name, "Start");
    EXPECT_EQ(G.FindNode(2)->Name, "Node 2");
    EXPECT_EQ(G.FindBranch(1)->ToNode, G.FindNode(2));
    EXPECT_EQ(G.FindNode(2)->Links.size(), 1u);

    // Read as the newest version the same bytes are no valid body.
    TGraph Other;
    TValueReader Again(OldestBody());
    EXPECT_THROW(Other.ReadData(Again), EStreamError);
}

TEST(GraphStream, InvalidGraphsAreRefusedWithTheirId)
{
    EXPECT_EQ(ReadError(BodyWith({1, 2, 1}, {})), "Duplicate node in file: node 1");
    EXPECT_EQ(ReadError(BodyWith({1, 2}, {{4, 1, 2}, {4, 2, 1}})), "Duplicate branch in file: branch 4");
    EXPECT_EQ(ReadError(BodyWith({1, 2}, {{5, 2, 2}})), "Branch joins a node to itself in file: branch 5");
    EXPECT_EQ(ReadError(BodyWith({1, 2}, {{5, 1, 2}})), "");
}

TEST(GraphStream, NamesAreShortStrings)
{
    TGraph G;
    G.AddBranch(1, 1, 2);
    G.FindBranch(1)->Name = std::string(254, 'a') + "°"; // 256 bytes, cut before the "°"
    TValueWriter W;
    G.WriteData(W);
    TGraph Copy;
    TValueReader R(W.Bytes());
    Copy.ReadData(R);
    EXPECT_EQ(Copy.FindBranch(1)->Name, std::string(254, 'a'));
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

TEST(GraphStream, NonsenseDrawingSettingsAreRefused)
{
    TValueWriter W;
    W.WriteInteger(-5);
    W.WriteInteger(900);
    W.WriteFloat(0.03);
    W.WriteBoolean(false);
    W.WriteString("");
    W.WriteFloat(1.0);
    W.WriteListBegin();
    W.WriteListEnd();
    W.WriteListBegin();
    W.WriteListEnd();
    EXPECT_EQ(ReadError(W.Bytes()), "Invalid drawing size in file");
}
