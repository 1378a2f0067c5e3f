#pragma once
// A tool window beside the drawing whose properties are rows of a
// two-column grid: the caption column holds each row's unit (a click on it
// changes the unit), the value column fills the rest of the width. A typed
// entry is stored when the user leaves the window, and closing only hides
// the window, its settings saved, for the next item.

#include <QWidget>

#include <functional>
#include <string>

class TEntryGrid;
class TSettingsStore;

class TGridToolWindow : public QWidget {
    Q_OBJECT

public:
    // The user chose other display units for a row.
    std::function<void()> OnUnitsChanged;

    TEntryGrid* Grid;

    virtual void SaveSettings() = 0;

protected:
    // A tool window over MainWindow with an empty two-column grid as its
    // child; Store must outlive it.
    TGridToolWindow(TSettingsStore& Store, QWidget* MainWindow);

    // Whether a click on Row's caption may change a unit the window keeps.
    virtual bool RowHasUnits(int Row) const = 0;
    // A row's unit was changed, before OnUnitsChanged.
    virtual void UnitsEdited() {}

    // The value column fills what the caption column leaves.
    void FitValueColumn();
    // The column widths stored in Section, then the value column fitted.
    void LoadColumnWidths(const std::string& Section);
    void SaveColumnWidths(const std::string& Section);

    void closeEvent(QCloseEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    void changeEvent(QEvent* Event) override;

    TSettingsStore& Store;

private:
    bool FUnitsEdited = false;
    bool FFitting = false;
};
