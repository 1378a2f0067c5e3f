#include "solver/StoredResults.h"

#include "fittings/DuctFittingDB.h"
#include "foundation/WarningSink.h"
#include "network/DuctGraph.h"
#include "network/FlowMesh.h"

#include <exception>
#include <utility>
#include <vector>

void ComputeStoredResults(TDuctGraph& Network, bool CoefficientsStored)
{
    TRecordingWarningSink Quiet;
    const TScopedWarningSink Silence(Quiet);

    // A sizing run fixes the coefficients in its first passes: those stored
    // stay, and only the warnings and remarks of the lookup are taken.
    // A lookup that fails (a damaged database) leaves the fitting as read:
    // what only shows must not stop a document from opening.
    for (const auto& Fitting : Network.Fittings) {
        std::vector<double> Stored = Fitting->CValues;
        try {
            Fitting->Calculate(TFitting::cmCValues);
        } catch (const std::exception&) {
            Fitting->Warning = false;
            Fitting->CValues = Stored;
        }
        if (CoefficientsStored)
            Fitting->CValues = std::move(Stored);
    }
    if (!CoefficientsStored)
        Network.CalcFittingSums();

    for (const auto& Item : Network.Branches()) {
        auto& Branch = static_cast<TFlowBranch&>(*Item);
        Branch.CalcToResistance();
        Branch.UpdateConductance();
    }

    // The meshes of the last solve: built on the same tree, in the stored
    // branch order.
    if (Network.Status < ssNotSolved) {
        Network.SaveBranchOrder();
        if (Network.BuildMeshes()) {
            Network.TakeMeshSlopes();
            for (const auto& Item : Network.Meshes())
                static_cast<TFlowMesh&>(*Item).CalcResidual(false);
        }
        Network.RestoreBranchOrder();
    }
    if (TDuctFittingDB* Database = DuctFittingDB())
        Database->FreeFittings();
}
