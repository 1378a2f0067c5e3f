#pragma once
// The generic graph editor: a panel that shows one TGraph as a drawing of
// node glyphs and branch lines over an optional background picture, and lets
// the user build and edit it with the mouse (new nodes and branches, drags,
// merges, a rubber band and block selection, a private clipboard, pop-up
// commands), with its grid, scale, calibration and size tool boxes.
//
// It knows nothing of ducts: what depends on the kind of network goes
// through its virtual operations, which the duct editor overrides. It holds
// the graph by reference only (the document owns it) and reports every
// change through its events, each of which fires only when assigned.
//
// The picture is computed from the model (GraphRender.h): an edit changes
// the model and repaints the rectangles it touched.

#include "editor/GraphGlyphs.h"
#include "editor/GraphRender.h"
#include "editor/LabelCache.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QScrollArea;
class QToolBar;
class QToolButton;
class TBranch;
class TCalibrateScaleForm;
class TGraph;
class TGraphCanvas;
class TGridToolBox;
class TNode;
class TScaleToolBox;
class TSettingsStore;
class TSizeToolBox;

enum class TMouseButton { Left, Right, Middle };

// The shift state of a mouse event: modifier keys, buttons held, and the
// double-click flag.
using TShiftState = unsigned;
enum TShiftFlag : unsigned {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64,
};

class TGraphViewFrame : public QWidget {
    Q_OBJECT

public:
    explicit TGraphViewFrame(TSettingsStore& Settings, QWidget* Parent = nullptr);
    ~TGraphViewFrame() override;

    // ---- components
    QScrollArea* ScrollBox1;
    TGraphCanvas* Image1; // the drawing, one pixel per drawing unit
    QLabel* HintText;     // the hover hint
    QToolBar* ItemToolBar;
    QToolButton* ArrowBtn;
    QToolButton* NodeBtn;
    QToolButton* BranchBtn;
    QToolBar* ToolBar1;
    QToolButton* GridButton;
    QToolButton* SnapButton;
    QToolButton* AutoScaleButton;
    QToolButton* DrawModeBtn;

    QMenu* gvfBranchPopup;
    QAction* gvfBranchCaptionItem; // "Branch:"
    QAction* gvfEditBranchItem;
    QAction* gvfReverseBranchItem;
    QAction* gvfDeleteBranchItem;
    QMenu* gvfDetachMenu;
    QAction* gvfDetachInletItem;
    QAction* gvfDetachOutletItem;
    QMenu* gvfNodePopup;
    QAction* gvfNodeCaptionItem; // "Node:"
    QAction* gvfEditNodeItem;
    QAction* gvfDeleteNodeItem;
    QMenu* gvfEditPopup;

    QAction* gvfActionBackSetPic;
    QAction* gvfActionBackClearPic;
    QAction* gvfActionBackResize;
    QAction* gvfActionRepositionNodes;
    QAction* gvfActionToolsGrid;
    QAction* gvfActionToolsScale;
    QAction* gvfActionZoomIn;
    QAction* gvfActionZoomOut;
    QAction* gvfActionZoomFull;
    QAction* gvfActionSetLabels;
    QAction* gvfActionDelete;
    QAction* gvfActionCopy;
    QAction* gvfActionPaste;
    QAction* gvfActionUndoDelete;
    QAction* gvfActionCut;

