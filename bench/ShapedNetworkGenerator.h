#pragma once
// Duct networks of the shapes an engineer draws, for the balancing
// benchmarks and tests: random planar meshes (a jittered grid with
// diagonals), parallel ducts between the same nodes, ladders, rings with
// spokes, long chains with bypasses, a supply mesh with a return mesh, and
// trees. Each is laid out on the plane (duct lengths follow the nodes'
// places), fed by the main fan, its ducts sized for the terminals a tree
// from the fan gives them (50 to 1,500 mm), its outlets (and inlets)
// of 0.05 to 10 l/s; on request some ducts carry dampers as fixed drops
// (0.3 to 10 Pa), fixed C items or booster fans. The same options always
// give the same network.

#include "RoundDuct.h"

#include "network/DuctGraph.h"
#include "network/Settings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <utility>
#include <vector>

enum TNetworkShape {
    nsPlanarMesh,
    nsParallelDucts,
    nsLadder,
    nsRingsWithSpokes,
    nsChainWithBypasses,
    nsSupplyAndReturnMeshes,
    nsTree,
    nsShapeCount
};

inline const char* NetworkShapeName(TNetworkShape Shape)
{
    static const char* const Names[] = {"planar mesh",  "parallel ducts",           "ladder", "rings with spokes",
                                        "chain with bypasses", "supply and return meshes", "tree"};
    return Names[Shape];
}

struct TShapedNetworkOptions {
    TNetworkShape Shape = nsPlanarMesh;
    int Branches = 1000; // about this many, the fan and terminals included
    std::uint32_t Seed = 1;
    double MinOutletFlow = 0.00005; // m³/s, drawn log-uniformly between these
    double MaxOutletFlow = 0.01;
    // Shares of the network's ducts (not terminals) with a damper (a fixed
    // drop), a fixed C item, a booster fan.
    double DamperShare = 0.0;
    double FixedCShare = 0.0;
    double BoosterShare = 0.0;

    // A short name saying what the network holds.
    std::string Name() const
    {
        std::string S = std::string(NetworkShapeName(Shape)) + " " + std::to_string(Branches) + " #" +
                        std::to_string(Seed);
        if (DamperShare > 0.0)
            S += " dampers";
        if (FixedCShare > 0.0)
            S += " fixed C";
        if (BoosterShare > 0.0)
            S += " boosters";
        if (MaxOutletFlow < 0.001)
            S += " small outlets";
        return S;
    }
};

class TShapedNetworkGenerator {
public:
    static constexpr double Roughness = 0.00015; // m
    static constexpr double SmallestDuct = 0.05; // m
    static constexpr double LargestDuct = 1.5;   // m
    static constexpr double MinDrop = 0.3;       // Pa, of a damper
    static constexpr double MaxDrop = 10.0;

    // Settings the generated networks compute with.
    static void Configure(TSettings& Settings) { Settings.roughness = Roughness; }

    // Builds the network into an empty G.
    static void Generate(TDuctGraph& G, const TShapedNetworkOptions& Options)
    {
        TShapedNetworkGenerator Gen(Options);
        Gen.Lay();
        Gen.Build(G);
    }

private:
    struct TPlace {
        double X = 0.0, Y = 0.0;
        int Side = 0; // 0 supply, 1 return
    };
    struct TEdge {
        int From = 0, To = 0;
    };

    TShapedNetworkOptions Options;
    std::mt19937 Rng;
    std::vector<TPlace> Places; // junctions, by index
    std::vector<TEdge> Edges;   // ducts between junctions
    std::vector<int> Terminals; // junctions with a terminal, repeated for several
    int Roots[2] = {0, -1};     // where the fan feeds the supply and draws the return

    explicit TShapedNetworkGenerator(const TShapedNetworkOptions& O) : Options(O), Rng(O.Seed) {}

