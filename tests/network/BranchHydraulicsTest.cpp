// Branch hydraulics against values worked by hand (air at 20 °C: viscosity
// 1.81778e-5 Pa·s; Colebrook solved to convergence; roughness 0.15 mm).

#include "FlowNetworkBuilder.h"

#include "foundation/ValueStream.h"
#include "graph/GraphFlags.h"
#include "tests/support/ExactDoubles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace {

// The chain of a solve on the one duct of N.
void Recalc(TFlowNetwork& N)
{
    N.G.DuctBranch(1)->CalcFlowTerms(true);
    N.G.RecalcBranches();
}

} // namespace

TEST(BranchHydraulics, SpiralAndRectangularDuctsByHand)
{
    // 0.2 m spiral, 10 m, 0.3 m³/s: v = 9.549 m/s, Re = 126078, f = 0.020792,
    // drop = f·L/D·ρv²/2 = 56.88 Pa.
    TFlowNetwork N;
    TDuctBranch* Spiral = N.DuctAtStandardAir(dtSpiral, 0.2, 10.0, 0.3);
    Recalc(N);
    EXPECT_NEAR(Spiral->Velocity, 9.5493, 1e-4);
    EXPECT_NEAR(Spiral->Reynolds, 126078.0, 5.0);
    EXPECT_NEAR(Spiral->FrictionFactor, 0.020792, 2e-6);
    EXPECT_NEAR(Spiral->TotalDrop, 56.88, 0.01);
    EXPECT_NEAR(Spiral->MassFlow, 0.36, 1e-12);

    // Air against the branch: the drop turns sign with the flow.
    Spiral->SetVolumeFlow(-0.3);
    Recalc(N);
    EXPECT_NEAR(Spiral->TotalDrop, -56.88, 0.01);

    // 500 x 300 mm (equivalent diameter 0.42 m), 20 m, 1.0 m³/s: the flow
    // velocity on the equivalent circle 7.218 m/s, f = 0.018051, drop
    // 26.87 Pa; the duct velocity on the rectangle 1.0/0.15 = 6.667 m/s.
    TFlowNetwork M;
    TDuctBranch* Rect = M.DuctAtStandardAir(dtRect, 0.42, 20.0, 1.0);
    Rect->DuctHeight = 0.3;
    Rect->DuctWidth = 0.5;
    Rect->CalcDuctArea();
    Rect->DuctVelocity = 0.0;
    Rect->CalcFlowTerms(true);
    M.G.RecalcChain();
    EXPECT_NEAR(Rect->Velocity, 7.2179, 1e-4);
    EXPECT_NEAR(Rect->FrictionFactor, 0.018051, 2e-6);
    EXPECT_NEAR(Rect->TotalDrop, 26.87, 0.01);
    EXPECT_NEAR(Rect->DuctVelocity, 6.6667, 1e-4);
    const TDuctSection S = Rect->FittingSection();
    EXPECT_DOUBLE_EQ(S.H, 300.0);
    EXPECT_DOUBLE_EQ(S.W, 500.0);
    EXPECT_NEAR(S.A, 0.15, 1e-12);
}

TEST(BranchHydraulics, FixedItemsEnterAsEquivalentLengths)
{
    // The spiral above (ρv²/2 = 54.713 Pa, f = 0.020792) with C = 0.5 and a
    // fixed 20 Pa: 56.88 + 0.5·54.713 + 20 = 104.24 Pa; LeC = 0.5·0.2/f.
    TFlowNetwork N;
    TDuctBranch* Duct = N.DuctAtStandardAir(dtSpiral, 0.2, 10.0, 0.3);
    Duct->FixedCs.push_back(std::make_unique<TFixedC>("Bend", 0.5));
    Duct->FixedDps.push_back(std::make_unique<TFixeddP>("Coil", 20.0));
    Recalc(N);
    EXPECT_NEAR(Duct->LeC, 0.5 * 0.2 / 0.020792, 1e-3);
    EXPECT_NEAR(Duct->FixedCs[0]->Drop, 27.357, 1e-3);
    EXPECT_NEAR(Duct->FixedCSum, 27.357, 1e-3);
    EXPECT_DOUBLE_EQ(Duct->FixedDpSum, 20.0);
    EXPECT_NEAR(Duct->TotalLength, 10.0 + Duct->LeC + Duct->LeDp, 1e-12);
    EXPECT_NEAR(Duct->TotalDrop, 104.24, 0.01);

    // A fixed C of 1 on a 0.2 m duct with f = 0.02 stands for 10 m.
    TFixedC C1("One", 1.0);
    C1.CalcEquivLength(20.0, 1.2, 0.36, 0.02, 0.2, 0.00015);
    EXPECT_NEAR(C1.EquivLength, 10.0, 1e-12);

    // Without flow a fixed drop has no length.
    TFixeddP Still("Still", 50.0);
    Still.CalcEquivLength(20.0, 1.2, 0.0, 0.02, 0.2, 0.00015);
    EXPECT_EQ(Still.EquivLength, 0.0);

    // A branch without a diameter: no friction, no NaN; the C item keeps its
    // drop and stands for no length.
    TFlowNetwork M;
    TDuctBranch* Bare = M.DuctAtStandardAir(dtSpiral, 0.0, 10.0, 0.3);
    Bare->FixedCs.push_back(std::make_unique<TFixedC>("Bend", 0.5));
    Bare->FixedCs[0]->Drop = 7.0;
    Recalc(M);
    EXPECT_EQ(Bare->FrictionFactor, 0.0);
    EXPECT_EQ(Bare->Resistance, 0.0);
    EXPECT_EQ(Bare->FrictionDrop, 0.0);
    EXPECT_EQ(Bare->FixedCs[0]->EquivLength, 0.0);
    EXPECT_EQ(Bare->FixedCs[0]->Drop, 7.0);
    EXPECT_TRUE(std::isfinite(Bare->TotalDrop));
    EXPECT_TRUE(std::isfinite(Bare->EquivLength));
    // The same item asked directly with a friction factor left from before
    // the diameter went.
    TFixedC& Item = *Bare->FixedCs[0];
    Item.CalcEquivLength(20.0, 1.2, 0.36, 0.02, 0.0, 0.00015);
    EXPECT_EQ(Item.EquivLength, 0.0);
    EXPECT_EQ(Item.Drop, 7.0);
}

