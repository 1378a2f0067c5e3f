#pragma once
// What the editor's automatic layout needs from the graph library: subtree
// weights, neighbour pairs, coordinates and their orderings.

#include <cstdint>

class TGraph;
class TNode;

// A neighbour pair (two node ids).
struct TNBPair {
    std::int32_t First = 0;
    std::int32_t Second = 0;
};

// An x, y coordinate.
struct TCoord {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

// Clears the visited flag of every node, flags the root node and gives every
// node reached from it the weight of its subtree (SubtreeWeight).
void CalcSubtreeWeights(TGraph& Graph);

// Node's Weight := 1 plus the subtree weights of its active neighbours not
// yet flagged visited, each flagged before it is entered, links in list
// order. Walks without recursion, so a long chain cannot exhaust the stack.
// Returns the weight.
double SubtreeWeight(TNode* Node);

// The direction class by which the layout orders coordinates (descending):
// 10 for x >= 1 and y = 0, 9 for x = 0 and y >= 1, 8 for x >= 1 and y >= 1,
// 7 for x >= 1 and y < 0, 6 for x < 1 and y < 0, 5 for x < 0 and y >= 0,
// 1 for x = 0 and y = 0.
int CoordDirectionClass(const TCoord& C);
// True when A sorts before B: the larger direction class first.
bool CoordBefore(const TCoord& A, const TCoord& B);
// True when A sorts before B: the larger weight of the pair's first node
// first (nodes looked up in Graph; a missing node weighs 0).
bool PairBefore(const TGraph& Graph, const TNBPair& A, const TNBPair& B);
