#pragma once
// A looped network for the balancing benchmarks: an n × n grid of round
// ducts 100 m long, 150 to 300 mm across (drawn at random with a fixed
// seed), roughness 0.15 mm, air of 1.2 kg/m³, fed by the main fan at one
// corner; every grid node has an outlet of 0.5 l/s at the end of a 1 m
// duct of 150 mm. The fan draws from a node of its own, which the leakage
// branch of the flow distribution joins to the Sink. Also a star: one node
// with many outlets round it.

#include "network/DuctGraph.h"
#include "network/Settings.h"

#include <cstdint>
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
    // into node 1; outlet k hangs off grid node k.
    static void Grid(TDuctGraph& G, int N, std::uint32_t Seed = 2024)
    {
        std::mt19937 Rng(Seed);
        G.AirDensity = 1.2;
        const int Cells = N * N;
        int NextBranch = 1;
        auto Duct = [&](int From, int To, double Diameter, double Length, double Flow) {
            auto* B = static_cast<TDuctBranch*>(G.AddBranch(NextBranch++, From, To));
            B->SetDuctType(dtSpiral, 0.0, Length, Flow);
            B->Diameter = Diameter;
            B->DuctHeight = Diameter;
            B->DuctWidth = Diameter;
            B->CalcArea();
            B->CalcVelocity();
            B->CalcDuctArea();
            return B;
        };
        auto Size = [&] { return 0.15 + 0.05 * static_cast<double>(Rng() % 4); };
        const int FanFrom = Cells + 1;
        G.GetOrAddNode(FanFrom);
        for (int Id = 1; Id <= Cells; ++Id)
            G.GetOrAddNode(Id);
        auto* Fan = static_cast<TDuctBranch*>(G.AddBranch(NextBranch++, FanFrom, 1));
        Fan->Name = "Main Fan";
        Fan->Kind = bkGain;
        Fan->SetDuctType(dtFan, 0.0, 0.0, OutletFlow * Cells);
        Fan->AddFanDefaults();
        G.MainFan = Fan;
        for (int I = 0; I < N; ++I) {
            for (int J = 0; J < N; ++J) {
                const int Here = 1 + I * N + J;
                if (J + 1 < N)
                    Duct(Here, Here + 1, Size(), GridLength, 0.0);
                if (I + 1 < N)
                    Duct(Here, Here + N, Size(), GridLength, 0.0);
            }
        }
        for (int K = 1; K <= Cells; ++K) {
            const int Outlet = FanFrom + K;
            static_cast<TFlowNode*>(G.GetOrAddNode(Outlet))->NodeType = ntOutlet;
            Duct(K, Outlet, OutletDiameter, OutletLength, OutletFlow);
            G.UpdateNodeTerminals(G.FlowNode(Outlet));
        }
    }

    // Count outlets of 0.5 l/s round node 1, each at the end of a 1 m duct,
    // fed by the main fan from node 2.
    static void Star(TDuctGraph& G, int Count)
    {
        G.AirDensity = 1.2;
        int NextBranch = 1;
        G.GetOrAddNode(2);
        G.GetOrAddNode(1);
        auto* Fan = static_cast<TDuctBranch*>(G.AddBranch(NextBranch++, 2, 1));
        Fan->Name = "Main Fan";
        Fan->Kind = bkGain;
        Fan->SetDuctType(dtFan, 0.0, 0.0, OutletFlow * Count);
        Fan->AddFanDefaults();
        G.MainFan = Fan;
        for (int K = 1; K <= Count; ++K) {
            const int Outlet = 2 + K;
            static_cast<TFlowNode*>(G.GetOrAddNode(Outlet))->NodeType = ntOutlet;
            auto* B = static_cast<TDuctBranch*>(G.AddBranch(NextBranch++, 1, Outlet));
            B->SetDuctType(dtSpiral, 0.0, OutletLength, OutletFlow);
            B->Diameter = OutletDiameter;
            B->CalcArea();
            B->CalcVelocity();
            B->CalcDuctArea();
            G.UpdateNodeTerminals(G.FlowNode(Outlet));
        }
    }
};
