#pragma once
// A branch of the duct network with its flows, size, losses and pressure
// drop. All values in base units: m, m², m³/s, kg/s, Pa, kg/m³, °C, m/s.

#include "fittings/FittingTypes.h"
#include "fittings/FrictionFactor.h"
#include "graph/GraphBranch.h"
#include "network/FixedFitting.h"
#include "network/FlowEnums.h"
#include "network/FlowNode.h"

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TFitting;
class TSettings;

// The standard gravity of the stack effect, m/s².
inline constexpr double StandardGravity = 9.80665;
// π² as the hydraulic formulas take it.
inline constexpr double PiSquared = 9.869604401089358;
// The design flows a window takes (m³/s): within ±LargestDesignFlow; a
// terminal's none (0) or from SmallestTerminalFlow up. Far below that the
// sizing methods compute no number.
inline constexpr double LargestDesignFlow = 100.0;
inline constexpr double SmallestTerminalFlow = 1e-6;

// The plain values of a flow branch, kept together so that copying a branch
// (AssignData) copies every one of them.
struct TFlowBranchData {
    double FlowResistance = 0.0; // |R·m/ρ|, Pa per kg/s
    double Resistance = 0.0;     // R = 8·f·Ltot/(π²·D⁵), 1/m⁴
    double DeltaZ = 0.0;         // m, to-node minus from-node elevation
    double Conductance = 0.0;    // 0.5/FlowResistance
    double ToResistance = 0.0;   // |R·m/ρto|
    double UpstreamFlow = 0.0;   // static-regain working values
    double UpstreamDiameter = 0.0;
    double Temperature = 0.0;    // °C, from the to-node
    TBranchKind Kind = bkCommon;
    double MassFlow = 0.0;       // kg/s, signed along the branch
    double VolumeFlow = 0.0;     // m³/s
    double DesignFlow = 0.0;     // m³/s, from the terminals
    double FrictionDrop = 0.0;   // Pa
    double FixedDpSum = 0.0;     // Pa
    double FixedCSum = 0.0;      // Pa
    double InletTermDrop = 0.0;  // Pa
    double OutletTermDrop = 0.0; // Pa
    double FittingsDrop = 0.0;   // Pa
    double StackDrop = 0.0;      // Pa, 9.80665·ρ·Δz
    double DamperDrop = 0.0;     // Pa, taken by a balancing damper
    double Reserved = 0.0;       // stored in documents, used by nothing
    double PressureGain = 0.0;   // Pa, fan or booster gain
    bool Booster = false;        // the gain is subtracted from a duct's drop
    double TotalDrop = 0.0;      // Pa
    double MeanDensity = 0.0;    // kg/m³, mean of the end nodes
    double Diameter = 0.0;       // m (equivalent diameter of a rectangle)
    double FittingsCSum = 0.0;   // sum of the network fittings' C-values here
    double TotalLength = 0.0;    // m, Length + EquivLength
    double Length = 0.0;         // m
    double EquivLength = 0.0;    // m
    double LeFittings = 0.0;     // m
    double LeDp = 0.0;           // m
    double LeC = 0.0;            // m
    double Velocity = 0.0;       // m/s, Q/FlowArea
    double FlowArea = 0.0;       // m², π·D²/4
    double ToDensity = 0.0;      // kg/m³ of the to-node
    double FrictionFactor = 0.0; // Darcy
    double Reynolds = 0.0;
    double Viscosity = 0.0;      // Pa·s at the from-node's dry bulb
    double EditStamp = 0.0;      // minus the date-time of the last grid edit
    bool SizeFixed = false;      // sizing leaves D and the geometry alone
};

