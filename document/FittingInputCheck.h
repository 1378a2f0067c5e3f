#pragma once
// A document's fittings against the database it opens with. A fitting keeps
// its stored inputs only while they fit its code's fitting: a code reused for
// another fitting, or a document from a tool that gave a code other inputs,
// would otherwise be computed silently with inputs meant for something else.

#include <string>
#include <vector>

class TDuctFittingDB;
class TFlowGraph;

// Every fitting whose code the database holds but whose stored inputs do not
// fit that fitting - another number of input values (its own inputs, or the
// table-axis values of a link), or a caption that names another fitting of
// the database - takes the fitting's defaults for them and its name as
// caption. One warning names the codes so changed; they are returned too.
// Without a database nothing is checked. A document read checks against the
// program's database. A row of one 0 on a path without an axis (the empty
// row as earlier XML exports wrote it) is emptied first.
std::vector<std::string> MatchFittingInputsToDatabase(TFlowGraph& Network, TDuctFittingDB* Database);
