#pragma once
// A looped network for the balancing benchmarks: an n × n grid of round
// ducts 100 m long, 150 to 300 mm across (drawn at random with a fixed
// seed), roughness 0.15 mm, air of 1.2 kg/m³, fed by the main fan at one
// corner; every grid node has an outlet at the end of a 1 m terminal duct
// (by default a diffuser of 0.5 l/s on 150 mm; the options give other
// flows, sizes and outlet kinds, each with the settings' C). The fan draws all the air through one
// inlet and a 1 m duct sized for about 5 m/s. Also a star: one node with
// many outlets round it, fed the same way.

#include "RoundDuct.h"

#include "network/DuctGraph.h"
#include "network/Settings.h"

#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <random>

// The grid's outlets (their flow, the size of their terminal ducts and
// their kind), and items in its loops: with ItemsEvery above 0, every
// ItemsEvery-th grid duct has a booster fan of BoosterGain and the one
// after it a fixed pressure drop of FixedDrop.
struct TGridOptions {
    double OutletFlow = 0.0005;   // m³/s
    double OutletDiameter = 0.15; // m
    TOutletKind OutletKind = okDiffuser;
    int ItemsEvery = 0;
    double BoosterGain = 20.0; // Pa
    double FixedDrop = 0.5;    // Pa
};

class TGridNetworkGenerator {
public:
    static constexpr double GridLength = 100.0;  // m
    static constexpr double OutletLength = 1.0;  // m
    static constexpr double Roughness = 0.00015; // m

    // Settings the generated networks compute with.
    static void Configure(TSettings& Settings) { Settings.roughness = Roughness; }

    // Grid node (i, j) has id 1 + i·n + j; the fan runs from node n² + 1
    // into node 1, drawing from the inlet n² + 2; outlet k (id n² + 2 + k)
    // hangs off grid node k.
    static void Grid(TDuctGraph& G, int N, const TGridOptions& Options = {}, std::uint32_t Seed = 2024)
    {
        std::mt19937 Rng(Seed);
        G.AirDensity = 1.2;
        const int Cells = N * N;
        int NextBranch = 1;
        for (int Id = 1; Id <= Cells; ++Id)
            G.GetOrAddNode(Id);
        Feed(G, NextBranch, Cells + 1, 1, Options.OutletFlow * Cells);
        auto Size = [&] { return 0.15 + 0.05 * static_cast<double>(Rng() % 4); };
        int Count = 0;
        auto GridDuct = [&](int From, int To) {
            TDuctBranch* B = Duct(G, NextBranch, From, To, Size(), GridLength, 0.0);
            if (Options.ItemsEvery <= 0)
                return;
            const int Place = Count++ % Options.ItemsEvery;
            if (Place == 0) {
                B->Booster = true;
                B->PressureGain = Options.BoosterGain;
            } else if (Place == 1) {
                B->FixedDps.push_back(std::make_unique<TFixeddP>("Damper", Options.FixedDrop));
            }
        };
        for (int I = 0; I < N; ++I) {
            for (int J = 0; J < N; ++J) {
                const int Here = 1 + I * N + J;
                if (J + 1 < N)
                    GridDuct(Here, Here + 1);
                if (I + 1 < N)
                    GridDuct(Here, Here + N);
            }
        }
        for (int K = 1; K <= Cells; ++K)
            Outlet(G, NextBranch, K, Cells + 2 + K, Options);
    }

    // Count outlets round node 1, fed by the main fan from node 2, which
    // draws from the inlet 3; outlet k has id 3 + k.
    static void Star(TDuctGraph& G, int Count)
    {
        G.AirDensity = 1.2;
        int NextBranch = 1;
        Feed(G, NextBranch, 2, 1, TGridOptions{}.OutletFlow * Count);
        for (int K = 1; K <= Count; ++K)
            Outlet(G, NextBranch, 1, 3 + K, TGridOptions{});
    }

private:
    static TDuctBranch* Duct(TDuctGraph& G, int& NextBranch, int From, int To, double Diameter,
                             double Length, double Flow)
    {
        return AddRoundDuct(G, NextBranch++, From, To, Diameter, Length, Flow);
    }

    static void Outlet(TDuctGraph& G, int& NextBranch, int Node, int OutletId, const TGridOptions& Options)
    {
        auto* End = static_cast<TFlowNode*>(G.GetOrAddNode(OutletId));
        End->NodeType = ntOutlet;
        End->OutletKind = Options.OutletKind;
        Duct(G, NextBranch, Node, OutletId, Options.OutletDiameter, OutletLength, Options.OutletFlow);
        G.UpdateNodeTerminals(End);
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
