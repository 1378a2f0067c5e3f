// The main window's document commands: the save guard, new, open, recent
// files, save, the undo file, XML export and import, properties, printer
// set-up, report settings, mail and exit. Every read goes into objects of
// its own first: a document that cannot be read changes nothing.

#include "app/MainForm.h"

#include "app/FittingsForm.h"
#include "app/PropertiesForm.h"
#include "app/SettingsForm.h"
#include "app/TableForm.h"
#include "controls/UiServices.h"
#include "dialogs/NodeSummaryForm.h"
#include "dialogs/PressureDropForm.h"
#include "dialogs/VentrixFittingDlg.h"
#include "document/NetworkXmlExport.h"
#include "document/NetworkXmlImport.h"
#include "editor/FlowGraphFrame.h"
#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "platform/MapiControl.h"
#include "platform/QtText.h"
#include "platform/SystemInfo.h"
#include "reports/RepSettingsForm.h"
#include "reports/ReportPrinter.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString DocumentFilter = "Brellamonte Ventrix file (*.vtx)";
const QString XmlFilter = "XML file (*.xml)";

// The name with its extension replaced by Extension (".xml", ".vtx").
QString ChangeExtension(const QString& Name, const QString& Extension)
{
    const QFileInfo Info(Name);
    const QString Base = Info.completeBaseName();
    if (Name.isEmpty())
        return QString();
    return Info.dir().filePath(Base + Extension);
}

} // namespace

void TMainForm::ShowMessages(const std::vector<std::string>& Messages)
{
    for (const std::string& M : Messages)
        ShowMessage(this, ToQ(M), QString(), TMsgKind::Error);
}

TDocumentDefaults TMainForm::DocumentDefaults() const
{
    TDocumentDefaults Defaults;
    Defaults.Settings.SetDefaults();
    Defaults.Settings.LoadDefaults(*FStore);
    std::string Owner, Organization;
    GetRegisteredUser(Owner, Organization);
    Defaults.Properties.Clear(*FStore, Owner, Organization);
    return Defaults;
}

QString TMainForm::DialogFolder(const QString& Fallback) const
{
    if (!FFileName.isEmpty())
        return QFileInfo(FFileName).absolutePath();
    // The user's folder of projects is made on first use, so that the
    // dialog opens in it rather than taking its name for a file name.
    QDir().mkpath(Fallback);
    return Fallback;
}

// ---------------------------------------------------------------- the guard

int TMainForm::QuerySave()
{
    if (FSaved)
        return mrYes;
    const QString Shown = FFileName.isEmpty() ? QString("Untitled") : QFileInfo(FFileName).fileName();
    const QString Text = Shown + " not saved.\nSave now?";
    const int Answer = ShowMessage(this, Text, QString(), TMsgKind::Confirmation, mbYesNoCancel);
    if (Answer != mrYes)
        return Answer;
    // A save that did not happen keeps the changes: whoever asked stops.
    return SaveDocument() ? int(mrYes) : int(mrCancel);
}

bool TMainForm::GuardChanges()
{
    // A network never saved and never changed since New has nothing to
    // lose; one the user worked on is asked for like a named one.
    if (FFileName.isEmpty() && FUntouched)
        return true;
    return QuerySave() != mrCancel;
}

TFileDialogRequest TMainForm::FileRequest(const QString& Title, TFileKind Kind)
{
    // Documents live in the projects folder; XML files beside the user's data.
    const bool Xml = Kind == XmlFile;
    TFileDialogRequest Request;
    Request.Parent = this;
    Request.Title = Title;
    Request.Folder = DialogFolder(UserDataFolder() + (Xml ? "" : "Projects"));
    Request.FileName = Xml ? ChangeExtension(FFileName, ".xml") : FFileName;
    Request.Filter = Xml ? XmlFilter : DocumentFilter;
    Request.DefaultSuffix = Xml ? "xml" : "vtx";
    return Request;
}

bool TMainForm::SaveDocument()
{
    // A name made from an imported file may name a document that exists
    // already: that one is not overwritten unasked.
    if (FFileName.isEmpty() || (FNameFromImport && QFileInfo::exists(FFileName)))
        return SaveDocumentAs();
    return SaveFile(FFileName);
}

bool TMainForm::SaveDocumentAs()
{
    const TFileDialogRequest Request = FileRequest("Save As", DocumentFile);
    const QString Name = UiServices().SaveFileName(Request);
    if (Name.isEmpty())
        return false;
    return SaveFile(Name);
}

// ---------------------------------------------------------------- new, open

