#pragma once
// The warm start of a balancing run: the whole network solved at once for
// its node pressures and branch mass flows, the main fan's flow held, by
// Newton's method on the branch laws (the gradient method of pipe-network
// analysis). Each iteration linearises every branch's drop about its flow
// and solves one sparse symmetric system for the node pressures; the flows
// follow from the pressures and keep flow conserved at every node.
//
// Branches whose drop does not depend on their flow (the Sink's branches, a
// leakage branch, ducts without a diameter, fans other than the main one)
// cannot enter that system: the nodes they join are merged into one, each
// keeping its fixed pressure difference to the others, and their flows
// come last from conservation. The fill-reducing ordering of the system is
// found once per run, its factorisation repeated per iteration.
//
// Newton's step is a direction on a convex problem (the branch laws only
// ever rise with the flow), so each step is shortened where the drops
// along it would overshoot: the flows never wander off, even where a law
// jumps. The laws' jumps (laminar to turbulent, fixed drops at zero flow)
// are first taken up by steep straight rises, on which Newton's method
// settles as on smooth laws; the laws are then taken as they are, a
// branch that balances on a jump held at the jump's flow while its
// pressure difference lies inside the jump and let go as soon as it
// leaves it. Where such branches lie next to each other, their flows and
// the pressure differences between them are found together rather than
// handed back and forth. The warm flows are a start and no more: the loop
// method runs from them and judges the balance by its own rules.

class TDuctGraph;

enum TWarmStartResult {
    wsBalanced,  // every branch law holds to BalanceTolerance
    wsClose,     // stopped short of that (a branch balanced on a jump of its
                 // law stays off by part of the jump); the flows are taken
    wsNoFanFlow, // no main fan, or no flow through it to hold
    wsSingular,  // the flows are not determined (a loop of branches whose
                 // drops do not follow their flows, a main fan on no loop)
                 // or the system could not be factorised
    wsNotFinite  // a drop, slope or pressure stopped being a number
};

struct TWarmStartReport {
    TWarmStartResult Result = wsNoFanFlow;
    int Iterations = 0;
    // The largest |drop - pressure difference| over the branches at the
    // end (Pa); 0 when no iteration ran.
    double LargestResidual = 0.0;
    // The largest residual of the meshes of a spanning tree at the end
    // (Pa): each chord's drop against the sum of the drops along its tree
    // path. A branch balanced on a jump of its law counts as balanced for
    // any pressure difference inside the jump, and the tree takes such
    // branches only where no other reaches a node. 0 when no iteration ran.
    double LargestMeshResidual = 0.0;
};

// The largest |drop - pressure difference| of a branch (Pa) at which the
// warm start counts the network balanced.
inline constexpr double WarmStartTolerance = 1e-6;

// Runs the warm start on G, whose branches have been validated and whose
// flows are those the loop method would start from. With wsBalanced or
// wsClose every branch holds its warm flow and its losses at that flow,
// and flow is conserved at every node (the Sink included); with any other
// result G is left as it was.
TWarmStartReport WarmStartFlows(TDuctGraph& G);

// After the warm flows are taken and the meshes rebuilt on them: each
// mesh's secant slope starts as the inverse of the sum of its branches'
// slopes at those flows (the Newton slope of its residual), so that its
// first correction is a measured step rather than one set by its least
// resistive branch.
void StartMeshSlopes(TDuctGraph& G);

inline bool WarmFlowsTaken(TWarmStartResult Result)
{
    return Result == wsBalanced || Result == wsClose;
}
