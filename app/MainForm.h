#pragma once
// The main window: the duct network editor with its menus, tool bar and the
// four-panel status bar, and the owner of the one open document (network,
// properties; the design settings are the program's DesignSettings()). It
// runs the document commands (new, open, save, recent files, the undo file,
// XML, properties, the report, mail), the solve and sizing commands, the
// view, edit and tool commands, and keeps the result windows in step with
// the network through the events of the editor and the other windows, which
// it wires once at its first activation.
//
// Every command and event handler runs guarded: an exception it raises is
// shown as a message and never leaves the event loop.

#include "controls/UiServices.h"
#include "document/DocumentFile.h"
#include "document/DocumentProperties.h"
#include "editor/UndoFile.h"
#include "foundation/RecentFiles.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QRect>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QToolBar;
class TAboutBoxDlg;
class TBranch;
class TDuctGraph;
class TDuctManualResizeForm;
class TFanForm;
class TFitting;
class TFittingsForm;
class TFlowBranch;
class TFlowGraphFrame;
class TFlowNode;
class THumitrakDlg;
class TMapiControl;
class TNode;
class TNodeSummaryForm;
class TPressureDropForm;
class TPreviewForm;
class TProgramLauncher;
class TPropertiesForm;
class TRepSettingsForm;
class TRoughnessForm;
class TSelectLocationForm;
class TSettingsForm;
class TSettingsStore;
class TTableForm;
class TVentrixFittingDlg;
class TWarningSink;

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // The window's creation: Arguments as the application has them (the
    // program first), the program's settings Store, which the window owns.
    TMainForm(std::unique_ptr<TSettingsStore> Store, const QStringList& Arguments,
              QWidget* Parent = nullptr);
    ~TMainForm() override;

    // The other single windows of the program, in their order; once, right
    // after the main window.
    void CreateProgramWindows();
    // The work of the first activation: dialogs, event wiring, a new
    // document and the command-line document. Runs once (queued from the
    // first show); later calls do nothing.
    void FormActivate();
    bool FirstActivation() const { return FFirstActivation; }

    // ---- the document
    TSettingsStore& Store() { return *FStore; }
    TDuctGraph& Network() { return *FNetwork; }
    TDocumentProperties& Properties() { return FProperties; }
    const QString& FileName() const { return FFileName; }
    bool Saved() const { return FSaved; }
    const QString& CommandLineFile() const { return FCommandLineFile; }
    bool TableView() const { return FTableView; }
    const TRecentFiles& RecentFiles() const { return FRecentFiles; }
    const TUndoFile& UndoFile() const { return FUndoFile; }
    TFlowBranch* CurrentBranch() const { return FCurrentBranch; }

    // ---- components
    TFlowGraphFrame* FlowGraphFrame1;
    QToolBar* ToolBar1;
    std::array<QLabel*, 4> StatusPanels{};
    QMenu* FileMenu;
    QMenu* RecentFilesMenu;
    QMenu* ViewMenu;
    QMenu* EditMenu;
    QMenu* BackgroundMenu;
    QMenu* SolveMenu;
    QMenu* ToolsMenu;
    QMenu* HelpMenu;
    TMapiControl* MapiControl1;
    TAboutBoxDlg* AboutBoxDlg1;
    THumitrakDlg* HumitrakDlg1;
    TProgramLauncher* ProgramLauncher1 = nullptr;

    // ---- the single windows (null until CreateProgramWindows)
    TTableForm* TableForm = nullptr;
    TPreviewForm* PreviewForm = nullptr;
    TSettingsForm* SettingsForm = nullptr;
    TPropertiesForm* PropertiesForm = nullptr;
    TNodeSummaryForm* NodeSummaryForm = nullptr;
    TFittingsForm* FittingsForm = nullptr;
    TRepSettingsForm* RepSettingsForm = nullptr;
    TDuctManualResizeForm* DuctManualResizeForm = nullptr;
    TRoughnessForm* RoughnessForm = nullptr;
    // The branch window's pressure-drop form, and the program's one fitting
    // dialog (made at the first activation: they need the fitting database).
    TPressureDropForm* PressureDropForm = nullptr;
    TVentrixFittingDlg* FittingDlg = nullptr;
    TFanForm* FanForm = nullptr;

    // ---- actions: File
    QAction* ActionNew;
    QAction* ActionOpen;
    QAction* ActionSave;
    QAction* ActionSaveAs;
    QAction* ActionExportXML;
    QAction* ActionImportXML;
    QAction* ActionProperties;
    QAction* ActionPrintReport;
    QAction* ActionPrinterSetup;
    QAction* ActionReportSettings;
    QAction* ActionSend;
    QAction* ActionExit;
    // View
    QAction* ActionFanPressure;
    QAction* ActionTable;
    QAction* ActionFittings;
    QAction* ActionNodeSummary;
    QAction* ActionDiagnostic;
    QAction* ActionGridToolbox;
    QAction* ActionScaleToolbox;
    // Edit
    QAction* ActionBarometer;
    QAction* ActionHumitrak;
    QAction* ActionCut;
    QAction* ActionCopy;
    QAction* ActionPaste;
    QAction* ActionDelete;
    QAction* ActionUndoDelete;
    QAction* ActionRenumber;
    QAction* ActionSetInletSizes;
    QAction* ActionSetOutletSizes;
    QAction* ActionClearFixedSize;
    QAction* ActionSetFixedSize;
    QAction* ActionLoadPic;
    QAction* ActionClearPic;
    QAction* ActionResizePic;
    QAction* ActionCustomLabels;
    // Solve
    QAction* ActionSizeEqualFriction;
    QAction* ActionSizeStaticRegain;
    QAction* ActionSizeVelocity;
    QAction* ActionCalcFlow;
    QAction* ActionStandardSize;
    QAction* ActionSettings;
    QAction* ActionResetFlows;
    QAction* ActionDistributeFlows;
    QAction* ActionResetVelocities;
    QAction* ActionResetDucts;
    // Help
    QAction* ActionHelp;
    QAction* ActionTutorial;
    QAction* ActionAbout;

    // ---- document routines
    // Yes at once when saved; else asks "<name> not saved.\nSave now?" and
    // saves on Yes. A save that fails answers Cancel, so nothing is lost.
    int QuerySave();
    // The guard as New, Open, a recent file, an import and closing use it:
    // for a named document, or an unnamed one changed since New; false when
    // the user cancelled.
    bool GuardChanges();
    // Reads the file and makes it the document; false (with the messages
    // shown) leaves the open document as it was.
    bool ReadNetworkFile(const QString& Name);
    // Reads and shows a document file; false when it could not be read.
    bool LoadFile(const QString& Name);
    // Writes the document; false after the error was shown.
    bool WriteNetworkFile(const QString& Name);
    // Writes the document and makes Name the current file.
    bool SaveFile(const QString& Name);
    // The undo file before a deletion; true when it was written.
    bool SaveUndoFile();
    void UndoDeleteRestore();
    bool ExportXMLFile(const QString& Name);
    bool ImportXMLFile(const QString& Name);
    // The body of the printed report.
    void BuildReport();
    // The fittings list as a table of the report.
    void ReportFittingsList();
    // The picture of the drawing a report or the diagnostic page shows,
    // without the marks of editing: Area, else the part round the nodes
    // (all of it over a background picture).
    QImage NetworkPicture(const QRect& Area = QRect());
    // Writes the diagnostic page and its picture into the user's data
    // folder and opens it; the page's path, or empty after an error.
    QString WriteDiagnosticPage();

    // ---- status bar and refresh
    bool PrepareSolve();
    void SetSolveMethod(int Code);
    void SetSolvedStatus(int Code);
    void ShowSolvedStatus();
    QString FanPressureText() const;
    void SetSaved(bool Flag);
    void SetFileName(const QString& Name);
    void MarkChanged();
    void RefreshResults();
    void UpdateFanLabels();

    // The save command: Save As for an unnamed document, and for a name
    // made from an imported file when that file exists; false when nothing
    // was written.
    bool SaveDocument();
    bool SaveDocumentAs();

    // ---- the branch table's rows (1 .. TableRowCount())
    static constexpr int NoTableBranch = -1000000;
    int TableRowCount() const;
    // The branch id a row shows; NoTableBranch for none.
    int TableBranchId(int Row) const;
    int CurrentTableRow() const;
    // The row showing the branch's id; -1 when none does.
    int FindBranchRow(const TBranch* Branch) const;

    // ---- event handlers
    void BranchSelected(TBranch* Branch);
    void BranchChanged(TBranch* Branch);
    void BranchAdded(TBranch* Branch);
    void BeforeDeleteBranch(TBranch* Branch);
    // Lets go of what refers to branches about to go: their fittings (which
    // go with them), the current branch and the windows showing one.
    void ReleaseBranches(const std::vector<TBranch*>& Going);
    void FrameActionEnable(QAction* FrameAction, bool Enabled);
    void FittingsRecalculated();
    void FittingUpdated(TFitting* Fitting);
    void FittingSelected(TFitting* Fitting);
    void FittingDeleted(TFitting* Fitting);
    // The pressure-drop form met a new volume flow: the branch window's row
    // shows it.
    void BranchFlowRowChanged();
    // The pressure-drop form shows Branch (the current one when null).
    void ShowPressureDrop(TBranch* Branch);
    void FittingsPasted();
    void LeakageBalanced();
    void UnitsChanged();
    void NodeTypeChanged(TFlowNode* Node);
    void OutletKindChanged(TFlowNode* Node);
    void InletKindChanged(TFlowNode* Node);
    void NodeDataChanged();
    void OutletFlowsReset(int Kind);
    void OutletCValuesReset(int Kind);
    void InletFlowsReset(int Kind);
    void InletCValuesReset(int Kind);
    void OpenRecentFile(const QString& Name);

    // ---- action handlers
    void ActionNewExecute();
    void ActionOpenExecute();
    void ActionSaveExecute();
    void ActionSaveAsExecute();
    void ActionExportXMLExecute();
    void ActionImportXMLExecute();
    void ActionPropertiesExecute();
    void ActionPrintReportExecute();
    void ActionPrinterSetupExecute();
    void ActionReportSettingsExecute();
    void ActionSendExecute();
    void ActionExitExecute();
    void ActionFanPressureExecute();
    void ActionTableExecute();
    void ActionFittingsExecute();
    void ActionNodeSummaryExecute();
    void ActionDiagnosticExecute();
    void ActionBarometerExecute();
    void ActionHumitrakExecute();
    void ActionRenumberExecute();
    void ActionSetInletSizesExecute();
    void ActionSetOutletSizesExecute();
    void ActionClearFixedSizeExecute();
    void ActionSetFixedSizeExecute();
    void ActionSizeEqualFrictionExecute();
    void ActionSizeStaticRegainExecute();
    void ActionSizeVelocityExecute();
    void ActionCalcFlowExecute();
    void ActionStandardSizeExecute();
    void ActionSettingsExecute();
    void ActionResetFlowsExecute();
    void ActionDistributeFlowsExecute();
    void ActionResetVelocitiesExecute();
    void ActionResetDuctsExecute();
    void ActionHelpExecute();
    void ActionTutorialExecute();
    void ActionAboutExecute();

    // The display units the user chose for the result values (unit indexes
    // of utAirFlowPrim, utAirPressDrop, utLengthBig).
    int FlowUnits() const;
    int PressureUnits() const;
    int LengthUnits() const;

    // Where the help pages, the style sheet and the logo of the diagnostic
    // page are shipped (the common data folder) and where the written files
    // go (the user's data folder); both end in "/".
    QString CommonDataFolder() const;
    QString UserDataFolder() const;

