#pragma once
// "Barometer": converts between barometric pressure and altitude by the
// standard atmosphere, and takes a place's altitude from the locations
// picker. The caller sets the pressure, shows the window modally and, after
// OK, reads the pressure back. The window is made for each use; the picker,
// kept by the caller, lives on between uses.

#include "locations/LocationRecord.h"
#include "tools/RootForm.h"

#include <memory>

class QToolButton;
class TFmtEdit;
class TFmtEditLabel;
class TPanelStatusBar;
class TSelectLocationForm;
class TSettingsStore;

class TAltBaromForm : public TRootForm {
    Q_OBJECT

public:
    static constexpr const char* SettingsSection = "Barometer";

    // Picker: the caller's slot for the one locations picker, filled on
    // first need; CommonDataDir: where the locations database lies.
    TAltBaromForm(TSettingsStore& Settings, std::unique_ptr<TSelectLocationForm>& Picker,
                  const QString& CommonDataDir, QWidget* Parent = nullptr);

    // The pressure (kPa) and the altitude (m) that goes with it; both edits
    // show them.
    void SetPressure(double Pressure);
    void SetAltitude(double Altitude);
    double Pressure() const { return FPressure; }
    double Altitude() const { return FAltitude; }

    // The location button: the picker at the last location; on OK the
    // place's altitude (when it is a sound one) and design temperatures.
    void PickLocation();
    // Commits the entry in progress and takes both values from the edits:
    // OK. False (and the window stays) when the entry was refused.
    bool AcceptForm();

    QString Status() const;
    QString LastLocation() const { return FLastLocation; }
    bool FromLocation() const { return FFromLocation; }
    bool LocationPicked() const { return FLocationPicked; }
    const TLocationRecord& Location() const { return FLocation; }
    double DesignDryBulb() const { return FDesignDryBulb; }
    double DesignWetBulb() const { return FDesignWetBulb; }

    TFmtEdit* edPa;
    TFmtEdit* edAlt;
    TFmtEditLabel* PaUnits;
    TFmtEditLabel* AltUnits;
    QToolButton* SpeedButton1;
    QToolButton* AcceptButton;
    QToolButton* CancelButton;
    TPanelStatusBar* StatusBar1;

protected:
    void FormActivate() override;
    void FormClose() override;

private:
    // Leaving an edit after a change.
    void PressureEdited();
    void AltitudeEdited();
    void ShowValues();
    void SetStatus(const QString& Text);

    TSettingsStore& Settings;
    std::unique_ptr<TSelectLocationForm>& Picker;
    QString DataDir;
    double FPressure = 101.325;
    double FAltitude = 0.0;
    bool FFromLocation = false;
    bool FLocationPicked = false;
    TLocationRecord FLocation;
    double FDesignDryBulb = 0.0;
    double FDesignWetBulb = 0.0;
    QString FLastLocation;
};
