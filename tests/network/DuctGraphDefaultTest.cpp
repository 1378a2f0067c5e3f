#include "network/DuctGraph.h"
#include "network/Settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

struct TExpectedNode {
    int Id;
    int X;
    int Y;
    TNodeType Type;
};

struct TExpectedBranch {
    int Id;
    const char* Name;
    int From;
    int To;
    TDuctType Type;
    double Length;
    double Flow;
    double Diameter;
    double Side;
};

} // namespace

TEST(DuctGraphDefault, SixNodesFiveBranchesAsSpecified)
{
    const TSettings Defaults;
    TDuctGraph G(true, &Defaults);
    ASSERT_EQ(G.NodeCount(), 6);
    ASSERT_EQ(G.BranchCount(), 5);

    const TExpectedNode Nodes[] = {{1, 100, 280, ntInlet},  {2, 100, 220, ntCommon}, {3, 100, 100, ntCommon},
                                   {4, 220, 100, ntCommon}, {5, 340, 100, ntCommon}, {6, 400, 100, ntOutlet}};
    for (std::size_t I = 0; I < 6; ++I) {
        const auto& N = static_cast<const TFlowNode&>(*G.Nodes()[I]);
        SCOPED_TRACE(N.Name);
        EXPECT_EQ(N.Id(), Nodes[I].Id);
        EXPECT_EQ(N.Name, "Node " + std::to_string(Nodes[I].Id));
        EXPECT_EQ(N.X, Nodes[I].X);
        EXPECT_EQ(N.Y, Nodes[I].Y);
        EXPECT_EQ(N.NodeType, Nodes[I].Type);
        EXPECT_EQ(N.OutletKind, okDiffuser);
        EXPECT_EQ(N.InletKind, ikGrille);
        EXPECT_EQ(N.Pressure, 101325.0);
        EXPECT_EQ(N.Density, G.AirDensity);
    }

    const TExpectedBranch Branches[] = {
        {1, "Spiral 1", 1, 2, dtSpiral, 1.5, 0.3, 0.2, 0.183},
        {2, "RA Duct", 2, 3, dtRect, 10.0, 1.0, 0.5466, 0.5},
        {3, "Main Fan", 3, 4, dtFan, 0.0, 1.0, 0.0, 0.0},
        {4, "SA Duct", 4, 5, dtRect, 10.0, 1.0, 0.5466, 0.5},
        {5, "Spiral 2", 5, 6, dtSpiral, 1.5, 0.3, 0.2, 0.183}};
    for (std::size_t I = 0; I < 5; ++I) {
        const auto& B = static_cast<const TDuctBranch&>(*G.Branches()[I]);
        const TExpectedBranch& E = Branches[I];
        SCOPED_TRACE(E.Name);
        EXPECT_EQ(B.Id(), E.Id);
        EXPECT_EQ(B.Name, E.Name);
        EXPECT_EQ(B.FromNode->Id(), E.From);
        EXPECT_EQ(B.ToNode->Id(), E.To);
        EXPECT_EQ(B.DuctType, E.Type);
        EXPECT_EQ(B.Length, E.Length);
        EXPECT_EQ(B.TotalLength, E.Length);
        EXPECT_EQ(B.VolumeFlow, E.Flow);
        EXPECT_EQ(B.DesignFlow, E.Flow);
        EXPECT_DOUBLE_EQ(B.MassFlow, E.Flow * G.AirDensity);
        EXPECT_EQ(B.Diameter, E.Diameter);
        EXPECT_EQ(B.DuctHeight, E.Side);
        EXPECT_EQ(B.DuctWidth, E.Side);
        EXPECT_EQ(B.Aspect, 1.0);
        EXPECT_EQ(B.Kind, E.Type == dtFan ? bkGain : bkCommon);
        EXPECT_EQ(B.PressureGain, 0.0);
        EXPECT_FALSE(B.Booster);
        EXPECT_EQ(B.LeFittings + B.LeDp + B.LeC, 0.0);
        EXPECT_EQ(B.FixedCs.size(), 0u);
        EXPECT_EQ(B.FixedDps.size(), E.Type == dtFan ? 2u : 0u);
        EXPECT_EQ(B.InletTerminal != nullptr, E.Id == 1);
        EXPECT_EQ(B.OutletTerminal != nullptr, E.Id == 5);
    }

    // The main fan, its return node 3 and supply node 4, and its fixed drops.
    ASSERT_EQ(G.MainFan, G.FindBranch(3));
    EXPECT_EQ(G.MainFan->FromNode->Id(), 3);
    EXPECT_EQ(G.MainFan->ToNode->Id(), 4);
    EXPECT_EQ(G.MainFan->FixedDps[0]->Caption, "Coil");
    EXPECT_EQ(G.MainFan->FixedDps[0]->Drop, 150.0);
    EXPECT_EQ(G.MainFan->FixedDps[1]->Caption, "Filter");
    EXPECT_EQ(G.MainFan->FixedDps[1]->Drop, 150.0);

    // Terminals: C 5 with a 40 Pa reference drop, so √(40/3) m/s.
    const TFixedEndFitting& In = *G.DuctBranch(1)->InletTerminal;
    const TFixedEndFitting& Out = *G.DuctBranch(5)->OutletTerminal;
    EXPECT_EQ(In.Caption, "Grille");
    EXPECT_EQ(Out.Caption, "Diffuser");
    for (const TFixedEndFitting* T : {&In, &Out}) {
        EXPECT_EQ(T->C, 5.0);
        EXPECT_EQ(T->RefDrop, 40.0);
        EXPECT_NEAR(T->RefVelocity, 3.6515, 1e-4);
    }

    // Areas and velocities follow the sizes: 0.3 m³/s in 0.2 m is 9.55 m/s.
    EXPECT_NEAR(G.DuctBranch(1)->Velocity, 0.3 / (std::numbers::pi * 0.01), 1e-9);
    EXPECT_NEAR(G.DuctBranch(2)->DuctVelocity, 4.0, 1e-12);
    EXPECT_EQ(G.DuctBranch(3)->DuctVelocity, 0.0);
    EXPECT_EQ(G.Status, ssNotSolved);
    EXPECT_EQ(G.ErrorBranch, nullptr);
    EXPECT_NEAR(G.AirDensity, 1.19, 0.02);
}

