#pragma once
// The pressure-drop form: everything that makes up the pressure drop of one
// duct branch, on sheets by the branch's role: its duct fittings, fixed loss
// coefficients and fixed pressure drops in three grids, the fan pressure of
// the main fan or of an in-line booster, the outlet or inlet terminal, and a
// summary. A tool window over the main window that follows the current
// branch; it reports every change through its events and never calls the
// main window.
//
// Its fittings rows name fittings by serial and find them again whenever
// they act, so a fitting removed elsewhere is never reached through a row.
// Fittings without a code and empty fixed items are cleared away when the
// form is left, but never while its own fitting dialog or message box is up.

#include <QWidget>

#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QTextEdit;
class TDuctBranch;
class TDuctFittingDB;
class TDuctGraph;
class TFitting;
class TFlatPageControl;
class TFmtEdit;
class TItemListGrid;
class TSettingsStore;
class TVentrixFittingDlg;
class TxColGrid;

class TPressureDropForm : public QWidget {
    Q_OBJECT

public:
    // Columns of the three grids.
    enum TFittingsCol { fcCode = 1, fcDescription, fcC, fcLe, fcDrop };
    enum TCsCol { ccDescription = 1, ccC, ccLe, ccDrop };
    enum TdPsCol { dcDescription = 1, dcDrop, dcLe };
    // Fields of a terminal, in the order SetEndValue numbers them.
    enum TTerminalField { tfC = 0, tfVelocity = 1, tfDrop = 2 };
    // Grids show at least this many item rows, and always one empty row to
    // add an item in.
    static constexpr int MinItemRows = 5;

    // Database: for the fitting dialog the form makes when none is given.
    TPressureDropForm(TSettingsStore& Settings, TDuctFittingDB& Database, QWidget* MainWindow = nullptr);
    ~TPressureDropForm() override;

    // The program's one fitting dialog (not owned); without one the form
    // makes its own when first needed.
    void SetFittingDialog(TVentrixFittingDlg* Dialog) { FFittingDialog = Dialog; }
    TVentrixFittingDlg* FittingDialog();
    // The description line above the sheets (the labels dialog's); without
    // one the form says the duct type and size itself.
    std::function<QString(const TDuctBranch& Branch)> BranchDescription;

    // Shows Branch (none: an empty form); IsFan: it is the network's main fan.
    void ShowBranch(TDuctBranch* Branch, bool IsFan);
    TDuctBranch* Branch() const { return FBranch; }
    bool IsFan() const { return FIsFan; }
    // The branch's losses and drops computed again, the summary rewritten.
    void Recalculate();
    void RefreshFixedGrids();
    // The display units of the dP columns (air pressure drop) and the Le
    // columns (big lengths); the grids and the summary follow.
    void UnitsChanged(int PressureUnit, int LengthUnit);

    // What the tool window does when it becomes active and when it stops
    // being so (the window's own activation events call them).
    void FormActivate();
    void FormDeactivate();

    // Commands of the grids.
    void EditFittingAt(int Row);                 // the C column's button
    void DeleteRow(TxColGrid* Grid, int Row);    // "&Delete Row"
    void ClearAll(TxColGrid* Grid);              // "&Clear All"
    // The fittings row of a fitting; -1 when it has none.
    int FittingRow(const TFitting* Fitting) const;
    // The fitting a fittings row names now; null for an empty row or a
    // fitting that has gone.
    TFitting* RowFitting(int Row) const;

    // Events, each raised only when assigned.
    std::function<void(TFitting* Fitting)> OnFittingSelected;
    std::function<void(TFitting* Fitting)> OnFittingChanged;
    std::function<void(TFitting* Fitting)> OnFittingDeleted;
    std::function<void()> OnFittingsListChanged;
    std::function<void()> OnFixedItemsChanged;
    std::function<void()> OnPressureDropChanged;
    // The branch's volume flow is not what the form met when it showed the
    // branch (it was changed elsewhere, in the table say): the branch window
    // shows it again.
    std::function<void()> OnFlowChanged;
    std::function<void()> OnOutletChanged;
    std::function<void()> OnInletChanged;
    std::function<void()> OnClearSelection;

    QLabel* DescLabel;
    TFlatPageControl* PageControl;
    QWidget* FittingsSheet;
    QWidget* CsSheet;
    QWidget* dPsSheet;
    QWidget* FanSheet;
    QWidget* OutletSheet;
    QWidget* InletSheet;
    QWidget* SummarySheet;
    TItemListGrid* FittingsGrid;
    TItemListGrid* CsGrid;
    TItemListGrid* dPsGrid;
    TFmtEdit* edPGain;
    QLabel* BoosterCaption;
    QLabel* BoosterLabel;
    QLabel* FanSwitchLabel;
    TFmtEdit* edOutletC;
    TFmtEdit* edOutletV;
    TFmtEdit* EdOutletdP;
    QCheckBox* CBoDiffuser;
    QCheckBox* CBoGrille;
    QCheckBox* CBoPlain;
    TFmtEdit* edInletC;
    TFmtEdit* EdInletV;
    TFmtEdit* EdInletdP;
    QCheckBox* CBiGrille;
    QCheckBox* CBiCanopy;
    QCheckBox* CBiPlain;
    QTextEdit* RichEdit1;

protected:
    bool event(QEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    struct TTerminalEdits {
        TFmtEdit* Edits[3];
        QCheckBox* Kinds[3];
        int Last = tfDrop;         // the field edited last
        int Previous = tfVelocity; // and the one before it
    };

    TDuctGraph* Network() const;
    TItemListGrid* MakeGrid(const QStringList& Defs);
    void SetColumnUnits(TxColGrid* Grid, int Col, bool Pressure, int Unit);
    void ShowSheets();
    void ShowFan();
    void ShowTerminal(bool Outlet);
    void RefillFittings();
    void RefillCs();
    void RefillDps();
    void SizeRows(TxColGrid* Grid, int Items);
    void WriteSummary();
    void FittingsChangedInNetwork();
    // Removes the network's fittings without a code; true when any went.
    bool PurgeUncodedFittings();
    bool PurgeEmptyFixedItems();
    void CsDataChanged(int Col, int Row);
    void DpsDataChanged(int Col, int Row);
    void RowMoved(TItemListGrid* Grid, int From, int To);
    void ShowRowMenu(TItemListGrid* Grid, const QPoint& GlobalPos);
    void DeleteKeyPressed(TItemListGrid* Grid);
    void TerminalEdited(bool Outlet, int Field);
    void TerminalKindClicked(bool Outlet, int Kind);
    void GainEdited();
    void ToggleBooster();
    int Ask(const QString& Text);
    int RunFittingDialog(TVentrixFittingDlg& Dialog);
    void Fire(const std::function<void()>& Event);
    QString DropText(double Pa) const;
    QString LengthText(double Metres) const;

    TSettingsStore& FSettings;
    TDuctFittingDB& FDatabase;
    TVentrixFittingDlg* FFittingDialog = nullptr;
    TVentrixFittingDlg* FOwnFittingDialog = nullptr;
    TDuctBranch* FBranch = nullptr;
    bool FIsFan = false;
    double FSeenFlow = 0.0; // the branch's volume flow last met
    std::vector<int> FRowSerials; // fitting serial of each fittings row
    TTerminalEdits FOutlet{};
    TTerminalEdits FInlet{};
    int FPressureUnit = 1; // Pa
    int FLengthUnit = 0;   // m
    int FModalDepth = 0;   // own message boxes and dialogs up
    bool FChildActivation = false;
    bool FShowing = false;
};
