#pragma once
// The duct network editor: the graph view given the meaning of a duct
// network. Its tools make supply outlets, return inlets, rectangular and
// spiral ducts (alone or with a terminal), the main fan and booster fans;
// glyphs follow node types and duct types; labels and hints come from the
// label content dialog; branch lengths can follow the drawing scale; the
// pop-up menus reach the branch window, the node dialog and the duct size
// dialog, change node and duct types and balance the flow leakage; the
// clipboard carries the fittings of copied branches.
//
// It shows a TDuctGraph (any other graph is shown without duct meaning).

#include "editor/GraphViewFrame.h"

#include <functional>

class QAction;
class QMenu;
class TDuctBranch;
class TDuctBranchForm;
class TDuctDiamForm;
class TDuctGraph;
class TDuctLabelsDlg;
class TFlowBranch;
class TFlowNode;
class TFlowNodeDlg;
class TPressureDropForm;

class TFlowGraphFrame : public TGraphViewFrame {
    Q_OBJECT

public:
    explicit TFlowGraphFrame(TSettingsStore& Settings, QWidget* Parent = nullptr);
    ~TFlowGraphFrame() override;

    // ---- tool buttons of the item tool bar (BranchBtn is hidden)
    QToolButton* InletBtn;
    QToolButton* InGrilleBtn;
    QToolButton* CanopyBtn;
    QToolButton* OutletBtn;
    QToolButton* OutGrilleBtn;
    QToolButton* DiffuserBtn;
    QToolButton* MainFanBtn;
    QToolButton* BoosterBtn;
    QToolButton* DuctBtn;
    QToolButton* SpiralBtn;
    QToolButton* Sp2InletBtn;
    QToolButton* Sp2InGrilleBtn;
    QToolButton* Sp2CanopyBtn;
    QToolButton* Sp2OutletBtn;
    QToolButton* Sp2OutGrilleBtn;
    QToolButton* Sp2DiffuserBtn;

    // ---- pop-up additions
    QAction* FittingsBranchItem;   // "&Fittings"
    QAction* DimensionsBranchItem; // "Di&mensions"
    QMenu* DuctTypeMenu;           // "Du&ct : "
    QAction* Rectangular1;
    QAction* Spiral1;
    QAction* BalanceLeakSeparator;
    QAction* BalanceLeakItem; // "&Balance leakage"
    QMenu* NodeTypeMenu;      // "Type: "
    QAction* Common1;
    QAction* Inlet1;
    QAction* Outlet1;
    QAction* EditInOutletNodeItem; // "Edit &outlet" / "Edit &inlet"
    QAction* EditVolFlowNodeItem;  // "Edit &volume flow"
    QAction* BalanceLeakNodeSeparator;
    QAction* BalanceLeakNodeItem;

    // ---- events
    // A paste added fittings to the network.
    std::function<void()> OnFittingsPasted;
    // "Balance leakage" changed a design flow.
    std::function<void()> OnLeakageBalanced;

    // ---- the dialogs it made (null until CreateToolBoxes)
    TDuctBranchForm* BranchForm() const { return FBranchForm; }
    TDuctLabelsDlg* LabelsDlg() const { return FLabelsDlg; }
    TDuctDiamForm* DuctDiamForm() const { return FDiamForm; }
    TFlowNodeDlg* NodeDlg() const { return FNodeDlg; }
    // The branch window's pressure-drop form; null until it is made.
    TPressureDropForm* PressureDropForm() const;
    TDuctGraph* DuctGraph() const { return FDuctGraph; }

