// Network fittings: coefficients from the database built in this build tree
// (values read off its tables by hand), links, the stream record and its
// old versions.

#include "FlowNetworkBuilder.h"

#include "fittings/DuctFittingDB.h"
#include "foundation/ValueStream.h"
#include "sizing/SolveCommands.h"

#include <gtest/gtest.h>

namespace {

class FittingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CreateDuctFittingDB(VENTRIX_COMMON_DATA_DIR); }

    TFitting& Add(const std::string& Code, std::vector<std::pair<std::string, int>> Links, bool Junction = false)
    {
        auto F = std::make_unique<TFitting>("Test", Code);
        for (const auto& [Role, Id] : Links) {
            F->Roles.push_back(Role);
            F->Links.push_back({Id, nullptr});
        }
        F->Junction = Junction;
        Graph.Fittings.push_back(std::move(F));
        return *Graph.Fittings.back();
    }

    // Spiral ducts of 0.2 m drawn by N.Duct.
    TFlowNetwork N;
    TDuctGraph& Graph = N.G;
    TRecordingWarningSink& Sink = N.Messages;
};

} // namespace

TEST_F(FittingTest, ElbowCoefficientAtItsStoredAxisValue)
{
    N.Duct(1, 1, 2, 0.3);
    TFitting& Elbow = Add("CD3-21", {{"0", 1}});
    Graph.ResolveFittingLinks(false);
    EXPECT_TRUE(Elbow.Connected);

    // The starting axis value is the middle entry of r/D (index 2 of 0..5):
    // 1.0, C 0.22.
    Elbow.Calculate(TFitting::cmFlowRatios);
    ASSERT_EQ(Elbow.FlowRatios[0], std::vector<double>({1.0}));
    Elbow.Calculate(TFitting::cmCValues);
    EXPECT_NEAR(Elbow.CValues[0], 0.22, 1e-12);

    // r/D 1.25 lies halfway between 0.22 and 0.15.
    Elbow.FlowRatios[0] = {1.25};
    Elbow.Calculate(TFitting::cmCValues);
    EXPECT_NEAR(Elbow.CValues[0], 0.185, 1e-12);
    EXPECT_EQ(Elbow.Remarks[0], "r/D = 1.25");
    // The ratio modes write the remark too.
    for (int Mode : {TFitting::cmVelocityRatios, TFitting::cmFlowRatios}) {
        Elbow.Remarks[0].clear();
        Elbow.Calculate(Mode);
        EXPECT_EQ(Elbow.Remarks[0].rfind("r/D = ", 0), 0u) << Mode;
        Elbow.FlowRatios[0] = {1.25};
    }
    Elbow.Calculate(TFitting::cmCValues);
    EXPECT_EQ(Elbow.GetCValuesText(), "C0=0.185; ");
    EXPECT_EQ(Elbow.GetWarningText(), "");

    // r/D 0.45 is a fifth of a segment before the table: extrapolated to
    // 0.786, beyond the coefficient range, so held at its top 0.71, and flagged.
    Elbow.FlowRatios[0] = {0.45};
    Elbow.Calculate(TFitting::cmCValues);
    EXPECT_NEAR(Elbow.CValues[0], 0.71, 1e-12);
    EXPECT_EQ(Elbow.GetWarningText(), "Range");

    // At its own inputs: a radius of 300 mm on the 200 mm duct is r/D 1.5.
    Elbow.Info = {300.0};
    Elbow.Calculate(TFitting::cmCValues2);
    EXPECT_NEAR(Elbow.CValues2[0], 0.15, 1e-12);
    EXPECT_FALSE(Elbow.Warning);

    // The coefficient reaches the branch as an equivalent length.
    Elbow.FlowRatios[0] = {1.25};
    Graph.RecalcBranches();
    auto* B = Graph.FlowBranch(1);
    EXPECT_NEAR(B->FittingsCSum, 0.185, 1e-12);
    EXPECT_NEAR(B->LeFittings, 0.185 * 0.2 / B->FrictionFactor, 1e-9);
    EXPECT_TRUE(Sink.Messages().empty());
}

