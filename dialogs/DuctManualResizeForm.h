#pragma once
// The manual resize dialog ("Manual Reset Duct Size"): one equivalent
// diameter for the main ducts and one for the outlet ducts, or one aspect
// ratio, which the main window then gives every duct at once. Shown
// modally; on OK the caller hands the values to TDuctGraph::SetDuctTypeAll
// (ApplyTo).

#include "dialogs/DuctSizeDialog.h"

class QRadioButton;
class TDuctGraph;

class TDuctManualResizeForm : public TDuctSizeDialog {
    Q_OBJECT

public:
    // Reads its units and placement from Store, which must outlive it.
    explicit TDuctManualResizeForm(TSettingsStore& Store, QWidget* Parent = nullptr);

    // The values shown, in metres and as a ratio (0 for an edit holding no
    // number).
    double MainDiameter() const;
    double OutletDiameter() const;
    double AspectRatio() const;
    // "Equivalent Diameter" is chosen (else the aspect ratio).
    bool ByDiameter() const;
    // The main window's command on OK: every duct resized by the chosen
    // values. False when the network refused them.
    bool ApplyTo(TDuctGraph& Graph) const;

    TFmtEdit* edMain;
    TFmtEdit* edOutlets;
    TFmtEdit* edAspect;
    TFmtEditLabel* UnitsMain;
    TFmtEditLabel* UnitsOutlets;
    TFmtEditLabel* UnitsAspect;
    QRadioButton* RBDiameter;
    QRadioButton* RBAspectRatio;

protected:
    // Leaving an edit whose text the user changed chooses the mode it
    // belongs to.
    void EditExit(TFmtEdit* Edit) override;
};
