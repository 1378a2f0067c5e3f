#include "tools/AirConBox.h"

#include "controls/CopyGridToClipboard.h"
#include "controls/EntryGrid.h"
#include "foundation/ProgramFolders.h"
#include "platform/QtText.h"
#include "tools/AirConDlg.h"
#include "tools/PanelStatusBar.h"

#include <QAction>
#include <QStandardPaths>
#include <QToolButton>

namespace {

QString FolderOf(const std::string& Folder, QStandardPaths::StandardLocation Fallback)
{
    if (!Folder.empty())
        return ToQ(Folder);
    const QString Path = QStandardPaths::writableLocation(Fallback);
    return Path.isEmpty() ? QString() : Path + "/";
}

} // namespace

TAirConBox::TAirConBox(QWidget* Parent)
    : TTechForm(Parent),
      DataFolder(FolderOf(ProgramFolders().DataDir, QStandardPaths::DocumentsLocation)),
      HelpFolder(ToQ(ProgramFolders().CommonDataDir))
{
    // No close box: the box closes through Accept or Cancel.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    Grid->UnitsCol = 2;
}

TAirConBox::~TAirConBox()
{
    if (Item && Item->Box == this)
        Item->Box = nullptr;
}

void TAirConBox::InitBox()
{
    ButtonPaste->hide();
    ButtonSolve->hide();
    ButtonCopy->hide();
    ButtonPrint->hide();
    ButtonView->show();
    ViewAction->setToolTip("Copy table to clipboard");
    ButtonHelp->setCheckable(false);
    OnOpen = [this](TTechForm*) { OpenFile(); };
    OnSave = [this](TTechForm*) { SaveFile(); };
    OnView = [this](TTechForm*) { CopyTable(); };
    OnHelp = [this](TTechForm*) { ShowHelp(); };
    StatusBar1->SetSimplePanel(true);
    SetStatus(ReadyText);
}

QString TAirConBox::Status() const
{
    return StatusBar1->SimpleText();
}

void TAirConBox::SetStatus(const QString& Text)
{
    StatusBar1->SetSimpleText(Text);
}

TFileDialogRequest TAirConBox::FileRequest(const QString& Title)
{
    TFileDialogRequest Request;
    Request.Parent = this;
    Request.Title = Title;
    Request.Folder = DataFolder;
    Request.Filter = FileFilter;
    Request.DefaultSuffix = DefaultExt;
    return Request;
}

void TAirConBox::OpenFile()
{
    const QString Name = OwnOpenFileName(FileRequest("Open"));
    if (!Name.isEmpty())
        LoadFromFile(Name);
}

void TAirConBox::SaveFile()
{
    if (!IsReady()) {
        SetStatus(CantSaveText);
        return;
    }
    TFileDialogRequest Request = FileRequest("Save As");
    Request.FileName = FileName.section('/', -1);
    const QString Name = OwnSaveFileName(Request);
    if (!Name.isEmpty())
        SaveToFile(Name);
}

void TAirConBox::CopyTable()
{
    CopyGridToClipboard(*Grid, ",");
}

void TAirConBox::ShowHelp()
{
    QString Folder = HelpFolder;
    if (!Folder.isEmpty() && !Folder.endsWith('/'))
        Folder += '/';
    UiServices().ShellOpen(Folder + HelpPage);
}

void TAirConBox::AcceptActionExecute()
{
    CommitGrid();
    CloseWith(IsReady() ? mrOk : mrCancel);
}

void TAirConBox::CancelActionExecute()
{
    CloseWith(mrCancel);
}

void TAirConBox::LoadFromFile(const QString& Name)
{
    FileName = Name;
}

void TAirConBox::SaveToFile(const QString& Name)
{
    FileName = Name;
}

void TAirConBox::DefaultSize() {}

void TAirConBox::Refresh() {}

void TAirConBox::FormActivate()
{
    if (Item)
        Grid->SetCell(1, 1, ToQ(Item->ItemName));
    Refresh();
}

void TAirConBox::FormClose()
{
    if (Item) {
        Item->Box = nullptr;
        Item->X = x();
        Item->Y = y();
    }
    if (Dialog)
        Dialog->StoreBox(*this);
    if (!Modal)
        deleteLater();
}

void TAirConBox::resizeEvent(QResizeEvent* Event)
{
    TTechForm::resizeEvent(Event);
    if (OnResize)
        OnResize(this);
}

void TAirConBox::ItemEdited()
{
    if (Item && OnEditAirconItem)
        OnEditAirconItem(*Item);
}