void TMainForm::ActionNewExecute()
{
    if (!GuardChanges())
        return;
    DetachDocument();
    FNetwork = std::make_unique<TDuctGraph>(true);
    if (SettingsForm)
        SettingsForm->ResetToDefaults();
    else {
        DesignSettings().SetDefaults();
        DesignSettings().LoadDefaults(*FStore);
    }
    std::string Owner, Organization;
    GetRegisteredUser(Owner, Organization);
    FProperties.Clear(*FStore, Owner, Organization);
    FNameFromImport = false;
    MarkChanged();
    SetFileName(QString());
    ShowNewDocument(true, false);
    FillResultWindows();
    FUntouched = true;
}

void TMainForm::ActionOpenExecute()
{
    const TFileDialogRequest Request = FileRequest("Open", DocumentFile);
    const QString Name = UiServices().OpenFileName(Request);
    if (Name.isEmpty())
        return;
    if (!GuardChanges())
        return;
    LoadFile(Name);
}

void TMainForm::OpenRecentFile(const QString& Name)
{
    if (!GuardChanges())
        return;
    LoadFile(Name);
}

void TMainForm::DetachDocument()
{
    FCurrentBranch = nullptr;
    if (PressureDropForm) {
        PressureDropForm->ShowBranch(nullptr, false);
        PressureDropForm->hide();
    }
    if (FittingDlg) {
        FittingDlg->SetFitting(nullptr);
        FittingDlg->SetDuct(nullptr);
        FittingDlg->SetNetwork(nullptr);
    }
    FlowGraphFrame1->SetGraph(nullptr);
    if (TableForm)
        TableForm->SetNetwork(nullptr);
    if (FittingsForm)
        FittingsForm->SetNetwork(nullptr);
}

bool TMainForm::ReadNetworkFile(const QString& Name)
{
    TDocumentRead Read = ::ReadNetworkFile(Name.toStdString(), DocumentDefaults());
    if (!Read.Ok) {
        std::vector<std::string> Messages = Read.Messages;
        // A damaged file says what was wrong with it.
        if (Messages.size() == 1 && !Read.Reason.empty())
            Messages.back() += "\n\n" + Read.Reason;
        ShowMessages(Messages);
        return false;
    }
    DetachDocument();
    AdoptDocument(std::move(Read.Contents), FNetwork, FProperties, DesignSettings());
    if (SettingsForm)
        SettingsForm->ShowSettings();
    return true;
}

bool TMainForm::LoadFile(const QString& Name)
{
    if (!ReadNetworkFile(Name))
        return false;
    FNameFromImport = false;
    SetFileName(Name);
    ShowStoredDocument();
    SetSaved(true);
    return true;
}

void TMainForm::ShowStoredDocument()
{
    // Showing the document (its background picture among it) is no change
    // of it: the stored method and status are shown once it stands.
    const TSolveMethod Method = FNetwork->Method;
    const TSolveStatus Status = FNetwork->Status;
    ShowNewDocument(false, false);
    SetSolveMethod(Method);
    SetSolvedStatus(Status);
    RefreshResults();
    SelectCurrentBranch();
}

void TMainForm::ShowNewDocument(bool SnapToGrid, bool MoveToOrigin)
{
    if (NodeSummaryForm)
        NodeSummaryForm->SetGraph(*FNetwork);
    if (FittingDlg)
        FittingDlg->SetNetwork(FNetwork.get());
    TFlowGraphFrame& Frame = *FlowGraphFrame1;
    Frame.SetGraph(FNetwork.get());
    Frame.LoadBackground(FNetwork->BackFileName);
    Frame.AssignGlyphs();
    if (SnapToGrid)
        Frame.SnapAllNodesToGrid();
    if (MoveToOrigin)
        MoveDrawingToOrigin();
    Frame.RedrawGraph();
    Frame.ResetScroll();
}

void TMainForm::MoveDrawingToOrigin()
{
    const QPoint Shift = FlowGraphFrame1->GetGraphExtent().topLeft();
    if (Shift.isNull())
        return;
    for (const auto& N : FNetwork->Nodes())
        if (N->IsActive()) {
            N->X -= Shift.x();
            N->Y -= Shift.y();
        }
    for (const auto& B : FNetwork->Branches())
        if (B->LabelX != -1 && B->LabelY != -1) {
            B->LabelX -= Shift.x();
            B->LabelY -= Shift.y();
        }
}

// ---------------------------------------------------------------- save

bool TMainForm::WriteNetworkFile(const QString& Name)
{
    const TDocumentOutcome Outcome =
        ::WriteNetworkFile(Name.toStdString(), *FNetwork, FProperties, DesignSettings());
    if (!Outcome.Ok) {
        ShowMessages(Outcome.Messages.empty()
                         ? std::vector<std::string>{"Error writing file " + Name.toStdString()}
                         : Outcome.Messages);
        return false;
    }
    return true;
}

