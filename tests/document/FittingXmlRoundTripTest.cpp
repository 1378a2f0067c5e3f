// A fitting of every family of the database, with inputs of its own, goes
// out through the XML export and comes back with every stored input and no
// warning: the program's own file is never "damaged".

#include "DocumentTestSupport.h"

#include "document/NetworkXmlImport.h"
#include "fittings/DuctFit1Dim.h"
#include "fittings/DuctFit2Dim.h"
#include "fittings/DuctFit2Dim1Dim.h"
#include "fittings/DuctFit3Dim.h"
#include "fittings/DuctFitConst.h"
#include "fittings/DuctFitSummary.h"
#include "fittings/DuctFittingDB.h"
#include "fittings/FittingKeys.h"
#include "foundation/WarningSink.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace doctest;

namespace {

struct TFamily {
    const char* Name;
    std::function<bool(const TDuctFitting&, const TDuctFitSummary&)> Is;
};

template <class TClass>
bool IsPlain(const TDuctFitting& Fit, const TDuctFitSummary& Summary)
{
    return !Summary.IsJunction && !Summary.IsTransition && dynamic_cast<const TClass*>(&Fit) != nullptr;
}

const TFamily Families[] = {
    {"junction", [](const TDuctFitting&, const TDuctFitSummary& S) { return S.IsJunction; }},
    {"transition", [](const TDuctFitting&, const TDuctFitSummary& S) { return S.IsTransition; }},
    {"constant", IsPlain<TDuctFitConst>},
    {"1-D", IsPlain<TDuctFit1Dim>},
    {"2-D", IsPlain<TDuctFit2Dim>},
    {"2-D with factor", IsPlain<TDuctFit2Dim1Dim>},
    {"3-D", IsPlain<TDuctFit3Dim>},
};

// A value of three decimals inside [Lo, Hi], away from any default: what the
// export's "%0.3f" keeps exactly enough to compare.
double Inside(double Lo, double Hi)
{
    const double Value = Hi > Lo ? Lo + 0.37 * (Hi - Lo) : Lo + 0.125;
    return std::round(Value * 1000.0) / 1000.0;
}

// The first fitting of the family in the database, its stored inputs as the
// fitting dialog leaves them: its own inputs and one row per link holding
// the values of the path its role names (none for a path without axes).
std::unique_ptr<TFitting> FirstOf(TDuctFittingDB& DB, const TFamily& Family)
{
    for (const std::string& Key : DB.Codes()) {
        const TDuctFitting* Fit = DB.SelectFitting(Key, false);
        TDuctFitSummary Summary;
        DB.GetFittingInfo(FittingBaseCode(Key), Summary);
        if (!Fit || !Family.Is(*Fit, Summary))
            continue;
        auto F = std::make_unique<TFitting>(Summary.Name, FittingBaseCode(Key));
        F->Junction = Summary.IsJunction;
        F->Transition = Summary.IsTransition;
        for (const double Default : Fit->InputDefaults)
            F->Info.push_back(Inside(Default, Default + 1.0));
        const int Branches[] = {4, 5, 2, 3};
        for (std::size_t P = 0; P < Summary.Paths.size(); ++P) {
            F->Roles.push_back(Summary.Paths[P]);
            F->Links.push_back({Branches[P % 4], nullptr});
            std::vector<double> Row;
            if (P < Summary.AxisNamesByPath.size())
                for (std::size_t A = 0; A < Summary.AxisNamesByPath[P].size(); ++A)
                    Row.push_back(Inside(Summary.AxisMinsByPath[P][A], Summary.AxisMaxsByPath[P][A]));
            F->FlowRatios.push_back(Row);
            F->VelocityRatios.emplace_back(Row.size(), 0.0);
            F->CValues.push_back(0.0);
            F->CValues2.push_back(0.0);
            F->Remarks.emplace_back();
        }
        return F;
    }
    return nullptr;
}

} // namespace

TEST(FittingXmlRoundTrip, EveryFamilyKeepsItsStoredInputsAndWarnsNothing)
{
    TDuctFittingDB& DB = CreateDuctFittingDB(VENTRIX_COMMON_DATA_DIR);
    const TSettings Settings = SampleSettings();
    auto Network = SampleNetwork(Settings);
    Network->Fittings.clear();
    for (const TFamily& Family : Families) {
        std::unique_ptr<TFitting> F = FirstOf(DB, Family);
        ASSERT_NE(F, nullptr) << "no " << Family.Name << " fitting in the database";
        Network->Fittings.push_back(std::move(F));
    }
    Network->ResolveFittingLinks(false);

    TRecordingWarningSink Sink;
    const TScopedWarningSink Installed(Sink);
    const TDocumentRead Read = ImportNetworkXmlText(ExportText(*Network, {}, Settings), "plan.xml", {});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    EXPECT_TRUE(Sink.Messages().empty()) << Sink.LastText();
    const auto& Back = Read.Contents.Network->Fittings;
    ASSERT_EQ(Back.size(), Network->Fittings.size());
    for (std::size_t I = 0; I < Back.size(); ++I) {
        const TFitting& Sent = *Network->Fittings[I];
        const std::string What = std::string(Families[I].Name) + " " + Sent.Code;
        EXPECT_EQ(Back[I]->Code, Sent.Code) << What;
        EXPECT_EQ(Back[I]->Caption, Sent.Caption) << What;
        EXPECT_EQ(Back[I]->Roles, Sent.Roles) << What;
        EXPECT_EQ(Back[I]->Info, Sent.Info) << What;
        EXPECT_EQ(Back[I]->FlowRatios, Sent.FlowRatios) << What;
    }
}
