#pragma once
// Everything a window does that would block, leave the program or depend on
// the desktop goes through these services: message boxes, beeps, file,
// print and font dialogs, modal runs, pop-up menus, the pointer position,
// opening a document or address with the desktop, e-mail and the units pick
// list. Each member has a Qt default; tests replace members with scripts
// (TScopedUiServices) so that nothing waits for a user.

#include "foundation/Units.h"

#include <QFont>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QMenu;
class QAction;
class QPrinter;
class QWidget;

// Buttons and results of a message box, numbered as the windows compare them.
enum TMsgButton : int {
    mbOK = 1,
    mbCancel = 2,
    mbYes = 4,
    mbNo = 8,
    mbOKCancel = mbOK | mbCancel,
    mbYesNo = mbYes | mbNo,
    mbYesNoCancel = mbYes | mbNo | mbCancel,
};
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };
enum class TMsgKind { Information, Warning, Error, Confirmation };

struct TFileDialogRequest {
    QWidget* Parent = nullptr;
    QString Title;
    QString Folder;      // start folder, may be empty
    QString FileName;    // proposed name, may be empty
    QString Filter;      // Qt filter text, e.g. "Ventrix file (*.vtx)"
    QString DefaultSuffix;
};

struct TUiServices {
    // Shows Text with the given buttons and answers one of TModalResult.
    std::function<int(QWidget* Parent, const QString& Caption, const QString& Text,
                      TMsgKind Kind, int Buttons)>
        MessageBox;
    std::function<void()> Beep;
    // Chosen file name, or empty when cancelled.
    std::function<QString(const TFileDialogRequest&)> OpenFileName;
    std::function<QString(const TFileDialogRequest&)> SaveFileName;
    // Runs a dialog modally; answers its TModalResult (mrOk, mrCancel, ...).
    std::function<int(QDialog& Dialog)> RunModal;
    // Shows a pop-up menu at a global position; the chosen action or null.
    std::function<QAction*(QMenu& Menu, const QPoint& GlobalPos)> PopupMenu;
    std::function<QPoint()> PointerPos;
    // Hands a file or address to the desktop; false when nothing took it.
    std::function<bool(const QString& FileOrUrl)> ShellOpen;
    // Printer set-up on Printer; true when accepted.
    std::function<bool(QWidget* Parent, QPrinter& Printer)> PrintSetup;
    // Font choice; true when accepted (Font then holds the choice).
    std::function<bool(QWidget* Parent, QFont& Font)> ChooseFont;
    // The units pick list: Quantity's unit labels at GlobalPos with
    // CurrentUnit selected; answers the picked unit index, or -1 when the
    // list was dismissed.
    std::function<int(QWidget* Parent, TUnitsType Quantity, int CurrentUnit,
                      const QPoint& GlobalPos)>
        PickUnits;
};

// The services in force (the Qt defaults until replaced).
TUiServices& UiServices();
// The Qt defaults, for a test that replaces only some members.
TUiServices DefaultUiServices();

// Replaces the services for a scope, then puts the previous ones back.
class TScopedUiServices {
public:
    explicit TScopedUiServices(const TUiServices& Services);
    ~TScopedUiServices();
    TScopedUiServices(const TScopedUiServices&) = delete;
    TScopedUiServices& operator=(const TScopedUiServices&) = delete;

private:
    TUiServices Previous;
};

// Shorthands the windows use.
int ShowMessage(QWidget* Parent, const QString& Text, const QString& Caption = QString(),
                TMsgKind Kind = TMsgKind::Information, int Buttons = mbOK);
void MessageBeep();
int RunModal(QDialog& Dialog);
int PickUnits(QWidget* Parent, TUnitsType Quantity, int CurrentUnit, const QPoint& GlobalPos);
