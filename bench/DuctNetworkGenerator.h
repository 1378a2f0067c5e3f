#pragma once
// Generated duct networks for the benchmarks: a main fan with a supply tree
// of outlets and a return tree of inlets, each terminal of 0.1 m³/s, ducts
// sized for about 5 m/s, and optionally cross-connections between
// neighbouring junctions of the same side and depth that close loops. The
// same options always give the same network.

#include "RoundDuct.h"
#include "network/DuctGraph.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <vector>

struct TGeneratedNetworkOptions {
    int Terminals = 10;          // outlets and inlets together (half each)
    bool CrossConnections = false;
    int TerminalsPerLoop = 10;   // about one cross-connection per this many terminals
    std::uint32_t Seed = 2024;
    double TerminalFlow = 0.1; // m³/s of every terminal
};

class TDuctNetworkGenerator {
public:
    static constexpr double DuctVelocity = 5.0; // m/s the sizes aim at

    // Builds the network into an empty G: fan 1 -> 2, the supply tree from
    // node 2, the return tree into node 1. Design and volume flows are the
    // sums of the terminals each tree branch serves.
    static void Generate(TDuctGraph& G, const TGeneratedNetworkOptions& Options)
    {
        TDuctNetworkGenerator Gen(G, Options);
        const int Outlets = Options.Terminals / 2;
        const int Inlets = Options.Terminals - Outlets;
        const double FanFlow = Options.TerminalFlow * std::max(Outlets, Inlets);
        auto* Fan = static_cast<TDuctBranch*>(G.AddBranch(Gen.NextBranch++, 1, 2));
        Fan->Name = "Main Fan";
        Fan->Kind = bkGain;
        Fan->SetDuctType(dtFan, 0.0, 0.0, FanFlow);
        Fan->AddFanDefaults();
        G.MainFan = Fan;
        Gen.NextNode = 3;
        Gen.Grow(2, Outlets, true, 0);
        Gen.Grow(1, Inlets, false, 0);
        if (Options.CrossConnections)
            Gen.Connect();
    }

private:
    TDuctGraph& G;
    TGeneratedNetworkOptions Options;
    std::mt19937 Rng;
    int NextNode = 1;
    int NextBranch = 1;
    // Junctions by side and depth, in creation order.
    std::vector<std::vector<int>> Junctions[2];

    TDuctNetworkGenerator(TDuctGraph& Graph, const TGeneratedNetworkOptions& O)
        : G(Graph), Options(O), Rng(O.Seed) {}

    double Uniform(double Low, double High)
    {
        return Low + (High - Low) * static_cast<double>(Rng()) / 4294967296.0;
    }

    TDuctBranch* Duct(int From, int To, double Flow, double Length)
    {
        const double D = std::max(0.1, std::sqrt(4.0 * std::fabs(Flow) / (std::numbers::pi * DuctVelocity)));
        TDuctBranch* B = AddRoundDuct(G, NextBranch++, From, To, D, Length, Flow);
        B->Name = "Duct " + std::to_string(B->Id());
        return B;
    }

    // Hangs Count terminals below Node: one terminal duct, or up to three
    // junctions sharing them. Supply ducts run away from the fan, return
    // ducts toward it.
    void Grow(int Node, int Count, bool Supply, int Depth)
    {
        if (Count <= 0)
            return;
        if (Count == 1) {
            const int Terminal = NextNode++;
            auto* T = static_cast<TFlowNode*>(G.GetOrAddNode(Terminal));
            T->NodeType = Supply ? ntOutlet : ntInlet;
            Duct(Supply ? Node : Terminal, Supply ? Terminal : Node, Options.TerminalFlow, Uniform(1.0, 3.0));
            G.UpdateNodeTerminals(T);
            return;
        }
        const int Parts = std::min(3, Count);
        int Left = Count;
        for (int P = 0; P < Parts; ++P) {
            const int Share = Left / (Parts - P);
            Left -= Share;
            const int Junction = NextNode++;
            const double Flow = Options.TerminalFlow * Share;
            Duct(Supply ? Node : Junction, Supply ? Junction : Node, Flow, Uniform(3.0, 12.0));
            auto& Levels = Junctions[Supply ? 0 : 1];
            if (Levels.size() <= static_cast<std::size_t>(Depth))
                Levels.resize(static_cast<std::size_t>(Depth) + 1);
            Levels[static_cast<std::size_t>(Depth)].push_back(Junction);
            Grow(Junction, Share, Supply, Depth + 1);
        }
    }

    // Cross-connections without flow between neighbouring junctions of the
    // same side and depth, spread over the network.
    void Connect()
    {
        std::vector<std::pair<int, int>> Pairs;
        for (const auto& Levels : Junctions)
            for (const auto& Level : Levels)
                for (std::size_t I = 1; I < Level.size(); ++I)
                    Pairs.emplace_back(Level[I - 1], Level[I]);
        const std::size_t Wanted = static_cast<std::size_t>(std::max(1, Options.Terminals / Options.TerminalsPerLoop));
        std::shuffle(Pairs.begin(), Pairs.end(), Rng);
        Pairs.resize(std::min(Wanted, Pairs.size()));
        for (const auto& [A, B] : Pairs)
            Duct(A, B, 0.0, Uniform(4.0, 10.0));
    }
};