    double Uniform(double Low, double High)
    {
        return Low + (High - Low) * static_cast<double>(Rng()) / 4294967296.0;
    }
    bool Chance(double Share) { return Uniform(0.0, 1.0) < Share; }
    int Pick(int Count) { return static_cast<int>(Rng() % static_cast<std::uint32_t>(Count)); }

    int AddPlace(double X, double Y, int Side = 0)
    {
        Places.push_back({X, Y, Side});
        return static_cast<int>(Places.size()) - 1;
    }
    void Connect(int A, int B) { Edges.push_back({A, B}); }

    // Junctions with terminals: every one with Share, at least one.
    void TerminalsOn(int First, int Last, double Share)
    {
        for (int P = First; P < Last; ++P)
            if (Chance(Share))
                Terminals.push_back(P);
        if (Terminals.empty())
            Terminals.push_back(Last - 1);
    }

    // A W × H grid from (X0, Y0), its nodes moved at random by up to a
    // third of the spacing, a diagonal in some cells; its first junction.
    int JitteredGrid(int W, int H, double X0, int Side)
    {
        const double Spacing = Uniform(6.0, 15.0);
        const int First = static_cast<int>(Places.size());
        for (int J = 0; J < H; ++J)
            for (int I = 0; I < W; ++I)
                AddPlace(X0 + Spacing * (I + Uniform(-0.3, 0.3)), Spacing * (J + Uniform(-0.3, 0.3)), Side);
        auto At = [&](int I, int J) { return First + J * W + I; };
        for (int J = 0; J < H; ++J) {
            for (int I = 0; I < W; ++I) {
                if (I + 1 < W)
                    Connect(At(I, J), At(I + 1, J));
                if (J + 1 < H)
                    Connect(At(I, J), At(I, J + 1));
                if (I + 1 < W && J + 1 < H && Chance(0.3)) {
                    if (Chance(0.5))
                        Connect(At(I, J), At(I + 1, J + 1));
                    else
                        Connect(At(I + 1, J), At(I, J + 1));
                }
            }
        }
        return First;
    }

    // A random tree of Count junctions below Root, each child placed near
    // its parent; every edge doubled (or tripled) with Twins.
    void RandomTree(int Root, int Count, double Twins)
    {
        std::vector<int> Open{Root};
        int Made = 0;
        while (Made < Count && !Open.empty()) {
            const std::size_t Slot = static_cast<std::size_t>(Pick(static_cast<int>(Open.size())));
            const int Parent = Open[Slot];
            const int Children = 1 + Pick(4);
            for (int C = 0; C < Children && Made < Count; ++C, ++Made) {
                const double Angle = Uniform(0.0, 2.0 * std::numbers::pi);
                const double Reach = Uniform(3.0, 20.0);
                const int Child = AddPlace(Places[static_cast<std::size_t>(Parent)].X + Reach * std::cos(Angle),
                                           Places[static_cast<std::size_t>(Parent)].Y + Reach * std::sin(Angle));
                Connect(Parent, Child);
                if (Chance(Twins)) {
                    Connect(Parent, Child);
                    if (Chance(0.3))
                        Connect(Parent, Child);
                }
                Open.push_back(Child);
            }
            Open[Slot] = Open.back();
            Open.pop_back();
        }
    }