TEST_F(FittingTest, DivergingTeeByPath)
{
    // Common 0.4, straight 0.3, branch 0.1 m³/s: stored area ratios start at
    // the flow ratios 0.75 and 0.25; the round tee's tables give C 0.135 on
    // the straight path (0.13, 0.15, 0.13, 0.13 around it) and 1.38 on the
    // branch (1.20, 0.72, 2.40, 1.20), none on the common duct.
    N.Duct(1, 1, 2, 0.4);
    N.Duct(2, 2, 3, 0.3);
    N.Duct(3, 2, 4, 0.1);
    TFitting& Tee = Add("SD5-9", {{"c", 1}, {"s", 2}, {"b", 3}}, true);
    Graph.ResolveFittingLinks(false);
    Graph.CalcFlowRatios();
    ASSERT_EQ(Tee.FlowRatios[1].size(), 1u);
    EXPECT_NEAR(Tee.FlowRatios[1][0], 0.75, 1e-12);
    EXPECT_EQ(Tee.FlowRatios[2], std::vector<double>({0.25}));
    EXPECT_TRUE(Tee.FlowRatios[0].empty());
    EXPECT_EQ(Tee.VelocityRatios[2].size(), 1u);

    Graph.CalcFittingsC();
    EXPECT_EQ(Tee.CValues[0], 0.0);
    EXPECT_NEAR(Tee.CValues[1], 0.135, 1e-12);
    EXPECT_NEAR(Tee.CValues[2], 1.38, 1e-12);
    EXPECT_EQ(Tee.GetLinksText(), "Branch 1; Branch 2; Branch 3; ");

    Graph.CalcFittingSums();
    EXPECT_NEAR(Graph.FlowBranch(3)->FittingsCSum, 1.38, 1e-12);
    Graph.CollectFittings(Graph.FlowBranch(3));
    ASSERT_EQ(Graph.FlowBranch(3)->LinkedFittings.size(), 1u);
    EXPECT_NEAR(Graph.FlowBranch(3)->LinkedFittingValues[0].first, 1.38, 1e-12);
    double C = 0.0;
    EXPECT_TRUE(Tee.FindBranchLink(2, C));
    EXPECT_NEAR(C, 0.135, 1e-12);
    EXPECT_FALSE(Tee.FindBranchLink(9, C));

    // A double branch: "b1" has no entry of its own and takes "-b"; "b2" is
    // looked up as the branch with b1 as its second branch. b2 at 0.75:
    // 1.22 (1.20, 0.99, 1.49, 1.20); b1 at 0.25: 1.38. The fallbacks say
    // nothing.
    TFitting& Double = Add("SD5-9", {{"c", 1}, {"b1", 3}, {"b2", 2}}, true);
    Graph.ResolveFittingLinks(false);
    Double.Calculate(TFitting::cmFlowRatios);
    Double.Calculate(TFitting::cmCValues);
    EXPECT_NEAR(Double.CValues[1], 1.38, 1e-12);
    EXPECT_NEAR(Double.CValues[2], 1.22, 1e-12);
    EXPECT_TRUE(Sink.Messages().empty());

    // Sizing moves the stored ratios towards those the ducts determine.
    Tee.FlowRatios[2] = {0.5};
    Tee.VelocityRatios[2] = {1.0};
    Tee.RelaxRatios();
    EXPECT_NEAR(Tee.FlowRatios[2][0], 0.9, 1e-12);
}

