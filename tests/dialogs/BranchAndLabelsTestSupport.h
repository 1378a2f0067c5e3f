#pragma once
// What the tests of the branch window and the label content dialog share
// besides the scripted services: the memory settings store, and a network
// holding one duct between two nodes at 1.2 kg/m³ and 20 °C.

#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"
#include "tests/support/ScriptedUiServices.h"

#include <QApplication>
#include <QTest>

namespace bltest {

// Branch 1 from node 3 to node 4: a spiral of Diameter, Length m carrying
// Flow m³/s; the node types given.
struct TOneDuct {
    TSettings Defaults;
    TDuctGraph G{false, &Defaults};
    TDuctBranch* B = nullptr;

    explicit TOneDuct(TNodeType FromType = ntCommon, TNodeType ToType = ntCommon, double Length = 10.0,
                      double Flow = 0.3)
    {
        auto* From = static_cast<TFlowNode*>(G.GetOrAddNode(3));
        auto* To = static_cast<TFlowNode*>(G.GetOrAddNode(4));
        for (TFlowNode* N : {From, To}) {
            N->Density = 1.2;
            N->DryBulb = 20.0;
        }
        From->NodeType = FromType;
        To->NodeType = ToType;
        B = static_cast<TDuctBranch*>(G.AddBranch(1, 3, 4));
        B->SetDuctType(dtSpiral, 0.0, Length, Flow);
        B->Name = "1 Spiral";
        G.UpdateNodeTerminals(From);
        G.UpdateNodeTerminals(To);
        B->CalcFlowTerms(true);
        G.RecalculateAll();
    }
};

inline void Show(QWidget& W)
{
    W.show();
    QApplication::setActiveWindow(&W);
    (void)QTest::qWaitForWindowActive(&W);
}

} // namespace bltest
