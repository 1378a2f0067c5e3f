#pragma once
// The main window as the program starts it, headless, with the scripted
// services of every window test. The user's data folder is a temporary
// one; the common data folder (with the fitting database) the build tree's.

#include "app/MainForm.h"
#include "app/ProgramMain.h"
#include "tests/support/ScriptedUiServices.h"
#include "fittings/DuctFittingDB.h"
#include "foundation/ProgramFolders.h"
#include "foundation/SettingsStore.h"
#include "network/DuctGraph.h"
#include "reports/PreviewForm.h"
#include "reports/ReportPrinter.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace apptest {

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
    TScriptedUiServices Services;
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

// Prints the report (File, Print Report) from its preview to the printer
// as it is set.
inline void PrintReportFromPreview(TProgram& P)
{
    P.Services.OnModal = [](QDialog& Dialog) {
        if (auto* Preview = dynamic_cast<TPreviewForm*>(&Dialog)) {
            Preview->show();
            Preview->PrintBtnClick();
            Preview->hide();
        }
        return int(mrOk);
    };
    P.Main().ActionPrintReport->trigger();
    TScriptedUiServices::Activate(P.Main());
}

// The report printed into the PDF file Pdf.
inline void PrintReportToPdf(TProgram& P, const QString& Pdf)
{
    QPrinter& Printer = ReportPrinter();
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(Pdf);
    Printer.setPageSize(QPageSize(QPageSize::A4));
    PrintReportFromPreview(P);
    Printer.setOutputFileName(QString());
}

} // namespace apptest
