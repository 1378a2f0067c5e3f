#pragma once
// Result codes of the mesh loop and of the sizing loops. The solve status
// follows from them (TFlowGraph::SetStatusFromCode): converged gives
// "Solved", within tolerance "Within tolerance", the iteration limit "MaxIts
// reached", and every other code "Data error".

enum TLoopCode : int {
    lcNone = 0,            // still running
    lcConverged = 2,
    lcWithinTolerance = 6,
    lcIterationLimit = 8,
    lcNoMeshes = 11,       // no meshes, or the set-up failed
    lcNotFinite = 12,      // a residual or flow stopped being a finite number
    lcOnJump = 13          // the mesh loop can get no closer: meshes left on
                           // jumps of their branch laws, off by more than a
                           // run may end with
};
