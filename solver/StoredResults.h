#pragma once
// What a solve left beside the values a document stores: a document read
// from a file or an XML import shows the same fitting warnings, branch
// resistances, meshes and fan drop as the network it was saved from did,
// without a new solve.

class TDuctGraph;

// From the stored flows and sizes: every fitting's warning and remarks
// (its coefficients too, and the branches' sums of them, when the file
// held none), every branch's resistances, and for a document whose status
// is a solved one its meshes with their sums and residuals. No stored
// flow, size, drop, method or status changes, nor the branches' order;
// nothing is said (a missing fitting or a network without meshes is the
// next solve's to report).
void ComputeStoredResults(TDuctGraph& Network, bool CoefficientsStored);
