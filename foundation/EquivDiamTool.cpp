#include "foundation/EquivDiamTool.h"

#include <cmath>

namespace {

// NaN reads as the lower limit, so no comparison below sees it.
double ClampSize(double Value)
{
    if (!(Value >= TEquivDiamTool::MinSize))
        return TEquivDiamTool::MinSize;
    if (Value > TEquivDiamTool::MaxSize)
        return TEquivDiamTool::MaxSize;
    return Value;
}

bool InSizeRange(double Value)
{
    return Value >= TEquivDiamTool::MinSize && Value <= TEquivDiamTool::MaxSize;
}

// Only a positive, finite aspect ratio describes a duct; anything else would
// divide by zero or raise a non-positive base to a fractional power.
bool UsableAspect(double Aspect)
{
    return std::isfinite(Aspect) && Aspect > 0.0;
}

} // namespace

TEquivDiamTool::TEquivDiamTool() : Root([this](double Side) { return Residual(Side); }) {}

double TEquivDiamTool::EquivDiameter(double Height, double Width)
{
    if (!(Height > 0.0) || !(Width > 0.0))
        return 0.0;
    return 1.3 * std::pow(Height * Width, 0.625) / std::pow(Height + Width, 0.25);
}

double TEquivDiamTool::Residual(double Side) const
{
    // A secant step may overshoot below zero, where no rectangle exists. There
    // the relation goes on as a straight line through the origin, so the
    // residual stays continuous and falling and the search is led back rather
    // than stalling (or taking a power of a negative number).
    if (Side <= 0.0)
        return FDiameter - Side;
    return FDiameter - EquivDiameter(Side, Other);
}

void TEquivDiamTool::SetValues(int Known1, int Known2, double Diameter, double Height,
                               double Width, double Aspect)
{
    FDiameter = Diameter;
    FHeight = Height;
    FWidth = Width;
    FAspect = Aspect;
    FKnown1 = static_cast<std::uint8_t>(Known1);
    FKnown2 = static_cast<std::uint8_t>(Known2);
    if (FKnown2 == FKnown1)
        FKnown2 = kdDiameter;
}

void TEquivDiamTool::Solve(double& Diameter, double& Height, double& Width, double& Aspect,
                           int Known1, int Known2)
{
    SetValues(Known1, Known2, Diameter, Height, Width, Aspect);
    Compute();
    Diameter = FDiameter;
    Height = FHeight;
    Width = FWidth;
    Aspect = FAspect;
}

void TEquivDiamTool::GetValues(double& Diameter, double& Height, double& Width, double& Aspect,
                               int& Known1, int& Known2) const
{
    Diameter = FDiameter;
    Height = FHeight;
    Width = FWidth;
    Aspect = FAspect;
    Known1 = FKnown1;
    Known2 = FKnown2;
}

void TEquivDiamTool::SetDiameter(double Value)
{
    FDiameter = Value;
    MarkKnown(kdDiameter);
    Compute();
}

void TEquivDiamTool::SetHeight(double Value)
{
    FHeight = Value;
    MarkKnown(kdHeight);
    Compute();
}

void TEquivDiamTool::SetWidth(double Value)
{
    FWidth = Value;
    MarkKnown(kdWidth);
    Compute();
}

void TEquivDiamTool::SetAspect(double Value)
{
    FAspect = Value;
    MarkKnown(kdAspect);
    Compute();
}

void TEquivDiamTool::MarkKnown(int Code)
{
    if (Code == FKnown1)
        return;
    FKnown2 = FKnown1;
    FKnown1 = static_cast<std::uint8_t>(Code);
}

void TEquivDiamTool::Compute()
{
    if (!IsKnown(kdDiameter)) {
        if (!IsKnown(kdHeight)) {
            // Width and aspect given. An unusable aspect leaves the height as it
            // was, and the aspect is then recomputed from height and width.
            if (UsableAspect(FAspect))
                FHeight = FAspect * FWidth;
        } else if (!IsKnown(kdWidth)) {
            // Height and aspect given.
            if (UsableAspect(FAspect))
                FWidth = FHeight / FAspect;
        }
        FromHeightAndWidth();
    } else if (IsKnown(kdWidth)) {
        SolveHeight();
    } else if (IsKnown(kdHeight)) {
        SolveWidth();
    } else {
        FromDiameterAndAspect();
    }
}

void TEquivDiamTool::FromHeightAndWidth()
{
    FDiameter = EquivDiameter(FHeight, FWidth);
    UpdateAspect();
}

void TEquivDiamTool::FromDiameterAndAspect()
{
    FDiameter = ClampSize(FDiameter);
    if (!UsableAspect(FAspect)) {
        // No rectangle has this aspect: keep both sides, show their own ratio.
        UpdateAspect();
        return;
    }
    const double k = std::pow(FAspect, 0.625) / std::pow(1.0 + FAspect, 0.25);
    FWidth = FDiameter / (1.3 * k);
    FHeight = FAspect * FWidth;
}

void TEquivDiamTool::SolveHeight()
{
    FDiameter = ClampSize(FDiameter);
    FWidth = ClampSize(FWidth);
    FHeight = SearchSide(FWidth, FWidth);
    if (!SearchSucceeded(FHeight)) {
        // Move the diameter to the width (or the width to the diameter,
        // whichever was given earlier) and take what that search gives.
        if (FKnown1 != kdDiameter)
            FDiameter = FWidth;
        else
            FWidth = FDiameter;
        FHeight = SearchSide(FWidth, FWidth);
    }
    UpdateAspect();
}

void TEquivDiamTool::SolveWidth()
{
    FDiameter = ClampSize(FDiameter);
    FHeight = ClampSize(FHeight);
    FWidth = SearchSide(FHeight, FHeight);
    if (!SearchSucceeded(FWidth)) {
        if (FKnown1 != kdDiameter)
            FDiameter = FHeight;
        else
            FHeight = FDiameter;
        FWidth = SearchSide(FHeight, FHeight);
    }
    UpdateAspect();
}

double TEquivDiamTool::SearchSide(double OtherSide, double Start)
{
    Other = OtherSide;
    return Root.Solve(Start);
}

bool TEquivDiamTool::SearchSucceeded(double Side) const
{
    const bool converged = Root.Status() == TRoot::rsConverged;
    // Status "no iteration" with the start residual within tolerance means the
    // start value was already the answer (not a failed search).
    const bool startWasRoot = Root.Status() == TRoot::rsNoIteration &&
                              std::fabs(Root.LastF()) <= Root.Tolerance();
    return (converged || startWasRoot) && InSizeRange(Side);
}

void TEquivDiamTool::UpdateAspect()
{
    // A width of zero or less has no ratio: the aspect keeps its value.
    if (FWidth > 0.0)
        FAspect = FHeight / FWidth;
}
