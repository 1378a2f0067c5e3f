// The solve and sizing commands: set the method, distribute the design
// flows and make them the flows, reset or copy the velocities for velocity
// sizing, size; "Standard Sizes" steps the sizes and then balances the
// flows through them.

#include "sizing/SolveCommands.h"

#include "foundation/WarningSink.h"
#include "network/Settings.h"

namespace {

// Keeps the command's messages and passes each on to the sink that was
// installed before the command.
class TCommandMessages : public TWarningSink {
public:
    explicit TCommandMessages(std::vector<std::string>& Into) : Texts(Into), Previous(SetWarningSink(this)) {}
    ~TCommandMessages() override { SetWarningSink(Previous); }
    TCommandMessages(const TCommandMessages&) = delete;
    TCommandMessages& operator=(const TCommandMessages&) = delete;

    void Warning(const std::string& Caption, const std::string& Text) override
    {
        Texts.push_back(Text);
        (Previous ? *Previous : Fallback).Warning(Caption, Text);
    }

private:
    std::vector<std::string>& Texts;
    TWarningSink* Previous;
    TStderrWarningSink Fallback;
};

bool SizingCommand(TDuctGraph& G, TSolveMethod Method)
{
    G.Method = Method;
    if (!PrepareSolve(G))
        return false;
    if (Method == smVelocity) {
        if (G.Settings().resetvels)
            G.ResetVelocities();
        else
            G.CopyVelocitiesToDesign();
    }
    G.SizeDucts();
    return true;
}

bool StandardSizesCommand(TDuctGraph& G)
{
    G.Method = smStandardSizes;
    if (!PrepareSolve(G))
        return false;
    G.SizeStandard();
    // The stepped sizes carry the flows the balance gives them.
    G.Method = smFlowBalance;
    G.Status = ssNotSolved;
    G.Solve();
    G.Method = smStandardSizes;
    return true;
}

// What the method panel shows after the command.
std::optional<int> MethodShownFor(TSolveCommand Command)
{
    switch (Command) {
    case scEqualFriction:
        return smEqualFriction;
    case scVelocity:
        return smVelocity;
    case scStaticRegain:
        return smStaticRegain;
    case scStandardSizes:
        return smStandardSizes;
    case scBalanceFlows:
        return smFlowBalance;
    case scSumFlows:
        return MethodShownDesignFlows;
    default:
        return std::nullopt;
    }
}

// The check of the branches' data each computing command starts with; the
// resets compute nothing and need none.
bool CheckDataFor(TDuctGraph& G, TSolveCommand Command)
{
    switch (Command) {
    case scEqualFriction:
        return G.CheckNetworkData(smEqualFriction);
    case scVelocity:
        return G.CheckNetworkData(smVelocity);
    case scStaticRegain:
        return G.CheckNetworkData(smStaticRegain);
    case scStandardSizes:
        return G.CheckNetworkData(smStandardSizes);
    case scBalanceFlows:
        return G.CheckNetworkData(smFlowBalance);
    case scSumFlows:
        return G.CheckNetworkData(G.Method, true);
    default:
        return true;
    }
}

} // namespace

std::string MethodShownText(int Code)
{
    if (Code == MethodShownDesignFlows)
        return "Design Flows";
    return SolveMethodText(Code);
}

bool PrepareSolve(TDuctGraph& G)
{
    G.ErrorBranch = nullptr;
    G.SaveBranchOrder();
    if (!G.DistributeFlows())
        return false;
    G.InitFlowsFromDesign();
    return true;
}

TSolveCommandResult RunSolveCommand(TDuctGraph& G, TSolveCommand Command)
{
    TSolveCommandResult Result;
    {
        TCommandMessages Capture(Result.Messages);
        // Distribution, sizing and balancing each start the fitting
        // messages anew; the command reports a missing fitting once.
        TFlowGraph::TFittingCommand OneCommand(G);
        G.ErrorBranch = nullptr;
        if (!CheckDataFor(G, Command)) {
            Result.Status = G.Status;
            Result.ErrorBranch = G.ErrorBranch;
            Result.MethodShown = MethodShownFor(Command);
            return Result;
        }
        Result.MethodShown = MethodShownFor(Command);
        G.SaveBranchOrder();
        switch (Command) {
        case scEqualFriction:
        case scVelocity:
        case scStaticRegain: {
            const TSolveMethod Method = Command == scEqualFriction ? smEqualFriction
                                        : Command == scVelocity   ? smVelocity
                                                                  : smStaticRegain;
            Result.Ran = SizingCommand(G, Method);
            break;
        }
        case scStandardSizes:
            Result.Ran = StandardSizesCommand(G);
            break;
        case scBalanceFlows:
            G.Method = smFlowBalance;
            G.Solve();
            Result.Ran = true;
            break;
        case scSumFlows:
            if (G.DistributeFlows()) {
                G.InitFlowsFromDesign();
                Result.Ran = true;
            }
            break;
        case scResetDesignFlows:
            for (int Kind : {okDiffuser, okGrille, okPlainOutlet})
                G.ResetOutletFlows(Kind);
            for (int Kind : {ikCanopy, ikGrille, ikPlainInlet})
                G.ResetInletFlows(Kind);
            Result.Ran = true;
            break;
        case scResetVelocities:
            G.ResetVelocities();
            Result.Ran = true;
            break;
        }
        G.RestoreBranchOrder();
        // Results beyond what any air in a duct can do end the command as
        // a data error rather than as solved; the resets compute nothing.
        const bool Computed = Command != scResetDesignFlows && Command != scResetVelocities;
        if (Result.Ran && Computed && G.Status != ssDataError)
            G.CheckCommandResults(Command == scSumFlows);
    }
    Result.Status = G.Status;
    Result.ErrorBranch = G.ErrorBranch;
    return Result;
}