TEST_F(FittingTest, WhatCannotBeComputedStaysZero)
{
    N.Duct(1, 1, 2, 0.3);
    N.Duct(2, 2, 3, 0.3);
    // Two links and three roles; a link to a branch that is gone; unknown codes.
    TFitting& Odd = Add("CD3-22", {{"0", 1}, {"1", 2}});
    Odd.Roles.push_back("2");
    TFitting& Orphan = Add("CD3-22", {{"0", 7}});
    TFitting& Unknown1 = Add("SD9-99", {{"0", 1}});
    TFitting& Unknown2 = Add("SD9-98", {{"0", 2}});
    for (TFitting* F : {&Odd, &Orphan, &Unknown1, &Unknown2}) {
        F->CValues.assign(F->Links.size(), 5.0);
        F->FlowRatios.assign(F->Links.size(), {45.0});
    }
    Graph.ResolveFittingLinks(false);
    EXPECT_FALSE(Graph.LinksValid);
    EXPECT_EQ(Orphan.GetWarningText(), "Not connected");
    EXPECT_EQ(Orphan.GetLinksText(), "7; ");

    // The solver asks every pass; the user hears of a missing code once.
    for (int Pass = 0; Pass < 3; ++Pass)
        Graph.CalcFittingsC();
    for (TFitting* F : {&Odd, &Orphan, &Unknown1, &Unknown2})
        for (double C : F->CValues)
            EXPECT_EQ(C, 0.0);
    ASSERT_EQ(Sink.Count(), 1u);
    EXPECT_EQ(Sink.LastText(), "Duct fitting not in database : SD9-99");
    Graph.ResetFittingMessages(); // the next command
    Graph.CalcFittingsC();
    EXPECT_EQ(Sink.Count(), 2u);

    Graph.ResolveFittingLinks(true);
    EXPECT_EQ(Orphan.Links[0].BranchId, -1);
    EXPECT_EQ(Orphan.GetLinksText(), "");

    // Renumbering: links follow the new id and lose their object.
    Graph.RenumberFittingLinks(2, 12);
    EXPECT_EQ(Unknown2.Links[0].BranchId, 12);
    EXPECT_EQ(Unknown2.Links[0].Branch, nullptr);
    EXPECT_FALSE(Graph.LinksValid);
}

TEST_F(FittingTest, MissingCodeIsReportedOncePerCommand)
{
    // "Standard Sizes" rounds, then balances; each step starts with the
    // check of the fitting codes, and the user still hears of one once.
    TDuctGraph Net(true);
    auto Unknown = std::make_unique<TFitting>("Test", "SD9-99");
    Unknown->Roles = {"0"};
    Unknown->Links = {{1, nullptr}};
    Net.Fittings.push_back(std::move(Unknown));
    for (TSolveCommand Command : {scStandardSizes, scEqualFriction, scBalanceFlows}) {
        const std::size_t Before = Sink.Count();
        const TSolveCommandResult Result = RunSolveCommand(Net, Command);
        EXPECT_EQ(Sink.Count() - Before, 1u) << "command " << Command;
        EXPECT_EQ(Result.Messages, std::vector<std::string>({"Duct fitting not in database : SD9-99"}));
    }
}

TEST_F(FittingTest, RecordReadsBackAndCopiesKeepTheirOwnSerial)
{
    ResetFittingSerial();
    TFitting Tee("Tee", "SD5-9");
    EXPECT_EQ(Tee.Serial, 1);
    Tee.Junction = true;
    Tee.Info = {1.5, 2.5};
    Tee.Roles = {"c", "b"};
    Tee.Links = {{4, nullptr}, {-1, nullptr}};
    Tee.CValues = {0.0, 1.25};
    Tee.CValues2 = {0.0, 1.5};
    Tee.FlowRatios = {{}, {0.25, 0.5}};
    Tee.VelocityRatios = {{}, {0.3, -1.0}};
    TValueWriter W;
    Tee.WriteToWriter(W);

    TValueReader R(W.Bytes());
    TFitting Back(R, gdvNewest);
    EXPECT_TRUE(R.AtEnd());
    EXPECT_EQ(Back.Serial, 2);
    EXPECT_EQ(Back.VelocityRatios, Tee.VelocityRatios);
    EXPECT_EQ(Back.Remarks.size(), 2u);
    TValueWriter Again;
    Back.WriteToWriter(Again);
    EXPECT_EQ(Again.Bytes(), W.Bytes());

    const TFitting Copy = Back.CopyUnresolved();
    EXPECT_EQ(Copy.Serial, 3);
    EXPECT_EQ(Copy.CValues, Back.CValues);
    EXPECT_FALSE(Copy.Connected);

    // A network copies only the marked fittings and clears every mark.
    Graph.Fittings.push_back(std::make_unique<TFitting>(Tee.CopyUnresolved()));
    Graph.Fittings.push_back(std::make_unique<TFitting>(Tee.CopyUnresolved()));
    Graph.Fittings[1]->Selected = 1;
    Graph.Fittings[1]->Caption = "Marked";
    TDuctGraph Clip;
    EXPECT_EQ(NextFittingSerial(), 1); // a new network restarts the count
    Clip.CopyFittingsFrom(Graph);
    ASSERT_EQ(Clip.Fittings.size(), 1u);
    EXPECT_EQ(Clip.Fittings[0]->Caption, "Marked");
    EXPECT_EQ(Clip.Fittings[0]->Selected, 0);
    EXPECT_EQ(Graph.Fittings[1]->Selected, 0);
}

