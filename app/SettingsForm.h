#pragma once
// The settings dialog: edits the design settings of the open network (the
// sizing targets, static-regain parameters, standard size steps, roughness,
// default terminal flows and C values, and the switches), keeps the user's
// own defaults and the display units of its fields in the store's
// "Settings" section, and offers per terminal kind a button that hands the
// kind's default to every terminal of the network (through the events).
//
// The fields show the settings when the dialog is shown; the settings take
// the fields only on "&Close" or a terminal reset button, and refuse what a
// document could not read back (not finite, negative, or zero where the
// sizing divides by it). A value that was not edited is applied exactly as
// it was, whatever unit and format its field shows it with.

#include "app/RoughnessPicker.h"
#include "foundation/Units.h"

#include <QDialog>

#include <functional>
#include <vector>

class QAbstractButton;
class QGridLayout;
class TFmtEditLabel;
class TSettings;
class TSettingsStore;
class TxCustomEdit;
struct TSettingsFieldDef;

class TSettingsForm : public QDialog {
    Q_OBJECT

public:
    // Edits Settings; defaults, units and placement live in Store.
    TSettingsForm(TSettingsStore& Store, TSettings& Settings, QWidget* Parent = nullptr);
    ~TSettingsForm() override;

    // Runs the dialog modally: mrOk after "&Close", mrCancel otherwise.
    int Execute();

    // Settings into the fields.
    void ShowSettings();
    // Fields into the settings. A refused value leaves its setting as it was
    // and its field shows the setting again, with a beep; false then.
    bool ApplySettings();
    // The factory settings overlaid by the user's defaults, into the fields
    // and the settings (a new network, an old document without settings).
    void ResetToDefaults();
    // The user's defaults into the fields; a value never saved leaves its
    // field as it is.
    void LoadDefaults();
    // The fields as the user's defaults.
    void SaveDefaults();
    // Window placement and the units of the fields.
    void LoadUnits();
    void SaveUnits();

    // The picker behind the roughness field's button; none disables it.
    void SetRoughnessPicker(TRoughnessPicker Picker);

    // The terminal reset buttons, each after applying the fields. Outlet
    // kinds 0 diffuser, 1 grille, 2 plain outlet; inlet kinds 0 grille,
    // 1 canopy, 2 plain inlet.
    std::function<void(int Kind)> OnResetOutletFlows;
    std::function<void(int Kind)> OnResetOutletC;
    std::function<void(int Kind)> OnResetInletFlows;
    std::function<void(int Kind)> OnResetInletC;

    // The least size of the window (wider where the page tabs need it),
    // which "&Reset" gives it back.
    static constexpr int MinWidth = 380;
    static constexpr int MinHeight = 360;

protected:
    void showEvent(QShowEvent* Event) override;
    void done(int Result) override;

private:
    // One numeric field and the setting it shows.
    struct TNumber {
        const TSettingsFieldDef* Def;
        TxCustomEdit* Edit;
        // The setting's value as shown, in its own unit: what is applied
        // while the field's text is the one shown.
        double Exact = 0.0;
        QString ShownText;
        bool Typed = false;
    };
    // A check box, or the "on" button of a radio pair.
    struct TSwitch {
        QAbstractButton* On;
        QAbstractButton* Off;
        bool& (*Value)(TSettings&);
    };

    void BuildForm();
    QWidget* EqualFrictionPage();
    QWidget* StaticRegainPage();
    QWidget* VelocityPage();
    QWidget* DuctingPage();
    QWidget* TerminalsPage();
    QWidget* FittingsPage();
    // The numeric field named Name, linked to Label (when given). Every
    // control is made on the widget it lives on, so that the keys move
    // through them in the order they were made.
    QWidget* NumberField(const char* Name, TFmtEditLabel* Label, QWidget* Parent);
    TFmtEditLabel* UnitsLabel(QWidget* Parent);
    // Caption, the field named Name and its units label in Row.
    void AddNumberRow(QGridLayout* Grid, int Row, const QString& Caption, const char* Name,
                      int Column = 0);
    QAbstractButton* ResetButton(QWidget* Parent, const char* Name, const QString& Hint,
                                 std::function<void()> Click);
    void AddSwitch(QAbstractButton* On, QAbstractButton* Off, bool& (*Value)(TSettings&));

    TNumber& Number(const char* Name);
    void ShowFields(const TSettings& Source);
    void ShowNumber(TNumber& Field, double Value);
    void SetNumberUnits(TNumber& Field, int Units);
    // The fields as settings; a value that is unreadable or refused keeps
    // Base's and is marked in Refused. False when an entry was refused.
    bool ReadFields(const TSettings& Base, TSettings& Read, std::vector<bool>& Refused);
    // ReadFields, with every refused field showing Base's value again.
    bool ReadFieldsOrBeep(const TSettings& Base, TSettings& Read);

    void CloseBtnClick();
    void ResetBtnClick();
    void LoadDefaultBtnClick();
    void SaveDefaultBtnClick();
    void TerminalResetClick(const std::function<void(int)>& Event, int Kind);
    void EdRoughnessButtonClick();

    TSettingsStore& Store;
    TSettings& Settings;
    TRoughnessPicker RoughnessPicker;
    std::vector<TNumber> Numbers;
    std::vector<TSwitch> Switches;
};
