// The graph view's mouse controller: presses, drags and releases become new
// nodes and branches, selections, moves, merges, pans and pop-up menus; and
// the single-item commands of the pop-up menus (deletion has its own file).

#include "editor/GraphViewFrame.h"

#include "controls/UiServices.h"
#include "editor/CalibrateScaleForm.h"
#include "editor/GraphCanvas.h"
#include "editor/GraphGeometry.h"
#include "foundation/NumberFormat.h"
#include "graph/Graph.h"
#include "platform/QtText.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>

#include <cmath>
#include <cstdlib>

namespace {

// The spawn modes of a left press on a node, by the exact shift state.
constexpr TShiftState SpawnInto = ssShift | ssCtrl | ssLeft;      // 2
constexpr TShiftState SpawnInlet = ssShift | ssAlt | ssLeft;      // 3
constexpr TShiftState SpawnFrom = ssCtrl | ssLeft;                // 4
constexpr TShiftState SpawnOutlet = ssAlt | ssLeft;               // 5

// A press that moves the pointer no more than this is no drag.
constexpr int DeadZone = 2;

void ResetCursor()
{
    if (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

} // namespace

// ---------------------------------------------------------------- hit tests

TNode* TGraphViewFrame::HitTestNode(int X, int Y)
{
    FHitNode = FGraph ? ::HitTestNode(*FGraph, FGlyphs, X, Y) : nullptr;
    return FHitNode;
}

TBranch* TGraphViewFrame::HitTestBranch(int X, int Y)
{
    FHitBranch = FGraph ? ::HitTestBranch(*FGraph, FGlyphs, X, Y) : nullptr;
    return FHitBranch;
}

// ---------------------------------------------------------------- helpers

QPoint TGraphViewFrame::ToViewport(QPoint CanvasPos) const
{
    return Image1->mapTo(ScrollBox1->viewport(), CanvasPos);
}

QPoint TGraphViewFrame::SnapAndClamp(QPoint P, int& Stub) const
{
    const QSize Size = DrawingSize();
    if (!SnapToGrid())
        return {ClampTo(P.x(), 5, Size.width() - 5), ClampTo(P.y(), 5, Size.height() - 5)};
    const int G = GridGap();
    const QPoint S = SnapToGap(P, G);
    Stub = RoundHalfEven(static_cast<double>(Stub) / G) * G;
    // The last grid point inside the drawing (a drawing a whole number of
    // gaps wide has its last grid line on its edge, just outside).
    return {ClampTo(S.x(), G, (Size.width() - 1) / G * G), ClampTo(S.y(), G, (Size.height() - 1) / G * G)};
}

TNode* TGraphViewFrame::AddNewNode(QPoint At, TBranch* ForBranch)
{
    TNode* M = FGraph->GetOrAddNode(FGraph->MaxNodeId() + 1);
    PlaceNode(M, At.x(), At.y());
    InitAddedNode(M, ForBranch);
    InvalidateNode(M);
    return M;
}

void TGraphViewFrame::InitAddedNode(TNode* M, TBranch* ForBranch)
{
    InitNewNode(M, ForBranch);
    if (OnNodeAdded)
        OnNodeAdded(M);
}

void TGraphViewFrame::InitAddedBranch(TBranch* B)
{
    InitNewBranch(B);
    if (OnBranchAdded)
        OnBranchAdded(B);
}

void TGraphViewFrame::ShowAddedBranch(TBranch* B)
{
    InvalidateBranch(B);
    if (FGraph->DrawToScale)
        SetBranchLengthToScale(B, FGraph->Scale);
    SelectBranch(B);
    FireBranchSelected(B);
}

void TGraphViewFrame::ShowHint(const std::string& Text, QPoint ViewportPos)
{
    HintText->setText(ToQ(Text));
    HintText->adjustSize();
    HintText->move(ViewportPos.x() - 15, ViewportPos.y() + 20);
    HintText->setVisible(!Text.empty());
    HintText->raise();
}

void TGraphViewFrame::HideHint() { HintText->hide(); }

void TGraphViewFrame::AutoScroll(QPoint ViewportPos)
{
    QScrollBar* H = ScrollBox1->horizontalScrollBar();
    QScrollBar* V = ScrollBox1->verticalScrollBar();
    const QSize Client = ScrollBox1->viewport()->size();
    if (ViewportPos.x() < 0)
        H->setValue(H->value() + ViewportPos.x());
    else if (ViewportPos.x() > Client.width())
        H->setValue(H->value() + ViewportPos.x() - Client.width());
    if (ViewportPos.y() < 0)
        V->setValue(V->value() + ViewportPos.y());
    else if (ViewportPos.y() > Client.height())
        V->setValue(V->value() + ViewportPos.y() - Client.height());
}

// ---------------------------------------------------------------- press

void TGraphViewFrame::Image1MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    PressPoint = QPoint(X, Y);
    FSpawnMode = 0;
    Panned = false;
    PopupOnPress = false;
    if (!FGraph)
        return;
    if (Picking) {
        // Calibration takes the press as one of its two points.
        InvalidateCalibration();
        if (!FirstTaken) {
            FirstTaken = true;
            FirstPoint = PressPoint;
            CrossShown = false;
            InvalidateCalibration();
        } else {
            const QPoint First = FirstPoint;
            StopPicking();
            if (FCalibrateForm)
                FCalibrateForm->SetPoints(First, PressPoint);
        }
        return;
    }
    if (TNode* N = HitTestNode(X, Y)) {
        if (Button == TMouseButton::Left)
            PressOnNode(N, Button, Shift);
        else if (Button == TMouseButton::Right && N->BlockState != 1) {
            ClearBlock();
            SelectNode(N);
            ShowNodePopup(N);
        }
        return;
    }
    if (TBranch* B = HitTestBranch(X, Y)) {
        if (Button == TMouseButton::Left)
            PressOnBranch(B, Button, Shift);
        else if (Button == TMouseButton::Right && B->BlockState != 1) {
            ClearBlock();
            SelectBranch(B);
            FireBranchSelected(B);
            ShowBranchPopup(B);
        }
        return;
    }
    PressOnEmpty(Button, PressPoint);
}

void TGraphViewFrame::ToggleBlockMember(int& BlockState, const QRect& Area)
{
    Invalidate(Area);
    if (BlockState != 0) {
        BlockState = 0; // removing a member leaves the flag as it is
        return;
    }
    BlockState = 1;
    if (!BlockFlag) {
        // A block gathered by Shift-clicks alone can be cut, copied and
        // deleted like one caught by a band.
        BlockFlag = true;
        EnableAction(gvfActionDelete, true);
        EnableAction(gvfActionCopy, true);
        EnableAction(gvfActionCut, true);
    }
}

void TGraphViewFrame::PressOnNode(TNode* N, TMouseButton, TShiftState Shift)
{
    if (Shift & ssShift)
        FSpawnMode = 1;
    if (CanLinkFrom(N)) {
        if (Shift == SpawnInto)
            FSpawnMode = 2;
        else if (Shift == SpawnInlet)
            FSpawnMode = 3;
        else if (Shift == SpawnFrom)
            FSpawnMode = 4;
        else if (Shift == SpawnOutlet)
            FSpawnMode = 5;
    }
    if (FSpawnMode == 1) {
        ToggleBlockMember(N->BlockState, NodeArea(*N, RenderState()));
        return;
    }
    if (N->BlockState == 1) {
        BlockAnchor = PressPoint;
        BlockDrawing = true;
        return;
    }
    ClearBlock();
    StartPoint = QPoint(N->X, N->Y);
    if (Shift & ssDouble) {
        SelectNode(N);
        gvfEditNodeClick();
        return;
    }
    if (FSpawnMode >= 2) {
        Spawn(N);
        return;
    }
    if (NodePressTest()) {
        SelectNode(N);
        InvalidateNode(N);
        NodePressHook(N);
        InvalidateNode(N);
    } else if (FAutoDraw && N == FSelectedNode) {
        SelectNode(nullptr); // a second press on the selected node ends the polyline
    } else {
        SelectNode(N);
        DraggingNode = true;
    }
}

void TGraphViewFrame::Spawn(TNode* N)
{
    SelectNode(N);
    ResetCursor();
    TNode* M = FGraph->GetOrAddNode(FGraph->MaxNodeId() + 1);
    const bool Outwards = FSpawnMode == 4 || FSpawnMode == 5;
    TBranch* B = FGraph->AddBranchBetween(FGraph->MaxBranchId() + 1, Outwards ? N : M, Outwards ? M : N);
    PlaceNode(M, N->X, N->Y);
    InitAddedNode(M, B);
    if (B) {
        CentreHandle(*B);
        InitAddedBranch(B);
    }
    InvalidateNode(M);
    SelectNode(M);
    if (B) {
        SelectBranch(B);
        FireBranchSelected(B);
    }
    SpawnOrigin = N;
    StartPoint = QPoint(M->X, M->Y);
    DraggingNode = true;
}

void TGraphViewFrame::PressOnBranch(TBranch* B, TMouseButton, TShiftState Shift)
{
    if (Shift & ssShift) {
        ToggleBlockMember(B->BlockState, BranchArea(*B, RenderState()));
        return;
    }
    if (B->BlockState == 1) {
        BlockAnchor = PressPoint;
        BlockDrawing = true;
        return;
    }
    ClearBlock();
    SelectBranch(B);
    FireBranchSelected(B);
    BranchPressedHook();
    if (Shift & ssDouble) {
        gvfEditBranchClick();
        return;
    }
    if (BranchPressTestA()) {
        InvalidateBranch(B);
        BranchPressHookA(B);
        InvalidateBranch(B);
    } else if (BranchPressTestB()) {
        InvalidateBranch(B);
        BranchPressHookB(B);
        InvalidateBranch(B);
    } else {
        StartPoint = HandlePoint(*B);
        DraggingHandle = true;
    }
}

void TGraphViewFrame::PressOnEmpty(TMouseButton Button, QPoint P)
{
    if (Button == TMouseButton::Right) {
        Panning = true;
        PanOrigin = ToViewport(P);
        return;
    }
    int Stub = StubLength();
    const QPoint At = SnapAndClamp(P, Stub);
    if (FAutoDraw && CanLinkFrom(FSelectedNode)) {
        TNode* Previous = FSelectedNode;
        TNode* M = AddNewNode(At, nullptr);
        if (Previous) {
            TBranch* B = FGraph->AddBranchBetween(FGraph->MaxBranchId() + 1, Previous, M);
            if (B) {
                InitAddedBranch(B);
                ShowAddedBranch(B);
            }
        }
        SelectNode(M);
    } else if (IsNodeTool()) {
        AddNewNode(At, nullptr);
    } else if (IsBranchTool()) {
        const QSize Size = DrawingSize();
        QPoint F, T;
        if (NewBranchUpwards()) {
            F = At + QPoint(0, Stub);
            T = At - QPoint(0, Stub);
        } else if (NewBranchDownwards()) {
            F = At - QPoint(0, Stub);
            T = At + QPoint(0, Stub);
        } else if (NewBranchLeftwards()) {
            F = At + QPoint(Stub, 0);
            T = At - QPoint(Stub, 0);
        } else {
            F = At - QPoint(Stub, 0);
            T = At + QPoint(Stub, 0);
        }
        auto Clamp = [&](QPoint Q) {
            int NoStub = 0;
            return SnapToGrid() ? SnapAndClamp(Q, NoStub)
                                : QPoint(ClampTo(Q.x(), 5, Size.width() - 5), ClampTo(Q.y(), 5, Size.height() - 5));
        };
        F = Clamp(F);
        T = Clamp(T);
        TNode* From = FGraph->GetOrAddNode(FGraph->MaxNodeId() + 1);
        TNode* To = FGraph->GetOrAddNode(FGraph->MaxNodeId() + 1);
        PlaceNode(From, F.x(), F.y());
        PlaceNode(To, T.x(), T.y());
        TBranch* B = FGraph->AddBranchBetween(FGraph->MaxBranchId() + 1, From, To);
        InitAddedNode(From, B);
        InitAddedNode(To, B);
        InvalidateNode(From);
        InvalidateNode(To);
        if (B) {
            CentreHandle(*B);
            InitAddedBranch(B);
            ShowAddedBranch(B);
        }
    } else {
        ClearBlock();
        if (OnBlockStarted)
            OnBlockStarted();
        BandOn = true;
        Band1 = Band2 = P;
        Invalidate(QRect(P, P));
        setFocus(Qt::MouseFocusReason);
    }
}

// ---------------------------------------------------------------- move

void TGraphViewFrame::Image1MouseMove(TShiftState Shift, int X, int Y)
{
    if (!(Shift & ssRight))
        Panning = false;
    const QSize Size = DrawingSize();
    if (X < 0 || X > Size.width() || Y < 0 || Y > Size.height())
        return;
    if (std::abs(X - PressPoint.x()) <= DeadZone && std::abs(Y - PressPoint.y()) <= DeadZone)
        return;
    if (!FGraph)
        return;
    const QPoint Viewport = ToViewport(QPoint(X, Y));
    if (Shift & (ssLeft | ssMiddle))
        AutoScroll(Viewport);
    if (Picking) {
        InvalidateCalibration();
        CrossShown = true;
        CrossPoint = QPoint(X, Y);
        InvalidateCalibration();
    }
    if (BandOn) {
        Invalidate(QRect(Band1, Band2).normalized());
        Band2 = QPoint(X, Y);
        Invalidate(QRect(Band1, Band2).normalized());
    }
    if (BlockDrawing) {
        MoveBlock(X, Y);
        HideHint();
    } else if (DraggingNode) {
        if (FSelectedNode)
            MoveNodeTo(FSelectedNode, StartPoint.x() + X - PressPoint.x(), StartPoint.y() + Y - PressPoint.y());
        HideHint();
    } else if (TNode* N = ::HitTestNode(*FGraph, FGlyphs, X, Y)) {
        ShowHint(NodeHintText(N), Viewport);
    } else if (DraggingHandle) {
        if (FSelectedBranch)
            MoveBranchHandle(FSelectedBranch, StartPoint.x() + X - PressPoint.x(),
                             StartPoint.y() + Y - PressPoint.y());
        HideHint();
    } else if (TBranch* B = ::HitTestBranch(*FGraph, FGlyphs, X, Y)) {
        ShowHint(BranchHintText(B), Viewport);
    } else {
        HideHint();
    }
    if (Panning) {
        QScrollBar* H = ScrollBox1->horizontalScrollBar();
        QScrollBar* V = ScrollBox1->verticalScrollBar();
        H->setValue(H->value() - (Viewport.x() - PanOrigin.x()));
        V->setValue(V->value() - (Viewport.y() - PanOrigin.y()));
        Panned = true;
        PanOrigin = ToViewport(QPoint(X, Y)); // the drawing moved under the pointer
    }
}

void TGraphViewFrame::MoveNodeTo(TNode* Node, int X, int Y)
{
    if (!Node || !FGraph)
        return;
    QPoint P(X, Y);
    if (SnapToGrid())
        P = SnapToGap(P, GridGap());
    const QSize Size = DrawingSize();
    P = QPoint(ClampTo(P.x(), 0, Size.width() - 1), ClampTo(P.y(), 0, Size.height() - 1));
    if (P == QPoint(Node->X, Node->Y))
        return;
    InvalidateNode(Node);
    PlaceNode(Node, P.x(), P.y());
    RecentreHandles(Node);
    if (FGraph->DrawToScale)
        SetNodeBranchesToScale(Node, FGraph->Scale);
    UpdateNodeGlyph(Node);
    InvalidateNode(Node);
    // A far node's glyph may depend on its links.
    for (const TLink& L : Node->Links)
        if (L.Branch->Id() >= 0)
            RedrawNode(L.Branch->OtherNode(Node));
    FireChanged();
}

void TGraphViewFrame::MoveBranchHandle(TBranch* Branch, int X, int Y)
{
    if (!Branch || !FGraph || !Branch->FromNode || !Branch->ToNode)
        return;
    const QPoint D = QPoint(X, Y) - HandlePoint(*Branch);
    if (D == QPoint(0, 0))
        return;
    TNode* Ends[2] = {Branch->FromNode, Branch->ToNode};
    for (TNode* N : Ends)
        InvalidateNode(N);
    for (TNode* N : Ends) {
        QPoint P(N->X + D.x(), N->Y + D.y());
        if (SnapToGrid())
            P = SnapToGap(P, GridGap());
        PlaceNode(N, P.x(), P.y());
    }
    for (TNode* N : Ends)
        RecentreHandles(N);
    if (FGraph->DrawToScale)
        for (TNode* N : Ends)
            SetNodeBranchesToScale(N, FGraph->Scale);
    for (TNode* N : Ends) {
        UpdateNodeGlyph(N);
        InvalidateNode(N);
    }
    FireChanged();
}

// ---------------------------------------------------------------- release

void TGraphViewFrame::Image1MouseUp(TMouseButton Button, TShiftState, int X, int Y)
{
    const bool Swallowed = PopupOnPress;
    PopupOnPress = false;
    if (Button == TMouseButton::Right && !Panned && !Swallowed && FGraph && !Picking)
        ShowEditPopup();
    Panning = false;
    Panned = false;
    if (DraggingNode)
        FinishNodeDrag();
    if (BandOn)
        FinishBand(QPoint(X, Y));
    EndDrag();
    ResetCursor();
}

void TGraphViewFrame::EndDrag()
{
    DraggingNode = DraggingHandle = BlockDrawing = false;
    FHitNode = nullptr;
    FHitBranch = nullptr;
    SpawnOrigin = nullptr;
}

void TGraphViewFrame::FinishNodeDrag()
{
    TNode* S = FSelectedNode;
    if (!S || !FGraph)
        return;
    const double Half = GridGap() / 2.0;
    auto Near = [&](const TNode* T) { return std::abs(T->X - S->X) < Half && std::abs(T->Y - S->Y) < Half; };
    // A spawn dropped back on its own node would merge that node away into
    // the new one: the spawn is taken back instead.
    if (FSpawnMode >= 2 && SpawnOrigin && SpawnOrigin != S && Near(SpawnOrigin)) {
        TNode* Origin = SpawnOrigin;
        DeleteNode(S);
        SelectNode(Origin);
        return;
    }
    // A click that moved nothing merges nothing, even on a node that lies
    // within half a gap of another.
    if (QPoint(S->X, S->Y) == StartPoint)
        return;
    for (const auto& T : FGraph->Nodes()) {
        // Only active nodes are candidates: the generated Sink sits on the
        // placing raster and must never take a dropped node's branches.
        if (T.get() == S || T->Id() == S->Id() || !T->IsActive() || !Near(T.get()))
            continue;
        if (CanMerge(S, T.get())) {
            MergeNodes(S, T.get());
            return;
        }
    }
}

void TGraphViewFrame::MergeNodes(TNode* Kept, TNode* Dropped)
{
    // The graph's merge in its steps, each deletion through DeleteItems with
    // its hooks and events: first the branches the merge drops (one by one,
    // as single deletes report them), then the dropped node, left without
    // branches once the kept node has taken them.
    SelectBranch(nullptr);
    InvalidateNode(Kept);
    InvalidateNode(Dropped);
    FHitBranch = nullptr;
    DeleteItems({}, FGraph->MergeLosses(Kept, Dropped), TDeleteReport::PerItem);
    FGraph->TakeLinks(Kept, Dropped);
    DeleteItems({Dropped}, {}, TDeleteReport::PerItem);
    RecentreHandles(Kept);
    InvalidateNode(Kept);
    NodeSelectedHook();
    FireBranchSelected(FSelectedBranch);
    if (OnNodesMerged)
        OnNodesMerged(Kept);
}

// ---------------------------------------------------------------- pop-ups

void TGraphViewFrame::ShowNodePopup(TNode* N)
{
    gvfNodeCaptionItem->setText("Node: " + QString::number(N->Id()));
    NodePopupPopup();
    PopupOnPress = true;
    RunPopup(gvfNodePopup);
}

void TGraphViewFrame::ShowBranchPopup(TBranch* B)
{
    gvfBranchCaptionItem->setText(ToQ(BranchCaption(B)));
    gvfDetachInletItem->setText(".." + QString::number(B->FromNode->Id()));
    gvfDetachOutletItem->setText(".." + QString::number(B->ToNode->Id()));
    BranchPopupPopup();
    PopupOnPress = true;
    RunPopup(gvfBranchPopup);
}

void TGraphViewFrame::ShowEditPopup()
{
    // The menu's items mirror the five edit actions as they stand.
    for (const auto& [Item, Action] : EditItems) {
        Item->setEnabled(Action->isEnabled());
    }
    RunPopup(gvfEditPopup);
}

// ---------------------------------------------------------------- pop-up commands

void TGraphViewFrame::gvfReverseBranchClick()
{
    if (!FSelectedBranch || !FGraph)
        return;
    InvalidateBranch(FSelectedBranch);
    FGraph->ReverseBranch(FSelectedBranch);
    InvalidateBranch(FSelectedBranch);
    // The direction is part of the document: it must be saved.
    FireChanged();
}

void TGraphViewFrame::gvfDetachInletBranchClick() { DetachBranch(-1); }
void TGraphViewFrame::gvfDetachOutletBranchClick() { DetachBranch(+1); }

void TGraphViewFrame::DetachBranch(int Direction)
{
    TBranch* B = FSelectedBranch;
    if (!B || !FGraph || !B->FromNode || !B->ToNode)
        return;
    InvalidateBranch(B);
    TNode* From = B->FromNode;
    TNode* To = B->ToNode;
    TNode* M = FGraph->GetOrAddNode(FGraph->MaxNodeId() + 1);
    InitAddedNode(M, B);
    if (Direction > 0) {
        PlaceNode(M, RoundHalfEven(From->X + 0.9 * (To->X - From->X)), RoundHalfEven(From->Y + 0.9 * (To->Y - From->Y)));
        To->RemoveLink(B);
        B->SetToNode(M);
        M->AddLink(B);
    } else {
        PlaceNode(M, RoundHalfEven(To->X + 0.9 * (From->X - To->X)), RoundHalfEven(To->Y + 0.9 * (From->Y - To->Y)));
        From->RemoveLink(B);
        B->SetFromNode(M);
        M->AddLink(B);
    }
    FGraph->ClearMeshes();
    RecentreHandles(M);
    InvalidateNode(M);
    InvalidateBranch(B);
    InvalidateNode(Direction > 0 ? To : From);
    FireChanged();
}

// ---------------------------------------------------------------- calibration

void TGraphViewFrame::StartPicking()
{
    StopPicking();
    Picking = true;
    FirstTaken = false;
    CrossShown = false;
    Image1->setCursor(Qt::CrossCursor);
    setFocus(Qt::OtherFocusReason);
}

void TGraphViewFrame::StopPicking()
{
    InvalidateCalibration();
    Picking = false;
    FirstTaken = false;
    CrossShown = false;
    CrossPoint = QPoint(0, 0);
    Image1->unsetCursor();
}