    // ---- events (each fires only when assigned)
    std::function<void()> OnChanged;
    std::function<void(TNode*)> OnNodeTypeChanged;
    std::function<void(TNode*)> OnBeforeDeleteNode;
    std::function<void(TNode*)> OnNodeAdded;
    std::function<void(TNode*)> OnNodesMerged;
    std::function<void(TBranch*)> OnBranchSelected; // null: none
    std::function<void(TBranch*)> OnBranchChanged;
    std::function<void(TBranch*)> OnBeforeDeleteBranch;
    std::function<void(TNode*, TNode*)> OnBranchDeleted;
    std::function<void(TBranch*)> OnBranchAdded;
    std::function<void()> OnBlockStarted;
    std::function<void()> OnBlockEmpty;
    // Delete, Copy, Cut, Paste or Undo Delete was enabled or disabled.
    std::function<void(QAction*, bool)> OnActionEnable;
    // Before a block deletion or a single delete from a pop-up menu; answers
    // whether the undo file was written (Undo Delete is offered only then).
    std::function<bool()> OnBeforeDelete;
    std::function<void()> OnUndoDelete;
    // A block deletion reports once, with every node and branch that goes
    // (the block's and the branches of its nodes), before and after, instead
    // of per item: thousands of items go at once (see DeleteItems).
    std::function<void(const std::vector<TNode*>&, const std::vector<TBranch*>&)> OnBeforeDeleteBlock;
    std::function<void()> OnBlockDeleted;

    // ---- virtual operations (the base behaviour; the duct editor overrides)
    virtual void gvfEditBranchClick();
    virtual void gvfDeleteBranchClick();
    virtual void gvfReverseBranchClick();
    virtual void gvfEditNodeClick();
    // A node with its branches; a branch. Both are DeleteItems reported per
    // item.
    virtual void DeleteNode(TNode* Node);
    virtual void DeleteBranch(TBranch* Branch);
    // How a deletion tells the owner. Per item (a pop-up menu's Delete):
    // OnBeforeDeleteBranch for each branch that goes, then OnBeforeDeleteNode
    // for each node; afterwards OnBranchSelected, then OnBranchDeleted with
    // the two ends of each listed branch whose ends both stay and with
    // (neighbour, none) for each neighbour that stays of a deleted node.
    // Once (a block, which may hold thousands): OnBeforeDeleteBlock with both
    // lists; afterwards OnBranchSelected, then OnBlockDeleted.
    enum class TDeleteReport { PerItem, Once };
    // The one path of every deletion (a merge's too): the listed nodes
    // (each with its branches) and branches leave the selection and the
    // graph (as TGraph::Deletion lists them), the frame's
    // BeforeDeleteNodeHook and BeforeDeleteBranchHook see each one first,
    // and the owner is told as Report says.
    virtual void DeleteItems(const std::vector<TNode*>& Nodes, const std::vector<TBranch*>& Branches,
                             TDeleteReport Report);
    virtual void LoadItemGlyphs();
    virtual void SetGraph(TGraph* Graph);
    virtual void CreateClipGraph();
    virtual bool IsNodeTool();
    virtual bool NodePressTest();
    virtual bool BranchPressTestA();
    virtual bool IsBranchTool();
    virtual bool BranchPressTestB();
    virtual bool NewBranchUpwards();
    virtual bool NewBranchDownwards();
    virtual bool NewBranchLeftwards();
    virtual int StubLength();
    virtual void NodePressHook(TNode* Node);
    virtual void BranchPressHookA(TBranch* Branch);
    virtual void BranchPressHookB(TBranch* Branch);
    virtual void InitNewNode(TNode* Node, TBranch* Branch);
    virtual void InitNewBranch(TBranch* Branch);
    virtual bool CanLinkFrom(TNode* Node);
    virtual bool CanMerge(TNode* Moved, TNode* Target);
    virtual void SetLayoutLengths();
    virtual void SetBranchLengthToScale(TBranch* Branch, double Scale);
    virtual void SetNodeBranchesToScale(TNode* Node, double Scale);
    virtual void HideDialogs();
    virtual void BranchSelectedHook();
    virtual void BranchPressedHook();
    virtual void NodeSelectedHook();
    virtual void BeforeDeleteNodeHook(TNode* Node);
    virtual void BeforeDeleteBranchHook(TBranch* Branch);
    virtual void UpdateBranchGlyph(TBranch* Branch);
    virtual void UpdateNodeGlyph(TNode* Node);
    virtual void SetLabels();
    virtual std::string BranchCaption(TBranch* Branch);
    virtual std::string BranchLabelText(TBranch* Branch);
    virtual std::string BranchHintText(TBranch* Branch);
    virtual std::string NodeLabelText(TNode* Node);
    virtual std::string NodeHintText(TNode* Node);
    virtual void BeforePasteBranch(int OldId, int NewId);
    virtual void CopyBranchHook(TBranch* Branch);
    virtual void BeforePaste();
    virtual void AfterPaste();
    virtual void AfterCopy();
    // Glyphs, the clipboard graph and the tool boxes; called once by the
    // owner after construction.
    virtual void InitView();
    virtual void CreateToolBoxes();
    virtual void ReleaseView();
    virtual void AssignGlyphs();
    virtual void NodeTypeChanged(TNode* Node);
    virtual void EditBranch();
    // Run just before the node or branch pop-up opens, to show, hide or
    // caption its items for the selected item.
    virtual void NodePopupPopup();
    virtual void BranchPopupPopup();

