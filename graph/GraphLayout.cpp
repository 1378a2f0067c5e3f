#include "graph/GraphLayout.h"

#include "graph/Graph.h"
#include "graph/GraphFlags.h"

#include <vector>

void CalcSubtreeWeights(TGraph& Graph)
{
    Graph.ClearNodeFlag(gfVisited);
    TNode* Root = Graph.RootNode();
    if (!Root)
        return;
    SetBit(Root->Flags, gfVisited);
    SubtreeWeight(Root);
}

double SubtreeWeight(TNode* Node)
{
    struct TFrame {
        TNode* Node;
        std::size_t Next;
        double Sum;
    };
    std::vector<TFrame> Stack;
    Stack.push_back({Node, 0, 1.0});
    double Result = 0.0;
    while (!Stack.empty()) {
        TFrame& Top = Stack.back();
        if (Top.Next < Top.Node->Links.size()) {
            const TLink L = Top.Node->Links[Top.Next++];
            TNode* Neighbour = L.Branch->OtherNode(Top.Node);
            if (!Neighbour || BitIsSet(Neighbour->Flags, gfVisited) || !Neighbour->IsActive())
                continue;
            SetBit(Neighbour->Flags, gfVisited);
            Stack.push_back({Neighbour, 0, 1.0});
            continue;
        }
        Top.Node->Weight = Top.Sum;
        const double Weight = Top.Sum;
        Stack.pop_back();
        if (Stack.empty())
            Result = Weight;
        else
            Stack.back().Sum += Weight;
    }
    return Result;
}

int CoordDirectionClass(const TCoord& C)
{
    if (C.X >= 1 && C.Y == 0)
        return 10;
    if (C.X == 0 && C.Y >= 1)
        return 9;
    if (C.X >= 1 && C.Y >= 1)
        return 8;
    if (C.X >= 1 && C.Y < 0)
        return 7;
    if (C.X < 1 && C.Y < 0)
        return 6;
    if (C.X < 0 && C.Y >= 0)
        return 5;
    return 1; // x = 0 and y = 0
}

bool CoordBefore(const TCoord& A, const TCoord& B)
{
    return CoordDirectionClass(A) > CoordDirectionClass(B);
}

bool PairBefore(const TGraph& Graph, const TNBPair& A, const TNBPair& B)
{
    const TNode* NodeA = Graph.FindNode(A.First);
    const TNode* NodeB = Graph.FindNode(B.First);
    return (NodeA ? NodeA->Weight : 0.0) > (NodeB ? NodeB->Weight : 0.0);
}
