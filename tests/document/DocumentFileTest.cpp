#include "DocumentTestSupport.h"
#include "tests/HandEncoding.h"

#include "document/DocumentFile.h"
#include "sizing/SolveCommands.h"
#include "foundation/ValueStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace doctest;

namespace {

std::string FileBytes(const std::string& Name)
{
    std::ifstream In(Name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

// A folder of its own for each test that writes files.
struct TTempFolder {
    std::filesystem::path Path;
    explicit TTempFolder(const std::string& Name)
        : Path(std::filesystem::temp_directory_path() / ("ventrix_doc_" + Name))
    {
        std::filesystem::remove_all(Path);
        std::filesystem::create_directories(Path);
    }
    ~TTempFolder() { std::filesystem::remove_all(Path); }
    std::string operator/(const std::string& File) const { return (Path / File).string(); }
};

// A three-node document (Inlet 1 -> Common 2 -> Outlet 3, branches 1 and 2)
// written field by field as the documents of its version hold them; the
// other fields inject damage.
struct TOldDocument {
    TGraphDataVersion Version = gdvNewest;
    double Barometer = 97000.0;
    double DryBulb = 22.0;
    int SecondTo = 3;    // 2 makes a branch that joins a node to itself
    int ThirdNodeId = 3; // 2 makes a duplicate node
    int OutletType = ntOutlet;
    int Keep1 = 3;
    int Method = smVelocity;
    double Diameter = 0.25;
};

std::string OldDocument(const TOldDocument& D)
{
    const TGraphDataVersion V = D.Version;
    TValueWriter W;
    auto Floats = [&](std::initializer_list<double> List) {
        for (double F : List)
            W.WriteFloat(F);
    };
    auto Ints = [&](std::initializer_list<int> List) {
        for (int I : List)
            W.WriteInteger(I);
    };
    W.WriteString(GraphDataVersionHeader(V));
    if (V > gdv100)
        SampleProperties().WriteToWriter(W);
    Ints({800, 600});
    if (V > gdv100) {
        Floats({0.04});
        W.WriteBoolean(true);
    }
    W.WriteString("");
    Floats({1.0, D.Barometer, D.DryBulb, 15.0});

    const int Types[] = {ntInlet, ntCommon, D.OutletType};
    const int Ids[] = {1, 2, D.ThirdNodeId};
    W.WriteListBegin();
    for (int I = 0; I < 3; ++I) {
        W.WriteInteger(Ids[I]);
        W.WriteString("N" + std::to_string(Ids[I]));
        Ints({10 * I, 20, Types[I]});
        Floats({0.5, 97100.0 + I, 22.0, 1.15, -3.0, 0.0});
        if (V >= gdv201)
            Ints({okGrille, ikCanopy});
    }
    W.WriteListEnd();

    auto Terminal = [&](double C) {
        W.WriteString("Grille");
        Floats({1.0, 4.0});
        if (V == gdv200)
            W.WriteInteger(7);
        Floats({C, 2.0, 4.8});
    };
    W.WriteListBegin();
    for (int B = 1; B <= 2; ++B) {
        Ints({B, B, B == 1 ? 2 : D.SecondTo});
        W.WriteString("Duct " + std::to_string(B));
        Ints({-1, -1, bkCommon});
        Floats({D.Diameter, 8.0});
        W.WriteListBegin();
        W.WriteListEnd();
        W.WriteListBegin();
        if (B == 2) { // the outlet's loss, as the oldest documents held it
            W.WriteString("Diffuser");
            Floats({0.0, 0.0, 2.5});
        }
        W.WriteListEnd();
        if (B == 2 && V >= gdv200)
            Terminal(1.2);
        if (B == 1 && V >= gdv201)
            Terminal(3.3);
        Floats({1.0, 2.0}); // LeFittings, LeDp
        if (V >= gdv202)
            Floats({3.0}); // LeC
        Floats({0.0, 0.36, 0.3}); // DeltaZ, m, Q
        if (V >= gdv102)
            Floats({0.4}); // design flow
        Floats({6.0, 0.0, 11.0}); // friction and stack drop, FixedDpSum
        if (V >= gdv202)
            Floats({13.0}); // FixedCSum
        Floats({B == 1 ? 20.0 : 0.0}); // gain
        if (V >= gdv202)
            W.WriteBoolean(false);
        Floats({0.5}); // FittingsDrop
        if (V >= gdv203)
            W.WriteBoolean(true);
        if (V >= gdv204)
            Floats({4.0, 9.0});
        W.WriteInteger(dtRect);
        Floats({0.3, 0.2, 1.5});
        W.WriteInteger(D.Keep1);
        if (V >= gdv200)
            W.WriteInteger(2);
    }
    W.WriteListEnd();
    if (V >= gdv202)
        Ints({D.Method, ssSolved});
    W.WriteListBegin();
    W.WriteListEnd();
    if (V >= gdv201)
        W.WriteInteger(2); // the main fan
    if (V >= gdv202)
        SampleSettings().WriteToWriter(W);
    return W.Bytes();
}

TDocumentDefaults StoreDefaults()
{
    TDocumentDefaults D;
    D.Settings.definletc = {6.0, 6.5, 7.0};
    D.Settings.defoutletc = {8.0, 8.5, 9.0};
    D.Properties.ProjectName = "New project";
    return D;
}

} // namespace

TEST(DocumentFile, SavedDefaultNetworkStartsAsTheStreamRulesGive)
{
    const TSettings Settings;
    const TDuctGraph Network(true, &Settings);
    TDocumentProperties Empty;
    const std::string Bytes = NetworkFileBytes(Network, Empty, Settings);

    THandEncoding H;
    H.Str("GraphDataFile_v2.04").Str("").Str("").Str("").Str("").Str("").Date(0.0); // header, properties
    H.Int(900).Int(900).Float(0.03).Bool(false).Str("").Float(1.0);                // drawing
    H.Float(101325.0).Float(20.0).Float(12.8);                                      // air
    H.Begin().Int(1).Str("Node 1").Int(100).Int(280).Int(ntInlet);                  // first node
    const std::string& Expected = H.Bytes;
    ASSERT_GE(Bytes.size(), Expected.size());
    EXPECT_EQ(Bytes.substr(0, Expected.size()), Expected);
}

TEST(DocumentFile, SaveThenOpenGivesTheSameDocument)
{
    const TSettings Settings = SampleSettings();
    const auto Network = SampleNetwork(Settings);
    // Densities that differ along a duct: its mean density follows from them.
    Network->FlowNode(3)->Density = 1.05;
    Network->DuctBranch(2)->CalcFlowTerms(false);
    TTempFolder Folder("roundtrip");
    const std::string Name = Folder / "plan.vtx";
    ASSERT_TRUE(WriteNetworkFile(Name, *Network, SampleProperties(), Settings).Ok);

    // The settings in force elsewhere must not leak into the document.
    TDocumentRead Read = ReadNetworkFile(Name, TDocumentDefaults{});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    const TDuctGraph& Back = *Read.Contents.Network;
    EXPECT_EQ(&Back.Settings(), Read.Contents.Settings.get());
    // Every stored field, properties and settings too: writing the document
    // read gives the same bytes.
    EXPECT_EQ(NetworkFileBytes(Back, Read.Contents.Properties, *Read.Contents.Settings), FileBytes(Name));

    // And the values computed from them on reading.
    const TDuctBranch& Duct = *Back.DuctBranch(2);
    EXPECT_EQ(Duct.MeanDensity, Network->DuctBranch(2)->MeanDensity);
    EXPECT_EQ(Duct.TotalDrop, Network->DuctBranch(2)->TotalDrop);
    ASSERT_EQ(Duct.LinkedFittings.size(), 1u);
    EXPECT_EQ(Duct.LinkedFittings[0], Back.Fittings[0].get());
    EXPECT_EQ(Back.DuctBranch(5)->OutletTerminal->Drop, Network->DuctBranch(5)->OutletTerminal->Drop);

    auto Document = std::make_unique<TDuctGraph>(true);
    TDocumentProperties Properties;
    TSettings Open;
    AdoptDocument(std::move(Read.Contents), Document, Properties, Open);
    EXPECT_EQ(Document->FlowNode(2)->Name, "Zone 2 °C & <north>");
    EXPECT_EQ(Properties, SampleProperties());
    EXPECT_TRUE(Open == Settings && &Document->Settings() == &Open);
}

// The generated items a solve leaves in the document carry negative ids, the
// first of them -1, the id that also stands for "no main fan". Values no
// window would take still open, so that the user can mend them; the solve
// commands refuse them.
TEST(DocumentFile, ADocumentWithoutAMainFanOrWithImpossibleValuesReadsBack)
{
    const TSettings Settings;
    TDuctGraph Network(true, &Settings);
    Network.DeleteBranch(Network.MainFan);
    Network.GetOrAddNode(-1);
    Network.FlowNode(-1)->NodeType = ntSink;
    Network.AddBranch(-1, 6, -1);
    Network.DuctBranch(-1)->Kind = bkSink;
    Network.DuctBranch(-1)->SetDuctType(dtNone, 0.0, 0.0, 0.0);
    Network.DuctBranch(2)->Length = 1e76;
    Network.DuctBranch(4)->Diameter = 1e-4;
    Network.DuctBranch(5)->DesignFlow = -0.3;
    const TDocumentRead Read = ReadNetworkBytes(NetworkFileBytes(Network, {}, Settings), "odd.vtx", {});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    const TDuctGraph& Back = *Read.Contents.Network;
    EXPECT_EQ(Back.MainFan, nullptr);
    ASSERT_NE(Back.DuctBranch(-1), nullptr);
    EXPECT_TRUE(Back.DuctBranch(-1)->DuctType == dtNone && Back.DuctBranch(-1)->Kind == bkSink);
    EXPECT_EQ(Back.DuctBranch(2)->Length, 1e76);
    EXPECT_EQ(Back.DuctBranch(4)->Diameter, 1e-4);
    EXPECT_EQ(Back.DuctBranch(5)->DesignFlow, -0.3);
}

TEST(DocumentFile, OlderVersionsTakeTheirDefaultsAndMigrations)
{
    struct TCase {
        TGraphDataVersion Version;
        bool HasProperties, HasSettings, HasScale, HasDesignFlow, HasKeep2, HasKinds, HasLeC, HasSizeFixed;
        bool OutletFromDiffuser; // the outlet terminal made from the "Diffuser" C item
        bool InletMigrated;      // a new plain-inlet terminal
    };
    const TCase Cases[] = {
        {gdv100, false, false, false, false, false, false, false, false, true, true},
        {gdv101, true, false, true, false, false, false, false, false, true, true},
        {gdv102, true, false, true, true, false, false, false, false, true, true},
        {gdv200, true, false, true, true, true, false, false, false, false, true},
        {gdv201, true, false, true, true, true, true, false, false, false, false},
        {gdv202, true, true, true, true, true, true, true, false, false, false},
        {gdv203, true, true, true, true, true, true, true, true, false, false},
    };
    const TDocumentDefaults Defaults = StoreDefaults();
    for (const TCase& C : Cases) {
        SCOPED_TRACE(GraphDataVersionHeader(C.Version));
        TOldDocument Spec;
        Spec.Version = C.Version;
        const TDocumentRead Read = ReadNetworkBytes(OldDocument(Spec), "old.vtx", Defaults);
        ASSERT_TRUE(Read.Ok) << Read.Reason;
        const TDuctGraph& G = *Read.Contents.Network;
        EXPECT_EQ(Read.Contents.Version, C.Version);
        EXPECT_EQ(Read.Contents.Properties, C.HasProperties ? SampleProperties() : Defaults.Properties);
        EXPECT_EQ(*Read.Contents.Settings, C.HasSettings ? SampleSettings() : Defaults.Settings);
        EXPECT_EQ(G.Scale, C.HasScale ? 0.04 : 0.03);
        EXPECT_EQ(std::pair(G.Method, G.Status), C.HasSettings ? std::pair(smVelocity, ssSolved) : std::pair(smEqualFriction, ssNotSolved));
        EXPECT_EQ(G.Barometer, 97000.0);

        const TDuctBranch& Fan = *G.DuctBranch(1);
        const TDuctBranch& Out = *G.DuctBranch(2);
        // Before v2.01 the main fan is the branch leaving the first inlet.
        EXPECT_EQ(G.MainFan, C.Version >= gdv201 ? &Out : &Fan);
        EXPECT_EQ(G.MainFan->DuctType, dtFan);
        EXPECT_EQ(Out.DesignFlow, C.HasDesignFlow ? 0.4 : 0.3);
        EXPECT_EQ(Out.Keep2, C.HasKeep2 ? 2 : 3);
        EXPECT_EQ(std::pair(Out.LeC, Out.FixedCSum), C.HasLeC ? std::pair(3.0, 13.0) : std::pair(0.0, 0.0));
        EXPECT_EQ(Fan.Booster, !C.HasLeC); // a gain made a booster before v2.02
        EXPECT_EQ(Out.SizeFixed, C.HasSizeFixed);
        EXPECT_EQ(std::tuple(Out.DuctHeight, Out.DuctWidth, Out.Aspect), std::tuple(0.3, 0.2, 1.5));
        EXPECT_EQ(G.FlowNode(3)->OutletKind, C.HasKinds ? okGrille : okDiffuser);
        EXPECT_EQ(G.FlowNode(1)->InletKind, C.HasKinds ? ikCanopy : ikPlainInlet);
        // The outlet terminal made from the "Diffuser" C item takes it out of the list.
        ASSERT_TRUE(Out.OutletTerminal && Fan.InletTerminal);
        EXPECT_EQ(Out.OutletTerminal->C, C.OutletFromDiffuser ? 2.5 : 1.2);
        EXPECT_EQ(Out.FixedCs.size(), C.OutletFromDiffuser ? 0u : 1u);
        // v2.00 terminals and migrated ones assume 50 Pa.
        const bool Assumed = C.OutletFromDiffuser || C.Version == gdv200;
        EXPECT_EQ(Out.OutletTerminal->RefDrop, Assumed ? 50.0 : 4.8);
        EXPECT_TRUE(!Assumed || std::fabs(Out.OutletTerminal->RefVelocity - std::sqrt(50.0 / (0.6 * Out.OutletTerminal->C))) < 1e-12);
        // Migrated terminals take the defaults given, not the program's settings.
        EXPECT_EQ(Fan.InletTerminal->C, C.InletMigrated ? 7.0 : 3.3);
        EXPECT_EQ(Fan.InletTerminal->RefDrop, C.InletMigrated ? 50.0 : 4.8);
    }
}

TEST(DocumentFile, BarometerIsTheStoredOneUnlessNotPositive)
{
    // (A stored positive barometer is kept: see the versions above.)
    TOldDocument Spec;
    Spec.Barometer = 0.0;
    TDocumentRead Read = ReadNetworkBytes(OldDocument(Spec), "a.vtx", {});
    ASSERT_TRUE(Read.Ok);
    EXPECT_EQ(Read.Contents.Network->Barometer, 97100.0); // the first node's pressure
    EXPECT_GT(Read.Contents.Network->AirDensity, 1.0);

    // A node that only a branch names is made with the document's air, not
    // with the air of a new network.
    Spec.Barometer = 80000.0;
    Spec.Version = gdv102;
    Spec.SecondTo = 4;
    Read = ReadNetworkBytes(OldDocument(Spec), "a.vtx", {});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    const TDuctGraph& G = *Read.Contents.Network;
    EXPECT_EQ(G.FlowNode(4)->Pressure, 80000.0);
    EXPECT_TRUE(G.FlowNode(4)->Density == G.AirDensity && G.DuctBranch(2)->ToDensity == G.AirDensity);
}

TEST(DocumentFile, AfterReadingUsesTheDocumentsSettings)
{
    // A terminal's equivalent length depends on the roughness: the
    // document's, not the program's one settings object.
    TSettings Rough;
    Rough.roughness = 0.005;
    const auto Network = SampleNetwork(Rough);
    const TDocumentRead Read = ReadNetworkBytes(NetworkFileBytes(*Network, {}, Rough), "r.vtx", {});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    TDuctGraph& Back = *Read.Contents.Network;
    const double ReadLength = Back.DuctBranch(5)->OutletTerminal->EquivLength;
    EXPECT_EQ(ReadLength, Network->DuctBranch(5)->OutletTerminal->EquivLength);
    const TSettings Smooth;
    Back.UseSettings(&Smooth);
    Back.DuctBranch(5)->CalcTerminalLosses();
    EXPECT_GT(Back.DuctBranch(5)->OutletTerminal->EquivLength, 1.05 * ReadLength);
}

TEST(DocumentFile, DamagedDocumentsFailWithErrorLoading)
{
    auto Damaged = [](auto Change) {
        TOldDocument Spec;
        Change(Spec);
        return OldDocument(Spec);
    };
    const std::pair<std::string, std::string> Cases[] = { // the bytes and the reason (empty: any)
        {Damaged([](TOldDocument& D) { D.OutletType = 4; }), "Invalid node type in file: node 3"},
        {Damaged([](TOldDocument& D) { D.OutletType = -1; }), "Invalid node type in file: node 3"},
        {Damaged([](TOldDocument& D) { D.Keep1 = 4; }), "Invalid size keep in file: branch 1"},
        {Damaged([](TOldDocument& D) { D.Diameter = HUGE_VAL; }), "Invalid diameter in file: branch 1"},
        {Damaged([](TOldDocument& D) { D.Method = 5; }), "Invalid solve method in file: 5"},
        {Damaged([](TOldDocument& D) { D.ThirdNodeId = 2; }), "Duplicate node in file: node 2"},
        {Damaged([](TOldDocument& D) { D.SecondTo = 2; }), "Branch joins a node to itself in file: branch 2"},
        {Damaged([](TOldDocument& D) { D.DryBulb = std::nan(""); }), ""},
        // An air state outside its physical range, its numbers as the program shows them.
        {Damaged([](TOldDocument& D) { D.Barometer = 1e308; }),
         "Invalid air state in file: 1e+305 kPa, dry bulb 22.0 °C, wet bulb 15.0 °C (the barometric pressure is not "
         "within 30 to 200 kPa)"},
        {Damaged([](TOldDocument& D) { D.DryBulb = 1e308; }),
         "Invalid air state in file: 97.0000 kPa, dry bulb 1e+308 °C, wet bulb 15.0 °C (the dry bulb is not within -60 "
         "to 99 °C)"},
        {"not a document", ""},
        {"", ""},
    };
    for (const auto& [Bytes, Reason] : Cases) {
        const TDocumentRead Read = ReadNetworkBytes(Bytes, "bad.vtx", {});
        EXPECT_FALSE(Read.Ok);
        EXPECT_EQ(Read.Contents.Network, nullptr);
        EXPECT_EQ(Read.Messages, std::vector<std::string>{"Error loading bad.vtx"});
        EXPECT_FALSE(Read.Reason.empty());
        if (!Reason.empty()) {
            EXPECT_EQ(Read.Reason, Reason);
        }
    }

    // Cut anywhere, a document fails cleanly.
    const TSettings Settings;
    const std::string Whole = NetworkFileBytes(*SampleNetwork(Settings), SampleProperties(), Settings);
    for (std::size_t Size = 0; Size < Whole.size(); ++Size)
        ASSERT_FALSE(ReadNetworkBytes(Whole.substr(0, Size), "cut.vtx", {}).Ok) << Size;
}

TEST(DocumentFile, WriterAlwaysWritesAFileItsReaderReads)
{
    const TSettings Settings = SampleSettings(); // the network's, not the program's
    const auto Network = SampleNetwork(Settings);
    // Terminals the reader expects but the branches lost.
    Network->DuctBranch(5)->OutletTerminal.reset();
    Network->DuctBranch(1)->InletTerminal.reset();
    // Values that ran away: the reader refuses values that are no numbers.
    Network->DuctBranch(2)->FixedCs[0]->Drop = std::nan("");
    Network->DuctBranch(2)->Diameter = HUGE_VAL;
    Network->Fittings[0]->CValues[1] = -HUGE_VAL;
    Network->FlowNode(3)->Density = std::nan("");
    Network->FlowNode(2)->Elevation = HUGE_VAL;
    const TDocumentRead Read = ReadNetworkBytes(NetworkFileBytes(*Network, {}, Settings), "t.vtx", {});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    const TDuctGraph& Back = *Read.Contents.Network;
    ASSERT_TRUE(Back.DuctBranch(5)->OutletTerminal && Back.DuctBranch(1)->InletTerminal);
    EXPECT_EQ(Back.DuctBranch(5)->OutletTerminal->C, Settings.defoutletc[okGrille]);
    EXPECT_EQ(Back.DuctBranch(1)->InletTerminal->C, Settings.definletc[ikGrille]);
    for (double Zero : {Back.DuctBranch(2)->Diameter, Back.Fittings[0]->CValues[1], Back.FlowNode(2)->Elevation})
        EXPECT_EQ(Zero, 0.0);

    // Found by fuzzing: a stored mass flow of 3e153 at an outlet gives the
    // recomputed terminal an infinite drop; the document must still save
    // and read back.
    Network->DuctBranch(2)->Diameter = 0.5;
    Network->DuctBranch(5)->MassFlow = 3e153;
    const TDocumentRead Huge = ReadNetworkBytes(NetworkFileBytes(*Network, {}, Settings), "h.vtx", {});
    ASSERT_TRUE(Huge.Ok) << Huge.Reason;
    const TDocumentContents& C = Huge.Contents;
    EXPECT_FALSE(std::isfinite(C.Network->DuctBranch(5)->OutletTerminal->Drop));
    C.Network->DuctBranch(1)->InletTerminal->RefDrop = std::nan("");
    EXPECT_TRUE(ReadNetworkBytes(NetworkFileBytes(*C.Network, C.Properties, *C.Settings), "again.vtx", {}).Ok);
}

TEST(DocumentFile, MissingFileAndFailedSave)
{
    TTempFolder Folder("files");
    const std::string Missing = Folder / "none.vtx";
    const TDocumentRead Read = ReadNetworkFile(Missing, {});
    EXPECT_EQ(Read.Messages, (std::vector<std::string>{"File not found: " + Missing, "Error loading " + Missing}));

    // A save that cannot complete leaves the previous file byte for byte.
    const TSettings Settings;
    const TDuctGraph Network(true, &Settings);
    const std::string Name = Folder / "plan.vtx";
    std::ofstream(Name, std::ios::binary) << "previous";
    std::filesystem::permissions(Name, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    const TDocumentOutcome Saved = WriteNetworkFile(Name, Network, {}, Settings);
    EXPECT_FALSE(Saved.Ok);
    EXPECT_EQ(Saved.Messages, std::vector<std::string>{"Error writing file " + Name + ". The file is read-only."});
    EXPECT_EQ(FileBytes(Name), "previous");
}

// What the branch window and the pressure-drop form show beside the stored
// values follows from the stored flows, sizes and air of a sized document;
// the stored values stay exactly as read.
TEST(DocumentFile, OpenedDocumentShowsTheHydraulicsOfItsStoredFlowsAndSizes)
{
    TDuctGraph Sized(true);
    ASSERT_EQ(RunSolveCommand(Sized, scEqualFriction).Status, ssSolved);
    const TSettings Settings;
    const std::string Bytes = NetworkFileBytes(Sized, TDocumentProperties{}, Settings);
    TDocumentRead Read = ReadNetworkBytes(Bytes, "sized.vtx", TDocumentDefaults{});
    ASSERT_TRUE(Read.Ok) << Read.Reason;
    const TDuctGraph& Back = *Read.Contents.Network;
    EXPECT_EQ(Back.Method, Sized.Method);
    EXPECT_EQ(Back.Status, Sized.Status);
    using TField = double TDuctBranch::*;
    const TField Stored[] = {&TDuctBranch::VolumeFlow,   &TDuctBranch::MassFlow,     &TDuctBranch::DesignFlow,
                             &TDuctBranch::Diameter,     &TDuctBranch::DuctWidth,    &TDuctBranch::DuctHeight,
                             &TDuctBranch::FrictionDrop, &TDuctBranch::FittingsDrop, &TDuctBranch::TotalDrop};
    const TField Shown[] = {&TDuctBranch::Viscosity, &TDuctBranch::Reynolds, &TDuctBranch::FrictionFactor,
                            &TDuctBranch::EquivLength};
    for (const auto& Item : Sized.Branches()) {
        const auto& Was = static_cast<const TDuctBranch&>(*Item);
        const TDuctBranch& Now = *Back.DuctBranch(Was.Id());
        for (const TField F : Stored)
            EXPECT_EQ(Now.*F, Was.*F) << Was.Name;
        for (const TField F : Shown)
            EXPECT_NEAR(Now.*F, Was.*F, 1e-6 * std::fabs(Was.*F)) << Was.Name;
    }
}
