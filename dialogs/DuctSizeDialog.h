#pragma once
// What the duct size dialog and the manual resize dialog share: an
// "&Accept" and "&Cancel" bar above the body, number edits each with a units
// label beside it, and the edits' units and the dialog's placement kept in
// the settings store when the dialog closes.

#include <QDialog>

#include <utility>
#include <vector>

class QToolButton;
class QVBoxLayout;
class TFmtEdit;
class TFmtEditLabel;
class TSettingsStore;

class TDuctSizeDialog : public QDialog {
    Q_OBJECT

public:
    // "&Accept": an entry still being typed counts as if the user had left
    // its edit; the result is OK. Refused (the dialog stays) when that
    // entry is out of range.
    void Accept();
    // "&Cancel": the result is Cancel.
    void Cancel();
    void SaveSettings();

    QToolButton* AcceptButton;
    QToolButton* CancelButton;

    void done(int Result) override;

protected:
    // Unit indexes of utLengthSec and utProportion the edits start with.
    static constexpr int MillimetreUnit = 2;
    static constexpr int FractionUnit = 0;

    // Store must outlive the dialog.
    TDuctSizeDialog(TSettingsStore& Store, QWidget* Parent);

    // A number edit with its units label; leaving it calls EditExit.
    TFmtEdit* NewEdit(TFmtEditLabel*& Units);
    // Shows Edit in the unit stored under Name (Default when there is none)
    // and stores the unit it shows when the dialog closes.
    void KeepUnits(TFmtEdit* Edit, const char* Name, int Default);
    // Leaving an edit whose text the user changed.
    virtual void EditExit(TFmtEdit* Edit) = 0;
    // Accept's last step once every entry was taken, before the dialog
    // closes.
    virtual void TakeValues() {}

    TSettingsStore& Store;
    // Holds the button bar; the dialog's body goes below it.
    QVBoxLayout* Layout;

private:
    std::vector<TFmtEdit*> FEdits;
    std::vector<std::pair<TFmtEdit*, const char*>> FKeptUnits;
};
