#pragma once
// The label content dialog ("Duct Labels"): what the drawing shows next to
// each duct and node as a permanent label and as a pop-up hint, on the
// pages "Ducts" and "Nodes", kept in the settings section "DuctLabelsDlg".
// The editor asks it for every label and hint it draws, so it answers from
// the boxes' states as last ticked, never from the settings store.

#include "dialogs/DuctLabelTexts.h"

#include <QDialog>

#include <array>
#include <string>

class QCheckBox;
class QPushButton;
class TDuctBranch;
class TFlowNode;
class TSettingsStore;

class TDuctLabelsDlg : public QDialog {
    Q_OBJECT

public:
    // A tool window over Parent; reads its boxes and placement from Store,
    // which must outlive it.
    explicit TDuctLabelsDlg(TSettingsStore& Store, QWidget* Parent = nullptr);

    std::string BranchLabelText(const TDuctBranch& Branch) const { return FTexts.BranchLabelText(Branch); }
    std::string BranchHintText(const TDuctBranch& Branch) const { return FTexts.BranchHintText(Branch); }
    std::string NodeLabelText(const TFlowNode& Node) const { return FTexts.NodeLabelText(Node); }
    std::string NodeHintText(const TFlowNode& Node) const { return FTexts.NodeHintText(Node); }
    std::string BranchDescription(const TDuctBranch& Branch) const { return FTexts.BranchDescription(Branch); }
    // A value in the unit the labels show its quantity in ("0.100 m³/s").
    std::string ValueText(TLabelQuantity Quantity, double Value) const { return FTexts.ValueText(Quantity, Value); }
    // Any of volume flow, velocity, pressure drop, diameter, size or length
    // is on the branch labels (they then change with every solve).
    bool BranchLabelShowsData() const;
    // Node labels show the relative pressure.
    bool NodeLabelShowsRelP() const { return FTexts.Choice.NodeLabel[niRelPressure]; }

    // Where the display units come from (see TDuctLabelTexts::UnitsOf).
    void SetUnitsSource(std::function<int(TLabelQuantity)> Source) { FTexts.UnitsOf = std::move(Source); }
    const TLabelChoice& Choice() const { return FTexts.Choice; }

    // "&Reset": every box as it comes.
    void ResetClick();
    void LoadSettings();
    void SaveSettings();

    // The boxes, in the order of the items: label and hint columns.
    std::array<QCheckBox*, BranchItemCount> BranchLabelBoxes{};
    std::array<QCheckBox*, BranchItemCount> BranchHintBoxes{};
    std::array<QCheckBox*, NodeItemCount> NodeLabelBoxes{};
    std::array<QCheckBox*, NodeItemCount> NodeHintBoxes{};
    QPushButton* ResetButton;
    QPushButton* CloseButton;

    void done(int Result) override;

private:
    QWidget* DuctsPage();
    QWidget* NodesPage();
    // The boxes show Choice.
    void ShowChoice(const TLabelChoice& Choice);
    // Choice follows the boxes.
    void TakeBoxes();

    TSettingsStore& Store;
    TDuctLabelTexts FTexts;
    bool Showing = false;
};
