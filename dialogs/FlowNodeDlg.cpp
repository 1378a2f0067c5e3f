#include "dialogs/FlowNodeDlg.h"

#include "controls/EntryGrid.h"
#include "foundation/SettingsStore.h"
#include "network/FlowNode.h"
#include "platform/FormPlacement.h"
#include "platform/QtText.h"

#include <QVBoxLayout>

namespace {

// Unit index of utAirPressDrop in which relative pressures are held (Pa).
constexpr int PascalUnit = 1;

const QString NotFilled = "  ---";

QStringList TextsOf(const char* (*Text)(int), int Count)
{
    QStringList Items;
    for (int I = 0; I < Count; ++I)
        Items << Text(I);
    return Items;
}

} // namespace

TFlowNodeDlg::TFlowNodeDlg(TSettingsStore& SettingsStore, QWidget* MainWindow)
    : TGridToolWindow(SettingsStore, MainWindow)
{
    setObjectName("FlowNodeDlg");
    setWindowTitle("Node Editor");

    Grid->SetLines({"Property; Value", "Caption; %s", "Rel Pressure, Pa; %0.1f; ; NPE; 0; 0",
                    "Node Type; enum; ; ", "Edge Type; enum; ; "});
    Grid->SetColWidth(0, 110);
    Grid->SetRowEditable(RowRelPressure, false);
    Grid->OnDoSetData = [this](TxStringGrid*, int Col, int Row) { GridDoSetData(Col, Row); };

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->addWidget(Grid);
    resize(250, Grid->RowCount() * Grid->DefaultRowHeight() + 2 * Grid->frameWidth());

    LoadSettings();
    RestoreFormPlacement(Store, this, false, true);
}

void TFlowNodeDlg::SetNode(TFlowNode* Node)
{
    if (Node != FNode && FNode)
        Grid->HideEditor();
    FNode = Node;
}

void TFlowNodeDlg::Refresh()
{
    if (!FNode)
        return;
    Grid->HideEditor();
    if (!FNode)
        return; // the stored entry's handlers let go of the node
    const TFlowNode& N = *FNode;
    setWindowTitle(QString("Node %1").arg(N.Id()));
    Grid->SetValue(1, RowCaption, ToQ(N.Name));
    Grid->SetValue(1, RowRelPressure, N.RelPressure);
    Grid->SetRowEnabled(RowTerminal, N.IsTerminal());
    Grid->SetCell(0, RowTerminal, NotFilled);
    Grid->SetCell(1, RowTerminal, NotFilled);
    // The end of a single branch: the node is the terminal of that side or
    // a common node, and the terminal's kind may be chosen.
    const auto OfferTerminal = [this](const char* Caption, TNodeType Terminal, bool IsTerminal,
                                      const QStringList& Kinds, int Kind) {
        Grid->SetCell(0, RowTerminal, Caption);
        Grid->SetEnumStrings(RowNodeType, {NodeTypeText(ntCommon), NodeTypeText(Terminal)});
        Grid->SetRowEnabled(RowNodeType, true);
        Grid->SetRowEditable(RowNodeType, true);
        Grid->SetValue(1, RowNodeType, IsTerminal ? 1 : 0);
        Grid->SetEnumStrings(RowTerminal, Kinds);
        Grid->SetRowEditable(RowTerminal, true);
        Grid->SetValue(1, RowTerminal, Kind);
    };
    switch (TerminalSide) {
    case 0:
        OfferTerminal("Outlet Type", ntOutlet, N.NodeType == ntOutlet, TextsOf(OutletKindText, OutletKindCount),
                      int(N.OutletKind));
        break;
    case 1:
        OfferTerminal("Inlet Type", ntInlet, N.NodeType == ntInlet, TextsOf(InletKindText, InletKindCount),
                      int(N.InletKind));
        break;
    default:
        // Not the end of one branch: the type is only shown, and there is
        // no terminal side whose kind could be chosen.
        Grid->SetEnumStrings(RowNodeType, TextsOf(NodeTypeText, NodeTypeCount));
        Grid->SetRowEditable(RowNodeType, false);
        Grid->SetValue(1, RowNodeType, int(N.NodeType));
        Grid->SetRowEditable(RowTerminal, false);
        break;
    }
}

void TFlowNodeDlg::GridDoSetData(int, int Row)
{
    // Handlers may point the dialog elsewhere: the events go to this node.
    TFlowNode* const N = FNode;
    if (!N)
        return;
    const auto Fire = [N](const std::function<void(TFlowNode*)>& Event) {
        if (Event)
            Event(N);
    };
    switch (Row) {
    case RowCaption: {
        const std::string Name = Grid->Cell(1, RowCaption).toStdString();
        if (Name == N->Name)
            return;
        if (OnSetNodeName)
            OnSetNodeName(N, Name);
        break;
    }
    case RowNodeType: {
        if (TerminalSide != 0 && TerminalSide != 1)
            return;
        const bool Terminal = Grid->GetValue(1, RowNodeType).toInt() == 1;
        if (TerminalSide == 0)
            N->NodeType = Terminal ? ntOutlet : ntCommon;
        else
            N->NodeType = Terminal ? ntInlet : ntCommon;
        Grid->SetRowEnabled(RowTerminal, N->IsTerminal());
        Fire(OnNodeTypeChanged);
        Fire(OnRedrawNode);
        Fire(OnTerminalChanged);
        break;
    }
    case RowTerminal: {
        const int Kind = Grid->GetValue(1, RowTerminal).toInt();
        if (Kind < 0 || (TerminalSide != 0 && TerminalSide != 1))
            return;
        if (TerminalSide == 0) {
            N->OutletKind = static_cast<TOutletKind>(Kind);
            Fire(OnOutletKindChanged);
        } else {
            N->InletKind = static_cast<TInletKind>(Kind);
            Fire(OnInletKindChanged);
        }
        Fire(OnRedrawNode);
        break;
    }
    default:
        return;
    }
    Fire(OnChanged);
}

void TFlowNodeDlg::LoadSettings()
{
    const std::string Section = FormSection(this);
    Grid->SetUnits(RowRelPressure, utAirPressDrop, 1.0, 0.0, ft_Fixed,
                   Store.ReadInteger(Section, "UnitsRelP", PascalUnit), PascalUnit);
    LoadColumnWidths(Section);
}

void TFlowNodeDlg::SaveSettings()
{
    const std::string Section = FormSection(this);
    Store.WriteInteger(Section, "UnitsRelP", Grid->GetUnitsValue(RowRelPressure));
    SaveColumnWidths(Section);
    SaveFormPlacement(Store, this);
}