TEST_F(FittingTest, OldAndDamagedRecords)
{
    // "GraphDataFile_v1.02": one C-value per link and no ratio rows. An
    // "SR1-1" of one link is widened to two, its info cut to the third value.
    TValueWriter Old;
    Old.WriteString("Entry");
    Old.WriteString("SR1-1");
    Old.WriteBoolean(false);
    Old.WriteBoolean(false);
    Old.WriteListBegin();
    for (double V : {1.0, 2.0, 3.0})
        Old.WriteFloat(V);
    Old.WriteListEnd();
    Old.WriteListBegin();
    Old.WriteString("x");
    Old.WriteInteger(6);
    Old.WriteFloat(0.7);
    Old.WriteListEnd();
    TValueReader R(Old.Bytes());
    TFitting Wide(R, gdv102);
    EXPECT_TRUE(R.AtEnd());
    ASSERT_EQ(Wide.LinkCount(), 2);
    EXPECT_EQ(Wide.Roles, std::vector<std::string>({"0", "1"}));
    EXPECT_EQ(Wide.Links[0].BranchId, 6);
    EXPECT_EQ(Wide.Links[1].BranchId, -1);
    EXPECT_EQ(Wide.CValues, std::vector<double>({0.7, 0.0}));
    EXPECT_EQ(Wide.CValues2, std::vector<double>({0.7, 0.0}));
    EXPECT_EQ(Wide.Info, std::vector<double>({3.0}));
    EXPECT_EQ(Wide.FlowRatios.size(), 2u);
    EXPECT_EQ(Wide.VelocityRatios.size(), 2u);
    EXPECT_EQ(Wide.Remarks.size(), 2u);

    // A newest record with no links, and one with a link but more ratio rows
    // than links and none for it: each reads with one row per link.
    auto Record = [](int Links, int Rows) {
        TValueWriter W;
        W.WriteString("Elbow");
        W.WriteString("CD3-21");
        W.WriteBoolean(false);
        W.WriteBoolean(false);
        W.WriteListBegin();
        W.WriteListEnd();
        W.WriteListBegin();
        for (int I = 0; I < Links; ++I) {
            W.WriteString("0");
            W.WriteInteger(1);
            W.WriteFloat(0.5);
            W.WriteFloat(0.5);
        }
        W.WriteListEnd();
        W.WriteListBegin();
        for (int I = 0; I < Rows; ++I) {
            W.WriteListBegin();
            W.WriteListEnd();
        }
        W.WriteListEnd();
        return W.Bytes();
    };
    TValueReader EmptyReader(Record(0, 0));
    TFitting Empty(EmptyReader, gdvNewest);
    EXPECT_EQ(Empty.LinkCount(), 0);
    Empty.Calculate(TFitting::cmCValues);
    EXPECT_TRUE(Empty.CValues.empty());

    N.Duct(1, 1, 2, 0.3);
    TValueReader RowsReader(Record(1, 3));
    auto Rowless = std::make_unique<TFitting>(RowsReader, gdvNewest);
    ASSERT_EQ(Rowless->FlowRatios.size(), 1u);
    Graph.Fittings.push_back(std::move(Rowless));
    Graph.ResolveFittingLinks(false);
    Graph.CalcFittingsC(); // no stored axis value: 0 with the range warning
    EXPECT_EQ(Graph.Fittings[0]->CValues[0], 0.0);
    EXPECT_TRUE(Graph.Fittings[0]->Warning);

    // A record cut short raises the stream's error.
    const std::string Full = Record(1, 1);
    TValueReader Cut(Full.substr(0, Full.size() - 3));
    EXPECT_THROW(TFitting(Cut, gdvNewest), EStreamError);
}
