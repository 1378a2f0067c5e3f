#pragma once
// A round spiral duct added to a generated network: its size, length and
// design flow, and the area and velocity that follow from them.

#include "network/DuctGraph.h"

inline TDuctBranch* AddRoundDuct(TDuctGraph& G, int Id, int From, int To, double Diameter, double Length,
                                 double Flow)
{
    auto* B = static_cast<TDuctBranch*>(G.AddBranch(Id, From, To));
    B->SetDuctType(dtSpiral, 0.0, Length, Flow);
    B->Diameter = Diameter;
    B->DuctHeight = Diameter;
    B->DuctWidth = Diameter;
    B->CalcArea();
    B->CalcVelocity();
    B->CalcDuctArea();
    return B;
}
