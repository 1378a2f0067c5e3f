#pragma once
// The branch window: the property window of one duct branch beside the
// drawing. Its "Data" page edits the caption, design flow, volume flow,
// velocity, diameter and length (the pressure drop is shown; its button
// opens the pressure-drop form); "Fittings" lists the fittings on the
// branch; "Summary" tells its computed hydraulics. The editor frame points
// it at the selected branch and wires its events; it never changes the
// drawing itself.

#include "dialogs/GridToolWindow.h"

#include <array>
#include <functional>
#include <string>

class QPlainTextEdit;
class QTreeWidget;
class QVariant;
class TDuctBranch;
class TDuctDiamForm;
class TPressureDropForm;
class TFlatPageControl;

class TDuctBranchForm : public TGridToolWindow {
    Q_OBJECT

public:
    // Rows of the grid.
    static constexpr int RowCaption = 1;
    static constexpr int RowDesignFlow = 2;
    static constexpr int RowVolumeFlow = 3;
    static constexpr int RowVelocity = 4;
    static constexpr int RowPressureDrop = 5;
    static constexpr int RowDiameter = 6;
    static constexpr int RowLength = 7;
    static constexpr int RowCount = 8; // with the heading

    // A tool window over MainWindow, hidden when closed. Reads its settings
    // from Store, which must outlive it.
    explicit TDuctBranchForm(TSettingsStore& Store, QWidget* MainWindow = nullptr);

    // The branch shown (not owned); null for none. An entry being typed for
    // the previous branch is stored with that branch first.
    TDuctBranch* Branch() const { return FBranch; }
    void SetBranch(TDuctBranch* Branch);

    // FillBranch for the branch; a visible pressure-drop form shows it too.
    void ShowBranch();
    // The caption, the seven rows, the summary and the fittings.
    void FillBranch();
    // The fittings the branch's network places on it, "[serial] code" with
    // the picture of the fitting's category.
    void ListFittings();
    // Rows 7, 3 and 5 shown again from the branch; OnChange follows.
    void UpdateLengthRow();
    void UpdateFlowRow();
    void UpdatePressureDropRow();
    // The grid's stored cell: the branch takes the row's value and the
    // events report it.
    void GridDoSetData(int Col, int Row);

    // The duct size command (the branch table uses it too): the duct size
    // dialog shown modally on the branch's sizes; on OK the branch takes
    // the type, sizes, given quantities and size-fixed flag, and Value the
    // new diameter. Answers the dialog's result.
    int EditDuctSize(QVariant& Value, TDuctBranch* Branch);
    // The diameter row's button: EditDuctSize; on OK the rows show the new
    // size and velocity, a name holding the old type's word takes the new
    // one, and the branch is redrawn. Answers 2 (the rows are written).
    int DiameterCellClick(QVariant& Value);
    // The duct size dialog (made when missing; the editor hands over the
    // one it made).
    TDuctDiamForm* DuctDiamForm = nullptr;

    // The pressure-drop form takes the branch (as the main fan when it is
    // the network's) and shows it anew; nothing without the form.
    void ShowBranchPressureDrop(TDuctBranch* Branch);
    // The form, made when missing, shows the branch and is shown.
    void OpenPressureDrop(TDuctBranch* Branch);
    // The pressure-drop row's button: OpenPressureDrop, the volume-flow row
    // shown again, the branch redrawn (the form is modeless: its changes
    // come later, through its own events). Answers 2 (nothing to store).
    int PressureDropCellClick(QVariant& Value);
    // The pressure-drop form (not owned by whoever hands it over; made
    // when missing, with the program's fitting database, as a child of
    // this window).
    TPressureDropForm* PressureDropForm = nullptr;

    // The display unit index of a row of values (rows 2 to 7).
    int RowUnits(int Row) const;
    // The units indexes, the column widths, the placement.
    void LoadSettings();
    void SaveSettings() override;

    // The branch's drawing changed (its glyph, type or size).
    std::function<void(TDuctBranch* Branch)> OnRedrawBranch;
    // A new name for the branch (the editor renames it on the drawing).
    std::function<void(TDuctBranch* Branch, const std::string& Name)> OnSetBranchName;
    // A value of the branch changed.
    std::function<void(TDuctBranch* Branch)> OnChange;

    TFlatPageControl* Pages;
    QTreeWidget* ListView1;
    QPlainTextEdit* Memo1;

protected:
    bool RowHasUnits(int Row) const override { return Row >= RowDesignFlow && Row <= RowLength; }
    void UnitsEdited() override { TakeRowUnits(); }

private:
    // Row shown again from the branch's Value; OnChange follows.
    void ShowRowAgain(int Row, double TDuctBranch::*Value);
    void FillSummary();
    // Row 6: the typed diameter through the equivalent-diameter tool.
    void ApplyDiameter(double Diameter);
    // The rows' units as the grid holds them.
    void TakeRowUnits();

    TDuctBranch* FBranch = nullptr;
    std::array<int, RowCount> FRowUnits{};
};