class TFlowBranch : public TBranch, public TFlowBranchData {
public:
    std::vector<std::unique_ptr<TFixeddP>> FixedDps;
    std::vector<std::unique_ptr<TFixedC>> FixedCs;
    std::unique_ptr<TFixedEndFitting> OutletTerminal;
    std::unique_ptr<TFixedEndFitting> InletTerminal;
    // The network fittings that name this branch, with their (C, C2) values.
    std::vector<TFitting*> LinkedFittings;
    std::vector<std::pair<double, double>> LinkedFittingValues;
    // The duct's rough-wall factor, for its friction factor.
    TRoughWallFactor RoughWall;
    // Where a balancing run left the branch resting on a jump of its law
    // (laminar to turbulent): while its mass flow is RestFlow it takes any
    // drop from TotalDrop + RestBelow to TotalDrop + RestAbove. Not a number
    // when it rests nowhere.
    double RestFlow = std::nan("");
    double RestBelow = 0.0; // Pa, not above 0
    double RestAbove = 0.0; // Pa, not below 0

    TFlowNode* FromFlowNode() const { return static_cast<TFlowNode*>(FromNode); }
    TFlowNode* ToFlowNode() const { return static_cast<TFlowNode*>(ToNode); }

    void Init(int NewId, TNode* From, TNode* To) override;
    std::string ReportRow(bool Detailed) const override;
    std::string ReportHeader(bool Detailed) const override;
    std::string ReportBlankRow(bool Detailed) const override;
    // Every value, deep copies of the fixed items and terminals, then the
    // flow terms at this branch's own nodes. Fitting links are not copied:
    // they belong to the source's network.
    void AssignData(const TBranch& Source) override;

    // "%0.0f l/s %0.0f mm" of the volume flow and the diameter.
    virtual std::string ShortLabel() const;
    virtual std::string Caption() const;
    // Stores Q, m := Q·ρto, then the velocity.
    virtual void SetVolumeFlow(double Q);
    virtual void SetVelocity(double V);
    // EditStamp := minus the present date-time (days since 30 December
    // 1899), so that later edits give smaller stamps.
    void MarkEdited();

    // ---- flow terms
    // Densities and temperature from the nodes; with FromQ the mass flow is
    // re-derived from the volume flow; resistance, friction and stack terms,
    // the total drop; Conductance := 0.5.
    void CalcFlowTerms(bool FromQ);
    // The density, resistance, friction, stack and total-drop terms of
    // CalcFlowTerms, flows and conductance untouched (a balancing run starts
    // with it).
    void UpdateDensity();
    // FlowResistance := |R·m/ρmean|; Conductance := 0.5/FlowResistance, or
    // 1e-100 when the resistance is not above 1e-100.
    void UpdateConductance();
    // m := Q·ρto; an Outlet to-node takes -m as its external flow.
    void CalcMassFlow();
    // Q := m/ρto (0 while the to-node has no density).
    void CalcVolumeFlow();
    void SetFlowFromDesign() { VolumeFlow = DesignFlow; }
    // From an Inlet or to an Outlet: its design flow is its terminal's.
    bool IsTerminal() const;
    // DesignFlow := Q as a window takes it: held within ±LargestDesignFlow,
    // a terminal's within 0 to LargestDesignFlow with a flow below the
    // smallest taking the nearer of 0 and SmallestTerminalFlow, so that the
    // data check of the next command never refuses it.
    void SetDesignFlowFromWindow(double Q);
    void AddMassFlow(double Dm) { MassFlow += Dm; }
    void CalcArea();     // FlowArea := π·D²/4
    void CalcVelocity(); // Velocity := Q/FlowArea when the area is nonzero
    // Kind Gain or Sink: fixed drops - gain - stack term; a duct: friction -
    // stack + damper, minus the gain of a booster.
    void CalcTotalDrop();
    // Booster := false, then the total drop.
    void ClearBooster();

