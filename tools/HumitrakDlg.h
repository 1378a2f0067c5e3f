#pragma once
// The moist-air state that the main window keeps for the document's air:
// its pressure and "db/wb" text, and the box that shows and edits it.

#include "airstate/PsyPoint.h"
#include "tools/AirConDlg.h"

class THumitrakBox;

class THumitrakDlg : public TAirConDlg {
    Q_OBJECT

public:
    // "Moist Air State" at 101.325 kPa and 25/17 °C; the settings of the
    // section Name are read.
    THumitrakDlg(TSettingsStore& Settings, QObject* Parent = nullptr,
                 const QString& Name = "HumitrakDlg");

    // The point's pressure (kPa).
    double Pressure() const;
    // The state again from the "db/wb" text at Pressure (a lone dry bulb
    // takes 50 % relative humidity). Raises what ParseDryWetBulb raises; the
    // state is then left as it was.
    void SetPressure(double Pressure);
    // "%0.1f/%0.1f" of the point's dry and wet bulb.
    QString GetTemperature() const;
    QString Temperature() const { return GetTemperature(); }
    // Keeps Text and reads it at the point's pressure; a text that is no
    // "db/wb" raises and changes nothing.
    void SetTemperature(const QString& Text);
    // Whether the box lets the pressure be edited.
    bool EditPressure = true;

    // Shows the box for Item (the default point when null), placed at X, Y
    // (-99: the item's own or the stored position). Modal: 1 when accepted.
    int Execute(TPsyPoint* Item = nullptr, int X = TAirconItem::Unset, int Y = TAirconItem::Unset);

    TPsyPoint& Point() const;

private:
    QString FTemperature = "25/17";
};
