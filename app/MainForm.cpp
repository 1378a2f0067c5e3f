// The main window's creation, menus, tool bar and status bar, its first
// activation, and its close and destruction.

#include "app/MainForm.h"

#include "app/FanForm.h"
#include "app/MainFormIcons.h"
#include "app/MessageBoxSink.h"
#include "app/PropertiesForm.h"
#include "app/SettingsForm.h"
#include "app/TableForm.h"
#include "dialogs/DuctManualResizeForm.h"
#include "dialogs/NodeSummaryForm.h"
#include "controls/GuardedCall.h"
#include "app/FittingsForm.h"
#include "editor/FlowGraphFrame.h"
#include "foundation/FileHelpers.h"
#include "foundation/ProgramFolders.h"
#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "platform/FormPlacement.h"
#include "platform/MapiControl.h"
#include "platform/ProgramLauncher.h"
#include "platform/QtText.h"
#include "platform/VersionInfo.h"
#include "reports/PreviewForm.h"
#include "reports/RepSettingsForm.h"
#include "reports/StdReport.h"
#include "tools/AboutBox.h"
#include "tools/AboutBoxDlg.h"
#include "tools/AirConBox.h" // completes the box type HumitrakDlg.h uses
#include "tools/HumitrakDlg.h"
#include "tools/RoughnessForm.h"
#include "tools/SelectLocationForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <vector>

namespace {

constexpr const char* SettingsSection = "Settings";

// Widths of status panels 0 to 2; panel 3 takes the rest but this margin.
constexpr int PanelWidths[3] = {120, 160, 90};
constexpr int PanelMargin = 15;

QString VersionText()
{
    try {
        return ToQ(GetFileVersionText(std::string()));
    } catch (const std::exception&) {
        return QString();
    }
}

QString DescriptionText()
{
    try {
        return ToQ(GetFileDescriptionText(std::string()));
    } catch (const std::exception&) {
        return QString();
    }
}

} // namespace

TMainForm::TMainForm(std::unique_ptr<TSettingsStore> Store, const QStringList& Arguments,
                     QWidget* Parent)
    : QMainWindow(Parent), FStore(std::move(Store)), FNetwork(std::make_unique<TDuctGraph>(true))
{
    setObjectName("MainForm");
    setWindowTitle("Ventrix");
    FMessageSink = std::make_unique<TMessageBoxSink>(this);
    FPreviousSink = SetWarningSink(FMessageSink.get());

    FlowGraphFrame1 = new TFlowGraphFrame(*FStore, this);
    FlowGraphFrame1->setObjectName("FlowGraphFrame1");
    setCentralWidget(FlowGraphFrame1);
    MapiControl1 = new TMapiControl(this);
    MapiControl1->ShowMessageText = [this](const QString& Text) { ShowMessage(this, Text); };
    HumitrakDlg1 = new THumitrakDlg(*FStore, this);
    HumitrakDlg1->Caption = "Moist Air State";
    HumitrakDlg1->ItemName = "Moist Air";
    HumitrakDlg1->Modal = true;
    HumitrakDlg1->EditPressure = false;
    BuildActions();
    BuildMenus();
    BuildToolBar();
    BuildStatusBar();
    resize(980, 700);

    LoadMainSettings();
    AboutBoxDlg1 = new TAboutBoxDlg(*FStore, this);
    AboutBoxDlg1->ProductName = QString();
    AboutBoxDlg1->SplashRequest = true;
    AboutBoxDlg1->Version = VersionText();
    AboutBoxDlg1->Description = DescriptionText();
    AboutBoxDlg1->Picture = DefaultSplashPicture(QSize(320, 480));
    AboutBoxDlg1->StretchPic = true;
    AboutBoxDlg1->Execute();
    setWindowTitle("Ventrix " + VersionText());
    ProgramLauncher1 = new TProgramLauncher(this, 2, "Ventrix", ToolsMenu);
    ToolsMenu->setEnabled(!ToolsMenu->actions().isEmpty());
    FRecentFiles.MRUInit(*FStore);
    FillRecentFilesMenu();

    std::vector<std::string> Held;
    for (const QString& A : Arguments)
        Held.push_back(A.toStdString());
    std::vector<const char*> Argv;
    for (const std::string& A : Held)
        Argv.push_back(A.c_str());
    FCommandLineFile = ToQ(
        GetParamFileName(static_cast<int>(Argv.size()), Argv.data()));
    SetFileName(FCommandLineFile);
    SetSaved(true);

    FlowGraphFrame1->InitView();
    // The menu's edit items carry the keys: the view's own would clash.
    for (QAction* A : {FlowGraphFrame1->gvfActionCut, FlowGraphFrame1->gvfActionCopy,
                       FlowGraphFrame1->gvfActionPaste, FlowGraphFrame1->gvfActionDelete,
                       FlowGraphFrame1->gvfActionUndoDelete})
        A->setShortcut(QKeySequence());
}

