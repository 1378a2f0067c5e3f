#pragma once
// What the leaf classes of the table families are made of. A leaf differs
// from its siblings only in how it turns the duct sections and the placed
// fitting's own inputs into the values of its calculation, and those values
// into table-axis values; each leaf states that as a rule of a few small
// functions, written in the formulas below.

#include "fittings/DuctFitting.h"
#include "foundation/NumericHelpers.h"

#include <cstddef>

// The five section records of a coefficient request, in their fixed order.
struct TFitSections {
    const TDuctSection& S;
    const TDuctSection& B;
    const TDuctSection& B2;
    const TDuctSection& C;
    const TDuctSection& Second;
};

// Builds the input sequence of CalcC from the sections and the placed
// fitting's own inputs. Reads the inputs through at(), so that a fitting
// placed without enough inputs fails inside the guarded entry points.
using TSectionInputsRule = void (*)(const TFitSections& Sections, const TFloatVec& Inputs,
                                    TFloatVec& Values);
// The table-axis values that the sections determine, -1 where they do not.
using TVelocityRatiosRule = void (*)(const TFitSections& Sections, TFloatVec& Ratios);

// Whether S and Second keep their roles: a leaf with poFirstPath reads the
// first path name and exchanges them unless it is "0" (an empty path list
// counts as "0").
enum TPathOrder { poFixed, poFirstPath };

// pi/4 D^2: the area of a round duct.
inline double RoundArea(double D)
{
    return 0.7853981633974483 * D * D;
}

// 2 H W / (H + W); a zero perimeter raises.
inline double HydraulicDiameter(double H, double W)
{
    return CheckedDivide(2.0 * H * W, H + W);
}

// The quotient of the velocity-ratio rules: 0 when D is 0, never raises.
inline double SafeRatio(double N, double D)
{
    return SafeDivide(N, D, 0.0);
}

// The reference length of a fan's outlet duct (the effective duct length):
// RootArea V / 4500 above 13 m/s, RootArea / 350 up to it, from the square
// root of the outlet area in mm and the outlet velocity in m/s.
inline double EffectiveDuctLength(double RootArea, double Velocity)
{
    return Velocity > 13.0 ? RootArea * Velocity / 4500.0 : RootArea / 350.0;
}

// Raises EFittingCalcError when a calculation is handed fewer values than it
// reads.
void RequireInputs(const TFloatVec& Inputs, std::size_t Count);

// True when the fitting's first path name is "0" or it has none.
bool FirstPathIsZero(const TDuctFitting& Fitting);

// Short names for writing leaf rules. A leaf file opens them in its
// anonymous namespace (using namespace LeafRuleNames), so that the rules read
// like the formulas they state: Div raises on a zero divisor, A(D) is a round
// area, Dh(H, W) a hydraulic diameter.
namespace LeafRuleNames {
using TSec = const TFitSections&;
using TIn = const TFloatVec&;
using TOut = TFloatVec&;

inline double Div(double N, double D)
{
    return CheckedDivide(N, D);
}

inline double A(double D)
{
    return RoundArea(D);
}

inline double Dh(double H, double W)
{
    return HydraulicDiameter(H, W);
}
} // namespace LeafRuleNames