    // The junctions, ducts and terminals of the shape, about Options.Branches
    // branches in all.
    void Lay()
    {
        const double Target = std::max(50, Options.Branches - 2);
        switch (Options.Shape) {
        case nsPlanarMesh: {
            // 2.3 ducts and 0.6 terminals a junction.
            const int Side = std::max(3, static_cast<int>(std::sqrt(Target / 2.9)));
            JitteredGrid(Side, Side, 0.0, 0);
            TerminalsOn(0, static_cast<int>(Places.size()), 0.6);
            break;
        }
        case nsParallelDucts: {
            // 1 duct, 0.5 twins, 0.5 terminals a junction.
            AddPlace(0.0, 0.0);
            RandomTree(0, static_cast<int>(Target / 2.1), 0.5);
            TerminalsOn(1, static_cast<int>(Places.size()), 0.5);
            break;
        }
        case nsLadder: {
            // Two rails joined by rungs: 3 ducts and 1.4 terminals a rung.
            const int Rungs = std::max(3, static_cast<int>(Target / 4.4));
            const double Step = Uniform(3.0, 10.0);
            const double Width = Uniform(3.0, 15.0);
            for (int K = 0; K < Rungs; ++K) {
                const int A = AddPlace(Step * K, 0.0);
                const int B = AddPlace(Step * K, Width);
                Connect(A, B);
                if (K > 0) {
                    Connect(A - 2, A);
                    Connect(B - 2, B);
                }
            }
            TerminalsOn(0, static_cast<int>(Places.size()), 0.7);
            break;
        }
        case nsRingsWithSpokes: {
            // Rings round a hub, each node tied to the next ring's by a
            // spoke: 2 ducts and 0.6 terminals a node.
            const int Around = std::max(6, static_cast<int>(std::sqrt(Target / 2.6) * 1.5));
            const int Rings = std::max(2, static_cast<int>(Target / (2.6 * Around)));
            AddPlace(0.0, 0.0);
            for (int R = 0; R < Rings; ++R) {
                const double Radius = 10.0 * (R + 1);
                const int First = static_cast<int>(Places.size());
                for (int K = 0; K < Around; ++K) {
                    const double Angle = 2.0 * std::numbers::pi * K / Around;
                    AddPlace(Radius * std::cos(Angle), Radius * std::sin(Angle));
                    Connect(First + K, First + (K + 1) % Around);
                    Connect(R == 0 ? 0 : First + K - Around, First + K);
                }
            }
            TerminalsOn(1, static_cast<int>(Places.size()), 0.6);
            break;
        }
        case nsChainWithBypasses: {
            // A few long chains from the root, each node bypassed towards a
            // later one now and then: 1.15 ducts and 0.7 terminals a node.
            AddPlace(0.0, 0.0);
            const int Chains = 2 + Pick(4);
            const int Length = std::max(10, static_cast<int>(Target / (1.85 * Chains)));
            for (int C = 0; C < Chains; ++C) {
                const double Angle = 2.0 * std::numbers::pi * C / Chains;
                const int First = static_cast<int>(Places.size());
                for (int K = 0; K < Length; ++K) {
                    const double Reach = 5.0 * (K + 1);
                    const int P = AddPlace(Reach * std::cos(Angle) + Uniform(-1.0, 1.0),
                                           Reach * std::sin(Angle) + Uniform(-1.0, 1.0));
                    Connect(K == 0 ? 0 : P - 1, P);
                }
                for (int K = 0; K + 2 < Length; ++K)
                    if (Chance(0.15))
                        Connect(First + K, First + std::min(Length - 1, K + 2 + Pick(18)));
            }
            TerminalsOn(1, static_cast<int>(Places.size()), 0.7);
            break;
        }
        case nsSupplyAndReturnMeshes: {
            // A supply mesh with outlets and, beside it, a return mesh with
            // inlets, the fan between them.
            const int Side = std::max(3, static_cast<int>(std::sqrt(Target / 5.6)));
            JitteredGrid(Side, Side, 0.0, 0);
            const int Return = JitteredGrid(Side, Side, 20.0 * Side, 1);
            Roots[1] = Return;
            TerminalsOn(0, static_cast<int>(Places.size()), 0.5);
            break;
        }
        case nsTree:
        case nsShapeCount: {
            // 1 duct and 0.6 terminals a junction.
            AddPlace(0.0, 0.0);
            RandomTree(0, static_cast<int>(Target / 1.6), 0.0);
            TerminalsOn(1, static_cast<int>(Places.size()), 0.6);
            break;
        }
        }
    }