TEST(DuctGraphDefault, TerminalFlowsAndCValuesComeFromTheSettings)
{
    TSettings Custom;
    Custom.defoutletq[0] = 0.25;
    Custom.defoutletc[0] = 4.0;
    Custom.definletc[0] = 3.0;
    TDuctGraph G(true, &Custom);
    EXPECT_EQ(G.DuctBranch(1)->DesignFlow, 0.25);
    EXPECT_EQ(G.DuctBranch(5)->DesignFlow, 0.25);
    EXPECT_EQ(G.DuctBranch(2)->DesignFlow, 1.0);
    EXPECT_EQ(G.DuctBranch(5)->OutletTerminal->C, 4.0);
    EXPECT_EQ(G.DuctBranch(1)->InletTerminal->C, 3.0);
}

TEST(DuctBranch, CaptionsAndLabels)
{
    TDuctGraph G(true);
    EXPECT_EQ(G.DuctBranch(1)->Caption(), "Spiral Duct 200 mm diameter");
    EXPECT_EQ(G.DuctBranch(2)->Caption(), "Rectangular Duct 500 x 500 mm");
    EXPECT_EQ(G.DuctBranch(3)->Caption(), "Fan Type");
    G.DuctBranch(4)->DuctType = dtNone;
    EXPECT_EQ(G.DuctBranch(4)->Caption(), "Unknown duct type");
    EXPECT_EQ(G.DuctBranch(2)->ShortLabel(), "1000 l/s 547 mm");

    // A document about to be read starts empty.
    const TDuctGraph Empty;
    EXPECT_EQ(Empty.NodeCount() + Empty.BranchCount(), 0);
    EXPECT_EQ(Empty.MainFan, nullptr);
}

TEST(FlowEnums, ValuesOutsideTheirEnumerationHaveNoText)
{
    EXPECT_STREQ(NodeTypeText(4), "");
    EXPECT_STREQ(SolveMethodText(-1), "");
}
