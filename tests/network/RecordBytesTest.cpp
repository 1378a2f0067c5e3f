// The stored records of the network as the tag rules give them: every field
// a value of its own, compared with bytes written out by hand, and records
// written by hand read back field by field. A round trip alone cannot see
// two fields swapped in both the writer and the reader.

#include "tests/HandEncoding.h"

#include "foundation/ValueStream.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"

#include <gtest/gtest.h>

#include <memory>

TEST(RecordBytes, FlowNode)
{
    const TSettings Settings;
    TDuctGraph G(false, &Settings);
    auto& N = static_cast<TFlowNode&>(*G.GetOrAddNode(7));
    N.Name = "Zone";
    N.X = 1234;
    N.Y = -7;
    N.NodeType = ntOutlet;
    N.Elevation = 2.5;
    N.Pressure = 101000.25;
    N.DryBulb = 21.75;
    N.Density = 1.1875;
    N.RelPressure = -3.5;
    N.ExtMassFlow = -0.375;
    N.OutletKind = okPlainOutlet;
    N.InletKind = ikGrille;
    THandEncoding Hand;
    Hand.Str("Zone").Int(1234).Int(-7).Int(ntOutlet);
    Hand.Float(2.5).Float(101000.25).Float(21.75).Float(1.1875).Float(-3.5).Float(-0.375);
    Hand.Int(okPlainOutlet).Int(ikGrille);
    TValueWriter W;
    N.WriteData(W);
    EXPECT_EQ(W.Bytes(), Hand.Bytes);

    // Read over a node of other values, so that a field the reader skips shows.
    THandEncoding Other;
    Other.Str("Plant").Int(300).Int(45).Int(ntInlet);
    Other.Float(-1.25).Float(99000.5).Float(18.25).Float(1.0625).Float(7.75).Float(0.625);
    Other.Int(okGrille).Int(ikCanopy);
    TValueReader R(Other.Bytes);
    N.ReadData(R, gdvNewest);
    EXPECT_TRUE(R.AtEnd());
    EXPECT_EQ(N.Name, "Plant");
    EXPECT_EQ(N.X, 300);
    EXPECT_EQ(N.Y, 45);
    EXPECT_EQ(N.NodeType, ntInlet);
    EXPECT_EQ(N.Elevation, -1.25);
    EXPECT_EQ(N.Pressure, 99000.5);
    EXPECT_EQ(N.DryBulb, 18.25);
    EXPECT_EQ(N.Density, 1.0625);
    EXPECT_EQ(N.RelPressure, 7.75);
    EXPECT_EQ(N.ExtMassFlow, 0.625);
    EXPECT_EQ(N.OutletKind, okGrille);
    EXPECT_EQ(N.InletKind, ikCanopy);
}

namespace {

// An inlet-to-outlet duct, so that both terminal records are stored.
TDuctBranch& TerminalDuct(TDuctGraph& G)
{
    G.GetOrAddNode(1);
    G.GetOrAddNode(2);
    G.FlowNode(1)->NodeType = ntInlet;
    G.FlowNode(2)->NodeType = ntOutlet;
    G.AddBranch(9, 1, 2);
    return *G.DuctBranch(9);
}

} // namespace

