#pragma once
// The property-sheet tool window: an entry grid of definition lines (line 0
// is the heading), an action tool bar with ten pluggable actions, Align,
// Accept and Cancel, a status bar of three panels and a pop-up menu that
// copies the sheet as XML or captures the window.

#include "tools/RootForm.h"
#include "tools/ToolGlyphs.h"

#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

class QAction;
class QMenu;
class QToolButton;
class TEntryGrid;
class TPanelStatusBar;

class TTechForm : public TRootForm {
    Q_OBJECT

public:
    using TTechEvent = std::function<void(TTechForm* Sender)>;

    explicit TTechForm(QWidget* Parent = nullptr);

    // The grid's definition lines; the line count is one less (the heading).
    void SetLines(const QStringList& Lines);
    int LineCount() const { return FLineCount; }
    // Value i goes to the value column of line i + 1. A count other than the
    // line count is reported ("DataCount<>LineCount"); the lines that have a
    // value are filled all the same.
    void SetData(const std::vector<QVariant>& Values);
    // The value column of a line in base units. Raises EConvertError when the
    // cell holds no number.
    double GetValue(int Line) const;
    bool GetLineEnabled(int Line) const;
    void SetLineEnabled(int Line, bool Enabled);

    // Commit the pending entry, then OK; Cancel.
    virtual void AcceptActionExecute();
    virtual void CancelActionExecute();

    // Sizes the columns to their widest text and the window to the grid; a
    // window that would be 401 pixels high or more is 400 high and 19 wider.
    void Align();

    // "Copy to XML": the clipboard text, and the copy.
    virtual QString XmlText() const;
    void CopyToXml();
    // The pop-up menu at a screen position.
    void ShowPopupMenu(const QPoint& GlobalPos);

    // Run by their actions when assigned.
    TTechEvent OnOpen, OnSave, OnCopy, OnPaste, OnSolve, OnView, OnPrint, OnReset, OnAbout,
        OnHelp;

    TEntryGrid* Grid;
    QWidget* ToolBar1;
    QToolButton *ButtonOpen, *ButtonSave, *ButtonCopy, *ButtonPaste, *ButtonSolve, *ButtonView,
        *ButtonPrint, *ButtonAlign, *ButtonReset, *ButtonAbout, *ButtonHelp, *ButtonCancel,
        *ButtonAccept;
    QAction *OpenAction, *SaveAction, *CopyAction, *PasteAction, *SolveAction, *ViewAction,
        *PrintAction, *AlignAction, *ResetAction, *AboutAction, *HelpAction, *AcceptAction,
        *CancelAction;
    TPanelStatusBar* StatusBar1;
    QMenu* PopupMenu1;
    QAction *CopyXmlItem, *ActionClip;

protected:
    // Deactivation commits the pending entry.
    void FormDeactivate() override;
    // Commits the grid's pending entry.
    void CommitGrid();
    void contextMenuEvent(QContextMenuEvent* Event) override;

private:
    QAction* MakeAction(const QString& Caption, TToolGlyph Glyph, std::function<void()> Run);
    QAction* EventAction(const QString& Caption, TToolGlyph Glyph, TTechEvent TTechForm::*Event);

    int FLineCount = 0;
};
