#pragma once
// An order of the branches whose spanning tree gives short meshes.
//
// The tree is the one taken branch by branch in list order (a branch joins
// it when it joins two parts not yet joined). Taken straight from an order by
// resistance, that tree follows the least resistive runs through the whole
// network: on a ladder sized by equal friction it takes both rails, every
// outlet's mesh runs back along the rails to the few outlets the tree takes,
// and the meshes share thousands of branches. Here the same tree is grown
// from the most connected node (the sink of the terminals, where there is
// one), always by the earliest branch leaving it, but no deeper than a
// limit: a branch that would reach further waits, and when only such
// branches are left the earliest starts a new root. Where the limit is never
// reached the tree and the order are those of the list.

#include "graph/Graph.h"

#include <cstddef>

// Reorders List so that its spanning tree is the one described above: the
// tree branches first, in the order they were taken, then every other branch
// in its present order. The branches from position Free on join the tree
// only where the others leave parts apart, in their order (the last resort:
// branches resting on a jump of their law, the main fan). Excluded branches
// and loops stay out of the tree. List is Graph's branch list; the nodes
// are numbered afresh.
void OrderForShortMeshes(TGraph& Graph, TGraph::TBranchList& List, std::size_t Free);
