#pragma once
// The fittings list ("Fittings"): a stay-on-top tool window listing the
// network's duct fittings, one item per fitting in the order of the
// network's fitting list. Selecting an item highlights the fitting's ducts
// in the drawing; a column click sorts the network's list by that column;
// fittings are added, edited and deleted here, and the list is copied to
// the clipboard. It never calls the main window: what the document must
// know (a new order, a deletion) goes out through its events.

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QTreeView;
class TBranch;
class TDuctBranchForm;
class TFitting;
class TFittingsListModel;
class TFlowGraph;
class TSettingsStore;
class TVentrixFittingDlg;

class TFittingsForm : public QWidget {
    Q_OBJECT

public:
    // A tool window over MainWindow; its placement and column widths live
    // in Store, which must outlive it.
    explicit TFittingsForm(TSettingsStore& Store, QWidget* MainWindow = nullptr);
    ~TFittingsForm() override;

    // The network whose fittings are listed (not owned); the list is
    // filled from it.
    TFlowGraph* Network() const;
    void SetNetwork(TFlowGraph* Network);

    // Every item made anew.
    void FillList();
    // Refreshes the fitting's item, or adds it (see the .cpp).
    void UpdateItem(TFitting* Fitting);
    // Makes the fitting's item current (none when it is not listed).
    void SelectFitting(TFitting* Fitting);
    // Deletes the fitting's item; the network's list is not touched.
    void DeleteItem(TFitting* Fitting);
    // The selected fitting's ducts (at most four) shown highlighted, and
    // shown normally again.
    void HighlightDucts();
    void UnhighlightDucts();

    // A click on a column's heading: the network's list sorted by that
    // column, ascending first, reversed by each further click.
    void ColumnClick(int Column);
    // A new fitting ("Duct Fitting", no code) in the fitting dialog, for no
    // duct in particular. It joins the network when the dialog stores it
    // (through UpdateItem); closed without a code, it is freed.
    void AddClick();
    // The current fitting in the fitting dialog (also a double click); with
    // none current, the item under the pointer, else the last.
    void EditClick();
    void DeleteClick();
    void CopyText();
    void CopyCsv();

    // The fitting of the current item; null for none.
    TFitting* SelectedFitting() const;
    int CurrentIndex() const;

    void LoadSettings();
    void SaveSettings();

    // The branch window, which relists its fittings after a deletion here,
    // and so does its pressure-drop form (set by the main window; may stay
    // null).
    TDuctBranchForm* BranchForm = nullptr;
    // The program's one fitting dialog (set by the main window, which wires
    // its events); without one the list makes its own when first needed,
    // whose stored fittings come back here.
    TVentrixFittingDlg* FittingDialog = nullptr;

    // The ducts of a fitting to show highlighted (Flag 1) or normally (0).
    std::function<void(const std::vector<TBranch*>& Ducts, int Flag)> OnHighlightDucts;
    // After a deletion: the network's fittings and losses need recalculating.
    std::function<void()> OnFittingsChanged;
    // The window was activated: the drawing drops its block selection.
    std::function<void()> OnClearSelection;
    // The document changed (the fittings' order, a deletion).
    std::function<void()> OnChanged;

    QToolBar* ToolBar;
    QAction* AddButton;
    QAction* DeleteButton;
    QAction* EditButton;
    QTreeView* LV;
    QMenu* Popup;
    QAction* EditItem;
    QAction* AddItem;
    QAction* DeleteItemAction;
    QAction* CopyTextItem;
    QAction* CopyCsvItem;

protected:
    void showEvent(QShowEvent* Event) override;
    void hideEvent(QHideEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // A change of the network's list made elsewhere refills the list.
    void EnsureInSync();
    void SelectRow(int Row);
    void SelectionChanged(bool Deselected, bool Selected);
    void ShowPopup(const QPoint& Pos);
    void SaveColumnWidths();
    TVentrixFittingDlg* Dialog();
    void RunDialog(TFitting* Fitting);

    TSettingsStore& Store;
    TFittingsListModel* Model;
    int SortColumn = -1;
    std::array<bool, 5> SortAscending{};
    std::vector<int> HighlightedIds; // the branches last highlighted
    bool Updating = false;
    // A fitting made by Add that the network has not taken yet.
    std::unique_ptr<TFitting> PendingNew;
};
