// A document's fittings whose stored inputs do not fit their code's fitting
// in the built database take that fitting's defaults, with one warning.

#include "document/FittingInputCheck.h"
#include "fittings/DuctFitSummary.h"
#include "fittings/DuctFittingDB.h"
#include "foundation/WarningSink.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class FittingInputCheck : public ::testing::Test {
protected:
    FittingInputCheck() : Installed(Sink), DB(VENTRIX_COMMON_DATA_DIR) {}

    TFitting& Add(const std::string& Caption, const std::string& Code, std::vector<std::vector<double>> Ratios,
                  std::vector<double> Info = {})
    {
        auto F = std::make_unique<TFitting>(Caption, Code);
        F->Roles.assign(Ratios.size(), "s");
        F->Links.assign(Ratios.size(), TFittingLink{2, nullptr});
        F->VelocityRatios.assign(Ratios.size(), {});
        F->FlowRatios = std::move(Ratios);
        F->Info = std::move(Info);
        Network.Fittings.push_back(std::move(F));
        return *Network.Fittings.back();
    }

    std::string NameOf(const std::string& Key) { return DB.SelectFitting(Key, false)->Name; }

    TRecordingWarningSink Sink;
    TScopedWarningSink Installed;
    TDuctFittingDB DB;
    TSettings Settings;
    TDuctGraph Network{true, &Settings};
};

TEST_F(FittingInputCheck, InputsThatFitTheirFittingStay)
{
    ASSERT_FALSE(DB.Codes().empty()) << Sink.LastText();
    TFitting& Elbow = Add(NameOf("CD3-1"), "CD3-1", {{200}});
    // A caption that names no fitting of the database is the user's own.
    TFitting& Named = Add("Elbow by the plant room", "CR3-1", {{1.0, 0.75}});
    // A code the database lacks is left to the coefficient look-up to report.
    TFitting& Unknown = Add("Elbow, round, 3-gore, any angle", "CD3-8", {{45, 1.5}});
    // Each link holds the values of the path its role names.
    TFitting& Junction = Add(NameOf("SD5-9-s"), "sd5-9", {{}, {0.5}, {0.4}});
    Junction.Roles = {"c", "s", "b"};
    // An earlier XML export wrote the empty row of a path without axes as "0.0".
    TFitting& Exported = Add(NameOf("SD5-1-s"), "sd5-1", {{0.0}, {0.5}, {0.4}});
    Exported.Roles = {"c", "s", "b"};

    EXPECT_THAT(MatchFittingInputsToDatabase(Network, &DB), IsEmpty());
    EXPECT_EQ(Sink.Messages().size(), 0u) << Sink.LastText();
    EXPECT_EQ(Elbow.FlowRatios, (std::vector<std::vector<double>>{{200}}));
    EXPECT_EQ(Named.FlowRatios, (std::vector<std::vector<double>>{{1.0, 0.75}}));
    EXPECT_EQ(Unknown.Caption, "Elbow, round, 3-gore, any angle");
    EXPECT_EQ(Junction.FlowRatios[2], std::vector<double>{0.4});
    EXPECT_EQ(Exported.FlowRatios, (std::vector<std::vector<double>>{{}, {0.5}, {0.4}})) << "the placeholder dropped";
}

TEST_F(FittingInputCheck, InputsOfAnotherFittingTakeTheDefaultsAndWarnOnce)
{
    // CD3-1 is the die-stamped elbow by diameter; this one was stored as the
    // smooth-radius elbow by r/D, whose name another code now carries.
    TFitting& Elbow = Add(NameOf("CD3-21"), "CD3-1", {{1.5}});
    // One axis value for a fitting of two.
    TFitting& Short = Add(NameOf("CR3-1"), "CR3-1", {{2.0}});
    // Two own inputs for a fitting of one.
    TFitting& Inputs = Add(NameOf("CD3-21"), "CD3-21", {{1.5}}, {300, 90});
    // The user's own caption stays; an empty one takes the database name.
    TFitting& Own = Add(" Elbow at riser 3 ", "CR3-1", {{2.0}});
    TFitting& Unnamed = Add("", "CR3-1", {{2.0}});

    EXPECT_THAT(MatchFittingInputsToDatabase(Network, &DB),
                ElementsAre("CD3-1", "CR3-1", "CD3-21", "CR3-1", "CR3-1"));
    ASSERT_EQ(Sink.Messages().size(), 1u);
    EXPECT_EQ(Sink.Messages()[0].Caption, "Warning");
    EXPECT_THAT(Sink.LastText(), HasSubstr("CD3-1, CR3-1 (3), CD3-21"));
    EXPECT_EQ(Own.Caption, " Elbow at riser 3 ");
    EXPECT_EQ(Own.FlowRatios[0].size(), 2u);
    EXPECT_EQ(Unnamed.Caption, NameOf("CR3-1"));

    TDuctFitSummary Summary;
    DB.GetFittingInfo("CD3-1", Summary);
    EXPECT_EQ(Elbow.Caption, NameOf("CD3-1"));
    EXPECT_EQ(Elbow.FlowRatios, Summary.AxisDefaultsByPath);
    ASSERT_EQ(Elbow.VelocityRatios.size(), 1u);
    EXPECT_EQ(Elbow.VelocityRatios[0], std::vector<double>{-1.0});
    ASSERT_EQ(Short.FlowRatios.size(), 1u);
    EXPECT_EQ(Short.FlowRatios[0].size(), 2u);
    EXPECT_EQ(Inputs.Info, DB.SelectFitting("CD3-21", false)->InputDefaults);
    DB.GetFittingInfo("CD3-21", Summary);
    EXPECT_EQ(Inputs.FlowRatios, Summary.AxisDefaultsByPath);

    // Once mended they fit: a second look changes nothing.
    Sink.Clear();
    EXPECT_THAT(MatchFittingInputsToDatabase(Network, &DB), IsEmpty());
    EXPECT_EQ(Sink.Messages().size(), 0u);
}

// Many fittings of a few codes make one short line: each code once, with
// its count when there are more (a long list once made a box taller than
// the screen).
TEST_F(FittingInputCheck, TheWarningListsEachCodeOnceWithItsCount)
{
    const struct {
        const char* Scenario;
        std::vector<const char*> Codes; // each stored with another code's inputs
        const char* Listed;
    } Cases[] = {
        {"one of each", {"CD3-1", "CR3-1"}, "CD3-1, CR3-1"},
        {"repeats, in the order met", {"CR3-1", "CD3-1", "CR3-1", "CD3-1", "CR3-1"}, "CR3-1 (3), CD3-1 (2)"},
        {"many of one", std::vector<const char*>(500, "CD3-1"), "CD3-1 (500)"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Scenario);
        Network.Fittings.clear();
        Sink.Clear();
        for (const char* Code : C.Codes)
            Add(NameOf("CD3-21"), Code, {{1.5, 2.5, 3.5}});
        EXPECT_EQ(MatchFittingInputsToDatabase(Network, &DB).size(), C.Codes.size());
        ASSERT_EQ(Sink.Messages().size(), 1u);
        EXPECT_EQ(Sink.LastText(), std::string("Duct fitting inputs do not fit database, defaults taken : ") + C.Listed);
    }
}

TEST_F(FittingInputCheck, WithoutADatabaseNothingIsChecked)
{
    TFitting& Elbow = Add(NameOf("CD3-21"), "CD3-1", {{1.5}});
    EXPECT_THAT(MatchFittingInputsToDatabase(Network, nullptr), IsEmpty());
    EXPECT_EQ(Elbow.FlowRatios, (std::vector<std::vector<double>>{{1.5}}));
}

} // namespace
