#include "solver/BranchLaw.h"

#include "fittings/FrictionFactor.h"
#include "foundation/AirProperties.h"
#include "network/FlowBranch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

double Held(double F)
{
    return std::clamp(F, DuctFrictionLow, DuctFrictionHigh);
}

} // namespace

double FrictionSlope(double Re, double Roughness, double Diameter, double F)
{
    return FrictionSlope(Re, Roughness, Diameter, F, FrictionFactorRough(Roughness / Diameter));
}

double FrictionSlope(double Re, double Roughness, double Diameter, double F, double RoughFactor)
{
    if (!(F > DuctFrictionLow && F < DuctFrictionHigh))
        return 0.0;
    if (Re < TurbulentReynolds)
        return Re > SlowFlowReynolds ? -1.0 : 0.0;
    const double X = 1.0 / std::sqrt(F); // the laws are stated in x = 1/√f
    if (Roughness == 0.0)
        return -2.0 * TwoOverLn10 / (X + TwoOverLn10);
    const double Relative = Roughness / Diameter;
    // Past the onset of fully rough flow (where the rough-wall factor's
    // measure passes its limit) the factor falls gently to the rough-wall
    // value and then stays: the slope there is taken as flat.
    if (std::sqrt(RoughFactor) * Re * Relative > FullyRoughMeasure)
        return 0.0;
    // Colebrook, x + 2·log10(rr/3.7 + 2.51·x/Re) = 0, differentiated.
    const double T = 2.51 * X / Re;
    const double U = Relative / 3.7 + T;
    const double DxDlnRe = (TwoOverLn10 * T / U) / (1.0 + TwoOverLn10 * T / (X * U));
    return -2.0 * DxDlnRe / X;
}

TBranchLaw::TBranchLaw(TFlowBranch& Branch, double DuctRoughness, bool WithJumps)
    : Item(&Branch), Roughness(DuctRoughness)
{
    if (WithJumps)
        for (const auto& Item : Branch.FixedDps)
            ZeroRise += 2.0 * std::fabs(Item->Drop);
    const double D = Branch.Diameter;
    const double Rho = Branch.ToDensity;
    if (D > 0.0 && Rho > 0.0)
        ZeroScale = ZeroBandVelocity * Rho * std::numbers::pi * D * D / 4.0;
    if (!(D > 0.0) || !(Rho > 0.0) || !(Branch.Length > 0.0))
        return;
    const double Mu = AirViscosity(Branch.FromFlowNode()->DryBulb);
    // Re = 4·|m|/(π·D·μ), and the duct's own length loses K·f·m².
    const double FlowPerRe = std::numbers::pi * D * Mu / 4.0;
    const double K = 8.0 * Branch.Length / (PiSquared * D * D * D * D * D * Rho);
    LaminarSlope = 128.0 * Mu * Branch.Length / (std::numbers::pi * D * D * D * D * Rho);
    SlowEdge = 2.0 * K * SlowFlowFriction * SlowFlowReynolds * FlowPerRe;
    if (!WithJumps)
        return;

    // Only the duct's own length jumps: every other loss is an equivalent
    // length stated in the duct's factor (C·D/f), so its drop does not
    // depend on the factor.
    int Regime = frNoFlow;
    const double Turbulent =
        DuctFrictionFactor(TurbulentReynolds, Roughness, D, Branch.RoughWall.Of(Roughness, D), Regime);
    Jumps[0].Flow = SlowFlowReynolds * FlowPerRe;
    Jumps[0].Rise = K * Jumps[0].Flow * Jumps[0].Flow * (Held(1.0) - SlowFlowFriction);
    Jumps[1].Flow = TurbulentReynolds * FlowPerRe;
    Jumps[1].Rise = K * Jumps[1].Flow * Jumps[1].Flow * (Turbulent - Held(FrictionFactorLaminar(TurbulentReynolds)));
}

int TBranchLaw::Piece(double M) const
{
    int Outward = 1;
    for (const TJump& J : Jumps)
        if (J.Rise > 0.0 && std::fabs(M) >= J.Flow)
            ++Outward;
    return M < 0.0 ? -Outward : Outward;
}

bool TBranchLaw::JumpBetween(int A, int B, double& Flow, double& Rise) const
{
    if ((A < 0) != (B < 0)) {
        // Through zero (from whichever pieces): a jump only where fixed
        // drops change sign there.
        Flow = 0.0;
        Rise = ZeroRise;
        return ZeroRise > 0.0;
    }
    if (std::abs(A - B) != 1)
        return false;
    // The jumps that count, in order outward; the lower piece's outer edge.
    int Lower = std::min(std::abs(A), std::abs(B));
    for (const TJump& J : Jumps) {
        if (!(J.Rise > 0.0))
            continue;
        if (--Lower == 0) {
            Flow = A < 0 ? -J.Flow : J.Flow;
            Rise = J.Rise;
            return true;
        }
    }
    return false;
}

