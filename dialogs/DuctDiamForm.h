#pragma once
// The duct size dialog ("Duct Diameter"): the user gives any two of a duct's
// equivalent diameter, height, width and aspect ratio and sees the other
// two. The labels of the two given quantities are lit. Shown modally by the
// branch window: SetData, RunModal, and on OK GetData.

#include "dialogs/DuctSizeDialog.h"
#include "foundation/EquivDiamTool.h"

#include <memory>

class QCheckBox;
class QLabel;
class QRadioButton;
class QStatusBar;

class TDuctDiamForm : public TDuctSizeDialog {
    Q_OBJECT

public:
    // Reads its units and placement from Store, which must outlive it.
    explicit TDuctDiamForm(TSettingsStore& Store, QWidget* Parent = nullptr);
    ~TDuctDiamForm() override;

    // Stores the values and shows them: the edits, the duct type, the
    // size-fixed box and the lit labels. Sizes in metres.
    void SetData(int DuctType, int Known1, bool SizeFixed, int Known2, double Diameter,
                 double Height, double Width, double Aspect);
    // The values as accepted.
    void GetData(int& DuctType, double& Diameter, double& Height, double& Width, double& Aspect,
                 int& Known1, int& Known2, bool& SizeFixed) const;

    // 0 spiral, 1 rectangular.
    int DuctType = 0;
    double Diameter = 0.0;
    double Height = 0.0;
    double Width = 0.0;
    double Aspect = 1.0;
    // The two quantities the user gave (TEquivDiamTool codes), Known1 the
    // latest.
    int Known1 = TEquivDiamTool::kdDiameter;
    int Known2 = TEquivDiamTool::kdAspect;
    bool SizeFixed = false;
    // The user changed the units of the height or width since the dialog
    // was shown (the branch window then shows its sizes anew).
    bool UnitsLabelClicked = false;

    QRadioButton* RBSpiral;
    QRadioButton* RBRectangular;
    TFmtEdit* edDe;
    TFmtEdit* edH;
    TFmtEdit* edW;
    TFmtEdit* edA;
    // Captions, lit for the two given quantities.
    QLabel* LabelDe;
    QLabel* LabelH;
    QLabel* LabelW;
    QLabel* LabelA;
    TFmtEditLabel* UnitsDe;
    TFmtEditLabel* UnitsH;
    TFmtEditLabel* UnitsW;
    TFmtEditLabel* UnitsA;
    QCheckBox* cbSizeFixed;
    // Shows the hint of the control under the pointer.
    QStatusBar* StatusBar;

protected:
    bool event(QEvent* Event) override;
    // Showing is the dialog's activation: the tool takes the shown values.
    void showEvent(QShowEvent* Event) override;
    // Leaving an edit whose text the user changed: the tool takes the value
    // as the latest given quantity and every edit shows the tool's values.
    void EditExit(TFmtEdit* Edit) override;
    // The tool's values and the size-fixed box are the dialog's result.
    void TakeValues() override;

private:
    void RGDuctTypeClick(int Index);
    void ShowToolValues();
    void ColourLabels();

    std::unique_ptr<TEquivDiamTool> Tool;
};
