#pragma once
// The main window as the program starts it, headless, with scripted
// services: messages are recorded and answered by the test, file dialogs
// answer names the test queued, modal runs run the test's script, and the
// desktop's "open" is recorded. The user's data folder is a temporary one;
// the common data folder is the build tree's.

#include "app/MainForm.h"
#include "app/ProgramMain.h"
#include "controls/UiServices.h"
#include "fittings/DuctFittingDB.h"
#include "foundation/ProgramFolders.h"
#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& S, std::ostream* Out)
{
    *Out << '"' << S.toStdString() << '"';
}

namespace apptest {

struct TMainServices {
    QStringList Messages;
    // Answers each message box; mrOk (mrYes for a question) when unset.
    std::function<int(const QString& Text)> Answer;
    std::deque<QString> FileNames; // the next file dialogs' answers
    QList<TFileDialogRequest> FileRequests;
    std::function<int(QDialog&)> Modal; // mrCancel when unset
    QStringList Opened;                 // what the desktop was asked to open
    TScopedUiServices Scope{Make()};

private:
    QString NextName(const TFileDialogRequest& Request)
    {
        FileRequests << Request;
        if (FileNames.empty())
            return QString();
        const QString Name = FileNames.front();
        FileNames.pop_front();
        return Name;
    }

    TUiServices Make()
    {
        TUiServices S = DefaultUiServices();
        S.Beep = [] {};
        S.MessageBox = [this](QWidget*, const QString&, const QString& Text, TMsgKind, int Buttons) {
            Messages << Text;
            if (Answer)
                return Answer(Text);
            return (Buttons & mbYes) ? int(mrYes) : int(mrOk);
        };
        S.OpenFileName = [this](const TFileDialogRequest& R) { return NextName(R); };
        S.SaveFileName = [this](const TFileDialogRequest& R) { return NextName(R); };
        S.RunModal = [this](QDialog& Dialog) { return Modal ? Modal(Dialog) : int(mrCancel); };
        S.ShellOpen = [this](const QString& Name) {
            Opened << Name;
            return true;
        };
        S.PrintSetup = [](QWidget*, QPrinter&) { return false; };
        S.PointerPos = [] { return QPoint(300, 200); };
        return S;
    }
};

// The program's folders for one test: the user's data folder in Dir.
struct TFoldersScope {
    TProgramFolders Kept = ProgramFolders();
    explicit TFoldersScope(const QString& DataDir)
    {
        TProgramFolders F = Kept;
        F.DataDir = DataDir.toStdString() + "/";
        F.CommonDataDir = VENTRIX_COMMON_DATA_DIR;
        SetProgramFolders(F);
        // The program's fitting database, read once as the program does.
        if (!DuctFittingDB())
            CreateDuctFittingDB(F.CommonDataDir);
    }
    ~TFoldersScope() { SetProgramFolders(Kept); }
};

struct TProgram {
    QTemporaryDir Dir;
    TMainServices Services;
    TFoldersScope Folders{Dir.path() + "/data"};
    std::unique_ptr<TMainForm> Form;

    explicit TProgram(const QStringList& Arguments = {"ventrix"},
                      std::unique_ptr<TSettingsStore> Store = std::make_unique<TMemorySettingsStore>())
    {
        Form = StartMainWindow(std::move(Store), Arguments);
        Form->resize(900, 650);
        Form->show();
        QApplication::setActiveWindow(Form.get());
        (void)QTest::qWaitForWindowActive(Form.get());
        Form->FormActivate();
    }

    TMainForm& Main() { return *Form; }
    TDuctGraph& Network() { return Form->Network(); }
    QString Panel(int Index) { return Form->StatusPanels[static_cast<std::size_t>(Index)]->text(); }
    QString Path(const QString& Name) const { return Dir.path() + "/" + Name; }
};

} // namespace apptest
