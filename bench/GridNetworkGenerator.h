#pragma once
// A looped network for the balancing benchmarks: an n × n grid of round
// ducts 100 m long, 150 to 300 mm across (drawn at random with a fixed
// seed), roughness 0.15 mm, air of 1.2 kg/m³, fed by the main fan at one
// corner; every grid node has an outlet of 0.5 l/s at the end of a 1 m
// duct of 150 mm. The fan draws all the air through one inlet and a 1 m
// duct sized for about 5 m/s. Also a star: one node with many outlets round
// it, fed the same way.

#include "network/DuctGraph.h"
#include "network/Settings.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

class TGridNetworkGenerator {
public:
    static constexpr double OutletFlow = 0.0005; // m³/s
    static constexpr double GridLength = 100.0;  // m
    static constexpr double OutletLength = 1.0;  // m
    static constexpr double OutletDiameter = 0.15; // m
    static constexpr double Roughness = 0.00015; // m

    // Settings the generated networks compute with.
    static void Configure(TSettings& Settings) { Settings.roughness = Roughness; }

    // Grid node (i, j) has id 1 + i·n + j; the fan runs from node n² + 1
    // into node 1, drawing from the inlet n² + 2; outlet k (id n² + 2 + k)
    // hangs off grid node k.
    static void Grid(TDuctGraph& G, int N, std::uint32_t Seed = 2024)
    {
        std::mt19937 Rng(Seed);
        G.AirDensity = 1.2;
        const int Cells = N * N;
        int NextBranch = 1;
        for (int Id = 1; Id <= Cells; ++Id)
            G.GetOrAddNode(Id);
        Feed(G, NextBranch, Cells + 1, 1, OutletFlow * Cells);
        auto Size = [&] { return 0.15 + 0.05 * static_cast<double>(Rng() % 4); };
        for (int I = 0; I < N; ++I) {
            for (int J = 0; J < N; ++J) {
                const int Here = 1 + I * N + J;
                if (J + 1 < N)
                    Duct(G, NextBranch, Here, Here + 1, Size(), GridLength, 0.0);
                if (I + 1 < N)
                    Duct(G, NextBranch, Here, Here + N, Size(), GridLength, 0.0);
            }
        }
        for (int K = 1; K <= Cells; ++K)
            Outlet(G, NextBranch, K, Cells + 2 + K);
    }

    // Count outlets round node 1, fed by the main fan from node 2, which
    // draws from the inlet 3; outlet k has id 3 + k.
    static void Star(TDuctGraph& G, int Count)
    {
        G.AirDensity = 1.2;
        int NextBranch = 1;
        Feed(G, NextBranch, 2, 1, OutletFlow * Count);
        for (int K = 1; K <= Count; ++K)
            Outlet(G, NextBranch, 1, 3 + K);
    }

private:
    static TDuctBranch* Duct(TDuctGraph& G, int& NextBranch, int From, int To, double Diameter,
                             double Length, double Flow)
    {
        auto* B = static_cast<TDuctBranch*>(G.AddBranch(NextBranch++, From, To));
        B->SetDuctType(dtSpiral, 0.0, Length, Flow);
        B->Diameter = Diameter;
        B->DuctHeight = Diameter;
        B->DuctWidth = Diameter;
        B->CalcArea();
        B->CalcVelocity();
        B->CalcDuctArea();
        return B;
    }

    static void Outlet(TDuctGraph& G, int& NextBranch, int Node, int OutletId)
    {
        static_cast<TFlowNode*>(G.GetOrAddNode(OutletId))->NodeType = ntOutlet;
        Duct(G, NextBranch, Node, OutletId, OutletDiameter, OutletLength, OutletFlow);
        G.UpdateNodeTerminals(G.FlowNode(OutletId));
    }

    // The main fan from FanFrom into FanTo carrying Flow, and its inlet
    // (id FanFrom + 1) with a 1 m duct of about 5 m/s into FanFrom.
    static void Feed(TDuctGraph& G, int& NextBranch, int FanFrom, int FanTo, double Flow)
    {
        const int Inlet = FanFrom + 1;
        G.GetOrAddNode(FanFrom);
        static_cast<TFlowNode*>(G.GetOrAddNode(Inlet))->NodeType = ntInlet;
        auto* Fan = static_cast<TDuctBranch*>(G.AddBranch(NextBranch++, FanFrom, FanTo));
        Fan->Name = "Main Fan";
        Fan->Kind = bkGain;
        Fan->SetDuctType(dtFan, 0.0, 0.0, Flow);
        Fan->AddFanDefaults();
        G.MainFan = Fan;
        Duct(G, NextBranch, Inlet, FanFrom, std::sqrt(4.0 * Flow / (std::numbers::pi * 5.0)), OutletLength, Flow);
        G.UpdateNodeTerminals(G.FlowNode(Inlet));
    }
};