    // ---- drawing
    // Lays out or places unplaced nodes, clears the block and the drags, and
    // repaints everything; the selection is kept by id.
    void RedrawGraph();
    // After an item's data changed: its glyph is updated and it is repainted.
    void RedrawNode(TNode* Node);
    void RedrawBranch(TBranch* Branch);
    void SetNodeName(TNode* Node, const std::string& Name);
    void SetBranchName(TBranch* Branch, const std::string& Name);
    void SelectBranch(TBranch* Branch);
    void SelectNode(TNode* Node);
    // BlockState 2 (On) or 0 for each listed branch.
    void HighlightBranches(const std::vector<TBranch*>& Branches, bool On);
    void SnapAllNodesToGrid();
    void SnapNodeToGrid(TNode* Node);
    void SetAllLengthsToScale();
    void ResetScroll();
    // Loads the picture as the background (an empty name clears it).
    void LoadBackground(const std::string& FileName);
    // The drawing's extent, the drawing cropped to it, and a new size.
    QRect GetGraphExtent() const;
    void CropToGraph();
    void SetDrawingSize(int Width, int Height);
    void SizeToBackground();
    // Places every active node without a position on a raster from (5, 5).
    void AutoPlaceNodes();
    // The automatic layout from the root node.
    void LayoutGraph();

    // ---- hit tests (stored as HitNode, HitBranch)
    TNode* HitTestNode(int X, int Y);
    TBranch* HitTestBranch(int X, int Y);

    // ---- mouse (the canvas feeds these; drawing coordinates)
    void Image1MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    void Image1MouseMove(TShiftState Shift, int X, int Y);
    void Image1MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // The pointer left the drawing: the hover hint goes with it.
    void Image1MouseLeave() { HideHint(); }

    // ---- editing
    void MoveNodeTo(TNode* Node, int X, int Y);
    void MoveBranchHandle(TBranch* Branch, int X, int Y);
    // Detaches the selected branch from its from-node (-1) or to-node (+1)
    // onto a new node.
    void DetachBranch(int Direction);
    void gvfDeleteNodeClick();
    void gvfDetachInletBranchClick();
    void gvfDetachOutletBranchClick();

    // ---- block selection and clipboard
    void ClearBlock();
    void ClearBlockSelection();
    void SelectInBand();
    void MoveBlock(int X, int Y);
    void DeleteBlock();
    void CopyBlock();
    void PasteBlock();
    // The Delete key asks to delete the block.
    void FrameKeyDown(int Key);
    // Enables or disables one of the five edit actions and reports it.
    void EnableAction(QAction* Action, bool Enabled);
    // Runs a delete of the user's, first letting the owner save for undo
    // (OnBeforeDelete).
    void DeleteUndoably(const std::function<void()>& Delete);

    // ---- calibration picking
    void StartPicking();
    void StopPicking();

