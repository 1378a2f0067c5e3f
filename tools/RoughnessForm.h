#pragma once
// "Duct roughness": five roughness classes of duct surfaces to pick from;
// the settings dialog reads the chosen one in mm.

#include "tools/RootForm.h"

class QToolButton;
class QTreeWidget;
class TSettingsStore;

class TRoughnessForm : public TRootForm {
    Q_OBJECT

public:
    // The window's placement is read from the settings, and written back
    // when the window goes.
    explicit TRoughnessForm(TSettingsStore& Settings, QWidget* Parent = nullptr);
    ~TRoughnessForm() override;

    // The selected row's roughness (mm); 0 without a selected row.
    double GetRoughness() const;
    // Selects the row of a class by its index (-1: none).
    void SelectRow(int Row);

    QTreeWidget* ListView1;
    QToolButton* AcceptButton;
    QToolButton* CancelButton;

protected:
    void FormActivate() override;
    // Without a selected row, or cancelled, the window closes with Cancel.
    void FormClose() override;
    void keyPressEvent(QKeyEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    TSettingsStore& Settings;
    bool Cancelled = false;
};