TMainForm::~TMainForm()
{
    // The windows read the document: they go before it does.
    FlowGraphFrame1->ReleaseView();
    // The dialogs keep their settings in the store as they go.
    delete HumitrakDlg1;
    delete AboutBoxDlg1;
    const QList<QWidget*> Windows = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    qDeleteAll(Windows);
    SetWarningSink(FPreviousSink);
}

void TMainForm::CreateProgramWindows()
{
    if (PreviewForm)
        return;
    TableForm = new TTableForm(*FStore, this);
    PreviewForm = new TPreviewForm(*FStore, this);
    SettingsForm = new TSettingsForm(*FStore, DesignSettings(), this);
    PropertiesForm = new TPropertiesForm(*FStore, FProperties, this);
    NodeSummaryForm = new TNodeSummaryForm(*FNetwork, *FStore, this);
    FittingsForm = new TFittingsForm(*FStore, this);
    RepSettingsForm = new TRepSettingsForm(*FStore, this);
    RepSettingsForm->setWindowFlag(Qt::Tool);
    DuctManualResizeForm = new TDuctManualResizeForm(*FStore, this);
    RoughnessForm = new TRoughnessForm(*FStore, this);
    FanForm = new TFanForm(*FStore, this);
    RegisterToolWindow(TableForm, Qt::BottomRightCorner);
    RegisterToolWindow(FittingsForm, Qt::BottomLeftCorner);
    RegisterToolWindow(FanForm, Qt::TopRightCorner);
}

// ---------------------------------------------------------------- building

QAction* TMainForm::NewAction(const QString& Caption, void (TMainForm::*Handler)(),
                              const QKeySequence& Key)
{
    auto* A = new QAction(Caption, this);
    if (!Key.isEmpty())
        A->setShortcut(Key);
    connect(A, &QAction::triggered, this,
            [this, Handler] { GuardedCall(this, [this, Handler] { (this->*Handler)(); }); });
    return A;
}

