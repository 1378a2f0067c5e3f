#pragma once
// The flow network: a graph of flow nodes and flow branches with the air
// state of the network, its reference nodes, solve method and status, and
// the fittings it owns.
//
// Nothing outside the graph may keep a pointer to a node or branch across a
// deletion without asking: deleting a node or branch clears every reference
// the network holds to it (reference nodes and ducts, the start node, the
// leakage branch, ErrorBranch, the nodes' paths, the fittings' branch links).

#include "network/Fitting.h"
#include "network/FlowBranch.h"
#include "network/FlowEnums.h"
#include "network/FlowMesh.h"
#include "network/FlowNode.h"
#include "network/Graph.h"

#include <memory>
#include <string>
#include <vector>

class TSettings;

class TFlowGraph : public TGraph {
public:
    TFlowGraph();
    ~TFlowGraph() override;

    // ---- air state
    double Barometer = 101325.0; // Pa
    double DryBulb = 20.0;       // °C
    double WetBulb = 12.8;       // °C
    double AirDensity = 0.0;     // kg/m³, from the psychrometric library
    // Why the last change of the air state was refused; empty when it was
    // applied.
    std::string AirStateStatus;

    // ---- results and references
    double MaxResidual = 0.0; // Pa, largest absolute mesh residual
    double SupplySum = 0.0;   // Pa
    double ReturnSum = 0.0;   // Pa
    TFlowNode* ReturnRef = nullptr; // the main fan's from-node
    TFlowNode* SupplyRef = nullptr; // the main fan's to-node
    // The remembered return-side and supply-side ducts next to the fan.
    TFlowBranch* ReturnDuct = nullptr;
    TFlowBranch* SupplyDuct = nullptr;
    TFlowNode* StartNode = nullptr; // where pressure propagation starts
    TSolveMethod Method = smEqualFriction;
    TSolveStatus Status = ssNotSolved;
    double Leakage = 0.0; // m³/s, supply total minus return total
    TFlowBranch* LeakBranch = nullptr;
    std::vector<std::unique_ptr<TFitting>> Fittings;
    bool LinksValid = true; // fitting links resolved to branch objects
    // The branch at which the last check stopped.
    TFlowBranch* ErrorBranch = nullptr;

    // The design settings this network computes with: the program's one
    // settings object unless another was given (a document being read).
    const TSettings& Settings() const;
    void UseSettings(const TSettings* Source) { SettingsSource = Source; }

    // ---- factories and virtual operations
    std::unique_ptr<TNode> NewNode(int Id) override;
    std::unique_ptr<TBranch> NewBranch(int Id, TNode* From, TNode* To) override;
    std::unique_ptr<TMesh> NewMesh(int Id) override;
    // Ascending FlowResistance (a stable sort).
    void SortForTree() override;
    // Also the air state and copies of every fitting (unresolved: LinksValid
    // false).
    void AssignSettings(const TGraph& Source) override;
    void DeleteNode(TNode* Node) override;
    void DeleteBranch(TBranch* Branch) override;
    // Also swaps terminal roles (an Outlet from-node becomes an Inlet with an
    // inlet terminal, else an Inlet to-node becomes an Outlet with an outlet
    // terminal) and recomputes the flow terms in the new direction.
    void ReverseBranch(TBranch* Branch) override;

    TFlowNode* FlowNode(int Id) const { return static_cast<TFlowNode*>(FindNode(Id)); }
    TFlowBranch* FlowBranch(int Id) const { return static_cast<TFlowBranch*>(FindBranch(Id)); }

    // ---- air state of the network
    // Barometer := 1000·kPa and the density of the new state, applied to the
    // nodes and the branches' flow terms (flows re-derived from Q). A state
    // without a finite positive density changes nothing; AirStateStatus says
    // why. True when applied.
    bool SetBarometer(double KPa);
    double GetBarometerKPa() const { return Barometer * 0.001; }
    // "%0.2f/%0.2f" of dry bulb and wet bulb.
    std::string GetHumitrakText() const;
    // Reads a "db/wb" text (a lone dry bulb takes the wet bulb of 50 %
    // relative humidity) and applies the state at the current barometer as
    // SetBarometer does. A text that is no number, or no valid state,
    // changes nothing; AirStateStatus says why. True when applied.
    bool SetHumitrak(const std::string& Text);
    // Every node takes the barometer, the dry bulb and the air density;
    // Status := "Not solved".
    void ApplyAirToNodes();

    // ---- terminals
    // Its from-node or to-node is an Outlet or an Inlet.
    static bool IsTerminalBranch(const TFlowBranch& Branch);
    // The terminal items of the branches at Node follow its type and kind.
    void UpdateNodeTerminals(TFlowNode* Node);
    // Every branch whose outlet (inlet) terminal node has that kind takes the
    // settings' default flow as its design flow; status "Not solved".
    void ResetOutletFlows(int Kind);
    void ResetInletFlows(int Kind);
    // The terminals of that kind take the settings' default C (their
    // reference drop kept, the reference velocity following); their pressure
    // drops follow at the next recalculation of the branch losses.
    void ResetOutletCValues(int Kind);
    void ResetInletCValues(int Kind);

    // Warns of the first node that is the to-node of exactly one branch and
    // the from-node of none without being an Outlet ("Warning: <name> should
    // be an outlet"), or the reverse without being an Inlet ("... should be
    // an inlet"); the Sink is not checked. Its first branch becomes
    // ErrorBranch. Only a warning: true when the terminals were in order.
    bool ValidateTerminals();

    // ---- fittings
    // Removes the fitting from the network and from every branch that lists
    // it, and frees it.
    void DeleteFitting(TFitting* Fitting);

protected:
    bool AcceptsNode(const TNode& Node) const override;
    // Clears every reference the network holds to a branch about to go.
    virtual void ForgetBranch(TFlowBranch* Branch);
    // Clears every reference the network holds to a node about to go.
    virtual void ForgetNode(TFlowNode* Node);
    // Gives a new node the network's air state.
    void ApplyAirToNode(TFlowNode& Node) const;

private:
    const TSettings* SettingsSource = nullptr;

    bool ApplyAirState(double NewBarometer, double NewDryBulb, double NewWetBulb);
};
