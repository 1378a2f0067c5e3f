#pragma once
// The base of the tool windows: a sizeable tool window ("Inspector") that
// can capture itself as a picture, and that knows when it is deactivated
// only because it showed one of its own message boxes or file dialogs, so
// that its windows can skip their deactivation work then (and the
// activation work when it comes back).
//
// Results are the modal results of UiServices.h (OK 1, Cancel 2); closing
// with Esc or the window's close box gives Cancel.

#include "controls/UiServices.h"

#include <QDialog>
#include <QPixmap>

class TRootForm : public QDialog {
    Q_OBJECT

public:
    explicit TRootForm(QWidget* Parent = nullptr);

    // Our own active window (this one when none is active) as a picture of
    // its whole frame as the screen shows it; its inside only where the
    // screen cannot be read.
    QPixmap CaptureForegroundWindow();
    // Captures, stretches smoothly to width and height times Scale (each
    // rounded, at least 1) unless Scale is 1, puts the picture on the
    // clipboard and saves it as the JPEG file Folder + Name + ".jpg". A file
    // that cannot be written is reported; false then.
    bool ClipScreen(const QString& Folder, const QString& Name, double Scale);
    // "Clip screen": into CaptureFolder as CaptureName, at full size.
    void ClipScreenAction();
    // The user's data folder and the program's base name (the program's
    // folder may be read-only).
    QString CaptureFolder;
    QString CaptureName;

    int ModalResult() const { return FModalResult; }
    // Keeps Result; a window shown modally closes with it.
    void SetModalResult(int Result);
    // Closes with Result (modal or not).
    void CloseWith(int Result);
    void done(int Result) override;

    // Whether one of the window's own message boxes or file dialogs is up.
    bool OwnDialogUp() const { return FOwnDialogs > 0; }

protected:
    // Activation and deactivation of the window, except around its own
    // message boxes and file dialogs.
    virtual void FormActivate() {}
    virtual void FormDeactivate() {}
    // Whether the activation FormActivate handles is the window's first
    // since it was last shown.
    bool FirstActivation() const { return FFirstActivation; }
    // Runs once as the window closes (before it hides); it may change the
    // result the window closes with (OverrideResult).
    virtual void FormClose() {}
    void OverrideResult(int Result) { FModalResult = Result; }

    // The message box, file dialogs and modal runs of the window itself.
    int OwnMessage(const QString& Text, TMsgKind Kind = TMsgKind::Information, int Buttons = mbOK);
    QString OwnOpenFileName(const TFileDialogRequest& Request);
    QString OwnSaveFileName(const TFileDialogRequest& Request);
    int OwnModal(QDialog& Dialog);
    // Runs Action as the window's own dialog.
    template <class TAction>
    auto WithOwnDialog(TAction&& Action)
    {
        TOwnDialogScope Scope(*this);
        return Action();
    }

    bool event(QEvent* Event) override;
    void showEvent(QShowEvent* Event) override;

private:
    struct TOwnDialogScope {
        explicit TOwnDialogScope(TRootForm& Form) : Form(Form) { ++Form.FOwnDialogs; }
        ~TOwnDialogScope() { --Form.FOwnDialogs; }
        TRootForm& Form;
    };

    int FModalResult = mrNone;
    int FOwnDialogs = 0;
    bool FSkipActivate = false;
    bool FActivatedSinceShown = false;
    bool FFirstActivation = false;
    bool FClosing = false;
};