void TMainForm::BuildActions()
{
    ActionNew = NewAction("&New", &TMainForm::ActionNewExecute, QKeySequence::New);
    ActionOpen = NewAction("&Open", &TMainForm::ActionOpenExecute, QKeySequence::Open);
    ActionSave = NewAction("&Save", &TMainForm::ActionSaveExecute, QKeySequence(Qt::CTRL | Qt::Key_S));
    ActionSaveAs = NewAction("Save &As", &TMainForm::ActionSaveAsExecute);
    ActionExportXML = NewAction("Export to XML", &TMainForm::ActionExportXMLExecute);
    ActionImportXML = NewAction("Import From XML", &TMainForm::ActionImportXMLExecute);
    ActionProperties = NewAction("&Properties", &TMainForm::ActionPropertiesExecute);
    ActionPrintReport = NewAction("Print &Report", &TMainForm::ActionPrintReportExecute);
    ActionPrinterSetup = NewAction("Printer &Setup", &TMainForm::ActionPrinterSetupExecute);
    ActionReportSettings = NewAction("Report Se&ttings", &TMainForm::ActionReportSettingsExecute);
    ActionSend = NewAction("Send Email", &TMainForm::ActionSendExecute);
    ActionExit = NewAction("&Exit", &TMainForm::ActionExitExecute);

    ActionFanPressure = NewAction("Fan Pressure", &TMainForm::ActionFanPressureExecute);
    ActionTable = NewAction("Duct &Table Editor", &TMainForm::ActionTableExecute);
    ActionTable->setCheckable(true);
    ActionTable->setChecked(true);
    ActionFittings = NewAction("&Fittings Table", &TMainForm::ActionFittingsExecute);
    ActionNodeSummary = NewAction("&Node Table", &TMainForm::ActionNodeSummaryExecute);
    ActionDiagnostic = NewAction("Network Diagnostics", &TMainForm::ActionDiagnosticExecute,
                                 QKeySequence(Qt::CTRL | Qt::Key_D));
    ActionGridToolbox = new QAction("G&rid Toolbox", this);
    ActionScaleToolbox = new QAction("&Scale Toolbox", this);

    ActionBarometer = NewAction("&Barometric Pressure", &TMainForm::ActionBarometerExecute);
    ActionHumitrak = NewAction("&Air State", &TMainForm::ActionHumitrakExecute);
    ActionCut = new QAction("Cu&t", this);
    ActionCut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    ActionCopy = new QAction("Copy", this);
    ActionCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    ActionPaste = new QAction("Paste", this);
    ActionPaste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    ActionDelete = new QAction("&Delete", this);
    ActionDelete->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    ActionUndoDelete = new QAction("&Undo Delete", this);
    ActionUndoDelete->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    for (QAction* A : {ActionCut, ActionCopy, ActionPaste, ActionDelete, ActionUndoDelete})
        A->setEnabled(false);
    ActionRenumber = NewAction("&Renumber Branches", &TMainForm::ActionRenumberExecute);
    ActionSetInletSizes = NewAction("Set All Inlet Sizes", &TMainForm::ActionSetInletSizesExecute);
    ActionSetOutletSizes = NewAction("Set All Outlet Sizes", &TMainForm::ActionSetOutletSizesExecute);
    ActionClearFixedSize = NewAction("Clear All Fixed Size Ducts", &TMainForm::ActionClearFixedSizeExecute);
    ActionSetFixedSize = NewAction("Set all ducts to fixed sizes", &TMainForm::ActionSetFixedSizeExecute);
    ActionLoadPic = new QAction("Load Background Picture", this);
    ActionClearPic = new QAction("Clear Background Picture", this);
    ActionResizePic = new QAction("Resize Background", this);
    ActionCustomLabels = new QAction("Set &labels and hints", this);

    // The frame's commands run through its own actions (guarded there).
    const std::pair<QAction*, QAction*> FrameCommands[] = {
        {ActionGridToolbox, FlowGraphFrame1->gvfActionToolsGrid},
        {ActionScaleToolbox, FlowGraphFrame1->gvfActionToolsScale},
        {ActionCut, FlowGraphFrame1->gvfActionCut},
        {ActionCopy, FlowGraphFrame1->gvfActionCopy},
        {ActionPaste, FlowGraphFrame1->gvfActionPaste},
        {ActionDelete, FlowGraphFrame1->gvfActionDelete},
        {ActionUndoDelete, FlowGraphFrame1->gvfActionUndoDelete},
        {ActionLoadPic, FlowGraphFrame1->gvfActionBackSetPic},
        {ActionClearPic, FlowGraphFrame1->gvfActionBackClearPic},
        {ActionResizePic, FlowGraphFrame1->gvfActionBackResize},
        {ActionCustomLabels, FlowGraphFrame1->gvfActionSetLabels},
    };
    for (const auto& [Mine, Frames] : FrameCommands)
        connect(Mine, &QAction::triggered, Frames, [Frames] {
            if (Frames->isEnabled())
                Frames->trigger();
        });

    ActionSizeEqualFriction = NewAction("&Equal Friction Method", &TMainForm::ActionSizeEqualFrictionExecute,
                                        QKeySequence(Qt::Key_F9));
    ActionSizeStaticRegain = NewAction("&Static Regain Method", &TMainForm::ActionSizeStaticRegainExecute);
    ActionSizeVelocity = NewAction("&Velocity Method", &TMainForm::ActionSizeVelocityExecute);
    ActionCalcFlow = NewAction("&Balance Flows", &TMainForm::ActionCalcFlowExecute);
    ActionStandardSize = NewAction("Closest &Standard Sizes", &TMainForm::ActionStandardSizeExecute);
    ActionSettings = NewAction("S&ettings", &TMainForm::ActionSettingsExecute);
    ActionResetFlows = NewAction("Reset All Design &Flows", &TMainForm::ActionResetFlowsExecute);
    ActionDistributeFlows = NewAction("&Sum Flows", &TMainForm::ActionDistributeFlowsExecute);
    ActionResetVelocities = NewAction("Reset &All Duct Velocities", &TMainForm::ActionResetVelocitiesExecute);
    ActionResetDucts = NewAction("Reset all &Duct Sizes", &TMainForm::ActionResetDuctsExecute);

    ActionHelp = NewAction("&Help", &TMainForm::ActionHelpExecute, QKeySequence::HelpContents);
    ActionTutorial = NewAction("Tutorial", &TMainForm::ActionTutorialExecute);
    ActionAbout = NewAction("About", &TMainForm::ActionAboutExecute);

    ActionNew->setIcon(MainIcon(TMainIcon::New));
    ActionOpen->setIcon(MainIcon(TMainIcon::Open));
    ActionSave->setIcon(MainIcon(TMainIcon::Save));
    ActionTable->setIcon(MainIcon(TMainIcon::Table));
    ActionSizeEqualFriction->setIcon(MainIcon(TMainIcon::EqualFriction));
    ActionSizeStaticRegain->setIcon(MainIcon(TMainIcon::StaticRegain));
    ActionSizeVelocity->setIcon(MainIcon(TMainIcon::Velocity));
    ActionStandardSize->setIcon(MainIcon(TMainIcon::StandardSizes));
    ActionDistributeFlows->setIcon(MainIcon(TMainIcon::SumFlows));
    ActionCalcFlow->setIcon(MainIcon(TMainIcon::BalanceFlows));
    ActionPrintReport->setIcon(MainIcon(TMainIcon::PrintReport));
    for (QAction* A : {ActionCut, ActionCopy, ActionPaste, ActionDelete, ActionUndoDelete})
        A->setIcon(QIcon());
}

