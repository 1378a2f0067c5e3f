#include "editor/GraphRender.h"

#include "editor/GraphGeometry.h"
#include "editor/GraphGlyphs.h"
#include "editor/LabelCache.h"
#include "graph/Graph.h"

#include <cstdlib>

namespace {

// How one node is drawn in the present state.
struct TNodeLook {
    int R = 5;                    // half size of the glyph square
    const TXorSprite* Glyph = nullptr; // null: an ellipse
    QRgb LabelColour = 0;
    bool Selected = false;
};

TNodeLook LookOf(const TNode& Node, const TGraphRenderState& S)
{
    TNodeLook L;
    const TGlyphSet& G = *S.Glyphs;
    L.R = NodeHalfSize(Node, G);
    L.Selected = &Node == S.SelectedNode;
    const bool Block = Node.BlockState == 1;
    if ((Block || L.Selected) && G.Has(Node.SelectedGlyph))
        L.Glyph = G.Sprite(Node.SelectedGlyph);
    else if (G.Has(Node.Glyph))
        L.Glyph = G.Sprite(Node.Glyph);
    L.LabelColour = BgrColour(Block ? clBlockLabel : L.Selected ? clSelectedLabel : clNodeLabel);
    return L;
}

struct TBranchLook {
    int Rh = 10;
    QPoint Handle;
    const TXorSprite* Glyph = nullptr; // null: a filled square
    QRgb LabelColour = 0;
    QRgb LineColour = 0;
    bool Selected = false;
};

TBranchLook LookOf(const TBranch& Branch, const TGraphRenderState& S)
{
    TBranchLook L;
    const TGlyphSet& G = *S.Glyphs;
    L.Rh = BranchGlyphHalfSize(Branch, G);
    L.Handle = HandlePoint(Branch);
    L.Selected = &Branch == S.SelectedBranch;
    const bool Block = Branch.BlockState == 1;
    if ((Block || L.Selected) && G.Has(Branch.SelectedGlyph))
        L.Glyph = G.Sprite(Branch.SelectedGlyph);
    else if (G.Has(Branch.Glyph))
        L.Glyph = G.Sprite(Branch.Glyph);
    L.LabelColour = BgrColour(Block                      ? clBlockLabel
                              : Branch.BlockState == 2   ? clHighlightLabel
                              : L.Selected               ? clSelectedLabel
                                                         : clBranchLabel);
    L.LineColour = BgrColour(Branch.PathMark == 1 || Branch.PathMark == 2 ? clPathLine : clBranchLine);
    return L;
}

std::string NodeText(const TNode& Node, const TGraphRenderState& S)
{
    return S.NodeLabel ? S.NodeLabel(Node) : Node.Name;
}

std::string BranchText(const TBranch& Branch, const TGraphRenderState& S)
{
    return S.BranchLabel ? S.BranchLabel(Branch) : Branch.Name;
}

QRect Square(QPoint Centre, int R) { return {Centre - QPoint(R, R), Centre + QPoint(R, R)}; }

// The label's rectangle with its top-left corner at Corner; the text is
// only asked for when the label's row could reach Area at all.
bool LabelMayMeet(QPoint Corner, int Height, const QRect& Area)
{
    return Corner.y() <= Area.bottom() && Corner.y() + Height > Area.top() && Corner.x() <= Area.right();
}

void DrawNode(TXorCanvas& C, const TNode& Node, std::size_t Index, const TGraphRenderState& S)
{
    const TNodeLook L = LookOf(Node, S);
    const QPoint P(Node.X, Node.Y);
    const QRect Area = C.Clip();
    const QRect Glyph = Square(P, L.R);
    if (Glyph.intersects(Area)) {
        if (L.Glyph)
            C.XorSprite(*L.Glyph, P.x() - L.R, P.y() - L.R);
        else
            C.NotXorEllipse(Glyph, BgrColour(clShape));
        if (L.Selected)
            C.NotXorFrame(Glyph, 0, TLineStyle::Dot);
    }
    const QPoint Corner(P.x() - L.R - 10, P.y() - L.R - 10);
    if (S.Labels && LabelMayMeet(Corner, S.Labels->Height(), Area)) {
        const TXorSprite& Label = S.Labels->Label(TLabelCache::skNode, Index, NodeText(Node, S));
        C.XorSprite(Label, Corner.x(), Corner.y(), L.LabelColour);
    }
}

QRect LineBox(const TBranch& Branch)
{
    const QPoint A(Branch.FromNode->X, Branch.FromNode->Y);
    const QPoint B(Branch.ToNode->X, Branch.ToNode->Y);
    return QRect(A, B).normalized().adjusted(-2, -2, 2, 2);
}

void DrawBranch(TXorCanvas& C, const TBranch& Branch, std::size_t Index, const TGraphRenderState& S)
{
    const TBranchLook L = LookOf(Branch, S);
    const QRect Area = C.Clip();
    if (LineBox(Branch).intersects(Area)) {
        const TBranchLines Lines = BranchLines(Branch, *S.Glyphs);
        C.NotXorLine(Lines.From1, Lines.To1, L.LineColour);
        C.NotXorLine(Lines.From2, Lines.To2, L.LineColour);
        C.NotXorLine(Lines.To2, Lines.TipTo, 0, 3);
    }
    const QRect Frame = Square(L.Handle, L.Rh);
    if (Frame.intersects(Area)) {
        if (L.Glyph)
            C.XorSprite(*L.Glyph, L.Handle.x() - L.Rh, L.Handle.y() - L.Rh);
        else
            C.NotXorFill(Frame, BgrColour(clShape));
        if (L.Selected)
            C.NotXorFrame(Frame, 0, TLineStyle::Dot);
    }
    const QPoint Corner(L.Handle.x() - L.Rh - 10, L.Handle.y() - L.Rh - 10);
    if (S.Labels && LabelMayMeet(Corner, S.Labels->Height(), Area)) {
        const TXorSprite& Label = S.Labels->Label(TLabelCache::skBranch, Index, BranchText(Branch, S));
        C.XorSprite(Label, Corner.x(), Corner.y(), L.LabelColour);
    }
}

void DrawCross(TXorCanvas& C, QPoint P)
{
    const QRgb Colour = BgrColour(clBand);
    // The horizontal arm holds the centre; the vertical one leaves it out so
    // that the centre is not drawn twice.
    C.NotXorLine(P - QPoint(CrossArm, 0), P + QPoint(CrossArm + 1, 0), Colour);
    C.NotXorLine(P - QPoint(0, CrossArm), P, Colour);
    C.NotXorLine(P + QPoint(0, 1), P + QPoint(0, CrossArm + 1), Colour);
}

// The measuring line's ends; false when there is nothing to draw.
bool MeasureEnds(const TGraphRenderState& S, QPoint& A, QPoint& B)
{
    A = S.FirstPoint;
    B = S.Cross;
    if (A == B)
        return false;
    // Along a row or a column the line would run over both crosshairs' arms:
    // it stops short of them.
    if (A.y() == B.y() || A.x() == B.x()) {
        const int Gap = CrossArm + 1;
        if ((B - A).manhattanLength() <= 2 * Gap)
            return false;
        const QPoint Step(B.x() == A.x() ? 0 : (B.x() > A.x() ? Gap : -Gap),
                          B.y() == A.y() ? 0 : (B.y() > A.y() ? Gap : -Gap));
        A += Step;
        B -= Step;
    }
    return true;
}

void RenderArea(QImage& Page, QPoint Origin, const QRect& Area, const TGraph* Graph,
                const TGraphRenderState& State)
{
    TXorCanvas C(Page, Area & QRect(QPoint(0, 0), State.Size), Origin);
    if (C.Clip().isEmpty())
        return;
    C.FillWhite();
    if (State.Background)
        C.XorImage(*State.Background, 0, 0);
    if (Graph && State.Glyphs) {
        const auto& Nodes = Graph->Nodes();
        for (std::size_t I = 0; I < Nodes.size(); ++I)
            if (Nodes[I]->IsActive())
                DrawNode(C, *Nodes[I], I, State);
        const auto& Branches = Graph->Branches();
        for (std::size_t I = 0; I < Branches.size(); ++I)
            if (IsDrawnBranch(*Branches[I]))
                DrawBranch(C, *Branches[I], I, State);
    }
    if (State.BandShown)
        C.NotXorFrame(QRect(State.BandFrom, State.BandTo), BgrColour(clBand), TLineStyle::DashDotDot);
    if (State.FirstPointTaken) {
        DrawCross(C, State.FirstPoint);
        QPoint A, B;
        if (State.CrossShown && MeasureEnds(State, A, B))
            C.NotXorLine(A, B, BgrColour(clBand));
    }
    if (State.CrossShown)
        DrawCross(C, State.Cross);
    if (State.GridVisible && State.GridGap > 0) {
        const int Gap = State.GridGap;
        const QRect& Clip = C.Clip();
        const QRgb Dot = BgrColour(clGridDot);
        const int FirstX = std::max(1, (Clip.left() + Gap - 1) / Gap);
        const int FirstY = std::max(1, (Clip.top() + Gap - 1) / Gap);
        const int LastX = std::min(State.Size.width() / Gap, Clip.right() / Gap);
        const int LastY = std::min(State.Size.height() / Gap, Clip.bottom() / Gap);
        for (int J = FirstY; J <= LastY; ++J)
            for (int I = FirstX; I <= LastX; ++I)
                C.SetPixel(I * Gap, J * Gap, Dot);
    }
}

} // namespace

