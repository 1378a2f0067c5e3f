#pragma once
// "Select Location": the window of the locations picker. A database, a
// region within it, then a place; the place's position, altitude and design
// temperatures are shown, and after OK the caller reads the record and the
// location text. The window is made on first use and kept; it shows what
// its TLocationPicker holds and hands the clicks to it.

#include "locations/LocationPicker.h"
#include "tools/RootForm.h"

class QListWidget;
class QPushButton;
class TPanelStatusBar;
class TSettingsStore;
class TxStringGrid;

class TSelectLocationForm : public TRootForm {
    Q_OBJECT

public:
    // CommonDataDir: the folder of "Regions.idx" and the record files. The
    // saved database, region and place are read from the settings.
    TSelectLocationForm(TSettingsStore& Settings, const QString& CommonDataDir, QWidget* Parent = nullptr);

    // "<place>, <region>", before showing: preselects them when they exist.
    void SetLocationText(const QString& Text);
    // The chosen place's "<place>, <region>".
    QString LocationText() const;
    bool HasRecord() const { return FPicker.HasRecord(); }
    const TLocationRecord& Record() const { return FPicker.Record(); }
    const TLocationPicker& Picker() const { return FPicker; }

    // What a click on an entry of each list does.
    void SelectDatabase(int Index);
    void SelectRegion(int Index);
    void SelectPlace(int Index);

    QListWidget* DatabaseList;
    QListWidget* RegionList;
    QListWidget* PlaceList;
    TxStringGrid* DetailGrid;
    QPushButton* AcceptButton;
    QPushButton* CancelButton;
    TPanelStatusBar* StatusBar;

protected:
    // The first activation after showing reads the index and opens the
    // saved choice.
    void FormActivate() override;
    void FormClose() override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void ShowLists();
    void ShowPlace();
    void FitDetailColumns();
    void Report(const std::string& Message);

    TSettingsStore& Settings;
    TLocationPicker FPicker;
    bool FFilling = false;
};