TEST(BranchHydraulics, TerminalDropsAndStackEffect)
{
    // A terminal loses C·ρv²/2 whatever its own friction factor:
    // C = 5 on the spiral gives 273.57 Pa, at the outlet end only.
    TFlowNetwork N;
    TDuctBranch* Duct = N.DuctAtStandardAir(dtSpiral, 0.2, 10.0, 0.3);
    Duct->ToFlowNode()->NodeType = ntOutlet;
    Duct->UpdateOutletTerminal(N.Defaults, okDiffuser);
    Duct->OutletTerminal->C = 5.0;
    Duct->InletTerminal = std::make_unique<TFixedEndFitting>("Not at an inlet");
    Duct->InletTerminal->C = 3.0;
    Recalc(N);
    EXPECT_NEAR(Duct->OutletTermDrop, 273.567, 1e-3);
    EXPECT_EQ(Duct->InletTermDrop, 0.0);
    const double TermLe = Duct->OutletTerminal->EquivLength;
    EXPECT_GT(TermLe, 0.0);
    EXPECT_NEAR(Duct->EquivLength, TermLe, 1e-12);
    EXPECT_NEAR(Duct->LengthWithoutTerminals(), 10.0, 1e-12);

    // Stack effect: the to-node 10 m higher, 9.80665·1.2·10 = 117.68 Pa
    // taken off the drop of a plain duct.
    TFlowNetwork R;
    TDuctBranch* Riser = R.DuctAtStandardAir(dtSpiral, 0.2, 10.0, 0.3);
    Riser->ToFlowNode()->Elevation = 10.0;
    Riser->OutletTerminal = std::make_unique<TFixedEndFitting>("Not at an outlet");
    Riser->OutletTerminal->C = 5.0;
    Recalc(R);
    EXPECT_NEAR(Riser->StackDrop, 117.6798, 1e-4);
    EXPECT_NEAR(Riser->TotalDrop, 56.88 - 117.6798, 0.01);

    // A fan: its fixed items less its gain and the stack term.
    TFlowNetwork F;
    TDuctBranch* Fan = F.DuctAtStandardAir(dtFan, 0.0, 0.0, 1.0);
    Fan->Kind = bkGain;
    Fan->AddFanDefaults();
    Fan->PressureGain = 500.0;
    Recalc(F);
    EXPECT_EQ(Fan->FrictionFactor, 0.0);
    EXPECT_DOUBLE_EQ(Fan->TotalDrop, 300.0 - 500.0);
}