void RenderGraphInto(QImage& Page, const QRect& Area, const TGraph* Graph, const TGraphRenderState& State)
{
    RenderArea(Page, QPoint(0, 0), Area, Graph, State);
}

QImage RenderGraph(const TGraph* Graph, const TGraphRenderState& State, const QRect& Area)
{
    QImage Picture(Area.normalized().size(), QImage::Format_RGB32);
    if (Picture.isNull())
        return Picture;
    Picture.fill(Qt::white); // what lies beyond the drawing
    RenderArea(Picture, Area.normalized().topLeft(), Area.normalized(), Graph, State);
    return Picture;
}

QRect NodeArea(const TNode& Node, const TGraphRenderState& State)
{
    if (!Node.IsActive() || !State.Glyphs)
        return {};
    const int R = NodeHalfSize(Node, *State.Glyphs);
    const QPoint P(Node.X, Node.Y);
    QRect Area = Square(P, R);
    if (State.Labels) {
        const int W = State.Labels->Width(NodeText(Node, State));
        if (W > 0)
            Area |= QRect(P.x() - R - 10, P.y() - R - 10, W, State.Labels->Height());
    }
    return Area;
}

QRect BranchArea(const TBranch& Branch, const TGraphRenderState& State)
{
    if (!IsDrawnBranch(Branch) || !State.Glyphs)
        return {};
    const int Rh = BranchGlyphHalfSize(Branch, *State.Glyphs);
    const QPoint H = HandlePoint(Branch);
    QRect Area = LineBox(Branch) | Square(H, Rh);
    if (State.Labels) {
        const int W = State.Labels->Width(BranchText(Branch, State));
        if (W > 0)
            Area |= QRect(H.x() - Rh - 10, H.y() - Rh - 10, W, State.Labels->Height());
    }
    return Area;
}

QRect NodeAreaWithBranches(const TNode& Node, const TGraphRenderState& State)
{
    QRect Area = NodeArea(Node, State);
    for (const TLink& L : Node.Links)
        Area |= BranchArea(*L.Branch, State);
    return Area;
}

QRect BandArea(const TGraphRenderState& State)
{
    return QRect(State.BandFrom, State.BandTo).normalized();
}

QRect CrossArea(QPoint P) { return Square(P, CrossArm + 1); }

QRect MeasureArea(const TGraphRenderState& State)
{
    return QRect(State.FirstPoint, State.Cross).normalized().adjusted(-1, -1, 1, 1);
}