    // Builds G from the layout: junction k is node k + 1; the fan runs
    // from the return root (or a node of its own with an inlet) into the
    // supply root; ducts are sized from the terminal flows a breadth-first
    // tree from the fan gives them.
    void Build(TDuctGraph& G)
    {
        G.AirDensity = 1.2;
        const int Count = static_cast<int>(Places.size());
        // A dead end is an outlet (or inlet) in every drawing.
        std::vector<int> Degree(static_cast<std::size_t>(Count), 0);
        for (const TEdge& D : Edges) {
            ++Degree[static_cast<std::size_t>(D.From)];
            ++Degree[static_cast<std::size_t>(D.To)];
        }
        for (int P : Terminals)
            Degree[static_cast<std::size_t>(P)] = -1;
        for (int P = 0; P < Count; ++P)
            if (Degree[static_cast<std::size_t>(P)] == 1 && P != Roots[0] && P != Roots[1])
                Terminals.push_back(P);
        std::vector<double> Terminal(static_cast<std::size_t>(Count), 0.0); // m³/s at the junction
        std::vector<double> Flows;
        const double LogLow = std::log(Options.MinOutletFlow);
        const double LogHigh = std::log(Options.MaxOutletFlow);
        for (int P : Terminals) {
            Flows.push_back(std::exp(Uniform(LogLow, LogHigh)));
            Terminal[static_cast<std::size_t>(P)] += Flows.back();
        }
        // A breadth-first tree from each root: parent edge of every junction.
        std::vector<std::vector<std::pair<int, int>>> Adjacent(static_cast<std::size_t>(Count));
        for (int E = 0; E < static_cast<int>(Edges.size()); ++E) {
            const TEdge& D = Edges[static_cast<std::size_t>(E)];
            Adjacent[static_cast<std::size_t>(D.From)].emplace_back(D.To, E);
            Adjacent[static_cast<std::size_t>(D.To)].emplace_back(D.From, E);
        }
        std::vector<int> ParentEdge(static_cast<std::size_t>(Count), -1);
        std::vector<int> Depth(static_cast<std::size_t>(Count), -1);
        std::vector<int> Order;
        for (int Root : Roots) {
            if (Root < 0)
                continue;
            Depth[static_cast<std::size_t>(Root)] = 0;
            Order.push_back(Root);
        }
        for (std::size_t Next = 0; Next < Order.size(); ++Next) {
            const int P = Order[Next];
            for (const auto& [Q, E] : Adjacent[static_cast<std::size_t>(P)]) {
                if (Depth[static_cast<std::size_t>(Q)] >= 0)
                    continue;
                Depth[static_cast<std::size_t>(Q)] = Depth[static_cast<std::size_t>(P)] + 1;
                ParentEdge[static_cast<std::size_t>(Q)] = E;
                Order.push_back(Q);
            }
        }
        // The flow every junction's tree duct serves, and each side's total.
        std::vector<double> Served = Terminal;
        std::vector<double> EdgeFlow(Edges.size(), 0.0);
        for (std::size_t K = Order.size(); K-- > 0;) {
            const int P = Order[K];
            const int E = ParentEdge[static_cast<std::size_t>(P)];
            if (E < 0)
                continue;
            const TEdge& D = Edges[static_cast<std::size_t>(E)];
            const int Parent = D.From == P ? D.To : D.From;
            EdgeFlow[static_cast<std::size_t>(E)] = Served[static_cast<std::size_t>(P)];
            Served[static_cast<std::size_t>(Parent)] += Served[static_cast<std::size_t>(P)];
        }
        double SideFlow[2] = {0.0, 0.0};
        for (int P = 0; P < Count; ++P)
            SideFlow[Places[static_cast<std::size_t>(P)].Side] += Terminal[static_cast<std::size_t>(P)];
        const bool TwoSides = Roots[1] >= 0;
        // Return terminals draw what the supply's give out.
        const double ReturnScale = TwoSides && SideFlow[1] > 0.0 ? SideFlow[0] / SideFlow[1] : 1.0;

        for (int P = 0; P < Count; ++P)
            G.GetOrAddNode(P + 1);
        int NextBranch = 1;
        int NextNode = Count + 1;
        const double FanFlow = SideFlow[0];
        // The fan and, on a supply network, the inlet it draws through.
        int FanFrom = 0;
        if (TwoSides) {
            FanFrom = Roots[1] + 1;
        } else {
            FanFrom = NextNode++;
            const int Inlet = NextNode++;
            static_cast<TFlowNode*>(G.GetOrAddNode(Inlet))->NodeType = ntInlet;
            G.GetOrAddNode(FanFrom);
            Duct(G, NextBranch, Inlet, FanFrom, SizeFor(FanFlow), 1.0, FanFlow);
            G.UpdateNodeTerminals(G.FlowNode(Inlet));
        }
        auto* Fan = static_cast<TDuctBranch*>(G.AddBranch(NextBranch++, FanFrom, Roots[0] + 1));
        Fan->Name = "Main Fan";
        Fan->Kind = bkGain;
        Fan->SetDuctType(dtFan, 0.0, 0.0, FanFlow);
        Fan->AddFanDefaults();
        G.MainFan = Fan;

        // The network's ducts: tree ducts run with the air (away from the
        // fan on the supply side, towards it on the return), each sized
        // for what it serves; the others close loops at the smaller size
        // of their ends.
        auto Toward = [&](int P) {
            const int E = ParentEdge[static_cast<std::size_t>(P)];
            return E < 0 ? 0.0 : EdgeFlow[static_cast<std::size_t>(E)];
        };
        for (int E = 0; E < static_cast<int>(Edges.size()); ++E) {
            const TEdge& D = Edges[static_cast<std::size_t>(E)];
            int From = D.From;
            int To = D.To;
            const bool InTree = ParentEdge[static_cast<std::size_t>(To)] == E ||
                                ParentEdge[static_cast<std::size_t>(From)] == E;
            if (InTree && ParentEdge[static_cast<std::size_t>(From)] == E)
                std::swap(From, To); // From is now the parent
            const bool Return = Places[static_cast<std::size_t>(From)].Side == 1;
            double Flow = InTree ? EdgeFlow[static_cast<std::size_t>(E)]
                                 : std::min(Toward(From), Toward(To)) * Uniform(0.3, 1.0);
            if (Return) {
                Flow *= ReturnScale;
                std::swap(From, To);
            }
            const double Length = std::max(1.0, Distance(D.From, D.To) * Uniform(1.0, 1.2));
            TDuctBranch* B = Duct(G, NextBranch, From + 1, To + 1, SizeFor(Flow), Length, InTree ? Flow : 0.3 * Flow);
            // Loop closers drawn last, so that the flow distribution makes
            // them its chords and circulates their design flows.
            if (!InTree)
                B->EditStamp = -1.0;
            AddItems(*B);
        }
        // The terminals, 1 to 5 m from their junctions.
        for (std::size_t K = 0; K < Terminals.size(); ++K) {
            const int P = Terminals[K];
            const bool Return = Places[static_cast<std::size_t>(P)].Side == 1;
            const double Flow = Flows[K] * (Return ? ReturnScale : 1.0);
            const int End = NextNode++;
            auto* Node = static_cast<TFlowNode*>(G.GetOrAddNode(End));
            Node->NodeType = Return ? ntInlet : ntOutlet;
            Node->OutletKind = Chance(0.5) ? okDiffuser : okPlainOutlet;
            const double Size = std::max(SmallestDuct, SizeFor(Flow, 3.0));
            if (Return)
                Duct(G, NextBranch, End, P + 1, Size, Uniform(1.0, 5.0), Flow);
            else
                Duct(G, NextBranch, P + 1, End, Size, Uniform(1.0, 5.0), Flow);
            G.UpdateNodeTerminals(Node);
        }
    }