    // ---- friction and resistance
    // Darcy f of a duct: area, velocity, viscosity at the from-node's dry
    // bulb, Reynolds number with ρto, then the duct's friction factor at
    // that Reynolds number and the settings' roughness (a function of those
    // alone, never of the factor before), kept within 0.001..0.3. A fan or
    // sink branch, or a duct without a diameter: f := 0.
    void CalcFriction();
    // The duct law's factor at Speed (m/s) through this branch's diameter,
    // with the viscosity and Reynolds number it comes from: the one
    // computation of a duct's factor, for its own length and its terminals.
    double DuctLawFactor(double Speed, double& Mu, double& Re);
    // A duct with a diameter: CalcFriction, then ResistanceAtFriction.
    void CalcResistance();
    // A duct with a diameter: R := 8·f·Ltot/(π²·D⁵) at the present f;
    // otherwise R := 0. Then FlowResistance := |m·R/ρmean|.
    void ResistanceAtFriction();
    // ToResistance := |R·m/ρto| at the present R.
    void ToResistanceAtResistance();
    // A duct whose flow, as last recomputed, lies on a jump of its law: its
    // Reynolds number at 64 or 2300, or no flow through fixed drops (whose
    // sign follows the flow's).
    bool SitsOnJump() const;
    // CalcResistance, then ToResistanceAtResistance.
    void CalcToResistance();
    // FrictionDrop := m·ToResistance (0 without flow), then the total drop.
    void CalcFrictionDrop();
    // CalcToResistance, then CalcFrictionDrop.
    void UpdateFriction();

    // ---- equivalent lengths and drops
    // LeFittings := FittingsCSum·D/f and FittingsDrop := 8·f·LeFittings·m²/
    // (π²·ρmean·D⁵); both 0 without a diameter or a friction factor.
    void CalcFittingsLe();
    // CalcFittingsLe; every fixed item recomputes its length at this
    // branch's air, flow, friction and diameter; EquivLength := the
    // fittings' + the fixed dP's + the fixed C's + the terminals that apply
    // (the outlet's when the to-node is an Outlet, the inlet's when the
    // from-node is an Inlet).
    void CalcEquivLengths();
    // The same sums from the items' present lengths, recomputing none.
    void SumEquivLengths();
    // EquivLength := LeFittings + LeDp + LeC + the terminals that apply.
    void AddUpEquivLength();
    // The terminals that apply compute their lengths and drops (at ρto);
    // their drops become InletTermDrop and OutletTermDrop (else 0), in the
    // duct's factor at the present flow. With FactorCurrent FrictionFactor
    // has just been computed at this flow; else CalcFriction finds it.
    void CalcTerminalLosses(bool FactorCurrent = false);
    // FixedDpSum and FixedCSum := the sums of the items' drops.
    void SumFixedDrops();
    void CalcTotalLength() { TotalLength = Length + EquivLength; }
    // TotalLength without the equivalent lengths of the terminals that apply.
    double LengthWithoutTerminals() const;
    // After reading: the viscosity, Reynolds number, friction factor and
    // equivalent and total lengths that the stored flows, sizes, lengths
    // and air give. No stored value changes.
    void CalcShownHydraulics();
    // The chain of one sizing or balancing step: terminal losses, equivalent
    // lengths, total length, friction and resistance, fixed drops, total drop.
    void RecalcLosses();
    // Across the branch to its far node unless that node is flagged visited:
    // Direction 1 goes against the branch (from-node pressure := to-node
    // pressure + TotalDrop), any other with it (to-node pressure := from-node
    // pressure - TotalDrop).
    void PropagatePressure(int Direction);