void TMainForm::BuildMenus()
{
    FileMenu = menuBar()->addMenu("&File");
    FileMenu->addAction(ActionNew);
    FileMenu->addAction(ActionOpen);
    RecentFilesMenu = FileMenu->addMenu("Recent &Files");
    FileMenu->addAction(ActionSave);
    FileMenu->addAction(ActionSaveAs);
    FileMenu->addAction(ActionExportXML);
    FileMenu->addAction(ActionImportXML);
    FileMenu->addSeparator();
    FileMenu->addAction(ActionProperties);
    FileMenu->addSeparator();
    for (QAction* A : {ActionPrintReport, ActionPrinterSetup, ActionReportSettings, ActionSend, ActionExit})
        FileMenu->addAction(A);

    EditMenu = menuBar()->addMenu("&Edit");
    EditMenu->addAction(ActionBarometer);
    EditMenu->addAction(ActionHumitrak);
    EditMenu->addSeparator();
    for (QAction* A : {ActionCut, ActionCopy, ActionPaste, ActionDelete, ActionUndoDelete})
        EditMenu->addAction(A);
    EditMenu->addSeparator();
    for (QAction* A : {ActionRenumber, ActionSetInletSizes, ActionSetOutletSizes, ActionClearFixedSize,
                       ActionSetFixedSize})
        EditMenu->addAction(A);
    EditMenu->addSeparator();
    BackgroundMenu = EditMenu->addMenu("Background");
    BackgroundMenu->addAction(ActionLoadPic);
    BackgroundMenu->addAction(ActionClearPic);
    BackgroundMenu->addAction(ActionResizePic);
    EditMenu->addAction(ActionCustomLabels);

    ViewMenu = menuBar()->addMenu("&View");
    for (QAction* A : {ActionFanPressure, ActionTable, ActionFittings, ActionNodeSummary, ActionDiagnostic})
        ViewMenu->addAction(A);
    ViewMenu->addSeparator();
    ViewMenu->addAction(ActionGridToolbox);
    ViewMenu->addAction(ActionScaleToolbox);

    SolveMenu = menuBar()->addMenu("&Solve");
    for (QAction* A : {ActionSizeEqualFriction, ActionSizeStaticRegain, ActionSizeVelocity})
        SolveMenu->addAction(A);
    SolveMenu->addSeparator();
    SolveMenu->addAction(ActionCalcFlow);
    SolveMenu->addAction(ActionStandardSize);
    SolveMenu->addSeparator();
    for (QAction* A : {ActionSettings, ActionResetFlows, ActionDistributeFlows, ActionResetVelocities,
                       ActionResetDucts})
        SolveMenu->addAction(A);

    ToolsMenu = menuBar()->addMenu("Tools");

    HelpMenu = menuBar()->addMenu("&Help");
    HelpMenu->addAction(ActionHelp);
    HelpMenu->addAction(ActionTutorial);
    HelpMenu->addSeparator();
    HelpMenu->addAction(ActionAbout);
}

