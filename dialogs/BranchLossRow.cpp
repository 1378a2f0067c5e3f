#include "dialogs/BranchLossRow.h"

#include "network/FlowBranch.h"

#include <cmath>

TBranchAir BranchAirOf(const TFlowBranch& Branch)
{
    return {Branch.MeanDensity, Branch.MassFlow, Branch.FrictionFactor, Branch.Diameter};
}

TBranchAir WithStandIns(TBranchAir Air)
{
    if (!(Air.Density > 0.0))
        Air.Density = 1.2;
    if (!(Air.Diameter > 0.0))
        Air.Diameter = 0.3;
    if (!(Air.Friction > 0.0))
        Air.Friction = 0.02;
    if (Air.MassFlow == 0.0 || !std::isfinite(Air.MassFlow))
        Air.MassFlow = 0.3;
    return Air;
}

namespace {

bool Usable(const TBranchAir& Air)
{
    return Air.Friction > 0.0 && Air.Diameter > 0.0 && Air.Density > 0.0;
}

double Finite(double Value)
{
    return std::isfinite(Value) ? Value : 0.0;
}

} // namespace

TLossRow CoefficientLoss(double C, const TBranchAir& Air)
{
    TLossRow Row;
    if (!Usable(Air))
        return Row;
    const double D = Air.Diameter;
    Row.EquivLength = Finite(C * D / Air.Friction);
    Row.Drop = Finite(8.0 * Air.Friction * Row.EquivLength * Air.MassFlow * Air.MassFlow /
                      (PiSquared * Air.Density * std::pow(D, 5)));
    return Row;
}

TLossRow DropLoss(double Drop, const TBranchAir& Air)
{
    TLossRow Row;
    Row.Drop = Drop;
    if (!Usable(Air) || std::fabs(Air.MassFlow) <= 1e-100)
        return Row;
    Row.EquivLength = Finite(PiSquared * Air.Density * std::pow(Air.Diameter, 5) * Drop /
                             (8.0 * Air.Friction * Air.MassFlow * Air.MassFlow));
    return Row;
}
