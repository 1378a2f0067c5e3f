#pragma once
// Looped networks for the balancing tests, each fed by the main fan through
// one inlet and drained by outlets, so that the Sink closes every loop.

#include "tests/network/FlowNetworkBuilder.h"

#include "foundation/AirProperties.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <random>

namespace balance {

// A duct of Diameter m and Length m carrying Flow m³/s.
inline TDuctBranch* Duct(TFlowNetwork& N, int Id, int From, int To, double Diameter, double Length, double Flow)
{
    TDuctBranch* B = N.Duct(Id, From, To, Flow, Length);
    B->Diameter = Diameter;
    B->CalcArea();
    return B;
}

// Inlet 1 -> duct 1 -> node 2 =fan 2=> node 3, the fan carrying Flow m³/s.
inline void Feed(TFlowNetwork& N, double Flow)
{
    N.Node(1, ntInlet);
    Duct(N, 1, 1, 2, std::sqrt(4.0 * Flow / (std::numbers::pi * 5.0)), 1.0, Flow);
    N.Fan(2, 2, 3, Flow);
}

struct TGridOptions {
    double Smallest = 0.15;       // m, the grid ducts' smallest diameter...
    double SizeStep = 0.05;       // ...and their steps (four sizes, drawn at random)
    double Length = 100.0;        // m
    double OutletFlow = 0.0005;   // m³/s
    double OutletDiameter = 0.15; // m, of the outlets' 1 m ducts
    bool OutletEverywhere = true; // else one outlet, at the far corner, takes it all
    std::uint32_t Seed = 7;
    // With ItemsEvery above 0, every ItemsEvery-th grid duct has a booster
    // fan of BoosterGain Pa and the one after it a fixed drop of FixedDrop Pa.
    int ItemsEvery = 0;
    double BoosterGain = 20.0;
    double FixedDrop = 1.5;
};

// A Side × Side grid of ducts from node 3 on (ids 3 + i·Side + j), fed at
// node 3, with outlets off its nodes as the options say.
inline void Grid(TFlowNetwork& N, int Side, const TGridOptions& O = {})
{
    const int Cells = Side * Side;
    const int Outlets = O.OutletEverywhere ? Cells : 1;
    Feed(N, O.OutletFlow * Outlets);
    std::mt19937 Rng(O.Seed);
    auto Size = [&] { return O.Smallest + O.SizeStep * static_cast<double>(Rng() % 4); };
    int Id = 3;
    int Count = 0;
    auto GridDuct = [&](int From, int To) {
        TDuctBranch* B = Duct(N, Id++, From, To, Size(), O.Length, 0.0);
        const int Place = O.ItemsEvery > 0 ? Count++ % O.ItemsEvery : -1;
        if (Place == 0) {
            B->Booster = true;
            B->PressureGain = O.BoosterGain;
        } else if (Place == 1) {
            B->FixedDps.push_back(std::make_unique<TFixeddP>("Damper", O.FixedDrop));
        }
    };
    for (int I = 0; I < Side; ++I) {
        for (int J = 0; J < Side; ++J) {
            const int Here = 3 + I * Side + J;
            if (J + 1 < Side)
                GridDuct(Here, Here + 1);
            if (I + 1 < Side)
                GridDuct(Here, Here + Side);
        }
    }
    for (int K = Cells - Outlets; K < Cells; ++K) {
        N.Node(3 + Cells + K, ntOutlet);
        Duct(N, Id++, 3 + K, 3 + Cells + K, O.OutletDiameter, 1.0, O.OutletFlow);
    }
}

// The mass flow (kg/s) at which air of the network's density and 20 °C
// turns turbulent (Re 2300) in a round duct of Diameter.
inline double TurbulentFlow(double Diameter)
{
    return 2300.0 * std::numbers::pi * Diameter * AirViscosity(20.0) / 4.0;
}

// From node 3 to node 4 two ducts side by side: duct 3 of Diameter and
// 100 m, and duct 4 holding only a fixed drop that lies in the middle of
// the jump of duct 3's law at Re 2300; then the outlet duct 5 to node 5.
// Duct 3 can only balance on its jump (of 0.47 Pa at 150 mm). Duct 4, of
// twice the diameter with twice the flow, sits at its own Re 2300 as well,
// where its friction factor (and with it the length its fixed drop stands
// for) jumps.
inline void JumpPair(TFlowNetwork& N, double Diameter = 0.15)
{
    const double Rho = N.G.AirDensity;
    const double Jump = TurbulentFlow(Diameter);
    Feed(N, 3.0 * Jump / Rho);
    TDuctBranch* Laminar = Duct(N, 3, 3, 4, Diameter, 100.0, Jump / Rho);
    // The drop of duct 3 just below and just above its jump.
    auto DropAt = [&](double M) {
        Laminar->SetVolumeFlow(M / Rho);
        for (int Settle = 0; Settle < 3; ++Settle) {
            Laminar->CalcFriction();
            Laminar->RecalcLosses();
        }
        return Laminar->TotalDrop;
    };
    const double Middle = 0.5 * (DropAt(0.99 * Jump) + DropAt(1.01 * Jump));
    Laminar->SetVolumeFlow(Jump / Rho);
    TDuctBranch* Damper = Duct(N, 4, 3, 4, 2.0 * Diameter, 0.0, 2.0 * Jump / Rho);
    Damper->FixedDps.push_back(std::make_unique<TFixeddP>("Damper", Middle));
    N.Node(5, ntOutlet);
    Duct(N, 5, 4, 5, 2.0 * Diameter, 1.0, 3.0 * Jump / Rho);
}

// The flows of the design, as "Sum Flows" leaves them, ready to balance.
inline bool Distribute(TFlowNetwork& N)
{
    if (!N.G.DistributeFlows())
        return false;
    N.G.InitFlowsFromDesign();
    N.G.Method = smFlowBalance;
    return true;
}

// The largest |inflow - outflow| of mass over the nodes (kg/s), the Sink
// and the fan's nodes included.
inline double LargestImbalance(const TDuctGraph& G)
{
    double Largest = 0.0;
    for (const auto& Node : G.Nodes()) {
        double Net = 0.0;
        for (const TLink& L : Node->Links)
            Net += L.Direction * static_cast<const TFlowBranch&>(*L.Branch).MassFlow;
        Largest = std::max(Largest, std::fabs(Net));
    }
    return Largest;
}

} // namespace balance
