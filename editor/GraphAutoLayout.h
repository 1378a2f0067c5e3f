#pragma once
// Positions for nodes that have none: the automatic layout, which spreads a
// network out from its root node as a tree (heavier subtrees straight ahead,
// lighter ones to the sides), and the raster placing of single unplaced
// nodes. Only active nodes are placed; every position is held inside the
// drawing.

#include <QSize>

class TGraph;
class TNode;

// Lays out every active node reached from Root, which goes to (50, 150).
// Branch lengths are the branches' Weight values (the view sets them), scaled
// so that the average length is 50 pixels. Walks without recursion.
void LayoutFromRoot(TGraph& Graph, TNode* Root, QSize Drawing);

// Every active node whose X or Y is below 0 gets that coordinate from a
// 10-pixel raster starting at (5, 5), row by row across the drawing.
void PlaceUnplacedNodes(TGraph& Graph, QSize Drawing);

// A position held inside the drawing.
void SetNodePosition(TNode& Node, int X, int Y, QSize Drawing);