void TMainForm::BuildToolBar()
{
    ToolBar1 = addToolBar("Tools");
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setIconSize(QSize(20, 20));
    ToolBar1->setMovable(false);
    ToolBar1->addAction(ActionNew);
    ToolBar1->addAction(ActionOpen);
    ToolBar1->addAction(ActionSave);
    ToolBar1->addSeparator();
    ToolBar1->addAction(ActionTable);
    ToolBar1->addSeparator();
    for (QAction* A : {ActionSizeEqualFriction, ActionSizeStaticRegain, ActionSizeVelocity,
                       ActionStandardSize, ActionDistributeFlows, ActionCalcFlow})
        ToolBar1->addAction(A);
    ToolBar1->addSeparator();
    ToolBar1->addAction(ActionPrintReport);
}

void TMainForm::BuildStatusBar()
{
    const char* Texts[4] = {"Solve Method", "Solved Status", "Saved", "FileName"};
    for (int I = 0; I < 4; ++I) {
        auto* Panel = new QLabel(Texts[I], statusBar());
        Panel->setObjectName(QString("StatusPanel%1").arg(I));
        Panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (I < 3)
            Panel->setFixedWidth(PanelWidths[I]);
        else
            Panel->setMinimumWidth(1);
        statusBar()->addWidget(Panel, I < 3 ? 0 : 1);
        StatusPanels[static_cast<std::size_t>(I)] = Panel;
    }
}

void TMainForm::FillRecentFilesMenu()
{
    RecentFilesMenu->clear();
    const auto& Names = FRecentFiles.Names();
    for (int I = 0; I < FRecentFiles.VisibleCount(); ++I) {
        const QString Name = ToQ(Names[static_cast<std::size_t>(I)]);
        auto* A = RecentFilesMenu->addAction(Name);
        connect(A, &QAction::triggered, this,
                [this, Name] { GuardedCall(this, [this, Name] { OpenRecentFile(Name); }); });
    }
    RecentFilesMenu->setEnabled(!RecentFilesMenu->isEmpty());
}

// ---------------------------------------------------------------- settings

void TMainForm::LoadMainSettings()
{
    RestoreFormPlacement(*FStore, this, false, true);
    FTableView = FStore->ReadBool(SettingsSection, "TableView", false);
}

void TMainForm::SaveMainSettings()
{
    SaveFormPlacement(*FStore, this);
    // The table's mark goes when it loses the focus: what counts is whether
    // it is on the screen.
    FStore->WriteBool(SettingsSection, "TableView", TableForm && TableForm->isVisible());
    SaveReportMargins(*FStore);
}

QString TMainForm::CommonDataFolder() const
{
    return ToQ(ProgramFolders().CommonDataDir);
}

QString TMainForm::UserDataFolder() const
{
    const std::string& Data = ProgramFolders().DataDir;
    if (!Data.empty())
        return ToQ(Data);
    return ToQ(
        WithTrailingSlash(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdString()));
}

// ---------------------------------------------------------------- first activation

void TMainForm::showEvent(QShowEvent* Event)
{
    QMainWindow::showEvent(Event);
    // A bare X server may never activate the window: the first show starts it.
    if (FFirstActivation && !FActivationQueued) {
        FActivationQueued = true;
        QTimer::singleShot(0, this, [this] { GuardedCall(this, [this] { FormActivate(); }); });
    }
}