TEST(BranchHydraulics, SetEndValueDerivesTheThirdValue)
{
    struct TCase {
        double C, V, Drop;
        int Changed, Fixed;
        double WantC, WantV, WantDrop;
    };
    const double V40 = std::sqrt(40.0 / 3.0); // C 5 and 40 Pa: 3.651 m/s
    const TCase Cases[] = {
        {5.0, 0.0, 40.0, 0, 2, 5.0, V40, 40.0},       // C changed, drop kept
        {5.0, 2.0, 99.0, 0, 1, 5.0, 2.0, 12.0},       // C changed, velocity kept
        {0.0, 2.0, 12.0, 1, 2, 5.0, 2.0, 12.0},       // velocity changed, drop kept
        {5.0, 2.0, 0.0, 1, 0, 5.0, 2.0, 12.0},        // velocity changed, C kept
        {9.0, 2.0, 12.0, 2, 1, 5.0, 2.0, 12.0},       // drop changed, velocity kept
        {5.0, 9.0, 40.0, 2, 0, 5.0, V40, 40.0},       // drop changed, C kept
        {5.0, 9.0, -40.0, 2, 0, 5.0, 0.0, -40.0},     // a negative ratio has no root
        {0.0, 9.0, 40.0, 0, 2, 0.0, 0.0, 40.0},       // no C, no velocity
        {9.0, 0.0, 40.0, 2, 1, 0.0, 0.0, 40.0},       // no velocity, no C
        {5.0, 9.0, 40.0, 1, 1, 5.0, 9.0, 40.0},       // nothing to derive
    };
    for (const TCase& Case : Cases) {
        TFixedEndFitting T("Diffuser");
        T.C = Case.C;
        T.RefVelocity = Case.V;
        T.RefDrop = Case.Drop;
        T.SetEndValue(Case.Changed, Case.Fixed);
        EXPECT_NEAR(T.C, Case.WantC, 1e-12) << Case.Changed << Case.Fixed;
        EXPECT_NEAR(T.RefVelocity, Case.WantV, 1e-12) << Case.Changed << Case.Fixed;
        EXPECT_NEAR(T.RefDrop, Case.WantDrop, 1e-12) << Case.Changed << Case.Fixed;
    }
}

TEST(BranchHydraulics, PressurePropagatesAcrossTheBranchOnce)
{
    TFlowNetwork N;
    TDuctBranch* Duct = N.DuctAtStandardAir(dtSpiral, 0.2, 10.0, 0.3);
    TFlowNode* From = Duct->FromFlowNode();
    TFlowNode* To = Duct->ToFlowNode();
    Duct->TotalDrop = 30.0;
    From->RelPressure = 100.0;
    Duct->PropagatePressure(-1); // with the branch
    EXPECT_EQ(To->RelPressure, 70.0);
    To->RelPressure = 10.0;
    Duct->PropagatePressure(1); // against it
    EXPECT_EQ(From->RelPressure, 40.0);
    SetBit(From->Flags, gfVisited); // a node already reached keeps its pressure
    To->RelPressure = 0.0;
    Duct->PropagatePressure(1);
    EXPECT_EQ(From->RelPressure, 40.0);
}

TEST(BranchHydraulics, FixedItemRecordsReadBack)
{
    TValueWriter W;
    TFixedC("Bend", 0.35).WriteData(W);
    TFixedEndFitting End("Grille");
    End.EquivLength = 1.5;
    End.Drop = 12.0;
    End.C = 5.0;
    End.RefVelocity = 3.0;
    End.RefDrop = 27.0;
    End.WriteData(W);
    // A "GraphDataFile_v2.00" terminal: one integer after the common values,
    // reference drop 50 Pa, the velocity following (C 2: √(50/1.2)).
    W.WriteString("Old");
    W.WriteFloat(0.0);
    W.WriteFloat(0.0);
    W.WriteInteger(7);
    W.WriteFloat(2.0);
    W.WriteFloat(1.0);
    W.WriteFloat(1.2);

    TValueReader R(W.Bytes());
    TFixedC C(R);
    EXPECT_EQ(C.Caption, "Bend");
    EXPECT_EQ(C.C, 0.35);
    TFixedEndFitting Back(R, gdvNewest);
    EXPECT_EQ(Back.EquivLength, 1.5);
    EXPECT_EQ(Back.Drop, 12.0);
    EXPECT_EQ(Back.RefDrop, 27.0);
    TFixedEndFitting Old(R, gdv200);
    EXPECT_EQ(Old.C, 2.0);
    EXPECT_EQ(Old.RefDrop, 50.0);
    EXPECT_NEAR(Old.RefVelocity, std::sqrt(50.0 / 1.2), 1e-12);
    EXPECT_TRUE(R.AtEnd());

    // A record cut short, or holding no number, is an error.
    TValueWriter Bad;
    Bad.WriteString("Coil");
    Bad.WriteFloat(std::nan(""));
    Bad.WriteFloat(1.0);
    TValueReader BadReader(Bad.Bytes());
    EXPECT_THROW(TFixeddP{BadReader}, EStreamError);
    TValueReader Short(W.Bytes().substr(0, 8));
    EXPECT_THROW(TFixedC{Short}, EStreamError);
}