double TBranchLaw::Evaluate(double M)
{
    Item->MassFlow = M;
    Item->CalcVolumeFlow();
    Item->RecalcLosses();
    return Item->TotalDrop;
}

double TBranchLaw::Slope(bool Spread) const
{
    const TFlowBranch& B = *Item;
    const double M = B.MassFlow;
    if (M == 0.0 || !(B.TotalLength > 0.0))
        return LaminarSlope; // no flow to take a slope at
    // FrictionDrop has the sign of m: every part over m is positive. The
    // terminals' lengths follow the duct's own factor, so their drops grow
    // as m², as those of C-value items do.
    // The m² parts are summed from their own lengths: taken as what the
    // others leave, a branch whose fixed drops stand for nearly all of its
    // length at a slow flow kept a rounding remainder of them, which over
    // that flow gave slopes of 1e33 and corrections of nothing.
    double SquaredLength = B.LeFittings + B.LeC;
    if (B.OutletApplies())
        SquaredLength += B.OutletTerminal->EquivLength;
    if (B.InletApplies())
        SquaredLength += B.InletTerminal->EquivLength;
    const double Own = B.FrictionDrop * B.Length / B.TotalLength;
    const double Squared = B.FrictionDrop * SquaredLength / B.TotalLength;
    const double Beta = FrictionSlope(B.Reynolds, Roughness, B.Diameter, B.FrictionFactor,
                                      Item->RoughWall.Of(Roughness, B.Diameter));
    double Slope = ((2.0 + Beta) * Own + 2.0 * Squared) / M;
    if (Spread)
        Slope += JumpSpread(M);
    return std::isfinite(Slope) ? std::max(Slope, 0.0) : LaminarSlope;
}

double TBranchLaw::JumpSpread(double M) const
{
    const double Flow = std::fabs(M);
    double Spread = 0.0;
    for (const TJump& J : Jumps)
        if (J.Rise > 0.0 && Flow >= J.Flow / JumpBand && Flow <= J.Flow * JumpBand)
            Spread += J.Rise / (J.Flow * (JumpBand - 1.0 / JumpBand));
    return Spread;
}

double TBranchLaw::ZeroHalfWidth(double Width, bool (&Taken)[2]) const
{
    Taken[0] = Taken[1] = false;
    double Half = ZeroRise > 0.0 ? Width * ZeroScale : 0.0;
    if (!(Half > 0.0))
        return 0.0;
    for (int K = 0; K < 2; ++K) {
        const TJump& J = Jumps[K];
        if (J.Rise > 0.0 && J.Flow * (1.0 - Width) < Half) {
            Taken[K] = true;
            Half = std::max(Half, J.Flow * (1.0 + Width));
        }
    }
    return Half;
}

bool TBranchLaw::InBand(double M, double Width, double MinRise, double& AtJump) const
{
    bool Taken[2];
    const double Zero = ZeroHalfWidth(Width, Taken);
    const double Flow = std::fabs(M);
    if (ZeroRise >= MinRise && Flow < Zero) {
        AtJump = 0.0;
        return true;
    }
    for (int K = 0; K < 2; ++K) {
        const TJump& J = Jumps[K];
        if (!Taken[K] && J.Rise >= MinRise && J.Rise > 0.0 && std::fabs(Flow - J.Flow) < Width * J.Flow) {
            AtJump = M < 0.0 ? -J.Flow : J.Flow;
            return true;
        }
    }
    return false;
}

double TBranchLaw::EvaluateSmoothed(double M, double Width, double& SmoothSlope)
{
    bool Taken[2];
    const double Zero = ZeroHalfWidth(Width, Taken);
    const double Flow = std::fabs(M);
    // The band the flow lies in: its ends A < B and its kept drops.
    double A = 0.0, B = 0.0;
    TBandEnds* E = nullptr;
    if (Flow < Zero) {
        A = -Zero;
        B = Zero;
        E = &Ends[0];
    }
    for (int K = 0; K < 2 && !E; ++K) {
        const TJump& J = Jumps[K];
        if (!Taken[K] && J.Rise > 0.0 && std::fabs(Flow - J.Flow) < Width * J.Flow) {
            const double Inner = J.Flow * (1.0 - Width), Outer = J.Flow * (1.0 + Width);
            A = M < 0.0 ? -Outer : Inner;
            B = M < 0.0 ? -Inner : Outer;
            E = &Ends[M < 0.0 ? K + 3 : K + 1];
        }
    }
    if (!E) {
        const double Drop = Evaluate(M);
        SmoothSlope = Slope(false);
        return Drop;
    }
    if (E->Width != Width) {
        E->Low = Evaluate(A);
        E->High = Evaluate(B);
        E->Width = Width;
    }
    Evaluate(M);
    SmoothSlope = (E->High - E->Low) / (B - A);
    return E->Low + SmoothSlope * (M - A);
}
