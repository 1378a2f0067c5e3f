#include "fittings/MidAxisEvaluation.h"

#include "fittings/DuctFit1Dim.h"

double MidAxisCoefficient(TDuctFitting& Fitting)
{
    TFloatVec Mid;
    Fitting.GetMidAxisValues(Mid);

    const TDuctSection None;
    TDuctSection Flow, Common;
    double Min = 0.0, Max = 0.0;
    Fitting.GetFlowRatioRange(Min, Max);
    if (Min != Max) {
        Common.Q = 1.0;
        Flow.Q = (Min + Max) / 2.0;
    }
    TDuctSection Straight = Flow;
    if (dynamic_cast<TDuctFitD*>(&Fitting) && !Mid.empty())
        Straight.D = Mid[0];
    return Fitting.GetCoefficientAt(Straight, Flow, Flow, Common, None, Mid);
}
