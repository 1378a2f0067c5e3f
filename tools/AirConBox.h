#pragma once
// The tool window that edits one air-conditioning item: the property sheet
// with a status line, files, a copy of the table and help. Its dialog
// (TAirConDlg) configures it, shows it and keeps its size, position, column
// widths and units between showings.

#include "airstate/AirconItem.h"
#include "tools/TechForm.h"

#include <functional>

class TAirConDlg;

class TAirConBox : public TTechForm {
    Q_OBJECT

public:
    static inline const QString ReadyText = "Ready...";
    static inline const QString CantSaveText = "Can\"t save invalid data...";

    explicit TAirConBox(QWidget* Parent = nullptr);
    ~TAirConBox() override;

    // The status line; only a box that is "Ready..." saves and accepts.
    QString Status() const;
    void SetStatus(const QString& Text);
    bool IsReady() const { return Status() == ReadyText; }

    // The file dialogs: open, then LoadFromFile; save, when ready, then
    // SaveToFile (else the status says it cannot).
    void OpenFile();
    void SaveFile();
    // Every grid line as comma text, lines joined by CR LF, to the clipboard.
    void CopyTable();
    // The help page, opened by the desktop.
    void ShowHelp();

    // Commit, then OK when ready, else Cancel, and close; Cancel and close.
    void AcceptActionExecute() override;
    void CancelActionExecute() override;

    virtual void LoadFromFile(const QString& Name);
    virtual void SaveToFile(const QString& Name);
    virtual void DefaultSize();
    // The item into the grid.
    virtual void Refresh();
    // Buttons, events and status of an air-conditioning box; the
    // descendants call it from their constructors.
    virtual void InitBox();

    QString FileName;
    // Where the file dialogs start (the user's data folder), and the help
    // page with its folder (the common data folder).
    QString DataFolder;
    QString HelpFolder;
    QString HelpPage = "humitrakdlg.htm";
    QString FileFilter;
    QString DefaultExt;

    // The item shown and the dialog that showed the box.
    TAirconItem* Item = nullptr;
    TAirConDlg* Dialog = nullptr;
    // Shown modally: the cancel button shows, and the dialog frees the box.
    bool Modal = false;
    TEditAirconItemEvent OnEditAirconItem;
    std::function<void(TAirConBox* Sender)> OnResize;

protected:
    void FormActivate() override;
    void FormClose() override;
    void resizeEvent(QResizeEvent* Event) override;
    // Fires OnEditAirconItem for the item.
    void ItemEdited();

private:
    // The open and save dialogs' request: the data folder and the files of
    // the box's kind.
    TFileDialogRequest FileRequest(const QString& Title);
};
