#include "tools/RootForm.h"

#include "controls/GuardedCall.h"
#include "foundation/ProgramFolders.h"
#include "platform/QtFileSave.h"
#include "platform/QtText.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QScreen>
#include <QShowEvent>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>

namespace {

QString DefaultCaptureFolder()
{
    const std::string& Data = ProgramFolders().DataDir;
    if (!Data.empty())
        return ToQ(Data);
    const QString Documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return Documents.isEmpty() ? QString() : Documents + "/";
}

QString DefaultCaptureName()
{
    const std::string& Base = ProgramFolders().ExeBaseName;
    if (!Base.empty())
        return ToQ(Base);
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

int Scaled(int Size, double Scale)
{
    return std::max(1, static_cast<int>(std::lround(Size * Scale)));
}

} // namespace

TRootForm::TRootForm(QWidget* Parent)
    : QDialog(Parent), CaptureFolder(DefaultCaptureFolder()), CaptureName(DefaultCaptureName())
{
    setWindowTitle("Inspector");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
}

QPixmap TRootForm::CaptureForegroundWindow()
{
    QWidget* Active = QApplication::activeWindow();
    QWidget* Target = Active ? Active : window();
    // The window's whole rectangle with the frame the window manager draws
    // round it, read off the screen (X11). Where the screen cannot be read
    // (Wayland) only the window's inside can be had.
    if (QScreen* Screen = Target->screen()) {
        // Painted afresh first: the pop-up menu that ran the command has
        // just closed and the screen may still show it over the window.
        Target->repaint();
        const QRect Frame = Target->frameGeometry().translated(-Screen->geometry().topLeft());
        const QPixmap Shot = Screen->grabWindow(0, Frame.x(), Frame.y(), Frame.width(), Frame.height());
        if (!Shot.isNull())
            return Shot;
    }
    return Target->grab();
}

bool TRootForm::ClipScreen(const QString& Folder, const QString& Name, double Scale)
{
    QImage Shot = CaptureForegroundWindow().toImage();
    if (Scale != 1.0 && std::isfinite(Scale) && Scale > 0 && !Shot.isNull())
        Shot = Shot.scaled(Scaled(Shot.width(), Scale), Scaled(Shot.height(), Scale),
                           Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QApplication::clipboard()->setImage(Shot);
    const QString FileName = Folder + Name + ".jpg";
    QByteArray Jpeg;
    QBuffer Buffer(&Jpeg);
    QString Cause;
    if (!Shot.isNull() && Buffer.open(QIODevice::WriteOnly) && Shot.save(&Buffer, "JPG", 90) &&
        SaveBytesAtomically(FileName, Jpeg, &Cause))
        return true;
    // The cause when the file was the trouble ("The disk is full."), as
    // every other writer of the program tells it.
    OwnMessage("Error writing file " + FileName + (Cause.isEmpty() ? QString() : "\n" + Cause) +
                   DataFolderNote(FileName),
               TMsgKind::Error);
    return false;
}

void TRootForm::ClipScreenAction()
{
    QString Folder = CaptureFolder;
    if (!Folder.isEmpty() && !Folder.endsWith('/'))
        Folder += '/';
    ClipScreen(Folder, CaptureName, 1.0);
}

void TRootForm::SetModalResult(int Result)
{
    FModalResult = Result;
    if (isModal() && isVisible())
        done(Result);
}

void TRootForm::CloseWith(int Result)
{
    FModalResult = Result;
    if (isVisible())
        done(Result);
    else if (!FClosing) {
        FClosing = true;
        GuardedCall(this, [this] { FormClose(); });
    }
}

void TRootForm::done(int Result)
{
    // Esc and the close box reject the dialog: Cancel.
    if (Result == QDialog::Rejected)
        Result = mrCancel;
    // A close that is already under way keeps its result.
    if (FClosing) {
        QDialog::done(FModalResult);
        return;
    }
    FClosing = true;
    FModalResult = Result;
    GuardedCall(this, [this] { FormClose(); });
    QDialog::done(FModalResult);
}

int TRootForm::OwnMessage(const QString& Text, TMsgKind Kind, int Buttons)
{
    TOwnDialogScope Scope(*this);
    return ShowMessage(this, Text, QString(), Kind, Buttons);
}

QString TRootForm::OwnOpenFileName(const TFileDialogRequest& Request)
{
    TOwnDialogScope Scope(*this);
    return UiServices().OpenFileName(Request);
}

QString TRootForm::OwnSaveFileName(const TFileDialogRequest& Request)
{
    TOwnDialogScope Scope(*this);
    return UiServices().SaveFileName(Request);
}

int TRootForm::OwnModal(QDialog& Dialog)
{
    TOwnDialogScope Scope(*this);
    return RunModal(Dialog);
}

bool TRootForm::event(QEvent* Event)
{
    switch (Event->type()) {
    case QEvent::WindowActivate:
        if (FSkipActivate)
            FSkipActivate = false; // back from our own dialog
        else {
            FFirstActivation = !FActivatedSinceShown;
            FActivatedSinceShown = true;
            GuardedCall(this, [this] { FormActivate(); });
        }
        break;
    case QEvent::WindowDeactivate:
        if (OwnDialogUp())
            FSkipActivate = true;
        else
            GuardedCall(this, [this] { FormDeactivate(); });
        break;
    default:
        break;
    }
    return QDialog::event(Event);
}

void TRootForm::showEvent(QShowEvent* Event)
{
    if (!Event->spontaneous()) {
        FClosing = false;
        FModalResult = mrNone;
        FSkipActivate = false;
        FActivatedSinceShown = false;
    }
    QDialog::showEvent(Event);
}
