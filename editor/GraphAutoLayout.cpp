#include "editor/GraphAutoLayout.h"

#include "editor/GraphGeometry.h"
#include "graph/Graph.h"
#include "graph/GraphFlags.h"
#include "graph/GraphLayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr int LayoutMark = gfWalked; // Place has been applied to the node

struct TVector {
    double X = 0;
    double Y = 0;
};

// Rank of a direction: straight ahead first, then down, then the diagonals.
int DirectionRank(const TVector& V)
{
    if (V.X >= 1 && V.Y == 0)
        return 10;
    if (V.X == 0 && V.Y >= 1)
        return 9;
    if (V.X >= 1 && V.Y >= 1)
        return 8;
    if (V.X >= 1 && V.Y < 0)
        return 7;
    if (V.Y < 0)
        return 6;
    if (V.Y >= 0 && V.X < 0)
        return 5;
    return 1;
}

// The directions for Count neighbours, in the order the heaviest subtree
// takes first, turned to the parent's orientation.
std::vector<TVector> Directions(int Count, int Orientation)
{
    std::vector<TVector> V;
    switch (Count) {
    case 1: V = {{1, 0}}; break;
    case 2: V = {{0, -1}, {0, 1}}; break;
    case 3: V = {{0, -1}, {1, 0}, {0, 1}}; break;
    case 4: V = {{0, -2}, {1, -1}, {1, 1}, {0, 2}}; break;
    case 5: V = {{0, -2}, {1, -1}, {1, 0}, {1, 1}, {0, 2}}; break;
    default: {
        // Six or more: evenly over the forward half-plane at twice the
        // length, straight ahead first, then alternately outwards.
        std::vector<TVector> Fan;
        for (int I = 0; I < Count; ++I) {
            const double A = -std::numbers::pi / 2 + std::numbers::pi * I / (Count - 1);
            Fan.push_back({2 * std::cos(A), 2 * std::sin(A)});
        }
        std::vector<int> Order(static_cast<std::size_t>(Count));
        for (int I = 0; I < Count; ++I)
            Order[static_cast<std::size_t>(I)] = I;
        const double Middle = (Count - 1) / 2.0;
        std::stable_sort(Order.begin(), Order.end(),
                         [Middle](int A, int B) { return std::abs(A - Middle) < std::abs(B - Middle); });
        for (int I : Order)
            V.push_back(Fan[static_cast<std::size_t>(I)]);
        break;
    }
    }
    for (TVector& D : V)
        for (int Turn = 0; Turn < Orientation; ++Turn)
            D = {D.Y, -D.X};
    if (Count <= 5)
        std::stable_sort(V.begin(), V.end(),
                         [](const TVector& A, const TVector& B) { return DirectionRank(A) > DirectionRank(B); });
    return V;
}

int OrientationOf(const TVector& V)
{
    if (V.X > 0.5)
        return 0;
    if (V.Y > 0.5)
        return 3;
    if (V.Y < -0.5)
        return 1;
    return 2;
}

struct TChild {
    TNode* Node;
    TBranch* Branch;
};

// Lists P's active neighbours not yet reached (marking them), heaviest
// subtree first, and places them around P.
std::vector<TChild> PlaceChildren(TNode* P, double LengthScale, QSize Drawing)
{
    std::vector<TChild> Children;
    for (const TLink& L : P->Links) {
        TNode* N = L.Branch->OtherNode(P);
        if (!N || !N->IsActive() || BitIsSet(N->Flags, gfVisited))
            continue;
        SetBit(N->Flags, gfVisited);
        Children.push_back({N, L.Branch});
    }
    std::stable_sort(Children.begin(), Children.end(),
                     [](const TChild& A, const TChild& B) { return A.Node->Weight > B.Node->Weight; });
    if (Children.empty())
        return Children;
    const std::vector<TVector> V = Directions(static_cast<int>(Children.size()), P->Orientation);
    for (std::size_t I = 0; I < Children.size(); ++I) {
        const double Weight = Children[I].Branch->Weight;
        const double D = Weight > 0 ? Weight * LengthScale : 50.0;
        SetNodePosition(*Children[I].Node, P->X + RoundHalfEven(V[I].X * D), P->Y + RoundHalfEven(V[I].Y * D),
                        Drawing);
        Children[I].Node->Orientation = OrientationOf(V[I]);
    }
    return Children;
}

// A coordinate held inside a drawing Extent pixels across.
int Inside(int Value, int Extent)
{
    return ClampTo(Value, 0, std::max(0, Extent - 1));
}

} // namespace

void SetNodePosition(TNode& Node, int X, int Y, QSize Drawing)
{
    Node.X = Inside(X, Drawing.width());
    Node.Y = Inside(Y, Drawing.height());
}

void LayoutFromRoot(TGraph& Graph, TNode* Root, QSize Drawing)
{
    if (!Root)
        return;
    double Sum = 0;
    int Count = 0;
    for (const auto& B : Graph.Branches()) {
        if (B->FromNode && B->ToNode && B->FromNode->IsActive() && B->ToNode->IsActive() && B->Weight > 0) {
            Sum += B->Weight;
            ++Count;
        }
    }
    const double Mean = Count > 0 ? Sum / Count : 1.0;
    const double LengthScale = 50.0 / Mean;

    CalcSubtreeWeights(Graph); // flags the root visited
    Graph.ClearNodeFlag(gfVisited);
    Graph.ClearNodeFlag(LayoutMark);
    SetBit(Root->Flags, gfVisited);
    SetBit(Root->Flags, LayoutMark);
    SetNodePosition(*Root, 50, 150, Drawing);
    Root->Orientation = 0;

    // Depth first, children in their listed order, on an explicit stack.
    struct TFrame {
        std::vector<TChild> Children;
        std::size_t Next = 0;
    };
    std::vector<TFrame> Stack;
    Stack.push_back({PlaceChildren(Root, LengthScale, Drawing), 0});
    while (!Stack.empty()) {
        TFrame& Top = Stack.back();
        if (Top.Next >= Top.Children.size()) {
            Stack.pop_back();
            continue;
        }
        TNode* N = Top.Children[Top.Next++].Node;
        if (BitIsSet(N->Flags, LayoutMark))
            continue;
        SetBit(N->Flags, LayoutMark);
        std::vector<TChild> Children = PlaceChildren(N, LengthScale, Drawing);
        Stack.push_back({std::move(Children), 0});
    }
}

void PlaceUnplacedNodes(TGraph& Graph, QSize Drawing)
{
    int X = 5;
    int Y = 5;
    for (const auto& N : Graph.Nodes()) {
        if (!N->IsActive())
            continue;
        // Only the missing coordinate is placed: a placed node never moves.
        if (N->X < 0) {
            N->X = Inside(X, Drawing.width());
            X += 10;
        }
        if (N->Y < 0) {
            N->Y = Inside(Y, Drawing.height());
            if (X + 10 > Drawing.width()) {
                Y += 10;
                X = 5;
            }
        }
    }
}
