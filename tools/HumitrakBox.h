#pragma once
// The moist-air state box ("Moist Air State"): one state point as eleven
// properties. The user types any two of them (the last two edited that the
// library takes as a pair win) and the others follow. The state can be
// loaded from and saved to a ".psx" file, its dry and wet bulb copied or
// pasted as "db/wb" text, and the whole state copied as XML.
//
// A state that fails to compute puts its error on the status line; such a
// state is neither saved nor accepted, and leaving the box (or closing it)
// brings back the last good state.

#include "airstate/AirCombin.h"
#include "airstate/PsyPoint.h"
#include "tools/AirConBox.h"

class THumitrakBox : public TAirConBox {
    Q_OBJECT

public:
    // Grid lines of the state's properties: line = field index + 2.
    enum TLine {
        lnName = 1,
        lnPressure = 2,
        lnDryBulb,
        lnWetBulb,
        lnEnthalpy,
        lnAbsHumidity,
        lnRelHumidity,
        lnDewPoint,
        lnVapPressure,
        lnSatPressure,
        lnDensity,
        lnSpecificHeat,
    };

    explicit THumitrakBox(QWidget* Parent = nullptr);

    // The point shown: the item, when it is a state point.
    TPsyPoint* Point() const { return dynamic_cast<TPsyPoint*>(Item); }
    bool EditPressure = true;
    // Pressure line by EditPressure, lines 3 to 11 enabled, specific heat
    // disabled, the open button enabled.
    void SetLineStates();

    // "%0.3f/%0.3f" of dry and wet bulb to the clipboard; the clipboard's
    // "db/wb" (or lone dry bulb) text into the state at its pressure.
    void CopyDbWb();
    void PasteDbWb();

    void LoadFromFile(const QString& Name) override;
    void SaveToFile(const QString& Name) override;
    void DefaultSize() override;
    void Refresh() override { StateToGrid(); }
    void InitBox() override;
    // The name and the eleven values into lines 1 to 12.
    void StateToGrid();

    // The sheet in the "humitrak" form.
    QString XmlText() const override;

    // The chooser of the input pair, and whether a line's value is one of
    // the pair (drawn in the link colour).
    const TAirCombin& Combin() const { return FCombin; }
    bool IsKnownPairLine(int Line) const;
    // The last good state, brought back when the box is left with a bad one.
    const PsyState& KeptState() const { return FKept; }

protected:
    void FormActivate() override;
    void FormDeactivate() override;
    void FormClose() override;
    // The state shown is the one to come back to, even before the box is
    // first activated.
    void showEvent(QShowEvent* Event) override;

private:
    void ValueCommitted(int Line);
    // The state became the point's: the status follows its checks, and a
    // good state is kept.
    void TakeState(const PsyState& State);
    void RestoreKept();

    TAirCombin FCombin;
    PsyState FKept{};
};

// The checks of MoistAirErrorText for a state on its own: the library's
// status is that of the state's dry and wet bulb at its pressure, not of
// whatever was computed last.
std::string AirStateErrorText(const PsyState& State);