TEST(BranchHydraulics, SitsOnJumpWithinWhatARestingBalanceLeaves)
{
    // A resting balance leaves a branch with fixed drops a flow of a few
    // µm/s at most, and a duct at a jump's Reynolds number within a
    // millionth of it; anything further is a flow of its own.
    const double Rho = 1.2;
    const double Area = 0.25 * std::numbers::pi * 0.15 * 0.15;
    const struct {
        const char* Name;
        bool FixedDrop;
        double Velocity; // m/s, or 0 to place the flow by ReShare
        double Re, ReShare;
        bool Sits;
    } Cases[] = {
        {"damper without flow", true, 0.0, 0.0, 0.0, true},
        {"damper at 1 um/s", true, 1e-6, 0.0, 0.0, true},
        {"damper at 1 um/s against it", true, -1e-6, 0.0, 0.0, true},
        {"damper at 1 cm/s", true, 0.01, 0.0, 0.0, false},
        {"plain duct without flow", false, 0.0, 0.0, 0.0, false},
        {"plain duct at 1 um/s", false, 1e-6, 0.0, 0.0, false},
        {"just above Re 2300", false, 0.0, 2300.0, 1.0 + 5e-7, true},
        {"above Re 2300 by 1e-5", false, 0.0, 2300.0, 1.0 + 1e-5, false},
        {"just below Re 64", true, 0.0, 64.0, 1.0 - 5e-7, true},
        {"below Re 64 by 1e-5", false, 0.0, 64.0, 1.0 - 1e-5, false},
    };
    for (const auto& C : Cases) {
        TFlowNetwork N;
        TDuctBranch* B = N.DuctAtStandardAir(dtSpiral, 0.15, 10.0, 0.1);
        if (C.FixedDrop)
            B->FixedDps.push_back(std::make_unique<TFixeddP>("Damper", 2.0));
        Recalc(N);
        // Re follows the flow in proportion.
        const double Q = C.Re > 0.0 ? 0.1 * C.Re * C.ReShare / B->Reynolds : C.Velocity * Area;
        B->SetVolumeFlow(Q);
        Recalc(N);
        ASSERT_NEAR(B->MassFlow, Rho * Q, 1e-12 + 1e-9 * std::fabs(Rho * Q)) << C.Name;
        EXPECT_EQ(B->SitsOnJump(), C.Sits) << C.Name << ": Re " << B->Reynolds;
    }
}

TEST(BranchHydraulics, TerminalLengthIsStatedInTheDuctsOwnFactor)
{
    // A terminal's length is added to the duct's and multiplied by the
    // duct's factor: however the terminal is recomputed (as a document is
    // read or a terminal changed, or within a balancing step) it must be
    // C·D over that same factor, else the branch's drop is not C·ρv²/2 and
    // jumps where the law does not. Round and rectangular, smooth and
    // rough, in every regime, the held laminar factor (Re 64 to 213) too.
    const struct {
        const char* Name;
        TDuctType Type;
        double Roughness, Re;
    } Cases[] = {
        {"slow flow", dtSpiral, 0.00015, 30.0},      {"held laminar", dtSpiral, 0.00015, 100.0},
        {"laminar", dtSpiral, 0.00015, 1000.0},      {"below Re 2300", dtSpiral, 0.00015, 2299.0},
        {"above Re 2300", dtSpiral, 0.00015, 2301.0}, {"turbulent", dtSpiral, 0.00015, 1e5},
        {"fully rough", dtSpiral, 0.003, 1e7},       {"smooth", dtSpiral, 0.0, 1e5},
        {"rectangular", dtRect, 0.00015, 1e5},       {"rectangular, held", dtRect, 0.00015, 100.0},
    };
    for (const auto& C : Cases) {
        TFlowNetwork N;
        N.Defaults.roughness = C.Roughness;
        TDuctBranch* B = N.DuctAtStandardAir(C.Type, 0.42, 10.0, 0.1);
        if (C.Type == dtRect) {
            B->DuctHeight = 0.3;
            B->DuctWidth = 0.5;
            B->CalcDuctArea();
        }
        B->ToFlowNode()->NodeType = ntOutlet;
        B->UpdateOutletTerminal(N.Defaults, okDiffuser);
        B->OutletTerminal->C = 1.5;
        Recalc(N);
        B->SetVolumeFlow(0.1 * C.Re / B->Reynolds);
        B->RecalcLosses();
        const double InStep = B->OutletTerminal->EquivLength;
        ASSERT_GT(InStep, 0.0) << C.Name;
        B->CalcTerminalLosses();
        EXPECT_EQ(Exact(B->OutletTerminal->EquivLength), Exact(InStep)) << C.Name << ": Re " << B->Reynolds;
        EXPECT_EQ(Exact(B->OutletTerminal->EquivLength), Exact(1.5 * 0.42 / B->FrictionFactor)) << C.Name;
    }
}