    double Distance(int A, int B) const
    {
        const TPlace& P = Places[static_cast<std::size_t>(A)];
        const TPlace& Q = Places[static_cast<std::size_t>(B)];
        return std::hypot(P.X - Q.X, P.Y - Q.Y);
    }

    // A round duct for Flow (m³/s) at a velocity drawn from 2 to 7 m/s (or
    // at Velocity), held to the sizes made.
    double SizeFor(double Flow, double Velocity = 0.0)
    {
        const double V = Velocity > 0.0 ? Velocity : Uniform(2.0, 7.0);
        const double D = std::sqrt(4.0 * std::fabs(Flow) / (std::numbers::pi * V));
        return std::clamp(std::round(D * 1000.0 / 5.0) * 5.0 / 1000.0, SmallestDuct, LargestDuct);
    }

    void AddItems(TDuctBranch& B)
    {
        if (Chance(Options.DamperShare))
            B.FixedDps.push_back(std::make_unique<TFixeddP>("Damper", Uniform(MinDrop, MaxDrop)));
        if (Chance(Options.FixedCShare))
            B.FixedCs.push_back(std::make_unique<TFixedC>("Fixed C", Uniform(0.2, 3.0)));
        if (Chance(Options.BoosterShare)) {
            B.Booster = true;
            B.PressureGain = Uniform(5.0, 50.0);
        }
    }

