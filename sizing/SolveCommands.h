#pragma once
// The main window's solve and sizing commands as engine steps: each runs the
// network's operations in the order its command gives them and hands back
// what the status bar and the result windows show. No window is touched;
// the network's own messages still reach the installed warning sink and are
// handed back as well.

#include "network/DuctGraph.h"

#include <optional>
#include <string>
#include <vector>

enum TSolveCommand {
    scEqualFriction,    // "&Equal Friction Method"
    scVelocity,         // "&Velocity Method"
    scStaticRegain,     // "&Static Regain Method"
    scStandardSizes,    // "Closest &Standard Sizes", then the flows balanced
    scBalanceFlows,     // "&Balance Flows"
    scSumFlows,         // "&Sum Flows"
    scResetDesignFlows, // "Reset All Design &Flows"
    scResetVelocities   // "Reset &All Duct Velocities"
};

// Codes of the method panel besides the solve methods, never stored in the
// network: the panel empty, and "Design Flows".
constexpr int MethodShownBlank = -1;
constexpr int MethodShownDesignFlows = -2;

struct TSolveCommandResult {
    // The command's network step ran (false when its flow distribution
    // failed, which skips the sizing).
    bool Ran = false;
    // What the method panel shows: a solve method, or one of the codes
    // above; nothing when the command leaves the panel as it is.
    std::optional<int> MethodShown;
    TSolveStatus Status = ssNotSolved; // the network's status afterwards
    std::vector<std::string> Messages; // the network's messages, in order
    TFlowBranch* ErrorBranch = nullptr; // where a failed check stopped
};

// The text of the method panel: "" for the blank code, "Design Flows", or
// the method's name.
std::string MethodShownText(int Code);

// The start of every sizing command: ErrorBranch cleared, the branch order
// saved, the design flows distributed and, when that succeeds, made the
// flows. False when the distribution failed.
bool PrepareSolve(TDuctGraph& G);

// Runs one command on G. Every command leaves the branches in the order
// they had before it.
TSolveCommandResult RunSolveCommand(TDuctGraph& G, TSolveCommand Command);
