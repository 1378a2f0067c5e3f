#pragma once
// Small duct networks for the hydraulics, fittings, distribution, balancing
// and sizing tests, drawn branch by branch, computing with settings of their
// own, with a recording warning sink so that the messages can be read.

#include "foundation/WarningSink.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"

#include <string>

struct TFlowNetwork {
    TSettings Defaults;
    TDuctGraph G{false, &Defaults};
    TRecordingWarningSink Messages;
    TScopedWarningSink Scope{Messages};

    TFlowNode* Node(int Id, TNodeType Type = ntCommon)
    {
        auto* N = static_cast<TFlowNode*>(G.GetOrAddNode(Id));
        N->NodeType = Type;
        return N;
    }

    // A circular duct of 0.2 m (the default spiral) carrying Flow m³/s, with
    // the terminal its end node asks for.
    TDuctBranch* Duct(int Id, int From, int To, double Flow, double Length = 5.0)
    {
        auto* B = static_cast<TDuctBranch*>(G.AddBranch(Id, From, To));
        B->SetDuctType(dtSpiral, 0.0, Length, Flow);
        G.UpdateNodeTerminals(G.FlowNode(To));
        G.UpdateNodeTerminals(G.FlowNode(From));
        return B;
    }

    // Duct 1 of Diameter from node 1 to node 2, both at 1.2 kg/m³ and 20 °C,
    // carrying Q m³/s: the duct of the values worked by hand.
    TDuctBranch* DuctAtStandardAir(TDuctType Type, double Diameter, double Length, double Q)
    {
        auto* B = static_cast<TDuctBranch*>(G.AddBranch(1, 1, 2));
        for (TFlowNode* End : {B->FromFlowNode(), B->ToFlowNode()}) {
            End->Density = 1.2;
            End->DryBulb = 20.0;
        }
        B->SetDuctType(Type, 0.0, Length, Q);
        B->Diameter = Diameter;
        B->CalcArea();
        B->SetVolumeFlow(Q);
        return B;
    }

    TDuctBranch* Fan(int Id, int From, int To, double Flow)
    {
        auto* B = static_cast<TDuctBranch*>(G.AddBranch(Id, From, To));
        B->Name = "Main Fan";
        B->Kind = bkGain;
        B->SetDuctType(dtFan, 0.0, 0.0, Flow);
        B->AddFanDefaults();
        G.MainFan = B;
        return B;
    }

    // Inlet 1 (0.4 m³/s) -> 2 -> 3 =fan=> 4 -> 5 with outlets 6 (0.3) and 7
    // (0.2) off node 5: supply and return differ, so distribution adds a
    // leakage branch. With ReversedTrunk, duct 4 is drawn from 5 back to 4.
    void TreeWithLeakage(bool ReversedTrunk = false)
    {
        Node(1, ntInlet);
        Node(6, ntOutlet);
        Node(7, ntOutlet);
        Duct(1, 1, 2, 0.4);
        Duct(2, 2, 3, 0.0);
        Fan(3, 3, 4, 1.0);
        if (ReversedTrunk)
            Duct(4, 5, 4, 0.0);
        else
            Duct(4, 4, 5, 0.0);
        Duct(5, 5, 6, 0.3);
        Duct(6, 5, 7, 0.2);
    }

    // Inlet 1 (0.5) -> 2 -> 3 =fan=> 4 -> 5, ducts 5 -> 7 and 5 -> 8 joined
    // by the cross duct 7 -> 8 (edited last, 0.05 m³/s), outlets 9 (0.3) off
    // 7 and 10 (0.2) off 8: one inner loop, whose chord is the duct edited
    // last.
    void InnerLoop()
    {
        Node(1, ntInlet);
        Node(9, ntOutlet);
        Node(10, ntOutlet);
        Duct(1, 1, 2, 0.5);
        Duct(2, 2, 3, 0.0);
        Fan(3, 3, 4, 1.0);
        Duct(4, 4, 5, 0.0);
        Duct(5, 5, 7, 0.0);
        Duct(6, 5, 8, 0.0);
        Duct(7, 7, 8, 0.05)->EditStamp = -45000.0;
        Duct(8, 7, 9, 0.3);
        Duct(9, 8, 10, 0.2);
    }

    bool Said(const std::string& Text) const
    {
        for (const auto& M : Messages.Messages())
            if (M.Text == Text)
                return true;
        return false;
    }
};
