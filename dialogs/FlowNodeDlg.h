#pragma once
// The node dialog ("Node <id>"): a small property sheet beside the drawing
// for the selected node: its name, its relative pressure (read-only), its
// type and its terminal kind. The editor frame points it at a node with the
// side the node ends its single branch on, and wires its events; it never
// changes the drawing itself.

#include "dialogs/GridToolWindow.h"

#include <functional>
#include <string>

class TFlowNode;

class TFlowNodeDlg : public TGridToolWindow {
    Q_OBJECT

public:
    // Rows of the grid.
    static constexpr int RowCaption = 1;
    static constexpr int RowRelPressure = 2;
    static constexpr int RowNodeType = 3;
    static constexpr int RowTerminal = 4;

    // A tool window over MainWindow, hidden when closed. Reads its settings
    // from Store, which must outlive it.
    TFlowNodeDlg(TSettingsStore& Store, QWidget* MainWindow = nullptr);

    // The node shown (not owned); null for none. A name being typed for
    // the previous node is stored with that node first.
    TFlowNode* Node() const { return FNode; }
    void SetNode(TFlowNode* Node);
    // Which choices the node offers: 0 it is the to-end of its only branch
    // (an outlet or not), 1 its from-end (an inlet or not), 2 neither (its
    // type shown read-only).
    int TerminalSide = 2;

    // Fills the grid from the node.
    void Refresh();
    // The grid's stored cell: the node takes the row's value and the events
    // report it.
    void GridDoSetData(int Col, int Row);
    // "UnitsRelP", the column widths, the placement.
    void SaveSettings() override;
    void LoadSettings();

    std::function<void(TFlowNode* Node)> OnRedrawNode;
    std::function<void(TFlowNode* Node, const std::string& Name)> OnSetNodeName;
    std::function<void(TFlowNode* Node)> OnNodeTypeChanged;
    std::function<void(TFlowNode* Node)> OnTerminalChanged;
    std::function<void(TFlowNode* Node)> OnOutletKindChanged;
    std::function<void(TFlowNode* Node)> OnInletKindChanged;
    std::function<void(TFlowNode* Node)> OnChanged;
    // OnUnitsChanged: the pressure row was switched to other units.

protected:
    bool RowHasUnits(int Row) const override { return Row == RowRelPressure; }

private:
    TFlowNode* FNode = nullptr;
};
