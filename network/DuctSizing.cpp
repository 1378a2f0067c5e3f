// The duct geometry of sizing: height, width and aspect from a diameter,
// the size that gives a velocity, and the nearest standard size.

#include "network/DuctBranch.h"

#include "foundation/EquivDiamTool.h"
#include "foundation/NumericHelpers.h"
#include "network/FlowGraph.h"
#include "network/Settings.h"

#include <cmath>
#include <numbers>

namespace {

const TSettings& SettingsOf(const TFlowBranch& Branch)
{
    return Branch.Graph ? static_cast<const TFlowGraph*>(Branch.Graph)->Settings() : DesignSettings();
}

bool UsableSize(double Value)
{
    return std::isfinite(Value) && Value > 0.0;
}

// The nearest multiple of Step; a size that would round away to nothing
// takes one step, and a step that is no step leaves the size as it is.
double Stepped(double Size, double Step)
{
    if (!UsableSize(Step))
        return Size;
    const double Rounded = RoundToStep(Size, Step);
    return Rounded < Step ? Step : Rounded;
}

bool HasDuctGeometry(const TDuctBranch& B)
{
    return B.Kind == bkCommon && (B.DuctType == dtSpiral || B.DuctType == dtRect);
}

} // namespace

int TDuctBranch::KeptDimension() const
{
    const int Keep = Keep1 != 0 ? Keep1 : Keep2;
    return Keep >= TEquivDiamTool::kdHeight && Keep <= TEquivDiamTool::kdAspect ? Keep : TEquivDiamTool::kdAspect;
}

void TDuctBranch::ResetVelocity()
{
    CalcDuctArea();
    TFlowBranch::ResetVelocity();
    DesignVelocity = DuctVelocity;
}

void TDuctBranch::SizeDuct()
{
    if (!HasDuctGeometry(*this))
        return;
    if (!(Diameter > 0.0)) {
        DuctHeight = 0.0;
        DuctWidth = 0.0;
    } else if (!SizeFixed) {
        const int Kept = KeptDimension();
        const double KeptValue = Kept == TEquivDiamTool::kdHeight  ? DuctHeight
                                 : Kept == TEquivDiamTool::kdWidth ? DuctWidth
                                                                   : Aspect;
        // A kept dimension that is no size cannot shape the duct: the
        // geometry stays as it was.
        if (UsableSize(KeptValue)) {
            TEquivDiamTool Tool;
            double D = Diameter;
            double H = DuctHeight;
            double W = DuctWidth;
            double A = Aspect;
            Tool.Solve(D, H, W, A, TEquivDiamTool::kdDiameter, Kept);
            if (UsableSize(H) && UsableSize(W) && UsableSize(A)) {
                DuctHeight = H;
                DuctWidth = W;
                Aspect = A;
            }
        }
    }
    CalcArea();
    CalcDuctArea();
}

void TDuctBranch::SizeDuctFromVelocity()
{
    if (SizeFixed || Kind != bkCommon)
        return;
    const double V = std::fabs(DuctVelocity);
    const double Q = std::fabs(VolumeFlow);
    if (!UsableSize(V) || !UsableSize(Q))
        return; // no velocity or no flow to size for
    const double Area = Q / V;
    if (DuctType == dtRect) {
        double H = DuctHeight;
        double W = DuctWidth;
        switch (KeptDimension()) {
        case TEquivDiamTool::kdHeight:
            W = Area / H;
            break;
        case TEquivDiamTool::kdWidth:
            H = Area / W;
            break;
        default:
            W = std::sqrt(Area / Aspect);
            H = Aspect * W;
            break;
        }
        const double D = TEquivDiamTool::EquivDiameter(H, W);
        if (!UsableSize(H) || !UsableSize(W) || !UsableSize(D))
            return;
        DuctHeight = H;
        DuctWidth = W;
        Aspect = H / W;
        Diameter = D;
    } else {
        Diameter = std::sqrt(4.0 * Area / std::numbers::pi);
    }
    CalcArea();
    CalcDuctArea();
    Velocity = VolumeFlow / FlowArea;
}

void TDuctBranch::RoundToStandard()
{
    if (Kind != bkCommon || SizeFixed || !UsableSize(Diameter))
        return;
    const TSettings& S = SettingsOf(*this);
    if (DuctType == dtRect) {
        const double H = Stepped(DuctHeight, S.ductrectstep);
        const double W = Stepped(DuctWidth, S.ductrectstep);
        if (!UsableSize(H) || !UsableSize(W))
            return;
        DuctHeight = H;
        DuctWidth = W;
        Aspect = H / W;
        Diameter = TEquivDiamTool::EquivDiameter(H, W);
    } else {
        Diameter = Stepped(Diameter, S.ductroundstep);
        SizeDuct();
    }
    CalcArea();
    CalcDuctArea();
    CalcVelocity();
}