    static TDuctBranch* Duct(TDuctGraph& G, int& NextBranch, int From, int To, double Diameter, double Length,
                             double Flow)
    {
        TDuctBranch* B = AddRoundDuct(G, NextBranch++, From, To, Diameter, Length, Flow);
        B->Name = "Duct " + std::to_string(B->Id());
        return B;
    }
};

// The networks the balancing must end on: every shape at several sizes
// from 500 to 20,000 branches, some with dampers, fixed C items and booster
// fans, some with outlets small enough to run near the laminar jump.
inline std::vector<TShapedNetworkOptions> ShapedNetworkCatalogue()
{
    std::vector<TShapedNetworkOptions> List;
    const int Sizes[] = {600, 2500, 10000, 20000};
    std::uint32_t Seed = 1;
    for (int Shape = 0; Shape < nsShapeCount; ++Shape) {
        for (int K = 0; K < 4; ++K) {
            TShapedNetworkOptions O;
            O.Shape = static_cast<TNetworkShape>(Shape);
            O.Branches = Sizes[K];
            O.Seed = Seed++;
            // The items on every other network, plain outlets on the rest.
            if (K % 2 == 1) {
                O.DamperShare = 0.02;
                O.FixedCShare = 0.02;
                O.BoosterShare = K == 3 ? 0.005 : 0.0;
            }
            List.push_back(O);
        }
        auto Add = [&](int Branches, double MaxOutletFlow, double Dampers, double Boosters) {
            TShapedNetworkOptions O;
            O.Shape = static_cast<TNetworkShape>(Shape);
            O.Branches = Branches;
            O.Seed = Seed++;
            O.MaxOutletFlow = MaxOutletFlow;
            O.DamperShare = Dampers;
            O.BoosterShare = Boosters;
            List.push_back(O);
        };
        // Small outlets: ducts near the laminar jump.
        Add(5000, 0.0005, 0.01, 0.0);
        // Boosters and dampers on a mid-sized one.
        Add(8000, TShapedNetworkOptions{}.MaxOutletFlow, 0.03, 0.01);
    }
    return List;
}

// A small subset for the tests: each shape at a few hundred to a thousand
// branches, plain and with every kind of item.
inline std::vector<TShapedNetworkOptions> SmallShapedNetworks()
{
    std::vector<TShapedNetworkOptions> List;
    std::uint32_t Seed = 101;
    for (int Shape = 0; Shape < nsShapeCount; ++Shape) {
        for (bool Items : {false, true}) {
            TShapedNetworkOptions O;
            O.Shape = static_cast<TNetworkShape>(Shape);
            O.Branches = Items ? 1000 : 500;
            O.Seed = Seed++;
            if (Items) {
                O.DamperShare = 0.03;
                O.FixedCShare = 0.03;
                O.BoosterShare = 0.01;
            }
            List.push_back(O);
        }
    }
    return List;
}