    // ---- overrides of the view's virtual operations
    void gvfEditBranchClick() override;
    void gvfReverseBranchClick() override;
    void gvfEditNodeClick() override;
    void DeleteItems(const std::vector<TNode*>& Nodes, const std::vector<TBranch*>& Branches,
                     TDeleteReport Report) override;
    void LoadItemGlyphs() override;
    void SetGraph(TGraph* Graph) override;
    void CreateClipGraph() override;
    bool IsNodeTool() override;
    bool IsBranchTool() override;
    bool NewBranchUpwards() override;
    bool NewBranchDownwards() override;
    bool NewBranchLeftwards() override;
    int StubLength() override;
    void InitNewNode(TNode* Node, TBranch* Branch) override;
    void InitNewBranch(TBranch* Branch) override;
    bool CanLinkFrom(TNode* Node) override;
    bool CanMerge(TNode* Moved, TNode* Target) override;
    void SetLayoutLengths() override;
    void SetBranchLengthToScale(TBranch* Branch, double Scale) override;
    void SetNodeBranchesToScale(TNode* Node, double Scale) override;
    void HideDialogs() override;
    void BranchSelectedHook() override;
    void BranchPressedHook() override;
    void NodeSelectedHook() override;
    void BeforeDeleteNodeHook(TNode* Node) override;
    void BeforeDeleteBranchHook(TBranch* Branch) override;
    void UpdateBranchGlyph(TBranch* Branch) override;
    void UpdateNodeGlyph(TNode* Node) override;
    void SetLabels() override;
    std::string BranchCaption(TBranch* Branch) override;
    std::string BranchLabelText(TBranch* Branch) override;
    std::string BranchHintText(TBranch* Branch) override;
    std::string NodeLabelText(TNode* Node) override;
    std::string NodeHintText(TNode* Node) override;
    void BeforePasteBranch(int OldId, int NewId) override;
    void CopyBranchHook(TBranch* Branch) override;
    void BeforePaste() override;
    void AfterPaste() override;
    void AfterCopy() override;
    void CreateToolBoxes() override;
    void ReleaseView() override;
    void AssignGlyphs() override;
    void NodeTypeChanged(TNode* Node) override;
    void EditBranch() override;
    void NodePopupPopup() override;
    void BranchPopupPopup() override;

    // ---- further operations
    // After every solve or size command: the reference nodes' glyphs, a
    // redraw, Branch selected, the node dialog refreshed.
    void RefreshAfterSolve(TBranch* Branch);
    // The branch window and the node dialog save their settings.
    void SaveGraphDialogSettings();
    // Which choices the node dialog offers for a node: 1 it is the from-end
    // of its only branch, 0 its to-end, 2 neither (or a booster's end).
    int TerminalSide(TNode* Node) const;

    // ---- pop-up handlers
    void Common1Click();
    void Inlet1Click();
    void Outlet1Click();
    void EditVolFlowFromNodeClick();
    void BalanceLeakFromNodeClick();
    void BalanceLeakClick();
    void Rectangular1Click();
    void Spiral1Click();
    void DimensionsBranchClick();
    void FittingsBranchClick();
    void EditInOutletNodeClick();

private:
    void BuildToolButtons();
    void BuildPopupItems();
    // MainFanBtn is enabled exactly when the network has no main fan (and a
    // disabled fan tool gives way to the arrow).
    void UpdateMainFanButton();
    bool AnySpiralWithTerminal() const;
    // Merging Dropped into Kept would delete the main fan (a branch between
    // the two, or one that would duplicate a link).
    bool MergeDropsMainFan(const TNode* Kept, const TNode* Dropped) const;
    TDuctBranch* SelectedDuct() const;
    // The selected node's single branch (its end node); null otherwise.
    TDuctBranch* EndBranchOf(TNode* Node, bool* Outgoing = nullptr) const;
    void SetSelectedNodeType(int Type);
    void SetSelectedDuctType(int Type);

    TDuctGraph* FDuctGraph = nullptr;
    TDuctBranchForm* FBranchForm = nullptr;
    TDuctLabelsDlg* FLabelsDlg = nullptr;
    TDuctDiamForm* FDiamForm = nullptr;
    TFlowNodeDlg* FNodeDlg = nullptr;
};
