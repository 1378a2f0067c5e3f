#pragma once
// What the branch window says of a duct branch beside its editable rows:
// the window's caption and the summary of its computed hydraulics.

#include <string>
#include <vector>

class TDuctBranch;

// "<type word>.  <from-node id> to <to-node id>" ("Spiral.  3 to 4"), with
// the word of its duct type: "Spiral", "Duct", "None" or "Fan".
std::string BranchWindowCaption(const TDuctBranch& Branch);

// The static pressure drop: the total drop without the terminal drops that
// apply (the outlet's when the to-node is an Outlet, the inlet's when the
// from-node is an Inlet).
double StaticPressureDrop(const TDuctBranch& Branch);

// The summary lines, tab-aligned: the equivalent diameter, lengths, air,
// Reynolds number, friction factor, static drop, pressure rate (not for a
// terminal branch or one without length), velocities and velocity pressure.
std::vector<std::string> BranchSummaryLines(const TDuctBranch& Branch);

// Name with every occurrence (in any case) of the old duct type's word
// replaced by the new type's ("3 Spiral" becomes "3 Duct", "4 None" made a
// fan "4 Fan"); unchanged when the type is or it holds no such word.
std::string RenamedForDuctType(const std::string& Name, int OldType, int NewType);