TEST(RecordBytes, DuctBranch)
{
    const TSettings Settings;
    TDuctGraph G(false, &Settings);
    TDuctBranch& B = TerminalDuct(G);
    B.Name = "Supply";
    B.LabelX = 21;
    B.LabelY = -22;
    B.Kind = bkCommon;
    B.Diameter = 0.3125;
    B.Length = 12.5;
    B.FixedDps.clear();
    B.FixedCs.clear();
    B.FixedDps.push_back(std::make_unique<TFixeddP>("Filter", 45.5));
    B.FixedDps.back()->EquivLength = 1.75;
    B.FixedCs.push_back(std::make_unique<TFixedC>("Elbow", 0.375));
    B.FixedCs.back()->EquivLength = 2.25;
    B.FixedCs.back()->Drop = 3.125;
    B.OutletTerminal = std::make_unique<TFixedEndFitting>("Outlet");
    B.InletTerminal = std::make_unique<TFixedEndFitting>("Inlet");
    double V = 100.5;
    for (TFixedEndFitting* End : {B.OutletTerminal.get(), B.InletTerminal.get()})
        for (double* Field : {&End->EquivLength, &End->Drop, &End->C, &End->RefVelocity, &End->RefDrop})
            *Field = V++;
    double* const Plain[] = {&B.LeFittings, &B.LeDp,     &B.LeC,        &B.DeltaZ,     &B.MassFlow,
                             &B.VolumeFlow, &B.DesignFlow, &B.FrictionDrop, &B.StackDrop, &B.FixedDpSum,
                             &B.FixedCSum,  &B.PressureGain};
    for (double* Field : Plain)
        *Field = V++;
    B.Booster = true;
    B.FittingsDrop = 0.5;
    B.SizeFixed = false;
    B.DamperDrop = 1.5;
    B.Reserved = 2.5;
    B.DuctType = dtRect;
    B.DuctHeight = 0.25;
    B.DuctWidth = 0.625;
    B.Aspect = 0.4;
    B.Keep1 = 2;
    B.Keep2 = 3;

    THandEncoding Hand;
    Hand.Str("Supply").Int(21).Int(-22).Int(bkCommon).Float(0.3125).Float(12.5);
    Hand.Begin().Str("Filter").Float(1.75).Float(45.5).End();
    Hand.Begin().Str("Elbow").Float(2.25).Float(3.125).Float(0.375).End();
    V = 100.5;
    for (const char* Caption : {"Outlet", "Inlet"}) {
        Hand.Str(Caption);
        for (int I = 0; I < 5; ++I)
            Hand.Float(V++);
    }
    for (int I = 0; I < 12; ++I)
        Hand.Float(V++);
    Hand.Bool(true).Float(0.5).Bool(false).Float(1.5).Float(2.5);
    Hand.Int(dtRect).Float(0.25).Float(0.625).Float(0.4).Int(2).Int(3);
    TValueWriter W;
    B.WriteData(W);
    EXPECT_EQ(W.Bytes(), Hand.Bytes);

    // A hand-written record of other values read over a fresh duct.
    TDuctGraph Other(false, &Settings);
    TDuctBranch& R = TerminalDuct(Other);
    THandEncoding Record;
    Record.Str("Return").Int(31).Int(32).Int(bkGain).Float(0.4375).Float(7.5);
    Record.Begin().Str("Coil").Float(0.75).Float(60.5).End();
    Record.Begin().Str("Tee").Float(1.25).Float(2.75).Float(0.875).End();
    V = 200.5;
    for (const char* Caption : {"Out", "In"}) {
        Record.Str(Caption);
        for (int I = 0; I < 5; ++I)
            Record.Float(V++);
    }
    for (int I = 0; I < 12; ++I)
        Record.Float(V++);
    Record.Bool(false).Float(4.5).Bool(true).Float(5.5).Float(6.5);
    Record.Int(dtSpiral).Float(0.125).Float(0.1875).Float(1.25).Int(1).Int(0);
    TValueReader In(Record.Bytes);
    R.ReadData(In, gdvNewest);
    EXPECT_TRUE(In.AtEnd());
    EXPECT_EQ(R.Name, "Return");
    EXPECT_EQ(R.LabelX, 31);
    EXPECT_EQ(R.LabelY, 32);
    EXPECT_EQ(R.Kind, bkGain);
    EXPECT_EQ(R.Diameter, 0.4375);
    EXPECT_EQ(R.Length, 7.5);
    ASSERT_EQ(R.FixedDps.size(), 1u);
    EXPECT_EQ(R.FixedDps[0]->Caption, "Coil");
    EXPECT_EQ(R.FixedDps[0]->EquivLength, 0.75);
    EXPECT_EQ(R.FixedDps[0]->Drop, 60.5);
    ASSERT_EQ(R.FixedCs.size(), 1u);
    EXPECT_EQ(R.FixedCs[0]->Caption, "Tee");
    EXPECT_EQ(R.FixedCs[0]->EquivLength, 1.25);
    EXPECT_EQ(R.FixedCs[0]->Drop, 2.75);
    EXPECT_EQ(R.FixedCs[0]->C, 0.875);
    V = 200.5;
    for (const TFixedEndFitting* End : {R.OutletTerminal.get(), R.InletTerminal.get()}) {
        ASSERT_NE(End, nullptr);
        for (double Field : {End->EquivLength, End->Drop, End->C, End->RefVelocity, End->RefDrop})
            EXPECT_EQ(Field, V++);
    }
    EXPECT_EQ(R.OutletTerminal->Caption, "Out");
    EXPECT_EQ(R.InletTerminal->Caption, "In");
    for (double Field : {R.LeFittings, R.LeDp, R.LeC, R.DeltaZ, R.MassFlow, R.VolumeFlow, R.DesignFlow,
                         R.FrictionDrop, R.StackDrop, R.FixedDpSum, R.FixedCSum, R.PressureGain})
        EXPECT_EQ(Field, V++);
    EXPECT_FALSE(R.Booster);
    EXPECT_EQ(R.FittingsDrop, 4.5);
    EXPECT_TRUE(R.SizeFixed);
    EXPECT_EQ(R.DamperDrop, 5.5);
    EXPECT_EQ(R.Reserved, 6.5);
    EXPECT_EQ(R.DuctType, dtSpiral);
    EXPECT_EQ(R.DuctHeight, 0.125);
    EXPECT_EQ(R.DuctWidth, 0.1875);
    EXPECT_EQ(R.Aspect, 1.25);
    EXPECT_EQ(R.Keep1, 1);
    EXPECT_EQ(R.Keep2, 0);
}

