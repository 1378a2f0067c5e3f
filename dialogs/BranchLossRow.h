#pragma once
// The equivalent length and pressure drop that one loss item gives on a
// branch, as the pressure-drop form's rows show them: a loss coefficient C
// stands for Le = C·D/f of the branch's duct, which loses
// dP = 8·f·Le·m²/(π²·ρ·D⁵); a pressure drop stands for
// Le = π²·ρ·D⁵·dP/(8·f·m²).

class TFlowBranch;

// What the formulas take from a branch: mean density (kg/m³), mass flow
// (kg/s), Darcy friction factor and diameter (m).
struct TBranchAir {
    double Density = 0.0;
    double MassFlow = 0.0;
    double Friction = 0.0;
    double Diameter = 0.0;
};

TBranchAir BranchAirOf(const TFlowBranch& Branch);

// For an item the user types on a branch not yet sized or without flow: a
// density not above 0 counts as 1.2 kg/m³, a diameter as 0.3 m, a friction
// factor as 0.02 and a zero mass flow as 0.3 kg/s, so that the row still
// shows what the item means.
TBranchAir WithStandIns(TBranchAir Air);

struct TLossRow {
    double EquivLength = 0.0; // m
    double Drop = 0.0;        // Pa
};

// A coefficient's length and drop; both 0 when the friction factor, the
// diameter or the density is not above 0 (no velocity pressure to refer C
// to).
TLossRow CoefficientLoss(double C, const TBranchAir& Air);
// A pressure drop's length (the drop kept); length 0 without flow or with
// the friction factor, the diameter or the density not above 0.
TLossRow DropLoss(double Drop, const TBranchAir& Air);
