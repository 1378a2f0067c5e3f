#include "controls/UiServices.h"

#include "controls/DesktopHandOff.h"
#include "controls/MessageBoxFit.h"
#include "controls/UnitsForm.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

namespace {

int QtMessageBox(QWidget* Parent, const QString& Caption, const QString& Text, TMsgKind Kind,
                 int Buttons)
{
    QMessageBox Box(Parent);
    Box.setWindowTitle(Caption.isEmpty() ? QApplication::applicationName() : Caption);
    Box.setText(QString(Text).replace("\r\n", "\n").replace('\r', '\n'));
    switch (Kind) {
    case TMsgKind::Information: Box.setIcon(QMessageBox::Information); break;
    case TMsgKind::Warning: Box.setIcon(QMessageBox::Warning); break;
    case TMsgKind::Error: Box.setIcon(QMessageBox::Critical); break;
    case TMsgKind::Confirmation: Box.setIcon(QMessageBox::Question); break;
    }
    QMessageBox::StandardButtons Standard;
    if (Buttons & mbOK) Standard |= QMessageBox::Ok;
    if (Buttons & mbYes) Standard |= QMessageBox::Yes;
    if (Buttons & mbNo) Standard |= QMessageBox::No;
    if (Buttons & mbCancel) Standard |= QMessageBox::Cancel;
    if (!Standard) Standard = QMessageBox::Ok;
    Box.setStandardButtons(Standard);
    if (const QScreen* Screen = Parent && Parent->screen() ? Parent->screen() : QApplication::primaryScreen())
        KeepMessageBoxWithinScreen(Box, Screen->availableGeometry());
    switch (Box.exec()) {
    case QMessageBox::Ok: return mrOk;
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    default: return mrCancel;
    }
}

QString StartPath(const TFileDialogRequest& R)
{
    if (R.FileName.isEmpty()) return R.Folder;
    if (R.Folder.isEmpty()) return R.FileName;
    return R.Folder + (R.Folder.endsWith('/') ? "" : "/") + R.FileName;
}

QString QtFileDialog(const TFileDialogRequest& R, bool Save)
{
    QFileDialog Dialog(R.Parent, R.Title, R.Folder, R.Filter);
    Dialog.setAcceptMode(Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    Dialog.setFileMode(Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!R.DefaultSuffix.isEmpty()) Dialog.setDefaultSuffix(R.DefaultSuffix);
    if (!R.FileName.isEmpty()) Dialog.selectFile(StartPath(R));
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty()) return {};
    return Dialog.selectedFiles().first();
}

int QtRunModal(QDialog& Dialog)
{
    const int Result = Dialog.exec();
    // Windows set their own TModalResult with done(); Qt's Rejected is Cancel.
    if (Result == QDialog::Rejected) return mrCancel;
    if (Result == QDialog::Accepted) return mrOk;
    return Result;
}

TUiServices& Current()
{
    static TUiServices Services = DefaultUiServices();
    return Services;
}

} // namespace

TUiServices DefaultUiServices()
{
    TUiServices S;
    S.MessageBox = QtMessageBox;
    S.Beep = [] { QApplication::beep(); };
    S.OpenFileName = [](const TFileDialogRequest& R) { return QtFileDialog(R, false); };
    S.SaveFileName = [](const TFileDialogRequest& R) { return QtFileDialog(R, true); };
    S.RunModal = QtRunModal;
    S.PopupMenu = [](QMenu& Menu, const QPoint& Pos) { return Menu.exec(Pos); };
    S.PointerPos = [] { return QCursor::pos(); };
    S.ShellOpen = [](const QString& Target) {
        return HandOffToDesktop(Target, [Target](const QString& Why) {
            ShowMessage(nullptr, HandOffFailureText(Target, Why), QString(), TMsgKind::Warning);
        });
    };
    S.PrintSetup = [](QWidget* Parent, QPrinter& Printer) {
        QPrintDialog Dialog(&Printer, Parent);
        return Dialog.exec() == QDialog::Accepted;
    };
    S.ChooseFont = [](QWidget* Parent, QFont& Font) {
        bool Ok = false;
        const QFont Chosen = QFontDialog::getFont(&Ok, Font, Parent);
        if (Ok) Font = Chosen;
        return Ok;
    };
    S.PickUnits = TUnitsForm::Execute;
    return S;
}

TUiServices& UiServices() { return Current(); }

TScopedUiServices::TScopedUiServices(const TUiServices& Services) : Previous(Current())
{
    Current() = Services;
}

TScopedUiServices::~TScopedUiServices() { Current() = Previous; }

int ShowMessage(QWidget* Parent, const QString& Text, const QString& Caption, TMsgKind Kind,
                int Buttons)
{
    return Current().MessageBox(Parent, Caption, Text, Kind, Buttons);
}

void MessageBeep() { Current().Beep(); }

int RunModal(QDialog& Dialog) { return Current().RunModal(Dialog); }

int PickUnits(QWidget* Parent, TUnitsType Quantity, int CurrentUnit, const QPoint& GlobalPos)
{
    return Current().PickUnits(Parent, Quantity, CurrentUnit, GlobalPos);
}
