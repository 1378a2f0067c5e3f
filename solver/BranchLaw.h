#pragma once
// The pressure drop of one branch against its mass flow, as the warm start
// of a balancing run uses it: the branch's own hydraulics give the drop
// (friction, fittings, fixed items, terminals, stack effect, all through
// its equivalent lengths), and the slope d(drop)/dm comes from the parts
// of its friction drop: the duct's own length follows the friction factor
// (its share grows as m²·f(Re)), C-value items and terminals as m², and
// fixed pressure drops not at all.
//
// The friction law jumps where laminar flow turns turbulent (Re 2300) and
// where 64/Re gives way to the fixed 0.02 (Re 64, held to 0.3 above it).
// The drop keeps those jumps; only the slope is spread across a band round
// each, so that a Newton step near a jump sees it coming instead of
// leaping back and forth over it.

class TFlowBranch;

// d ln f / d ln Re of the friction law at Re for a duct of Diameter and
// Roughness whose friction factor there is F: -1 in laminar flow, 0 where
// f is fixed (fully rough, the 0.02 of very slow flow, or held to its
// bounds), the slope of the smooth or Colebrook law in between.
double FrictionSlope(double Re, double Roughness, double Diameter, double F);
// The same with the rough-wall factor of Roughness / Diameter at hand.
double FrictionSlope(double Re, double Roughness, double Diameter, double F, double RoughFactor);

class TBranchLaw {
public:
    // Band round a jump, as a factor on its flow, over which the slope
    // takes up the jump.
    static constexpr double JumpBand = 1.25;

    // Takes the branch's size, length and air as they are now; without
    // WithJumps the law knows no jumps (no pieces, nothing to spread).
    TBranchLaw(TFlowBranch& Branch, double Roughness, bool WithJumps = true);

    TFlowBranch& Branch() const { return *Item; }
    // Sets the branch's mass flow to M and recomputes its volume flow and
    // losses; its total drop (Pa) at M.
    double Evaluate(double M);
    // d(drop)/dm (Pa per kg/s) at the flow last evaluated, with the jumps
    // spread as above when Spread is set; at zero flow the slope of slow
    // laminar flow through the duct's length (0 for a branch without
    // length).
    double Slope(bool Spread = true) const;
    // d(drop)/dm of the duct's own length at the edge of very slow flow
    // (Re 64), where the fixed factor of very slow flow ends: below it the
    // drop grows as m² and its slope falls to nothing at zero flow.
    double SlowEdgeSlope() const { return SlowEdge; }
    // What spreading the jumps adds to the slope at the flow M (0 away from
    // them); reads the law alone, not the branch.
    double JumpSpread(double M) const;

    // The piece of the law that the flow M lies on: the jumps of the law
    // (at zero flow for a branch with fixed drops, at Re 64 and 2300 for a
    // duct) cut the flows into pieces, numbered 1, 2, ... outward from zero
    // and negative for flows against the branch.
    int Piece(double M) const;
    // True, with the flow there and the drop's rise across it (Pa), when a
    // jump of the law lies between the neighbouring pieces A and B; between
    // pieces either side of zero, the fixed drops' jump there (a flow that
    // changes sign may pass the slow-flow pieces in one step).
    bool JumpBetween(int A, int B, double& Flow, double& Rise) const;

    // The law with each jump taken up by a straight rise across a band
    // round it: Width is the band's half-width as a share of the jump's
    // flow, and round zero flow (fixed drops) as a share of the flow at
    // ZeroBandVelocity. Continuous and rising, so that Newton's steps
    // settle on it as on a smooth law; a band that would overlap the one
    // round zero is taken into it. Sets the branch at M as Evaluate does;
    // the smoothed drop, and its slope in SmoothSlope. The drops at a
    // band's ends are kept: the branch's air must not change meanwhile.
    double EvaluateSmoothed(double M, double Width, double& SmoothSlope);
    // True, with the jump's flow, when M lies inside the band of Width
    // round a jump of at least MinRise (Pa).
    bool InBand(double M, double Width, double MinRise, double& AtJump) const;
    // m/s. A slow flow: the smoothed balance leaves a branch that will rest
    // at zero on its fixed drops little flow, which pinning it there must
    // move through the rest of the network (a band of several m/s left
    // thousands of such branches litres a second each, and the exact
    // finish went round among them to its step limit).
    static constexpr double ZeroBandVelocity = 0.5;

private:
    // The band round zero flow (half-width, kg/s) and which jumps it takes in.
    double ZeroHalfWidth(double Width, bool (&Taken)[2]) const;
    // The drops at a band's ends, kept for the width they were found at.
    struct TBandEnds {
        double Width = -1.0;
        double Low = 0.0, High = 0.0;
    };
    TBandEnds Ends[5]; // zero flow; Re 64 and 2300 with the branch; against it
    double ZeroScale = 0.0; // kg/s at ZeroBandVelocity

    struct TJump {
        double Flow = 0.0; // |m| at the jump, kg/s
        double Rise = 0.0; // the drop's rise across it, Pa
    };
    TFlowBranch* Item;
    double Roughness;
    double LaminarSlope = 0.0; // 128·μ·L/(π·D⁴·ρ), Pa per kg/s
    double SlowEdge = 0.0;     // Pa per kg/s
    TJump Jumps[2]; // Re 64 first, then Re 2300
    double ZeroRise = 0.0; // Pa, the jump at zero flow of the fixed drops
};