    // ---- action handlers
    void gvfActionBackSetPicExecute();
    void gvfActionBackClearPicExecute();
    void gvfActionBackResizeExecute();
    void gvfActionRepositionNodesExecute();
    void gvfActionToolsGridExecute();
    void gvfActionToolsScaleExecute();
    void gvfActionZoomInExecute();
    void gvfActionZoomOutExecute();
    void gvfActionZoomFullExecute();
    void gvfActionSetLabelsExecute();
    void gvfActionDeleteExecute();
    void gvfActionCopyExecute();
    void gvfActionPasteExecute();
    void gvfActionUndoDeleteExecute();
    void gvfActionCutExecute();
    void GridVisBtn2Click();
    void GridSnapBtn2Click();
    void ScaleVisBtn2Click();
    void DrawModeBtnClick();

    // ---- state
    TGraph* Graph() const { return FGraph; }
    TGraph* ClipGraph() const { return FClipGraph.get(); }
    TNode* SelectedNode() const { return FSelectedNode; }
    TBranch* SelectedBranch() const { return FSelectedBranch; }
    TNode* HitNode() const { return FHitNode; }
    TBranch* HitBranch() const { return FHitBranch; }
    int SpawnMode() const { return FSpawnMode; }
    bool HasBlock() const { return BlockFlag; }
    bool BandShown() const { return BandOn; }
    bool IsPicking() const { return Picking; }
    bool AutoDraw() const { return FAutoDraw; }
    bool SnapToGrid() const;
    bool GridVisible() const;
    int GridGap() const;
    const TGlyphSet& Glyphs() const { return FGlyphs; }
    // The part of the zoomed background picture that the drawing shows
    // (true colours); null for none.
    QImage BackPicture() const;
    // The drawing as the canvas shows it (pending repaints done first).
    const QImage& CanvasImage();
    // The model's picture state, for a fresh render.
    TGraphRenderState RenderState();
    // Repaints the rectangles edits have touched.
    void FlushDrawing();

    TGridToolBox* GridToolBox() const { return FGridToolBox; }
    TScaleToolBox* ScaleToolBox() const { return FScaleToolBox; }
    TCalibrateScaleForm* CalibrateScaleForm() const { return FCalibrateForm; }
    TSizeToolBox* SizeToolBox() const { return FSizeToolBox; }

protected:
    void keyPressEvent(QKeyEvent* Event) override;
    // Makes a pop-up item (of a menu the view opens) run Command when it is
    // chosen.
    void AddPopupCommand(QAction* Item, std::function<void()> Command);
    TSettingsStore& Settings;
    TGlyphSet FGlyphs;
    std::unique_ptr<TGraph> FClipGraph;

private:
    friend class TGraphCanvas;