    // ---- sizing (one branch; the network's sizing loops call these)
    // Direction below is that of PropagatePressure: 1 walks against the
    // branch, any other value with it. Flows are signed by the drawing
    // direction, so every size is computed from their magnitudes.
    //
    // Equal friction: nothing for a size-fixed branch, a fan or sink branch,
    // or while the network sizes to standard sizes. Otherwise the diameter
    // whose friction per metre of total length is |Rate| Pa/m (a rate of
    // about 0 takes the design rate unless KeepRate; a rate still about 0
    // keeps the present size); FrictionDrop := rate·TotalLength in the
    // direction of the flow; without KeepRate the pressure is carried on.
    void SizeForPressureRate(bool KeepRate, int Direction, double Rate);
    // A duct of kind Common takes the diameter at which its flow runs at
    // Velocity (reset first when not positive); a fan or sink branch gets no
    // diameter. Size-fixed branches keep theirs.
    void SizeByVelocity();
    // The design velocity: with the settings' user velocities, the outlet
    // velocity for a terminal branch and the main velocity otherwise;
    // without them 1.35·ln|Q| + 5 m/s above 0.05 m³/s, else 1 m/s.
    virtual void ResetVelocity();
    // The duct geometry from the diameter (nothing for a plain flow branch).
    virtual void SizeDuct() {}
    // Static regain: the diameter at which the friction over Length (m)
    // equals the regain statregainfactor·((UpMass/m)²·(D/UpDiameter)⁴ - 1)
    // of velocity pressure from the upstream branch, no slower than the
    // settings' lowest velocity; then friction and the pressure carried on.
    // A size-fixed branch, or one without flow or without an upstream flow
    // or diameter, keeps its size.
    void SizeStaticRegain(int Direction, double Length, double UpMass, double UpDiameter);
    // The diameter step of SizeStaticRegain alone (no friction, no pressure).
    void FitStaticRegain(double Length, double UpMass, double UpDiameter);
    // TotalDrop loses the damper drop, which becomes 0.
    void ClearDamperDrop();
    // A balancing damper of Drop Pa in the direction of the flow: signed by
    // the drawing direction into DamperDrop, and into TotalDrop.
    void SetDamperDrop(double Drop, int AirSign);

    // ---- what the fitting database is told about this branch
    // The section record of a fitting link: D, H, W in mm, |Q|, L, area.
    virtual TDuctSection FittingSection() const;
    // Refreshes a duct's velocity after its flow changed (nothing here).
    virtual void UpdateDuctVelocity() {}
    // A branch's start values (used when its duct type is set): flags 0,
    // m := Q·ρto, R := 0, the gain, no booster, the flow terms, Q and the
    // design flow, the length, no equivalent lengths.
    void SetupFromDefaults(double Gain, double NewLength, double Q);

    // ---- terminals
    // Creates the outlet (inlet) terminal or refreshes its C-value (the
    // settings' default for Kind) and reference drop (40, 40, 20 Pa for the
    // outlet kinds; 40, 50, 20 Pa for the inlet kinds).
    void UpdateOutletTerminal(const TSettings& Settings, int Kind);
    void UpdateInletTerminal(const TSettings& Settings, int Kind);
    // The outlet terminal counts while the to-node is an Outlet, the inlet
    // terminal while the from-node is an Inlet.
    bool OutletApplies() const { return OutletTerminal && ToFlowNode()->NodeType == ntOutlet; }
    bool InletApplies() const { return InletTerminal && FromFlowNode()->NodeType == ntInlet; }
    // The outlet (Outlet) or inlet terminal, or for a branch without one the
    // default of its node's kind: what files store, so that their readers
    // always find the terminal they expect.
    TFixedEndFitting TerminalOrDefault(const TSettings& Settings, bool Outlet) const;
};

// What the network's walks take from a link of a node: the node at its far
// end (Direction 1: the branch ends at the node, so its from-node) and its
// branch as a flow branch.
inline TFlowNode* FarFlowNode(const TLink& Link)
{
    return static_cast<TFlowNode*>(Link.Direction == 1 ? Link.Branch->FromNode : Link.Branch->ToNode);
}

inline TFlowBranch& FlowBranchOf(const TLink& Link)
{
    return static_cast<TFlowBranch&>(*Link.Branch);
}

// An item of a flow network's branch list.
inline TFlowBranch& FlowBranchOf(const std::unique_ptr<TBranch>& Branch)
{
    return static_cast<TFlowBranch&>(*Branch);
}

// The friction per metre that a pressure difference over a branch's total
// length gives; 0 (no rate) for a branch without length.
inline double PressureGradient(double PressureDifference, double TotalLength)
{
    const double Rate = TotalLength > 0.0 ? PressureDifference / TotalLength : 0.0;
    return std::isfinite(Rate) ? Rate : 0.0;
}