signals:
    // The window closed for good (after the close query).
    void FormClosed();

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildStatusBar();
    QAction* NewAction(const QString& Caption, void (TMainForm::*Handler)(),
                       const QKeySequence& Key = {});
    void WireFrameEvents();
    void WireTableEvents();
    void WireEditorDialogs();
    void CreateFittingWindows();
    void WireFittingsList();
    // A tool window the user never placed opens over a corner of the
    // drawing (registered once; placed when first shown).
    void RegisterToolWindow(QWidget* Window, Qt::Corner Corner);
    void PlaceToolWindow(QWidget* Window, Qt::Corner Corner);
    void LoadMainSettings();
    void SaveMainSettings();
    void FillRecentFilesMenu();
    // Panel 3: the file name shortened to the panel.
    void ShowFileNamePanel();
    // Panel Index (0 to 2) widened to its text when that is longer.
    void FitStatusPanel(int Index);
    // A document read from a file becomes the open one; the editor, the
    // lists and the dialogs follow it.
    void ShowNewDocument(bool SnapToGrid, bool MoveToOrigin);
    // A document read back (opened, or restored from the undo file) is shown
    // with its stored method, status and results.
    void ShowStoredDocument();
    // After any solve, size or reset command: refresh, then the view.
    void AfterSolveCommand();
    void RunSolveCommandNow(int Command);
    void ShowMessages(const std::vector<std::string>& Messages);
    // The frame lets go of the document about to be replaced.
    void DetachDocument();
    void MoveDrawingToOrigin();
    void DisableUndoDelete();
    // After the barometer or the air state: the change, or why it was refused.
    void ApplyAirState(bool Applied);
    // The view's refresh after a solve, for the current branch.
    void RefreshViewAfterSolve();
    void SelectCurrentBranch();
    // After a deletion the drawing, the table and the current branch agree:
    // the table's current row names the branch, the drawing selects it.
    void SelectTableBranch();
    bool HasBranch(const TBranch* Branch) const;
    // The table and the fittings list of a new document.
    void FillResultWindows();
    void FillFittingsList();
    void FillTable();
    void SetCurrentTableRow(int Row);
    void ShowBranchInRow(int Row, const TBranch* Branch);
    void AddTableRow(const TBranch* Branch);
    void DeleteTableRow(int Row);
    void EndTableEdit();
    TDocumentDefaults DocumentDefaults() const;
    // The folder an open or save dialog starts in: the document's, else
    // Fallback (made when missing).
    QString DialogFolder(const QString& Fallback) const;
    enum TFileKind { DocumentFile, XmlFile };
    // The file dialog's request for a document or an XML file.
    TFileDialogRequest FileRequest(const QString& Title, TFileKind Kind);

    std::unique_ptr<TSettingsStore> FStore;
    // The locations picker of the barometer, kept between its uses.
    std::unique_ptr<TSelectLocationForm> FLocationPicker;
    std::unique_ptr<TWarningSink> FMessageSink;
    TWarningSink* FPreviousSink = nullptr;
    std::unique_ptr<TDuctGraph> FNetwork;
    TDocumentProperties FProperties;
    TUndoFile FUndoFile;
    TRecentFiles FRecentFiles;
    TFlowBranch* FCurrentBranch = nullptr;
    QString FFileName;
    QString FCommandLineFile;
    bool FSaved = true;
    bool FTableView = false;
    bool FFirstActivation = true;
    bool FActivationQueued = false;
    // The document's name was made from an imported XML file.
    bool FNameFromImport = false;
    // Tool windows placed over the drawing already.
    QSet<QWidget*> FPlacedWindows;
    QHash<QWidget*, Qt::Corner> FToolCorners;
    // Nothing changed since New (and nothing saved).
    bool FUntouched = false;
};
