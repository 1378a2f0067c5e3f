#pragma once
// What the dialog tests share: the fitting database built in this build tree
// (installed as the program's one database), scripted window services that
// record messages and answer prompts, a scripted modal runner, a settings
// store in memory, and small duct networks at standard air.

#include "controls/UiServices.h"
#include "fittings/DuctFittingDB.h"
#include "foundation/SettingsStore.h"
#include "foundation/WarningSink.h"
#include "network/DuctGraph.h"
#include "network/Settings.h"
#include "tests/support/ScriptedUiServices.h" // PrintTo for QStrings too

#include <QApplication>
#include <QDialog>
#include <QMenu>

#include <deque>
#include <functional>
#include <memory>
#include <string>

inline TDuctFittingDB& TestDatabase()
{
    static TDuctFittingDB& Database = CreateDuctFittingDB(VENTRIX_COMMON_DATA_DIR);
    return Database;
}

// Messages are recorded and answered from Answers (then Yes); modal runs go
// to RunModal (default: closed at once with Cancel); a pop-up menu picks
// the action named MenuPick.
struct TScriptedServices {
    QStringList Messages;
    std::deque<int> Answers;
    std::function<int(QDialog&)> Modal = [](QDialog&) { return int(mrCancel); };
    QString MenuPick;
    int Beeps = 0;
    TScopedUiServices Scope{Make()};

private:
    TUiServices Make()
    {
        TUiServices S = DefaultUiServices();
        S.Beep = [this] { ++Beeps; };
        S.MessageBox = [this](QWidget*, const QString&, const QString& Text, TMsgKind, int) {
            Messages << Text;
            if (Answers.empty())
                return int(mrYes);
            const int Answer = Answers.front();
            Answers.pop_front();
            return Answer;
        };
        S.RunModal = [this](QDialog& Dialog) { return Modal(Dialog); };
        S.PopupMenu = [this](QMenu& Menu, const QPoint&) -> QAction* {
            for (QAction* Action : Menu.actions())
                if (Action->text() == MenuPick)
                    return Action;
            return nullptr;
        };
        S.PointerPos = [] { return QPoint(200, 200); };
        return S;
    }
};

// A network computing with settings of its own; warnings are recorded.
struct TTestNetwork {
    TRecordingWarningSink Warnings;
    TScopedWarningSink WarningScope{Warnings};
    TSettings Defaults;
    TDuctGraph G{false, &Defaults};

    TFlowNode* Node(int Id, TNodeType Type = ntCommon)
    {
        auto* N = static_cast<TFlowNode*>(G.GetOrAddNode(Id));
        N->NodeType = Type;
        N->Density = 1.2;
        N->DryBulb = 20.0;
        return N;
    }

    // A spiral duct of Diameter (m) from From to To carrying Q m³/s at
    // 1.2 kg/m³, its terminals as its nodes ask, flow terms and friction
    // computed; Diameter 0 gives a duct without size.
    TDuctBranch* Duct(int Id, int From, int To, double Diameter, double Length, double Q,
                      TNodeType FromType = ntCommon, TNodeType ToType = ntCommon)
    {
        Node(From, FromType);
        Node(To, ToType);
        auto* B = static_cast<TDuctBranch*>(G.AddBranch(Id, From, To));
        B->SetDuctType(dtSpiral, 0.0, Length, Q);
        B->Diameter = Diameter;
        B->CalcArea();
        B->CalcDuctArea();
        B->SetVolumeFlow(Q);
        G.UpdateNodeTerminals(B->FromFlowNode());
        G.UpdateNodeTerminals(B->ToFlowNode());
        B->CalcFlowTerms(true);
        B->RecalcLosses();
        return B;
    }

    // A fitting of the network with this code and roles, linked to the
    // branches of Ids in order.
    TFitting* AddFitting(const std::string& Code, std::vector<std::string> Roles, std::vector<int> Ids)
    {
        auto F = std::make_unique<TFitting>("Test " + Code, Code);
        F->Roles = std::move(Roles);
        for (int Id : Ids)
            F->Links.push_back({Id, nullptr});
        F->Junction = F->Roles.size() > 2;
        F->Transition = F->Roles.size() == 2;
        F->CValues.assign(Ids.size(), 0.0);
        F->CValues2.assign(Ids.size(), 0.0);
        F->Remarks.assign(Ids.size(), std::string());
        F->FlowRatios.assign(Ids.size(), {});
        F->VelocityRatios.assign(Ids.size(), {});
        TFitting* Raw = F.get();
        G.Fittings.push_back(std::move(F));
        G.ResolveFittingLinks(false);
        return Raw;
    }
};

inline void Activate(QWidget& Window)
{
    Window.show();
    QApplication::setActiveWindow(&Window);
}