bool TMainForm::SaveFile(const QString& Name)
{
    if (!WriteNetworkFile(Name))
        return false;
    FNameFromImport = false;
    SetFileName(Name);
    SetSaved(true);
    return true;
}

void TMainForm::ActionSaveExecute()
{
    SaveDocument();
}

void TMainForm::ActionSaveAsExecute()
{
    SaveDocumentAs();
}

// ---------------------------------------------------------------- undo file

bool TMainForm::SaveUndoFile()
{
    TDocumentOutcome Outcome = FUndoFile.Save(*FNetwork, FProperties, DesignSettings());
    if (!Outcome.Ok) {
        // The deletion goes ahead (the user asked for it), without its undo.
        if (!Outcome.Messages.empty())
            Outcome.Messages.back() += "\nThis deletion cannot be undone.";
        ShowMessages(Outcome.Messages);
    }
    return Outcome.Ok;
}

void TMainForm::UndoDeleteRestore()
{
    const QString Kept = FFileName;
    const bool WasImported = FNameFromImport;
    DetachDocument();
    const TDocumentOutcome Outcome =
        FUndoFile.Restore(FNetwork, FProperties, DesignSettings(), DocumentDefaults());
    if (!Outcome.Ok)
        ShowMessages(Outcome.Messages);
    if (SettingsForm)
        SettingsForm->ShowSettings();
    ShowStoredDocument();
    // The network is back as it was before the deletion, results and all;
    // only the file on disk no longer matches it.
    SetSaved(false);
    DisableUndoDelete();
    FNameFromImport = WasImported;
    SetFileName(Kept);
}

// ---------------------------------------------------------------- XML

void TMainForm::ActionExportXMLExecute()
{
    const TFileDialogRequest Request = FileRequest("Export to XML", XmlFile);
    const QString Name = UiServices().SaveFileName(Request);
    if (!Name.isEmpty())
        ExportXMLFile(Name);
}

bool TMainForm::ExportXMLFile(const QString& Name)
{
    const TDocumentOutcome Outcome = ::ExportXmlFile(Name.toStdString(), *FNetwork, FProperties,
                                                     DesignSettings(), FFileName.toStdString());
    if (!Outcome.Ok)
        ShowMessages(Outcome.Messages);
    if (QFileInfo::exists(Name))
        UiServices().ShellOpen(Name);
    return Outcome.Ok;
}

void TMainForm::ActionImportXMLExecute()
{
    const TFileDialogRequest Request = FileRequest("Import From XML", XmlFile);
    const QString Name = UiServices().OpenFileName(Request);
    if (Name.isEmpty())
        return;
    if (!GuardChanges())
        return;
    ImportXMLFile(Name);
}

bool TMainForm::ImportXMLFile(const QString& Name)
{
    TDocumentRead Read = ::ImportXmlFile(Name.toStdString(), FProperties);
    if (!Read.Ok) {
        ShowMessages(Read.Messages);
        return false;
    }
    DetachDocument();
    AdoptDocument(std::move(Read.Contents), FNetwork, FProperties, DesignSettings());
    if (SettingsForm)
        SettingsForm->ShowSettings();
    MarkChanged();
    SetFileName(ChangeExtension(QFileInfo(Name).absoluteFilePath(), ".vtx"));
    FNameFromImport = true;
    ShowNewDocument(true, true);
    RefreshResults();
    SelectCurrentBranch();
    return true;
}

// ---------------------------------------------------------------- properties, printer, mail

void TMainForm::ActionPropertiesExecute()
{
    if (!PropertiesForm || PropertiesForm->Execute() != mrOk)
        return;
    SetSaved(false);
    DisableUndoDelete();
}

void TMainForm::DisableUndoDelete()
{
    ActionUndoDelete->setEnabled(false);
    FlowGraphFrame1->EnableAction(FlowGraphFrame1->gvfActionUndoDelete, false);
}

void TMainForm::ActionPrinterSetupExecute()
{
    UiServices().PrintSetup(this, ReportPrinter());
}

void TMainForm::ActionReportSettingsExecute()
{
    if (!RepSettingsForm)
        return;
    RepSettingsForm->setWindowModality(Qt::ApplicationModal);
    RepSettingsForm->show();
    RepSettingsForm->raise();
    RepSettingsForm->activateWindow();
}

void TMainForm::ActionSendExecute()
{
    if (FFileName.isEmpty() || !FSaved) {
        ShowMessage(this, "You must save the file first...");
        return;
    }
    MapiControl1->ShowDialog = true;
    MapiControl1->Recipients.clear();
    MapiControl1->Subject = "Duct Network";
    MapiControl1->Body = "Please find datafile attached...";
    MapiControl1->AttachedFiles = QStringList{FFileName};
    MapiControl1->SendMail();
}

void TMainForm::ActionExitExecute()
{
    close();
}