void TMainForm::FormActivate()
{
    if (!FFirstActivation)
        return;
    FFirstActivation = false;
    CreateProgramWindows();
    // The editor makes its dialogs with its tool boxes.
    FlowGraphFrame1->CreateToolBoxes();
    WireEditorDialogs();
    UnitsChanged();
    WireFrameEvents();
    WireTableEvents();
    ActionTable->setChecked(FTableView);
    ActionTableExecute();
    CreateFittingWindows();
    WireFittingsList();
    if (SettingsForm) {
        SettingsForm->SetRoughnessPicker([this](QWidget*, const QPoint& At, double& Mm) {
            if (!RoughnessForm)
                return false;
            RoughnessForm->move(At);
            if (RunModal(*RoughnessForm) != mrOk)
                return false;
            Mm = RoughnessForm->GetRoughness();
            return true;
        });
        SettingsForm->OnResetOutletFlows = [this](int Kind) { OutletFlowsReset(Kind); };
        SettingsForm->OnResetOutletC = [this](int Kind) { OutletCValuesReset(Kind); };
        SettingsForm->OnResetInletFlows = [this](int Kind) { InletFlowsReset(Kind); };
        SettingsForm->OnResetInletC = [this](int Kind) { InletCValuesReset(Kind); };
    }
    ActionNewExecute();
    if (!FCommandLineFile.isEmpty())
        LoadFile(FCommandLineFile);
    if (PropertiesForm)
        PropertiesForm->SetFileNameRef([this] { return FFileName; });
}

// ---------------------------------------------------------------- close

void TMainForm::closeEvent(QCloseEvent* Event)
{
    bool Close = true;
    GuardedCall(this, [&] {
        if (!GuardChanges()) {
            Close = false;
            return;
        }
        SaveMainSettings();
        if (FittingsForm)
            FittingsForm->SaveSettings();
        FlowGraphFrame1->SaveGraphDialogSettings();
        // Only a document that is there is worth reopening.
        FRecentFiles.MRUSave(*FStore, QFileInfo(FFileName).isFile() ? FFileName.toStdString() : std::string());
        if (FUndoFile.Exists())
            QFile::remove(ToQ(FUndoFile.FileName()));
        // Said now, while the user can still do something about it.
        if (const std::string Failure = FStore->Commit(); !Failure.empty())
            ShowMessage(this, ToQ(Failure), QString(), TMsgKind::Error);
    });
    if (!Close) {
        Event->ignore();
        return;
    }
    Event->accept();
    emit FormClosed();
}

void TMainForm::resizeEvent(QResizeEvent* Event)
{
    QMainWindow::resizeEvent(Event);
    ShowFileNamePanel();
}

void TMainForm::FitStatusPanel(int Index)
{
    // The panel fits the text it shows (a fixed width cut the closing bracket
    // of a status with its figure); the file name takes what is left.
    QLabel* Panel = StatusPanels[static_cast<std::size_t>(Index)];
    const int Width = std::max(PanelWidths[Index], Panel->sizeHint().width());
    if (Width == Panel->minimumWidth())
        return;
    Panel->setFixedWidth(Width);
    ShowFileNamePanel();
}

void TMainForm::ShowFileNamePanel()
{
    QLabel* Panel = StatusPanels[3];
    const int Width = std::max(1, statusBar()->width() - StatusPanels[0]->minimumWidth() -
                                      StatusPanels[1]->minimumWidth() - StatusPanels[2]->minimumWidth() -
                                      PanelMargin);
    const QFontMetrics Metrics(Panel->font());
    const std::string Shown = ShortenPath(FFileName.toStdString(), Width - 8, [&](std::string_view Text) {
        return Metrics.horizontalAdvance(QString::fromUtf8(Text.data(), static_cast<qsizetype>(Text.size())));
    });
    Panel->setText(ToQ(Shown));
    Panel->setToolTip(FFileName);
}

void TMainForm::keyPressEvent(QKeyEvent* Event)
{
    // Keys that reach the window go to the editor: Delete asks to delete
    // the block wherever the focus is.
    if (Event->key() == Qt::Key_Delete && Event->modifiers() == Qt::NoModifier &&
        FlowGraphFrame1->HasBlock()) {
        GuardedCall(this, [&] { FlowGraphFrame1->FrameKeyDown(Event->key()); });
        Event->accept();
        return;
    }
    QMainWindow::keyPressEvent(Event);
}