    // Pixel size of the drawing and of one repaint.
    QSize DrawingSize() const;
    void Invalidate(const QRect& Area);
    void InvalidateAll();
    void InvalidateNode(const TNode* Node);   // with its branches
    void InvalidateBranch(const TBranch* Branch);
    void InvalidateCalibration();
    // The areas of changed items, or everything when they are many.
    void InvalidateItems(const std::vector<const TNode*>& Nodes, const std::vector<const TBranch*>& Branches);
    // Keeps a position inside the drawing (and off the -1 "not placed" mark).
    void PlaceNode(TNode* Node, int X, int Y);
    // The graph's size held to what the drawing can be and grown to hold
    // every placed node; the canvas and the size tool box follow.
    void FitDrawingToGraph();
    // The paste offset moved so that the clipboard's block lands inside the
    // drawing (which grows when the block is larger).
    QPoint OffsetInside(const TGraph& Clip, QPoint Offset);
    void RecentreHandles(TNode* Node);
    void FireChanged();
    // The document's scale, a change of it reported.
    void SetGraphScale(double Scale);
    void FireBranchSelected(TBranch* Branch);
    // The point of a new item snapped and held inside the drawing; Stub is
    // snapped too.
    QPoint SnapAndClamp(QPoint P, int& Stub) const;
    TNode* AddNewNode(QPoint At, TBranch* ForBranch);
    // Items the user just added: initialised and announced (OnNodeAdded,
    // OnBranchAdded); a new branch then drawn, sized to scale when the
    // drawing is, and selected.
    void InitAddedNode(TNode* M, TBranch* ForBranch);
    void InitAddedBranch(TBranch* B);
    void ShowAddedBranch(TBranch* B);
    void PressOnNode(TNode* N, TMouseButton Button, TShiftState Shift);
    void PressOnBranch(TBranch* B, TMouseButton Button, TShiftState Shift);
    void PressOnEmpty(TMouseButton Button, QPoint P);
    void Spawn(TNode* N);
    void ToggleBlockMember(int& BlockState, const QRect& Area);
    void FinishNodeDrag();
    // Forgets the press under way: its drag, the items it hit, a spawn's
    // origin.
    void EndDrag();
    void FinishBand(QPoint P);
    // A node dropped on another: the merge's lost branches go as single
    // deletes (each with its events, OnBranchDeleted included), then Kept
    // takes Dropped's branches and Dropped goes (BeforeDeleteNodeHook,
    // OnBeforeDeleteNode, OnBranchSelected); NodeSelectedHook,
    // OnBranchSelected and OnNodesMerged(Kept) end it.
    void MergeNodes(TNode* Kept, TNode* Dropped);
    void ShowHint(const std::string& Text, QPoint ViewportPos);
    void HideHint();
    void AutoScroll(QPoint ViewportPos);
    QPoint ToViewport(QPoint CanvasPos) const;
    void ShowNodePopup(TNode* N);
    void ShowBranchPopup(TBranch* B);
    void ShowEditPopup();
    void RunPopup(QMenu* Menu);
    void BuildWidgets();
    void BuildActions();
    void BuildPopups();
    void SetZoomEnabled(bool Enabled);
    // The background's size at the graph's zoom ratio, cut at the largest side.
    QSize ZoomedBackSize() const;
    // Takes the ratio and scales the kept picture to it.
    void ZoomBackground(double Ratio);
    // The part of the loaded picture that lands in the drawing, zoomed.
    void ShowBackground();
    // After the drawing's size changed: the shown part follows it.
    void FitBackgroundToDrawing();
    void GridChanged();
    void ShowDrawingSize();

    TGraph* FGraph = nullptr;
    QImage DrawBitmap; // the page the canvas shows
    std::vector<QRect> Dirty;
    TLabelCache Labels;
    QImage FBackPicture; // inverted against white
    QImage FBackTrue;    // as shown, in its true colours
    QSize FBackSize;     // the whole picture zoomed and cut
    // The picture as read, kept so that a change of the drawing's size shows
    // the same picture, whatever has become of its file since.
    QImage FBackSource;

    bool DraggingNode = false;
    bool DraggingHandle = false;
    bool BlockDrawing = false;
    bool Panning = false;
    bool Panned = false;
    QPoint PanOrigin;
    TNode* FHitNode = nullptr;
    TBranch* FHitBranch = nullptr;
    int FSpawnMode = 0;
    TNode* SpawnOrigin = nullptr; // the pressed node of a spawn
    TNode* FSelectedNode = nullptr;
    TBranch* FSelectedBranch = nullptr;
    bool FAutoDraw = false;
    bool PopupOnPress = false; // an item pop-up opened: its release is swallowed

    QPoint PressPoint;
    QPoint StartPoint;
    bool BandOn = false;
    QPoint Band1, Band2;
    bool BlockFlag = false;
    QPoint BlockAnchor;
    int PasteA = 0;
    int PasteB = 0;
    QPoint PasteAOffset;
    QPoint PasteBOffset;

    bool Picking = false;
    bool FirstTaken = false;
    QPoint FirstPoint;
    bool CrossShown = false;
    QPoint CrossPoint;

    QString PictureFolder; // where the picture dialog opens next
    // The pop-up items and what they run.
    std::vector<std::pair<QAction*, std::function<void()>>> PopupCommands;
    std::vector<std::pair<QAction*, QAction*>> EditItems; // (menu item, edit action)

    TGridToolBox* FGridToolBox = nullptr;
    TScaleToolBox* FScaleToolBox = nullptr;
    TCalibrateScaleForm* FCalibrateForm = nullptr;
    TSizeToolBox* FSizeToolBox = nullptr;
};