TEST(RecordBytes, Fitting)
{
    TFitting F("Tee", "SD5-9");
    F.Transition = false;
    F.Junction = true;
    F.Info = {1.5, 2.5};
    F.Roles = {"c", "s"};
    F.Links = {{4, nullptr}, {5, nullptr}};
    F.CValues = {3.5, 5.5};
    F.CValues2 = {4.5, 6.5};
    F.FlowRatios = {{7.5}, {8.5, 9.5}};
    F.VelocityRatios = {{10.5}, {11.5, 12.5}};
    THandEncoding Hand;
    Hand.Str("Tee").Str("SD5-9").Bool(false).Bool(true);
    Hand.Begin().Float(1.5).Float(2.5).End();
    Hand.Begin().Str("c").Int(4).Float(3.5).Float(4.5).Str("s").Int(5).Float(5.5).Float(6.5).End();
    Hand.Begin();
    Hand.Begin().Float(7.5).Float(10.5).End();
    Hand.Begin().Float(8.5).Float(11.5).Float(9.5).Float(12.5).End();
    Hand.End();
    TValueWriter W;
    F.WriteToWriter(W);
    EXPECT_EQ(W.Bytes(), Hand.Bytes);

    THandEncoding Other;
    Other.Str("Elbow").Str("CD3-1").Bool(true).Bool(false);
    Other.Begin().Float(0.25).Float(0.75).Float(1.25).End();
    Other.Begin().Str("b1").Int(300).Float(0.125).Float(0.375).Str("b2").Int(-2).Float(0.625).Float(0.875).End();
    Other.Begin();
    Other.Begin().Float(2.25).Float(3.25).End();
    Other.Begin().Float(4.25).Float(5.25).Float(6.25).Float(7.25).End();
    Other.End();
    TValueReader R(Other.Bytes);
    const TFitting Back(R, gdvNewest);
    EXPECT_TRUE(R.AtEnd());
    EXPECT_EQ(Back.Caption, "Elbow");
    EXPECT_EQ(Back.Code, "CD3-1");
    EXPECT_TRUE(Back.Transition);
    EXPECT_FALSE(Back.Junction);
    EXPECT_EQ(Back.Info, (std::vector<double>{0.25, 0.75, 1.25}));
    EXPECT_EQ(Back.Roles, (std::vector<std::string>{"b1", "b2"}));
    ASSERT_EQ(Back.Links.size(), 2u);
    EXPECT_EQ(Back.Links[0].BranchId, 300);
    EXPECT_EQ(Back.Links[1].BranchId, -2);
    EXPECT_EQ(Back.CValues, (std::vector<double>{0.125, 0.625}));
    EXPECT_EQ(Back.CValues2, (std::vector<double>{0.375, 0.875}));
    EXPECT_EQ(Back.FlowRatios, (std::vector<std::vector<double>>{{2.25}, {4.25, 6.25}}));
    EXPECT_EQ(Back.VelocityRatios, (std::vector<std::vector<double>>{{3.25}, {5.25, 7.25}}));
}
